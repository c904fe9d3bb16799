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

namespace tarvik::test {
namespace {

struct ToolRun {
  int exitCode;
  std::string out;
};

/// Runs the tool binary; stderr goes to the same stream.
ToolRun Tool(const std::string& args) {
  const std::string command = std::string(TARVIK_TOOL_PATH) + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  std::array<char, 4096> buf;
  while (std::size_t n = std::fread(buf.data(), 1, buf.size(), pipe)) out.append(buf.data(), n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

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
  ToolRun ok = Tool("check " + base_);
  EXPECT_EQ(ok.exitCode, 0);
  EXPECT_EQ(ok.out, "ok: 3 records, 2 keys\n");

  std::string ix = ReadFileBytes(base_ + ".IX");
  const int pb1 = 62 * 14 + 6;
  format::StoreI32(ix.data() + 22, 5);                           // KeyCount of key 1
  ix[static_cast<std::size_t>(pb1 + (62 * 19 + 6)) + pb1 + 6 + 8] = 55; // a key length byte on page 1 of key 2
  WriteFileBytes(base_ + ".IX", ix);
  ToolRun bad = Tool("check " + base_);
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.out.find("key 1: KeyCount is 5, the tree holds 3 entries"), std::string::npos) << bad.out;
  EXPECT_NE(bad.out.find("key 2, page 1, item 1: key length 55 above 10"), std::string::npos) << bad.out;

  ToolRun missing = Tool("check " + dir_.file("NOTHERE"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.out.find("cannot be opened"), std::string::npos);
}

TEST_F(StorageTool, DumpListsEntriesInKeyOrder) {
  ToolRun dump = Tool("dump " + base_ + " --key 2");
  EXPECT_EQ(dump.exitCode, 0);
  // DK0XY (record 2) first, then the two DL1ABC in record order.
  const auto first = dump.out.find("record 2 key 444B305859\n");
  const auto second = dump.out.find("record 1 key 444C31414243\n");
  const auto third = dump.out.find("record 3 key 444C31414243\n");
  ASSERT_NE(first, std::string::npos) << dump.out;
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);
  EXPECT_NE(dump.out.find("  0000  00 00 00 00 02 00 00 00 05 44 4B 30 58 59"), std::string::npos) << dump.out;
  EXPECT_NE(dump.out.find("3 entries in key 2\n"), std::string::npos);
  EXPECT_EQ(Tool("dump " + base_ + " --key 3").exitCode, 1);
  EXPECT_EQ(Tool("dump " + base_ + " --key x").exitCode, 2);
}

TEST_F(StorageTool, RepairRebuildsWithAKnownLayoutOrMarksTheFile) {
  std::string ix = ReadFileBytes(base_ + ".IX");
  format::StoreI32(ix.data() + 22, 5);
  WriteFileBytes(base_ + ".IX", ix);
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunStorageToolCommand({"repair", base_}, out, err), 0) << err.str();
  EXPECT_EQ(out.str(), base_ + ": repaired, 3 records, 2 keys\n");
  EXPECT_EQ(Tool("check " + base_).exitCode, 0);

  // The tool program knows no layouts of its own yet: it marks the file instead.
  ToolRun marked = Tool("repair " + base_);
  EXPECT_EQ(marked.exitCode, 0);
  EXPECT_NE(marked.out.find("marked for repair"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(base_ + ".DAT")[format::kHdrInUse], 1);
  ToolRun check = Tool("check " + base_);
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_NE(check.out.find("InUse is set"), std::string::npos);
}

TEST_F(StorageTool, UsageErrors) {
  EXPECT_EQ(Tool("check").exitCode, 2);
  EXPECT_EQ(Tool("frobnicate").exitCode, 2);
  ToolRun help = Tool("help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("dump NAME [--key K]"), std::string::npos);
}

} // namespace
} // namespace tarvik::test
