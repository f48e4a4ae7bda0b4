#include "SampleDatabase.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <array>
#include <cstdio>
#include <random>

namespace rov2::bench {

namespace {

constexpr std::array kFamily = {"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺",   "山本",
                                "中村", "小林", "加藤", "吉田", "山田", "佐々木", "山口",
                                "松本", "井上", "木村", "林",   "斎藤", "清水"};
constexpr std::array kFamilyKana = {"サトウ",   "スズキ",   "タカハシ", "タナカ",   "イトウ",
                                    "ワタナベ", "ヤマモト", "ナカムラ", "コバヤシ", "カトウ",
                                    "ヨシダ",   "ヤマダ",   "ササキ",   "ヤマグチ", "マツモト",
                                    "イノウエ", "キムラ",   "ハヤシ",   "サイトウ", "シミズ"};
constexpr std::array kGiven = {"太郎", "花子", "一郎", "美咲", "健太", "陽子", "誠",   "由美",
                               "大輔", "恵",   "翔太", "愛",   "拓也", "裕子", "直樹", "さくら"};
constexpr std::array kGivenKana = {"タロウ", "ハナコ", "イチロウ", "ミサキ", "ケンタ",   "ヨウコ",
                                   "マコト", "ユミ",   "ダイスケ", "メグミ", "ショウタ", "アイ",
                                   "タクヤ", "ユウコ", "ナオキ",   "サクラ"};
constexpr std::array kPrefecture = {"東京都", "大阪府", "神奈川県", "愛知県", "埼玉県",
                                    "千葉県", "兵庫県", "北海道",   "福岡県", "静岡県"};
constexpr std::array kCity = {"中央区", "北区", "南区", "港区", "緑区",
                              "青葉区", "西区", "東区", "旭区", "栄区"};
constexpr std::array kTown = {"本町",   "栄町", "緑町", "旭町",   "新町",
                              "大手町", "幸町", "桜町", "朝日町", "若葉町"};
constexpr std::array kNote = {"",
                              "",
                              "",
                              "来店時に要確認",
                              "年賀状送付済み",
                              "ＤＭ不要",
                              "電話連絡は夕方以降",
                              "紹介者あり",
                              "支払いは口座振替",
                              "住所変更あり　旧住所に注意"};
constexpr std::array kCompany = {
    "株式会社山田商事", "有限会社鈴木工業", "中村建設株式会社",      "自営業", "", "",
    "会社員",           "公務員",           "株式会社テクノサービス"};
constexpr std::array kVisit = {"来店", "電話相談", "見積依頼", "契約更新", "商品購入", "苦情対応", "訪問"};
constexpr std::array kRelation = {"妻", "夫", "長男", "長女", "次男", "次女", "父", "母"};

class Generator
{
public:
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    template <typename Array> const char* pick(const Array& a)
    {
        return a[static_cast<std::size_t>(number(0, static_cast<int>(a.size()) - 1))];
    }
    std::string date()
    {
        char text[16];
        std::snprintf(text, sizeof text, "%04d/%02d/%02d", number(1930, 2010), number(1, 12), number(1, 28));
        return text;
    }
    std::string postcode()
    {
        char text[16];
        std::snprintf(text, sizeof text, "%03d-%04d", number(100, 999), number(0, 9999));
        return text;
    }
    std::string phone(int area)
    {
        char text[24];
        std::snprintf(text, sizeof text, "0%d-%04d-%04d", area, number(0, 9999), number(0, 9999));
        return text;
    }
    std::string visits()
    {
        std::string text;
        for (int i = number(0, 3); i > 0; --i)
            text += date() + " " + pick(kVisit) +
                    (number(0, 1) == 0 ? "（担当：" + std::string(pick(kFamily)) + "）" : "") + "\n";
        return text;
    }
    std::string address()
    {
        return std::string(pick(kPrefecture)) + pick(kCity) + pick(kTown) + std::to_string(number(1, 9)) +
               "丁目" + std::to_string(number(1, 30)) + "番" + std::to_string(number(1, 20)) + "号";
    }

private:
    std::mt19937 engine_{20240401};
};

void createTables(SQLite::Database& db)
{
    db.exec("CREATE TABLE 顧客 (顧客番号 INTEGER PRIMARY KEY, 氏名 TEXT, フリガナ TEXT, 性別 INTEGER, "
            "生年月日 TEXT, 郵便番号 TEXT, 住所1 TEXT, 住所2 TEXT, 電話番号 TEXT, 携帯電話 TEXT, "
            "メール TEXT, 勤務先 TEXT, 勤務先住所 TEXT, 備考 TEXT, 登録日 TEXT, 更新日 TEXT, 区分 INTEGER, "
            "累計金額 REAL, 来店回数 INTEGER, 勤務先電話 TEXT, 紹介者 TEXT, 来店メモ TEXT)");
    db.exec("CREATE TABLE 家族 (番号 INTEGER PRIMARY KEY, 顧客番号 INTEGER, 続柄 TEXT, 氏名 TEXT, "
            "フリガナ TEXT, 生年月日 TEXT, 備考 TEXT, 勤務先 TEXT, 携帯電話 TEXT)");
}

void insertCustomer(SQLite::Statement& insert, Generator& g, int id)
{
    const auto family = static_cast<std::size_t>(g.number(0, kFamily.size() - 1));
    const auto given = static_cast<std::size_t>(g.number(0, kGiven.size() - 1));
    insert.bind(1, id);
    insert.bind(2, std::string(kFamily[family]) + "　" + kGiven[given]);
    insert.bind(3, std::string(kFamilyKana[family]) + " " + kGivenKana[given]);
    insert.bind(4, g.number(1, 2));
    insert.bind(5, g.date());
    insert.bind(6, g.postcode());
    insert.bind(7, g.address());
    insert.bind(8, g.number(0, 2) == 0 ? std::string("マンション") + g.pick(kTown) +
                                             std::to_string(g.number(101, 1210)) + "号室"
                                       : std::string());
    insert.bind(9, g.phone(g.number(3, 99)));
    insert.bind(10, g.number(0, 1) == 0 ? g.phone(90) : "");
    insert.bind(11, g.number(0, 2) == 0 ? "user" + std::to_string(g.number(1, 99999)) + "@example.jp" : "");
    insert.bind(12, g.pick(kCompany));
    insert.bind(13, g.number(0, 1) == 0 ? g.address() : "");
    insert.bind(14,
                std::string(g.pick(kNote)) + (g.number(0, 3) == 0 ? std::string("　") + g.pick(kNote) : ""));
    insert.bind(15, g.date());
    insert.bind(16, g.date());
    insert.bind(17, g.number(0, 5));
    insert.bind(18, g.number(0, 5000000) / 10.0);
    insert.bind(19, g.number(0, 300));
    insert.bind(20, g.number(0, 1) == 0 ? g.phone(g.number(3, 99)) : std::string());
    insert.bind(21, g.number(0, 3) == 0 ? std::string(g.pick(kFamily)) + "　" + g.pick(kGiven) + " 様"
                                        : std::string());
    insert.bind(22, g.visits());
    insert.exec();
    insert.reset();
}

void insertFamily(SQLite::Statement& insert, Generator& g, int id, int customers)
{
    const auto family = static_cast<std::size_t>(g.number(0, kFamily.size() - 1));
    const auto given = static_cast<std::size_t>(g.number(0, kGiven.size() - 1));
    insert.bind(1, id);
    insert.bind(2, g.number(1, customers));
    insert.bind(3, g.pick(kRelation));
    insert.bind(4, std::string(kFamily[family]) + "　" + kGiven[given]);
    insert.bind(5, std::string(kFamilyKana[family]) + " " + kGivenKana[given]);
    insert.bind(6, g.date());
    insert.bind(7, g.number(0, 2) == 0 ? g.pick(kNote) : "同居");
    insert.bind(8, g.pick(kCompany));
    insert.bind(9, g.number(0, 2) == 0 ? g.phone(80) : std::string());
    insert.exec();
    insert.reset();
}

} // namespace

bool SampleDatabase::build(const std::filesystem::path& file, int customers, std::string& error)
{
    try {
        std::filesystem::remove(file);
        SQLite::Database db(file.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        createTables(db);
        Generator g;
        SQLite::Transaction transaction(db);
        SQLite::Statement customer(db,
                                   "INSERT INTO 顧客 VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        for (int id = 1; id <= customers; ++id)
            insertCustomer(customer, g, id);
        SQLite::Statement member(db, "INSERT INTO 家族 VALUES (?,?,?,?,?,?,?,?,?)");
        for (int id = 1; id <= 2 * customers; ++id)
            insertFamily(member, g, id, customers);
        db.exec("CREATE INDEX 顧客フリガナ ON 顧客 (フリガナ)");
        db.exec("CREATE INDEX 顧客電話 ON 顧客 (電話番号)");
        db.exec("CREATE INDEX 家族顧客 ON 家族 (顧客番号)");
        // Rows deleted over the years leave free space inside the pages.
        db.exec("DELETE FROM 顧客 WHERE 顧客番号 % 23 = 0");
        transaction.commit();
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

} // namespace rov2::bench
