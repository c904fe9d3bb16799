// Band and mode of the entry session: time blocks, frequencies, the running numbers that
// follow band and mode, the sent exchange per band, the focus moves of the Enter key
// through time and date, and the QSL-send mark.

#include "session_fixture.h"

namespace tarvik::test {
namespace {

using F = EntryField;

class BandMode : public SessionTest {};

TEST_F(BandMode, TimeBlocksSwitchTheBandButNotWhileACallIsTyped) {
  clock_.now = {2009, 3, 21, 14, 30, 0, 0};
  // Code V, category F1 (VHF/UHF): bands k and l; the blocks of the day name b, a, l, k.
  QsoSession& s = Open({.code = 'V', .category = 6, .autoBand = true});
  ASSERT_EQ(s.Definition().Bands, "kl");
  EXPECT_EQ(s.Bands().Band(), 'k'); // 14:30: a block of band b, which the category lacks
  SetClock(17, 45);                 // the block of 70 cm
  EXPECT_EQ(s.Bands().Band(), 'l');
  EXPECT_EQ(s.Log().Counters(s.Bands().Band()).qsoCaption, "QSO 70 cm");
  Type("DL1AB");
  SetClock(18, 45); // the block of 2 m begins while a call is typed
  EXPECT_EQ(s.Bands().Band(), 'l');
  s.Clear();
  s.ClockTick();
  EXPECT_EQ(s.Bands().Band(), 'k');
  SetClock(20, 0); // after the last block the band stays
  EXPECT_EQ(s.Bands().Band(), 'k');
  // While a list of the log is open the clock moves date and time only; the band of the
  // block follows at the next full tick.
  clock_.now.hour = 17;
  clock_.now.minute = 45;
  s.ClockTick(false);
  EXPECT_EQ(s.Bands().Band(), 'k');
  EXPECT_EQ(s.Form().FieldText(F::ezeit), "17:45:00");
  s.ClockTick();
  EXPECT_EQ(s.Bands().Band(), 'l');
}

TEST_F(BandMode, FrequencySwitchesTheBandWithItsSerialNumbers) {
  QsoSession& s = Open({.code = 'c'});
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  s.TakeBand(s.Bands().BandByName("70 cm"));
  EXPECT_EQ(s.Bands().Band(), 'l');
  EXPECT_EQ(s.Record().BandSerial(), 1);
  s.Form().ToggleNameQth();
  EXPECT_EQ(s.Form().Show(F::eFreq), FieldShow::kEntry);
  s.SetFocus(F::eFreq);
  Type("144300"); // kilohertz: completed to 144.3 MHz
  s.SetFocus(F::eCall);
  EXPECT_EQ(s.Bands().Band(), 'k');
  EXPECT_EQ(s.Record().BandSerial(), 2);
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "144,3000");
  ASSERT_TRUE(Log("DL2ABC", {"N06", "", "", ""}));
  const QsoRecord q = StoredQso(1);
  EXPECT_EQ(q.Band(), 'k');
  EXPECT_EQ(q.BandSerial(), 2);
  EXPECT_FLOAT_EQ(q.Freq(), 144.3f);
  // The frequency is preset into the next QSO; one outside every band gives the band's
  // default frequency.
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "144,3000");
  s.SetFocus(F::eFreq);
  Retype("99");
  s.SetFocus(F::eCall);
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "144,0000");
  // On another band a frequency outside it gives way to the band's default frequency.
  s.TakeBand('l');
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "430,0000");
}

TEST_F(BandMode, FrequencyOfABandTheContestLacksKeepsTheBand) {
  // Code 2 works 2 m only: a 70-cm frequency is a typing slip, not a band change.
  QsoSession& s = Open({});
  s.Form().ToggleNameQth();
  s.SetFocus(F::eFreq);
  Type("432200");
  s.SetFocus(F::eCall);
  EXPECT_EQ(s.Bands().Band(), 'k');
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "144,0000");
  s.Form().ToggleNameQth(); // with the QTH field shown the QSO would be stored from there
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  EXPECT_EQ(StoredQso(0).Band(), 'k');
  EXPECT_FLOAT_EQ(StoredQso(0).Freq(), 144.0f);
}

TEST_F(BandMode, StoreCountAndNewestQsoOfTheBandFollowTheLog) {
  QsoSession& s = Open({.code = 'c'});
  EXPECT_EQ(s.Log().StoreCount(), 0);
  EXPECT_EQ(s.Log().LastStoredRecord(), 0);
  EXPECT_EQ(s.Log().NewestQsoOfBand(s.Bands().Band()), 0);
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  ASSERT_TRUE(Log("DL2ABC", {"N06"}));
  EXPECT_EQ(s.Log().StoreCount(), 2);
  EXPECT_EQ(s.Log().LastStoredRecord(), 2);
  EXPECT_EQ(s.Log().NewestQsoOfBand(s.Bands().Band()), 2);
  s.TakeBand('l');
  EXPECT_EQ(s.Log().NewestQsoOfBand(s.Bands().Band()), 0);
  ASSERT_TRUE(Log("DL3ABC", {"N07"}));
  EXPECT_EQ(s.Log().NewestQsoOfBand(s.Bands().Band()), 3);
  s.TakeBand('k');
  EXPECT_EQ(s.Log().NewestQsoOfBand(s.Bands().Band()), 2);
  // A refused store changes nothing; a changed QSO counts as stored.
  Type("DL1ABC");
  Enter();
  EXPECT_EQ(s.Log().StoreCount(), 3);
  ASSERT_TRUE(s.BeginEdit(1));
  EXPECT_TRUE(s.Store());
  EXPECT_EQ(s.Log().StoreCount(), 4);
  EXPECT_EQ(s.Log().LastStoredRecord(), 1);
}

TEST_F(BandMode, SentExchangeFollowsTheBandForCodeJ) {
  QsoSession& s = Open({.code = 'J', .dok = "E01"});
  EXPECT_EQ(s.Bands().Band(), 'b');
  EXPECT_EQ(s.Record().RSTs(), "599E01");
  s.TakeBand('k');
  EXPECT_EQ(s.Record().RSTs(), "599E01/JO31MX");
  EXPECT_EQ(s.Form().FieldText(F::eRSTs2), "E01/JO31MX");
  s.TakeBand('c');
  EXPECT_EQ(s.Record().RSTs(), "599E01");
}

TEST_F(BandMode, SerialPerModeGroupFollowsTheMode) {
  // Code Z: the sent element 2 is the running number of the mode group.
  QsoSession& s = Open({.code = 'Z'});
  EXPECT_EQ(s.Bands().Mode(), "CW");
  EXPECT_EQ(s.Record().RSTs(), "599001");
  ASSERT_TRUE(Log("OK1ABC", {"7", "IPA", ""}));
  ASSERT_TRUE(Log("OK2ABC", {"8", "", ""}));
  EXPECT_EQ(s.Record().RSTs(), "599003");
  s.TakeMode("SSB");
  EXPECT_EQ(s.Record().RSTs(), "59 001");
  EXPECT_EQ(s.Record().ModeNr(), 1);
  ASSERT_TRUE(Log("OK3ABC", {"9", "", ""}));
  EXPECT_EQ(StoredQso(2).ModeNr(), 1);
  EXPECT_EQ(StoredQso(2).QSONr(), 3);
  s.TakeMode("CW");
  EXPECT_EQ(s.Record().RSTs(), "599003");
  // The required text: only the QSO with "IPA" brought a multiplier; it scores 5.
  EXPECT_EQ(StoredQso(0).Punkte(), 5);
  EXPECT_EQ(StoredQso(0).MultMark1(), "OK");
  EXPECT_EQ(StoredQso(1).MultMark1(), "");
  // Per band: 80 m has one multiplier and 5 + 1 + 1 points.
  EXPECT_EQ(s.Log().Score(), 7);
}

TEST_F(BandMode, EnterMovesThroughTimeAndDateAndStoresFromTheTime) {
  QsoSession& s = Open({.autoDate = false, .autoTime = false});
  EXPECT_EQ(s.Form().FieldsInTabOrder(),
            (std::vector<F>{F::eCall, F::eRSTr2, F::eRSTr3, F::ezeit, F::eDatum}));
  EXPECT_EQ(s.Form().FieldText(F::eDatum), "");
  s.SetFocus(F::eDatum);
  Type("1403");
  s.SetFocus(F::eCall);
  EXPECT_EQ(s.Form().FieldText(F::eDatum), "14.03.2026");
  Type("DL1ABC");
  Enter();
  Type("5N");
  Enter();
  Type("JO42");
  Enter();
  EXPECT_EQ(s.Form().Focus(), F::ezeit); // the last received field leads to the time
  EXPECT_EQ(StoredCount(), 0);
  Type("9:3"); // not a time: nothing is stored, the time field is marked
  Enter();
  EXPECT_EQ(StoredCount(), 0);
  EXPECT_EQ(s.Form().Focus(), F::ezeit);
  EXPECT_TRUE(s.Form().FieldFailed(F::ezeit));
  Retype("0000");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).Zeit(), 0);
  EXPECT_EQ(StoredQso(0).Datum(), DmyToDay(14, 3, 2026));
  // Date and time of the QSO stored last are preset into the next one.
  EXPECT_EQ(s.Form().FieldText(F::eDatum), "14.03.2026");
  EXPECT_EQ(s.Form().FieldText(F::ezeit), "00:00");
  EXPECT_EQ(s.Form().Focus(), F::eCall);
}

TEST_F(BandMode, QslMarkAndListBrowsing) {
  QsoSession& s = Open({.code = 'c'});
  EXPECT_EQ(s.Form().QslMark(), 'N');
  s.ToggleQslMark();
  EXPECT_EQ(s.Form().QslLabel(), "&QSL senden: ja");
  ASSERT_TRUE(Log("DL1ABC", {"N05"}));
  EXPECT_EQ(StoredQso(0).QSLs(), 'Y');
  EXPECT_EQ(s.Form().QslMark(), 'N'); // the header default again
  s.SwitchBandForList('l');
  EXPECT_EQ(s.Bands().Band(), 'l');
  EXPECT_EQ(s.Record().Datum(), BadDate);
  EXPECT_EQ(s.Form().FieldText(F::eCall), "");
}

} // namespace
} // namespace tarvik::test
