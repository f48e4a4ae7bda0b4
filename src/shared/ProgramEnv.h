#pragma once

#include "CompanySettings.h"
#include "HintHandOver.h"
#include "Locations.h"

#include <QString>

namespace rov2 {

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

} // namespace rov2
