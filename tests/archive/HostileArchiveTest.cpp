#include "ArchiveTestSupport.h"
#include "Crc16.h"
#include "EntryCheck.h"
#include "Unlha.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace rov2::archive::test {
namespace {

void put16(Bytes& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A member with a level-2 header written by hand, so that it can carry what
// our writer never writes: a folder extension, a folder or link entry.
struct Crafted
{
    std::string method = "-lh0-";
    std::string name = "Rov2data.mdb";
    std::optional<std::string> folder; // extension 0x02, 0xFF between parts
    unsigned mode = 0100644;
    Bytes data = recordText(1000);
};

Bytes extension(std::uint8_t type, const Bytes& body)
{
    Bytes out;
    put16(out, static_cast<unsigned>(body.size() + 3));
    out.push_back(type);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes level2(const Crafted& m)
{
    Bytes out;
    put16(out, 0);
    out.insert(out.end(), m.method.begin(), m.method.end());
    put32(out, static_cast<std::uint32_t>(m.data.size()));
    put32(out, static_cast<std::uint32_t>(m.data.size()));
    put32(out, 1700000000);
    out.push_back(0x20);
    out.push_back(2);
    put16(out, Crc16::of(m.data));
    out.push_back('U');
    const Bytes crc = extension(0x00, {0, 0});
    out.insert(out.end(), crc.begin(), crc.end());
    for (const Bytes& ext :
         {extension(0x01, Bytes(m.name.begin(), m.name.end())),
          m.folder ? extension(0x02, Bytes(m.folder->begin(), m.folder->end())) : Bytes{},
          extension(0x50, {static_cast<std::uint8_t>(m.mode), static_cast<std::uint8_t>(m.mode >> 8)})})
        out.insert(out.end(), ext.begin(), ext.end());
    put16(out, 0);
    out[0] = static_cast<std::uint8_t>(out.size());
    out[1] = static_cast<std::uint8_t>(out.size() >> 8);
    const std::uint16_t sum = Crc16::of(out);
    out[27] = static_cast<std::uint8_t>(sum);
    out[28] = static_cast<std::uint8_t>(sum >> 8);
    out.insert(out.end(), m.data.begin(), m.data.end());
    return out;
}

// Level 0, where MS-DOS archivers put the whole path, backslashes and all,
// into the name field.
Bytes level0(const std::string& name, const Bytes& data)
{
    Bytes out{0, 0};
    for (const char c : std::string("-lh0-"))
        out.push_back(static_cast<std::uint8_t>(c));
    put32(out, static_cast<std::uint32_t>(data.size()));
    put32(out, static_cast<std::uint32_t>(data.size()));
    put32(out, 0x5A2B6000);
    out.push_back(0x20);
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    put16(out, Crc16::of(data));
    out[0] = static_cast<std::uint8_t>(out.size() - 2);
    unsigned sum = 0;
    for (std::size_t i = 2; i < out.size(); ++i)
        sum += out[i];
    out[1] = static_cast<std::uint8_t>(sum);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Bytes archiveOf(std::initializer_list<Bytes> members)
{
    Bytes out;
    for (const Bytes& m : members)
        out.insert(out.end(), m.begin(), m.end());
    out.push_back(0);
    return out;
}

Crafted named(std::string name, std::optional<std::string> folder = std::nullopt)
{
    Crafted m;
    m.name = std::move(name);
    m.folder = std::move(folder);
    return m;
}

Crafted entry(std::string method, std::string name, std::optional<std::string> folder, unsigned mode)
{
    Crafted m;
    m.method = std::move(method);
    m.name = std::move(name);
    m.folder = std::move(folder);
    m.mode = mode;
    m.data.clear();
    return m;
}

// A genuine two-member archive from our writer, then damaged.
Bytes ours(const std::function<void(Bytes&)>& damage)
{
    ScratchFolder scratch;
    writeFile(scratch / "Rov2data.mdb", recordText(200000, 21));
    writeFile(scratch / "second.txt", recordText(100000, 22));
    std::string report;
    const std::string f = scratch.path().string() + "/";
    Unlha("a \"" + f + "a.lzh\" \"" + f + "\" \"Rov2data.mdb\" \"second.txt\"", report);
    Bytes archive = readFile(scratch / "a.lzh");
    damage(archive);
    return archive;
}

// Where an absolute name in a hostile archive points: outside every
// scratch folder of the tests.
std::filesystem::path outsideFile()
{
    return std::filesystem::temp_directory_path() / "rov2-archive-escaped.txt";
}

// The same folder as an LZH folder extension: 0xFF before every part.
std::string outsideFolder()
{
    std::string folder;
    for (const auto& part : outsideFile().parent_path().relative_path())
        folder += "\xFF" + part.string();
    return folder + "\xFF";
}

struct HostileCase
{
    const char* name;
    std::function<Bytes()> make;
};

void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.name;
}

class HostileArchive : public ::testing::TestWithParam<HostileCase>
{
};

TEST_P(HostileArchive, IsRefusedWithNothingWritten)
{
    ScratchFolder scratch;
    const std::filesystem::path target = scratch / "デー タ";
    std::filesystem::create_directories(target);
    const Bytes previous = recordText(3000, 5);
    writeFile(target / "Rov2data.mdb", previous);
    writeFile(target / "rov2data.lzh", GetParam().make());
    const auto targetBefore = listing(target);
    const auto scratchBefore = listing(scratch.path());

    std::string report;
    EXPECT_NE(Unlha(extractCommand(target.string() + "/", "rov2data.lzh"), report), 0);
    EXPECT_NE(report.find("エラー"), std::string::npos) << report;
    EXPECT_EQ(listing(target), targetBefore) << "a file was left in the target folder";
    EXPECT_EQ(listing(scratch.path()), scratchBefore) << "a file was written outside the target folder";
    EXPECT_TRUE(readFile(target / "Rov2data.mdb") == previous) << "the existing file was touched";
    EXPECT_FALSE(std::filesystem::exists(outsideFile()));
}

const HostileCase kHostile[] = {
    {"ParentInName", [] { return archiveOf({level2(named("../Rov2data.mdb"))}); }},
    {"AbsoluteName", [] { return archiveOf({level2(named(outsideFile().string()))}); }},
    {"SubFolder", [] { return archiveOf({level2(named("Rov2data.mdb", "sub\xFF"))}); }},
    {"ParentFolder", [] { return archiveOf({level2(named("Rov2data.mdb", "..\xFF"))}); }},
    {"AbsoluteFolder", [] { return archiveOf({level2(named(outsideFile().filename(), outsideFolder()))}); }},
    {"DosParentPath", [] { return archiveOf({level0("..\\Rov2data.mdb", recordText(500))}); }},
    {"DosDrivePath", [] { return archiveOf({level0("C:\\Rov2data.mdb", recordText(500))}); }},
    {"DotDotAlone", [] { return archiveOf({level2(named(".."))}); }},
    {"FolderEntry", [] { return archiveOf({level2(entry("-lhd-", "", "sub\xFF", 040755))}); }},
    {"Link",
     [] { return archiveOf({level2(entry("-lhd-", "Rov2data.mdb|../outside", std::nullopt, 0120777))}); }},
    {"GoodThenHostile",
     [] {
         return archiveOf({level2(named("good.txt")), level2(named("../Rov2data.mdb"))});
     }},
    {"UnknownMethod",
     [] {
         Crafted m;
         m.method = "-lhz-";
         return archiveOf({level2(m)});
     }},
    {"BitFlippedInData", [] { return ours([](Bytes& a) { a[a.size() / 4] ^= 0x08; }); }},
    {"BitFlippedInSecondMember", [] { return ours([](Bytes& a) { a[a.size() - 2000] ^= 0x01; }); }},
    {"DamagedHeaderName", [] { return ours([](Bytes& a) { a[33] ^= 0x20; }); }},
    {"DamagedHeaderSize", [] { return ours([](Bytes& a) { a[30] ^= 0x40; }); }},
    {"DamagedSecondHeader",
     [] {
         return archiveOf({level2(named("first.txt")), [] {
                               Bytes b = level2(named("second.txt"));
                               b[12] ^= 0x01;
                               return b;
                           }()});
     }},
    {"TruncatedInHeader", [] { return ours([](Bytes& a) { a.resize(12); }); }},
    {"TruncatedAtEndOfHeader", [] { return ours([](Bytes& a) { a.resize(a[0] | (a[1] << 8)); }); }},
    {"TruncatedInData", [] { return ours([](Bytes& a) { a.resize(a.size() / 3); }); }},
    {"TruncatedInLastMember", [] { return ours([](Bytes& a) { a.resize(a.size() - 3); }); }},
    {"GarbageAfterEnd", [] { return ours([](Bytes& a) { a.insert(a.end(), 40, 'z'); }); }},
    {"NotAnArchive", [] { return recordText(5000); }},
    {"EmptyFile", [] { return Bytes{}; }},
    {"OnlyTheEndMark", [] { return Bytes{0}; }},
};

INSTANTIATE_TEST_SUITE_P(Cases, HostileArchive, ::testing::ValuesIn(kHostile),
                         [](const auto& row) { return std::string(row.param.name); });

class DotName : public ::testing::TestWithParam<const char*>
{
};

TEST_P(DotName, IsRefusedByTheEntryCheckWhicheverNameCarriesIt)
{
    for (const bool inRawName : {false, true}) {
        LzhEntry entry;
        entry.summary.name = inRawName ? "Rov2data.mdb" : GetParam();
        entry.rawName = inRawName ? GetParam() : "Rov2data.mdb";
        const ArchiveStatus status = checkEntry(entry);
        EXPECT_FALSE(status.ok()) << (inRawName ? "raw name" : "name");
        EXPECT_NE(status.message().find("\"" + entry.rawName + "\""), std::string::npos) << status.message();
    }
}

INSTANTIATE_TEST_SUITE_P(Names, DotName, ::testing::Values("", ".", ".."),
                         [](const ::testing::TestParamInfo<const char*>& row) {
                             const std::string n = row.param;
                             return n.empty() ? std::string("Empty") : n == "." ? std::string("Dot") : std::string("DotDot");
                         });

TEST(DotNameReport, NamesTheRefusedEntry)
{
    ScratchFolder scratch;
    writeFile(scratch / "rov2data.lzh", archiveOf({level2(named(".."))}));
    std::string report;
    EXPECT_NE(Unlha(extractCommand(scratch.path().string() + "/", "rov2data.lzh"), report), 0);
    EXPECT_NE(report.find("\"..\" は使えません"), std::string::npos) << report;
}

TEST(ArchiveEnd, MayLackTheClosingZeroByte)
{
    ScratchFolder scratch;
    const Bytes data = recordText(1000);
    Crafted m;
    m.data = data;
    writeFile(scratch / "rov2data.lzh", level2(m));
    std::string report;
    EXPECT_EQ(Unlha(extractCommand(scratch.path().string() + "/", "rov2data.lzh"), report), 0) << report;
    EXPECT_TRUE(readFile(scratch / "Rov2data.mdb") == data);
}

} // namespace
} // namespace rov2::archive::test
