#include "logging/adif_reader.h"

#include <array>
#include <cstring>
#include <fstream>
#include <set>
#include <sys/stat.h>

#include "base/strings.h"

namespace tarvik {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
// A tag is "<", a name of at most kMaxAdifFieldName characters, an optional ":length" and
// ":type", and ">"; anything longer is no tag.
constexpr std::size_t kMaxTagText = kMaxAdifFieldName + 32;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsNameChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u > 0x20 && u != 0x7f && c != '<' && c != '>' && c != ':';
}

bool AllBlank(std::string_view text) {
  for (char c : text)
    if (!IsBlank(c))
      return false;
  return true;
}

// The length of a tag's length part: digits only, at most 9 of them; npos when it is no
// number.
std::size_t ParseLength(std::string_view text) {
  if (text.empty() || text.size() > 9)
    return std::string_view::npos;
  std::size_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9')
      return std::string_view::npos;
    n = n * 10 + static_cast<std::size_t>(c - '0');
  }
  return n;
}

} // namespace

std::vector<AdifField> ParseAdifRecord(std::string_view text) {
  std::vector<AdifField> fields;
  std::size_t pos = 0;
  const std::size_t n = text.size();
  while (pos < n) {
    const std::size_t open = text.find('<', pos);
    if (open == std::string_view::npos)
      break;
    // The tag closes at the first ">" before another "<" and within kMaxTagText.
    std::size_t close = std::string_view::npos;
    for (std::size_t i = open + 1; i < n && i - open <= kMaxTagText; ++i) {
      if (text[i] == '>') {
        close = i;
        break;
      }
      if (text[i] == '<')
        break;
    }
    if (close == std::string_view::npos) {
      pos = open + 1;
      continue;
    }
    const std::string_view inner = text.substr(open + 1, close - open - 1);
    const std::size_t colon = inner.find(':');
    const std::string_view name = inner.substr(0, colon);
    bool validName = !name.empty() && name.size() <= kMaxAdifFieldName;
    for (char c : name)
      validName = validName && IsNameChar(c);
    if (!validName) {
      pos = open + 1;
      continue;
    }
    const std::size_t valueStart = close + 1;
    if (name == "EOR" || name == "EOH") {
      pos = valueStart;
      continue;
    }
    std::size_t length = std::string_view::npos;
    if (colon != std::string_view::npos) {
      const std::string_view lengthAndType = inner.substr(colon + 1);
      length = ParseLength(lengthAndType.substr(0, lengthAndType.find(':')));
    }
    const std::size_t nextTag = text.find('<', valueStart);
    const std::size_t plainEnd = nextTag == std::string_view::npos ? n : nextTag;
    AdifField field;
    field.name = std::string(name);
    bool byLength = false;
    if (length != std::string_view::npos && length <= n - valueStart) {
      const std::size_t end = valueStart + length;
      const std::size_t after = text.find('<', end);
      const std::size_t gapEnd = after == std::string_view::npos ? n : after;
      if (AllBlank(text.substr(end, gapEnd - end))) {
        field.value = TrimBlanks(text.substr(valueStart, length));
        pos = end;
        byLength = true;
      }
    }
    if (!byLength) {
      field.value = TrimBlanks(text.substr(valueStart, plainEnd - valueStart));
      pos = plainEnd;
    }
    fields.push_back(std::move(field));
  }
  return fields;
}

const std::string* FindAdifValue(const std::vector<AdifField>& fields, std::string_view name) {
  for (const AdifField& field : fields)
    if (field.name == name)
      return &field.value;
  return nullptr;
}

// ---------------------------------------------------------------------------------------
// Record splitter

AdifRecordSplitter::AdifRecordSplitter(std::function<void(std::string_view)> onRecord,
                                       std::function<void(AdifDrop)> onDrop)
    : onRecord_(std::move(onRecord)), onDrop_(std::move(onDrop)) {}

void AdifRecordSplitter::Feed(std::string_view bytes) {
  for (char c : bytes) {
    if (c == '\n' || c == '\r') {
      EndLine();
      continue;
    }
    if (atLineStart_) {
      atLineStart_ = false;
      if (c == '#') {
        comment_ = true;
        continue;
      }
    }
    if (comment_)
      continue;
    if (!lineContent_ && IsBlank(c))
      continue; // leading blanks of the line
    if (!lineContent_ && separator_)
      Append(' ');
    separator_ = false;
    lineContent_ = true;
    Append(UpCaseChar(c));
  }
}

void AdifRecordSplitter::EndLine() {
  if (lineContent_) {
    // Trailing blanks of the line; earlier lines were trimmed already.
    while (!record_.empty() && IsBlank(record_.back()))
      record_.pop_back();
    separator_ = !record_.empty();
  }
  atLineStart_ = true;
  comment_ = false;
  lineContent_ = false;
}

void AdifRecordSplitter::Append(char c) {
  if (tailFill_ < sizeof tail_) {
    tail_[tailFill_++] = c;
  } else {
    std::memmove(tail_, tail_ + 1, sizeof tail_ - 1);
    tail_[sizeof tail_ - 1] = c;
  }
  if (!tooLong_) {
    record_.push_back(c);
    if (record_.size() > kMaxAdifRecordText) {
      tooLong_ = true;
      record_.clear();
      record_.shrink_to_fit();
    }
  }
  if (c != '>' || tailFill_ < sizeof tail_)
    return;
  const std::string_view tail(tail_, sizeof tail_);
  if (tail == "<EOR>") {
    if (tooLong_) {
      if (onDrop_)
        onDrop_(AdifDrop::kTooLong);
    } else if (onRecord_) {
      std::string_view text = std::string_view(record_).substr(0, record_.size() - 5);
      while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
      while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
      onRecord_(text);
    }
    ResetRecord();
  } else if (tail == "<EOH>") {
    ResetRecord(); // the file header
  }
}

void AdifRecordSplitter::ResetRecord() {
  record_.clear();
  if (record_.capacity() > kChunk)
    record_.shrink_to_fit();
  tooLong_ = false;
  tailFill_ = 0;
  separator_ = false;
}

void AdifRecordSplitter::Finish() {
  if (tooLong_ || record_.find('<') != std::string::npos) {
    if (onDrop_)
      onDrop_(tooLong_ ? AdifDrop::kTooLong : AdifDrop::kUnterminated);
  }
  ResetRecord();
  atLineStart_ = true;
  comment_ = false;
  lineContent_ = false;
}

// ---------------------------------------------------------------------------------------
// Files

bool ReadAdifRecords(std::istream& in, const std::function<void(std::string_view)>& onRecord,
                     const std::function<void(AdifDrop)>& onDrop) {
  AdifRecordSplitter splitter(onRecord, onDrop);
  std::string chunk(kChunk, '\0');
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const std::streamsize got = in.gcount();
    if (got > 0)
      splitter.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
  }
  const bool complete = in.eof() && !in.bad();
  splitter.Finish();
  return complete;
}

AdifReadStatus ReadAdifFile(const std::string& path,
                            const std::function<void(std::string_view)>& onRecord,
                            const std::function<void(AdifDrop)>& onDrop) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0)
    return AdifReadStatus::kMissing;
  if (!S_ISREG(info.st_mode))
    return AdifReadStatus::kUnreadable;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return AdifReadStatus::kUnreadable;
  return ReadAdifRecords(in, onRecord, onDrop) ? AdifReadStatus::kOk : AdifReadStatus::kUnreadable;
}

namespace {

struct ScanCollector {
  AdifFileScan* scan;
  std::set<std::string, std::less<>> seen;

  void Record(std::string_view text) {
    const std::vector<AdifField> fields = ParseAdifRecord(text);
    if (fields.empty())
      return;
    ++scan->records;
    for (const AdifField& field : fields) {
      if (scan->fieldNames.size() >= kMaxAdifFieldNames)
        break;
      if (seen.insert(field.name).second)
        scan->fieldNames.push_back(field.name);
    }
  }
};

} // namespace

AdifFileScan ScanAdifStream(std::istream& in) {
  AdifFileScan scan;
  ScanCollector collector{&scan, {}};
  const bool complete = ReadAdifRecords(
      in, [&](std::string_view text) { collector.Record(text); },
      [&](AdifDrop) { ++scan.dropped; });
  scan.status = complete ? AdifReadStatus::kOk : AdifReadStatus::kUnreadable;
  return scan;
}

AdifFileScan ScanAdifFile(const std::string& path) {
  AdifFileScan scan;
  ScanCollector collector{&scan, {}};
  scan.status = ReadAdifFile(
      path, [&](std::string_view text) { collector.Record(text); },
      [&](AdifDrop) { ++scan.dropped; });
  return scan;
}

} // namespace tarvik
