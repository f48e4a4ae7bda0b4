#include "ConvertRov.h"

#include "Database.h"
#include "Dialogs.h"
#include "Messages.h"
#include "TableSource.h"

#include <QFileInfo>
#include <QtDebug>

namespace rov2 {
namespace {

std::vector<ConvertField> fieldsOf(std::initializer_list<std::pair<const char16_t*, const char16_t*>> pairs)
{
    std::vector<ConvertField> out;
    for (const auto& [current, old] : pairs)
        out.push_back({QString::fromUtf16(current), QString::fromUtf16(old)});
    return out;
}

const ConvertTablePlan& companyPlan()
{
    static const ConvertTablePlan plan{
        QStringLiteral("自社情報"),
        fieldsOf({{u"顧客名", u"顧客名"}, {u"名称2", u"名称2"}, {u"郵便番号", u"郵便番号"}, {u"住所1", u"住所1"},
                  {u"電話番号", u"電話番号"}, {u"FAX", u"FAX"}, {u"敬称登録", u"敬称登録"},
                  {u"YubinLocalEria", u"YubinLocalEria"}, {u"yubinlocalEriaSw", u"yubinlocalEriaSw"}}),
        {}, {}, false};
    return plan;
}

const ConvertTablePlan& codePlan()
{
    static const ConvertTablePlan plan{QStringLiteral("コードマスタ"),
                                       fieldsOf({{u"kcode", u"kcode"}, {u"code", u"code"}, {u"sname", u"sname"}}),
                                       {QStringLiteral("kcode"), QStringLiteral("code")}, QStringLiteral("sname"),
                                       true};
    return plan;
}

const ConvertTablePlan& customerPlan()
{
    static const ConvertTablePlan plan{
        QStringLiteral("顧客マスタ"),
        fieldsOf({{u"名称", u"名称"}, {u"ふりがな", u"ふりがな"}, {u"郵便番号", u"郵便番号"}, {u"住所1", u"住所1"},
                  {u"住所2", u"住所2"}, {u"敬称", u"敬称"}, {u"TEL1", u"TEL"}, {u"FAX", u"FAX"},
                  {u"クイック", u"クイック"}, {u"区分1", u"区分"}, {u"顧客メモ", u"顧客メモ"}}),
        {QStringLiteral("名称")}, QStringLiteral("名称"), false};
    return plan;
}

/// A table the old file lacks converts nothing; that is no failure.
ConvertTableResult convertTable(Database& current, TableSource& old, const ConvertTablePlan& plan,
                                ConvertProgressClock& progress)
{
    if (old.findTable(plan.table).isEmpty())
        return {};
    QString error;
    auto rows = old.openTable(plan.table, &error);
    if (!rows) {
        ConvertTableResult r;
        r.ok = false;
        r.error = error;
        return r;
    }
    return mergeTable(current, *rows, plan, progress);
}

void tell(const QString& text)
{
    ShowMessage(MsgOp::その他, MsgKind::メッセージ, text);
}

/// The final notice with what came over, so that a file whose rows were all
/// refused does not pass for a conversion that worked.
QString finishedText(const ConvertResult& r)
{
    qint64 read = 0;
    qint64 added = 0;
    qint64 refused = 0;
    for (const ConvertTableResult* t : {&r.company, &r.codes, &r.customers}) {
        read += t->read;
        added += t->added;
        refused += t->refused;
    }
    QString text = QStringLiteral("コンバートが終了しました\n読込 %L1件　追加 %L2件　除外 %L3件")
                       .arg(read)
                       .arg(added)
                       .arg(refused);
    if (refused > 0)
        text += QStringLiteral("\n名称やコードが文字でないか空の行は除外しました。");
    return text;
}

} // namespace

QStringList convertStageTexts()
{
    return {QStringLiteral("自社情報をコンバートしています････"), QStringLiteral("コード表をコンバートしています････"),
            QStringLiteral("顧客マスタをコンバートしています････")};
}

ConvertTableResult CnvRovJisyaInfo(Database& current, TableSource& old, ConvertProgressClock& progress)
{
    return convertTable(current, old, companyPlan(), progress);
}

ConvertTableResult CnvRovCode(Database& current, TableSource& old, ConvertProgressClock& progress)
{
    return convertTable(current, old, codePlan(), progress);
}

ConvertTableResult CnvRovKokyaku(Database& current, TableSource& old, ConvertProgressClock& progress)
{
    return convertTable(current, old, customerPlan(), progress);
}

ConvertResult ConvertRov(const QString& oldPath, const QString& dataFile, Dialogs& dialogs,
                         const ConvertProgress& progress, const QString& jet3CodePage)
{
    const DialogsScope scope(dialogs);
    ConvertResult result;
    if (!QFileInfo(oldPath).isFile()) {
        tell(QStringLiteral("指定された場所にデータはありません。"));
        result.outcome = ConvertOutcome::NoOldFile;
        return result;
    }
    auto old = openTableSource(oldPath, SourceOptions{jet3CodePage}, &result.error);
    if (!old) {
        qWarning().noquote() << "conversion:" << result.error;
        tell(QStringLiteral("指定されたファイルはデータファイルではありません。"));
        result.outcome = ConvertOutcome::Refused;
        return result;
    }
    auto current = Database::open(dataFile, &result.error);
    if (!current) {
        qWarning().noquote() << "conversion:" << result.error;
        tell(QStringLiteral("データファイルを開けません。コンバートできませんでした。"));
        result.outcome = ConvertOutcome::NotOpened;
        return result;
    }

    if (progress.panel)
        progress.panel(true);
    ConvertProgressClock clock(progress.update);
    bool ok = false;
    {
        Transaction tx(*current);
        const QStringList stages = convertStageTexts();
        ok = tx.active();
        if (ok) {
            clock.stage(stages.at(0));
            result.company = CnvRovJisyaInfo(*current, *old, clock);
            ok = result.company.ok;
        }
        if (ok) {
            clock.stage(stages.at(1));
            result.codes = CnvRovCode(*current, *old, clock);
            ok = result.codes.ok;
        }
        if (ok) {
            clock.stage(stages.at(2));
            result.customers = CnvRovKokyaku(*current, *old, clock);
            ok = result.customers.ok;
        }
        ok = ok && tx.commit();
    }
    if (progress.panel)
        progress.panel(false);

    if (!ok) {
        for (const auto* r : {&result.company, &result.codes, &result.customers})
            if (!r->ok)
                result.error = r->error;
        if (result.error.isEmpty())
            result.error = current->lastError();
        qWarning().noquote() << "conversion failed:" << result.error;
        tell(QStringLiteral("コンバートできませんでした。データは変更されていません。"));
        result.outcome = ConvertOutcome::Failed;
        return result;
    }
    tell(finishedText(result));
    result.outcome = ConvertOutcome::Converted;
    return result;
}

} // namespace rov2
