#pragma once
// The per-code extra entries of the contest header: what a contest asks for besides the
// common header (the age for code P, club member numbers, the scoring group of code Y, a
// yes/no question, a station description), as data of each code, and how their values are
// read from and stored into the header and checked. The header window shows them
// (outputs/contest_header_model.h); the station description lives in a file of its own.
//
//   Code        Extra                              Stored in            Check on saving
//   P           age, "XX" for none                 extraNumber (-1)     empty: blocks
//   6           HSC number, "NM" for none          extraNumber (-1)     empty: warns
//   i           Naval club and number (6 chars)    clubId               empty, not cat. 6: warns
//   7, f, 4     DIG / AGCW / RTC number, "0"       extraNumber (-1)     empty: warns
//   k           QCWA number, "0" for none          extraNumber (-1)     none
//   Y           scoring group S / M / SWL          extraNumber 0, 1, 2  none
//   U, Z        yes/no question                    yesNoAnswer          none
//   b           station description, kit kind      .STN file,           empty: blocks
//                                                  extraNumber 3, 2, 0
//   j           station description                .STN file            empty: blocks
// A check that blocks ends the save; one that warns shows its message and the save goes on.

#include <optional>
#include <string>
#include <string_view>

#include "datafiles/contest_records.h"

namespace tarvik {

enum class HeaderExtraKind {
  kNone,
  kAge,                ///< the operator's age (code P)
  kMemberNumber,       ///< a club member number
  kClubId,             ///< a club abbreviation and number (code i)
  kScoringGroup,       ///< one of three scoring groups (code Y)
  kYesNoQuestion,      ///< a yes/no question
  kStationDescription, ///< a station description kept in a file of its own
};

/// The extra entry of a contest code.
struct HeaderExtra {
  HeaderExtraKind kind = HeaderExtraKind::kNone;
  /// The number field (age, member number, club id): its label, the caption above it, its
  /// length and the text that stands for "none".
  std::string_view numberLabel{};
  std::string_view numberCaption{};
  int numberLength = 0;
  std::string_view noneText{};
  /// The club of the membership question: an empty number warns "Sie haben keine Angabe
  /// über die <club>-Mitgliedschaft getätigt." ("": no warning); not in `exemptCategory`.
  std::string_view club{};
  int exemptCategory = 0; ///< 0: none
  /// The yes/no question: the caption of its group and the question.
  std::string_view questionCaption{};
  std::string_view question{};
  /// The own DOK answers the question: a DOK of district U means yes.
  bool questionAnsweredByDistrictUDok = false;
  /// The station description comes with the kit check boxes ("selbstgebauter Bausatz",
  /// "individuelles Unikat").
  bool kitChoices = false;
  /// The contest has no RST settings: their boxes are hidden and the header keeps the RST
  /// free and unlocked.
  bool freeRst = false;
  /// The station description's file name begins with this ("": the contest has none).
  std::string_view stationFilePrefix{};
  /// The call list field (CallListRecord::FieldNumber) that gives a new contest its own
  /// member number when the own call is left; 0: none.
  int ownNumberFromCallList = 0;
};

/// The extra entry of `contestCode` (kind kNone for a code without one).
const HeaderExtra& HeaderExtraOf(char contestCode);

/// The values of the extra entries as the header window holds them.
struct HeaderExtraValues {
  std::string number{};  ///< age, member number or club id as typed
  int scoringGroup = 0;  ///< 0, 1 or 2
  bool yes = false;      ///< the answer of the yes/no question
  std::string station{}; ///< the station description
  bool kit = false;      ///< "selbstgebauter Bausatz"
  bool unique = false;   ///< "individuelles Unikat"
};

/// The values the stored header gives the extra (not the station description, which is a
/// file). Values of other extras are left as they are.
void ReadExtras(const HeaderExtra& extra, const ContestHeaderRecord& header,
                HeaderExtraValues& values);

/// Writes the extra's values into the header; a contest without RST settings also gets them
/// free and unlocked (header and extension).
void WriteExtras(const HeaderExtra& extra, const HeaderExtraValues& values,
                 ContestHeaderRecord& header, ContestExtensionRecord& extension);

/// A failed check of the extras.
struct ExtrasCheck {
  enum class Field { kNumber, kStation };
  std::string message;
  bool blocks = false; ///< ends the save; otherwise the save goes on after the message
  Field field = Field::kNumber;
};

/// The check of the extra's values for the chosen category; nullopt when it passes or the
/// extra has none.
[[nodiscard]] std::optional<ExtrasCheck> CheckExtras(const HeaderExtra& extra,
                                                     const HeaderExtraValues& values, int category);

/// The station description file of a contest: the code's prefix ("OQRP" for b, "mssprint"
/// for j), the contest number right-aligned in 6 characters and ".STN"; "" for codes
/// without a station description.
std::string StationDescriptionFile(char contestCode, int contestNumber);

/// A description holds nothing but blanks and line ends.
bool StationDescriptionEmpty(std::string_view text);

/// `text` with CR LF and lone CR line ends turned into "\n".
std::string WithoutCr(std::string_view text);

/// Code U: a DOK beginning with "U", or one of the district's other DOKs.
bool IsDistrictUDok(std::string_view dok);

/// The member number that the call list (KXCALL) holds for `call` in field `field`
/// (CallListRecord::FieldNumber), or "0" when the call is not listed, has none, or `field`
/// is 0.
[[nodiscard]] std::string LookUpMemberNumber(int field, std::string_view call);

} // namespace tarvik
