#include "Level2Header.h"

#include "ArchiveTestSupport.h"
#include "Crc16.h"
#include "LzhArchiveReader.h"

#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

unsigned u16(const Bytes& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

std::uint32_t u32(const Bytes& b, std::size_t at)
{
    return u16(b, at) | (static_cast<std::uint32_t>(u16(b, at + 2)) << 16);
}

Level2Header sampleHeader(const std::string& name)
{
    Level2Header header;
    header.name = name;
    header.packedSize = 1234;
    header.originalSize = 56789;
    header.modified = 1700000000;
    header.dataCrc = 0xBEEF;
    header.unixMode = 0100600;
    return header;
}

TEST(Level2Header, LaysOutTheBaseFields)
{
    const Bytes b = sampleHeader("Rov2data.mdb").bytes();
    ASSERT_GE(b.size(), 26u);
    EXPECT_EQ(u16(b, 0), b.size());
    EXPECT_EQ(std::string(b.begin() + 2, b.begin() + 7), "-lh5-");
    EXPECT_EQ(u32(b, 7), 1234u);
    EXPECT_EQ(u32(b, 11), 56789u);
    EXPECT_EQ(u32(b, 15), 1700000000u);
    EXPECT_EQ(b[20], 2); // header level
    EXPECT_EQ(u16(b, 21), 0xBEEFu);
    const std::string text(b.begin(), b.end());
    EXPECT_NE(text.find("Rov2data.mdb"), std::string::npos);
}

TEST(Level2Header, CarriesItsOwnCrc)
{
    Bytes b = sampleHeader("顧客データ.mdb").bytes();
    ASSERT_EQ(b[26], 0x00); // the first extension is the header CRC
    const unsigned stored = u16(b, 27);
    b[27] = b[28] = 0;
    EXPECT_EQ(Crc16::of(b), stored);
}

TEST(Level2Header, PadsASizeThatWouldStartWithAZeroByte)
{
    // 39 bytes of fixed fields and extensions plus 217 of name make 256.
    const Bytes b = sampleHeader(std::string(217, 'n')).bytes();
    EXPECT_EQ(b.size(), 257u);
    EXPECT_NE(b[0], 0);
    const Bytes shorter = sampleHeader(std::string(216, 'n')).bytes();
    EXPECT_EQ(shorter.size(), 255u);
}

TEST(Level2Header, RefusesANameTooLongForTheSizeField)
{
    EXPECT_TRUE(sampleHeader(std::string(70000, 'n')).bytes().empty());
}

TEST(Level2Header, IsReadBackByLiblhasa)
{
    ScratchFolder folder;
    const Bytes data = recordText(500);
    for (const std::size_t nameLength : {1u, 12u, 216u, 217u, 218u}) {
        Level2Header header = sampleHeader(std::string(nameLength, 'x'));
        header.method = "-lh0-";
        header.packedSize = header.originalSize = static_cast<std::uint32_t>(data.size());
        header.dataCrc = Crc16::of(data);
        Bytes archive = header.bytes();
        archive.insert(archive.end(), data.begin(), data.end());
        archive.push_back(0);
        writeFile(folder / "h.lzh", archive);
        LzhArchiveReader reader;
        ASSERT_TRUE(reader.open(folder / "h.lzh"));
        ASSERT_TRUE(reader.scan()) << "name length " << nameLength;
        ASSERT_EQ(reader.entries().size(), 1u);
        const LzhEntry& entry = reader.entries()[0];
        EXPECT_EQ(entry.summary.name, header.name);
        EXPECT_EQ(entry.modified, header.modified);
        EXPECT_EQ(entry.crc, header.dataCrc);
        EXPECT_EQ(entry.headerLevel, 2);
    }
}

} // namespace
} // namespace rov2::archive::test
