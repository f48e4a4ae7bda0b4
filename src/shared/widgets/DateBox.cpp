#include "DateBox.h"

#include "CalendarPopup.h"
#include "DateText.h"
#include "JapaneseDate.h"

#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>

namespace rov2 {

namespace {

bool opensCalendar(const QKeyEvent& event)
{
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Down && modifiers == Qt::AltModifier) ||
           (event.key() == Qt::Key_F4 && modifiers == Qt::NoModifier);
}

bool isEnter(const QKeyEvent& event)
{
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

DateBox::DateBox(QWidget* parent) : LineInput(false, parent), button_(new QToolButton(this))
{
    button_->setArrowType(Qt::DownArrow);
    button_->setAutoRaise(true);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setCursor(Qt::ArrowCursor);
    button_->setAccessibleName(QStringLiteral("カレンダーを開く"));
    connect(button_, &QToolButton::clicked, this, &DateBox::showCalendar);
    // The accessible description belongs to the screen (the control's name);
    // the expected form is told by the tool tip.
    setToolTip(dateBoxPattern(false));
    placeButton();
}

std::optional<QDate> DateBox::date() const
{
    return readTypedDate(text());
}

void DateBox::setDate(const std::optional<QDate>& date)
{
    setText(date ? dateBoxText(*date, era_) : QString());
}

void DateBox::setEraCalendar(bool era)
{
    const std::optional<QDate> held = date();
    era_ = era;
    if (held)
        setDate(held);
    setToolTip(dateBoxPattern(era));
    updateGeometry();
}

void DateBox::showCalendar()
{
    // Focus first, so that the input left before runs its leave check now and
    // this box's own check runs once the user leaves it after the pick.
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    if (!popup_) {
        popup_ = new CalendarPopup(this);
        connect(popup_, &CalendarPopup::picked, this, &DateBox::takePick);
    }
    popup_->setEraCalendar(era_);
    popup_->open(date().value_or(Clock::today()), this);
}

bool DateBox::isCalendarVisible() const
{
    return popup_ && popup_->isVisible();
}

QSize DateBox::sizeHint() const
{
    return sizeForText(era_ ? QStringLiteral("平成00年00月00日") : QStringLiteral("0000/00/00"));
}

void DateBox::keyPressEvent(QKeyEvent* event)
{
    if (opensCalendar(*event)) {
        event->accept();
        showCalendar();
        return;
    }
    if (isEnter(*event)) {
        tidyText();
        Q_EMIT editingDone();
    }
    LineInput::keyPressEvent(event);
}

void DateBox::resizeEvent(QResizeEvent* event)
{
    LineInput::resizeEvent(event);
    placeButton();
}

void DateBox::changeEvent(QEvent* event)
{
    LineInput::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        placeButton();
}

void DateBox::tidyOnLeave()
{
    tidyText();
}

int DateBox::buttonWidth() const
{
    return fontMetrics().height() + 4;
}

void DateBox::placeButton()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int width = buttonWidth();
    if (textMargins().right() != width)
        setTextMargins(0, 0, width, 0);
    button_->setGeometry(this->width() - frame - width, frame, width, height() - 2 * frame);
}

void DateBox::tidyText()
{
    const std::optional<QDate> held = date();
    const QString tidy = held ? dateBoxText(*held, era_) : QString();
    if (tidy != text())
        setText(tidy);
}

void DateBox::takePick(const QDate& date)
{
    setDate(date);
    selectAll();
    Q_EMIT datePicked();
}

} // namespace rov2
