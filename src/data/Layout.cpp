#include "Layout.h"

namespace rov2 {
namespace {

using T = ColumnType;

ColumnLayout text(const char* name) { return {QString::fromUtf8(name), T::Text, false, {}}; }
ColumnLayout reading(const char* name) { return {QString::fromUtf8(name), T::Text, true, {}}; }
ColumnLayout memo(const char* name) { return {QString::fromUtf8(name), T::Memo, false, {}}; }
ColumnLayout number(const char* name) { return {QString::fromUtf8(name), T::Integer, false, {}}; }
ColumnLayout yesNo(const char* name, QVariant def = {}) { return {QString::fromUtf8(name), T::YesNo, false, def}; }
ColumnLayout autoNumber(const char* name) { return {QString::fromUtf8(name), T::AutoNumber, false, {}}; }

IndexLayout index(const char* name, std::initializer_list<const char*> columns)
{
    IndexLayout ix{QString::fromUtf8(name), {}};
    for (const char* c : columns)
        ix.columns << QString::fromUtf8(c);
    return ix;
}

std::vector<ColumnLayout> customerColumns(bool autoCode)
{
    return {autoCode ? autoNumber("code") : number("code"),
            text("名称"), reading("ふりがな"), text("郵便番号"), text("住所1"), text("住所2"),
            text("敬称"), text("クイック"), text("Email"), text("TEL1"), text("TEL2"), text("FAX"),
            text("区分1"), text("区分2"), text("生年月日"), number("誕生月"), text("性別"),
            number("年齢"), memo("顧客メモ"), text("印刷名")};
}

std::vector<ColumnLayout> familyColumns()
{
    return {text("名称"), number("行番号"), text("氏名"), reading("ふりがな"), text("続柄"), text("性別"),
            text("Email"), text("携帯電話"), text("生年月日"), number("誕生月"), number("年齢"),
            text("区分1"), text("区分2"), text("勤務先"), memo("メモ")};
}

std::vector<ColumnLayout> customerListColumns()
{
    return {yesNo("チェック", 0), text("名称"), reading("ふりがな"), text("住所1"), text("氏名"),
            text("続柄"), text("家族")};
}

std::vector<TableLayout> dataTables()
{
    return {
        {QStringLiteral("顧客マスタ"), customerColumns(true),
         {index("ix顧客マスタ名称", {"名称"}), index("ix顧客マスタふりがな", {"ふりがな"}),
          // the quick-pick list, in reading order, without a scan of every customer
          index("ix顧客マスタクイック", {"クイック", "ふりがな"})}},
        {QStringLiteral("家族情報"), familyColumns(), {index("ix家族情報名称", {"名称", "行番号"})}},
        {QStringLiteral("コードマスタ"),
         {text("kcode"), text("code"), text("sname"), number("cnt"), text("性別")},
         {index("ixコードマスタ", {"kcode", "code"})}},
        {QStringLiteral("自社情報"),
         {text("顧客名"), text("名称2"), text("郵便番号"), text("住所1"), text("電話番号"), text("FAX"),
          yesNo("yubinlocalEriaSw"), text("YubinLocalEria"), yesNo("区分登録1"), yesNo("区分登録2"),
          yesNo("敬称登録"), yesNo("続柄登録"), text("性別"), text("年号"), text("クイック")},
         {}},
        {QStringLiteral("着信履歴"), {number("code"), text("着信日時"), text("電話番号")},
         {index("ix着信履歴code", {"code"})}},
        {QStringLiteral("電話番号"), {number("code"), text("電話番号"), text("種別")},
         {index("ix電話番号code", {"code"})}},
        {QStringLiteral("VtHint"), {text("FormName"), text("CtlName"), text("FormTitle"), memo("Contents")},
         {index("ixVtHint", {"FormName", "CtlName"})}},
    };
}

std::vector<TableLayout> workTables()
{
    return {
        {QStringLiteral("管理"), {text("DataPath"), text("YubinPath")}, {}},
        {QStringLiteral("w家族情報"),
         {text("名称"), text("氏名"), reading("ふりがな"), text("続柄"), text("性別"), text("Email"),
          text("携帯電話"), text("生年月日"), number("誕生月"), number("年齢"), text("勤務先"), memo("メモ")},
         {}},
        {QStringLiteral("w続柄"), {text("sname"), text("性別")}, {}},
        {QStringLiteral("wコードマスタ"),
         {autoNumber("行番号"), yesNo("チェック", 0), text("code"), text("sname"), number("cnt"), text("性別")},
         {}},
        {QStringLiteral("w顧客リスト"), customerListColumns(), {}},
        {QStringLiteral("w顧客リストソート"), customerListColumns(), {}},
        {QStringLiteral("w顧客マスタ印刷"), customerColumns(false), {}},
        {QStringLiteral("w家族情報印刷"), familyColumns(), {}},
        {QStringLiteral("wタックシール印刷"), {text("名称"), text("郵便番号"), text("住所1"), text("住所2")}, {}},
    };
}

std::vector<TableLayout> postalTables()
{
    return {{QStringLiteral("郵便番号"),
             {text("番号"), text("県漢字"), text("市町村漢字"), text("町名漢字")},
             {index("ix郵便番号番号", {"番号"})}}};
}

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

QString columnDefinition(const ColumnLayout& c)
{
    QString def = quoted(c.name);
    switch (c.type) {
    case T::Text:
    case T::Memo: def += QStringLiteral(" TEXT"); break;
    case T::Integer:
    case T::YesNo: def += QStringLiteral(" INTEGER"); break;
    case T::AutoNumber: def += QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT"); break;
    }
    if (c.defaultValue.isValid())
        def += QStringLiteral(" DEFAULT ") + c.defaultValue.toString();
    return def;
}

} // namespace

QStringList TableLayout::columnNames() const
{
    QStringList names;
    for (const auto& c : columns)
        names << c.name;
    return names;
}

QString TableLayout::createStatement() const
{
    QStringList defs;
    for (const auto& c : columns)
        defs << columnDefinition(c);
    return QStringLiteral("CREATE TABLE ") + quoted(name) + QStringLiteral(" (") + defs.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

QStringList TableLayout::indexStatements() const
{
    QStringList out;
    for (const auto& ix : indexes) {
        QStringList cols;
        for (const auto& c : ix.columns)
            cols << quoted(c);
        out << QStringLiteral("CREATE INDEX ") + quoted(ix.name) + QStringLiteral(" ON ") + quoted(name) +
                   QStringLiteral(" (") + cols.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    return out;
}

const std::vector<TableLayout>& tablesOf(FileKind kind)
{
    static const std::vector<TableLayout> data = dataTables();
    static const std::vector<TableLayout> work = workTables();
    static const std::vector<TableLayout> postal = postalTables();
    switch (kind) {
    case FileKind::Data: return data;
    case FileKind::Work: return work;
    case FileKind::Postal: return postal;
    }
    return data;
}

const TableLayout* findTable(FileKind kind, const QString& name)
{
    for (const auto& t : tablesOf(kind))
        if (t.name == name)
            return &t;
    return nullptr;
}

} // namespace rov2
