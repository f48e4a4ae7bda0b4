#include "Recordset.h"

#include "Database.h"
#include "Query.h"

#include <QSet>
#include <QtDebug>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace rov2 {
namespace {

QString quoted(const QString& name) { return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"'); }

} // namespace

Recordset::Recordset(Database& db, const QString& table, const QString& where, const QVariantList& params,
                     const QString& orderBy)
    : db_(&db), table_(table), where_(where), params_(params)
{
    Query info(db, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)), {});
    while (info.next())
        names_ << info.value(QStringLiteral("name")).toString();
    if (names_.isEmpty()) {
        db.fail(QStringLiteral("open ") + table, QStringLiteral("no such table"));
        return;
    }
    for (int i = 0; i < names_.size(); ++i)
        index_.insert(names_.at(i), i);

    QString sql = QStringLiteral("SELECT rowid FROM ") + quoted(table);
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    sql += QStringLiteral(" ORDER BY ") + (orderBy.isEmpty() ? QStringLiteral("rowid") : orderBy);
    Query keys(db, sql, params);
    if (!keys.ok())
        return;
    while (keys.next())
        keys_.append(keys.value(0).toLongLong());
    if (!keys.ok())
        return;
    try {
        rowStmt_ = std::make_unique<SQLite::Statement>(
            db.native(), (QStringLiteral("SELECT * FROM ") + quoted(table) + QStringLiteral(" WHERE rowid = ?")).toStdString());
    } catch (const std::exception& e) {
        db.fail(table, QString::fromUtf8(e.what()));
        return;
    }
    open_ = true;
    loadCurrent();
}

Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::~Recordset() = default;

void Recordset::loadCurrent()
{
    current_ = QVector<QVariant>(names_.size());
    if (!open_ || pos_ < 0 || pos_ >= keys_.size())
        return;
    try {
        rowStmt_->reset();
        rowStmt_->bind(1, static_cast<int64_t>(keys_.at(pos_)));
        if (rowStmt_->executeStep()) {
            for (int i = 0; i < names_.size(); ++i)
                current_[i] = columnValue(*rowStmt_, i);
        }
        rowStmt_->reset();
    } catch (const std::exception& e) {
        db_->fail(table_, QString::fromUtf8(e.what()));
    }
}

void Recordset::moveFirst()
{
    cancelUpdate();
    pos_ = 0;
    loadCurrent();
}

void Recordset::moveNext()
{
    cancelUpdate();
    if (pos_ < keys_.size())
        ++pos_;
    loadCurrent();
}

void Recordset::moveLast()
{
    cancelUpdate();
    pos_ = keys_.isEmpty() ? 0 : static_cast<int>(keys_.size()) - 1;
    loadCurrent();
}

bool Recordset::findFirst(const QString& criterion, const QVariantList& params)
{
    if (!open_)
        return false;
    QString sql = QStringLiteral("SELECT rowid FROM ") + quoted(table_) + QStringLiteral(" WHERE (") + criterion +
                  QLatin1Char(')');
    QVariantList all = params;
    if (!where_.isEmpty()) {
        sql += QStringLiteral(" AND (") + where_ + QLatin1Char(')');
        all += params_;
    }
    Query q(*db_, sql, all);
    QSet<qint64> matching;
    while (q.next())
        matching.insert(q.value(0).toLongLong());
    for (int i = 0; i < keys_.size(); ++i) {
        if (matching.contains(keys_.at(i))) {
            cancelUpdate();
            pos_ = i;
            loadCurrent();
            return true;
        }
    }
    return false;
}

QVariant Recordset::field(const QString& name) const
{
    const int i = index_.value(name, -1);
    if (i < 0) {
        // A misspelt field would otherwise read as Null without a word.
        if (open_)
            qWarning().noquote() << "recordset: no field" << name << "in" << table_;
        return {};
    }
    if (mode_ != Mode::None)
        return buffer_.value(i);
    return current_.value(i);
}

qint64 Recordset::rowId() const { return pos_ >= 0 && pos_ < keys_.size() ? keys_.at(pos_) : -1; }

void Recordset::addNew()
{
    buffer_ = QVector<QVariant>(names_.size());
    dirty_ = QVector<bool>(names_.size(), false);
    mode_ = open_ ? Mode::Adding : Mode::None;
}

void Recordset::edit()
{
    if (!open_ || eof()) {
        db_->fail(QStringLiteral("edit ") + table_, QStringLiteral("no current row"));
        mode_ = Mode::None;
        return;
    }
    buffer_ = current_;
    dirty_ = QVector<bool>(names_.size(), false);
    mode_ = Mode::Editing;
}

bool Recordset::setField(const QString& name, const QVariant& value)
{
    const int i = index_.value(name, -1);
    if (mode_ == Mode::None || i < 0) {
        db_->fail(QStringLiteral("set %1.%2").arg(table_, name),
                  i < 0 ? QStringLiteral("no such field") : QStringLiteral("no row being added or edited"));
        return false;
    }
    buffer_[i] = value;
    dirty_[i] = true;
    return true;
}

bool Recordset::update()
{
    if (mode_ == Mode::None) {
        db_->fail(QStringLiteral("update ") + table_, QStringLiteral("no row being added or edited"));
        return false;
    }
    QStringList cols;
    QVariantList values;
    for (int i = 0; i < names_.size(); ++i) {
        if (dirty_.at(i)) {
            cols << quoted(names_.at(i));
            values << buffer_.at(i);
        }
    }
    const Mode mode = mode_;
    mode_ = Mode::None;
    if (mode == Mode::Adding) {
        QString sql = QStringLiteral("INSERT INTO ") + quoted(table_);
        if (cols.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList marks;
            for (int i = 0; i < cols.size(); ++i)
                marks << QStringLiteral("?");
            sql += QStringLiteral(" (") + cols.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                   marks.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        if (!db_->execute(sql, values))
            return false;
        const bool wasEof = pos_ >= keys_.size();
        keys_.append(db_->native().getLastInsertRowid());
        if (wasEof)
            pos_ = static_cast<int>(keys_.size());
        return true;
    }
    if (cols.isEmpty())
        return true;
    QStringList sets;
    for (const QString& c : cols)
        sets << c + QStringLiteral(" = ?");
    values << rowId();
    if (!db_->execute(QStringLiteral("UPDATE ") + quoted(table_) + QStringLiteral(" SET ") +
                          sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE rowid = ?"),
                      values))
        return false;
    loadCurrent();
    return true;
}

void Recordset::cancelUpdate()
{
    mode_ = Mode::None;
}

} // namespace rov2
