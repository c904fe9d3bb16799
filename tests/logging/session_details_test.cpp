// Details of the entry session: band-change marker records of older logs, points that
// depend on the order of the log, changing a stored QSO, the prefix chosen by the person,
// the time of the save, LDK fields for German calls only, and the name as the exchange.

#include "session_fixture.h"

#include "country/prefix_choice.h"
#include "recordfile/key_codec.h"

namespace tarvik::test {
namespace {

using F = EntryField;

class SessionDetails : public SessionTest {};

TEST_F(SessionDetails, MarkerRecordsAreCleanedSkippedAndGiveTheStartBand) {
  // A log written by an older tool: a QSO on 2 m and a marker record for 70 cm.
  Open({.code = 'c'});
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  Fileblock* log = S().Log().File();
  ASSERT_EQ(log->ClearBuffer(), 0);
  QsoRecord marker(log->RecordBuffer());
  marker.SetCall("DL5QQ");
  marker.SetBand('l');
  marker.SetQSYBand('l');
  marker.SetPrefix("DL");
  marker.SetFullDok("N09");
  marker.SetLocator("JO31");
  ASSERT_TRUE(AddRecord(*log));
  // The older tool's log is opened as it stands (closing the session would renumber it,
  // which drops the marker).
  session_.reset();
  session_ = std::make_unique<QsoSession>(params_, dialogs_, clock_);
  ASSERT_TRUE(session_->Open());
  QsoSession& s = *session_;
  EXPECT_EQ(s.Bands().Band(), 'l'); // the band the marker changed to
  const QsoRecord cleaned = StoredQso(1);
  EXPECT_EQ(cleaned.Prefix(), "");
  EXPECT_EQ(cleaned.FullDok(), "");
  EXPECT_EQ(cleaned.Locator(), "");
  EXPECT_EQ(cleaned.Call(), "DL5QQ");
  EXPECT_EQ(s.Log().Totals().TotalQsos(), 1);
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 1);
  // A marker is never an earlier QSO of the duplicate rule.
  ASSERT_TRUE(Log("DL5QQ", {"N06"}));
  // Closing renumbers the log: the marker goes, the QSOs stay.
  Reopen();
  EXPECT_EQ(StoredCount(), 2);
  EXPECT_EQ(StoredQso(1).Call(), "DL5QQ");
  EXPECT_EQ(StoredQso(1).QSYBand(), '\0');
}

TEST_F(SessionDetails, FirstOwnDokQsoAndPointsRecomputedOnRebuild) {
  // Code 'K': a QSO with the own DOK scores 1 only as the first one in DOK order.
  QsoSession& s = Open({.code = 'K', .dok = "G01"});
  ASSERT_TRUE(Log("DL1ABC", {"1", "G01"}));
  ASSERT_TRUE(Log("DL2ABC", {"2", "G01"}));
  ASSERT_TRUE(Log("DL3ABC", {"3", "G05"}));
  EXPECT_EQ(StoredQso(0).Punkte(), 1);
  EXPECT_EQ(StoredQso(1).Punkte(), 0);
  EXPECT_EQ(StoredQso(2).Punkte(), 1);
  EXPECT_EQ(s.Log().Totals().TotalPoints(), 2);
  // The first one is deleted elsewhere: the rebuild gives the second its point.
  Fileblock* log = s.Log().File();
  ASSERT_EQ(log->FindKey(4, NumKey5(1)), 0);
  ASSERT_EQ(log->Delete(kDeleteNoPosition), 0);
  s.Rebuild();
  EXPECT_EQ(StoredQso(0).Punkte(), 1);
  EXPECT_EQ(s.Log().Totals().TotalPoints(), 2);
  EXPECT_EQ(s.Log().Totals().TotalQsos(), 2);
}

TEST_F(SessionDetails, ChangingAStoredQso) {
  QsoSession& s = Open({});
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  ASSERT_TRUE(Log("DL2ABC", {"N01", "JO31"}));
  EXPECT_EQ(s.Log().Score(), (3 + 1) * (3 + 3 + 3));
  ASSERT_TRUE(s.BeginEdit(2));
  EXPECT_EQ(s.EditMode(), 1);
  EXPECT_EQ(s.Form().FieldText(F::eCall), "DL2ABC");
  EXPECT_EQ(s.Form().FieldText(F::eRSTr2), "N01");
  s.SetFocus(F::eRSTr2);
  Retype("WN");
  // The QSO itself is no duplicate of itself and no earlier multiplier.
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 9 + 6);
  Enter();
  Enter();
  EXPECT_EQ(s.EditMode(), 0);
  EXPECT_EQ(StoredCount(), 2);
  const QsoRecord changed = StoredQso(1);
  EXPECT_EQ(changed.FullDok(), "WN");
  EXPECT_EQ(changed.QSONr(), 2);
  EXPECT_EQ(changed.Punkte(), 3);
  EXPECT_EQ(s.Log().Score(), (3 + 3) * 15);
  EXPECT_FALSE(s.BeginEdit(99));
}

TEST_F(SessionDetails, PrefixChosenByThePersonIsAskedOncePerEntry) {
  AddMain({.prefix = "KC6", .dxcc = "T8", .country = "Palau", .entity = 22, .area = "1"});
  AddMain({.prefix = "KC6", .dxcc = "V6", .country = "Micronesia", .entity = 173, .area = "2"});
  SetPrefixAmbiguityOption(true);
  QsoSession& s = Open({.code = '9'});
  int asked = 0;
  std::string askedCall;
  s.SetPrefixChooser([&](PrefixChoice& choice) {
    ++asked;
    askedCall = choice.Call();
    choice.Mark(1);
    return choice.Take();
  });
  // Typing never asks (the window would take the next keys); leaving the call does, for
  // the whole call.
  Type("KC6XY");
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(s.Record().Prefix(), "T8");
  Enter();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(askedCall, "KC6XY");
  EXPECT_EQ(s.Record().Prefix(), "V6");
  EXPECT_EQ(s.Record().Continent(), "EU");
  Type("5");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).Prefix(), "V6");
  EXPECT_EQ(asked, 1);
  SetPrefixAmbiguityOption(false);
}

TEST_F(SessionDetails, AutomaticTimeIsTheTimeOfTheSave) {
  QsoSession& s = Open({});
  Type("DL1ABC");
  Enter();
  Type("5N");
  Enter();
  Type("JO42");
  clock_.now.minute = 7; // the timer has not run yet
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).Zeit(), 12 * 3600 + 7 * 60);
  EXPECT_EQ(s.Form().FieldText(F::ezeit), "12:07:00");
}

TEST_F(SessionDetails, LdkFieldsExistForGermanCallsOnly) {
  // Code 4: received element 2 is the LDK.
  QsoSession& s = Open({.code = '4'});
  EXPECT_EQ(s.Form().ElementCaption(1), "&1 : LDK");
  EXPECT_EQ(s.Form().ElementCaption(2), "&2 : RTC-Nr");
  Type("OK1ABC");
  EXPECT_EQ(s.Form().Show(F::eRSTr2), FieldShow::kHidden);
  Enter();
  EXPECT_EQ(s.Form().Focus(), F::eRSTr3);
  s.Clear();
  EXPECT_EQ(s.Form().Show(F::eRSTr2), FieldShow::kEntry);
  Type("DL1ABC");
  EXPECT_EQ(s.Form().Show(F::eRSTr2), FieldShow::kEntry);
  Enter();
  EXPECT_EQ(s.Form().Focus(), F::eRSTr2);
}

TEST_F(SessionDetails, NameIsTheExchangeForCodeA) {
  QsoSession& s = Open({.code = 'a', .category = 1});
  EXPECT_EQ(s.Form().Show(F::eName), FieldShow::kEntry);
  s.SetFocus(F::eName);
  Type("Otto");
  EXPECT_EQ(s.Form().FieldText(F::eRSTr2), "OTTO");
  EXPECT_EQ(s.Form().FieldText(F::eName), "Otto");
}

TEST_F(SessionDetails, DokRestrictionOfTheCompletenessTest) {
  Open({.code = 'c'});
  params_.definition.DokCheckList = {"", "Z14"};
  params_.definition.DokCheckDistricts = "N";
  QsoSession& s = Reopen();
  dialogs_.Clear();
  EXPECT_FALSE(Log("DL1ABC", {"P01"}));
  EXPECT_EQ(
      dialogs_.Informs(),
      std::vector<std::string>{"Station muß aus Distrikt N sein. Bitte Kontestregeln beachten."});
  EXPECT_EQ(s.Form().Focus(), F::eRSTr2);
  EXPECT_TRUE(s.Form().FieldFailed(F::eRSTr2));
  Retype("N05"); // a district letter passes
  Enter();
  EXPECT_EQ(StoredCount(), 1);
  EXPECT_TRUE(Log("DL2ABC", {"Z14"})); // so does an entry of the list
  // A QSO without DOK fails silently.
  dialogs_.Clear();
  EXPECT_FALSE(Log("OK1ABC", {"N05"}));
  EXPECT_TRUE(dialogs_.Informs().empty());
}

TEST_F(SessionDetails, EnterInTheCallFieldStoresWithoutExchangeFields) {
  // Code A: no received exchange, fixed reports, automatic date and time.
  QsoSession& s = Open({.code = 'A'});
  EXPECT_EQ(s.Form().FieldsInTabOrder(), std::vector<F>{F::eCall});
  Type("DL0DA");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).Punkte(), 2);
  EXPECT_EQ(s.Form().Focus(), F::eCall);
  EXPECT_EQ(s.Form().FieldText(F::eCall), "");
}

TEST_F(SessionDetails, TheCallBookFillsTheExchangeOncePerCall) {
  Open({});
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  // The next contest: the call book remembers the DOK of the call.
  Open({.contestNumber = 2});
  Type("DL1ABC");
  Enter();
  EXPECT_EQ(S().Form().FieldText(F::eRSTr2), "5N");
  Retype("WN"); // the station moved: the operator corrects the DOK
  S().SetFocus(F::eCall);
  S().SetFocus(F::eRSTr3);
  EXPECT_EQ(S().Form().FieldText(F::eRSTr2), "WN");
  Type("JO42");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).FullDok(), "WN");
}

TEST_F(SessionDetails, TheSaveRefusesAnIncompleteQso) {
  QsoSession& s = Open({});
  Type("DL");
  EXPECT_FALSE(s.Store(true));
  s.SetFieldText(F::eCall, "DL1ABC");
  s.SetFieldText(F::eRSTr2, "5N");
  EXPECT_TRUE(s.Store(true));
  s.SetFieldText(F::eCall, "DL1ABC");
  dialogs_.Clear();
  EXPECT_FALSE(s.Store(true)); // a duplicate, also through the save used by the import
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{"Call bereits auf Band vorhanden"});
  EXPECT_EQ(StoredCount(), 1);
}

TEST_F(SessionDetails, BlankKeysInReceivedFields) {
  QsoSession& s = Open({});
  EXPECT_EQ(s.Form().TypedKey(F::eRSTr2, ' '), "");
  EXPECT_EQ(s.Form().TypedKey(F::eRSTr2, 'A'), "A");
  EXPECT_EQ(s.Form().TypedKey(F::eCall, ' '), " ");
}

} // namespace
} // namespace tarvik::test
