#pragma once
// What counts as a multiplier in a contest: the multiplier kinds of the definition's
// Options set, the value a QSO gives each kind, how far a value counts (per band, per band
// and mode group, or once for the whole contest), its weight, the slot of the per-band
// arrays it is counted in, the record field it is marked in, and the key of the QSO file
// that finds earlier QSOs with the value.
//
//   Option  Kind          Value                                  Key per band / once
//   2       DXCC          Prefix (3: "DL" counts too; 9: "EU"    10 / 5
//                         prefixes only)
//   12      US state      Kenner (only with EvaluationKind 0)    25
//   15      postcode area Kenner                                 25 / 26
//   16      member number first 6 characters of Call2; once for  20 (code f: 27 per band)
//                         all bands except for code f
//   19      Naval / QCWA  Call2, once for all bands              20
//   4 8 17  DOK/area/LDK  DOK + DOK2 passing the DOK-value test  21 / 18
//   18      district      first letter of a district DOK         21 / 18
//   5       locator       first 4 characters of Locator          23 / 3
//   10      listed call   the home call (CallList empty or       9 / 6
//                         holding it)
// The kinds are evaluated in this order.
//
// A value counts once per "unit": the value together with its scope (the band letter; the
// band letter and the mode group for EvaluationKind 2; nothing when it counts once for the
// whole contest). The first QSO of a unit makes it a new multiplier.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_definition.h"
#include "datafiles/qso_record.h"

namespace tarvik {

enum class MultKind : int {
  kDxcc,
  kUsState,
  kPostcode,
  kMember,
  kClubMember,
  kDok,
  kDistrict,
  kLocator,
  kCallMulti,
};
inline constexpr int kMultKinds = 9;

/// The kinds in evaluation order.
inline constexpr std::array<MultKind, kMultKinds> kAllMultKinds = {
    MultKind::kDxcc,     MultKind::kUsState,    MultKind::kPostcode,
    MultKind::kMember,   MultKind::kClubMember, MultKind::kDok,
    MultKind::kDistrict, MultKind::kLocator,    MultKind::kCallMulti};

/// A multiplier unit: a value and the scope in which it counts once.
struct MultUnit {
  std::string scope; ///< "", a band letter, or a band letter and a mode group
  std::string value;
  bool empty() const { return value.empty(); }
  friend bool operator==(const MultUnit&, const MultUnit&) = default;
};

/// Where earlier QSOs with a unit are found: the entries of `key` whose key text begins
/// with `prefix`.
struct MultSearch {
  int key = 0;
  std::string prefix;
};

/// True for a band-change marker record (QSYBand set and not a blank): not a QSO.
bool IsMarkerRecord(const QsoRecord& record);

class MultiplierRules {
public:
  /// `ownFromDistrictU`: the header's yes/no answer (code 'U': the own station is from
  /// district U).
  MultiplierRules(const ContestDefinition& definition, char contestCode,
                  bool ownFromDistrictU = false);

  char Code() const { return code_; }
  std::uint8_t EvaluationKind() const { return evaluationKind_; }
  /// The kinds the contest counts, in evaluation order.
  const std::vector<MultKind>& ActiveKinds() const { return active_; }
  bool Active(MultKind kind) const;
  bool HasMultipliers() const { return !active_.empty(); }

  /// False for a marker record and, with a required text, for a QSO whose received report
  /// does not hold it (for "Naval": whose received exchange is not empty and begins with a
  /// digit). Such a QSO gives no multiplier value.
  bool Qualifies(const QsoRecord& record) const;

  /// The value the QSO gives `kind`, "" when none (inactive kind, QSO that does not
  /// qualify, empty field, value test failed).
  std::string Value(MultKind kind, const QsoRecord& record) const;
  /// The unit of the QSO's value (empty value: no unit).
  MultUnit Unit(MultKind kind, const QsoRecord& record) const;
  /// True when the kind's values count once for the whole contest (empty scope).
  bool CountsOnce(MultKind kind) const;

  /// Weight of a new value (code '2' DOK "WN" 6 ...; 1 for all others).
  int Weight(MultKind kind, std::string_view value) const;
  /// Slot of the per-band arrays a new value of a QSO on `band` is counted in: 1 for
  /// EvaluationKind 1 (and for locators and listed calls with EvaluationKind 2), else the
  /// band letter.
  int Slot(MultKind kind, char band) const;
  /// Code 'L': every QSO with a DOK value is a new DOK multiplier.
  bool AlwaysNew(MultKind kind) const;

  /// The multiplier columns (1..3) whose label names the kind: the value of a new
  /// multiplier is written into their marks (MultMark1, MultMark2, Call2).
  const std::vector<int>& MarkColumns(MultKind kind) const {
    return markColumns_[static_cast<std::size_t>(kind)];
  }
  /// The column (1..3) whose per-column count a kind's multipliers add to: the first column
  /// that names the kind, column 1 for a kind no column names.
  int CountColumn(MultKind kind) const;

  /// The key search that finds earlier QSOs that may hold `unit`.
  MultSearch Search(MultKind kind, const QsoRecord& record, const MultUnit& unit) const;

  /// DOK-value test of kinds 4, 8, 17.
  bool DokValueAccepted(std::string_view dok) const;
  /// District test of kind 18.
  bool DistrictAccepted(std::string_view dok) const;

private:
  ContestDefinition def_;
  char code_;
  bool ownFromDistrictU_;
  std::uint8_t evaluationKind_;
  std::vector<MultKind> active_;
  std::array<std::vector<int>, kMultKinds> markColumns_;
  std::vector<std::string> dokList_;
  std::vector<std::string> callList_;
};

} // namespace tarvik
