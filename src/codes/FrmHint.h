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
    void click登録();
    void click削除();
    void click編集();
    void setEditing(bool on);
    bool hasKey() const;

    QLabel* lblFormName;
    QLabel* lblCtlName;
    QLabel* lblFormTitle;
    QPlainTextEdit* txtContents;
    QPushButton* cmd編集;
    QPushButton* cmd登録;
    QPushButton* cmd削除;
    QPushButton* cmdクリア;
    QPushButton* cmd閉じる;
    bool editing_ = false;
};

} // namespace rov2
