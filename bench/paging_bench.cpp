// Paging through a QSO log of 100,000 records along its date/time key: a row step
// (scrolling by one row, one record read), a page step of 25 rows, and the scroll bar
// conversions. The log lies on the real file system in a temporary directory.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/data_directory.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "recordfile/engine.h"
#include "recordfile/key_codec.h"
#include "recordfile/tk_browser.h"

namespace {

using namespace tarvik;

constexpr int kQsos = 100000;
constexpr int kRows = 25;

/// The log, built once for all benchmarks.
class Log {
public:
  Log() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    SetDataDirectory(dir_);
    if (InitEngine() != 0)
      std::abort();
    log_ = OpenProgramFile(ProgramFile::kQsoLog, 1);
    (void)log_->SetFlushAfterChange(false); // bulk load; flushed once below
    for (int i = 0; i < kQsos; ++i) {
      (void)log_->ClearBuffer();
      QsoRecord q(log_->RecordBuffer());
      q.SetCall("DL" + std::to_string(i % 10) + "A" + std::to_string(i));
      q.SetDatum(155666 + i / 1440);
      q.SetZeit((i % 1440) * 60);
      q.SetBand('a' + static_cast<char>(i % 10));
      q.SetQSONr(i + 1);
      q.SetBandSerial(i / 10 + 1);
      q.SetBandNr(i / 10 + 1);
      q.SetMode(i % 2 ? "CW" : "SSB");
      std::string dok = std::to_string(i % 40);
      dok.insert(dok.begin(), 'B');
      q.SetFullDok(dok);
      (void)log_->Add();
    }
    (void)log_->Close();
    browser_ = TKBrowser::Create(*log_, 1, "", "").browser;
    browser_->SetRowHook([this](RowRec& row) {
      const QsoRecord q(static_cast<const char*>(log_->RecordBuffer()));
      // Appended piece by piece: g++ 12 warns falsely about "literal" + string.
      row.Text.assign(1, ' ');
      row.Text += q.Call();
      row.Text += ';';
      row.Text += q.Mode();
      row.Text += ';';
      row.Text += q.FullDok();
    });
    (void)browser_->SetRowsInUse(kRows);
  }
  ~Log() {
    browser_.reset();
    CloseProgramFile(log_);
    (void)ExitEngine(); // the measurements are taken; the folder goes anyway
    std::filesystem::remove_all(dir_);
  }
  TKBrowser& browser() { return *browser_; }
  /// Puts row 1 on QSO `index`.
  void Start(int index) {
    browser_->SetCursorRow(1);
    (void)browser_->GotoEntry(Long4(155666 + index / 1440) + Long4((index % 1440) * 60), 0);
  }

private:
  std::string dir_;
  Fileblock* log_ = nullptr;
  std::unique_ptr<TKBrowser> browser_;
};

Log& TheLog() {
  static Log log;
  return log;
}

void BM_RowStep(benchmark::State& state) {
  Log& log = TheLog();
  log.Start(20000);
  int steps = 0;
  for (auto _ : state) {
    log.browser().SetCursorRow(kRows);
    benchmark::DoNotOptimize(log.browser().NextRow());
    if (++steps == 50000) {
      state.PauseTiming();
      log.Start(20000);
      steps = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_RowStep);

void BM_PageStep(benchmark::State& state) {
  Log& log = TheLog();
  log.Start(0);
  int steps = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(log.browser().NextPage(kRows));
    if (++steps == 3500) {
      state.PauseTiming();
      log.Start(0);
      steps = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_PageStep);

void BM_Refresh(benchmark::State& state) {
  Log& log = TheLog();
  log.Start(50000);
  log.browser().SetCursorRow(10);
  for (auto _ : state)
    benchmark::DoNotOptimize(log.browser().RefreshPage());
}
BENCHMARK(BM_Refresh);

void BM_ThumbPosition(benchmark::State& state) {
  Log& log = TheLog();
  log.Start(61234);
  for (auto _ : state)
    benchmark::DoNotOptimize(log.browser().ThumbPosition(247));
}
BENCHMARK(BM_ThumbPosition);

void BM_DragThumb(benchmark::State& state) {
  Log& log = TheLog();
  std::int32_t position = 0;
  for (auto _ : state) {
    std::string key;
    std::int32_t record = 0;
    benchmark::DoNotOptimize(log.browser().EntryAtPosition(position, 247, &key, &record));
    benchmark::DoNotOptimize(log.browser().GotoEntry(key, record));
    position = (position + 37) % 248;
  }
}
BENCHMARK(BM_DragThumb);

} // namespace
