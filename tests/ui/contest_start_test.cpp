// "Start" from the main window over real files: the log window opens modal and maximised
// for the contest of the cursor row, hides the main window, QSOs are typed into it, and
// after "Contest beenden" the main window is back and the contest's header record holds the
// statistics of the log.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <array>
#include <vector>

#include "app/contest_list.h"
#include "app/ui/contest_list_window.h"
#include "country/prefix_lookup.h"
#include "datafiles/program_files.h"
#include "logging/ui/contest_log_window.h"
#include "logging/ui/evaluation_panel.h"
#include "recordfile/key_codec.h"
#include "recordfile/ui/trk_brow.h"
#include "support/modal_window.h"
#include "support/prefix_tables.h"
#include "support/session_test_support.h"
#include "widgets/help_hook.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {
namespace {

class ContestStartTest : public test::SessionFixture {
protected:
  void TearDown() override {
    window.reset();
    SetHelpTopicHandler(nullptr);
    SessionFixture::TearDown();
  }

  /// A code-2 contest with automatic date and time, and a prefix table for German calls.
  static void SeedContest() {
    Seed([] {
      Fileblock* kk = OpenProgramFile(ProgramFile::kContestHeaders);
      ASSERT_NE(kk, nullptr);
      ASSERT_EQ(kk->ClearBuffer(), 0);
      ContestHeaderRecord h(kk->RecordBuffer());
      h.SetContestCode('2');
      h.SetContestName("ZELKA Herbst");
      h.SetDok("N01");
      h.SetLocator("JO31MX");
      h.SetAutoDate(true);
      h.SetAutoTime(true);
      h.SetQslSentDefault('N');
      h.SetQslRcvdDefault('N');
      h.MarkCreated();
      ASSERT_TRUE(AddRecord(*kk));
      CloseProgramFile(kk);
      PrefixTables tables = OpenPrefixTables();
      ASSERT_TRUE(test::AddPrefixEntry(
          tables.main,
          {.prefix = "DA", .dxcc = "DL", .country = "Germany", .entity = 230, .rangeEnd = 'R'}));
      ClosePrefixTables(tables);
    });
  }

  ContestListWindow& Open() {
    window = std::make_unique<ContestListWindow>(dialogs);
    window->session().SetCountryDataFiles(countryFiles);
    EXPECT_EQ(window->Start(), ContestListWindow::StartResult::kRunning);
    window->resize(1000, 700);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }

  static void Type(ContestLogWindow& log, const char* text) {
    for (const char* c = text; *c != '\0'; ++c)
      QTest::keyClick(log.focusWidget(), *c);
  }
  static void Enter(ContestLogWindow& log) { QTest::keyClick(log.focusWidget(), Qt::Key_Return); }

  std::unique_ptr<ContestListWindow> window;
};

TEST_F(ContestStartTest, StartOpensTheLogAndWritesTheStatisticsBack) {
  SeedContest();
  ContestListWindow& w = Open();
  dialogs.Clear();
  bool ran = false;
  test::OnModal<ContestLogWindow>([&](ContestLogWindow& window) {
    ran = true;
    ContestLogWindow* log = &window;
    // Modal and maximised over the hidden main window.
    EXPECT_TRUE(log->isModal());
    EXPECT_TRUE(log->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(log->isVisible());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(FromQString(log->windowTitle()),
              "Tarvik Version 2006-1.0 Logbuch (Contest : ZELKA Herbst )");
    EXPECT_EQ(log->session().Bands().Band(), 'k');
    const std::vector<std::array<const char*, 3>> qsos = {{"DL1ABC", "5N", "JO42"},
                                                          {"DF0WN", "WN", "JO32"}};
    for (const auto& qso : qsos) {
      Type(*log, qso[0]);
      Enter(*log);
      Type(*log, qso[1]);
      Enter(*log);
      Type(*log, qso[2]);
      Enter(*log);
    }
    EXPECT_EQ(FromQString(log->panelauswertung->Label28->text()), "2 QSO");
    log->btnbeenden->click();
  });
  w.btnStart->click();
  EXPECT_TRUE(ran);
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(dialogs.Informs().empty()) << dialogs.LastMessage();
  // The header record on disk: two QSOs, 9 points, 15 multipliers on the 2-m slot.
  Fileblock* headers = w.session().Headers();
  ASSERT_EQ(headers->FindKey(kContestKeyNumber, NumKey5(1)), 0);
  const ContestHeaderRecord h(headers->RecordBuffer());
  EXPECT_EQ(h.contestName(), "ZELKA Herbst");
  EXPECT_EQ(h.bandQsos(1), 2);
  EXPECT_EQ(h.bandPoints(1), 9);
  EXPECT_EQ(h.bandMultis(1), 15);
  // The log file holds the two QSOs and is closed again.
  EXPECT_EQ(w.session().Extensions()->FindKey(1, NumKey5(1)), 0);
  w.close();
  EXPECT_EQ(halts, 0);
}

} // namespace
} // namespace tarvik
