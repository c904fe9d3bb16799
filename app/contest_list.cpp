#include "app/contest_list.h"

#include <algorithm>

#include "app/program_session.h"
#include "base/data_directory.h"
#include "base/dates.h"
#include "base/pictures.h"
#include "base/process_settings.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/contest_traits.h"
#include "datafiles/contest_log_files.h"
#include "datafiles/program_files.h"
#include "recordfile/browse_grid.h"
#include "recordfile/file_io.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

constexpr int kNameWidth = 26;
constexpr int kDateWidthLimit = 20;
constexpr int kTitleTail = 200;
constexpr int kQuestionNameLimit = 33;
constexpr int kQuestionLimit = 42;

int DateColumnWidth() {
  return std::min(static_cast<int>(DateFormat().size()) + 3, kDateWidthLimit);
}

std::string DateColumn(std::int32_t day) {
  if (day <= 0)
    return std::string(static_cast<std::size_t>(DateColumnWidth()), ' ');
  return (DayToText(DateFormat(), day) + "   ").substr(0, kDateWidthLimit);
}

std::string NameColumn(const ContestHeaderRecord& header) {
  return (header.contestName() + " ").substr(0, kNameWidth);
}

std::string Join(const std::vector<std::string>& columns) {
  std::string text;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0)
      text += ';';
    text += columns[i];
  }
  return text;
}

bool IsForeign(char code) {
  return IsForeignToolCode(code);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Texts

std::vector<std::string> ContestListSortChoices() {
  return {"Name", ChooseText("Datum", "Date")};
}

int ContestListSortKey(int index, char contestCode, std::string* lowKey, std::string* highKey) {
  if (index < 0 || index > 1)
    return 0;
  const std::string bound(1, contestCode);
  if (lowKey != nullptr)
    *lowKey = bound;
  if (highKey != nullptr)
    *highKey = bound;
  return index + 1;
}

std::string ContestListRowText(const ContestHeaderRecord& header, int key) {
  const std::string name = NameColumn(header);
  const std::string from = DateColumn(header.dateFrom());
  const std::string to = DateColumn(header.dateTo());
  std::vector<std::string> columns;
  switch (key) {
  case kContestKeyDate:
    columns = {from, name, to};
    break;
  case kContestKeyNumber:
    columns = {FormatLongPicture("######", header.contestNumber()) + " ", from, name, to};
    break;
  default:
    columns = {name, from, to};
    break;
  }
  std::string text(1, ' ');
  text += Join(columns);
  return text;
}

std::string ContestListTitleLine(int key) {
  const int dateWidth = DateColumnWidth();
  const std::string name = Pad(" Name", kNameWidth);
  const std::string from = Pad(ChooseText("Datum (von)", "Date (from)"), dateWidth);
  const std::string to = Pad(ChooseText("Datum (bis)", " Date (to) "), dateWidth);
  const std::string number = ChooseText("Nr     ", "No     ");
  std::vector<std::string> columns;
  switch (key) {
  case kContestKeyDate:
    columns = {from, name, to};
    break;
  case kContestKeyNumber:
    columns = {number, from, name, to};
    break;
  default:
    columns = {name, from, to};
    break;
  }
  std::string line = Join(columns);
  if (line.empty() || line[0] != ' ')
    line.insert(line.begin(), ' ');
  line.append(kTitleTail, ' ');
  return line.substr(0, kMaxShortString);
}

std::string ContestListSortCaption(int key) {
  switch (key) {
  case kContestKeyDate:
    return ChooseText("Datum", "Date");
  case kContestKeyNumber:
    return ChooseText("interne Nummer", "internal number");
  default:
    return "Name";
  }
}

std::string ContestListSearchKey(std::string_view typed, char contestCode) {
  if (typed.empty())
    return std::string();
  std::string key(1, contestCode);
  key.append(typed);
  return key;
}

std::string ContestDeleteQuestion(std::string_view contestName) {
  std::string question = ("Eintrag " + std::string(contestName)).substr(0, kQuestionNameLimit);
  question += " löschen?";
  return question.substr(0, kQuestionLimit);
}

std::string VersionReminder() {
  return ChooseText("Bitte prüfen Sie vor dem Contest, ob es eine neuere Version dieses "
                    "Programms gibt, und arbeiten Sie immer mit der neuesten Version.",
                    "Before the contest, please check whether there is a newer version of "
                    "this program, and always work with the newest version.");
}

std::string ContestNotSavedMessage() {
  return "Kopf und Auswertung des Contests konnten nicht gespeichert werden.";
}

std::string SeparateLogsNote() {
  return "Der Auswerter benötigt für jede Band/Mode-Kombination ein separates Log.\r\n"
         "Legen Sie darum schon vor Beginn des Contestes für jede Kombination,\r\n"
         "die Sie arbeiten wollen, ein neues Log an.";
}

// ---------------------------------------------------------------------------------------
// Actions

ContestListActions::ContestListActions(ProgramSession& session, BrowseGridModel& grid,
                                       ContestWindows& windows)
    : session_(session), grid_(grid), windows_(windows) {}

void ContestListActions::ConnectGrid() {
  BrowseGridEvents& e = grid_.events;
  // The contest code is read at each call: the main window may switch to another contest.
  e.OnBuildRow = [this](RowRec& row) {
    row.Text = ContestListRowText(ContestHeaderRecord(session_.Headers()->RecordBuffer()),
                                  grid_.GetKeyNumber());
  };
  e.OnSetHeaderFooter = [this] {
    const int key = grid_.GetKeyNumber();
    grid_.SetHeaderFooter(ContestListTitleLine(key), ContestListSortCaption(key));
  };
  e.OnInitSortList = [this] {
    grid_.ClearSortList();
    for (const std::string& choice : ContestListSortChoices())
      grid_.AddSortListEntry(choice);
  };
  e.OnSortList2Key = [this](int i, std::string& low, std::string& high) {
    return ContestListSortKey(i, session_.ContestCode(), &low, &high);
  };
  e.OnBrowDoppelKlick = [this] { Starten(); };
  e.OnBrowEnter = [this] { Starten(); };
  e.OnBefore_Loesch = [this] {
    Loeschen();
    return false;
  };
  e.OnSuchFeld2KeyStr = [this](const std::string& text) {
    return ContestListSearchKey(text, session_.ContestCode());
  };
}

bool ContestListActions::InitList() {
  const std::string bound(1, session_.ContestCode());
  return grid_.InitBrowse(session_.Headers(), kContestKeyName, bound, bound);
}

void ContestListActions::FollowContestCode() {
  const std::string bound(1, session_.ContestCode());
  grid_.SetKeyRange(bound, bound);
  // The column titles follow the language, which the new code may have switched.
  const int key = grid_.GetKeyNumber();
  grid_.SetHeaderFooter(ContestListTitleLine(key), ContestListSortCaption(key));
  grid_.GotoKey(bound, 0);
  if (onOwnCallChanged)
    onOwnCallChanged();
}

bool ContestListActions::EnsureExtensionRecord(std::int32_t contestNumber) {
  return session_.Records().EnsureExtension(contestNumber) == StoreResult::kOk;
}

bool ContestListActions::ReadCursorContest(std::int32_t* number) {
  if (session_.Headers() == nullptr || !grid_.HasCurrentRow() || !grid_.ReadCurrentRecord())
    return false;
  *number = ContestHeaderRecord(session_.Headers()->RecordBuffer()).contestNumber();
  return true;
}

bool ContestListActions::FindHeader(std::int32_t number) {
  return session_.Records().FindHeader(number) == StoreResult::kOk;
}

void ContestListActions::ShowContest(std::int32_t number) {
  // The header may have changed (name, date): the list finds it again in its order.
  Fileblock* headers = session_.Headers();
  std::string key;
  if (FindHeader(number) && headers->BuildKey(grid_.GetKeyNumber(), &key) == 0) {
    grid_.GotoKey(key, headers->CurrentRecordNumber());
  } else {
    grid_.RefreshRows();
  }
  if (onOwnCallChanged)
    onOwnCallChanged();
}

void ContestListActions::Neu() {
  Fileblock* headers = session_.Headers();
  if (headers == nullptr)
    return;
  ContestHeaderRecord(headers->RecordBuffer()).SetDateFrom(TodayDay(session_.ClockSource()));
  UserDialogs& dialogs = session_.Dialogs();
  dialogs.Inform(VersionReminder());
  if (TraitsOf(session_.ContestCode()).separateLogsNote)
    dialogs.Inform(SeparateLogsNote());
  const std::int32_t before = headers->CurrentRecordNumber();
  bool start = false;
  if (!IsForeign(session_.ContestCode()))
    start = windows_.OpenHeaderWindow(HeaderWindowMode::kNew);
  // The header window leaves the contest it added as the header file's current record.
  const std::int32_t current = headers->CurrentRecordNumber();
  const std::int32_t number = current > 0 && current != before
                                  ? ContestHeaderRecord(headers->RecordBuffer()).contestNumber()
                                  : 0;
  if (number <= 0) {
    grid_.RefreshRows();
    if (onOwnCallChanged)
      onOwnCallChanged();
    return;
  }
  // The list stands on the new contest before its log opens: on an empty list there is no
  // other row, and the log is the one of the contest just created.
  ShowContest(number);
  if (!start)
    return;
  StartContest(number);
  // As after "Starten": the header window for review, with the totals of the log.
  // In review the window only offers "Beenden": there is nothing to start.
  if (FindHeader(number))
    (void)windows_.OpenHeaderWindow(HeaderWindowMode::kReview);
  ShowContest(number);
}

void ContestListActions::Starten() {
  std::int32_t number = 0;
  if (!ReadCursorContest(&number))
    return;
  if (!EnsureExtensionRecord(number) || !FindHeader(number))
    return;
  Fileblock* headers = session_.Headers();
  const char code = ContestHeaderRecord(headers->RecordBuffer()).contestCode();
  session_.RebuildDefinition();
  bool start = false;
  if (!IsForeign(code))
    start = windows_.OpenHeaderWindow(HeaderWindowMode::kExisting);
  ShowContest(number);
  if (!start)
    return;
  StartContest(number);
  if (!IsForeign(code) && FindHeader(number))
    (void)windows_.OpenHeaderWindow(HeaderWindowMode::kReview); // nothing to start, as in Neu
}

void ContestListActions::Start() {
  std::int32_t number = 0;
  if (ReadCursorContest(&number))
    StartContest(number);
}

void ContestListActions::StartContest(std::int32_t number) {
  ContestRecordStore store = session_.Records();
  if (!EnsureExtensionRecord(number) || !FindHeader(number))
    return;
  const char code = store.Buffers().Header().contestCode();
  if (!IsForeign(code)) {
    windows_.OpenLogWindow(number, session_.Definition());
    // The log window counts into the header and extension buffers; they are written back
    // over their records, which are made current again without losing those counts.
  }
  ContestRecords records = store.Buffers();
  records.Header().SetContestNumber(number);
  // A contest that is gone or cannot be written loses the log's totals: say so.
  if (store.Write(records) != StoreResult::kOk)
    session_.Dialogs().Inform(ContestNotSavedMessage());
}

void ContestListActions::Loeschen() {
  std::int32_t number = 0;
  if (!ReadCursorContest(&number))
    return;
  const std::string name = ContestHeaderRecord(session_.Headers()->RecordBuffer()).contestName();
  if (!EnsureExtensionRecord(number))
    return;
  if (!session_.Dialogs().Confirm(ContestDeleteQuestion(name)))
    return;
  // A log that cannot be opened (in use, unreadable) keeps the whole contest.
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, number);
  if (log == nullptr)
    return;
  const bool opened = log->EnsureOpen() == 0;
  CloseProgramFile(log);
  if (!opened)
    return;
  // A later contest may get the same number: it must not find this contest's QSOs. The log
  // is moved aside before the records go; a log that cannot be moved keeps the contest.
  const QsoLogMove moved = MoveQsoLogAside(number, session_.Io());
  if (!moved.ok) {
    session_.Dialogs().Inform(
        QsoLogNotMovedMessage(number, moved) + " " +
        ChooseText("Der Contest wurde nicht gelöscht.", "The contest was not deleted."));
    return;
  }
  // The contest stays after all (its records could not be deleted): so does its log.
  auto keepLog = [&] {
    if (!PutQsoLogBack(number, moved, session_.Io()))
      session_.Dialogs().Inform(QsoLogNotPutBackMessage(number, moved));
  };
  // Found again by its number: the question may have let the list read other rows.
  if (!FindHeader(number)) {
    keepLog();
    grid_.RefreshRows();
    return;
  }
  // Where the list stands afterwards: the place of the deleted row.
  Fileblock* headers = session_.Headers();
  std::string rowKey;
  // Without the row's key the list goes to the row of the record number alone.
  if (headers->BuildKey(grid_.GetKeyNumber(), &rowKey) != 0)
    rowKey.clear();
  const std::int32_t record = headers->CurrentRecordNumber();
  if (session_.Records().Delete(number) != StoreResult::kOk) {
    keepLog();
    return;
  }
  grid_.GotoKey(rowKey, record);
}

} // namespace tarvik
