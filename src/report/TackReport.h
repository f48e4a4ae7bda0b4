#pragma once

#include "Report.h"

namespace rov2::report {

/// Address labels on the A4 sheet of twelve (two across, six down): one label
/// per row of wタックシール印刷, in the order the rows were appended; rows
/// with no values are the blank labels before the start position.
///
/// One object serves every label print of a run: each print restarts it with
/// what the table then holds.
class rptTack2601 final : public Report
{
public:
    /// Reads its labels from @p workFile.
    explicit rptTack2601(QString workFile);

    /// Reads the labels from @p workFile from the next Restart on.
    void setWorkFile(QString workFile) { workFile_ = std::move(workFile); }

    /// The query on the work file's label table.
    static QString query();

    /// Design figures, in twips.
    static constexpr int kLeftMargin = 1059;
    static constexpr int kRightMargin = 1059;
    static constexpr int kTopMargin = 1207;
    static constexpr int kBottomMargin = 400;
    static constexpr int kPrintableWidth = 9790;
    static constexpr int kLabelHeight = 2408;
    static constexpr int kColumnWidth = 4895;
    static constexpr int kColumns = 2;
    static constexpr int kLabelsPerSheet = 12;

    /// Moves everything printed by this much (millimetres, right and down
    /// positive) from the next Restart on, for a printer that feeds the
    /// sheet a little off. Kept within ±kMaxOffsetMm.
    void setOffsetMm(double horizontal, double vertical);
    double horizontalOffsetMm() const { return offsetXMm_; }
    double verticalOffsetMm() const { return offsetYMm_; }
    static constexpr double kMaxOffsetMm = 5.0;

protected:
    void ActiveReport_ReportStart() override;
    std::optional<FormatHooks> detachedRoutines() const override;

private:
    QString workFile_;
    double offsetXMm_ = 0;
    double offsetYMm_ = 0;
};

/// Millimetres to twips, rounded.
int mmToTwips(double mm);

} // namespace rov2::report
