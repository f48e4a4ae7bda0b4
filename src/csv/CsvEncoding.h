#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace rov2 {

/// The encodings of the CSV files the program reads and writes.
enum class CsvEncoding {
    Cp932,   ///< Shift_JIS as Windows writes it: what a Japanese spreadsheet opens by double-click
    Utf8Bom, ///< UTF-8 with a byte-order mark (the spreadsheet's "CSV UTF-8")
    Utf8,    ///< UTF-8 without a mark (other programs); only ever read
};

/// The name shown to the user: "Shift_JIS (CP932)", "UTF-8 (BOM付き)", "UTF-8".
QString encodingName(CsvEncoding e);

/// Which encoding a file's bytes are in: a UTF-8 byte-order mark, else bytes
/// that are valid UTF-8 (plain ASCII counts as UTF-8), else CP932.
CsvEncoding detectEncoding(const QByteArray& bytes);

/// The text of @p bytes; a leading byte-order mark is dropped.
/// @return nothing when the bytes are not valid in that encoding; @p badOffset
/// then gets the byte offset of the first invalid sequence when ICU tells it.
std::optional<QString> decodeText(const QByteArray& bytes, CsvEncoding e, qint64* badOffset = nullptr);

/// @p text in CP932, or nothing when a character of it has no CP932 form;
/// @p badIndex then gets the index (in @p text) of the first such character.
/// Characters are never replaced by others; the few that JIS writes with
/// other code points than Windows (〜 U+301C, − U+2212, — U+2014, ‖, ¢, £, ¬)
/// are written as the same CP932 character, and read back in Windows' form.
std::optional<QByteArray> encodeCp932(const QString& text, qsizetype* badIndex = nullptr);

/// encodeCp932(QString::fromUtf8(@p utf8)) of valid UTF-8, converted as it
/// is rather than through a QString: for a whole file's text at once.
std::optional<QByteArray> encodeCp932Utf8(QByteArrayView utf8);

/// The bytes of @p text in @p e: Utf8Bom starts with the mark.
/// @return nothing when CP932 cannot hold a character (see encodeCp932).
std::optional<QByteArray> encodeText(const QString& text, CsvEncoding e, qsizetype* badIndex = nullptr);

} // namespace rov2
