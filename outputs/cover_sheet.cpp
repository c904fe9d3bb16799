#include "outputs/cover_sheet.h"

#include <array>
#include <set>

#include "base/dates.h"
#include "base/process_settings.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/contest_catalog.h"
#include "contest/header_statistics.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

constexpr int kTimeOrder = qso_key::kDateTime;
constexpr std::string_view kIndent = "          "; // ten blanks before the table and score

std::string Num(std::int64_t n) {
  return std::to_string(n);
}
std::string Right(std::int64_t n, int width) {
  return LeftPad(std::to_string(n), width);
}

bool IsUpperIn(char c, char from, char to) {
  return c >= from && c <= to;
}
bool IsDigitChar(char c) {
  return c >= '0' && c <= '9';
}

/// Per-band counts of code h, taken from the QSOs.
struct CodeHBand {
  std::int32_t dok = 0, specialDok = 0, district = 0;
};

/// What the sheet needs from the QSOs themselves (one pass in key-1 order, band-change
/// marker records left out).
struct QsoFacts {
  bool complete = true;
  // code G
  bool f28 = false, ht06 = false;
  // code 8
  std::int32_t prefixes = 0, squares = 0;
  bool hasTop = false;
  std::string topCall, topLocator;
  std::int32_t topPoints = 0;
  // code i: per band QSOs, points and QSOs with a multiplier mark
  std::array<std::int32_t, 256> iQsos{}, iPoints{}, iMarks{};
  // code h
  std::array<CodeHBand, 256> h{};
  std::vector<std::string> districts, doks, specialDoks, locators, specialCalls;
};

void AddOnce(std::vector<std::string>& list, const std::string& entry) {
  for (const std::string& e : list)
    if (e == entry)
      return;
  list.push_back(entry);
}

QsoFacts GatherFacts(const OutputSource& source) {
  QsoFacts f;
  const char code = source.contestCode;
  if (code != 'G' && code != '8' && code != 'i' && code != 'h')
    return f;
  const int category = source.header.category();
  std::set<std::string> prefixes, squares;
  f.complete = ForEachLogRecordInKey(source.log, kTimeOrder, "", [&](const QsoRecord& qso) {
    if (qso.IsBandChangeMarker())
      return true;
    const auto band = static_cast<std::size_t>(static_cast<unsigned char>(qso.Band()));
    const std::string mark1 = TrimBlanks(qso.MultMark1());
    switch (code) {
    case 'G':
      f.f28 = f.f28 || mark1 == "F28";
      f.ht06 = f.ht06 || mark1 == "HT06";
      break;
    case '8':
      prefixes.insert(qso.Prefix());
      squares.insert(qso.Locator().substr(0, 4));
      if (!f.hasTop || qso.Punkte() > f.topPoints) {
        f.hasTop = true;
        f.topPoints = qso.Punkte();
        f.topCall = TrimBlanks(qso.Call());
        f.topLocator = qso.Locator();
      }
      break;
    case 'i':
      ++f.iQsos[band];
      f.iPoints[band] += qso.Punkte();
      if (!mark1.empty())
        ++f.iMarks[band];
      break;
    case 'h': {
      const bool three = mark1.size() == 3 && IsDigitChar(mark1[1]) && IsDigitChar(mark1[2]);
      const char first = mark1.empty() ? '\0' : mark1[0];
      if (category >= 1 && category <= 3) {
        if (three && (IsUpperIn(first, 'A', 'I') || IsUpperIn(first, 'L', 'Y'))) {
          AddOnce(f.districts, std::string(1, first));
          ++f.h[band].district;
        } else if (three && first == 'K') {
          AddOnce(f.doks, mark1);
          ++f.h[band].dok;
        } else if (!mark1.empty()) {
          AddOnce(f.specialDoks, mark1);
          ++f.h[band].specialDok;
        }
      } else {
        if (three && (IsUpperIn(first, 'A', 'I') || IsUpperIn(first, 'K', 'Y'))) {
          AddOnce(f.doks, mark1);
          ++f.h[band].dok;
        } else if (!mark1.empty()) {
          AddOnce(f.specialDoks, mark1);
          ++f.h[band].specialDok;
        }
        const std::string call2 = TrimBlanks(qso.Call2());
        if (!call2.empty())
          AddOnce(f.locators, call2);
      }
      const std::string mark2 = TrimBlanks(qso.MultMark2());
      if (!mark2.empty())
        AddOnce(f.specialCalls, mark2);
      break;
    }
    default:
      break;
    }
    return true;
  });
  f.prefixes = static_cast<std::int32_t>(prefixes.size());
  f.squares = static_cast<std::int32_t>(squares.size());
  return f;
}

/// A list of entries, each followed by one blank, as lines of at most 80 characters after
/// the label; an entry is never split.
std::vector<std::string> ListLines(std::string_view label, const std::vector<std::string>& list) {
  std::vector<std::string> lines;
  std::string chunk;
  for (const std::string& entry : list) {
    if (!chunk.empty() && chunk.size() + entry.size() + 1 > 80) {
      lines.push_back(chunk);
      chunk.clear();
    }
    chunk += entry + " ";
  }
  lines.push_back(chunk);
  for (std::size_t i = 0; i < lines.size(); ++i)
    lines[i] = (i == 0 ? std::string(label) : std::string(label.size(), ' ')) + lines[i];
  return lines;
}

class SheetBuilder {
public:
  SheetBuilder(const OutputSource& source, bool paper)
      : s_(source), def_(source.definition), h_(source.header), paper_(paper), german_(IsGerman()),
        code_(source.contestCode), listener_(source.Listener()),
        slots_(ReadHeaderStatistics(source.definition, source.header, source.extension)),
        facts_(GatherFacts(source)) {}

  std::vector<CoverSheetLine> Build() {
    for (int i = 0; i < 3; ++i)
      Blank();
    AddressBlock();
    Line(Center(def_.ContestName, 60), true);
    Blank();
    CallLine();
    Line("", true);
    const ContestCategory* category = def_.Category(h_.category());
    if (category != nullptr)
      Line(Pad(Text("Teilnahmeart:", "Category:"), german_ ? 14 : 10) + category->description,
           true);
    else
      Line("", true);
    if (code_ == 'P')
      Line("Lebensalter: " + (h_.extraNumber() == -1 ? std::string("XX")
                                                     : LeftPadCh(Num(h_.extraNumber()), '0', 2)),
           true);
    Blank();
    if (code_ == 'Z') {
      Line(std::string("IPARC-Mitglied: ") + (h_.yesNoAnswer() ? "Ja" : "Nein"));
      Blank();
    }
    if (code_ == 'Y') {
      static constexpr std::array<const char*, 3> kGroups = {
          "S: Single = Single OP/Single TX", "M: Multi = Multi OP/Single TX", "SWL"};
      const std::int32_t group = h_.extraNumber();
      Line(std::string("Wertungsgruppe: ") +
           (group >= 0 && group <= 2 ? kGroups[static_cast<std::size_t>(group)] : ""));
      Blank();
    }
    if (def_.EvaluationKind == 0 || def_.EvaluationKind == 2 || code_ == 'i')
      BandTable();
    Blank();
    ScoreLine();
    Line(Rule());
    Blank();
    PerCodeRemarks();
    Declaration();
    Blank();
    if (code_ == 'h')
      CodeHLists();
    if (german_)
      GermanFooter();
    else
      EnglishFooter();
    return std::move(lines_);
  }

  bool Complete() const { return facts_.complete; }

private:
  void Line(std::string text, bool bold = false) { lines_.push_back({std::move(text), bold}); }
  void Blank(bool bold = false) { Line(" ", bold); }
  std::string Text(std::string_view german, std::string_view english) const {
    return std::string(german_ ? german : english);
  }
  std::string Today() const { return DayToText("dd.mm.yyyy", TodayDay(s_.clock)); }
  std::string OwnCall() const { return TrimBlanks(h_.ownCall()); }
  std::string Locator() const {
    const std::string header = TrimBlanks(h_.locator());
    return header.empty() ? TrimBlanks(s_.station.locator) : header;
  }
  bool PerBand() const { return def_.PerBandScore != 0; }
  bool Label(int k) const { return !def_.MultLabel(k).empty(); }
  bool HDistricts() const { return h_.category() >= 1 && h_.category() <= 3; }

  void AddressBlock() {
    const StationData& st = s_.station;
    Line(Pad("Name:", 12) + st.operatorName, true);
    Line(Pad(Text("Anschrift:", "Address:"), 12) + TrimBlanks(st.street), true);
    Line(Pad(german_ ? "Ort:" : "", 12) + TrimBlanks(st.postcodePlace), true);
    Blank(true);
    if (german_)
      Blank(true);
    else
      Line(Pad("Country:", 12) + TrimBlanks(st.country), true);
    Blank();
  }

  void CallLine() {
    std::string line;
    const std::string swl = TrimBlanks(s_.station.swlNumber);
    if (german_) {
      line = listener_ ? Pad("SWL:", 6) + Pad(swl, 20) : Pad("Call:", 6) + Pad(OwnCall(), 13);
      if (code_ == 'A' || code_ == '4')
        line += Pad("LDK:", 5) + Pad(TrimBlanks(h_.ldk()), 13);
      else
        line += Pad("DOK:", 5) + Pad(TrimBlanks(h_.dok()), 13);
    } else {
      line = listener_ ? Pad("SWL:", 10) + Pad(swl, 20) : Pad("Callsign:", 10) + Pad(OwnCall(), 20);
    }
    line += Pad("Loc:", 5) + Pad(Locator(), 9);
    if (code_ == '7' || code_ == '4') {
      line += code_ == '7' ? "DIG: " : "RTC: ";
      if (h_.extraNumber() > 0)
        line += LeftPadCh(Num(h_.extraNumber()), '0', 4);
    }
    Line(line, true);
  }

  std::string Rule() const {
    return std::string(kIndent) +
           std::string(47 + (PerBand() ? 8 : 0) + (code_ == 'h' ? 16 : 0), '_');
  }

  /// The multiplier cells of a band (slot, band letter) or of the sum line (slot 0).
  std::string MultiplierCells(int slot, char band) const {
    std::string cells;
    auto cell = [&](std::int64_t n) { cells += Right(n, 7) + "   "; };
    if (code_ == 'h') {
      const auto b = static_cast<std::size_t>(static_cast<unsigned char>(band));
      for (int k = 2; k <= 3; ++k)
        cell(slot > 0 ? slots_.columnMultis[static_cast<std::size_t>(k - 1)]
                                           [static_cast<std::size_t>(slot)]
                      : s_.totals.columnMultis[static_cast<std::size_t>(k - 1)]);
      CodeHBand v;
      if (slot > 0) {
        v = facts_.h[b];
      } else {
        for (const CodeHBand& each : facts_.h) {
          v.dok += each.dok;
          v.specialDok += each.specialDok;
          v.district += each.district;
        }
      }
      cell(v.dok);
      cell(v.specialDok);
      if (HDistricts())
        cell(v.district);
      return cells;
    }
    for (int k = 1; k <= 3; ++k) {
      if (!Label(k))
        continue;
      const auto c = static_cast<std::size_t>(k - 1);
      std::int64_t n = 0;
      if (code_ == 'i') {
        if (k == 1) {
          if (slot > 0) {
            n = facts_.iMarks[static_cast<std::size_t>(static_cast<unsigned char>(band))];
          } else {
            for (const char b : def_.Bands)
              if (IsBandLetter(b))
                n += facts_.iMarks[static_cast<std::size_t>(static_cast<unsigned char>(b))];
          }
        }
      } else {
        n = slot > 0 ? slots_.columnMultis[c][static_cast<std::size_t>(slot)]
                     : s_.totals.columnMultis[c];
      }
      cell(n);
    }
    return cells;
  }

  void BandTable() {
    std::string heading =
        std::string(kIndent) + LeftPad("Band", 8) + "    QSO  " + Text(" Punkte  ", " Points  ");
    if (code_ == 'h') {
      heading += LeftPad(def_.MultLabel2, 10) + LeftPad(def_.MultLabel3, 10);
      heading += HDistricts() ? "     DOK   SDOK    Distrikte" : "     DOK   SDOK";
    } else {
      for (int k = 1; k <= 3; ++k)
        if (Label(k))
          heading += LeftPad(def_.MultLabel(k), k == 1 ? 8 : 10);
    }
    if (PerBand())
      heading += "    Gesamt";
    Line(heading);

    std::int64_t iQsos = 0, iPoints = 0;
    for (std::size_t n = 0; n < def_.Bands.size(); ++n) {
      const char band = def_.Bands[n];
      if (!IsBandLetter(band))
        continue;
      const int slot = static_cast<int>(n) + 1;
      const auto b = static_cast<std::size_t>(static_cast<unsigned char>(band));
      const auto i = static_cast<std::size_t>(slot);
      std::int64_t qsos = slot < kBandSlots ? slots_.qsos[i] : 0;
      std::int64_t points = slot < kBandSlots ? slots_.points[i] : 0;
      if (code_ == 'i') {
        qsos = facts_.iQsos[b];
        points = facts_.iPoints[b];
        iQsos += qsos;
        iPoints += points;
      }
      std::string row = std::string(kIndent) + LeftPad(BandName(band), 8) + Right(qsos, 7) + "  " +
                        Right(points, 7) + "  " + MultiplierCells(slot, band);
      if (PerBand()) {
        // The band's share of the final score: points times multipliers, or the points
        // alone while the band has no multiplier (as the score counts it).
        const std::int64_t multis = slot < kBandSlots ? slots_.multis[i] : 0;
        row += "  " + Right(multis > 0 ? points * multis : points, 6);
      }
      Line(row);
    }
    Line(Rule());
    if (!PerBand()) {
      const std::int64_t qsos = code_ == 'i' ? iQsos : s_.totals.qsos;
      const std::int64_t points = code_ == 'i' ? iPoints : s_.totals.points;
      Line(std::string(kIndent) + Pad("Summe", 8) + Right(qsos, 7) + "  " + Right(points, 7) +
           "  " + MultiplierCells(0, 0));
      Line(Rule());
    }
  }

  void ScoreLine() {
    const OutputTotals& t = s_.totals;
    const std::string points = Num(t.points);
    const std::string multis = Num(t.multis);
    const std::string unit = Text(" Punkte", "  Points");
    std::string score;
    if (PerBand()) {
      score = Right(t.score, 6);
    } else if (def_.HasMultipliers() && def_.PlainMultCount != 0) {
      if (code_ == '5')
        score = points + Text(" Punkte /  ", " Points /  ") + multis + " PLZ-Bereiche";
      else if (code_ == 'P')
        score = points + Text(" Punkte   ", " Points   ") + multis + " Prefixe";
      else
        score = points + Text(" Punkte (", " Points (") + multis + " Multi) = " + points + unit;
    } else if (def_.HasMultipliers()) {
      score =
          points + Text(" Punkte x ", " Points x ") + multis + " Multi = " + Num(t.score) + unit;
    } else {
      score = points + unit;
    }
    Line(std::string(kIndent) + Text("Endergebnis:", "Final Score:") + "  " + score);
  }

  void PerCodeRemarks() {
    if (code_ == 'G' && (facts_.f28 || facts_.ht06)) {
      std::string text;
      if (facts_.f28 && facts_.ht06)
        text = "Multiberechnung inklusive Zusatzmultipunkte F28 und HT06";
      else
        text = std::string("Multiberechnung inklusive Zusatzmultipunkt ") +
               (facts_.f28 ? "F28" : "HT06");
      Line(std::string(kIndent) + text);
      Blank();
    }
    if (code_ == '8') {
      Line(std::string(kIndent) + "Anzahl gearbeiteter DXCC: " + Num(facts_.prefixes));
      Line(std::string(kIndent) + "Anzahl gearbeiteter Loc : " + Num(facts_.squares));
      std::string odx = std::string(kIndent) + "ODX                     : ";
      if (facts_.hasTop)
        odx += facts_.topCall + ";" + facts_.topLocator + ";" + Num(facts_.topPoints);
      Line(odx);
      Blank();
    }
  }

  void Declaration() {
    if (!german_) {
      Line("I affirm that I have observed all rules of ");
      Line(def_.ContestName + ".");
      return;
    }
    if (code_ == 'b' && (h_.extraNumber() == 2 || h_.extraNumber() == 3)) {
      Line("Im OQRPC habe ich auf dem 80/40/20m-Band");
      Line(h_.extraNumber() == 2 ? "mit einem von mir selbstgebauten Bausatz teilgenommen."
                                 : "mit einem individuellen Unikat teilgenommen.");
      Blank();
    }
    if (code_ == 'b' || code_ == 'j') {
      const std::vector<std::string> station = TextLines(s_.station.stationDescription);
      if (!station.empty()) {
        Blank();
        Line("Angaben zur Station:");
        for (const std::string& l : station)
          Line(l);
      }
      Blank();
    }
    Line("Ich erkläre, dass ich die Regeln für \"" + def_.ContestName + "\"");
    Line("beachtet und die Lizenzbestimmungen meines Landes eingehalten habe.");
    Line("Die Angaben des Logs entsprechen der Wahrheit.");
  }

  void CodeHLists() {
    auto list = [&](std::string_view label, const std::vector<std::string>& entries) {
      for (std::string& l : ListLines(label, entries))
        Line(std::move(l));
    };
    list("Distrikte: ", facts_.districts);
    list("DOK:       ", facts_.doks);
    list("S-DOK:     ", facts_.specialDoks);
    list("Loc:       ", facts_.locators);
    std::string calls = "Sondercall:";
    for (const std::string& c : facts_.specialCalls)
      calls += c + " ";
    Line(calls);
    Blank();
  }

  void GermanFooter() {
    std::string line = "Ort: " + TrimBlanks(s_.station.postcodePlace);
    if (line.size() >= 62) {
      Line(line);
      Blank();
      line = "Datum: " + Today();
    } else {
      line += "     Datum: " + Today();
    }
    if (h_.category() == 4) {
      const std::string swl = TrimBlanks(s_.station.swlNumber);
      if (line.size() + 10 + swl.size() >= 74) {
        Line(line);
        Blank();
        line = "SWL :" + swl;
      } else {
        line += "     SWL :" + swl;
      }
    } else {
      const std::string call = OwnCall();
      if (line.size() + 9 + call.size() >= 71) {
        Line(line);
        Blank();
        line = " Call: " + call;
      } else {
        line += "   Call: " + call;
      }
    }
    if (line.size() >= 43) {
      Line(line);
      Blank();
      if (paper_)
        Line("Unterschrift _______________");
      else
        Blank();
    } else {
      Line(Pad(line, 43) + (paper_ ? "Unterschrift _______________" : ""));
    }
    if (paper_)
      Blank();
    Line("Dieses ContestLog wurde mit " + def_.ProgramTitle + " erstellt. (" + ProgramHomePage() +
         ")");
    for (int i = 0; i < 3; ++i)
      Blank();
  }

  void EnglishFooter() {
    std::string line = " City:" + TrimBlanks(s_.station.postcodePlace);
    if (line.size() >= 64) {
      Line(line);
      Blank();
      line = " Date " + Today();
    } else {
      line += " Date " + Today();
    }
    const std::string who =
        listener_ ? " SWL  " + TrimBlanks(s_.station.swlNumber) : " Call " + OwnCall();
    if (line.size() + who.size() >= 74) {
      Line(line);
      Blank();
      line = who;
    } else {
      line += who;
    }
    if (line.size() >= 50) {
      Line(line);
      Blank();
      Blank();
      Line(paper_ ? "Sign _______________" : "", true);
    } else {
      Line(Pad(line, 50) + (paper_ ? "Sign _______________" : ""), true);
    }
    Blank();
    Blank();
    Line("Printed with Quenzo " + ProgramHomePage());
  }

  const OutputSource& s_;
  const ContestDefinition& def_;
  const ContestHeaderRecord& h_;
  bool paper_;
  bool german_;
  char code_;
  bool listener_;
  SlotTotals slots_;
  QsoFacts facts_;
  std::vector<CoverSheetLine> lines_;
};

} // namespace

std::vector<CoverSheetLine> CoverSheetLines(const OutputSource& source, bool paper,
                                            bool* complete) {
  SheetBuilder builder(source, paper);
  std::vector<CoverSheetLine> lines = builder.Build();
  if (complete != nullptr)
    *complete = builder.Complete();
  return lines;
}

bool WriteCoverSheetFile(TextFileWriter& out, const OutputSource& source) {
  bool complete = true;
  for (const CoverSheetLine& line : CoverSheetLines(source, false, &complete))
    out.ListLine(line.text);
  return complete;
}

bool PrintCoverSheet(PaperPage& page, const OutputSource& source) {
  bool complete = true;
  bool bold = false;
  for (const CoverSheetLine& line : CoverSheetLines(source, true, &complete)) {
    if (line.bold != bold) {
      bold = line.bold;
      page.SetBold(bold);
    }
    page.WriteLine(line.text);
  }
  page.SetBold(false);
  return complete;
}

} // namespace tarvik
