#include "CalendarPopup.h"

#include "CalendarDays.h"
#include "DateText.h"
#include "JapaneseDate.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace rov2 {

namespace {

QToolButton* monthButton(QWidget* parent, Qt::ArrowType arrow, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    // The keyboard pages with PageUp/PageDown; the focus stays on the days.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    return button;
}

} // namespace

CalendarPopup::CalendarPopup(QWidget* owner)
    : QFrame(owner, Qt::Popup), calendar_(new QCalendarWidget(this)), title_(new QLabel(this))
{
    setFrameShape(QFrame::Box);
    setAccessibleName(QStringLiteral("カレンダー"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(calendar_);
    setUpCalendar();
}

QWidget* CalendarPopup::buildHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* previous = monthButton(header, Qt::LeftArrow, QStringLiteral("前の月"));
    auto* next = monthButton(header, Qt::RightArrow, QStringLiteral("次の月"));
    title_->setAlignment(Qt::AlignCenter);
    row->addWidget(previous);
    row->addWidget(title_, 1);
    row->addWidget(next);
    connect(previous, &QToolButton::clicked, calendar_, &QCalendarWidget::showPreviousMonth);
    connect(next, &QToolButton::clicked, calendar_, &QCalendarWidget::showNextMonth);
    return header;
}

void CalendarPopup::setUpCalendar()
{
    // The header names come from the locale; pinned so that they read 日..土
    // whatever language the system runs in.
    calendar_->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    calendar_->setFirstDayOfWeek(Qt::Sunday);
    calendar_->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setNavigationBarVisible(false);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    calendar_->setWeekdayTextFormat(Qt::Sunday, red);
    // Qt paints Saturdays red as well; here only Sundays are.
    calendar_->setWeekdayTextFormat(Qt::Saturday, QTextCharFormat());
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, &CalendarPopup::showPage);
    connect(calendar_, &QCalendarWidget::activated, this, &CalendarPopup::pick);
    connect(calendar_, &QCalendarWidget::clicked, this, &CalendarPopup::pick);
}

void CalendarPopup::setEraCalendar(bool era)
{
    era_ = era;
    showPage(calendar_->yearShown(), calendar_->monthShown());
}

void CalendarPopup::open(const QDate& date, const QWidget* anchor)
{
    calendar_->setSelectedDate(date);
    showPage(date.year(), date.month());
    calendar_->setFocus();
    adjustSize();
    placeBelow(anchor);
    show();
}

QString CalendarPopup::title() const
{
    return title_->text();
}

QDate CalendarPopup::selectedDate() const
{
    return calendar_->selectedDate();
}

void CalendarPopup::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        hide();
        return;
    }
    QFrame::keyPressEvent(event);
}

void CalendarPopup::showPage(int year, int month)
{
    title_->setText(calendarTitle(QDate(year, month, 1), era_));
    markDays(year, month);
}

// The page also shows the ends of the months before and after, so these
// are marked too.
void CalendarPopup::markDays(int year, int month)
{
    calendar_->setDateTextFormat(QDate(), QTextCharFormat());
    const QDate first = QDate(year, month, 1).addMonths(-1);
    const QDate last = QDate(year, month, 1).addMonths(2).addDays(-1);
    const QDate today = Clock::today();
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        QTextCharFormat format;
        if (isFixedHoliday(d))
            format.setForeground(Qt::red);
        if (d == today) {
            format.setFontWeight(QFont::Bold);
            format.setBackground(QColor(255, 236, 160));
        }
        if (format.propertyCount() > 0)
            calendar_->setDateTextFormat(d, format);
    }
}

void CalendarPopup::pick(const QDate& date)
{
    if (!isVisible())
        return;
    hide();
    Q_EMIT picked(date);
}

void CalendarPopup::placeBelow(const QWidget* anchor)
{
    const QRect screen = anchor->screen()->availableGeometry();
    QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
    if (at.y() + height() > screen.bottom())
        at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - height());
    at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() - width())));
    at.setY(std::max(at.y(), screen.top()));
    move(at);
}

} // namespace rov2
