#include "TestNames.h"

#include <QList>
#include <QString>

#include <cstdio>

namespace rov2::test {

std::string testName(std::string_view utf8)
{
    std::string out;
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (const char32_t c : text.toUcs4()) {
        if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9')) {
            out += static_cast<char>(c);
        } else if (c < 0x80) {
            if (!out.empty() && out.back() != '_')
                out += '_';
        } else {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    while (!out.empty() && out.back() == '_')
        out.pop_back();
    return out.empty() ? std::string("empty") : out;
}

} // namespace rov2::test
