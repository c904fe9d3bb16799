#include "recordfile/integrity_check.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>
#include <string_view>

#include "recordfile/failure_cause.h"
#include "recordfile/file_io.h"
#include "recordfile/format.h"
#include "recordfile/key_codec.h"

namespace tarvik {

using namespace format;

namespace {

constexpr std::size_t kMaxProblems = 200;
constexpr int kMaxDepth = 32;

[[nodiscard]] bool LoadWholeFile(FileIo& io, const std::string& path, std::string* out,
                                 std::string* error) {
  std::unique_ptr<File> file;
  if (IoResult r = io.Open(path, FileIo::Mode::kReadOnly, FileIo::Lock::kShared, &file); !r.ok()) {
    *error = r.osError() == EWOULDBLOCK ? path + " is in use by another program"
                                        : path + " cannot be opened: " + OsErrorCause(r.osError());
    return false;
  }
  std::uint64_t size = 0;
  if (!file->Size(&size).ok()) {
    *error = path + " cannot be read";
    return false;
  }
  out->assign(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  if (!file->ReadAt(0, out->data(), out->size(), &got).ok() || got != out->size()) {
    *error = path + " cannot be read";
    return false;
  }
  return true;
}

struct KeyLayout {
  int k = 0;
  std::int32_t firstFreePage = -1;
  std::int32_t numberFreePages = 0;
  std::int32_t numPages = 0;
  std::int32_t pageBytes = 0;
  std::int32_t rootPage = 0;
  bool allowDups = false;
  std::int32_t keyCount = 0;
  int itemsPerPage = 0;
  int keyLen = 0;
  int itemSize = 0;
  std::uint64_t offset = 0;
};

struct DataLayout {
  std::int32_t firstFree = -1;
  std::int32_t numberFree = 0;
  std::int32_t numRec = 0;
  std::int32_t recLen = 0;
  int numKeys = 0;
  bool inUse = false;
  std::int32_t records = 0; // complete records present in the file
};

using ProblemSink = std::function<void(const std::string&)>;

[[nodiscard]] bool ParseData(const std::string& dat, DataLayout* d, const ProblemSink& problem) {
  if (dat.size() < static_cast<std::size_t>(kDataHeaderSize)) {
    problem("data file: " + std::to_string(dat.size()) + " bytes, too short for a header");
    return false;
  }
  d->firstFree = LoadI32(dat.data() + kHdrFirstFree);
  d->numberFree = LoadI32(dat.data() + kHdrNumberFree);
  d->numRec = LoadI32(dat.data() + kHdrNumRec);
  d->recLen = LoadI32(dat.data() + kHdrRecLen);
  d->numKeys = static_cast<unsigned char>(dat[kHdrNumKeys]);
  d->inUse = dat[kHdrInUse] != 0;
  if (d->recLen < kMinRecLen) {
    problem("data file: record length " + std::to_string(d->recLen) + " is below 21");
    return false;
  }
  const std::uint64_t slots = dat.size() / static_cast<std::uint64_t>(d->recLen);
  d->records =
      static_cast<std::int32_t>(std::min<std::uint64_t>(slots > 0 ? slots - 1 : 0, INT32_MAX));
  if (d->numRec < 0)
    problem("data file: NumRec " + std::to_string(d->numRec) + " is negative");
  if (dat.size() != (static_cast<std::uint64_t>(std::max(d->numRec, 0)) + 1) *
                        static_cast<std::uint64_t>(d->recLen))
    problem("data file: length " + std::to_string(dat.size()) + " is not (NumRec + 1) * RecLen = " +
            std::to_string((static_cast<std::int64_t>(d->numRec) + 1) * d->recLen));
  d->records = std::min(d->records, std::max(d->numRec, 0));
  if (d->numKeys > kMaxKeys)
    problem("data file: " + std::to_string(d->numKeys) + " keys, more than 110");
  if (d->inUse)
    problem("data file: InUse is set (not flushed after its last change; the next open rebuilds "
            "the index)");
  return true;
}

/// Parses the key headers; false when the slots of the keys cannot be located.
[[nodiscard]] bool ParseKeys(const std::string& ix, int numKeys, std::vector<KeyLayout>* keys,
                             std::uint64_t* rowLen, std::int64_t* rows,
                             const ProblemSink& problem) {
  std::uint64_t offset = 0;
  for (int k = 1; k <= numKeys; ++k) {
    if (offset + kKeyHeaderSize > ix.size()) {
      problem("key " + std::to_string(k) + ": header lies beyond the end of the index file");
      return false;
    }
    const char* h = ix.data() + offset;
    KeyLayout key;
    key.k = k;
    key.firstFreePage = LoadI32(h + kKhFirstFreePage);
    key.numberFreePages = LoadI32(h + kKhNumberFreePages);
    key.numPages = LoadI32(h + kKhNumPages);
    key.pageBytes = LoadI32(h + kKhPageBytes);
    key.rootPage = LoadI32(h + kKhRootPage);
    key.allowDups = h[kKhAllowDups] != 0;
    key.keyCount = LoadI32(h + kKhKeyCount);
    const int stored = LoadU16(h + kKhItemsPerPage);
    key.itemsPerPage = stored == 0 ? kItemsPerPage : stored;
    key.offset = offset;
    const std::string where = "key " + std::to_string(k) + ": ";
    if (key.itemsPerPage > kItemsPerPage || key.itemsPerPage < kMinItemsPerPage) {
      problem(where + "ItemsPerPage " + std::to_string(key.itemsPerPage) + " outside 4..62");
      return false;
    }
    if (key.pageBytes < kKeyHeaderSize || key.pageBytes > kMaxPageBytes ||
        (key.pageBytes - kPageHeaderSize) % key.itemsPerPage != 0) {
      problem(where + "page size " + std::to_string(key.pageBytes) +
              " is not ItemsPerPage * (KeyLen + 9) + 6");
      return false;
    }
    key.keyLen = (key.pageBytes - kPageHeaderSize) / key.itemsPerPage - kItemOverhead;
    key.itemSize = key.keyLen + kItemOverhead;
    if (key.keyLen < 1 || key.keyLen > kMaxKeyLen) {
      problem(where + "key length " + std::to_string(key.keyLen) + " outside 1..50");
      return false;
    }
    keys->push_back(key);
    offset += static_cast<std::uint64_t>(key.pageBytes);
  }
  *rowLen = offset;
  *rows = offset == 0 ? 0 : static_cast<std::int64_t>(ix.size() / offset);
  if (offset != 0 && ix.size() % offset != 0)
    problem("index file: length " + std::to_string(ix.size()) + " is not a whole number of " +
            std::to_string(offset) + "-byte rows");
  return true;
}

/// Walks one key's tree in key order. Locations are put into words only for problems, so
/// that a sound tree of many entries is walked without building a text per item.
class TreeWalk {
public:
  TreeWalk(const std::string& ix, const KeyLayout& key, std::uint64_t rowLen, std::int64_t rows,
           ProblemSink problem)
      : ix_(ix), key_(key), rowLen_(rowLen), rows_(rows), problem_(std::move(problem)),
        seen_(static_cast<std::size_t>(std::max(key.numPages, 0)) + 1, false) {}

  /// Called for every entry: record number, key bytes (valid during the call), page, item
  /// (1-based).
  std::function<void(std::int32_t ref, std::string_view key, std::int32_t page, int item)> onEntry;

  void Run() {
    if (key_.rootPage != 0)
      Visit(key_.rootPage, 0, "key " + std::to_string(key_.k) + ": RootPage");
  }
  std::int32_t entries() const { return entries_; }
  int depth() const { return leafDepth_ < 0 ? 0 : leafDepth_ + 1; }
  std::int32_t pages() const { return pages_; }
  bool InTree(std::int32_t page) const {
    return page >= 1 && page <= key_.numPages && seen_[static_cast<std::size_t>(page)];
  }

private:
  std::string Where(std::int32_t page) const {
    return "key " + std::to_string(key_.k) + ", page " + std::to_string(page);
  }
  std::string ItemWhere(std::int32_t page, int item) const {
    return Where(page) + ", item " + std::to_string(item);
  }

  void Visit(std::int32_t page, int depth, const std::string& from) {
    if (page < 1 || page > key_.numPages) {
      problem_(from + " names page " + std::to_string(page) + ", outside 1.." +
               std::to_string(key_.numPages));
      return;
    }
    const std::uint64_t at = static_cast<std::uint64_t>(page) * rowLen_ + key_.offset;
    if (page >= rows_ || at + static_cast<std::uint64_t>(key_.pageBytes) > ix_.size()) {
      problem_(Where(page) + ": lies beyond the end of the index file");
      return;
    }
    if (seen_[static_cast<std::size_t>(page)]) {
      problem_(Where(page) + ": reached a second time (from " + from +
               "): a cycle or a shared page");
      return;
    }
    seen_[static_cast<std::size_t>(page)] = true;
    ++pages_;
    if (depth >= kMaxDepth) {
      problem_(Where(page) + ": deeper than " + std::to_string(kMaxDepth) + " levels");
      return;
    }
    const char* p = ix_.data() + at;
    int count = LoadU16(p + kPgItemCount);
    if (count < 1 || count > key_.itemsPerPage) {
      problem_(Where(page) + ": " + std::to_string(count) + " items, outside 1.." +
               std::to_string(key_.itemsPerPage));
      count = std::min(count, key_.itemsPerPage);
    }
    const std::int32_t left = LoadI32(p + kPgLeftPage);
    const bool leaf = left == 0;
    if (leaf) {
      if (leafDepth_ < 0) {
        leafDepth_ = depth;
      } else if (leafDepth_ != depth) {
        problem_(Where(page) + ": a leaf at depth " + std::to_string(depth) +
                 ", others are at depth " + std::to_string(leafDepth_));
      }
    } else {
      Visit(left, depth + 1, Where(page) + " LeftPage");
    }
    for (int i = 0; i < count; ++i) {
      const char* it = p + kPageHeaderSize + static_cast<std::ptrdiff_t>(i) * key_.itemSize;
      const std::int32_t ref = LoadI32(it + kItDataRef);
      const std::int32_t child = LoadI32(it + kItPageRef);
      int len = static_cast<unsigned char>(it[kItKey]);
      if (len > key_.keyLen) {
        problem_(ItemWhere(page, i + 1) + ": key length " + std::to_string(len) + " above " +
                 std::to_string(key_.keyLen));
        len = key_.keyLen;
      }
      const std::string_view key(it + kItKey + 1, static_cast<std::size_t>(len));
      if (havePrev_) {
        const int c = CompareKeys(prevKey_, key);
        if (c > 0 || (c == 0 && (!key_.allowDups || prevRef_ >= ref))) {
          problem_(ItemWhere(page, i + 1) + (c == 0 && !key_.allowDups
                                                 ? ": duplicate key in a unique key"
                                                 : ": out of order"));
        }
      }
      havePrev_ = true;
      prevKey_ = key;
      prevRef_ = ref;
      ++entries_;
      if (onEntry)
        onEntry(ref, key, page, i + 1);
      if (leaf && child != 0)
        problem_(ItemWhere(page, i + 1) + ": a leaf item with a child page");
      if (!leaf) {
        if (child == 0) {
          problem_(ItemWhere(page, i + 1) + ": an inner item without a child page");
        } else {
          Visit(child, depth + 1, ItemWhere(page, i + 1));
        }
      }
    }
  }

  const std::string& ix_;
  const KeyLayout& key_;
  std::uint64_t rowLen_;
  std::int64_t rows_;
  ProblemSink problem_;
  std::vector<bool> seen_;
  std::int32_t entries_ = 0;
  std::int32_t pages_ = 0;
  int leafDepth_ = -1;
  bool havePrev_ = false;
  std::string_view prevKey_; // points into ix_
  std::int32_t prevRef_ = 0;
};

/// The check of CheckFileblockFiles over the bytes of the data file and of the index file
/// (`loadIndex` reads the latter when the fileblock has keys).
CheckReport CheckImages(const std::string& dat,
                        const std::function<const std::string*(std::string* error)>& loadIndex,
                        const IndexEntryVisitor& visitEntry) {
  CheckReport report;
  bool truncated = false;
  const ProblemSink problem = [&](const std::string& text) {
    if (report.problems.size() < kMaxProblems) {
      report.problems.push_back(text);
    } else if (!truncated) {
      truncated = true;
      report.problems.push_back("... further problems are not listed");
    }
  };
  DataLayout d;
  if (!ParseData(dat, &d, problem))
    return report;
  report.readable = true;
  report.recLen = d.recLen;
  report.numRec = d.numRec;
  report.numberFree = d.numberFree;
  report.numKeys = d.numKeys;
  report.inUse = d.inUse;

  // Free chain: distinct records, each with a link in -1..NumRec other than 0.
  const auto recLen = static_cast<std::size_t>(d.recLen);
  auto statusWord = [&](std::int32_t r) {
    return LoadI32(dat.data() + static_cast<std::size_t>(r) * recLen);
  };
  std::vector<char> state(static_cast<std::size_t>(d.records) + 1, 0); // 1 live, 2 free
  for (std::int32_t r = 1; r <= d.records; ++r) {
    if (statusWord(r) == 0)
      state[static_cast<std::size_t>(r)] = 1;
  }
  std::int32_t chain = 0;
  for (std::int32_t r = d.firstFree; r != -1;) {
    const std::string where = "free chain, record " + std::to_string(r);
    if (r < 1 || r > d.records) {
      problem("free chain: names record " + std::to_string(r) + ", outside 1.." +
              std::to_string(d.records));
      break;
    }
    if (state[static_cast<std::size_t>(r)] == 2) {
      problem(where + ": reached a second time (a cycle)");
      break;
    }
    if (state[static_cast<std::size_t>(r)] == 1) {
      problem(where + ": a live record (status word 0) in the free chain");
      break;
    }
    state[static_cast<std::size_t>(r)] = 2;
    ++chain;
    r = statusWord(r);
  }
  if (chain != d.numberFree)
    problem("free chain: " + std::to_string(chain) +
            " records, the header says NumberFree = " + std::to_string(d.numberFree));
  for (std::int32_t r = 1; r <= d.records; ++r) {
    const char s = state[static_cast<std::size_t>(r)];
    if (s == 1)
      ++report.liveRecords;
    // Neither live nor free: a continuation section of a variable-length record carries
    // the byte 1 first; anything else is lost.
    if (s == 0 && dat[static_cast<std::size_t>(r) * recLen] != kContinuationMark)
      problem("record " + std::to_string(r) + ": neither live nor in the free chain");
  }

  if (d.numKeys == 0 || d.numKeys > kMaxKeys)
    return report;
  std::string error;
  const std::string* loaded = loadIndex(&error);
  if (loaded == nullptr) {
    problem(error);
    return report;
  }
  const std::string& ix = *loaded;
  std::vector<KeyLayout> keys;
  std::uint64_t rowLen = 0;
  std::int64_t rows = 0;
  if (!ParseKeys(ix, d.numKeys, &keys, &rowLen, &rows, problem))
    return report;
  for (const KeyLayout& key : keys) {
    const std::string where = "key " + std::to_string(key.k) + ": ";
    KeyCheck kc;
    kc.key = key.k;
    kc.keyLen = key.keyLen;
    kc.allowDups = key.allowDups;
    kc.itemsPerPage = key.itemsPerPage;
    kc.keyCount = key.keyCount;
    if (key.numPages < 0 || key.numPages >= rows) {
      problem(where + "NumPages " + std::to_string(key.numPages) + " but the file has " +
              std::to_string(rows > 0 ? rows - 1 : 0) + " page rows");
    }
    KeyLayout bounded = key;
    bounded.numPages = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(key.numPages, 0, std::max<std::int64_t>(rows - 1, 0)));
    TreeWalk walk(ix, bounded, rowLen, rows, problem);
    walk.onEntry = [&](std::int32_t ref, std::string_view entryKey, std::int32_t page, int item) {
      if (ref < 1 || ref > d.records) {
        problem("key " + std::to_string(key.k) + ", page " + std::to_string(page) + ", item " +
                std::to_string(item) + ": names record " + std::to_string(ref) + ", outside 1.." +
                std::to_string(d.records));
      } else if (state[static_cast<std::size_t>(ref)] != 1) {
        problem("key " + std::to_string(key.k) + ", page " + std::to_string(page) + ", item " +
                std::to_string(item) + ": names record " + std::to_string(ref) +
                ", which is not live");
      } else if (visitEntry) {
        visitEntry(key.k, ref, entryKey);
      }
    };
    walk.Run();
    kc.entries = walk.entries();
    kc.depth = walk.depth();
    kc.pages = walk.pages();
    if (kc.entries != key.keyCount)
      problem(where + "KeyCount is " + std::to_string(key.keyCount) + ", the tree holds " +
              std::to_string(kc.entries) + " entries");
    if (kc.entries > report.liveRecords)
      problem(where + std::to_string(kc.entries) + " entries for " +
              std::to_string(report.liveRecords) + " live records");
    // Free pages: distinct, in range, not in the tree.
    std::vector<bool> freeSeen(static_cast<std::size_t>(bounded.numPages) + 1, false);
    std::int32_t freeCount = 0;
    for (std::int32_t p = key.firstFreePage; p != -1;) {
      if (p < 1 || p > bounded.numPages) {
        problem(where + "free page chain names page " + std::to_string(p) + ", outside 1.." +
                std::to_string(bounded.numPages));
        break;
      }
      if (freeSeen[static_cast<std::size_t>(p)]) {
        problem(where + "free page chain reaches page " + std::to_string(p) +
                " a second time (a cycle)");
        break;
      }
      if (walk.InTree(p))
        problem(where + "page " + std::to_string(p) + " is both free and in the tree");
      freeSeen[static_cast<std::size_t>(p)] = true;
      ++freeCount;
      p = LoadI32(ix.data() + static_cast<std::uint64_t>(p) * rowLen + key.offset);
    }
    if (freeCount != key.numberFreePages)
      problem(where + "free page chain holds " + std::to_string(freeCount) +
              " pages, the header says NumberFreePages = " + std::to_string(key.numberFreePages));
    report.keys.push_back(kc);
  }
  return report;
}

} // namespace

CheckReport CheckFileblockFiles(FileIo& io, const std::string& base) {
  std::string dat;
  std::string error;
  if (!LoadWholeFile(io, base + ".DAT", &dat, &error)) {
    CheckReport report;
    report.problems.push_back(error);
    return report;
  }
  std::string ix;
  return CheckImages(
      dat,
      [&](std::string* why) { return LoadWholeFile(io, base + ".IX", &ix, why) ? &ix : nullptr; },
      {});
}

CheckReport CheckFileblockImages(const std::string& dat, const std::string& ix,
                                 const IndexEntryVisitor& visitEntry) {
  return CheckImages(
      dat, [&](std::string*) { return &ix; }, visitEntry);
}

bool WalkKeyEntries(FileIo& io, const std::string& base, int key,
                    const std::function<void(std::int32_t record, const std::string& key)>& entry,
                    std::vector<std::string>* problems) {
  const ProblemSink problem = [&](const std::string& text) {
    if (problems->size() < kMaxProblems)
      problems->push_back(text);
  };
  std::string dat;
  std::string ix;
  std::string error;
  if (!LoadWholeFile(io, base + ".DAT", &dat, &error)) {
    problem(error);
    return false;
  }
  DataLayout d;
  std::vector<std::string> ignored;
  if (!ParseData(dat, &d, [&](const std::string& text) { ignored.push_back(text); })) {
    problem(ignored.empty() ? "data file unreadable" : ignored.front());
    return false;
  }
  if (key < 1 || key > d.numKeys) {
    problem("key " + std::to_string(key) + " does not exist (the fileblock has " +
            std::to_string(d.numKeys) + " keys)");
    return false;
  }
  if (!LoadWholeFile(io, base + ".IX", &ix, &error)) {
    problem(error);
    return false;
  }
  std::vector<KeyLayout> keys;
  std::uint64_t rowLen = 0;
  std::int64_t rows = 0;
  if (!ParseKeys(ix, d.numKeys, &keys, &rowLen, &rows, problem))
    return false;
  KeyLayout layout = keys[static_cast<std::size_t>(key - 1)];
  layout.numPages = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(layout.numPages, 0, std::max<std::int64_t>(rows - 1, 0)));
  TreeWalk walk(ix, layout, rowLen, rows, problem);
  walk.onEntry = [&](std::int32_t ref, std::string_view k, std::int32_t, int) {
    entry(ref, std::string(k));
  };
  walk.Run();
  return true;
}

bool ReadDataRecord(FileIo& io, const std::string& base, std::int32_t record, std::string* bytes) {
  std::unique_ptr<File> file;
  if (!io.Open(base + ".DAT", FileIo::Mode::kReadOnly, FileIo::Lock::kShared, &file).ok())
    return false;
  std::uint8_t header[kDataHeaderSize];
  std::size_t got = 0;
  if (!file->ReadAt(0, header, sizeof header, &got).ok() || got != sizeof header)
    return false;
  const std::int32_t recLen = LoadI32(header + kHdrRecLen);
  if (recLen < kMinRecLen || record < 1)
    return false;
  bytes->assign(static_cast<std::size_t>(recLen), '\0');
  return file->ReadAt(static_cast<std::uint64_t>(record) * static_cast<std::uint64_t>(recLen),
                      bytes->data(), bytes->size(), &got)
             .ok() &&
         got == bytes->size();
}

} // namespace tarvik
