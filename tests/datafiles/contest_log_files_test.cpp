// Moving a deleted contest's QSO log aside: all its files go to the first free _DEL<n> name
// and the renames are made durable; when a rename, or making them durable, fails, the log
// stays whole under its own name and the message names the files and the cause.

#include <gtest/gtest.h>

#include "base/data_directory.h"
#include "datafiles/contest_log_files.h"
#include "recordfile/memory_file_io.h"
#include "support/refusing_io.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

class ContestLogFiles : public ::testing::Test {
protected:
  void SetUp() override {
    memory_.SetFile(Path("KXLK0012.DAT"), "data");
    memory_.SetFile(Path("KXLK0012.IX"), "index");
    memory_.SetFile(Path("KXLK0012.SAV"), "saved");
    memory_.SetFile(Path("KXLK0013.DAT"), "another contest");
  }

  std::string Path(const std::string& name) const { return DataPath(name); }

  /// The files of contest 12's log under `base`, as "DAT=data IX=index ...".
  std::string FilesOf(const std::string& base) {
    std::string text;
    for (const char* ext : {".DAT", ".IX", ".SAV"})
      if (memory_.FileExists(Path(base + ext)))
        text += std::string(ext + 1) + "=" + memory_.FileContents(Path(base + ext)) + " ";
    return text;
  }

  TempDataDir dir_;
  MemoryFileIo memory_;
};

TEST_F(ContestLogFiles, EveryFileGoesToTheFirstFreeNameAndCanBePutBack) {
  const QsoLogMove first = MoveQsoLogAside(12, &memory_);
  ASSERT_TRUE(first.ok);
  EXPECT_EQ(first.aside, "KXLK0012_DEL1");
  EXPECT_EQ(FilesOf("KXLK0012_DEL1"), "DAT=data IX=index SAV=saved ");
  EXPECT_FALSE(QsoLogFilesExist(12, &memory_));
  EXPECT_TRUE(QsoLogFilesExist(13, &memory_));

  // An action that failed afterwards puts the log back.
  ASSERT_TRUE(PutQsoLogBack(12, first, &memory_));
  EXPECT_EQ(FilesOf("KXLK0012"), "DAT=data IX=index SAV=saved ");
  // Moved again, and once more after a new log came: the first deleted log is kept.
  ASSERT_TRUE(MoveQsoLogAside(12, &memory_).ok);
  memory_.SetFile(Path("KXLK0012.DAT"), "new");
  const QsoLogMove second = MoveQsoLogAside(12, &memory_);
  ASSERT_TRUE(second.ok);
  EXPECT_EQ(second.aside, "KXLK0012_DEL2");
  EXPECT_EQ(FilesOf("KXLK0012_DEL1"), "DAT=data IX=index SAV=saved ");
  EXPECT_EQ(FilesOf("KXLK0012_DEL2"), "DAT=new ");
  // Nothing to move is no failure.
  const QsoLogMove none = MoveQsoLogAside(12, &memory_);
  EXPECT_TRUE(none.ok);
  EXPECT_EQ(none.aside, "");
}

TEST_F(ContestLogFiles, AFailedRenameLeavesTheLogWholeAndIsNamed) {
  RefusingIo io(memory_);
  io.refuseRenameOf = "KXLK0012.IX";
  const QsoLogMove refused = MoveQsoLogAside(12, &io);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.stuck, std::vector<std::string>{Path("KXLK0012.IX")});
  EXPECT_EQ(refused.osError, EACCES);
  // The data file that had moved is back beside its index.
  EXPECT_EQ(FilesOf("KXLK0012"), "DAT=data IX=index SAV=saved ");
  EXPECT_EQ(FilesOf("KXLK0012_DEL1"), "");
  EXPECT_EQ(QsoLogNotMovedMessage(12, refused),
            "Die Dateien des QSO-Logs Nr. 12 (KXLK0012.IX) konnten nicht umbenannt werden. "
            "Keine Zugriffsberechtigung.");

  // Renames that cannot be made durable count as failed: the log would come back under its
  // name after a power loss.
  io.refuseRenameOf.clear();
  io.refuseDirectorySync = true;
  io.osError = EIO;
  const QsoLogMove unsynced = MoveQsoLogAside(12, &io);
  EXPECT_FALSE(unsynced.ok);
  EXPECT_EQ(FilesOf("KXLK0012"), "DAT=data IX=index SAV=saved ");
  EXPECT_EQ(QsoLogNotMovedMessage(12, unsynced),
            "Die Dateien des QSO-Logs Nr. 12 (KXLK0012.DAT, KXLK0012.IX, KXLK0012.SAV) konnten "
            "nicht umbenannt werden. Ein-/Ausgabefehler des Datenträgers.");
}

} // namespace
} // namespace tarvik::test
