#pragma once

#include "LineInput.h"

#include <QDate>
#include <optional>

class QToolButton;

namespace rov2 {

class CalendarPopup;

/// A box that holds no date or one date, shown "yyyy/mm/dd" or, in the era
/// calendar, "gggee年mm月dd日" (平成13年08月08日). The user types the date in
/// either form ("19750405", "1975/4/5", "S50/4/5" ...) or picks it from the
/// drop-down calendar (the button, Alt+Down or F4). On leaving and on Enter
/// the text is rewritten in the box's format; a text that is not a date is
/// removed, so the box then holds no date. The input method is off.
///
/// Also serves as the date editor of a grid cell: give it empty move keys,
/// commit on editingDone(); its calendar counts as part of the editor.
class DateBox : public LineInput
{
    Q_OBJECT

public:
    explicit DateBox(QWidget* parent = nullptr);

    /// The date the text stands for (also while it is being typed).
    std::optional<QDate> date() const;
    void setDate(const std::optional<QDate>& date);

    /// Era display on or off (setting 年号 = 和暦); the date is kept.
    void setEraCalendar(bool era);
    bool eraCalendar() const { return era_; }

    /// Opens the calendar on the box's date, or on today when it has none.
    void showCalendar();
    bool isCalendarVisible() const;
    /// The calendar, made on first use; nullptr before.
    CalendarPopup* calendarPopup() const { return popup_; }

    QSize sizeHint() const override;

Q_SIGNALS:
    /// Enter was pressed, after the text was rewritten.
    void editingDone();
    /// A day was picked in the calendar and is now the box's date.
    void datePicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void tidyOnLeave() override;

private:
    int buttonWidth() const;
    void placeButton();
    void tidyText();
    void takePick(const QDate& date);

    QToolButton* button_ = nullptr;
    CalendarPopup* popup_ = nullptr;
    bool era_ = false;
};

} // namespace rov2
