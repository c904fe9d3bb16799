#include "logging/ui/adif_import_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/cp1252.h"
#include "base/help_topics.h"
#include "logging/qso_session.h"
#include "recordfile/atomic_file.h"
#include "recordfile/failure_cause.h"
#include "recordfile/file_io.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik {

namespace {

const QString kMime = QString::fromLatin1(kAdifFieldMime);

// The file field a drag carries, "" when it carries none.
QString DraggedField(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasFormat(kMime))
    return QString();
  const QByteArray bytes = mime->data(kMime);
  return ToQString(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

} // namespace

// ---------------------------------------------------------------------------------------
// The two lists

QStringList AdifFieldList::mimeTypes() const {
  return {kMime};
}

QMimeData* AdifFieldList::mimeData(const QList<QListWidgetItem*>& items) const {
  if (items.isEmpty())
    return nullptr;
  auto* mime = new QMimeData;
  const std::string name = FromQString(items.front()->text());
  mime->setData(kMime, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
  return mime;
}

namespace {

// A drop is taken only onto an entry that has no file field yet.
bool CanDropAt(const QListWidget& list, const QPoint& pos) {
  const QListWidgetItem* item = list.itemAt(pos);
  return item != nullptr && !item->text().contains(QLatin1Char('('));
}

} // namespace

void AdifTargetList::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedField(event->mimeData()).isEmpty() && event->source() != this)
    event->acceptProposedAction();
  else
    event->ignore();
}

void AdifTargetList::dragMoveEvent(QDragMoveEvent* event) {
  if (!DraggedField(event->mimeData()).isEmpty() && event->source() != this &&
      CanDropAt(*this, event->position().toPoint()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void AdifTargetList::dropEvent(QDropEvent* event) {
  const QString field = DraggedField(event->mimeData());
  const QModelIndex index = indexAt(event->position().toPoint());
  if (field.isEmpty() || event->source() == this || !index.isValid()) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  emit dropped(index.row(), field);
}

// ---------------------------------------------------------------------------------------
// The window

AdifImportWindow::AdifImportWindow(const ContestDefinition& definition, char contestCode,
                                   UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), assignment_(AdifLogFields(definition, contestCode)) {
  setObjectName(QStringLiteral("AdifImportWindow"));
  SetHelpContext(this, kAdifImportHelpTopic);
  setWindowTitle(QStringLiteral("ADIF-Import"));

  Label2 =
      MakeLabel(QStringLiteral("Label2"),
                QStringLiteral(
                    "Mit dieser Funktion können ADIF-Dateien anderer Logbücher eingelesen werden."),
                this);
  Label2->setWordWrap(true);
  btndatei = new TrkBitBtn(this);
  btndatei->setObjectName(QStringLiteral("btndatei"));
  btndatei->setText(QStringLiteral("ADIF-Datei auswählen"));
  ldatei = MakeLabel(QStringLiteral("ldatei"), QString(), this);
  ldatei->setTextInteractionFlags(Qt::TextSelectableByMouse);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  TabSheet1 = new QWidget(PageControl1);
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabSheet1, QStringLiteral("Feldzuordnung"));
  Label1 = MakeLabel(QStringLiteral("Label1"),
                     QStringLiteral("Ziehen Sie mit der Maus die gewünschten Einträge aus der "
                                    "linken in die rechte Liste."),
                     TabSheet1);
  Label1->setWordWrap(true);
  Label3 = MakeLabel(QStringLiteral("Label3"), QStringLiteral("Felder der ADIF-Datei"), TabSheet1);
  Label4 = MakeLabel(QStringLiteral("Label4"), QStringLiteral("Felder im Log"), TabSheet1);
  ListeLinks = new AdifFieldList(TabSheet1);
  ListeLinks->setObjectName(QStringLiteral("ListeLinks"));
  ListeLinks->setDragEnabled(true);
  ListeLinks->setDragDropMode(QAbstractItemView::DragOnly);
  ListeLinks->setDefaultDropAction(Qt::CopyAction);
  ListeLinks->setSelectionMode(QAbstractItemView::SingleSelection);
  ListeRechtsLB = new AdifTargetList(TabSheet1);
  ListeRechtsLB->setObjectName(QStringLiteral("ListeRechtsLB"));
  ListeRechtsLB->setAcceptDrops(true);
  ListeRechtsLB->setDragDropMode(QAbstractItemView::DropOnly);
  ListeRechtsLB->setSelectionMode(QAbstractItemView::SingleSelection);
  for (std::size_t i = 0; i < assignment_.Size(); ++i)
    ListeRechtsLB->addItem(ToQString(assignment_.EntryText(i)));
  checkkeincheck = new QCheckBox(QStringLiteral("keine Mode/Band-Überprüfung"), TabSheet1);
  checkkeincheck->setObjectName(QStringLiteral("checkkeincheck"));

  btnimportstart = new TrkBitBtn(bkOK, this);
  btnimportstart->setObjectName(QStringLiteral("btnimportstart"));
  btnimportstart->setText(QStringLiteral("Start"));
  btnimportstart->setModalResult(0);
  btnimportstart->setEnabled(false);
  BitBtn1 = new TrkBitBtn(bkAbort, this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setText(QStringLiteral("Abbruch"));
  BitBtn1->setModalResult(0);
  BitBtn1->setCancel(true);

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(btndatei);
  fileRow->addWidget(ldatei, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(Label3);
  left->addWidget(ListeLinks);
  auto* right = new QVBoxLayout;
  right->addWidget(Label4);
  right->addWidget(ListeRechtsLB);
  auto* lists = new QHBoxLayout;
  lists->addLayout(left);
  lists->addLayout(right);
  auto* page = new QVBoxLayout(TabSheet1);
  page->addWidget(Label1);
  page->addLayout(lists, 1);
  page->addWidget(checkkeincheck);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnimportstart);
  buttons->addWidget(BitBtn1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label2);
  layout->addLayout(fileRow);
  layout->addWidget(PageControl1, 1);
  layout->addLayout(buttons);
  resize(560, 480);

  connect(btndatei, &QPushButton::clicked, this, [this] { btndateiClick(); });
  // A drop that is refused leaves both lists as they were.
  connect(ListeRechtsLB, &AdifTargetList::dropped, this,
          [this](int row, const QString& field) { (void)AssignField(row, FromQString(field)); });
  connect(btnimportstart, &QPushButton::clicked, this, [this] {
    if (!path_.empty())
      accept();
  });
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

bool AdifImportWindow::SkipChecks() const {
  return checkkeincheck->isChecked();
}

void AdifImportWindow::btndateiClick() {
  const std::optional<std::string> chosen = dialogs_.AskOpenFile(AdifOpenRequest());
  if (!chosen)
    return;
  ListeLinks->clear();
  ldatei->setText(PathToQString(*chosen));
  path_.clear();
  btnimportstart->setEnabled(false); // again once this file is read
  AdifFileScan scan;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    scan = ScanAdifFile(*chosen);
    QApplication::restoreOverrideCursor();
  }
  switch (scan.status) {
  case AdifReadStatus::kMissing:
    dialogs_.Inform(AdifFileMissingMessage());
    return;
  case AdifReadStatus::kUnreadable:
    dialogs_.Inform(AdifFileUnreadableMessage());
    return;
  case AdifReadStatus::kOk:
    break;
  }
  if (scan.fieldNames.empty()) {
    dialogs_.Inform(AdifNoRecordsMessage());
    return;
  }
  path_ = *chosen;
  for (const std::string& name : scan.fieldNames)
    ListeLinks->addItem(ToQString(name));
  // Every log field reads its default fields: the file can be imported without assignments.
  btnimportstart->setEnabled(true);
}

bool AdifImportWindow::AssignField(int row, const std::string& fileField) {
  if (row < 0 || !assignment_.Assign(static_cast<std::size_t>(row), fileField))
    return false;
  const auto index = static_cast<std::size_t>(row);
  ListeRechtsLB->item(row)->setText(ToQString(assignment_.EntryText(index)));
  const QList<QListWidgetItem*> items =
      ListeLinks->findItems(ToQString(fileField), Qt::MatchExactly);
  if (!items.isEmpty())
    delete ListeLinks->takeItem(ListeLinks->row(items.front()));
  btnimportstart->setEnabled(!path_.empty());
  return true;
}

// ---------------------------------------------------------------------------------------
// The refused records

AdifImportResultDialog::AdifImportResultDialog(const std::string& fileName,
                                               const AdifImportResult& result, UserDialogs& dialogs,
                                               QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), fileName_(fileName), refusals_(result.refusals) {
  setObjectName(QStringLiteral("AdifImportResultDialog"));
  SetHelpContext(this, kAdifImportHelpTopic);
  setWindowTitle(QStringLiteral("ADIF-Import"));
  lsummary = MakeLabel(QStringLiteral("lsummary"),
                       ToQString(AdifImportSummary(result.counts)) +
                           QStringLiteral("\n\nNicht importierte Datensätze:"),
                       this);
  ListeFehler = new QListWidget(this);
  ListeFehler->setObjectName(QStringLiteral("ListeFehler"));
  for (const AdifRefusal& refusal : refusals_)
    ListeFehler->addItem(ToQString(AdifRefusalLine(refusal)));
  btnspeichern = new QPushButton(QStringLiteral("Liste speichern"), this);
  btnspeichern->setObjectName(QStringLiteral("btnspeichern"));
  btnok = new QPushButton(QStringLiteral("OK"), this);
  btnok->setObjectName(QStringLiteral("btnok"));
  btnok->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnspeichern);
  buttons->addStretch(1);
  buttons->addWidget(btnok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lsummary);
  layout->addWidget(ListeFehler, 1);
  layout->addLayout(buttons);
  resize(620, 420);

  connect(btnspeichern, &QPushButton::clicked, this, [this] {
    (void)SaveList(); // a refused save has told why; the list stays for another try
  });
  connect(btnok, &QPushButton::clicked, this, &QDialog::accept);
}

bool AdifImportResultDialog::SaveList() {
  FileDialogRequest request;
  request.title = "Liste speichern";
  request.filter = "Textdatei (*.txt)|*.TXT";
  request.defaultExtension = "txt";
  request.proposedName = "ADIF-Import.txt";
  const std::optional<std::string> path = dialogs_.AskSaveFile(request);
  if (!path)
    return false;
  const FileWriteResult written =
      WriteFileAtomically(PosixFileIo(), *path, AdifRefusalListText(fileName_, refusals_));
  if (!written.replaced()) {
    dialogs_.Inform(FileNotSavedMessage(FileSystemNameToText(*path), written.osError()));
    return false;
  }
  return true;
}

void RunAdifImport(QsoSession& session, UserDialogs& dialogs, QWidget* parent) {
  AdifImportWindow window(session.Definition(), session.ContestCode(), dialogs, parent);
  if (window.exec() != QDialog::Accepted || window.FilePath().empty())
    return;
  AdifImportResult result;
  {
    // No message comes up during the import: refusals are collected and shown at the end.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    result = ImportAdifFile(session, window.FilePath(), window.Assignment(), window.SkipChecks());
    QApplication::restoreOverrideCursor();
  }
  if (result.counts.readStatus == AdifReadStatus::kMissing) {
    dialogs.Inform(AdifFileMissingMessage());
    return;
  }
  if (result.refusals.empty()) {
    dialogs.Inform(AdifImportSummary(result.counts));
    return;
  }
  AdifImportResultDialog resultDialog(FileSystemNameToText(window.FilePath()), result, dialogs,
                                      parent);
  resultDialog.exec();
}

} // namespace tarvik
