// tarvik-tool check, dump and repair on real files.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <sys/wait.h>

#include "recordfile/engine.h"
#include "recordfile/fileblock_layouts.h"
#include "recordfile/format.h"
#include "recordfile/key_codec.h"
#include "recordfile/storage_tool.h"
#include "support/temp_dir.h"
#include "support/run_command.h"

namespace tarvik::test {
namespace {

// A layout like a tiny call list: 40-byte records, key 1 = number (unique, auto),
// key 2 = call (duplicates).
FileblockLayout TinyLayout() {
  FileblockLayout layout;
  layout.name = "KXTINY";
  layout.matches = [](const std::string& base) { return base == "KXTINY"; };
  layout.recordLength = 40;
  layout.keys = {{5, false, 4}, {10, true, -1}};
  layout.keyBuilder = [](const char* rec, int key) {
    if (key == 1) return NumKey5(format::LoadI32(rec + 4));
    return std::string(rec + 9, static_cast<std::size_t>(std::min<int>(rec[8], 10)));
  };
  return layout;
}

class StorageTool : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterFileblockLayout(TinyLayout());
    ASSERT_EQ(InitEngine(), 0);
    Fileblock* fb = CreateFileblockFromLayout(*FindFileblockLayout("KXTINY"), "KXTINY", "KXTINY");
    ASSERT_NE(fb, nullptr);
    for (const char* call : {"DL1ABC", "DK0XY", "DL1ABC"}) {
      std::memset(fb->RecordBuffer(), 0, 40);
      fb->RecordBuffer()[8] = static_cast<char>(std::strlen(call));
      std::memcpy(fb->RecordBuffer() + 9, call, std::strlen(call));
      ASSERT_EQ(fb->Add(), 0);
    }
    ASSERT_EQ(DestroyFileblock(fb), 0);
    ASSERT_EQ(ExitEngine(), 0);
    base_ = dir_.file("KXTINY");
  }

  TempDataDir dir_;
  std::string base_;
};

TEST_F(StorageTool, CheckSaysOkOrListsEveryDamage) {
  RunResult ok = RunTool("check " + base_);
  EXPECT_EQ(ok.exitCode, 0);
  EXPECT_EQ(ok.output, "ok: 3 records, 2 keys\n");

  std::string ix = ReadFileBytes(base_ + ".IX");
  const int pb1 = 62 * 14 + 6;
  format::StoreI32(ix.data() + 22, 5);                           // KeyCount of key 1
  ix[static_cast<std::size_t>(pb1 + (62 * 19 + 6)) + pb1 + 6 + 8] = 55; // a key length byte on page 1 of key 2
  WriteFileBytes(base_ + ".IX", ix);
  RunResult bad = RunTool("check " + base_);
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.output.find("key 1: KeyCount is 5, the tree holds 3 entries"), std::string::npos) << bad.output;
  EXPECT_NE(bad.output.find("key 2, page 1, item 1: key length 55 above 10"), std::string::npos) << bad.output;

  RunResult missing = RunTool("check " + dir_.file("NOTHERE"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.output.find("cannot be opened"), std::string::npos);
}

TEST_F(StorageTool, DumpListsEntriesInKeyOrder) {
  RunResult dump = RunTool("dump " + base_ + " --key 2");
  EXPECT_EQ(dump.exitCode, 0);
  // DK0XY (record 2) first, then the two DL1ABC in record order.
  const auto first = dump.output.find("record 2 key 444B305859\n");
  const auto second = dump.output.find("record 1 key 444C31414243\n");
  const auto third = dump.output.find("record 3 key 444C31414243\n");
  ASSERT_NE(first, std::string::npos) << dump.output;
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);
  EXPECT_NE(dump.output.find("  0000  00 00 00 00 02 00 00 00 05 44 4B 30 58 59"), std::string::npos) << dump.output;
  EXPECT_NE(dump.output.find("3 entries in key 2\n"), std::string::npos);
  EXPECT_EQ(RunTool("dump " + base_ + " --key 3").exitCode, 1);
  EXPECT_EQ(RunTool("dump " + base_ + " --key x").exitCode, 2);
}

TEST_F(StorageTool, RepairRebuildsWithAKnownLayoutOrMarksTheFile) {
  std::string ix = ReadFileBytes(base_ + ".IX");
  format::StoreI32(ix.data() + 22, 5);
  WriteFileBytes(base_ + ".IX", ix);
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunStorageToolCommand({"repair", base_}, out, err), 0) << err.str();
  EXPECT_EQ(out.str(), base_ + ": repaired, 3 records, 2 keys\n");
  EXPECT_EQ(RunTool("check " + base_).exitCode, 0);

  // The tool program knows no layouts of its own yet: it marks the file instead.
  RunResult marked = RunTool("repair " + base_);
  EXPECT_EQ(marked.exitCode, 0);
  EXPECT_NE(marked.output.find("marked for repair"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(base_ + ".DAT")[format::kHdrInUse], 1);
  RunResult check = RunTool("check " + base_);
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_NE(check.output.find("InUse is set"), std::string::npos);
}

TEST_F(StorageTool, UsageErrors) {
  EXPECT_EQ(RunTool("check").exitCode, 2);
  EXPECT_EQ(RunTool("frobnicate").exitCode, 2);
  RunResult help = RunTool("help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("dump NAME [--key K]"), std::string::npos);
}

} // namespace
} // namespace tarvik::test
