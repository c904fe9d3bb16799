#pragma once
// The cause of a storage failure in words, from the operating-system error that the error
// channel keeps with every entry: a locked file is "in use by another program", ENOSPC is
// "the disk is full", rather than only an error number. English, for tarvik-tool; the
// program's handler has its own bilingual texts.

#include <string>

#include "recordfile/error_channel.h"

namespace tarvik {

/// What `osError` (an errno value) means for the person: "in use by another program",
/// "the disk is full", "the file or directory does not exist", ...; "" for 0.
std::string OsErrorCause(int osError);

/// The file call of an error entry's OS function field: "open", "write", "flush", ...;
/// "" for none.
std::string FileCallName(int osFunction);

/// One line about a failure: "KXLK0001: storage error 10075 in write: the disk is full".
std::string DescribeFailure(const FailureNote& note);

} // namespace tarvik
