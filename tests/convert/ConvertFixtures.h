#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <vector>

namespace rov2::test {

/// A file of tests/fixtures/jet.
QString jetFixture(const QString& name);

/// Runs one of mdbtools' command-line tools and returns what it wrote, with
/// Jet 3 text read in @p codePage. Fails the test when the tool cannot run.
QByteArray runMdbTool(const QString& tool, const QStringList& args, const QString& codePage);

/// One field of a CSV file: its text, and whether it was written in quotes.
struct CsvCell {
    QString text;
    bool quoted = false;
};

/// Splits CSV text (quoted fields may hold commas, doubled quotes and line breaks) into rows.
std::vector<std::vector<CsvCell>> parseCsv(const QString& text);

/// One table of an SQLite file a test builds: untyped columns and rows of values in their order.
struct SqliteTable {
    QString name;
    QStringList columns;
    std::vector<QVariantList> rows;
};

/// Creates an SQLite file holding @p tables.
void writeSqliteFile(const QString& path, const std::vector<SqliteTable>& tables);

} // namespace rov2::test

namespace rov2::test {

/// Every row of every table of the data file layout in @p path, in stored
/// order, as text that tells Null from the empty text: for comparing a file before and after.
QString dumpDataFile(const QString& path);

/// The fields of the previous version's tables, in the order a test gives their values.
QStringList oldCompanyColumns();
QStringList oldCodeColumns();
QStringList oldCustomerColumns();

} // namespace rov2::test
