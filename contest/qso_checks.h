#pragma once
// Syntax checks on what the operator types into the entry fields of a QSO: call signs,
// DOKs, Holyland squares, US states, and the tests the point rules use (German call,
// club station, district DOK). Also the reading of the call, date and time texts of the
// entry fields. All texts are Windows-1252 bytes; the checks compare with case (the entry
// fields of calls and exchanges hold upper case).

#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/dates.h"

namespace tarvik {

/// Longest call the QSO record holds, and so the longest text of a call entry field.
inline constexpr std::size_t kCallLength = 12;

/// The call as stored from the text of a call field: blanks at both ends removed, then every
/// "-" and every inner blank turned into "/", a "#" at the end replaced by "/P", and the
/// result cut to 12 characters.
std::string ReadCallText(std::string_view text);

/// Call syntax: 0 acceptable, 1 too short, 2 malformed. The call is trimmed and reduced to
/// its home call first. Empty, shorter than 3, or beginning with "D" and shorter than 4: 1.
/// First and second character both digits, or the first three all letters: 2.
[[nodiscard]] int CallSyntax(std::string_view call);

/// True for a call beginning with "D" followed by "A".."H" or "J".."R"; for contest code
/// 'B' every call counts as German.
bool IsGermanCall(std::string_view call, char contestCode);

/// DOK syntax (every code but 'H'): 3 or more characters; exactly 2 only for the special
/// DOKs ("BN", "WN", "1N" ...); shorter ones are refused.
bool DokSyntaxValid(std::string_view dok);

/// Holyland square (code 'H'): a letter, two digits and one of the 23 area pairs.
bool HolylandSquareValid(std::string_view value);

/// One of the 51 US state codes (the 50 states and "DC").
bool IsUsState(std::string_view value);

/// The club-station test of the point rules: "DP0EPO"; a call of more than 2 characters
/// beginning with "D" whose second character is one of A C F K L N O with "0" third, or
/// whose second character is "Q" or "R"; a call of exactly 4 characters beginning with "D"
/// and a second character "A".."R".
bool IsClubStation(std::string_view call);

/// A district DOK: exactly 3 characters, a letter followed by two digits.
bool IsDistrictDok(std::string_view dok);

/// The date of a date field: completed like a typed date (CompleteDate) and read as
/// "dd.mm.yyyy"; BadDate when it is not a valid date of that shape.
[[nodiscard]] DayNumber ReadDateText(std::string_view text, const Clock& clock);

/// The time of a time field: completed like a typed time (CompleteTime), then read as
/// "hh:mm" or "hh:mm:ss". Any other shape ("9:3", "12:3x", "") is BadTime, never 00:00.
[[nodiscard]] TimeOfDay ReadTimeText(std::string_view text);

/// A time as the time field shows it: "hh:mm", or "hh:mm:ss" when the seconds are not 0;
/// "" for no time.
std::string TimeFieldText(TimeOfDay time);
/// A date as the date field shows it ("dd.mm.yyyy"), "" for no date (0 or less).
std::string DateFieldText(DayNumber day);

} // namespace tarvik
