#pragma once

#include "FindControl.h"
#include "FrmHosyu.h"
#include "ProgramEnv.h"
#include "ScriptedDialogs.h"
#include "TempData.h"

#include <QVariantList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

namespace rov2::test {

/// The maintenance screen on fresh supplied files with scripted dialogs.
/// A test prepares the files first, then calls open().
class HosyuFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Builds, loads and shows the screen, as opening it from the hub does.
    void open();

    /// A control of the screen by its name; fails the test when it is missing.
    template <class T>
    T* ctl(const char* name)
    {
        return test::ctl<T>(frm.get(), name);
    }
    void click(const char* button);
    void focus(QWidget* w);

    /// Runs a set-up statement on a file and fails the test if it fails.
    void exec(const QString& file, const QString& sql, const QVariantList& params = {});
    qint64 count(const QString& file, const QString& sql);
    /// All rows of a table, in the order they were stored.
    QList<QVariantMap> rows(const QString& file, const QString& table);

    TempData d;
    ScriptedDialogs dialogs;
    std::unique_ptr<FrmHosyu> frm;
};

} // namespace rov2::test
