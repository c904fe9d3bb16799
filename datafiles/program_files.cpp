#include "datafiles/program_files.h"

#include <map>

#include "base/data_directory.h"
#include "base/pictures.h"
#include "datafiles/call_records.h"
#include "datafiles/contest_records.h"
#include "datafiles/note_records.h"
#include "datafiles/prefix_record.h"
#include "datafiles/qso_record.h"
#include "datafiles/setup_records.h"
#include "recordfile/engine.h"
#include "recordfile/file_replacement.h"

namespace tarvik {

namespace {

constexpr bool kDups = true;
constexpr bool kUnique = false;

std::function<bool(const std::string&)> Named(const char* name) {
  return [name](const std::string& base) { return SameFileblockName(base, name); };
}

bool IsQsoLogName(const std::string& base) {
  if (base.size() != 8 || !SameFileblockName(base.substr(0, 4), "KXLK"))
    return false;
  for (std::size_t i = 4; i < 8; ++i) {
    if (base[i] < '0' || base[i] > '9')
      return false;
  }
  return true;
}

FileblockLayout Layout(const char* name, int recordLength, std::vector<KeyDefinition> keys,
                       KeyBuilder builder, bool flush) {
  FileblockLayout layout;
  layout.name = name;
  layout.matches = Named(name);
  layout.recordLength = recordLength;
  layout.keys = std::move(keys);
  layout.keyBuilder = std::move(builder);
  layout.flushAfterChange = flush;
  // The files flushed after every change hold what the operator entered and set up (the
  // logs, the contest headers and totals, the setup and profiles): their index is compared
  // with the data at every opening and rebuilt when it disagrees. The call book, call list,
  // prefix tables and family notes are reference data that imports rebuild; they are large
  // and opened often, and a crash during their bulk changes repairs them anyway.
  layout.checkIndexAtOpen = flush;
  return layout;
}

std::vector<KeyDefinition> Keys(std::initializer_list<int> lengths, bool allowDups) {
  std::vector<KeyDefinition> keys;
  for (int length : lengths)
    keys.push_back({length, allowDups, -1});
  return keys;
}

std::vector<FileblockLayout> MakeLayouts() {
  std::vector<FileblockLayout> all(static_cast<std::size_t>(ProgramFile::kQslRoutes) + 1);
  auto at = [&](ProgramFile f) -> FileblockLayout& { return all[static_cast<std::size_t>(f)]; };
  const KeyDefinition numbered{5, kUnique, 4};

  at(ProgramFile::kSetup) = Layout("KXSETUP", SetupRecord::kLength, {numbered}, SetupKey, true);
  at(ProgramFile::kSetup2) = Layout("KXSETUP2", Setup2Record::kLength, {numbered}, SetupKey, true);

  FileblockLayout profiles =
      Layout("KXPRO", ProfileRecord::kSectionLength, {numbered, {20, kDups, -1}}, ProfileKey, true);
  profiles.variable = true;
  profiles.bufferSize = ProfileRecord::kMaxLength;
  at(ProgramFile::kProfiles) = std::move(profiles);

  at(ProgramFile::kContestHeaders) = Layout("KXKK", ContestHeaderRecord::kLength,
                                            {{26, kDups, -1},
                                             {5, kDups, -1},
                                             {5, kUnique, ContestHeaderRecord::kContestNumber},
                                             {1, kDups, -1},
                                             {25, kDups, -1}},
                                            ContestHeaderKey, true);
  at(ProgramFile::kContestExtensions) = Layout("KXKZ", ContestExtensionRecord::kLength,
                                               Keys({5}, kUnique), ContestExtensionKey, true);

  std::vector<KeyDefinition> qsoKeys = Keys(
      {8, 22, 14, 5, 6, 14, 1, 6, 21, 7, 6, 6, 5, 2, 2, 2, 2, 8, 6, 6, 9, 7, 7, 6, 3, 3, 7}, kDups);
  qsoKeys[3] = {5, kUnique, QsoRecord::kLfdNr};
  FileblockLayout qso = Layout("KXLK", QsoRecord::kLength, std::move(qsoKeys), QsoKey, true);
  qso.matches = IsQsoLogName;
  at(ProgramFile::kQsoLog) = std::move(qso);
  at(ProgramFile::kQsoTemp) =
      Layout("KXLKTEMP", QsoRecord::kLength, {{5, kUnique, QsoRecord::kLfdNr}}, QsoTempKey, false);

  std::vector<KeyDefinition> callBookKeys =
      Keys({10, 6, 6, 10, 20, 4, 18, 6, 6, 6, 6, 6, 6}, kDups);
  callBookKeys[0].allowDups = kUnique;
  at(ProgramFile::kCallBook) =
      Layout("KXCBUCH", CallBookRecord::kLength, std::move(callBookKeys), CallBookKey, false);
  std::vector<KeyDefinition> callListKeys = Keys({10, 5, 5, 10, 1, 5, 3}, kDups);
  callListKeys[0].allowDups = kUnique;
  at(ProgramFile::kCallList) =
      Layout("KXCALL", CallListRecord::kLength, std::move(callListKeys), CallListKey, false);

  const std::initializer_list<int> prefixLengths = {6, 12, 9, 8, 8, 8, 36, 14, 13, 7, 6, 6, 5, 7};
  at(ProgramFile::kPrefix) =
      Layout("KXPREFIX", PrefixRecord::kLength, Keys(prefixLengths, kDups), PrefixKey, false);
  std::vector<KeyDefinition> exceptionKeys = Keys(prefixLengths, kDups);
  exceptionKeys.resize(PrefixRecord::kExceptionKeys);
  exceptionKeys[0].allowDups = kUnique;
  at(ProgramFile::kPrefixExceptionsEE) =
      Layout("KXPREFEE", PrefixRecord::kLength, exceptionKeys, PrefixKey, false);
  at(ProgramFile::kPrefixExceptionsES) =
      Layout("KXPREFES", PrefixRecord::kLength, exceptionKeys, PrefixKey, false);

  at(ProgramFile::kContestNotes) =
      Layout("KXCNOTE", ContestNoteRecord::kLength, Keys({10}, kUnique), ContestNoteKey, false);
  at(ProgramFile::kQsoNotes) =
      Layout("KXLNOTE", QsoNoteRecord::kLength, Keys({27, 22}, kUnique), QsoNoteKey, false);
  at(ProgramFile::kQslRoutes) =
      Layout("KXQSLVIA", QslRouteRecord::kLength, Keys({22}, kUnique), QslRouteKey, false);
  return all;
}

const std::vector<FileblockLayout>& Layouts() {
  static const std::vector<FileblockLayout> layouts = MakeLayouts();
  return layouts;
}

/// Further uses of every object opened through OpenProgramFile (0: one user).
std::map<const Fileblock*, int>& UseCounts() {
  static std::map<const Fileblock*, int> counts;
  return counts;
}

} // namespace

const FileblockLayout& ProgramFileLayout(ProgramFile file) {
  return Layouts()[static_cast<std::size_t>(file)];
}

std::string QsoLogName(int contestNumber) {
  return "KXLK" + FormatLongPicture("@@@@", contestNumber);
}

std::string ProgramFileName(ProgramFile file, int contestNumber) {
  if (file == ProgramFile::kQsoLog)
    return QsoLogName(contestNumber);
  return ProgramFileLayout(file).name;
}

Fileblock* OpenProgramFile(ProgramFile file, int contestNumber) {
  const std::string name = ProgramFileName(file, contestNumber);
  if (Fileblock* existing = FindFileblock(name)) {
    ++UseCounts()[existing];
    return existing;
  }
  if (!EngineRunning())
    return nullptr; // FindFileblock has reported it
  // A log whose files were being replaced as a whole (renumbering) when the program stopped
  // is put into one whole state before anything reads it; nobody has its files open now.
  // Files it could not put in order stay for the next attempt; the open below checks and,
  // where needed, rebuilds what it finds.
  if (file == ProgramFile::kQsoLog)
    (void)RecoverReplacement(EngineFileIo(), DataPath(name));
  Fileblock* fb = CreateFileblockFromLayout(ProgramFileLayout(file), name, name);
  if (fb == nullptr)
    return nullptr;
  if (fb->SetProgressHook([](const std::string&, int, int, std::int32_t) { return true; }) != 0) {
    const std::vector<ErrorEntry> entries = RecordFileErrors().Entries();
    (void)DestroyFileblock(fb); // nothing was opened; the hook's error is the one kept
    for (const ErrorEntry& e : entries)
      RecordFileErrors().Record(e, e.errorClass);
    return nullptr;
  }
  UseCounts()[fb] = 0;
  return fb;
}

void CloseProgramFile(Fileblock* fileblock) {
  if (fileblock == nullptr)
    return;
  auto& counts = UseCounts();
  auto it = counts.find(fileblock);
  if (it != counts.end() && it->second > 0) {
    --it->second;
    return;
  }
  if (it != counts.end())
    counts.erase(it);
  // A failed close (the last writes not flushed) is in the error channel, whose handler
  // tells the person; the object is gone either way.
  (void)DestroyFileblock(fileblock);
}

int ProgramFileUseCount(const Fileblock* fileblock) {
  const auto it = UseCounts().find(fileblock);
  return it == UseCounts().end() ? -1 : it->second;
}

void RegisterProgramFileLayouts() {
  for (const FileblockLayout& layout : Layouts())
    RegisterFileblockLayout(layout);
}

bool AddRecord(Fileblock& fileblock) {
  return fileblock.Add() == 0;
}

} // namespace tarvik
