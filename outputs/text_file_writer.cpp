#include "outputs/text_file_writer.h"

namespace tarvik {

FileWriteResult TextFileWriter::Create(const std::string& path) {
  return file_.Open(path);
}

void TextFileWriter::Line(std::string_view text) {
  file_.Write(text);
  file_.Write("\r\n");
}

void TextFileWriter::ListLine(std::string_view text) {
  file_.Write(kListIndent);
  Line(text);
}

FileWriteResult TextFileWriter::Close() {
  return file_.Commit();
}

} // namespace tarvik
