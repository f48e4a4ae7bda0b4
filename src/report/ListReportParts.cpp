#include "ListReportParts.h"

#include "JapaneseDate.h"
#include "ReportLayout.h"

namespace rov2::report::list {
namespace {

const QString kEra = QStringLiteral("gggee年mm月dd日");
const QString kWestern = QStringLiteral("yyyy年mm月dd日");

/// Two positions, the first for the customer or family list, the second for
/// the customer-with-family list.
struct Pair {
    int first;
    int second;
    int in(Variant v) const { return v == Variant::CustomersWithFamilies ? second : first; }
};

/// One caption with the value box beside it, as the block tables give them.
struct Row {
    const char* caption;
    Pair captionLeft, captionTop, captionWidth;
    const char* control;
    const char* field;
    Pair valueLeft, valueTop, valueWidth;
};

Control label(const QString& name, const QString& text, int left, int top, int width, int height, const char* font,
              double size = 12)
{
    Control c;
    c.name = name;
    c.kind = ControlKind::Label;
    c.text = text;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.font = QString::fromUtf8(font);
    c.pointSize = size;
    return c;
}

Control field(const QString& name, const QString& fieldName, int left, int top, int width, int height,
              const char* font)
{
    Control c = label(name, {}, left, top, width, height, font);
    c.kind = ControlKind::Field;
    c.field = fieldName;
    return c;
}

Control rule(const QString& name, int x1, int y1, int x2, int y2)
{
    Control c;
    c.name = name;
    c.kind = ControlKind::Line;
    c.left = x1;
    c.top = y1;
    c.x2 = x2;
    c.y2 = y2;
    return c;
}

/// Adds the caption and value box of every row; fields qualified by @p table when given.
void addRows(Band& band, const std::vector<Row>& rows, Variant v, const QString& table, int height,
             const char* valueFont)
{
    for (const Row& r : rows) {
        const QString caption = QString::fromUtf8(r.caption);
        band.controls.push_back(label(QStringLiteral("lbl") + caption, caption, r.captionLeft.in(v),
                                      r.captionTop.in(v), r.captionWidth.in(v), height, kGothic));
        const QString name = QString::fromUtf8(r.field);
        band.controls.push_back(field(QString::fromUtf8(r.control), table.isEmpty() ? name : table + u'.' + name,
                                      r.valueLeft.in(v), r.valueTop.in(v), r.valueWidth.in(v), height, valueFont));
    }
}

} // namespace

void setPageSettings(PageSettings& page)
{
    page.orientation = QPageLayout::Portrait;
    page.paper = QPageSize::A4;
    page.leftMargin = 600;
    page.topMargin = 600;
    page.rightMargin = 400;
    page.bottomMargin = 0;
    page.printableWidth = 0;
    page.followsPrinterPaper = true;
}

Band pageHeader(Variant v)
{
    Band b;
    b.kind = BandKind::PageHeader;
    b.height = v == Variant::Customers ? 465 : v == Variant::Families ? 450 : 435;
    b.controls = {
        label(QStringLiteral("Label1"), QStringLiteral("顧客一覧"), 213, 0, 1417, 354, kMincho, 16),
        label(QStringLiteral("Label11"), QStringLiteral("印刷日"), 6024, 71, 779, 283, kMincho),
        label(QStringLiteral("txt印刷日"), {}, 6803, 71, 2055, 283, kMincho),
        label(QStringLiteral("Label12"), QStringLiteral("Page"), 9071, 71, 709, 283, kMincho),
        label(QStringLiteral("Field6"), {}, 9709, 71, 354, 283, kMincho),
        label(QStringLiteral("Label13"), QStringLiteral("/"), 10063, 71, 283, 283, kMincho),
        label(QStringLiteral("Field5"), {}, 10346, 71, 355, 283, kMincho),
    };
    b.control(QStringLiteral("Field6"))->kind = ControlKind::PageNumber;
    b.control(QStringLiteral("Field5"))->kind = ControlKind::PageCount;
    for (const char* centred : {"Field6", "Label13", "Field5"})
        b.control(QString::fromUtf8(centred))->alignment = Qt::AlignCenter;
    if (v == Variant::Customers)
        b.controls.push_back(rule(QStringLiteral("Line1"), 0, 420, 11025, 420));
    else if (v == Variant::Families)
        b.controls.push_back(rule(QStringLiteral("Line1"), 0, 425, 10913, 425));
    return b;
}

Band customerBlock(Variant v)
{
    static const std::vector<Row> rows = {
        {"顧客名", {71, 71}, {142, 40}, {850, 850}, "txt名称", "名称", {1063, 1063}, {142, 40}, {2339, 2339}},
        {"ふりがな", {3402, 3402}, {142, 40}, {992, 992}, "txtふりがな", "ふりがな", {4465, 4465}, {142, 40}, {2055, 2055}},
        {"敬称", {6591, 6591}, {142, 40}, {637, 637}, "txt敬称", "敬称", {7228, 7228}, {142, 40}, {709, 709}},
        {"郵便番号", {7937, 7937}, {142, 40}, {1063, 1063}, "txt郵便番号", "郵便番号", {9000, 9000}, {142, 40}, {1417, 1417}},
        {"住所１", {71, 71}, {496, 380}, {850, 850}, "txt住所1", "住所1", {1063, 1063}, {496, 380}, {4819, 4819}},
        {"住所２", {5953, 5953}, {496, 380}, {708, 708}, "txt住所2", "住所2", {6732, 6732}, {496, 380}, {4181, 4181}},
        {"電話番号１", {71, 71}, {850, 709}, {1275, 1275}, "txtTEL1", "TEL1", {1488, 1488}, {850, 709}, {1701, 1701}},
        {"電話番号２", {3331, 3331}, {850, 709}, {1275, 1275}, "txtTEL2", "TEL2", {4677, 4677}, {850, 709}, {1772, 1772}},
        {"ＦＡＸ", {6591, 6591}, {850, 709}, {566, 566}, "txtFAX", "FAX", {7299, 7299}, {850, 709}, {1984, 1984}},
        {"生年月日", {71, 71}, {1205, 1063}, {1063, 1063}, "txt生年月日", "生年月日", {1205, 1230}, {1205, 1065}, {2197, 2175}},
        {"年齢", {3402, 3380}, {1205, 1063}, {637, 637}, "Field10", "年齢", {4039, 4039}, {1205, 1063}, {426, 426}},
        {"性別", {4535, 4535}, {1205, 1063}, {638, 638}, "Field11", "性別", {5173, 5173}, {1205, 1063}, {496, 496}},
        {"Email", {5740, 5740}, {1205, 1063}, {780, 780}, "txtEmail", "Email", {6591, 6591}, {1205, 1063}, {4252, 4252}},
        {"区分１", {71, 71}, {1559, 1417}, {850, 850}, "txt区分1", "区分1", {1276, 1276}, {1559, 1417}, {3189, 3189}},
        {"区分２", {4677, 4580}, {1559, 1417}, {851, 851}, "txt区分2", "区分2", {5598, 5598}, {1559, 1417}, {2906, 2906}},
        {"クイック読込", {8646, 8646}, {1559, 1417}, {1346, 1346}, "txtクイック", "クイック", {10063, 10063}, {1559, 1417}, {780, 780}},
        {"印刷名", {0, 71}, {1913, 1772}, {850, 850}, "txt印刷名", "印刷名", {992, 992}, {1913, 1772}, {2339, 2339}},
        {"メモ", {3472, 3472}, {1913, 1772}, {497, 497}, "txt顧客メモ", "顧客メモ", {4181, 4181}, {1913, 1772}, {6732, 6732}},
    };
    const bool joined = v == Variant::CustomersWithFamilies;
    Band b;
    b.kind = joined ? BandKind::GroupHeader : BandKind::Detail;
    b.height = joined ? 2175 : 2310;
    addRows(b, rows, v, joined ? QStringLiteral("w顧客マスタ印刷") : QString(), 283, kMincho);
    b.control(QStringLiteral("txtクイック"))->height = joined ? 300 : 213;
    if (joined) {
        b.groupField = QStringLiteral("w顧客マスタ印刷.名称");
        b.controls.push_back(rule(QStringLiteral("Line1"), 0, 5, 10913, 5));
        b.controls.push_back(rule(QStringLiteral("Line2"), 0, 2126, 10913, 2126));
    } else {
        b.controls.push_back(rule(QStringLiteral("Line1"), 0, 2268, 11055, 2268));
    }
    return b;
}

Band familyBlock(Variant v)
{
    static const std::vector<Row> rows = {
        {"家族氏名", {425, 213}, {425, 71}, {1134, 1133}, "txt氏名", "氏名", {1559, 1346}, {425, 71}, {1843, 2056}},
        {"ふりがな", {3614, 3614}, {425, 71}, {992, 992}, "Field7", "ふりがな", {4677, 4677}, {425, 71}, {2126, 2126}},
        {"続柄", {7016, 7016}, {425, 71}, {638, 638}, "txt続柄", "続柄", {7654, 7654}, {425, 71}, {637, 637}},
        {"性別", {8504, 8504}, {425, 60}, {638, 638}, "txt性別", "性別", {9283, 9283}, {425, 71}, {497, 497}},
        {"生年月日", {425, 213}, {800, 425}, {1063, 1063}, "txt家族生年月日", "生年月日", {1559, 1346}, {800, 425}, {2055, 2056}},
        {"年齢", {3614, 3614}, {800, 425}, {638, 638}, "txt年齢", "年齢", {4323, 4323}, {800, 425}, {496, 496}},
        {"携帯電話", {4890, 5102}, {800, 425}, {1063, 1063}, "txt携帯電話", "携帯電話", {6094, 6307}, {800, 425}, {2197, 2197}},
        {"Email", {425, 213}, {1134, 709}, {780, 779}, "txt家族情報Email", "Email", {1559, 1346}, {1134, 709}, {3260, 3685}},
        {"勤務先", {4890, 5102}, {1134, 709}, {1063, 1063}, "txt勤務先", "勤務先", {6094, 6307}, {1134, 709}, {4678, 4677}},
        {"メモ", {425, 213}, {1488, 1063}, {496, 496}, "txtメモ", "メモ", {1276, 1276}, {1488, 1063}, {9425, 9425}},
    };
    const bool joined = v == Variant::CustomersWithFamilies;
    Band b;
    b.kind = BandKind::Detail;
    b.height = joined ? 1455 : 1875;
    const int height = joined ? 285 : 300;
    if (!joined) {
        b.controls.push_back(label(QStringLiteral("lbl顧客名"), QStringLiteral("顧客名"), 213, 30, 1133, height, kGothic));
        b.controls.push_back(field(QStringLiteral("txt名称"), QStringLiteral("名称"), 1559, 30, 6236, height, kMincho));
    }
    addRows(b, rows, v, joined ? QStringLiteral("w家族情報印刷") : QString(), height, joined ? kMincho : kGothic);
    b.control(QStringLiteral("txtメモ"))->font = QString::fromUtf8(kGothic);
    b.controls.push_back(joined ? rule(QStringLiteral("Line1"), 0, 1417, 10913, 1417)
                                : rule(QStringLiteral("Line1"), 0, 1843, 10913, 1843));
    return b;
}

QString birthDateText(const QString& stored, const CompanySettings& settings)
{
    if (stored.isEmpty())
        return stored;
    const std::optional<QDate> date = fromStoredDate(stored);
    if (!date)
        return stored;
    const QString text = formatDate(*date, settings.eraCalendar() ? kEra : kWestern);
    return text.isEmpty() ? formatDate(*date, kWestern) : text; // before the first era: Western
}

void showAgeOn(BandFormat& f, const QString& birthControl, const QString& ageControl, const QDate& today)
{
    const Control* birth = f.control(birthControl);
    Control* age = f.control(ageControl);
    if (birth && age)
        age->text = ageToShow(birth->text, age->text, today).toString();
}

QString printDateText(const QDate& day, const CompanySettings& settings)
{
    const bool western = settings.年号.toString() == QStringLiteral("西暦");
    const QString text = formatDate(day, western ? kWestern : kEra);
    return text.isEmpty() ? formatDate(day, kWestern) : text;
}

} // namespace rov2::report::list
