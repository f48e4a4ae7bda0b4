#include "CustomerCsvImport.h"

#include "CsvFieldNames.h"
#include "Database.h"
#include "DateText.h"
#include "JapaneseDate.h"

#include <QtDebug>
#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Statement.h>
#include <algorithm>
#include <memory>

namespace rov2 {
namespace {

const QString kName = QStringLiteral("名称");
const QString kBirth = QStringLiteral("生年月日");
const QString kMonth = QStringLiteral("誕生月");
const QString kAge = QStringLiteral("年齢");
const QString kSex = QStringLiteral("性別");
const QString kQuick = QStringLiteral("クイック");

/// A whole number typed in a cell, full-width digits too.
std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int n = text.normalized(QString::NormalizationForm_KC).trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

/// The spellings of the sex that spreadsheets use, to the stored "男" / "女".
QString storedSex(const QString& text)
{
    const QString t = text.trimmed();
    if (t == QStringLiteral("男性"))
        return QStringLiteral("男");
    if (t == QStringLiteral("女性"))
        return QStringLiteral("女");
    return text;
}

bool allEmpty(const QStringList& cells)
{
    for (const QString& c : cells)
        if (!c.trimmed().isEmpty())
            return false;
    return true;
}

QString numberFields(QVariantMap* fields, QString* reason)
{
    for (const QString& f : {kMonth, kAge}) {
        if (!fields->contains(f))
            continue;
        const auto n = wholeNumber(fields->value(f).toString());
        const bool inRange = n && (f == kMonth ? (*n >= 1 && *n <= 12) : (*n >= 0 && *n < 200));
        if (!inRange)
            return *reason = QStringLiteral("%1「%2」が数ではありません").arg(f, fields->value(f).toString());
        fields->insert(f, *n);
    }
    return {};
}

/// 生年月日 in its stored form, with the birth month and (unless the row
/// gives one) the age that go with it.
bool birthFields(QVariantMap* fields, QString* reason)
{
    if (!fields->contains(kBirth))
        return true;
    const QString typed = fields->value(kBirth).toString();
    const auto date = readTypedDate(typed.trimmed());
    if (!date) {
        *reason = QStringLiteral("生年月日「%1」が日付ではありません").arg(typed);
        return false;
    }
    fields->insert(kBirth, toStoredDate(*date));
    fields->insert(kMonth, date->month());
    if (!fields->contains(kAge))
        fields->insert(kAge, ageOn(*date, Clock::today()));
    return true;
}

/// The prepared statements of one import, made once: 100,000 rows would
/// otherwise spend most of their time compiling SQL.
class Writer
{
public:
    explicit Writer(Database& db) : db_(db)
    {
        QStringList marks;
        QStringList cols;
        for (const QString& f : importableFields()) {
            cols << QLatin1Char('"') + f + QLatin1Char('"');
            marks << QStringLiteral("?");
        }
        find_ = std::make_unique<SQLite::Statement>(
            db.native(), "SELECT rowid FROM 顧客マスタ WHERE 名称 = ? ORDER BY rowid LIMIT 1");
        insert_ = std::make_unique<SQLite::Statement>(
            db.native(), (QStringLiteral("INSERT INTO 顧客マスタ (") + cols.join(QLatin1Char(',')) +
                          QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'))
                             .toStdString());
    }

    /// The rowid of the first customer with that name, or -1.
    qint64 find(const QString& name)
    {
        find_->reset();
        bindAll(*find_, {name});
        const qint64 id = find_->executeStep() ? find_->getColumn(0).getInt64() : -1;
        find_->reset();
        return id;
    }

    void insert(const QVariantMap& fields)
    {
        QVariantList values;
        for (const QString& f : importableFields())
            values << fields.value(f);
        insert_->reset();
        insert_->clearBindings();
        bindAll(*insert_, values);
        insert_->exec();
    }

    void update(qint64 rowid, const QVariantMap& fields)
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

private:
    Database& db_;
    std::unique_ptr<SQLite::Statement> find_;
    std::unique_ptr<SQLite::Statement> insert_;
};

/// Imports the rows; throws on a failing statement.
CsvImportReport::Status importRows(Database& db, const CsvTable& table, const CsvImportOptions& options,
                                   const ImportProgress& progress, CsvImportReport* report)
{
    Writer writer(db);
    const std::size_t first = options.firstRowIsHeading ? 1 : 0;
    const qsizetype total = static_cast<qsizetype>(table.rows.size() - std::min(first, table.rows.size()));
    for (std::size_t i = first; i < table.rows.size(); ++i) {
        const qsizetype done = static_cast<qsizetype>(i - first);
        if (progress && done % 200 == 0 && !progress(done, total))
            return CsvImportReport::Status::Cancelled;
        const QStringList& cells = table.rows[i];
        if (allEmpty(cells))
            continue;
        QString reason;
        auto fields = customerFromRow(cells, options.mapping, &reason);
        if (!fields) {
            const auto nameColumn = std::find(options.mapping.begin(), options.mapping.end(), kName);
            const auto col = static_cast<qsizetype>(nameColumn - options.mapping.begin());
            report->refused.push_back({static_cast<int>(i) + 1, cells.value(col), reason});
            continue;
        }
        const qint64 existing = writer.find(fields->value(kName).toString());
        if (existing < 0) {
            if (!fields->contains(kQuick))
                fields->insert(kQuick, QStringLiteral("しない"));
            if (!fields->contains(kSex) && !options.defaultSex.isEmpty())
                fields->insert(kSex, options.defaultSex);
            writer.insert(*fields);
            ++report->added;
        } else if (options.existing == ExistingCustomer::Overwrite) {
            writer.update(existing, *fields);
            ++report->overwritten;
        } else {
            ++report->skipped;
        }
    }
    if (progress && !progress(total, total))
        return CsvImportReport::Status::Cancelled;
    return CsvImportReport::Status::Done;
}

} // namespace

std::optional<QVariantMap> customerFromRow(const QStringList& cells, const std::vector<QString>& mapping,
                                           QString* reason)
{
    QVariantMap fields;
    for (std::size_t c = 0; c < mapping.size(); ++c) {
        const QString value = cells.value(static_cast<qsizetype>(c));
        if (!mapping[c].isEmpty() && !value.isEmpty())
            fields.insert(mapping[c], mapping[c] == kSex ? storedSex(value) : value);
    }
    const QString name = fields.value(kName).toString();
    if (name.trimmed().isEmpty()) {
        *reason = QStringLiteral("名称がありません");
        return std::nullopt;
    }
    if (name.toUcs4().size() > kMaxNameLength) {
        *reason = QStringLiteral("名称が%1文字を超えています").arg(kMaxNameLength);
        return std::nullopt;
    }
    if (!numberFields(&fields, reason).isEmpty() || !birthFields(&fields, reason))
        return std::nullopt;
    return fields;
}

CsvImportReport importCustomers(const QString& dataFile, const CsvTable& table,
                                const CsvImportOptions& options, const ImportProgress& progress)
{
    CsvImportReport report;
    auto db = Database::open(dataFile);
    if (!db)
        return report;
    Transaction tx(*db);
    if (!tx.active())
        return report;
    try {
        report.status = importRows(*db, table, options, progress, &report);
    } catch (const std::exception& e) {
        db->fail(QStringLiteral("CSV import"), QString::fromUtf8(e.what()));
        report.status = CsvImportReport::Status::Failed;
    }
    if (report.status == CsvImportReport::Status::Done && !tx.commit())
        report.status = CsvImportReport::Status::Failed;
    if (report.status != CsvImportReport::Status::Done) {
        // Rolled back: nothing of it is in the file.
        report.added = report.overwritten = report.skipped = 0;
    }
    return report;
}

} // namespace rov2
