// The file outputs of a contest log of 10,000 QSOs (this build's contest, code 2: DOK and
// locator on 2 m), each written whole as the output menu writes it: the QSO file opened,
// the totals read, the columns measured, every line written and the file closed.
//   Stf        the STF file
//   Adif       the ADIF export (with the DXCC numbers of the prefix tables)
//   Csv        the CSV export
//   ELogList   the E-Log QSO list
//   Cover      the cover sheet file (.SUM)
//   BandList   the band list file (.BND)
//   MultiCheck the multiplier check list ("-multi.txt"; DOK rows in DOK order)
//   Whole      the whole-log file (cover sheet and E-Log QSO list)
//   Edi        the EDI file (its pre-pass in time order, the participant values prefilled)
// Each must take well under a second. The log lives on the real file system.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/data_directory.h"
#include "contest/contest_header_fields.h"
#include "datafiles/contest_records.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "log_environment.h"
#include "outputs/output_kinds.h"
#include "outputs/output_runner.h"
#include "radio/date_time.h"
#include "recordfile/engine.h"
#include "recordfile/fileblock.h"

namespace {

using namespace tarvik;

using bench::kQsos;

using bench::FixedClock;
using bench::kDoks;
using bench::QuietDialogs;

/// The data directory, engine and the 10,000-QSO log of contest 1.
class Environment {
public:
  Environment() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    SetDataDirectory(dir_);
    if (InitEngine() != 0)
      std::abort();
    FillContest();
  }
  ~Environment() {
    (void)ExitEngine(); // the measurements are taken; the folder goes anyway
    std::filesystem::remove_all(dir_);
  }

  const OutputContest& Contest() const { return contest_; }
  std::string File(const char* name) const { return dir_ + "/" + name; }
  const Clock& GetClock() const { return clock_; }

private:
  void FillContest() {
    contest_.contestCode = '2';
    contest_.header.assign(ContestHeaderRecord::kLength, '\0');
    ContestHeaderRecord header(contest_.header.data());
    header.SetContestNumber(1);
    header.SetContestCode('2');
    header.SetContestName("Bench");
    header.SetOwnCall("DL1XYZ/P");
    header.SetDok("N01");
    header.SetCategory(1);
    contest_.definition = BuildContestDefinition('2', header, "JO31MX", dialogs_, clock_);
    contest_.extension.assign(ContestExtensionRecord::kLength, '\0');
    ContestExtensionRecord extension(contest_.extension.data());
    extension.SetBandQsos(1, kQsos);
    extension.SetBandPoints(1, kQsos);
    extension.SetBandMultis(1, 30);
    extension.SetBandColumnMultis(1, 1, 16);
    extension.SetBandColumnMultis(2, 1, 14);
    contest_.station.operatorName = "Erika Muster";
    contest_.station.postcodePlace = "44135 Dortmund";

    Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
    (void)log->SetFlushAfterChange(false); // bulk load; flushed once by the close
    const char* const countries[] = {"DL", "DK", "DJ", "OK", "PA", "DF", "DO", "DG"};
    for (int i = 0; i < kQsos; ++i) {
      (void)log->ClearBuffer();
      QsoRecord q(log->RecordBuffer());
      const char* country = countries[i % 8];
      std::string call = country;
      call += std::to_string(i % 10);
      call += static_cast<char>('A' + i % 26);
      call += static_cast<char>('A' + (i / 26) % 26);
      call += static_cast<char>('A' + (i / 676) % 26);
      q.SetCall(call);
      q.SetPrefix(country[0] == 'D' ? "DL" : country);
      const std::string dok = country[0] == 'D' ? kDoks[i % 16] : "";
      q.SetFullDok(dok);
      std::string locator = "JO";
      locator += static_cast<char>('0' + i % 10);
      locator += static_cast<char>('0' + (i / 10) % 10);
      q.SetLocator(locator);
      q.SetMultMark1(dok);
      q.SetMultMark2(locator);
      q.SetDatum(DmyToDay(14, 3, 2026));
      q.SetZeit(19 * 3600 + i % 3600);
      q.SetMode("CW");
      q.SetBand('k');
      q.SetRSTs("599N01/JO31");
      q.SetRSTr("599" + dok + "/" + locator);
      q.SetQSONr(i + 1);
      q.SetNameQTH(i % 5 == 0 ? "Hans;Berlin" : ";");
      q.SetQSLs('N');
      q.SetFreq(144.3F);
      q.SetPunkte(1);
      q.SetQRB(100 + i % 700);
      q.SetBandNr(i + 1);
      (void)log->Add();
    }
    CloseProgramFile(log);
  }

  std::string dir_;
  QuietDialogs dialogs_;
  FixedClock clock_;
  OutputContest contest_;
};

Environment& Env() {
  static Environment environment;
  return environment;
}

void WriteKind(benchmark::State& state, int kind, const char* name) {
  Environment& env = Env();
  const std::string path = env.File(name);
  for (auto _ : state) {
    const OutputFileStatus status = WriteOutputFile(
        kind, env.Contest(), path, [] { return true; }, env.GetClock());
    if (status != OutputFileStatus::kWritten)
      state.SkipWithError("the file was not written");
  }
  state.counters["qsos"] = kQsos;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

void Stf(benchmark::State& state) {
  WriteKind(state, output_kind::kStfFile, "bench.STF");
}
void Adif(benchmark::State& state) {
  WriteKind(state, output_kind::kAdifFile, "bench.ADI");
}
void Csv(benchmark::State& state) {
  WriteKind(state, output_kind::kCsvFile, "bench.CSV");
}
void ELogList(benchmark::State& state) {
  WriteKind(state, output_kind::kELogQsoList, "bench.ALL");
}

void Cover(benchmark::State& state) {
  WriteKind(state, output_kind::kELogCover, "bench.SUM");
}
void BandList(benchmark::State& state) {
  WriteKind(state, output_kind::kELogBandList, "bench.BND");
}
void MultiCheck(benchmark::State& state) {
  WriteKind(state, output_kind::kELogMultiCheck, "bench-multi.txt");
}
void Whole(benchmark::State& state) {
  WriteKind(state, output_kind::kELogWhole, "bench.TXT");
}
void Edi(benchmark::State& state) {
  WriteKind(state, output_kind::kEdiFile, "bench.EDI");
}

BENCHMARK(Stf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Adif)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Csv)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ELogList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Cover)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BandList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(MultiCheck)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Whole)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Edi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
