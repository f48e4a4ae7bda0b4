#pragma once

#include "CsvEncoding.h"
#include "ScriptedDialogs.h"
#include "TempData.h"

#include <QVariantMap>
#include <gtest/gtest.h>

namespace rov2::test {

/// Fresh data and work files, and helpers to fill and read them.
class CustomerCsvFixture : public ::testing::Test
{
protected:
    /// Adds a customer row: 名称 and the given fields (the others Null).
    void addCustomer(const QString& file, const QVariantMap& fields);
    void addFamily(const QString& owner, int row, const QString& name, const QString& relation);
    /// Adds a row of the list work table; @p member empty for the customer's own row.
    void listRow(const QString& name, bool marked, const QString& member = {});
    void exec(const QString& file, const QString& sql, const QVariantList& params = {});
    /// The customers of a data file by 名称, their importable fields (Null as a null QVariant).
    QMap<QString, QVariantMap> customers(const QString& file);
    /// The family of @p owner in 行番号 order, a row as "行番号|氏名|ふりがな|区分1|誕生月".
    QStringList familyOf(const QString& owner);
    QByteArray fileBytes(const QString& path);
    void writeFile(const QString& path, const QByteArray& bytes);

    TempData d;
};

/// The customers that the round trips carry: commas, quotes, line breaks,
/// half-width kana, every field filled.
QVariantMap sampleCustomer(const QString& name, const QString& memo);

} // namespace rov2::test
