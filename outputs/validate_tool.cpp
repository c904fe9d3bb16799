#include "outputs/validate_tool.h"

#include <algorithm>

#include "base/process_settings.h"
#include "outputs/file_check.h"
#include "recordfile/atomic_file.h"

namespace tarvik {

int RunValidateToolCommand(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err) {
  if (args.empty() || args[0] != "validate")
    return -1;
  if (args.size() != 2) {
    err << "usage: tarvik-tool " << ValidateToolUsage();
    return 2;
  }
  const std::string& path = args[1];
  const std::optional<std::string> bytes = ReadWholeFile(PosixFileIo(), path);
  if (!bytes) {
    err << "tarvik-tool validate: " << path << " cannot be read\n";
    return 2;
  }
  const FileFormat format = DetectFileFormat(*bytes);
  if (format == FileFormat::kUnknown) {
    err << "tarvik-tool validate: " << path << " is no EDI, Cabrillo, STF or ADIF file\n";
    return 2;
  }
  SetLanguageFlag(0); // the tool speaks English
  const std::vector<FileFinding> findings = CheckFile(*bytes);
  for (const FileFinding& f : findings)
    out << FindingLine(f) << "\n";
  const auto errors = std::count_if(findings.begin(), findings.end(), IsError);
  const auto warnings = static_cast<long>(findings.size()) - errors;
  out << path << ": " << FileFormatName(format) << " file, ";
  if (findings.empty()) {
    out << "no findings\n";
    return 0;
  }
  out << errors << (errors == 1 ? " error, " : " errors, ") << warnings
      << (warnings == 1 ? " warning\n" : " warnings\n");
  return 1;
}

const char* ValidateToolUsage() {
  return "  validate FILE         check an EDI, Cabrillo, STF or ADIF file the way a contest\n"
         "                        robot reads it and list what it would refuse (exit status 0:\n"
         "                        clean, 1: findings, 2: the file cannot be read)\n"
         "                        e.g. tarvik-tool validate DL1ABC.LOG\n";
}

} // namespace tarvik
