#pragma once

#include "Dialogs.h"

#include <QPageLayout>
#include <QPageSize>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>
#include <utility>

namespace rov2::test {

/// A stand-in for the dialogs, installed from construction to destruction.
/// It records every dialog asked for and answers from scripts, first in,
/// first out, one script per kind of dialog:
///
///     ScriptedDialogs d;
///     d.answer(MsgAnswer::Yes);            // the next message box
///     d.chooseFile("/srv/rov2/Rov2Data.mdb"); // the next open or save dialog
///     ... run the code ...
///     EXPECT_EQ(d.messages().at(0).title, "登録の確認");
///     EXPECT_TRUE(d.allUsed());
///
/// With nothing scripted a message box answers its preselected button, as
/// Enter would, and a file or folder dialog is cancelled. A scripted answer
/// that the box does not offer (Yes for an OK box) fails the test. An
/// unscripted print dialog is cancelled.
class ScriptedDialogs : public Dialogs
{
public:
    /// One file dialog as it was asked for.
    struct FileRequest
    {
        bool save = false;
        QString title;
        QString folderOrProposedPath; ///< the open dialog's folder, the save dialog's proposal
        QStringList nameFilters;
        int selectedFilter = 0;
    };

    ScriptedDialogs& answer(MsgAnswer a);
    ScriptedDialogs& chooseFile(const QString& path);
    ScriptedDialogs& cancelFile();
    ScriptedDialogs& chooseFolder(const QString& path);
    ScriptedDialogs& cancelFolder();
    /// The next print dialog is confirmed; with @p pdfPath the printer writes
    /// that PDF file instead of printing, so a test can see what was printed.
    ScriptedDialogs& confirmPrint(const QString& pdfPath = {});
    ScriptedDialogs& cancelPrint();
    /// Every print dialog confirmed from now on is left at this paper, as a
    /// user would choose it there.
    ScriptedDialogs& choosePaper(QPageSize::PageSizeId paper,
                                 QPageLayout::Orientation orientation = QPageLayout::Portrait);

    const QVector<MessageRequest>& messages() const { return messages_; }
    const QVector<FileRequest>& fileRequests() const { return files_; }
    const QStringList& folderPrompts() const { return folderPrompts_; }
    int beeps() const { return beeps_; }
    /// How many print dialogs were asked for.
    int printRequests() const { return printRequests_; }
    /// True when every scripted step was used.
    bool allUsed() const;

    MsgAnswer message(QWidget* owner, const MessageRequest& r) override;
    std::optional<QString> openFile(QWidget* owner, const QString& title, const QString& folder,
                                    const QStringList& nameFilters, int selectedFilter) override;
    std::optional<QString> saveFile(QWidget* owner, const QString& title, const QString& proposedPath,
                                    const QStringList& nameFilters, int selectedFilter) override;
    std::optional<QString> folder(QWidget* owner, const QString& prompt) override;
    bool print(QWidget* owner, QPrinter& printer) override;
    void beep() override { ++beeps_; }

private:
    std::optional<QString> nextFile(FileRequest request);

    QQueue<MsgAnswer> answers_;
    QQueue<std::optional<QString>> fileScript_;
    QQueue<std::optional<QString>> folderScript_;
    QVector<MessageRequest> messages_;
    QVector<FileRequest> files_;
    QStringList folderPrompts_;
    QQueue<std::optional<QString>> printScript_;
    int printRequests_ = 0;
    std::optional<std::pair<QPageSize::PageSizeId, QPageLayout::Orientation>> paper_;
    int beeps_ = 0;
    DialogsScope scope_{*this}; // last: installed once everything else is ready
};

} // namespace rov2::test
