#include "Unlha.h"

#include "ArchiveReport.h"
#include "ArchiveTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

bool validUtf8(const char* text)
{
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p != 0;) {
        const int extra = *p < 0x80           ? 0
                          : (*p >> 5) == 0x6  ? 1
                          : (*p >> 4) == 0xE  ? 2
                          : (*p >> 3) == 0x1E ? 3
                                              : -1;
        if (extra < 0)
            return false;
        ++p;
        for (int i = 0; i < extra; ++i, ++p)
            if ((*p & 0xC0) != 0x80)
                return false;
    }
    return true;
}

class UnlhaEntry : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder_ = (scratch_ / "顧客 データ").string() + "/";
        std::filesystem::create_directories(folder_);
        data_ = recordText(250000, 31);
        writeFile(folder_ + "Rov2data.mdb", data_);
    }

    int call(const std::string& line, std::size_t bufferSize = 1024)
    {
        std::vector<char> buffer(bufferSize + 1, '#');
        const int result = Unlha(nullptr, line, buffer.data(), bufferSize);
        EXPECT_EQ(buffer[bufferSize], '#') << "wrote past the buffer";
        output_ = bufferSize > 0 ? std::string(buffer.data()) : std::string();
        return result;
    }

    ScratchFolder scratch_;
    std::string folder_;
    Bytes data_;
    std::string output_;
};

TEST_F(UnlhaEntry, BacksUpAndRestoresWithTheApplicationsCommandLines)
{
    ASSERT_EQ(call(createCommand(folder_, "Rov2data.mdb", "rov2data.lzh")), UnlhaOk) << output_;
    EXPECT_NE(output_.find("Rov2data.mdb"), std::string::npos);
    EXPECT_NE(output_.find("250,000"), std::string::npos) << output_;
    EXPECT_NE(output_.find("%"), std::string::npos);
    std::filesystem::remove(folder_ + "Rov2data.mdb");
    ASSERT_EQ(call(extractCommand(folder_, "rov2data.lzh")), UnlhaOk) << output_;
    EXPECT_NE(output_.find("Rov2data.mdb"), std::string::npos);
    EXPECT_TRUE(readFile(folder_ + "Rov2data.mdb") == data_);
    EXPECT_EQ(listing(folder_), (std::set<std::string>{"Rov2data.mdb", "rov2data.lzh"}));
}

TEST_F(UnlhaEntry, RestoreReplacesAnExistingFileAndKeepsItsTime)
{
    ASSERT_EQ(call(createCommand(folder_, "Rov2data.mdb", "rov2data.lzh")), UnlhaOk);
    const auto stamp = std::filesystem::last_write_time(folder_ + "Rov2data.mdb");
    writeFile(folder_ + "Rov2data.mdb", recordText(10, 1));
    ASSERT_EQ(call(extractCommand(folder_, "rov2data.lzh")), UnlhaOk) << output_;
    EXPECT_TRUE(readFile(folder_ + "Rov2data.mdb") == data_);
    EXPECT_EQ(std::chrono::duration_cast<std::chrono::seconds>(
                  std::filesystem::last_write_time(folder_ + "Rov2data.mdb") - stamp)
                  .count(),
              0);
}

TEST_F(UnlhaEntry, AMissingSourceLeavesNoArchive)
{
    EXPECT_EQ(call(createCommand(folder_, "Missing.mdb", "rov2data.lzh")), UnlhaFailed);
    EXPECT_NE(output_.find("エラー"), std::string::npos);
    EXPECT_EQ(listing(folder_), std::set<std::string>{"Rov2data.mdb"});
}

TEST_F(UnlhaEntry, DoesNotOverwriteAnExistingArchive)
{
    writeFile(folder_ + "rov2data.lzh", Bytes{1, 2, 3});
    EXPECT_EQ(call(createCommand(folder_, "Rov2data.mdb", "rov2data.lzh")), UnlhaFailed);
    EXPECT_TRUE(readFile(folder_ + "rov2data.lzh") == (Bytes{1, 2, 3}));
}

TEST_F(UnlhaEntry, RefusesToStoreSubFolderNames)
{
    EXPECT_EQ(
        call("a \"" + folder_ + "x.lzh\" \"" + scratch_.path().string() + "/\" \"顧客 データ/Rov2data.mdb\""),
        UnlhaFailed);
    EXPECT_FALSE(std::filesystem::exists(folder_ + "x.lzh"));
}

TEST_F(UnlhaEntry, ExtractsOnlyMatchingMembers)
{
    writeFile(folder_ + "other.txt", recordText(500, 2));
    ASSERT_EQ(call("a \"" + folder_ + "two.lzh\" \"" + folder_ + "\" \"Rov2data.mdb\" \"other.txt\""),
              UnlhaOk);
    const std::string out = (scratch_ / "out").string() + "/";
    std::filesystem::create_directories(out);
    ASSERT_EQ(call("x \"" + folder_ + "two.lzh\" \"" + out + "\" \"*.TXT\""), UnlhaOk) << output_;
    EXPECT_EQ(listing(out), std::set<std::string>{"other.txt"});
    EXPECT_EQ(call("x \"" + folder_ + "two.lzh\" \"" + out + "\" \"*.doc\""), UnlhaFailed);
}

TEST_F(UnlhaEntry, TestsAndListsAnArchive)
{
    ASSERT_EQ(call(createCommand(folder_, "Rov2data.mdb", "rov2data.lzh")), UnlhaOk);
    EXPECT_EQ(call("t \"" + folder_ + "rov2data.lzh\""), UnlhaOk) << output_;
    EXPECT_EQ(call("l \"" + folder_ + "rov2data.lzh\""), UnlhaOk) << output_;
    EXPECT_NE(output_.find("-lh5-"), std::string::npos);
}

TEST_F(UnlhaEntry, ReportsABadCommandLine)
{
    EXPECT_EQ(call("z \"a.lzh\""), UnlhaBadCommandLine);
    EXPECT_NE(output_.find("エラー"), std::string::npos);
}

TEST_F(UnlhaEntry, RestoreIntoAMissingFolderFails)
{
    ASSERT_EQ(call(createCommand(folder_, "Rov2data.mdb", "rov2data.lzh")), UnlhaOk);
    EXPECT_EQ(call("x \"" + folder_ + "rov2data.lzh\" \"" + folder_ + "nowhere/\" \"*.*\""), UnlhaFailed);
}

TEST_F(UnlhaEntry, CutsTheReportToTheBufferOnACharacterBoundary)
{
    for (std::size_t size = 1; size < 40; ++size) {
        std::filesystem::remove(folder_ + "rov2data.lzh");
        ASSERT_EQ(call(createCommand(folder_, "Rov2data.mdb", "rov2data.lzh"), size), UnlhaOk);
        EXPECT_LT(output_.size(), size);
        EXPECT_TRUE(validUtf8(output_.c_str())) << "size " << size;
    }
    EXPECT_EQ(Unlha(nullptr, "t \"" + folder_ + "rov2data.lzh\"", nullptr, 0), UnlhaOk);
}

TEST(ArchiveReport, FormatsSizesAndRatios)
{
    EXPECT_EQ(ArchiveReport::grouped(0), "0");
    EXPECT_EQ(ArchiveReport::grouped(999), "999");
    EXPECT_EQ(ArchiveReport::grouped(1000), "1,000");
    EXPECT_EQ(ArchiveReport::grouped(58123456), "58,123,456");
    EXPECT_EQ(ArchiveReport::ratio(384, 1000), "38.4%");
    EXPECT_EQ(ArchiveReport::ratio(0, 0), "100.0%");
}

TEST(ArchiveReport, CopyDropsAHalfCharacter)
{
    char out[5];
    EXPECT_EQ(ArchiveReport::copyTo("ab顧客", out, sizeof out), 2u); // 顧 needs 3 bytes, 2 are left
    EXPECT_STREQ(out, "ab");
    EXPECT_EQ(ArchiveReport::copyTo("abcd", out, sizeof out), 4u);
    EXPECT_STREQ(out, "abcd");
    EXPECT_EQ(ArchiveReport::copyTo("a顧", out, sizeof out), 4u);
    EXPECT_EQ(std::strcmp(out, "a顧"), 0);
}

} // namespace
} // namespace rov2::archive::test
