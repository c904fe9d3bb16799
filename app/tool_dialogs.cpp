#include "app/tool_dialogs.h"

#include "storage/program_files_tool.h"

namespace tarvik {

void ToolDialogs::Inform(const std::string& text) {
  err_ << TerminalText(text) << "\n";
}

bool ToolDialogs::Confirm(const std::string& text) {
  err_ << TerminalText(text) << " (yes)\n";
  return true;
}

} // namespace tarvik
