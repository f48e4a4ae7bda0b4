#include "SampleData.h"

#include "Database.h"
#include "SuppliedFiles.h"

#include <QFile>

#include <array>
#include <cstdint>

namespace rov2 {
namespace {

struct Name {
    const char* kanji;
    const char* kana;
};

struct Town {
    const char* code;
    const char* address;
    const char* area; ///< telephone area code
};

constexpr std::array<Name, 40> kFamilyNames{{
    {"佐藤", "さとう"}, {"鈴木", "すずき"}, {"高橋", "たかはし"}, {"田中", "たなか"}, {"伊藤", "いとう"},
    {"渡辺", "わたなべ"}, {"山本", "やまもと"}, {"中村", "なかむら"}, {"小林", "こばやし"}, {"加藤", "かとう"},
    {"吉田", "よしだ"}, {"山田", "やまだ"}, {"佐々木", "ささき"}, {"山口", "やまぐち"}, {"松本", "まつもと"},
    {"井上", "いのうえ"}, {"木村", "きむら"}, {"林", "はやし"}, {"斎藤", "さいとう"}, {"清水", "しみず"},
    {"山崎", "やまざき"}, {"森", "もり"}, {"池田", "いけだ"}, {"橋本", "はしもと"}, {"阿部", "あべ"},
    {"石川", "いしかわ"}, {"山下", "やました"}, {"中島", "なかじま"}, {"石井", "いしい"}, {"小川", "おがわ"},
    {"前田", "まえだ"}, {"岡田", "おかだ"}, {"長谷川", "はせがわ"}, {"藤田", "ふじた"}, {"後藤", "ごとう"},
    {"近藤", "こんどう"}, {"村上", "むらかみ"}, {"遠藤", "えんどう"}, {"青木", "あおき"}, {"坂本", "さかもと"},
}};

constexpr std::array<Name, 20> kMaleNames{{
    {"一郎", "いちろう"}, {"健太", "けんた"}, {"大輔", "だいすけ"}, {"翔太", "しょうた"}, {"拓也", "たくや"},
    {"直樹", "なおき"}, {"浩二", "こうじ"}, {"誠", "まこと"}, {"茂", "しげる"}, {"隆", "たかし"},
    {"和也", "かずや"}, {"修", "おさむ"}, {"博", "ひろし"}, {"健一", "けんいち"}, {"裕太", "ゆうた"},
    {"蓮", "れん"}, {"悠真", "ゆうま"}, {"湊", "みなと"}, {"勇", "いさむ"}, {"清", "きよし"},
}};

constexpr std::array<Name, 20> kFemaleNames{{
    {"花子", "はなこ"}, {"恵子", "けいこ"}, {"陽子", "ようこ"}, {"美穂", "みほ"}, {"由美", "ゆみ"},
    {"裕子", "ゆうこ"}, {"直美", "なおみ"}, {"愛", "あい"}, {"さくら", "さくら"}, {"結衣", "ゆい"},
    {"美咲", "みさき"}, {"明美", "あけみ"}, {"久美子", "くみこ"}, {"幸子", "さちこ"}, {"和子", "かずこ"},
    {"陽菜", "ひな"}, {"葵", "あおい"}, {"凛", "りん"}, {"真由美", "まゆみ"}, {"智子", "ともこ"},
}};

constexpr std::array<Town, 16> kTowns{{
    {"100-0001", "東京都千代田区千代田", "03"}, {"160-0022", "東京都新宿区新宿", "03"},
    {"150-0002", "東京都渋谷区渋谷", "03"},     {"530-0001", "大阪府大阪市北区梅田", "06"},
    {"460-0008", "愛知県名古屋市中区栄", "052"}, {"060-0001", "北海道札幌市中央区北一条西", "011"},
    {"810-0001", "福岡県福岡市中央区天神", "092"}, {"980-0811", "宮城県仙台市青葉区一番町", "022"},
    {"730-0011", "広島県広島市中区基町", "082"}, {"600-8216", "京都府京都市下京区東塩小路町", "075"},
    {"220-0011", "神奈川県横浜市西区高島", "045"}, {"330-0063", "埼玉県さいたま市浦和区高砂", "048"},
    {"260-0013", "千葉県千葉市中央区中央", "043"}, {"650-0001", "兵庫県神戸市中央区加納町", "078"},
    {"900-0015", "沖縄県那覇市久茂地", "098"},   {"380-0836", "長野県長野市南長野", "026"},
}};

const char* const kCategory1[] = {"一般", "会員", "優待", "法人", "休眠"};
const char* const kCategory2[] = {"紹介", "広告", "来店", "電話", "ウェブ", "イベント"};
const char* const kBuildings[] = {"", "", "", "ハイツ青葉 203", "コーポ桜 1F", "グランドメゾン 805", "第二ビル 3階"};

/// A small deterministic generator, so that a given count always yields the same file.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint32_t next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

QString u(const char* s) { return QString::fromUtf8(s); }

QString dateText(int y, int m, int d) { return QStringLiteral("%1/%2/%3").arg(y, 4, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0')).arg(d, 2, 10, QLatin1Char('0')); }

struct Birth {
    QVariant date;
    QVariant month;
    QVariant age;
};

Birth randomBirth(Random& r, int fromYear, int span)
{
    if (r.chance(15))
        return {};
    const int y = fromYear + r.below(span), m = 1 + r.below(12), d = 1 + r.below(28);
    return {dateText(y, m, d), m, 2024 - y};
}

QString phone(Random& r, const Town& t)
{
    return QStringLiteral("%1-%2-%3").arg(u(t.area)).arg(1000 + r.below(9000)).arg(1000 + r.below(9000));
}

QString mobile(Random& r)
{
    return QStringLiteral("0%1-%2-%3").arg(70 + 10 * r.below(3)).arg(1000 + r.below(9000)).arg(1000 + r.below(9000));
}

bool fillCategories(Database& db)
{
    int slot = 1;
    for (const char* name : kCategory1)
        if (!db.execute(QStringLiteral("UPDATE コードマスタ SET sname = ? WHERE kcode = '区分1' AND code = ?"),
                        {u(name), QStringLiteral("%1").arg(slot++, 2, 10, QLatin1Char('0'))}))
            return false;
    slot = 1;
    for (const char* name : kCategory2)
        if (!db.execute(QStringLiteral("UPDATE コードマスタ SET sname = ? WHERE kcode = '区分2' AND code = ?"),
                        {u(name), QStringLiteral("%1").arg(slot++, 2, 10, QLatin1Char('0'))}))
            return false;
    return true;
}

class Writer {
public:
    Writer(Database& db, Random& r) : db_(db), r_(r) {}
    bool customer(qint64 n);
    SampleCounts counts;

private:
    bool family(const QString& owner, const Name& surname, bool male, const QVariantList& categories);
    Database& db_;
    Random& r_;
    QHash<QString, int> used_;
};

bool Writer::customer(qint64 n)
{
    const Name& fam = kFamilyNames[static_cast<size_t>(r_.below(kFamilyNames.size()))];
    const bool male = r_.chance(55);
    const Name& given = male ? kMaleNames[static_cast<size_t>(r_.below(kMaleNames.size()))]
                             : kFemaleNames[static_cast<size_t>(r_.below(kFemaleNames.size()))];
    QString name = u(fam.kanji) + u("　") + u(given.kanji);
    const int seen = used_[name]++;
    if (seen > 0)
        name += QStringLiteral("（%1）").arg(seen + 1);
    const Town& t = kTowns[static_cast<size_t>(r_.below(kTowns.size()))];
    const Birth b = randomBirth(r_, 1935, 70);
    const QVariantList categories = {u(kCategory1[r_.below(5)]), r_.chance(70) ? QVariant(u(kCategory2[r_.below(6)])) : QVariant(QString())};
    const bool ok = db_.execute(
        QStringLiteral("INSERT INTO 顧客マスタ (名称, ふりがな, 郵便番号, 住所1, 住所2, 敬称, クイック, Email, TEL1, TEL2, "
                       "FAX, 区分1, 区分2, 生年月日, 誕生月, 性別, 年齢, 顧客メモ, 印刷名) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {name, u(fam.kana) + u(" ") + u(given.kana), u(t.code),
         u(t.address) + QStringLiteral("%1丁目%2番%3号").arg(1 + r_.below(5)).arg(1 + r_.below(20)).arg(1 + r_.below(30)),
         u(kBuildings[r_.below(7)]), r_.chance(90) ? u("様") : u("殿"), r_.chance(1) ? u("する") : u("しない"),
         r_.chance(40) ? QVariant(QStringLiteral("user%1@example.jp").arg(n)) : QVariant(QString()), phone(r_, t),
         r_.chance(50) ? QVariant(mobile(r_)) : QVariant(QString()), r_.chance(20) ? QVariant(phone(r_, t)) : QVariant(QString()),
         categories.at(0), categories.at(1), b.date, b.month, male ? u("男") : u("女"), b.age,
         r_.chance(30) ? QVariant(u("来店時に") + u(kCategory2[r_.below(6)]) + u("の件で相談あり。次回はカタログを送付。")) : QVariant(QString()),
         r_.chance(5) ? QVariant(name + u("　御一同")) : QVariant()});
    if (!ok)
        return false;
    ++counts.customers;
    return family(name, fam, male, categories);
}

bool Writer::family(const QString& owner, const Name& surname, bool male, const QVariantList& categories)
{
    static const char* const kChildren[][2] = {{"長男", "男"}, {"次男", "男"}, {"長女", "女"}, {"次女", "女"}};
    const int members = r_.below(5); // 0 to 4, two on average
    for (int i = 0; i < members; ++i) {
        const bool spouse = i == 0;
        const bool memberMale = spouse ? !male : QString::fromUtf8(kChildren[i - 1][1]) == u("男");
        const Name& given = memberMale ? kMaleNames[static_cast<size_t>(r_.below(kMaleNames.size()))]
                                       : kFemaleNames[static_cast<size_t>(r_.below(kFemaleNames.size()))];
        const Birth b = spouse ? randomBirth(r_, 1935, 70) : randomBirth(r_, 1960, 60);
        const QString relation = spouse ? (male ? u("妻") : u("夫")) : u(kChildren[i - 1][0]);
        if (!db_.execute(QStringLiteral("INSERT INTO 家族情報 (名称, 行番号, 氏名, ふりがな, 続柄, 性別, Email, 携帯電話, "
                                        "生年月日, 誕生月, 年齢, 区分1, 区分2, 勤務先, メモ) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                         {owner, i, u(surname.kanji) + u("　") + u(given.kanji), u(surname.kana) + u(" ") + u(given.kana),
                          relation, memberMale ? u("男") : u("女"), QString(), r_.chance(60) ? QVariant(mobile(r_)) : QVariant(QString()),
                          b.date, b.month, b.age, categories.at(0), categories.at(1),
                          r_.chance(30) ? QVariant(u("株式会社") + u(kFamilyNames[static_cast<size_t>(r_.below(40))].kanji) + u("商事")) : QVariant(QString()),
                          QString()}))
            return false;
        ++counts.familyRows;
    }
    return true;
}

} // namespace

std::optional<SampleCounts> writeSampleDataFile(const QString& path, qint64 customers, QString* error)
{
    if (!createSuppliedDataFile(path, error))
        return std::nullopt;
    std::optional<SampleCounts> result;
    {
        auto db = Database::open(path, error);
        if (db) {
            Random r(20240401);
            Writer w(*db, r);
            Transaction tx(*db);
            bool ok = tx.active() && fillCategories(*db);
            for (qint64 n = 1; ok && n <= customers; ++n)
                ok = w.customer(n);
            if (ok && tx.commit())
                result = w.counts;
            else if (error)
                *error = db->lastError();
        }
    }
    if (!result)
        QFile::remove(path);
    return result;
}

} // namespace rov2
