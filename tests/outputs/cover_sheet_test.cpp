// The cover sheet: the German sheet of the code-2 log and the English sheet of a code-8 log
// against hand-written files; the per-code lines; the band table of per-band, code-h and
// code-i contests; the score line by contest kind; the footer's wrapping and its signature
// on paper; and the printed sheet on one page.

#include <gtest/gtest.h>

#include "base/process_settings.h"
#include "output_fixture.h"
#include "outputs/cover_sheet.h"
#include "outputs/output_kinds.h"
#include "recording_canvas.h"

namespace tarvik::test {
namespace {

class CoverSheet : public OutputTest {
protected:
  void TearDown() override {
    SetLanguageFlag(1);
    OutputTest::TearDown();
  }

  /// The sheet's lines (file form, without the five blanks).
  std::vector<std::string> Lines(bool paper = false) {
    std::vector<std::string> out;
    for (const CoverSheetLine& line : CoverSheetLines(OutputSourceFor(), paper))
      out.push_back(line.text);
    return out;
  }

  bool Has(const std::string& line, bool paper = false) {
    for (const std::string& l : Lines(paper))
      if (l == line)
        return true;
    return false;
  }

  /// The lines from the first one starting with `start`, `count` of them.
  std::vector<std::string> From(const std::string& start, std::size_t count) {
    const std::vector<std::string> lines = Lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].starts_with(start))
        return {lines.begin() + static_cast<std::ptrdiff_t>(i),
                lines.begin() + static_cast<std::ptrdiff_t>(std::min(lines.size(), i + count))};
    return {};
  }
};

const std::string T(10, ' ');

TEST_F(CoverSheet, FilesMatchTheHandWrittenFiles) {
  MakeCode2Log();
  EXPECT_EQ(Written(output_kind::kELogCover), Expected("code2.SUM"));
}

TEST_F(CoverSheet, EnglishCode8FileMatchesTheHandWrittenFile) {
  // English, code 8: a band table without multiplier columns, the DXCC and square counts
  // and the QSO with the most points (the first of two in time order).
  MakeContest('8', 1);
  SetLanguageFlag(0);
  contest_.station.locator = "JO31AB";
  contest_.station.country = "Germany";
  Add({.call = "DL1ABC",
       .datum = Mar(7),
       .zeit = At(14, 5),
       .punkte = 245,
       .prefix = "DL",
       .locator = "JO42AB"});
  Add({.call = "PA0AAA",
       .datum = Mar(7),
       .zeit = At(14, 30),
       .punkte = 412,
       .prefix = "PA",
       .locator = "JO22AA"});
  Add(Marker('k'));
  Add({.call = "DL2ABC", .datum = Mar(7), .zeit = At(14, 20), .punkte = 0, .prefix = "DL"});
  Add({.call = "OK1XYZ",
       .datum = Mar(7),
       .zeit = At(14, 10),
       .punkte = 412,
       .prefix = "OK",
       .locator = "JN69UB"});
  SetTotals(4, 1069, 0);
  EXPECT_EQ(Written(output_kind::kELogCover), Expected("code8-en.SUM"));
}

TEST_F(CoverSheet, PerCodeLines) {
  struct Case {
    char code;
    int category;
    std::int32_t extraNumber;
    const char* line;
  };
  const Case cases[] = {
      {'P', 1, -1, "Lebensalter: XX"},
      {'P', 1, 7, "Lebensalter: 07"},
      {'7', 1, 42, "Call: DL1XYZ/P     DOK: N01          Loc:          DIG: 0042"},
      {'7', 1, -1, "Call: DL1XYZ/P     DOK: N01          Loc:          DIG: "},
      {'4', 1, 5, "Call: DL1XYZ/P     LDK: NW           Loc:          RTC: 0005"},
      {'A', 1, 0, "Call: DL1XYZ/P     LDK: NW           Loc:          "},
      {'Y', 1, 1, "Wertungsgruppe: M: Multi = Multi OP/Single TX"},
      {'Y', 1, 0, "Wertungsgruppe: S: Single = Single OP/Single TX"},
      {'Z', 1, 0, "IPARC-Mitglied: Nein"},
      {'b', 1, 3, "mit einem individuellen Unikat teilgenommen."},
      {'b', 1, 2, "mit einem von mir selbstgebauten Bausatz teilgenommen."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.code) + " " + c.line);
    MakeContest(c.code, c.category);
    Header().SetExtraNumber(c.extraNumber);
    Header().SetLdk("NW");
    EXPECT_TRUE(Has(c.line));
  }
  // No category chosen: an empty line where the category stands.
  MakeContest('2', 0);
  EXPECT_EQ(From("Call:", 4),
            (std::vector<std::string>{"Call: DL1XYZ/P     DOK: N01          Loc:          ", "", "",
                                      " "}));
  // A listener entry names the SWL number instead of the call.
  MakeContest('2');
  contest_.definition.ListenerLog = 1;
  EXPECT_TRUE(Has("SWL:  DE-1234             DOK: N01          Loc:          "));
  // The station description of codes b and j.
  MakeContest('j');
  contest_.station.stationDescription = "FT-817\r\nDipol";
  EXPECT_EQ(From("Angaben zur Station:", 4),
            (std::vector<std::string>{"Angaben zur Station:", "FT-817", "Dipol", " "}));
  contest_.station.stationDescription.clear();
  EXPECT_FALSE(Has("Angaben zur Station:"));
  // Code G names its bonus multipliers.
  MakeContest('G');
  Add({.call = "DL1ABC", .multMark1 = "F28"});
  EXPECT_TRUE(Has(T + "Multiberechnung inklusive Zusatzmultipunkt F28"));
  Add({.call = "DL2ABC", .multMark1 = "HT06"});
  EXPECT_TRUE(Has(T + "Multiberechnung inklusive Zusatzmultipunkte F28 und HT06"));
}

TEST_F(CoverSheet, ScoreLineByContestKind) {
  struct Case {
    char code;
    bool english;
    const char* score;
  };
  const Case cases[] = {
      {'2', false, "22 Punkte x 5 Multi = 110 Punkte"},
      {'2', true, "22 Points x 5 Multi = 110  Points"},
      {'5', false, "22 Punkte /  5 PLZ-Bereiche"},
      {'5', true, "22 Points /  5 PLZ-Bereiche"},
      {'P', false, "22 Punkte   5 Prefixe"},
      {'N', false, "22 Punkte (5 Multi) = 22 Punkte"},
      {'A', false, "22 Punkte"},
      {'A', true, "22  Points"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.code) + " " + c.score);
    MakeContest(c.code);
    SetLanguageFlag(c.english ? 0 : 1);
    SetTotals(4, 22, 3, 2);
    EXPECT_TRUE(Has(T + (c.english ? "Final Score:  " : "Endergebnis:  ") + c.score));
  }
  // Without a multiplier yet the score is the points.
  SetLanguageFlag(1);
  MakeContest('2');
  SetTotals(4, 22, 0, 0);
  EXPECT_TRUE(Has(T + "Endergebnis:  22 Punkte x 0 Multi = 22 Punkte"));
}

// A per-band contest (code Z): each band's share of the score in the "Gesamt" column
// (points alone on a band without multipliers, as the score counts them), no sum line, the
// score right-aligned in 6 and the longer rule.
TEST_F(CoverSheet, PerBandTable) {
  MakeContest('Z');
  ASSERT_NE(Header().extendedStats(), 0); // code Z keeps its totals in the extension record
  ContestExtensionRecord e = Extension();
  e.SetBandQsos(1, 3);
  e.SetBandPoints(1, 10);
  e.SetBandMultis(1, 2);
  e.SetBandColumnMultis(1, 1, 2);
  e.SetBandQsos(2, 1);
  e.SetBandPoints(2, 5);
  const std::string rule = T + std::string(55, '_');
  EXPECT_EQ(From(T + "    Band", 10),
            (std::vector<std::string>{
                T + "    Band    QSO   Punkte      DXCC  US-State    Gesamt",
                T + "    80 m      3       10        2         0         20",
                T + "    40 m      1        5        0         0          5",
                T + "    20 m      0        0        0         0          0",
                T + "    15 m      0        0        0         0          0",
                T + "    10 m      0        0        0         0          0",
                rule,
                " ",
                T + "Endergebnis:      25",
                rule,
            }));
}

// Code i: the band rows come from the QSOs (their number, points and multiplier marks); a
// contest that counts its multipliers once for all bands has no band table.
TEST_F(CoverSheet, BandRowsFromTheLogAndNoTable) {
  MakeContest('i');
  Add({.call = "DL1ABC", .band = 'b', .punkte = 3, .multMark1 = "MF123"});
  Add({.call = "DL2ABC", .band = 'b', .punkte = 2});
  Add(Marker('c'));
  Add({.call = "DL3ABC", .band = 'c', .punkte = 4, .multMark1 = "MF7"});
  const std::vector<std::string> table = From(T + "    Band", 9);
  ASSERT_EQ(table.size(), 9U);
  EXPECT_EQ(table[0], T + "    Band    QSO   Punkte     Naval");
  EXPECT_EQ(table[1], T + "    80 m      2        5        1   ");
  EXPECT_EQ(table[2], T + "    40 m      1        4        1   ");
  EXPECT_EQ(table[7], T + "Summe         3        9        2   ");
  MakeContest('5');
  EXPECT_TRUE(From(T + "    Band", 1).empty());
}

TEST_F(CoverSheet, CodeHTableAndLists) {
  MakeContest('h', 1);
  Add({.call = "DL1ABC", .band = 'b', .multMark1 = "F12", .multMark2 = "DA0HQ"});
  Add({.call = "DL2ABC", .band = 'b', .multMark1 = "K01"});
  Add({.call = "DL3ABC", .band = 'b', .multMark1 = "HAM"});
  Add({.call = "DL4ABC", .band = 'b', .multMark1 = "F12"});
  const std::vector<std::string> table = From(T + "    Band", 2);
  ASSERT_EQ(table.size(), 2U);
  EXPECT_EQ(table[0], T + "    Band    QSO   Punkte   Callmulti" + std::string(10, ' ') +
                          "     DOK   SDOK    Distrikte");
  EXPECT_EQ(table[1], T + "    80 m      0        0        0         0         1         1    "
                          "     2   ");
  EXPECT_TRUE(Has(T + std::string(63, '_')));
  EXPECT_EQ(From("Distrikte: ", 6),
            (std::vector<std::string>{"Distrikte: F ", "DOK:       K01 ", "S-DOK:     HAM ",
                                      "Loc:       ", "Sondercall:DA0HQ ", " "}));
}

// The footer: place, date and call on one line while they fit, the date on its own line
// after a place of 62 characters; the signature on paper only, the padding in both.
TEST_F(CoverSheet, FooterWrapping) {
  MakeContest('2');
  contest_.station.postcodePlace = "Ulm";
  Header().SetOwnCall("K1A");
  const std::string shortLine = "Ort: Ulm     Datum: 14.03.2026   Call: K1A ";
  EXPECT_TRUE(Has(shortLine));
  EXPECT_TRUE(Has(shortLine + "Unterschrift _______________", true));
  EXPECT_EQ(From(shortLine, 3)[1], "Dieses ContestLog wurde mit Tarvik Version 2006-1.0 "
                                   "erstellt. (https://tarvik.example.org)");

  const std::string place = "12345 " + std::string(51, 'x');
  contest_.station.postcodePlace = place;
  EXPECT_EQ(From("Ort: 1", 4),
            (std::vector<std::string>{"Ort: " + place, " ",
                                      "Datum: 14.03.2026   Call: K1A" + std::string(14, ' '),
                                      "Dieses ContestLog wurde mit Tarvik "
                                      "Version 2006-1.0 erstellt. "
                                      "(https://tarvik.example.org)"}));
  // A line too long for the signature: the signature on a line of its own after a blank.
  contest_.station.postcodePlace = "44135 Dortmund";
  Header().SetCategory(4);
  EXPECT_EQ(From("Ort: 4", 4),
            (std::vector<std::string>{"Ort: 44135 Dortmund     Datum: 14.03.2026     SWL :DE-1234",
                                      " ", " ",
                                      "Dieses ContestLog wurde mit Tarvik Version 2006-1.0 "
                                      "erstellt. (https://tarvik.example.org)"}));
  EXPECT_EQ(Lines(true)[Lines(true).size() - 6], "Unterschrift _______________");

  SetLanguageFlag(0);
  Header().SetCategory(1);
  contest_.station.postcodePlace = "Ulm";
  EXPECT_TRUE(Has(" City:Ulm Date 14.03.2026 Call K1A" + std::string(16, ' ')));
  EXPECT_TRUE(Has(
      " City:Ulm Date 14.03.2026 Call K1A" + std::string(16, ' ') + "Sign _______________", true));
}

TEST_F(CoverSheet, PrintedOnOnePageWithBoldBlocks) {
  MakeCode2Log();
  RecordingCanvas canvas;
  PaperPage page(canvas, 9);
  Fileblock& log = Log();
  const std::string header = contest_.header, extension = contest_.extension;
  const OutputSource source = OutputSourceFor();
  ASSERT_TRUE(PrintCoverSheet(page, source));
  (void)log;
  (void)header;
  (void)extension;
  ASSERT_FALSE(canvas.texts.empty());
  EXPECT_EQ(canvas.texts.back().page, 1);
  EXPECT_LE(canvas.texts.back().y, canvas.pageHeight);
  auto find = [&](std::string_view start) -> const RecordingCanvas::Text* {
    for (const RecordingCanvas::Text& t : canvas.texts)
      if (t.text.starts_with(start))
        return &t;
    return nullptr;
  };
  for (const char* bold : {"Name:", "Ort:        44135", "Call: DL1XYZ/P", "Teilnahmeart:"}) {
    ASSERT_NE(find(bold), nullptr) << bold;
    EXPECT_TRUE(find(bold)->bold) << bold;
  }
  const std::string table = T + "    Band";
  for (const char* regular : {table.c_str(), "Ich erkl"})
    EXPECT_FALSE(find(regular)->bold) << regular;
  ASSERT_NE(find("Ort: 44135 Dortmund     Datum:"), nullptr);
  EXPECT_NE(find("Unterschrift _______________"), nullptr);
  // Every line starts at the left margin (1.4 cm) and the first 1 cm from the top.
  EXPECT_EQ(canvas.texts.front().x, 165);
  EXPECT_EQ(canvas.texts.front().y, 118);
}

} // namespace
} // namespace tarvik::test
