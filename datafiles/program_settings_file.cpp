#include "datafiles/program_settings_file.h"

#include <cerrno>
#include <memory>

#include "base/strings.h"

namespace tarvik {

namespace {

// The file is a few lines; anything longer than this is no settings file.
constexpr std::uint64_t kMaxFileSize = 64 * 1024;

} // namespace

std::string FormatProgramSettings(const ProgramSettings& settings) {
  std::string text = "[Tarvik]\r\n";
  if (settings.contestCode)
    text += std::string("Contest=") + *settings.contestCode + "\r\n";
  return text;
}

ProgramSettings ParseProgramSettings(std::string_view text) {
  ProgramSettings settings;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      continue; // the section line, blank lines
    const std::string key = TrimBlanks(line.substr(0, equals));
    std::string value = TrimBlanks(line.substr(equals + 1));
    if (!value.empty() && value.back() == '\r')
      value = TrimBlanks(value.substr(0, value.size() - 1));
    if (key == "Contest" && value.size() == 1 && value[0] > ' ' && value[0] < '\x7F')
      settings.contestCode = value[0];
  }
  return settings;
}

IoResult LoadProgramSettings(FileIo& io, const std::string& path, ProgramSettings* settings) {
  *settings = ProgramSettings{};
  if (!io.FileExists(path))
    return IoResult::Ok();
  std::unique_ptr<File> file;
  if (IoResult r = io.Open(path, FileIo::Mode::kReadOnly, FileIo::Lock::kNone, &file); !r.ok())
    return r;
  std::uint64_t size = 0;
  if (IoResult r = file->Size(&size); !r.ok())
    return r;
  if (size > kMaxFileSize)
    return IoResult(EFBIG);
  std::string text(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  if (IoResult r = file->ReadAt(0, text.data(), text.size(), &got); !r.ok())
    return r;
  text.resize(got);
  *settings = ParseProgramSettings(text);
  return IoResult::Ok();
}

IoResult SaveProgramSettings(FileIo& io, const std::string& path, const ProgramSettings& settings) {
  const FileWriteResult written = WriteFileAtomically(io, path, FormatProgramSettings(settings));
  return written.ok() ? IoResult::Ok() : IoResult(written.osError());
}

} // namespace tarvik
