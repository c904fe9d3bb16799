#pragma once
// The contest header window's model (ContestHeaderWindow without widgets): it opens a new or an
// existing contest header, holds the form's texts and states, runs the category choice with
// its silent save and period texts, the save sequence with every check and message in its
// order, the per-code extras, the member-number lookup, and gives the evaluation panel and
// the output menu. The window copies texts between its widgets and `form` and forwards its
// events here.
//
// The model works on its own copies of the header and extension records, taken from the
// session's buffers when it opens (an existing header must be in the header buffer, as
// "Starten" leaves it). It writes them through the session's header and extension files
// when it saves, and leaves the saved records in the session's buffers afterwards.
//
// Saving, in this order (a check is skipped in the silent save of a category click; a failed
// check shows its message, marks its control and ends the save with nothing written):
//    1 name                         "Eingabe eines Contest-Namens notwendig."
//    2 postcode                     "Angabe der Postleitzahl und des Ortes notwendig."
//    3 own locator, when a sent element is a locator
//                                   "Angabe des Standortlocators notwendig."
//    4 own call and DOK (or LDK) taken
//    5 DOK contests without a DOK   question "Kein DOK angegeben. Trotzdem weiter?"
//    6 LDK contests without an LDK  question "Kein LDK angegeben. Trotzdem weiter?"
//    7 own call or SWL number       "Eingabe des Rufzeichens notwendig."
//    8 period: start and end date   "Eingabe eines Contest-Datums notwendig."
//    9 clock choice                 "Es wurde nicht bestimmt, ob der Computer mit Ortszeit
//                                   läuft."
//   10 automatic settings, RST, QSL defaults taken
//   11 category                     "Sie haben keine Teilnahmeart angegeben."
//   12 UTC correction (0 for UTC, else the contest's offset)
//   13 start mode
//   14 station address into the setup record
//   15 "Drucken / E-Log" only: "Die Adress-Angaben sind nicht vollständig." (goes on)
//   16 per-code extras (contest/header_extras.h)
//   17 header and extension written (a new contest is added; old QSO files that still
//      carry its number are moved aside before anything else is written, and when they
//      cannot be, the contest is taken out again and a message names the files)
//   18 storage failure: "Fehler bei Dateneingabe. Datensatz evtl. schon vorhanden."
//   19 codes b and j: the station description file
//   20 the contest definition rebuilt for the stored category

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "contest/contest_definition.h"
#include "contest/evaluation_panel.h"
#include "contest/header_extras.h"
#include "datafiles/contest_record_store.h"
#include "datafiles/contest_records.h"
#include "outputs/header_form.h"
#include "outputs/header_output_menu.h"

namespace tarvik {

class ContestSession;

/// The window caption: the contest name in double quotes, then two blanks and
/// "Contest-Konfiguration"; only the quoted name in review mode.
std::string HeaderWindowCaption(const std::string& contestName, bool fromLogWindow);

/// The question of Esc.
std::string ApplyChangesQuestion();

class ContestHeaderModel {
public:
  /// What started a save.
  enum class SaveTrigger {
    kStart,  ///< "Contest starten"
    kFinish, ///< "Beenden" (and Esc answered with Yes)
    kPrint,  ///< "Drucken / E-Log": also warns about an incomplete address
    kSilent, ///< a category click: no check, no message
  };

  /// `session` must outlive the model; its files must be open. `contestCode`: the program's chosen
  /// one.
  ContestHeaderModel(ContestSession& session, HeaderWindowMode mode, char contestCode);

  /// The opening steps: a new header is prepared (an existing one taken from the header
  /// buffer), the definition built for its category, the period defaults filled in, and the
  /// form, the category list, the modes, the address and the extras shown.
  void Open();

  /// The form's texts and states; the window writes what the person typed here.
  HeaderForm form;
  const HeaderView& View() const { return view_; }
  EvaluationPanel Evaluation() const;
  std::vector<OutputMenuItem> OutputMenu() const;
  const ContestDefinition& Definition() const;
  char ContestCode() const { return code_; }
  bool IsExisting() const { return isExisting_; }
  bool FromLogWindow() const { return view_.fromLogWindow; }

  // --- events of the form ------------------------------------------------------------
  /// A category of the group was clicked: the header is saved silently, the definition
  /// rebuilt for it, the modes enabled for it and its period put into the period fields
  /// (fields edited by hand keep their texts).
  void CategoryClicked(int number);
  /// A period field got the focus (its text is remembered).
  void PeriodFieldEntered(PeriodField field);
  /// A period field lost the focus: its text is completed; a text other than the one it had
  /// on entry marks the field as edited.
  void PeriodFieldLeft(PeriodField field);
  /// eCall was left: contests that keep their members in the call list (codes 7 and f)
  /// look up the member number of a new contest.
  void CallLeft();
  /// eDOK changed: a contest whose question the own DOK answers (code U) answers it.
  void DokChanged();
  /// True when the own DOK answers the extra's yes/no question (DokChanged has work).
  bool DokAnswersQuestion() const { return extra_.questionAnsweredByDistrictUDok; }
  /// The person typed into a control or chose in a group: its light red goes.
  void ControlEdited(HeaderControl control);

  // --- buttons and keys ----------------------------------------------------------------
  /// "Contest starten": true when the window closes (and the contest starts).
  [[nodiscard]] bool StartClicked();
  /// "Beenden": true when the window closes.
  [[nodiscard]] bool FinishClicked();
  /// Esc: "Änderungen übernehmen?" Yes acts as "Beenden", No closes without saving. True
  /// when the window closes.
  [[nodiscard]] bool EscapePressed();
  /// "Drucken / E-Log": saves with the address warning; the menu is shown afterwards
  /// whether or not the save passed.
  void PrintClicked();
  /// An item of the output menu: the output run for its kind, over the header as saved.
  void OutputChosen(int kind);
  /// The output run the menu calls (RunOutput of outputs/output_run.h unless replaced).
  std::function<void(int kind)> runOutput;

  /// The save sequence. True when the header was written.
  [[nodiscard]] bool Save(SaveTrigger trigger);

  // --- marks ---------------------------------------------------------------------------
  /// Controls coloured light red.
  const std::set<HeaderControl>& Marked() const { return marked_; }
  bool IsMarked(HeaderControl control) const { return marked_.count(control) != 0; }
  /// The control the last check asked to focus (kNone when none); taken by TakeFocus.
  HeaderControl TakeFocusRequest();

  /// The window's copies of the records.
  ContestHeaderRecord Header() { return records_.Header(); }
  ContestHeaderRecord Header() const { return records_.Header(); }
  ContestExtensionRecord Extension() { return records_.Extension(); }

private:
  bool UsesLdk() const;
  bool SendsLocator() const;
  void Rebuild();
  void FillDefaultPeriod();
  void FillForm();
  void FillCategories();
  void UpdateModes();
  void UpdateBandNames();
  void ReadAddress();
  [[nodiscard]] bool WriteAddress();
  /// Result of WriteRecords.
  enum class RecordsWrite {
    kWritten,
    kFailed,  ///< a storage operation failed
    kRefused, ///< a new contest was not added: QSO files of its number could not be moved
  };
  /// Step 17. For kRefused `*refusal` gets the message naming the files.
  [[nodiscard]] RecordsWrite WriteRecords(std::string* refusal);
  void PutRecordsIntoBuffers();
  bool Fail(HeaderControl control, const std::string& message);
  std::string& PeriodText(PeriodField field);

  ContestSession& session_;
  const char code_;
  const HeaderExtra& extra_;
  bool isExisting_;
  HeaderView view_;
  ContestRecords records_;
  std::set<HeaderControl> marked_;
  HeaderControl focus_ = HeaderControl::kNone;
  std::string entered_[4]; ///< period texts when their fields were entered
};

} // namespace tarvik
