// A repair interrupted at any point: every file call of it fails once in turn, or the
// process dies at it followed by a power loss (unsynced data and unsynced directory changes
// dropped). A fresh engine then opens what is left; every live record must be there exactly
// once with its bytes, the one the repair removes (a duplicate key) must be in the report,
// the index must agree with the data, and no file left over may block or change a later
// open. The states an interrupted repair (or an older version) leaves are
// also built by hand, each with what must be kept.

#include <gtest/gtest.h>

#include <map>

#include "recordfile/integrity_check.h"
#include "support/call_fault_file_io.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

constexpr const char* kName = "REPCRASH";
constexpr int kVarSection = 40;
constexpr int kVarBuffer = 120;

enum class Layout { kFixed, kVariable };

class RepairInterrupted : public EngineTest, public ::testing::WithParamInterface<Layout> {
protected:
  /// The records by their unique key: whole record bytes as the engine hands them out.
  using Records = std::map<std::string, std::string>;

  void SetUp() override {
    EngineTest::SetUp();
    StopEngine();
    MemoryFileIo& build = build_;
    StartEngine(&build);
    Fileblock* fb = OpenLayout();
    for (int i = 1; i <= 36; ++i)
      ASSERT_EQ(AddNumbered(fb, i), 0) << i;
    // Deleted records, and a changed one, so that the reorganisation has work to do.
    for (int i = 4; i <= 36; i += 6) {
      ASSERT_EQ(fb->FindKey(UniqueKey(), Tag(i)), 0);
      ASSERT_EQ(fb->Delete(kDeleteNoPosition), 0);
    }
    ASSERT_EQ(fb->FindKey(UniqueKey(), Tag(5)), 0);
    fb->RecordBuffer()[Variable() ? 20 : kNameAt + 1] ^= 0x20;
    ASSERT_EQ(fb->Update(), 0);
    expected_ = Walk(fb);
    ASSERT_EQ(expected_.size(), 30u);
    ASSERT_EQ(fb->Close(), 0);
    StopEngine();
    for (const std::string& name : build.FileNames())
      files_[name] = build.FileContents(name);
    // A crash left the files unflushed: the next open repairs them.
    files_[Base() + ".DAT"][format::kHdrInUse] = 1;

    // The same files with the unique key of record T1002 changed behind the engine's back
    // into that of T1001: the repair removes it from the data file, into the report.
    duplicateFiles_ = files_;
    std::string& dat = duplicateFiles_[Base() + ".DAT"];
    const std::size_t slot = Variable() ? kVarSection : kTestRecLen;
    const std::size_t tagAt = Variable() ? 8 : kCodeAt + 1;
    std::size_t patched = 0;
    for (std::size_t at = slot; at + slot <= dat.size(); at += slot) {
      if (format::LoadI32(dat.data() + at) == 0 && dat.compare(at + tagAt, 5, Tag(2)) == 0) {
        dat.replace(at + tagAt, 5, Tag(1));
        ++patched;
      }
    }
    ASSERT_EQ(patched, 1u);
    withoutDuplicate_ = expected_;
    withoutDuplicate_.erase(Tag(2));
  }

  bool Variable() const { return GetParam() == Layout::kVariable; }
  int UniqueKey() const { return Variable() ? 1 : 4; }
  int Keys() const { return Variable() ? 2 : 4; }
  std::string Base() const { return dir_.path() + kName; }
  static std::string Tag(int i) { return "T" + std::to_string(1000 + i); }

  Fileblock* OpenLayout() {
    if (!Variable())
      return OpenTest(kName);
    FileblockParams params;
    params.name = kName;
    params.fileName = kName;
    params.variable = true;
    params.recordLength = kVarSection;
    params.bufferSize = kVarBuffer;
    params.numKeys = 2;
    params.keyBuilder = [](const char* rec, int key) {
      return key == 1 ? std::string(rec + 8, 5) : std::string(rec + 13, 3);
    };
    Fileblock* fb = CreateFileblock(params);
    EXPECT_NE(fb, nullptr);
    EXPECT_EQ(fb->DefineKey(1, 5, false), 0);
    EXPECT_EQ(fb->DefineKey(2, 3, true), 0);
    created_.push_back(fb);
    return fb;
  }

  int AddNumbered(Fileblock* fb, int i) {
    if (!Variable()) {
      return AddRecord(
          fb, {0, std::string(1 + i % 30, static_cast<char>('A' + i % 26)), i % 5, Tag(i)});
    }
    // Records of 1 to 3 sections.
    std::memset(fb->RecordBuffer(), 0, kVarBuffer);
    std::memcpy(fb->RecordBuffer() + 8, Tag(i).data(), 5);
    std::memset(fb->RecordBuffer() + 13, 'a' + i % 26, static_cast<std::size_t>(3 + (i * 13) % 95));
    return fb->Add();
  }

  std::string Bytes(Fileblock* fb) const {
    return std::string(fb->RecordBuffer(), Variable() ? kVarBuffer : kTestRecLen);
  }

  Records Walk(Fileblock* fb) {
    Records records;
    for (int s = fb->FirstKey(UniqueKey()); s == 0; s = fb->NextKey(UniqueKey())) {
      std::string key;
      EXPECT_EQ(fb->BuildKey(UniqueKey(), &key), 0);
      EXPECT_TRUE(records.emplace(key, Bytes(fb)).second) << "key " << key << " twice";
    }
    return records;
  }

  /// A new in-memory file system holding the files as they were before the repair.
  std::unique_ptr<MemoryFileIo> Fresh(const std::map<std::string, std::string>& files) {
    auto memory = std::make_unique<MemoryFileIo>();
    for (const auto& [name, bytes] : files)
      memory->SetFile(name, bytes);
    memory->TrackDirectoryChanges(true);
    return memory;
  }

  /// Opens what is left with a fresh engine and checks it against `expected`.
  void Verify(MemoryFileIo& memory, const Records& expected, const std::string& context) {
    SCOPED_TRACE(context);
    StartEngine(&memory);
    Fileblock* fb = OpenLayout();
    ASSERT_EQ(fb->EnsureOpen(), 0) << LastError();
    EXPECT_EQ(Walk(fb), expected);
    for (int key = 1; key <= Keys(); ++key) {
      std::int32_t count = 0;
      ASSERT_EQ(fb->KeyCount(key, &count), 0);
      EXPECT_EQ(count, static_cast<std::int32_t>(expected.size())) << "key " << key;
    }
    if (!Variable()) {
      std::int32_t used = 0;
      ASSERT_EQ(fb->UsedRecords(&used), 0);
      EXPECT_EQ(used, static_cast<std::int32_t>(expected.size()));
    }
    ASSERT_EQ(fb->Close(), 0);
    StopEngine();
    const CheckReport report = CheckFileblockFiles(memory, Base());
    for (const std::string& p : report.problems)
      ADD_FAILURE() << p;
    for (const char* ext : {".SAV", ".TMP"})
      EXPECT_FALSE(memory.FileExists(Base() + ext)) << ext;
    // A later open finds clean files: no repair, nothing changed.
    const auto before = memory.FileNames();
    std::vector<int> reasons;
    question_ = [&](const std::string&, int reason) {
      reasons.push_back(reason);
      return true;
    };
    StartEngine(&memory);
    fb = OpenLayout();
    EXPECT_EQ(fb->EnsureOpen(), 0);
    EXPECT_TRUE(reasons.empty());
    StopEngine();
    question_ = nullptr;
    EXPECT_EQ(memory.FileNames(), before);
  }

  /// Runs the repair with the n-th file call failing, for n = 1, 2, ... until a repair does
  /// not reach n, and checks what is left after each.
  void InterruptAtEveryCall(CallFaultFileIo::Fault fault) {
    long n = 1;
    for (;; ++n) {
      auto memory = Fresh(duplicateFiles_);
      CallFaultFileIo faulty(*memory);
      StartEngine(&faulty);
      Fileblock* fb = OpenLayout();
      faulty.FailAt(n, fault);
      const int severity = fb->EnsureOpen();
      const bool reached = faulty.reached();
      if (fault == CallFaultFileIo::Fault::kForever) {
        memory->Crash(n % 2 == 0 ? MemoryFileIo::Loss::kUnsynced : MemoryFileIo::Loss::kSome,
                      static_cast<unsigned>(n));
      }
      StopEngine();
      Verify(*memory, withoutDuplicate_, "call " + std::to_string(n));
      // The record the repair removed is in the report, however the repair was cut short.
      EXPECT_NE(memory->FileContents(Base() + ".MSG")
                    .find("Key:<" + Tag(1) + "> KeyNr: " + std::to_string(UniqueKey()) + " Ref: "),
                std::string::npos)
          << "call " << n;
      if (HasFailure())
        return;
      if (!reached) {
        EXPECT_EQ(severity, 0);
        break;
      }
    }
    EXPECT_GT(n, 40) << "the repair made fewer file calls than records";
  }

  MemoryFileIo build_;
  std::map<std::string, std::string> files_;
  Records expected_;
  std::map<std::string, std::string> duplicateFiles_;
  Records withoutDuplicate_;
};

TEST_P(RepairInterrupted, FailingCallAtEveryPoint) {
  InterruptAtEveryCall(CallFaultFileIo::Fault::kOnce);
}

TEST_P(RepairInterrupted, ProcessDeathAndPowerLossAtEveryPoint) {
  InterruptAtEveryCall(CallFaultFileIo::Fault::kForever);
}

/// The states left behind, built by hand from the files before and after a repair.
TEST_P(RepairInterrupted, LeftoverStatesKeepTheCompleteData) {
  // The compacted data file as a finished reorganisation writes it.
  std::string compacted;
  {
    auto memory = Fresh(files_);
    StartEngine(memory.get());
    ASSERT_EQ(OpenLayout()->EnsureOpen(), 0);
    StopEngine();
    compacted = memory->FileContents(Base() + ".DAT");
  }
  const std::string old = files_.at(Base() + ".DAT");
  const std::size_t slot = Variable() ? kVarSection : kTestRecLen;
  // The copy with one more record, of one slot, that the old file does not hold.
  std::string record(slot, '\0');
  std::memcpy(record.data() + 8, "T9999", 5);
  if (Variable())
    format::StoreU16(record.data() + slot - 6, 20);
  std::string extra = compacted + record;
  format::StoreI32(extra.data() + format::kHdrNumRec,
                   static_cast<std::int32_t>(extra.size() / slot - 1));

  struct State {
    const char* what;
    std::map<std::string, std::string> files; // by extension; "" removes
    const char* note;                         // expected in the ".MSG" report
    const char* keptAside;                    // extension of a copy set aside, or nullptr
  };
  const State states[] = {
      {"complete copy beside the old file",
       {{".SAV", old}, {".DAT", compacted}},
       "holds exactly the 30 records of REPCRASH.SAV; kept the complete copy REPCRASH.DAT, "
       "removed REPCRASH.SAV",
       nullptr},
      {"partial copy of an older version beside the old file",
       {{".SAV", old}, {".DAT", compacted.substr(0, slot * 11)}},
       "in REPCRASH.SAV (a partial copy); kept REPCRASH.SAV as the data file",
       nullptr},
      {"empty new file beside the old file",
       {{".SAV", old}, {".DAT", compacted.substr(0, slot)}},
       "REPCRASH.DAT holds 0 records of 30 in REPCRASH.SAV",
       nullptr},
      {"a copy with a record the old file lacks",
       {{".SAV", old}, {".DAT", extra}},
       "REPCRASH.DAT holds records that REPCRASH.SAV lacks; kept REPCRASH.SAV as the data file, "
       "REPCRASH.DAT set aside as REPCRASH.K01",
       ".K01"},
      {"only the old file, the copy unrenamed",
       {{".SAV", old}, {".DAT", ""}, {".TMP", compacted}},
       "found REPCRASH.SAV without REPCRASH.DAT; kept REPCRASH.SAV as the data file",
       nullptr},
      {"an unfinished copy beside the data file",
       {{".TMP", compacted.substr(0, slot * 5)}},
       "removed the unfinished copy REPCRASH.TMP",
       nullptr},
      {"only the copy",
       {{".DAT", ""}, {".TMP", compacted}},
       "found REPCRASH.TMP without REPCRASH.DAT; kept REPCRASH.TMP as the data file",
       nullptr},
  };
  for (const State& state : states) {
    std::map<std::string, std::string> files = files_;
    for (const auto& [ext, bytes] : state.files) {
      if (bytes.empty()) {
        files.erase(Base() + ext);
      } else {
        files[Base() + ext] = bytes;
      }
    }
    auto memory = Fresh(files);
    Verify(*memory, expected_, state.what);
    const std::string report = memory->FileContents(Base() + ".MSG");
    EXPECT_NE(report.find(state.note), std::string::npos) << state.what << ":\n" << report;
    EXPECT_TRUE(report.ends_with("\r\n")) << state.what;
    if (state.keptAside != nullptr) {
      EXPECT_EQ(memory->FileContents(Base() + state.keptAside), extra) << state.what;
    }
    for (const char* ext : {".K01", ".K02"}) {
      if (state.keptAside == nullptr || std::string(ext) != state.keptAside) {
        EXPECT_FALSE(memory->FileExists(Base() + ext)) << state.what << " " << ext;
      }
    }
    if (HasFailure())
      return;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, RepairInterrupted,
                         ::testing::Values(Layout::kFixed, Layout::kVariable),
                         [](const ::testing::TestParamInfo<Layout>& info) {
                           return info.param == Layout::kFixed ? "Fixed" : "Variable";
                         });

} // namespace
} // namespace tarvik::test
