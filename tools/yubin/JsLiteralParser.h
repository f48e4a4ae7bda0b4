#pragma once

#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <optional>

namespace rov2::yubin {

/// Reads the data out of a generated JavaScript module without running it:
/// the arrays assigned in it ("const a = [...], b = JSON.parse('[...]')").
///
/// Understands array literals of numbers (also "11e5"), strings in single or
/// double quotes with their escapes, and JSON.parse() of a string literal;
/// comments are skipped. Anything else after an "=" is passed over.
class JsLiteralParser
{
public:
    /// Every array assigned in @p source, in the order they appear.
    /// @return nothing, with the reason in @p error, when an array is malformed.
    static std::optional<QJsonArray> assignedArrays(const QString& source, QString* error = nullptr);

private:
    explicit JsLiteralParser(const QString& source) : s_(source) {}

    bool atEnd() const { return i_ >= s_.size(); }
    QChar peek() const { return atEnd() ? QChar() : s_.at(i_); }
    bool lookingAt(QStringView word) const { return QStringView(s_).mid(i_).startsWith(word); }
    void skipBlanks();
    bool skipComment();
    bool skipToAssignment();

    std::optional<QJsonValue> value();
    std::optional<QJsonValue> array();
    std::optional<QJsonValue> jsonParseCall();
    std::optional<QString> string();
    std::optional<QJsonValue> number();
    bool escape(QString& out);
    int hex(qsizetype digits);
    int bracedHex();
    bool fail(const QString& what);

    const QString& s_;
    qsizetype i_ = 0;
    QString error_;
};

} // namespace rov2::yubin
