#pragma once

#include "Dialogs.h"

namespace rov2 {

/// The dialogs the program shows: QMessageBox and QFileDialog, modal to the
/// application. Button texts are set here in Japanese rather than taken from
/// Qt's translation, so they are right even when that translation is missing.
class QtDialogs : public Dialogs
{
public:
    MsgAnswer message(QWidget* owner, const MessageRequest& r) override;
    std::optional<QString> openFile(QWidget* owner, const QString& title, const QString& folder,
                                    const QStringList& nameFilters, int selectedFilter) override;
    std::optional<QString> saveFile(QWidget* owner, const QString& title, const QString& proposedPath,
                                    const QStringList& nameFilters, int selectedFilter) override;
    std::optional<QString> folder(QWidget* owner, const QString& prompt) override;
    bool print(QWidget* owner, QPrinter& printer) override;
    void beep() override;
};

} // namespace rov2
