#pragma once
// File calls of the engine: each maps a failing call to the engine's error number and
// remembers the operating system's error code in the error channel.

#include <cstdint>
#include <memory>
#include <string>

#include "recordfile/file_io.h"
#include "recordfile/status.h"

namespace tarvik {

/// Reads exactly `n` bytes; fewer bytes (end of file) fail with 10070.
Status ReadExact(File& file, std::uint64_t offset, void* buf, std::size_t n);
/// Reads up to `n` bytes; `*got` tells how many were there.
Status ReadSome(File& file, std::uint64_t offset, void* buf, std::size_t n, std::size_t* got);
Status WriteAll(File& file, std::uint64_t offset, const void* buf, std::size_t n);
Status SyncFile(File& file);
Status TruncateFile(File& file, std::uint64_t size);
Status FileSize(File& file, std::uint64_t* size);
Status CloseFile(std::unique_ptr<File>& file);
Status OpenFile(FileIo& io, const std::string& path, FileIo::Mode mode, FileIo::Lock lock,
                std::unique_ptr<File>* file);
Status RemoveFile(FileIo& io, const std::string& path);
Status RenameFile(FileIo& io, const std::string& from, const std::string& to);
/// Makes the creations, renames and removals in the directory of `path` durable.
Status SyncDirectory(FileIo& io, const std::string& path);

} // namespace tarvik
