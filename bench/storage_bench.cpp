// The record-file engine against SQLite on the same work, in the same run:
//   add      20,000 QSO records of 216 bytes with 27 keys, durability off
//            (flush-after-change off / one SQLite transaction; both sync once at the end)
//   find     20,000 FindKey lookups on the 22-byte duplicate key 2 (call, date, time)
//   walk     every record in the order of key 2
//   durable  300 QSO records, each synced on its own (flush-after-change on / one
//            transaction per insert with synchronous=FULL)
// The engine runs with the program's 160 page buffers, SQLite with its default cache.
// After the Google Benchmark table the program prints the engine/SQLite ratios of the
// median times.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "recordfile/engine.h"
#include "recordfile/format.h"
#include "recordfile/key_codec.h"

namespace {

using namespace tarvik;

constexpr int kRecords = 20000;
constexpr int kDurableRecords = 300;
constexpr int kRecLen = 216;
constexpr int kKeys = 27;
constexpr int kKeyLength[kKeys + 1] = {0, 8, 22, 14, 5, 6, 14, 1, 6, 21, 7, 6, 6, 5,
                                       2, 2, 2,  2,  8, 6, 6,  9, 7, 7,  6, 3, 3, 7};

// QSO record offsets.
constexpr int kLfdNr = 4, kCall = 8, kLocator = 21, kDatum = 28, kZeit = 32, kMode = 36,
              kPrefix2 = 70, kPrefix = 77, kFlag115 = 115, kKenner = 116, kDok = 125, kBand = 132,
              kBandSerial = 133, kCall2 = 140, kMultMark1 = 153, kBandNr = 160, kQsoNr = 166,
              kMulti1 = 170, kMulti2 = 171, kDok2 = 194, kModeNr = 213;

std::string Str(const char* rec, int at, int capacity) {
  const int len = std::min<int>(static_cast<unsigned char>(rec[at]), capacity);
  return std::string(rec + at + 1, static_cast<std::size_t>(len));
}

void PutStr(char* rec, int at, const std::string& s) {
  rec[at] = static_cast<char>(s.size());
  std::memcpy(rec + at + 1, s.data(), s.size());
}

std::string Pad(std::string s, std::size_t n) {
  s.resize(n, ' ');
  return s;
}

std::int32_t I32(const char* rec, int at) {
  return format::LoadI32(rec + at);
}

/// The 27 keys of a QSO record (base call = call, mode group = first letter of the mode).
std::string QsoKey(const char* rec, int key) {
  const std::string bd(1, rec[kBand]);
  const std::string call = Str(rec, kCall, 12);
  const std::string dt = Long4(I32(rec, kDatum)) + Long4(I32(rec, kZeit));
  const std::string dok = Str(rec, kDok, 6) + Str(rec, kDok2, 2);
  std::string k;
  switch (key) {
  case 1:
    k = dt;
    break;
  case 2:
    k = Pad(call, 14) + dt;
    break;
  case 3:
    k = Pad(Str(rec, kLocator, 6), 6) + dt;
    break;
  case 4:
    k = NumKey5(I32(rec, kLfdNr));
    break;
  case 5:
    k = Pad(Str(rec, kPrefix, 6), 6);
    break;
  case 6:
    k = Pad(call, 14);
    break;
  case 7:
    k = rec[kFlag115] == 1 ? "1" : " ";
    break;
  case 8:
    k = bd + NumKey5(I32(rec, kBandNr));
    break;
  case 9:
    k = bd + Pad(call, 14) + Pad(Str(rec, kMode, 6), 6);
    break;
  case 10:
    k = bd + Pad(Str(rec, kPrefix, 6), 6);
    break;
  case 11:
    k = bd + NumKey5(99999999 - I32(rec, kBandSerial));
    break;
  case 12:
    k = bd + NumKey5(99999999 - I32(rec, kBandNr));
    break;
  case 13:
    k = NumKey5(I32(rec, kQsoNr));
    break;
  case 14:
    k = bd + rec[kMulti1];
    break;
  case 15:
    k = bd + rec[kMulti2];
    break;
  case 16:
    k = std::string(1, rec[kMulti1]) + rec[kMulti2];
    break;
  case 17:
    k = bd + (rec[kMulti1] == 0 && rec[kMulti2] != 0 && rec[kMulti2] != ' ' ? rec[kMulti2]
                                                                            : rec[kMulti1]);
    break;
  case 18:
    k = Pad(dok, 8);
    break;
  case 19:
    k = Pad(Str(rec, kMultMark1, 6), 6);
    break;
  case 20:
    k = Pad(Str(rec, kCall2, 12), 6);
    break;
  case 21:
    k = bd + Pad(dok, 8);
    break;
  case 22:
    k = bd + Pad(Str(rec, kPrefix2, 6), 6);
    break;
  case 23:
    k = bd + Pad(Str(rec, kLocator, 6), 6);
    break;
  case 24:
    k = Str(rec, kMode, 6).substr(0, 1) + NumKey5(99999999 - format::LoadU16(rec + kModeNr));
    break;
  case 25:
    k = bd + Pad(Str(rec, kKenner, 2), 2);
    break;
  case 26:
    k = Pad(Str(rec, kKenner, 2), 2);
    break;
  case 27:
    k = bd + Pad(Str(rec, kCall2, 12), 6);
    break;
  default:
    break;
  }
  if (k.size() > static_cast<std::size_t>(kKeyLength[key]))
    k.resize(static_cast<std::size_t>(kKeyLength[key]));
  return k;
}

/// A contest log: calls from a pool (so calls repeat on other bands), rising date and
/// time, a few bands and modes, locators, DOKs and prefixes.
std::vector<std::string> MakeLog(int count) {
  std::mt19937 rng(1);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  std::vector<std::string> calls;
  const char* prefixes[] = {"DL", "DK", "DJ", "DB", "DC", "DF", "DG", "DH",
                            "OE", "PA", "ON", "OK", "SP", "G",  "F"};
  for (int i = 0; i < 3000; ++i) {
    std::string c = prefixes[pick(15)];
    c += static_cast<char>('0' + pick(10));
    for (int j = 0; j < 2 + pick(2); ++j)
      c += static_cast<char>('A' + pick(26));
    calls.push_back(c);
  }
  const char* modes[] = {"CW", "SSB", "FM", "RTTY"};
  std::vector<std::string> records;
  int bandSerial[26] = {};
  int modeSerial[4] = {};
  std::int32_t day = 154000;
  std::int32_t time = 36000;
  for (int i = 0; i < count; ++i) {
    std::string r(kRecLen, '\0');
    char* rec = r.data();
    time += 5 + pick(60);
    if (time >= 86400) {
      time -= 86400;
      ++day;
    }
    const std::string& call = calls[static_cast<std::size_t>(pick(static_cast<int>(calls.size())))];
    const int band = pick(6);
    const int mode = pick(4);
    PutStr(rec, kCall, call);
    std::string loc = {static_cast<char>('I' + pick(4)),  static_cast<char>('N' + pick(4)),
                       static_cast<char>('0' + pick(10)), static_cast<char>('0' + pick(10)),
                       static_cast<char>('a' + pick(24)), static_cast<char>('a' + pick(24))};
    PutStr(rec, kLocator, loc);
    format::StoreI32(rec + kDatum, day);
    format::StoreI32(rec + kZeit, time);
    PutStr(rec, kMode, modes[mode]);
    PutStr(rec, kPrefix, call.substr(0, 3));
    PutStr(rec, kPrefix2, call.substr(0, 2));
    PutStr(rec, kDok, std::string(1, static_cast<char>('A' + pick(26))) + std::to_string(pick(60)));
    PutStr(rec, 84, "Name and QTH");
    rec[kBand] = static_cast<char>('a' + band);
    format::StoreI32(rec + kBandSerial, ++bandSerial[band]);
    format::StoreI32(rec + kBandNr, bandSerial[band]);
    format::StoreI32(rec + kQsoNr, i + 1);
    format::StoreU16(rec + kModeNr, static_cast<std::uint16_t>(++modeSerial[mode]));
    PutStr(rec, 173, "599");
    PutStr(rec, 183, "599" + std::to_string(pick(1000)));
    records.push_back(std::move(r));
  }
  return records;
}

const std::vector<std::string>& Log() {
  static const std::vector<std::string> log = MakeLog(kRecords);
  return log;
}

/// 20,000 key-2 strings of logged QSOs in random order.
const std::vector<std::string>& Lookups() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> k;
    for (const std::string& r : Log())
      k.push_back(QsoKey(r.data(), 2));
    std::shuffle(k.begin(), k.end(), std::mt19937(2));
    return k;
  }();
  return keys;
}

std::string WorkDir() {
  static const std::string dir = [] {
    std::string templ = (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr)
      std::abort();
    std::atexit([] { std::filesystem::remove_all(WorkDir()); });
    return templ + "/";
  }();
  return dir;
}

/// Measured times of each line, one per repetition.
std::map<std::string, std::vector<double>>& Seconds() {
  static std::map<std::string, std::vector<double>> seconds;
  return seconds;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "storage_bench: %s failed\n", what);
    std::exit(1);
  }
}

// --- The engine --------------------------------------------------------------------

Fileblock* OpenQsoFile(const std::string& name, bool durable) {
  FileblockParams params;
  params.name = name;
  params.fileName = WorkDir() + name;
  params.recordLength = kRecLen;
  params.numKeys = kKeys;
  params.keyBuilder = QsoKey;
  Fileblock* fb = CreateFileblock(params);
  for (int k = 1; k <= kKeys; ++k)
    Check(fb->DefineKey(k, kKeyLength[k], k != 4) == 0, "engine DefineKey");
  Check(fb->DefineAutoNumber(4, kLfdNr) == 0, "engine DefineAutoNumber");
  Check(fb->SetFlushAfterChange(durable) == 0, "engine SetFlushAfterChange");
  return fb;
}

double EngineAdd(const std::string& name, int count, bool durable) {
  std::filesystem::remove(WorkDir() + name + ".DAT");
  std::filesystem::remove(WorkDir() + name + ".IX");
  Fileblock* fb = OpenQsoFile(name, durable);
  Check(fb->EnsureOpen() == 0, "engine open");
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    std::memcpy(fb->RecordBuffer(), Log()[static_cast<std::size_t>(i)].data(), kRecLen);
    Check(fb->Add() == 0, "engine Add");
  }
  Check(fb->Close() == 0, "engine Close");
  const double s = Since(t0);
  Check(DestroyFileblock(fb) == 0, "engine destroy");
  return s;
}

double EngineFind() {
  Fileblock* fb = OpenQsoFile("KXLK0001", false);
  Check(fb->EnsureOpen() == 0, "engine open");
  const auto t0 = std::chrono::steady_clock::now();
  for (const std::string& key : Lookups())
    Check(fb->FindKey(2, key) == 0, "engine FindKey");
  const double s = Since(t0);
  Check(DestroyFileblock(fb) == 0, "engine destroy");
  return s;
}

double EngineWalk() {
  Fileblock* fb = OpenQsoFile("KXLK0001", false);
  Check(fb->EnsureOpen() == 0, "engine open");
  const auto t0 = std::chrono::steady_clock::now();
  int n = 0;
  for (int s = fb->FirstKey(2); s == 0; s = fb->NextKey(2))
    ++n;
  const double s = Since(t0);
  Check(n == kRecords, "engine walk");
  Check(DestroyFileblock(fb) == 0, "engine destroy");
  return s;
}

// --- SQLite ------------------------------------------------------------------------

sqlite3* OpenSqlite(const std::string& file, bool fresh) {
  if (fresh)
    std::filesystem::remove(file);
  sqlite3* db = nullptr;
  Check(sqlite3_open(file.c_str(), &db) == SQLITE_OK, "sqlite open");
  Check(sqlite3_exec(db, "PRAGMA synchronous=FULL; PRAGMA journal_mode=DELETE;", nullptr, nullptr,
                     nullptr) == SQLITE_OK,
        "sqlite pragma");
  if (fresh) {
    std::string sql = "CREATE TABLE qso(id INTEGER PRIMARY KEY, rec BLOB";
    for (int k = 1; k <= kKeys; ++k)
      sql += ", k" + std::to_string(k) + " BLOB";
    sql += ");";
    for (int k = 1; k <= kKeys; ++k) {
      sql += std::string("CREATE ") + (k == 4 ? "UNIQUE " : "") + "INDEX i" + std::to_string(k) +
             " ON qso(k" + std::to_string(k) + ");";
    }
    Check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK, "sqlite schema");
  }
  return db;
}

double SqliteAdd(const std::string& file, int count, bool durable) {
  sqlite3* db = OpenSqlite(file, true);
  std::string sql = "INSERT INTO qso VALUES(?1, ?2";
  for (int k = 1; k <= kKeys; ++k)
    sql += ", ?" + std::to_string(k + 2);
  sql += ")";
  sqlite3_stmt* insert = nullptr;
  Check(sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr) == SQLITE_OK, "sqlite prepare");
  std::string rec;
  std::string keys[kKeys + 1];
  const auto t0 = std::chrono::steady_clock::now();
  if (!durable)
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  for (int i = 0; i < count; ++i) {
    rec = Log()[static_cast<std::size_t>(i)];
    format::StoreI32(rec.data() + kLfdNr, i + 1);
    sqlite3_bind_int(insert, 1, i + 1);
    sqlite3_bind_blob(insert, 2, rec.data(), kRecLen, SQLITE_STATIC);
    for (int k = 1; k <= kKeys; ++k) {
      keys[k] = QsoKey(rec.data(), k);
      sqlite3_bind_blob(insert, k + 2, keys[k].data(), static_cast<int>(keys[k].size()),
                        SQLITE_STATIC);
    }
    Check(sqlite3_step(insert) == SQLITE_DONE, "sqlite insert");
    sqlite3_reset(insert);
  }
  if (!durable)
    Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK, "sqlite commit");
  sqlite3_finalize(insert);
  sqlite3_close(db);
  return Since(t0);
}

double SqliteFind() {
  sqlite3* db = OpenSqlite(WorkDir() + "qso.sqlite", false);
  sqlite3_stmt* find = nullptr;
  Check(sqlite3_prepare_v2(db, "SELECT rec FROM qso WHERE k2 = ?1 ORDER BY id LIMIT 1", -1, &find,
                           nullptr) == SQLITE_OK,
        "sqlite prepare");
  char record[kRecLen];
  const auto t0 = std::chrono::steady_clock::now();
  for (const std::string& key : Lookups()) {
    sqlite3_bind_blob(find, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    Check(sqlite3_step(find) == SQLITE_ROW, "sqlite find");
    std::memcpy(record, sqlite3_column_blob(find, 0), kRecLen);
    sqlite3_reset(find);
  }
  const double s = Since(t0);
  benchmark::DoNotOptimize(record);
  sqlite3_finalize(find);
  sqlite3_close(db);
  return s;
}

double SqliteWalk() {
  sqlite3* db = OpenSqlite(WorkDir() + "qso.sqlite", false);
  sqlite3_stmt* walk = nullptr;
  Check(sqlite3_prepare_v2(db, "SELECT rec FROM qso ORDER BY k2, id", -1, &walk, nullptr) ==
            SQLITE_OK,
        "sqlite prepare");
  char record[kRecLen];
  int n = 0;
  const auto t0 = std::chrono::steady_clock::now();
  while (sqlite3_step(walk) == SQLITE_ROW) {
    std::memcpy(record, sqlite3_column_blob(walk, 0), kRecLen);
    ++n;
  }
  const double s = Since(t0);
  benchmark::DoNotOptimize(record);
  Check(n == kRecords, "sqlite walk");
  sqlite3_finalize(walk);
  sqlite3_close(db);
  return s;
}

// --- Benchmarks ----------------------------------------------------------------------

void Report(benchmark::State& state, const std::string& name, double seconds) {
  state.SetIterationTime(seconds);
  Seconds()[name].push_back(seconds);
}

void BM_Add_Engine(benchmark::State& state) {
  for (auto _ : state)
    Report(state, "add/engine", EngineAdd("KXLK0001", kRecords, false));
}
void BM_Add_Sqlite(benchmark::State& state) {
  for (auto _ : state)
    Report(state, "add/sqlite", SqliteAdd(WorkDir() + "qso.sqlite", kRecords, false));
}
void BM_Find_Engine(benchmark::State& state) {
  for (auto _ : state)
    Report(state, "find/engine", EngineFind());
}
void BM_Find_Sqlite(benchmark::State& state) {
  for (auto _ : state)
    Report(state, "find/sqlite", SqliteFind());
}
void BM_Walk_Engine(benchmark::State& state) {
  for (auto _ : state)
    Report(state, "walk/engine", EngineWalk());
}
void BM_Walk_Sqlite(benchmark::State& state) {
  for (auto _ : state)
    Report(state, "walk/sqlite", SqliteWalk());
}
void BM_DurableAdd_Engine(benchmark::State& state) {
  for (auto _ : state)
    Report(state, "durable/engine", EngineAdd("KXLK0002", kDurableRecords, true));
}
void BM_DurableAdd_Sqlite(benchmark::State& state) {
  for (auto _ : state)
    Report(state, "durable/sqlite", SqliteAdd(WorkDir() + "durable.sqlite", kDurableRecords, true));
}

// Three repetitions each; the ratios compare medians (the machine may be busy with other
// work, which disturbs syncs most).
#define TARVIK_STORAGE_BENCH(fn)                                                                   \
  BENCHMARK(fn)->Iterations(1)->Repetitions(3)->UseManualTime()->Unit(benchmark::kMillisecond)
TARVIK_STORAGE_BENCH(BM_Add_Engine);
TARVIK_STORAGE_BENCH(BM_Add_Sqlite);
TARVIK_STORAGE_BENCH(BM_Find_Engine);
TARVIK_STORAGE_BENCH(BM_Find_Sqlite);
TARVIK_STORAGE_BENCH(BM_Walk_Engine);
TARVIK_STORAGE_BENCH(BM_Walk_Sqlite);
TARVIK_STORAGE_BENCH(BM_DurableAdd_Engine);
TARVIK_STORAGE_BENCH(BM_DurableAdd_Sqlite);

} // namespace

int main(int argc, char** argv) {
  const char* buffers = std::getenv("TARVIK_BENCH_BUFFERS");
  Check(InitEngine(buffers ? std::atoi(buffers) : 160, 32) == 0, "InitEngine");
  (void)Log();
  (void)Lookups();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Check(ExitEngine() == 0, "engine exit");

  std::printf("\nengine / SQLite time, medians (goal: at most 1.00)\n");
  const struct {
    const char* line;
    const char* key;
  } lines[] = {{"add 20,000 QSOs, 27 keys, one sync at the end", "add"},
               {"20,000 FindKey lookups, 22-byte duplicate key", "find"},
               {"walk 20,000 QSOs in key order", "walk"},
               {"add 300 QSOs, each synced", "durable"}};
  for (const auto& l : lines) {
    const auto e = Seconds().find(std::string(l.key) + "/engine");
    const auto q = Seconds().find(std::string(l.key) + "/sqlite");
    if (e == Seconds().end() || q == Seconds().end())
      continue;
    const double engine = Median(e->second);
    const double sqlite = Median(q->second);
    std::printf("  %-48s %8.1f ms %8.1f ms  %5.2fx\n", l.line, engine * 1e3, sqlite * 1e3,
                engine / sqlite);
  }
  return 0;
}
