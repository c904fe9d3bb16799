#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

#include "base/data_directory.h"

namespace tarvik::test {

TempDataDir::TempDataDir() {
  std::string templ = (std::filesystem::temp_directory_path() / "tarvik-test-XXXXXX").string();
  if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = templ + "/";
  previousCwd_ = std::filesystem::current_path().string();
  previousDataDir_ = DataDirectory();
  std::filesystem::current_path(templ);
  SetDataDirectory(path_);
}

TempDataDir::~TempDataDir() {
  std::error_code ec;
  std::filesystem::current_path(previousCwd_, ec);
  SetDataDirectory(previousDataDir_);
  if (std::getenv("TARVIK_KEEP_TEST_DIRS") == nullptr) std::filesystem::remove_all(path_, ec);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace tarvik::test
