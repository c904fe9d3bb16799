#pragma once
// A fresh temporary directory per test, made the data directory (and working directory)
// while the guard lives, and removed afterwards.

#include <string>

namespace tarvik::test {

class TempDataDir {
public:
  TempDataDir();
  ~TempDataDir();
  TempDataDir(const TempDataDir&) = delete;
  TempDataDir& operator=(const TempDataDir&) = delete;

  /// The directory, with a trailing "/".
  const std::string& path() const { return path_; }
  /// path() + name.
  std::string file(const std::string& name) const { return path_ + name; }

private:
  std::string path_;
  std::string previousCwd_;
  std::string previousDataDir_;
};

/// Reads a whole file as bytes ("" when missing).
std::string ReadFileBytes(const std::string& path);
/// Writes bytes to a file, replacing it.
void WriteFileBytes(const std::string& path, const std::string& bytes);

} // namespace tarvik::test
