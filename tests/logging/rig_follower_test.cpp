// The entry follows the radio: band, mode and frequency from the radio's answers, with the
// band and mode lists' rules, never over a frequency being typed or a stored QSO being
// changed, and once per change of the radio.

#include "base/process_settings.h"
#include "logging/rig_follower.h"
#include "session_fixture.h"

namespace tarvik::test {
namespace {

using F = EntryField;

RigSnapshot Radio(double hz, const char* mode) {
  RigSnapshot s;
  s.link = RigLink::kConnected;
  s.reading = {hz, mode};
  s.answers = 1;
  return s;
}

class FollowRadio : public SessionTest {
protected:
  /// Code 5: 80, 40, 20, 15, 10 m, 2 m and 70 cm; SSB, CW, FM and DIGITAL; postcodes.
  QsoSession& OpenCode5() {
    QsoSession& s = Open({.code = '5'});
    EXPECT_EQ(s.Definition().Bands, "bcegikl");
    follower_ = std::make_unique<RigFollower>(s);
    return s;
  }
  std::unique_ptr<RigFollower> follower_;
};

TEST_F(FollowRadio, BandModeAndFrequencyGoIntoTheStoredQsos) {
  QsoSession& s = OpenCode5();
  ASSERT_EQ(s.Bands().Band(), 'b');
  ASSERT_EQ(s.Bands().Mode(), "CW");
  EXPECT_TRUE(follower_->Follow(Radio(7030500, "CW")));
  EXPECT_EQ(s.Bands().Band(), 'c');
  EXPECT_EQ(s.Bands().Mode(), "CW");
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "7,0305");
  EXPECT_EQ(follower_->Notice(), "");
  ASSERT_TRUE(Log("DL1ABC", {"48149"}));
  EXPECT_FLOAT_EQ(StoredQso(0).Freq(), 7.0305f);
  EXPECT_EQ(StoredQso(0).Band(), 'c');

  // The radio moves to 20 m USB: band, mode and the default reports follow.
  EXPECT_TRUE(follower_->Follow(Radio(14200000, "USB")));
  EXPECT_EQ(s.Bands().Band(), 'e');
  EXPECT_EQ(s.Bands().Mode(), "SSB");
  EXPECT_EQ(s.Form().FieldText(F::eRSTs1), "59 ");
  EXPECT_EQ(s.Record().BandSerial(), 1);
  EXPECT_FALSE(follower_->Follow(Radio(14200000, "USB"))) << "the same answer changes nothing";
  ASSERT_TRUE(Log("DL2ABC", {"12345"}));
  EXPECT_FLOAT_EQ(StoredQso(1).Freq(), 14.2f);
  EXPECT_EQ(StoredQso(1).Mode(), "SSB");
  EXPECT_EQ(StoredQso(1).Band(), 'e');

  // Tuning within the band changes only the frequency of the QSO being entered.
  EXPECT_TRUE(follower_->Follow(Radio(14250500, "USB")));
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "14,2505");
  // The operator's own mode stays while the radio stays; a new QSO still gets the radio's
  // frequency, which the mode change took from it.
  s.TakeMode("FM");
  s.Clear();
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "");
  EXPECT_TRUE(follower_->Follow(Radio(14250500, "USB")));
  EXPECT_EQ(s.Bands().Mode(), "FM");
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "14,2505");
  ASSERT_TRUE(Log("DL3ABC", {"12345"}));
  EXPECT_FLOAT_EQ(StoredQso(2).Freq(), 14.2505f);
  EXPECT_EQ(StoredQso(2).Mode(), "FM");
}

TEST_F(FollowRadio, ABandTheContestLacksKeepsTheLogsBandOncePerChange) {
  QsoSession& s = OpenCode5();
  // 160 m is no band of code 5: the band stays, the panel says why; the mode follows.
  EXPECT_TRUE(follower_->Follow(Radio(1840000, "LSB")));
  EXPECT_EQ(s.Bands().Band(), 'b');
  EXPECT_EQ(s.Bands().Mode(), "SSB");
  EXPECT_EQ(follower_->Notice(), "160 m nicht im Contest");
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "") << "the QSO does not get a frequency of another band";
  EXPECT_FALSE(follower_->Follow(Radio(1845000, "LSB")));
  EXPECT_EQ(follower_->Notice(), "160 m nicht im Contest");
  EXPECT_TRUE(dialogs_.events.empty()) << "no message for the radio's band";
  EXPECT_FALSE(follower_->Follow(Radio(100000000, "LSB")));
  EXPECT_EQ(follower_->Notice(), "Frequenz außerhalb der Bänder");
  EXPECT_TRUE(follower_->Follow(Radio(3650000, "LSB")));
  EXPECT_EQ(follower_->Notice(), "");
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "3,6500");

  // The operator picks 2 m: it stays while the radio stays on 80 m, and the QSO keeps the
  // frequency of its own band.
  s.TakeBand('k');
  EXPECT_FALSE(follower_->Follow(Radio(3650000, "LSB")));
  EXPECT_EQ(s.Bands().Band(), 'k');
  ASSERT_TRUE(Log("DL1ABC", {"48149"}));
  EXPECT_EQ(StoredQso(0).Band(), 'k');
  EXPECT_FLOAT_EQ(StoredQso(0).Freq(), 144.0f);
  // When the radio moves again, the log follows again.
  EXPECT_TRUE(follower_->Follow(Radio(432200000, "USB")));
  EXPECT_EQ(s.Bands().Band(), 'l');
}

TEST_F(FollowRadio, TheOperatorsTypingIsNeverOverruled) {
  QsoSession& s = OpenCode5();
  // A call being typed stays when the radio changes the band, as with the band list; the
  // QSO is stored on the new band.
  Type("DL1ABC");
  EXPECT_TRUE(follower_->Follow(Radio(21200000, "USB")));
  EXPECT_EQ(s.Bands().Band(), 'g');
  EXPECT_EQ(s.Form().FieldText(F::eCall), "DL1ABC");
  EXPECT_EQ(s.Form().Focus(), F::eCall);
  Enter();
  Type("48149");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).Band(), 'g');
  EXPECT_FLOAT_EQ(StoredQso(0).Freq(), 21.2f);

  // While a frequency is typed, the radio waits; afterwards it is followed.
  s.Form().ToggleNameQth();
  s.SetFocus(F::eFreq);
  Retype("7012");
  EXPECT_FALSE(follower_->Follow(Radio(28400000, "USB")));
  EXPECT_EQ(s.Bands().Band(), 'g');
  EXPECT_EQ(s.Form().FieldText(F::eFreq), "7012");
  s.SetFocus(F::eCall); // the typed frequency takes the log to 40 m
  EXPECT_EQ(s.Bands().Band(), 'c');
  EXPECT_TRUE(follower_->Follow(Radio(28400000, "USB")));
  EXPECT_EQ(s.Bands().Band(), 'i');

  // A stored QSO being changed is left alone; the entry follows when it is done.
  ASSERT_TRUE(s.BeginEdit(1));
  EXPECT_FALSE(follower_->Follow(Radio(3550000, "CW")));
  EXPECT_EQ(s.Bands().Band(), 'i');
  EXPECT_EQ(s.Bands().Mode(), "SSB");
  s.Clear();
  EXPECT_TRUE(follower_->Follow(Radio(3550000, "CW")));
  EXPECT_EQ(s.Bands().Band(), 'b');
  EXPECT_EQ(s.Bands().Mode(), "CW");
}

TEST_F(FollowRadio, DigitalModesUseTheFreeModeField) {
  QsoSession& s = OpenCode5();
  EXPECT_TRUE(follower_->Follow(Radio(14080000, "RTTY")));
  EXPECT_EQ(s.Form().Show(F::emode), FieldShow::kEntry);
  EXPECT_EQ(s.Bands().Mode(), "RTTY");
  EXPECT_EQ(s.Form().FieldText(F::eRSTs1), "599");
  ASSERT_TRUE(Log("DL1ABC", {"48149"}));
  EXPECT_EQ(StoredQso(0).Mode(), "RTTY");
  // A data mode that names no mode keeps what the free field says.
  s.SetFocus(F::emode);
  Retype("FT8");
  s.SetFocus(F::eCall);
  EXPECT_FALSE(follower_->Follow(Radio(14080000, "PKTUSB")));
  EXPECT_EQ(s.Bands().Mode(), "FT8");
  // Back to voice: the free field goes; AM stands for no mode of the contest.
  EXPECT_TRUE(follower_->Follow(Radio(14080000, "USB")));
  EXPECT_EQ(s.Form().Show(F::emode), FieldShow::kLabel);
  EXPECT_EQ(s.Bands().Mode(), "SSB");
  EXPECT_FALSE(follower_->Follow(Radio(14080000, "AM")));
  EXPECT_EQ(s.Bands().Mode(), "SSB");

  // Code 2 (2 m; SSB, CW, FM) has no digital mode: the mode stays.
  follower_.reset();
  session_.reset();
  QsoSession& two = Open({.code = '2'});
  RigFollower follower(two);
  const std::string mode = two.Bands().Mode();
  EXPECT_TRUE(follower.Follow(Radio(144174000, "PKTUSB")));
  EXPECT_EQ(two.Bands().Mode(), mode);
  EXPECT_EQ(two.Form().FieldText(F::eFreq), "144,1740");
}

TEST_F(FollowRadio, PanelTexts) {
  QsoSession& s = OpenCode5();
  RigSnapshot off;
  EXPECT_EQ(follower_->Texts(off).link, "CAT aus");
  RigSnapshot none;
  none.link = RigLink::kNoConnection;
  none.reason = "Connection refused";
  EXPECT_EQ(follower_->Texts(none).link, "keine Verbindung");
  EXPECT_EQ(follower_->Texts(none).frequency, "");
  EXPECT_FALSE(follower_->Follow(none));
  EXPECT_EQ(s.Bands().Band(), 'b');

  const RigSnapshot usb = Radio(14074000, "USB");
  EXPECT_TRUE(follower_->Follow(usb));
  CatPanelTexts texts = follower_->Texts(usb);
  EXPECT_EQ(texts.link, "");
  EXPECT_EQ(texts.frequency, "14,07400 MHz");
  EXPECT_EQ(texts.mode, "USB (SSB)");
  EXPECT_EQ(texts.notice, "");
  EXPECT_EQ(follower_->Texts(Radio(14074000, "AM")).mode, "AM");
  EXPECT_EQ(follower_->Texts(Radio(7074000, "CW")).mode, "CW");
  const RigSnapshot far = Radio(1840000, "LSB");
  EXPECT_FALSE(follower_->Follow(far));
  EXPECT_EQ(follower_->Texts(far).notice, "160 m nicht im Contest");

  SetLanguageFlag(0);
  EXPECT_EQ(follower_->Texts(none).link, "no connection");
  EXPECT_EQ(follower_->Texts(off).link, "CAT off");
  follower_->Reset();
  EXPECT_EQ(follower_->Notice(), "");
  EXPECT_FALSE(follower_->Follow(far));
  EXPECT_EQ(follower_->Notice(), "160 m not in this contest");
  SetLanguageFlag(1);
}

} // namespace
} // namespace tarvik::test
