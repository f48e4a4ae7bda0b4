#include "JapaneseDate.h"

#include <QtDebug>

namespace rov2 {

namespace {

// The pieces a date pattern is made of. Everything that is not one of the
// letter groups below is a literal that must appear as written.
enum class Token { Year, Month, Day, EraName, EraInitial, EraYear, Literal };

struct Piece
{
    Token token;
    QChar literal;
};

struct Group
{
    QLatin1StringView letters;
    Token token;
};

// Longest groups first, so that "ggg" is not read as three "g".
const Group kGroups[] = {
    {QLatin1StringView("yyyy"), Token::Year},  {QLatin1StringView("ggg"), Token::EraName},
    {QLatin1StringView("mm"), Token::Month},   {QLatin1StringView("dd"), Token::Day},
    {QLatin1StringView("ee"), Token::EraYear}, {QLatin1StringView("g"), Token::EraInitial}};

std::vector<Piece> splitPattern(const QString& pattern)
{
    std::vector<Piece> pieces;
    qsizetype i = 0;
    while (i < pattern.size()) {
        bool matched = false;
        for (const Group& g : kGroups) {
            if (QStringView(pattern).mid(i).startsWith(g.letters)) {
                pieces.push_back({g.token, QChar()});
                i += g.letters.size();
                matched = true;
                break;
            }
        }
        if (!matched)
            pieces.push_back({Token::Literal, pattern.at(i++)});
    }
    return pieces;
}

bool needsEra(const std::vector<Piece>& pieces)
{
    for (const Piece& p : pieces) {
        if (p.token == Token::EraName || p.token == Token::EraInitial || p.token == Token::EraYear)
            return true;
    }
    return false;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString formatPiece(const Piece& p, const QDate& date, const Era* era)
{
    switch (p.token) {
    case Token::Year:
        return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    case Token::Month:
        return twoDigits(date.month());
    case Token::Day:
        return twoDigits(date.day());
    case Token::EraName:
        return era->name;
    case Token::EraInitial:
        return QString(era->initial);
    case Token::EraYear:
        return twoDigits(date.year() - era->start.year() + 1);
    case Token::Literal:
        break;
    }
    return QString(p.literal);
}

// Users type through a Japanese input method, which often gives full-width digits.
QString withLatinDigits(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    }
    return out;
}

/// What a text gave for each piece of its pattern while it is being read.
struct Fields
{
    int year = -1;
    int month = -1;
    int day = -1;
    int eraYear = -1;
    const Era* era = nullptr;
};

class Reader
{
public:
    explicit Reader(const QString& text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }

    /// Reads @p minDigits to @p maxDigits ASCII digits; -1 when there are fewer.
    int number(int minDigits, int maxDigits)
    {
        int value = 0;
        int count = 0;
        while (count < maxDigits && pos_ < text_.size() && text_.at(pos_).isDigit() &&
               text_.at(pos_).unicode() < 0x80) {
            value = value * 10 + (text_.at(pos_++).unicode() - u'0');
            ++count;
        }
        return count >= minDigits ? value : -1;
    }

    const Era* eraByName()
    {
        for (const Era& e : eras()) {
            if (QStringView(text_).mid(pos_).startsWith(e.name)) {
                pos_ += e.name.size();
                return &e;
            }
        }
        return nullptr;
    }

    const Era* eraByInitial()
    {
        if (atEnd())
            return nullptr;
        for (const Era& e : eras()) {
            if (text_.at(pos_).toUpper() == e.initial) {
                ++pos_;
                return &e;
            }
        }
        return nullptr;
    }

    bool literal(QChar c)
    {
        if (atEnd() || text_.at(pos_) != c)
            return false;
        ++pos_;
        return true;
    }

private:
    QString text_;
    qsizetype pos_ = 0;
};

bool isNumeric(Token t)
{
    return t == Token::Year || t == Token::Month || t == Token::Day || t == Token::EraYear;
}

// A two-digit field may be written with one digit when separators stand
// between the numbers ("H13/8/8"); in a packed form ("yyyymmdd") every field
// must have all its digits, or the text could be read more than one way.
int digitsAllowed(const std::vector<Piece>& pieces)
{
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
        if (isNumeric(pieces[i].token) && isNumeric(pieces[i + 1].token))
            return 2;
    }
    return 1;
}

bool readPiece(Reader& in, const Piece& p, int minDigits, Fields& f)
{
    switch (p.token) {
    case Token::Year:
        return (f.year = in.number(4, 4)) >= 0;
    case Token::Month:
        return (f.month = in.number(minDigits, 2)) >= 0;
    case Token::Day:
        return (f.day = in.number(minDigits, 2)) >= 0;
    case Token::EraYear:
        return (f.eraYear = in.number(minDigits, 2)) >= 0;
    case Token::EraName:
        return (f.era = in.eraByName()) != nullptr;
    case Token::EraInitial:
        return (f.era = in.eraByInitial()) != nullptr;
    case Token::Literal:
        break;
    }
    return in.literal(p.literal);
}

std::optional<QDate> dateFrom(const Fields& f, bool eraForm)
{
    int year = f.year;
    if (eraForm) {
        if (!f.era || f.eraYear < 1)
            return std::nullopt;
        year = f.era->start.year() + f.eraYear - 1;
    }
    // A pattern without a day ("yyyy年mm月") stands for the first of the month.
    const QDate date(year, f.month, f.day < 0 ? 1 : f.day);
    if (year < 1 || !date.isValid())
        return std::nullopt;
    if (eraForm && date < f.era->start)
        return std::nullopt;
    return date;
}

std::optional<QDate> testToday;

} // namespace

const std::vector<Era>& eras()
{
    static const std::vector<Era> list = {
        {QStringLiteral("明治"), QLatin1Char('M'), QDate(1868, 1, 1)},
        {QStringLiteral("大正"), QLatin1Char('T'), QDate(1912, 7, 30)},
        {QStringLiteral("昭和"), QLatin1Char('S'), QDate(1926, 12, 25)},
        {QStringLiteral("平成"), QLatin1Char('H'), QDate(1989, 1, 8)},
        {QStringLiteral("令和"), QLatin1Char('R'), QDate(2019, 5, 1)},
    };
    return list;
}

const Era* eraOf(const QDate& date)
{
    if (!date.isValid())
        return nullptr;
    const Era* found = nullptr;
    for (const Era& e : eras()) {
        if (date >= e.start)
            found = &e;
    }
    return found;
}

QString toStoredDate(const QDate& date)
{
    return formatDate(date, QStringLiteral("yyyy/mm/dd"));
}

std::optional<QDate> fromStoredDate(const QString& text)
{
    return parseDate(text, QStringLiteral("yyyy/mm/dd"));
}

QString formatDate(const QDate& date, const QString& pattern)
{
    if (!date.isValid())
        return {};
    const std::vector<Piece> pieces = splitPattern(pattern);
    const Era* era = eraOf(date);
    if (needsEra(pieces) && !era)
        return {};
    QString out;
    for (const Piece& p : pieces)
        out += formatPiece(p, date, era);
    return out;
}

std::optional<QDate> parseDate(const QString& text, const QString& pattern)
{
    const std::vector<Piece> pieces = splitPattern(pattern);
    Reader in(withLatinDigits(text.trimmed()));
    Fields fields;
    const int minDigits = digitsAllowed(pieces);
    for (const Piece& p : pieces) {
        if (!readPiece(in, p, minDigits, fields))
            return std::nullopt;
    }
    if (!in.atEnd())
        return std::nullopt;
    return dateFrom(fields, needsEra(pieces));
}

int ageOn(const QDate& birth, const QDate& day)
{
    if (!birth.isValid() || !day.isValid()) {
        qWarning() << "ageOn: invalid date" << birth << day;
        return 0;
    }
    const int birthMmdd = birth.month() * 100 + birth.day();
    const int dayMmdd = day.month() * 100 + day.day();
    return day.year() - birth.year() - (birthMmdd > dayMmdd ? 1 : 0);
}

QVariant ageToShow(const QString& storedBirth, const QVariant& storedAge, const QDate& today)
{
    const std::optional<QDate> birth = fromStoredDate(storedBirth);
    if (!birth || !today.isValid())
        return storedAge;
    const int age = ageOn(*birth, today);
    // A negative age would be shown and printed as such.
    return age >= 0 ? QVariant(age) : QVariant();
}

QDate Clock::today()
{
    return testToday ? *testToday : QDate::currentDate();
}

void Clock::setToday(const QDate& date)
{
    if (date.isValid())
        testToday = date;
    else
        testToday.reset();
}

} // namespace rov2
