#pragma once

#include "OwnFiles.h"

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
    /// The program's files of this folder: data, work and postal file, lock file.
    OwnFiles ownFiles() const;

private:
    QTemporaryDir dir_;
};

} // namespace rov2::test
