#include "JapaneseCollation.h"

#include "Layout.h"

#include <QByteArray>
#include <QtDebug>

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace rov2 {
namespace {

struct CollatorCloser {
    void operator()(UCollator* c) const { ucol_close(c); }
};

// One collator serves every connection: comparing through a collator does not
// change it, so the connection the customer search reads with on a thread of
// its own shares it too.
UCollator* collator()
{
    static std::unique_ptr<UCollator, CollatorCloser> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open("ja", &status);
        if (U_FAILURE(status)) {
            qWarning("reading collation: ICU has no Japanese collator (%s)", u_errorName(status));
            return std::unique_ptr<UCollator, CollatorCloser>();
        }
        // At the default strength あいう, アイウ and ｱｲｳ are equal; identical
        // strength keeps them apart while still sorting them together.
        ucol_setStrength(c, UCOL_IDENTICAL);
        return std::unique_ptr<UCollator, CollatorCloser>(c);
    }();
    return instance.get();
}

int compareUtf8(const char* a, int lenA, const char* b, int lenB)
{
    UCollator* c = collator();
    if (!c) {
        const int n = std::min(lenA, lenB);
        const int r = std::memcmp(a, b, static_cast<size_t>(n));
        return r != 0 ? r : lenA - lenB;
    }
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(c, a, lenA, b, lenB, &status);
    if (U_FAILURE(status)) {
        const int n = std::min(lenA, lenB);
        const int m = std::memcmp(a, b, static_cast<size_t>(n));
        return m != 0 ? m : lenA - lenB;
    }
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

int sqliteCompare(void*, int lenA, const void* a, int lenB, const void* b)
{
    return compareUtf8(static_cast<const char*>(a), lenA, static_cast<const char*>(b), lenB);
}

} // namespace

bool registerJapaneseCollation(sqlite3* connection)
{
    const int rc = sqlite3_create_collation_v2(connection, kReadingCollation, SQLITE_UTF8, nullptr,
                                               &sqliteCompare, nullptr);
    if (rc != SQLITE_OK) {
        qWarning("reading collation: cannot register (%s)", sqlite3_errstr(rc));
        return false;
    }
    return true;
}

int compareReadings(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return compareUtf8(ua.constData(), static_cast<int>(ua.size()), ub.constData(), static_cast<int>(ub.size()));
}

} // namespace rov2
