#include "outputs/export_tool.h"

#include <charconv>
#include <map>

#include "outputs/output_contest.h"
#include "outputs/output_kinds.h"
#include "storage/data_directory.h"
#include "storage/engine.h"
#include "storage/program_files_tool.h"

namespace tarvik {

namespace {

const std::map<std::string, int, std::less<>> kKinds = {
    {"stf", output_kind::kStfFile},   {"adif", output_kind::kAdifFile},
    {"csv", output_kind::kCsvFile},   {"all", output_kind::kELogQsoList},
    {"txt", output_kind::kELogWhole},
};

struct Arguments {
  int kind = 0;
  int contestNumber = 0;
  std::string file;
  bool rstOnly = true;
  std::string dataDir;
};

/// Messages of building the definition go to the error stream; questions are not asked.
class ToolDialogs final : public UserDialogs {
public:
  explicit ToolDialogs(std::ostream& err) : err_(err) {}
  void Inform(const std::string& text) override { err_ << TerminalText(text) << "\n"; }
  bool Confirm(const std::string& text) override {
    err_ << TerminalText(text) << " (yes)\n";
    return true;
  }
  void Beep() override {}
  std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return {}; }
  bool OpenDocument(const std::string&) override { return false; }

private:
  std::ostream& err_;
};

bool Parse(const std::vector<std::string>& args, Arguments* a, std::ostream& err) {
  std::vector<std::string> positional;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--kind" && hasValue) {
      const auto kind = kKinds.find(args[++i]);
      if (kind == kKinds.end()) {
        err << "tarvik-tool export: unknown kind '" << args[i] << "' (stf, adif, csv, all, txt)\n";
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
    err << "usage: tarvik-tool " << ExportToolUsage();
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
  ToolDialogs dialogs(err);
  const std::optional<OutputContest> contest = LoadOutputContest(a.contestNumber, dialogs);
  if (!contest) {
    err << "tarvik-tool export: there is no contest " << a.contestNumber << " in "
        << DataPath("KXKK") << "\n";
    return 1;
  }
  const OutputFileStatus status =
      WriteOutputFile(a.kind, *contest, a.file, [&] { return a.rstOnly; });
  switch (status) {
  case OutputFileStatus::kWritten:
    out << "wrote " << a.file << "\n";
    return 0;
  case OutputFileStatus::kNotAvailable:
    err << "tarvik-tool export: this output is not available in this version yet\n";
    return 1;
  case OutputFileStatus::kNotCreated:
    err << "tarvik-tool export: " << a.file << " cannot be created\n";
    return 1;
  case OutputFileStatus::kLogNotOpened:
    err << "tarvik-tool export: the QSO file of contest " << a.contestNumber
        << " cannot be opened\n";
    return 1;
  case OutputFileStatus::kWriteFailed:
    err << "tarvik-tool export: writing " << a.file << " failed; the file is incomplete\n";
    return 1;
  case OutputFileStatus::kLogIncomplete:
    err << "tarvik-tool export: the QSO file of contest " << a.contestNumber
        << " could not be read to its end; " << a.file << " is incomplete\n";
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
  if (a.dataDir.empty())
    RememberWorkingDirectoryAsDataDirectory();
  else
    SetDataDirectory(a.dataDir);
  if (InitEngine() != 0) {
    err << "tarvik-tool: the record-file engine cannot start\n";
    return 1;
  }
  const int code = Export(a, out, err);
  if (ExitEngine() != 0 && code == 0) {
    err << "tarvik-tool: the files could not be closed cleanly\n";
    return 1;
  }
  return code;
}

const char* ExportToolUsage() {
  return "  export --kind stf|adif|csv|all CONTEST_NUMBER OUTFILE [--rst-only yes|no]\n"
         "         [--data DIR]\n"
         "                        write the STF file, ADIF or CSV export or E-Log QSO list\n"
         "                        of a contest as the output menu does (--rst-only answers\n"
         "                        the ADIF question, default yes)\n";
}

} // namespace tarvik
