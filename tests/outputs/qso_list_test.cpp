// The QSO list: the E-Log list file against hand-written files (code 2, a listener log of
// code J, the points-only code P), the summary lines and the multiplier formula, a log of
// marker records only, and the paper list with its page breaks on a recording canvas.

#include <gtest/gtest.h>

#include <set>

#include "output_fixture.h"
#include "outputs/output_kinds.h"
#include "outputs/qso_list.h"
#include "recording_canvas.h"

namespace tarvik::test {
namespace {

class QsoList : public OutputTest {
protected:
  /// The J listener log of the hand-written files codeJ-swl.*.
  void MakeListenerLog() {
    MakeContest('J', 2);
    ASSERT_NE(contest_.definition.ListenerLog, 0);
    Add({.call = "DK2AB",
         .datum = Mar(14),
         .zeit = At(10, 12),
         .band = 'c',
         .mode = "CW",
         .rsts = "579",
         .rstr = "599Z07/JO53",
         .punkte = 1,
         .multMark1 = "Z07",
         .multMark2 = "DL",
         .call2 = "DL7XX"});
    Add({.call = "OK1ABC",
         .datum = Mar(14),
         .zeit = At(10, 40),
         .band = 'l',
         .mode = "SSB",
         .rsts = "59 ",
         .rstr = "59 /JO60",
         .punkte = 120,
         .multMark2 = "OK",
         .call2 = "DL0HMB"});
    SetTotals(2, 121, 1, 2);
  }
};

TEST_F(QsoList, ELogFilesMatchTheHandWrittenFiles) {
  MakeCode2Log();
  EXPECT_EQ(Written(output_kind::kELogQsoList), Expected("code2.ALL"));
}

TEST_F(QsoList, ListenerLogHasTheHeardStationsExchangeFirst) {
  MakeListenerLog();
  EXPECT_EQ(Written(output_kind::kELogQsoList), Expected("codeJ-swl.ALL"));
}

TEST_F(QsoList, PointsOnlyContestHasNoFormula) {
  MakeContest('P', 1);
  Add({.call = "DN1ABC",
       .datum = Mar(14),
       .zeit = At(8, 0),
       .band = 'b',
       .mode = "SSB",
       .rsts = "59 01",
       .rstr = "59 37",
       .punkte = 57,
       .multMark1 = "DN1"});
  Add({.call = "DL5XYZ",
       .datum = Mar(14),
       .zeit = At(8, 10),
       .band = 'c',
       .mode = "CW",
       .rsts = "59901",
       .rstr = "59945",
       .punkte = 45,
       .multMark1 = "DL5"});
  SetTotals(2, 102, 2);
  EXPECT_EQ(Written(output_kind::kELogQsoList), Expected("codeP.ALL"));
}

TEST_F(QsoList, SummaryLines) {
  struct Case {
    char code;
    int m1, m2, m3;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {'2', 12, 0, 3, {" ", "(   12 +     3) x     850", " ", "  12750 Punkte"}},
      {'2', 12, 7, 0, {" ", "(   12 +     7) x     850", " ", "  16150 Punkte"}},
      {'2', 12, 0, 0, {" ", "(   12) x     850", " ", "  10200 Punkte"}},
      // No multiplier yet: the points alone, as the log window shows them.
      {'2', 0, 0, 0, {" ", " x     850", " ", "    850 Punkte"}},
      // Postcode areas are counted, not multiplied.
      {'5', 9, 0, 0, {" ", "    850 Punkte", "      9 PLZ-Bereiche"}},
      // No multiplier kinds at all.
      {'A', 0, 0, 0, {" ", "    850 Punkte"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << " " << c.m1 << "/" << c.m2 << "/" << c.m3);
    MakeContest(c.code);
    SetTotals(30, 850, c.m1, c.m2, c.m3);
    const OutputTotals totals = ReadOutputTotals(contest_.definition, Header(), Extension());
    EXPECT_EQ(QsoListSummary(contest_.definition, c.code, totals), c.lines);
  }
}

TEST_F(QsoList, OnlyMarkerRecordsGiveHeaderAndSummary) {
  MakeContest('2');
  Add(Marker('k'));
  Add(Marker('l'));
  SetTotals(0, 0, 0);
  const std::string title = "     " + QsoListTitle(contest_.definition, false, "DL1XYZ/P", "");
  EXPECT_EQ(Written(output_kind::kELogQsoList),
            CrLf({title, "      ",
                  "     Nr   DATE   UTC  CALL     BAND MODE   SENT      RCVD      DOK   Loc   "
                  "P",
                  "      ", "      x       0", "      ", "           0 Punkte"}));
}

TEST(QsoListFields, BandsAndExchanges) {
  const std::pair<char, const char*> bands[] = {{'a', "160 "}, {'b', "80  "}, {'k', "2   "},
                                                {'l', "70  "}, {'p', "6   "}, {'r', "2189"},
                                                {'s', "1.2 "}, {'j', "6   "}, {'z', "??  "}};
  for (const auto& [band, text] : bands)
    EXPECT_EQ(ListBandText(band, false), text) << band;
  EXPECT_EQ(ListBandText('b', true), "80");
  EXPECT_EQ(ListBandText('l', true), "70  ");
  EXPECT_EQ(ListBandText('k', true), "2");
  EXPECT_EQ(ListExchange("599", 9), "599      ");
  EXPECT_EQ(ListExchange("59 V01/JO31AB", 9), "59  V01/J");
  EXPECT_EQ(ListExchange("", 10), "          ");
  EXPECT_EQ(SplitNameQth("Hans;Berlin").name, "Hans");
  EXPECT_EQ(SplitNameQth("Berlin").qth, "Berlin");
  EXPECT_EQ(SplitNameQth("Berlin").name, "");
  EXPECT_TRUE(NoNameQth(" ; "));
  EXPECT_TRUE(NoNameQth(""));
  EXPECT_FALSE(NoNameQth("Hans;"));
}

TEST_F(QsoList, NameColumnsOfCodesIAndO) {
  for (const char code : {'I', 'O'}) {
    SCOPED_TRACE(code);
    MakeContest(code);
    QsoListStyle style{code, false, false};
    QsoListColumns columns = QsoListColumnsFor(contest_.definition);
    std::array<char, QsoRecord::kLength> bytes{};
    QsoRecord r(bytes.data());
    r.SetCall("DL1ABC");
    r.SetZeit(At(9, 0));
    r.SetBand('b');
    r.SetPunkte(1);
    r.SetNameQTH("Hans;Berlin");
    const std::string row = QsoListRow(r, 1, contest_.definition, columns, style);
    const std::string header = QsoListColumnHeader(contest_.definition, columns, style);
    if (code == 'I') {
      EXPECT_TRUE(row.ends_with("1 Hans/Berlin")) << row;
      EXPECT_TRUE(header.ends_with("P Name/QTH")) << header;
    } else {
      EXPECT_TRUE(row.ends_with("1 Hans")) << row;
      EXPECT_TRUE(header.ends_with("P Name")) << header;
    }
    r.SetNameQTH(";");
    EXPECT_TRUE(QsoListRow(r, 1, contest_.definition, columns, style).ends_with(" 1"));
    style.csv = true;
    r.SetNameQTH("Hans;");
    EXPECT_TRUE(QsoListRow(r, 1, contest_.definition, columns, style).ends_with(";1;Hans"));
  }
}

// A log of three pages: every page repeats the bold title with its page number and the
// column header; no line runs past the page; the rows keep their order across the pages.
TEST_F(QsoList, PaperListBreaksPages) {
  MakeContest('2');
  constexpr int kQsos = 170;
  for (int i = 1; i <= kQsos; ++i)
    Add({.call = "DL" + std::to_string(i) + "AA",
         .datum = Mar(14),
         .zeit = At(19, i % 60),
         .rsts = "59 N01/JO42",
         .rstr = "59 5N/JO31",
         .punkte = 1});
  SetTotals(kQsos, kQsos, 1, 1);
  FakePrinter printer;
  printer.canvas.pageHeight = 3300;
  OutputServices services{&dialogs_, &printer, {}, &clock_, {}};
  RunOutputKind(output_kind::kPaperQsoList, contest_, services);
  ASSERT_EQ(printer.titles, std::vector<std::string>{"ZELKA - Papierlog - QSO-Liste"});
  EXPECT_EQ(printer.finished, 1);
  EXPECT_TRUE(dialogs_.events.empty());

  const RecordingCanvas& canvas = printer.canvas;
  ASSERT_EQ(canvas.PageNumber(), 3);
  const int lineHeight = 41; // 1.1 x 37 pixels of a 9-point text at 300 dpi
  int next = 1;
  for (int page = 1; page <= 3; ++page) {
    SCOPED_TRACE(page);
    const auto texts = canvas.Page(page);
    ASSERT_GE(texts.size(), 4U);
    EXPECT_EQ(texts[0].text, QsoListTitle(contest_.definition, false, "DL1XYZ/P", "") +
                                 "Page :   " + std::to_string(page));
    EXPECT_TRUE(texts[0].bold);
    EXPECT_EQ(texts[0].font, "Courier New");
    EXPECT_EQ(texts[0].points, 9);
    EXPECT_EQ(texts[0].y, 118); // 1 cm
    EXPECT_EQ(texts[0].x, 165); // 1.4 cm
    EXPECT_EQ(texts[1].text, " ");
    EXPECT_FALSE(texts[1].bold);
    EXPECT_TRUE(texts[2].text.starts_with("Nr   DATE   UTC  CALL"));
    for (std::size_t i = 1; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i].y, texts[i - 1].y + lineHeight);
      EXPECT_LE(texts[i].y + lineHeight, canvas.pageHeight);
      EXPECT_EQ(texts[i].x, 165);
    }
    for (std::size_t i = page == 1 ? 4 : 3; i < texts.size(); ++i) {
      if (texts[i].text.starts_with(std::string(4 - std::to_string(next).size(), ' ') +
                                    std::to_string(next) + " "))
        ++next;
    }
  }
  EXPECT_EQ(next, kQsos + 1);
  EXPECT_EQ(canvas.Page(1)[3].text, " "); // the blank line before the first row
  EXPECT_TRUE(canvas.texts.back().text.ends_with("    340 Punkte"));
}

TEST(PrinterFont, SizesByKindAndCategory) {
  EXPECT_EQ(PrinterFontPoints(5, 1), 9);
  EXPECT_EQ(PrinterFontPoints(5, 4), 8);
  EXPECT_EQ(PrinterFontPoints(4, 4), 8);
  EXPECT_EQ(PrinterFontPoints(1, 4), 9);
  EXPECT_EQ(PrinterFontPoints(3, 4), 10);
}

} // namespace
} // namespace tarvik::test
