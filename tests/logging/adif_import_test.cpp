// The ADIF import through the entry session: files of the shapes other logbooks write, the
// defaults of missing fields, the date, time, frequency and band conversions, the mode and
// band checks, the refusals and the summary, and files that are damaged.

#include "session_fixture.h"

#include "base/dates.h"
#include "base/process_settings.h"
#include "contest/duplicates.h"
#include "logging/adif_import.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/memory_file_io.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

using F = EntryField;

class AdifImportTest : public SessionTest {
protected:
  /// Writes `text` as an ADIF file and imports it with the assignments `assign` (log field,
  /// file field).
  AdifImportResult ImportResult(const std::string& text,
                                std::vector<std::pair<std::string, std::string>> assign = {},
                                bool skipChecks = false) {
    const std::string path = dir_.file("import.adi");
    WriteFileBytes(path, text);
    AdifAssignment assignment(AdifLogFields(S().Definition(), S().ContestCode()));
    for (const auto& [logField, fileField] : assign) {
      const std::size_t i = assignment.Find(logField);
      EXPECT_LT(i, assignment.Size()) << logField;
      if (i < assignment.Size()) {
        EXPECT_TRUE(assignment.Assign(i, fileField)) << logField;
      }
    }
    return ImportAdifFile(S(), path, assignment, skipChecks);
  }
  AdifImportCounts Import(const std::string& text,
                          std::vector<std::pair<std::string, std::string>> assign = {},
                          bool skipChecks = false) {
    return ImportResult(text, std::move(assign), skipChecks).counts;
  }
  /// The refusal lines of `result`.
  static std::vector<std::string> Lines(const AdifImportResult& result) {
    std::vector<std::string> lines;
    for (const AdifRefusal& refusal : result.refusals)
      lines.push_back(AdifRefusalLine(refusal));
    return lines;
  }

  static std::string Name(const QsoRecord& q) {
    const std::string nameQth = q.NameQTH();
    return nameQth.substr(0, nameQth.find(';'));
  }
};

constexpr TimeOfDay Hm(int h, int m) {
  return h * 3600 + m * 60;
}

TEST_F(AdifImportTest, FileOfAnotherLogbookIsStoredLikeTypedQsos) {
  SetNameStyle(0);
  Open({});
  const AdifImportCounts counts = Import(
      "ADIF export of another logbook\r\n<ADIF_VER:5>3.1.0 <PROGRAMID:5>OTHER\r\n<eoh>\r\n"
      "<call:6>dl1abc <qso_date:8>20090321 <time_on:6>140530 <freq:7>145.500 <mode:2>CW "
      "<rst_sent:3>599 <rst_rcvd:3>579 <name:4>Hans <dok:3>n01 <gridsquare:6>JO31mx <eor>\r\n"
      "<CALL:6>DK2BBB\r\n<QSO_DATE:6>090321 <TIME_ON:4>1410\r\n"
      "<BAND:2>2m <MODE:3>SSB <RST_SENT:2>59 <RST_RCVD:2>57 <DOK:3>A01 <GRIDSQUARE:4>JO40\r\n"
      "<EOR>\r\n"
      "<CALL:5>PA3XY <QSO_DATE:8>20090321 <TIME_ON:4>1420 <FREQ:7>144.300 <MODE:2>FM "
      "<GRIDSQUARE:6>JO22AA <EOR>\r\n",
      {{"Loc", "GRIDSQUARE"}});
  EXPECT_EQ(counts, (AdifImportCounts{.imported = 3}));
  EXPECT_EQ(AdifImportSummary(counts), "3 Datensätze importiert");
  ASSERT_EQ(StoredCount(), 3);

  const DayNumber day = DmyToDay(21, 3, 2009);
  QsoRecord q = StoredQso(0);
  EXPECT_EQ(q.Call(), "DL1ABC");
  EXPECT_EQ(q.Datum(), day);
  EXPECT_EQ(q.Zeit(), Hm(14, 5));
  EXPECT_EQ(q.Band(), 'k');
  EXPECT_FLOAT_EQ(q.Freq(), 145.5f);
  EXPECT_EQ(q.Mode(), "CW");
  EXPECT_EQ(q.RSTs().substr(0, 3), "599");
  EXPECT_EQ(q.RSTr(), "579N01/JO31MX");
  EXPECT_EQ(q.FullDok(), "N01");
  EXPECT_EQ(q.Locator(), "JO31MX");
  EXPECT_EQ(Name(q), "HANS"); // every value arrives in upper case
  EXPECT_EQ(q.QSONr(), 1);

  q = StoredQso(1);
  EXPECT_EQ(q.Call(), "DK2BBB");
  EXPECT_EQ(q.Datum(), day); // 6-digit date
  EXPECT_EQ(q.Zeit(), Hm(14, 10));
  EXPECT_EQ(q.Band(), 'k');
  EXPECT_FLOAT_EQ(q.Freq(), 144.0f); // the default frequency of the band "2m"
  EXPECT_EQ(q.Mode(), "SSB");
  EXPECT_EQ(q.RSTr(), "57 A01/JO40");
  EXPECT_EQ(Name(q), "HANS"); // no NAME: the name of the record before
  EXPECT_EQ(q.QSONr(), 2);

  q = StoredQso(2);
  EXPECT_EQ(q.Call(), "PA3XY");
  EXPECT_EQ(q.Mode(), "FM");
  EXPECT_FLOAT_EQ(q.Freq(), 144.3f);
  EXPECT_EQ(q.Locator(), "JO22AA");
  EXPECT_EQ(q.FullDok(), "");              // no DOK for a foreign call
  EXPECT_EQ(q.RSTs().substr(0, 3), "59 "); // RST_SENT of the record before
  EXPECT_GT(q.Punkte(), 0);

  // The session goes on: the entry is fresh and a typed QSO follows the imported ones.
  EXPECT_EQ(S().Form().FieldText(F::eCall), "");
  EXPECT_EQ(S().Log().Next().qso, 4);
  EXPECT_TRUE(Log("DL5XYZ", {"N01", "JO31"}));
  EXPECT_EQ(StoredCount(), 4);
  EXPECT_EQ(Reopen().Log().Next().qso, 5);
}

TEST_F(AdifImportTest, ChecksRefusalsAndTheirCountsInTheSummary) {
  Open({});
  const std::string records =
      "<CALL:6>DL1AAA <QSO_DATE:8>20090321 <TIME_ON:4>1400 <BAND:2>2M <MODE:2>CW <EOR>\n"
      // the same call on the same band (rule 2): a duplicate
      "<CALL:6>DL1AAA <QSO_DATE:8>20090321 <TIME_ON:4>1401 <BAND:2>2M <MODE:2>CW <EOR>\n"
      // a mode the contest does not offer
      "<CALL:6>DL1BBB <QSO_DATE:8>20090321 <TIME_ON:4>1402 <BAND:2>2M <MODE:4>RTTY <EOR>\n"
      // a band the contest does not offer
      "<CALL:6>DL1CCC <QSO_DATE:8>20090321 <TIME_ON:4>1403 <BAND:4>70CM <MODE:2>CW <EOR>\n"
      // a malformed call, a record without call, a date that is none
      "<CALL:4>XYZ1 <QSO_DATE:8>20090321 <TIME_ON:4>1404 <BAND:2>2M <EOR>\n"
      "<QSO_DATE:8>20090321 <TIME_ON:4>1405 <BAND:2>2M <EOR>\n"
      "<CALL:6>DL1DDD <QSO_DATE:8>20091321 <TIME_ON:4>1406 <BAND:2>2M <EOR>\n";
  const AdifImportResult result = ImportResult(records);
  AdifImportCounts counts = result.counts;
  EXPECT_EQ(
      counts,
      (AdifImportCounts{
          .imported = 1, .duplicates = 1, .incomplete = 3, .bandErrors = 1, .modeErrors = 1}));
  EXPECT_EQ(AdifImportSummary(counts), "1 Datensätze importiert\n"
                                       "1 Calls doppelt\n"
                                       "3 unvollständige Datensätze\n"
                                       "1 fehlende oder falsche Bandangaben\n"
                                       "1 fehlende oder falsche Modeangaben");
  // No message box per record: every refusal is listed once, by its number in the file.
  EXPECT_TRUE(dialogs_.Informs().empty());
  EXPECT_EQ(Lines(result), (std::vector<std::string>{
                               "Datensatz 2, DL1AAA: Call bereits auf Band vorhanden",
                               "Datensatz 3, DL1BBB: fehlende oder falsche Modeangabe (RTTY)",
                               "Datensatz 4, DL1CCC: fehlende oder falsche Bandangabe (70CM)",
                               "Datensatz 5, XYZ1: Call fehlt oder ist fehlerhaft",
                               "Datensatz 6, (ohne Call): Call fehlt oder ist fehlerhaft",
                               "Datensatz 7, DL1DDD: kein gültiges Datum",
                           }));
  EXPECT_FALSE(AdifImportComplete(counts));
  EXPECT_EQ(StoredCount(), 1);

  // Without the checks the mode and band are taken as they come.
  counts = Import(records, {}, /*skipChecks=*/true);
  EXPECT_EQ(counts.imported, 2);
  EXPECT_EQ(counts.bandErrors + counts.modeErrors, 0);
  ASSERT_EQ(StoredCount(), 3);
  EXPECT_EQ(StoredQso(1).Call(), "DL1BBB");
  EXPECT_EQ(StoredQso(1).Mode(), "RTTY");
  EXPECT_EQ(StoredQso(2).Call(), "DL1CCC");
  EXPECT_EQ(StoredQso(2).Band(), 'l');
  // After a last QSO on a band and in a mode the contest does not offer, the entry is back
  // on the band and mode of before for the next typed QSO.
  EXPECT_EQ(Import("<CALL:6>DL1EEE <QSO_DATE:8>20090321 <TIME_ON:4>1410 <BAND:4>70CM "
                   "<MODE:4>RTTY <EOR>",
                   {}, true)
                .imported,
            1);
  EXPECT_EQ(StoredQso(3).Band(), 'l');
  EXPECT_EQ(S().Bands().Band(), 'k');
  EXPECT_EQ(S().Bands().Mode(), "CW");
  EXPECT_TRUE(Log("DL5XYZ", {"N01", "JO31"}));
  EXPECT_EQ(StoredQso(4).Band(), 'k');
  EXPECT_EQ(StoredQso(4).Mode(), "CW");
}

// A UTF-8 file (as most logbooks write it): umlauts arrive as the program's characters, a
// character outside Windows-1252 as "?", and the summary counts those.
TEST_F(AdifImportTest, Utf8FileArrivesConverted) {
  SetNameStyle(0);
  Open({});
  const AdifImportResult result = ImportResult(
      "\xEF\xBB\xBF<EOH>\n"
      "<CALL:6>DL1ABC <QSO_DATE:8>20260314 <TIME_ON:4>1200 <BAND:2>2M <NAME:7>J\xC3\xBCrgen "
      "<QTH:6>K\xC3\xB6ln <EOR>\n"
      "<CALL:5>SP1AB <QSO_DATE:8>20260314 <TIME_ON:4>1201 <BAND:2>2M <NAME:6>Pawe\xC5\x82 "
      "<QTH:5>\xC5\x81\xC3\xB3\x64\xC5\xBA <EOR>\n");
  EXPECT_EQ(result.counts.imported, 2);
  EXPECT_EQ(result.counts.text, (AdifTextInfo{true, 3}));
  EXPECT_EQ(Name(StoredQso(0)), "J\xDCRGEN");
  EXPECT_EQ(StoredQso(0).NameQTH(), "J\xDCRGEN;K\xD6LN");
  EXPECT_EQ(StoredQso(1).NameQTH(), "PAWE?;?\xF3"
                                    "D?");
  EXPECT_EQ(AdifImportSummary(result.counts),
            "2 Datens\xE4tze importiert\n"
            "3 Zeichen ohne Entsprechung in Windows-1252 durch \"?\" ersetzt");
  EXPECT_EQ(AdifImportSummaryEnglish(result.counts),
            "2 QSOs imported\n3 characters outside Windows-1252 replaced by \"?\"");
}

TEST(AdifValues, DateAndTimeConversions) {
  struct Case {
    const char* value;
    const char* text;
  };
  for (const Case& c :
       {Case{"20090321", "21.03.2009"}, Case{"090321", "21.03.09"}, Case{"19851231", "31.12.1985"},
        Case{"2009032", "2009032"}, Case{"2009O321", "2009O321"}, Case{"", ""}})
    EXPECT_EQ(AdifDateText(c.value), c.text) << c.value;
  for (const Case& c : {Case{"140530", "14:05"}, Case{"1405", "14:05"}, Case{"14:05", "14:05"},
                        Case{"930", "930"}, Case{"14O5", "14O5"}})
    EXPECT_EQ(AdifTimeText(c.value), c.text) << c.value;
}

TEST_F(AdifImportTest, DatesKeepTheirCentury) {
  Open({});
  // An 8-digit year is taken whole; a 6-digit one by the date field's century rule.
  ASSERT_EQ(Import("<CALL:6>DL1AAA <QSO_DATE:8>19851231 <TIME_ON:4>2359 <BAND:2>2M <EOR>"
                   "<CALL:6>DL1BBB <QSO_DATE:8>20510101 <TIME_ON:4>0000 <BAND:2>2M <EOR>"
                   "<CALL:6>DL1CCC <QSO_DATE:6>850101 <TIME_ON:4>0001 <BAND:2>2M <EOR>")
                .imported,
            3);
  EXPECT_EQ(StoredQso(0).Datum(), DmyToDay(31, 12, 1985));
  EXPECT_EQ(StoredQso(0).Zeit(), Hm(23, 59));
  EXPECT_EQ(StoredQso(1).Datum(), DmyToDay(1, 1, 2051));
  EXPECT_EQ(StoredQso(1).Zeit(), 0);
  EXPECT_EQ(StoredQso(2).Datum(), DmyToDay(1, 1, 1985));
}

TEST(AdifValues, ModeAndBandChecks) {
  ContestDefinition def;
  def.Modes = {"SSB", "", "CW"};
  def.Bands = "bk";
  EXPECT_TRUE(AdifModeAccepted(def, "CW"));
  EXPECT_FALSE(AdifModeAccepted(def, "FM"));
  EXPECT_FALSE(AdifModeAccepted(def, "RTTY"));
  EXPECT_FALSE(AdifModeAccepted(def, ""));
  def.Modes.push_back("DIGITAL");
  EXPECT_TRUE(AdifModeAccepted(def, "RTTY"));
  EXPECT_FALSE(AdifModeAccepted(def, "FM")); // a voice mode is no digital one

  struct Case {
    const char* freq;
    const char* band;
    bool accepted;
  };
  for (const Case& c :
       {Case{"145.500", "", true}, Case{"145,500", "", true}, Case{"3.550", "", true},
        Case{"7.050", "", false}, Case{"", "2m", true}, Case{"", "2 M", true},
        Case{"", "80M", true}, Case{"", "80", true}, Case{"", "70CM", false}, Case{"", "", false},
        Case{"ABC", "XYZ", false}, Case{"432.100", "2M", true}, Case{"0", "", false}})
    EXPECT_EQ(AdifBandAccepted(def, c.freq, c.band), c.accepted) << c.freq << "/" << c.band;
}

TEST_F(AdifImportTest, SerialFirstContestGetsLocatorAndDokIntoTheirElements) {
  Open({.code = 'g'});
  const AdifImportCounts counts =
      Import("<CALL:6>DL1ABC <QSO_DATE:8>20090321 <TIME_ON:4>1400 <FREQ:7>432.200 <MODE:2>CW "
             "<SRX:3>007 <GRIDSQUARE:6>JO31MX <DOK:3>N01 <EOR>",
             {{"Loc", "GRIDSQUARE"}});
  EXPECT_EQ(counts.imported, 1);
  const QsoRecord q = StoredQso(0);
  EXPECT_EQ(q.Band(), 'l');
  EXPECT_EQ(q.Locator(), "JO31MX");
  EXPECT_EQ(q.FullDok(), "N01");
  EXPECT_EQ(q.RSTr(), "599007/JO31MX/N01"); // the serial from SRX
}

TEST_F(AdifImportTest, BandFollowsEachRecordsOwnBandOrFrequency) {
  Open({.code = '3'}); // 80 m, 40 m and 10 m
  const AdifImportCounts counts = Import(
      "<CALL:6>DL1AAA <QSO_DATE:8>20090321 <TIME_ON:4>1400 <BAND:3>80M <MODE:3>SSB <EOR>\n"
      "<CALL:6>DL1BBB <QSO_DATE:8>20090321 <TIME_ON:4>1401 <BAND:3>40M <MODE:3>SSB <EOR>\n"
      // neither band nor frequency: the frequency of the record before
      "<CALL:6>DL1CCC <QSO_DATE:8>20090321 <TIME_ON:4>1402 <MODE:3>SSB <EOR>\n"
      // FREQ_RX is no FREQ
      "<CALL:6>DL1DDD <QSO_DATE:8>20090321 <TIME_ON:4>1403 <FREQ_RX:6>28.500 <BAND:3>80M <EOR>\n"
      "<CALL:6>DL1EEE <QSO_DATE:8>20090321 <TIME_ON:4>1404 <FREQ:6>14.200 <EOR>\n",
      {{"DOK", "DOK"}});
  EXPECT_EQ(counts, (AdifImportCounts{.imported = 4, .bandErrors = 1}));
  ASSERT_EQ(StoredCount(), 4);
  EXPECT_EQ(StoredQso(0).Band(), 'b');
  EXPECT_EQ(StoredQso(1).Band(), 'c');
  EXPECT_EQ(StoredQso(2).Band(), 'c');
  EXPECT_EQ(StoredQso(3).Band(), 'b');
  EXPECT_EQ(StoredQso(1).BandSerial(), 1); // first QSO of 40 m
  EXPECT_EQ(StoredQso(2).BandSerial(), 2);
}

TEST_F(AdifImportTest, DamagedFilesImportWhatIsValid) {
  Open({});
  std::string file =
      "<EOH>\n<CALL:6>DL1AAA <QSO_DATE:8>20090321 <TIME_ON:4>1400 <BAND:2>2M <EOR>\n";
  static constexpr char kJunk[] = "\0\xff\x01<<>>:\x80 junk <EOR>\n";
  file += std::string(kJunk, sizeof kJunk - 1);
  file += "<COMMENT:5>" + std::string(kMaxAdifRecordText + 10, 'z') + "<EOR>\n";
  file += "<CALL:999999>DL1BBB <QSO_DATE:8>20090321 <TIME_ON:4>1401 <BAND:2>2M <EOR>\n";
  file += "<CALL:6>DL1CCC <QSO_DATE:8>20090321 <TIME_ON:4>1402 <BAND:2>2M\n"; // no <EOR>
  const AdifImportCounts counts = Import(file);
  EXPECT_EQ(counts.imported, 2);
  EXPECT_EQ(counts.incomplete, 2); // the overlong and the unterminated record
  EXPECT_EQ(StoredQso(1).Call(), "DL1BBB");

  // A file that is gone by the time of the import.
  AdifAssignment assignment(AdifLogFields(S().Definition(), S().ContestCode()));
  const AdifImportCounts missing =
      ImportAdifFile(S(), dir_.file("gone.adi"), assignment, false).counts;
  EXPECT_EQ(missing.readStatus, AdifReadStatus::kMissing);
  EXPECT_EQ(missing.imported, 0);
}

TEST(AdifAssignmentTest, EntriesAssignOnceAndAreFoundByLooseNames) {
  AdifAssignment a({{"CALL", AdifTarget::kCall, 0, {"CALL"}},
                    {"QSO_DATE", AdifTarget::kDate, 0, {"QSO_DATE"}},
                    {"Call 2", AdifTarget::kSecondCall, 0, {"CALL_WKD"}},
                    {"lfd.Nr.", AdifTarget::kReceivedElement, 1, {}}});
  EXPECT_FALSE(a.AnyAssigned());
  EXPECT_TRUE(a.Assign(0, "qso_call")); // file fields are upper case
  EXPECT_FALSE(a.Assign(0, "OTHER"));   // assigned already
  EXPECT_FALSE(a.Assign(1, ""));
  EXPECT_FALSE(a.Assign(7, "X"));
  EXPECT_TRUE(a.AnyAssigned());
  EXPECT_EQ(a.EntryText(0), "CALL (QSO_CALL)");
  EXPECT_EQ(a.EntryText(1), "QSO_DATE");
  // Letter case, blanks and "_" do not count; other characters do.
  EXPECT_EQ(a.Find("call2"), 2u);
  EXPECT_EQ(a.Find("CALL_2"), 2u);
  EXPECT_EQ(a.Find("LFD.NR."), 3u);
  EXPECT_EQ(a.Find("lfdNr"), a.Size());
  EXPECT_EQ(a.Find(""), a.Size());
  EXPECT_EQ(a.FieldNames(), "CALL, QSO_DATE, Call 2, lfd.Nr.");
}

// A save that fails in the storage engine stops the import and says so; it is never counted
// as imported.
TEST(AdifImportStorage, FailedSaveStopsTheImport) {
  TempDataDir dir;
  FakeClock clock;
  clock.now = {2026, 3, 14, 12, 0, 0, 0};
  ScopedProcessClock scopedClock(clock);
  MemoryFileIo io;
  RecordFileErrors().SetWaitFunction([](int) {});
  ASSERT_EQ(InitEngine(160, 32, &io), 0);
  FakeDialogs dialogs;
  ContestHeaderFields fields;
  fields.dok = "N01";
  QsoSessionParams params;
  params.definition = BuildContestDefinition('2', fields, "JO31MX", dialogs, clock);
  params.contestCode = '2';
  params.headerRecord.assign(ContestHeaderRecord::kLength, '\0');
  ContestHeaderRecord header(params.headerRecord.data());
  header.SetContestNumber(1);
  header.SetContestCode('2');
  params.extensionRecord.assign(ContestExtensionRecord::kLength, '\0');
  {
    QsoSession session(params, dialogs, clock);
    ASSERT_TRUE(session.Open());
    std::string file;
    for (int i = 0; i < 20; ++i)
      file += "<CALL:6>DL1A" + std::string(1, static_cast<char>('A' + i)) +
              "A <QSO_DATE:8>20260314 <TIME_ON:4>1200 <BAND:2>2M <EOR>\n";
    WriteFileBytes(dir.file("log.adi"), file);
    AdifAssignment assignment(AdifLogFields(params.definition, '2'));
    io.FailWritesAfter(0);
    const AdifImportResult result = ImportAdifFile(session, dir.file("log.adi"), assignment, false);
    const AdifImportCounts& counts = result.counts;
    ASSERT_EQ(result.refusals.size(), 1u);
    EXPECT_EQ(result.refusals[0].reason, AdifRefusalReason::kStorage);
    EXPECT_TRUE(counts.storageFailed);
    EXPECT_EQ(counts.imported, 0);
    EXPECT_EQ(counts.duplicates + counts.incomplete, 0); // stopped at the first failure
    EXPECT_NE(AdifImportSummary(counts).find("abgebrochen"), std::string::npos);
    io.FailWritesAfter(-1);
  }
  (void)ExitEngine();
}

} // namespace
} // namespace tarvik::test
