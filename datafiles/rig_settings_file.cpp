#include "datafiles/rig_settings_file.h"

#include <cerrno>
#include <charconv>
#include <memory>

#include "base/strings.h"

namespace tarvik {

namespace {

// The file is a few lines; anything longer than this is no settings file.
constexpr std::uint64_t kMaxFileSize = 64 * 1024;

bool ReadInt(std::string_view text, int low, int high, int* value) {
  int parsed = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() || parsed < low ||
      parsed > high)
    return false;
  *value = parsed;
  return true;
}

} // namespace

std::string FormatRigSetup(const RigSetup& setup) {
  const RigSettings& c = setup.connection;
  std::string text = "[CAT]\r\n";
  auto line = [&text](std::string_view key, const std::string& value) {
    text += std::string(key) + "=" + value + "\r\n";
  };
  line("On", setup.on ? "1" : "0");
  line("Connection", c.kind == RigSettings::Kind::kDirect ? "direct" : "rigctld");
  line("Host", c.host);
  line("Port", std::to_string(c.port));
  line("Model", std::to_string(c.model));
  line("Device", c.device);
  line("Baud", std::to_string(c.baud));
  return text;
}

RigSetup ParseRigSetup(std::string_view text) {
  RigSetup setup;
  RigSettings& c = setup.connection;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      continue; // the section line, blank lines, comments
    const std::string key = TrimBlanks(line.substr(0, equals));
    std::string value = TrimBlanks(line.substr(equals + 1));
    if (!value.empty() && value.back() == '\r')
      value = TrimBlanks(value.substr(0, value.size() - 1));
    if (key == "On") {
      setup.on = value == "1";
    } else if (key == "Connection") {
      if (value == "direct")
        c.kind = RigSettings::Kind::kDirect;
      else if (value == "rigctld")
        c.kind = RigSettings::Kind::kRigctld;
    } else if (key == "Host") {
      if (!value.empty())
        c.host = value;
    } else if (key == "Port") {
      (void)ReadInt(value, 1, 65535, &c.port); // a bad port keeps the default
    } else if (key == "Model") {
      (void)ReadInt(value, 1, 999999, &c.model);
    } else if (key == "Device") {
      c.device = value;
    } else if (key == "Baud") {
      (void)ReadInt(value, 0, 10000000, &c.baud);
    }
  }
  return setup;
}

IoResult LoadRigSetup(FileIo& io, const std::string& path, RigSetup* setup, bool* exists) {
  *setup = RigSetup{};
  if (exists != nullptr)
    *exists = false;
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
  *setup = ParseRigSetup(text);
  if (exists != nullptr)
    *exists = true;
  return IoResult::Ok();
}

IoResult SaveRigSetup(FileIo& io, const std::string& path, const RigSetup& setup) {
  const FileWriteResult written = WriteFileAtomically(io, path, FormatRigSetup(setup));
  return written.ok() ? IoResult::Ok() : IoResult(written.osError());
}

} // namespace tarvik
