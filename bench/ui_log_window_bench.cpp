// The log window on a contest log of 10,000 QSOs (this build's contest, code 2), offscreen:
//   CallKeystroke         one key typed into the call field through the real window: the
//                         window's key filter, the edit field, the session's prefix lookup
//                         and exchange evaluation against the log's keys, and the window
//                         showing the session again (fields, captions, counters, the 112
//                         labels of the multiplier panel, the evaluation panel). Every
//                         timed key makes a prefix appear ("D" + "L", "O" + "K"), so the
//                         evaluation runs each time.
//   CallKeystrokePainted  the same, and the pending events handled afterwards: the window
//                         draws what the key changed (the offscreen platform draws into
//                         memory).
//   Open                  the window opened on the log: session, log list, first show.
// The figures reported are medians of the single operations ("median_us") with the 90th
// percentile beside them.

#include <QApplication>
#include <QTest>

#include "log_environment.h"
#include "logging/ui/contest_log_window.h"
#include "widgets/trk_edit.h"

namespace {

using namespace tarvik;
using namespace tarvik::bench;

std::unique_ptr<ContestLogWindow> OpenWindow(Environment& env) {
  auto window =
      std::make_unique<ContestLogWindow>(env.Params(), env.Dialogs(), nullptr, env.GetClock());
  if (!window->Open())
    std::abort();
  window->resize(1280, 1000);
  window->show();
  QApplication::processEvents();
  return window;
}

void Keystrokes(benchmark::State& state, bool paint) {
  Environment& env = Env();
  auto window = OpenWindow(env);
  TrkEdit* call = window->eCall;
  call->setFocus();
  Samples samples;
  int i = 0;
  for (auto _ : state) {
    const bool german = (i++ % 2) != 0;
    QTest::keyClick(call, german ? 'D' : 'O');
    QApplication::processEvents();
    samples.Time(state, [&] {
      QTest::keyClick(call, german ? 'L' : 'K');
      if (paint)
        QApplication::processEvents(); // draws what the key changed
    });
    QTest::keyClick(call, Qt::Key_Backspace);
    QTest::keyClick(call, Qt::Key_Backspace);
    QApplication::processEvents();
  }
  samples.Report(state);
  if (window->session().Record().Call().size() > 2)
    std::abort(); // the keys did not reach the call field
}

void BM_CallKeystroke(benchmark::State& state) {
  Keystrokes(state, false);
}

void BM_CallKeystrokePainted(benchmark::State& state) {
  Keystrokes(state, true);
}

void BM_Open(benchmark::State& state) {
  Environment& env = Env();
  Samples samples;
  for (auto _ : state) {
    std::unique_ptr<ContestLogWindow> window;
    samples.Time(state, [&] { window = OpenWindow(env); });
    window.reset();
  }
  samples.Report(state);
}

BENCHMARK(BM_CallKeystroke)->UseManualTime()->Iterations(kSamples);
BENCHMARK(BM_CallKeystrokePainted)->UseManualTime()->Iterations(kSamples);
BENCHMARK(BM_Open)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
