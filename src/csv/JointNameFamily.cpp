#include "JointNameFamily.h"

#include "Database.h"
#include "FamilyCsvImport.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <algorithm>
#include <sqlite3.h>
#include <stdexcept>

namespace rov2 {
namespace {

const QString kBlanks = QStringLiteral(" \u3000");

qsizetype firstBlank(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (kBlanks.contains(text.at(i)))
            return i;
    return -1;
}

} // namespace

QString jointMemberName(const QString& customer, const QString& jointName)
{
    const qsizetype surname = firstBlank(customer);
    if (surname <= 0 || firstBlank(jointName) >= 0)
        return jointName;
    return customer.left(surname) + QChar(u'\u3000') + jointName;
}

JointNameFamily::JointNameFamily(Database& db)
    : members_(std::make_unique<SQLite::Statement>(db.native(),
                                                   "SELECT 氏名, 行番号 FROM 家族情報 WHERE 名称 = ?")),
      db_(db.native().getHandle())
{
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db_,
                           "INSERT INTO 家族情報 (名称, 行番号, 氏名, 区分1, 区分2) VALUES (?, ?, ?, ?, ?)",
                           -1, &insert, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_));
    insert_.reset(insert);
    SQLite::Statement owners(db.native(), "SELECT DISTINCT 名称 FROM 家族情報 WHERE 名称 IS NOT NULL");
    while (owners.executeStep())
        owners_.insert(QString::fromUtf8(owners.getColumn(0).getText()));
}

JointNameFamily::~JointNameFamily() = default;

void JointNameFamily::Finalize::operator()(sqlite3_stmt* s) const
{
    sqlite3_finalize(s);
}

QStringList JointNameFamily::membersOf(const QString& customer, qint64* next)
{
    QStringList members;
    *next = 0;
    if (!owners_.contains(customer))
        return members;
    members_->reset();
    bindAll(*members_, {customer});
    while (members_->executeStep()) {
        members << QString::fromUtf8(members_->getColumn(0).getText());
        if (!members_->getColumn(1).isNull())
            *next = std::max<qint64>(*next, members_->getColumn(1).getInt64() + 1);
    }
    return members;
}

void JointNameFamily::insertMember(const QString& customer, qint64 row, const QString& member,
                                   const QVariantList& categories)
{
    // Bound where the texts lie, as UTF-16: this runs once per joint name.
    sqlite3_stmt* s = insert_.get();
    sqlite3_reset(s);
    const auto text = [s](int n, const QString& t) {
        return t.isNull()
                   ? sqlite3_bind_null(s, n)
                   : sqlite3_bind_text16(s, n, t.utf16(), static_cast<int>(t.size() * 2), SQLITE_STATIC);
    };
    const QString category1 = categories.value(0).toString();
    const QString category2 = categories.value(1).toString();
    if (text(1, customer) != SQLITE_OK || sqlite3_bind_int64(s, 2, row) != SQLITE_OK ||
        text(3, member) != SQLITE_OK || text(4, category1) != SQLITE_OK || text(5, category2) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_));
    if (sqlite3_step(s) != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db_));
}

QStringList JointNameFamily::add(const QString& customer, const QVariantList& categories,
                                 const QStringList& jointNames)
{
    qint64 next = 0;
    QStringList members = membersOf(customer, &next);
    QStringList full;
    for (const QString& joint : jointNames) {
        const QString member = jointMemberName(customer, joint);
        if (members.contains(member))
            continue;
        if (members.size() >= kMaxFamilyMembers) {
            full << joint;
            continue;
        }
        insertMember(customer, next++, member, categories);
        ++membersAdded_;
        members << member;
        owners_.insert(customer);
    }
    return full;
}

} // namespace rov2
