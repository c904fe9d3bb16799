#include "storage/data_directory.h"

#include <filesystem>
#include <system_error>

namespace tarvik {

namespace {
std::string gDataDirectory;

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}
} // namespace

void SetDataDirectory(const std::string& dir) { gDataDirectory = WithSlash(dir); }

void RememberWorkingDirectoryAsDataDirectory() {
  std::error_code ec;
  const auto cwd = std::filesystem::current_path(ec);
  gDataDirectory = WithSlash(ec ? std::string(".") : cwd.string());
}

const std::string& DataDirectory() {
  if (gDataDirectory.empty()) RememberWorkingDirectoryAsDataDirectory();
  return gDataDirectory;
}

std::string DataPath(const std::string& name) {
  if (!name.empty() && name.front() == '/') return name;
  return DataDirectory() + name;
}

} // namespace tarvik
