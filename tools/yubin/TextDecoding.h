#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace rov2::yubin {

/// True when @p bytes are well-formed UTF-8 (plain ASCII included).
bool isUtf8(const QByteArray& bytes);

/// Decodes Japan Post's "Shift_JIS" files. They are Windows-31J in practice
/// (～ is U+FF5E, － is U+FF0D, ① and the NEC/IBM extensions occur), so the
/// Windows mapping is used rather than the strict JIS one.
/// @return the text, or nothing with the reason in @p error when a byte
/// sequence is not Windows-31J.
std::optional<QString> decodeWindows31J(const QByteArray& bytes, QString* error = nullptr);

/// The text of a source file: UTF-8 (an optional byte-order mark dropped)
/// when the bytes are valid UTF-8, otherwise Windows-31J.
std::optional<QString> decodeSourceText(const QByteArray& bytes, QString* error = nullptr);

} // namespace rov2::yubin
