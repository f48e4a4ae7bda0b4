#pragma once

#include "SourceData.h"

#include <QString>

namespace rov2::yubin {

/// Reads the rows of a file in the layout of Japan Post's KEN_ALL.CSV:
/// fifteen comma-separated columns, the code in the third, prefecture, city
/// and town in kanji in the seventh to ninth.
///
/// A town too long for one row is split over consecutive rows of the same
/// code: the first has a "（" that is not closed, and the rows up to the one
/// that closes it are joined back into one. Town names go through cleanTown().
/// A line that does not have fifteen columns or a seven-digit code is skipped
/// with a warning naming its line.
class KenAllReader
{
public:
    /// Reads @p text (already decoded); @p name goes into the warnings.
    static SourceData readText(const QString& text, const QString& name);
    /// Reads the file at @p path, in UTF-8 or Shift_JIS (Windows-31J).
    static SourceData readFile(const QString& path);

private:
    explicit KenAllReader(QString name) : name_(std::move(name)) {}
    void readLine(const QString& line, int lineNo);
    void flushPending();
    void startRow(PostalRow row);

    QString name_;
    SourceData data_;
    PostalRow pending_;
    int pendingLine_ = 0;
    bool hasPending_ = false;
};

} // namespace rov2::yubin
