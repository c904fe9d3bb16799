#include "datafiles/program_files_tool.h"

#include <cstdio>
#include <map>
#include <memory>

#include "base/cp1252.h"
#include "base/dates.h"
#include "datafiles/contest_records.h"
#include "datafiles/prefix_record.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "recordfile/file_io.h"
#include "recordfile/format.h"
#include "recordfile/integrity_check.h"
#include "recordfile/storage_tool.h"
#include "recordfile/tool_engine.h"

namespace tarvik {

namespace {

constexpr std::size_t kMaxProblems = 200;

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", c);
    out += buf;
  }
  return out;
}

/// The records of a data file read whole: live records by number, assembled from their
/// sections in a variable-length file.
struct DataRecords {
  std::int32_t recLen = 0;
  std::map<std::int32_t, std::string> live;
};

bool LoadRecords(FileIo& io, const std::string& base, const FileblockLayout& layout,
                 DataRecords* records, std::string* error) {
  std::unique_ptr<File> file;
  if (!io.Open(base + ".DAT", FileIo::Mode::kReadOnly, FileIo::Lock::kShared, &file).ok()) {
    *error = base + ".DAT cannot be opened";
    return false;
  }
  std::uint64_t size = 0;
  if (!file->Size(&size).ok()) {
    *error = base + ".DAT cannot be read";
    return false;
  }
  std::string dat(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  if (!file->ReadAt(0, dat.data(), dat.size(), &got).ok() || got != dat.size() ||
      dat.size() < static_cast<std::size_t>(format::kDataHeaderSize)) {
    *error = base + ".DAT cannot be read";
    return false;
  }
  const std::int32_t recLen = format::LoadI32(dat.data() + format::kHdrRecLen);
  if (recLen < format::kMinRecLen) {
    *error = base + ".DAT has no valid record length";
    return false;
  }
  records->recLen = recLen;
  const std::size_t slot = static_cast<std::size_t>(recLen);
  const std::size_t slots = dat.size() / slot;
  const std::size_t buffer =
      static_cast<std::size_t>(std::max(layout.bufferSize, layout.recordLength));
  for (std::size_t r = 1; r < slots; ++r) {
    const char* at = dat.data() + r * slot;
    if (format::LoadI32(at) != 0)
      continue; // deleted, or a continuation section
    std::string record;
    if (!layout.variable) {
      record.assign(at, slot);
    } else {
      // Main section, then its continuation sections (bounded against loops).
      const char* section = at;
      bool main = true;
      for (std::size_t hops = 0; section != nullptr && hops <= slots; ++hops) {
        const std::size_t count = format::LoadU16(section + slot - format::kSectionCountFromEnd);
        const std::size_t start = main ? 0 : 1;
        record.append(section + start, std::min(count, slot - format::kSectionTrailer - start));
        const std::int32_t next = format::LoadI32(section + slot - format::kSectionNextFromEnd);
        section =
            next > 0 && static_cast<std::size_t>(next) < slots ? dat.data() + next * slot : nullptr;
        main = false;
      }
    }
    record.resize(std::max(buffer, record.size()), '\0');
    records->live.emplace(static_cast<std::int32_t>(r), std::move(record));
  }
  return true;
}

/// Checks every entry of every key against the layout's key builder, and that every live
/// record has its entry in every key.
bool CheckKeys(FileIo& io, const std::string& base, const FileblockLayout& layout,
               const CheckReport& files, std::ostream& out, std::ostream& err) {
  std::vector<std::string> problems;
  auto problem = [&](const std::string& text) {
    if (problems.size() < kMaxProblems)
      problems.push_back(text);
  };
  if (files.numKeys != static_cast<int>(layout.keys.size())) {
    problem("the index has " + std::to_string(files.numKeys) + " keys, " + layout.name + " has " +
            std::to_string(layout.keys.size()));
  }
  for (const KeyCheck& k : files.keys) {
    if (k.key < 1 || k.key > static_cast<int>(layout.keys.size()))
      continue;
    const KeyDefinition& def = layout.keys[static_cast<std::size_t>(k.key - 1)];
    if (k.keyLen != def.length || k.allowDups != def.allowDups) {
      problem("key " + std::to_string(k.key) + ": length " + std::to_string(k.keyLen) +
              (k.allowDups ? " with" : " without") + " duplicates in the index, " +
              std::to_string(def.length) + (def.allowDups ? " with" : " without") + " in " +
              layout.name);
    }
  }
  if (files.recLen != layout.recordLength)
    problem("record length " + std::to_string(files.recLen) + ", " + layout.name + " has " +
            std::to_string(layout.recordLength));
  DataRecords records;
  std::string error;
  if (problems.empty() && !LoadRecords(io, base, layout, &records, &error))
    problem(error);
  if (problems.empty()) {
    for (int key = 1; key <= static_cast<int>(layout.keys.size()); ++key) {
      std::map<std::int32_t, int> seen;
      std::vector<std::string> walkProblems; // damage: the file check has reported it
      const bool walked = WalkKeyEntries(
          io, base, key,
          [&](std::int32_t record, const std::string& entryKey) {
            ++seen[record];
            const auto it = records.live.find(record);
            if (it == records.live.end())
              return; // reported by the file check
            const std::string built = layout.keyBuilder(it->second.data(), key);
            if (built != entryKey) {
              problem("key " + std::to_string(key) + ", record " + std::to_string(record) +
                      ": the index holds " + Hex(entryKey) + ", the record gives " + Hex(built));
            }
          },
          &walkProblems);
      if (!walked) {
        problem("key " + std::to_string(key) + ": the index cannot be read");
        continue;
      }
      for (const auto& [record, bytes] : records.live) {
        const auto it = seen.find(record);
        const int count = it == seen.end() ? 0 : it->second;
        // A record whose key is empty has no entry (a rebuild leaves it out).
        if (count == 0 && layout.keyBuilder(bytes.data(), key).empty())
          continue;
        if (count != 1) {
          problem("key " + std::to_string(key) + ", record " + std::to_string(record) + ": " +
                  std::to_string(count) + " entries instead of 1");
        }
      }
    }
  }
  for (const std::string& p : problems)
    err << base << ": " << p << "\n";
  if (!problems.empty())
    return false;
  out << "keys: every entry matches the key builder of " << layout.name << "\n";
  return true;
}

int Check(const std::string& name, std::ostream& out, std::ostream& err, FileIo& io) {
  const int files = CheckFileblockCommand(name, out, err, io);
  const FileblockLayout* layout = FindFileblockLayout(name);
  if (files != 0 || layout == nullptr)
    return files;
  const CheckReport report = CheckFileblockFiles(io, name);
  return CheckKeys(io, name, *layout, report, out, err) ? 0 : 1;
}

// --- Fields ------------------------------------------------------------------------------

void Line(std::ostream& out, const char* name, const std::string& value) {
  std::string label = name;
  label.resize(std::max<std::size_t>(label.size(), 18), ' ');
  out << "  " << label << value << "\n";
}

std::string Text(const std::string& s) {
  std::string quoted(1, '"');
  quoted += TerminalText(s);
  quoted += '"';
  return quoted;
}
std::string Char(char c) {
  if (c == 0)
    return "0";
  return Text(std::string(1, c));
}
std::string Num(long long v) {
  return std::to_string(v);
}

// A day number as its date ("14.03.2026"); "none" for a day number that is no date.
std::string Date(DayNumber day) {
  if (day <= 0)
    return "none (" + std::to_string(day) + ")";
  return DayToText("dd.mm.yyyy", day);
}
// Seconds since midnight as "hh:mm:ss"; "none" outside the day.
std::string Time(TimeOfDay time) {
  if (time < 0 || time >= 86400)
    return "none (" + std::to_string(time) + ")";
  return TimeToText("hh:mm:ss", time);
}

void QsoFields(const char* record, std::ostream& out) {
  const QsoRecord q(record);
  Line(out, "LfdNr", Num(q.LfdNr()));
  Line(out, "Call", Text(q.Call()));
  Line(out, "Locator", Text(q.Locator()));
  Line(out, "Datum", Date(q.Datum()));
  Line(out, "Zeit", Time(q.Zeit()));
  Line(out, "Mode", Text(q.Mode()));
  Line(out, "RSTs", Text(q.RSTs()));
  Line(out, "RSTr", Text(q.RSTr()));
  Line(out, "MultMark1", Text(q.MultMark1()));
  Line(out, "MultMark2", Text(q.MultMark2()));
  Line(out, "QRB", Num(q.QRB()));
  Line(out, "Prefix", Text(q.Prefix()));
  Line(out, "Prefix2", Text(q.Prefix2()));
  Line(out, "NameQTH", Text(q.NameQTH()));
  Line(out, "Flag115", Num(q.Flag115()));
  Line(out, "Kenner", Text(q.Kenner()));
  Line(out, "Continent", Text(q.Continent()));
  Line(out, "DOK", Text(q.FullDok()));
  Line(out, "Band", Char(q.Band()));
  Line(out, "BandSerial", Num(q.BandSerial()));
  Line(out, "BandNr", Num(q.BandNr()));
  Line(out, "Punkte", Num(q.Punkte()));
  Line(out, "QSLs", Char(q.QSLs()));
  Line(out, "QSLr", Char(q.QSLr()));
  Line(out, "Call2", Text(q.Call2()));
  Line(out, "PrefixFest", Num(q.PrefixFest()));
  Line(out, "QSYBand", Char(q.QSYBand()));
  Line(out, "QSONr", Num(q.QSONr()));
  Line(out, "Multi1", Char(q.Multi1()));
  Line(out, "Multi2", Char(q.Multi2()));
  Line(out, "Flag172", Num(q.Flag172()));
  char freq[32];
  std::snprintf(freq, sizeof freq, "%.4f", static_cast<double>(q.Freq()));
  Line(out, "Freq", freq);
  Line(out, "ModeNr", Num(q.ModeNr()));
}

void HeaderFields(const char* record, std::ostream& out) {
  const ContestHeaderRecord h(record);
  Line(out, "contestNumber", Num(h.contestNumber()));
  Line(out, "contestCode", Char(h.contestCode()));
  Line(out, "contestName", Text(h.contestName()));
  Line(out, "dateFrom", Date(h.dateFrom()));
  Line(out, "dateTo", Date(h.dateTo()));
  Line(out, "timeFrom", Time(h.timeFrom()));
  Line(out, "timeTo", Time(h.timeTo()));
  Line(out, "locator", Text(h.locator()));
  Line(out, "dok", Text(h.dok()));
  Line(out, "ldk", Text(h.ldk()));
  Line(out, "ownCall", Text(h.ownCall()));
  Line(out, "clubId", Text(h.clubId()));
  Line(out, "postcode", Text(h.postcode()));
  Line(out, "extraNumber", Num(h.extraNumber()));
  Line(out, "category", Num(h.category()));
  Line(out, "recordMark", Char(h.recordMark()));
  Line(out, "autoDate", Num(h.autoDate()));
  Line(out, "autoTime", Num(h.autoTime()));
  Line(out, "autoBand", Num(h.autoBand()));
  Line(out, "rstSentFree", Num(h.rstSentFree()));
  Line(out, "rstRcvdFree", Num(h.rstRcvdFree()));
  Line(out, "qslSentDefault", Char(h.qslSentDefault()));
  Line(out, "qslRcvdDefault", Char(h.qslRcvdDefault()));
  Line(out, "startSsb", Num(h.startSsb()));
  Line(out, "startFm", Num(h.startFm()));
  Line(out, "startPr", Num(h.startPr()));
  Line(out, "yesNoAnswer", Num(h.yesNoAnswer()));
  Line(out, "extendedStats", Num(h.extendedStats()));
  std::string slots;
  for (int s = 1; s <= ContestHeaderRecord::kBandSlots; ++s) {
    slots += (s > 1 ? "  " : "") + Num(h.bandQsos(s)) + "/" + Num(h.bandMultis(s)) + "/" +
             Num(h.bandPoints(s));
  }
  Line(out, "band slots 1-7", slots + "  (QSOs/multipliers/points)");
}

void PrefixFields(const char* record, std::ostream& out) {
  const PrefixRecord p(record);
  Line(out, "prefix", Text(p.prefix()));
  Line(out, "DXCC prefix", Text(p.dxccPrefix()));
  Line(out, "area", Text(p.area()));
  Line(out, "CQ zone", Text(p.cqZone()));
  Line(out, "ITU zone", Text(p.ituZone()));
  Line(out, "continent", Text(p.continent()));
  Line(out, "country", Text(p.countryName()));
  Line(out, "entity number", Num(p.entityNumber()));
  Line(out, "valid from", Num(p.validFrom()));
  Line(out, "valid to", Num(p.validTo()));
  Line(out, "change date", Num(p.changeDate()));
  Line(out, "former prefix", Text(p.formerPrefix()));
  Line(out, "second change", Num(p.secondChangeDate()));
  Line(out, "prefix until then", Text(p.secondFormerPrefix()));
  Line(out, "alias prefix", Text(p.aliasPrefix()));
  Line(out, "alternative", Text(p.alternativePrefix()));
  Line(out, "range end", Char(p.rangeEnd()));
  Line(out, "class", Char(p.classChar()));
  Line(out, "match kind", Char(p.matchKind()));
}

using FieldPrinter = void (*)(const char*, std::ostream&);

FieldPrinter PrinterFor(const FileblockLayout& layout) {
  if (layout.name == "KXLK" || layout.name == "KXLKTEMP")
    return QsoFields;
  if (layout.name == "KXKK")
    return HeaderFields;
  if (layout.name == "KXPREFIX" || layout.name == "KXPREFEE" || layout.name == "KXPREFES")
    return PrefixFields;
  return nullptr;
}

int DumpFields(const std::string& name, int key, std::ostream& out, std::ostream& err, FileIo& io) {
  const FileblockLayout* layout = FindFileblockLayout(name);
  const FieldPrinter printer = layout != nullptr ? PrinterFor(*layout) : nullptr;
  if (printer == nullptr) {
    err << "tarvik-tool dump: --fields knows the QSO logs, KXKK and the prefix tables, not " << name
        << "\n";
    return 2;
  }
  std::vector<std::string> problems;
  std::int32_t entries = 0;
  const bool walked = WalkKeyEntries(
      io, name, key,
      [&](std::int32_t record, const std::string& k) {
        ++entries;
        out << "record " << record << " key " << Hex(k) << "\n";
        std::string bytes;
        if (!ReadDataRecord(io, name, record, &bytes)) {
          out << "  (record not in the data file)\n";
          return;
        }
        bytes.resize(
            std::max<std::size_t>(bytes.size(), static_cast<std::size_t>(layout->recordLength)),
            '\0');
        printer(bytes.data(), out);
      },
      &problems);
  for (const std::string& problem : problems)
    err << name << ": " << problem << "\n";
  if (!walked)
    return 1;
  out << entries << " entries in key " << key << "\n";
  return problems.empty() ? 0 : 1;
}

} // namespace

const char* ProgramFilesToolUsage() {
  // check and dump are listed once, with the storage commands (StorageToolUsage), which
  // describe what they do with a program file.
  return "";
}

int RunProgramFilesToolCommand(const std::vector<std::string>& args, std::ostream& out,
                               std::ostream& err) {
  return RunProgramFilesToolCommand(args, out, err, PosixFileIo());
}

int RunProgramFilesToolCommand(const std::vector<std::string>& args, std::ostream& out,
                               std::ostream& err, FileIo& io) {
  RegisterProgramFileLayouts();
  if (args.size() == 2 && args[0] == "check") {
    return RunWithDataDirectoryLock(
        io, DataDirectoryOfFileblock(args[1]), err, [&] { return Check(args[1], out, err, io); },
        DirectoryUse::kReadOnly);
  }
  if (args.size() < 3 || args[0] != "dump")
    return -1;
  bool fields = false;
  int key = 1;
  for (std::size_t i = 2; i < args.size(); ++i) {
    if (args[i] == "--fields") {
      fields = true;
    } else if (args[i] == "--key" && i + 1 < args.size()) {
      try {
        key = std::stoi(args[++i]);
      } catch (...) {
        key = 0;
      }
    } else {
      return -1;
    }
  }
  if (!fields)
    return -1;
  if (key < 1) {
    err << "tarvik-tool dump: --key needs a key number from 1\n";
    return 2;
  }
  return RunWithDataDirectoryLock(
      io, DataDirectoryOfFileblock(args[1]), err,
      [&] { return DumpFields(args[1], key, out, err, io); }, DirectoryUse::kReadOnly);
}

} // namespace tarvik
