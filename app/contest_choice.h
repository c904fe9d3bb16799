#pragma once
// The list of the main window's "Contest wählen": one row per contest the program can be
// switched to (the 44 codes of the catalog without those of the family's other tools), with
// its name, code, next period and whether its rules are at hand, and the quick search over it.

#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"

namespace tarvik {

struct ContestChoiceRow {
  char code = '\0';
  std::string name;       ///< the contest's title (catalog)
  std::string nextPeriod; ///< "13.06.2026 - 14.06.2026 (2. Samstag im Juni)", "" for none
  std::string rules;      ///< "Ausschreibung (RTF)", "Internet", "keine"
};

/// The rows in the catalog's order; `today` decides the next periods.
std::vector<ContestChoiceRow> ContestChoiceRows(DayNumber today);

/// The next period of a code as the list shows it: the dates (one date for a one-day period),
/// then the rule in brackets; "heute" ("today") for the codes that preset today; "" for a
/// contest without a date.
std::string NextPeriodText(char code, DayNumber today);

/// Whether a row is found by the quick search text: the name contains it (letter case and
/// blanks at either end ignored), or it is the row's code; the empty text finds every row.
bool ContestChoiceMatches(const ContestChoiceRow& row, std::string_view typed);

/// The row the quick search stands on: the row whose code is the text, else the first whose
/// name begins with it, else the first found by ContestChoiceMatches; -1 when none is.
[[nodiscard]] int ContestChoiceBestRow(const std::vector<ContestChoiceRow>& rows,
                                       std::string_view typed);

/// The caption of the choice's window and of the main window's button: "Contest wählen"
/// ("Choose contest").
std::string ContestChoiceCaption();

/// The window title of the main window for a code: "Bridlow " and the code's program title.
std::string MainWindowCaption(char code);

} // namespace tarvik
