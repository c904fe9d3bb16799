#include "outputs/ui/findings_window.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "base/cp1252.h"
#include "base/process_settings.h"
#include "base/text_helpers.h"
#include "outputs/output_kinds.h"
#include "outputs/text_files.h"
#include "widgets/text_codec.h"

namespace tarvik {

FindingsWindow::FindingsWindow(const std::vector<FileFinding>& findings,
                               const std::string& fileName, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), findings_(findings), fileName_(fileName), dialogs_(dialogs) {
  setObjectName(QStringLiteral("FindingsWindow"));
  const bool german = IsGerman();
  setWindowTitle(german ? QStringLiteral("Prüfung vor dem Senden")
                        : QStringLiteral("Check before sending"));
  setModal(true);
  const auto errors = std::count_if(findings.begin(), findings.end(), IsError);
  const auto warnings = static_cast<long>(findings.size()) - errors;
  lHinweis = new QLabel(this);
  lHinweis->setWordWrap(true);
  lHinweis->setText(
      (german ? QStringLiteral("Die Datei %1 wurde wie von einem Contest-Roboter geprüft: %2 "
                               "Fehler, %3 Warnungen. Ein Roboter weist die Datei oder die "
                               "genannten QSOs womöglich zurück.")
              : QStringLiteral("The file %1 was checked as a contest robot reads it: %2 errors, "
                               "%3 warnings. A robot may refuse the file or the QSOs named."))
          .arg(ToQString(fileName))
          .arg(errors)
          .arg(warnings));
  lbFindings = new QListWidget(this);
  lbFindings->setObjectName(QStringLiteral("lbFindings"));
  for (const FileFinding& f : findings) {
    auto* item = new QListWidgetItem(ToQString(FindingLine(f)), lbFindings);
    if (IsError(f))
      item->setForeground(QColor(180, 0, 0));
  }
  btnSchreiben = new QPushButton(
      german ? QStringLiteral("Trotzdem schreiben") : QStringLiteral("Write anyway"), this);
  btnAbbrechen =
      new QPushButton(german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"), this);
  btnSpeichern = new QPushButton(
      german ? QStringLiteral("Liste speichern") : QStringLiteral("Save list"), this);
  btnAbbrechen->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(btnSchreiben, QDialogButtonBox::AcceptRole);
  buttons->addButton(btnSpeichern, QDialogButtonBox::ActionRole);
  buttons->addButton(btnAbbrechen, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lHinweis);
  layout->addWidget(lbFindings, 1);
  layout->addWidget(buttons);
  connect(btnSchreiben, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnSpeichern, &QPushButton::clicked, this, [this] { SaveClicked(); });
  resize(760, 420);
}

std::string FindingsWindow::ListText() const {
  std::string text = fileName_ + "\r\n";
  for (const FileFinding& f : findings_)
    text += FindingLine(f) + "\r\n";
  return text;
}

bool FindingsWindow::SaveList(const std::string& path) {
  if (const FileWriteResult r = WriteTextFile(path, ListText()); !r.ok()) {
    dialogs_.Inform(FileNotCreatedMessage(FileSystemNameToText(path), r.osError()));
    return false;
  }
  return true;
}

void FindingsWindow::SaveClicked() {
  FileDialogRequest request;
  request.filter = ChooseText("Pr\xFC"
                              "fliste (*.txt)|",
                              "Check list (*.txt)|");
  request.defaultExtension = "txt";
  request.proposedName = fileName_.substr(fileName_.find_last_of("/\\") + 1) + "-check.txt";
  if (const std::optional<std::string> path = dialogs_.AskSaveFile(request); path && !path->empty())
    (void)SaveList(*path); // a failure has been shown; the window stays open either way
}

bool ReviewFindings(const std::vector<FileFinding>& findings, const std::string& fileName,
                    UserDialogs& dialogs, QWidget* parent) {
  FindingsWindow window(findings, fileName, dialogs, parent);
  return window.exec() == QDialog::Accepted;
}

bool EditCabrilloContestName(std::string& contestName, QWidget* parent) {
  QInputDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("CabrilloContestDialog"));
  dialog.setWindowTitle(QStringLiteral("Cabrillo-Datei"));
  const bool german = IsGerman();
  dialog.setLabelText(german
                          ? QStringLiteral("Name des Contests für den Contest-Roboter (CONTEST):")
                          : QStringLiteral("Name of the contest for the contest robot (CONTEST):"));
  dialog.setTextValue(ToQString(contestName));
  dialog.setOkButtonText(german ? QStringLiteral("Weiter") : QStringLiteral("Continue"));
  dialog.setCancelButtonText(german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
  if (dialog.exec() != QDialog::Accepted)
    return false;
  contestName = FromQString(dialog.textValue().trimmed().toUpper());
  return true;
}

} // namespace tarvik
