// The entry session of the log window on a contest log of 10,000 QSOs (this build's
// contest, code 2: DOK and locator on 2 m):
//   Open           opening the session: files, marker check, totals and multipliers
//                  rebuilt from the whole log, a new QSO prepared
//   CallKeystroke  one keystroke in the call field whose prefix changes: prefix lookup,
//                  exchange evaluation against the log's keys, points
//   CallExit       leaving the call field: duplicate check, name and exchange from the
//                  call book, prefix lookup, evaluation
//   StoreQso       the Enter that stores a QSO: completeness with the duplicate rule,
//                  points, the add with its 27 keys (made durable), call book, next QSO
// Everything runs on the real file system. The store is measured twice: durable, as the
// program runs it (the QSO file syncs every add to the disk, so the figure is the disk's
// sync latency), and with the log's flush-after-change switched off (the work of the
// program without waiting for the disk). The figures reported are medians of the single
// operations ("median_us"), with the 90th percentile beside them.

#include "log_environment.h"

namespace {

using namespace tarvik;
using namespace tarvik::bench;

void BM_Open(benchmark::State& state) {
  Environment& env = Env();
  Samples samples;
  for (auto _ : state) {
    std::unique_ptr<QsoSession> session;
    samples.Time(state, [&] { session = OpenSession(env); });
    benchmark::DoNotOptimize(session->Log().Totals().TotalMultis());
  }
  samples.Report(state);
}

void BM_CallKeystroke(benchmark::State& state) {
  Environment& env = Env();
  auto session = OpenSession(env);
  Samples samples;
  int i = 0;
  for (auto _ : state) {
    // Alternating countries: every keystroke changes the prefix, so the evaluation runs.
    const std::string call = (i++ % 2) != 0 ? "DL1ABX" : "OK1ABX";
    samples.Time(state, [&] { session->SetFieldText(EntryField::eCall, call); });
  }
  samples.Report(state);
}

void BM_CallExit(benchmark::State& state) {
  Environment& env = Env();
  auto session = OpenSession(env);
  Samples samples;
  int i = 0;
  for (auto _ : state) {
    // Worked-before calls half of the time: the duplicate rule finds them and the entry is
    // cleared; new calls go on to the call book and the evaluation.
    const std::string call =
        (i % 2) != 0 ? UniqueCall("DL", 8 * ((i / 2) % (kQsos / 8))) : UniqueCall("DH", 100000 + i);
    ++i;
    session->SetFocus(EntryField::eCall);
    session->SetFieldText(EntryField::eCall, call);
    samples.Time(state, [&] { session->SetFocus(EntryField::eRSTr2); });
    session->Clear();
  }
  samples.Report(state);
}

void BM_StoreQso(benchmark::State& state) {
  Environment& env = Env();
  auto session = OpenSession(env);
  const bool durable = state.range(0) != 0;
  (void)session->Log().File()->SetFlushAfterChange(durable);
  Samples samples;
  static int serial = 200000;
  for (auto _ : state) {
    session->SetFieldText(EntryField::eCall, UniqueCall("DM", serial++));
    session->PressEnter();
    session->SetFieldText(EntryField::eRSTr2, kDoks[serial % 16]);
    session->PressEnter();
    session->SetFieldText(EntryField::eRSTr3, "JO42");
    samples.Time(state, [&] { session->PressEnter(); });
  }
  samples.Report(state);
  (void)session->Log().File()->SetFlushAfterChange(true);
  session->Close();
}

BENCHMARK(BM_Open)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CallKeystroke)->UseManualTime()->Iterations(kSamples);
BENCHMARK(BM_CallExit)->UseManualTime()->Iterations(kSamples);
// Argument 1: durable (every add synced); 0: without the syncs.
BENCHMARK(BM_StoreQso)->Arg(0)->UseManualTime()->Iterations(kSamples);
BENCHMARK(BM_StoreQso)->Arg(1)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

} // namespace
