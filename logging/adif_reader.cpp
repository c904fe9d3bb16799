#include "logging/adif_reader.h"

#include <array>
#include <cstring>
#include <fstream>
#include <set>
#include <sys/stat.h>

#include "base/cp1252.h"
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
// Text encoding

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence that `lead` begins (2..4), or 0 for a byte that begins
// none.
std::size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF)
    return 2;
  if (lead >= 0xE0 && lead <= 0xEF)
    return 3;
  if (lead >= 0xF0 && lead <= 0xF4)
    return 4;
  return 0;
}

// The character of a complete sequence, or -1 when it is overlong, a surrogate or too large.
long Utf8Character(std::string_view bytes) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  long ch = 0;
  long least = 0;
  switch (bytes.size()) {
  case 2:
    ch = b(0) & 0x1F;
    least = 0x80;
    break;
  case 3:
    ch = b(0) & 0x0F;
    least = 0x800;
    break;
  default:
    ch = b(0) & 0x07;
    least = 0x10000;
    break;
  }
  for (std::size_t i = 1; i < bytes.size(); ++i)
    ch = (ch << 6) | (b(i) & 0x3F);
  if (ch < least || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
    return -1;
  return ch;
}

} // namespace

void AdifTextDecoder::Flush(std::string& out) {
  // Bytes that turned out to be no UTF-8: Windows-1252 as they are.
  out += pending_;
  pending_.clear();
  need_ = 0;
}

void AdifTextDecoder::Decode(std::string_view bytes, std::string& out) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    const auto u = static_cast<unsigned char>(c);
    if (start_) {
      // The byte order mark is looked for in the first three bytes, however they arrive.
      if (pending_.size() < kUtf8Bom.size() && c == kUtf8Bom[pending_.size()]) {
        pending_ += c;
        if (pending_.size() == kUtf8Bom.size()) {
          pending_.clear();
          start_ = false;
          mode_ = Mode::kUtf8;
          info_.utf8 = true;
        }
        continue;
      }
      start_ = false;
      if (!pending_.empty()) {
        // A begun mark that is none: read those bytes again as text.
        std::string begun;
        begun.swap(pending_);
        Decode(begun, out);
      }
    }
    if (need_ > 0) {
      if ((u & 0xC0) == 0x80) {
        pending_ += c;
        if (pending_.size() < need_)
          continue;
        const long ch = Utf8Character(pending_);
        if (ch < 0) {
          if (mode_ == Mode::kUndecided)
            mode_ = Mode::kCp1252;
          Flush(out);
          continue;
        }
        if (mode_ == Mode::kUndecided) {
          mode_ = Mode::kUtf8;
          info_.utf8 = true;
        }
        const int byte = UnicodeToCp1252(static_cast<char32_t>(ch));
        if (byte < 0) {
          out += '?';
          ++info_.replaced;
        } else {
          out += static_cast<char>(byte);
        }
        pending_.clear();
        need_ = 0;
        continue;
      }
      if (mode_ == Mode::kUndecided)
        mode_ = Mode::kCp1252;
      Flush(out); // and the byte is read afresh below
    }
    if (u < 0x80 || mode_ == Mode::kCp1252) {
      out += c;
      continue;
    }
    const std::size_t length = Utf8Length(u);
    if (length == 0) {
      if (mode_ == Mode::kUndecided)
        mode_ = Mode::kCp1252;
      out += c;
      continue;
    }
    pending_.assign(1, c);
    need_ = length;
  }
}

void AdifTextDecoder::Finish(std::string& out) {
  Flush(out);
  start_ = false;
}

// ---------------------------------------------------------------------------------------
// Files

bool ReadAdifRecords(std::istream& in, const std::function<void(std::string_view)>& onRecord,
                     const std::function<void(AdifDrop)>& onDrop, AdifTextInfo* info) {
  AdifRecordSplitter splitter(onRecord, onDrop);
  AdifTextDecoder decoder;
  std::string chunk(kChunk, '\0');
  std::string text;
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const std::streamsize got = in.gcount();
    if (got > 0) {
      text.clear();
      decoder.Decode(std::string_view(chunk.data(), static_cast<std::size_t>(got)), text);
      splitter.Feed(text);
    }
  }
  const bool complete = in.eof() && !in.bad();
  text.clear();
  decoder.Finish(text);
  splitter.Feed(text);
  splitter.Finish();
  if (info != nullptr)
    *info = decoder.Info();
  return complete;
}

AdifReadStatus ReadAdifFile(const std::string& path,
                            const std::function<void(std::string_view)>& onRecord,
                            const std::function<void(AdifDrop)>& onDrop, AdifTextInfo* info) {
  struct stat status {};
  if (path.empty() || ::stat(path.c_str(), &status) != 0)
    return AdifReadStatus::kMissing;
  if (!S_ISREG(status.st_mode))
    return AdifReadStatus::kUnreadable;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return AdifReadStatus::kUnreadable;
  return ReadAdifRecords(in, onRecord, onDrop, info) ? AdifReadStatus::kOk
                                                     : AdifReadStatus::kUnreadable;
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
      in, [&](std::string_view text) { collector.Record(text); }, [&](AdifDrop) { ++scan.dropped; },
      &scan.text);
  scan.status = complete ? AdifReadStatus::kOk : AdifReadStatus::kUnreadable;
  return scan;
}

AdifFileScan ScanAdifFile(const std::string& path) {
  AdifFileScan scan;
  ScanCollector collector{&scan, {}};
  scan.status = ReadAdifFile(
      path, [&](std::string_view text) { collector.Record(text); },
      [&](AdifDrop) { ++scan.dropped; }, &scan.text);
  return scan;
}

} // namespace tarvik
