#pragma once
// The core's only way to talk to the person at the computer. The Qt side implements it
// with message boxes and file dialogs; tests implement it with a scripted fake.
//
// All texts are Windows-1252 bytes, as everywhere in the core. File names are the
// exception: the names AskOpenFile and AskSaveFile return are bytes of the file system
// (UTF-8 on Linux), so that the core opens exactly the file the person picked; names handed
// in (proposed name, folder, document) may be either.

#include <optional>
#include <string>

namespace tarvik {

/// What a file dialog asks for.
struct FileDialogRequest {
  std::string title;            ///< window caption (may be empty)
  std::string filter;           ///< e.g. "STF-Datei (*.STF)|*.STF|Alle Dateien (*.*)|*.*"
  std::string defaultExtension; ///< without dot, e.g. "STF"; appended when the user types none
  std::string proposedName;     ///< file name offered in the dialog (may include a folder)
  std::string initialDir;       ///< folder the dialog opens in; empty = current directory
};

class UserDialogs {
public:
  virtual ~UserDialogs() = default;

  /// Modal message with the information icon and one OK button; caption is the application title.
  virtual void Inform(const std::string& text) = 0;
  /// Modal question with Yes and No; returns true for Yes.
  [[nodiscard]] virtual bool Confirm(const std::string& text) = 0;
  /// The same question under its own caption (e.g. "Sicherheitsabfrage"); by default the
  /// plain question.
  [[nodiscard]] virtual bool ConfirmTitled(const std::string& text, const std::string& title) {
    (void)title;
    return Confirm(text);
  }
  /// The system's warning sound.
  virtual void Beep() = 0;
  /// Asks for an existing file to open. nullopt when the user cancels.
  [[nodiscard]] virtual std::optional<std::string>
  AskOpenFile(const FileDialogRequest& request) = 0;
  /// Asks for a file name to save to. nullopt when the user cancels.
  [[nodiscard]] virtual std::optional<std::string>
  AskSaveFile(const FileDialogRequest& request) = 0;
  /// Asks the operating system to open a file or web/mail address with its associated
  /// program. Returns false when that could not be started.
  [[nodiscard]] virtual bool OpenDocument(const std::string& fileOrAddress) = 0;
};

} // namespace tarvik
