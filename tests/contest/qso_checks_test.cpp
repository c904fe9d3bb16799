// Report strings, serial texts and the syntax checks of the entry fields.

#include <gtest/gtest.h>

#include "contest/qso_checks.h"
#include "datafiles/report.h"
#include "radio/date_time.h"
#include "support/fake_clock.h"

namespace tarvik::test {
namespace {

TEST(Report, JoinAndSplit) {
  struct Case {
    const char* rst;
    const char* e2;
    const char* e3;
    const char* e4;
    const char* report;
  };
  const Case cases[] = {
      {"599", "N01", "", "", "599N01"},
      {"59", "N01", "JO31", "", "59 N01/JO31"},
      {"599", "N01", "", "JO31", "599N01//JO31"}, // element 3 empty, element 4 set
      {"599", "", "", "", "599"},
      {"", "001", "", "", "   001"},
      {"5999", "ABCDEFGHIJ", "KLMNOP", "QR", "599ABCDEFGHIJ/KLMNOP"}, // cut to 20
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    EXPECT_EQ(JoinReport(c.rst, c.e2, c.e3, c.e4), c.report);
  }
  EXPECT_EQ(SplitReport("599N01//JO31"), (ReportParts{"599", {"N01", "", "JO31"}}));
  EXPECT_EQ(SplitReport("59 N01/JO31/X/Y"), (ReportParts{"59 ", {"N01", "JO31", "X/Y"}}));
  EXPECT_EQ(SplitReport("59"), (ReportParts{"59", {"", "", ""}}));
  EXPECT_EQ(ReportExchange("599N01/JO31"), "N01/JO31");
  EXPECT_EQ(ReportExchange("599"), "");
}

TEST(Report, RstOnCwAndSerialTexts) {
  EXPECT_EQ(NormaliseRst("59", true), "599");  // "59" typed on CW
  EXPECT_EQ(NormaliseRst("59", false), "59 "); // stays on SSB
  EXPECT_EQ(NormaliseRst("5", true), "5  ");   // a second blank: unchanged
  EXPECT_EQ(NormaliseRst("579", true), "579");
  EXPECT_EQ(SerialText(7), "007");
  EXPECT_EQ(SerialText(42), "042");
  EXPECT_EQ(SerialText(999), "999");
  EXPECT_EQ(SerialText(1000), "1000"); // never "***" and never cut
  EXPECT_EQ(SerialText(123456), "123456");
  EXPECT_EQ(PadSerialElement(" 7"), "007");
  EXPECT_EQ(PadSerialElement("12"), "012");
  EXPECT_EQ(PadSerialElement("1234"), "1234");
  EXPECT_EQ(PadSerialElement(""), "");
}

TEST(QsoChecks, ReadingTheCallText) {
  EXPECT_EQ(ReadCallText("DL1ABC-P"), "DL1ABC/P");
  EXPECT_EQ(ReadCallText("DL1ABC P"), "DL1ABC/P");
  EXPECT_EQ(ReadCallText("DL1ABC "), "DL1ABC"); // a trailing blank is no "/"
  EXPECT_EQ(ReadCallText("  PA DL1ABC"), "PA/DL1ABC");
  EXPECT_EQ(ReadCallText("DL1ABC#"), "DL1ABC/P"); // upper case like every other call
  EXPECT_EQ(ReadCallText("DL1ABCDEFGHIJKL"), "DL1ABCDEFGHI");
}

TEST(QsoChecks, CallSyntax) {
  struct Case {
    const char* call;
    int result;
  };
  const Case cases[] = {
      {"", 1},     {"DL", 1},        {"DL1", 1},  {"K1", 1},       {"DL1A", 0},
      {"K1A", 0},  {"12AB", 2},      {"DLA1", 2}, {"DL1ABC", 0},   {"DL1ABC/P", 0},
      {"9A1A", 0}, {"PA/DL1ABC", 0}, {"ABC", 2},  {" DL1ABC ", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    EXPECT_EQ(CallSyntax(c.call), c.result);
  }
}

TEST(QsoChecks, GermanCallsDoksAndSquares) {
  EXPECT_TRUE(IsGermanCall("DL1ABC", '2'));
  EXPECT_TRUE(IsGermanCall("DA0XX", '2'));
  EXPECT_TRUE(IsGermanCall("DR1A", '2'));
  EXPECT_FALSE(IsGermanCall("DI1A", '2'));
  EXPECT_FALSE(IsGermanCall("DS1A", '2'));
  EXPECT_FALSE(IsGermanCall("OK1A", '2'));
  EXPECT_TRUE(IsGermanCall("OK1A", 'B'));

  EXPECT_TRUE(DokSyntaxValid("WN"));
  EXPECT_TRUE(DokSyntaxValid("5N"));
  EXPECT_FALSE(DokSyntaxValid("AB"));
  EXPECT_FALSE(DokSyntaxValid("N"));
  EXPECT_TRUE(DokSyntaxValid("N01"));
  EXPECT_TRUE(DokSyntaxValid("Z14"));

  EXPECT_TRUE(HolylandSquareValid("F12TA"));
  EXPECT_FALSE(HolylandSquareValid("F12XX"));
  EXPECT_FALSE(HolylandSquareValid("F1TA"));
  EXPECT_FALSE(HolylandSquareValid("112TA"));

  EXPECT_TRUE(IsUsState("CA"));
  EXPECT_TRUE(IsUsState("DC"));
  EXPECT_FALSE(IsUsState("XX"));
  EXPECT_FALSE(IsUsState("ca"));

  EXPECT_TRUE(IsDistrictDok("N01"));
  EXPECT_FALSE(IsDistrictDok("N1"));
  EXPECT_FALSE(IsDistrictDok("1N0"));
}

TEST(QsoChecks, ClubStations) {
  struct Case {
    const char* call;
    bool club;
  };
  const Case cases[] = {
      {"DP0EPO", true},  {"DK0XY", true},  {"DA0AB", true},  {"DF0WN", true},
      {"DB0XY", false},  {"DQ1A", true},   {"DR5X", true},   {"DL1A", true}, // 4 chars
      {"DL1ABC", false}, {"DK1XY", false}, {"OK0AB", false}, {"DL", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    EXPECT_EQ(IsClubStation(c.call), c.club);
  }
}

TEST(QsoChecks, DateAndTimeTexts) {
  FakeClock clock;
  clock.now = {2026, 3, 14, 12, 0, 0, 0};
  EXPECT_EQ(ReadTimeText("00:00"), 0); // midnight is a time
  EXPECT_EQ(ReadTimeText("14:30"), 14 * 3600 + 30 * 60);
  EXPECT_EQ(ReadTimeText("14:30:15"), 14 * 3600 + 30 * 60 + 15);
  EXPECT_EQ(ReadTimeText("1430"), 14 * 3600 + 30 * 60);
  EXPECT_EQ(ReadTimeText("9:30"), 9 * 3600 + 30 * 60);
  EXPECT_EQ(ReadTimeText("9:3"), BadTime); // does not parse: no time, never 00:00
  EXPECT_EQ(ReadTimeText(""), BadTime);
  EXPECT_EQ(ReadTimeText("12:3x"), BadTime);
  EXPECT_EQ(ReadTimeText("25:00"), BadTime);
  EXPECT_EQ(ReadDateText("14.03.2026", clock), DmyToDay(14, 3, 2026));
  EXPECT_EQ(ReadDateText("1403", clock), DmyToDay(14, 3, 2026));
  EXPECT_EQ(ReadDateText("31.02.2026", clock), BadDate);
  EXPECT_EQ(ReadDateText("", clock), BadDate);
  EXPECT_EQ(TimeFieldText(0), "00:00");
  EXPECT_EQ(TimeFieldText(59), "00:00:59");
  EXPECT_EQ(TimeFieldText(BadTime), "");
  EXPECT_EQ(DateFieldText(0), "");
}

} // namespace
} // namespace tarvik::test
