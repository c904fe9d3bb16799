// tarvik-tool's help lists every command once with an example, and the commands that read a
// contest leave a directory without the program's data as it is.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "support/temp_dir.h"
#include "support/run_command.h"

namespace tarvik::test {
namespace {

TEST(ToolHelp, EveryCommandOnceWithAnExample) {
  const RunResult help = RunTool("help");
  EXPECT_EQ(help.exitCode, 0);
  // A command is a line indented by two blanks; its example the next "e.g." line.
  std::map<std::string, int> commands;
  std::map<std::string, int> examples;
  std::istringstream lines(help.output);
  std::string line;
  std::string current;
  while (std::getline(lines, line)) {
    if (line.rfind("  ", 0) == 0 && line.size() > 2 && line[2] != ' ') {
      current = line.substr(2, line.find(' ', 2) - 2);
      ++commands[current];
    } else if (line.find("e.g. tarvik-tool " + current) != std::string::npos) {
      ++examples[current];
    }
  }
  for (const char* command : {"help", "check", "dump", "repair", "import-cty", "import-dok-history",
                              "export", "import-adif", "rig"})
    EXPECT_EQ(commands[command], 1) << command << "\n" << help.output;
  for (const auto& [command, count] : commands)
    EXPECT_EQ(examples[command], 1) << command << "\n" << help.output;
  // A command's own usage line starts with the command, not with blanks.
  const RunResult usage = RunTool("export");
  EXPECT_EQ(usage.output.find("usage: tarvik-tool  "), std::string::npos) << usage.output;
  EXPECT_NE(usage.output.find("usage:\n  export --kind"), std::string::npos) << usage.output;
}

TEST(ToolHelp, ContestCommandsCreateNoDataFiles) {
  TempDataDir dir;
  const std::string file = dir.file("log.adi");
  WriteFileBytes(file, "<CALL:6>DL1ABC <EOR>\n");
  const std::string empty = dir.file("empty");
  std::filesystem::create_directory(empty);
  EXPECT_EQ(RunTool("export --kind adif 1 " + dir.file("out.adi") + " --data " + empty).exitCode,
            1);
  EXPECT_EQ(RunTool("import-adif 1 " + file + " --data " + empty).exitCode, 2);
  for (const auto& entry : std::filesystem::directory_iterator(empty))
    EXPECT_EQ(entry.path().filename(), "TARVIK.LCK");
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.adi")));
}

} // namespace
} // namespace tarvik::test
