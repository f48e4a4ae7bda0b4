#pragma once

#include "CsvReader.h"

#include <QByteArray>
#include <optional>

namespace rov2 {

/// The longest property of a contact that is read, in characters: what a
/// shop keeps of a contact is short, and a photo or a hostile file's endless
/// line is passed over rather than held.
inline constexpr qsizetype kMaxVCardProperty = 8192;

/// True when @p bytes begin, after a byte-order mark and blank lines, with
/// BEGIN:VCARD (any letter case): the contacts file of a phone or an address book.
bool looksLikeVCard(const QByteArray& bytes);

/// The headings of the table that readVCardBytes makes, in its column order:
/// 姓, 名, フリガナ(姓), フリガナ(名), 〒, 都道府県, 市区町村, 番地, 建物名,
/// 自宅電話, 携帯, Eメール, 誕生日; the customer import knows them all.
const QStringList& vCardHeadings();

/// Reads the contacts of a vCard file (2.1, 3.0 and 4.0) into a table: the
/// heading line vCardHeadings, then a row per contact. From each contact N
/// (surname; given name; FN when N is empty), the reading from
/// X-PHONETIC-LAST-NAME and X-PHONETIC-FIRST-NAME, N's SORT-AS, SOUND;X-IRMC-N
/// or SORT-STRING, the home address (ADR;TYPE=HOME, else the first ADR), the
/// first home and mobile TEL, the first EMAIL and BDAY (one without a year is
/// left out). Folded lines are unfolded; quoted-printable values are decoded
/// in their CHARSET (UTF-8 unless it says Shift_JIS). Each row's source line
/// is its BEGIN:VCARD line.
/// @param error BadEncoding when the file is neither UTF-8 nor CP932.
std::optional<CsvTable> readVCardBytes(const QByteArray& bytes, CsvReadError* error = nullptr);

} // namespace rov2
