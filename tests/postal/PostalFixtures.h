#pragma once

#include "PostalRow.h"

#include <QString>
#include <QVector>
#include <ostream>

namespace rov2::yubin {
/// Shows a row as code|prefecture|city|town in a failed expectation.
void PrintTo(const PostalRow& r, std::ostream* os);
} // namespace rov2::yubin

namespace rov2::test {

/// A row from UTF-8 texts.
yubin::PostalRow row(const char* code, const char* prefecture, const char* city, const char* town);

/// The path of a file or folder under tests/fixtures/postal/.
QString postalFixture(const QString& name);

/// Creates a postal dictionary at @p path holding @p rows, appended in order.
/// A null QString in a row's field is stored as Null.
void writeDictionary(const QString& path, const QVector<yubin::PostalRow>& rows);

} // namespace rov2::test
