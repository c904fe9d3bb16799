#include "outputs/ui/file_editor_window.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QVBoxLayout>

#include <memory>

#include "base/help_topics.h"
#include "base/text_helpers.h"
#include "base/user_dialogs.h"
#include "outputs/text_files.h"
#include "recordfile/failure_cause.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik {

namespace {

QFont EditorFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  return font;
}

} // namespace

FileEditorWindow::FileEditorWindow(const std::string& fileName, UserDialogs& dialogs,
                                   QWidget* parent)
    : QDialog(parent), fileName_(fileName), dialogs_(dialogs) {
  setObjectName(QStringLiteral("wagdatei"));
  setWindowTitle(PathToQString(fileName));
  SetHelpContext(this, kOutputsHelpTopic);
  resize(820, 600);

  redit_ = new QPlainTextEdit(this);
  redit_->setObjectName(QStringLiteral("redit"));
  redit_->setFont(EditorFont());
  redit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  if (const std::optional<std::string> text = ReadTextFile(fileName))
    redit_->setPlainText(ToQString(*text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

  btnspeichern_ = new TrkBitBtn(bkCustom, this);
  btnspeichern_->setObjectName(QStringLiteral("btnspeichern"));
  btnspeichern_->setText(QStringLiteral("Speichern und Beenden"));
  btnspeichern_->setAutoDefault(false);
  button1_ = new TrkBitBtn(bkGDruck, this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setText(QStringLiteral("Drucken"));
  button1_->setAutoDefault(false);
  connect(btnspeichern_, &QPushButton::clicked, this, &FileEditorWindow::btnspeichernClick);
  connect(button1_, &QPushButton::clicked, this, &FileEditorWindow::Button1Click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button1_);
  buttons->addWidget(btnspeichern_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(redit_, 1);
  layout->addLayout(buttons);

  askPrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    return dialog.exec() == QDialog::Accepted;
  };
}

bool FileEditorWindow::SaveText() {
  const FileWriteResult written = WriteTextFile(fileName_, FromQString(redit_->toPlainText()));
  if (written.ok())
    return true;
  dialogs_.Inform(FileNotSavedMessage(fileName_, written.osError()));
  return false;
}

void FileEditorWindow::btnspeichernClick() {
  if (!SaveText())
    return;
  redit_->clear();
  accept();
}

void FileEditorWindow::Button1Click() {
  if (!SaveText())
    return;
  // The job is titled with the file's name without its folder: the print dialog proposes
  // its PDF file as the working directory followed by the title, and a title with a folder
  // gave a path that does not exist.
  const QString title = QFileInfo(PathToQString(fileName_)).fileName();
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  if (askPrinter && !askPrinter(printer))
    return;
  printer.setDocName(title);
  std::unique_ptr<QTextDocument> copy(redit_->document()->clone());
  copy->setDefaultFont(EditorFont());
  copy->print(&printer);
}

bool ShowFile(const std::string& fileName, UserDialogs& dialogs, QWidget* parent) {
  FileEditorWindow editor(fileName, dialogs, parent);
  return editor.exec() == QDialog::Accepted;
}

} // namespace tarvik
