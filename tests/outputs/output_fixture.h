#pragma once
// A contest of a given code with its header, extension record, station data and a QSO file
// filled with hand-made QSOs, in a fresh data directory with a running engine, for the
// tests of the output writers and the output run.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/process_settings.h"
#include "contest/contest_header_fields.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "outputs/output_runner.h"
#include "radio/date_time.h"
#include "recordfile/fileblock.h"
#include "support/fake_dialogs.h"
#include "support/prefix_tables.h"

namespace tarvik::test {

/// The fields of a hand-made QSO record.
struct TestQso {
  std::string call{};
  DayNumber datum = BadDate;
  TimeOfDay zeit = BadTime;
  char band = 'k';
  std::string mode = "SSB";
  std::string rsts{};
  std::string rstr{};
  int punkte = 1;
  std::string multMark1{};
  std::string multMark2{};
  std::string call2{};
  std::string nameQth = ";";
  char qsls = 0;
  char qslr = 0;
  float freq = 0;
  std::string prefix{};
  std::string locator{};
  std::int32_t qrb = 0;
  std::string dok{};
  std::int32_t qsoNr = 0;
  char qsyBand = 0;
  std::int32_t bandNr = 0;
  std::string continent{};
};

/// A band-change marker record.
inline TestQso Marker(char band) {
  TestQso m;
  m.qsyBand = band;
  m.band = band;
  m.punkte = 0;
  m.nameQth = "";
  return m;
}

inline DayNumber Mar(int day) {
  return DmyToDay(day, 3, 2026);
}
inline TimeOfDay At(int h, int m) {
  return HmsToTime(h, m, 0);
}

class OutputTest : public PrefixTablesTest {
protected:
  static constexpr int kContestNumber = 12;

  void TearDown() override {
    SetLanguageFlag(1);
    CloseProgramFile(log_);
    log_ = nullptr;
    PrefixTablesTest::TearDown();
  }

  /// The contest of `code` in `category` (0: none chosen), in German, own call DL1XYZ/P, DOK N01,
  /// the station in 44135 Dortmund; band totals all 0 (SetTotals fills them).
  OutputContest& MakeContest(char code, int category = 1) {
    SetLanguageFlag(1); // German, unless the contest switches to English (code H)
    contest_ = OutputContest{};
    contest_.contestCode = code;
    contest_.header.assign(ContestHeaderRecord::kLength, '\0');
    contest_.extension.assign(ContestExtensionRecord::kLength, '\0');
    ContestHeaderRecord h(contest_.header.data());
    h.SetContestNumber(kContestNumber);
    h.SetContestCode(code);
    h.SetContestName("Testlauf 2026");
    h.SetOwnCall("DL1XYZ/P");
    h.SetDok("N01");
    h.SetCategory(static_cast<std::uint8_t>(category));
    contest_.definition = BuildContestDefinition(code, h, "JO31", dialogs_, clock_);
    ContestExtensionRecord(contest_.extension.data()).SetContestNumber(kContestNumber);
    contest_.station.operatorName = "Erika Muster";
    contest_.station.street = "Hauptstr. 1";
    contest_.station.postcodePlace = "44135 Dortmund";
    contest_.station.country = "";
    contest_.station.swlNumber = "DE-1234";
    return contest_;
  }

  ContestHeaderRecord Header() { return ContestHeaderRecord(contest_.header.data()); }
  ContestExtensionRecord Extension() { return ContestExtensionRecord(contest_.extension.data()); }

  /// Puts the totals into band slot 1 of the header or, with extendedStats, the extension
  /// record: QSOs, points, and the multipliers of columns 1 to 3 (their sum is the slot's
  /// multiplier count; column 3 only in the extension record).
  void SetTotals(int qsos, int points, int m1, int m2 = 0, int m3 = 0) {
    if (Header().extendedStats() != 0) {
      ContestExtensionRecord e = Extension();
      e.SetBandQsos(1, qsos);
      e.SetBandPoints(1, points);
      e.SetBandMultis(1, m1 + m2 + m3);
      e.SetBandColumnMultis(1, 1, static_cast<std::uint16_t>(m1));
      e.SetBandColumnMultis(2, 1, static_cast<std::uint16_t>(m2));
      e.SetBandColumnMultis(3, 1, static_cast<std::uint16_t>(m3));
    } else {
      ContestHeaderRecord h = Header();
      h.SetBandQsos(1, static_cast<std::uint16_t>(qsos));
      h.SetBandPoints(1, points);
      h.SetBandMultis(1, static_cast<std::uint16_t>(m1 + m2));
      h.SetBandColumnMultis(1, 1, static_cast<std::uint16_t>(m1));
      h.SetBandColumnMultis(2, 1, static_cast<std::uint16_t>(m2));
    }
  }

  Fileblock& Log() {
    if (log_ == nullptr)
      log_ = OpenProgramFile(ProgramFile::kQsoLog, kContestNumber);
    EXPECT_NE(log_, nullptr);
    return *log_;
  }

  void Add(const TestQso& q) {
    Fileblock& log = Log();
    ASSERT_EQ(log.ClearBuffer(), 0);
    QsoRecord r(log.RecordBuffer());
    r.SetCall(q.call);
    r.SetDatum(q.datum);
    r.SetZeit(q.zeit);
    r.SetBand(q.band);
    r.SetMode(q.mode);
    r.SetRSTs(q.rsts);
    r.SetRSTr(q.rstr);
    r.SetPunkte(static_cast<std::uint16_t>(q.punkte));
    r.SetMultMark1(q.multMark1);
    r.SetMultMark2(q.multMark2);
    r.SetCall2(q.call2);
    r.SetNameQTH(q.nameQth);
    r.SetQSLs(q.qsls);
    r.SetQSLr(q.qslr);
    r.SetFreq(q.freq);
    r.SetPrefix(q.prefix);
    r.SetLocator(q.locator);
    r.SetQRB(q.qrb);
    r.SetFullDok(q.dok);
    r.SetQSONr(q.qsoNr);
    r.SetQSYBand(q.qsyBand);
    r.SetBandNr(q.bandNr);
    r.SetContinent(q.continent);
    ASSERT_TRUE(AddRecord(log));
  }

  /// The code-2 log of the hand-written expected files (tests/fixtures/outputs/code2.*):
  /// four QSOs around a band-change marker record (running number 2): a DOK "5N" QSO, DF0WN
  /// at 00:00 with name and QTH, a QSO without date and call, a 12-character call without
  /// DOK; totals 4 QSOs, 22 points, 2 DOKs and 3 locator squares (score 110).
  void MakeCode2Log() {
    MakeContest('2');
    Add({.call = "DL1ABC",
         .datum = Mar(14),
         .zeit = At(19, 5),
         .mode = "SSB",
         .rsts = "59 N01/JO42",
         .rstr = "59 5N/JO31",
         .punkte = 3,
         .multMark1 = "5N",
         .multMark2 = "JO31",
         .qsls = 'J',
         .qslr = 'N',
         .freq = 144.3F,
         .prefix = "DL",
         .locator = "JO31AB",
         .dok = "5N",
         .qsoNr = 1});
    Add(Marker('k'));
    Add({.call = "DF0WN",
         .datum = Mar(14),
         .zeit = At(0, 0),
         .mode = "CW",
         .rsts = "599N01/JO42",
         .rstr = "599WN/JO30",
         .punkte = 6,
         .multMark1 = "WN",
         .multMark2 = "JO30",
         .nameQth = "Hans;Berlin",
         .qsls = ' ',
         .prefix = "DL",
         .locator = "JO30",
         .dok = "WN",
         .qsoNr = 2});
    Add({.call = "",
         .datum = BadDate,
         .zeit = At(19, 30),
         .mode = "FM",
         .rsts = "59",
         .rstr = "59",
         .punkte = 1,
         .qsoNr = 3});
    Add({.call = "DL/PA3ABCD/P",
         .datum = Mar(14),
         .zeit = At(20, 59),
         .mode = "SSB",
         .rsts = "59 N01/JO42",
         .rstr = "57 /JO40",
         .punkte = 12,
         .multMark2 = "JO40",
         .prefix = "PA",
         .locator = "JO40",
         .qsoNr = 4});
    SetTotals(4, 22, 2, 3);
  }

  /// What the writers read for the contest as it stands, over its (open) QSO file.
  OutputSource OutputSourceFor() {
    return OutputSource{contest_.contestCode,
                        contest_.definition,
                        Header(),
                        Extension(),
                        contest_.station,
                        ReadOutputTotals(contest_.definition, Header(), Extension()),
                        Log(),
                        clock_};
  }

  /// The file of kind `kind` as the menu writes it (ADIF: answering the question `rstOnly`).
  std::string Written(int kind, bool rstOnly = true) {
    const std::string path = dir_.file("out.txt");
    EXPECT_EQ(WriteOutputFile(
                  kind, contest_, path, [&] { return rstOnly; }, clock_),
              OutputFileStatus::kWritten);
    return ReadFileBytes(path);
  }

  /// A hand-written expected file of tests/fixtures/outputs.
  static std::string Expected(const std::string& name) {
    const std::string bytes = ReadFileBytes(std::string(TARVIK_FIXTURES_DIR) + "/outputs/" + name);
    EXPECT_FALSE(bytes.empty()) << name;
    return bytes;
  }

  FakeDialogs dialogs_;
  OutputContest contest_;
  Fileblock* log_ = nullptr;
};

/// Lines joined with CR LF, each line ended by it.
inline std::string CrLf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines)
    out += line + "\r\n";
  return out;
}

} // namespace tarvik::test
