#pragma once
// Shared set-up for the storage engine tests: an engine per test (on the POSIX file
// system in a temporary data directory, or on an in-memory one), a small record layout
// with four keys, and helpers to read the channel.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/fileblock.h"
#include "recordfile/format.h"
#include "recordfile/key_codec.h"
#include "recordfile/memory_file_io.h"
#include "support/temp_dir.h"

namespace tarvik::test {

// The test layout (80 bytes):
//   0 status | 4 i32 number (key 1, unique, auto) | 8 str[50] name (key 2, duplicates)
//   59 i32 value (key 3 = Long4, duplicates) | 63 str[12] code (key 4, unique) | 76 pad
inline constexpr int kTestRecLen = 80;
inline constexpr int kNumberAt = 4;
inline constexpr int kNameAt = 8;
inline constexpr int kValueAt = 59;
inline constexpr int kCodeAt = 63;

inline std::string ShortString(const char* at, int capacity) {
  const int len = std::min<int>(static_cast<unsigned char>(at[0]), capacity);
  return std::string(at + 1, static_cast<std::size_t>(len));
}

inline void PutShortString(char* at, int capacity, const std::string& s) {
  const int len = std::min<int>(static_cast<int>(s.size()), capacity);
  at[0] = static_cast<char>(len);
  std::memcpy(at + 1, s.data(), static_cast<std::size_t>(len));
  std::memset(at + 1 + len, 0, static_cast<std::size_t>(capacity - len));
}

inline std::string TestKey(const char* rec, int key) {
  switch (key) {
  case 1:
    return NumKey5(format::LoadI32(rec + kNumberAt));
  case 2:
    return ShortString(rec + kNameAt, 50);
  case 3:
    return Long4(format::LoadI32(rec + kValueAt));
  case 4:
    return ShortString(rec + kCodeAt, 13); // 13: lets a test build an over-long key
  default:
    return std::string();
  }
}

struct TestRecord {
  std::int32_t number = 0;
  std::string name;
  std::int32_t value = 0;
  std::string code;

  void Store(char* rec) const {
    std::memset(rec, 0, kTestRecLen);
    format::StoreI32(rec + kNumberAt, number);
    PutShortString(rec + kNameAt, 50, name);
    format::StoreI32(rec + kValueAt, value);
    PutShortString(rec + kCodeAt, 12, code);
  }
  static TestRecord Load(const char* rec) {
    return {format::LoadI32(rec + kNumberAt), ShortString(rec + kNameAt, 50),
            format::LoadI32(rec + kValueAt), ShortString(rec + kCodeAt, 12)};
  }
  bool operator==(const TestRecord&) const = default;
};

/// An engine for one test; every fileblock it creates is destroyed at the end.
class EngineTest : public ::testing::Test {
protected:
  void SetUp() override { StartEngine(); }
  void TearDown() override { StopEngine(); }

  /// `io` nullptr: the POSIX file system in the temporary data directory.
  void StartEngine(FileIo* io = nullptr, int buffers = 160, int budget = 32) {
    ErrorChannel& ch = RecordFileErrors();
    ch.SetQuestion(question_);
    ch.SetWaitFunction([this](int ms) { waited_.push_back(ms); });
    ch.SetRandomFunction([](int n) { return n; });
    ASSERT_EQ(InitEngine(buffers, budget, io), 0);
  }

  /// Restarts the engine on an in-memory file system owned by the test.
  MemoryFileIo& UseMemoryFiles(int buffers = 160) {
    StopEngine();
    memory_ = std::make_unique<MemoryFileIo>();
    StartEngine(memory_.get(), buffers);
    return *memory_;
  }

  void StopEngine() {
    for (Fileblock* fb : created_) {
      if (fb != nullptr)
        (void)DestroyFileblock(fb); // a test may have broken the files: its checks decide
    }
    created_.clear();
    if (EngineRunning()) {
      EXPECT_EQ(ExitEngine(), 0);
    }
    RecordFileErrors().SetWaitFunction(nullptr);
    RecordFileErrors().SetRandomFunction(nullptr);
  }

  /// Creates and defines the test fileblock `name` (4 keys, key 1 auto-numbered).
  Fileblock* OpenTest(const std::string& name, bool flush = false) {
    FileblockParams params;
    params.name = name;
    params.fileName = name;
    params.recordLength = kTestRecLen;
    params.numKeys = 4;
    params.keyBuilder = TestKey;
    Fileblock* fb = CreateFileblock(params);
    EXPECT_NE(fb, nullptr);
    EXPECT_EQ(fb->DefineKey(1, 5, false), 0);
    EXPECT_EQ(fb->DefineKey(2, 50, true), 0);
    EXPECT_EQ(fb->DefineKey(3, 4, true), 0);
    EXPECT_EQ(fb->DefineKey(4, 12, false), 0);
    EXPECT_EQ(fb->DefineAutoNumber(1, kNumberAt), 0);
    EXPECT_EQ(fb->SetFlushAfterChange(flush), 0);
    created_.push_back(fb);
    return fb;
  }

  void Destroy(Fileblock* fb) {
    std::replace(created_.begin(), created_.end(), fb, static_cast<Fileblock*>(nullptr));
    (void)DestroyFileblock(fb); // a test may have broken the files: its checks decide
  }

  /// Stores `r` into the buffer and adds it; returns the severity.
  int AddRecord(Fileblock* fb, const TestRecord& r) {
    r.Store(fb->RecordBuffer());
    return fb->Add();
  }

  TestRecord Current(Fileblock* fb) { return TestRecord::Load(fb->RecordBuffer()); }

  static int LastError() {
    const auto& e = RecordFileErrors().Entries();
    return e.empty() ? 0 : e.back().code;
  }
  static int FirstError() {
    const auto& e = RecordFileErrors().Entries();
    return e.empty() ? 0 : e.front().code;
  }

  TempDataDir dir_;
  std::unique_ptr<MemoryFileIo> memory_;
  std::vector<Fileblock*> created_;
  std::vector<int> waited_;
  QuestionCallback question_; // installed by StartEngine
};

} // namespace tarvik::test
