#include "ArchiveTestSupport.h"
#include "LzhArchiveReader.h"
#include "Unlha.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <functional>
#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

// A small but real customer database file.
Bytes sqliteFile(const std::filesystem::path& scratch)
{
    const std::filesystem::path file = scratch / "sample.sqlite";
    {
        SQLite::Database db(file.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec("CREATE TABLE 顧客 (番号 INTEGER PRIMARY KEY, 氏名 TEXT, 住所 TEXT, 電話 TEXT, 金額 REAL)");
        db.exec("CREATE INDEX 顧客氏名 ON 顧客 (氏名)");
        SQLite::Transaction transaction(db);
        SQLite::Statement insert(db, "INSERT INTO 顧客 VALUES (?, ?, ?, ?, ?)");
        const char* const family[] = {"佐藤", "鈴木", "高橋", "田中", "渡辺"};
        for (int i = 1; i <= 3000; ++i) {
            insert.bind(1, i);
            insert.bind(2, std::string(family[i % 5]) + " 太郎" + std::to_string(i % 97));
            insert.bind(3, "東京都中央区本町" + std::to_string(i % 9 + 1) + "丁目" + std::to_string(i % 31) +
                               "番");
            insert.bind(4, "03-" + std::to_string(1000 + i % 9000) + "-" + std::to_string(2000 + i));
            insert.bind(5, i * 1.5);
            insert.exec();
            insert.reset();
        }
        transaction.commit();
    }
    return readFile(file);
}

struct DataSet
{
    const char* name;
    std::function<Bytes(const std::filesystem::path&)> make;
    const char* method; // the method our writer must choose
};

struct Reader
{
    const char* name;
    const char* program; // empty: our own reader
    // Shell commands, with %A for the archive and %D for the target folder.
    const char* test;
    const char* extract;
};

void PrintTo(const DataSet& d, std::ostream* os)
{
    *os << d.name;
}

void PrintTo(const Reader& r, std::ostream* os)
{
    *os << r.name;
}

std::string expand(std::string text, const std::filesystem::path& archive,
                   const std::filesystem::path& folder)
{
    for (auto [key, value] : {std::pair{"%A", archive.string()}, std::pair{"%D", folder.string()}})
        for (std::size_t at; (at = text.find(key)) != std::string::npos;)
            text.replace(at, 2, shellQuote(value));
    return text;
}

const DataSet kDataSets[] = {
    {"Empty", [](const auto&) { return Bytes{}; }, "-lh0-"},
    {"OneByte", [](const auto&) { return Bytes{'x'}; }, "-lh0-"},
    {"Repetitive", [](const auto&) { return Bytes(300000, 0); }, "-lh5-"},
    {"Random", [](const auto&) { return randomBytes(200000); }, "-lh0-"},
    {"SQLite", sqliteFile, "-lh5-"},
    {"WindowMinusOne", [](const auto&) { return recordText(8191); }, "-lh5-"},
    {"Window", [](const auto&) { return recordText(8192); }, "-lh5-"},
    {"WindowPlusOne", [](const auto&) { return recordText(8193); }, "-lh5-"},
    {"FullBlock", [](const auto&) { return lowEntropyBytes(65535); }, "-lh5-"},
    {"FullBlockPlusOne", [](const auto&) { return lowEntropyBytes(65536); }, "-lh5-"},
    {"ManyBlocks", [](const auto&) { return lowEntropyBytes(5 * 65536 + 4097); }, "-lh5-"},
    {"LargeText", [](const auto&) { return recordText(3'000'000); }, "-lh5-"},
};

const Reader kReaders[] = {
    {"Lhasa", "lhasa", "lhasa tq %A", "lhasa xfqw=%D %A"},
    {"SevenZip", "7z", "7z t %A", "7z x -y -o%D %A"},
    {"Bsdtar", "bsdtar", "bsdtar -tvf %A", "bsdtar -xf %A -C %D"},
    {"Ours", "", "", ""},
};

class ArchiveRoundTrip : public ::testing::TestWithParam<std::tuple<DataSet, Reader>>
{
};

TEST_P(ArchiveRoundTrip, ExtractsByteIdentical)
{
    const auto& [data, reader] = GetParam();
    if (*reader.program != '\0' && !haveProgram(reader.program))
        GTEST_SKIP() << reader.program << " is not installed";
    ScratchFolder scratch;
    const std::filesystem::path source = scratch / "顧客 データ";
    const std::filesystem::path target = scratch / "復元 先";
    std::filesystem::create_directories(source);
    std::filesystem::create_directories(target);
    const Bytes original = data.make(scratch.path());
    writeFile(source / "Rov2data.mdb", original);
    std::string report;
    ASSERT_EQ(Unlha(createCommand(source.string() + "/", "Rov2data.mdb", "rov2data.lzh"), report), 0)
        << report;
    const std::filesystem::path archive = source / "rov2data.lzh";
    LzhArchiveReader listing;
    ASSERT_TRUE(listing.open(archive) && listing.scan());
    EXPECT_EQ(listing.entries().at(0).summary.method, data.method);
    if (*reader.program == '\0') {
        std::filesystem::copy_file(archive, target / "rov2data.lzh");
        ASSERT_EQ(Unlha(extractCommand(target.string() + "/", "rov2data.lzh"), report), 0) << report;
    } else {
        ASSERT_EQ(run(expand(reader.test, archive, target)), 0) << reader.name << " rejects the archive";
        ASSERT_EQ(run(expand(reader.extract, archive, target)), 0) << reader.name << " cannot extract it";
    }
    const Bytes extracted = readFile(target / "Rov2data.mdb");
    ASSERT_EQ(extracted.size(), original.size());
    EXPECT_TRUE(extracted == original) << "extracted bytes differ";
}

INSTANTIATE_TEST_SUITE_P(DataAndReaders, ArchiveRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kDataSets), ::testing::ValuesIn(kReaders)),
                         [](const auto& row) {
                             return std::string(std::get<0>(row.param).name) + "_" +
                                    std::get<1>(row.param).name;
                         });

} // namespace
} // namespace rov2::archive::test
