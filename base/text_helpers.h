#pragma once
// Input and text helpers every window uses: the choice between a German and an English
// text, fixed-width texts, key-range bounds, code-page and character conversions, number
// parsing with either decimal separator, name styling, and the completion of what the user
// typed into date and time fields. Texts are Windows-1252 bytes, at most 255 characters.

#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"

namespace tarvik {

/// The German text when the language flag is 1, else the English text.
std::string ChooseText(std::string_view german, std::string_view english);

/// Exactly `n` characters (n clamped to 0..255): cut after n, or padded with blanks.
std::string FixWidth(std::string_view text, int n);

/// A fixed character array as text: each zero byte becomes a blank, then blanks and tabs at
/// both ends are removed.
std::string CharsToText(std::string_view chars);

/// Upper bound of a key range: the text padded with blanks to `n` characters, then the last
/// character below "z" (searching from position n towards the start) increased by one; the
/// characters "z" and above are skipped, not reset. When every character is "z" or above,
/// the result is n characters of code 255. ("AB", 3) gives "AB!".
std::string NextKeyText(std::string_view text, int n);

/// DOS code-page German letters to Windows-1252: 129 ü, 132 ä, 142 Ä, 148 ö, 153 Ö, 154 Ü,
/// 225 ß; byte 251 becomes "Y"; every other byte unchanged.
std::string OemUmlauts(std::string_view text);

/// Every "0" replaced by the character 216 (slashed zero), for printing call signs.
std::string SlashedZero(std::string_view text);

/// A one-character text; the zero character gives the empty text.
std::string CharToText(char c);

/// Result of ParseReal.
struct ParsedReal {
  double value = 0;
  /// 0 when the text was a number; otherwise the 1-based position of the first character
  /// that is not part of one (1 for an empty text).
  int errorPosition = 0;
};

/// Reads a number typed with "," or "." as the decimal separator ("14,2" and "14.2" both give
/// 14.2). With a separator (the first ",", or when there is none the first "."), the part
/// before it is the integer part (it may be empty or only a sign) and the digits after it
/// the fraction; a minus sign applies to the whole number. Without one the whole text is read
/// as a number (an exponent is allowed). Leading blanks are skipped; anything else stops the
/// reading and is reported by its position.
ParsedReal ParseReal(std::string_view text);

/// Writes a name in the given style: 1 all upper case; 2 all lower case; 3 lower case with
/// the first character in upper case; 4 the first character and every character after "-"
/// or "." in upper case, the rest unchanged; any other style leaves the text unchanged.
/// Styles 1 and 2 and the lower-casing of 3 include the umlauts; the single capitals of 3
/// and 4 are made only from "a" to "z".
std::string StyleName(std::string_view text, int style);
/// StyleName with the process-wide name style.
std::string StyleName(std::string_view text);

/// Completes a date typed into a date field (trimmed first) to "dd.mm.yyyy" by its shape:
/// "dm", "ddm", "d.m", "ddmm", "d.mm", "dd.m", "dd.mm", "dd.mm." take the current year;
/// "ddmyy", "ddmmyy", "d.m.yy", "dd.m.yy", "d.mm.yy", "dd.mm.yy" take the century "19" for
/// years 50 and above, else the current century; "ddmmyyyy" gets its dots. Any other text is
/// returned trimmed and otherwise unchanged (the field's date check then rejects it). The
/// values are not checked here.
std::string CompleteDate(std::string_view text, const Clock& clock = ProcessClock());

/// Completes a time typed into a time field (trimmed first): "h:mm" and "h.mm" become
/// "0h:mm", "hhmm" becomes "hh:mm", "hmm" becomes "0h:mm"; any other text is returned
/// trimmed.
std::string CompleteTime(std::string_view text);

/// The lines of a multi-line text (CR LF, LF or CR between them; a line end at the end
/// starts no further line).
std::vector<std::string> TextLines(std::string_view text);

} // namespace tarvik
