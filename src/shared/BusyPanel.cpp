#include "BusyPanel.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace rov2 {

QFrame* makeBusyPanel(QWidget* screen, QLabel*& line)
{
    auto* panel = new QFrame(screen);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    line = new QLabel(panel);
    line->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(line);
    panel->resize(260, 60);
    panel->hide();
    return panel;
}

void showBusyPanel(QFrame* panel, QLabel* line, const QString& text)
{
    line->setText(text);
    const QWidget* screen = panel->parentWidget();
    panel->move((screen->width() - panel->width()) / 2, (screen->height() - panel->height()) / 2);
    panel->raise();
    panel->show();
    panel->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace rov2
