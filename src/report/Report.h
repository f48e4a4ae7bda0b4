#pragma once

#include "ReportLayout.h"
#include "ReportPrinting.h"

#include <QPointer>

#include <memory>
#include <optional>

class QWidget;

namespace rov2::report {

class ProgressiveLayout;

/// A report definition with its own routines, in the manner the callers use
/// it: create it, Restart(), then show it (showPreview, in the preview
/// library) or PrintReport(). A subclass sets up
/// its bands in its constructor and overrides the routines it needs; the
/// engine calls them at the moments their names say.
class Report {
public:
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    /// Starts the report over: calls ActiveReport_ReportStart, reads the data
    /// source and lays the pages out. A report whose routines are detached
    /// (detachedRoutines) reads and lays out only its first page here; the
    /// rest follows as it is asked for, by the preview while it waits for the
    /// user, or whole before printing or saving.
    /// @return false when the data could not be read (the report then has its
    /// page header only; the reason is logged)
    bool Restart();

    /// Prints, after the print dialog when @p showDialog (printReport: a file
    /// the printer writes is never one of @p own). A Failed print is for the
    /// caller to tell (tellPrintFailed).
    [[nodiscard]] PrintResult PrintReport(bool showDialog, const OwnFiles& own, QWidget* owner = nullptr);

    /// The pages of the last Restart, every one laid out (none before it).
    std::shared_ptr<const LaidOutReport> pages() const;
    /// The same pages, laid out as they are asked for (none before Restart).
    std::shared_ptr<PageSource> pageSource() const;

    /// The preview window's caption.
    const QString& caption() const { return caption_; }
    const ReportDefinition& definition() const { return definition_; }

protected:
    explicit Report(QString caption);

    ReportDefinition& definition() { return definition_; }
    /// Rows read from @p file with @p sql at every Restart, after ActiveReport_ReportStart.
    void setDataSource(const QString& file, const QString& sql);
    /// Rows handed over directly (a start routine that builds its own).
    void setRows(RowSet rows);

    /// The report laid out on @p page instead of its own, its rows read afresh.
    LaidOutReport layoutOn(const PageSettings& page);

    /// The routines as functions that need nothing of this object, for a
    /// layout that goes on after the report is gone; nothing (the default)
    /// when they need it: the virtual routines below are then called, and
    /// every page is laid out by Restart.
    virtual std::optional<FormatHooks> detachedRoutines() const { return std::nullopt; }
    virtual void ActiveReport_ReportStart() {}
    virtual void PageHeader_Format(BandFormat&) {}
    virtual void GroupHeader1_Format(BandFormat&) {}
    virtual void Detail_Format(BandFormat&) {}
    virtual void GroupFooter1_Format(BandFormat&) {}
    virtual void PageFooter_Format(BandFormat&) {}

private:
    FormatHooks boundRoutines();
    std::shared_ptr<ProgressiveLayout> startLayout(const ReportDefinition& definition, bool* ok);

    QString caption_;
    ReportDefinition definition_;
    QString sourceFile_;
    QString sourceSql_;
    std::optional<RowSet> rows_;
    std::shared_ptr<ProgressiveLayout> layout_;
    mutable std::shared_ptr<const LaidOutReport> pages_;
};

} // namespace rov2::report
