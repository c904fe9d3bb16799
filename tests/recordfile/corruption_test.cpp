// Damaged files: truncation, bytes overwritten in pages and records, wrong counts, cycles.
// The engine answers with an error or a repair, never a crash or a hang, and the integrity
// check names every damage.

#include <gtest/gtest.h>

#include <random>

#include "recordfile/integrity_check.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

constexpr const char* kName = "DAMAGED";
constexpr int kRecords = 400;

class Corruption : public EngineTest {
protected:
  void SetUp() override {
    EngineTest::SetUp();
    io_ = &UseMemoryFiles(16);
    Fileblock* fb = OpenTest(kName);
    for (int i = 1; i <= kRecords; ++i) {
      const std::string name =
          std::string(1 + i % 40, static_cast<char>('A' + i % 23)) + std::to_string(i);
      ASSERT_EQ(AddRecord(fb, {0, name, i % 9, "C" + std::to_string(i)}), 0);
    }
    for (int rec = 10; rec <= kRecords; rec += 37) {
      ASSERT_EQ(fb->ReadRecord(rec), 0);
      ASSERT_EQ(fb->Delete(kDeleteNoPosition), 0);
    }
    ASSERT_EQ(fb->Close(), 0);
    Destroy(fb);
    dat_ = io_->FileContents(Base() + ".DAT");
    ix_ = io_->FileContents(Base() + ".IX");
    ASSERT_TRUE(CheckFileblockFiles(*io_, Base()).ok());
  }

public:
  std::string Base() const { return dir_.path() + kName; }

  /// Byte offset of page `page` of key `key` in the index file.
  std::size_t PageAt(int key, int page) const {
    std::size_t offset = 0;
    std::size_t rowLen = 0;
    for (int k = 1; k <= 4; ++k) {
      const auto bytes =
          static_cast<std::size_t>(format::LoadI32(ix_.data() + rowLen + format::kKhPageBytes));
      if (k < key)
        offset += bytes;
      rowLen += bytes;
    }
    return static_cast<std::size_t>(page) * rowLen + offset;
  }
  std::int32_t RootOf(int key) const {
    return format::LoadI32(ix_.data() + PageAt(key, 0) + format::kKhRootPage);
  }
  std::size_t KeyHeaderAt(int key) const { return PageAt(key, 0); }

protected:
  /// Runs a fixed mix of operations on the damaged files: nothing may crash or hang.
  /// Returns the severities seen. Walks are bounded by the number of records.
  std::vector<int> Exercise() {
    std::vector<int> severities;
    Fileblock* fb = OpenTest(kName);
    for (int key = 1; key <= 4; ++key) {
      int steps = 0;
      int s = fb->FirstKey(key);
      severities.push_back(s);
      while (s == 0 && ++steps <= 2 * kRecords)
        s = fb->NextKey(key);
      EXPECT_LE(steps, kRecords + 1) << "walk of key " << key << " does not end";
      severities.push_back(s);
      s = fb->LastKey(key);
      steps = 0;
      while (s == 0 && ++steps <= 2 * kRecords)
        s = fb->PrevKey(key);
      severities.push_back(s);
    }
    severities.push_back(fb->FindKey(4, "C123"));
    severities.push_back(AddRecord(fb, {0, "NEW", 1, "NEWCODE"}));
    if (fb->FindKey(4, "C200") == 0)
      severities.push_back(fb->Delete(kDeleteThenNext));
    std::int32_t n = 0;
    severities.push_back(fb->UsedRecords(&n));
    severities.push_back(fb->Close());
    Destroy(fb);
    return severities;
  }

  /// After damage and whatever errors it caused, the fileblock must work again: every
  /// operation succeeds and the files check clean.
  void ExpectUsableAgain() {
    Fileblock* fb = OpenTest(kName);
    for (int key = 1; key <= 4; ++key) {
      int s = fb->FirstKey(key);
      int steps = 0;
      while (s == 0 && ++steps <= 2 * kRecords)
        s = fb->NextKey(key);
      EXPECT_EQ(s, 1) << "key " << key << " error " << LastError();
    }
    EXPECT_EQ(AddRecord(fb, {0, "AFTER", 1, "AFTERCODE"}), 0) << LastError();
    EXPECT_EQ(fb->Close(), 0);
    Destroy(fb);
  }

  void Restart() {
    StopEngine();
    StartEngine(io_, 16);
  }

  MemoryFileIo* io_ = nullptr;
  std::string dat_;
  std::string ix_;
};

struct Damage {
  const char* what;
  const char* reported; // part of the check's problem text
  std::function<void(Corruption&, std::string& dat, std::string& ix)> apply;
};

class NamedDamage : public Corruption, public ::testing::WithParamInterface<int> {};

const std::vector<Damage>& Damages() {
  using format::StoreI32;
  using format::StoreU16;
  static const std::vector<Damage> damages = {
      {"item count above 62", "items, outside 1..62",
       [](Corruption& c, std::string&, std::string& ix) {
         StoreU16(ix.data() + c.PageAt(2, c.RootOf(2)), 63);
       }},
      {"child page beyond the file", "outside 1..",
       [](Corruption& c, std::string&, std::string& ix) {
         StoreI32(ix.data() + c.PageAt(3, c.RootOf(3)) + format::kPgLeftPage, 9999);
       }},
      {"key length byte beyond its capacity", "key length 60 above 50",
       [](Corruption& c, std::string&, std::string& ix) {
         ix[c.PageAt(2, c.RootOf(2)) + 6 + format::kItKey] = 60;
       }},
      {"page chain cycle", "reached a second time",
       [](Corruption& c, std::string&, std::string& ix) {
         const std::size_t root = c.PageAt(1, c.RootOf(1));
         StoreI32(ix.data() + root + 6 + format::kItPageRef, c.RootOf(1));
       }},
      {"items out of order", "out of order",
       [](Corruption& c, std::string&, std::string& ix) {
         const std::size_t page = c.PageAt(4, c.RootOf(4)) + 6;
         const int size = 12 + 9;
         std::string first = ix.substr(page, static_cast<std::size_t>(size));
         ix.replace(page, static_cast<std::size_t>(size),
                    ix.substr(page + size, static_cast<std::size_t>(size)));
         ix.replace(page + size, static_cast<std::size_t>(size), first);
       }},
      {"wrong KeyCount", "KeyCount is",
       [](Corruption& c, std::string&, std::string& ix) {
         StoreI32(ix.data() + c.KeyHeaderAt(2) + format::kKhKeyCount, 7);
       }},
      {"index truncated", "page rows",
       [](Corruption&, std::string&, std::string& ix) { ix.resize(ix.size() / 2); }},
      {"free page chain cycle", "free page chain",
       [](Corruption& c, std::string&, std::string& ix) {
         StoreI32(ix.data() + c.KeyHeaderAt(2) + format::kKhFirstFreePage, 1);
         StoreI32(ix.data() + c.KeyHeaderAt(2) + format::kKhNumberFreePages, 1);
         StoreI32(ix.data() + c.PageAt(2, 1), 1);
       }},
      {"data free chain cycle", "a second time",
       [](Corruption&, std::string& dat, std::string&) {
         // FirstFree is record 380 (the last deleted); make the chain's end point back to it.
         const std::int32_t first = format::LoadI32(dat.data());
         std::int32_t r = first;
         while (format::LoadI32(dat.data() + r * kTestRecLen) != -1)
           r = format::LoadI32(dat.data() + r * kTestRecLen);
         StoreI32(dat.data() + r * kTestRecLen, first);
       }},
      {"live record in the free chain", "live record",
       [](Corruption&, std::string& dat, std::string&) { StoreI32(dat.data(), 1); }},
      {"wrong NumberFree", "NumberFree",
       [](Corruption&, std::string& dat, std::string&) { StoreI32(dat.data() + 4, 3); }},
      {"data file truncated mid-record", "is not (NumRec + 1) * RecLen",
       [](Corruption&, std::string& dat, std::string&) {
         dat.resize(dat.size() - kTestRecLen / 2);
       }},
      {"entry names a deleted record", "which is not live",
       [](Corruption&, std::string& dat, std::string&) {
         // Record 5 is marked deleted without leaving the index.
         const std::int32_t first = format::LoadI32(dat.data());
         StoreI32(dat.data() + 5 * kTestRecLen, first);
         StoreI32(dat.data(), 5);
         StoreI32(dat.data() + 4, format::LoadI32(dat.data() + 4) + 1);
       }},
  };
  return damages;
}

TEST_P(NamedDamage, IsReportedAndNeverCrashes) {
  const Damage& damage = Damages()[static_cast<std::size_t>(GetParam())];
  SCOPED_TRACE(damage.what);
  std::string dat = dat_;
  std::string ix = ix_;
  damage.apply(*this, dat, ix);
  io_->SetFile(Base() + ".DAT", dat);
  io_->SetFile(Base() + ".IX", ix);

  const CheckReport report = CheckFileblockFiles(*io_, Base());
  EXPECT_FALSE(report.ok());
  bool named = false;
  for (const std::string& p : report.problems)
    named = named || p.find(damage.reported) != std::string::npos;
  EXPECT_TRUE(named) << "expected a problem containing \"" << damage.reported << "\"";

  Restart();
  Exercise();
  Restart();
  ExpectUsableAgain();
}

INSTANTIATE_TEST_SUITE_P(Damages, NamedDamage,
                         ::testing::Range(0, static_cast<int>(Damages().size())),
                         [](const auto& info) {
                           std::string name = Damages()[static_cast<std::size_t>(info.param)].what;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch)))
                               ch = '_';
                           }
                           return name;
                         });

TEST_F(Corruption, RandomBytesNeverCrash) {
  std::mt19937 rng(11);
  for (int round = 0; round < 60; ++round) {
    std::string dat = dat_;
    std::string ix = ix_;
    std::string& target = round % 3 == 0 ? dat : ix;
    const int damages = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < damages; ++i) {
      const std::size_t at = rng() % target.size();
      target[at] = static_cast<char>(rng());
    }
    if (round % 10 == 9)
      target.resize(rng() % target.size());
    io_->SetFile(Base() + ".DAT", dat);
    io_->SetFile(Base() + ".IX", ix);
    Restart();
    Exercise();
    (void)CheckFileblockFiles(*io_, Base());
    if (HasFailure()) {
      ADD_FAILURE() << "round " << round;
      return;
    }
  }
}

} // namespace
} // namespace tarvik::test
