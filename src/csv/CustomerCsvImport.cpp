#include "CustomerCsvImport.h"

#include "CsvFieldNames.h"
#include "CsvRowFields.h"
#include "CustomerImportWriter.h"
#include "CustomerRowReader.h"
#include "Database.h"
#include "FamilyCsvImport.h"
#include "JointNameFamily.h"

#include <QtDebug>
#include <algorithm>
#include <memory>

namespace rov2 {
namespace {

const QString kName = QStringLiteral("名称");
constexpr int kImportCacheKiB = 64 * 1024;
const QString kSex = QStringLiteral("性別");
const QString kQuick = QStringLiteral("クイック");

/// The joint names a row gives, taken out of its customer's fields.
QStringList takeJointNames(QVariantMap* fields)
{
    QStringList names;
    for (const QString& f : jointNameFields())
        if (fields->contains(f))
            names << fields->take(f).toString().trimmed();
    names.removeAll(QString());
    return names;
}

/// The rows of one import and where they go; throws on a failing statement.
class RowImport
{
public:
    RowImport(Database& db, const CsvTable& table, const CsvImportOptions& options, CsvImportReport* report)
        : options_(options), report_(report), writer_(db), family_(db),
          reader_(options,
                  options.firstRowIsHeading && !table.rows.empty() ? table.rows.front() : QStringList())
    {
    }

    void importRow(int row, const QStringList& cells, const QString& reasonBefore)
    {
        QString reason = reasonBefore;
        auto fields = reason.isEmpty() ? reader_.read(cells, &reason) : std::nullopt;
        if (!fields) {
            report_->refused.push_back({row, reader_.name(cells), reason});
            return;
        }
        const QStringList joint = takeJointNames(&*fields);
        const QString name = fields->value(kName).toString();
        const qint64 existing = writer_.find(name);
        if (existing >= 0 && options_.existing == ExistingCustomer::Skip) {
            ++report_->skipped;
            return;
        }
        if (existing < 0)
            add(&*fields);
        else
            overwrite(existing, *fields);
        if (!joint.isEmpty())
            addFamily(row, name, existing < 0 ? categoriesOf(*fields) : writer_.categories(existing), joint);
    }

private:
    static QVariantList categoriesOf(const QVariantMap& fields)
    {
        return {fields.value(QStringLiteral("区分1")), fields.value(QStringLiteral("区分2"))};
    }

    void add(QVariantMap* fields)
    {
        if (!fields->contains(kQuick))
            fields->insert(kQuick, QStringLiteral("しない"));
        if (!fields->contains(kSex) && !options_.defaultSex.isEmpty())
            fields->insert(kSex, options_.defaultSex);
        writer_.insert(*fields);
        ++report_->added;
    }

    void overwrite(qint64 rowid, const QVariantMap& fields)
    {
        writer_.update(rowid, fields);
        ++report_->overwritten;
    }

    void addFamily(int row, const QString& name, const QVariantList& categories, const QStringList& joint)
    {
        for (const QString& left : family_.add(name, categories, joint))
            report_->refused.push_back(
                {row, name,
                 QStringLiteral("連名「%1」：家族は%2人までです").arg(left).arg(kMaxFamilyMembers)});
        report_->familyAdded = family_.membersAdded();
    }

    const CsvImportOptions& options_;
    CsvImportReport* report_;
    CustomerImportWriter writer_;
    JointNameFamily family_;
    CustomerRowReader reader_;
};

/// Imports the rows; throws on a failing statement.
CsvImportReport::Status importRows(Database& db, const CsvTable& table, const CsvImportOptions& options,
                                   const ImportProgress& progress, CsvImportReport* report)
{
    RowImport rows(db, table, options, report);
    const std::size_t first = options.firstRowIsHeading ? 1 : 0;
    const qsizetype total = static_cast<qsizetype>(table.rows.size() - std::min(first, table.rows.size()));
    for (std::size_t i = first; i < table.rows.size(); ++i) {
        const qsizetype done = static_cast<qsizetype>(i - first);
        if (progress && done % 200 == 0 && !progress(done, total))
            return CsvImportReport::Status::Cancelled;
        const QStringList& cells = table.rows[i];
        if (!allCellsEmpty(cells))
            rows.importRow(table.lineOf(i), cells,
                           first > 0 ? widerThanHeading(cells, table.rows.front()) : QString());
    }
    if (progress && !progress(total, total))
        return CsvImportReport::Status::Cancelled;
    return CsvImportReport::Status::Done;
}

} // namespace

std::optional<QVariantMap> customerFromRow(const QStringList& cells, const CsvImportOptions& options,
                                           QString* reason)
{
    return CustomerRowReader(options, {}).read(cells, reason);
}

CsvImportReport importInOneTransaction(const QString& dataFile, const RowImporter& importRows)
{
    CsvImportReport report;
    auto db = Database::open(dataFile);
    if (!db)
        return report;
    // The whole import is one transaction: with SQLite's default page cache
    // of 2 MB, a large file's changes would spill to the journal and be read
    // back many times over before the commit.
    if (!db->execute(QStringLiteral("PRAGMA cache_size = -%1").arg(kImportCacheKiB)))
        qWarning("CSV import: the page cache stays at its default size");
    Transaction tx(*db);
    if (!tx.active())
        return report;
    try {
        report.status = importRows(*db, &report);
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

CsvImportReport importCustomers(const QString& dataFile, const CsvTable& table,
                                const CsvImportOptions& options, const ImportProgress& progress)
{
    if (!table.rows.empty() && isFamilyHeading(table.rows.front())) {
        qWarning("CSV import: a family file is not read as customers");
        return {};
    }
    return importInOneTransaction(dataFile, [&](Database& db, CsvImportReport* report) {
        return importRows(db, table, options, progress, report);
    });
}

} // namespace rov2
