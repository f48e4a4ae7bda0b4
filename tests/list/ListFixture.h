#pragma once

#include "FindControl.h"
#include "FrmKokyakuList.h"
#include "ProgramEnv.h"
#include "ScriptedDialogs.h"
#include "TempData.h"

#include <QPair>
#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

namespace rov2::test {

/// One row of w顧客リスト as the tests look at it: 名称 and 氏名 (empty on a customer's own row).
using ListedRow = QPair<QString, QString>;

/// Customers and family rows written straight into a fresh data file.
class ListData : public ::testing::Test {
protected:
    void SetUp() override;

    /// Appends a customer: 名称, ふりがな and any other fields of 顧客マスタ.
    void addCustomer(const QString& name, const QString& reading, const QVariantMap& more = {});
    /// Appends a family row of @p owner.
    void addMember(const QString& owner, const QString& name, const QString& reading, const QVariantMap& more = {});
    qint64 count(const QString& file, const QString& sql, const QVariantList& params = {});
    /// The rows of w顧客リスト in table order.
    QList<ListedRow> listed();
    /// The marks of w顧客リスト in table order.
    QList<bool> marks();

    TempData d;
    ScriptedDialogs dialogs;
};

/// The list screen on those files, shown offscreen and active.
class ListScreen : public ListData {
protected:
    void SetUp() override;
    void TearDown() override;

    /// A control of the screen (see FindControl.h).
    template <typename T> T* ctl(const char* name) const { return test::ctl<T>(frm.get(), name); }
    void click(const char* button);
    void key(int k, const char* target = nullptr);
    void setText(const char* control, const QString& text);
    QString label(const char* name) const;

    std::unique_ptr<FrmKokyakuList> frm;
};

} // namespace rov2::test
