#include "NumberBox.h"

#include <QRegularExpressionValidator>

namespace rov2 {

NumberBox::NumberBox(QWidget* parent) : LineInput(false, parent)
{
    setMaxLength(3);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setInputMethodHints(inputMethodHints() | Qt::ImhDigitsOnly);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this));
    setAccessibleDescription(QStringLiteral("数字3桁まで"));
    connect(this, &QLineEdit::textChanged, this, &NumberBox::takeTypedText);
}

QVariant NumberBox::value() const
{
    return value_ ? QVariant(*value_) : QVariant();
}

void NumberBox::setValue(const QVariant& value)
{
    bool ok = false;
    const int n = value.isNull() ? 0 : value.toInt(&ok);
    if (ok && n >= 0 && n <= kMaxValue)
        value_ = n;
    else
        value_.reset();
    showValue();
}

QSize NumberBox::sizeHint() const
{
    return sizeForText(QStringLiteral("000"));
}

void NumberBox::tidyOnLeave()
{
    showValue();
}

void NumberBox::takeTypedText(const QString& text)
{
    if (showing_)
        return;
    if (text.isEmpty())
        value_.reset();
    else
        value_ = text.toInt();
}

// "###" writes no digit for 0 and no leading zeros.
void NumberBox::showValue()
{
    showing_ = true;
    setText(value_ && *value_ != 0 ? QString::number(*value_) : QString());
    showing_ = false;
}

} // namespace rov2
