// The whole entry cycle of this build's contest (code '2', Westfalen Nord QRP activity
// contest): DOK and locator exchange on 2 m, the 14 listed DOKs as weighted multipliers,
// locator squares worth 3, duplicates per band, and the totals after closing and reopening.

#include "session_fixture.h"

#include <cmath>

#include "radio/locator.h"
#include "recordfile/key_codec.h"

namespace tarvik::test {
namespace {

using F = EntryField;

class Code2Session : public SessionTest {};

TEST_F(Code2Session, LayoutFieldsCaptionsAndDefaults) {
  QsoSession& s = Open({});
  EXPECT_EQ(s.Bands().Band(), 'k');
  EXPECT_EQ(s.Bands().Mode(), "CW"); // no start flag: CW when offered
  EXPECT_EQ(s.Form().Show(F::eCall), FieldShow::kEntry);
  EXPECT_EQ(s.Form().Show(F::eCall2), FieldShow::kHidden);
  EXPECT_EQ(s.Form().Show(F::eRSTs1), FieldShow::kLabel);
  EXPECT_EQ(s.Form().Show(F::eRSTr1), FieldShow::kLabel);
  EXPECT_EQ(s.Form().Show(F::eRSTs2), FieldShow::kLabel);
  EXPECT_EQ(s.Form().Show(F::eRSTs3), FieldShow::kHidden);
  EXPECT_EQ(s.Form().Show(F::eRSTr2), FieldShow::kEntry);
  EXPECT_EQ(s.Form().Show(F::eRSTr3), FieldShow::kEntry);
  EXPECT_EQ(s.Form().Show(F::eRSTr4), FieldShow::kHidden);
  EXPECT_EQ(s.Form().Show(F::eDatum), FieldShow::kLabel);
  EXPECT_EQ(s.Form().Show(F::ezeit), FieldShow::kLabel);
  EXPECT_EQ(s.Form().Show(F::eFreq), FieldShow::kHidden);
  EXPECT_EQ(s.Form().Show(F::emode), FieldShow::kLabel);
  EXPECT_EQ(s.Form().FieldsInTabOrder(), (std::vector<F>{F::eCall, F::eRSTr2, F::eRSTr3}));
  EXPECT_EQ(s.Form().FieldText(F::eRSTs1), "599");
  EXPECT_EQ(s.Form().FieldText(F::eRSTs2), "N01/JO31");
  EXPECT_EQ(s.Form().FieldText(F::eRSTr1), "599");
  EXPECT_EQ(s.Form().FieldText(F::emode), "CW");
  EXPECT_EQ(s.Form().FieldText(F::eDatum), "14.03.2026");
  EXPECT_EQ(s.Form().FieldText(F::ezeit), "12:00:00");
  EXPECT_EQ(s.Form().ElementCaption(1), "&1 : DOK");
  EXPECT_EQ(s.Form().ElementCaption(2), "&2 : LOC");
  EXPECT_EQ(s.Form().ElementCaption(3), "");
  EXPECT_EQ(s.Form().Focus(), F::eCall);
  EXPECT_TRUE(s.Form().CaptionHighlighted(F::eCall));
  EXPECT_FALSE(s.Bands().BandButtonVisible());
  EXPECT_TRUE(s.Bands().ModeButtonVisible());
  EXPECT_EQ(s.Form().QslLabel(), "&QSL senden: nein");
  EXPECT_EQ(LogWindowCaption(s.Definition(), s.Contest().Header()),
            "Tarvik Version 2006-1.0 Logbuch (Contest : Test )");
  const EntryCounters counters = s.Log().Counters(s.Bands().Band());
  EXPECT_EQ(counters.qsoCaption, "QSO 2 m");
  EXPECT_EQ(counters.multiCaption, "Multi 2 m");
  EXPECT_EQ(counters.pointsCaption, "Punkte 2 m");
  EXPECT_EQ(counters.nextNumber, "1");
  EXPECT_EQ(counters.multiValue, "    0");
  const std::vector<PanelCell> panel = s.Log().MultiplierPanel(s.Bands().Band());
  ASSERT_EQ(panel.size(), 112u);
  EXPECT_EQ(panel[0], PanelCell{});
}

TEST_F(Code2Session, EntryCycleStoresRefusesDuplicatesAndKeepsTheScore) {
  QsoSession& s = Open({});
  struct Step {
    const char* call;
    std::vector<std::string> exchange;
    bool stored;
    int points;      // of the stored QSO
    int multis;      // total after it
    long long score; // total after it
  };
  const Step steps[] = {
      // A listed DOK ending in N: weight 3 and 3 points; a new square: weight 3.
      {"DL1ABC", {"5N", "JO42"}, true, 3, 6, 18},
      // DF0WN: 6 points; DOK "WN" weight 6; another new square.
      {"DF0WN", {"WN", "JO32"}, true, 6, 15, 135},
      // A club station (second letter K, third 0): 2 points; DOK not listed: no multiplier.
      {"DK0XY", {"O21", "JO31"}, true, 2, 18, 198},
      // A foreign call: its DOK is not taken; the square still counts.
      {"OK1ABC", {"N05", "JO60"}, true, 1, 21, 252},
      // Worked again on the band: refused when the call field is left.
      {"DL1ABC", {}, false, 0, 21, 252},
      // Values worked before: no new multiplier.
      {"DL2XYZ", {"5N", "JO42"}, true, 3, 21, 315},
  };
  int storedSoFar = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.call);
    dialogs_.Clear();
    EXPECT_EQ(Log(step.call, step.exchange), step.stored);
    if (step.stored) {
      ++storedSoFar;
      EXPECT_TRUE(dialogs_.Informs().empty());
      EXPECT_EQ(StoredQso(static_cast<std::size_t>(storedSoFar - 1)).Punkte(), step.points);
    } else {
      EXPECT_EQ(dialogs_.Informs(),
                std::vector<std::string>{"Call DL1ABC bereits auf Band vorhanden"});
      EXPECT_EQ(s.Form().FieldText(F::eCall), "");
    }
    EXPECT_EQ(s.Log().Totals().TotalMultis(), step.multis);
    EXPECT_EQ(s.Log().Score(), step.score);
    EXPECT_EQ(s.Form().Focus(), F::eCall);
  }
  EXPECT_EQ(StoredCount(), 5);

  // Every field of the first QSO and its keys.
  const QsoRecord q = StoredQso(0);
  EXPECT_EQ(q.LfdNr(), 1);
  EXPECT_EQ(q.Call(), "DL1ABC");
  EXPECT_EQ(q.Call2(), "");
  EXPECT_EQ(q.Locator(), "JO42");
  LocatorDistance d;
  ASSERT_TRUE(Distance("JO31MX", "JO42", d));
  EXPECT_EQ(q.QRB(), static_cast<int>(std::lround(d.km)));
  EXPECT_EQ(q.Datum(), DmyToDay(14, 3, 2026));
  EXPECT_EQ(q.Zeit(), 12 * 3600);
  EXPECT_EQ(q.Mode(), "CW");
  EXPECT_EQ(q.RSTs(), "599N01/JO31");
  EXPECT_EQ(q.RSTr(), "5995N/JO42");
  EXPECT_EQ(q.MultMark1(), "5N");
  EXPECT_EQ(q.MultMark2(), "JO42");
  EXPECT_EQ(q.Prefix(), "DL");
  EXPECT_EQ(q.Prefix2(), "");
  EXPECT_EQ(q.Continent(), "EU");
  EXPECT_EQ(q.FullDok(), "5N");
  EXPECT_EQ(q.Kenner(), "");
  EXPECT_EQ(q.NameQTH(), ";");
  EXPECT_EQ(q.Band(), 'k');
  EXPECT_EQ(q.BandSerial(), 1);
  EXPECT_EQ(q.BandNr(), 1);
  EXPECT_EQ(q.QSONr(), 1);
  EXPECT_EQ(q.ModeNr(), 1);
  EXPECT_EQ(q.Punkte(), 3);
  EXPECT_EQ(q.QSLs(), 'N');
  EXPECT_EQ(q.QSLr(), 'N');
  EXPECT_FALSE(q.PrefixFest());
  EXPECT_EQ(q.QSYBand(), 0);
  EXPECT_EQ(q.Freq(), 0.0f);
  Fileblock* log = s.Log().File();
  EXPECT_EQ(log->FindKey(6, KeyPad("DL1ABC", 14)), 0);
  EXPECT_EQ(log->FindKey(21, "k" + KeyPad("5N", 8)), 0);
  EXPECT_EQ(log->FindKey(13, NumKey5(1)), 0);
  EXPECT_EQ(log->FindKey(23, "k" + KeyPad("JO42", 6)), 0);
  EXPECT_EQ(log->FindKey(11, "k" + NumKey5(99999999 - 1)), 0);

  // The fifth QSO got the next numbers although a duplicate was refused in between.
  const QsoRecord fifth = StoredQso(4);
  EXPECT_EQ(fifth.QSONr(), 5);
  EXPECT_EQ(fifth.BandSerial(), 5);
  EXPECT_EQ(fifth.MultMark1(), "");
  EXPECT_EQ(fifth.MultMark2(), "");

  const EntryCounters counters = s.Log().Counters(s.Bands().Band());
  EXPECT_EQ(counters.qsoValue, "    5");
  EXPECT_EQ(counters.multiValue, "   21");
  EXPECT_EQ(counters.pointsValue, "      15");
  EXPECT_EQ(counters.nextNumber, "6");
  EXPECT_EQ(PanelTexts(), (std::vector<std::string>{"5N", "JO31", "JO32", "JO42", "JO60", "WN"}));

  // Closing writes the header statistics; reopening rebuilds the same totals.
  QsoSession& again = Reopen();
  const ContestExtensionRecord ext(again.Contest().extension.data());
  EXPECT_EQ(ext.bandQsos(1), 5);
  EXPECT_EQ(ext.bandMultis(1), 21);
  EXPECT_EQ(ext.bandPoints(1), 15);
  EXPECT_EQ(ext.bandColumnMultis(1, 1), 9);  // DOKs: 5N 3 + WN 6
  EXPECT_EQ(ext.bandColumnMultis(2, 1), 12); // four squares of 3
  EXPECT_EQ(again.Log().Totals().TotalMultis(), 21);
  EXPECT_EQ(again.Log().Totals().TotalPoints(), 15);
  EXPECT_EQ(again.Log().Score(), 315);
  EXPECT_EQ(again.Log().Next().qso, 6);
}

TEST_F(Code2Session, TypingShowsTheMultiplierStatusAndChangingTheCallUndoesIt) {
  QsoSession& s = Open({});
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  // Typing a call and its exchange: a new DOK shows red, a worked square green.
  Type("DL2XY");
  Enter();
  Type("WN");
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 6 + 6);
  Enter();
  Type("JO42");
  std::vector<PanelCell> panel = s.Log().MultiplierPanel(s.Bands().Band());
  ASSERT_GE(panel.size(), 3u);
  EXPECT_EQ(panel[0].text, "5N");
  EXPECT_EQ(panel[0].colour, PanelColour::kGrey);
  EXPECT_EQ(panel[1].text, "JO42");
  EXPECT_EQ(panel[1].colour, PanelColour::kGreen);
  EXPECT_TRUE(panel[1].underline);
  EXPECT_EQ(panel[2].text, "WN");
  EXPECT_EQ(panel[2].colour, PanelColour::kRed);
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 12);
  // Clearing the entry undoes the pending DOK.
  s.Clear();
  EXPECT_EQ(s.Log().Totals().TotalMultis(), 6);
  EXPECT_EQ(PanelTexts(), (std::vector<std::string>{"5N", "JO42"}));
}

TEST_F(Code2Session, CallsAreNormalisedAndFieldsUpperCased) {
  QsoSession& s = Open({});
  // While typing, the field keeps what is typed; the record holds the call as stored.
  Type("dl1abc-p ");
  EXPECT_EQ(s.Form().FieldText(F::eCall), "DL1ABC-P ");
  EXPECT_EQ(s.Record().Call(), "DL1ABC/P");
  s.SetFocus(F::eRSTr3);
  EXPECT_EQ(s.Form().FieldText(F::eCall), "DL1ABC/P");
  s.SetFocus(F::eCall);
  s.SetFieldText(F::eCall, "");
  Type("dl3ab");
  s.PressHashInCall();
  // "#" appends "/P" (upper case like the rest of the call) and acts as Enter: the focus goes
  // on to the DOK.
  EXPECT_EQ(s.Form().FieldText(F::eCall), "DL3AB/P");
  EXPECT_EQ(s.Record().Call(), "DL3AB/P");
  EXPECT_EQ(s.Form().Focus(), F::eRSTr2);
  Type("5n");
  EXPECT_EQ(s.Form().FieldText(F::eRSTr2), "5N");
  Enter();
  Type("jo42aa");
  Enter();
  ASSERT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).Call(), "DL3AB/P");
  EXPECT_EQ(StoredQso(0).Locator(), "JO42AA");
  // A call of more than 12 characters is cut to the record's length.
  Type("DL1ABCDEFGHIJK");
  EXPECT_EQ(s.Form().FieldText(F::eCall), "DL1ABCDEFGHI");
}

TEST_F(Code2Session, InvalidExchangeKeepsTheFocusAndIsMarked) {
  QsoSession& s = Open({});
  Type("DL1ABC");
  Enter();
  Type("J1X"); // a DOK "J" + digit + one character is refused
  Enter();
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{"Fehler bei DOK-Angabe"});
  EXPECT_EQ(s.Form().Focus(), F::eRSTr2);
  EXPECT_TRUE(s.Form().FieldFailed(F::eRSTr2));
  EXPECT_EQ(s.Record().FullDok(), "");
  Retype("N05");
  EXPECT_FALSE(s.Form().FieldFailed(F::eRSTr2));
  Enter();
  dialogs_.Clear();
  Type("JX42"); // second character beyond R
  Enter();
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{"Fehler bei Locator-Angabe"});
  EXPECT_EQ(s.Form().Focus(), F::eRSTr3);
  EXPECT_EQ(StoredCount(), 0);
  Retype("JO42");
  Enter();
  EXPECT_EQ(StoredCount(), 1);
}

TEST_F(Code2Session, UnknownPrefixBeepsButTheQsoMayBeStored) {
  QsoSession& s = Open({});
  Type("ZZ9ZZ");
  Enter();
  EXPECT_EQ(dialogs_.Beeps(), 1);
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{"Präfix unbekannt"});
  EXPECT_EQ(s.Form().Focus(), F::eRSTr2);
  Enter();
  Type("JO50");
  Enter();
  EXPECT_EQ(StoredCount(), 1);
  EXPECT_EQ(StoredQso(0).Prefix(), "");
}

TEST_F(Code2Session, ModeChangeTurnsTheFixedReportIntoTheModesDefault) {
  QsoSession& s = Open({.startSsb = true});
  EXPECT_EQ(s.Bands().Mode(), "SSB");
  EXPECT_EQ(s.Form().FieldText(F::eRSTs1), "59 ");
  EXPECT_EQ(s.Record().RSTs(), "59 N01/JO31");
  s.TakeMode("CW");
  EXPECT_EQ(s.Form().FieldText(F::eRSTs1), "599");
  EXPECT_EQ(s.Form().FieldText(F::eRSTr1), "599");
  EXPECT_EQ(s.Record().RSTs(), "599N01/JO31");
  // Three modes: the button opens the list.
  EXPECT_TRUE(PressModeButton(s));
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  EXPECT_EQ(StoredQso(0).Mode(), "CW");
  EXPECT_EQ(StoredQso(0).RSTs(), "599N01/JO31");
}

TEST_F(Code2Session, ZeroHundredUtcIsAValidTime) {
  clock_.now = {2026, 3, 14, 0, 0, 0, 0};
  QsoSession& s = Open({});
  EXPECT_EQ(s.Form().FieldText(F::ezeit), "00:00:00");
  ASSERT_TRUE(Log("DL1ABC", {"5N", "JO42"}));
  EXPECT_EQ(StoredQso(0).Zeit(), 0);
}

} // namespace
} // namespace tarvik::test
