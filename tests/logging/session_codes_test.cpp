// The entry cycle of contests of other kinds: a DOK contest with the once-per-contest
// duplicate rule, a locator and distance contest, a serial-number contest, a listener
// category, the party contest with WPX prefixes, postcode areas, the field day's portable
// rule, the 15:00 periods, the QCWA member list, name and QTH fields, and a contest
// without multipliers.

#include "session_fixture.h"

#include <cmath>
#include <filesystem>

#include "base/data_directory.h"
#include "base/pictures.h"
#include "radio/locator.h"
#include "recordfile/key_codec.h"

namespace tarvik::test {
namespace {

using F = EntryField;

class CodeSessions : public SessionTest {};

TEST_F(CodeSessions, CodeCRefusesACallOnceInTheWholeContest) {
  QsoSession& s = Open({.code = 'c'});
  EXPECT_EQ(s.Bands().Band(), 'k');
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  EXPECT_EQ(StoredQso(0).Punkte(), 6); // CW
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 1);
  // The call just stored, typed again: the call field's check does not run for the call
  // it saw last, the completeness test refuses it.
  dialogs_.Clear();
  EXPECT_FALSE(Log("DL1ABC", {"N05"}));
  EXPECT_EQ(dialogs_.Beeps(), 1);
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{"Call bereits vorhanden"});
  EXPECT_EQ(s.Form().Focus(), F::eCall);
  EXPECT_TRUE(s.Form().FieldFailed(F::eCall));
  EXPECT_EQ(StoredCount(), 1);
  // On the other band (two bands: F8 toggles without a list) the call is refused as soon
  // as the call field is left.
  s.Clear();
  EXPECT_FALSE(PressBandButton(s));
  EXPECT_EQ(s.Bands().Band(), 'l');
  ASSERT_TRUE(Log("DL2ABC", {"Z14"}));
  dialogs_.Clear();
  Type("DL1ABC");
  Enter();
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{"Call DL1ABC bereits vorhanden"});
  EXPECT_EQ(dialogs_.Beeps(), 0);
  EXPECT_EQ(s.Form().FieldText(F::eCall), "");
  EXPECT_EQ(s.Form().Focus(), F::eCall);
  // DOKs of the list and of district N count; others do not.
  ASSERT_TRUE(Log("DL3ABC", {"P01"}));
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 2);
  EXPECT_EQ(s.Log().Score(), 18 * 2);
}

TEST_F(CodeSessions, CodeNDistancePointsCappedOnTwoMetresPlusNewSquares) {
  LocatorDistance far;
  ASSERT_TRUE(Distance("JO31MX", "LP55", far));
  ASSERT_GT(far.km, 2500);
  LocatorDistance near;
  ASSERT_TRUE(Distance("JO31MX", "JO42", near));
  QsoSession& s = Open({.code = 'N'});
  EXPECT_EQ(s.Form().FieldsInTabOrder(), (std::vector<F>{F::eCall, F::eRSTr2}));
  ASSERT_TRUE(Log("OH1ABC", {"LP55"}));
  EXPECT_EQ(StoredQso(0).Punkte(), 2000 + 500);
  EXPECT_EQ(StoredQso(0).QRB(), static_cast<int>(std::lround(far.km)));
  EXPECT_EQ(StoredQso(0).MultMark1(), "LP55");
  ASSERT_TRUE(Log("OH2ABC", {"LP55AA"}));
  EXPECT_EQ(StoredQso(1).Punkte(), 2000);
  ASSERT_TRUE(Log("DL1ABC", {"JO42"}));
  const int nearPoints = static_cast<int>(std::lround(near.km)) + 500;
  EXPECT_EQ(StoredQso(2).Punkte(), nearPoints);
  // A plain multiplier count: the score is the points.
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 2);
  EXPECT_EQ(s.Log().Score(), 4500 + nearPoints);
  EXPECT_EQ(s.Log().Evaluation(s.Bands().Band()).multiTotal, "2 Multi");
  QsoSession& again = Reopen();
  EXPECT_EQ(again.Log().Score(), 4500 + nearPoints);
}

TEST_F(CodeSessions, SerialNumbersAreSentAndStoredWithAtLeastThreeDigits) {
  QsoSession& s = Open({.code = 'S', .dok = "S01"});
  EXPECT_EQ(s.Form().FieldText(F::eRSTs2), "001/S01");
  EXPECT_EQ(s.Form().ElementCaption(1), "&1 : lfd.Nr.");
  ASSERT_TRUE(Log("DL1ABC", {"5", "W05"}));
  QsoRecord q = StoredQso(0);
  EXPECT_EQ(q.RSTs(), "599001/S01");
  EXPECT_EQ(q.RSTr(), "599005/W05");
  EXPECT_EQ(q.FullDok(), "W05");
  EXPECT_EQ(s.Form().FieldText(F::eRSTs2), "002/S01");
  // A log whose last QSO number is 999: the next one is sent as 1000, never "***".
  Fileblock* log = s.Log().File();
  std::memcpy(log->RecordBuffer(), Stored().at(0).data(), QsoRecord::kLength);
  QsoRecord copy(log->RecordBuffer());
  copy.SetCall("DL9QQQ");
  copy.SetQSONr(999);
  ASSERT_TRUE(AddRecord(*log));
  s.Clear();
  EXPECT_EQ(s.Form().FieldText(F::eRSTs2), "1000/S01");
  ASSERT_TRUE(Log("DL2ABC", {"17", "H01"}));
  EXPECT_EQ(StoredQso(2).RSTs(), "5991000/S01");
  EXPECT_EQ(StoredQso(2).RSTr(), "599017/H01");
  EXPECT_EQ(StoredQso(2).QSONr(), 1000);
}

TEST_F(CodeSessions, ListenerLogRowsSecondCallAndMarks) {
  QsoSession& s = Open({.code = '3', .category = 2});
  EXPECT_EQ(s.Form().Show(F::eCall2), FieldShow::kEntry);
  EXPECT_FALSE(s.Form().NameQthButtonVisible());
  EXPECT_EQ(s.Form().FieldsInTabOrder(),
            (std::vector<F>{F::eCall, F::eRSTs2, F::eCall2, F::eRSTr2}));
  EXPECT_EQ(s.Form().RowCaption(true), "RSTs2");
  EXPECT_EQ(s.Form().RowCaption(false), "RSTs");
  // Without the second call the QSO is not complete.
  Type("DL1ABC");
  Enter();
  Type("N05");
  Enter();
  EXPECT_EQ(s.Form().Focus(), F::eCall2);
  Enter();
  Type("N07");
  Enter();
  EXPECT_EQ(StoredCount(), 0);
  EXPECT_EQ(s.Form().Focus(), F::eCall2);
  EXPECT_TRUE(s.Form().FieldFailed(F::eCall2));
  Type("DL2XYZ");
  Enter();
  EXPECT_EQ(s.Form().Focus(), F::eRSTr2);
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  const QsoRecord q = StoredQso(0);
  EXPECT_EQ(q.Call(), "DL1ABC");
  EXPECT_EQ(q.Call2(), "DL2XYZ"); // never a multiplier mark
  EXPECT_EQ(q.RSTr(), "599N05");  // what the first station sent
  EXPECT_EQ(q.RSTs(), "599N07");  // what the second station sent
  EXPECT_EQ(q.FullDok(), "N05");
  EXPECT_EQ(q.MultMark1(), "N05");
  EXPECT_EQ(s.Log().Score(), 1);
}

TEST_F(CodeSessions, PartyCountsWpxPrefixesAndExchangePoints) {
  QsoSession& s = Open({.code = 'P'});
  EXPECT_TRUE(s.Log().Evaluation(s.Bands().Band()).partyButtonVisible);
  EXPECT_EQ(s.Record().RSTs(), "599001"); // no sent element: the QSO number
  ASSERT_TRUE(Log("DL1ABC", {"37"}));
  ASSERT_TRUE(Log("DN2XY", {"XX"}));
  ASSERT_TRUE(Log("DL1ABD", {"0"}));
  EXPECT_EQ(StoredQso(0).Prefix(), "DL1");
  EXPECT_EQ(StoredQso(0).Punkte(), 37);
  EXPECT_EQ(StoredQso(1).Prefix(), "DN2");
  EXPECT_EQ(StoredQso(1).Punkte(), 40);
  EXPECT_EQ(StoredQso(2).Punkte(), 100);
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 2);
  EXPECT_EQ(s.Log().Score(), 177);
  const EntryCounters counters = s.Log().Counters(s.Bands().Band());
  EXPECT_EQ(counters.multiCaption, "Prefixe ");
  EXPECT_EQ(counters.multiValue, "    2");
  const EvaluationPanel panel = s.Log().Evaluation(s.Bands().Band());
  EXPECT_EQ(panel.multiTotal, "2 Prefixe");
  EXPECT_EQ(panel.pointsTotal, "177 Punkte =");
  EXPECT_EQ(panel.score, "      177 Pkt.");
  EXPECT_FALSE(panel.multiBlockVisible);
  EXPECT_EQ(panel.rows[4].name, "10 m");
  EXPECT_EQ(panel.rows[0].points, "  177");
  EXPECT_TRUE(panel.rows[0].current);
}

TEST_F(CodeSessions, PostcodeAreasAndTheFreeModeField) {
  QsoSession& s = Open({.code = '5'});
  s.TakeMode("DIGITAL");
  EXPECT_EQ(s.Form().Show(F::emode), FieldShow::kEntry);
  EXPECT_EQ(s.Bands().Mode(), "DIGI");
  EXPECT_EQ(s.Form().FieldText(F::eRSTs1), "599");
  s.SetFocus(F::emode);
  Retype("PSK31");
  EXPECT_EQ(s.Bands().Mode(), "PSK31");
  s.SetFocus(F::eCall);
  ASSERT_TRUE(Log("DL1ABC", {"48149"}));
  ASSERT_TRUE(Log("DN1ABC", {"48155"}));
  ASSERT_TRUE(Log("DL2ABC", {"12345"}));
  EXPECT_EQ(StoredQso(0).Mode(), "PSK31");
  EXPECT_EQ(StoredQso(0).Kenner(), "48");
  EXPECT_EQ(StoredQso(1).Punkte(), 5);
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 2);
  EXPECT_EQ(s.Log().Score(), 11);
  const EvaluationPanel panel = s.Log().Evaluation(s.Bands().Band());
  EXPECT_FALSE(panel.scoreVisible);
  EXPECT_EQ(panel.rows[0].multis, "    0");
  EXPECT_EQ(panel.pointsTotal, "11 Punkte");
  EXPECT_EQ(panel.multiTotal, "2 PLZ");
  EXPECT_EQ(s.Log().Counters(s.Bands().Band()).multiCaption, "PLZ-Bereiche");
}

TEST_F(CodeSessions, FieldDayPortableStationsAndFixedStationsInCategory6) {
  QsoSession& s = Open({.code = '9', .category = 6});
  EXPECT_EQ(s.Record().RSTr(), "599000");
  ASSERT_TRUE(Log("DL1ABC", {"12"}));
  EXPECT_EQ(StoredQso(0).Punkte(), 0); // a fixed station stays in the log with 0 points
  EXPECT_EQ(StoredQso(0).RSTr(), "599012");
  // The same station portable is another station for the duplicate rule.
  ASSERT_TRUE(Log("DL1ABC/P", {"3"}));
  EXPECT_EQ(StoredQso(1).Punkte(), 4);
  EXPECT_EQ(StoredQso(1).RSTr(), "599003");
  dialogs_.Clear();
  ASSERT_TRUE(Log("DL2ABC", {"4"}));
  EXPECT_FALSE(Log("DL1ABC/P", {"4"}));
  EXPECT_EQ(dialogs_.Informs(),
            std::vector<std::string>{"Call DL1ABC/P bereits auf Band vorhanden"});
}

TEST_F(CodeSessions, Code6PeriodsBeforeAndFrom1500) {
  clock_.now = {2026, 3, 14, 14, 59, 0, 0};
  QsoSession& s = Open({.code = '6'});
  ASSERT_TRUE(Log("DL1ABC", {"NM"}));
  SetClock(15, 0);
  ASSERT_TRUE(Log("DL1ABC", {"1234"}));
  EXPECT_EQ(StoredQso(1).Punkte(), 5);
  SetClock(16, 30);
  // The call stored last, typed again: the completeness test refuses it (with a beep).
  dialogs_.Clear();
  EXPECT_FALSE(Log("DL1ABC", {"1234"}));
  EXPECT_EQ(dialogs_.Informs(),
            std::vector<std::string>{"Call bereits in Band und Periode vorhanden"});
  EXPECT_EQ(dialogs_.Beeps(), 1);
  EXPECT_EQ(s.Log().Score(), 6);
}

TEST_F(CodeSessions, QcwaMembersAreRememberedInTheMemberList) {
  QsoSession& s = Open({.code = 'k'});
  EXPECT_EQ(s.Form().ElementCaption(1), "&1 : QCWA");
  ASSERT_TRUE(Log("DL1ABC", {"12345"}));
  EXPECT_EQ(StoredQso(0).Call2(), "12345");
  EXPECT_EQ(StoredQso(0).Punkte(), 5);
  EXPECT_EQ(s.Book().QcwaList(), std::vector<std::string>{"DL1ABC;;12345"});
  Reopen();
  EXPECT_EQ(ReadFileBytes(DataPath("qcwa.csv")), "DL1ABC;;12345\r\n");
  // On the other band the number comes from the list when the call field is left.
  S().TakeBand('c');
  Type("DL1ABC");
  Enter();
  EXPECT_EQ(S().Form().FieldText(F::eRSTr2), "12345");
  EXPECT_EQ(S().Record().Call2(), "12345");
  Enter();
  EXPECT_EQ(StoredCount(), 2);
  EXPECT_EQ(StoredQso(1).Call2(), "12345");
}

// A member list that cannot be saved when the log closes is reported with the cause.
TEST_F(CodeSessions, AMemberListThatCannotBeSavedIsReported) {
  // A folder in the list's place: the new list cannot take its name.
  std::filesystem::create_directory(DataPath("qcwa.csv"));
  QsoSession& s = Open({.code = 'k'});
  ASSERT_TRUE(Log("DL1ABC", {"12345"}));
  dialogs_.Clear();
  s.Close();
  EXPECT_EQ(dialogs_.Informs(),
            std::vector<std::string>{"Die Datei " + DataPath("qcwa.csv") +
                                     " konnte nicht gespeichert werden. Unter diesem Namen steht "
                                     "ein Verzeichnis."});
  EXPECT_FALSE(std::filesystem::exists(DataPath("qcwa.csv.tmp")));
}

TEST_F(CodeSessions, NameAndQthAreStoredAndRememberedInTheCallBook) {
  QsoSession& s = Open({.code = 'I', .dok = "I01"});
  EXPECT_EQ(s.Form().Show(F::eQTH), FieldShow::kEntry);
  EXPECT_EQ(s.Form().FieldsInTabOrder(),
            (std::vector<F>{F::eCall, F::eRSTr2, F::eFreq, F::eName, F::eQTH}));
  ASSERT_TRUE(Log("DK0AB", {"I05", "", "Hans", "Leer"}));
  const QsoRecord q = StoredQso(0);
  EXPECT_EQ(q.NameQTH(), "Hans;Leer");
  EXPECT_EQ(q.Punkte(), 2);
  EXPECT_EQ(s.Form().CallName(), "");
  // The same station on another mode: the call book gives name, QTH and DOK.
  ASSERT_TRUE(Log("DL1XY", {"I07", "", "", ""}));
  s.TakeMode("SSB");
  Type("DK0AB");
  Enter();
  EXPECT_EQ(s.Form().CallName(), "Hans");
  EXPECT_EQ(s.Form().FieldText(F::eName), "Hans");
  EXPECT_EQ(s.Form().FieldText(F::eQTH), "Leer");
  EXPECT_EQ(s.Form().FieldText(F::eRSTr2), "I05");
}

TEST_F(CodeSessions, ContestWithoutMultipliersShowsThePoints) {
  QsoSession& s = Open({.code = 'E'});
  EXPECT_TRUE(s.Form().CompactLayout());
  const EntryCounters counters = s.Log().Counters(s.Bands().Band());
  EXPECT_EQ(counters.pointsCaption, "");
  EXPECT_EQ(counters.multiValue, "");
  LocatorDistance d;
  ASSERT_TRUE(Distance("JO31MX", "JO60", d));
  ASSERT_TRUE(Log("OK1ABC", {"JO60"}));
  const int points = static_cast<int>(std::lround(d.km));
  EXPECT_EQ(s.Log().Score(), points);
  const EvaluationPanel panel = s.Log().Evaluation(s.Bands().Band());
  EXPECT_TRUE(panel.totalsOnly);
  EXPECT_EQ(panel.multiTotal, "");
  EXPECT_EQ(panel.pointsTotal, "");
  EXPECT_EQ(panel.score, FormatLongPicture("#########", points) + " Pkt.");
  // Everything is kept in slot 1; the header's first slot receives it.
  QsoSession& again = Reopen();
  const ContestHeaderRecord header(again.Contest().header.data());
  EXPECT_EQ(header.bandQsos(1), 1);
  EXPECT_EQ(header.bandPoints(1), points);
  EXPECT_EQ(header.bandQsos(2), 0);
}

} // namespace
} // namespace tarvik::test
