#include "recordfile/storage_tool.h"

#include <cstdio>
#include <memory>

#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/failure_cause.h"
#include "recordfile/file_io.h"
#include "recordfile/fileblock_layouts.h"
#include "recordfile/format.h"
#include "recordfile/integrity_check.h"
#include "recordfile/tool_engine.h"

namespace tarvik {

namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", c);
    out += buf;
  }
  return out;
}

void HexDump(std::ostream& out, const std::string& bytes) {
  char buf[24];
  for (std::size_t row = 0; row < bytes.size(); row += 16) {
    std::snprintf(buf, sizeof buf, "%04zX", row);
    out << "  " << buf << " ";
    std::string text;
    for (std::size_t i = row; i < row + 16; ++i) {
      if (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::snprintf(buf, sizeof buf, " %02X", c);
        out << buf;
        text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '.';
      } else {
        out << "   ";
      }
    }
    out << "  |" << text << "|\n";
  }
}

} // namespace

int CheckFileblockCommand(const std::string& name, std::ostream& out, std::ostream& err,
                          FileIo& io) {
  const CheckReport report = CheckFileblockFiles(io, name);
  for (const std::string& problem : report.problems)
    err << name << ": " << problem << "\n";
  if (!report.ok())
    return 1;
  out << "ok: " << report.liveRecords << " records, " << report.numKeys << " keys\n";
  return 0;
}

std::string DataDirectoryOfFileblock(const std::string& name) {
  return DirectoryOf(name);
}

namespace {

[[nodiscard]] int Dump(const std::string& name, int key, std::ostream& out, std::ostream& err,
                       FileIo& io) {
  std::vector<std::string> problems;
  std::int32_t entries = 0;
  const bool walked = WalkKeyEntries(
      io, name, key,
      [&](std::int32_t record, const std::string& k) {
        ++entries;
        out << "record " << record << " key " << Hex(k) << "\n";
        std::string bytes;
        if (ReadDataRecord(io, name, record, &bytes)) {
          HexDump(out, bytes);
        } else {
          out << "  (record not in the data file)\n";
        }
      },
      &problems);
  for (const std::string& problem : problems)
    err << name << ": " << problem << "\n";
  if (!walked)
    return 1;
  out << entries << " entries in key " << key << "\n";
  return problems.empty() ? 0 : 1;
}

int Repair(const std::string& name, std::ostream& out, std::ostream& err, FileIo& io) {
  const FileblockLayout* layout = FindFileblockLayout(name);
  if (layout == nullptr) {
    // Without the key builder the keys cannot be rebuilt here; marking the data file as
    // not flushed makes the program rebuild them with its own builder at the next open.
    std::unique_ptr<File> file;
    if (IoResult r =
            io.Open(name + ".DAT", FileIo::Mode::kReadWrite, FileIo::Lock::kExclusive, &file);
        !r.ok()) {
      err << name << ": the data file cannot be opened: " << OsErrorCause(r.osError()) << "\n";
      return 1;
    }
    const std::uint8_t one = 1;
    IoResult written = file->WriteAt(format::kHdrInUse, &one, 1);
    if (written.ok())
      written = file->Sync();
    if (!written.ok()) {
      err << name << ": the data file cannot be written: " << OsErrorCause(written.osError())
          << "\n";
      return 1;
    }
    out << name << ": no key layout is known for this file; it is marked for repair, which the "
        << "program performs when it next opens it\n";
    return 0;
  }
  const bool started = !EngineRunning();
  if (started && InitEngine(160, 32, &io) != 0) {
    err << name << ": the record-file engine cannot start\n";
    return 1;
  }
  int code = 0;
  Fileblock* fb = CreateFileblockFromLayout(*layout, layout->name, name);
  int severity = fb == nullptr ? 4 : fb->Repair();
  if (severity != 0) {
    for (const ErrorEntry& e : RecordFileErrors().Entries()) {
      const std::string cause = OsErrorCause(e.osError);
      err << name << ": repair failed, error " << e.code << (cause.empty() ? "" : ": " + cause)
          << "\n";
    }
    code = 1;
  }
  // Closing writes what the repair left in the caches: a repair is only done once closed.
  if (fb != nullptr && DestroyFileblock(fb) != 0 && code == 0) {
    err << name << ": the repaired files could not be closed\n";
    code = 1;
  }
  if (started && ExitEngine() != 0 && code == 0) {
    err << name << ": the record-file manager could not be stopped in order\n";
    code = 1;
  }
  if (code == 0) {
    const CheckReport report = CheckFileblockFiles(io, name);
    out << name << ": repaired, " << report.liveRecords << " records, " << report.numKeys
        << " keys\n";
  }
  return code;
}

} // namespace

const char* StorageToolUsage() {
  return "  check NAME            verify the data and index file of fileblock NAME\n"
         "                        (path without extension); of a program file (KXKK,\n"
         "                        KXLK0001, KXPREFIX ...) also every key entry against the\n"
         "                        program's key builder; exit 1 on damage\n"
         "                        e.g. tarvik-tool check KXLK0001\n"
         "  dump NAME [--key K] [--fields]\n"
         "                        list the entries of key K (default 1) in key order, each\n"
         "                        with its record in hex, or with --fields (a QSO log, KXKK\n"
         "                        or a prefix table) field by field\n"
         "                        e.g. tarvik-tool dump KXLK0001 --fields --key 13\n"
         "  repair NAME           reorganise the data file and rebuild every key\n"
         "                        e.g. tarvik-tool repair KXLK0001\n";
}

int RunStorageToolCommand(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err) {
  return RunStorageToolCommand(args, out, err, PosixFileIo());
}

int RunStorageToolCommand(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err, FileIo& io) {
  if (args.empty())
    return -1;
  const std::string& command = args[0];
  if (command != "check" && command != "dump" && command != "repair")
    return -1;
  if (args.size() < 2) {
    err << "tarvik-tool " << command << ": NAME missing\n";
    return 2;
  }
  const std::string& name = args[1];
  if (command == "check" || command == "repair") {
    if (args.size() != 2)
      return 2;
    if (command == "check") {
      return RunWithDataDirectoryLock(
          io, DataDirectoryOfFileblock(name), err,
          [&] { return CheckFileblockCommand(name, out, err, io); }, DirectoryUse::kReadOnly);
    }
    return RunWithDataDirectoryLock(io, DataDirectoryOfFileblock(name), err,
                                    [&] { return Repair(name, out, err, io); });
  }
  int key = 1;
  if (args.size() == 4 && args[2] == "--key") {
    try {
      key = std::stoi(args[3]);
    } catch (...) {
      key = 0;
    }
    if (key < 1) {
      err << "tarvik-tool dump: --key needs a key number from 1\n";
      return 2;
    }
  } else if (args.size() != 2) {
    err << "usage: tarvik-tool dump NAME [--key K]\n";
    return 2;
  }
  return RunWithDataDirectoryLock(
      io, DataDirectoryOfFileblock(name), err, [&] { return Dump(name, key, out, err, io); },
      DirectoryUse::kReadOnly);
}

} // namespace tarvik
