#include "base/shared_files.h"

#include <filesystem>
#include <system_error>

namespace tarvik {

namespace {

std::string& OverrideDirectory() {
  static std::string dir;
  return dir;
}

void AddUnique(std::vector<std::string>& list, const std::filesystem::path& dir) {
  const std::string text = dir.lexically_normal().string();
  if (text.empty())
    return;
  for (const std::string& known : list)
    if (known == text)
      return;
  list.push_back(text);
}

} // namespace

std::string ProgramDirectory() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty())
    return std::string();
  return exe.parent_path().string();
}

std::vector<std::string> SharedFilesDirectories() {
  std::vector<std::string> dirs;
  if (!OverrideDirectory().empty()) {
    dirs.push_back(OverrideDirectory());
    return dirs;
  }
  const std::string program = ProgramDirectory();
  if (!program.empty()) {
    const std::filesystem::path at(program);
    AddUnique(dirs, at / ".." / "share" / "tarvik");
    AddUnique(dirs, at / "share" / "tarvik");
  }
#ifdef TARVIK_INSTALL_SHARE_DIR
  AddUnique(dirs, std::filesystem::path(TARVIK_INSTALL_SHARE_DIR));
#endif
  return dirs;
}

void SetSharedFilesDirectory(std::string dir) {
  OverrideDirectory() = std::move(dir);
}

std::string FindSharedFile(std::string_view relative) {
  std::error_code ec;
  for (const std::string& dir : SharedFilesDirectories()) {
    const std::filesystem::path candidate = std::filesystem::path(dir) / relative;
    if (std::filesystem::exists(candidate, ec))
      return candidate.string();
  }
  return std::string();
}

} // namespace tarvik
