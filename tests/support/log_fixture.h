#pragma once
// A QSO file of its own in a fresh data directory, filled with hand-made records, for the
// tests of the duplicate rules and the multiplier bookkeeping.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "radio/date_time.h"
#include "recordfile/fileblock.h"
#include "support/prefix_tables.h"

namespace tarvik::test {

/// The fields of a hand-made QSO.
struct QsoFields {
  std::string call = "DL1ABC";
  char band = 'b';
  std::string mode = "CW";
  std::string dok{};
  std::string locator{};
  std::string prefix = "DL";
  std::string continent = "EU";
  std::string kenner{};
  std::string call2{};
  std::string rstr = "599";
  DayNumber datum = 0;
  TimeOfDay zeit = 12 * 3600;
  char qsyBand = 0;
};

inline std::array<char, QsoRecord::kLength> MakeQso(const QsoFields& f) {
  std::array<char, QsoRecord::kLength> bytes{};
  QsoRecord r(bytes.data());
  r.SetCall(f.call);
  r.SetBand(f.band);
  r.SetMode(f.mode);
  r.SetFullDok(f.dok);
  r.SetLocator(f.locator);
  r.SetPrefix(f.prefix);
  r.SetContinent(f.continent);
  r.SetKenner(f.kenner);
  r.SetCall2(f.call2);
  r.SetRSTr(f.rstr);
  r.SetDatum(f.datum == 0 ? DmyToDay(14, 3, 2026) : f.datum);
  r.SetZeit(f.zeit);
  r.SetQSYBand(f.qsyBand);
  return bytes;
}

class LogTest : public PrefixTablesTest {
protected:
  void SetUp() override {
    PrefixTablesTest::SetUp();
    log_ = OpenProgramFile(ProgramFile::kQsoLog, 7);
    ASSERT_NE(log_, nullptr);
  }
  void TearDown() override {
    CloseProgramFile(log_);
    PrefixTablesTest::TearDown();
  }
  /// Adds a QSO; returns its record number.
  std::int32_t Add(const QsoFields& fields) {
    const auto bytes = MakeQso(fields);
    std::memcpy(log_->RecordBuffer(), bytes.data(), bytes.size());
    EXPECT_TRUE(AddRecord(*log_));
    return log_->CurrentRecordNumber();
  }

  Fileblock* log_ = nullptr;
};

} // namespace tarvik::test
