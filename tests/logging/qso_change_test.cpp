// Changing and deleting stored QSOs in the entry session: the edit form filled from a QSO
// and its own rules, what a change recalculates, the deletion with its question, and the
// renumbering that follows (not for logs that send serial numbers).

#include "session_fixture.h"

#include "logging/qso_edit_form.h"
#include "logging/qso_identity.h"

namespace tarvik::test {
namespace {

using E = EditField;

class QsoChange : public SessionTest {
protected:
  /// The record number of stored QSO i (in record-number order).
  std::int32_t RecordOf(std::size_t i) { return StoredQso(i).LfdNr(); }

  QsoEditForm Form(std::int32_t record) {
    QsoEditForm form;
    EXPECT_TRUE(S().BeginChange(record, &form));
    return form;
  }

  int BandIndex(const QsoEditForm& form, const std::string& name) {
    const auto& names = form.BandNames();
    const auto it = std::find(names.begin(), names.end(), name);
    EXPECT_NE(it, names.end()) << name;
    return static_cast<int>(it - names.begin());
  }
};

TEST_F(QsoChange, FormIsFilledFromTheStoredQso) {
  QsoSession& s = Open({});
  ASSERT_TRUE(Log("DL1ABC", {"N05", "JO42AB"}));
  const QsoEditForm form = Form(RecordOf(0));
  EXPECT_EQ(form.NumberCaption(), "Nummer:   1");
  EXPECT_EQ(form.Text(E::eCall), "DL1ABC");
  EXPECT_EQ(form.Text(E::eRSTs1), "599");
  EXPECT_EQ(form.Text(E::eRSTs2), "N01");
  EXPECT_EQ(form.Text(E::eRSTs3), "JO31");
  EXPECT_EQ(form.Text(E::eRSTr1), "599");
  EXPECT_EQ(form.Text(E::eRSTr2), "N05");
  EXPECT_EQ(form.Text(E::eRSTr3), "JO42AB");
  EXPECT_EQ(form.Text(E::eDatum), "14.03.2026");
  EXPECT_EQ(form.Text(E::ezeit), "12:00");
  EXPECT_EQ(form.Text(E::eQSLw), "N");
  EXPECT_EQ(form.MultiCaption(), "DXCC");
  EXPECT_EQ(form.Text(E::eMulti), "DL");
  EXPECT_EQ(form.BandNames(), std::vector<std::string>{"2 m"});
  EXPECT_EQ(form.BandIndex(), 0);
  EXPECT_EQ(form.Modes()[static_cast<std::size_t>(form.ModeIndex())], "CW");
  EXPECT_FALSE(form.Visible(E::emode));
  EXPECT_FALSE(form.Visible(E::eCall2));
  // Fields the log window does not let the operator type are disabled; the RSTs never.
  EXPECT_TRUE(form.Enabled(E::eRSTs1));
  EXPECT_TRUE(form.Enabled(E::eRSTr1));
  EXPECT_FALSE(form.Enabled(E::eRSTs2)); // the sent exchange is locked in this log
  EXPECT_TRUE(form.Enabled(E::eRSTr2));
  EXPECT_TRUE(form.Enabled(E::eRSTr3));
  EXPECT_FALSE(form.Enabled(E::eRSTr4));
  (void)s;
}

TEST_F(QsoChange, ModeChangeFollowsTheReports) {
  QsoEditForm form;
  form.Initialise({.bandLetters = "k", .modes = {"CW", "SSB", "FM"}, .band = 'k', .mode = "SSB"});
  form.Fill(E::eRSTs1, "59");
  form.Fill(E::eRSTr1, "57 ");
  form.ChooseMode(0);
  EXPECT_EQ(form.Text(E::eRSTs1), "599");
  EXPECT_EQ(form.Text(E::eRSTr1), "579");
  form.ChooseMode(1);
  EXPECT_EQ(form.Text(E::eRSTs1), "59 ");
  EXPECT_EQ(form.Text(E::eRSTr1), "57 ");
  form.ChooseMode(0);
  form.ChooseMode(2); // FM like SSB
  EXPECT_EQ(form.Text(E::eRSTs1), "59 ");
  // A mode the list lacks stands in the free mode field until a list mode is chosen.
  form.Initialise({.bandLetters = "k", .modes = {"CW", "SSB"}, .band = 'k', .mode = "RTTY"});
  EXPECT_TRUE(form.Visible(E::emode));
  EXPECT_EQ(form.Mode(), "RTTY");
  form.ChooseMode(1);
  EXPECT_FALSE(form.Visible(E::emode));
  EXPECT_EQ(form.Mode(), "SSB");
}

TEST_F(QsoChange, FrequencyAndBandRules) {
  QsoEditForm form;
  form.Initialise({.bandLetters = "kl", .modes = {"CW"}, .band = 'k', .mode = "CW"});
  struct Case {
    const char* typed;
    int bandBefore;
    const char* shown;
    int bandAfter;
  };
  const Case cases[] = {
      {"144,3", 0, "144,3000", 0},  // on the chosen band
      {"432200", 0, "432,2000", 1}, // kilohertz of the other band: that band is chosen
      {"99", 1, "430,0000", 1},     // no band: the chosen band's default
      {"14,2", 0, "144,0000", 0},   // a band the contest lacks counts as no band
      {"", 1, "430,0000", 1},       // nothing typed: the default as well
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    form.ChooseBand(c.bandBefore);
    form.SetText(E::eFreq, c.typed);
    form.LeaveFrequency();
    EXPECT_EQ(form.Text(E::eFreq), c.shown);
    EXPECT_EQ(form.BandIndex(), c.bandAfter);
  }
  // A band change keeps a frequency of the new band and replaces any other.
  form.ChooseBand(0);
  form.SetText(E::eFreq, "144,3");
  form.ChooseBand(0);
  EXPECT_EQ(form.Text(E::eFreq), "144,3");
  form.ChooseBand(1);
  EXPECT_EQ(form.Text(E::eFreq), "430,0000");
  EXPECT_EQ(form.Band(), 'l');
  // Upper case and lengths as typed.
  form.SetText(E::eCall, "dl1abc/p-long-text");
  EXPECT_EQ(form.Text(E::eCall), "DL1ABC/P-LONG-"); // 14 characters
  form.SetText(E::eName, "Hans");
  EXPECT_EQ(form.Text(E::eName), "Hans");
}

TEST_F(QsoChange, BandChangeRecalculatesNameChangeDoesNot) {
  QsoSession& s = Open({.code = 'c'});
  ASSERT_FALSE(SentSerialNumbers(s.Definition()));
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  ASSERT_TRUE(Log("DL2ABC", {"N06"}));
  ASSERT_TRUE(Log("DL3ABC", {"N07"}));
  EXPECT_EQ(s.Log().Totals().qsos['k'], 3);
  const int points = s.Log().Totals().points['k'];

  // Only the name: stored, nothing recalculated.
  const int rebuilds = s.Log().FullRebuilds();
  QsoEditForm form = Form(RecordOf(1));
  form.SetText(E::eName, "Hans");
  ChangeOutcome outcome = s.ApplyChange(RecordOf(1), form);
  EXPECT_TRUE(outcome.stored);
  EXPECT_FALSE(outcome.fullRecalculation);
  EXPECT_EQ(s.Log().FullRebuilds(), rebuilds);
  EXPECT_EQ(StoredQso(1).NameQTH(), "Hans;");

  // The band: totals follow.
  form = Form(RecordOf(1));
  form.ChooseBand(BandIndex(form, "70 cm"));
  outcome = s.ApplyChange(RecordOf(1), form);
  EXPECT_TRUE(outcome.fullRecalculation);
  EXPECT_GT(s.Log().FullRebuilds(), rebuilds);
  EXPECT_EQ(s.Log().Totals().qsos['k'], 2);
  EXPECT_EQ(s.Log().Totals().qsos['l'], 1);
  EXPECT_EQ(s.Log().Totals().points['k'] + s.Log().Totals().points['l'], points);
  // Renumbered: the 70-cm QSO is number 1 of its band.
  const QsoRecord moved = StoredQso(1);
  EXPECT_EQ(moved.Band(), 'l');
  EXPECT_EQ(moved.BandNr(), 1);
  EXPECT_EQ(StoredQso(2).BandNr(), 2);
}

TEST_F(QsoChange, ChangedQsoIsFoundAgainAfterTheRenumbering) {
  QsoSession& s = Open({.code = 'c'});
  for (const char* call : {"DL1ABC", "DL2ABC", "DL3ABC"})
    ASSERT_TRUE(Log(call, {"N05"})) << call;
  Fileblock& log = *s.Log().File();

  // An earlier time and another band: the renumbering makes DL3ABC record 1.
  QsoEditForm form = Form(RecordOf(2));
  form.SetText(E::ezeit, "11:00");
  form.ChooseBand(BandIndex(form, "70 cm"));
  const ChangeOutcome outcome = s.ApplyChange(RecordOf(2), form);
  ASSERT_EQ(outcome.renumbered, RenumberResult::kRenumbered);
  EXPECT_EQ(outcome.record, 1);
  EXPECT_EQ(s.Log().LastStoredRecord(), 1);
  ASSERT_EQ(log.ReadRecord(outcome.record), 0);
  EXPECT_EQ(QsoRecord(static_cast<const char*>(log.RecordBuffer())).Call(), "DL3ABC");

  // Twins (equal in all that was entered): the n-th before is the n-th after. The second
  // twin carries another prefix, which the renumbering keeps.
  ASSERT_EQ(log.ReadRecord(RecordOf(2)), 0);
  std::array<char, QsoRecord::kLength> twin{};
  std::memcpy(twin.data(), log.RecordBuffer(), twin.size());
  QsoRecord t(twin.data());
  ASSERT_EQ(t.Call(), "DL2ABC");
  std::memset(twin.data(), 0, 4);
  t.SetLfdNr(0);
  t.SetPrefix("OL");
  std::memcpy(log.RecordBuffer(), twin.data(), twin.size());
  ASSERT_TRUE(AddRecord(log));
  const std::int32_t twinRecord = log.CurrentRecordNumber();
  const int rank = SameQsoRank(log, t, twinRecord);
  EXPECT_EQ(rank, 1);
  EXPECT_EQ(SameQsoRank(log, t, RecordOf(0)), -1); // DL1ABC is not one of them
  ASSERT_EQ(s.Renumber(), RenumberResult::kRenumbered);
  const std::int32_t found = FindSameQso(log, t, rank);
  ASSERT_GT(found, 0);
  EXPECT_EQ(QsoRecord(static_cast<const char*>(log.RecordBuffer())).Prefix(), "OL");
  const std::int32_t first = FindSameQso(log, t, 0);
  ASSERT_GT(first, 0);
  EXPECT_NE(first, found);
  EXPECT_EQ(QsoRecord(static_cast<const char*>(log.RecordBuffer())).Prefix(), "DL");
  EXPECT_EQ(FindSameQso(log, t, 2), 0);
}

TEST_F(QsoChange, CallAndPointsChangesRecalculate) {
  // The call feeds the points (club stations score differently); a change of it is always
  // recalculated.
  QsoSession& s = Open({.code = 'c'});
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  const int rebuilds = s.Log().FullRebuilds();
  QsoEditForm form = Form(RecordOf(0));
  form.SetText(E::eCall, "DL0ABC");
  const ChangeOutcome outcome = s.ApplyChange(RecordOf(0), form);
  EXPECT_TRUE(outcome.fullRecalculation);
  EXPECT_GT(s.Log().FullRebuilds(), rebuilds);
  EXPECT_EQ(StoredQso(0).Call(), "DL0ABC");
}

TEST_F(QsoChange, ChangedCallGetsItsOwnPrefixUnlessThePrefixWasTyped) {
  QsoSession& s = Open({.code = 'c'});
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  QsoEditForm form = Form(RecordOf(0));
  form.SetText(E::eCall, "OK1ABC");
  (void)s.ApplyChange(RecordOf(0), form);
  EXPECT_EQ(StoredQso(0).Prefix(), "OK");
  form = Form(RecordOf(0));
  form.SetText(E::eMulti, "OL");
  (void)s.ApplyChange(RecordOf(0), form);
  EXPECT_EQ(StoredQso(0).Prefix(), "OL");
}

TEST_F(QsoChange, InvalidExchangeInTheDialogIsReported) {
  QsoSession& s = Open({});
  ASSERT_TRUE(Log("DL1ABC", {"N05", "JO42AB"}));
  QsoEditForm form = Form(RecordOf(0));
  form.SetText(E::eRSTr3, "ZZ99");
  dialogs_.Clear();
  (void)s.ApplyChange(RecordOf(0), form);
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{"Fehler bei Locator-Angabe"});
  EXPECT_EQ(StoredQso(0).QRB(), 0);
}

TEST_F(QsoChange, MarkerRecordsAreRefusedSilently) {
  QsoSession& s = Open({.code = 'c'});
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  Fileblock* log = s.Log().File();
  std::memset(log->RecordBuffer(), 0, QsoRecord::kLength);
  QsoRecord marker(log->RecordBuffer());
  marker.SetBand('k');
  marker.SetQSYBand('l');
  ASSERT_TRUE(AddRecord(*log));
  const std::int32_t markerRecord = log->CurrentRecordNumber();
  dialogs_.Clear();
  QsoEditForm form;
  EXPECT_FALSE(s.BeginChange(markerRecord, &form));
  EXPECT_FALSE(s.ApplyChange(markerRecord, form).stored);
  EXPECT_FALSE(s.DeleteQso(markerRecord));
  EXPECT_TRUE(dialogs_.Informs().empty());
  EXPECT_TRUE(dialogs_.Questions().empty());
  EXPECT_EQ(StoredCount(), 2);
}

TEST_F(QsoChange, DeletingQsoFiveOfTenRenumbers) {
  QsoSession& s = Open({.code = 'c'});
  for (int i = 1; i <= 10; ++i)
    ASSERT_TRUE(Log("DL" + std::to_string(i % 10) + (i == 10 ? "AAA" : "ABC"), {"N05"}));
  const std::string sixth = StoredQso(5).Call();
  const std::string fifth = StoredQso(4).Call();
  // No keeps it.
  dialogs_.Clear();
  dialogs_.confirmAnswers = {false};
  EXPECT_FALSE(s.DeleteQso(RecordOf(4)));
  EXPECT_EQ(StoredCount(), 10);
  // Yes deletes it.
  dialogs_.Clear();
  dialogs_.confirmAnswers = {true};
  EXPECT_TRUE(s.DeleteQso(RecordOf(4)));
  EXPECT_EQ(dialogs_.Informs(),
            std::vector<std::string>{"Durch das Löschen eines Eintrages werden die Nummern "
                                     "aller nachfolgenden Einträge um 1 verringert."});
  EXPECT_EQ(dialogs_.Questions(), std::vector<std::string>{"Eintrag " + fifth + " löschen?"});
  EXPECT_EQ(StoredCount(), 9);
  const QsoRecord now5 = StoredQso(4);
  EXPECT_EQ(now5.Call(), sixth);
  EXPECT_EQ(now5.QSONr(), 5);
  EXPECT_EQ(now5.LfdNr(), 5);
  EXPECT_EQ(StoredQso(8).QSONr(), 9);
  EXPECT_EQ(s.Log().Totals().qsos['k'], 9);
  EXPECT_EQ(s.Log().Next().qso, 10);
  EXPECT_EQ(s.EditMode(), 0);
}

TEST_F(QsoChange, SerialNumberLogsAreNotRenumbered) {
  QsoSession& s = Open({.code = 'O', .category = 3});
  ASSERT_TRUE(SentSerialNumbers(s.Definition()));
  for (int i = 1; i <= 10; ++i)
    ASSERT_TRUE(Log("DL" + std::to_string(i % 10) + (i == 10 ? "AAA" : "ABC"),
                    {"00" + std::to_string(i % 10), "N05", "JO42AB"}));
  dialogs_.confirmAnswers = {true};
  ASSERT_TRUE(s.DeleteQso(RecordOf(4)));
  EXPECT_EQ(StoredCount(), 9);
  EXPECT_EQ(StoredQso(4).QSONr(), 6); // the number that was sent stays
  EXPECT_EQ(StoredQso(4).RSTs().substr(3, 3), "006");
  // Nor when the window closes.
  Reopen();
  EXPECT_EQ(StoredQso(4).QSONr(), 6);
}

TEST_F(QsoChange, ClosingRenumbersALogOutOfOrder) {
  QsoSession& s = Open({.code = 'c', .autoTime = false});
  s.SetFocus(EntryField::ezeit);
  Retype("12:30");
  s.SetFocus(EntryField::eCall);
  ASSERT_TRUE(Log("DL1ABC", {"N05", ""})); // Enter in the time field stores
  s.SetFocus(EntryField::ezeit);
  Retype("12:10");
  s.SetFocus(EntryField::eCall);
  ASSERT_TRUE(Log("DL2ABC", {"N06", ""}));
  EXPECT_EQ(StoredQso(0).Call(), "DL1ABC");
  Reopen();
  EXPECT_EQ(StoredQso(0).Call(), "DL2ABC");
  EXPECT_EQ(StoredQso(0).QSONr(), 1);
  EXPECT_EQ(StoredQso(1).QSONr(), 2);
}

} // namespace
} // namespace tarvik::test

namespace tarvik::test {
namespace {

class ListenerChange : public SessionTest {};

TEST_F(ListenerChange, ReportRowsAreSwappedAndComeBackInPlace) {
  QsoSession& s = Open({.code = 'O', .category = 6});
  ASSERT_NE(s.Definition().ListenerLog, 0);
  Fileblock* log = s.Log().File();
  std::memset(log->RecordBuffer(), 0, QsoRecord::kLength);
  QsoRecord r(log->RecordBuffer());
  r.SetCall("DL1ABC");
  r.SetCall2("DL2XYZ");
  r.SetBand('k');
  r.SetMode("SSB");
  r.SetDatum(DmyToDay(14, 3, 2026));
  r.SetZeit(12 * 3600);
  r.SetRSTs("59 N01");
  r.SetRSTr("57 N05");
  r.SetQSONr(1);
  ASSERT_TRUE(AddRecord(*log));
  const std::int32_t record = log->CurrentRecordNumber();

  QsoEditForm form;
  ASSERT_TRUE(s.BeginChange(record, &form));
  EXPECT_TRUE(form.Visible(EditField::eCall2));
  EXPECT_EQ(form.Text(EditField::eCall2), "DL2XYZ");
  // The first row holds the report of the first station (RSTr), the second row the one
  // of the second station (RSTs), as in the log window's listener layout.
  EXPECT_EQ(form.Text(EditField::eRSTs1), "57 ");
  EXPECT_EQ(form.Text(EditField::eRSTs2), "N05");
  EXPECT_EQ(form.Text(EditField::eRSTr1), "59 ");
  EXPECT_EQ(form.Text(EditField::eRSTr2), "N01");
  form.SetText(EditField::eCall2, "DL3QQ");
  ASSERT_TRUE(s.ApplyChange(record, form).stored);
  ASSERT_EQ(log->ReadRecord(record), 0);
  const QsoRecord changed(static_cast<const char*>(log->RecordBuffer()));
  EXPECT_EQ(changed.RSTs(), "59 N01");
  EXPECT_EQ(changed.RSTr(), "57 N05");
  EXPECT_EQ(changed.Call2(), "DL3QQ");
  EXPECT_EQ(changed.Call(), "DL1ABC");
}

} // namespace
} // namespace tarvik::test

namespace tarvik::test {
namespace {

class QsoChangeKeeps : public SessionTest {};

TEST_F(QsoChangeKeeps, UnreadableCallDateOrTimeKeepTheStoredValue) {
  QsoSession& s = Open({.code = 'c'});
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  const std::int32_t record = StoredQso(0).LfdNr();
  const QsoRecord before = StoredQso(0);
  const DayNumber day = before.Datum();
  const TimeOfDay time = before.Zeit();
  QsoEditForm form;
  ASSERT_TRUE(s.BeginChange(record, &form));
  form.SetText(EditField::eCall, "");
  form.SetText(EditField::eDatum, "31.02.2026");
  form.SetText(EditField::ezeit, "25:99");
  form.SetText(EditField::eName, "Hans");
  dialogs_.Clear();
  ASSERT_TRUE(s.ApplyChange(record, form).stored);
  EXPECT_EQ(dialogs_.Informs().size(), 3u);
  const QsoRecord after = StoredQso(0);
  EXPECT_EQ(after.Call(), "DL1ABC");
  EXPECT_EQ(after.Datum(), day);
  EXPECT_EQ(after.Zeit(), time);
  EXPECT_EQ(after.NameQTH(), "Hans;"); // the rest of the change is stored
}

} // namespace
} // namespace tarvik::test
