#include "outputs/text_files.h"

namespace tarvik {

std::optional<std::string> ReadTextFile(const std::string& path, FileIo* io) {
  return ReadWholeFile(io != nullptr ? *io : PosixFileIo(), path);
}

std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

FileWriteResult WriteTextFile(const std::string& path, std::string_view text, FileIo* io) {
  return WriteFileAtomically(io != nullptr ? *io : PosixFileIo(), path, WithCrLf(text));
}

} // namespace tarvik
