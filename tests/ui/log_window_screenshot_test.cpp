// Screenshots of the log window during a contest, for the README. They run only when
// TARVIK_SCREENSHOT_DIR names a folder, on a real X display (xvfb-run), and capture the
// whole screen with ImageMagick's "import":
//
//   TARVIK_SCREENSHOT_DIR=docs/screenshots QT_QPA_PLATFORM=xcb
//     xvfb-run -a -s "-screen 0 1280x1024x24" build-test/tests/test_ui
//     --gtest_filter='LogWindowScreenshot*'
// (one command line).

#include "log_window_fixture.h"

#include <QProcess>
#include <QScreen>

#include <cstdlib>

namespace tarvik::test {
namespace {

class LogWindowScreenshot : public LogWindowTest {
protected:
  void SetUp() override {
    const char* dir = std::getenv("TARVIK_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0')
      GTEST_SKIP() << "TARVIK_SCREENSHOT_DIR not set";
    dir_ = dir;
    LogWindowTest::SetUp();
    clock_.now = {2026, 9, 12, 17, 4, 0, 0};
  }

  void Shoot(const char* name) {
    W().ShowMaximised();
    W().show();
    W().activateWindow();
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

TEST_F(LogWindowScreenshot, Code2) {
  OpenWindow({.name = "ZELKA Herbst", .startSsb = true});
  const std::vector<std::pair<const char*, std::vector<std::string>>> qsos = {
      {"DL1ABC", {"5N", "JO42"}}, {"DF0WN", {"WN", "JO32"}},  {"DK0XY", {"O21", "JO31"}},
      {"OK1ABC", {"", "JO60"}},   {"DL2XYZ", {"5N", "JO42"}}, {"DL3ABC-P", {"7N", "JO41"}},
      {"DG1AA", {"2N", "JO51"}},  {"DH2BB", {"3N", "JO51"}},  {"DJ3CC", {"4N", "JO30"}},
      {"DM4DD", {"6N", "JO31"}},  {"DO5EE", {"8N", "JO32"}},  {"PA3ABC", {"", "JO21"}},
      {"DB6FF", {"9N", "JO42"}},  {"DC7GG", {"10N", "JO41"}}, {"DD8HH", {"11N", "JO40"}},
      {"DF9II", {"12N", "JO50"}}, {"DK1JJ", {"13N", "JO60"}}, {"DL6KK", {"R01", "JO62"}},
  };
  for (const auto& [call, exchange] : qsos)
    ASSERT_TRUE(Log(call, exchange)) << call;
  // A QSO being entered: a DOK worked before and a new square.
  Type("DL7XX");
  Enter();
  Type("1N");
  Enter();
  Type("JO70");
  Shoot("log-window.png");
}

TEST_F(LogWindowScreenshot, CodeNLocators) {
  OpenWindow({.code = 'N', .locator = "JO31MX", .name = "NAC 2 m September"});
  const std::vector<std::pair<const char*, std::vector<std::string>>> qsos = {
      {"SM7ABC", {"JO65QK"}}, {"OH2XYZ", {"KP20LG"}}, {"LA1ABC", {"JO59JW"}},
      {"DL1ABC", {"JO42AB"}}, {"PA3XYZ", {"JO21EF"}}, {"SM5DEF", {"JO89XH"}},
      {"DK5AB", {"JO40CD"}},  {"OK1KZ", {"JO70FD"}},  {"F6ABC", {"JN18DQ"}},
      {"LA9XY", {"JP50NJ"}},  {"DF2CD", {"JO51AB"}},  {"SM6GHI", {"JO57XQ"}},
  };
  for (const auto& [call, exchange] : qsos)
    ASSERT_TRUE(Log(call, exchange)) << call;
  Type("OH1MN");
  Enter();
  Type("KP01");
  Shoot("log-window-locator.png");
}

} // namespace
} // namespace tarvik::test
