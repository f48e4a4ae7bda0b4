#include "TempData.h"

#include "SuppliedFiles.h"

#include <gtest/gtest.h>

namespace rov2::test {

TempData::TempData(bool withFiles)
{
    EXPECT_TRUE(dir_.isValid());
    if (withFiles) {
        QString error;
        EXPECT_TRUE(createSuppliedDataFile(dataFile(), &error)) << error.toStdString();
        EXPECT_TRUE(createSuppliedWorkFile(workFile(), &error)) << error.toStdString();
    }
}

QString TempData::folder() const { return dir_.path() + QLatin1Char('/'); }
QString TempData::dataFile() const { return path(QStringLiteral("Rov2Data.mdb")); }
QString TempData::workFile() const { return path(QStringLiteral("Rov2Work.mdb")); }
QString TempData::postalFile() const { return path(QStringLiteral("yubin.mdb")); }
QString TempData::path(const QString& name) const { return folder() + name; }

OwnFiles TempData::ownFiles() const
{
    OwnFiles own;
    own.dataFile = dataFile();
    own.workFile = workFile();
    own.postalFile = postalFile();
    own.lockFile = path(QString::fromUtf16(kLockFileName));
    return own;
}

} // namespace rov2::test
