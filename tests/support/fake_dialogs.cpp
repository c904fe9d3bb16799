#include "support/fake_dialogs.h"

namespace tarvik::test {

std::vector<std::string> FakeDialogs::Texts(Kind kind) const {
  std::vector<std::string> out;
  for (const auto& e : events)
    if (e.kind == kind) out.push_back(e.text);
  return out;
}

std::string FakeDialogs::LastMessage() const {
  for (auto it = events.rbegin(); it != events.rend(); ++it)
    if (it->kind == Kind::Inform || it->kind == Kind::Confirm) return it->text;
  return {};
}

void FakeDialogs::Inform(const std::string& text) { events.push_back({Kind::Inform, text, {}}); }

bool FakeDialogs::Confirm(const std::string& text) {
  events.push_back({Kind::Confirm, text, {}});
  if (confirmAnswers.empty()) return defaultAnswer;
  const bool answer = confirmAnswers.front();
  confirmAnswers.pop_front();
  return answer;
}

void FakeDialogs::Beep() { events.push_back({Kind::Beep, {}, {}}); }

std::optional<std::string> FakeDialogs::AskOpenFile(const FileDialogRequest& request) {
  events.push_back({Kind::OpenFile, request.proposedName, request});
  if (openAnswers.empty()) return std::nullopt;
  auto answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

std::optional<std::string> FakeDialogs::AskSaveFile(const FileDialogRequest& request) {
  events.push_back({Kind::SaveFile, request.proposedName, request});
  if (saveAnswers.empty()) return std::nullopt;
  auto answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

bool FakeDialogs::OpenDocument(const std::string& fileOrAddress) {
  events.push_back({Kind::OpenDocument, fileOrAddress, {}});
  return openDocumentResult;
}

} // namespace tarvik::test
