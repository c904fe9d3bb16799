#pragma once
// The dialogs of a tarvik-tool command: messages go to the error stream as terminal text,
// questions are answered yes (and said so), nothing is chosen or opened.

#include <ostream>

#include "base/user_dialogs.h"

namespace tarvik {

class ToolDialogs final : public UserDialogs {
public:
  explicit ToolDialogs(std::ostream& err) : err_(err) {}
  void Inform(const std::string& text) override;
  [[nodiscard]] bool Confirm(const std::string& text) override;
  void Beep() override {}
  [[nodiscard]] std::optional<std::string> AskOpenFile(const FileDialogRequest&) override {
    return {};
  }
  [[nodiscard]] std::optional<std::string> AskSaveFile(const FileDialogRequest&) override {
    return {};
  }
  [[nodiscard]] bool OpenDocument(const std::string&) override { return false; }

private:
  std::ostream& err_;
};

} // namespace tarvik
