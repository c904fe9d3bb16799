#pragma once
// The log window offscreen over a fresh data directory with a small prefix table: opened
// for a contest set-up like the entry session's tests, typed into through the keyboard like
// an operator (keys go to the control that has the focus), closed and opened again.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "base/pictures.h"
#include "logging/session_fixture.h"
#include "logging/ui/contest_log_window.h"
#include "logging/ui/evaluation_panel.h"
#include "logging/ui/multiplier_panel.h"
#include "widgets/text_codec.h"
#include "widgets/trk_edit.h"

namespace tarvik::test {

class LogWindowTest : public SessionTest {
protected:
  void TearDown() override {
    window_.reset();
    SessionTest::TearDown();
  }

  QsoSession& S() override { return window_->session(); }
  ContestLogWindow& W() { return *window_; }

  /// Opens the window for `setup` and shows it.
  ContestLogWindow& OpenWindow(const ContestSetup& setup) {
    setup_ = setup;
    params_ = BuildParams(setup);
    dialogs_.Clear();
    return Show();
  }

  /// Closes the window (statistics into its header copy) and opens a new one on the same
  /// files with the records the first one left.
  ContestLogWindow& ReopenWindow() {
    window_->close();
    EXPECT_TRUE(window_->Finished());
    params_.headerRecord = window_->HeaderRecord();
    params_.extensionRecord = window_->ExtensionRecord();
    window_.reset();
    return Show();
  }

  /// The control that has the keyboard focus in the window.
  QWidget* Focused() { return W().focusWidget(); }

  /// Types text into the focused control key by key.
  void Type(std::string_view text) {
    for (char c : text) {
      QWidget* target = Focused();
      ASSERT_NE(target, nullptr);
      QTest::keyClick(target, c);
    }
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = Focused();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
  }
  void Enter() { Key(Qt::Key_Return); }
  /// Selects the whole text of the focused field and types over it.
  void Retype(std::string_view text) {
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Backspace);
    Type(text);
  }

  /// Types a call and the received elements with Enter after each, as long as the focus
  /// stays in the exchange; the clock moves on a minute. True when a QSO was stored.
  bool Log(std::string_view call, std::vector<std::string> exchange = {}) {
    const std::int32_t before = StoredCount();
    EXPECT_EQ(Focused(), W().eCall);
    Type(call);
    if (!call.empty() && call.back() != '#') // "#" is an Enter of its own
      Enter();
    for (const std::string& element : exchange) {
      if (Focused() == W().eCall)
        break;
      Type(element);
      Enter();
    }
    Tick(60);
    return StoredCount() > before;
  }

  /// Moves the clock on and lets the window's one-second timer fire.
  void Tick(int seconds) {
    DateTime& t = clock_.now;
    const int total = t.hour * 3600 + t.minute * 60 + t.second + seconds;
    t.hour = total / 3600 % 24;
    t.minute = total / 60 % 60;
    t.second = total % 60;
    window_->timerzeitTimer();
  }

  /// A text of this (UTF-8) source as the core's Windows-1252 bytes.
  static std::string Cp1252(const char* utf8) { return FromQString(QString::fromUtf8(utf8)); }
  static std::string Text(const QLabel* label) { return FromQString(label->text()); }
  static std::string Text(const QLineEdit* edit) { return FromQString(edit->text()); }
  /// The caption of a label that shows its "&" mnemonic as rich text.
  static std::string Caption(const QLabel* label) {
    return FromQString(label->property("caption").toString());
  }
  static QColor TextColour(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

  /// The texts of the multiplier panel's labels that show a value.
  std::vector<std::string> ShownPanelTexts() {
    std::vector<std::string> texts;
    for (int i = 0; i < MultiplierPanel::kCells; ++i) {
      const std::string text = Text(W().panelmulties->Cell(i));
      if (text != ".")
        texts.push_back(text);
    }
    return texts;
  }
  /// The panel label that shows `text`, or nullptr.
  QLabel* PanelCellShowing(const std::string& text) {
    for (int i = 0; i < MultiplierPanel::kCells; ++i)
      if (Text(W().panelmulties->Cell(i)) == text)
        return W().panelmulties->Cell(i);
    return nullptr;
  }

  std::unique_ptr<ContestLogWindow> window_;

private:
  ContestLogWindow& Show() {
    window_ = std::make_unique<ContestLogWindow>(params_, dialogs_, nullptr, clock_);
    EXPECT_TRUE(window_->Open());
    window_->resize(1280, 900);
    window_->show();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    (void)QTest::qWaitForWindowActive(window_.get());
    return *window_;
  }
};

} // namespace tarvik::test
