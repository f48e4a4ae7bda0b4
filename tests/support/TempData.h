#pragma once

#include <QString>
#include <QTemporaryDir>

namespace rov2::test {

/// A fresh temporary data folder holding the supplied data and work files,
/// removed again when the test ends.
class TempData {
public:
    /// @param withFiles false: an empty folder.
    explicit TempData(bool withFiles = true);

    QString folder() const;          ///< ends with a '/'
    QString dataFile() const;        ///< folder + "Rov2Data.mdb"
    QString workFile() const;        ///< folder + "Rov2Work.mdb"
    QString postalFile() const;      ///< folder + "yubin.mdb"
    QString path(const QString& name) const;

private:
    QTemporaryDir dir_;
};

} // namespace rov2::test
