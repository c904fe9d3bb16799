#pragma once
// The contest catalog: every contest this program knows, keyed by its one-character contest
// code, and the builder of the contest definition for a code and the chosen category.
//
// Layout of the catalog data (contest_catalog.cpp):
//   - identity table: title label, logo bitmap and rules document of every code;
//   - definition table: one row per code with the scalar values of its definition
//     (modes, bands, exchange kinds, multiplier labels, duplicate rule, options,
//     evaluation kind, UTC offset, name, default period, districts, outputs, sent presets
//     and the header's extended-statistics flag);
//   - per-code lists and category adjustments: one row per code in contest_code_tables.cpp
//     (time blocks, categories, call and DOK lists, and what each category replaces), read
//     by FillCodeLists and ApplyCategoryAdjustments (contest_code_lists.h) after the scalar
//     values are set.
// Everything that differs between contests is a row of these tables; there is no class per
// contest.

#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/user_dialogs.h"
#include "contest/contest_definition.h"

namespace tarvik {

/// The contest code a fresh data directory starts with (the program's first contest); the
/// main window switches to any code of ChoosableContestCodes at run time.
inline constexpr char kDefaultContestCode = '2';

/// Every code of the catalog, including W, M and X, which only mark records of the family's
/// other contest tools.
inline constexpr std::string_view kCatalogCodes = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijkl";

/// True for W, M, X and the zero character: header records of the family's other contest
/// tools, listed but never started or opened here.
bool IsForeignToolCode(char code);

/// True when the catalog holds a definition for `code` (every catalog code but W, M, X).
bool HasContestDefinition(char code);

/// Why the tools refuse to work on contest `contestNumber` of code `code` (its header's
/// contestCode): the record of one of the family's other tools (W, M, X, 0) or an unknown
/// code; "" when the program can run the contest. Terminal text (English).
std::string ContestRefusalText(int contestNumber, char code);

/// The 44 codes the program can be switched to (every catalog code but W, M, X), in the
/// catalog's order.
const std::string& ChoosableContestCodes();

/// The program title of a code's contest ("Tarvik NAC Version 2006-1.0"; code 2's is
/// ProgramTitleOfBuild). "" for a code without a definition.
std::string ContestProgramTitle(char code);

/// The short name of a code's contest ("NAC", "Hessen", code 2's "ZELKA"): the name its
/// program goes by, drawn into a logo of its own where the contest has no logo bitmap. ""
/// for a code without a definition.
std::string ContestShortName(char code);

/// The program title bitmap of a code in the data directory ("titel_tarvik.bmp" for the
/// default contest); "" where the main window draws the title of the contest itself.
std::string ContestTitleBitmap(char code);

/// The default period of a code as the catalog names it: dates "dd.mm.yyyy" and times, ""
/// where it names none; `today` where the dates are today's. nullopt for a code without a
/// definition.
struct CatalogPeriodTexts {
  std::string_view startDate, startTime, endDate, endTime;
  bool today = false;
};
[[nodiscard]] std::optional<CatalogPeriodTexts> CatalogPeriodOf(char code);

/// Title label text, logo bitmap and rules document of a code.
struct ContestIdentity {
  char code;
  const char* title;           ///< shown in the main window; nullptr: label hidden
  const char* logo;            ///< bitmap file in the data directory; nullptr: none
  const char* rulesFile;       ///< RTF file in the data directory; nullptr: rules on the web
  const char* rulesWeb;        ///< organiser's rules page (German); nullptr: rules in a file
  const char* rulesWebEnglish; ///< English rules page where one exists, else nullptr
};

/// The identity of a catalog code, or nullptr for a character that is no catalog code.
[[nodiscard]] const ContestIdentity* FindContestIdentity(char code);

/// The main window's title label: the code's title enclosed in straight double quotes, or
/// "" for a code without a title.
std::string ContestTitleLabel(char code);

/// Where the rules of a code are: an RTF file of the data directory, or a web page opened
/// in the browser (the English page when the language is English and one exists).
struct RulesLocation {
  bool web = false;
  std::string target; ///< file name or address; empty for a character that is no catalog code
};
RulesLocation ContestRules(char code);

/// Title and version of the program of code 2 ("Tarvik Version 2006-1.0").
const std::string& ProgramTitleOfBuild();
/// The fixed notice that follows the program title in ProgramLine and in the main window.
const std::string& ProgramNotice();
/// The program's web address, written after the program title into the first lines of the
/// exported files (STF, ADIF) as their program identification.
const std::string& ProgramHomePage();

/// The print-menu caption of an output bit (namespace output), or "" for an unused bit.
std::string OutputMenuCaption(int bit);

/// The label of the log window's entry field for an exchange kind ("DOK", "LOC", "lfd.Nr.",
/// "Area", "US-State", "PLZ", "LDK", and the club names of the member-number kinds, which
/// depend on the contest code). "" for kinds without a label of their own.
std::string ExchangeKindLabel(int kind, char contestCode);

/// Builds the contest definition of `contestCode` for the header's category:
///  1. everything cleared, Outputs = bits 1..7;
///  2. the scalar values of the code's row (codes without a row keep step 1 only);
///  3. the code's lists and categories (FillCodeLists);
///  4. the sent-element presets of the code from the header and the own locator;
///  5. the category's adjustments (ApplyCategoryAdjustments); category 0 keeps the base;
///  6. the year of the header's start date appended where the name takes it (today's year
///     when the header has no start date yet).
/// Side effects: sets header.extendedStats to 255 for the codes that keep per-band totals in
/// the extension record; code H switches the language flag to English; a category the
/// program does not support (code h, category 6) informs its message through `dialogs` and
/// resets header.category to 0 (the definition keeps that category's values). "Today"
/// comes from `clock`.
/// Never fails.
ContestDefinition BuildContestDefinition(char contestCode, ContestHeaderFields& header,
                                         std::string_view ownLocator, UserDialogs& dialogs,
                                         const Clock& clock = ProcessClock());

} // namespace tarvik
