// The contest list of the main window without widgets: its row and title texts, sort
// choices and quick search, and the actions "Löschen", "Starten", "Start" and "Neu" over real
// files, driven through the grid's model.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/contest_list.h"
#include "base/process_settings.h"
#include "base/strings.h"
#include "datafiles/qso_record.h"
#include "recordfile/browse_grid.h"
#include "recordfile/file_io.h"
#include "recordfile/key_codec.h"
#include "support/refusing_io.h"
#include "support/session_test_support.h"

namespace tarvik::test {
namespace {

class QuietView : public BrowseGridView {
public:
  int MeasureRows() override { return 8; }
  void SetTableRowCount(int) override {}
  void Repaint() override {}
  void HeaderChanged() override {}
  void SortListChanged() override {}
  void ClearSearchField() override {}
  void ScrollColumns(ColumnScroll) override {}
  void ApplyColours() override {}
};

/// The header and log windows as the actions see them.
class FakeWindows : public ContestWindows {
public:
  std::vector<HeaderWindowMode> headerModes;
  std::vector<int> logWindows;
  bool answerStart = false;
  std::function<void()> inHeaderWindow;
  std::function<void()> inLogWindow;

  bool OpenHeaderWindow(HeaderWindowMode mode) override {
    headerModes.push_back(mode);
    if (inHeaderWindow)
      inHeaderWindow();
    return answerStart && mode != HeaderWindowMode::kReview;
  }
  void OpenLogWindow(int number, const ContestDefinition&) override {
    logWindows.push_back(number);
    if (inLogWindow)
      inLogWindow();
  }
};

DayNumber Day(int d, int m, int y) {
  return DmyToDay(d, m, y);
}

TEST(ContestListTexts, RowsFollowTheOrderOfTheKey) {
  std::vector<char> buffer(ContestHeaderRecord::kLength, 0);
  ContestHeaderRecord h(buffer.data());
  h.SetContestNumber(12);
  h.SetContestName("ZELKA Herbst");
  h.SetDateFrom(Day(10, 9, 2006));
  h.SetDateTo(Day(11, 9, 2006));
  EXPECT_EQ(ContestListRowText(h, kContestKeyName), " ZELKA Herbst ;10.09.2006   ;11.09.2006   ");
  EXPECT_EQ(ContestListRowText(h, kContestKeyDate), " 10.09.2006   ;ZELKA Herbst ;11.09.2006   ");
  EXPECT_EQ(ContestListRowText(h, kContestKeyNumber),
            "     12 ;10.09.2006   ;ZELKA Herbst ;11.09.2006   ");
  // A missing date gives blanks of the date column's width, in every date format.
  h.SetDateTo(0);
  EXPECT_EQ(ContestListRowText(h, kContestKeyName),
            " ZELKA Herbst ;10.09.2006   ;" + std::string(13, ' '));
  SetDateFormat("dd.mm.yy");
  EXPECT_EQ(ContestListRowText(h, kContestKeyName),
            " ZELKA Herbst ;10.09.06   ;" + std::string(11, ' '));
  SetDateFormat("dd.mm.yyyy");
}

TEST(ContestListTexts, TitleLinesAndCaptionsInBothLanguages) {
  const std::string tail(200, ' ');
  EXPECT_EQ(ContestListTitleLine(kContestKeyName),
            (" Name                     ;Datum (von)  ;Datum (bis)  " + tail).substr(0, 255));
  EXPECT_EQ(ContestListTitleLine(kContestKeyDate),
            (" Datum (von)  ; Name                     ;Datum (bis)  " + tail).substr(0, 255));
  EXPECT_EQ(ContestListTitleLine(kContestKeyNumber).substr(0, 22), " Nr     ;Datum (von)  ");
  EXPECT_EQ(ContestListSortCaption(kContestKeyName), "Name");
  EXPECT_EQ(ContestListSortCaption(kContestKeyDate), "Datum");
  EXPECT_EQ(ContestListSortCaption(kContestKeyNumber), "interne Nummer");
  EXPECT_EQ(ContestListSortChoices(), (std::vector<std::string>{"Name", "Datum"}));
  SetLanguageFlag(0);
  EXPECT_EQ(ContestListTitleLine(kContestKeyName).substr(0, 54),
            " Name                     ;Date (from)  ; Date (to)   ");
  EXPECT_EQ(ContestListSortCaption(kContestKeyDate), "Date");
  EXPECT_EQ(ContestListSortCaption(kContestKeyNumber), "internal number");
  EXPECT_EQ(ContestListSortChoices(), (std::vector<std::string>{"Name", "Date"}));
  SetLanguageFlag(1);
}

TEST(ContestListTexts, SortKeysSearchKeyAndQuestion) {
  std::string low, high;
  EXPECT_EQ(ContestListSortKey(0, '2', &low, &high), 1);
  EXPECT_EQ(low, "2");
  EXPECT_EQ(high, "2");
  EXPECT_EQ(ContestListSortKey(1, '2', &low, &high), 2);
  EXPECT_EQ(ContestListSortKey(2, '2', &low, &high), 0);
  EXPECT_EQ(ContestListSearchKey("ZELKA", '2'), "2ZELKA");
  EXPECT_EQ(ContestListSearchKey("", '2'), "");
  EXPECT_EQ(ContestDeleteQuestion("ZELKA"), "Eintrag ZELKA löschen?");
  // "Eintrag " and the name are cut at 33 characters.
  EXPECT_EQ(ContestDeleteQuestion("Ein sehr langer Contestname 2006"),
            "Eintrag Ein sehr langer Contestna löschen?");
  EXPECT_EQ(DeletedLogName(12, 2), "KXLK0012_DEL2");
}

class ContestListActionsTest : public SessionFixture {
protected:
  void StartList(FileIo* io = nullptr) {
    session = std::make_unique<ProgramSession>(dialogs, clock, io, '2');
    session->SetCountryDataFiles(countryFiles);
    ASSERT_TRUE(session->StartRecordFiles());
    ASSERT_TRUE(session->OpenFiles());
    grid = std::make_unique<BrowseGridModel>(view, dialogs);
    actions = std::make_unique<ContestListActions>(*session, *grid, windows);
    actions->ConnectGrid();
    ASSERT_TRUE(actions->InitList()) << grid->InitError();
    dialogs.Clear();
  }

  void TearDown() override {
    actions.reset();
    grid.reset();
    SessionFixture::TearDown();
  }

  /// The names of the rows shown, in order.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    const TKBrowser* b = grid->Browser();
    for (int r = 1; r <= b->FilledRows(); ++r) {
      const std::vector<std::string> cells = SplitRowText(b->Row(r).Text);
      names.push_back(TrimBlanks(grid->GetKeyNumber() == kContestKeyDate ? cells[1] : cells[0]));
    }
    return names;
  }

  std::string CursorName() const {
    const TKBrowser* b = grid->Browser();
    if (b->CurrentRecord() <= 0)
      return {};
    const std::vector<std::string> cells = SplitRowText(b->Row(b->CursorRow()).Text);
    return TrimBlanks(grid->GetKeyNumber() == kContestKeyDate ? cells[1] : cells[0]);
  }

  void Select(const std::string& name) {
    grid->FirstPage();
    for (int i = 0; i < 20 && CursorName() != name; ++i)
      grid->NextRow();
    ASSERT_EQ(CursorName(), name);
  }

  static void AddQsos(int contest, int count) {
    Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, contest);
    for (int n = 1; n <= count; ++n) {
      ASSERT_EQ(log->ClearBuffer(), 0);
      QsoRecord q(log->RecordBuffer());
      q.SetCall("DL" + std::to_string(n) + "ABC");
      q.SetQSONr(n);
      ASSERT_TRUE(AddRecord(*log));
    }
    CloseProgramFile(log);
  }

  bool HasExtension(std::int32_t number) {
    return session->Extensions()->FindKey(1, NumKey5(number)) == 0;
  }

  void SeedContests() {
    Seed([] {
      AddContest('2', "ZELKA Herbst", Day(10, 9, 2006), Day(10, 9, 2006));    // 1
      AddContest('3', "Anderer Contest", Day(1, 1, 2006), Day(1, 1, 2006));   // 2
      AddContest('2', "ZELKA Fruehjahr", Day(12, 3, 2007), Day(12, 3, 2007)); // 3
      AddContest('W', "Fremdes Werkzeug", Day(2, 2, 2006), Day(2, 2, 2006));  // 4
      AddContest('2', "Uebungslog");                                          // 5
      AddContest('2', "ZELKA Sommer", Day(4, 6, 2006), Day(4, 6, 2006));      // 6
    });
  }

  QuietView view;
  FakeWindows windows;
  std::unique_ptr<BrowseGridModel> grid;
  std::unique_ptr<ContestListActions> actions;
};

TEST_F(ContestListActionsTest, OnlyTheBuildsContestsInBothOrders) {
  SeedContests();
  StartList();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Uebungslog", "ZELKA Fruehjahr", "ZELKA Herbst",
                                               "ZELKA Sommer"}));
  grid->ChooseSort(1);
  EXPECT_EQ(grid->GetKeyNumber(), kContestKeyDate);
  // By start date; the contest without a date (-1, stored as four bytes 255) comes last.
  EXPECT_EQ(Names(), (std::vector<std::string>{"ZELKA Sommer", "ZELKA Herbst", "ZELKA Fruehjahr",
                                               "Uebungslog"}));
  // The quick search puts the code in front of the name.
  grid->ChooseSort(0);
  grid->SearchTextChanged("zelka h");
  EXPECT_EQ(CursorName(), "ZELKA Herbst");
  grid->SearchTextChanged("ZELKA S");
  EXPECT_EQ(CursorName(), "ZELKA Sommer");
}

TEST_F(ContestListActionsTest, DelDeletesTheContestWithItsExtensionAndMovesItsLogAside) {
  SeedContests();
  Seed([] { AddQsos(3, 4); });
  StartList();
  Select("ZELKA Fruehjahr");
  ASSERT_TRUE(actions->EnsureExtensionRecord(3));

  // No keeps everything.
  dialogs.confirmAnswers = {false};
  BrowseKeyEvent del;
  del.key = BrowseKey::kDelete;
  EXPECT_TRUE(grid->HandleKey(del, BrowseFocus::kTable));
  EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{"Eintrag ZELKA Fruehjahr löschen?"});
  EXPECT_EQ(Names().size(), 4u);

  // Yes: header and extension go, the log's files are moved aside; one question only.
  dialogs.Clear();
  EXPECT_TRUE(grid->HandleKey(del, BrowseFocus::kTable));
  EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{"Eintrag ZELKA Fruehjahr löschen?"});
  EXPECT_EQ(Names(), (std::vector<std::string>{"Uebungslog", "ZELKA Herbst", "ZELKA Sommer"}));
  EXPECT_EQ(CursorName(), "ZELKA Herbst");
  EXPECT_FALSE(HasExtension(3));
  EXPECT_EQ(session->Headers()->FindKey(kContestKeyNumber, NumKey5(3)), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.file("KXLK0003.DAT")));
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0003_DEL1.DAT")));
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0003_DEL1.IX")));
  EXPECT_EQ(halts, 0);
}

TEST_F(ContestListActionsTest, ANewContestWithTheNumberOfADeletedOneStartsWithAnEmptyLog) {
  Seed([] {
    AddContest('2', "Erster");
    AddContest('2', "Zweiter");
  });
  Seed([] { AddQsos(2, 3); });
  StartList();
  Select("Zweiter");
  actions->Loeschen();
  // The file gives the next contest the number of the deleted one again.
  EXPECT_EQ(AddContest('2', "Dritter"), 2);
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 2);
  std::int32_t used = -1;
  EXPECT_EQ(log->UsedRecords(&used), 0);
  EXPECT_EQ(used, 0);
  CloseProgramFile(log);
  // Deleting it again keeps the first deleted log.
  grid->RefreshRows();
  Select("Dritter");
  actions->Loeschen();
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0002_DEL1.DAT")));
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0002_DEL2.DAT")));
}

TEST_F(ContestListActionsTest, DeleteFindsTheContestAgainAfterTheQuestion) {
  SeedContests();
  StartList();
  Select("ZELKA Herbst");
  // While the question is open the list reads another row into the header buffer.
  dialogs.whileAsking = [&] { ASSERT_EQ(session->Headers()->ReadRecord(6), 0); };
  actions->Loeschen();
  dialogs.whileAsking = nullptr;
  EXPECT_EQ(session->Headers()->FindKey(kContestKeyNumber, NumKey5(1)), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Uebungslog", "ZELKA Fruehjahr", "ZELKA Sommer"}));
}

TEST_F(ContestListActionsTest, AContestWhoseLogCannotBeOpenedIsNotDeleted) {
  SeedContests();
  BlockingIo io;
  io.blocked = "KXLK0001.DAT";
  StartList(&io);
  Select("ZELKA Herbst");
  dialogs.confirmAnswers = {true}; // delete: yes; the retry question afterwards: no
  dialogs.defaultAnswer = false;
  actions->Loeschen();
  EXPECT_EQ(dialogs.Questions().front(), "Eintrag ZELKA Herbst löschen?");
  EXPECT_EQ(Names().size(), 4u);
  EXPECT_EQ(session->Headers()->FindKey(kContestKeyNumber, NumKey5(1)), 0);
  EXPECT_EQ(halts, 0);
  actions.reset();
  grid.reset();
  session.reset(); // before the file system it uses
}

// A log whose files cannot be renamed keeps its contest: a later contest with that number
// would otherwise find its QSOs.
TEST_F(ContestListActionsTest, AContestWhoseLogCannotBeMovedAsideIsNotDeleted) {
  SeedContests();
  Seed([] { AddQsos(3, 4); });
  RefusingIo io;
  io.refuseRenameOf = "KXLK0003.IX";
  StartList(&io);
  Select("ZELKA Fruehjahr");
  ASSERT_TRUE(actions->EnsureExtensionRecord(3));
  dialogs.confirmAnswers = {true};
  actions->Loeschen();
  EXPECT_EQ(dialogs.Informs(),
            std::vector<std::string>{
                "Die Dateien des QSO-Logs Nr. 3 (KXLK0003.IX) konnten nicht umbenannt werden. "
                "Keine Zugriffsberechtigung. Der Contest wurde nicht gelöscht."});
  EXPECT_EQ(Names().size(), 4u);
  EXPECT_TRUE(HasExtension(3));
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0003.DAT")));
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0003.IX")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("KXLK0003_DEL1.DAT")));

  // Once the files can be renamed, the deletion goes through.
  io.refuseRenameOf.clear();
  dialogs.Clear();
  Select("ZELKA Fruehjahr");
  dialogs.confirmAnswers = {true};
  actions->Loeschen();
  EXPECT_TRUE(dialogs.Informs().empty());
  EXPECT_EQ(Names(), (std::vector<std::string>{"Uebungslog", "ZELKA Herbst", "ZELKA Sommer"}));
  EXPECT_TRUE(std::filesystem::exists(dir.file("KXLK0003_DEL1.DAT")));
  EXPECT_EQ(halts, 0);
  actions.reset();
  grid.reset();
  session.reset(); // before the file system it uses
}

TEST_F(ContestListActionsTest, StartenEnsuresTheExtensionAndOpensTheHeaderWindow) {
  SeedContests();
  StartList();
  Select("ZELKA Sommer");
  EXPECT_FALSE(HasExtension(6));
  actions->Starten();
  EXPECT_TRUE(HasExtension(6));
  EXPECT_EQ(windows.headerModes, std::vector<HeaderWindowMode>{HeaderWindowMode::kExisting});
  EXPECT_TRUE(windows.logWindows.empty());
  EXPECT_EQ(CursorName(), "ZELKA Sommer");

  // Asked to start: the log window, its counts written back, then the review.
  windows.headerModes.clear();
  windows.answerStart = true;
  windows.inLogWindow = [&] {
    ContestHeaderRecord(session->Headers()->RecordBuffer()).SetBandQsos(1, 42);
    ContestExtensionRecord(session->Extensions()->RecordBuffer()).SetBandQsos(3, 7);
    grid->NextRow(); // the list reads another row meanwhile
  };
  actions->Starten();
  EXPECT_EQ(windows.logWindows, std::vector<int>{6});
  EXPECT_EQ(windows.headerModes, (std::vector<HeaderWindowMode>{HeaderWindowMode::kExisting,
                                                                HeaderWindowMode::kReview}));
  ASSERT_EQ(session->Headers()->FindKey(kContestKeyNumber, NumKey5(6)), 0);
  EXPECT_EQ(ContestHeaderRecord(session->Headers()->RecordBuffer()).bandQsos(1), 42);
  ASSERT_TRUE(HasExtension(6));
  EXPECT_EQ(ContestExtensionRecord(session->Extensions()->RecordBuffer()).bandQsos(3), 7);
}

TEST_F(ContestListActionsTest, TotalsThatCannotBeWrittenBackAreReported) {
  SeedContests();
  StartList();
  Select("ZELKA Sommer");
  windows.answerStart = true;
  // The contest's header disappears while its log is open.
  windows.inLogWindow = [&] {
    ASSERT_EQ(session->Headers()->FindKey(kContestKeyNumber, NumKey5(6)), 0);
    ASSERT_EQ(session->Headers()->Delete(kDeleteNoPosition), 0);
  };
  actions->Starten();
  EXPECT_EQ(windows.logWindows, std::vector<int>{6});
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{ContestNotSavedMessage()});
  // No review of a contest that is gone.
  EXPECT_EQ(windows.headerModes, std::vector<HeaderWindowMode>{HeaderWindowMode::kExisting});
}

TEST_F(ContestListActionsTest, NeuRemindsOpensTheHeaderWindowAndShowsTheNewContest) {
  SeedContests();
  StartList();
  clock.now = {2026, 5, 1, 10, 0, 0, 0};
  windows.inHeaderWindow = [&] {
    Fileblock* kk = session->Headers();
    EXPECT_EQ(ContestHeaderRecord(kk->RecordBuffer()).dateFrom(), Day(1, 5, 2026));
    ASSERT_EQ(kk->ClearBuffer(), 0);
    ContestHeaderRecord h(kk->RecordBuffer());
    h.SetContestCode('2');
    h.SetContestName("ZELKA Mai");
    h.SetDateFrom(Day(1, 5, 2026));
    ASSERT_TRUE(AddRecord(*kk));
  };
  actions->Neu();
  EXPECT_EQ(dialogs.Informs(), std::vector<std::string>{VersionReminder()});
  EXPECT_EQ(windows.headerModes, std::vector<HeaderWindowMode>{HeaderWindowMode::kNew});
  EXPECT_TRUE(windows.logWindows.empty());
  EXPECT_EQ(CursorName(), "ZELKA Mai");
  EXPECT_EQ(Names().size(), 5u);
}

TEST_F(ContestListActionsTest, NeuOnAnEmptyListOpensTheLogOfTheContestJustCreated) {
  StartList();
  ASSERT_TRUE(Names().empty());
  windows.answerStart = true;
  windows.inHeaderWindow = [&] {
    if (windows.headerModes.back() != HeaderWindowMode::kNew)
      return;
    Fileblock* kk = session->Headers();
    ASSERT_EQ(kk->ClearBuffer(), 0);
    ContestHeaderRecord h(kk->RecordBuffer());
    h.SetContestCode('2');
    h.SetContestName("ZELKA Mai");
    ASSERT_TRUE(AddRecord(*kk));
  };
  std::string cursorWhileLogging;
  windows.inLogWindow = [&] { cursorWhileLogging = CursorName(); };
  actions->Neu();
  // The list stands on the new contest before its log opens; after the log the header
  // window shows the contest for review.
  EXPECT_EQ(windows.logWindows, std::vector<int>{1});
  EXPECT_EQ(windows.headerModes,
            (std::vector<HeaderWindowMode>{HeaderWindowMode::kNew, HeaderWindowMode::kReview}));
  EXPECT_EQ(cursorWhileLogging, "ZELKA Mai");
  EXPECT_EQ(CursorName(), "ZELKA Mai");
  EXPECT_TRUE(HasExtension(1));

  // Asked to start without a contest written (the window was left with "Abbrechen" after a
  // failed check): no log window.
  windows.logWindows.clear();
  windows.inHeaderWindow = nullptr;
  actions->Neu();
  EXPECT_TRUE(windows.logWindows.empty());
  EXPECT_EQ(Names().size(), 1u);
}

} // namespace
} // namespace tarvik::test
