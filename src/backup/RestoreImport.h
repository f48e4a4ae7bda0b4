#pragma once

#include <QString>
#include <QStringList>

namespace rov2 {

class Dialogs;

/// What a file read back (from a folder or from a backup) becomes before it
/// may take the data file's place.
struct ReadBackFile {
    enum class State {
        Ready,    ///< path is to be proven and put in place
        Declined, ///< a Windows data file the user chose not to take over; nothing changed
        Refused,  ///< it cannot become a data file; reason says why (empty: the user was told)
    };
    State state = State::Refused;
    QString path;
    QString reason;
    /// For a Windows data file taken over: the rows of each table that came
    /// over and the rows that could not be read, to tell the user once it is in place.
    QStringList importLines;
};

/// For @p staged, a file copied into the staging folder @p stagingFolder
/// (beside the data file): a Jet file of the Windows version is offered for
/// import and, on Yes, converted into a new SQLite file in that folder; a
/// Jet file without this program's customer table is refused rather than
/// replacing the data with an empty file. Any other file is passed on as it
/// is for checkDataFile to prove or refuse.
ReadBackFile prepareReadBack(const QString& staged, const QString& stagingFolder, Dialogs& dialogs);

/// The notice of what came over from a Windows data file.
QString importNotice(const QStringList& importLines);

} // namespace rov2
