#include "recordfile/fileblock_layouts.h"

#include <memory>

#include "recordfile/engine.h"

namespace tarvik {

namespace {

std::vector<FileblockLayout>& Layouts() {
  static std::vector<FileblockLayout> layouts;
  return layouts;
}

std::string BaseName(const std::string& path) {
  std::string name = path;
  const auto slash = name.rfind('/');
  if (slash != std::string::npos)
    name.erase(0, slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos)
    name.resize(dot);
  return name;
}

} // namespace

void RegisterFileblockLayout(FileblockLayout layout) {
  for (FileblockLayout& existing : Layouts()) {
    if (existing.name == layout.name) {
      existing = std::move(layout);
      return;
    }
  }
  Layouts().push_back(std::move(layout));
}

const FileblockLayout* FindFileblockLayout(const std::string& path) {
  const std::string base = BaseName(path);
  for (const FileblockLayout& layout : Layouts()) {
    if (layout.matches && layout.matches(base))
      return &layout;
  }
  return nullptr;
}

Fileblock* CreateFileblockFromLayout(const FileblockLayout& layout, const std::string& name,
                                     const std::string& fileName) {
  FileblockParams params;
  params.name = name;
  params.fileName = fileName;
  params.variable = layout.variable;
  params.recordLength = layout.recordLength;
  params.numKeys = static_cast<int>(layout.keys.size());
  params.bufferSize = layout.bufferSize;
  params.keyBuilder = layout.keyBuilder;
  Fileblock* fb = CreateFileblock(params);
  if (fb == nullptr)
    return nullptr;
  int severity = 0;
  for (std::size_t i = 0; i < layout.keys.size() && severity == 0; ++i)
    severity =
        fb->DefineKey(static_cast<int>(i) + 1, layout.keys[i].length, layout.keys[i].allowDups);
  for (std::size_t i = 0; i < layout.keys.size() && severity == 0; ++i) {
    if (layout.keys[i].autoNumberOffset >= 0)
      severity = fb->DefineAutoNumber(static_cast<int>(i) + 1, layout.keys[i].autoNumberOffset);
  }
  if (severity == 0)
    severity = fb->SetFlushAfterChange(layout.flushAfterChange);
  if (severity == 0)
    severity = fb->SetIndexCheckAtOpen(layout.checkIndexAtOpen);
  if (severity != 0) {
    const auto entries = RecordFileErrors().Entries();
    (void)DestroyFileblock(fb); // nothing was opened; the definition error is the one kept
    // Keep the definition error visible to the caller.
    for (const ErrorEntry& e : entries)
      RecordFileErrors().Record(e, e.errorClass);
    return nullptr;
  }
  return fb;
}

} // namespace tarvik
