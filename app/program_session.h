#pragma once
// The program's run from start to end as far as it is not a window: the record-file
// manager, the family setup with the process-wide settings, the current profile, the
// prefix tables and the contest files, the contest definition of the chosen contest code, and the
// orderly close that saves the setup. The main window calls the start steps in its order and
// Close when it closes; everything here is testable without a window.
//
// Start-up (the numbers are the main window's steps):
//   11 StartRecordFiles          the record-file manager; false: the program ends with code 1
//   15-20, 23, 24 OpenFiles      setup, profile, settings, setup 2, prefix tables, contest
//                                files, definition; false when the profiles cannot be opened
// Close:
//    1 the language flag back to the person's choice (a contest code may have forced English)
//    2 the contest extension and header files
//    3 the prefix tables and setup 2
//    4 the settings into the setup record (only when they were loaded at start)
//    5 the profiles, then the record-file manager

#include <string>
#include <utility>

#include "base/clock.h"
#include "base/user_dialogs.h"
#include "contest/contest_catalog.h"
#include "contest/contest_definition.h"
#include "contest/contest_session.h"
#include "country/country_data.h"
#include "datafiles/family_settings.h"

namespace tarvik {

class FileIo;
class Fileblock;

/// Shown when the prefix table holds no record after start: the program still runs.
std::string PrefixTableMissingMessage();

/// "für" ("FOR") before the own call sign.
std::string OwnCallPrefixText();
/// The caption of the menu label that ends the program: "    Beenden" ("    Finish").
std::string FinishMenuText();
/// Code E's advice after the first "Neu" of an empty contest list.
std::string HourlyLogNewAdvice();

/// Code E's advice when the contest header file holds fewer than 3 records.
std::string HourlyLogAdvice();

/// Start with the contest chosen last (ProgramSession's constructor).
inline constexpr char kRememberedContest = '\0';

/// The contest chosen last in the data directory's settings file (TARVIK.INI), or
/// kDefaultContestCode when it names none, names a code the program cannot run, or cannot be
/// read. `io`: nullptr for the real file system.
char RememberedContestCode(FileIo* io = nullptr);

/// The message when the choice of the contest could not be kept in the settings file.
std::string ContestChoiceNotSavedMessage(int osError);

class ProgramSession : public ContestSession {
public:
  /// `dialogs` and `clock` must outlive the session; `io` is the file system of the
  /// record-file manager and of the settings file (nullptr: the real one); `contestCode` is
  /// the contest to start with, kRememberedContest for the one chosen last in the data
  /// directory (RememberedContestCode). A code without a definition starts with the default.
  explicit ProgramSession(UserDialogs& dialogs, const Clock& clock = ProcessClock(),
                          FileIo* io = nullptr, char contestCode = kRememberedContest);
  /// Closes what is still open (Close).
  ~ProgramSession();
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  /// Where the first start takes the country data for an empty prefix table from (the
  /// files of Debian's hamradio-files by default; tests hand in their own or none).
  void SetCountryDataFiles(CountryDataFiles files) { countryFiles_ = std::move(files); }

  /// Step 11: starts the record-file manager. False after its message; the program then
  /// ends with exit code 1.
  [[nodiscard]] bool StartRecordFiles();

  /// Steps 15 to 20, 23 and 24: the setup (an empty record is added to an empty file), the
  /// profile (the remembered one, else the first, else an empty buffer), the settings made
  /// process-wide, setup 2 (an empty record added when it holds none), the prefix tables
  /// (filled from the country data when empty), the contest header and extension
  /// files, and the contest definition. An empty prefix table is filled from the country
  /// data first; the message about it comes only when no data could be found. False when the
  /// profiles cannot be opened: the program ends.
  [[nodiscard]] bool OpenFiles();

  /// The own call sign, or the listener name when the call sign is empty.
  std::string OwnCallText() const;
  /// Whether the contest header file holds no record at all.
  bool HeaderFileEmpty() const;
  /// Code E only: whether the header file holds fewer than 3 records.
  bool WantsHourlyLogAdvice() const;

  /// Rebuilds the contest definition for the header in the header buffer.
  void RebuildDefinition();

  /// Switches the program to contest `code` (ChoosableContestCodes): the person's language
  /// again (a code may have forced English), the definition of the code for a new contest,
  /// and the choice kept in the settings file for the next start. False, changing nothing,
  /// for a code the program cannot run. A choice that cannot be kept is reported through the
  /// dialogs; the switch stands for this run.
  [[nodiscard]] bool SwitchContest(char code);

  /// The closing order; runs once (later calls do nothing).
  void Close();
  bool Closed() const { return closed_; }

  /// Whether the settings were loaded from the setup record at start (only then are they
  /// saved at the end).
  bool SettingsLoaded() const { return settingsLoaded_; }
  /// Whether the prefix table was empty after start.
  bool PrefixTableEmpty() const { return prefixEmpty_; }

  Fileblock* Profiles() const { return profiles_; }
  Fileblock* Setup2() const { return setup2_; }
  Fileblock* PrefixTable() const { return prefix_; }
  Fileblock* PrefixTableEE() const { return prefixEE_; }
  Fileblock* PrefixTableES() const { return prefixES_; }

private:
  void LoadSetup();
  [[nodiscard]] bool OpenProfile();
  void OpenSetup2();
  void OpenPrefixTables();
  void EnsurePrefixData();
  void SaveSetup();
  void BuildBaseDefinition();

  bool managerStarted_ = false;
  bool closed_ = false;
  CountryDataFiles countryFiles_ = InstalledCountryDataFiles();
  bool settingsLoaded_ = false;
  bool prefixEmpty_ = false;

  Fileblock* profiles_ = nullptr;
  Fileblock* setup2_ = nullptr;
  Fileblock* prefix_ = nullptr;
  Fileblock* prefixEE_ = nullptr;
  Fileblock* prefixES_ = nullptr;
};

} // namespace tarvik
