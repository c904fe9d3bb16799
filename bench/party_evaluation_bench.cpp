// The party evaluation over a log of 10,000 QSOs: every record read in date and time order
// (key 1) and its received age counted, as the window does on opening and on every change
// of the class width. It must stay well under a second.

#include "log_environment.h"
#include "outputs/party_evaluation.h"

namespace {

using namespace tarvik;

void PartyCount(benchmark::State& state) {
  bench::Environment& env = bench::Env();
  (void)env;
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  std::int64_t counted = 0;
  for (auto _ : state) {
    const PartyCounters counters = CountPartyAges(*log, 5);
    benchmark::DoNotOptimize(counters);
    ++counted;
  }
  CloseProgramFile(log);
  state.counters["qsos"] = bench::kQsos;
  state.SetItemsProcessed(counted * bench::kQsos);
}

} // namespace

BENCHMARK(PartyCount)->Unit(benchmark::kMillisecond)->MinTime(2.0);
