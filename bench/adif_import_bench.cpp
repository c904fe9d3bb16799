// The ADIF import of 10,000 QSOs through the entry session, as the log window's import runs
// it: every record read from the file, filled into the entry fields, checked (prefix, mode,
// band, completeness, duplicate rule against the log's keys), evaluated for multipliers and
// stored with its 27 keys and the call book update; the QSO file is synced once at the end.
//   ImportIntoEmptyLog   a new contest's empty log
//   ImportInto10000Log   the 10,000-QSO log of this build's contest (duplicates and
//                        multipliers checked against it)
// The figure is the whole import in seconds (the goal: under 10 s) and QSOs per second.

#include "log_environment.h"

#include <fstream>

#include "logging/adif_import.h"

namespace {

using namespace tarvik;
using namespace tarvik::bench;

constexpr int kImported = 10000;

/// An ADIF file of kImported QSOs on 2 m with calls that `prefixes` begin, DOKs, locators,
/// alternating modes and either a frequency or a band.
std::string WriteAdifFile(const std::string& name, const char* const (&prefixes)[2]) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream out(path, std::ios::binary);
  out << "ADIF export for the benchmark\r\n<ADIF_VER:5>3.1.0 <PROGRAMID:5>BENCH\r\n<EOH>\r\n";
  auto tag = [&](const char* tagName, const std::string& value) {
    out << '<' << tagName << ':' << value.size() << '>' << value << ' ';
  };
  for (int i = 0; i < kImported; ++i) {
    const std::string call = UniqueCall(prefixes[i % 2], i);
    char time[8];
    std::snprintf(time, sizeof time, "%02d%02d%02d", (i / 3600) % 24, (i / 60) % 60, i % 60);
    tag("QSO_DATE", "20260314");
    tag("TIME_ON", time);
    tag("CALL", call);
    tag("RST_SENT", "599");
    tag("RST_RCVD", i % 3 == 0 ? "579" : "599");
    if (i % 2 == 0)
      tag("FREQ", "144.3" + std::to_string(i % 10));
    else
      tag("BAND", "2m");
    tag("MODE", i % 4 == 0 ? "SSB" : "CW");
    tag("DOK", kDoks[i % 16]);
    std::string locator = "JO";
    locator += static_cast<char>('0' + i % 10);
    locator += static_cast<char>('0' + (i / 10) % 10);
    locator += static_cast<char>('A' + i % 24);
    locator += static_cast<char>('A' + (i / 24) % 24);
    tag("GRIDSQUARE", locator);
    if (i % 5 == 0)
      tag("NAME", "Name" + std::to_string(i % 100));
    out << "<EOR>\r\n";
  }
  return path;
}

AdifAssignment Assignment(const ContestDefinition& definition, char contestCode) {
  AdifAssignment assignment(AdifLogFields(definition, contestCode));
  for (std::size_t i = 0; i < assignment.Size(); ++i)
    if (assignment.LogField(i) == "Loc")
      (void)assignment.Assign(i, "GRIDSQUARE");
  return assignment;
}

void RunImport(benchmark::State& state, QsoSessionParams params, const std::string& path) {
  Environment& env = Env();
  auto session = std::make_unique<QsoSession>(std::move(params), env.Dialogs(), env.GetClock());
  if (!session->Open())
    std::abort();
  const auto start = std::chrono::steady_clock::now();
  const AdifImportCounts counts =
      ImportAdifFile(*session, path, Assignment(session->Definition(), session->ContestCode()),
                     false)
          .counts;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  state.SetIterationTime(elapsed.count());
  if (counts.imported != kImported) {
    state.SkipWithError(AdifImportSummary(counts).c_str());
    return;
  }
  state.counters["seconds"] = elapsed.count();
  state.counters["qsos_per_s"] = kImported / elapsed.count();
  session->Close();
}

void BM_ImportIntoEmptyLog(benchmark::State& state) {
  static const char* const kPrefixes[] = {"DM", "PA"};
  const std::string path = WriteAdifFile("tarvik-bench-import-empty.adi", kPrefixes);
  static int contest = 100;
  for (auto _ : state) {
    QsoSessionParams params = Env().Params();
    ContestHeaderRecord(params.headerRecord.data()).SetContestNumber(++contest);
    RunImport(state, std::move(params), path);
  }
  std::filesystem::remove(path);
}

void BM_ImportInto10000Log(benchmark::State& state) {
  // Calls the log does not hold yet: new QSOs, checked against 10,000 stored ones.
  static const char* const kPrefixes[] = {"DN", "OZ"};
  const std::string path = WriteAdifFile("tarvik-bench-import-full.adi", kPrefixes);
  for (auto _ : state)
    RunImport(state, Env().Params(), path);
  std::filesystem::remove(path);
}

BENCHMARK(BM_ImportIntoEmptyLog)->UseManualTime()->Iterations(2)->Unit(benchmark::kSecond);
BENCHMARK(BM_ImportInto10000Log)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
