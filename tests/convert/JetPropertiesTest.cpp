#include "JetProperties.h"

#include "TestNames.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

QByteArray int16(int v)
{
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(v), b.data());
    return b;
}

QByteArray int32(int v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(v), b.data());
    return b;
}

// One record of a block: its length (head included), its type, its body.
QByteArray record(int type, const QByteArray& body, int lengthShift = 0)
{
    return int32(6 + body.size() + lengthShift) + int16(type) + body;
}

const QByteArray kNames = int16(4) + QByteArray("A\0B\0", 4);
// A value's head: its length, two bytes, the name's number, the data's length.
QByteArray value(int length, int dataLength)
{
    return int16(length) + int16(0) + int16(0) + int16(dataLength) + "x";
}
QByteArray values(const QByteArray& v)
{
    return int32(0) + int16(0) + v;
}

struct PropertyCase
{
    const char* name;
    QByteArray block;
    bool wellFormed;
};

class JetPropertyBlock : public ::testing::TestWithParam<PropertyCase>
{
};

TEST_P(JetPropertyBlock, isWalkedOnlyWhenEveryLengthStaysInside)
{
    EXPECT_EQ(jet::propertiesWellFormed(GetParam().block), GetParam().wellFormed);
}

const QByteArray kHead("KKD\0", 4);

INSTANTIATE_TEST_SUITE_P(
    Blocks, JetPropertyBlock,
    ::testing::Values(PropertyCase{"whole", kHead + record(0x80, kNames) + record(0, values(value(9, 1))),
                                   true},
                      PropertyCase{"none", QByteArray(), true},
                      PropertyCase{"otherKind", QByteArray("XYZ\0\0\0", 6), true},
                      PropertyCase{"tooShortForItsKind", QByteArray("KKD"), false},
                      PropertyCase{"recordOfLengthZero", kHead + record(0x80, kNames, -12), false},
                      PropertyCase{"recordPastTheEnd", kHead + record(0x80, kNames, 1), false},
                      PropertyCase{"namePastItsRecord", kHead + record(0x80, int16(9) + "AB"), false},
                      PropertyCase{"valueOfLengthZero",
                                   kHead + record(0x80, kNames) + record(0, values(value(0, 1))), false},
                      PropertyCase{"valueDataPastItsLength",
                                   kHead + record(0x80, kNames) + record(0, values(value(9, 2))), false}),
    FieldName<&PropertyCase::name>());

} // namespace
} // namespace rov2::test
