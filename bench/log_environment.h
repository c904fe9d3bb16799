#pragma once
// The contest log the benchmarks of the entry cycle work on: a fresh data directory with the
// record-file engine running, a small prefix table, and a code-2 log (DOK and locator on
// 2 m) of 10,000 QSOs; and the timing of single operations (median and 90th percentile).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/data_directory.h"
#include "contest/contest_catalog.h"
#include "contest/qso_points.h"
#include "datafiles/contest_records.h"
#include "datafiles/prefix_record.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "logging/qso_session.h"
#include "radio/date_time.h"
#include "recordfile/engine.h"
#include "recordfile/fileblock.h"

namespace tarvik::bench {

inline constexpr int kQsos = 10000;
inline constexpr int kSamples = 400;

class QuietDialogs : public UserDialogs {
public:
  void Inform(const std::string&) override {}
  bool Confirm(const std::string&) override { return true; }
  void Beep() override {}
  std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return {}; }
  bool OpenDocument(const std::string&) override { return false; }
};

class FixedClock : public Clock {
public:
  DateTime LocalNow() const override { return {2026, 3, 14, 19, 30, 0, 0}; }
  std::optional<int> ZoneCorrectionSeconds() const override { return 0; }
};

// A call that no other sample uses: two letters, a digit, three letters from `n`.
inline std::string UniqueCall(const char* prefix, int n) {
  std::string call = prefix;
  call += static_cast<char>('0' + n % 10);
  n /= 10;
  for (int i = 0; i < 3; ++i) {
    call += static_cast<char>('A' + n % 26);
    n /= 26;
  }
  return call;
}

inline const char* const kDoks[] = {"N01", "N02", "N05", "N11", "N27", "O21", "5N",  "WN",
                                    "1N",  "13N", "G01", "P43", "L11", "R01", "N55", "Z14"};

/// The data directory, engine, prefix table and the 10,000-QSO log.
class Environment {
public:
  Environment() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    SetDataDirectory(dir_);
    if (InitEngine() != 0)
      std::abort();
    FillPrefixTable();
    FillLog();
  }
  ~Environment() {
    (void)ExitEngine(); // the measurements are taken; the folder goes anyway
    std::filesystem::remove_all(dir_);
  }

  QsoSessionParams Params() const { return params_; }
  QuietDialogs& Dialogs() { return dialogs_; }
  const Clock& GetClock() const { return clock_; }

private:
  void FillPrefixTable() {
    Fileblock* table = OpenProgramFile(ProgramFile::kPrefix);
    struct Entry {
      const char* prefix;
      const char* dxcc;
      char rangeEnd;
    };
    const Entry entries[] = {{"DA", "DL", 'R'}, {"OK", "OK", 0}, {"PA", "PA", 0},
                             {"F", "F", 0},     {"SM", "SM", 0}, {"OH", "OH", 0},
                             {"G", "G", 0},     {"ON", "ON", 0}, {"OZ", "OZ", 0}};
    for (const Entry& e : entries) {
      (void)table->ClearBuffer();
      PrefixRecord r(table->RecordBuffer());
      r.SetPrefix(e.prefix);
      r.SetDxccPrefix(e.dxcc);
      r.SetContinent("EU");
      r.SetRangeEnd(e.rangeEnd);
      (void)AddRecord(*table);
    }
    CloseProgramFile(table);
  }

  void FillLog() {
    ContestHeaderFields fields;
    fields.dok = "N01";
    params_.definition = BuildContestDefinition('2', fields, "JO31MX", dialogs_, clock_);
    params_.contestCode = '2';
    params_.headerRecord.assign(ContestHeaderRecord::kLength, '\0');
    ContestHeaderRecord header(params_.headerRecord.data());
    header.SetContestNumber(1);
    header.SetContestCode('2');
    header.SetContestName("Bench");
    header.SetDok("N01");
    header.SetLocator("JO31MX");
    header.SetAutoDate(true);
    header.SetAutoTime(true);
    header.SetExtendedStats(fields.extendedStats);
    params_.extensionRecord.assign(ContestExtensionRecord::kLength, '\0');
    params_.ownLocator = "JO31MX";

    PointContext points;
    points.code = '2';
    points.definition = &params_.definition;
    points.ownDok = "N01";
    Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, 1);
    (void)log->SetFlushAfterChange(false); // bulk load; flushed once by the close
    const char* const countries[] = {"DL", "DK", "DJ", "OK", "PA", "DF", "DO", "DG"};
    for (int i = 0; i < kQsos; ++i) {
      (void)log->ClearBuffer();
      QsoRecord q(log->RecordBuffer());
      const char* country = countries[i % 8];
      q.SetCall(UniqueCall(country, i));
      q.SetPrefix(country[0] == 'D' ? "DL" : country);
      q.SetContinent("EU");
      q.SetFullDok(country[0] == 'D' ? kDoks[i % 16] : "");
      std::string locator = "JO";
      locator += static_cast<char>('0' + i % 10);
      locator += static_cast<char>('0' + (i / 10) % 10);
      q.SetLocator(locator);
      q.SetQRB(100 + i % 400);
      q.SetDatum(DmyToDay(14, 3, 2026));
      q.SetZeit(19 * 3600 + i % 3600);
      q.SetMode("CW");
      q.SetBand('k');
      q.SetRSTs("599N01/JO31");
      q.SetRSTr("599" + q.FullDok() + "/" + locator);
      q.SetQSONr(i + 1);
      q.SetBandSerial(i + 1);
      q.SetBandNr(i + 1);
      q.SetModeNr(static_cast<std::uint16_t>(i + 1));
      q.SetNameQTH(";");
      q.SetQSLs('N');
      q.SetPunkte(StoredPoints(QsoPoints(q, points)));
      (void)log->Add();
    }
    CloseProgramFile(log);
  }

  std::string dir_;
  QuietDialogs dialogs_;
  FixedClock clock_;
  QsoSessionParams params_;
};

inline Environment& Env() {
  static Environment environment;
  return environment;
}

inline std::unique_ptr<QsoSession> OpenSession(Environment& env) {
  auto session = std::make_unique<QsoSession>(env.Params(), env.Dialogs(), env.GetClock());
  if (!session->Open())
    std::abort();
  return session;
}

/// Times single operations; reports their median and 90th percentile in microseconds.
class Samples {
public:
  template <typename Operation> void Time(benchmark::State& state, Operation&& operation) {
    const auto start = std::chrono::steady_clock::now();
    operation();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count());
    micros_.push_back(elapsed.count() * 1e6);
  }
  void Report(benchmark::State& state) {
    if (micros_.empty())
      return;
    std::sort(micros_.begin(), micros_.end());
    state.counters["median_us"] = micros_[micros_.size() / 2];
    state.counters["p90_us"] = micros_[micros_.size() * 9 / 10];
  }

private:
  std::vector<double> micros_;
};

} // namespace tarvik::bench
