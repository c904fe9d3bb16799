#include "base/data_directory.h"

#include <filesystem>
#include <system_error>

namespace tarvik {

namespace {
std::string gDataDirectory;

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/')
    dir += '/';
  return dir;
}
} // namespace

void SetDataDirectory(const std::string& dir) {
  gDataDirectory = WithSlash(dir);
}

void RememberWorkingDirectoryAsDataDirectory() {
  std::error_code ec;
  const auto cwd = std::filesystem::current_path(ec);
  gDataDirectory = WithSlash(ec ? std::string(".") : cwd.string());
}

const std::string& DataDirectory() {
  if (gDataDirectory.empty())
    RememberWorkingDirectoryAsDataDirectory();
  return gDataDirectory;
}

std::string DataPath(const std::string& name) {
  if (!name.empty() && name.front() == '/')
    return name;
  return DataDirectory() + name;
}

} // namespace tarvik

namespace tarvik {

namespace {
std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return s;
}
} // namespace

std::string FindDataFile(const std::string& name) {
  const std::string exact = DataPath(name);
  std::error_code ec;
  if (name.empty() || std::filesystem::exists(exact, ec))
    return exact;
  const std::filesystem::path wanted(exact);
  const std::string lowerName = LowerAscii(wanted.filename().string());
  for (const auto& entry : std::filesystem::directory_iterator(wanted.parent_path(), ec)) {
    if (LowerAscii(entry.path().filename().string()) == lowerName)
      return entry.path().string();
  }
  return exact;
}

} // namespace tarvik
