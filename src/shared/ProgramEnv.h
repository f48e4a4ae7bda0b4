#pragma once

#include <QString>
#include <QVariant>

namespace rov2 {

/// Where the program's files are; fixed at start-up, read by every screen.
struct Locations {
    QString dataFolder;      ///< ends with a '/'
    QString workFile;        ///< always in the data folder
    QString dataFile;        ///< 管理.DataPath, or the data folder's Rov2Data.mdb
    QString defaultDataFile; ///< the data folder's Rov2Data.mdb whatever DataPath says (hints)
    QString postalFile;      ///< 管理.YubinPath, or the data folder's yubin.mdb
};

/// The business settings read from 自社情報.
struct CompanySettings {
    bool 区分登録1 = false;
    bool 区分登録2 = false;
    bool 敬称登録 = false;
    bool 続柄登録 = false;
    QVariant 年号; ///< "西暦", "和暦" or Null
    QVariant 性別; ///< default sex of a new customer, or Null

    /// True when dates are shown in the era calendar.
    bool eraCalendar() const { return 年号.toString() == QStringLiteral("和暦"); }
};

/// What a screen's hint button hands to the hint editor.
struct HintHandOver {
    QString formName;
    QString controlName;
    QString formCaption;
};

/// The program-wide state shared by all screens.
struct ProgramEnv {
    Locations locations;
    CompanySettings settings;
    /// Set by the customer list when a customer is opened there; consumed by
    /// the main window when it becomes active.
    QString selectedCustomerName;
    HintHandOver hint;
    /// Counts the saves of the code lists; a screen with drop-downs fed by
    /// them refills those when this differs from what it last saw.
    int codeListsVersion = 0;
    /// Counts the times the data file was replaced or filled from elsewhere
    /// (a restore, a read from a folder, a conversion); a screen showing what
    /// the data file holds reads it again when this differs from what it
    /// last saw.
    int dataFileVersion = 0;
};

/// The one instance of the program-wide state.
ProgramEnv& env();

/// Reads the first row of 自社情報 from the data file into env().settings.
/// An empty table, a missing file or table leaves the settings as they were;
/// a missing field leaves only that setting unchanged.
void LoadCompanySettings();

} // namespace rov2
