#include "country/country_import.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <utility>

#include "base/data_directory.h"
#include "base/strings.h"
#include "country/prefix_lookup.h"
#include "datafiles/call_records.h"
#include "datafiles/prefix_record.h"
#include "datafiles/program_files.h"
#include "radio/base_call.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/file_io.h"
#include "recordfile/fileblock.h"
#include "recordfile/fileblock_layouts.h"
#include "recordfile/record_view.h"

namespace tarvik {

namespace {

// Names (and file names) of the tables while they are built.
constexpr const char* kNewPrefixTable = "KXPRFNEW";
constexpr const char* kNewExceptionTable = "KXPEENEW";
constexpr char kDxccClass = 'D';
constexpr char kWaeClass = '*';

bool ReadWholeFile(const std::string& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad())
    return false;
  *out = std::move(buffer).str();
  return true;
}

/// A program file opened for the length of a scope.
class OpenedFile {
public:
  explicit OpenedFile(ProgramFile file) : fb_(OpenProgramFile(file)) {}
  ~OpenedFile() { CloseProgramFile(fb_); }
  OpenedFile(const OpenedFile&) = delete;
  OpenedFile& operator=(const OpenedFile&) = delete;
  Fileblock* get() const { return fb_; }

private:
  Fileblock* fb_;
};

/// A table being built under a name of its own; destroyed (files removed) unless handed
/// over by ReplaceFiles.
class NewTable {
public:
  NewTable(ProgramFile layoutOf, const char* name) : name_(name) {
    // A table is built from nothing: files left by an earlier build that cannot be removed
    // leave the table unbuilt (get() is nullptr), rather than built on top of them.
    if (RemoveFiles())
      fb_ = CreateFileblockFromLayout(ProgramFileLayout(layoutOf), name, name);
  }
  ~NewTable() {
    if (fb_ != nullptr) {
      (void)DestroyFileblock(fb_); // a table not handed over is thrown away
      (void)RemoveFiles();         // what stays is removed before the next build
    }
  }
  NewTable(const NewTable&) = delete;
  NewTable& operator=(const NewTable&) = delete;
  Fileblock* get() const { return fb_; }
  Fileblock* release() { return std::exchange(fb_, nullptr); }

private:
  /// True when none of the table's files is left.
  bool RemoveFiles() {
    FileIo& io = EngineFileIo();
    bool removed = true;
    for (const char* ext : {".DAT", ".IX"}) {
      const std::string path = DataPath(name_ + ext);
      if (io.FileExists(path))
        removed = io.Remove(path).ok() && removed;
    }
    return removed;
  }
  std::string name_;
  Fileblock* fb_ = nullptr;
};

/// Puts the files of `built` in the place of `live`'s. `built` is destroyed. The index goes
/// first: should the data file's rename not happen, the old data is without index and gets
/// it rebuilt; after it, the new data likewise.
bool ReplaceFiles(Fileblock* live, Fileblock* built, std::string* error) {
  const std::string dat = live->FilePath("DAT");
  const std::string ix = live->FilePath("IX");
  const std::string newDat = built->FilePath("DAT");
  const std::string newIx = built->FilePath("IX");
  const bool closed = built->Close() == 0 && live->Close() == 0;
  (void)DestroyFileblock(built); // closed above, with the result checked
  FileIo& io = EngineFileIo();
  if (!closed || !io.FileExists(newDat) || !io.FileExists(newIx)) {
    *error = "the new table could not be written";
    // The old table stays; a leftover copy is removed before the next build.
    (void)io.Remove(newDat);
    (void)io.Remove(newIx);
    return false;
  }
  if (io.FileExists(ix) && !io.Remove(ix).ok()) {
    *error = "the old index could not be removed";
    return false;
  }
  if (!io.Rename(newDat, dat).ok()) {
    *error = "the new table could not take the old one's place";
    return false;
  }
  if (!io.Rename(newIx, ix).ok()) {
    // The new data stands; its index is rebuilt at the next open.
    (void)io.Remove(newIx);
  }
  // Should a power loss undo the renames, the old table (without index, rebuilt at its next
  // open) is back whole: the import is then simply not there.
  (void)io.SyncDirectoryOf(dat);
  return true;
}

bool AddEntry(Fileblock* table, const CtyCountry& c, const CtyPrefix& p, const std::string& dxcc,
              char matchKind) {
  if (table->ClearBuffer() != 0)
    return false;
  PrefixRecord r(table->RecordBuffer());
  r.SetPrefix(p.text);
  r.SetDxccPrefix(dxcc);
  r.SetCqZone(p.cqZone);
  r.SetItuZone(p.ituZone);
  r.SetContinent(p.continent);
  r.SetCountryName(c.name);
  r.SetEntityNumber(static_cast<std::int16_t>(c.entityNumber));
  r.SetClassChar(c.waeOnly ? kWaeClass : kDxccClass);
  r.SetMatchKind(matchKind);
  return AddRecord(*table);
}

/// The country whose entity a designator form ("FO/M") names: by the entity table's
/// number (a DXCC country before a WAE one), else by the country file's main prefix.
const CtyCountry* CountryOfDesignator(const CtyFile& file, const std::string& form) {
  if (const int number = EntityPosition(form); number != 0) {
    const CtyCountry* wae = nullptr;
    for (const CtyCountry& c : file.countries) {
      if (c.entityNumber != number)
        continue;
      if (!c.waeOnly)
        return &c;
      wae = wae != nullptr ? wae : &c;
    }
    if (wae != nullptr)
      return wae;
  }
  for (const CtyCountry& c : file.countries) {
    if (c.mainPrefix == form)
      return &c;
  }
  return nullptr;
}

bool UsableWholeCall(const std::string& call) {
  return call.size() <= 6 && PrefixLookupText(call) == call;
}

/// Entity numbers of a cty.dat from the cty.csv beside it, else from the entity table.
void FillEntityNumbers(const std::string& datPath, CtyFile* file) {
  std::map<std::string, int> byMainPrefix;
  const std::string dir = DirectoryOf(datPath);
  std::string csvText;
  for (const char* name : {"cty.csv", "CTY.CSV"}) {
    if (ReadWholeFile(dir + "/" + name, &csvText))
      break;
  }
  if (!csvText.empty()) {
    for (const CtyCountry& c : ParseCtyCsv(csvText).countries)
      byMainPrefix[c.mainPrefix] = c.entityNumber;
  }
  for (CtyCountry& c : file->countries) {
    if (c.entityNumber != 0)
      continue;
    if (const auto it = byMainPrefix.find(c.mainPrefix); it != byMainPrefix.end())
      c.entityNumber = it->second;
    else if (!c.waeOnly)
      c.entityNumber = EntityPosition(c.mainPrefix);
  }
}

} // namespace

std::string CountryDxccPrefix(const CtyCountry& c) {
  if (c.entityNumber > 0) {
    const std::string_view named = EntityPrefix(c.entityNumber);
    if (!named.empty())
      return std::string(named);
  }
  std::string main = c.mainPrefix.substr(0, 6);
  const int position = EntityPosition(main);
  if (position == 0 || position == c.entityNumber || c.entityNumber <= 0)
    return main;
  // The entity table gives this text to another entity (PJ2 was the Netherlands Antilles):
  // keep the two apart.
  char letter = c.name.empty() ? 'X' : UpCaseChar(c.name[0]);
  if (letter < 'A' || letter > 'Z')
    letter = 'X';
  return main.substr(0, 4) + "/" + letter;
}

CountryImportResult ImportCountryFile(const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, &text)) {
    CountryImportResult r;
    r.failure = ImportFailure::kUnreadable;
    r.error = "cannot read " + path;
    return r;
  }
  CtyFile file = ParseCtyFile(text);
  if (DetectCtyFormat(text) == CtyFormat::kDat)
    FillEntityNumbers(path, &file);
  return ImportCountryData(file);
}

CountryImportResult ImportCountryData(const CtyFile& file) {
  CountryImportResult result;
  result.countries = static_cast<int>(file.countries.size());
  result.badRecords = file.badRecords;
  if (file.countries.empty()) {
    result.failure = ImportFailure::kNoData;
    result.error = "no country data";
    return result;
  }
  OpenedFile liveMain(ProgramFile::kPrefix);
  OpenedFile liveExceptions(ProgramFile::kPrefixExceptionsEE);
  if (liveMain.get() == nullptr || liveExceptions.get() == nullptr) {
    result.failure = ImportFailure::kStorage;
    result.error = "the prefix tables cannot be opened";
    return result;
  }
  NewTable main(ProgramFile::kPrefix, kNewPrefixTable);
  NewTable exceptions(ProgramFile::kPrefixExceptionsEE, kNewExceptionTable);
  if (main.get() == nullptr || exceptions.get() == nullptr) {
    result.failure = ImportFailure::kStorage;
    result.error = "the new prefix tables cannot be created";
    return result;
  }

  // The person's own choices stay (whole calls of the prefix choice).
  std::set<std::string> calls;
  Fileblock* old = liveExceptions.get();
  for (int s = old->FirstKey(1); s == 0; s = old->NextKey(1)) {
    const PrefixRecord r(old->RecordBuffer());
    if (r.matchKind() == kCountryFileMatchKind)
      continue;
    Fileblock* nb = exceptions.get();
    std::memcpy(nb->RecordBuffer(), old->RecordBuffer(),
                static_cast<std::size_t>(std::min(nb->BufferSize(), old->BufferSize())));
    if (!AddRecord(*nb)) {
      result.failure = ImportFailure::kStorage;
      result.error = "the prefix exceptions cannot be copied";
      return result;
    }
    calls.insert(r.prefix());
    ++result.choicesKept;
  }

  std::set<std::string> prefixes;
  for (const CtyCountry& c : file.countries) {
    const std::string dxcc = CountryDxccPrefix(c);
    if (c.entityNumber <= 0)
      ++result.withoutEntityNumber;
    for (const CtyPrefix& p : c.prefixes) {
      if (p.wholeCall) {
        if (!UsableWholeCall(p.text)) {
          ++result.callsLeftOut;
          continue;
        }
        if (!calls.insert(p.text).second)
          continue;
        if (!AddEntry(exceptions.get(), c, p, dxcc, kCountryFileMatchKind)) {
          result.failure = ImportFailure::kStorage;
          result.error = "a whole call cannot be added";
          return result;
        }
        ++result.wholeCalls;
        continue;
      }
      if (p.text.size() > 6 || !prefixes.insert(p.text).second)
        continue;
      if (!AddEntry(main.get(), c, p, dxcc, 0)) {
        result.failure = ImportFailure::kStorage;
        result.error = "a prefix cannot be added";
        return result;
      }
      ++result.prefixes;
    }
  }
  for (const std::string& form : DesignatorForms()) {
    const CtyCountry* c = CountryOfDesignator(file, form);
    if (c == nullptr || !prefixes.insert(form).second)
      continue;
    CtyPrefix p{form, false, c->cqZone, c->ituZone, c->continent};
    if (!AddEntry(main.get(), *c, p, CountryDxccPrefix(*c), 0)) {
      result.failure = ImportFailure::kStorage;
      result.error = "a prefix cannot be added";
      return result;
    }
    ++result.prefixes;
  }

  if (!ReplaceFiles(liveMain.get(), main.release(), &result.error) ||
      !ReplaceFiles(liveExceptions.get(), exceptions.release(), &result.error)) {
    result.failure = ImportFailure::kStorage;
    return result;
  }
  result.ok = true;
  return result;
}

DokImportResult ImportDokHistoryFile(const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, &text)) {
    DokImportResult r;
    r.failure = ImportFailure::kUnreadable;
    r.error = "cannot read " + path;
    return r;
  }
  return ImportDokHistory(text);
}

DokImportResult ImportDokHistory(std::string_view text) {
  DokImportResult result;
  OpenedFile book(ProgramFile::kCallBook);
  Fileblock* fb = book.get();
  if (fb == nullptr) {
    result.failure = ImportFailure::kStorage;
    result.error = "the call book cannot be opened";
    return result;
  }
  bool anyLine = false;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string line =
        TrimBlanks(text.substr(0, eol == std::string_view::npos ? text.size() : eol));
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    std::string clean = line;
    if (!clean.empty() && clean.back() == '\r')
      clean.pop_back();
    if (clean.empty() || clean[0] == '#')
      continue;
    const std::size_t comma = clean.find(',');
    const std::string call =
        BaseCall(TrimBlanks(std::string_view(clean).substr(0, comma)), kHomeCall);
    const std::string dok =
        comma == std::string::npos ? std::string() : UpCase(TrimBlanks(clean.substr(comma + 1)));
    const bool dokUsable =
        !dok.empty() && dok.size() <= 8 && std::all_of(dok.begin(), dok.end(), [](char c) {
          return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        });
    if (call.empty() || call.size() > 10 || !dokUsable) {
      ++result.skipped;
      continue;
    }
    anyLine = true;
    ++result.calls;
    if (fb->FindKey(1, KeyPad(call, 10)) == 0) {
      CallBookRecord r(fb->RecordBuffer());
      if (!TrimBlanks(r.Field(CallBookRecord::kDok)).empty()) {
        ++result.kept;
        continue;
      }
      r.SetField(CallBookRecord::kDok, dok);
      if (fb->Update() != 0) {
        result.failure = ImportFailure::kStorage;
        result.error = "the call book cannot be updated";
        return result;
      }
      ++result.filled;
      continue;
    }
    if (RecordFileErrors().Severity() > 1 || fb->ClearBuffer() != 0) {
      result.failure = ImportFailure::kStorage;
      result.error = "the call book cannot be read";
      return result;
    }
    CallBookRecord r(fb->RecordBuffer());
    r.SetCall(call);
    r.SetField(CallBookRecord::kDok, dok);
    if (!AddRecord(*fb)) {
      result.failure = ImportFailure::kStorage;
      result.error = "the call book cannot be extended";
      return result;
    }
    ++result.added;
  }
  if (fb->Close() != 0) {
    result.failure = ImportFailure::kStorage;
    result.error = "the call book cannot be written";
    return result;
  }
  if (!anyLine) {
    result.failure = ImportFailure::kNoData;
    result.error = "no call with a DOK";
    return result;
  }
  result.ok = true;
  return result;
}

bool PrefixTableEmpty() {
  OpenedFile table(ProgramFile::kPrefix);
  std::int32_t count = 0;
  return table.get() == nullptr || table.get()->UsedRecords(&count) != 0 || count == 0;
}

bool CallBookEmpty() {
  OpenedFile book(ProgramFile::kCallBook);
  std::int32_t count = 0;
  return book.get() == nullptr || book.get()->UsedRecords(&count) != 0 || count == 0;
}

std::string FirstReadableFile(std::initializer_list<std::string_view> paths) {
  for (std::string_view p : paths) {
    std::ifstream in{std::string(p), std::ios::binary};
    if (in)
      return std::string(p);
  }
  return {};
}

} // namespace tarvik
