#pragma once
// The cause of a storage failure in words, from the operating-system error that the error
// channel keeps with every entry: a locked file is "in use by another program", ENOSPC is
// "the disk is full", rather than only an error number: in English for tarvik-tool, and in
// the program's language for its messages.

#include <string>
#include <string_view>

#include "recordfile/error_channel.h"

namespace tarvik {

/// What `osError` (an errno value) means for the person: "in use by another program",
/// "the disk is full", "the file or directory does not exist", ...; "" for 0.
std::string OsErrorCause(int osError);

/// What `osError` means, as a sentence in the current language (ChooseText): "Die Datei
/// wird von einem anderen Programm benutzt." / "The file is in use by another program.",
/// "Der Datenträger ist voll." / "The disk is full." ...; "" for 0. The program's messages
/// name the cause of a failure with it.
std::string OsErrorCauseText(int osError);

/// The message of a file that could not be saved: "Die Datei <name> konnte nicht gespeichert
/// werden." ("The file <name> could not be saved."), followed by OsErrorCauseText(osError)
/// when there is one ("... gespeichert werden. Der Datenträger ist voll.").
std::string FileNotSavedMessage(std::string_view fileName, int osError);

/// The file call of an error entry's OS function field: "open", "write", "flush", ...;
/// "" for none.
std::string FileCallName(int osFunction);

/// One line about a failure: "KXLK0001: storage error 10075 in write: the disk is full".
std::string DescribeFailure(const FailureNote& note);

} // namespace tarvik
