#include "radio/bands.h"

#include <array>
#include <cstdio>
#include <initializer_list>

#include "base/strings.h"

namespace tarvik {

namespace {

struct Band {
  char letter;
  const char* name;
  const char* compactName;
  double wavelength;
  double defaultMhz;
  double lowerMhz; // excluded
  double upperMhz; // included
};

// In band-letter order a..s.
constexpr std::array<Band, 19> kBands = {{
    {'a', "160 m", "160m", 160, 1.815, 1.809, 2.0},
    {'b', "80 m", "80m", 80, 3.5, 3.4999, 3.8},
    {'c', "40 m", "40m", 40, 7.0, 6.9999, 7.1},
    {'d', "30 m", "30m", 30, 10.1, 10.099, 10.2},
    {'e', "20 m", "20m", 20, 14.0, 13.9999, 14.35},
    {'f', "17 m", "17m", 17, 18.1, 18.0679, 18.168},
    {'g', "15 m", "15m", 15, 21.0, 20.9999, 21.45},
    {'h', "12 m", "12m", 12, 24.89, 24.889, 25.0},
    {'i', "10 m", "10m", 10, 28.0, 27.9999, 29.7},
    {'j', "6 m", "6m", 6, 50.0, 49.9999, 54.0},
    {'k', "2 m", "2m", 2, 144.0, 143.9999, 146.0},
    {'l', "70 cm", "70cm", 0.7, 430.0, 429.9999, 440.0},
    {'m', "23 cm", "23cm", 0.23, 1240.0, 1239.9999, 1300.0},
    {'n', "13 cm", "13cm", 0.13, 2400.0, 2319.9999, 2450.0},
    {'o', "9 cm", "9cm", 0.09, 3400.0, 3399.9999, 3475.0},
    {'p', "6 cm", "6cm", 0.06, 5650.0, 5649.9999, 5850.0},
    {'q', "3 cm", "3cm", 0.03, 10000.0, 9999.9999, 10500.0},
    {'r', "2189m", "2189m", 2189, 0.137, 0.1356999, 0.1378},
    {'s', "1.2cm", "1.2cm", 0.012, 24000.0, 23999.9999, 24250.0},
}};

const Band* FindBand(char letter) {
  if (!IsBandLetter(letter))
    return nullptr;
  return &kBands[static_cast<size_t>(letter - 'a')];
}

std::string Normalised(std::string_view text) {
  return UpCase(TrimBlanks(text));
}

bool OneOf(const std::string& text, std::initializer_list<const char*> forms) {
  for (const char* f : forms)
    if (text == f)
      return true;
  return false;
}

// The forms of a metre band ("80 M", "80M", "80") and of a centimetre band
// ("70 CM", "70CM", "70 C", "70C", "70").
bool IsMetreForm(const std::string& t, const char* n, bool bare = true) {
  const std::string s(n);
  return t == s + " M" || t == s + "M" || (bare && t == s);
}
bool IsCentimetreForm(const std::string& t, const char* n, bool bare = true) {
  const std::string s(n);
  return t == s + " CM" || t == s + "CM" || t == s + " C" || t == s + "C" || (bare && t == s);
}

} // namespace

bool SameBandNumber(double a, double b) {
  char ta[64];
  char tb[64];
  std::snprintf(ta, sizeof ta, "%11.5f", a);
  std::snprintf(tb, sizeof tb, "%11.5f", b);
  return std::string_view(ta) == std::string_view(tb);
}

bool IsBandLetter(char letter) {
  return letter >= 'a' && letter <= 's';
}

std::string BandName(char letter, bool withoutBlanks) {
  if (letter == kAllBands)
    return "all";
  const Band* band = FindBand(letter);
  if (band == nullptr)
    return "???";
  return withoutBlanks ? band->compactName : band->name;
}

char BandFromText(std::string_view text) {
  const std::string t = Normalised(text);
  static constexpr std::array<std::pair<char, const char*>, 11> kMetre = {{{'a', "160"},
                                                                           {'b', "80"},
                                                                           {'c', "40"},
                                                                           {'d', "30"},
                                                                           {'e', "20"},
                                                                           {'f', "17"},
                                                                           {'g', "15"},
                                                                           {'h', "12"},
                                                                           {'i', "10"},
                                                                           {'j', "6"},
                                                                           {'k', "2"}}};
  for (const auto& [letter, n] : kMetre)
    if (IsMetreForm(t, n))
      return letter;
  static constexpr std::array<std::pair<char, const char*>, 6> kCentimetre = {
      {{'l', "70"}, {'m', "23"}, {'n', "13"}, {'o', "9"}, {'p', "6"}, {'q', "3"}}};
  for (const auto& [letter, n] : kCentimetre)
    if (IsCentimetreForm(t, n))
      return letter; // a bare "6" was already taken as 6 m
  if (IsMetreForm(t, "2189"))
    return 'r';
  if (OneOf(t, {"1.2 CM", "1,2 CM", "1,2 C", "1.2CM", "1,2CM", "1,2C", "1.2", "1,2"}))
    return 's';
  return '\0';
}

double FrequencyFromBandText(std::string_view text) {
  const std::string t = Normalised(text);
  if (OneOf(t,
            {"1,2", "1.2", "1.2 CM", "1.2CM", "1.2 C", "1.2C", "1,2 CM", "1,2CM", "1,2 C", "1,2C"}))
    return 24000.0;
  static constexpr std::array<std::pair<char, const char*>, 6> kCentimetre = {
      {{'q', "3"}, {'p', "6"}, {'o', "9"}, {'n', "13"}, {'m', "23"}, {'l', "70"}}};
  for (const auto& [letter, n] : kCentimetre)
    if (IsCentimetreForm(t, n))
      return FindBand(letter)->defaultMhz;
  if (IsMetreForm(t, "2"))
    return 144.0;
  if (IsMetreForm(t, "6", false))
    return 50.0;
  static constexpr std::array<std::pair<char, const char*>, 9> kMetre = {{{'i', "10"},
                                                                          {'h', "12"},
                                                                          {'g', "15"},
                                                                          {'f', "17"},
                                                                          {'e', "20"},
                                                                          {'d', "30"},
                                                                          {'c', "40"},
                                                                          {'b', "80"},
                                                                          {'a', "160"}}};
  for (const auto& [letter, n] : kMetre)
    if (IsMetreForm(t, n))
      return FindBand(letter)->defaultMhz;
  if (IsMetreForm(t, "2189"))
    return 0.137;
  return 0.0;
}

double WavelengthFromFrequency(double mhz) {
  // 2189 m first, then a..q, then 1.2 cm.
  const Band& lf = kBands[static_cast<size_t>('r' - 'a')];
  if (mhz > lf.lowerMhz && mhz <= lf.upperMhz)
    return lf.wavelength;
  for (const Band& band : kBands) {
    if (band.letter == 'r')
      continue;
    if (mhz > band.lowerMhz && mhz <= band.upperMhz)
      return band.wavelength;
  }
  return 0.0;
}

char BandFromFrequency(double mhz) {
  const double wavelength = WavelengthFromFrequency(mhz);
  for (const Band& band : kBands)
    if (SameBandNumber(wavelength, band.wavelength))
      return band.letter;
  return ' ';
}

char ContestBandOfFrequency(double mhz, std::string_view contestBands) {
  // Only a band the contest offers can become the log's band: a frequency of another band
  // (a typing slip in a one-band contest, a radio parked elsewhere) counts as none.
  const char band = BandFromFrequency(mhz);
  return IsBandLetter(band) && contestBands.find(band) != std::string_view::npos ? band : '\0';
}

double BandDefaultFrequency(double n) {
  struct Entry {
    double a;
    double b; // second spelling of the same band, or -1
    double mhz;
  };
  static constexpr std::array<Entry, 19> kTable = {{
      {0.012, 1.2, 24000}, {0.03, 3, 10000}, {0.06, -1, 5650}, {0.09, 9, 3400},   {0.13, 13, 2400},
      {0.23, 23, 1240},    {0.7, 70, 430},   {2, -1, 144},     {6, -1, 50},       {10, -1, 28},
      {12, -1, 24.89},     {15, -1, 21},     {17, -1, 18.1},   {20, -1, 14},      {30, -1, 10.1},
      {40, -1, 7},         {80, -1, 3.5},    {160, -1, 1.815}, {2189, -1, 0.137},
  }};
  for (const Entry& e : kTable)
    if (SameBandNumber(n, e.a) || (e.b > 0 && SameBandNumber(n, e.b)))
      return e.mhz;
  return 0.0;
}

double BandLetterDefaultFrequency(char letter) {
  const Band* band = FindBand(letter);
  return band != nullptr ? band->defaultMhz : 0.0;
}

double CompleteFrequency(double v) {
  if (SameBandNumber(v, 0))
    return 0.0;
  if (const double f = BandDefaultFrequency(v); f != 0.0)
    return f;
  if (SameBandNumber(v, 18))
    return 18.1;
  if (SameBandNumber(v, 1.8))
    return 1.81;
  if (SameBandNumber(v, 24.8) || SameBandNumber(v, 24))
    return 24.89;
  const bool kilohertz = (v > 1814 && v <= 1999) || (v > 3499.9 && v <= 3800) ||
                         (v > 6999.9 && v <= 7100) || (v > 10099 && v <= 10200) ||
                         (v > 10500 && v <= 23999) || v > 24250;
  if (kilohertz)
    return v / 1000.0;
  return v;
}

} // namespace tarvik
