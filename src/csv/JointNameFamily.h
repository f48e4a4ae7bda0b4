#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace SQLite {
class Statement;
}

namespace rov2 {

class Database;

/// The 氏名 a joint name (連名) is kept under: the customer's surname (its
/// 名称 up to the first blank), a full-width blank and the joint name, unless
/// the joint name has a blank of its own, and so a surname; as it is when
/// the customer's 名称 has no blank to tell its surname by.
QString jointMemberName(const QString& customer, const QString& jointName);

/// Writes the joint names of imported customers into their families, through
/// statements prepared once for the whole import; throws on a failing statement.
/// The customers that have members are read once at the start.
class JointNameFamily
{
public:
    explicit JointNameFamily(Database& db);
    ~JointNameFamily();

    /// Adds each joint name of @p customer (jointMemberName) that its family
    /// has no member of yet, after its last member, with the customer's
    /// 区分1 and 区分2 (@p categories) and no 続柄.
    /// @return the joint names left out because the family has kMaxFamilyMembers.
    QStringList add(const QString& customer, const QVariantList& categories, const QStringList& jointNames);
    /// How many members add() has written so far.
    int membersAdded() const { return membersAdded_; }

private:
    /// The 氏名 of the customer's members, and in @p next the 行番号 after the last.
    QStringList membersOf(const QString& customer, qint64* next);
    void insertMember(const QString& customer, qint64 row, const QString& member,
                      const QVariantList& categories);

    /// The customers that have members: most customers of an import have
    /// none yet, and are then not looked up row by row.
    QSet<QString> owners_;
    int membersAdded_ = 0;
    struct Finalize
    {
        void operator()(sqlite3_stmt* s) const;
    };

    std::unique_ptr<SQLite::Statement> members_;
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalize> insert_;
};

} // namespace rov2
