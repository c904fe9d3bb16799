// tarvik-tool: command-line access to Tarvik's data files for the people who keep them.

#include <cstdio>
#include <string>
#include <vector>

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: tarvik-tool COMMAND [ARGS]\n"
               "commands:\n"
               "  help            this text\n");
  return 2;
}

} // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  if (args[0] == "help" || args[0] == "--help") {
    Usage();
    return 0;
  }
  std::fprintf(stderr, "tarvik-tool: unknown command '%s'\n", args[0].c_str());
  return Usage();
}
