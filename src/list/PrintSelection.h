#pragma once

#include <QGroupBox>

class QCheckBox;
class QPushButton;

namespace rov2 {

/// What the print panel is set to print.
enum class PrintChoice { None, Tack, TackPreview, List, ListPreview, Postcard, PostcardPreview };

/// The print panel frm印刷選択 of the customer list: six check boxes of
/// which at most one is ticked (none is allowed), and the buttons 印刷開始,
/// オプション and 閉じる, which the list screen wires. The boxes keep their
/// state while the panel is hidden.
///
/// Controls by name: chkタック, chkタックプレビュー, chk顧客リスト,
/// chkリストプレビュー, chkはがき, chkはがきプレビュー, cmd印刷開始, cmdオプション,
/// cmd選択閉じる.
class PrintSelection : public QGroupBox
{
    Q_OBJECT
public:
    explicit PrintSelection(QWidget* parent = nullptr);

    /// The ticked box, tested in the order the start button acts on them.
    PrintChoice choice() const;
    /// True when one of the two label boxes is ticked.
    bool labelsChosen() const;
    /// True when one of the two postcard boxes is ticked.
    bool postcardsChosen() const;

    QPushButton* startButton() const { return cmd印刷開始; }
    QPushButton* optionButton() const { return cmdオプション; }
    QPushButton* closeButton() const { return cmd選択閉じる; }
    /// The first input, for the focus when the panel opens.
    QWidget* firstInput() const;

private:
    void boxClicked(QCheckBox* box);

    QCheckBox* chkタック = nullptr;
    QCheckBox* chkタックプレビュー = nullptr;
    QCheckBox* chk顧客リスト = nullptr;
    QCheckBox* chkリストプレビュー = nullptr;
    QCheckBox* chkはがき = nullptr;
    QCheckBox* chkはがきプレビュー = nullptr;
    QPushButton* cmd印刷開始 = nullptr;
    QPushButton* cmdオプション = nullptr;
    QPushButton* cmd選択閉じる = nullptr;
};

} // namespace rov2
