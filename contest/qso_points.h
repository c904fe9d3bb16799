#pragma once
// Points of one QSO by the contest code. Every code's rule is one branch of QsoPoints; the
// values a rule reads come from the QSO record, the contest header (PointContext) and the
// contest definition. A code without a rule of its own gives 2.
//
// Terms of the rules:
//   short call      fewer than 3 characters (only while typing; such a QSO is never stored)
//   club station    IsClubStation
//   district DOK    a letter and two digits
//   own DOK         the QSO's DOK equals the header's own DOK; false while the header has
//                   no own DOK (an entrant without DOK would otherwise score nothing for
//                   every QSO without DOK)
//   listed DOK      one of the entries of SpecialDokList (code 'Y': DokList)
//   letter district a district DOK whose letter is one of the definition's HomeDistrict
//   square distance 1 + the larger of the longitude and latitude differences of own and
//                   QSO locator in squares (field letter x 10 + square digit), 0 when either
//                   has fewer than 4 characters
//   first own-DOK   the first QSO of the log in DOK order (key 18) with the own DOK; a QSO
//                   not yet stored is first when no stored QSO has that DOK

#include <cstdint>
#include <string>

#include "contest/contest_definition.h"
#include "datafiles/qso_record.h"

namespace tarvik {

class Fileblock;

struct PointContext {
  char code = 0;
  const ContestDefinition* definition = nullptr; ///< REQUIRED
  int category = 0;                              ///< the header's category, 1-based
  std::string ownDok;                            ///< the header's own DOK
  std::string ownLocator;                        ///< the header's own locator
  bool yesNoAnswer = false;                      ///< the header's yes/no answer
  Fileblock* log = nullptr; ///< the QSO file (codes 'K' and 'R'); nullptr: no stored QSO
};

/// The points of `record`. `storedRecord` is the QSO's record number when it is stored
/// (0 for the QSO being entered). Never negative; may exceed the 16-bit field (see
/// StoredPoints).
int QsoPoints(const QsoRecord& record, const PointContext& context, std::int32_t storedRecord = 0);

/// Points as the 16-bit Punkte field holds them: cut to 0..65535.
std::uint16_t StoredPoints(int points);

/// Square distance between two locators (0 when either has fewer than 4 characters or is
/// not a locator).
int SquareDistance(std::string_view ownLocator, std::string_view locator);

} // namespace tarvik
