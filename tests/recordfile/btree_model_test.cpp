// Model-based randomized test: thousands of random adds, updates, deletes, searches and
// walks on a fileblock, interleaved with closing and reopening, each checked against an
// in-memory model of the records and of every key (ordered (key, record) sets, which is
// what a std::multimap ordered by record number among equal keys amounts to).

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>
#include <set>

#include "recordfile/integrity_check.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

using Entry = std::pair<std::string, std::int32_t>;

struct EntryLess {
  bool operator()(const Entry& a, const Entry& b) const {
    const int c = CompareKeys(a.first, b.first);
    return c != 0 ? c < 0 : a.second < b.second;
  }
};

struct Model {
  std::map<std::int32_t, TestRecord> live;
  std::vector<std::int32_t> freeChain; // back() is FirstFree
  std::int32_t numRec = 0;
  std::set<Entry, EntryLess> keys[5];

  std::int32_t NextRecord() const { return freeChain.empty() ? numRec + 1 : freeChain.back(); }
  std::int32_t NextNumber() const {
    std::int32_t highest = 0;
    for (const auto& [rec, r] : live)
      highest = std::max(highest, r.number);
    return highest + 1;
  }
  bool CodeTaken(const std::string& code, std::int32_t except) const {
    auto it = keys[4].lower_bound({code, INT32_MIN});
    return it != keys[4].end() && it->first == code && it->second != except;
  }
  void Insert(std::int32_t rec, const TestRecord& r) {
    char buf[kTestRecLen];
    r.Store(buf);
    live[rec] = r;
    for (int k = 1; k <= 4; ++k)
      keys[k].insert({TestKey(buf, k), rec});
  }
  void Erase(std::int32_t rec) {
    char buf[kTestRecLen];
    live.at(rec).Store(buf);
    for (int k = 1; k <= 4; ++k)
      keys[k].erase({TestKey(buf, k), rec});
    live.erase(rec);
  }
};

struct ModelParam {
  unsigned seed;
  int buffers;
  bool inMemory;
};

class BTreeModel : public EngineTest, public ::testing::WithParamInterface<ModelParam> {
protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (GetParam().inMemory) {
      UseMemoryFiles(GetParam().buffers);
    } else {
      StopEngine();
      StartEngine(nullptr, GetParam().buffers);
    }
    io_ = GetParam().inMemory ? static_cast<FileIo*>(memory_.get()) : &PosixFileIo();
    rng_.seed(GetParam().seed);
    fb_ = OpenTest("MODEL");
  }

  int Rand(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(int percent) { return Rand(100) < percent; }

  std::string RandomName() {
    if (!model_.live.empty() && Chance(30))
      return RandomLive().second.name;
    switch (Rand(4)) {
    case 0:
      return "";
    case 1:
      return std::string(45, 'A') + RandomText(5); // long keys with a shared start
    case 2:
      return RandomText(50);
    default:
      return RandomText(1 + Rand(12));
    }
  }
  std::string RandomText(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
      s.push_back(static_cast<char>(Chance(10) ? 0xC4 + Rand(40) : 'A' + Rand(26)));
    return s;
  }
  std::string RandomCode() {
    if (!model_.live.empty() && Chance(5))
      return RandomLive().second.code; // a collision
    return RandomText(1 + Rand(12));
  }
  std::pair<std::int32_t, TestRecord> RandomLive() {
    auto it = model_.live.begin();
    std::advance(it, Rand(static_cast<int>(model_.live.size())));
    return *it;
  }

  void DoAdd() {
    TestRecord r{Rand(1000), RandomName(), Rand(20), RandomCode()};
    const bool dup = model_.CodeTaken(r.code, 0);
    const std::int32_t expectedRec = model_.NextRecord();
    const int severity = AddRecord(fb_, r);
    if (dup) {
      ASSERT_EQ(severity, 1);
      ASSERT_EQ(LastError(), 10230);
      return;
    }
    ASSERT_EQ(severity, 0) << LastError();
    ASSERT_EQ(fb_->CurrentRecordNumber(), expectedRec);
    r.number = model_.NextNumber();
    ASSERT_EQ(Current(fb_), r);
    if (model_.freeChain.empty()) {
      ++model_.numRec;
    } else {
      model_.freeChain.pop_back();
    }
    model_.Insert(expectedRec, r);
  }

  void DoUpdate() {
    if (model_.live.empty())
      return;
    auto [rec, old] = RandomLive();
    ASSERT_EQ(fb_->ReadRecord(rec), 0);
    ASSERT_EQ(Current(fb_), old);
    TestRecord r = old;
    if (Chance(60))
      r.name = RandomName();
    if (Chance(40))
      r.value = Rand(20);
    if (Chance(20))
      r.code = RandomCode();
    r.Store(fb_->RecordBuffer());
    const int severity = fb_->Update();
    if (model_.CodeTaken(r.code, rec)) {
      ASSERT_EQ(severity, 1);
      ASSERT_EQ(LastError(), 10230);
      return;
    }
    ASSERT_EQ(severity, 0) << LastError();
    model_.Erase(rec);
    model_.Insert(rec, r);
  }

  void DoDelete() {
    if (model_.live.empty())
      return;
    auto [rec, r] = RandomLive();
    char buf[kTestRecLen];
    r.Store(buf);
    const int key = Chance(50) ? 0 : 1 + Rand(4);
    if (key == 0) {
      ASSERT_EQ(fb_->ReadRecord(rec), 0);
    } else {
      // Read the record through the key: the first equal entry, then on to the record.
      ASSERT_EQ(fb_->FindKey(key, TestKey(buf, key)), 0);
      while (fb_->CurrentRecordNumber() != rec)
        ASSERT_EQ(fb_->NextKey(key), 0);
    }
    const int mode = Chance(50) ? kDeleteNoPosition : kDeleteThenNext;
    const int severity = fb_->Delete(mode);
    const Entry self{key == 0 ? std::string() : TestKey(buf, key), rec};
    model_.Erase(rec);
    model_.freeChain.push_back(rec);
    if (mode == kDeleteNoPosition) {
      ASSERT_EQ(severity, 0);
      ASSERT_EQ(fb_->CurrentRecordNumber(), -1);
      return;
    }
    std::int32_t expected = -1;
    if (key == 0) {
      auto it = model_.live.upper_bound(rec);
      if (it != model_.live.end())
        expected = it->first;
    } else {
      auto it = model_.keys[key].upper_bound(self);
      if (it != model_.keys[key].end())
        expected = it->second;
    }
    ASSERT_EQ(severity, expected == -1 ? 1 : 0);
    ASSERT_EQ(fb_->CurrentRecordNumber(), expected);
  }

  void DoFind() {
    const int key = 1 + Rand(4);
    std::string probe;
    if (!model_.live.empty() && Chance(70)) {
      char buf[kTestRecLen];
      RandomLive().second.Store(buf);
      probe = TestKey(buf, key);
      if (Chance(30) && !probe.empty())
        probe.pop_back(); // a prefix
    } else {
      probe = key == 1 ? NumKey5(Rand(3000)) : RandomText(Rand(4));
    }
    const auto& set = model_.keys[key];
    auto it = set.lower_bound({probe, INT32_MIN});
    const bool search = Chance(50);
    const int severity = search ? fb_->SearchKey(key, probe) : fb_->FindKey(key, probe);
    const bool expectFound = it != set.end() && (search || it->first == probe);
    ASSERT_EQ(severity, expectFound ? 0 : 1);
    if (!expectFound) {
      ASSERT_EQ(LastError(), search ? 10210 : 10200);
      return;
    }
    ASSERT_EQ(fb_->CurrentRecordNumber(), it->second);
    // Walk a few steps either way through the key.
    const bool forward = Chance(50);
    for (int step = 0; step < 1 + Rand(30); ++step) {
      const int sev = forward ? fb_->NextKey(key) : fb_->PrevKey(key);
      if (forward) {
        ++it;
      } else if (it == set.begin()) {
        it = set.end();
      } else {
        --it;
      }
      if (it == set.end()) {
        ASSERT_EQ(sev, 1);
        ASSERT_EQ(LastError(), forward ? 10250 : 10260);
        return;
      }
      ASSERT_EQ(sev, 0);
      ASSERT_EQ(fb_->CurrentRecordNumber(), it->second);
    }
  }

  void DoEntries() {
    const int key = 1 + Rand(4);
    const auto& set = model_.keys[key];
    const Entry from{Rand(3) == 0 ? std::string() : RandomText(1), Rand(50)};
    std::int32_t rec = 0;
    std::string k;
    auto it = set.lower_bound(from);
    const int severity = fb_->FindEntry(key, from.second, 1, from.first, &rec, &k);
    if (it == set.end()) {
      ASSERT_EQ(severity, 1);
      return;
    }
    ASSERT_EQ(severity, 0);
    ASSERT_EQ(Entry(k, rec), *it);
    for (int step = 0; step < 20; ++step) {
      const bool forward = Chance(60);
      const int sev = forward ? fb_->NextEntry(key, &rec, &k) : fb_->PrevEntry(key, &rec, &k);
      auto next = it;
      if (forward) {
        ++next;
      } else if (next != set.begin()) {
        --next;
      } else {
        next = set.end();
      }
      if (next == set.end()) {
        ASSERT_EQ(sev, 1);
        continue; // the position stays
      }
      ASSERT_EQ(sev, 0);
      ASSERT_EQ(Entry(k, rec), *next);
      it = next;
    }
  }

  void VerifyAll() {
    std::int32_t used = 0;
    ASSERT_EQ(fb_->UsedRecords(&used), 0);
    ASSERT_EQ(used, static_cast<std::int32_t>(model_.live.size()));
    for (int key = 1; key <= 4; ++key) {
      std::int32_t count = 0;
      ASSERT_EQ(fb_->KeyCount(key, &count), 0);
      ASSERT_EQ(count, static_cast<std::int32_t>(model_.keys[key].size()));
      auto it = model_.keys[key].begin();
      int severity = fb_->FirstKey(key);
      for (; severity == 0; severity = fb_->NextKey(key), ++it) {
        ASSERT_NE(it, model_.keys[key].end());
        ASSERT_EQ(fb_->CurrentRecordNumber(), it->second);
        ASSERT_EQ(Current(fb_), model_.live.at(it->second));
      }
      ASSERT_EQ(severity, 1);
      ASSERT_EQ(it, model_.keys[key].end());
    }
  }

  CheckReport CheckFiles() {
    EXPECT_EQ(fb_->Close(), 0);
    CheckReport report = CheckFileblockFiles(*io_, dir_.path() + "MODEL");
    for (const std::string& p : report.problems)
      ADD_FAILURE() << p;
    return report;
  }

  void Run(int ops, int addPercent, int deletePercent) {
    for (int i = 0; i < ops; ++i) {
      const int dice = Rand(100);
      if (dice < addPercent) {
        DoAdd();
      } else if (dice < addPercent + deletePercent) {
        DoDelete();
      } else if (dice < addPercent + deletePercent + 10) {
        DoUpdate();
      } else if (dice < addPercent + deletePercent + 18) {
        DoFind();
      } else if (dice < addPercent + deletePercent + 22) {
        DoEntries();
      } else if (Chance(15)) {
        if (Chance(50)) {
          ASSERT_EQ(fb_->Close(), 0);
        } else {
          Destroy(fb_);
          fb_ = OpenTest("MODEL");
        }
      }
      if (HasFatalFailure()) {
        ADD_FAILURE() << "at operation " << i << " of seed " << GetParam().seed;
        return;
      }
    }
  }

  std::mt19937 rng_;
  Model model_;
  Fileblock* fb_ = nullptr;
  FileIo* io_ = nullptr;
};

TEST_P(BTreeModel, RandomOperationsMatchTheModel) {
  // Grow until the long-key index has at least three levels, then shrink again so that
  // pages borrow, merge and the tree loses levels.
  Run(7000, 70, 8);
  ASSERT_FALSE(HasFailure());
  VerifyAll();
  CheckReport grown = CheckFiles();
  ASSERT_TRUE(grown.ok());
  ASSERT_EQ(grown.keys.size(), 4u);
  EXPECT_GE(grown.keys[1].depth, 3) << "the 50-byte key did not reach three levels";
  EXPECT_EQ(grown.liveRecords, static_cast<std::int32_t>(model_.live.size()));

  Run(7000, 12, 60);
  ASSERT_FALSE(HasFailure());
  VerifyAll();
  CheckReport shrunk = CheckFiles();
  EXPECT_TRUE(shrunk.ok());
  EXPECT_LT(shrunk.keys[1].depth, grown.keys[1].depth);
}

INSTANTIATE_TEST_SUITE_P(Seeds, BTreeModel,
                         ::testing::Values(ModelParam{1, 160, true}, ModelParam{2, 8, true},
                                           ModelParam{3, 24, false}),
                         [](const auto& info) { return "seed" + std::to_string(info.param.seed); });

} // namespace
} // namespace tarvik::test
