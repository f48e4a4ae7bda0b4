// The Jet reader against mdbtools' own mdb-export, table by table, on real
// files written by the Windows engine.
#include "ConvertFixtures.h"
#include "JetFile.h"
#include "TableSource.h"
#include "TestNames.h"

#include <QDateTime>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cmath>

namespace rov2::test {
namespace {

using jet::JetFile;
using jet::JetOptions;

struct JetCase {
    const char* file;
    const char* codePage;
    int jetVersion;
};

std::ostream& operator<<(std::ostream& os, const JetCase& c) { return os << c.file; }

class JetAgainstMdbExport : public ::testing::TestWithParam<JetCase> {};

QStringList toolTables(const JetCase& c)
{
    const QString out = QString::fromUtf8(runMdbTool(QStringLiteral("mdb-tables"),
                                                     {QStringLiteral("-1"), jetFixture(QString::fromUtf8(c.file))},
                                                     QString::fromUtf8(c.codePage)));
    return out.split(u'\n', Qt::SkipEmptyParts);
}

// mdb-export writes Null as the bare marker below and cannot tell the empty
// text from Null, so either is accepted against it.
constexpr auto kNull = "NULL";
const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

/// Compares one value of ours with one field of mdb-export's CSV.
/// @return empty when they agree, else what differs.
QString compareCell(const QVariant& ours, const CsvCell& theirs, int* unformattedDates)
{
    const bool theirNull = !theirs.quoted && theirs.text == QLatin1String(kNull);
    if (ours.isNull() || (ours.typeId() == QMetaType::QString && ours.toString().isEmpty()))
        return theirNull || (theirs.quoted && theirs.text.isEmpty()) ? QString() : QStringLiteral("Null here");
    if (theirNull)
        return QStringLiteral("Null there");
    switch (ours.typeId()) {
    case QMetaType::QString: return ours.toString() == theirs.text ? QString() : QStringLiteral("text");
    case QMetaType::Int: // Yes/No: ours -1/0, theirs 1/0
        return (ours.toInt() == -1 ? QStringLiteral("1") : QStringLiteral("0")) == theirs.text ? QString()
                                                                                               : QStringLiteral("yes/no");
    case QMetaType::LongLong: return ours.toLongLong() == theirs.text.toLongLong() ? QString() : QStringLiteral("whole number");
    case QMetaType::Double: {
        const double a = ours.toDouble();
        const double b = theirs.text.toDouble();
        return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b)) ? QString() : QStringLiteral("number");
    }
    case QMetaType::QDateTime: {
        const QDateTime their = QDateTime::fromString(theirs.text, kDateFormat);
        if (!their.isValid()) {
            // libmdb formats dates only between 1900 and 9998 through struct tm; ours must still be a date.
            ++*unformattedDates;
            return ours.toDateTime().isValid() ? QString() : QStringLiteral("date");
        }
        return ours.toDateTime() == their ? QString() : QStringLiteral("date");
    }
    case QMetaType::QByteArray:
        return ours.toByteArray().toHex().toUpper() == theirs.text.toLatin1().toUpper() ? QString()
                                                                                         : QStringLiteral("binary");
    default: return QStringLiteral("unexpected type ") + QString::fromLatin1(ours.typeName());
    }
}

TEST_P(JetAgainstMdbExport, tablesAreTheToolsTables)
{
    const JetCase c = GetParam();
    QString error;
    auto file = JetFile::open(jetFixture(QString::fromUtf8(c.file)), JetOptions{QString::fromUtf8(c.codePage)}, &error);
    ASSERT_TRUE(file) << error.toStdString();
    EXPECT_EQ(file->jetVersion(), c.jetVersion);
    const QStringList expected = toolTables(c);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(file->tableNames(), expected);
}

TEST_P(JetAgainstMdbExport, everyRowOfEveryTableMatches)
{
    const JetCase c = GetParam();
    const QString path = jetFixture(QString::fromUtf8(c.file));
    QString error;
    auto file = JetFile::open(path, JetOptions{QString::fromUtf8(c.codePage)}, &error);
    ASSERT_TRUE(file) << error.toStdString();
    int unformattedDates = 0;
    for (const QString& tableName : toolTables(c)) {
        SCOPED_TRACE(tableName.toStdString());
        const QByteArray csv = runMdbTool(
            QStringLiteral("mdb-export"),
            {QStringLiteral("-0"), QString::fromLatin1(kNull), QStringLiteral("-b"), QStringLiteral("hex"),
             QStringLiteral("-D"), QStringLiteral("%Y-%m-%d %H:%M:%S"), QStringLiteral("-T"),
             QStringLiteral("%Y-%m-%d %H:%M:%S"), path, tableName},
            QString::fromUtf8(c.codePage));
        const auto rows = parseCsv(QString::fromUtf8(csv));
        ASSERT_FALSE(rows.empty());
        auto table = file->openTable(tableName, &error);
        ASSERT_TRUE(table) << error.toStdString();
        QStringList header;
        for (const CsvCell& h : rows.front())
            header << h.text;
        ASSERT_EQ(table->fieldNames(), header);

        size_t n = 1;
        while (table->next()) {
            ASSERT_LT(n, rows.size()) << "more rows than mdb-export";
            const auto& theirs = rows[n];
            ASSERT_EQ(static_cast<int>(theirs.size()), header.size()) << "row " << n;
            for (int i = 0; i < header.size(); ++i) {
                const QString diff = compareCell(table->value(i), theirs[i], &unformattedDates);
                EXPECT_TRUE(diff.isEmpty()) << "row " << n << " field " << header.at(i).toStdString() << ": "
                                            << diff.toStdString() << " ours '"
                                            << table->value(i).toString().toStdString() << "' theirs '"
                                            << theirs[i].text.toStdString() << "'";
            }
            ++n;
        }
        EXPECT_EQ(n, rows.size()) << "fewer rows than mdb-export";
    }
    // Only the date test file holds dates libmdb cannot format (before 1900, year 9999).
    if (QByteArray(c.file) == "DateTestDatabase.mdb")
        EXPECT_GT(unformattedDates, 0);
    else
        EXPECT_EQ(unformattedDates, 0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, JetAgainstMdbExport,
                         ::testing::Values(JetCase{"nwind.mdb", "CP1252", 3},
                                           JetCase{"DateTestDatabase.mdb", "CP932", 4}),
                         [](const ::testing::TestParamInfo<JetCase>& p) { return p.param.jetVersion == 3 ? "Jet3" : "Jet4"; });

TEST(JetDatesOfTheEngine, datesOutsideWhatLibmdbFormatsStillRead)
{
    // The rows name what their dates hold; mdb-export prints these wrongly.
    auto file = JetFile::open(jetFixture(QStringLiteral("DateTestDatabase.mdb")));
    ASSERT_TRUE(file);
    auto table = file->openTable(QStringLiteral("DateTest"));
    ASSERT_TRUE(table);
    QMap<QString, int> years;
    while (table->next())
        years.insert(table->value(QStringLiteral("LongTextCol")).toString(),
                     table->value(QStringLiteral("DateTimeCol")).toDateTime().date().year());
    EXPECT_EQ(years.value(QStringLiteral("Year 9999")), 9999);
    EXPECT_LT(years.value(QStringLiteral("Pre-1900 years")), 1900);
    EXPECT_GT(years.value(QStringLiteral("Pre-1900 years")), 1000);
    EXPECT_LT(years.value(QStringLiteral("Pre-1000 years")), 1000);
    EXPECT_EQ(years.value(QStringLiteral("Hello")), 2021);
}

TEST(JetCodePage, jet3TextFollowsTheSetting)
{
    // "Umsätze" was written in Windows-1252; read as Japanese text it is something else,
    // and exactly what mdbtools makes of it under the same setting.
    QString error;
    auto western = JetFile::open(jetFixture(QStringLiteral("nwind.mdb")), JetOptions{QStringLiteral("CP1252")}, &error);
    ASSERT_TRUE(western) << error.toStdString();
    EXPECT_TRUE(western->tableNames().contains(QStringLiteral("Umsätze")));

    auto japanese = JetFile::open(jetFixture(QStringLiteral("nwind.mdb")), JetOptions{}, &error);
    ASSERT_TRUE(japanese) << error.toStdString();
    EXPECT_FALSE(japanese->tableNames().contains(QStringLiteral("Umsätze")));
    EXPECT_EQ(japanese->tableNames(), toolTables(JetCase{"nwind.mdb", "CP932", 3}));
}

TEST(JetCodePage, jet4TextIgnoresTheSetting)
{
    QStringList memo[2];
    const char* pages[] = {"CP932", "CP1252"};
    for (int i = 0; i < 2; ++i) {
        auto file = JetFile::open(jetFixture(QStringLiteral("DateTestDatabase.mdb")),
                                  JetOptions{QString::fromLatin1(pages[i])});
        ASSERT_TRUE(file);
        auto table = file->openTable(QStringLiteral("datetest")); // names match without regard to case
        ASSERT_TRUE(table);
        while (table->next())
            memo[i] << table->value(QStringLiteral("LongTextCol")).toString();
    }
    EXPECT_EQ(memo[0], memo[1]);
    EXPECT_TRUE(memo[0].contains(QStringLiteral("New line\r\nin field")) ||
                memo[0].contains(QStringLiteral("New line\nin field")));
}

TEST(JetCodePage, settingDoesNotLeakIntoTheEnvironment)
{
    qunsetenv("MDB_JET3_CHARSET");
    ASSERT_TRUE(JetFile::open(jetFixture(QStringLiteral("nwind.mdb")), JetOptions{QStringLiteral("CP1252")}));
    EXPECT_FALSE(qEnvironmentVariableIsSet("MDB_JET3_CHARSET"));
}

struct DateCase {
    double stored;
    const char* expected; // empty: no date
};

class JetDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(JetDates, storedDaysBecomeDates)
{
    const QDateTime got = jet::dateFromJet(GetParam().stored);
    if (*GetParam().expected == '\0')
        EXPECT_FALSE(got.isValid());
    else
        EXPECT_EQ(got.toString(kDateFormat).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Days, JetDates,
                         ::testing::Values(DateCase{0.0, "1899-12-30 00:00:00"}, DateCase{1.5, "1899-12-31 12:00:00"},
                                           // before the epoch the fraction still counts forward from midnight
                                           DateCase{-1.25, "1899-12-29 06:00:00"},
                                           DateCase{44532.0, "2021-12-02 00:00:00"},
                                           DateCase{2958465.5, "9999-12-31 12:00:00"},
                                           // 23:59:59.9 on the last day rounds past the last day
                                           DateCase{2958465.999999, ""},
                                           DateCase{2958466.0, ""}, DateCase{-700000.0, ""},
                                           DateCase{std::nan(""), ""}, DateCase{-1.5e107, ""},
                                           DateCase{1e19, ""}),
                         FieldName<&DateCase::stored>());

TEST(SourceKind, firstBytesTellTheKind)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString text = dir.filePath(QStringLiteral("Rov2Data.mdb"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Standard Jet DB but not at the right place");
    f.close();
    const QString sqlite = dir.filePath(QStringLiteral("old.mdb"));
    writeSqliteFile(sqlite, {{QStringLiteral("t"), {QStringLiteral("a")}, {}}});

    EXPECT_EQ(sniffSourceKind(jetFixture(QStringLiteral("nwind.mdb"))), SourceKind::Jet);
    EXPECT_EQ(sniffSourceKind(jetFixture(QStringLiteral("DateTestDatabase.mdb"))), SourceKind::Jet);
    EXPECT_EQ(sniffSourceKind(sqlite), SourceKind::Sqlite);
    EXPECT_EQ(sniffSourceKind(text), SourceKind::Unknown);
    EXPECT_EQ(sniffSourceKind(dir.filePath(QStringLiteral("none.mdb"))), SourceKind::Missing);

    QString error;
    SourceKind kind = SourceKind::Jet;
    EXPECT_FALSE(openTableSource(text, {}, &error, &kind));
    EXPECT_EQ(kind, SourceKind::Unknown);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(JetFile::open(text, {}, &error));
}

class DamagedJet : public ::testing::TestWithParam<int> {};

TEST_P(DamagedJet, truncatedFileIsRefusedOrReadToAnEnd)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile whole(jetFixture(QStringLiteral("nwind.mdb")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QString path = dir.filePath(QStringLiteral("cut.mdb"));
    QFile cut(path);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(GetParam()));
    cut.close();

    auto source = openTableSource(path, SourceOptions{QStringLiteral("CP1252")});
    if (GetParam() % 2048 != 0) {
        EXPECT_FALSE(source) << "cut inside a page";
        return;
    }
    if (!source)
        return; // refused: fine
    for (const QString& name : source->tableNames()) {
        auto rows = source->openTable(name);
        if (!rows)
            continue;
        qint64 n = 0;
        while (rows->next())
            ++n;
        EXPECT_LT(n, 100000) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(CutAt, DamagedJet, ::testing::Values(2048, 4096, 10000, 40000, 300000, 1500000,
                                                            200704, 1001472, 1499136),
                         ValueName{"Byte"});

// libmdb gives a memo whose page it cannot read as the empty text.
TEST(DamagedJetValue, aMemoOnAPageTheFileLacksStopsTheTable)
{
    QFile whole(jetFixture(QStringLiteral("nwind.mdb")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QByteArray bytes = whole.readAll();
    // One employee's Notes in the fixture: a memo kept on page 175, sent past the file's end.
    constexpr qsizetype kNotes = 108 * 2048 + 753;
    ASSERT_EQ(qFromLittleEndian<quint32>(bytes.constData() + kNotes), 0x4000005fu);
    ASSERT_EQ(qFromLittleEndian<quint32>(bytes.constData() + kNotes + 4) >> 8, 175u);
    qToLittleEndian<quint32>(static_cast<quint32>(bytes.size() / 2048 + 10) << 8, bytes.data() + kNotes + 4);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile damaged(dir.filePath(QStringLiteral("notes.mdb")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    ASSERT_EQ(damaged.write(bytes), bytes.size());
    damaged.close();

    auto file = JetFile::open(damaged.fileName(), JetOptions{QStringLiteral("CP1252")});
    ASSERT_TRUE(file);
    auto employees = file->openTable(QStringLiteral("Employees"));
    ASSERT_TRUE(employees);
    while (employees->next()) {
    }
    EXPECT_EQ(employees->fault(), jet::JetTable::Fault::ValueMissing);
    EXPECT_FALSE(file->readsWhole());
}

// A copy of the Jet 4 fixture in @p dir with the byte at @p at changed from
// @p was to @p now; empty when the fixture does not hold @p was there.
QString damagedDateTest(const QTemporaryDir& dir, qsizetype at, char was, char now)
{
    QFile whole(jetFixture(QStringLiteral("DateTestDatabase.mdb")));
    if (!whole.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = whole.readAll();
    if (bytes.at(at) != was)
        return {};
    bytes[at] = now;
    QFile damaged(dir.filePath(QStringLiteral("damaged.mdb")));
    if (!damaged.open(QIODevice::WriteOnly) || damaged.write(bytes) != bytes.size())
        return {};
    return damaged.fileName();
}

// libmdb takes a row's value offsets as they stand; one sent past the page
// must not be read from beyond it.
TEST(DamagedJetValue, aRowPointingOutsideItsPageMakesTheFileUnreadable)
{
    QTemporaryDir dir;
    // The high byte of a value's offset in row 18 of the access rights
    // (MSysACEs, page 35), now 12 KB on.
    const QString path = damagedDateTest(dir, 35 * 4096 + 3369, 0, 0x31);
    ASSERT_FALSE(path.isEmpty());

    auto file = JetFile::open(path);
    ASSERT_TRUE(file);
    QString error;
    EXPECT_FALSE(file->readsWhole(&error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("MSysACEs: row 18 "))) << error.toStdString();
}

// libmdb walks the property blocks of the catalogue trusting their lengths, and
// goes on through catalogue rows this reader cannot check: either kept it
// reading the same bytes for ever.
struct CatalogueDamage {
    const char* name;
    qsizetype at;
    char was;
    char now;
};

class DamagedJetCatalogue : public ::testing::TestWithParam<CatalogueDamage> {};

TEST_P(DamagedJetCatalogue, isRefusedAtOpening)
{
    QTemporaryDir dir;
    const QString path = damagedDateTest(dir, GetParam().at, GetParam().was, GetParam().now);
    ASSERT_FALSE(path.isEmpty());

    QString error;
    EXPECT_FALSE(JetFile::open(path, {}, &error));
    EXPECT_TRUE(error.endsWith(QStringLiteral("catalogue is damaged"))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, DamagedJetCatalogue,
    ::testing::Values(
        // The length of a value in a property block on page 36.
        CatalogueDamage{"propertyOfLengthZero", 36 * 4096 + 3898, 12, 0},
        // The high byte of the first value's offset in the first row of MSysObjects (page 17).
        CatalogueDamage{"rowPointingOutsideItsPage", 17 * 4096 + 4090, 0, 0x31}),
    FieldName<&CatalogueDamage::name>());

TEST(TableSourceOfJet, readsLikeTheReader)
{
    auto source = openTableSource(jetFixture(QStringLiteral("nwind.mdb")), SourceOptions{QStringLiteral("CP1252")});
    ASSERT_TRUE(source);
    EXPECT_EQ(source->kind(), SourceKind::Jet);
    EXPECT_EQ(source->findTable(QStringLiteral("SHIPPERS")), QStringLiteral("Shippers"));
    auto rows = source->openTable(QStringLiteral("shippers"));
    ASSERT_TRUE(rows);
    QStringList names;
    while (rows->next())
        names << rows->value(QStringLiteral("CompanyName")).toString();
    EXPECT_FALSE(rows->failed());
    EXPECT_EQ(names, (QStringList{QStringLiteral("Speedy Express"), QStringLiteral("United Package"),
                                  QStringLiteral("Federal Shipping")}));
    EXPECT_FALSE(source->openTable(QStringLiteral("顧客マスタ")));
}

} // namespace
} // namespace rov2::test
