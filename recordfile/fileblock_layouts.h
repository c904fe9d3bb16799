#pragma once
// Layouts of the program's fileblocks (record length, keys, key builder) registered by
// the code that owns each file, so that tools can open and repair a fileblock by its file
// name alone.

#include <functional>
#include <string>
#include <vector>

#include "recordfile/fileblock.h"

namespace tarvik {

struct KeyDefinition {
  int length = 0;
  bool allowDups = true;
  int autoNumberOffset = -1; // a 32-bit field of the record numbered by Add, or -1
};

struct FileblockLayout {
  std::string name; // for messages, e.g. "KXLK"
  /// Whether a file name without directory and extension (e.g. "KXLK0012") is this one.
  std::function<bool(const std::string& baseName)> matches;
  int recordLength = 0;
  bool variable = false;
  int bufferSize = 0; // 0: the record length
  std::vector<KeyDefinition> keys;
  KeyBuilder keyBuilder;
  bool flushAfterChange = false;
  /// Every opening compares the index with the data file and rebuilds an index that
  /// disagrees (Fileblock::SetIndexCheckAtOpen).
  bool checkIndexAtOpen = false;
};

/// Adds a layout (a later registration for the same name replaces the earlier one).
void RegisterFileblockLayout(FileblockLayout layout);
/// The layout whose `matches` accepts the base name of `path`, or nullptr.
[[nodiscard]] const FileblockLayout* FindFileblockLayout(const std::string& path);

/// Creates and defines a fileblock object for `layout` at `fileName`. nullptr (with the
/// error in the channel) when creating or a definition fails.
[[nodiscard]] Fileblock* CreateFileblockFromLayout(const FileblockLayout& layout,
                                                   const std::string& name,
                                                   const std::string& fileName);

} // namespace tarvik
