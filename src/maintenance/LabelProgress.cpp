#include "LabelProgress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>

namespace rov2 {

ProgressFn labelProgress(QLabel* label)
{
    return [guard = QPointer<QLabel>(label)](const QString& text) {
        if (guard) {
            guard->setText(text);
            guard->setVisible(!text.isEmpty());
            guard->repaint();
        }
        // Paint events only: a click on another button while a backup runs
        // must not start a second operation underneath this one.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

} // namespace rov2
