#pragma once
// Small text files the header window and the file editor read and write: Windows-1252 bytes,
// lines ended by CR LF, an existing file replaced as a whole. `io` is the file system
// (nullptr: the real one).

#include <optional>
#include <string>
#include <string_view>

#include "recordfile/atomic_file.h"

namespace tarvik {

/// The whole file as bytes; nullopt when it cannot be read (a missing file included).
[[nodiscard]] std::optional<std::string> ReadTextFile(const std::string& path,
                                                      FileIo* io = nullptr);

/// `text` with every line end (CR LF, a lone LF or a lone CR) written as CR LF.
std::string WithCrLf(std::string_view text);

/// Writes `text` with CR LF line ends, replacing the file. The new text goes into a
/// temporary file beside it first, which then takes the file's place, so that a failure
/// leaves the old file as it was; the result then says why.
FileWriteResult WriteTextFile(const std::string& path, std::string_view text, FileIo* io = nullptr);

} // namespace tarvik
