#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace rov2 {

/// The hint editor: the help note of one screen's hint button, read from and
/// saved to VtHint of the hint file. It takes the screen handed over by the
/// hint button when it is loaded (constructed); while it stays open, other
/// hint buttons only bring it forward. Closing it unloads it (deletes it).
class FrmHint : public QWidget
{
    Q_OBJECT

public:
    explicit FrmHint(QWidget* parent = nullptr);

    /// The load sequence: the hand-over values into the labels, the note, the
    /// focus in the text.
    void Form_Load();

    void ReadHint();
    /// @return false when the note could not be saved (nothing was changed).
    bool EntryHint();
    /// @return false when the note could not be deleted (the text then stays).
    bool Deleteヒント();

    /// True while the note may be edited (the 編集 button is light red).
    bool editing() const { return editing_; }

private:
    void buildControls();
    void nameControls();
    void cmd登録_Click();
    void cmd削除_Click();
    void cmd編集_Click();
    void setEditing(bool on);
    bool hasKey() const;

    QLabel* lblFormName_ = nullptr;
    QLabel* lblCtlName_ = nullptr;
    QLabel* lblFormTitle_ = nullptr;
    QPlainTextEdit* txtContents_ = nullptr;
    QPushButton* cmd編集_ = nullptr;
    QPushButton* cmd登録_ = nullptr;
    QPushButton* cmd削除_ = nullptr;
    QPushButton* cmdクリア_ = nullptr;
    QPushButton* cmd閉じる_ = nullptr;
    bool editing_ = false;
};

} // namespace rov2
