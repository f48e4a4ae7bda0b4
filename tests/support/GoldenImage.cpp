#include "GoldenImage.h"

#include <gtest/gtest.h>

namespace rov2::test {

namespace {
constexpr double kTolerance = 0.002;
constexpr int kClearGreyStep = 64;
} // namespace

double differingShare(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differ = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* lx = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* ly = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            if (qAbs(qGray(lx[col]) - qGray(ly[col])) > kClearGreyStep)
                ++differ;
    }
    return double(differ) / (double(x.width()) * x.height());
}

void expectLooksAsBefore(const QImage& page, const QString& goldenPath, const QString& actualPath,
                         double inkShare)
{
    const QImage actual = page.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("ROV2_UPDATE_GOLDEN")) {
        ASSERT_TRUE(actual.save(goldenPath)) << goldenPath.toStdString();
    }
    const QImage expected = QImage(goldenPath).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "missing " << goldenPath.toStdString();
    ASSERT_EQ(expected.size(), actual.size()) << goldenPath.toStdString();
    const double share = differingShare(actual, expected);
    if (share >= kTolerance)
        actual.save(actualPath);
    EXPECT_LT(share, kTolerance) << goldenPath.toStdString() << "; this run's page: " << actualPath.toStdString();
    QImage blank(actual.size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_GT(differingShare(blank, expected), inkShare) << goldenPath.toStdString();
}

} // namespace rov2::test
