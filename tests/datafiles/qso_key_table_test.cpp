// The key table of a QSO log: a file written with exactly the declared key lengths opens as
// it is, while a log of older versions, whose key 26 (the two-character exchange) was
// declared with the length of its text (2) instead of 3, is taken and its index rebuilt once.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/data_directory.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/fileblock.h"
#include "recordfile/fileblock_layouts.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

void AddQso(Fileblock& log, const std::string& call, const std::string& kenner) {
  ASSERT_EQ(log.ClearBuffer(), 0);
  QsoRecord q(log.RecordBuffer());
  q.SetCall(call);
  q.SetKenner(kenner);
  q.SetBand('e');
  ASSERT_TRUE(AddRecord(log));
}

// The calls found under key 26 for `kenner`, in key order.
std::vector<std::string> CallsOfKenner(Fileblock& log, const std::string& kenner) {
  std::vector<std::string> calls;
  for (int s = log.FindKey(qso_key::kKenner, kenner); s == 0; s = log.NextKey(qso_key::kKenner)) {
    const QsoRecord q(static_cast<const char*>(log.RecordBuffer()));
    if (q.Kenner() != kenner)
      break;
    calls.push_back(q.Call());
  }
  return calls;
}

TEST(QsoKeyTable, Key26HasTheDeclaredLengthAndOldLogsAreRebuiltOnce) {
  EXPECT_EQ(ProgramFileLayout(ProgramFile::kQsoLog).keys.at(qso_key::kKenner - 1).length, 3);
  // Every other key is declared with the length of the text its builder makes.
  for (int key = 1; key <= QsoRecord::kKeys; ++key) {
    if (key == qso_key::kKenner)
      continue;
    std::string record(QsoRecord::kLength, '\0');
    const std::string built =
        ProgramFileLayout(ProgramFile::kQsoLog).keyBuilder(record.data(), key);
    EXPECT_EQ(
        static_cast<int>(built.size()),
        ProgramFileLayout(ProgramFile::kQsoLog).keys.at(static_cast<std::size_t>(key - 1)).length)
        << "key " << key;
  }

  TempDataDir dir;
  ASSERT_EQ(InitEngine(), 0);
  // A log as older versions wrote it: key 26 declared with 2 characters.
  FileblockLayout old = ProgramFileLayout(ProgramFile::kQsoLog);
  old.keys.at(qso_key::kKenner - 1).length = 2;
  Fileblock* log = CreateFileblockFromLayout(old, "OLDLOG", DataPath("KXLK0001"));
  ASSERT_NE(log, nullptr);
  AddQso(*log, "W1AW", "CT");
  AddQso(*log, "K2AB", "NY");
  AddQso(*log, "W3XY", "CT");
  ASSERT_EQ(log->Close(), 0);
  ASSERT_EQ(DestroyFileblock(log), 0);
  const std::string oldIndex = ReadFileBytes(DataPath("KXLK0001.IX"));

  // Opened by the program: the index is rebuilt with the table's key lengths, every record
  // is there and found by key 26.
  log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(CallsOfKenner(*log, "CT"), (std::vector<std::string>{"W1AW", "W3XY"}));
  EXPECT_EQ(CallsOfKenner(*log, "NY"), std::vector<std::string>{"K2AB"});
  CloseProgramFile(log);
  const std::string newIndex = ReadFileBytes(DataPath("KXLK0001.IX"));
  EXPECT_NE(newIndex, oldIndex);

  // Once: the rebuilt log, written to the table, opens as it is.
  log = OpenProgramFile(ProgramFile::kQsoLog, 1);
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(CallsOfKenner(*log, "NY"), std::vector<std::string>{"K2AB"});
  CloseProgramFile(log);
  EXPECT_EQ(ReadFileBytes(DataPath("KXLK0001.IX")), newIndex);
  EXPECT_EQ(ExitEngine(), 0);
}

} // namespace
} // namespace tarvik::test
