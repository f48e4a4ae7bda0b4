#pragma once

#include "FrmROV2.h"
#include "ProgramEnv.h"
#include "ScriptedDialogs.h"
#include "TempData.h"

#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace rov2::test {

/// The customer screen on fresh supplied files, shown offscreen, with
/// scripted dialogs and a fixed today.
class ScreenFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Gives @p w the focus and waits until it has it.
    void focus(QWidget* w);
    /// Moves the focus away from @p w to @p to, running w's leave check.
    void leave(QWidget* w, QWidget* to);
    void type(QWidget* w, const QString& text);
    void key(QWidget* w, int key, Qt::KeyboardModifiers m = Qt::NoModifier);

    /// Appends a customer row with these fields to the data file.
    void storeCustomer(const QVariantMap& fields);
    /// One field of the first customer row with @p name (a null QVariant for
    /// Null); nothing when there is no such customer.
    std::optional<QVariant> storedField(const QString& name, const QString& field);
    qint64 count(const QString& file, const QString& sql, const QVariantList& params = {});

    TempData d;
    ScriptedDialogs dialogs;
    std::unique_ptr<FrmROV2> frm;
};

} // namespace rov2::test
