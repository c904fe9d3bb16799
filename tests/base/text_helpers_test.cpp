#include <gtest/gtest.h>

#include "base/process_settings.h"
#include "base/text_helpers.h"
#include "support/fake_clock.h"

namespace tarvik {
namespace {

TEST(TextHelpers, ChooseTextFollowsTheLanguageFlag) {
  SetLanguageFlag(1);
  EXPECT_EQ(ChooseText("Schließen", "Close"), "Schließen");
  SetLanguageFlag(0);
  EXPECT_EQ(ChooseText("Schließen", "Close"), "Close");
  SetLanguageFlag(2); // only 1 means German
  EXPECT_EQ(ChooseText("Ja", "Yes"), "Yes");
  SetLanguageFlag(1);
}

TEST(TextHelpers, FixedWidthsAndKeyBounds) {
  EXPECT_EQ(FixWidth("abc", 5), "abc  ");
  EXPECT_EQ(FixWidth("abcdef", 3), "abc");
  EXPECT_EQ(FixWidth(std::string(300, 'x'), 255), std::string(255, 'x'));
  EXPECT_EQ(FixWidth("abc", -1), "");

  EXPECT_EQ(CharsToText(std::string("\0DL1ABC\0\0 \t", 11)), "DL1ABC");
  EXPECT_EQ(CharsToText(std::string("A\0B", 3)), "A B");

  EXPECT_EQ(NextKeyText("AB", 3), "AB!");
  EXPECT_EQ(NextKeyText("2", 1), "3");
  EXPECT_EQ(NextKeyText("Az", 2), "Bz"); // "z" is skipped, not reset
  EXPECT_EQ(NextKeyText("a\xFF", 2), "b\xFF");
  EXPECT_EQ(NextKeyText("zz", 2), "\xFF\xFF");
  EXPECT_EQ(NextKeyText("", 0), "");
  EXPECT_EQ(NextKeyText("ABCD", 2), "ACCD"); // only the first n positions count
}

TEST(TextHelpers, CharacterConversions) {
  EXPECT_EQ(OemUmlauts("\x81\x84\x8E\x94\x99\x9A\xE1\xFB!"), "üäÄöÖÜßY!");
  EXPECT_EQ(OemUmlauts("plain"), "plain");
  EXPECT_EQ(SlashedZero("DL0ABC 100"), "DLØABC 1ØØ");
  EXPECT_EQ(CharToText('\0'), "");
  EXPECT_EQ(CharToText('k'), "k");
}

TEST(TextHelpers, ParseRealAcceptsCommaOrPoint) {
  struct Case {
    const char* text;
    double value;
    int error;
  };
  const Case cases[] = {
      {"14,2", 14.2, 0}, {"14.2", 14.2, 0}, {"3", 3, 0},           {"0,05", 0.05, 0},
      {"-3,5", -3.5, 0}, {"-0,5", -0.5, 0}, {",5", 0.5, 0},        {"12,", 12, 0},
      {"  7", 7, 0},     {"1e3", 1000, 0},  {"144300", 144300, 0}, {"1.2.3", 0, 4},
      {"3 ", 0, 2},      {"", 0, 1},        {"abc", 0, 1},         {"1,x", 0, 3},
      {"-", 0, 1},       {",", 0, 1},       {"1x,5", 0, 2},
  };
  for (const Case& c : cases) {
    const ParsedReal r = ParseReal(c.text);
    EXPECT_EQ(r.errorPosition, c.error) << '"' << c.text << '"';
    if (c.error == 0) {
      EXPECT_DOUBLE_EQ(r.value, c.value) << '"' << c.text << '"';
    }
  }
}

TEST(TextHelpers, StyleNameByStyle) {
  EXPECT_EQ(StyleName("jürgen müller-lüdenscheid", 1), "JÜRGEN MÜLLER-LÜDENSCHEID");
  EXPECT_EQ(StyleName("ÖTZI Ärger", 2), "ötzi ärger");
  EXPECT_EQ(StyleName("HANS-PETER", 3), "Hans-peter");
  EXPECT_EQ(StyleName("ÜBERLINGEN", 3), "überlingen"); // capitals only from a-z
  EXPECT_EQ(StyleName("hans-peter st.ingbert", 4), "Hans-Peter st.Ingbert");
  EXPECT_EQ(StyleName("übach-palenberg", 4), "übach-Palenberg");
  EXPECT_EQ(StyleName("As Typed", 0), "As Typed");
  EXPECT_EQ(StyleName("", 3), "");
  SetNameStyle(1);
  EXPECT_EQ(StyleName("dl1abc"), "DL1ABC");
  SetNameStyle(0);
  EXPECT_EQ(StyleName("dl1abc"), "dl1abc");
}

TEST(TextHelpers, CompleteDateByShape) {
  test::FakeClock clock;
  clock.now = {2026, 3, 14, 12, 0, 0, 0};
  struct Case {
    const char* typed;
    const char* completed;
  };
  const Case cases[] = {
      {"12", "01.02.2026"},
      {"123", "12.03.2026"},
      {"1.3", "01.03.2026"},
      {"1203", "12.03.2026"},
      {"1.03", "01.03.2026"},
      {"12.3", "12.03.2026"},
      {"12349", "12.03.2049"},
      {"12.03", "12.03.2026"},
      {"311249", "31.12.2049"},
      {"311250", "31.12.1950"},
      {"1.3.99", "01.03.1999"},
      {"12.03.", "12.03.2026"},
      {"12.3.07", "12.03.2007"},
      {"1.03.07", "01.03.2007"},
      {"12031999", "12.03.1999"},
      {"12.03.98", "12.03.1998"},
      {" 01.12.1999 ", "01.12.1999"},
      {"1", "1"},
      {"", ""},
      {"1203199", "1203199"},
      {"123456789", "123456789"},
      {"1.1.2024", "1.1.2024"},
      {"ab", "ab"},
      {"3434", "34.34.2026"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CompleteDate(c.typed, clock), c.completed) << '"' << c.typed << '"';
  clock.now.year = 2101; // the current century comes from the clock
  EXPECT_EQ(CompleteDate("010149", clock), "01.01.2149");
}

TEST(TextHelpers, CompleteTimeByShape) {
  struct Case {
    const char* typed;
    const char* completed;
  };
  const Case cases[] = {
      {"930", "09:30"},    {"9.30", "09:30"},  {"9:30", "09:30"},  {"0930", "09:30"},
      {" 1745 ", "17:45"}, {"12345", "12345"}, {"12:30", "12:30"}, {"", ""},
      {"5", "5"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CompleteTime(c.typed), c.completed) << c.typed;
}

} // namespace
} // namespace tarvik
