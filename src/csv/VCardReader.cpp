#include "VCardReader.h"

#include "CsvEncoding.h"

#include <QStringDecoder>
#include <array>

namespace rov2 {
namespace {

// The columns of the table, in vCardHeadings' order.
enum Column {
    Surname,
    Given,
    ReadingSurname,
    ReadingGiven,
    Postal,
    Region,
    Locality,
    Street,
    Building,
    HomePhone,
    Mobile,
    Mail,
    Birthday,
    ColumnCount
};

using Contact = std::array<QString, ColumnCount>;

/// One content line: its name without a group, its parameters and its value.
struct Property
{
    QString name;
    QStringList types; ///< TYPE values and the bare parameters of 2.1, upper case
    QString encoding;
    QString charset;
    QString sortAs;
    bool irmcName = false; ///< SOUND;X-IRMC-N: the reading of N
    bool omitYear = false; ///< BDAY;X-APPLE-OMIT-YEAR: a year that is not known
    QString value;
};

/// The index of the first @p mark outside a quoted parameter value, or -1.
qsizetype unquoted(const QString& line, QChar mark, qsizetype from = 0)
{
    bool quoted = false;
    for (qsizetype i = from; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && line.at(i) == mark)
            return i;
    }
    return -1;
}

QString unquotedValue(const QString& text)
{
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'))
               ? text.mid(1, text.size() - 2)
               : text;
}

void addParameter(Property* p, const QString& parameter)
{
    const qsizetype eq = parameter.indexOf(QLatin1Char('='));
    const QString key = (eq < 0 ? QStringLiteral("TYPE") : parameter.left(eq)).trimmed().toUpper();
    const QString value = unquotedValue(eq < 0 ? parameter : parameter.mid(eq + 1));
    if (key == QStringLiteral("TYPE"))
        p->types += value.toUpper().split(QLatin1Char(','));
    else if (key == QStringLiteral("ENCODING"))
        p->encoding = value.toUpper();
    else if (key == QStringLiteral("CHARSET"))
        p->charset = value.toUpper();
    else if (key == QStringLiteral("SORT-AS"))
        p->sortAs = value;
    p->irmcName =
        p->irmcName || key == QStringLiteral("X-IRMC-N") || p->types.contains(QStringLiteral("X-IRMC-N"));
    p->omitYear = p->omitYear || key == QStringLiteral("X-APPLE-OMIT-YEAR");
}

/// The parts of a content line; nothing for a line without a colon.
std::optional<Property> parseLine(const QString& line)
{
    const qsizetype colon = unquoted(line, QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    Property p;
    p.value = line.mid(colon + 1);
    QStringList head;
    for (qsizetype from = 0; from <= colon;) {
        qsizetype semi = unquoted(line.left(colon), QLatin1Char(';'), from);
        if (semi < 0)
            semi = colon;
        head << line.mid(from, semi - from);
        from = semi + 1;
    }
    p.name = head.takeFirst().trimmed().toUpper();
    p.name = p.name.mid(p.name.lastIndexOf(QLatin1Char('.')) + 1); // "item1.TEL" is TEL
    for (const QString& parameter : head)
        addParameter(&p, parameter);
    return p;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

QByteArray fromQuotedPrintable(const QString& value)
{
    const QByteArray in = value.toLatin1();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const int high = in.at(i) == '=' && i + 2 < in.size() ? hexDigit(in.at(i + 1)) : -1;
        const int low = high >= 0 ? hexDigit(in.at(i + 2)) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (in.at(i) != '=') {
            out += in.at(i);
        }
    }
    return out;
}

/// The text of a quoted-printable value: its bytes in the CHARSET it names,
/// UTF-8 when it names none; bytes that are not UTF-8 are tried as CP932.
QString decodedValue(const Property& p)
{
    if (p.encoding != QStringLiteral("QUOTED-PRINTABLE"))
        return p.value;
    const QByteArray bytes = fromQuotedPrintable(p.value);
    const bool shiftJis =
        p.charset.contains(QStringLiteral("SHIFT")) || p.charset.contains(QStringLiteral("SJIS")) ||
        p.charset.contains(QStringLiteral("932")) || p.charset.contains(QStringLiteral("31J"));
    const CsvEncoding first = shiftJis ? CsvEncoding::Cp932 : CsvEncoding::Utf8;
    if (auto text = decodeText(bytes, first))
        return *text;
    return decodeText(bytes, shiftJis ? CsvEncoding::Utf8 : CsvEncoding::Cp932).value_or(QString());
}

/// A structured value split at its unescaped semicolons, each component unescaped.
QStringList components(const QString& value)
{
    QStringList out{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char(';')) {
            out << QString();
        } else if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            out.last() += (next == QLatin1Char('n') || next == QLatin1Char('N')) ? QChar(u'\n') : next;
        } else {
            out.last() += c;
        }
    }
    return out;
}

QString textValue(const QString& value)
{
    return components(value).join(QLatin1Char(';')).trimmed();
}

void setOnce(QString* target, const QString& value)
{
    if (target->isEmpty())
        *target = value;
}

void takeReading(Contact* c, const QStringList& parts)
{
    (*c)[ReadingSurname] = parts.value(0).trimmed();
    (*c)[ReadingGiven] = parts.value(1).trimmed();
}

void takeName(Contact* c, const Property& p, const QStringList& parts)
{
    (*c)[Surname] = parts.value(0).trimmed();
    (*c)[Given] = parts.value(1).trimmed();
    if (!p.sortAs.isEmpty())
        takeReading(c, p.sortAs.split(QLatin1Char(',')));
}

void takePhone(Contact* c, const Property& p)
{
    QString number = textValue(decodedValue(p));
    if (number.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive))
        number = number.mid(4);
    const auto has = [&](const char* type) { return p.types.contains(QLatin1String(type)); };
    if (has("CELL"))
        setOnce(&(*c)[Mobile], number);
    else if (!has("FAX") && !has("WORK") && !has("PAGER"))
        setOnce(&(*c)[HomePhone], number);
}

void takeBirthday(Contact* c, const Property& p)
{
    QString date = textValue(p.value);
    if (p.omitYear || date.startsWith(QStringLiteral("--")))
        return; // a birthday without its year gives no birth date
    if (const qsizetype t = date.indexOf(QLatin1Char('T')); t > 0)
        date.truncate(t);
    (*c)[Birthday] = date;
}

/// The contact being read, and which of its addresses it has taken.
struct Card
{
    Contact contact;
    int line = 0;
    bool homeAddress = false;
    bool anyAddress = false;
    QString fullName;
};

/// ADR: post office box; extended address; street; locality; region; postal
/// code; country. The home address, else the first.
void takeAddress(Card* card, const Property& p)
{
    const bool home = p.types.contains(QStringLiteral("HOME"));
    if (card->homeAddress || (card->anyAddress && !home))
        return;
    const QStringList parts = components(decodedValue(p));
    Contact& c = card->contact;
    c[Postal] = parts.value(5).trimmed();
    c[Region] = parts.value(4).trimmed();
    c[Locality] = parts.value(3).trimmed();
    c[Street] = QString(parts.value(2)).remove(QLatin1Char('\n')).trimmed(); // street lines run on
    c[Building] = parts.value(1).trimmed();
    card->homeAddress = home;
    card->anyAddress = true;
}

void takeProperty(Card* card, const Property& p)
{
    Contact* c = &card->contact;
    const QString& n = p.name;
    if (n == QStringLiteral("N"))
        takeName(c, p, components(decodedValue(p)));
    else if (n == QStringLiteral("FN"))
        card->fullName = textValue(decodedValue(p));
    else if (n == QStringLiteral("X-PHONETIC-LAST-NAME"))
        (*c)[ReadingSurname] = textValue(decodedValue(p));
    else if (n == QStringLiteral("X-PHONETIC-FIRST-NAME"))
        (*c)[ReadingGiven] = textValue(decodedValue(p));
    else if (n == QStringLiteral("SORT-STRING") && (*c)[ReadingSurname].isEmpty() &&
             (*c)[ReadingGiven].isEmpty())
        (*c)[ReadingSurname] = textValue(decodedValue(p));
    else if (n == QStringLiteral("SOUND") && p.irmcName)
        takeReading(c, components(decodedValue(p)));
    else if (n == QStringLiteral("ADR"))
        takeAddress(card, p);
    else if (n == QStringLiteral("TEL"))
        takePhone(c, p);
    else if (n == QStringLiteral("EMAIL"))
        setOnce(&(*c)[Mail], textValue(decodedValue(p)));
    else if (n == QStringLiteral("BDAY"))
        takeBirthday(c, p);
}

/// The logical lines of the text with the line each starts on: folded lines
/// (continued after a blank or tab) joined, and a quoted-printable value
/// ending in '=' joined with the next line. A line past kMaxVCardProperty
/// is cut there.
std::vector<std::pair<QString, int>> logicalLines(const QString& text)
{
    std::vector<std::pair<QString, int>> lines;
    const QStringList physical = QString(text)
                                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                     .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                                     .split(QLatin1Char('\n'));
    bool softBreak = false;
    for (qsizetype i = 0; i < physical.size(); ++i) {
        const QString& line = physical.at(i);
        const bool folded =
            !line.isEmpty() && (line.at(0) == QLatin1Char(' ') || line.at(0) == QLatin1Char('\t'));
        if ((folded || softBreak) && !lines.empty()) {
            QString& last = lines.back().first;
            if (softBreak)
                last.chop(1);
            if (last.size() < kMaxVCardProperty)
                last += (folded && !softBreak) ? line.mid(1) : line.trimmed();
        } else {
            lines.emplace_back(line.left(kMaxVCardProperty), static_cast<int>(i) + 1);
        }
        const QString& last = lines.empty() ? line : lines.back().first;
        softBreak = last.endsWith(QLatin1Char('=')) &&
                    last.left(unquoted(last, QLatin1Char(':')))
                        .contains(QStringLiteral("QUOTED-PRINTABLE"), Qt::CaseInsensitive);
    }
    return lines;
}

QStringList rowOf(Card card)
{
    if (card.contact[Surname].isEmpty() && card.contact[Given].isEmpty())
        card.contact[Surname] = card.fullName;
    return QStringList(card.contact.begin(), card.contact.end());
}

} // namespace

bool looksLikeVCard(const QByteArray& bytes)
{
    QByteArray head = bytes.left(256);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    return head.trimmed().toUpper().startsWith("BEGIN:VCARD");
}

const QStringList& vCardHeadings()
{
    static const QStringList headings{
        QStringLiteral("姓"),           QStringLiteral("名"),   QStringLiteral("フリガナ(姓)"),
        QStringLiteral("フリガナ(名)"), QStringLiteral("〒"),   QStringLiteral("都道府県"),
        QStringLiteral("市区町村"),     QStringLiteral("番地"), QStringLiteral("建物名"),
        QStringLiteral("自宅電話"),     QStringLiteral("携帯"), QStringLiteral("Eメール"),
        QStringLiteral("誕生日")};
    return headings;
}

std::optional<CsvTable> readVCardBytes(const QByteArray& bytes, CsvReadError* error)
{
    CsvTable table;
    table.encoding = detectEncoding(bytes);
    const auto text = decodeText(bytes, table.encoding);
    if (error)
        *error = text ? CsvReadError::None : CsvReadError::BadEncoding;
    if (!text)
        return std::nullopt;
    table.rows.push_back(vCardHeadings());
    table.lines.push_back(1);
    std::optional<Card> card;
    for (const auto& [line, number] : logicalLines(*text)) {
        const auto p = parseLine(line);
        if (!p)
            continue;
        if (p->name == QStringLiteral("BEGIN") && p->value.trimmed().toUpper() == QStringLiteral("VCARD")) {
            card.emplace().line = number;
        } else if (p->name == QStringLiteral("END") && card) {
            table.lines.push_back(card->line);
            table.rows.push_back(rowOf(std::move(*card)));
            card.reset();
        } else if (card) {
            takeProperty(&*card, *p);
        }
    }
    if (card) { // a last contact that the file cut off before its END
        table.lines.push_back(card->line);
        table.rows.push_back(rowOf(std::move(*card)));
    }
    return table;
}

} // namespace rov2
