#include "JetTableSource.h"

#include "JetFile.h"

namespace rov2 {
namespace {

class JetCursor : public RowCursor {
public:
    explicit JetCursor(std::unique_ptr<jet::JetTable> table) : table_(std::move(table)) {}
    const QStringList& fieldNames() const override { return table_->fieldNames(); }
    bool next() override { return table_->next(); }
    QVariant value(const QString& field) const override { return table_->value(field); }
    // A table read short of or past its row count is a damaged file, and
    // what was read of it is not to be trusted whole.
    bool failed() const override { return table_->fault() != jet::JetTable::Fault::None; }
    QString error() const override { return table_->faultText(); }

private:
    std::unique_ptr<jet::JetTable> table_;
};

} // namespace

JetTableSource::JetTableSource(std::unique_ptr<jet::JetFile> file) : file_(std::move(file)) {}
JetTableSource::~JetTableSource() = default;

std::unique_ptr<JetTableSource> JetTableSource::open(const QString& path, const SourceOptions& options,
                                                     QString* error)
{
    auto file = jet::JetFile::open(path, jet::JetOptions{options.jet3CodePage}, error);
    // Nothing of a file that cannot be read whole is taken: a table read
    // later may be the one whose pages are gone.
    if (!file || !file->readsWhole(error))
        return nullptr;
    return std::unique_ptr<JetTableSource>(new JetTableSource(std::move(file)));
}

QStringList JetTableSource::tableNames() const { return file_->tableNames(); }

std::unique_ptr<RowCursor> JetTableSource::openTable(const QString& name, QString* error)
{
    auto table = file_->openTable(name, error);
    if (!table)
        return nullptr;
    return std::make_unique<JetCursor>(std::move(table));
}

} // namespace rov2
