#include "base/tool_dialogs.h"

#include "base/cp1252.h"

namespace tarvik {

void ToolDialogs::Inform(const std::string& text) {
  err_ << TerminalText(text) << "\n";
}

bool ToolDialogs::Confirm(const std::string& text) {
  err_ << TerminalText(text) << " (yes)\n";
  return true;
}

} // namespace tarvik
