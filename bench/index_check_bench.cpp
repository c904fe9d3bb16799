// Opening a contest log of 10,000 QSOs (this build's contest, code 2) on the real file
// system, with the comparison of its index against its data file that every opening makes:
//   OpenChecked       the engine has not seen these files before: the opening reads both
//                     files and compares every entry of the 27 keys with the key its record
//                     gives (the goal: under 100 ms)
//   OpenKnownSound    the same files once more: the engine left them agreeing, the opening
//                     reads them and recognises their contents
//   OpenUnchecked     for comparison, an opening without the check
//   CompareOnly       the comparison alone, over the two files already read
// Reported in milliseconds per opening, the median of the runs.

#include <fstream>
#include <iterator>
#include <string>

#include "base/data_directory.h"
#include "datafiles/qso_record.h"
#include "log_environment.h"
#include "recordfile/index_check.h"

namespace {

using namespace tarvik;
using namespace tarvik::bench;

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Opens the benchmark log (and closes it again); false when it does not open.
bool OpenLog(bool check) {
  Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  if (log == nullptr)
    return false;
  const bool opened = log->SetIndexCheckAtOpen(check) == 0 && log->EnsureOpen() == 0;
  CloseProgramFile(log);
  return opened;
}

void BM_OpenChecked(benchmark::State& state) {
  Env();
  Samples samples;
  for (auto _ : state) {
    // A fresh engine knows no files yet.
    state.PauseTiming();
    (void)ExitEngine();
    (void)InitEngine();
    state.ResumeTiming();
    bool opened = false;
    samples.Time(state, [&] { opened = OpenLog(true); });
    if (!opened)
      state.SkipWithError("the log did not open");
  }
  samples.Report(state);
}

void BM_OpenKnownSound(benchmark::State& state) {
  Env();
  (void)OpenLog(true);
  Samples samples;
  for (auto _ : state) {
    bool opened = false;
    samples.Time(state, [&] { opened = OpenLog(true); });
    if (!opened)
      state.SkipWithError("the log did not open");
  }
  samples.Report(state);
}

void BM_OpenUnchecked(benchmark::State& state) {
  Env();
  Samples samples;
  for (auto _ : state) {
    bool opened = false;
    samples.Time(state, [&] { opened = OpenLog(false); });
    if (!opened)
      state.SkipWithError("the log did not open");
  }
  samples.Report(state);
}

void BM_CompareOnly(benchmark::State& state) {
  Env();
  const std::string base = DataPath(QsoLogName(1));
  const std::string dat = ReadWhole(base + ".DAT");
  const std::string ix = ReadWhole(base + ".IX");
  Samples samples;
  for (auto _ : state) {
    IndexFindings findings;
    samples.Time(state, [&] {
      findings = CompareIndexWithData(dat, ix, [&](std::int32_t record, int key) {
        return QsoKey(dat.data() + static_cast<std::size_t>(record) * QsoRecord::kLength, key);
      });
    });
    if (!findings.Agree() || findings.liveRecords != kQsos)
      state.SkipWithError("the index of the benchmark log disagrees");
  }
  samples.Report(state);
}

} // namespace

BENCHMARK(BM_OpenChecked)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenKnownSound)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenUnchecked)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareOnly)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
