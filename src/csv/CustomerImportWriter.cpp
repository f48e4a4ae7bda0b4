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

/// Binds a field's value; a text is bound where it lies, in the fields that
/// outlive the statement's step.
int bindValue(sqlite3_stmt* s, int n, const QVariant& v)
{
    if (v.isNull())
        return sqlite3_bind_null(s, n);
    if (v.typeId() == QMetaType::QString) {
        const auto* text = static_cast<const QString*>(v.constData());
        return sqlite3_bind_text16(s, n, text->utf16(), static_cast<int>(text->size() * 2), SQLITE_STATIC);
    }
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

CustomerImportWriter::CustomerImportWriter(Database& db) : db_(db)
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
    for (qsizetype c = 0; c < importableFields().size(); ++c)
        columns_.insert(importableFields().at(c), static_cast<int>(c));
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

void CustomerImportWriter::insert(const QVariantMap& fields)
{
    sqlite3_stmt* s = insert_.get();
    sqlite3* db = db_.native().getHandle();
    sqlite3_reset(s);
    sqlite3_clear_bindings(s); // the fields the row does not give are Null
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        const int column = columns_.value(it.key(), -1);
        if (column < 0 || bindValue(s, column + 1, it.value()) != SQLITE_OK)
            throw std::runtime_error(column < 0 ? "not a field of 顧客マスタ" : sqlite3_errmsg(db));
    }
    if (sqlite3_step(s) != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
    remember(fields.value(QStringLiteral("名称")).toString(), sqlite3_last_insert_rowid(db));
}

void CustomerImportWriter::update(qint64 rowid, const QVariantMap& fields)
{
    QStringList sets;
    QVariantList values;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        sets << QLatin1Char('"') + it.key() + QStringLiteral("\" = ?");
        values << it.value();
    }
    values << rowid;
    SQLite::Statement s(db_.native(), (QStringLiteral("UPDATE 顧客マスタ SET ") +
                                       sets.join(QLatin1Char(',')) + QStringLiteral(" WHERE rowid = ?"))
                                          .toStdString());
    bindAll(s, values);
    s.exec();
}

} // namespace rov2
