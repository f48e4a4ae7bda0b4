// Settings files written whole: every other setting is kept, and a disk that
// fills up leaves the earlier file.
#include "SettingsFile.h"

#include "FailingSink.h"
#include "QtPrinters.h"

#include <QFile>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

class StoredSettings : public ::testing::TestWithParam<qint64>
{
protected:
    void SetUp() override
    {
        // Other settings, about the size of the parameter, and ours as they were.
        QSettings s(path, QSettings::IniFormat);
        for (int i = 0; i * 40 < GetParam(); ++i)
            s.setValue(QStringLiteral("other/key%1").arg(i, 4, 10, QLatin1Char('0')),
                       QStringLiteral("value ").repeated(5));
        s.setValue(QStringLiteral("other/list"), QStringList{QStringLiteral("a, b"), QStringLiteral("c")});
        s.setValue(QStringLiteral("other/rect"), QRect(1, 2, 3, 4));
        s.setValue(QStringLiteral("labels/horizontalOffsetMm"), 1.5);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VAVⅡaruv/VAVⅡaruv.ini"));
};

TEST_P(StoredSettings, KeepTheOtherSettings)
{
    ASSERT_TRUE(storeSettings(path, {{QStringLiteral("labels/horizontalOffsetMm"), -2.5},
                                     {QStringLiteral("labels/verticalOffsetMm"), 0.5}}));
    const QSettings s(path, QSettings::IniFormat);
    EXPECT_EQ(s.allKeys().size(), (GetParam() + 39) / 40 + 4);
    EXPECT_EQ(s.value(QStringLiteral("other/key0000")), QStringLiteral("value ").repeated(5));
    EXPECT_EQ(s.value(QStringLiteral("other/list")).toStringList(),
              (QStringList{QStringLiteral("a, b"), QStringLiteral("c")}));
    EXPECT_EQ(s.value(QStringLiteral("other/rect")).toRect(), QRect(1, 2, 3, 4));
    EXPECT_EQ(s.value(QStringLiteral("labels/horizontalOffsetMm")).toDouble(), -2.5);
    EXPECT_EQ(s.value(QStringLiteral("labels/verticalOffsetMm")).toDouble(), 0.5);
}

TEST_P(StoredSettings, AFullDiskLeavesTheEarlierFile)
{
    const QByteArray before = read(path);
    test::DiskFailure onFlush;
    onFlush.onFlush = true;
    for (const test::DiskFailure failure : {test::DiskFailure{before.size() / 2}, onFlush}) {
        EXPECT_FALSE(storeSettings(path, {{QStringLiteral("labels/horizontalOffsetMm"), -2.5}},
                                   test::failingSinks(failure)));
        EXPECT_EQ(read(path), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, StoredSettings, ::testing::Values(test::kBelowBuffer, test::kAboveBuffer),
                         [](const auto& p) { return p.param < 16384 ? "BelowTheBuffer" : "AboveTheBuffer"; });

} // namespace
} // namespace rov2
