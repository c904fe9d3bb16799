// The log window follows the radio: the CAT panel against Hamlib's dummy radio (rigctld on
// a loopback port), a radio that is not there yet, one that never answers while QSOs are
// typed and stored, the buttons "CAT an", "CAT aus", "CAT" with the kept settings, and the
// settings dialog.

#include "log_window_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "base/data_directory.h"
#include "datafiles/rig_settings_file.h"
#include "logging/ui/cat_controller.h"
#include "logging/ui/cat_panel.h"
#include "logging/ui/cat_settings_dialog.h"
#include "support/dummy_rig.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik::test {
namespace {

RigSettings Rigctld(int port) {
  RigSettings settings;
  settings.host = "127.0.0.1";
  settings.port = port;
  return settings;
}

RigSettings Direct(int model, int baud = 0) {
  RigSettings settings;
  settings.kind = RigSettings::Kind::kDirect;
  settings.model = model;
  settings.baud = baud;
  return settings;
}

class CatWindow : public LogWindowTest {
protected:
  /// Keeps the settings of a rigctld on 127.0.0.1:port in the data directory.
  static void KeepRigctld(int port, bool on) {
    RigSetup setup;
    setup.connection = Rigctld(port);
    setup.on = on;
    ASSERT_TRUE(SaveRigSetup(PosixFileIo(), DataPath(kRigSettingsFile), setup).ok());
  }
  static RigSetup Kept() {
    RigSetup setup;
    EXPECT_TRUE(LoadRigSetup(PosixFileIo(), DataPath(kRigSettingsFile), &setup).ok());
    return setup;
  }
  /// Lets the window's events run until `condition` holds (at most 20 s).
  static bool WaitUntil(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 20000);
  }
  CatPanel& P() { return *W().panelCAT; }
  std::string Status() { return Text(P().lCATStatus); }
  std::string Band() { return Text(W().lband); }
  std::string Mode() { return Text(W().lMode); }
};

class CatDummyRadio : public CatWindow {
protected:
  void SetUp() override {
    CatWindow::SetUp();
    if (const std::string missing = DummyRig::MissingReason(); !missing.empty())
      GTEST_SKIP() << missing;
  }
};

TEST_F(CatDummyRadio, BandModeAndFrequencyFollowTheRadio) {
  DummyRig rig;
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.Tune(3550000, "CW"));
  KeepRigctld(rig.port(), true);
  ContestLogWindow& w = OpenWindow({.code = '5'});
  // CAT was on when the last log window closed: it is on again.
  EXPECT_TRUE(w.TimerCAT->isActive());
  EXPECT_FALSE(w.btnCATan->isEnabled());
  EXPECT_TRUE(w.btnCATaus->isEnabled());
  ASSERT_TRUE(WaitUntil([&] { return Text(P().lCATFrequenz) == "3,55000 MHz"; })) << Status();
  EXPECT_EQ(Text(P().lCATMode), "CW");
  EXPECT_EQ(Band(), "80 m");
  EXPECT_EQ(Mode(), "CW");

  ASSERT_TRUE(rig.Tune(14200000, "USB"));
  ASSERT_TRUE(WaitUntil([&] { return Band() == "20 m" && Mode() == "SSB"; })) << Band();
  EXPECT_EQ(Text(P().lCATMode), "USB (SSB)");
  EXPECT_EQ(Text(w.leqso), "QSO 20 m");
  EXPECT_EQ(Text(w.lRSTs1), "59 ");
  EXPECT_EQ(Focused(), w.eCall) << "the radio never takes the keyboard";
  ASSERT_TRUE(Log("DL1ABC", {"48149"}));
  EXPECT_EQ(StoredQso(0).Band(), 'e');
  EXPECT_EQ(StoredQso(0).Mode(), "SSB");
  EXPECT_FLOAT_EQ(StoredQso(0).Freq(), 14.2f);

  // While the band list is open the entry waits; it follows once the list is closed.
  Key(Qt::Key_F8);
  ASSERT_FALSE(w.listband->isHidden());
  ASSERT_TRUE(rig.Tune(7050000, "CW"));
  ASSERT_TRUE(WaitUntil([&] { return Text(P().lCATFrequenz) == "7,05000 MHz"; }));
  EXPECT_EQ(Band(), "20 m");
  Key(Qt::Key_Escape);
  ASSERT_TRUE(WaitUntil([&] { return Band() == "40 m" && Mode() == "CW"; }));

  // "CAT aus": polling stops, the entry stays as it is, and the choice is kept.
  w.btnCATaus->click();
  EXPECT_FALSE(w.TimerCAT->isActive());
  EXPECT_FALSE(w.Cat()->IsOn());
  EXPECT_EQ(Status(), "CAT aus");
  EXPECT_TRUE(Text(P().lCATFrequenz).empty());
  EXPECT_EQ(Band(), "40 m");
  EXPECT_FALSE(Kept().on);
  // "CAT an" with kept settings asks nothing and follows at once.
  ASSERT_TRUE(rig.Tune(21200000, "USB"));
  w.btnCATan->click();
  EXPECT_TRUE(Kept().on);
  ASSERT_TRUE(WaitUntil([&] { return Band() == "15 m" && Mode() == "SSB"; }));
  EXPECT_TRUE(dialogs_.events.empty());
}

TEST_F(CatDummyRadio, ARadioSwitchedOnLaterIsFound) {
  const int port = FreeLoopbackPort();
  KeepRigctld(port, true);
  OpenWindow({.code = '5'});
  EXPECT_EQ(Status(), "keine Verbindung");
  ASSERT_TRUE(WaitUntil([&] {
    return P().toolTip().contains(QStringLiteral("Connection refused"));
  })) << P().toolTip().toStdString();
  EXPECT_EQ(Status(), "keine Verbindung");
  EXPECT_EQ(Band(), "80 m");
  DummyRig rig(port);
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.Tune(28400000, "USB"));
  ASSERT_TRUE(WaitUntil([&] { return Band() == "10 m"; })) << Status();
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(Text(P().lCATFrequenz), "28,40000 MHz");
}

TEST_F(CatWindow, ARadioThatNeverAnswersDoesNotHoldUpTheEntry) {
  SilentPort silent;
  KeepRigctld(silent.port(), true);
  ContestLogWindow& w = OpenWindow({.code = '2'});
  // The Enter cycle completes while the poller waits for the silent radio.
  ASSERT_TRUE(Log("DL1ABC", {"N01", "JO31AB"}));
  ASSERT_TRUE(Log("DL2ABC", {"N02", "JO31AC"}));
  EXPECT_EQ(Status(), "keine Verbindung");
  ASSERT_TRUE(
      WaitUntil([&] { return P().toolTip().contains(QStringLiteral("no answer within")); }));
  EXPECT_EQ(Status(), "keine Verbindung");
  ASSERT_TRUE(Log("DL3ABC", {"N03", "JO31AD"}));
  EXPECT_EQ(StoredCount(), 3);
  EXPECT_EQ(StoredQso(2).Call(), "DL3ABC");
  // Closing lets go of the radio even while the poller waits for its answer.
  w.close();
  EXPECT_TRUE(w.Finished());
  EXPECT_FALSE(w.Cat()->IsOn());
  EXPECT_TRUE(Kept().on) << "closing the log keeps CAT on for the next one";
}

TEST_F(CatWindow, ButtonsAndKeptSettings) {
  ContestLogWindow& w = OpenWindow({.code = '5'});
  EXPECT_FALSE(w.Cat()->IsOn());
  int asked = 0;
  std::optional<RigSettings> answer; // cancelled
  w.Cat()->SetSettingsDialog([&](QWidget*, const RigSettings& current) {
    ++asked;
    EXPECT_EQ(current.port, kRigctldDefaultPort);
    return answer;
  });
  // Without kept settings "CAT an" asks for them first; cancelled, CAT stays off.
  w.btnCATan->click();
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(w.Cat()->IsOn());
  EXPECT_FALSE(QFile::exists(PathToQString(DataPath(kRigSettingsFile))));

  const int port = FreeLoopbackPort();
  answer = Rigctld(port);
  w.btnCATan->click();
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(w.Cat()->IsOn());
  EXPECT_TRUE(w.TimerCAT->isActive());
  EXPECT_EQ(Kept(), (RigSetup{.connection = *answer, .on = true}));
  EXPECT_EQ(ReadFileBytes(DataPath(kRigSettingsFile)).substr(0, 13), "[CAT]\r\nOn=1\r\n");

  // "CAT": a cancelled dialog changes nothing; new settings are kept and used at once.
  answer.reset();
  w.Cat()->SetSettingsDialog([&](QWidget*, const RigSettings& current) {
    ++asked;
    EXPECT_EQ(current.port, port);
    return answer;
  });
  P().btnCAT->click();
  EXPECT_EQ(Kept().connection.port, port);
  answer = Direct(1);
  P().btnCAT->click();
  EXPECT_EQ(asked, 4);
  EXPECT_EQ(Kept().connection.kind, RigSettings::Kind::kDirect);
  EXPECT_TRUE(Kept().on);
  // Hamlib's dummy radio in the library itself: 145 MHz is 2 m.
  ASSERT_TRUE(WaitUntil([&] { return Band() == "2 m"; })) << Status();

  w.btnCATaus->click();
  EXPECT_FALSE(Kept().on);
  EXPECT_EQ(Band(), "2 m");
  ReopenWindow();
  EXPECT_FALSE(W().Cat()->IsOn());
  EXPECT_EQ(W().Cat()->Setup().connection.model, 1);
  EXPECT_TRUE(dialogs_.events.empty());
}

TEST(CatSettings, TheDialogShowsAndChecksTheSettings) {
  const RigSettings serial{.kind = RigSettings::Kind::kDirect,
                           .host = "shack",
                           .port = 4600,
                           .model = 1,
                           .device = "/dev/ttyUSB3",
                           .baud = 9600};
  CatSettingsDialog dialog(serial);
  EXPECT_EQ(dialog.Settings(), serial);
  EXPECT_TRUE(dialog.rDirekt->isChecked());
  EXPECT_FALSE(dialog.gRigctld->isEnabled());
  EXPECT_TRUE(dialog.gDirekt->isEnabled());
  EXPECT_TRUE(dialog.cModell->currentText().startsWith(QStringLiteral("1  ")));
  EXPECT_GT(dialog.cModell->count(), 100) << "Hamlib's models to choose from";
  // A model or rate the installed Hamlib does not list stays as kept.
  CatSettingsDialog odd(Direct(987654, 4000000));
  EXPECT_EQ(odd.Settings().model, 987654);
  EXPECT_EQ(odd.Settings().baud, 4000000);

  dialog.rRigctld->setChecked(true);
  EXPECT_TRUE(dialog.gRigctld->isEnabled());
  EXPECT_FALSE(dialog.gDirekt->isEnabled());
  dialog.eHost->setText(QStringLiteral("  "));
  dialog.accept();
  EXPECT_FALSE(dialog.lProblem->isHidden());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  dialog.eHost->setText(QStringLiteral("radio:4532"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Rejected) << "the port has a field of its own";
  dialog.eHost->setText(QStringLiteral("localhost"));
  dialog.ePort->setValue(4533);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const RigSettings chosen = dialog.Settings();
  EXPECT_EQ(chosen.kind, RigSettings::Kind::kRigctld);
  EXPECT_EQ(chosen.host, "localhost");
  EXPECT_EQ(chosen.port, 4533);
}

} // namespace
} // namespace tarvik::test
