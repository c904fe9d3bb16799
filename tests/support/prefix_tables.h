#pragma once
// Test support for everything that looks up prefixes: a running record-file engine in a
// fresh data directory with the three prefix tables open, and a compact way to write
// hand-made entries into them.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/dates.h"
#include "country/prefix_lookup.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace tarvik::test {

/// One entry of a prefix table; fields left at their defaults stay empty or 0.
struct PrefixEntry {
  std::string prefix{};
  std::string dxcc{};
  std::string country{};
  int entity = 0;
  std::string continent = "EU";
  std::string cq = "14";
  std::string itu = "28";
  std::string area{};
  char rangeEnd = 0;
  DayNumber validFrom = 0;
  DayNumber validTo = 0;
  DayNumber changeDate = 0;
  std::string former{};
  std::string alias{};
  DayNumber secondChangeDate = 0;
  std::string secondFormer{};
  std::string remark{}; // field 62
  char matchKind = 0;
  char classChar = 'D';
  std::string alternative{};
};

/// Clears the table's buffer, fills it from `entry` and adds it; false when Add failed.
bool AddPrefixEntry(Fileblock* table, const PrefixEntry& entry);

/// Engine, data directory and the three prefix tables (KXPREFIX, KXPREFEE, KXPREFES) for
/// one test. The process clock is a FakeClock on 14.03.2026.
class PrefixTablesTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  void AddMain(const PrefixEntry& e) { ASSERT_TRUE(AddPrefixEntry(tables_.main, e)) << e.prefix; }
  void AddCallException(const PrefixEntry& e) {
    ASSERT_TRUE(AddPrefixEntry(tables_.callExceptions, e)) << e.prefix;
  }
  void AddStartException(const PrefixEntry& e) {
    ASSERT_TRUE(AddPrefixEntry(tables_.startExceptions, e)) << e.prefix;
  }
  static DayNumber Day(int d, int m, int y) { return DmyToDay(d, m, y); }

  FakeClock clock_;
  TempDataDir dir_;
  PrefixTables tables_;

private:
  std::optional<ScopedProcessClock> scopedClock_;
};

} // namespace tarvik::test
