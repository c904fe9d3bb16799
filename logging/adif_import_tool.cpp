#include "logging/adif_import_tool.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

#include "base/cp1252.h"
#include "base/data_directory.h"
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
  std::string dataDir;
};

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
    err << "usage: tarvik-tool " << AdifImportToolUsage();
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
  Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
  if (setup != nullptr && setup->FirstKey(1) == 0)
    settings = ReadFamilySettings(SetupRecord(setup->RecordBuffer()));
  CloseProgramFile(setup);
  return settings;
}

int Import(const Arguments& a, std::ostream& out, std::ostream& err) {
  std::error_code ec;
  if (!std::filesystem::exists(a.file, ec)) {
    err << "tarvik-tool import-adif: " << TerminalText("Datei existiert nicht") << ": " << a.file
        << "\n";
    return 1;
  }
  ContestRecords records;
  const StoreResult read = ReadContestFromFiles(a.contestNumber, &records);
  if (read != StoreResult::kOk) {
    if (StorageFailedInThisRun()) // the cause follows from the frame
      err << "tarvik-tool import-adif: the contest file " << DataPath("KXKK")
          << " cannot be read\n";
    else
      err << "tarvik-tool import-adif: there is no contest " << a.contestNumber << " in "
          << DataPath("KXKK") << "\n";
    return 1;
  }

  // The contests of the family's other tools (and unknown codes) are not this program's.
  if (const std::string refusal =
          ContestRefusalText(a.contestNumber, records.Header().contestCode());
      !refusal.empty()) {
    err << "tarvik-tool import-adif: " << refusal << "\n";
    return 2;
  }
  const FamilySettings settings = LoadSettings();
  ApplyFamilySettings(settings);
  ToolDialogs dialogs(err);
  ContestHeaderRecord record = records.Header();
  QsoSessionParams params;
  params.contestCode = record.contestCode();
  params.definition =
      BuildContestDefinition(params.contestCode, record, settings.ownLocator, dialogs);
  params.headerRecord = records.header;
  params.extensionRecord = records.extension;
  params.ownLocator = settings.ownLocator;

  AdifAssignment assignment(AdifLogFields(params.definition));
  for (const auto& [fileField, logField] : a.maps) {
    std::size_t entry = assignment.Size();
    for (std::size_t i = 0; i < assignment.Size(); ++i)
      if (UpCase(assignment.LogField(i)) == UpCase(logField))
        entry = i;
    if (entry == assignment.Size()) {
      err << "tarvik-tool import-adif: contest " << a.contestNumber << " has no log field '"
          << logField << "' (";
      for (std::size_t i = 0; i < assignment.Size(); ++i)
        err << (i > 0 ? ", " : "") << assignment.LogField(i);
      err << ")\n";
      return 2;
    }
    if (!assignment.Assign(entry, UpCase(fileField))) {
      err << "tarvik-tool import-adif: the log field '" << assignment.LogField(entry)
          << "' is assigned twice\n";
      return 2;
    }
  }

  QsoSession session(params, dialogs);
  if (!session.Open()) {
    err << "tarvik-tool import-adif: the QSO file of contest " << a.contestNumber
        << " cannot be opened\n";
    return 1;
  }
  const AdifImportCounts counts = ImportAdifFile(session, a.file, assignment, a.noCheck);
  // As after closing the log window: the statistics of the log into the header records.
  session.Close();
  records.header = session.HeaderRecord();
  records.extension = session.ExtensionRecord();
  const bool saved = WriteContestToFiles(records) == StoreResult::kOk;
  const std::string summary = AdifImportSummary(counts);
  for (std::size_t start = 0; start <= summary.size();) {
    const std::size_t end = std::min(summary.find('\n', start), summary.size());
    out << TerminalText(summary.substr(start, end - start)) << "\n";
    start = end + 1;
  }
  if (!saved) {
    err << "tarvik-tool import-adif: the header statistics of contest " << a.contestNumber
        << " could not be written\n";
    return 1;
  }
  return counts.storageFailed || counts.readStatus != AdifReadStatus::kOk ? 1 : 0;
}

} // namespace

int RunAdifImportToolCommand(const std::vector<std::string>& args, std::ostream& out,
                             std::ostream& err) {
  if (args.empty() || args[0] != "import-adif")
    return -1;
  Arguments a;
  if (!Parse(args, &a, err))
    return 2;
  return RunWithDataEngine(a.dataDir, err, [&] { return Import(a, out, err); });
}

const char* AdifImportToolUsage() {
  return "  import-adif CONTEST_NUMBER FILE [--map ADIF=LOGFIELD ...] [--no-check]\n"
         "         [--data DIR]\n"
         "                        import the QSOs of an ADIF file into a contest as the log\n"
         "                        window's import does: --map assigns a field of the file\n"
         "                        to a log field (CALL, QSO_DATE, TIME_ON, RST_SENT,\n"
         "                        RST_RCVD, BAND, FREQ, MODE or a multiplier label such as\n"
         "                        DOK or Loc), --no-check skips the mode and band checks\n";
}

} // namespace tarvik
