#pragma once
// Report strings: the sent or received report of a QSO as one text of at most 20
// characters, the RST padded with blanks to 3 characters, directly followed by exchange
// element 2, then "/" and element 3 (when element 3 or 4 is not empty), then "/" and
// element 4 (when element 4 is not empty). With element 3 empty and element 4 set the text
// holds two "/" in a row. The QSO record stores the 20 characters in four pieces
// (QsoRecord::RSTs / SetRSTs).
//
// Also the serial-number texts of the exchange: numbers are written with at least three
// digits, leading zeros filling up to three ("007", "042", "123", "1000").

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

inline constexpr std::size_t kReportLength = 20;
inline constexpr std::size_t kRstLength = 3;

/// A report split into its RST and exchange elements 2, 3, 4 (index 0..2).
struct ReportParts {
  std::string rst;
  std::array<std::string, 3> elements;
  friend bool operator==(const ReportParts&, const ReportParts&) = default;
};

/// Joins RST and elements 2..4 into a report (RST padded or cut to 3; the result cut to 20).
std::string JoinReport(std::string_view rst, std::string_view e2, std::string_view e3,
                       std::string_view e4);
std::string JoinReport(const ReportParts& parts);

/// Splits a report: characters 1-3 are the RST (a shorter text is the RST alone); the rest
/// is element 2 up to the first "/", element 3 up to the next "/", element 4 the remainder.
ReportParts SplitReport(std::string_view report);

/// The exchange part of a report: everything after its first three characters.
std::string ReportExchange(std::string_view report);

/// The RST as stored: padded with blanks to 3 characters; on CW a third character that is
/// a blank after a non-blank second one becomes "9" ("59" typed on CW is "599").
std::string NormaliseRst(std::string_view rst, bool cw);

/// A serial number as sent: at least three digits with leading zeros (7 -> "007",
/// 1000 -> "1000"). Numbers below 0 are written as 0.
std::string SerialText(std::int64_t number);

/// A serial-number element as stored: trimmed, and a text of one or two characters filled
/// with leading zeros to three ("7" -> "007", "12" -> "012"); any other text trimmed only.
std::string PadSerialElement(std::string_view element);

} // namespace tarvik
