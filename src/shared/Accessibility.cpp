#include "Accessibility.h"

#include <QWidget>

namespace rov2 {

namespace {

// Control names start with a Latin type prefix (cmd, cmb, txt, Grid, DD)
// followed by the Japanese noun; an all-Latin name (Image1) is kept whole.
QString nounOf(const QString& controlName)
{
    qsizetype i = 0;
    while (i < controlName.size() && controlName.at(i).unicode() < 0x80)
        ++i;
    return i < controlName.size() ? controlName.mid(i) : controlName;
}

} // namespace

QString withoutMnemonic(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        out += caption.at(i);
    }
    return out;
}

void nameControl(QWidget* w, const QString& controlName, const QString& caption)
{
    if (!w)
        return;
    w->setObjectName(controlName);
    w->setAccessibleDescription(controlName);
    const QString spoken = withoutMnemonic(caption);
    w->setAccessibleName(spoken.isEmpty() ? nounOf(controlName) : spoken);
}

void nameValueControl(QWidget* w, const QString& controlName)
{
    if (!w)
        return;
    w->setObjectName(controlName);
    w->setAccessibleDescription(controlName);
    w->setAccessibleName(QString());
}

} // namespace rov2
