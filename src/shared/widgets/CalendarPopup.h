#pragma once

#include <QDate>
#include <QFrame>

class QCalendarWidget;
class QLabel;

namespace rov2 {

/// The drop-down calendar of a date box: a popup window with the title
/// "yyyy年mm月" (or "gggee年mm月" in the era calendar), arrows to the previous
/// and next month, the weekdays 日..土 from Sunday, Sundays and the fixed
/// holidays in red and today in bold on a tinted ground. Arrows, PageUp and
/// PageDown move; Enter or a click picks the day; Esc closes without a pick.
class CalendarPopup : public QFrame
{
    Q_OBJECT

public:
    /// @p owner is the date box: as the popup's parent it lets focus checks
    /// see the popup as part of the box.
    explicit CalendarPopup(QWidget* owner);

    void setEraCalendar(bool era);

    /// Shows the month of @p date with that day current, just below
    /// @p anchor (above it when the screen has no room below).
    void open(const QDate& date, const QWidget* anchor);

    QString title() const;
    QDate selectedDate() const;
    QCalendarWidget* calendar() const { return calendar_; }

Q_SIGNALS:
    void picked(const QDate& date);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildHeader();
    void setUpCalendar();
    void showPage(int year, int month);
    void markDays(int year, int month);
    void pick(const QDate& date);
    void placeBelow(const QWidget* anchor);

    QCalendarWidget* calendar_ = nullptr;
    QLabel* title_ = nullptr;
    bool era_ = false;
};

} // namespace rov2
