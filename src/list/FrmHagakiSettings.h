#pragma once

#include "PostcardData.h"

#include <QWidget>

class QCheckBox;
class QDoubleSpinBox;
class QPushButton;
class QRadioButton;

namespace rov2 {

/// "はがき宛名印刷設定": how the address side of postcards is printed, kept
/// in the program's settings (PostcardSettings) as soon as a control changes,
/// so that the next print uses it even while the screen stays open.
///
/// Keys: Tab and Enter go to the next input, the arrows choose within a pair
/// of choices, Space ticks, Esc closes; Enter on 閉じる closes.
///
/// Controls by name: opt縦書き, opt横書き, opt漢数字, opt数字そのまま,
/// chk差出人, txt横位置, txt縦位置, opt通常はがき, opt長形3号, cmd閉じる.
class FrmHagakiSettings : public QWidget
{
    Q_OBJECT
public:
    explicit FrmHagakiSettings(QWidget* parent = nullptr);

    /// The stored options into the controls.
    void Form_Load();
    /// What the controls are set to.
    report::PostcardOptions options() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildChoices();
    QWidget* buildAdjustment();
    void connectControls();
    void followTicks();
    /// Stores the options; a failure is told once until a store succeeds.
    void store();

    bool failureTold_ = false;
    QRadioButton* opt縦書き = nullptr;
    QRadioButton* opt横書き = nullptr;
    QRadioButton* opt漢数字 = nullptr;
    QRadioButton* opt数字そのまま = nullptr;
    QCheckBox* chk差出人 = nullptr;
    QDoubleSpinBox* txt横位置 = nullptr;
    QDoubleSpinBox* txt縦位置 = nullptr;
    QRadioButton* opt通常はがき = nullptr;
    QRadioButton* opt長形3号 = nullptr;
    QPushButton* cmd閉じる = nullptr;
};

/// The name under which the screen is found.
inline const QString kHagakiSettingsName = QStringLiteral("FrmHagakiSettings");

} // namespace rov2
