#pragma once
// The contest definition: one record of plain per-contest data that the catalog builds from
// the contest code and the chosen category. The main window owns one and rebuilds it in
// place; the log window works on its own copy. Every per-contest decision outside the
// catalog reads these fields (or the contest code); nobody but the catalog writes them.
//
// Lists hold their entries in order. An entry may be empty (it carries no value): readers
// skip empty entries and never stop at the first one.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"

namespace tarvik {

/// Exchange kinds: what an exchange element after the report is.
namespace exchange {
inline constexpr int kNone = 0;        ///< no element (field hidden)
inline constexpr int kDok = 4;         ///< DARC local-club code
inline constexpr int kLocator4 = 5;    ///< locator where 4 characters are exchanged
inline constexpr int kLocator = 6;     ///< full locator
inline constexpr int kQsoNumber = 7;   ///< serial number (next QSO number)
inline constexpr int kArea = 8;        ///< area code
inline constexpr int kModeNumber = 11; ///< serial number (next number per mode)
inline constexpr int kUsState = 12;    ///< US state
inline constexpr int kBandSerial = 13; ///< serial number (next number per band)
inline constexpr int kPostcode = 15;   ///< postal code
inline constexpr int kMember = 16;     ///< club member number (DIG, AGCW, QCWA)
inline constexpr int kLdk = 17;        ///< district code (Landkreis)
inline constexpr int kMember19 = 19;   ///< club member number (Naval, QCWA)
inline constexpr int kOther = 99;      ///< other element, meaning per contest code
} // namespace exchange

/// Elements of ContestDefinition::Options: the multiplier kinds of a contest and the options
/// that go with them.
namespace option {
inline constexpr int kWpxPrefix = 1;      ///< WPX prefix multipliers
inline constexpr int kDxcc = 2;           ///< DXCC multipliers
inline constexpr int kDlCountsAsDxcc = 3; ///< the prefix "DL" counts as a DXCC too
inline constexpr int kDok = 4;            ///< DOK multipliers (the header asks for the own DOK)
inline constexpr int kLocator = 5;        ///< locator square multipliers
inline constexpr int kDokEveryQso = 7;    ///< (code L) every QSO with a DOK counts it again
inline constexpr int kArea = 8;           ///< area multipliers (the header's DOK is an area)
inline constexpr int kEuropeOnly = 9;     ///< only European prefixes count
inline constexpr int kListedCalls = 10;   ///< the special stations of CallList ("Callmulti")
inline constexpr int kUsState = 12;       ///< US state multipliers
inline constexpr int kAltPrefix = 14;     ///< the alternative prefix of the prefix table
inline constexpr int kPostcode = 15;      ///< postal code area multipliers
inline constexpr int kMember = 16;        ///< club member number multipliers
inline constexpr int kLdk = 17;           ///< LDK multipliers (the header's DOK is an LDK)
inline constexpr int kDistrict = 18;      ///< district letter multipliers
inline constexpr int kClubMember = 19;    ///< Naval or QCWA member number multipliers
} // namespace option

/// What a multiplier column of a contest counts (MultLabel1..3). The column's label is the
/// text of its kind; readers choose columns by the kind, never by the label.
enum class MultColumn : std::uint8_t {
  kNone,
  kDok,       ///< "DOK"
  kLocator,   ///< "Loc"
  kDxcc,      ///< "DXCC"
  kPrefix,    ///< "Prefix" (WPX)
  kArea,      ///< "Area"
  kLdk,       ///< "LDK"
  kCallMulti, ///< "Callmulti": the special stations of CallList
  kUsState,   ///< "US-State"
  kPostcode,  ///< "PLZ"
  kDig,       ///< "DIG" member numbers
  kAgcw,      ///< "AGCW" member numbers
  kQcwa,      ///< "QCWA" member numbers
  kNaval,     ///< "Naval" member numbers
};

/// The label of a multiplier column kind; "" for kNone.
constexpr std::string_view MultColumnLabel(MultColumn column) {
  switch (column) {
  case MultColumn::kDok:
    return "DOK";
  case MultColumn::kLocator:
    return "Loc";
  case MultColumn::kDxcc:
    return "DXCC";
  case MultColumn::kPrefix:
    return "Prefix";
  case MultColumn::kArea:
    return "Area";
  case MultColumn::kLdk:
    return "LDK";
  case MultColumn::kCallMulti:
    return "Callmulti";
  case MultColumn::kUsState:
    return "US-State";
  case MultColumn::kPostcode:
    return "PLZ";
  case MultColumn::kDig:
    return "DIG";
  case MultColumn::kAgcw:
    return "AGCW";
  case MultColumn::kQcwa:
    return "QCWA";
  case MultColumn::kNaval:
    return "Naval";
  case MultColumn::kNone:
    break;
  }
  return {};
}

/// Bit numbers of ContestDefinition::Outputs: the entries of the header window's print menu.
namespace output {
inline constexpr int kELogCover = 1;
inline constexpr int kELogQsoList = 2;
inline constexpr int kStfFile = 3;
inline constexpr int kAdifExport = 4;
inline constexpr int kPaperCover = 5;
inline constexpr int kPaperQsoList = 6;
inline constexpr int kPaperBandList = 7;
inline constexpr int kPaperMultiCheck = 8;
inline constexpr int kCabrillo = 9;
inline constexpr int kELogBandList = 10;
inline constexpr int kELogMultiCheck = 12;
inline constexpr int kEdiFile = 13;
} // namespace output

/// One time block of a contest: its date, start and end time as written in the catalog
/// ("dd.mm.yyyy", "hh:mm:ss" or "hh:mm") and the bands worked in it.
struct TimeBlock {
  std::string date;
  std::string startTime;
  std::string endTime;
  std::string bands; ///< up to 10 band letters
  friend bool operator==(const TimeBlock&, const TimeBlock&) = default;
};

/// One participation category.
struct ContestCategory {
  std::string description; ///< text of the category radio group
  int timeBlock = 0;       ///< linked time block, 1-based; 0 = none
  std::string shortName;   ///< written into the outputs; may be empty
  friend bool operator==(const ContestCategory&, const ContestCategory&) = default;
};

struct ContestDefinition {
  static constexpr size_t kMaxModes = 100;
  static constexpr size_t kMaxBands = 100;
  static constexpr size_t kMaxTimeBlocks = 10;
  static constexpr size_t kMaxListEntries = 100;
  static constexpr size_t kMaxDistricts = 26;
  static constexpr size_t kMaxCategories = 20;

  std::uint8_t ListenerLog = 0;      ///< 1: listener (SWL) category, sent fields hidden
  std::vector<std::string> Modes;    ///< mode names offered, in order
  std::string Bands;                 ///< band letters offered, in order
  std::bitset<256> Options;          ///< multiplier kinds and related options
  std::vector<TimeBlock> TimeBlocks; ///< at most 10
  std::string MultLabel1, MultLabel2, MultLabel3; ///< the labels of MultColumns
  std::array<MultColumn, 3> MultColumns{};        ///< what multiplier columns 1..3 count
  std::string ProgramLine; ///< program title, version and notice for outputs
  std::int32_t RcvdExchange1 = 0, RcvdExchange2 = 0, RcvdExchange3 = 0; ///< elements 2..4
  std::int32_t SentExchange1 = 0, SentExchange2 = 0, SentExchange3 = 0; ///< elements 2..4
  std::string SentDefault1, SentDefault2, SentDefault3; ///< presets of sent elements 2..4
  std::uint8_t DupeRule = 0;                            ///< 0 none .. 5 once in the whole contest
  std::vector<std::string> DokCheckList;                ///< DOKs admitted by the completeness check
  std::string DokCheckDistricts;                        ///< district letters admitted by that check
  std::vector<std::string> CallList;                    ///< special stations counted as "Callmulti"
  std::vector<std::string> DokList;                     ///< DOKs of the contest area / bonus DOKs
  std::string HomeDistricts;                    ///< district letters used by the multiplier rules
  std::vector<std::string> SpecialDokList;      ///< second DOK list
  std::string HomeDistrict;                     ///< district letters used by the point rules
  std::string ContestName;                      ///< short name: window caption, outputs
  std::string ProgramTitle;                     ///< program title with version
  std::vector<ContestCategory> Categories;      ///< category n is Categories[n - 1]; at most 20
  std::string DefaultStartDate, DefaultEndDate; ///< "dd.mm.yyyy" or empty
  std::string DefaultStartTime, DefaultEndTime; ///< "hh:mm:ss" ("hh:mm" for some codes) or empty
  std::int32_t UtcOffsetHours = 0;              ///< -1 winter half-year contests, -2 summer
  std::uint8_t PartyFlag = 0;                   ///< 1: party evaluation offered
  std::uint8_t EvaluationKind = 0;  ///< 0 per band, 1 once per contest, 2 per band and mode
  std::uint16_t Outputs = 0;        ///< bits: see namespace output
  std::uint8_t PlainMultCount = 0;  ///< 1: multiplier total shown as a plain count
  std::uint8_t PerBandScore = 0;    ///< 1: total is the sum of points x multipliers per band
  std::string RequiredText;         ///< a multiplier counts only with this text in the report
  std::string PointText;            ///< this text in the report raises the points
  std::uint8_t BandAutoOffered = 0; ///< 1: header window offers the band by time
  std::string RcvdLabel1, RcvdLabel2, RcvdLabel3; ///< labels replacing the kind's label

  bool HasOption(int option) const {
    return option >= 0 && option < 256 && Options.test(static_cast<size_t>(option));
  }
  /// True when the contest counts multipliers at all (Options not empty).
  bool HasMultipliers() const { return Options.any(); }
  /// True when the contest counts the received DOK, area or LDK as a multiplier.
  bool HasDokMultipliers() const {
    return HasOption(option::kDok) || HasOption(option::kArea) || HasOption(option::kLdk);
  }
  /// True when the DOK field carries an area or an LDK rather than a DOK.
  bool HasAreaOrLdkMultipliers() const {
    return HasOption(option::kArea) || HasOption(option::kLdk);
  }
  bool OffersOutput(int bit) const { return bit >= 0 && bit < 16 && ((Outputs >> bit) & 1) != 0; }
  /// Category `number` (1-based), or nullptr when there is none.
  const ContestCategory* Category(int number) const {
    if (number < 1 || static_cast<size_t>(number) > Categories.size())
      return nullptr;
    return &Categories[static_cast<size_t>(number) - 1];
  }

  /// Element `n` (1..3, i.e. exchange elements 2..4) of the per-element fields; any other n
  /// selects element 4.
  std::int32_t& RcvdExchange(int n) {
    return n == 1 ? RcvdExchange1 : n == 2 ? RcvdExchange2 : RcvdExchange3;
  }
  std::int32_t RcvdExchange(int n) const {
    return n == 1 ? RcvdExchange1 : n == 2 ? RcvdExchange2 : RcvdExchange3;
  }
  std::int32_t& SentExchange(int n) {
    return n == 1 ? SentExchange1 : n == 2 ? SentExchange2 : SentExchange3;
  }
  std::int32_t SentExchange(int n) const {
    return n == 1 ? SentExchange1 : n == 2 ? SentExchange2 : SentExchange3;
  }
  std::string& SentDefault(int n) {
    return n == 1 ? SentDefault1 : n == 2 ? SentDefault2 : SentDefault3;
  }
  const std::string& SentDefault(int n) const {
    return n == 1 ? SentDefault1 : n == 2 ? SentDefault2 : SentDefault3;
  }
  std::string& MultLabel(int n) { return n == 1 ? MultLabel1 : n == 2 ? MultLabel2 : MultLabel3; }
  /// The kind of multiplier column `n` (1..3); kNone for any other n.
  MultColumn MultColumnKind(int n) const {
    return n >= 1 && n <= 3 ? MultColumns[static_cast<size_t>(n - 1)] : MultColumn::kNone;
  }
  /// Sets multiplier column `n` (1..3) to `column`, and its label to the column's label.
  void SetMultColumn(int n, MultColumn column) {
    if (n < 1 || n > 3)
      return;
    MultColumns[static_cast<size_t>(n - 1)] = column;
    MultLabel(n) = std::string(MultColumnLabel(column));
  }
  /// The first multiplier column (1..3) of kind `column`, or 0 when there is none.
  int MultColumnOf(MultColumn column) const {
    for (int n = 1; n <= 3; ++n)
      if (MultColumnKind(n) == column)
        return n;
    return 0;
  }
  const std::string& MultLabel(int n) const {
    return n == 1 ? MultLabel1 : n == 2 ? MultLabel2 : MultLabel3;
  }
  std::string& RcvdLabel(int n) { return n == 1 ? RcvdLabel1 : n == 2 ? RcvdLabel2 : RcvdLabel3; }
  const std::string& RcvdLabel(int n) const {
    return n == 1 ? RcvdLabel1 : n == 2 ? RcvdLabel2 : RcvdLabel3;
  }

  friend bool operator==(const ContestDefinition&, const ContestDefinition&) = default;
};

/// The entries of a definition list (CallList, DokList, SpecialDokList, DokCheckList) that
/// carry a value, in stored order. Empty entries are skipped, never taken as the list's end.
inline std::vector<std::string> ListValues(const std::vector<std::string>& list) {
  std::vector<std::string> values;
  for (const std::string& entry : list)
    if (!entry.empty())
      values.push_back(entry);
  return values;
}

/// True when `value` is not empty and equals one of the entries of `list` (all of them are
/// searched, empty ones skipped).
inline bool ListContains(const std::vector<std::string>& list, std::string_view value) {
  if (value.empty())
    return false;
  for (const std::string& entry : list)
    if (entry == value)
      return true;
  return false;
}

/// The fields of the contest header record that building a definition reads and writes.
struct ContestHeaderFields {
  std::uint8_t category = 0;      ///< chosen category, 1-based; 0 = none yet (may be reset)
  DayNumber dateFrom = 0;         ///< start date; 0 or less = not set
  std::string dok;                ///< own DOK
  std::string postcode;           ///< own postal code
  std::int32_t extraNumber = -1;  ///< per-code extra number; -1 = none given
  std::string ldk;                ///< own LDK
  std::string clubId;             ///< club abbreviation and number (code i)
  std::uint8_t extendedStats = 0; ///< 255: per-band totals kept in the extension record (set)
};

} // namespace tarvik
