// The atomic file writer: a failure of any single file call, or a crash (a power loss) at any
// point, leaves the target as it was or completely new, never a part of it, and no temporary
// file behind after a failure; the result names the step and the operating system's error.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>

#include "recordfile/atomic_file.h"
#include "recordfile/failure_cause.h"
#include "support/call_fault_file_io.h"
#include "support/dying_file_io.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

const std::string kTarget = "/data/DL1XYZ.STF";
const std::string kOld = "the old file\r\n";

// Larger than the writer's buffer, so that it takes several writes.
std::string NewContents() {
  std::string text;
  for (int i = 0; text.size() < 150000; ++i)
    text += "     line " + std::to_string(i) + "\r\n";
  return text;
}

// Writes `contents` in pieces, as the output writers do.
FileWriteResult WriteInPieces(FileIo& io, const std::string& path, const std::string& contents) {
  AtomicFileWriter out(io);
  if (FileWriteResult r = out.Open(path); !r.ok())
    return r;
  for (std::size_t at = 0; at < contents.size(); at += 1000)
    out.Write(std::string_view(contents).substr(at, 1000));
  return out.Commit();
}

// A file system whose target is a device: it can be written, not replaced.
class DeviceTarget final : public FileIo {
public:
  explicit DeviceTarget(MemoryFileIo& memory) : memory_(memory) {}
  IoResult Open(const std::string& path, Mode mode, Lock lock,
                std::unique_ptr<File>* file) override {
    return memory_.Open(path, mode, lock, file);
  }
  bool FileExists(const std::string& path) override {
    return path != kTarget && memory_.FileExists(path);
  }
  bool DirectoryExists(const std::string& path) override { return memory_.DirectoryExists(path); }
  bool SpecialFileExists(const std::string& path) override { return path == kTarget; }
  IoResult Remove(const std::string& path) override { return memory_.Remove(path); }
  IoResult Rename(const std::string& from, const std::string& to) override {
    ++renames;
    return memory_.Rename(from, to);
  }
  IoResult SyncDirectoryOf(const std::string& path) override {
    return memory_.SyncDirectoryOf(path);
  }
  int renames = 0;

private:
  MemoryFileIo& memory_;
};

TEST(AtomicFileWriter, ReplacesCreatesAndLeavesNoTemporaryFile) {
  MemoryFileIo memory;
  const std::string contents = NewContents();
  // A new file.
  ASSERT_TRUE(WriteInPieces(memory, kTarget, contents).ok());
  EXPECT_EQ(memory.FileContents(kTarget), contents);
  // Replacing a longer file leaves nothing of it.
  ASSERT_TRUE(WriteFileAtomically(memory, kTarget, kOld).ok());
  EXPECT_EQ(memory.FileContents(kTarget), kOld);
  // An empty file is a file too.
  ASSERT_TRUE(WriteFileAtomically(memory, kTarget, "").ok());
  EXPECT_TRUE(memory.FileExists(kTarget));
  EXPECT_EQ(memory.FileContents(kTarget), "");
  EXPECT_EQ(memory.FileNames(), std::vector<std::string>{kTarget});
  EXPECT_EQ(ReadWholeFile(memory, kTarget), "");
  EXPECT_EQ(ReadWholeFile(memory, "/data/missing"), std::nullopt);

  // On the real file system, too: bytes as given, no temporary file left.
  TempDataDir dir;
  const std::string path = dir.file("Pr\xFC"
                                    "fung.TXT");
  ASSERT_TRUE(WriteFileAtomically(PosixFileIo(), path, contents).ok());
  ASSERT_TRUE(WriteFileAtomically(PosixFileIo(), path, kOld).ok());
  EXPECT_EQ(ReadWholeFile(PosixFileIo(), path), kOld);
  EXPECT_FALSE(std::filesystem::exists(TemporaryFileFor(path)));
  const FileWriteResult missingFolder =
      WriteFileAtomically(PosixFileIo(), dir.file("no-such-folder/x.TXT"), kOld);
  EXPECT_EQ(missingFolder.step(), FileWriteStep::kCreate);
  EXPECT_EQ(missingFolder.osError(), ENOENT);
}

TEST(AtomicFileWriter, DroppedOrSecondWriterLeavesTheTargetAlone) {
  MemoryFileIo memory;
  memory.SetFile(kTarget, kOld);
  {
    AtomicFileWriter out(memory);
    ASSERT_TRUE(out.Open(kTarget).ok());
    out.Write("half a file");
    // A second writer of the same file meets the first one's lock.
    AtomicFileWriter second(memory);
    const FileWriteResult r = second.Open(kTarget);
    EXPECT_EQ(r.step(), FileWriteStep::kCreate);
    EXPECT_EQ(r.osError(), EWOULDBLOCK);
    EXPECT_EQ(OsErrorCauseText(r.osError()), "Die Datei wird von einem anderen Programm benutzt.");
    // The first one is destroyed without Commit.
  }
  EXPECT_EQ(memory.FileContents(kTarget), kOld);
  EXPECT_EQ(memory.FileNames(), std::vector<std::string>{kTarget});

  AtomicFileWriter out(memory);
  ASSERT_TRUE(out.Open(kTarget).ok());
  out.Write("dropped");
  out.Discard();
  EXPECT_FALSE(out.IsOpen());
  EXPECT_EQ(out.Commit().step(), FileWriteStep::kCreate); // nothing open to commit
  EXPECT_EQ(memory.FileContents(kTarget), kOld);
  EXPECT_EQ(memory.FileNames(), std::vector<std::string>{kTarget});
}

TEST(AtomicFileWriter, DeviceIsWrittenInPlace) {
  MemoryFileIo memory;
  memory.SetFile(kTarget, "");
  DeviceTarget device(memory);
  ASSERT_TRUE(WriteFileAtomically(device, kTarget, kOld).ok());
  EXPECT_EQ(memory.FileContents(kTarget), kOld);
  EXPECT_EQ(device.renames, 0);
  EXPECT_EQ(memory.FileNames(), std::vector<std::string>{kTarget});
}

// Every file call of a write fails in turn, once, with a full disk: the write reports the
// step and the cause, the target is the old file (or still missing) unless the rename was
// done, and no temporary file is left.
TEST(AtomicFileWriter, EachFailingCallLeavesTheOldFileAndNamesTheCause) {
  const std::string contents = NewContents();
  for (const bool existed : {true, false}) {
    SCOPED_TRACE(existed ? "replacing a file" : "creating a file");
    std::set<FileWriteStep> stepsMet;
    long calls = 0;
    for (long n = 1;; ++n) {
      SCOPED_TRACE("failing call " + std::to_string(n));
      MemoryFileIo memory;
      if (existed)
        memory.SetFile(kTarget, kOld);
      CallFaultFileIo io(memory);
      io.FailAt(n, CallFaultFileIo::Fault::kOnce, ENOSPC);
      const FileWriteResult r = WriteInPieces(io, kTarget, contents);
      if (!io.reached()) {
        // The run got through without meeting call n: every call has failed once.
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(memory.FileContents(kTarget), contents);
        calls = n - 1;
        break;
      }
      ASSERT_FALSE(r.ok());
      stepsMet.insert(r.step());
      EXPECT_EQ(r.osError(), ENOSPC);
      EXPECT_EQ(OsErrorCauseText(r.osError()), "Der Datenträger ist voll.");
      EXPECT_FALSE(memory.FileExists(TemporaryFileFor(kTarget)));
      if (r.replaced()) {
        EXPECT_EQ(r.step(), FileWriteStep::kSyncDirectory);
        EXPECT_EQ(memory.FileContents(kTarget), contents);
      } else if (existed) {
        EXPECT_EQ(memory.FileContents(kTarget), kOld);
      } else {
        EXPECT_FALSE(memory.FileExists(kTarget));
      }
    }
    EXPECT_GT(calls, 7); // create, several writes, sync, close, rename, directory sync
    EXPECT_EQ(stepsMet,
              (std::set<FileWriteStep>{FileWriteStep::kCreate, FileWriteStep::kWrite,
                                       FileWriteStep::kSync, FileWriteStep::kClose,
                                       FileWriteStep::kRename, FileWriteStep::kSyncDirectory}));
  }
}

// The process dies after each changing call in turn, and a power loss follows (everything
// unsynced lost, or an arbitrary part of it): the target is the old file or the new one,
// whole; a later write succeeds.
TEST(AtomicFileWriter, CrashAtEveryPointLeavesTheOldOrTheNewFile) {
  const std::string contents = NewContents();
  int sawOld = 0;
  int sawNew = 0;
  // Whether the run met its death (after `n` changing calls) before it was through.
  auto crashAfter = [&](long n, MemoryFileIo::Loss loss, unsigned seed) {
    SCOPED_TRACE("death after call " + std::to_string(n) + ", seed " + std::to_string(seed));
    MemoryFileIo memory;
    memory.SetFile(kTarget, kOld);
    memory.TrackDirectoryChanges(true);
    DyingFileIo io(memory);
    io.DieAfter(n);
    const FileWriteResult r = WriteInPieces(io, kTarget, contents);
    memory.Crash(loss, seed);
    const std::string after = memory.FileContents(kTarget);
    EXPECT_TRUE(after == kOld || after == contents) << after.size() << " bytes";
    if (r.ok()) {
      EXPECT_EQ(after, contents); // what was reported as written survives
    }
    sawOld += after == kOld;
    sawNew += after == contents;
    EXPECT_TRUE(WriteFileAtomically(memory, kTarget, "next").ok());
    EXPECT_EQ(memory.FileContents(kTarget), "next");
    return io.dead();
  };
  for (const MemoryFileIo::Loss loss :
       {MemoryFileIo::Loss::kUnsynced, MemoryFileIo::Loss::kSome, MemoryFileIo::Loss::kNone}) {
    bool died = true;
    for (long n = 0; died; ++n) {
      died = false;
      for (unsigned seed = 0; seed < 4; ++seed)
        died = crashAfter(n, loss, seed) || died;
    }
  }
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);
}

} // namespace
} // namespace tarvik::test
