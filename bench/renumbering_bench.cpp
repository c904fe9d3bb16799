// Renumbering a contest log of 10,000 QSOs (this build's contest, code 2, DOK and locator
// multipliers on 2 m) on the real file system:
//   Renumber          the whole run: the new copy built in time order with its 27 keys and
//                     the multiplier evaluation of every QSO, synced, and put in the place of
//                     the old files (the goal: under 2 s)
//   CheckInOrder      the check that lets the window's close leave a log alone that is
//                     numbered in order already
// Reported in seconds per run ("s"), the median of the runs.

#include "contest/multiplier_rules.h"
#include "log_environment.h"
#include "logging/renumbering.h"

namespace {

using namespace tarvik;
using namespace tarvik::bench;

void BM_Renumber(benchmark::State& state) {
  Environment& env = Env();
  const QsoSessionParams params = env.Params();
  const MultiplierRules rules(params.definition, params.contestCode);
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  Samples samples;
  for (auto _ : state) {
    RenumberResult result = RenumberResult::kCopyFailed;
    samples.Time(state, [&] { result = RenumberLog(*log, rules, {}); });
    if (result != RenumberResult::kRenumbered)
      state.SkipWithError("renumbering failed");
  }
  samples.Report(state);
  CloseProgramFile(log);
}

void BM_CheckInOrder(benchmark::State& state) {
  Environment& env = Env();
  const QsoSessionParams params = env.Params();
  const MultiplierRules rules(params.definition, params.contestCode);
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  (void)RenumberLog(*log, rules, {});
  Samples samples;
  for (auto _ : state) {
    bool inOrder = false;
    samples.Time(state, [&] { inOrder = LogNumberedInOrder(*log); });
    if (!inOrder)
      state.SkipWithError("the log is not in order");
  }
  samples.Report(state);
  CloseProgramFile(log);
}

} // namespace

BENCHMARK(BM_Renumber)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckInOrder)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
