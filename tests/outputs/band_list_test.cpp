// The band list and the multiplier check list: the files of the code-2 log against
// hand-written ones, a band without QSOs, the order inside a band, the listener columns,
// the DOK and prefix rows of the check list, the page header on every printed page, and the
// whole-log file that puts the cover sheet before a list.

#include <gtest/gtest.h>

#include "base/strings.h"
#include "base/text_helpers.h"
#include "output_fixture.h"
#include "outputs/band_list.h"
#include "outputs/multi_check_list.h"
#include "outputs/output_kinds.h"
#include "recording_canvas.h"

namespace tarvik::test {
namespace {

class Lists : public OutputTest {
protected:
  /// The file's lines without their CR LF and the five blanks.
  std::vector<std::string> FileLines(int kind) {
    std::vector<std::string> lines;
    const std::string file = Written(kind);
    std::size_t start = 0;
    while (start < file.size()) {
      const std::size_t end = file.find("\r\n", start);
      EXPECT_EQ(file.substr(start, 5), "     ");
      lines.push_back(file.substr(start + 5, end - start - 5));
      start = end + 2;
    }
    return lines;
  }
};

TEST_F(Lists, FilesMatchTheHandWrittenFiles) {
  MakeCode2Log();
  EXPECT_EQ(Written(output_kind::kELogBandList), Expected("code2.BND"));
  EXPECT_EQ(Written(output_kind::kELogMultiCheck), Expected("code2-multi.txt"));
  // The whole-log file: the cover sheet, then the E-Log QSO list.
  EXPECT_EQ(Written(output_kind::kELogWhole), Expected("code2.SUM") + Expected("code2.ALL"));
}

// Every band of the contest gets its section, also one without QSOs; inside a band the QSOs
// follow their per-band number; marker records are left out.
TEST_F(Lists, BandSectionsAndOrder) {
  MakeContest('3', 1); // bands 80 m, 40 m, 10 m
  Add({.call = "DL2BBB",
       .datum = Mar(14),
       .zeit = At(9, 5),
       .band = 'c',
       .rsts = "59 N01",
       .rstr = "59 B02",
       .multMark1 = "B02",
       .bandNr = 2});
  Add(Marker('c'));
  Add({.call = "DL1AAA",
       .datum = Mar(14),
       .zeit = At(9, 0),
       .band = 'c',
       .rsts = "59 N01",
       .rstr = "59 A01",
       .multMark1 = "A01",
       .bandNr = 1});
  Add({.call = "DL3CCC",
       .datum = Mar(14),
       .zeit = At(9, 9),
       .band = 'i',
       .mode = "CW",
       .rsts = "599N01",
       .rstr = "599C03",
       .punkte = 10,
       .multMark1 = "C03",
       .bandNr = 1});
  const std::vector<std::string> lines = FileLines(output_kind::kELogBandList);
  const std::vector<std::string> expected = {
      FixWidth(contest_.definition.ContestName + "  Band List   DL1XYZ/P", 77),
      " ",
      "DATE   UTC  CALL     BAND MODE SENT      RCVD      DOK    P",
      " ",
      " ",
      "Band List   DL1XYZ/P   80 m",
      " ",
      " ",
      " ",
      "Band List   DL1XYZ/P   40 m",
      " ",
      "140326 0900 DL1AAA   40   SSB  59  N01   59  A01   A01    1",
      "140326 0905 DL2BBB   40   SSB  59  N01   59  B02   B02    1",
      " ",
      " ",
      "Band List   DL1XYZ/P   10 m",
      " ",
      "140326 0909 DL3CCC   10   CW   599 N01   599 C03   C03   10",
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(Lists, ListenerColumns) {
  MakeContest('2');
  contest_.definition.ListenerLog = 1;
  QsoListColumns columns = QsoListColumnsFor(contest_.definition);
  EXPECT_EQ(BandListColumnHeader(contest_.definition, columns, true),
            "DATE   UTC  CALL     BAND MODE SENT      CALL2     SENT2     DOK   Loc   P");
  std::array<char, QsoRecord::kLength> bytes{};
  QsoRecord r(bytes.data());
  r.SetCall("DL1ABC");
  r.SetDatum(Mar(14));
  r.SetZeit(At(9, 0));
  r.SetBand('l');
  r.SetMode("SSB");
  r.SetRSTs("59 N01");
  r.SetRSTr("57 A01");
  r.SetCall2("DL7XX");
  r.SetPunkte(2);
  EXPECT_EQ(BandListRow(r, contest_.definition, columns, true),
            "140326 0900 DL1ABC   70 c SSB  59  N01   DL7XX     57  A01               2");
}

TEST_F(Lists, PrintedBandListRepeatsItsPageHeader) {
  MakeContest('2');
  for (int i = 1; i <= 80; ++i)
    Add({.call = "DL" + std::to_string(i) + "X",
         .datum = Mar(14),
         .zeit = At(9, 0),
         .rsts = "59 N01",
         .rstr = "59 A01",
         .bandNr = i});
  RecordingCanvas canvas;
  PaperPage page(canvas, 9);
  ASSERT_TRUE(PrintBandList(page, OutputSourceFor()));
  ASSERT_GE(canvas.PageNumber(), 2);
  for (int p = 1; p <= canvas.PageNumber(); ++p) {
    const auto texts = canvas.Page(p);
    ASSERT_GE(texts.size(), 3U);
    EXPECT_EQ(texts[0].text.substr(65), "Page :" + LeftPad(std::to_string(p), 4));
    EXPECT_TRUE(texts[0].bold);
    EXPECT_TRUE(texts[2].text.starts_with("DATE   UTC  CALL"));
    EXPECT_LE(texts.back().y + page.LineHeight(), canvas.pageHeight);
  }
  for (const RecordingCanvas::Text& t : canvas.texts)
    if (t.text.starts_with("Band List   "))
      EXPECT_TRUE(t.bold);
}

// The DOK part: one row per DOK in DOK order, the first call per band; a DOK longer than 6
// characters shown cut to 6 but kept apart from another one that starts alike.
TEST_F(Lists, MultiplierCheckListDokRows) {
  MakeContest('3', 1); // bands 80 m, 40 m, 10 m; DOK multipliers
  Add({.call = "DL1AAA", .band = 'b', .dok = "P01"});
  Add({.call = "DL2AAA", .band = 'b', .dok = "P01"});
  Add({.call = "DL3AAA", .band = 'i', .dok = "P01"});
  Add({.call = "DL4AAA", .band = 'c', .dok = "SAKSEN1"});
  Add({.call = "DL5AAA", .band = 'b', .dok = "SAKSEN1"});
  Add({.call = "DL6AAA", .band = 'b', .dok = "SAKSEN22"});
  Add({.call = "DL7AAA", .band = 'c'});
  Add(Marker('c'));
  Add({.call = "DL8AAA", .band = 0, .dok = "A01"});
  const std::vector<std::string> lines = FileLines(output_kind::kELogMultiCheck);
  const std::vector<std::string> expected = {
      FixWidth(contest_.definition.ContestName + " Multiplier Check List   DL1XYZ/P", 65),
      " ",
      " ",
      "Multi   80 m         40 m         10 m         ",
      " ",
      "P01     DL1AAA                    DL3AAA       ",
      "SAKSEN  DL5AAA       DL4AAA                    ",
      "SAKSEN  DL6AAA                                 ",
  };
  EXPECT_EQ(lines, expected);

  // A contest without DOK, area, LDK or prefix multipliers: the page header only.
  MakeContest('A');
  EXPECT_EQ(FileLines(output_kind::kELogMultiCheck).size(), 5U);
}

// The prefix part: "DL" only when the contest counts it; with the European-only option a
// prefix of another continent starts no row and its call lands in no other row (W1AAA is
// not listed as the 80 m station of ON).
TEST_F(Lists, MultiplierCheckListPrefixRows) {
  MakeContest('V', 1); // bands 160 m, 80 m; prefix and DOK multipliers, "DL" not counted
  contest_.definition.Options.reset(4);
  Add({.call = "DL1AAA", .band = 'a', .prefix = "DL", .continent = "EU"});
  Add({.call = "OK1AAA", .band = 'b', .prefix = "OK", .continent = "EU"});
  Add({.call = "OK2AAA", .band = 'b', .prefix = "OK", .continent = "EU"});
  Add({.call = "W1AAA", .band = 'b', .prefix = "W", .continent = "NA"});
  Add({.call = "ON4AAA", .band = 'a', .prefix = "ON", .continent = "EU"});
  auto rows = [&] {
    std::vector<std::string> lines = FileLines(output_kind::kELogMultiCheck);
    return std::vector<std::string>(lines.begin() + 5, lines.end());
  };
  EXPECT_EQ(rows(), (std::vector<std::string>{"OK                   OK1AAA       ",
                                              "ON      ON4AAA                    ",
                                              "W                    W1AAA        "}));
  contest_.definition.Options.set(3);
  contest_.definition.Options.set(9);
  EXPECT_EQ(rows(), (std::vector<std::string>{"DL      DL1AAA                    ",
                                              "OK                   OK1AAA       ",
                                              "ON      ON4AAA                    "}));
}

// Code i puts the band list after its cover sheet in the whole-log file.
TEST_F(Lists, WholeLogFileOfCodeI) {
  MakeContest('i');
  Add({.call = "DL1ABC",
       .datum = Mar(14),
       .zeit = At(9, 0),
       .band = 'b',
       .rsts = "59 MF1",
       .rstr = "59 MF2",
       .multMark1 = "MF2"});
  const std::string whole = Written(output_kind::kELogWhole);
  const std::string cover = Written(output_kind::kELogCover);
  const std::string bands = Written(output_kind::kELogBandList);
  EXPECT_EQ(whole, cover + bands);
}

} // namespace
} // namespace tarvik::test
