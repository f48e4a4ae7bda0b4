#pragma once

#include <QString>

namespace rov2 {

/// Where the program's files are; fixed at start-up, read by every screen.
struct Locations {
    QString dataFolder;      ///< ends with a '/'
    QString workFile;        ///< always in the data folder
    QString dataFile;        ///< 管理.DataPath, or the data folder's Rov2Data.mdb
    QString defaultDataFile; ///< the data folder's Rov2Data.mdb whatever DataPath says (hints)
    QString postalFile;      ///< 管理.YubinPath, or the data folder's yubin.mdb
};

} // namespace rov2
