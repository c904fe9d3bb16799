#include "outputs/ui/contest_note_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

#include "base/help_topics.h"
#include "base/text_helpers.h"
#include "base/user_dialogs.h"
#include "datafiles/contest_records.h"
#include "outputs/contest_note.h"
#include "outputs/text_files.h"
#include "recordfile/failure_cause.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik {

namespace {

QFont NoteFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  return font;
}

bool HeaderUsable(const std::string* header) {
  return header != nullptr &&
         header->size() >= static_cast<std::size_t>(ContestHeaderRecord::kLength);
}

/// The caption and the print title: the note's file name without its folder.
QString FileNameOnly(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return PathToQString(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::uint16_t U16(int v) {
  return static_cast<std::uint16_t>(std::clamp(v, 0, 65535));
}

} // namespace

ContestNoteWindow::ContestNoteWindow(const std::string& path, const std::string& call,
                                     std::string* headerRecord, UserDialogs& dialogs,
                                     QWidget* parent, const Clock& clock)
    : QDialog(parent), path_(path), header_(headerRecord), dialogs_(dialogs) {
  setObjectName(QStringLiteral("ContestNotiz"));
  SetHelpContext(this, kContestNoteHelpTopic);
  setWindowTitle(FileNameOnly(path));
  resize(640, 420);

  const StampedNote note = StampContestNote(path, call, clock);
  saved_ = note.written();
  if (!saved_)
    dialogs_.Inform(FileNotSavedMessage(path, note.write.osError()));

  redit = new QPlainTextEdit(this);
  redit->setObjectName(QStringLiteral("redit"));
  redit->setFont(NoteFont());
  redit->setPlainText(ToQString(note.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  QTextCursor caret(redit->document()->firstBlock());
  caret.setPosition(std::min(kContestNoteCaret, redit->document()->firstBlock().length() - 1));
  redit->setTextCursor(caret);

  btnspeichern = new TrkBitBtn(bkCustom, this);
  btnspeichern->setObjectName(QStringLiteral("btnspeichern"));
  btnspeichern->setText(QStringLiteral("ESC: Speichern und Beenden"));
  btnspeichern->setAutoDefault(false);
  Button1 = new TrkBitBtn(bkGDruck, this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setText(QStringLiteral("Drucken"));
  Button1->setAutoDefault(false);
  connect(btnspeichern, &QPushButton::clicked, this, &ContestNoteWindow::btnspeichernClick);
  connect(Button1, &QPushButton::clicked, this, &ContestNoteWindow::Button1Click);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addStretch(1);
  buttons->addWidget(btnspeichern);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(redit, 1);
  layout->addLayout(buttons);

  if (HeaderUsable(header_)) {
    const ContestHeaderRecord header(static_cast<const char*>(header_->data()));
    const ContestHeaderRecord::NoteGeometry g = header.noteGeometry();
    if (g.width > 0)
      setGeometry(g.left, g.top, g.width, std::max<int>(g.height, 100));
  }

  askPrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    return dialog.exec() == QDialog::Accepted;
  };
  redit->setFocus();
}

bool ContestNoteWindow::SaveText() {
  const FileWriteResult written = WriteTextFile(path_, FromQString(redit->toPlainText()));
  saved_ = written.ok();
  if (!saved_)
    dialogs_.Inform(FileNotSavedMessage(path_, written.osError()));
  return saved_;
}

void ContestNoteWindow::btnspeichernClick() {
  if (!SaveText())
    return; // the text stays in the window: nothing typed is lost
  redit->clear();
  closingBySave_ = true;
  StoreGeometry();
  accept();
}

void ContestNoteWindow::Button1Click() {
  if (!SaveText())
    return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(FileNameOnly(path_));
  if (askPrinter && !askPrinter(printer))
    return;
  printer.setDocName(FileNameOnly(path_));
  std::unique_ptr<QTextDocument> copy(redit->document()->clone());
  copy->setDefaultFont(NoteFont());
  copy->print(&printer);
}

void ContestNoteWindow::StoreGeometry() {
  if (!HeaderUsable(header_))
    return;
  ContestHeaderRecord header(header_->data());
  const QRect g = geometry();
  header.SetNoteGeometry({U16(g.top()), U16(g.left()), U16(g.width()), U16(g.height())});
}

void ContestNoteWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    btnspeichernClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ContestNoteWindow::reject() {
  // The close box saves as well, so that nothing typed is lost; when saving fails the
  // message has told so and the window closes as asked.
  if (!closingBySave_) {
    (void)SaveText();
    StoreGeometry();
    closingBySave_ = true;
  }
  QDialog::reject();
}

bool OpenContestNote(const std::string& path, const std::string& call, std::string* headerRecord,
                     UserDialogs& dialogs, QWidget* parent) {
  ContestNoteWindow window(path, call, headerRecord, dialogs, parent);
  window.exec();
  return window.Saved();
}

} // namespace tarvik
