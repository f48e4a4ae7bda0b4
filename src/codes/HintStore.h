#pragma once

#include <QString>

#include <optional>

namespace rov2 {

/// The notes of the hint editor in table VtHint of the hint file: one note per
/// screen and hint button. Every call opens the file and closes it again;
/// failures come back as values and are logged.
namespace HintStore {

/// What a read found.
struct Note {
    bool found = false; ///< false: no note was ever saved for this screen and button
    QString contents;
};

/// The note of @p formName's button @p controlName.
/// @return nothing when the file or the table could not be read.
std::optional<Note> read(const QString& hintFile, const QString& formName, const QString& controlName);

/// Replaces the note of that screen and button; all of it lands, or nothing does.
bool write(const QString& hintFile, const QString& formName, const QString& controlName, const QString& formTitle,
           const QString& contents);

/// Removes the note of that screen and button (no note is no failure).
bool remove(const QString& hintFile, const QString& formName, const QString& controlName);

} // namespace HintStore
} // namespace rov2
