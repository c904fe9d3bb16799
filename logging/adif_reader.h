#pragma once
// Reading ADIF files written by other logbooks.
//
// A file is read in chunks of bounded size, never as a whole, and cut into record texts.
// Its text is Windows-1252, or UTF-8 (as most logbooks write it): a file that begins with
// the UTF-8 byte order mark, or whose first byte above 127 begins a valid UTF-8 sequence, is
// read as UTF-8 and converted to Windows-1252; a character the code page lacks becomes "?"
// and is counted. A byte that is no valid UTF-8 in such a file is taken as Windows-1252.
// Then:
//   - every line is converted to upper case (all values therefore arrive in upper case);
//   - lines beginning with "#" are comments and skipped;
//   - the other lines are trimmed and joined with one blank into the current record text;
//   - the tag "<EOH>" ends the file header: the text collected up to it is discarded;
//   - the tag "<EOR>" ends a record: the text collected up to it is one record text, and
//     what follows it (on the same line or later) begins the next one.
// A record text longer than kMaxRecordText is dropped whole (its end is still found, so the
// records after it are read); text after the last "<EOR>" is reported as an unterminated
// record. Memory therefore stays bounded by kMaxRecordText whatever the file holds.
//
// A record text is then read as its fields: each tag "<NAME>", "<NAME:LENGTH>" or
// "<NAME:LENGTH:TYPE>" begins a field. When the tag gives a length that fits the text (the
// value of that many characters is followed by nothing but blanks up to the next tag or the
// end), the value is read by the length, so a value may hold a "<". Otherwise the value is
// the text up to the next "<". Values are trimmed. Text between fields that is no tag
// (a "<" not closed by ">", binary junk) is ignored.

#include <cstddef>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

/// The longest record text kept; a longer record is dropped.
inline constexpr std::size_t kMaxAdifRecordText = 256 * 1024;
/// The longest field name taken as a tag (ADIF names are far shorter).
inline constexpr std::size_t kMaxAdifFieldName = 64;
/// The most distinct field names collected from one file.
inline constexpr std::size_t kMaxAdifFieldNames = 256;

/// One field of a record: its name (upper case) and its value (trimmed).
struct AdifField {
  std::string name;
  std::string value;
  friend bool operator==(const AdifField&, const AdifField&) = default;
};

/// The fields of one record text in their order. Tags named "EOR" and "EOH" are no fields.
std::vector<AdifField> ParseAdifRecord(std::string_view recordText);

/// The value of the first field named `name` in `fields`, or nullptr when there is none.
[[nodiscard]] const std::string* FindAdifValue(const std::vector<AdifField>& fields,
                                               std::string_view name);

/// Why a record was not handed on.
enum class AdifDrop {
  kTooLong,      ///< the record text exceeded kMaxAdifRecordText
  kUnterminated, ///< text with a tag after the last "<EOR>"
};

/// Cuts a stream of bytes into record texts (see the top of this file). Feed the bytes in
/// pieces of any size, then call Finish once.
class AdifRecordSplitter {
public:
  /// `onRecord` gets every record text (upper case, without its "<EOR>"); `onDrop` every
  /// record that is not handed on. Either may be empty.
  AdifRecordSplitter(std::function<void(std::string_view)> onRecord,
                     std::function<void(AdifDrop)> onDrop);

  void Feed(std::string_view bytes);
  /// The end of the input: an unterminated record is reported, the state is reset.
  void Finish();

private:
  void Append(char c);
  void EndLine();
  void ResetRecord();

  std::function<void(std::string_view)> onRecord_;
  std::function<void(AdifDrop)> onDrop_;
  std::string record_;
  char tail_[5] = {}; // the last five characters appended, to find "<EOR>" and "<EOH>"
  std::size_t tailFill_ = 0;
  bool tooLong_ = false;
  bool atLineStart_ = true;
  bool comment_ = false;     // the rest of the line is a comment
  bool lineContent_ = false; // the current line has appended something
  bool separator_ = false;   // a blank joins the next line's content to the record
};

/// The text encoding found while reading.
struct AdifTextInfo {
  bool utf8 = false;        ///< the file was read as UTF-8
  std::size_t replaced = 0; ///< characters outside Windows-1252, replaced by "?"
  friend bool operator==(const AdifTextInfo&, const AdifTextInfo&) = default;
};

/// Turns the bytes of a file into Windows-1252 text piece by piece (see the top of this
/// file); a UTF-8 sequence may be split between two pieces.
class AdifTextDecoder {
public:
  /// Appends the text of `bytes` to `out`.
  void Decode(std::string_view bytes, std::string& out);
  /// The end of the input: an incomplete sequence is taken as Windows-1252.
  void Finish(std::string& out);
  const AdifTextInfo& Info() const { return info_; }

private:
  enum class Mode { kUndecided, kUtf8, kCp1252 };
  void Flush(std::string& out);

  Mode mode_ = Mode::kUndecided;
  bool start_ = true;
  std::string pending_;  // a UTF-8 sequence begun, or the first bytes of a possible BOM
  std::size_t need_ = 0; // bytes the sequence in pending_ has in all
  AdifTextInfo info_;
};

/// What reading a file gave.
enum class AdifReadStatus {
  kOk,
  kMissing,    ///< the file does not exist
  kUnreadable, ///< it exists but cannot be opened or read
};

/// Reads the stream in chunks and hands every record text to `onRecord` (and every dropped
/// record to `onDrop`). False when reading failed before the end.
/// `info` (may be null) receives the encoding found.
[[nodiscard]] bool ReadAdifRecords(std::istream& in,
                                   const std::function<void(std::string_view)>& onRecord,
                                   const std::function<void(AdifDrop)>& onDrop = {},
                                   AdifTextInfo* info = nullptr);

/// ReadAdifRecords on the file at `path`.
[[nodiscard]] AdifReadStatus ReadAdifFile(const std::string& path,
                                          const std::function<void(std::string_view)>& onRecord,
                                          const std::function<void(AdifDrop)>& onDrop = {},
                                          AdifTextInfo* info = nullptr);

/// The overview of a file for the field assignment.
struct AdifFileScan {
  AdifReadStatus status = AdifReadStatus::kOk;
  /// The field names of the records in the order of their first appearance (at most
  /// kMaxAdifFieldNames; the header's fields are not among them).
  std::vector<std::string> fieldNames;
  std::size_t records = 0; ///< records that hold at least one field
  std::size_t dropped = 0; ///< records dropped (too long, unterminated)
  AdifTextInfo text;
};

/// Reads the file once for its field names and record count.
[[nodiscard]] AdifFileScan ScanAdifFile(const std::string& path);
/// The same on a stream (for tests and the fuzzer).
[[nodiscard]] AdifFileScan ScanAdifStream(std::istream& in);

} // namespace tarvik
