#include "ScriptedDialogs.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace rov2::test {

namespace {

MsgAnswer preselected(const MessageRequest& r)
{
    switch (r.buttons) {
    case MsgButtons::YesNo:
        return r.defaultIsSecond ? MsgAnswer::No : MsgAnswer::Yes;
    case MsgButtons::OkCancel:
        return r.defaultIsSecond ? MsgAnswer::Cancel : MsgAnswer::Ok;
    case MsgButtons::Ok:
        break;
    }
    return MsgAnswer::Ok;
}

bool offers(MsgButtons buttons, MsgAnswer a)
{
    switch (buttons) {
    case MsgButtons::YesNo:
        return a == MsgAnswer::Yes || a == MsgAnswer::No;
    case MsgButtons::OkCancel:
        return a == MsgAnswer::Ok || a == MsgAnswer::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return a == MsgAnswer::Ok;
}

} // namespace

ScriptedDialogs& ScriptedDialogs::answer(MsgAnswer a)
{
    answers_.enqueue(a);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::chooseFile(const QString& path)
{
    fileScript_.enqueue(path);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::cancelFile()
{
    fileScript_.enqueue(std::nullopt);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::chooseFolder(const QString& path)
{
    folderScript_.enqueue(path);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::cancelFolder()
{
    folderScript_.enqueue(std::nullopt);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::confirmPrint(const QString& pdfPath)
{
    printScript_.enqueue(pdfPath);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::cancelPrint()
{
    printScript_.enqueue(std::nullopt);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::choosePaper(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation)
{
    paper_.emplace(paper, orientation);
    return *this;
}

bool ScriptedDialogs::allUsed() const
{
    return answers_.isEmpty() && fileScript_.isEmpty() && folderScript_.isEmpty() && printScript_.isEmpty();
}

bool ScriptedDialogs::print(QWidget*, QPrinter& printer)
{
    ++printRequests_;
    if (printScript_.isEmpty())
        return false;
    const std::optional<QString> pdf = printScript_.dequeue();
    if (!pdf)
        return false;
    if (!pdf->isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*pdf);
    }
    if (paper_) {
        printer.setPageSize(QPageSize(paper_->first));
        printer.setPageOrientation(paper_->second);
    }
    return true;
}

MsgAnswer ScriptedDialogs::message(QWidget*, const MessageRequest& r)
{
    messages_.append(r);
    if (answers_.isEmpty())
        return preselected(r);
    const MsgAnswer a = answers_.dequeue();
    if (!offers(r.buttons, a)) {
        ADD_FAILURE() << "scripted answer " << static_cast<int>(a) << " is not offered by \""
                      << r.title.toStdString() << "\": " << r.text.toStdString();
        return preselected(r);
    }
    return a;
}

std::optional<QString> ScriptedDialogs::nextFile(FileRequest request)
{
    files_.append(std::move(request));
    return fileScript_.isEmpty() ? std::nullopt : fileScript_.dequeue();
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& title, const QString& folder,
                                                 const QStringList& nameFilters, int selectedFilter)
{
    return nextFile({false, title, folder, nameFilters, selectedFilter});
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& title, const QString& proposedPath,
                                                 const QStringList& nameFilters, int selectedFilter)
{
    return nextFile({true, title, proposedPath, nameFilters, selectedFilter});
}

std::optional<QString> ScriptedDialogs::folder(QWidget*, const QString& prompt)
{
    folderPrompts_.append(prompt);
    return folderScript_.isEmpty() ? std::nullopt : folderScript_.dequeue();
}

} // namespace rov2::test
