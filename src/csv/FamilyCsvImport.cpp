#include "FamilyCsvImport.h"

#include "CsvFieldNames.h"
#include "CsvRowFields.h"
#include "Database.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Statement.h>
#include <optional>

namespace rov2 {
namespace {

const QString kName = QStringLiteral("名称");
const QString kMember = QStringLiteral("氏名");

QString quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

/// The columns of a family file: the customer's column, and the fields a
/// row may fill. Not 行番号 (the customer's members keep their order) nor
/// the categories (a member has its customer's).
struct FamilyColumns
{
    explicit FamilyColumns(const QStringList& headingRow)
        : heading(headingRow), mapping(familyMapping(headingRow))
    {
        for (std::size_t c = 0; c < mapping.size(); ++c) {
            if (mapping[c] == kName)
                nameColumn = static_cast<qsizetype>(c);
            const bool owned = mapping[c] == kName || mapping[c] == QStringLiteral("行番号") ||
                               mapping[c] == QStringLiteral("区分1") || mapping[c] == QStringLiteral("区分2");
            if (owned)
                mapping[c].clear();
        }
    }
    QStringList heading;
    std::vector<QString> mapping;
    qsizetype nameColumn = -1;
};

/// Reads and writes the members of one import; throws on a failing statement.
class FamilyWriter
{
public:
    explicit FamilyWriter(Database& db) : db_(db) {}

    /// The customer's 区分1 and 区分2, or nothing when there is no such customer.
    std::optional<QVariantList> owner(const QString& name)
    {
        SQLite::Statement s(db_.native(),
                            "SELECT 区分1, 区分2 FROM 顧客マスタ WHERE 名称 = ? ORDER BY rowid LIMIT 1");
        bindAll(s, {name});
        if (!s.executeStep())
            return std::nullopt;
        QVariantList categories;
        for (int c = 0; c < 2; ++c)
            categories << (s.getColumn(c).isNull()
                               ? QVariant()
                               : QVariant(QString::fromStdString(s.getColumn(c).getString())));
        return categories;
    }
    /// The rowid of the customer's first member of that name, or -1.
    qint64 member(const QString& name, const QString& member)
    {
        return number("SELECT rowid FROM 家族情報 WHERE 名称 = ? AND 氏名 = ? ORDER BY 行番号, rowid LIMIT 1",
                      {name, member}, -1);
    }
    qint64 members(const QString& name)
    {
        return number("SELECT count(*) FROM 家族情報 WHERE 名称 = ?", {name}, 0);
    }
    void add(const QString& name, const QVariantList& categories, const QVariantMap& fields)
    {
        const qint64 next = number("SELECT max(行番号) + 1 FROM 家族情報 WHERE 名称 = ?", {name}, 0);
        QStringList columns{quoted(kName), QStringLiteral("\"行番号\""), QStringLiteral("\"区分1\""),
                            QStringLiteral("\"区分2\"")};
        QVariantList values{name, next, categories.value(0), categories.value(1)};
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            columns << quoted(it.key());
            values << it.value();
        }
        const QString marks = QStringLiteral("?,").repeated(columns.size()).chopped(1);
        run(QStringLiteral("INSERT INTO 家族情報 (%1) VALUES (%2)").arg(columns.join(u','), marks), values);
    }
    void update(qint64 rowid, const QVariantMap& fields)
    {
        QStringList sets;
        QVariantList values;
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            sets << quoted(it.key()) + QStringLiteral(" = ?");
            values << it.value();
        }
        values << rowid;
        run(QStringLiteral("UPDATE 家族情報 SET %1 WHERE rowid = ?").arg(sets.join(u',')), values);
    }

private:
    qint64 number(const char* sql, const QVariantList& params, qint64 none)
    {
        SQLite::Statement s(db_.native(), sql);
        bindAll(s, params);
        return s.executeStep() && !s.getColumn(0).isNull() ? s.getColumn(0).getInt64() : none;
    }
    void run(const QString& sql, const QVariantList& params)
    {
        SQLite::Statement s(db_.native(), sql.toStdString());
        bindAll(s, params);
        s.exec();
    }

    Database& db_;
};

enum class Outcome { Added, Overwritten, Skipped, Refused };

/// The user's choices that decide a member's row.
struct MemberChoices
{
    ExistingCustomer existing;
    QString defaultSex;
};

Outcome importMember(FamilyWriter& writer, const QStringList& cells, const FamilyColumns& file,
                     const MemberChoices& choices, QString* reason)
{
    *reason = widerThanHeading(cells, file.heading);
    if (!reason->isEmpty())
        return Outcome::Refused;
    const QString name = importedCell(kName, cells.value(file.nameColumn));
    const auto categories = name.trimmed().isEmpty() ? std::nullopt : writer.owner(name);
    if (!categories) {
        *reason = name.trimmed().isEmpty() ? QStringLiteral("名称がありません")
                                           : QStringLiteral("この名称の顧客がありません");
        return Outcome::Refused;
    }
    const auto fields = fieldsOfRow(cells, file.mapping, choices.defaultSex, reason);
    if (!fields)
        return Outcome::Refused;
    const QString member = fields->value(kMember).toString();
    if (member.trimmed().isEmpty()) {
        *reason = QStringLiteral("氏名がありません");
        return Outcome::Refused;
    }
    if (const qint64 rowid = writer.member(name, member); rowid >= 0) {
        if (choices.existing == ExistingCustomer::Skip)
            return Outcome::Skipped;
        writer.update(rowid, *fields);
        return Outcome::Overwritten;
    }
    if (writer.members(name) >= kMaxFamilyMembers) {
        *reason = QStringLiteral("家族は%1人までです").arg(kMaxFamilyMembers);
        return Outcome::Refused;
    }
    writer.add(name, *categories, *fields);
    return Outcome::Added;
}

CsvImportReport::Status importRows(Database& db, const CsvTable& table, const MemberChoices& choices,
                                   const ImportProgress& progress, CsvImportReport* report)
{
    FamilyWriter writer(db);
    const FamilyColumns file(table.rows.front());
    const auto total = static_cast<qsizetype>(table.rows.size()) - 1;
    for (std::size_t i = 1; i < table.rows.size(); ++i) {
        const auto done = static_cast<qsizetype>(i) - 1;
        if (progress && done % 200 == 0 && !progress(done, total))
            return CsvImportReport::Status::Cancelled;
        const QStringList& cells = table.rows[i];
        if (allCellsEmpty(cells))
            continue;
        QString reason;
        switch (importMember(writer, cells, file, choices, &reason)) {
        case Outcome::Added:
            ++report->added;
            break;
        case Outcome::Overwritten:
            ++report->overwritten;
            break;
        case Outcome::Skipped:
            ++report->skipped;
            break;
        case Outcome::Refused:
            report->refused.push_back(
                {static_cast<int>(i) + 1, importedCell(kName, cells.value(file.nameColumn)), reason});
            break;
        }
    }
    if (progress && !progress(total, total))
        return CsvImportReport::Status::Cancelled;
    return CsvImportReport::Status::Done;
}

} // namespace

CsvImportReport importFamily(const QString& dataFile, const CsvTable& table, ExistingCustomer existing,
                             const QString& defaultSex, const ImportProgress& progress)
{
    if (table.rows.empty() || !isFamilyHeading(table.rows.front()))
        return {};
    return importInOneTransaction(dataFile, [&](Database& db, CsvImportReport* report) {
        return importRows(db, table, MemberChoices{existing, defaultSex}, progress, report);
    });
}

} // namespace rov2
