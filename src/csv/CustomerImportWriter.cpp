#include "CustomerImportWriter.h"

#include "CsvFieldNames.h"
#include "Database.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>
#include <stdexcept>

namespace rov2 {
namespace {

std::string insertSql()
{
    QStringList marks;
    QStringList cols;
    for (const QString& f : importableFields()) {
        cols << QLatin1Char('"') + f + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    return (QStringLiteral("INSERT INTO 顧客マスタ (") + cols.join(QLatin1Char(',')) +
            QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'))
        .toStdString();
}

/// Binds a value other than a text.
int bindValue(sqlite3_stmt* s, int n, const QVariant& v)
{
    if (v.isNull())
        return sqlite3_bind_null(s, n);
    if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
        return sqlite3_bind_int64(s, n, v.toLongLong());
    const QByteArray text = v.toString().toUtf8();
    return sqlite3_bind_text(s, n, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

} // namespace

void CustomerImportWriter::Finalize::operator()(sqlite3_stmt* s) const
{
    sqlite3_finalize(s);
}

CustomerImportWriter::CustomerImportWriter(Database& db, const FieldLayout& layout)
    : db_(db), layout_(layout), name_(FieldLayout::slotOf(u"名称"))
{
    SQLite::Statement names(db.native(),
                            "SELECT 名称, rowid FROM 顧客マスタ WHERE 名称 IS NOT NULL ORDER BY rowid");
    while (names.executeStep())
        remember(QString::fromUtf8(names.getColumn(0).getText()), names.getColumn(1).getInt64());
    sqlite3_stmt* insert = nullptr;
    const std::string sql = insertSql();
    if (sqlite3_prepare_v2(db.native().getHandle(), sql.c_str(), -1, &insert, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db.native().getHandle()));
    insert_.reset(insert);
    texts_.resize(static_cast<std::size_t>(importableFields().size()));
}

// Texts go to SQLite in UTF-8, the data file's own encoding, each written into
// a buffer kept for its parameter: bound as UTF-16, every cell would be
// converted again into memory SQLite allocates and frees for it.
int CustomerImportWriter::bindText(int n, const QString& text)
{
    QByteArray& buffer = texts_[static_cast<std::size_t>(n - 1)];
    buffer.resize(utf8_.requiredSpace(text.size()));
    const char* end = utf8_.appendToBuffer(buffer.data(), text);
    return sqlite3_bind_text(insert_.get(), n, buffer.constData(), static_cast<int>(end - buffer.constData()),
                             SQLITE_STATIC);
}

CustomerImportWriter::~CustomerImportWriter() = default;

void CustomerImportWriter::remember(const QString& name, qint64 rowid)
{
    if (!names_.contains(name)) // the first customer of a name is the one found
        names_.insert(name, rowid);
}

qint64 CustomerImportWriter::find(const QString& name) const
{
    return names_.value(name, -1);
}

QVariantList CustomerImportWriter::categories(qint64 rowid)
{
    SQLite::Statement s(db_.native(), "SELECT 区分1, 区分2 FROM 顧客マスタ WHERE rowid = ?");
    bindAll(s, {rowid});
    QVariantList out;
    for (int c = 0; c < 2 && (c > 0 || s.executeStep()); ++c)
        out << (s.getColumn(c).isNull() ? QVariant() : QVariant(QString::fromUtf8(s.getColumn(c).getText())));
    return out;
}

// The fields the row does not give are Null.
int CustomerImportWriter::bind(int n, const QVariant& value)
{
    if (!value.isValid())
        return sqlite3_bind_null(insert_.get(), n);
    if (value.typeId() == QMetaType::QString)
        return bindText(n, *static_cast<const QString*>(value.constData()));
    return bindValue(insert_.get(), n, value);
}

// The layout starts with the importable fields in the insert's order, so a
// field's place is its parameter, less one.
void CustomerImportWriter::insert(const FieldValues& row)
{
    sqlite3_stmt* s = insert_.get();
    sqlite3* db = db_.native().getHandle();
    sqlite3_reset(s);
    const std::size_t importable = texts_.size();
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i >= importable && row[i].isValid())
            throw std::runtime_error("not a field of 顧客マスタ");
        if (i < importable && bind(static_cast<int>(i) + 1, row[i]) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    if (sqlite3_step(s) != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
    remember(row[name_].toString(), sqlite3_last_insert_rowid(db));
}

void CustomerImportWriter::update(qint64 rowid, const FieldValues& row)
{
    QStringList sets;
    QVariantList values;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (!row[i].isValid())
            continue;
        sets << QLatin1Char('"') + layout_.fields().at(static_cast<qsizetype>(i)) + QStringLiteral("\" = ?");
        values << row[i];
    }
    values << rowid;
    SQLite::Statement s(db_.native(), (QStringLiteral("UPDATE 顧客マスタ SET ") +
                                       sets.join(QLatin1Char(',')) + QStringLiteral(" WHERE rowid = ?"))
                                          .toStdString());
    bindAll(s, values);
    s.exec();
}

} // namespace rov2
