#include "widgets/qt_user_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#include "widgets/text_codec.h"

namespace tarvik {

namespace {

QString ApplicationTitle() {
  QString title = QApplication::applicationDisplayName();
  if (title.isEmpty())
    title = QApplication::applicationName();
  return title;
}

// The patterns of one filter entry ("*.STF;*.stf") as Qt writes them, with both letter cases.
QString QtPatterns(const QString& patterns) {
  QStringList out;
  for (QString p :
       patterns.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts)) {
    if (p == QLatin1String("*.*"))
      p = QStringLiteral("*");
    for (const QString& variant : {p, p.toUpper(), p.toLower()})
      if (!out.contains(variant))
        out << variant;
  }
  return out.join(QLatin1Char(' '));
}

} // namespace

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString patterns = QtPatterns(parts[i + 1]);
    if (patterns.isEmpty())
      continue;
    // Qt reads the patterns from the parentheses at the end of the entry: replace the
    // description's own "(*.STF)" with the full list, or add one.
    static const QRegularExpression trailing(QStringLiteral("\\s*\\([^()]*\\)$"));
    description.remove(trailing);
    if (description.isEmpty())
      description = patterns;
    filters << QStringLiteral("%1 (%2)").arg(description, patterns);
  }
  if (parts.size() == 1 && !parts[0].trimmed().isEmpty()) {
    // A bare pattern without a description.
    filters << QtPatterns(parts[0]);
  }
  return filters;
}

QUrl DocumentUrl(const std::string& fileOrAddress) {
  const QString text = PathToQString(fileOrAddress).trimmed();
  const QFileInfo file(text);
  if (!text.isEmpty() && file.exists())
    return QUrl::fromLocalFile(file.absoluteFilePath());
  static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
  if (const auto m = scheme.match(text); m.hasMatch()) {
    QUrl url(text, QUrl::TolerantMode);
    url.setScheme(m.captured(1).toLower());
    return url;
  }
  return QUrl::fromUserInput(text);
}

QWidget* QtUserDialogs::Parent() const {
  if (parent_)
    return parent_.data();
  if (QWidget* modal = QApplication::activeModalWidget())
    return modal;
  return QApplication::activeWindow();
}

void QtUserDialogs::Inform(const std::string& text) {
  QMessageBox box(QMessageBox::Information, ApplicationTitle(), ToQString(text), QMessageBox::Ok,
                  Parent());
  box.exec();
}

bool QtUserDialogs::Confirm(const std::string& text) {
  return ConfirmTitled(text, std::string());
}

bool QtUserDialogs::ConfirmTitled(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Question, title.empty() ? ApplicationTitle() : ToQString(title),
                  ToQString(text), QMessageBox::Yes | QMessageBox::No, Parent());
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void QtUserDialogs::Beep() {
  QApplication::beep();
}

std::optional<std::string> QtUserDialogs::AskFile(const FileDialogRequest& request, bool save) {
  QFileDialog dialog(Parent());
  dialog.setWindowTitle(request.title.empty() ? ApplicationTitle() : ToQString(request.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = QtNameFilters(request.filter);
  if (!filters.isEmpty())
    dialog.setNameFilters(filters);
  if (!request.defaultExtension.empty())
    dialog.setDefaultSuffix(ToQString(request.defaultExtension));

  QString directory = request.initialDir.empty() ? QString() : PathToQString(request.initialDir);
  QString proposed = PathToQString(request.proposedName);
  if (!proposed.isEmpty()) {
    const QFileInfo info(proposed);
    if (proposed.contains(QLatin1Char('/'))) {
      if (directory.isEmpty())
        directory = info.absolutePath();
      proposed = info.fileName();
    }
  }
  if (directory.isEmpty())
    directory = QDir::currentPath();
  dialog.setDirectory(directory);
  if (!proposed.isEmpty())
    dialog.selectFile(proposed);

  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty())
    return std::nullopt;
  return PathFromQString(chosen.first());
}

std::optional<std::string> QtUserDialogs::AskOpenFile(const FileDialogRequest& request) {
  return AskFile(request, false);
}

std::optional<std::string> QtUserDialogs::AskSaveFile(const FileDialogRequest& request) {
  return AskFile(request, true);
}

bool QtUserDialogs::OpenDocument(const std::string& fileOrAddress) {
  const QUrl url = DocumentUrl(fileOrAddress);
  if (!url.isValid() || url.isEmpty())
    return false;
  return QDesktopServices::openUrl(url);
}

} // namespace tarvik
