#include "AddCodeName.h"
#include "TestNames.h"

#include "CompanySettings.h"
#include "Database.h"
#include "Query.h"
#include "TempData.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2 {
namespace {

/// A slot of the code master: its name (null QVariant: Null) and 性別.
struct Slot
{
    QVariant name;
    QVariant sex;
};

class AddCodeNameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dataFile_ = d_.dataFile();
        settings_.区分登録1 = settings_.区分登録2 = settings_.敬称登録 = true;
        db_ = Database::open(d_.dataFile());
        ASSERT_TRUE(db_);
    }
    Slot slot(const QString& kind, const QString& code)
    {
        Query q =
            db_->query(QStringLiteral("SELECT sname, 性別 FROM コードマスタ WHERE kcode = ? AND code = ?"),
                       {kind, code});
        EXPECT_TRUE(q.next()) << kind.toStdString() << " " << code.toStdString();
        return {q.value(0), q.value(1)};
    }
    void setName(const QString& kind, const QString& code, const QVariant& name)
    {
        ASSERT_TRUE(
            db_->execute(QStringLiteral("UPDATE コードマスタ SET sname = ? WHERE kcode = ? AND code = ?"),
                         {name, kind, code}));
    }
    /// Fills every slot of @p kind with a name of its own.
    void fill(const QString& kind)
    {
        ASSERT_TRUE(db_->execute(
            QStringLiteral("UPDATE コードマスタ SET sname = 'x' || code WHERE kcode = ?"), {kind}));
    }
    qint64 named(const QString& kind, const QString& name)
    {
        return db_
            ->count(QStringLiteral("SELECT count(*) AS num FROM コードマスタ WHERE kcode = ? AND sname = ?"),
                    {kind, name})
            .value_or(-1);
    }

    test::TempData d_;
    std::unique_ptr<Database> db_;
    QString dataFile_;
    CompanySettings settings_;
};

// The supplied file: 敬称 and 続柄 have names in their first slots, 区分1/区分2 are empty.
TEST_F(AddCodeNameTest, WritesTheFirstFreeSlot)
{
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, QStringLiteral("区分1"), QStringLiteral("得意先"), QString()));
    EXPECT_EQ(slot(QStringLiteral("区分1"), QStringLiteral("01")).name.toString(), QStringLiteral("得意先"));
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, QStringLiteral("区分1"), QStringLiteral("仕入先"), QString()));
    EXPECT_EQ(slot(QStringLiteral("区分1"), QStringLiteral("02")).name.toString(), QStringLiteral("仕入先"));
    EXPECT_TRUE(slot(QStringLiteral("区分1"), QStringLiteral("03")).name.isNull());
}

TEST_F(AddCodeNameTest, TakesTheLowestFreeCodeEvenWithHigherSlotsFilled)
{
    setName(QStringLiteral("区分2"), QStringLiteral("01"), QStringLiteral("A"));
    setName(QStringLiteral("区分2"), QStringLiteral("03"), QStringLiteral("C"));
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, QStringLiteral("区分2"), QStringLiteral("B"), QString()));
    EXPECT_EQ(slot(QStringLiteral("区分2"), QStringLiteral("02")).name.toString(), QStringLiteral("B"));
    EXPECT_EQ(slot(QStringLiteral("区分2"), QStringLiteral("03")).name.toString(), QStringLiteral("C"));
}

TEST_F(AddCodeNameTest, AnEmptyTextIsATakenSlotNotAFreeOne)
{
    setName(QStringLiteral("区分1"), QStringLiteral("01"), QStringLiteral(""));
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, QStringLiteral("区分1"), QStringLiteral("新"), QString()));
    EXPECT_EQ(slot(QStringLiteral("区分1"), QStringLiteral("02")).name.toString(), QStringLiteral("新"));
    EXPECT_FALSE(slot(QStringLiteral("区分1"), QStringLiteral("01")).name.isNull());
}

TEST_F(AddCodeNameTest, ANameAlreadyListedChangesNothing)
{
    setName(QStringLiteral("区分1"), QStringLiteral("05"), QStringLiteral("得意先"));
    EXPECT_FALSE(AddCodeName(dataFile_, settings_, QStringLiteral("区分1"), QStringLiteral("得意先"), QString()));
    EXPECT_EQ(named(QStringLiteral("区分1"), QStringLiteral("得意先")), 1);
    EXPECT_TRUE(slot(QStringLiteral("区分1"), QStringLiteral("01")).name.isNull());
    // The same name in another kind's list does not count.
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, QStringLiteral("区分2"), QStringLiteral("得意先"), QString()));
}

TEST_F(AddCodeNameTest, AFullListChangesNothing)
{
    fill(QStringLiteral("区分1"));
    EXPECT_FALSE(AddCodeName(dataFile_, settings_, QStringLiteral("区分1"), QStringLiteral("三十一番目"), QString()));
    EXPECT_EQ(named(QStringLiteral("区分1"), QStringLiteral("三十一番目")), 0);
    EXPECT_EQ(slot(QStringLiteral("区分1"), QStringLiteral("30")).name.toString(), QStringLiteral("x30"));
}

TEST_F(AddCodeNameTest, RelationshipsGetTheirSexOtherKindsKeepTheirs)
{
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, QStringLiteral("続柄"), QStringLiteral("伯母"), QStringLiteral("女")));
    EXPECT_EQ(named(QStringLiteral("続柄"), QStringLiteral("伯母")), 1);
    EXPECT_EQ(slot(QStringLiteral("続柄"), QStringLiteral("25")).sex.toString(), QStringLiteral("女"));

    ASSERT_TRUE(db_->execute(
        QStringLiteral("UPDATE コードマスタ SET 性別 = '男' WHERE kcode = '敬称' AND code = '08'")));
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, QStringLiteral("敬称"), QStringLiteral("氏"), QStringLiteral("女")));
    const Slot s = slot(QStringLiteral("敬称"), QStringLiteral("08"));
    EXPECT_EQ(s.name.toString(), QStringLiteral("氏"));
    EXPECT_EQ(s.sex.toString(), QStringLiteral("男"));
}

struct NewName
{
    const char* listed;
    const char* typed;
};

void PrintTo(const NewName& c, std::ostream* os)
{
    *os << "listed " << c.listed << ", typed " << c.typed;
}

class ExactComparison : public AddCodeNameTest, public ::testing::WithParamInterface<NewName>
{
};

TEST_P(ExactComparison, ANameDifferingInCaseOrWidthIsNew)
{
    const QString listed = QString::fromUtf8(GetParam().listed);
    const QString typed = QString::fromUtf8(GetParam().typed);
    setName(QStringLiteral("区分1"), QStringLiteral("01"), listed);
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, QStringLiteral("区分1"), typed, QString()));
    EXPECT_EQ(slot(QStringLiteral("区分1"), QStringLiteral("02")).name.toString(), typed);
}

INSTANTIATE_TEST_SUITE_P(Names, ExactComparison,
                         ::testing::Values(NewName{"abc", "ABC"}, NewName{"ABC", "ＡＢＣ"},
                                           NewName{"ｻﾏ", "サマ"}, NewName{"得意先", "得意先 "},
                                           NewName{"１", "1"}), ::rov2::test::PrintedName());

/// A kind, the setting that gates it, and whether the routine looks at it.
struct Gate
{
    const char* kind;
    bool CompanySettings::*setting;
};

void PrintTo(const Gate& c, std::ostream* os)
{
    *os << c.kind;
}

class SettingGate : public AddCodeNameTest, public ::testing::WithParamInterface<Gate>
{
};

TEST_P(SettingGate, ASettingOffLeavesTheListAlone)
{
    const QString kind = QString::fromUtf8(GetParam().kind);
    settings_.*GetParam().setting = false;
    EXPECT_FALSE(AddCodeName(dataFile_, settings_, kind, QStringLiteral("新しい名前"), QString()));
    EXPECT_EQ(named(kind, QStringLiteral("新しい名前")), 0);
    settings_.*GetParam().setting = true;
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, kind, QStringLiteral("新しい名前"), QString()));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SettingGate,
                         ::testing::Values(Gate{"区分1", &CompanySettings::区分登録1},
                                           Gate{"区分2", &CompanySettings::区分登録2},
                                           Gate{"敬称", &CompanySettings::敬称登録}), ::rov2::test::PrintedName());

TEST_F(AddCodeNameTest, RelationshipsAreNotGatedHere)
{
    settings_.続柄登録 = false;
    settings_.区分登録1 = settings_.区分登録2 = settings_.敬称登録 = false;
    EXPECT_TRUE(AddCodeName(dataFile_, settings_, QStringLiteral("続柄"), QStringLiteral("従兄"), QStringLiteral("男")));
}

TEST_F(AddCodeNameTest, NothingToWriteInto)
{
    EXPECT_FALSE(
        AddCodeName(dataFile_, settings_, QStringLiteral("住所区分"), QStringLiteral("自宅"), QString())); // a kind without slots
    EXPECT_FALSE(AddCodeName(dataFile_, settings_, QStringLiteral("区分1"), QString(), QString()));
    EXPECT_TRUE(slot(QStringLiteral("区分1"), QStringLiteral("01")).name.isNull());
}

TEST_F(AddCodeNameTest, AMissingDataFileIsNotCreated)
{
    dataFile_ = d_.path(QStringLiteral("nowhere.mdb"));
    EXPECT_FALSE(AddCodeName(dataFile_, settings_, QStringLiteral("区分1"), QStringLiteral("得意先"), QString()));
    EXPECT_FALSE(QFileInfo::exists(dataFile_));
}

TEST_F(AddCodeNameTest, ADataFileWithoutTheTableFails)
{
    test::TempData empty(false);
    auto other = Database::createNew(empty.dataFile());
    ASSERT_TRUE(other);
    dataFile_ = empty.dataFile();
    EXPECT_FALSE(AddCodeName(dataFile_, settings_, QStringLiteral("区分1"), QStringLiteral("得意先"), QString()));
}

} // namespace
} // namespace rov2
