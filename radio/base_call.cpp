#include "radio/base_call.h"

#include <vector>

#include "base/strings.h"

namespace tarvik {

namespace {

// Entity prefixes by DXCC entity code; index 0 is unused, "" marks a blank position.
// clang-format off
constexpr std::string_view kEntityTable[kEntityPositions + 1] = {
    "",
    /*   1 */ "VE", "A1", "YA", "3B6", "OH0", "KL7", "ZA", "VQ9A", "KH8", "FT5Z",
    /*  11 */ "VU4", "VP2E", "CE9", "EK", "RA-AS", "ZL9", "YV0", "4K", "HK0B", "KH1",
    /*  21 */ "EA6", "T8", "1B", "3Y/B", "ZC5", "VQ6", "EU", "KZ5", "EA8", "PK6",
    /*  31 */ "T31", "EA9", "VQ9", "ZL7", "VK9X", "FO/C", "TI9", "VK9C", "FHC", "SV9",
    /*  41 */ "FT5W", "CR8D", "KP5", "VQ9D", "SV5", "9M6", "CE0Y", "T32", "3C", "XE",
    /*  51 */ "E3", "ES", "ET", "RA-EU", "VQ9F", "PY0F", "FQ8", "FI8", "FF", "C6",
    /*  61 */ "R1FJ", "8P", "FY", "VP9", "VP2V", "V3", "FN8", "8Z5", "ZF", "CM",
    /*  71 */ "HC8", "HI", "", "YS", "4L", "TG", "J3", "HH", "FG", "HR",
    /*  81 */ "DLDM", "6Y", "", "FM", "PJ2", "YN", "", "HP", "VP5", "9Y",
    /*  91 */ "P4", "", "1G", "V2", "J7", "VP2M", "J6", "J8", "FR/G", "LU",
    /* 101 */ "CR8G", "ZD4", "KH2", "CP", "KG4", "GU", "3X", "PY", "J5", "KH6",
    /* 111 */ "VK0H", "CE", "EA9I", "GD", "I5", "HK", "4U1I", "JX", "PK", "HC",
    /* 121 */ "", "GJ", "KH3", "FR/J", "CE0Z", "RA2", "VS9K", "UN1", "8R", "UN",
    /* 131 */ "FT5X", "ZP", "ZL8", "KH5K", "EX", "OA", "HL", "KH7K", "VS9H", "PZ",
    /* 141 */ "VP8", "VU7", "XW", "CX", "YL", "LY", "VK9L", "YV", "CU", "VK",
    /* 151 */ "R1MV", "XX9", "VK0M", "4W", "VS2", "", "C2", "YJ", "8Q", "A3",
    /* 161 */ "HK0M", "FK", "P2", "C9M", "3B8", "KH0", "OJ0", "V7", "FH", "ZL",
    /* 171 */ "VK9M", "VP6", "V6", "KH4", "FO/F", "3D2", "JD1M", "1M", "ER", "SV/A",
    /* 181 */ "C9", "KP1", "PK5", "JZ0", "H4", "VO", "5U", "ZK2", "VK9N", "5W",
    /* 191 */ "E5/N", "JD1O", "KR6", "7J1", "3C0", "ZC6", "KH5", "P2P", "3Y/P", "CR10",
    /* 201 */ "ZS8", "KP4", "C3", "XF4", "ZD8", "OE", "3B9", "9U5", "ON", "9S4",
    /* 211 */ "CY0", "LZ", "FS", "TK", "5B", "HK0S", "CE0X", "OKOM", "S9", "VS4",
    /* 221 */ "OZ", "OY", "G", "OH", "IS0", "8Z4", "F", "HK0SB", "DMY2", "DL",
    /* 231 */ "AC3", "T5", "ZB2", "E5/S", "VP8G", "SV", "OX", "VP8O", "HA", "VP8W",
    /* 241 */ "VP8S", "TF", "VS9A", "ST0", "EI", "1A", "1S", "I", "V4", "ZD7",
    /* 251 */ "HB0", "CY9", "PY0S", "LX", "PJ7", "CT3", "9H", "PK4", "JW", "3A",
    /* 261 */ "KS4", "EY", "PA", "CN2", "GI", "LA", "P2T", "AC4", "SP", "ZK3",
    /* 271 */ "I1", "CT", "PY0T", "ZD9", "YO", "FR/T", "FP", "T7", "GM", "EZ",
    /* 281 */ "EA", "T2", "ZC4", "SM", "KP2", "5X", "HB9", "UR", "4U1U", "",
    /* 291 */ "K", "UK", "3W", "GW", "HV", "YU", "KH9", "FW", "9M2", "",
    /* 301 */ "T30", "S0", "VK9W", "A9", "S2", "A5", "VQ1", "TI", "XZ", "",
    /* 311 */ "", "XU", "", "", "4S", "", "", "BY", "", "",
    /* 321 */ "VR2", "", "", "VU", "", "", "YB", "", "", "EP",
    /* 331 */ "", "", "YI", "", "", "4X", "", "", "JA", "",
    /* 341 */ "", "JY", "", "", "V8", "", "", "9K", "", "",
    /* 351 */ "", "", "", "OD", "", "", "", "", "", "",
    /* 361 */ "", "", "JT", "", "", "", "", "", "9N", "A4",
    /* 371 */ "", "AP", "", "", "DU", "A7", "", "HZ", "S7", "",
    /* 381 */ "9V", "J2", "", "YK", "", "BV", "HS", "", "", "TA",
    /* 391 */ "A6", "", "", "", "", "", "", "", "", "7X",
    /* 401 */ "D2", "A2", "", "9U", "", "TJ", "", "TL", "D4", "TT",
    /* 411 */ "D6", "TN", "", "9Q", "", "TY", "", "", "", "TR",
    /* 421 */ "", "C5", "", "9G", "", "", "", "TU", "", "5Z",
    /* 431 */ "", "7P", "P5", "EL", "", "5A", "", "5R", "", "7Q",
    /* 441 */ "", "TZ", "", "5T", "", "CN", "", "", "", "5N",
    /* 451 */ "", "Z2", "FR", "9X", "", "6W", "", "9L", "", "3D2/R",
    /* 461 */ "", "ZS", "", "V5", "", "ST", "", "3DA", "", "5H",
    /* 471 */ "", "", "", "3V", "", "", "", "SU", "", "XT",
    /* 481 */ "", "9J", "5V", "", "", "", "", "ZS9", "3D2/C", "T33",
    /* 491 */ "", "7O", "ZS0", "", "", "", "9A", "", "S5", "",
    /* 501 */ "E7", "Z3", "OK", "OM", "BV9P", "BS7", "H40", "FO/A", "FO/M", "E4",
    /* 511 */ "4W6", "TX0", "VP6D", "4O", "KH8S", "FJ",
};
// clang-format on

struct DesignatorPair {
  std::string_view beginning;
  std::string_view designators[5];
};

constexpr DesignatorPair kDesignatorPairs[] = {
    {"SV", {"A"}},
    {"JW", {"B", "S"}},
    {"3Y", {"B", "P"}},
    {"FR", {"B", "E", "G", "J", "T"}},
    {"FO", {"A", "C", "F", "M"}},
    {"3D2", {"C", "R"}},
    {"VQ9", {"A", "D", "F"}},
    {"ZK1", {"N", "S"}},
    {"GM", {"SH", "SC"}},
};

bool IsLetter(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

/// The parts of an upper-cased call: separators divide, runs of them and trailing ones
/// vanish; a leading separator leaves an empty first part.
std::vector<std::string> SplitCall(const std::string& call) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < call.size(); ++i) {
    const char c = call[i];
    if (IsLetter(c) || IsDigit(c)) {
      parts.back() += c;
      continue;
    }
    const bool followedByPart =
        i + 1 < call.size() && (IsLetter(call[i + 1]) || IsDigit(call[i + 1]));
    if (followedByPart)
      parts.emplace_back();
  }
  return parts;
}

/// A country part that cannot be a prefix: it ends in three or more letters, or in fewer
/// letters that follow three or more digits ("QRP", "123", "123A").
bool IsNoPrefix(std::string_view part) {
  std::size_t end = part.size();
  int letters = 0;
  while (end > 0 && IsLetter(part[end - 1])) {
    --end;
    ++letters;
  }
  if (letters >= 3)
    return true;
  int digits = 0;
  while (end > 0 && IsDigit(part[end - 1])) {
    --end;
    ++digits;
  }
  return digits >= 3;
}

struct SortedCall {
  std::string home;
  std::string country;
};

SortedCall Sort(std::string x, std::string y) {
  if (x.empty())
    return {std::move(y), {}};
  if (y.empty())
    return {std::move(x), {}};
  SortedCall s;
  if (x.size() > y.size()) {
    s = {std::move(x), std::move(y)};
  } else {
    s = {std::move(y), std::move(x)};
  }
  if (IsNoPrefix(s.country)) {
    s.country.clear();
  } else if (s.country.size() == 1 && IsDigit(s.country[0])) {
    // A bare digit names a call area of the home call's country: DL9QQQ/2 -> DL2.
    std::size_t firstDigit = 1;
    while (firstDigit < s.home.size() && !IsDigit(s.home[firstDigit]))
      ++firstDigit;
    s.country = s.home.substr(0, firstDigit) + s.country;
  }
  // VP2E/W9Q: the longer part is the entity's prefix, so it is the country part. The swap
  // needs a country part to swap with; an empty one would leave no home call at all.
  if (!s.country.empty() && EntityPosition(s.home, kEntityHomeCallPositions) != 0)
    std::swap(s.home, s.country);
  return s;
}

PortableDesignatorTable& ProcessTable() {
  static PortableDesignatorTable table;
  return table;
}

} // namespace

PortableDesignatorTable::PortableDesignatorTable() {
  const char* initial[] = {"A", "AM", "M", "MM", "P", "LH", "LGT"};
  for (std::size_t i = 0; i < std::size(initial); ++i)
    entries_[i].text = initial[i];
}

const PortableDesignator& PortableDesignatorTable::Entry(int number) const {
  static const PortableDesignator kNone;
  if (number < 1 || number > kEntries)
    return kNone;
  return entries_[static_cast<std::size_t>(number - 1)];
}

void PortableDesignatorTable::SetEntry(int number, PortableDesignator designator) {
  if (number < 1 || number > kEntries)
    return;
  if (designator.text.size() > 3)
    designator.text.resize(3);
  entries_[static_cast<std::size_t>(number - 1)] = std::move(designator);
}

bool PortableDesignatorTable::Contains(std::string_view part) const {
  if (part.empty())
    return false;
  for (const PortableDesignator& d : entries_) {
    if (d.text == part)
      return true;
  }
  return false;
}

void PortableDesignatorTable::LoadFromSetup(
    const std::array<PortableDesignator, kFromSetup>& fromSetup) {
  if (fromSetup[0].text.empty())
    return;
  for (int i = 0; i < kFromSetup; ++i)
    SetEntry(i + 1, fromSetup[static_cast<std::size_t>(i)]);
}

const PortableDesignatorTable& PortableDesignators() {
  return ProcessTable();
}

void SetPortableDesignators(const PortableDesignatorTable& table) {
  ProcessTable() = table;
}

bool IsDesignatorPair(std::string_view first, std::string_view designator) {
  return !DesignatorPairBeginning(first, designator).empty();
}

std::string_view DesignatorPairBeginning(std::string_view first, std::string_view designator) {
  for (const DesignatorPair& pair : kDesignatorPairs) {
    if (!first.starts_with(pair.beginning))
      continue;
    for (std::string_view d : pair.designators) {
      if (!d.empty() && d == designator)
        return pair.beginning;
    }
  }
  return {};
}

std::vector<std::string> DesignatorForms() {
  std::vector<std::string> forms;
  for (const DesignatorPair& pair : kDesignatorPairs) {
    for (std::string_view d : pair.designators) {
      if (!d.empty())
        forms.push_back(std::string(pair.beginning) + "/" + std::string(d));
    }
  }
  return forms;
}

std::string BaseCall(std::string_view call, int mode) {
  return BaseCall(call, mode, PortableDesignators());
}

std::string BaseCall(std::string_view call, int mode, const PortableDesignatorTable& designators) {
  const std::vector<std::string> parts = SplitCall(UpCase(call));
  if (parts.size() == 1)
    return parts[0];
  const std::string& a = parts[0];
  const std::string& b = parts[1];
  SortedCall sorted;
  if (IsDesignatorPair(a, b)) {
    std::string joined = a + "/" + b;
    if (parts.size() == 2)
      return joined;
    if (designators.Contains(parts[2]))
      return joined;
    sorted = Sort(std::move(joined), parts[2]);
  } else if (parts.size() == 2 && designators.Contains(b)) {
    return a;
  } else {
    sorted = Sort(a, b);
  }
  return mode == kCountryPart ? sorted.country : sorted.home;
}

std::string_view EntityPrefix(int position) {
  if (position < 1 || position > kEntityPositions)
    return {};
  return kEntityTable[position];
}

int EntityPosition(std::string_view prefix, int lastPosition) {
  if (prefix.empty())
    return 0;
  if (lastPosition > kEntityPositions)
    lastPosition = kEntityPositions;
  for (int position = 1; position <= lastPosition; ++position) {
    if (kEntityTable[position] == prefix)
      return position;
  }
  return 0;
}

} // namespace tarvik
