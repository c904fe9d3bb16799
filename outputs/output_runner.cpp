#include "outputs/output_runner.h"

#include "base/cp1252.h"
#include "contest/cabrillo_catalog.h"
#include "contest/contest_traits.h"
#include "country/prefix_lookup.h"
#include "datafiles/program_files.h"
#include "outputs/adif_export.h"
#include "outputs/band_list.h"
#include "outputs/cabrillo_file.h"
#include "outputs/cover_sheet.h"
#include "outputs/csv_export.h"
#include "outputs/multi_check_list.h"
#include "outputs/output_kinds.h"
#include "outputs/paper_page.h"
#include "outputs/qso_list.h"
#include "outputs/stf_file.h"
#include "outputs/text_file_writer.h"
#include "recordfile/fileblock.h"
#include "recordfile/index_check.h"
#include "recordfile/memory_file_io.h"

namespace tarvik {

namespace {

/// The contest's QSO file, open for one run, its index compared with its data file first
/// (and rebuilt from it when they disagree), whether or not another part of the program
/// has the log open already: every walk of the writers then reaches every QSO.
class OpenLog {
public:
  explicit OpenLog(int contestNumber) : log_(OpenProgramFile(ProgramFile::kQsoLog, contestNumber)) {
    if (log_ == nullptr)
      return;
    // Opening the files compares them already; a log open before is compared now.
    const bool checkedByOpening = !log_->IsOpen() && log_->ChecksIndexAtOpen();
    IndexFindings findings;
    if (log_->EnsureOpen() != 0 || (!checkedByOpening && log_->CheckIndex(true, &findings) != 0)) {
      CloseProgramFile(log_);
      log_ = nullptr;
    }
  }
  ~OpenLog() { CloseProgramFile(log_); }
  OpenLog(const OpenLog&) = delete;
  OpenLog& operator=(const OpenLog&) = delete;

  Fileblock* get() const { return log_; }

  /// After a writer found QSOs missing: true when the index disagreed with the data file
  /// once more and has been rebuilt, so that writing again is worth it.
  bool RepairedAgain() {
    IndexFindings findings;
    return log_->CheckIndex(true, &findings) == 0 && !findings.Agree();
  }

private:
  Fileblock* log_;
};

/// Removes an older file of the name an output that is not complete was meant for, so that
/// no file is left that could be taken for the new one (only a plain file: the target may be
/// a device).
void RemoveIncompleteFile(FileIo& io, const std::string& path) {
  // The person is told that the file was not created; an older file that cannot be removed
  // is complete in itself, so its removal failing is not reported besides.
  if (io.FileExists(path))
    (void)io.Remove(path);
}

/// A record's bytes, filled up with zeros to its length when the caller's copy is short.
std::string RecordBytes(const std::string& bytes, int length) {
  std::string out = bytes;
  if (out.size() < static_cast<std::size_t>(length))
    out.resize(static_cast<std::size_t>(length), '\0');
  return out;
}

/// Views and totals of the contest for the writers.
struct Source {
  Source(const OutputContest& contest, Fileblock& log, const Clock& clock)
      : header(RecordBytes(contest.header, ContestHeaderRecord::kLength)),
        extension(RecordBytes(contest.extension, ContestExtensionRecord::kLength)),
        source{contest.contestCode,
               contest.definition,
               ContestHeaderRecord(header.data()),
               ContestExtensionRecord(extension.data()),
               contest.station,
               ReadOutputTotals(contest.definition, ContestHeaderRecord(header.data()),
                                ContestExtensionRecord(extension.data())),
               log,
               clock} {}

  const std::string header;
  const std::string extension;
  OutputSource source;
};

int ContestNumberOf(const OutputContest& contest) {
  if (contest.header.size() < ContestHeaderRecord::kLength)
    return 0;
  return ContestHeaderRecord(contest.header.data()).contestNumber();
}

bool WriteKind(int kind, TextFileWriter& out, const OutputSource& source,
               const std::function<bool()>& askRstOnly, const ParticipantEditor& editParticipant,
               const Clock& clock, const OutputContest& contest) {
  switch (kind) {
  case output_kind::kCabrilloFile:
    return WriteCabrilloFile(out, source, contest.cabrilloContest);
  case output_kind::kELogCover:
    return WriteCoverSheetFile(out, source);
  case output_kind::kELogQsoList:
    return WriteQsoListFile(out, source);
  case output_kind::kELogBandList:
    return WriteBandListFile(out, source);
  case output_kind::kELogWhole: {
    // The cover sheet, then the QSO list (or, for code i, the band list).
    const bool cover = WriteCoverSheetFile(out, source);
    const bool list = TraitsOf(source.contestCode).wholeLogWithBandList
                          ? WriteBandListFile(out, source)
                          : WriteQsoListFile(out, source);
    return cover && list;
  }
  case output_kind::kELogMultiCheck:
    return WriteMultiCheckListFile(out, source);
  case output_kind::kEdiFile:
    return WriteEdiFile(out, source, editParticipant, contest.ediBand);
  case output_kind::kStfFile:
    return WriteStfFile(out, source);
  case output_kind::kCsvFile:
    return WriteCsvFile(out, source);
  case output_kind::kAdifFile: {
    // The DXCC numbers come from the prefix tables (shared with the session when it has
    // them open).
    PrefixTables tables = OpenPrefixTables();
    PrefixLookup lookup(tables, clock);
    const bool complete =
        WriteAdifFile(out, source, askRstOnly, [&](std::string_view prefix) -> std::string {
          return tables.main != nullptr ? lookup.DxccNumber(prefix) : std::string();
        });
    ClosePrefixTables(tables);
    return complete;
  }
  default:
    return false;
  }
}

std::string CategoryShortName(const OutputContest& contest) {
  if (contest.header.size() < ContestHeaderRecord::kLength)
    return {};
  const ContestCategory* category =
      contest.definition.Category(ContestHeaderRecord(contest.header.data()).category());
  return category != nullptr ? category->shortName : std::string();
}

std::string OwnCall(const OutputContest& contest) {
  if (contest.header.size() < ContestHeaderRecord::kLength)
    return {};
  return ContestHeaderRecord(contest.header.data()).ownCall();
}

/// A file that goes to a robot: written into memory first, checked as the robot reads it,
/// and put in place of `path` when the check finds nothing or the person writes it anyway.
void RunCheckedFileKind(const OutputKindInfo& info, const OutputContest& contest,
                        const OutputServices& services, const std::string& path,
                        const std::string& shownName) {
  UserDialogs& dialogs = *services.dialogs;
  MemoryFileIo memory;
  const std::string draft = "draft";
  FileWriteResult fileResult;
  const OutputFileStatus status = WriteOutputFile(
      info.kind, contest, draft, [&] { return dialogs.Confirm(RstOnlyQuestion()); },
      *services.clock, services.editParticipant, &memory, &fileResult);
  switch (status) {
  case OutputFileStatus::kWritten:
    break;
  case OutputFileStatus::kLogIncomplete:
    dialogs.Inform(FileIncompleteMessage(shownName));
    return;
  case OutputFileStatus::kNotCreated:
  case OutputFileStatus::kWriteFailed:
    dialogs.Inform(FileNotCreatedMessage(shownName, fileResult.osError()));
    return;
  case OutputFileStatus::kNotAvailable:
  case OutputFileStatus::kLogNotOpened:
    return; // the storage layer has reported why
  }
  const std::string bytes = memory.FileContents(draft);
  const std::vector<FileFinding> findings = CheckFile(bytes, CheckContextOf(contest, info.kind));
  if (!findings.empty() && services.reviewFindings && !services.reviewFindings(findings, shownName))
    return;
  FileIo& io = services.files != nullptr ? *services.files : PosixFileIo();
  if (FileWriteResult r = WriteFileAtomically(io, path, bytes); !r.ok()) {
    dialogs.Inform(FileNotCreatedMessage(shownName, r.osError()));
    return;
  }
  if (info.doneMessage)
    dialogs.Inform(FileCreatedMessage(shownName));
  if (info.editor && services.showFile)
    services.showFile(path);
}

/// The EDI files of a log with QSOs on several bands: one per band, the participant dialog
/// once for all of them.
void RunEdiPerBand(const OutputKindInfo& info, const OutputContest& contest,
                   const OutputServices& services, const std::string& bands) {
  UserDialogs& dialogs = *services.dialogs;
  std::optional<ParticipantData> checked;
  OutputServices perBand = services;
  perBand.editParticipant = [&](ParticipantData& p) {
    if (checked) {
      p = *checked;
      return;
    }
    if (services.editParticipant)
      services.editParticipant(p);
    checked = p;
  };
  const std::string ownCall = OwnCall(contest);
  for (const char band : bands) {
    const std::string name = EdiBandFileName(ownCall, band);
    dialogs.Inform("Geben Sie im folgenden Dialog an, wohin die " + std::string(info.words) + name +
                   " gespeichert werden soll.");
    FileDialogRequest request;
    request.filter = std::string(info.filter) + name;
    request.defaultExtension = info.extension;
    request.proposedName = name;
    const std::optional<std::string> path = dialogs.AskSaveFile(request);
    if (!path || path->empty())
      return;
    OutputContest one = contest;
    one.ediBand = band;
    RunCheckedFileKind(info, one, perBand, *path, FileSystemNameToText(*path));
  }
}

/// The bands of the contest's QSOs; "" when the log cannot be read (the run then reports
/// it as for a single file).
std::string BandsOfLog(const OutputContest& contest) {
  OpenLog log(ContestNumberOf(contest));
  std::string bands;
  if (log.get() == nullptr || !EdiBandsOfLog(*log.get(), &bands))
    return {};
  return bands;
}

void RunFileKind(const OutputKindInfo& info, const OutputContest& givenContest,
                 const OutputServices& services) {
  UserDialogs& dialogs = *services.dialogs;
  OutputContest contest = givenContest;
  if (info.kind == output_kind::kCabrilloFile) {
    // The CONTEST value, which robots compare with their own name of the contest.
    std::string name = contest.cabrilloContest.empty()
                           ? std::string(CabrilloContestName(contest.contestCode))
                           : contest.cabrilloContest;
    if (services.editCabrilloContest && !services.editCabrilloContest(name))
      return;
    contest.cabrilloContest = name;
  }
  if (info.kind == output_kind::kEdiFile && contest.ediBand == 0) {
    if (const std::string bands = BandsOfLog(contest); bands.size() > 1) {
      RunEdiPerBand(info, contest, services, bands);
      return;
    }
  }
  const std::string ownCall = OwnCall(contest);
  dialogs.Inform(SaveLocationMessage(info.kind, ownCall));
  FileDialogRequest request;
  request.filter = SaveDialogFilter(info.kind, ownCall);
  request.defaultExtension = info.extension;
  request.proposedName = ProposedFileName(info.kind, ownCall, CategoryShortName(contest));
  const std::optional<std::string> path = dialogs.AskSaveFile(request);
  if (!path || path->empty())
    return;
  const std::string shownName = FileSystemNameToText(*path);
  if (CheckedBeforeWriting(info.kind)) {
    RunCheckedFileKind(info, contest, services, *path, shownName);
    return;
  }
  FileWriteResult fileResult;
  const OutputFileStatus status = WriteOutputFile(
      info.kind, contest, *path, [&] { return dialogs.Confirm(RstOnlyQuestion()); },
      *services.clock, services.editParticipant, services.files, &fileResult);
  switch (status) {
  case OutputFileStatus::kNotAvailable:
    return;
  case OutputFileStatus::kNotCreated:
  case OutputFileStatus::kWriteFailed:
    dialogs.Inform(FileNotCreatedMessage(shownName, fileResult.osError()));
    break;
  case OutputFileStatus::kLogNotOpened:
    return; // the storage layer has reported why
  case OutputFileStatus::kLogIncomplete:
    dialogs.Inform(FileIncompleteMessage(shownName));
    return;
  case OutputFileStatus::kWritten:
    if (info.doneMessage)
      dialogs.Inform(FileCreatedMessage(shownName));
    break;
  }
  // The editor shows what was written; a file that could not be written is not shown.
  if (status == OutputFileStatus::kWritten && info.editor && services.showFile)
    services.showFile(*path);
}

void RunPrintedKind(const OutputKindInfo& info, const OutputContest& contest,
                    const OutputServices& services) {
  if (services.printer == nullptr) {
    services.dialogs->Inform(NoPrinterMessage());
    return;
  }
  std::unique_ptr<PrintJob> job =
      services.printer->StartJob(contest.definition.ContestName + " - " + info.caption);
  if (!job)
    return;
  const PrintStatus status = PrintOutput(info.kind, contest, *job, *services.clock);
  // A job that cannot be completed has not printed (or its PDF file is not whole).
  if (!job->Finish())
    services.dialogs->Inform(PrintJobNotFinishedMessage());
  else if (status == PrintStatus::kLogIncomplete)
    services.dialogs->Inform(PrintIncompleteMessage());
}

} // namespace

bool CheckedBeforeWriting(int kind) {
  return kind == output_kind::kStfFile || kind == output_kind::kAdifFile ||
         kind == output_kind::kEdiFile || kind == output_kind::kCabrilloFile;
}

FileCheckContext CheckContextOf(const OutputContest& contest, int kind) {
  FileCheckContext c;
  const ContestDefinition& def = contest.definition;
  c.bands = def.Bands;
  for (const std::string& mode : def.Modes)
    if (!mode.empty())
      c.modes.push_back(mode);
  c.dupeRule = def.DupeRule;
  if (kind == output_kind::kCabrilloFile)
    c.cabrilloSentColumns = 1 + CabrilloSentColumns(def);
  if (contest.header.size() < ContestHeaderRecord::kLength)
    return c;
  const std::string extension = RecordBytes(contest.extension, ContestExtensionRecord::kLength);
  const ContestHeaderRecord h(contest.header.data());
  if (h.dateFrom() > 0 && h.dateTo() > 0) {
    c.periodFrom = h.dateFrom();
    c.periodTo = h.dateTo();
    c.timeFrom = h.timeFrom() > 0 ? h.timeFrom() : BadTime;
    c.timeTo = h.timeTo() > 0 ? h.timeTo() : BadTime;
    c.slackMinutes = 60 * (def.UtcOffsetHours < 0 ? -def.UtcOffsetHours : def.UtcOffsetHours);
  }
  c.claimedScore = ReadOutputTotals(def, h, ContestExtensionRecord(extension.data())).score;
  return c;
}

int PrinterFontPoints(int kind, int category) {
  if (kind == output_kind::kPaperMultiCheck)
    return 10;
  if ((kind == output_kind::kPaperBandList || kind == output_kind::kPaperQsoList) && category == 4)
    return 8;
  return 9;
}

OutputFileStatus WriteOutputFile(int kind, const OutputContest& contest, const std::string& path,
                                 const std::function<bool()>& askRstOnly, const Clock& clock,
                                 const ParticipantEditor& editParticipant, FileIo* files,
                                 FileWriteResult* fileResult) {
  const OutputKindInfo* info = FindOutputKind(kind);
  if (info == nullptr || info->printer)
    return OutputFileStatus::kNotAvailable;
  FileIo& io = files != nullptr ? *files : PosixFileIo();
  auto failed = [&](OutputFileStatus status, FileWriteResult result) {
    if (fileResult != nullptr)
      *fileResult = result;
    return status;
  };
  TextFileWriter out(io);
  if (FileWriteResult r = out.Create(path); !r.ok())
    return failed(OutputFileStatus::kNotCreated, r);
  OpenLog log(ContestNumberOf(contest));
  if (log.get() == nullptr)
    return OutputFileStatus::kLogNotOpened; // the writer drops the file: the target stays
  const Source source(contest, *log.get(), clock);
  bool complete = WriteKind(kind, out, source.source, askRstOnly, editParticipant, clock, contest);
  if (!complete && out.Good() && log.RepairedAgain()) {
    // QSOs were missing and the index has been rebuilt since: the file is written anew.
    if (FileWriteResult r = out.Create(path); !r.ok())
      return failed(OutputFileStatus::kNotCreated, r);
    complete = WriteKind(kind, out, source.source, askRstOnly, editParticipant, clock, contest);
  }
  if (complete || !out.Good()) {
    // A write that failed is reported as such even when QSOs were missing as well.
    if (FileWriteResult r = out.Close(); !r.ok())
      return failed(OutputFileStatus::kWriteFailed, r);
    return OutputFileStatus::kWritten;
  }
  out.Discard();
  RemoveIncompleteFile(io, path);
  return OutputFileStatus::kLogIncomplete;
}

PrintStatus PrintOutput(int kind, const OutputContest& contest, PrintJob& job, const Clock& clock) {
  const OutputKindInfo* info = FindOutputKind(kind);
  if (info == nullptr || !info->printer)
    return PrintStatus::kNotAvailable;
  const int category = contest.header.size() >= ContestHeaderRecord::kLength
                           ? ContestHeaderRecord(contest.header.data()).category()
                           : 0;
  PaperPage page(job.Canvas(), PrinterFontPoints(kind, category));
  OpenLog log(ContestNumberOf(contest));
  if (log.get() == nullptr)
    return PrintStatus::kLogNotOpened;
  const Source source(contest, *log.get(), clock);
  bool complete = false;
  switch (kind) {
  case output_kind::kPaperCover:
    complete = PrintCoverSheet(page, source.source);
    break;
  case output_kind::kPaperMultiCheck:
    complete = PrintMultiCheckList(page, source.source);
    break;
  case output_kind::kPaperBandList:
    complete = PrintBandList(page, source.source);
    break;
  case output_kind::kPaperQsoList:
    complete = PrintQsoList(page, source.source);
    break;
  default:
    break;
  }
  page.SetBold(false);
  return complete ? PrintStatus::kPrinted : PrintStatus::kLogIncomplete;
}

void RunOutputKind(int kind, const OutputContest& contest, const OutputServices& services) {
  const OutputKindInfo* info = FindOutputKind(kind);
  if (info == nullptr || services.dialogs == nullptr)
    return;
  if (info->printer)
    RunPrintedKind(*info, contest, services);
  else
    RunFileKind(*info, contest, services);
}

} // namespace tarvik
