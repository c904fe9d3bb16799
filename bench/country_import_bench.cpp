// The country data of Debian's hamradio-files into the program's tables: the whole country
// file (cty.csv: about 7,750 prefixes and 10,700 whole calls) into KXPREFIX and KXPREFEE,
// the DOK history into the call book, and then one prefix lookup over the filled tables,
// as the call field does on every keystroke. The files lie on the real file system in a
// temporary directory. Skipped when hamradio-files is not installed.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/data_directory.h"
#include "country/country_import.h"
#include "country/prefix_lookup.h"
#include "recordfile/engine.h"

namespace {

using namespace tarvik;

class DataDir {
public:
  DataDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    SetDataDirectory(dir_);
    if (InitEngine() != 0)
      std::abort();
  }
  ~DataDir() {
    (void)ExitEngine(); // the measurements are taken; the folder goes anyway
    std::filesystem::remove_all(dir_);
  }

private:
  std::string dir_;
};

DataDir& Dir() {
  static DataDir dir;
  return dir;
}

bool Installed() {
  return !FirstReadableFile({kDebianCountryCsv}).empty() &&
         !FirstReadableFile({kDebianDokHistory}).empty();
}

void BM_ImportWholeCountryFile(benchmark::State& state) {
  if (!Installed()) {
    state.SkipWithError("hamradio-files is not installed");
    return;
  }
  Dir();
  CountryImportResult r;
  for (auto _ : state)
    r = ImportCountryFile(kDebianCountryCsv);
  state.counters["prefixes"] = r.prefixes;
  state.counters["wholeCalls"] = r.wholeCalls;
}
BENCHMARK(BM_ImportWholeCountryFile)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ImportDokHistory(benchmark::State& state) {
  if (!Installed()) {
    state.SkipWithError("hamradio-files is not installed");
    return;
  }
  Dir();
  DokImportResult r;
  for (auto _ : state)
    r = ImportDokHistoryFile(kDebianDokHistory);
  state.counters["calls"] = r.calls;
}
BENCHMARK(BM_ImportDokHistory)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LookUpPrefix(benchmark::State& state) {
  if (!Installed()) {
    state.SkipWithError("hamradio-files is not installed");
    return;
  }
  Dir();
  if (PrefixTableEmpty())
    (void)ImportCountryFile(kDebianCountryCsv);
  PrefixTables tables = OpenPrefixTables();
  PrefixLookup lookup(tables);
  // Calls as they grow while typed, ordinary, portable, designator and whole calls.
  const std::vector<std::string> calls = {
      "D",      "DL",       "DL1",      "DL1A",   "DL1AB",   "DL1ABC",  "W9QQQ/KH6",
      "OE3ABC", "F5ABC",    "GM4ABC/P", "UA9ABC", "3D2AB/R", "FO5QQ/M", "IA0DC",
      "VP2EAA", "KC4/W3AS", "XX9ABC",   "JA1ABC", "VK2ABC",  "PY2ABC",  "ZS6ABC"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lookup.LookUpPrefix(calls[i], 160000));
    i = (i + 1) % calls.size();
  }
  ClosePrefixTables(tables);
}
BENCHMARK(BM_LookUpPrefix)->Unit(benchmark::kMicrosecond);

} // namespace
