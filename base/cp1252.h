#pragma once
// The Western European code page (Windows-1252) of every text in the core, as Unicode.

#include <string>
#include <string_view>

namespace tarvik {

/// The Unicode character of one Windows-1252 byte. The five bytes the code page leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their own number, so every byte has a
/// character of its own and conversions round-trip.
char16_t Cp1252ToUnicode(unsigned char byte);

/// The Windows-1252 byte of a Unicode character, or -1 when the code page has none.
[[nodiscard]] int UnicodeToCp1252(char32_t ch);

/// A file name as the file system holds it (UTF-8 on Linux) as Windows-1252 text for a
/// message. A character the code page lacks becomes "?"; a name that is not valid UTF-8 is
/// taken as Windows-1252 already and returned unchanged.
std::string FileSystemNameToText(std::string_view name);

/// Windows-1252 text as UTF-8 for a terminal; control characters and the five bytes the
/// code page leaves undefined as "\xNN".
std::string TerminalText(std::string_view text);

} // namespace tarvik
