#pragma once
// Scripted UserDialogs for tests: records every message and answers questions and file
// dialogs from queues the test fills beforehand.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/user_dialogs.h"

namespace tarvik::test {

class FakeDialogs : public UserDialogs {
public:
  // --- script -----------------------------------------------------------------------
  /// Answers for the next Confirm calls, in order; when empty, `defaultAnswer` is used.
  std::deque<bool> confirmAnswers;
  bool defaultAnswer = true;
  /// Answers for the next AskOpenFile / AskSaveFile calls (nullopt = cancelled).
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  bool openDocumentResult = true;

  // --- record -----------------------------------------------------------------------
  enum class Kind { Inform, Confirm, Beep, OpenFile, SaveFile, OpenDocument };
  struct Event {
    Kind kind;
    std::string text;        ///< message, question, or document
    FileDialogRequest file;  ///< for the file dialogs
  };
  std::vector<Event> events;

  std::vector<std::string> Texts(Kind kind) const;
  std::vector<std::string> Informs() const { return Texts(Kind::Inform); }
  std::vector<std::string> Questions() const { return Texts(Kind::Confirm); }
  int Beeps() const { return static_cast<int>(Texts(Kind::Beep).size()); }
  /// Text of the last Inform or Confirm, or "" when there was none.
  std::string LastMessage() const;
  void Clear() { events.clear(); }

  // --- UserDialogs ------------------------------------------------------------------
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void Beep() override;
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
  bool OpenDocument(const std::string& fileOrAddress) override;
};

} // namespace tarvik::test
