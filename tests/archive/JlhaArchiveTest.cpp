#include "ArchiveTestSupport.h"
#include "LzhArchiveReader.h"
#include "Unlha.h"

#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

// Archives made by jlha at test time, in every header level and method it
// writes, must extract byte-identical through our reader.
class JlhaArchives : public ::testing::TestWithParam<std::tuple<int, int>>
{
};

TEST_P(JlhaArchives, ExtractRight)
{
    if (!haveProgram("jlha"))
        GTEST_SKIP() << "jlha is not installed";
    const auto [level, method] = GetParam();
    ScratchFolder scratch;
    const Bytes text = recordText(150000, 11);
    const Bytes random = randomBytes(20000, 12);
    writeFile(scratch / "Rov2data.mdb", text);
    writeFile(scratch / "noise.bin", random);
    const std::string options = "c" + std::to_string(level) + "o" + std::to_string(method) + "q";
    ASSERT_EQ(run("cd " + shellQuote(scratch.path().string()) + " && jlha " + options +
                  " made.lzh Rov2data.mdb noise.bin"),
              0);
    LzhArchiveReader reader;
    ASSERT_TRUE(reader.open(scratch / "made.lzh") && reader.scan());
    ASSERT_EQ(reader.entries().size(), 2u);
    EXPECT_EQ(reader.entries()[0].headerLevel, level);
    EXPECT_EQ(reader.entries()[0].summary.method, "-lh" + std::to_string(method) + "-");

    const std::filesystem::path target = scratch / "展開 先";
    std::filesystem::create_directories(target);
    std::filesystem::rename(scratch / "made.lzh", target / "rov2data.lzh");
    std::string report;
    ASSERT_EQ(Unlha(extractCommand(target.string() + "/", "rov2data.lzh"), report), 0) << report;
    EXPECT_TRUE(readFile(target / "Rov2data.mdb") == text);
    EXPECT_TRUE(readFile(target / "noise.bin") == random);
}

INSTANTIATE_TEST_SUITE_P(LevelsAndMethods, JlhaArchives,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Values(5, 6, 7)),
                         [](const auto& row) {
                             return "Level" + std::to_string(std::get<0>(row.param)) + "_Lh" +
                                    std::to_string(std::get<1>(row.param));
                         });

TEST(JlhaReader, ExtractsOurArchiveByteIdentical)
{
    if (!haveProgram("jlha"))
        GTEST_SKIP() << "jlha is not installed";
    ScratchFolder scratch;
    const Bytes text = recordText(400000, 13);
    writeFile(scratch / "Rov2data.mdb", text);
    std::string report;
    ASSERT_EQ(Unlha(createCommand(scratch.path().string() + "/", "Rov2data.mdb", "rov2data.lzh"), report), 0);
    std::filesystem::create_directories(scratch / "out");
    ASSERT_EQ(run("jlha xfqw=" + shellQuote((scratch / "out").string()) + " " +
                  shellQuote((scratch / "rov2data.lzh").string())),
              0);
    EXPECT_TRUE(readFile(scratch / "out" / "Rov2data.mdb") == text);
}

} // namespace
} // namespace rov2::archive::test
