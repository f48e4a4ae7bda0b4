#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace rov2 {

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgIcon { None, Information, Exclamation, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No };

/// One modal message box: a one-line title, the text as its body.
struct MessageRequest
{
    QString title;
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    /// The second button (No or Cancel) is preselected, so that Enter answers it.
    bool defaultIsSecond = false;
};

/// The record a screen fills for the file dialogs and reads the chosen path back from.
struct FileDialogRequest
{
    /// Description and pattern pieces separated by '|', e.g. "MDB ファイル(*.mdb)|yubin.mdb|".
    QString filter;
    /// 1-based number of the description/pattern pair selected when the dialog opens.
    qint32 filterIndex = 1;
    QString dialogTitle;
    /// The name the save dialog proposes; the open dialog ignores it.
    QString defaultFileName;
    /// Out: the chosen file with its full path.
    QString filePath;
    /// Out: always empty.
    QString fileTitle;
    /// The folder shown first, e.g. "c:\".
    QString initialFolder;
};

/// Everything the user answers goes through this interface: the program uses
/// the Qt dialogs, tests install a scripted stand-in. Later prompts (disks,
/// printing) are added here as further virtual functions.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    /// Shows the box modally and waits. When it cannot be shown at all the
    /// answer is the one that does nothing: No, Cancel or OK.
    virtual MsgAnswer message(QWidget* owner, const MessageRequest& r) = 0;

    /// @param nameFilters Qt name filters ("description (pattern ...)").
    /// @param selectedFilter 0-based index into @p nameFilters.
    /// @return the chosen existing file, or nothing on cancel.
    virtual std::optional<QString> openFile(QWidget* owner, const QString& title, const QString& folder,
                                            const QStringList& nameFilters, int selectedFilter) = 0;

    /// @param proposedPath folder and name proposed to the user.
    /// @return the chosen path, or nothing on cancel. An existing file is not
    /// questioned: the callers decide what overwriting means (mayWriteUserFiles).
    virtual std::optional<QString> saveFile(QWidget* owner, const QString& title, const QString& proposedPath,
                                            const QStringList& nameFilters, int selectedFilter) = 0;

    /// @return the chosen folder, or nothing on cancel.
    virtual std::optional<QString> folder(QWidget* owner, const QString& prompt) = 0;

    /// The print dialog: printer, copies and page range.
    /// @return true when the user chose to print; @p printer then holds the
    /// choices. Dialogs that offer no print dialog answer false (cancelled).
    virtual bool print(QWidget* owner, QPrinter& printer);

    /// The system beep.
    virtual void beep() = 0;
};

/// The installed dialogs: the program installs the Qt ones at its start, tests
/// their scripts. With none installed nothing is shown and nothing is agreed to.
Dialogs& dialogs();

/// Installs @p d as dialogs() for its lifetime; the previous ones come back on destruction.
class DialogsScope
{
public:
    explicit DialogsScope(Dialogs& d);
    ~DialogsScope();
    DialogsScope(const DialogsScope&) = delete;
    DialogsScope& operator=(const DialogsScope&) = delete;

private:
    Dialogs* previous_;
};

} // namespace rov2
