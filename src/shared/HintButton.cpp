#include "HintButton.h"

#include "HintHandOver.h"
#include "ScreenStack.h"

#include <QWidget>

namespace rov2 {

QWidget* openHintEditor(QWidget* screen, const QString& buttonName, HintHandOver& handOver)
{
    if (!screen)
        return nullptr;
    handOver = {screen->objectName(), buttonName, screen->windowTitle()};
    QWidget* hint = screenNamed(kHintScreenName);
    if (!hint)
        return nullptr;
    if (hint->isMinimized())
        hint->showNormal();
    else
        hint->show();
    hint->raise();
    hint->activateWindow();
    return hint;
}

} // namespace rov2
