#include "base/dates.h"

#include <array>
#include <cstdint>
#include <optional>

#include "base/strings.h"

namespace tarvik {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};

constexpr size_t kMaxPicture = 40;

bool IsLower(char c) {
  return c >= 'a' && c <= 'z';
}
char AsciiUpper(char c) {
  return IsLower(c) ? static_cast<char>(c - 32) : c;
}

// The first run of `letter` in the picture: the lower-case letter is searched first, the
// upper-case one when the lower-case one does not occur. The run continues over both cases.
struct Run {
  size_t pos = 0;
  size_t len = 0;
  bool lower = true;
  bool found() const { return len > 0; }
};

Run FindRun(std::string_view picture, char letter) {
  const char upper = AsciiUpper(letter);
  Run run;
  size_t pos = picture.find(letter);
  run.lower = true;
  if (pos == std::string_view::npos) {
    pos = picture.find(upper);
    run.lower = false;
  }
  if (pos == std::string_view::npos)
    return run;
  run.pos = pos;
  size_t end = pos;
  while (end < picture.size() && (picture[end] == letter || picture[end] == upper))
    ++end;
  run.len = end - pos;
  return run;
}

// A number right-aligned in the run; a longer number keeps its last digits.
void PutNumber(std::string& out, const Run& run, int value) {
  std::string digits = std::to_string(value);
  if (digits.size() > run.len)
    digits = digits.substr(digits.size() - run.len);
  const std::string field = LeftPadCh(digits, run.lower ? '0' : ' ', static_cast<int>(run.len));
  out.replace(run.pos, run.len, field);
}

// A name cut or padded to the run; upper case in an upper-case run.
void PutName(std::string& out, const Run& run, std::string_view name) {
  std::string field = Pad(name.substr(0, run.len), static_cast<int>(run.len));
  if (!run.lower)
    field = UpCase(field);
  out.replace(run.pos, run.len, field);
}

// The field of a run read as a decimal number; blanks inside are ignored. nullopt when the
// field is empty or holds anything but digits.
std::optional<int> ReadNumber(std::string_view text, const Run& run) {
  long long value = 0;
  int digitCount = 0;
  for (char c : text.substr(run.pos, run.len)) {
    if (c == ' ')
      continue;
    if (c < '0' || c > '9')
      return std::nullopt;
    if (++digitCount > 9)
      return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (digitCount == 0)
    return std::nullopt;
  return static_cast<int>(value);
}

// A month name cut to the run, compared without regard to case.
std::optional<int> ReadMonthName(std::string_view text, const Run& run) {
  const std::string field = UpCase(TrimBlanks(text.substr(run.pos, run.len)));
  if (field.empty())
    return std::nullopt;
  for (size_t m = 0; m < kMonthNames.size(); ++m) {
    const std::string name = UpCase(std::string_view(kMonthNames[m]).substr(0, run.len));
    if (field == name)
      return static_cast<int>(m) + 1;
  }
  return std::nullopt;
}

constexpr DayNumber kLastDay = kLastDayNumber;

int FloorMod(long long a, long long m) {
  const long long r = a % m;
  return static_cast<int>(r < 0 ? r + m : r);
}

} // namespace

int WindowYear(int year) {
  if (year < 0 || year >= 100)
    return year;
  return year + 1900 >= 1940 ? year + 1900 : year + 2000;
}

bool IsLeapYear(int year) {
  if (year % 4 != 0)
    return false;
  if (year % 100 == 0 && year % 400 != 0)
    return false;
  return year % 4000 != 0;
}

int DaysInMonth(int month, int year) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12)
    return 0;
  if (month == 2 && IsLeapYear(WindowYear(year)))
    return 29;
  return kDays[static_cast<size_t>(month - 1)];
}

bool ValidDate(int day, int month, int year) {
  year = WindowYear(year);
  if (year < kFirstYear || year > kLastYear)
    return false;
  if (month < 1 || month > 12)
    return false;
  return day >= 1 && day <= DaysInMonth(month, year);
}

DayNumber DmyToDay(int day, int month, int year) {
  if (!ValidDate(day, month, year))
    return BadDate;
  year = WindowYear(year);
  if (year == kFirstYear && month < 3)
    return month == 1 ? day - 1 : day + 30;
  int y = year - kFirstYear;
  if (month < 3)
    --y;
  return (y / 100) * 146097 / 4 + (y % 100) * 1461 / 4 +
         (153 * month - 457 + (month < 3 ? 1836 : 0)) / 5 + day + 59;
}

Dmy DayToDmy(DayNumber n) {
  if (n < 0 || n > kLastDay)
    return {};
  if (n < 60)
    return n <= 30 ? Dmy{n + 1, 1, kFirstYear} : Dmy{n - 30, 2, kFirstYear};
  const long long t = 4LL * n - 237;
  const long long r = (t % 146097) | 3;
  long long year = 100 * (t / 146097) + r / 1461;
  const long long q = ((r % 1461) + 4) / 4 * 5 - 3;
  const long long k = q / 153;
  const int day = static_cast<int>(((q % 153) + 5) / 5);
  int month;
  if (k <= 9) {
    month = static_cast<int>(k + 3);
  } else {
    month = static_cast<int>(k - 9);
    ++year;
  }
  return {day, month, static_cast<int>(year + kFirstYear)};
}

int DayOfWeek(DayNumber day) {
  if (day < 0 || day > kLastDay)
    return 7;
  return (day + 6) % 7;
}

DayNumber IncDate(DayNumber day, int days, int months, int years) {
  const Dmy d = DayToDmy(day);
  if (d.year == 0)
    return BadDate;
  int excess = 0;
  int dom = d.day;
  if (dom > 28) {
    excess = dom - 28;
    dom = 28;
  }
  const long long totalMonths = static_cast<long long>(d.year) * 12 + (d.month - 1) + months +
                                static_cast<long long>(years) * 12;
  if (totalMonths < 0)
    return BadDate;
  const long long year = totalMonths / 12;
  const int month = static_cast<int>(totalMonths % 12) + 1;
  if (year < kFirstYear || year > kLastYear)
    return BadDate;
  const DayNumber base = DmyToDay(dom, month, static_cast<int>(year));
  const long long result = static_cast<long long>(base) + days + excess;
  if (base == BadDate || result < 0 || result > kLastDay)
    return BadDate;
  return static_cast<DayNumber>(result);
}

std::string DayToText(std::string_view picture, DayNumber day) {
  picture = picture.substr(0, kMaxPicture);
  std::string out(picture);
  const Dmy d = DayToDmy(day);
  if (d.year == 0) {
    for (char& c : out) {
      switch (AsciiUpper(c)) {
      case 'D':
      case 'M':
      case 'Y':
      case 'N':
      case 'W':
        c = ' ';
        break;
      default:
        break;
      }
    }
    return out;
  }
  // Runs are located in the picture before any is replaced: a name written into the text
  // ("Monday") must not be taken for a later run.
  const Run dRun = FindRun(picture, 'd');
  const Run mRun = FindRun(picture, 'm');
  const Run yRun = FindRun(picture, 'y');
  const Run nRun = FindRun(picture, 'n');
  const Run wRun = FindRun(picture, 'w');
  if (dRun.found())
    PutNumber(out, dRun, d.day);
  if (mRun.found())
    PutNumber(out, mRun, d.month);
  if (yRun.found())
    PutNumber(out, yRun, WindowYear(d.year));
  if (nRun.found())
    PutName(out, nRun, kMonthNames[static_cast<size_t>(d.month - 1)]);
  if (wRun.found())
    PutName(out, wRun, kWeekdayNames[static_cast<size_t>(DayOfWeek(day))]);
  // "/" stands for the date separator, which is "/" in this program.
  return out;
}

DayNumber TextToDay(std::string_view picture, std::string_view text) {
  if (text.size() != picture.size())
    return BadDate;
  int day = 1, month = 0, year = 0;
  if (const Run run = FindRun(picture, 'd'); run.found()) {
    const auto v = ReadNumber(text, run);
    if (!v)
      return BadDate;
    day = *v;
  }
  if (const Run run = FindRun(picture, 'm'); run.found()) {
    const auto v = ReadNumber(text, run);
    if (!v)
      return BadDate;
    month = *v;
  } else if (const Run nrun = FindRun(picture, 'n'); nrun.found()) {
    auto v = ReadMonthName(text, nrun);
    if (!v)
      v = ReadNumber(text, nrun);
    if (!v)
      return BadDate;
    month = *v;
  }
  if (const Run run = FindRun(picture, 'y'); run.found()) {
    const auto v = ReadNumber(text, run);
    if (!v)
      return BadDate;
    year = *v;
  }
  return DmyToDay(day, month, year);
}

bool ValidTime(int hours, int minutes, int seconds) {
  return hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 60 && seconds >= 0 &&
         seconds <= 60;
}

TimeOfDay HmsToTime(int hours, int minutes, int seconds) {
  const long long total = static_cast<long long>(FloorMod(hours, 24)) * 3600 +
                          static_cast<long long>(minutes) * 60 + seconds;
  return FloorMod(total, 86400);
}

Hms TimeToHms(TimeOfDay time) {
  if (time < 0 || time >= 86400)
    return {};
  return {time / 3600, time / 60 % 60, time % 60};
}

TimeOfDay AddTime(TimeOfDay time, int hours, int minutes, int seconds) {
  return FloorMod(static_cast<long long>(time) + HmsToTime(hours, minutes, seconds), 86400);
}

TimeOfDay SubTime(TimeOfDay time, int hours, int minutes, int seconds) {
  long long t = static_cast<long long>(time) - HmsToTime(hours % 24, minutes, seconds);
  if (t < 0)
    t += 86400;
  return static_cast<TimeOfDay>(t);
}

std::string TimeToText(std::string_view picture, TimeOfDay time) {
  picture = picture.substr(0, kMaxPicture);
  std::string out(picture);
  if (time < 0 || time >= 86400) {
    for (char& c : out) {
      const char u = AsciiUpper(c);
      if (u == 'H' || u == 'M' || u == 'S')
        c = ' ';
    }
    return out;
  }
  const Hms t = TimeToHms(time);
  const Run hRun = FindRun(picture, 'h');
  const Run mRun = FindRun(picture, 'm');
  const Run sRun = FindRun(picture, 's');
  if (hRun.found())
    PutNumber(out, hRun, t.hours);
  if (mRun.found())
    PutNumber(out, mRun, t.minutes);
  if (sRun.found())
    PutNumber(out, sRun, t.seconds);
  // ":" stands for the time separator, which is ":" in this program.
  return out;
}

TimeOfDay TextToTime(std::string_view picture, std::string_view text) {
  if (text.size() != picture.size())
    return 0;
  int parts[3] = {0, 0, 0};
  const char letters[3] = {'h', 'm', 's'};
  for (int i = 0; i < 3; ++i) {
    const Run run = FindRun(picture, letters[i]);
    if (!run.found())
      continue;
    const auto v = ReadNumber(text, run);
    if (!v)
      return BadTime;
    parts[i] = *v;
  }
  if (!ValidTime(parts[0], parts[1], parts[2]))
    return BadTime;
  return HmsToTime(parts[0], parts[1], parts[2]);
}

DayNumber TodayDay(const Clock& clock) {
  const DateTime now = clock.LocalNow();
  return DmyToDay(now.day, now.month, now.year);
}

TimeOfDay NowTime(const Clock& clock) {
  const DateTime now = clock.LocalNow();
  return HmsToTime(now.hour, now.minute, now.second);
}

} // namespace tarvik
