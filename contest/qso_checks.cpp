#include "contest/qso_checks.h"

#include <array>

#include "base/strings.h"
#include "base/text_helpers.h"
#include "radio/base_call.h"
#include "radio/date_time.h"

namespace tarvik {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return c >= 'A' && c <= 'Z';
}

constexpr std::array<std::string_view, 35> kSpecialDoks = {
    "BN", "BS", "BY", "CW", "DC", "DN", "DW", "DX", "FA", "FM", "IM", "IW",
    "JK", "JL", "JR", "KA", "MF", "MH", "ND", "RP", "SD", "SH", "SQ", "WN",
    "XX", "YL", "1N", "2N", "3N", "4N", "5N", "6N", "7N", "8N", "9N"};

constexpr std::array<std::string_view, 23> kHolylandAreas = {
    "AK", "HF", "RA", "YZ", "AS", "HS", "RM", "ZF", "AZ", "HB", "RH", "BS",
    "JN", "SM", "BL", "JS", "TA", "HD", "KT", "TK", "HG", "PT", "YN"};

constexpr std::array<std::string_view, 51> kUsStates = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA", "HI", "IA",
    "ID", "IL", "IN", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS",
    "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA",
    "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& table, std::string_view value) {
  for (std::string_view entry : table)
    if (entry == value)
      return true;
  return false;
}

// "dd:dd" or "dd:dd:dd".
bool HasTimeShape(std::string_view text) {
  if (text.size() != 5 && text.size() != 8)
    return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool separator = i % 3 == 2;
    if (separator ? text[i] != ':' : !IsDigit(text[i]))
      return false;
  }
  return true;
}

} // namespace

std::string ReadCallText(std::string_view text) {
  std::string call = TrimBlanks(text);
  for (char& c : call)
    if (c == '-' || c == ' ')
      c = '/';
  if (!call.empty() && call.back() == '#') {
    call.pop_back();
    call += "/P"; // upper case, as every call is stored
  }
  if (call.size() > kCallLength)
    call.resize(kCallLength);
  return call;
}

int CallSyntax(std::string_view call) {
  const std::string home = BaseCall(TrimBlanks(call), kHomeCall);
  if (home.empty() || home.size() < 3 || (home[0] == 'D' && home.size() < 4))
    return 1;
  if (IsDigit(home[0]) && IsDigit(home[1]))
    return 2;
  if (IsLetter(home[0]) && IsLetter(home[1]) && IsLetter(home[2]))
    return 2;
  return 0;
}

bool IsGermanCall(std::string_view call, char contestCode) {
  if (contestCode == 'B')
    return true;
  if (call.size() < 2 || call[0] != 'D')
    return false;
  const char second = call[1];
  return (second >= 'A' && second <= 'H') || (second >= 'J' && second <= 'R');
}

bool DokSyntaxValid(std::string_view dok) {
  if (dok.size() >= 3)
    return true;
  return dok.size() == 2 && OneOf(kSpecialDoks, dok);
}

bool HolylandSquareValid(std::string_view value) {
  return value.size() == 5 && IsLetter(value[0]) && IsDigit(value[1]) && IsDigit(value[2]) &&
         OneOf(kHolylandAreas, value.substr(3, 2));
}

bool IsUsState(std::string_view value) {
  return OneOf(kUsStates, value);
}

bool IsClubStation(std::string_view call) {
  if (call == "DP0EPO")
    return true;
  if (call.size() > 2 && call[0] == 'D') {
    const char second = call[1];
    const bool clubArea = second == 'A' || second == 'C' || second == 'F' || second == 'K' ||
                          second == 'L' || second == 'N' || second == 'O';
    if ((clubArea && call[2] == '0') || second == 'Q' || second == 'R')
      return true;
  }
  return call.size() == 4 && call[0] == 'D' && call[1] >= 'A' && call[1] <= 'R';
}

bool IsDistrictDok(std::string_view dok) {
  return dok.size() == 3 && IsLetter(dok[0]) && IsDigit(dok[1]) && IsDigit(dok[2]);
}

DayNumber ReadDateText(std::string_view text, const Clock& clock) {
  const std::string completed = CompleteDate(text, clock);
  if (completed.size() != kDatePicture.size() || completed[2] != '.' || completed[5] != '.')
    return BadDate;
  for (std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u, 8u, 9u})
    if (!IsDigit(completed[i]))
      return BadDate;
  return TextToDay(kDatePicture, completed);
}

TimeOfDay ReadTimeText(std::string_view text) {
  std::string completed = CompleteTime(text);
  if (!HasTimeShape(completed))
    return BadTime;
  if (completed.size() == 5)
    completed += ":00";
  return TextToTime(kSecondsTimePicture, completed);
}

std::string TimeFieldText(TimeOfDay time) {
  if (time < 0)
    return std::string();
  return TimeToText(time % 60 != 0 ? kSecondsTimePicture : kQsoTimePicture, time);
}

std::string DateFieldText(DayNumber day) {
  if (day <= 0)
    return std::string();
  return DayToText(kDatePicture, day);
}

} // namespace tarvik
