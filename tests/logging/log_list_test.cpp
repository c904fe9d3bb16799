// The texts of the log list: title lines for a normal, a listener and a contest without
// multipliers; rows of a QSO, of a listener QSO and of a band-change marker record.

#include <gtest/gtest.h>

#include <array>

#include "base/dates.h"
#include "base/process_settings.h"
#include "base/strings.h"
#include "contest/contest_catalog.h"
#include "logging/log_list.h"
#include "recordfile/key_codec.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"

namespace tarvik::test {
namespace {

ContestDefinition Definition(char code, int category = 0) {
  FakeDialogs dialogs;
  FakeClock clock;
  ContestHeaderFields fields;
  fields.category = static_cast<std::uint8_t>(category);
  return BuildContestDefinition(code, fields, "JO31MX", dialogs, clock);
}

std::vector<std::string> Cells(const std::string& text) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(';', start);
    cells.push_back(text.substr(start, end - start));
    if (end == std::string::npos)
      return cells;
    start = end + 1;
  }
}

TEST(LogList, TitleLinesFollowTheContest) {
  SetLanguageFlag(1);
  struct Case {
    char code;
    int category;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      // Code 2: DOK and locator multipliers, name, QTH and frequency at the end.
      {'2',
       0,
       {"Nr    ", " Datum  ", " UTC ", " Call       ", "Band  ", "Mod   ",
        " RSTsent      "
        "       ",
        " RSTrcvd      "
        "       ",
        "DOK   ", "Loc   ", "Pkt  ", "sQr", "Name           ", "QTH            ", "Freq.    "}},
      // Code 3, SWL: the second call and report replace the sent report; no name or QTH.
      {'3',
       2,
       {"Nr    ", " Datum  ", " UTC ", " Call       ", "Band  ", "Mod   ", "Call2       ",
        "RSTsent2             ", " RSTrcvd             ", "DOK   ", "Pkt  ", "sQr"}},
      // Code A: no multiplier columns.
      {'A',
       0,
       {"Nr    ", " Datum  ", " UTC ", " Call       ", "Band  ", "Mod   ", " RSTsent             ",
        " RSTrcvd             ", "Pkt  ", "sQr", "Name           ", "QTH            ",
        "Freq.    "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const ContestDefinition def = Definition(c.code, c.category);
    const std::string line = LogListTitleLine(def);
    EXPECT_EQ(Cells(line), c.titles);
    const std::vector<int> widths = LogListColumnCharacters(def);
    ASSERT_EQ(widths.size(), c.titles.size());
    for (std::size_t i = 0; i < widths.size(); ++i)
      EXPECT_EQ(widths[i], static_cast<int>(c.titles[i].size()));
  }
  SetLanguageFlag(0);
  EXPECT_EQ(Cells(LogListTitleLine(Definition('2')))[0], "No    ");
  EXPECT_EQ(Cells(LogListTitleLine(Definition('2')))[1], "  Date  ");
  SetLanguageFlag(1);
}

TEST(LogList, NarrowListsGiveUpReportRoomSoThatThePointsStayInView) {
  constexpr int unit = 8;
  auto pixels = [](const ContestDefinition& def) {
    std::vector<int> widths = LogListColumnCharacters(def);
    for (int& w : widths)
      w = (w + 1) * unit;
    return widths;
  };
  auto through = [](const std::vector<int>& widths, std::size_t last) {
    int sum = 0;
    for (std::size_t c = 0; c <= last; ++c)
      sum += widths[c];
    return sum;
  };
  // Code 2: Nr, Datum, UTC, Call, Band, Mod, RSTsent (6), RSTrcvd (7), DOK, Loc, Pkt (10) ...
  const ContestDefinition def = Definition('2');
  const std::vector<int> wide = pixels(def);
  const int needed = through(wide, 10);
  EXPECT_EQ(FitLogListColumns(def, wide, needed, unit), wide); // fits: nothing changes
  EXPECT_EQ(FitLogListColumns(def, wide, 5000, unit), wide);

  // 40 pixels short: both report columns give up 20, nothing else changes.
  std::vector<int> fitted = FitLogListColumns(def, wide, needed - 40, unit);
  EXPECT_EQ(through(fitted, 10), needed - 40);
  for (std::size_t c = 0; c < wide.size(); ++c)
    EXPECT_EQ(fitted[c], wide[c] - (c == 6 || c == 7 ? 20 : 0)) << c;

  // Far too narrow: the reports keep their titles' width (" RSTsent      " and one more).
  fitted = FitLogListColumns(def, wide, 300, unit);
  EXPECT_EQ(fitted[6], 15 * unit);
  EXPECT_EQ(fitted[7], 15 * unit);
  EXPECT_EQ(fitted[10], wide[10]);
  // Columns narrowed by the person below that stay as they are.
  std::vector<int> narrow = wide;
  narrow[6] = 10 * unit;
  fitted = FitLogListColumns(def, narrow, through(narrow, 10) - 16, unit);
  EXPECT_EQ(fitted[6], 10 * unit);
  EXPECT_EQ(fitted[7], wide[7] - 16);

  // A listener log (code 3, category 2): the second station's report and the received one
  // narrow, the second call does not.
  const ContestDefinition swl = Definition('3', 2);
  const std::vector<int> swlWide = pixels(swl);
  fitted = FitLogListColumns(swl, swlWide, through(swlWide, 10) - 30, unit);
  EXPECT_EQ(fitted[6], swlWide[6]); // Call2
  EXPECT_EQ(fitted[7] + fitted[8], swlWide[7] + swlWide[8] - 30);
  // Fewer widths than columns (a list not built yet) are handed back unchanged.
  EXPECT_EQ(FitLogListColumns(def, {100, 100}, 50, unit), (std::vector<int>{100, 100}));
}

TEST(LogList, RowsShowTheStoredQso) {
  SetLanguageFlag(1);
  std::array<char, QsoRecord::kLength> buffer{};
  QsoRecord q(buffer.data());
  q.SetQSONr(12);
  q.SetDatum(DmyToDay(14, 3, 2026));
  q.SetZeit(0); // midnight is a time
  q.SetCall("DL1ABC/P");
  q.SetBand('k');
  q.SetMode("CW");
  q.SetRSTs("599N01/JO31");
  q.SetRSTr("5995N/JO42");
  q.SetMultMark1("5N");
  q.SetMultMark2("JO42");
  q.SetPunkte(3);
  q.SetQSLs('Y');
  q.SetQSLr('N');
  q.SetNameQTH("Hans;Münster");
  q.SetFreq(144.3f);
  EXPECT_EQ(Cells(LogListRow(q, Definition('2'))),
            (std::vector<std::string>{"    12", "14.03.26", "00:00", "DL1ABC/P", "2 m", "CW",
                                      "599 N01/JO31", "599 5N/JO42", "5N", "JO42", "   3", "Y N",
                                      "Hans", "Münster", "  144,300"}));

  // A listener QSO: the second call and its report; no time and no date show blank.
  q.SetDatum(-1);
  q.SetZeit(-1);
  q.SetCall2("DL2XYZ");
  q.SetRSTs("57 ");
  q.SetRSTr("59 N01");
  q.SetMultMark2("");
  EXPECT_EQ(Cells(LogListRow(q, Definition('3', 2))),
            (std::vector<std::string>{"    12", "", "", "DL1ABC/P", "2 m", "CW", "DL2XYZ", "57 ",
                                      "59  N01", "5N", "   3", "Y N"}));

  // A band-change marker record written by an earlier tool.
  std::array<char, QsoRecord::kLength> marker{};
  QsoRecord m(marker.data());
  m.SetQSYBand('b');
  m.SetQSONr(7);
  EXPECT_EQ(LogListRow(m, Definition('2')), ";*** QSY 80 m ***");
}

TEST(LogList, RangeCoversEveryRecordNumber) {
  EXPECT_EQ(LogListLowKey(), NumKey5(1));
  EXPECT_EQ(LogListHighKey(), NumKey5(999999999));
  EXPECT_LT(LogListLowKey(), NumKey5(2));
  EXPECT_GT(LogListHighKey(), NumKey5(1000000));
}

} // namespace
} // namespace tarvik::test

namespace tarvik::test {
namespace {

TEST(LogListSort, EntriesAndKeysFollowTheOptions) {
  ContestDefinition plain;
  ContestDefinition area;
  area.Options.set(8);
  ContestDefinition ldk;
  ldk.Options.set(17);
  EXPECT_EQ(LogListSortEntries(plain),
            (std::vector<std::string>{" Band - Nr", " Band - Call", " Band - DXCC", " alle - Nr",
                                      " alle - Call", " alle - DXCC", " alle - DOK"}));
  EXPECT_EQ(LogListSortEntries(ldk).back(), " alle - LDK");
  EXPECT_EQ(LogListSortEntries(area).size(), 8u);
  EXPECT_EQ(LogListSortEntries(area)[6], " alle - Area");

  struct Case {
    const ContestDefinition* definition;
    int index;
    int key;
    bool byBand;
  };
  const Case cases[] = {
      {&plain, 0, 8, true},   {&plain, 1, 9, true},   {&plain, 2, 10, true},
      {&plain, 3, 4, false},  {&plain, 4, 2, false},  {&plain, 5, 5, false},
      {&plain, 6, 18, false}, {&plain, 7, 0, false},  {&area, 6, 18, false},
      {&area, 7, 1, false}, // the DOK entry after "Area" sorts by date and time
      {&plain, -1, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    std::string low = "x";
    std::string high = "x";
    EXPECT_EQ(LogListSortKey(*c.definition, c.index, 'k', &low, &high), c.key);
    if (c.key == 0)
      continue;
    EXPECT_EQ(LogListSortByBand(c.index), c.byBand);
    if (c.byBand) {
      // Every key of the band lies in the range, keys of the neighbouring bands do not.
      EXPECT_LE(low, "k" + NumKey5(1));
      EXPECT_GE(high, "k" + std::string(20, 'Z'));
      EXPECT_LT(high, std::string("l"));
      EXPECT_GT(low, "j" + std::string(20, '\xFF'));
    } else if (c.key == 4) {
      EXPECT_EQ(low, LogListLowKey());
      EXPECT_EQ(high, LogListHighKey());
    } else {
      EXPECT_EQ(low, "");
      EXPECT_GE(high, std::string(50, '\xFE'));
    }
  }
}

} // namespace
} // namespace tarvik::test
