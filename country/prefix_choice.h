#pragma once
// The model of the prefix choice window "Auswahl DXCC": when one prefix has several entries
// in KXPREFIX (area numbers 1, 2, ...) and the ambiguity option is on, the person picks the
// entity. The model lists the candidates as they stand at the QSO date, keeps the marked
// row, and on OK puts the chosen entry into the lookup's prefix buffer and remembers the
// choice for the call in KXPREFEE. The window only draws the texts and rows and forwards
// clicks, arrow keys, double clicks, OK and cancel.

#include <string>
#include <string_view>
#include <vector>

#include "country/prefix_lookup.h"

namespace tarvik {

/// One candidate as the table shows it.
struct PrefixChoiceRow {
  int number = 0;                 ///< 1..30 ("Nr", shown with the picture "##")
  std::string dxcc;               ///< "DXCC": the DXCC prefix
  std::string cqZone;             ///< "CQ"
  std::string ituZone;            ///< "ITU"
  std::string country;            ///< "Land" ("not current" before the entry's valid-from date)
  std::string remark;             ///< "Bemerkung" (field 62), "  (deleted)" appended when invalid
  PrefixLookup::Entry181 entry{}; ///< the entry resolved at the QSO date (what OK takes)
};

class PrefixChoice {
public:
  static constexpr int kMaxRows = 30;
  /// Column positions of "Nr", "DXCC", "CQ", "ITU", "Land", "Bemerkung", in widths of the
  /// digit "8"; the window is kWidthInDigits such widths plus 20 pixels wide.
  static constexpr int kColumns[6] = {2, 6, 14, 17, 21, 46};
  static constexpr int kWidthInDigits = 30;

  /// Lists the KXPREFIX entries of `prefix` (key 3, in area-number order, at most 30), each
  /// resolved at `date` (0 or less: today UTC): before its valid-from date the country reads
  /// "not current"; else a second former prefix or a former prefix whose change date is not
  /// before the date is looked up (with the lookup when it contains "RA", otherwise as a
  /// DXCC prefix by key 2), else an alias; a found entry replaces the row's data. An entry
  /// not valid at the date gets "  (deleted)" after its remark.
  /// `call` is the QSO's call, or "" when a prefix alone is being assigned.
  /// REQUIRES: `lookup` outlives the object. Leaves the lookup's prefix buffer as it was.
  PrefixChoice(PrefixLookup& lookup, std::string_view prefix, DayNumber date,
               std::string_view call = {});

  // --- Texts of the window (Windows-1252) ---------------------------------------------
  static std::string Caption(); ///< "Auswahl DXCC"
  bool ForQso() const { return !call_.empty(); }
  /// The two lines at the top: for a QSO "Für das aktuelle Rufzeichen ..." / "... dem QSO
  /// ein DXCC zugeordnet.", for a prefix "Für den Präfix ..." / "... dem Präfix ein DXCC
  /// zugeordnet.".
  std::vector<std::string> IntroLines() const;
  /// For a QSO: "QSO:" (the window shows the call and date after it in bold).
  static std::string QsoLabel();
  const std::string& Call() const { return call_; }
  const std::string& Prefix() const { return prefix_; }
  DayNumber Date() const { return date_; }
  /// The QSO date as "dd.mm.yyyy".
  std::string DateText() const;
  /// A further text the caller hands over, shown below the prefix.
  const std::string& Note() const { return note_; }
  void SetNote(std::string note) { note_ = std::move(note); }
  /// The hint at the bottom, two parts: "Sie können auch die Pfeiltasten " and "<hoch> und
  /// <runter> nutzen.".
  static std::vector<std::string> HintParts();
  static std::string TakeCaption();   ///< "Übernehmen"
  static std::string CancelCaption(); ///< "Abbrechen"

  // --- Rows and selection -------------------------------------------------------------
  const std::vector<PrefixChoiceRow>& Rows() const { return rows_; }
  /// The marked row (0-based), -1 when none is marked.
  int Marked() const { return marked_; }
  /// Marks row `row` (a click); out-of-range rows are ignored.
  void Mark(int row);
  /// Arrow Down / Up: the next / previous row, wrapping at the ends; with no mark, the
  /// first / last row.
  void MarkNext();
  void MarkPrevious();
  /// "Übernehmen" is enabled (and the default button) once a row is marked.
  bool CanTake() const { return marked_ >= 0; }

  /// OK (double click or "Übernehmen"): the marked row's entry becomes the lookup's prefix
  /// buffer. For a QSO whose call decides its own country (the lookup text is the home call,
  /// 4 to 6 characters) and when KXPREFEE is open, a copy of the entry with the call as its
  /// prefix and whole-call matching is added there unless the call has one, so later
  /// lookups of the call take it at once. False (nothing changed) when no row is marked.
  [[nodiscard]] bool Take();
  /// Cancel ("Abbrechen", Esc): the lookup's prefix buffer is cleared.
  void Cancel();
  bool Taken() const { return taken_; }
  /// The entry taken by Take().
  const PrefixLookup::Entry181& Result() const { return result_; }
  /// Whether Take() added an exception entry for the call.
  bool AddedException() const { return addedException_; }

private:
  void BuildRows();
  PrefixChoiceRow RowFor(const PrefixLookup::Entry181& entry, int number);

  PrefixLookup& lookup_;
  std::string prefix_;
  DayNumber date_;
  std::string call_;
  std::string note_;
  std::vector<PrefixChoiceRow> rows_;
  int marked_ = -1;
  bool taken_ = false;
  bool addedException_ = false;
  PrefixLookup::Entry181 result_{};
};

} // namespace tarvik
