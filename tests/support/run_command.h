#pragma once
// Running programs from tests: a shell command, tarvik-tool, and node with a reader package
// from the npm registry (the independent readers that read our files back).

#include <string>

namespace tarvik::test {

struct RunResult {
  int exitCode = -1; ///< -1 when the program did not exit normally
  std::string output;
};

/// Runs `command` with the shell: its standard output and exit status.
RunResult RunCommand(const std::string& command);

/// tarvik-tool with `args`; its standard error goes into the output too.
RunResult RunTool(const std::string& args);

/// An npm package installed for the tests under the build folder.
struct NpmPackage {
  std::string nodePath;   ///< for NODE_PATH; empty when the package is not at hand
  std::string skipReason; ///< node or npm is missing: the test is skipped with this reason
  std::string failure;    ///< npm is there but could not install the package
};

/// Installs `name`@`version` into TARVIK_BUILD_DIR/`folder` unless it is there already.
NpmPackage PrepareNpmPackage(const std::string& folder, const std::string& name,
                             const std::string& version);

} // namespace tarvik::test
