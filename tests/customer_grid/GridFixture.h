#pragma once

#include "CompanySettings.h"
#include "FamilyGrid.h"
#include "Locations.h"
#include "TempData.h"

#include <QPushButton>
#include <QVariant>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace rov2::test {

/// A window with the family grid over the supplied work file and a button
/// beside it to take the focus away, driven as a user would.
class GridFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// A cell of w家族情報 as stored, by grid row (table order).
    QVariant stored(int row, const char* field) const;
    /// Runs a statement on the work file (test set-up data only).
    void work(const QString& sql, const QVariantList& params = {}) const;
    /// Relationship rows offered by the drop-down.
    void setRelationships(const QList<QPair<QString, QString>>& rows) const;

    QRect cellRect(int row, int column) const;
    void clickCell(int row, int column) const;
    /// Makes (row, column) current by keyboard focus, without a click.
    void goTo(int row, int column) const;
    /// Types @p text where the focus is: ASCII key by key, Japanese text as
    /// the input method delivers it (composed, then committed).
    void type(const QString& text) const;
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const;
    int currentRow() const;
    int currentColumn() const;

    TempData d;
    Locations locations;
    CompanySettings settings;
    std::unique_ptr<QWidget> window;
    FamilyGrid* grid = nullptr;
    QPushButton* other = nullptr;
};

} // namespace rov2::test
