#pragma once
// Bands in their three forms: the one-letter code stored in records and contest
// definitions, the printed name, and a frequency in MHz.
//
//   letter  name     wavelength  default MHz  range in MHz (lower excluded, upper included)
//   a       160 m    160         1.815        1.809 .. 2.0
//   b       80 m     80          3.5          3.4999 .. 3.8
//   c       40 m     40          7.0          6.9999 .. 7.1
//   d       30 m     30          10.1         10.099 .. 10.2
//   e       20 m     20          14.0         13.9999 .. 14.35
//   f       17 m     17          18.1         18.0679 .. 18.168
//   g       15 m     15          21.0         20.9999 .. 21.45
//   h       12 m     12          24.89        24.889 .. 25.0
//   i       10 m     10          28.0         27.9999 .. 29.7
//   j       6 m      6           50.0         49.9999 .. 54.0
//   k       2 m      2           144.0        143.9999 .. 146.0
//   l       70 cm    0.7         430.0        429.9999 .. 440.0
//   m       23 cm    0.23        1240.0       1239.9999 .. 1300.0
//   n       13 cm    0.13        2400.0       2319.9999 .. 2450.0
//   o       9 cm     0.09        3400.0       3399.9999 .. 3475.0
//   p       6 cm     0.06        5650.0       5649.9999 .. 5850.0
//   q       3 cm     0.03        10000.0      9999.9999 .. 10500.0
//   r       2189m    2189        0.137        0.1356999 .. 0.1378
//   s       1.2cm    0.012       24000.0      23999.9999 .. 24250.0
//   0       all (stands for every band)
//
// Band letters sort in band order and index per-band arrays by their character code.
// Two numbers are equal for these routines when both, printed with 5 decimal places, give
// the same text.

#include <string>
#include <string_view>

namespace tarvik {

/// Every band letter in band order.
inline constexpr std::string_view kBandLetters = "abcdefghijklmnopqrs";
/// The letter that stands for all bands.
inline constexpr char kAllBands = '0';

/// True for the letters a..s.
bool IsBandLetter(char letter);

/// The printed name ("160 m", "70 cm", "1.2cm"), or without blanks ("160m", "70cm") when
/// `withoutBlanks`; "all" for '0'; "???" for any other character.
std::string BandName(char letter, bool withoutBlanks = false);

/// The band a typed text names ("80", "80m", "80 M", "70cm", "1,2 CM" ...), compared after
/// trimming and upper-casing; the zero character when the text names no band. A bare "6"
/// is 6 m.
char BandFromText(std::string_view text);

/// The default frequency in MHz of the band a text names, or 0. The centimetre bands are
/// tried first, so a bare "6" gives 5650 (6 cm) here.
double FrequencyFromBandText(std::string_view text);

/// The wavelength in metres of the band whose range holds `mhz`, or 0 outside every range.
double WavelengthFromFrequency(double mhz);

/// The band letter whose range holds `mhz`, or a blank outside every range.
char BandFromFrequency(double mhz);

/// The default frequency in MHz of a band typed as a number into a frequency field
/// (wavelength in metres or centimetres: 80 -> 3.5, 2 -> 144, 70 -> 430, 1.2 -> 24000), or 0.
double BandDefaultFrequency(double bandNumber);

/// The default frequency in MHz of a band letter (table above), or 0 for any other character.
double BandLetterDefaultFrequency(char letter);

/// Completes a number typed into a frequency field: a band number becomes the band's
/// default frequency, a few short forms are completed (18 -> 18.1, 1.8 -> 1.81,
/// 24 and 24.8 -> 24.89), values in the kilohertz ranges of 160 m to 30 m and of the
/// microwave gaps are divided by 1000, everything else is taken as MHz unchanged.
double CompleteFrequency(double value);

/// The band a frequency puts a log on whose contest offers the band letters `contestBands`:
/// the band whose range holds `mhz` when the contest offers it, else 0 (the log keeps its
/// band). The log window takes a typed frequency and the radio's frequency by this rule.
char ContestBandOfFrequency(double mhz, std::string_view contestBands);

/// True when both numbers print the same with 5 decimal places.
bool SameBandNumber(double a, double b);

} // namespace tarvik
