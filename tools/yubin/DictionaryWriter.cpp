#include "DictionaryWriter.h"

#include "Database.h"
#include "PostalSearchIndex.h"
#include "SuppliedFiles.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace rov2::yubin {
namespace {

const char* const kInsert = "INSERT INTO 郵便番号 (番号, 県漢字, 市町村漢字, 町名漢字) VALUES (?, ?, ?, ?)";

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

DictionaryWriter::DictionaryWriter(std::unique_ptr<Database> db) : db_(std::move(db)) {}

DictionaryWriter::~DictionaryWriter()
{
    insert_.reset(); // before the database it belongs to
}

std::unique_ptr<DictionaryWriter> DictionaryWriter::create(const QString& path, QString* error)
{
    if (!createEmptyFile(path, FileKind::Postal, error))
        return nullptr;
    auto db = Database::open(path, error);
    if (!db)
        return nullptr;
    std::unique_ptr<DictionaryWriter> w(new DictionaryWriter(std::move(db)));
    try {
        w->insert_ = std::make_unique<SQLite::Statement>(w->db_->native(), kInsert);
    } catch (const std::exception& e) {
        setError(error, QStringLiteral("%1: %2").arg(path, QString::fromUtf8(e.what())));
        return nullptr;
    }
    if (!w->db_->beginTransaction()) {
        setError(error, w->db_->lastError());
        return nullptr;
    }
    return w;
}

bool DictionaryWriter::insert(const PostalRow& row, QString* error)
{
    try {
        insert_->reset();
        bindAll(*insert_, {row.code, row.prefecture, row.city, row.town});
        insert_->exec();
        return true;
    } catch (const std::exception& e) {
        setError(
            error,
            QStringLiteral("%1: cannot add %2: %3").arg(db_->path(), row.code, QString::fromUtf8(e.what())));
        return false;
    }
}

std::optional<DictionaryWriter::Added> DictionaryWriter::add(const SourceData& data, QString* error)
{
    QSet<QString> added;
    Added result;
    for (const PostalRow& row : data.rows) {
        if (known_.contains(row.code))
            continue;
        if (!insert(row, error))
            return std::nullopt;
        added.insert(row.code);
        ++result.rows;
    }
    // Only now: the several rows of one code in this source all go in.
    known_.unite(added);
    result.codes = static_cast<int>(added.size());
    rows_ += result.rows;
    return result;
}

bool DictionaryWriter::finish(QString* error)
{
    // The folded addresses go in with the rows, so that a dictionary is never
    // without them once written whole.
    if (!postalsearch::write(*db_, error))
        return false;
    if (db_->commit())
        return true;
    setError(error, db_->lastError());
    return false;
}

} // namespace rov2::yubin
