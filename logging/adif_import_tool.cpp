#include "logging/adif_import_tool.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>

#include "base/cp1252.h"
#include "base/data_directory.h"
#include "base/process_settings.h"
#include "base/strings.h"
#include "base/tool_dialogs.h"
#include "contest/contest_catalog.h"
#include "contest/contest_header_fields.h"
#include "datafiles/contest_record_store.h"
#include "datafiles/family_settings.h"
#include "datafiles/program_files.h"
#include "datafiles/program_files_tool.h"
#include "logging/adif_import.h"
#include "logging/qso_session.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"
#include "recordfile/tool_engine.h"

namespace tarvik {

namespace {

struct Arguments {
  int contestNumber = 0;
  std::string file;
  std::vector<std::pair<std::string, std::string>> maps; // (file field, log field)
  bool noCheck = false;
  bool quiet = false;
  std::string dataDir;
};

constexpr const char* kPrefix = "tarvik-tool import-adif: ";

bool Parse(const std::vector<std::string>& args, Arguments* a, std::ostream& err) {
  std::vector<std::string> positional;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--map" && hasValue) {
      const std::string& map = args[++i];
      const std::size_t eq = map.find('=');
      if (eq == std::string::npos || eq == 0 || eq + 1 == map.size()) {
        err << "tarvik-tool import-adif: --map takes ADIF=LOGFIELD, not '" << map << "'\n";
        return false;
      }
      a->maps.emplace_back(map.substr(0, eq), map.substr(eq + 1));
    } else if (arg == "--no-check") {
      a->noCheck = true;
    } else if (arg == "--quiet") {
      a->quiet = true;
    } else if (arg == "--data" && hasValue) {
      a->dataDir = args[++i];
    } else if (!arg.empty() && arg[0] != '-') {
      positional.push_back(arg);
    } else {
      err << "tarvik-tool import-adif: unexpected argument '" << arg << "'\n";
      return false;
    }
  }
  if (positional.size() != 2) {
    err << "usage:\n" << AdifImportToolUsage();
    return false;
  }
  const std::string& number = positional[0];
  const auto [end, ec] =
      std::from_chars(number.data(), number.data() + number.size(), a->contestNumber);
  if (ec != std::errc() || end != number.data() + number.size() || a->contestNumber <= 0) {
    err << "tarvik-tool import-adif: '" << number << "' is no contest number\n";
    return false;
  }
  a->file = positional[1];
  return true;
}

FamilySettings LoadSettings() {
  FamilySettings settings;
  // Without a setup file the family's defaults hold; none is created.
  std::error_code ec;
  if (!std::filesystem::exists(DataPath("KXSETUP.DAT"), ec))
    return settings;
  Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
  if (setup != nullptr && setup->FirstKey(1) == 0)
    settings = ReadFamilySettings(SetupRecord(setup->RecordBuffer()));
  CloseProgramFile(setup);
  return settings;
}

// Prints a text of several lines (the summary) line by line for the terminal.
void PrintLines(std::ostream& out, const std::string& text) {
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    out << TerminalText(text.substr(start, end - start)) << "\n";
    start = end + 1;
  }
}

int Import(const Arguments& a, std::ostream& out, std::ostream& err) {
  // The contest file must be there: the tool never starts a data directory of its own.
  std::error_code ec;
  if (!std::filesystem::exists(DataPath("KXKK.DAT"), ec)) {
    err << kPrefix << "the data directory " << DataDirectory()
        << " holds no contest file (KXKK); there is no contest " << a.contestNumber << "\n";
    return kAdifToolNothingDone;
  }
  if (!std::filesystem::is_regular_file(a.file, ec)) {
    err << kPrefix << "the file " << a.file
        << (std::filesystem::exists(a.file, ec) ? " is no file" : " does not exist") << "\n";
    return kAdifToolNothingDone;
  }
  if (std::ifstream probe(a.file, std::ios::binary); !probe) {
    err << kPrefix << "the file " << a.file << " cannot be read\n";
    return kAdifToolNothingDone;
  }
  ContestRecords records;
  const StoreResult read = ReadContestFromFiles(a.contestNumber, &records);
  if (read != StoreResult::kOk) {
    if (StorageFailedInThisRun()) { // the cause follows from the frame
      err << kPrefix << "the contest file " << DataPath("KXKK") << " cannot be read\n";
      return 1;
    }
    err << kPrefix << "there is no contest " << a.contestNumber << " in " << DataPath("KXKK")
        << "\n";
    return kAdifToolNothingDone;
  }

  // The contests of the family's other tools (and unknown codes) are not this program's.
  if (const std::string refusal =
          ContestRefusalText(a.contestNumber, records.Header().contestCode());
      !refusal.empty()) {
    err << kPrefix << refusal << "\n";
    return kAdifToolNothingDone;
  }
  const FamilySettings settings = LoadSettings();
  ApplyFamilySettings(settings);
  // The tool speaks English, whatever language the program is set to.
  SetLanguageFlag(0);
  ToolDialogs dialogs(err);
  ContestHeaderRecord record = records.Header();
  QsoSessionParams params;
  params.contestCode = record.contestCode();
  params.definition =
      BuildContestDefinition(params.contestCode, record, settings.ownLocator, dialogs);
  params.headerRecord = records.header;
  params.extensionRecord = records.extension;
  params.ownLocator = settings.ownLocator;

  AdifAssignment assignment(AdifLogFields(params.definition, params.contestCode));
  if (!a.maps.empty()) {
    // A mapping that cannot take effect is refused before anything is imported.
    const AdifFileScan scan = ScanAdifFile(a.file);
    for (const auto& [fileField, logField] : a.maps) {
      const std::size_t entry = assignment.Find(logField);
      if (entry == assignment.Size()) {
        err << kPrefix << "contest " << a.contestNumber << " has no log field '"
            << TerminalText(logField)
            << "'; the fields are: " << TerminalText(assignment.FieldNames()) << "\n";
        return kAdifToolNothingDone;
      }
      const std::string source = UpCase(fileField);
      if (std::find(scan.fieldNames.begin(), scan.fieldNames.end(), source) ==
          scan.fieldNames.end()) {
        std::string names;
        for (const std::string& name : scan.fieldNames)
          names += (names.empty() ? "" : ", ") + name;
        err << kPrefix << "no record of " << a.file << " has the field '" << TerminalText(fileField)
            << "'; its fields are: " << TerminalText(names) << "\n";
        return kAdifToolNothingDone;
      }
      if (!assignment.Assign(entry, source)) {
        err << kPrefix << "the log field '" << TerminalText(assignment.LogField(entry))
            << "' is assigned twice\n";
        return kAdifToolNothingDone;
      }
    }
  }

  QsoSession session(params, dialogs);
  if (!session.Open()) {
    err << kPrefix << "the QSO file of contest " << a.contestNumber << " cannot be opened\n";
    return 1;
  }
  const AdifImportResult result = ImportAdifFile(session, a.file, assignment, a.noCheck);
  const AdifImportCounts& counts = result.counts;
  // As after closing the log window: the statistics of the log into the header records.
  session.Close();
  records.header = session.Contest().header;
  records.extension = session.Contest().extension;
  const bool saved = WriteContestToFiles(records) == StoreResult::kOk;
  if (!a.quiet)
    for (const AdifRefusal& refusal : result.refusals)
      out << TerminalText(AdifRefusalLine(refusal)) << "\n";
  PrintLines(out, AdifImportSummaryEnglish(counts));
  if (!saved) {
    err << kPrefix << "the header statistics of contest " << a.contestNumber
        << " could not be written\n";
    return 1;
  }
  if (counts.imported == 0 && result.refusals.empty()) {
    err << kPrefix << "the file " << a.file
        << (counts.readStatus != AdifReadStatus::kOk
                ? " cannot be read"
                : " holds no ADIF record (no field followed by <EOR>)")
        << "\n";
    return kAdifToolNothingDone;
  }
  return AdifImportComplete(counts) ? 0 : 1;
}

} // namespace

int RunAdifImportToolCommand(const std::vector<std::string>& args, std::ostream& out,
                             std::ostream& err) {
  if (args.empty() || args[0] != "import-adif")
    return -1;
  Arguments a;
  if (!Parse(args, &a, err))
    return kAdifToolNothingDone;
  bool ran = false;
  const int code = RunWithDataEngine(a.dataDir, err, [&] {
    ran = true;
    return Import(a, out, err);
  });
  // A data directory that is missing or locked: nothing was done.
  return ran ? code : kAdifToolNothingDone;
}

const char* AdifImportToolUsage() {
  return "  import-adif CONTEST_NUMBER FILE [--map ADIF=LOGFIELD ...] [--no-check] [--quiet]\n"
         "         [--data DIR]\n"
         "                        import the QSOs of an ADIF file into a contest as the log\n"
         "                        window's import does. Every log field reads the ADIF\n"
         "                        fields other logbooks write for it (GRIDSQUARE for a\n"
         "                        locator, DARC_DOK for a DOK, SRX for a serial number, AGE,\n"
         "                        STATE, CALL_WKD ...); --map ADIF=LOGFIELD reads another\n"
         "                        one (LOGFIELD: CALL, QSO_DATE, TIME_ON, RST_SENT, RST_RCVD,\n"
         "                        BAND, FREQ, MODE, NAME, QTH or an exchange element of the\n"
         "                        contest such as DOK, Loc, lfd.Nr., Alter). --no-check skips\n"
         "                        the mode and band checks. Every record not imported is\n"
         "                        listed with its number, call and reason (--quiet: the\n"
         "                        summary only). Exit 0: all imported or refused as\n"
         "                        duplicates; 1: records refused for other reasons; 2:\n"
         "                        nothing done\n"
         "                        e.g. tarvik-tool import-adif 3 other.adi --map AGE=Alter\n";
}

} // namespace tarvik
