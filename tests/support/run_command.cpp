#include "support/run_command.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

namespace tarvik::test {

RunResult RunCommand(const std::string& command) {
  RunResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return result;
  std::array<char, 4096> buffer;
  while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
    result.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

RunResult RunTool(const std::string& args) {
  return RunCommand(std::string(TARVIK_TOOL_PATH) + " " + args + " 2>&1");
}

NpmPackage PrepareNpmPackage(const std::string& folder, const std::string& name,
                             const std::string& version) {
  NpmPackage package;
  if (RunCommand("node --version >/dev/null 2>&1").exitCode != 0) {
    package.skipReason = "node is not installed: " + name + " cannot read the file back";
    return package;
  }
  const std::string prefix = std::string(TARVIK_BUILD_DIR) + "/" + folder;
  if (!std::filesystem::exists(prefix + "/node_modules/" + name + "/package.json")) {
    if (RunCommand("npm --version >/dev/null 2>&1").exitCode != 0) {
      package.skipReason = "npm is not installed: " + name + " cannot be installed";
      return package;
    }
    if (RunCommand("npm install --no-audit --no-fund --no-save --silent --prefix '" + prefix +
                   "' " + name + "@" + version + " >/dev/null 2>&1")
            .exitCode != 0) {
      package.failure = "npm could not install " + name + " into " + prefix;
      return package;
    }
  }
  package.nodePath = prefix + "/node_modules";
  return package;
}

} // namespace tarvik::test
