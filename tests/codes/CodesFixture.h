#pragma once

#include "FindControl.h"
#include "ProgramEnv.h"
#include "ScriptedDialogs.h"
#include "TempData.h"

#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <gtest/gtest.h>

class QComboBox;
class QPushButton;

namespace rov2 {
class CodeGridView;
class CodeTableModel;
class FrmCodeMaster;
}

namespace rov2::test {

/// One stored row of コードマスタ.
struct StoredCode {
    QString code;
    QVariant name;
    QVariant sex;
};

/// Fresh supplied files, scripted dialogs, an empty screen stack and the
/// program-wide state pointing at the files.
class CodesFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Loads the code-table screen, shows it and waits until it is active.
    FrmCodeMaster* openCodeMaster();
    /// Waits until @p w is the active window.
    static bool activate(QWidget* w);
    static bool focus(QWidget* w);

    QPushButton* buttonOf(QWidget* screen, const char* name) const;
    QComboBox* kindBox() const;
    CodeGridView* grid() const;
    CodeTableModel* model() const;
    /// Expects the hint editor @p hint to name the screen, control and title it was opened for.
    static void expectHintFor(QWidget* hint, const QString& form, const QString& control, const QString& title);
    /// Chooses a kind in the kind box as the user does.
    void chooseKind(const QString& kind);

    /// The rows of @p kind in the data file, in code order.
    std::vector<StoredCode> stored(const QString& kind) const;
    /// Sets the stored name (and gender) of one slot of the data file.
    void storeName(const QString& kind, const QString& code, const QVariant& name, const QVariant& sex = {});
    qint64 count(const QString& file, const QString& sql, const QVariantList& params = {}) const;

    TempData d;
    ScriptedDialogs dialogs;
    QPointer<FrmCodeMaster> codes;
};

} // namespace rov2::test
