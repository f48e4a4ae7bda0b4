#include "Dialogs.h"

#include <QtDebug>

namespace rov2 {

namespace {

Dialogs*& installed()
{
    static Dialogs* current = nullptr;
    return current;
}

/// What answers when no dialogs were installed (a tool, or a test that forgot
/// its script): nothing is shown, and every question gets the answer that
/// changes nothing, loudly, so the omission is seen in the log.
class NoDialogs : public Dialogs
{
public:
    MsgAnswer message(QWidget*, const MessageRequest& r) override
    {
        qWarning() << "no dialogs installed; not shown:" << r.title << r.text;
        switch (r.buttons) {
        case MsgButtons::YesNo: return MsgAnswer::No;
        case MsgButtons::OkCancel: return MsgAnswer::Cancel;
        case MsgButtons::Ok: break;
        }
        return MsgAnswer::Ok;
    }
    std::optional<QString> openFile(QWidget*, const QString& title, const QString&, const QStringList&,
                                    int) override
    {
        qWarning() << "no dialogs installed; no file chosen for" << title;
        return std::nullopt;
    }
    std::optional<QString> saveFile(QWidget*, const QString& title, const QString&, const QStringList&,
                                    int) override
    {
        qWarning() << "no dialogs installed; no file chosen for" << title;
        return std::nullopt;
    }
    std::optional<QString> folder(QWidget*, const QString& prompt) override
    {
        qWarning() << "no dialogs installed; no folder chosen for" << prompt;
        return std::nullopt;
    }
    void beep() override {}
};

} // namespace

bool Dialogs::print(QWidget*, QPrinter&)
{
    return false;
}

Dialogs& dialogs()
{
    static NoDialogs none;
    Dialogs* d = installed();
    return d ? *d : none;
}

DialogsScope::DialogsScope(Dialogs& d) : previous_(installed())
{
    installed() = &d;
}

DialogsScope::~DialogsScope()
{
    installed() = previous_;
}

} // namespace rov2
