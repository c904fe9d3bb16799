#pragma once
// The one place where texts cross between the core (Windows-1252 bytes in std::string) and
// Qt (QString). Every window converts through these functions and nothing else.

#include <QString>

#include <string>
#include <string_view>

namespace tarvik {

/// Windows-1252 bytes to a QString. Every byte has a character: the five bytes the code
/// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of
/// the same number, so that ToQString and FromQString round-trip all 256 bytes.
QString ToQString(std::string_view cp1252);

/// A QString to Windows-1252 bytes. A character the code page cannot hold becomes "?"
/// (a surrogate pair counts as one character).
std::string FromQString(const QString& text);

/// A file name or path as the core holds it to a QString. Paths handed to and returned by
/// the file dialogs are bytes of the file system (UTF-8); a name built from record texts
/// may still be Windows-1252, so bytes that are not valid UTF-8 are read as Windows-1252.
QString PathToQString(std::string_view path);

/// A QString path to the bytes the file system uses (UTF-8), so that open() finds the file
/// the user picked even when its name holds characters outside Windows-1252.
std::string PathFromQString(const QString& path);

} // namespace tarvik
