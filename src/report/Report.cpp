#include "Report.h"

#include "ReportPreview.h"

#include <QtDebug>

namespace rov2::report {

Report::Report(QString caption) : caption_(std::move(caption)) {}

Report::~Report() = default;

void Report::setDataSource(const QString& file, const QString& sql)
{
    sourceFile_ = file;
    sourceSql_ = sql;
    rows_.reset();
}

void Report::setRows(RowSet rows)
{
    sourceFile_.clear();
    sourceSql_.clear();
    rows_ = std::move(rows);
}

bool Report::Restart()
{
    ActiveReport_ReportStart();
    bool ok = true;
    // A query is read afresh on every restart: the work tables change between prints.
    if (!sourceSql_.isEmpty()) {
        QString error;
        rows_ = readRows(sourceFile_, sourceSql_, &error);
        if (!rows_) {
            qWarning() << caption_ << "could not read its rows:" << error;
            ok = false;
        }
    }
    pages_ = std::make_shared<const LaidOutReport>(layoutOn(definition_.page));
    return ok;
}

LaidOutReport Report::layoutOn(const PageSettings& page)
{
    ReportDefinition onPage = definition_;
    onPage.page = page;
    const RowSet none;
    FormatHooks hooks;
    hooks.pageHeader = [this](BandFormat& f) { PageHeader_Format(f); };
    hooks.groupHeader = [this](BandFormat& f) { GroupHeader1_Format(f); };
    hooks.detail = [this](BandFormat& f) { Detail_Format(f); };
    hooks.groupFooter = [this](BandFormat& f) { GroupFooter1_Format(f); };
    hooks.pageFooter = [this](BandFormat& f) { PageFooter_Format(f); };
    return layoutReport(onPage, rows_ ? *rows_ : none, hooks);
}

ReportPreview* Report::Show(const OwnFiles& own, QWidget* parent)
{
    if (!pages_)
        Restart();
    auto* preview = new ReportPreview(pages_, caption_, own, parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
    return preview;
}

PrintResult Report::PrintReport(bool showDialog, const OwnFiles& own, QWidget* owner)
{
    if (!pages_)
        Restart();
    return printReport(*pages_, caption_, showDialog, owner, own, {},
                       [this](const PageSettings& page) { return layoutOn(page); });
}

} // namespace rov2::report
