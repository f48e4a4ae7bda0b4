#pragma once

#include <QString>
#include <QValidator>

namespace rov2 {

/// @p text without line breaks, tabs and other control characters, which a
/// one-line input cannot show and no stored name or number should hold.
QString withoutControlCharacters(const QString& text);

/// The validator of the one-line inputs: takes every text, less its control
/// characters, so that a name pasted with a line break is stored without it.
/// @p inner, when given, then judges what remains (e.g. digits only).
class SingleLineFilter : public QValidator
{
public:
    explicit SingleLineFilter(QObject* parent, const QValidator* inner = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    const QValidator* inner_;
};

} // namespace rov2
