#include "app/program_session.h"

#include <vector>

#include "app/record_file_errors.h"
#include "base/data_directory.h"
#include "base/process_settings.h"
#include "base/text_helpers.h"
#include "contest/contest_header_fields.h"
#include "contest/contest_traits.h"
#include "datafiles/contest_records.h"
#include "datafiles/program_files.h"
#include "datafiles/program_settings_file.h"
#include "datafiles/setup_records.h"
#include "recordfile/failure_cause.h"
#include "recordfile/file_io.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

/// The open routine followed by opening the files, so that a missing fileblock is created
/// at start. nullptr (the object released again) when either fails.
Fileblock* OpenAndEnsure(ProgramFile file) {
  Fileblock* fb = OpenProgramFile(file);
  if (fb == nullptr)
    return nullptr;
  if (fb->EnsureOpen() != 0) {
    CloseProgramFile(fb);
    return nullptr;
  }
  return fb;
}

void Release(Fileblock*& fb) {
  CloseProgramFile(fb);
  fb = nullptr;
}

std::int32_t UsedRecordsOf(Fileblock* fb) {
  std::int32_t used = 0;
  if (fb == nullptr || fb->UsedRecords(&used) != 0)
    return 0;
  return used;
}

} // namespace

std::string PrefixTableMissingMessage() {
  return "Achtung: Die Präfixdatei konnte nicht gefunden werden bzw. ist leer. Ohne diese "
         "Datei kann das Programm nicht korrekt arbeiten! Die Länderdatei cty.dat gibt es "
         "unter www.country-files.com oder im Debian-Paket hamradio-files.";
}

std::string OwnCallPrefixText() {
  return ChooseText("für", "FOR");
}

std::string FinishMenuText() {
  return ChooseText("    Beenden", "    Finish");
}

std::string HourlyLogNewAdvice() {
  return "Legen Sie sich für jede Stunde des Contestes bereits vor dem Contest ein eigenes Log an.";
}

std::string HourlyLogAdvice() {
  return "Legen Sie für jede Stunde vor Contestbeginn ein eigenes Log an und starten Sie zu "
         "jeder neuen Stunde das passende Log. Da jedes Log eine Auswertung führt, kann man so "
         "ganz schnell nach dem Contest feststellen, welche Stunde die meiste Punktzahl brachte.";
}

char RememberedContestCode(FileIo* io) {
  ProgramSettings kept;
  if (!LoadProgramSettings(io != nullptr ? *io : PosixFileIo(), DataPath(kProgramSettingsFile),
                           &kept)
           .ok())
    return kDefaultContestCode;
  return kept.contestCode && HasContestDefinition(*kept.contestCode) ? *kept.contestCode
                                                                     : kDefaultContestCode;
}

std::string ContestChoiceNotSavedMessage(int osError) {
  return FileNotSavedMessage(DataPath(kProgramSettingsFile), osError) + " " +
         ChooseText("Das Programm startet beim nächsten Mal mit dem bisherigen Contest.",
                    "The program will start with the former contest next time.");
}

ProgramSession::ProgramSession(UserDialogs& dialogs, const Clock& clock, FileIo* io,
                               char contestCode)
    : ContestSession(dialogs, clock, io, contestCode) {
  if (code_ == kRememberedContest)
    code_ = RememberedContestCode(io_);
  else if (!HasContestDefinition(code_))
    code_ = kDefaultContestCode;
}

ProgramSession::~ProgramSession() {
  Close();
}

bool ProgramSession::StartRecordFiles() {
  managerStarted_ = tarvik::StartRecordFiles(dialogs_, clock_, io_);
  return managerStarted_;
}

bool ProgramSession::OpenFiles() {
  LoadSetup();
  if (!OpenProfile())
    return false;
  ApplyFamilySettings(settings_);
  OpenSetup2();
  OpenPrefixTables();
  headers_ = OpenAndEnsure(ProgramFile::kContestHeaders);
  extensions_ = OpenAndEnsure(ProgramFile::kContestExtensions);
  RebuildDefinition();
  return true;
}

void ProgramSession::LoadSetup() {
  // Step 15: the one setup record; an empty file gets an empty record. Only a record that
  // was read (or added) counts as loaded: after a failed read nothing is saved at the end,
  // so that defaults never overwrite the family's settings.
  Fileblock* setup = OpenAndEnsure(ProgramFile::kSetup);
  if (setup == nullptr)
    return;
  const int severity = setup->FirstKey(1);
  if (severity == 0) {
    settings_ = ReadFamilySettings(SetupRecord(setup->RecordBuffer()));
    settingsLoaded_ = true;
  } else if (severity == 1) {
    if (setup->ClearBuffer() == 0 && AddRecord(*setup)) {
      settings_ = ReadFamilySettings(SetupRecord(setup->RecordBuffer()));
      settingsLoaded_ = true;
    }
  }
  if (settings_.profileNumber < 0)
    settings_.profileNumber = 0;
  CloseProgramFile(setup);
}

bool ProgramSession::OpenProfile() {
  // Step 16: the remembered profile, else the first one, else an empty buffer.
  profiles_ = OpenAndEnsure(ProgramFile::kProfiles);
  if (profiles_ == nullptr)
    return false;
  const std::int32_t wanted = settings_.profileNumber;
  bool found = wanted > 0 && profiles_->FindKey(1, NumKey5(wanted)) == 0;
  if (!found)
    found = profiles_->FirstKey(1) == 0;
  // Clearing fails only for a fileblock that is not there, which the storage layer reports.
  if (!found)
    (void)profiles_->ClearBuffer();
  settings_.profileNumber =
      found ? ProfileRecord(static_cast<const char*>(profiles_->RecordBuffer())).profileNumber()
            : 0;
  return true;
}

void ProgramSession::OpenSetup2() {
  // Step 18.
  setup2_ = OpenAndEnsure(ProgramFile::kSetup2);
  // The record is the family's; this program only keeps it present. A failed add is
  // reported by the storage layer and tried again at the next start.
  if (setup2_ != nullptr && setup2_->FirstKey(1) == 1 && setup2_->ClearBuffer() == 0)
    (void)AddRecord(*setup2_);
}

void ProgramSession::OpenPrefixTables() {
  // Steps 19 and 20.
  prefix_ = OpenAndEnsure(ProgramFile::kPrefix);
  EnsurePrefixData();
  prefixEE_ = OpenAndEnsure(ProgramFile::kPrefixExceptionsEE);
  prefixES_ = OpenAndEnsure(ProgramFile::kPrefixExceptionsES);
}

void ProgramSession::EnsurePrefixData() {
  // The first start fills an empty prefix table from the country data installed on the
  // computer (and says so). Without any data the program still runs, after telling the
  // person that lookups cannot work.
  prefixEmpty_ = prefix_ == nullptr || !EnsureCountryData(dialogs_, countryFiles_);
  if (prefixEmpty_)
    dialogs_.Inform(PrefixTableMissingMessage());
}

std::string ProgramSession::OwnCallText() const {
  return settings_.ownCall.empty() ? settings_.listenerName : settings_.ownCall;
}

bool ProgramSession::HeaderFileEmpty() const {
  return headers_ != nullptr && UsedRecordsOf(headers_) == 0;
}

bool ProgramSession::WantsHourlyLogAdvice() const {
  return TraitsOf(code_).hourlyLogAdvice && headers_ != nullptr && UsedRecordsOf(headers_) < 3;
}

void ProgramSession::RebuildDefinition() {
  if (headers_ != nullptr) {
    ContestHeaderRecord header(headers_->RecordBuffer());
    definition_ = BuildContestDefinition(code_, header, settings_.ownLocator, dialogs_, clock_);
    return;
  }
  BuildBaseDefinition();
}

void ProgramSession::BuildBaseDefinition() {
  std::vector<char> empty(ContestHeaderRecord::kLength, 0);
  ContestHeaderRecord header(empty.data());
  definition_ = BuildContestDefinition(code_, header, settings_.ownLocator, dialogs_, clock_);
}

bool ProgramSession::SwitchContest(char code) {
  if (!HasContestDefinition(code))
    return false;
  code_ = code;
  // The person's language; the new code may force English again while its definition is
  // built.
  SetLanguageFlag(settings_.language);
  // The header buffer may hold a contest of the former code: the definition is the new
  // code's for a contest without a category.
  BuildBaseDefinition();
  ProgramSettings kept;
  kept.contestCode = code;
  const IoResult saved = SaveProgramSettings(io_ != nullptr ? *io_ : PosixFileIo(),
                                             DataPath(kProgramSettingsFile), kept);
  if (!saved.ok())
    dialogs_.Inform(ContestChoiceNotSavedMessage(saved.osError()));
  return true;
}

void ProgramSession::SaveSetup() {
  // The record is read again and only this program's settings are written into it, so the
  // family's other settings stay as they are now on disk.
  CaptureProcessSettings(settings_);
  Fileblock* setup = OpenAndEnsure(ProgramFile::kSetup);
  if (setup == nullptr)
    return;
  // A failed write goes through the storage layer's handler, which tells the person.
  const int severity = setup->FirstKey(1);
  if (severity == 0) {
    SetupRecord record(setup->RecordBuffer());
    WriteFamilySettings(settings_, record);
    (void)setup->Update();
  } else if (severity == 1 && setup->ClearBuffer() == 0) {
    SetupRecord record(setup->RecordBuffer());
    WriteFamilySettings(settings_, record);
    (void)AddRecord(*setup);
  }
  CloseProgramFile(setup);
}

void ProgramSession::Close() {
  if (closed_)
    return;
  closed_ = true;
  // The person's language, undoing a contest code's forced English; it is what is saved.
  SetLanguageFlag(settings_.language);
  Release(extensions_);
  Release(headers_);
  Release(prefix_);
  Release(prefixEE_);
  Release(prefixES_);
  Release(setup2_);
  if (settingsLoaded_)
    SaveSetup();
  Release(profiles_);
  if (managerStarted_) {
    StopRecordFiles();
    managerStarted_ = false;
  }
}

} // namespace tarvik
