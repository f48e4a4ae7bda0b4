#include "QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QtDebug>
#include <vector>

namespace rov2 {

namespace {

struct BoxButton
{
    QPushButton* button;
    MsgAnswer answer;
};

// The answer of a box that is not shown, or that is closed without a button:
// the one that lets nothing happen.
MsgAnswer quietAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::Ok:
        break;
    }
    return MsgAnswer::Ok;
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

std::vector<BoxButton> addButtons(QMessageBox& box, MsgButtons buttons)
{
    const auto add = [&box](const QString& text, QMessageBox::ButtonRole role, MsgAnswer answer) {
        return BoxButton{box.addButton(text, role), answer};
    };
    switch (buttons) {
    case MsgButtons::YesNo:
        return {add(QStringLiteral("はい"), QMessageBox::YesRole, MsgAnswer::Yes),
                add(QStringLiteral("いいえ"), QMessageBox::NoRole, MsgAnswer::No)};
    case MsgButtons::OkCancel:
        return {add(QStringLiteral("OK"), QMessageBox::AcceptRole, MsgAnswer::Ok),
                add(QStringLiteral("キャンセル"), QMessageBox::RejectRole, MsgAnswer::Cancel)};
    case MsgButtons::Ok:
        break;
    }
    return {add(QStringLiteral("OK"), QMessageBox::AcceptRole, MsgAnswer::Ok)};
}

bool canShowWidgets()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    qWarning() << "dialogs: no QApplication, nothing can be shown";
    return false;
}

std::optional<QString> runFileDialog(QFileDialog& dlg, const QStringList& nameFilters, int selectedFilter)
{
    dlg.setWindowModality(Qt::ApplicationModal);
    // Only the description is shown, as the callers' filter texts were written to be read.
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    if (!nameFilters.isEmpty()) {
        dlg.setNameFilters(nameFilters);
        dlg.selectNameFilter(nameFilters.value(selectedFilter, nameFilters.first()));
    }
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString chosen = dlg.selectedFiles().value(0);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace

MsgAnswer QtDialogs::message(QWidget* owner, const MessageRequest& r)
{
    if (!canShowWidgets())
        return quietAnswer(r.buttons);
    // A message with no owner belongs to the window the user is in.
    QMessageBox box(owner ? owner : QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(r.title);
    // Subjects are customer names and other typed text: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(r.text);
    box.setIcon(qtIcon(r.icon));
    const std::vector<BoxButton> buttons = addButtons(box, r.buttons);
    const BoxButton& preselected = r.defaultIsSecond && buttons.size() > 1 ? buttons.back() : buttons.front();
    box.setDefaultButton(preselected.button);
    box.setEscapeButton(buttons.back().button);
    box.exec();
    for (const BoxButton& b : buttons) {
        if (box.clickedButton() == b.button)
            return b.answer;
    }
    return quietAnswer(r.buttons);
}

std::optional<QString> QtDialogs::openFile(QWidget* owner, const QString& title, const QString& folder,
                                           const QStringList& nameFilters, int selectedFilter)
{
    if (!canShowWidgets())
        return std::nullopt;
    QFileDialog dlg(owner, title, folder);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dlg, nameFilters, selectedFilter);
}

std::optional<QString> QtDialogs::saveFile(QWidget* owner, const QString& title, const QString& proposedPath,
                                           const QStringList& nameFilters, int selectedFilter)
{
    if (!canShowWidgets())
        return std::nullopt;
    QFileDialog dlg(owner, title);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    const QFileInfo proposed(proposedPath);
    if (proposedPath.contains(QLatin1Char('/')))
        dlg.setDirectory(proposed.absolutePath());
    dlg.selectFile(proposed.fileName());
    return runFileDialog(dlg, nameFilters, selectedFilter);
}

std::optional<QString> QtDialogs::folder(QWidget* owner, const QString& prompt)
{
    if (!canShowWidgets())
        return std::nullopt;
    QFileDialog dlg(owner, prompt, QDir::homePath());
    dlg.setWindowModality(Qt::ApplicationModal);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().first();
}

bool QtDialogs::print(QWidget* owner, QPrinter& printer)
{
    QPrintDialog dialog(&printer, owner ? owner : QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("印刷"));
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::beep()
{
    QApplication::beep();
}

} // namespace rov2
