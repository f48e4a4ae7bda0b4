#include "Report.h"

#include "ProgressiveLayout.h"
#include "RowStream.h"

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
    pages_.reset();
    bool ok = false;
    layout_ = startLayout(definition_, &ok);
    return ok;
}

FormatHooks Report::boundRoutines()
{
    FormatHooks hooks;
    hooks.pageHeader = [this](BandFormat& f) { PageHeader_Format(f); };
    hooks.groupHeader = [this](BandFormat& f) { GroupHeader1_Format(f); };
    hooks.detail = [this](BandFormat& f) { Detail_Format(f); };
    hooks.groupFooter = [this](BandFormat& f) { GroupFooter1_Format(f); };
    hooks.pageFooter = [this](BandFormat& f) { PageFooter_Format(f); };
    return hooks;
}

std::shared_ptr<ProgressiveLayout> Report::startLayout(const ReportDefinition& definition, bool* ok)
{
    const std::optional<FormatHooks> detached = detachedRoutines();
    const FormatHooks hooks = detached ? *detached : boundRoutines();
    std::shared_ptr<ProgressiveLayout> layout;
    QString error;
    // A query is read afresh every time: the work tables change between prints.
    if (sourceSql_.isEmpty())
        layout = std::make_shared<ProgressiveLayout>(definition, rows_.value_or(RowSet()), hooks);
    else if (!detached) {
        if (std::optional<RowSet> rows = readRows(sourceFile_, sourceSql_, &error))
            layout = std::make_shared<ProgressiveLayout>(definition, std::move(*rows), hooks);
    } else if (std::unique_ptr<RowStream> stream = RowStream::open(sourceFile_, sourceSql_, &error))
        layout = std::make_shared<ProgressiveLayout>(definition, std::move(stream), hooks);
    *ok = layout != nullptr;
    if (!layout) {
        qWarning() << caption_ << "could not read its rows:" << error;
        layout = std::make_shared<ProgressiveLayout>(definition, RowSet(), hooks);
    }
    // Routines of this object must run while it lives; the first page is wanted at once in any case.
    if (!detached)
        layout->pageCount();
    layout->reach(0);
    *ok = *ok && layout->rowsReadWhole();
    return layout;
}

LaidOutReport Report::layoutOn(const PageSettings& page)
{
    ReportDefinition onPage = definition_;
    onPage.page = page;
    bool ok = false;
    return startLayout(onPage, &ok)->toLaidOut();
}

std::shared_ptr<const LaidOutReport> Report::pages() const
{
    if (!pages_ && layout_)
        pages_ = std::make_shared<const LaidOutReport>(layout_->toLaidOut());
    return pages_;
}

std::shared_ptr<PageSource> Report::pageSource() const
{
    return layout_;
}

} // namespace rov2::report
