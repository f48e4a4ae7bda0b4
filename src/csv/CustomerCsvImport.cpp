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
#include <utility>

namespace rov2 {
namespace {

constexpr int kImportCacheKiB = 64 * 1024;

/// The places in a row of the fields an import itself reads or sets.
struct Slots
{
    std::size_t name = FieldLayout::slotOf(u"名称");
    std::size_t sex = FieldLayout::slotOf(u"性別");
    std::size_t quick = FieldLayout::slotOf(u"クイック");
    std::size_t category1 = FieldLayout::slotOf(u"区分1");
    std::size_t category2 = FieldLayout::slotOf(u"区分2");
    std::size_t jointNames = FieldLayout::slotOf(u"連名1"); ///< 連名1 to 連名5 stand side by side
};

/// The rows of one import and where they go; throws on a failing statement.
class RowImport
{
public:
    RowImport(Database& db, const CsvTable& table, const CsvImportOptions& options, CsvImportReport* report)
        : options_(options), report_(report),
          reader_(options,
                  options.firstRowIsHeading && !table.rows.empty() ? table.rows.front() : QStringList()),
          writer_(db, reader_.layout()), family_(db), row_(reader_.layout().emptyRow())
    {
    }

    void importRow(int row, const QStringList& cells, const QString& reasonBefore)
    {
        QString reason = reasonBefore;
        if (!reason.isEmpty() || !reader_.read(cells, &row_, &reason)) {
            report_->refused.push_back({row, reader_.name(cells), reason});
            return;
        }
        const QStringList joint = takeJointNames();
        const QString name = row_[slots_.name].toString();
        const qint64 existing = writer_.find(name);
        if (existing >= 0 && options_.existing == ExistingCustomer::Skip) {
            ++report_->skipped;
            return;
        }
        if (existing < 0)
            add();
        else
            overwrite(existing);
        if (!joint.isEmpty())
            addFamily(row, name, existing < 0 ? categories() : writer_.categories(existing), joint);
    }

private:
    /// The joint names the row gives, taken out of its customer's fields.
    QStringList takeJointNames()
    {
        QStringList names;
        for (std::size_t i = slots_.jointNames; i < slots_.jointNames + jointNameFields().size(); ++i)
            if (row_[i].isValid())
                names << std::exchange(row_[i], QVariant()).toString().trimmed();
        names.removeAll(QString());
        return names;
    }

    QVariantList categories() const { return {row_[slots_.category1], row_[slots_.category2]}; }

    void add()
    {
        if (!row_[slots_.quick].isValid())
            row_[slots_.quick] = QStringLiteral("しない");
        if (!row_[slots_.sex].isValid() && !options_.defaultSex.isEmpty())
            row_[slots_.sex] = options_.defaultSex;
        writer_.insert(row_);
        ++report_->added;
    }

    void overwrite(qint64 rowid)
    {
        writer_.update(rowid, row_);
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
    CustomerRowReader reader_;
    CustomerImportWriter writer_;
    JointNameFamily family_;
    const Slots slots_;
    FieldValues row_; ///< the row being imported, its array reused for the next
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
