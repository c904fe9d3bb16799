// The EDI files of a log with QSOs on several bands: one file per band, proposed as
// "<call>_<band>.EDI", the participant dialog once, each file with its band's QSOs, counts
// and points and PBand in the contest managers' form, and each clean for the check.

#include <cmath>

#include "base/process_settings.h"
#include "output_fixture.h"
#include "outputs/edi_file.h"
#include "outputs/file_check.h"
#include "outputs/output_kinds.h"

namespace tarvik::test {
namespace {

class EdiBands : public OutputTest {
protected:
  static std::int32_t Km(const char* locator) {
    return static_cast<std::int32_t>(std::lround(RobotDistanceKm("JO31AB", locator)));
  }

  void MakeTwoBandLog() {
    MakeContest('8', 1);
    contest_.station.locator = "JO31AB";
    Header().SetDateFrom(Mar(3));
    Header().SetDateTo(Mar(3));
    Add({.call = "DL1ABC",
         .datum = Mar(3),
         .zeit = At(17, 30),
         .band = 'k',
         .mode = "CW",
         .rsts = "599001/A/JO31AB",
         .rstr = "599012/B/JO62QM",
         .punkte = 3,
         .locator = "JO62QM",
         .qrb = Km("JO62QM")});
    Add(Marker('l'));
    Add({.call = "PA0AAA",
         .datum = Mar(3),
         .zeit = At(18, 45),
         .band = 'l',
         .mode = "CW",
         .rsts = "599002/A/JO31AB",
         .rstr = "579007/A/JO22DC",
         .punkte = 5,
         .locator = "JO22DC",
         .qrb = Km("JO22DC")});
    Add({.call = "ON4XYZ",
         .datum = Mar(3),
         .zeit = At(18, 50),
         .band = 'l',
         .mode = "CW",
         .rsts = "599003/A/JO31AB",
         .rstr = "599004/C/JO20AB",
         .punkte = 7,
         .locator = "JO20AB",
         .qrb = Km("JO20AB")});
    SetTotals(3, 15, 0);
  }
};

TEST_F(EdiBands, OneFilePerBandWithItsOwnQsosAndCounts) {
  MakeTwoBandLog();
  const std::string file2m = dir_.file("a.EDI");
  const std::string file70cm = dir_.file("b.EDI");
  dialogs_.saveAnswers = {file2m, file70cm};
  int edits = 0;
  OutputServices services{&dialogs_, nullptr, {}, &clock_, {}};
  services.editParticipant = [&](ParticipantData& p) {
    ++edits;
    p.rname = "Changed Name";
  };
  std::vector<std::string> reviewed;
  services.reviewFindings = [&](const std::vector<FileFinding>& f, const std::string& name) {
    for (const FileFinding& finding : f)
      reviewed.push_back(name + ": " + FindingLine(finding));
    return true;
  };
  RunOutputKind(output_kind::kEdiFile, contest_, services);
  EXPECT_EQ(edits, 1);
  std::vector<std::string> proposed;
  for (const FakeDialogs::Event& e : dialogs_.events)
    if (e.kind == FakeDialogs::Kind::SaveFile)
      proposed.push_back(e.file.proposedName);
  EXPECT_EQ(proposed, (std::vector<std::string>{"DL1XYZ_P_2m.EDI", "DL1XYZ_P_70cm.EDI"}));
  // The category allows 2 m only: the 70 cm file is shown with that finding for each of its
  // QSOs, nothing else.
  std::string all;
  for (const std::string& r : reviewed)
    all += r + "\n";
  ASSERT_EQ(reviewed.size(), 2u) << all;
  EXPECT_NE(reviewed[0].find("b.EDI: Fehler, Zeile 48, QSO 1 (PA0AAA): Das Band 70 cm"),
            std::string::npos)
      << all;
  EXPECT_NE(reviewed[1].find("QSO 2 (ON4XYZ)"), std::string::npos) << all;

  const std::string two = ReadFileBytes(file2m);
  const std::string seventy = ReadFileBytes(file70cm);
  EXPECT_NE(two.find("\r\nPBand=145 MHz\r\n"), std::string::npos);
  EXPECT_NE(seventy.find("\r\nPBand=435 MHz\r\n"), std::string::npos);
  EXPECT_NE(two.find("\r\nRName=Changed Name\r\n"), std::string::npos);
  EXPECT_NE(seventy.find("\r\nRName=Changed Name\r\n"), std::string::npos);
  // The points are the band's distances (field 11).
  const std::string p2 = std::to_string(Km("JO62QM"));
  const std::string p70 = std::to_string(Km("JO22DC") + Km("JO20AB"));
  EXPECT_NE(two.find("\r\nCQSOs=1;1\r\nCQSOP=" + p2 + "\r\n"), std::string::npos) << two;
  EXPECT_NE(seventy.find("\r\nCQSOs=2;1\r\nCQSOP=" + p70 + "\r\n"), std::string::npos) << seventy;
  EXPECT_NE(seventy.find("\r\nCToSc=" + p70 + "\r\n"), std::string::npos);
  EXPECT_NE(two.find("[QSORecords;1]\r\n"), std::string::npos);
  EXPECT_NE(seventy.find("[QSORecords;2]\r\n"), std::string::npos);
  EXPECT_NE(two.find(";DL1ABC;"), std::string::npos);
  EXPECT_EQ(two.find(";PA0AAA;"), std::string::npos);
  EXPECT_EQ(seventy.find(";DL1ABC;"), std::string::npos);
  EXPECT_NE(seventy.find(";ON4XYZ;"), std::string::npos);
  // Read by the check as any file: clean.
  SetLanguageFlag(0);
  std::string dump;
  for (const std::string* file : {&two, &seventy})
    for (const FileFinding& f : CheckFile(*file))
      dump += FindingLine(f) + "\n";
  SetLanguageFlag(1);
  EXPECT_EQ(dump, "");
}

TEST_F(EdiBands, CancellingASaveDialogEndsTheRun) {
  MakeTwoBandLog();
  dialogs_.saveAnswers = {std::nullopt};
  OutputServices services{&dialogs_, nullptr, {}, &clock_, {}};
  RunOutputKind(output_kind::kEdiFile, contest_, services);
  int asked = 0;
  for (const FakeDialogs::Event& e : dialogs_.events)
    asked += e.kind == FakeDialogs::Kind::SaveFile ? 1 : 0;
  EXPECT_EQ(asked, 1);
}

TEST(EdiBandNames, ManagersFormAndFileNames) {
  EXPECT_EQ(EdiBandText('k'), "145 MHz");
  EXPECT_EQ(EdiBandText('l'), "435 MHz");
  EXPECT_EQ(EdiBandText('m'), "1,3 GHz");
  EXPECT_EQ(EdiBandText('q'), "10 GHz");
  EXPECT_EQ(EdiBandText('b'), "");
  EXPECT_EQ(EdiBandFileName("DL1ABC/P", 'm'), "DL1ABC_P_23cm.EDI");
}

} // namespace
} // namespace tarvik::test
