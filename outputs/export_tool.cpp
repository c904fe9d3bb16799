#include "outputs/export_tool.h"

#include <charconv>
#include <filesystem>
#include <map>

#include "base/data_directory.h"
#include "base/tool_dialogs.h"
#include "contest/contest_catalog.h"
#include "datafiles/program_files_tool.h"
#include "outputs/output_contest.h"
#include "outputs/output_kinds.h"
#include "outputs/participant_data.h"
#include "radio/bands.h"
#include "recordfile/failure_cause.h"
#include "recordfile/tool_engine.h"

namespace tarvik {

namespace {

const std::map<std::string, int, std::less<>> kKinds = {
    {"stf", output_kind::kStfFile},      {"adif", output_kind::kAdifFile},
    {"csv", output_kind::kCsvFile},      {"all", output_kind::kELogQsoList},
    {"txt", output_kind::kELogWhole},    {"sum", output_kind::kELogCover},
    {"bnd", output_kind::kELogBandList}, {"multi", output_kind::kELogMultiCheck},
    {"edi", output_kind::kEdiFile},      {"cabrillo", output_kind::kCabrilloFile},
};

constexpr const char* kKindNames = "stf, adif, csv, all, txt, sum, bnd, multi, edi, cabrillo";

/// The participant fields an --edi option may set, by the dialog's names.
std::string* ParticipantField(ParticipantData& p, std::string_view name) {
  const std::pair<std::string_view, std::string*> fields[] = {
      {"pcall", &p.pcall}, {"ploc", &p.ploc},     {"padr1", &p.padr1},   {"padr2", &p.padr2},
      {"psect", &p.psect}, {"pclub1", &p.pclub1}, {"pclub2", &p.pclub2}, {"remail", &p.remail},
      {"rname", &p.rname}, {"radr1", &p.radr1},   {"radr2", &p.radr2},   {"rpoco", &p.rpoco},
      {"rcity", &p.rcity}, {"rcoun", &p.rcoun},   {"mope1", &p.mope1},   {"mope2", &p.mope2},
      {"rtrx", &p.rtrx},   {"rant", &p.rant},     {"rpower", &p.rpower}, {"rremarks", &p.rremarks},
  };
  for (const auto& [field, value] : fields)
    if (field == name)
      return value;
  return nullptr;
}

struct Arguments {
  int kind = 0;
  int contestNumber = 0;
  std::string file;
  bool rstOnly = true;
  std::string dataDir;
  std::string cabrilloContest; ///< --contest-name: the CONTEST value of the Cabrillo file
  char ediBand = 0;            ///< --band: the EDI file of that band only
  /// --edi FIELD=VALUE, in the order given.
  std::vector<std::pair<std::string, std::string>> participant;
};

/// The index of `band` among the dialog's bands; -1 for none (an empty text included).
int ParticipantBandIndex(std::string_view band) {
  for (std::size_t i = 0; i < kParticipantBands.size(); ++i)
    if (kParticipantBands[i] == band)
      return static_cast<int>(i);
  return -1;
}

/// Applies the --edi values (checked by Parse) to the prefilled participant data.
void ApplyParticipant(const Arguments& a, ParticipantData& p) {
  for (const auto& [field, value] : a.participant) {
    if (field == "pband")
      p.pband = ParticipantBandIndex(value);
    else
      *ParticipantField(p, field) = value;
  }
}

bool Parse(const std::vector<std::string>& args, Arguments* a, std::ostream& err) {
  std::vector<std::string> positional;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--kind" && hasValue) {
      const auto kind = kKinds.find(args[++i]);
      if (kind == kKinds.end()) {
        err << "tarvik-tool export: unknown kind '" << args[i] << "' (" << kKindNames << ")\n";
        return false;
      }
      a->kind = kind->second;
    } else if (arg == "--rst-only" && hasValue) {
      const std::string& answer = args[++i];
      if (answer != "yes" && answer != "no") {
        err << "tarvik-tool export: --rst-only takes yes or no\n";
        return false;
      }
      a->rstOnly = answer == "yes";
    } else if (arg == "--edi" && hasValue) {
      const std::string& setting = args[++i];
      const auto equals = setting.find('=');
      const std::string field = setting.substr(0, equals);
      ParticipantData probe;
      if (equals == std::string::npos ||
          (field != "pband" && ParticipantField(probe, field) == nullptr)) {
        err << "tarvik-tool export: --edi takes FIELD=VALUE with a field of the participant "
               "dialog, not '"
            << setting << "'\n";
        return false;
      }
      const std::string value = setting.substr(equals + 1);
      // A wrong band is refused before anything is written.
      if (field == "pband" && !value.empty() && ParticipantBandIndex(value) < 0) {
        err << "tarvik-tool export: '" << value << "' is no band of the EDI file\n";
        return false;
      }
      a->participant.emplace_back(field, value);
    } else if (arg == "--band" && hasValue) {
      a->ediBand = BandFromText(args[++i]);
      if (a->ediBand == 0) {
        err << "tarvik-tool export: '" << args[i] << "' is no band\n";
        return false;
      }
    } else if (arg == "--contest-name" && hasValue) {
      a->cabrilloContest = args[++i];
    } else if (arg == "--data" && hasValue) {
      a->dataDir = args[++i];
    } else if (!arg.empty() && arg[0] != '-') {
      positional.push_back(arg);
    } else {
      err << "tarvik-tool export: unexpected argument '" << arg << "'\n";
      return false;
    }
  }
  if (a->kind == 0 || positional.size() != 2) {
    err << "usage:\n" << ExportToolUsage();
    return false;
  }
  const std::string& number = positional[0];
  const auto [end, ec] =
      std::from_chars(number.data(), number.data() + number.size(), a->contestNumber);
  if (ec != std::errc() || end != number.data() + number.size() || a->contestNumber <= 0) {
    err << "tarvik-tool export: '" << number << "' is no contest number\n";
    return false;
  }
  a->file = positional[1];
  return true;
}

int Export(const Arguments& a, std::ostream& out, std::ostream& err) {
  // Opening the contest file would create an empty one: a directory without it is left alone.
  if (std::error_code ec; !std::filesystem::exists(DataPath("KXKK.DAT"), ec)) {
    err << "tarvik-tool export: the data directory " << DataDirectory()
        << " holds no contest file (KXKK); there is no contest " << a.contestNumber << "\n";
    return 1;
  }
  ToolDialogs dialogs(err);
  std::optional<OutputContest> contest = LoadOutputContest(a.contestNumber, dialogs);
  if (!contest) {
    if (StorageFailedInThisRun()) // the cause follows from the frame
      err << "tarvik-tool export: the contest file " << DataPath("KXKK") << " cannot be read\n";
    else
      err << "tarvik-tool export: there is no contest " << a.contestNumber << " in "
          << DataPath("KXKK") << "\n";
    return 1;
  }
  if (const std::string refusal = ContestRefusalText(a.contestNumber, contest->contestCode);
      !refusal.empty()) {
    err << "tarvik-tool export: " << refusal << "\n";
    return 2;
  }
  contest->cabrilloContest = a.cabrilloContest;
  contest->ediBand = a.ediBand;
  FileWriteResult fileResult;
  const OutputFileStatus status = WriteOutputFile(
      a.kind, *contest, a.file, [&] { return a.rstOnly; }, ProcessClock(),
      [&](ParticipantData& p) { ApplyParticipant(a, p); }, nullptr, &fileResult);
  const std::string cause = OsErrorCause(fileResult.osError());
  const std::string because = cause.empty() ? std::string() : " (" + cause + ")";
  switch (status) {
  case OutputFileStatus::kWritten:
    out << "wrote " << a.file << "\n";
    return 0;
  case OutputFileStatus::kNotAvailable:
    err << "tarvik-tool export: no such output\n";
    return 1;
  case OutputFileStatus::kNotCreated:
    err << "tarvik-tool export: " << a.file << " cannot be created" << because << "\n";
    return 1;
  case OutputFileStatus::kLogNotOpened:
    err << "tarvik-tool export: the QSO file of contest " << a.contestNumber
        << " cannot be opened\n";
    return 1;
  case OutputFileStatus::kWriteFailed:
    err << "tarvik-tool export: writing " << a.file << " failed" << because
        << "; an existing file stays as it was\n";
    return 1;
  case OutputFileStatus::kLogIncomplete:
    err << "tarvik-tool export: not every QSO of contest " << a.contestNumber
        << " could be read from its QSO file; " << a.file << " was not written\n";
    return 1;
  }
  return 1;
}

} // namespace

int RunExportToolCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err) {
  if (args.empty() || args[0] != "export")
    return -1;
  Arguments a;
  if (!Parse(args, &a, err))
    return 2;
  return RunWithDataEngine(a.dataDir, err, [&] { return Export(a, out, err); });
}

const char* ExportToolUsage() {
  return "  export --kind stf|adif|csv|all|txt|sum|bnd|multi|edi|cabrillo CONTEST_NUMBER OUTFILE\n"
         "         [--rst-only yes|no] [--edi FIELD=VALUE]... [--band BAND]\n"
         "         [--contest-name NAME] [--data DIR]\n"
         "                        write an output file of a contest as the output menu does:\n"
         "                        STF, ADIF, CSV, E-Log QSO list (all), whole-log file (txt),\n"
         "                        cover sheet (sum), band list (bnd), multiplier check list\n"
         "                        (multi), EDI file (edi) or Cabrillo file (cabrillo;\n"
         "                        --contest-name replaces its CONTEST value). --rst-only\n"
         "                        answers the ADIF\n"
         "                        question (default yes). The EDI participant values are\n"
         "                        those the participant dialog is prefilled with; --edi\n"
         "                        overrides one of them by its dialog name (pcall, ploc,\n"
         "                        padr1, padr2, psect, pband, pclub1, pclub2, remail, rname,\n"
         "                        radr1, radr2, rpoco, rcity, rcoun, mope1, mope2, rtrx,\n"
         "                        rant, rpower, rremarks; pband takes \"144 MHz\" etc.);\n"
         "                        --band (2m, 70cm ...) writes the EDI file of that band's\n"
         "                        QSOs, as the program does for a log on several bands\n"
         "                        e.g. tarvik-tool export --kind stf 1 DL1ABC.STF\n";
}

} // namespace tarvik
