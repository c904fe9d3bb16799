#pragma once
// The text file an output writes: Windows-1252 bytes as they are, every line ended by CR LF,
// an existing file replaced. Writes are buffered; a failure on the way (disk full, a file
// that went away) is remembered and reported by Close, so that an output whose file is
// incomplete is never announced as written.

#include <cstdio>
#include <string>
#include <string_view>

namespace tarvik {

/// Five blanks: the lines of the E-Log QSO list and the QSO lines of the STF and ADIF files
/// start with them.
inline constexpr std::string_view kListIndent = "     ";

class TextFileWriter {
public:
  TextFileWriter() = default;
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  /// Creates the file (replacing an existing one). False when it cannot be created.
  bool Create(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }

  /// Writes `text` and CR LF.
  void Line(std::string_view text);
  /// Writes the five blanks of a list line, `text` and CR LF.
  void ListLine(std::string_view text);

  /// Closes the file. True when every byte reached it; false after any failed write or
  /// when the file was not open.
  bool Close();
  /// False once a write has failed.
  bool Good() const { return good_; }

private:
  void Put(std::string_view bytes);

  std::FILE* file_ = nullptr;
  bool good_ = true;
};

} // namespace tarvik
