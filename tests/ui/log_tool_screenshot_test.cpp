// Screenshots of the correction list and the party evaluation for the README. They run
// only when TARVIK_SCREENSHOT_DIR names a folder, on a real X display (xvfb-run), and
// capture the whole screen with ImageMagick's "import":
//
//   TARVIK_SCREENSHOT_DIR=docs/screenshots QT_QPA_PLATFORM=xcb
//     xvfb-run -a -s "-screen 0 1280x1024x24" build-test/tests/test_ui
//     --gtest_filter='LogToolScreenshot*'
// (one command line).

#include "log_window_fixture.h"

#include <QProcess>
#include <QRadioButton>

#include <cstdlib>

#include "app/ui/log_window_tools.h"
#include "outputs/ui/party_evaluation_window.h"
#include "outputs/ui/qso_list_window.h"
#include "recordfile/ui/trk_brow.h"
#include "support/modal_window.h"

namespace tarvik::test {
namespace {

class LogToolScreenshot : public LogWindowTest {
protected:
  void SetUp() override {
    const char* dir = std::getenv("TARVIK_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0')
      GTEST_SKIP() << "TARVIK_SCREENSHOT_DIR not set";
    dir_ = dir;
    LogWindowTest::SetUp();
    clock_.now = {2026, 6, 20, 14, 2, 0, 0};
  }

  /// A party contest with a log of QSOs with stations of many ages.
  void OpenPartyLog() {
    OpenWindow({.code = 'P', .name = "Party 2026"});
    ContestHeaderRecord(S().Contest().header.data()).SetDateFrom(TodayDay(clock_));
    W().SetTools(StandardLogTools(W(), dialogs_));
    W().ShowMaximised();
    const std::vector<std::pair<const char*, const char*>> qsos = {
        {"DL1ABC", "37"}, {"DK5XY", "42"},  {"OK1KZ", "68"},  {"DL2XYZ", "XX"}, {"PA3ABC", "55"},
        {"DF0WN", "51"},  {"DJ3CC", "44"},  {"DM4DD", "63"},  {"DO5EE", "17"},  {"DB6FF", "72"},
        {"DC7GG", "58"},  {"DD8HH", "61"},  {"DF9II", "47"},  {"DK1JJ", "66"},  {"DL6KK", "91"},
        {"DG1AA", "39"},  {"DH2BB", "53"},  {"SM7ABC", "64"}, {"OH2XYZ", "56"}, {"LA1ABC", "71"},
        {"F6ABC", "49"},  {"DL3ABC", "62"}, {"DL7XX", "28"},  {"DK2AB", "57"},  {"DL8AB", "67"},
    };
    for (const auto& [call, age] : qsos)
      ASSERT_TRUE(Log(call, {age})) << call;
  }

  void Shoot(const char* name) {
    for (int i = 0; i < 20; ++i) {
      QApplication::processEvents();
      QTest::qWait(50);
    }
    const QString path = QString::fromStdString(dir_) + "/" + name;
    EXPECT_EQ(QProcess::execute(QStringLiteral("import"),
                                {QStringLiteral("-window"), QStringLiteral("root"), path}),
              0);
  }

  std::string dir_;
};

TEST_F(LogToolScreenshot, CorrectionList) {
  OpenPartyLog();
  OnModal<QsoListWindow>([this](QsoListWindow& list) {
    list.setGeometry(120, 140, 1000, 560);
    list.Brow->model().RowPressed(4, BrowseButton::kLeft, false, false);
    Shoot("correction-list.png");
    list.close();
  });
  Key(Qt::Key_F12);
}

TEST_F(LogToolScreenshot, PartyEvaluation) {
  OpenPartyLog();
  OnModal<PartyEvaluationWindow>([this](PartyEvaluationWindow& w) {
    w.setGeometry(200, 150, 860, 600);
    w.r5->click();
    Shoot("party-evaluation.png");
    w.close();
  });
  Key(Qt::Key_F11);
}

} // namespace
} // namespace tarvik::test
