#pragma once
// AdifImportWindow ("ADIF-Import"): the operator chooses an ADIF file written by another
// logbook and assigns its fields to the log's fields by dragging them from the left list
// ("Felder der ADIF-Datei") onto the right one ("Felder im Log"). "Start" (enabled after the
// file has been read: every log field has default fields of the file) ends the window with
// OK; RunAdifImport then imports every record of the file through the log window's entry
// session and shows the summary, with the records it did not store in a list that can be
// saved as a text file (AdifImportResultDialog). "Abbruch" imports nothing.

#include <QDialog>
#include <QListWidget>

#include <string>

#include "base/user_dialogs.h"
#include "contest/contest_definition.h"
#include "logging/adif_import.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace tarvik {

class QsoSession;
class TrkBitBtn;

/// The MIME type of a dragged file field: its name as Windows-1252 bytes.
inline constexpr char kAdifFieldMime[] = "application/x-tarvik-adif-field";

/// ListeLinks: the file's fields; an entry is dragged with its name as kAdifFieldMime.
class AdifFieldList : public QListWidget {
  Q_OBJECT
public:
  using QListWidget::QListWidget;

protected:
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
};

/// ListeRechtsLB: the log's fields; takes a dragged file field onto the entry under the
/// mouse and reports it through `dropped` (the list's own entries are not moved).
class AdifTargetList : public QListWidget {
  Q_OBJECT
public:
  using QListWidget::QListWidget;

signals:
  void dropped(int row, const QString& fileField);

protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

/// The ADIF import: file choice, field assignment by drag and drop, Start and Abbruch (form
/// Formadifimport).
class AdifImportWindow : public QDialog {
  Q_OBJECT

public:
  /// The window for a contest of `contestCode` with `definition` (its log fields); the file
  /// dialog and the messages go through `dialogs`.
  AdifImportWindow(const ContestDefinition& definition, char contestCode, UserDialogs& dialogs,
                   QWidget* parent = nullptr);

  /// The file chosen and read ("" before), the assignment, and the check box.
  const std::string& FilePath() const { return path_; }
  const AdifAssignment& Assignment() const { return assignment_; }
  bool SkipChecks() const;

  /// "ADIF-Datei auswählen": the file dialog, then the file's field names into ListeLinks.
  void btndateiClick();
  /// The drop of file field `fileField` onto entry `row` of ListeRechtsLB: assigns it
  /// unless the entry is assigned already. True when it was assigned.
  [[nodiscard]] bool AssignField(int row, const std::string& fileField);

  QLabel* Label2 = nullptr;
  TrkBitBtn* btndatei = nullptr;
  QLabel* ldatei = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  AdifFieldList* ListeLinks = nullptr;
  AdifTargetList* ListeRechtsLB = nullptr;
  QCheckBox* checkkeincheck = nullptr;
  TrkBitBtn* btnimportstart = nullptr;
  TrkBitBtn* BitBtn1 = nullptr;

private:
  UserDialogs& dialogs_;
  AdifAssignment assignment_;
  std::string path_;
};

/// The end of an import that refused records: the summary, and every record not stored in a
/// list (one line each: number in the file, call, reason) that "Liste speichern" writes as a
/// text file (Windows-1252, CR LF, through the atomic writer; the save dialog through
/// `dialogs`).
class AdifImportResultDialog : public QDialog {
  Q_OBJECT

public:
  AdifImportResultDialog(const std::string& fileName, const AdifImportResult& result,
                         UserDialogs& dialogs, QWidget* parent = nullptr);

  /// "Liste speichern": asks for the file and writes the list; a failure is told. True when
  /// the file was written.
  [[nodiscard]] bool SaveList();

  QLabel* lsummary = nullptr;
  QListWidget* ListeFehler = nullptr;
  QPushButton* btnspeichern = nullptr;
  QPushButton* btnok = nullptr;

private:
  UserDialogs& dialogs_;
  std::string fileName_;
  std::vector<AdifRefusal> refusals_;
};

/// The import of the log window (btnadifimport): shows AdifImportWindow; after "Start"
/// imports the chosen file into `session` and shows the summary, with the refused records
/// when there are any. The caller refreshes its list and totals afterwards.
void RunAdifImport(QsoSession& session, UserDialogs& dialogs, QWidget* parent);

} // namespace tarvik
