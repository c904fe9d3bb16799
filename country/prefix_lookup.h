#pragma once
// Prefix and country lookup: which entry of the prefix tables (country, DXCC prefix, zones,
// continent, entity number) a call belongs to at the date of a QSO, and the DXCC entity
// number of a DXCC prefix.
//
// The tables (prefix_record.h has the record layout):
//   KXPREFIX  the main table: one entry per prefix, found by the longest beginning of the
//             call that matches an entry. An entry may cover a range of last characters
//             (range end character), end in a wildcard ("#", "?" or "~", all alike: any
//             character in that position), carry an area number (several entries for one
//             prefix, see PrefixChoice), be valid only from/to a date, stand for another
//             prefix before a change date, or be an alias of another entry.
//   KXPREFEE  exceptions checked first: whole calls (and, with match kind "J", every call
//   KXPREFES  that begins with the entry's prefix). Either may be missing.
//
// Every lookup is a handful of key searches; nothing here walks a table, so a lookup can
// run on every keystroke in the call field.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/dates.h"
#include "datafiles/prefix_record.h"

namespace tarvik {

class Fileblock;
class PrefixChoice;

/// Results of LookUpPrefix.
inline constexpr int kPrefixFound = 0;
/// No entry matches, a redirection leads nowhere, redirections nest more than 5 deep, or
/// the person cancelled the prefix choice.
inline constexpr int kPrefixNotFound = 1;
/// An entry matches, but it is not valid at the QSO date (valid-from after it or valid-to
/// before it). The entry is in the prefix buffer all the same.
inline constexpr int kPrefixNotValid = 2;

/// How many redirections (former prefix, second former prefix, alias) a lookup follows.
inline constexpr int kMaxPrefixRedirections = 5;

/// The three prefix tables. `main` is needed for every lookup; a missing exception table
/// is passed over. Not owned.
struct PrefixTables {
  Fileblock* main = nullptr;            ///< KXPREFIX
  Fileblock* callExceptions = nullptr;  ///< KXPREFEE (also receives the choices made for calls)
  Fileblock* startExceptions = nullptr; ///< KXPREFES
};

/// Opens KXPREFIX, KXPREFEE and KXPREFES with their open routines (creating missing files).
/// A table that cannot be opened stays nullptr (the error is in the error channel).
PrefixTables OpenPrefixTables();
/// Closes what OpenPrefixTables opened and sets the pointers to nullptr.
void ClosePrefixTables(PrefixTables& tables);

/// The family's ambiguity option: when on, a prefix with several entries (area numbers)
/// lets the person choose (PrefixChoice); when off, the entry with area number 1 is taken.
/// Process-wide, off until the setup is loaded.
bool PrefixAmbiguityOption();
void SetPrefixAmbiguityOption(bool on);

/// Shows the prefix choice to the person and lets them pick a row: returns true when
/// PrefixChoice::Take() succeeded (OK), false for cancel. The window installs one that
/// runs the modal "Auswahl DXCC" window over the model; tests install scripted ones.
using PrefixChooser = std::function<bool(PrefixChoice& choice)>;

/// The text by which a call is looked up: the call upper-cased and reduced by BaseCall to
/// the part that decides its country (W9QQQ/KH6 -> KH6, DL9QQQ/2 -> DL2, PA/DL9QQQ/P -> PA),
/// or to its home call when that decides (DL9QQQ/P -> DL9QQQ); designator calls stay whole
/// (FO5QQ/M). Blanks at both ends are removed first.
std::string PrefixLookupText(std::string_view call);

/// One prefix lookup context over the prefix tables, with its own prefix buffer (the entry
/// found last). Cheap to construct; not thread-safe (like the tables themselves).
class PrefixLookup {
public:
  /// REQUIRES: the fileblocks of `tables` stay open while this object is used. "Today" for
  /// a date of 0 comes from `clock` (UTC, see date_time.h); `clock` must outlive the object.
  explicit PrefixLookup(PrefixTables tables, const Clock& clock = ProcessClock());

  /// Finds the entry for `call` at the QSO date `date` (0 or less: today's UTC date) and
  /// leaves it in the prefix buffer. Returns kPrefixFound, kPrefixNotFound (buffer cleared)
  /// or kPrefixNotValid (entry in the buffer).
  ///
  /// `call` is the call as typed; it is reduced with PrefixLookupText. Then:
  ///  1. KXPREFEE, then KXPREFES: the whole text and ever shorter beginnings of it; an entry
  ///     whose prefix equals the whole text, or with match kind "J" one that the text begins
  ///     with, is taken as it is (no dates, no adjustment): kPrefixFound.
  ///  2. A designator call (FO5QQ/M, 3D2AB/R, GM3AB/SH) becomes pair beginning + "/" +
  ///     designator (FO/M).
  ///  3. Longest match in KXPREFIX: the text and ever shorter beginnings of it, each tried
  ///     as the exact prefix, as a prefix of the same length whose range covers its last
  ///     character, and with a wildcard in its last position.
  ///  4. The entry is resolved at the date: several entries of one prefix (area numbers):
  ///     area 1, or the person's choice when the ambiguity option is on and a chooser is
  ///     installed; a second former prefix whose change date is not before the QSO date,
  ///     else a former prefix likewise (a former "RA" takes the text's third character when
  ///     that is a digit: RA9), is looked up instead; validity; an alias prefix is looked
  ///     up as an exact entry, keeping the prefix text of the first entry.
  ///  5. The prefix in the buffer is adjusted to the call: a trailing "-" goes, a wildcard
  ///     takes the call's character, and a prefix of one or two letters gets the call's
  ///     digit after them (DL for DL1QQ reads DL1).
  /// `forQso`: the lookup is for the call of a QSO, so a choice made by the person is
  /// remembered for the call in KXPREFEE (see PrefixChoice::Take).
  [[nodiscard]] int LookUpPrefix(std::string_view call, DayNumber date, bool forQso = true);

  /// The entity number of a DXCC prefix (such as a QSO's Prefix) as text formatted with
  /// the picture "###" (right-aligned in three positions: " 12", "230"), or "" when
  /// unknown. Blanks and tabs at both ends are ignored. Special prefixes (3D2C, FO0, RA890
  /// ...) and the entity table answer first, unless, for a special prefix, the prefix
  /// tables know the text: then the entry found by key 2 (DXCC prefix + prefix; KXPREFEE,
  /// KXPREFES, KXPREFIX exactly, then KXPREFIX, KXPREFEE, KXPREFES by DXCC prefix alone)
  /// gives the number and is left in the prefix buffer.
  std::string DxccNumber(std::string_view prefix);

  /// The prefix buffer: the entry of the last successful lookup (all zero after a failed
  /// one). Valid until the next lookup.
  PrefixRecord Entry() const { return PrefixRecord(buffer_.data()); }
  const char* Buffer() const { return buffer_.data(); }

  /// True when the last LookUpPrefix took its entry from the person's choice.
  bool ChosenByPerson() const { return chosen_; }

  /// Installs the chooser used when the ambiguity option is on (empty: area 1 is taken
  /// as with the option off).
  void SetChooser(PrefixChooser chooser) { chooser_ = std::move(chooser); }

  const PrefixTables& Tables() const { return tables_; }
  const Clock& GetClock() const { return clock_; }

  using Entry181 = std::array<char, PrefixRecord::kLength>;

private:
  friend class PrefixChoice;

  struct Match {
    Entry181 entry{};
    bool byArea = false;   // the text named the area ("KC6-2")
    std::string rangeText; // the text a range entry was matched for ("DL" by DA..DR)
  };
  struct Context {
    std::string typed; // the call as handed in
    std::string text;  // the text looked up (PrefixLookupText, designator pairs joined)
    DayNumber date = 0;
    bool forQso = true;
    bool mayAsk = true;
  };

  [[nodiscard]] int LookUp(Context ctx, Entry181* entry);
  /// A prefix text (not a call) looked up without asking and without touching the buffer.
  [[nodiscard]] int LookUpPrefixText(std::string_view prefix, DayNumber date, Entry181* entry);
  [[nodiscard]] bool FindException(Fileblock* table, const std::string& text, Entry181* entry);
  [[nodiscard]] bool LongestMatch(const std::string& text, Match* match);
  [[nodiscard]] bool MatchText(const std::string& text, Match* match);
  [[nodiscard]] bool MatchRange(const std::string& text, bool below, Entry181* entry);
  [[nodiscard]] int LookUpRedirect(const std::string& text, const Context& ctx, int depth,
                                   Entry181* entry);
  [[nodiscard]] int Resolve(Match match, const Context& ctx, int depth, Entry181* entry);
  [[nodiscard]] int Choose(const Entry181& entry, const Context& ctx, Entry181* result);
  [[nodiscard]] bool FindByDxccPrefix(std::string_view text, Entry181* entry);
  [[nodiscard]] bool Read(Fileblock* table, int key, std::string_view keyString, bool search,
                          Entry181* out);

  PrefixTables tables_;
  const Clock& clock_;
  PrefixChooser chooser_;
  Entry181 buffer_{};
  bool chosen_ = false;
};

/// Adjusts an entry's prefix to the call it was found for (step 5 of LookUpPrefix).
std::string AdjustPrefixToCall(std::string_view prefix, std::string_view call);

} // namespace tarvik
