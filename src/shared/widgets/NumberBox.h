#pragma once

#include "LineInput.h"

#include <QVariant>
#include <optional>

namespace rov2 {

/// A whole number of up to three digits, shown with the format "###": 0 is
/// shown as an empty box but still held as 0, and the box may hold nothing.
/// Only digits can be typed; the input method is off.
class NumberBox : public LineInput
{
    Q_OBJECT

public:
    static constexpr int kMaxValue = 999;

    explicit NumberBox(QWidget* parent = nullptr);

    /// A null QVariant when the box holds nothing, else the int.
    QVariant value() const;
    /// Null, or anything that converts to an int from 0 to 999; other
    /// values leave the box empty.
    void setValue(const QVariant& value);

    QSize sizeHint() const override;

protected:
    void tidyOnLeave() override;

private:
    void takeTypedText(const QString& text);
    void showValue();

    std::optional<int> value_;
    bool showing_ = false;
};

} // namespace rov2
