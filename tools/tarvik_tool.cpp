// tarvik-tool: command-line access to Tarvik's data files for the people who keep them.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "country/country_data_tool.h"
#include "datafiles/program_files_tool.h"
#include "logging/adif_import_tool.h"
#include "logging/rig_tool.h"
#include "outputs/export_tool.h"
#include "outputs/validate_tool.h"
#include "recordfile/storage_tool.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: tarvik-tool COMMAND [ARGS]\n"
               "Commands that work on a data directory use the working directory, or DIR\n"
               "with --data DIR.\n"
               "commands:\n"
               "  help                  this text\n"
                "                        e.g. tarvik-tool help\n"
                "%s%s%s%s%s%s%s",
               tarvik::StorageToolUsage(), tarvik::ProgramFilesToolUsage(),
               tarvik::CountryDataToolUsage(), tarvik::ExportToolUsage(),
               tarvik::ValidateToolUsage(), tarvik::AdifImportToolUsage(), tarvik::RigToolUsage());
  return 2;
}

} // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty())
    return Usage();
  if (args[0] == "help" || args[0] == "--help") {
    Usage();
    return 0;
  }
  if (const int code = tarvik::RunCountryDataToolCommand(args, std::cout, std::cerr); code >= 0)
    return code;
  if (const int code = tarvik::RunExportToolCommand(args, std::cout, std::cerr); code >= 0)
    return code;
  if (const int code = tarvik::RunValidateToolCommand(args, std::cout, std::cerr); code >= 0)
    return code;
  if (const int code = tarvik::RunAdifImportToolCommand(args, std::cout, std::cerr); code >= 0)
    return code;
  if (const int code = tarvik::RunRigToolCommand(args, std::cout, std::cerr); code >= 0)
    return code;
  // The program's files first: they add key checks and field dumps to the storage commands.
  if (const int code = tarvik::RunProgramFilesToolCommand(args, std::cout, std::cerr); code >= 0)
    return code;
  if (const int code = tarvik::RunStorageToolCommand(args, std::cout, std::cerr); code >= 0)
    return code;
  std::fprintf(stderr, "tarvik-tool: unknown command '%s'\n", args[0].c_str());
  return Usage();
}
