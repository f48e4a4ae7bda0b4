#include "JetProperties.h"

#include <QtEndian>

namespace rov2::jet {
namespace {

qsizetype int16At(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

qsizetype int32At(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// The names the values refer to: each a 16-bit length and that many bytes.
bool namesFit(const QByteArray& b, qsizetype at, qsizetype end)
{
    while (at < end) {
        if (at + 2 > end)
            return false;
        at += 2 + int16At(b, at);
    }
    return at == end;
}

// A block of values: a 6-byte head ending in the length of the block's name,
// the name, then the values, each an 8-byte head (its own length first, the
// length of its data last) and its data.
bool valuesFit(const QByteArray& b, qsizetype at, qsizetype end)
{
    if (at + 6 > end)
        return false;
    at += 6 + int16At(b, at + 4);
    while (at < end) {
        if (at + 8 > end)
            return false;
        const qsizetype length = int16At(b, at);
        if (length < 8 + int16At(b, at + 6) || length > end - at)
            return false;
        at += length;
    }
    return at == end;
}

} // namespace

bool propertiesWellFormed(const QByteArray& block)
{
    if (block.isEmpty())
        return true;
    if (block.size() < 4 || block.at(3) != '\0')
        return false;
    if (!block.startsWith("KKD") && !block.startsWith("MR2"))
        return true;
    for (qsizetype at = 4; at < block.size();) {
        if (at + 6 > block.size())
            return false;
        const qsizetype length = int32At(block, at);
        const qsizetype type = int16At(block, at + 4);
        if (length < 6 || length > block.size() - at)
            return false;
        if (type == 0x80 && !namesFit(block, at + 6, at + length))
            return false;
        if (type <= 2 && !valuesFit(block, at + 6, at + length))
            return false;
        at += length;
    }
    return true;
}

} // namespace rov2::jet
