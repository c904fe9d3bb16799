#pragma once
// The output menu of the contest header window ("Drucken / E-Log"): its items in order, their
// captions, the output kind each hands to the output run, which are enabled for the contest,
// and where separator lines stand.

#include <string>
#include <vector>

#include "contest/contest_definition.h"

namespace tarvik {

struct OutputMenuItem {
  std::string name;    ///< the item's name in the window ("DruckSTF" ...)
  std::string caption; ///< as shown
  int kind = 0;        ///< output kind for the output run; 0: the item has no output
  bool enabled = false;
  bool separatorAfter = false;
  friend bool operator==(const OutputMenuItem&, const OutputMenuItem&) = default;
};

/// The menu for a contest. CSV and "E-Log Gesamtdatei" are always enabled, Cabrillo never;
/// the others as the definition's Outputs say. Disabled STF and EDI items lose their
/// "(empfohlen)". "E-Log Gesamtdatei" runs kind 9 (the STF file) for codes 5 and P.
std::vector<OutputMenuItem> HeaderOutputMenu(const ContestDefinition& definition, char contestCode);

} // namespace tarvik
