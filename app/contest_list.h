#pragma once
// The main window's contest list: what its rows and title line say, its sort choices and
// key ranges, the quick search, and the actions on a contest ("Neu", "Starten", the internal
// "Start" and "Löschen").
//
// The list browses the contest header file KXKK by key 1 (code + name) or key 2 (code + start
// date), both limited to the chosen contest's code, so that the contests of the family's other
// tools, stored in the same file, never appear.
//
// A contest is its header record (KXKK), its extension record (KXKZ, same contest number) and
// its QSO log KXLK<nnnn>. Every action reads the cursor row's header first (the grid's record
// buffer holds whichever record was read last) and finds it again by its number (key 3)
// before it writes or deletes anything, because a repaint during a question may read other
// rows into the buffer.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "base/user_dialogs.h"
#include "contest/contest_definition.h"
#include "datafiles/contest_log_files.h"
#include "datafiles/contest_records.h"
#include "outputs/header_form.h"

namespace tarvik {

class BrowseGridModel;
class ProgramSession;

/// The sort choices in the order of the sort list: "Name", "Datum" ("Date").
std::vector<std::string> ContestListSortChoices();
/// Sort choice i uses key i + 1 with the contest code as low and high key; 0 for other i.
int ContestListSortKey(int index, char contestCode, std::string* lowKey, std::string* highKey);

/// The text of a row (a leading blank, columns separated by ";"): by name: name, start date,
/// end date; by date: start date, name, end date; by number: number, start date, name, end
/// date. Name = the contest name and a blank; a date column = the date in the setup's date
/// format and three blanks (blanks for a missing date); number = "######" and a blank.
std::string ContestListRowText(const ContestHeaderRecord& header, int key);
/// The title line in the order of the row's columns, padded to their widths, starting with a
/// blank and followed by 200 blanks.
std::string ContestListTitleLine(int key);
/// The caption of the sort column: "Name", "Datum" ("Date"), "interne Nummer" ("internal
/// number").
std::string ContestListSortCaption(int key);
/// The key string the quick search looks for: the contest code in front of the typed text,
/// because every key of the list starts with it.
std::string ContestListSearchKey(std::string_view typed, char contestCode);
/// "Eintrag <name> löschen?", with "Eintrag " and the name cut at 33 characters and the whole
/// question at 42.
std::string ContestDeleteQuestion(std::string_view contestName);

/// The windows the actions open (the main window implements it).
class ContestWindows {
public:
  virtual ~ContestWindows() = default;
  /// The header window for the header in the header buffer; true when the person asked to
  /// start the contest.
  [[nodiscard]] virtual bool OpenHeaderWindow(HeaderWindowMode mode) = 0;
  /// The log window of a contest with a copy of the definition; returns when it is closed.
  virtual void OpenLogWindow(int contestNumber, const ContestDefinition& definition) = 0;
};

/// The version reminder of "Neu".
std::string VersionReminder();
/// Code Q's note of "Neu".
std::string SeparateLogsNote();
/// The message when the header and extension records could not be written back after the
/// log window.
std::string ContestNotSavedMessage();

class ContestListActions {
public:
  ContestListActions(ProgramSession& session, BrowseGridModel& grid, ContestWindows& windows);

  /// Refreshes the own call label (after "Neu" and "Starten").
  std::function<void()> onOwnCallChanged;

  /// Assigns the grid's events for the contest list: row texts, title line, the two sort
  /// choices, the quick search, "Starten" on double click and Enter, and "Löschen" on Del
  /// (in place of the grid's own delete, which would leave the extension record behind).
  void ConnectGrid();
  /// Binds the grid to the header file, key 1, limited to the chosen contest's code. False after
  /// the grid's error (BrowseGridModel::InitError).
  [[nodiscard]] bool InitList();
  /// After a switch of the program's contest: the list shows the contests of the new code,
  /// standing on the first one.
  void FollowContestCode();

  /// A new contest: today's start date, the version reminder, the header window for a new
  /// contest; the list then stands on the contest the window added, and when asked, Start
  /// opens its log.
  void Neu();
  /// The cursor row's contest: its extension record, the definition for its category, the
  /// header window and, when asked, Start and the header window for review.
  void Starten();
  /// The log window of the cursor row's contest; header and extension are written back.
  void Start();
  /// Deletes the cursor row's contest after the question: its extension and header records;
  /// its QSO log files are moved aside (DeletedLogName) so that a later contest with the same
  /// number starts with an empty log. A log that cannot be opened prevents the deletion.
  void Loeschen();

  /// Finds the extension record of `contestNumber`, adding an empty one with that number when
  /// there is none. True when it exists afterwards.
  [[nodiscard]] bool EnsureExtensionRecord(std::int32_t contestNumber);

private:
  [[nodiscard]] bool ReadCursorContest(std::int32_t* number);
  [[nodiscard]] bool FindHeader(std::int32_t number);
  void StartContest(std::int32_t number);
  void ShowContest(std::int32_t number);

  ProgramSession& session_;
  BrowseGridModel& grid_;
  ContestWindows& windows_;
};

} // namespace tarvik
