#include "recordfile/failure_cause.h"

#include <cerrno>
#include <cstring>

#include "base/text_helpers.h"

namespace tarvik {

std::string OsErrorCause(int osError) {
  switch (osError) {
  case 0:
    return "";
  case EWOULDBLOCK:
#if EAGAIN != EWOULDBLOCK
  case EAGAIN:
#endif
    return "in use by another program";
  case ENOSPC:
  case EDQUOT:
    return "the disk is full";
  case EFBIG:
    return "the file has grown too large";
  case ENOENT:
    return "the file or directory does not exist";
  case ENOTDIR:
    return "a directory of the path does not exist";
  case EISDIR:
    return "a directory has this name";
  case EACCES:
  case EPERM:
    return "permission denied";
  case EROFS:
    return "the file system is read-only";
  case EIO:
    return "input/output error of the disk";
  case EMFILE:
  case ENFILE:
    return "too many open files";
  default:
    return std::string("operating-system error ") + std::to_string(osError) + " (" +
           std::strerror(osError) + ")";
  }
}

std::string OsErrorCauseText(int osError) {
  switch (osError) {
  case 0:
    return "";
  case EWOULDBLOCK:
#if EAGAIN != EWOULDBLOCK
  case EAGAIN:
#endif
    return ChooseText("Die Datei wird von einem anderen Programm benutzt.",
                      "The file is in use by another program.");
  case ENOSPC:
  case EDQUOT:
    return ChooseText("Der Datenträger ist voll.", "The disk is full.");
  case EFBIG:
    return ChooseText("Die Datei ist zu groß geworden.", "The file has grown too large.");
  case ENOENT:
  case ENOTDIR:
    return ChooseText("Die Datei oder das Verzeichnis existiert nicht.",
                      "The file or directory does not exist.");
  case EISDIR:
    return ChooseText("Unter diesem Namen steht ein Verzeichnis.", "A directory has this name.");
  case EACCES:
  case EPERM:
    return ChooseText("Keine Zugriffsberechtigung.", "Permission denied.");
  case EROFS:
    return ChooseText("Der Datenträger ist schreibgeschützt.", "The disk is read-only.");
  case EIO:
    return ChooseText("Ein-/Ausgabefehler des Datenträgers.", "Input/output error of the disk.");
  case EMFILE:
  case ENFILE:
    return ChooseText("Zu viele offene Dateien.", "Too many open files.");
  default:
    return ChooseText("Betriebssystemfehler ", "Operating system error ") +
           std::to_string(osError) + ".";
  }
}

std::string FileNotSavedMessage(std::string_view fileName, int osError) {
  const std::string name(fileName);
  const std::string message = ChooseText("Die Datei " + name + " konnte nicht gespeichert werden.",
                                         "The file " + name + " could not be saved.");
  const std::string cause = OsErrorCauseText(osError);
  return cause.empty() ? message : message + " " + cause;
}

std::string FileCallName(int osFunction) {
  switch (static_cast<FileCall>(osFunction)) {
  case FileCall::kNone:
    return "";
  case FileCall::kOpen:
    return "open";
  case FileCall::kClose:
    return "close";
  case FileCall::kRead:
    return "read";
  case FileCall::kWrite:
    return "write";
  case FileCall::kSeek:
    return "seek";
  case FileCall::kTell:
    return "position query";
  case FileCall::kSize:
    return "size query";
  case FileCall::kDelete:
    return "delete";
  case FileCall::kRename:
    return "rename";
  case FileCall::kFlush:
    return "flush";
  case FileCall::kExists:
    return "existence test";
  }
  return "";
}

std::string DescribeFailure(const FailureNote& note) {
  if (!note.any)
    return "";
  std::string line = note.fileblockName.empty() ? std::string() : note.fileblockName + ": ";
  line += "storage error " + std::to_string(note.entry.code);
  const std::string call = FileCallName(note.entry.osFunction);
  if (!call.empty())
    line += " in " + call;
  const std::string cause = OsErrorCause(note.entry.osError);
  if (!cause.empty())
    line += ": " + cause;
  return line;
}

} // namespace tarvik
