#pragma once

#include "CompanySettings.h"
#include "ReportLayout.h"
#include "TempData.h"

#include <QVariantMap>

#include <gtest/gtest.h>

namespace rov2::test {

/// A fresh work file whose print tables the test fills, today fixed at
/// 2024-04-01 and the calendar setting "和暦" in the settings handed to the
/// reports.
class ReportFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Appends one row to a print table; fields not given stay Null.
    void insert(const QString& table, const QVariantMap& fields);
    void addCustomer(const QString& name, const QString& reading, const QString& birth = {});
    void addFamily(const QString& customer, const QString& name, const QString& reading, const QString& birth = {});
    /// @p n customers "顧客NN" with readings in the same order and full records.
    void addNumberedCustomers(int n);
    /// Every customer and family row of a sample data file of @p customers.
    void copySample(int customers);

    TempData data_;
    CompanySettings settings_;
};

/// The items of a page made from control @p name of band @p band, in page order.
std::vector<const report::PageItem*> itemsNamed(const report::Page& page, const QString& name,
                                                report::BandKind band);
/// The first such item on the page; fails the test when there is none.
const report::PageItem& itemNamed(const report::Page& page, const QString& name, report::BandKind band);

/// The text pdftotext finds in a PDF file (empty when it cannot be read).
QString pdfText(const QString& path);

/// Where the golden images lie (tests/fixtures/report).
QString goldenFolder();

} // namespace rov2::test
