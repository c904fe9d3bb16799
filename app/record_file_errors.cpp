#include "app/record_file_errors.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "base/data_directory.h"
#include "base/dates.h"
#include "base/pictures.h"
#include "base/text_helpers.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/failure_cause.h"
#include "recordfile/file_io.h"

namespace tarvik {

namespace {

constexpr int kPageBuffers = 160;
constexpr int kOpenFileBudget = 32;
constexpr int kShortRead = 10070;

struct Handler {
  UserDialogs* dialogs = nullptr;
  const Clock* clock = nullptr;
  FileIo* io = nullptr;
  std::function<void()> haltAction;
  bool reporting = false;
};

Handler& State() {
  static Handler handler;
  return handler;
}

void DefaultHalt() {
  std::exit(kFatalStorageExitCode);
}

bool AnswerQuestion(const std::string& name, int reason) {
  if (reason == kReasonIndexDamaged || reason == kReasonFileMissing)
    return true;
  Handler& h = State();
  return h.dialogs != nullptr && h.dialogs->Confirm(RecordFileQuestionText(name, reason));
}

void Halt() {
  Handler& h = State();
  if (h.reporting)
    return;
  RunRecordFilesExitReport();
  if (h.haltAction) {
    h.haltAction();
  } else {
    DefaultHalt();
  }
}

bool Valid(const Fileblock* fb) {
  return IsFileblock(fb);
}

std::string ReportStamp(const Clock& clock) {
  const DateTime now = clock.LocalNow();
  const DayNumber day = DmyToDay(now.day, now.month, now.year);
  const TimeOfDay time = HmsToTime(now.hour, now.minute, now.second);
  return DayToText("dd/mm/yyyy", day) + "  " + TimeToText("hh:mm", time);
}

/// Opens the dump file for appending: in the data directory, or when that cannot be
/// written, under the same name in the system's directory for temporary files.
std::unique_ptr<File> OpenDumpFile(FileIo& io, const std::string& name) {
  std::unique_ptr<File> file;
  if (io.Open(DataPath(name), FileIo::Mode::kOpenOrCreate, FileIo::Lock::kNone, &file).ok())
    return file;
  std::error_code ec;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (ec)
    return nullptr;
  if (io.Open((temp / name).string(), FileIo::Mode::kOpenOrCreate, FileIo::Lock::kNone, &file).ok())
    return file;
  return nullptr;
}

void AppendDumpReport(const std::vector<ErrorEntry>& entries, Fileblock* current) {
  Handler& h = State();
  FileIo& io = h.io != nullptr ? *h.io : PosixFileIo();
  std::unique_ptr<File> file = OpenDumpFile(io, RecordFileErrors().DumpFileName());
  if (!file)
    return;
  std::uint64_t end = 0;
  if (!file->Size(&end).ok())
    return;
  // Each line is written on its own; a failing write ends the report there.
  auto line = [&](const std::string& text) {
    const std::string bytes = text + "\r\n";
    if (!file->WriteAt(end, bytes.data(), bytes.size()).ok())
      return false;
    end += bytes.size();
    return true;
  };
  if (!line(""))
    return;
  if (!line("*->  " + ReportStamp(h.clock != nullptr ? *h.clock : ProcessClock())))
    return;
  if (Valid(current)) {
    bool other = false;
    for (const ErrorEntry& e : entries)
      other = other || (Valid(e.fileblock) && e.fileblock != current);
    if (other && !line("     InitialFileblock  " + current->Name()))
      return;
  }
  for (const ErrorEntry& e : entries) {
    if (Valid(e.fileblock) && !line("     Fileblock  " + e.fileblock->Name()))
      return;
    if (!line("     - Err: " + std::to_string(ReducedErrorNumber(e.code))))
      return;
    // The operating system's own word on it: which call failed and why.
    if (e.osError != 0 && !line("     - OS: " + std::to_string(e.osError) + " " +
                                FileCallName(e.osFunction) + ": " + OsErrorCause(e.osError)))
      return;
  }
  // The report is the last the program writes before it ends: there is no one left to tell
  // that it could not be completed.
  (void)file->Sync();
  (void)file->Close();
}

/// Closes the fileblocks that failed without marking them clean, deletes the index of the
/// fileblock that a short read (10070) came from, and closes everything else.
void CloseAfterFailure(const std::vector<ErrorEntry>& entries, const ErrorEntry& chosen,
                       Fileblock* current) {
  if (!EngineRunning())
    return;
  std::vector<Fileblock*> failed;
  for (const ErrorEntry& e : entries) {
    if (e.errorClass > 2 && Valid(e.fileblock))
      failed.push_back(e.fileblock);
  }
  Fileblock* damagedIndex = nullptr;
  if (ReducedErrorNumber(chosen.code) == kShortRead) {
    damagedIndex =
        Valid(chosen.fileblock) ? chosen.fileblock : (Valid(current) ? current : nullptr);
    if (damagedIndex != nullptr)
      failed.push_back(damagedIndex);
  }
  for (Fileblock* fb : failed) {
    if (Valid(fb))
      (void)fb->CloseForRepair(); // the program is ending after the failure already reported
  }
  if (damagedIndex != nullptr && Valid(damagedIndex) && damagedIndex->NumKeys() > 0) {
    FileIo& io = State().io != nullptr ? *State().io : PosixFileIo();
    (void)io.Remove(damagedIndex->FilePath("IX")); // a failed deletion leaves the old index
  }
  (void)CloseAll(); // as above
}

} // namespace

bool StartRecordFiles(UserDialogs& dialogs, const Clock& clock, FileIo* io) {
  Handler& h = State();
  h.dialogs = &dialogs;
  h.clock = &clock;
  h.io = io;
  ErrorChannel& ch = RecordFileErrors();
  // The halt switch goes on only once the manager runs: a failed start has its own message.
  ch.SetHaltHandler(nullptr);
  ch.SetDumpFileName("RK.ERR");
  if (InitEngine(kPageBuffers, kOpenFileBudget, io) != 0) {
    dialogs.Inform(ChooseText("Dateiverwaltung konnte nicht initialisiert werden",
                              "Error initializising file manager"));
    return false;
  }
  ch.SetDumpFileName("IFD.ERR");
  ch.SetQuestion(AnswerQuestion);
  ch.SetHaltHandler(Halt);
  return true;
}

void StopRecordFiles() {
  // A failure to flush at the end goes through the handler, which reports it.
  if (EngineRunning())
    (void)ExitEngine();
}

void RunRecordFilesExitReport() {
  Handler& h = State();
  if (h.reporting)
    return;
  h.reporting = true;
  ErrorChannel& ch = RecordFileErrors();
  const int severity = ch.Severity();
  const std::vector<ErrorEntry> entries = ch.Entries();
  Fileblock* current = ch.CurrentFileblock();
  if (severity > 2)
    AppendDumpReport(entries, current);
  const ErrorEntry* chosen = nullptr;
  for (const ErrorEntry& e : entries) {
    if (chosen == nullptr || e.errorClass > chosen->errorClass)
      chosen = &e;
  }
  if (chosen != nullptr && chosen->errorClass > 2) {
    if (h.dialogs != nullptr) {
      std::string message = RecordFileErrorMessage(ReducedErrorNumber(chosen->code));
      if (const std::string cause = RecordFileCauseLine(*chosen); !cause.empty())
        message += "\r" + cause;
      h.dialogs->Inform(message);
    }
    CloseAfterFailure(entries, *chosen, current);
  }
  h.reporting = false;
}

void SetRecordFilesHaltAction(std::function<void()> action) {
  State().haltAction = std::move(action);
}

void DetachRecordFileHandler() {
  ErrorChannel& ch = RecordFileErrors();
  ch.SetHaltHandler(nullptr);
  ch.SetQuestion(nullptr);
  State() = Handler();
}

std::string RecordFileQuestionText(const std::string& fileblockName, int reason) {
  std::string text;
  switch (reason) {
  case kReasonLocked:
    text = ChooseText(" Record oder Datei gelockt. Noch einmal versuchen? ",
                      " Record or file locked. Retry ? ");
    break;
  case kReasonRecordLockFailed:
    text = ChooseText(" LockRec gescheitert. Noch einmal versuchen? ", " LockRec failed. Retry ? ");
    break;
  case kReasonFileLockFailed:
    text = ChooseText(" LockFileBlock gescheitert. Noch einmal versuchen? ",
                      " LockFileBlock failed. Retry ? ");
    break;
  case kReasonRecordDeleted:
    text =
        ChooseText(" Satz bereits gelöscht. Neuanlegen? ", " Record already deleted. New add ? ");
    break;
  case kReasonDriveNotReady:
    text =
        ChooseText(" Laufwerk nicht bereit. Noch einmal versuchen? ", " Drive not ready. Retry ? ");
    break;
  default:
    text =
        ChooseText(" undefinierter Fehler. Noch einmal versuchen? ", " undefined Error. Retry ? ");
    break;
  }
  return fileblockName.substr(0, 40) + ": " + text;
}

int ReducedErrorNumber(int code) {
  return code >= 0x3000 ? (code & 0xFFF) : code;
}

std::string RecordFileErrorMessage(int n) {
  std::string lines[6];
  lines[0] = n == 10140
                 ? ChooseText("Datenbankzugriff verweigert!", "No data access!")
                 : ChooseText("Fehlercode: ", "errorcode: ") + FormatLongPicture("########", n);
  lines[1] = ChooseText("Das Programm wird abgebrochen. ", "The program will be cancled. ");
  switch (n) {
  case 91:
    lines[2] = ChooseText("Mögliche Fehlerursache: zu wenig Filehandle",
                          "Possible error cause: not enough filehandle");
    lines[3] = ChooseText("Mögliche Fehlerbehebung: Erhöhen Sie den Wert",
                          "Possible error correction:Increase FILES in ");
    lines[4] = ChooseText("in der Datei CONFIG.SYS auf 100.", "the file CONFIG.SYS to 100.");
    break;
  case 10140:
  case 10141:
    lines[2] = ChooseText("Mögl.Ursachen: Programmpfad zu lang (>50) o.Schreibschutz auf Datei "
                          "o.and.Quenzo-Progr.aktiv.",
                          "Possible error cause: Ostrel always activ.");
    lines[3] = ChooseText("Mögl.Behebung: Progr.in Ordner \"Programme\" install. o.Schreibschutz "
                          "auf Dateien des Programms entfernen o.and.Quenzo-Progr.beenden!",
                          "Possible error correction: Cancel Ostrel");
    break;
  case 10075:
    lines[2] = ChooseText("Mögliche Fehlerursache: Zu wenig Plattenspeicher.",
                          "Possible error cause: Not enough disk space.");
    lines[3] = ChooseText("Mögliche Fehlerbehebung: Erhöhen Sie den freien",
                          "Possible error correction: Increase free space");
    lines[4] = ChooseText("Festplattenspeicher.", "on hard disk.");
    break;
  case kShortRead:
    lines[2] = ChooseText("Mögliche Fehlerursache: Indexdatei defekt.",
                          "Possible error cause: incorrect index file.");
    lines[3] = ChooseText("Mögliche Fehlerbehebung: Tritt dieser Fehler nach",
                          "Possible error correction: Restart the program.");
    lines[4] = ChooseText("Neustart wieder auf: Informieren Sie die Hotline.",
                          "If error continues: Inform the hotline.");
    break;
  case 10465:
    lines[2] = ChooseText("Mögliche Fehlerursache: Reorg. fehlgeschlagen.",
                          "Possible error cause: Reorganisation failure.");
    lines[3] = ChooseText("Mögliche Fehlerbehebung: Tritt gleicher Fehler",
                          "Possible error correction: Restart the program.");
    lines[4] = ChooseText("nach Neustart wieder auf: Benennen Sie .SAV-",
                          "If error continues: Rename .SAV-files");
    lines[5] = ChooseText("Dateien in .DAT-Dateien um.", "to .DAT-files.");
    break;
  default:
    break;
  }
  std::string message = lines[0];
  for (int i = 1; i < 6; ++i)
    message += "\r" + lines[i];
  return message;
}

std::string RecordFileCauseLine(const ErrorEntry& entry) {
  if (entry.osError == 0)
    return "";
  std::string line = ChooseText("Ursache: ", "Cause: ");
  if (Valid(entry.fileblock))
    line += entry.fileblock->Name() + ": ";
  return line + OsErrorCauseText(entry.osError);
}

} // namespace tarvik
