#include "Dialogs.h"

#include "QtDialogs.h"

namespace rov2 {

namespace {

Dialogs*& installed()
{
    static Dialogs* current = nullptr;
    return current;
}

} // namespace

bool Dialogs::print(QWidget*, QPrinter&)
{
    return false;
}

Dialogs& dialogs()
{
    static QtDialogs real;
    Dialogs* d = installed();
    return d ? *d : real;
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
