// The ADIF export: the whole file against a hand-written one (code 2), every tag and its
// condition on single records, and the file read back by an ADIF reader from the npm
// registry (adif-parser-ts), run by a small Node script.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "output_fixture.h"
#include "support/run_command.h"
#include "outputs/adif_export.h"
#include "outputs/output_kinds.h"

namespace tarvik::test {
namespace {

using AdifExport = OutputTest;

TEST_F(AdifExport, FileMatchesTheHandWrittenFile) {
  MakeCode2Log();
  EXPECT_EQ(Written(output_kind::kAdifFile, true), Expected("code2.ADI"));
  // Answered "no": the whole reports, no STX and SRX.
  const std::string whole = Written(output_kind::kAdifFile, false);
  EXPECT_NE(whole.find("<CALL:6>DL1ABC <RST_SENT:11>59 N01/JO42 <RST_RCVD:10>59 5N/JO31 "
                       "<BAND:2>2m "),
            std::string::npos);
  EXPECT_EQ(whole.find("<STX:"), std::string::npos);
}

struct RecordFixture {
  std::array<char, QsoRecord::kLength> bytes{};
  QsoRecord r{bytes.data()};
  RecordFixture() {
    r.SetCall("DL1ABC");
    r.SetDatum(Mar(14));
    r.SetZeit(At(9, 30));
    r.SetBand('b');
    r.SetMode("CW");
    r.SetRSTs("599");
    r.SetRSTr("579012");
    r.SetPunkte(2);
  }
};

TEST(AdifRecord, ReportsAndTags) {
  RecordFixture f;
  AdifRecordStyle style;
  const std::string head = "<QSO_DATE:8>20260314 <TIME_ON:4>0930 <CALL:6>DL1ABC ";
  const std::string tail = "<BAND:3>80m <MODE:2>CW <PTS:1>2 <DOK:0> <GRIDSQUARE:0> <EOR>";
  EXPECT_EQ(AdifRecord(f.r, style), head + "<RST_SENT:3>599 <RST_RCVD:3>579 <SRX:3>012 " + tail);
  style.rstOnly = false;
  EXPECT_EQ(AdifRecord(f.r, style), head + "<RST_SENT:3>599 <RST_RCVD:6>579012 " + tail);

  // Listener: the heard station's report is "sent", the station it worked and its report
  // follow.
  f.r.SetCall2("DL7XX");
  style.listener = true;
  EXPECT_EQ(AdifRecord(f.r, style),
            head + "<RST_SENT:6>579012 <CALL_WKD:5>DL7XX <RST_WKD:3>599 " + tail);
  // With only the RS(T) the heard station's exchange follows in SRX, and the exchange of the
  // station it worked in STX, so that the import finds both again.
  style.rstOnly = true;
  EXPECT_EQ(AdifRecord(f.r, style),
            head + "<RST_SENT:3>579 <CALL_WKD:5>DL7XX <RST_WKD:3>599 <SRX:3>012 " + tail);
  f.r.SetRSTs("599007");
  EXPECT_EQ(AdifRecord(f.r, style), head +
                                        "<RST_SENT:3>579 <CALL_WKD:5>DL7XX <RST_WKD:3>599 "
                                        "<SRX:3>012 <STX:3>007 " +
                                        tail);
}

TEST(AdifRecord, ConditionalTags) {
  struct Case {
    const char* name;
    std::function<void(QsoRecord&, AdifRecordStyle&)> change;
    const char* present;
    const char* absent;
  };
  const Case cases[] = {
      {"packet radio", [](QsoRecord& r, AdifRecordStyle&) { r.SetMode("PR"); }, "<MODE:3>PKT ",
       "<MODE:2>PR"},
      {"QSL sent J", [](QsoRecord& r, AdifRecordStyle&) { r.SetQSLs('J'); }, "<QSL_SENT:1>Y ",
       nullptr},
      {"QSL sent N", [](QsoRecord& r, AdifRecordStyle&) { r.SetQSLs('N'); }, "<QSL_SENT:1>N ",
       nullptr},
      {"QSL blank", [](QsoRecord& r, AdifRecordStyle&) { r.SetQSLs(' '); }, nullptr, "QSL_SENT"},
      {"QSL received j", [](QsoRecord& r, AdifRecordStyle&) { r.SetQSLr('j'); },
       "<QSL_RCVD:1>Y <EOR>", nullptr},
      {"name and QTH", [](QsoRecord& r, AdifRecordStyle&) { r.SetNameQTH("Hans;Berlin"); },
       "<NAME:4>Hans <QTH:6>Berlin ", nullptr},
      {"QTH alone", [](QsoRecord& r, AdifRecordStyle&) { r.SetNameQTH("Berlin"); },
       "<GRIDSQUARE:0> <QTH:6>Berlin <EOR>", "<NAME"},
      {"frequency", [](QsoRecord& r, AdifRecordStyle&) { r.SetFreq(3.5605F); }, "<FREQ:6>3.5605 ",
       nullptr},
      {"no frequency", [](QsoRecord& r, AdifRecordStyle&) { r.SetFreq(0); }, nullptr, "FREQ"},
      {"no date", [](QsoRecord& r, AdifRecordStyle&) { r.SetDatum(BadDate); }, "<TIME_ON:4>0930 ",
       "QSO_DATE"},
      {"midnight", [](QsoRecord& r, AdifRecordStyle&) { r.SetZeit(0); }, "<TIME_ON:4>0000 ",
       nullptr},
      {"no time", [](QsoRecord& r, AdifRecordStyle&) { r.SetZeit(BadTime); }, nullptr, "TIME_ON"},
      {"DOK trimmed", [](QsoRecord& r, AdifRecordStyle&) { r.SetFullDok("Z07     "); },
       "<DOK:3>Z07 ", nullptr},
      {"area",
       [](QsoRecord& r, AdifRecordStyle& s) {
         r.SetFullDok("TA");
         s.dokTag = "AREA";
       },
       "<AREA:2>TA ", "<DOK"},
      {"locator", [](QsoRecord& r, AdifRecordStyle&) { r.SetLocator("JO31"); },
       "<GRIDSQUARE:4>JO31 ", nullptr},
      {"code A", [](QsoRecord&, AdifRecordStyle& s) { s.contestCode = 'A'; },
       "<SRX:3>012 <LDK:3>012 <BAND", nullptr},
      {"DXCC",
       [](QsoRecord& r, AdifRecordStyle& s) {
         r.SetPrefix("DL ");
         s.dxccNumber = [](std::string_view p) { return p == "DL" ? " 230" : ""; };
       },
       "<GRIDSQUARE:0> <DXCC:3>230 <DXCC_PFX:2>DL <EOR>", nullptr},
      {"unknown DXCC",
       [](QsoRecord& r, AdifRecordStyle& s) {
         r.SetPrefix("XX");
         s.dxccNumber = [](std::string_view) { return std::string(); };
       },
       nullptr, "DXCC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordFixture f;
    AdifRecordStyle style;
    c.change(f.r, style);
    const std::string record = AdifRecord(f.r, style);
    if (c.present != nullptr) {
      EXPECT_NE(record.find(c.present), std::string::npos) << record;
    }
    if (c.absent != nullptr) {
      EXPECT_EQ(record.find(c.absent), std::string::npos) << record;
    }
    EXPECT_TRUE(record.ends_with(" <EOR>")) << record;
  }
}

TEST_F(AdifExport, DokTagByExchange) {
  MakeContest('2');
  EXPECT_EQ(AdifDokTag(contest_.definition), "DOK");
  MakeContest('H');
  EXPECT_EQ(AdifDokTag(contest_.definition), "AREA");
  MakeContest('4');
  EXPECT_EQ(AdifDokTag(contest_.definition), "LDK");
}

// A reader the project did not write reads every field back with its value: the lengths in
// the tags are right (also for a name with an umlaut), and the records and fields are where
// the format puts them.
TEST_F(AdifExport, ReadBackByAnAdifReaderFromNpm) {
  const NpmPackage reader = PrepareNpmPackage("npm-adif-reader", "adif-parser-ts", "0.7.7");
  if (!reader.skipReason.empty())
    GTEST_SKIP() << reader.skipReason;
  ASSERT_TRUE(reader.failure.empty()) << reader.failure;

  MakeCode2Log();
  Add({.call = "OE3ABC",
       .datum = Mar(15),
       .zeit = At(7, 45),
       .band = 'l',
       .mode = "PR",
       .rsts = "59 N01/JO42",
       .rstr = "59 /JN88",
       .punkte = 2,
       .nameQth = "Jörg;Köln",
       .qsls = 'J',
       .freq = 432.1F,
       .prefix = "OE",
       .locator = "JN88"});
  const std::string file = dir_.file("log.adi");
  ASSERT_EQ(WriteOutputFile(
                output_kind::kAdifFile, contest_, file, [] { return true; }, clock_),
            OutputFileStatus::kWritten);
  const RunResult read = RunCommand("NODE_PATH='" + reader.nodePath + "' node '" +
                                    TARVIK_SOURCE_DIR + "/tests/outputs/adif_reader.js' '" + file + "'");
  ASSERT_EQ(read.exitCode, 0) << read.output;
  EXPECT_EQ(read.output, "header=ADIF-Export generated with Bridlow Tarvik Version 2006-1.0 "
                  "https://tarvik.example.org\n"
                  "record 1\nqso_date=20260314\ntime_on=1905\ncall=DL1ABC\nrst_sent=59 \n"
                  "rst_rcvd=59 \nstx=N01/JO42\nsrx=5N/JO31\nband=2m\nmode=SSB\npts=3\ndok=5N\ndarc_dok=5N\nmy_darc_dok=N01\n"
                  "gridsquare=JO31AB\ndxcc=230\ndxcc_pfx=DL\nfreq=144.3000\nqsl_sent=Y\n"
                  "qsl_rcvd=N\n"
                  "record 2\nqso_date=20260314\ntime_on=0000\ncall=DF0WN\nrst_sent=599\n"
                  "rst_rcvd=599\nstx=N01/JO42\nsrx=WN/JO30\nband=2m\nmode=CW\npts=6\ndok=WN\ndarc_dok=WN\nmy_darc_dok=N01\n"
                  "gridsquare=JO30\ndxcc=230\ndxcc_pfx=DL\nname=Hans\nqth=Berlin\n"
                  "record 3\ntime_on=1930\ncall=\nrst_sent=59\nrst_rcvd=59\nband=2m\nmode=FM\n"
                  "pts=1\ndok=\nmy_darc_dok=N01\ngridsquare=\n"
                  "record 4\nqso_date=20260314\ntime_on=2059\ncall=DL/PA3ABCD/P\n"
                  "rst_sent=59 \nrst_rcvd=57 \nstx=N01/JO42\nsrx=/JO40\nband=2m\nmode=SSB\n"
                  "pts=12\ndok=\nmy_darc_dok=N01\ngridsquare=JO40\ndxcc=263\ndxcc_pfx=PA\n"
                  "record 5\nqso_date=20260315\ntime_on=0745\ncall=OE3ABC\nrst_sent=59 \n"
                  "rst_rcvd=59 \nstx=N01/JO42\nsrx=/JN88\nband=70cm\nmode=PKT\npts=2\ndok=\nmy_darc_dok=N01\n"
                  "gridsquare=JN88\ndxcc=206\ndxcc_pfx=OE\nfreq=432.1000\nname=Jörg\n"
                  "qth=Köln\nqsl_sent=Y\n");
}

} // namespace
} // namespace tarvik::test
