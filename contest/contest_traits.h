#pragma once
// The traits of a contest code: the small per-contest decisions of the log window, the header
// window, the output run and the program shell that are no field of the contest definition.
// Each is a named field of the catalog's per-code row (contest_catalog.cpp), so that a
// decision that differs between contests is looked up here instead of comparing the contest
// code where it is taken. The defaults are what most contests do; a row names only the
// traits in which its contest differs.
//
// What differs in the header window's extra entries (age, member numbers, yes/no question,
// station description) is the data of header_extras.h; what differs in the scoring is the
// point, multiplier and duplicate rules of this folder; the output writers keep their own
// per-code lines.

#include <string>
#include <string_view>

namespace tarvik {

/// What the multiplier total of a contest counts, for its captions.
enum class MultCountName {
  kMulti,         ///< "Multi"
  kPostcodeAreas, ///< postal code areas: "PLZ-Bereiche", "PLZ"
  kPrefixes,      ///< prefixes: "Prefixe"
};

struct ContestTraits {
  // --- QSO entry ------------------------------------------------------------------------
  /// The club member number of the exchange rides in the QSO's Call2 field: the evaluation
  /// and the renumbering keep Call2 as it is, and the edit dialog shows it in the member
  /// number's exchange element.
  bool memberNumberInCall2 = false;
  /// Every change of a stored QSO is followed by the full recalculation (renumbering, header
  /// statistics, tables), not only a change of what feeds the score.
  bool fullRecalculationAfterChange = false;
  /// Name of the member club: the label of the member-number exchange field ("DIG" ...).
  std::string_view memberClub{};
  /// Call book field (CallBookRecord::FieldNumber) that remembers a station's member number;
  /// 0: the call book keeps none.
  int callBookMemberField = 0;
  /// Call list field (CallListRecord::FieldNumber) holding a station's member number; 0: none.
  int callListMemberField = 0;
  /// The call book remembers only member numbers marked "M" (a club station's number), and
  /// without the mark's first two characters.
  bool callBookKeepsMarkedNumbers = false;
  /// Member numbers come from the QCWA member list "qcwa.csv", which learns the numbers of
  /// stations it does not list yet.
  bool qcwaMemberList = false;
  /// A blank typed into a received report field is kept (it is part of the exchange).
  bool blanksInReceivedExchange = false;
  /// The name field is the exchange: what is typed there goes into received element 2.
  bool nameIsExchange = false;
  /// The frequency, name and QTH fields are shown when the log window opens.
  bool nameQthShownAtStart = false;
  /// The received report of a new QSO starts with this text after the RST ("" none).
  std::string_view rcvdReportPreset{};
  /// Reports carry no RST: a new QSO has no RST preset, and a change of the mode leaves the
  /// RST fields alone.
  bool reportWithoutRst = false;
  /// Sent elements 3 and 4 are sent only on these bands ("": on every band).
  std::string_view extraSentElementsBands{};
  /// A QSO whose sent exchange holds nothing sends the QSO number as element 2.
  bool serialWhenNothingSent = true;

  // --- Panels and captions --------------------------------------------------------------
  /// Width of the multiplier panel's labels, and whether their values are drawn bold.
  int panelLabelWidth = 28;
  bool panelLabelsBold = true;
  /// What the multiplier total counts.
  MultCountName multCountName = MultCountName::kMulti;
  /// The postal code areas are counted but give no score: the evaluation panels hide the
  /// score and show the points alone.
  bool postcodeAreasWithoutScore = false;
  /// With the multipliers counted once for the contest, points and QSOs are counted for the
  /// contest as a whole (the first slot) and the panels show only the totals.
  bool contestWideTotals = false;

  // --- Header window, outputs and the program shell -------------------------------------
  /// The header's DOK field holds the own LDK (as for the LDK option).
  bool headerDokFieldIsLdk = false;
  /// "E-Log Gesamtdatei" writes the STF file.
  bool wholeLogIsStf = false;
  /// The whole-log file follows the cover sheet with the band list, not the QSO list.
  bool wholeLogWithBandList = false;
  /// "Neu" first notes that the evaluator needs a log of its own for every band and mode
  /// combination.
  bool separateLogsNote = false;
  /// The contest is logged one hour per log: the program advises so while the contest list
  /// holds fewer than three contests, and after the first "Neu" of an empty list.
  bool hourlyLogAdvice = false;
};

/// The traits of `contestCode`; the defaults for a character that has no catalog row.
const ContestTraits& TraitsOf(char contestCode);

/// The caption of the log window's multiplier counter: "PLZ-Bereiche", "Prefixe " or
/// "Multi ".
std::string MultiCounterCaption(MultCountName name);
/// What follows a multiplier total shown as a plain count: " PLZ", " Prefixe" or " Multi".
std::string PlainMultTotalSuffix(MultCountName name);

} // namespace tarvik
