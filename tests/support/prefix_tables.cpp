#include "support/prefix_tables.h"

#include "datafiles/prefix_record.h"
#include "datafiles/program_files.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/fileblock.h"

namespace tarvik::test {

bool AddPrefixEntry(Fileblock* table, const PrefixEntry& e) {
  if (table == nullptr || table->ClearBuffer() != 0)
    return false;
  PrefixRecord r(table->RecordBuffer());
  r.SetPrefix(e.prefix);
  r.SetDxccPrefix(e.dxcc);
  r.SetArea(e.area);
  r.SetCqZone(e.cq);
  r.SetItuZone(e.itu);
  r.SetContinent(e.continent);
  r.SetCountryName(e.country);
  r.SetField62(e.remark);
  r.SetValidFrom(e.validFrom);
  r.SetValidTo(e.validTo);
  r.SetChangeDate(e.changeDate);
  r.SetFormerPrefix(e.former);
  r.SetRangeEnd(e.rangeEnd);
  r.SetEntityNumber(static_cast<std::int16_t>(e.entity));
  r.SetAliasPrefix(e.alias);
  r.SetSecondChangeDate(e.secondChangeDate);
  r.SetSecondFormerPrefix(e.secondFormer);
  r.SetAlternativePrefix(e.alternative);
  r.SetClassChar(e.classChar);
  r.SetMatchKind(e.matchKind);
  return AddRecord(*table);
}

void PrefixTablesTest::SetUp() {
  clock_.now = {2026, 3, 14, 12, 0, 0, 0};
  scopedClock_.emplace(clock_);
  RecordFileErrors().SetWaitFunction([](int) {});
  ASSERT_EQ(InitEngine(), 0);
  tables_ = OpenPrefixTables();
  ASSERT_NE(tables_.main, nullptr);
  ASSERT_NE(tables_.callExceptions, nullptr);
  ASSERT_NE(tables_.startExceptions, nullptr);
}

void PrefixTablesTest::TearDown() {
  ClosePrefixTables(tables_);
  if (EngineRunning()) {
    EXPECT_EQ(ExitEngine(), 0);
  }
  RecordFileErrors().SetWaitFunction(nullptr);
  SetPrefixAmbiguityOption(false);
  scopedClock_.reset();
}

} // namespace tarvik::test
