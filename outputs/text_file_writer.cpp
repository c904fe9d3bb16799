#include "outputs/text_file_writer.h"

namespace tarvik {

TextFileWriter::~TextFileWriter() {
  Close();
}

bool TextFileWriter::Create(const std::string& path) {
  Close();
  good_ = true;
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    good_ = false;
    return false;
  }
  // Whole lists are written at once; a large buffer keeps it to few system calls.
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

void TextFileWriter::Put(std::string_view bytes) {
  if (file_ == nullptr || !good_ || bytes.empty())
    return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    good_ = false;
}

void TextFileWriter::Line(std::string_view text) {
  Put(text);
  Put("\r\n");
}

void TextFileWriter::ListLine(std::string_view text) {
  Put(kListIndent);
  Line(text);
}

bool TextFileWriter::Close() {
  if (file_ == nullptr)
    return false;
  if (std::fflush(file_) != 0)
    good_ = false;
  if (std::fclose(file_) != 0)
    good_ = false;
  file_ = nullptr;
  return good_;
}

} // namespace tarvik
