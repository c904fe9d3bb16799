#pragma once
// Short-string helpers used by records, keys and windows: padding, trimming, case
// conversion with the German umlauts. Texts are Windows-1252 bytes; every helper treats
// a text as a sequence of unsigned bytes and never fails.
//
// Lengths: the program's texts are short strings of at most 255 characters. A requested
// width above 255 is treated as 255; texts that are already longer are never cut by the
// padding helpers.

#include <string>
#include <string_view>

namespace tarvik {

/// Longest text the program stores or shows in one string.
inline constexpr int kMaxShortString = 255;

/// `n` copies of `ch` (empty for n <= 0; at most 255).
std::string CharStr(char ch, int n);

/// Appends `ch` until the text has `n` characters. A text of `n` or more characters is
/// returned unchanged (never cut).
std::string PadCh(std::string_view text, char ch, int n);
/// PadCh with a blank.
std::string Pad(std::string_view text, int n);

/// Prepends `ch` until the text has `n` characters (right-aligns). Longer texts unchanged.
std::string LeftPadCh(std::string_view text, char ch, int n);
/// LeftPadCh with a blank.
std::string LeftPad(std::string_view text, int n);

/// Places a text shorter than `n` into `n` copies of `ch`, starting after
/// (n - length) / 2 characters (an odd surplus goes to the right). Longer texts unchanged.
std::string CenterCh(std::string_view text, char ch, int n);
/// CenterCh with a blank.
std::string Center(std::string_view text, int n);

/// Removes blanks and tab characters at both ends.
std::string TrimBlanks(std::string_view text);
/// Removes blanks at the end, and blanks and zero bytes at the start.
std::string TrimSpaces(std::string_view text);

/// Upper case of one byte: a-z and the umlauts ä ö ü (228, 246, 252) become A-Z and
/// Ä Ö Ü (196, 214, 220); ß and every other byte are unchanged.
char UpCaseChar(char c);
/// Lower case of one byte: the reverse of UpCaseChar.
char LoCaseChar(char c);
/// UpCaseChar applied to every character.
std::string UpCase(std::string_view text);
/// LoCaseChar applied to every character.
std::string LoCase(std::string_view text);

/// Appends "\" unless the text is empty or already ends with "\" or ":".
std::string AddBackslash(std::string_view text);

} // namespace tarvik
