#pragma once
// UserDialogs on Qt: message boxes that show only their text under the application title,
// the platform's file dialogs, and the desktop's opener for documents and addresses.
//
// Windows receive a UserDialogs& instead of calling Qt's static boxes, so that window tests
// can hand in the scripted FakeDialogs and run without anything modal.

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include "base/user_dialogs.h"

namespace tarvik {

class QtUserDialogs final : public UserDialogs {
public:
  /// `parent` is the window the boxes are centred on; without one (or once it is gone) the
  /// active window of the application is used.
  explicit QtUserDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  void Inform(const std::string& text) override;
  [[nodiscard]] bool Confirm(const std::string& text) override;
  [[nodiscard]] bool ConfirmTitled(const std::string& text, const std::string& title) override;
  void Beep() override;
  [[nodiscard]] std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
  [[nodiscard]] std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
  [[nodiscard]] bool OpenDocument(const std::string& fileOrAddress) override;

private:
  QWidget* Parent() const;
  [[nodiscard]] std::optional<std::string> AskFile(const FileDialogRequest& request, bool save);

  QPointer<QWidget> parent_;
};

/// The filter of a FileDialogRequest ("Description (*.ext)|*.ext|...") as a Qt name filter
/// list. Patterns get their upper- and lower-case forms (Linux file names are case
/// sensitive, the patterns come from a world where they were not), and "*.*" becomes "*".
QStringList QtNameFilters(const std::string& filter);

/// What the desktop should open for a file name or address: an existing file (absolute or
/// relative to the working directory) as a local file, a text with a scheme ("http:",
/// "mailto:") as that URL with the scheme in lower case, anything else as a web address.
QUrl DocumentUrl(const std::string& fileOrAddress);

} // namespace tarvik
