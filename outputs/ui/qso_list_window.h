#pragma once
// The QSO list windows of the log window: QsoListWindow lists the contest's QSO file in one
// of three modes (all QSOs, call search, band log) over the browse grid, with the row and
// title texts of the log list. Enter or a double click changes the QSO of the row, Del
// deletes it (the owner's delete asks and renumbers), Esc closes the window and keeps the
// column widths in the contest header. CallSearchDialog asks for the call the search moves to,
// BandChoiceDialog for the band the band log shows.

#include <QDialog>
#include <QRect>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "outputs/correction_list.h"
#include "recordfile/browse_grid.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tarvik {

class Fileblock;
class TrkBitBtn;
class TrkBrow;
class TrkEdit;
class UserDialogs;
struct ContestDefinition;

/// The call search dialog of the QSO list window (form TSucheQE): "Rufzeichen:" and the
/// field eSuche; "Suche starten" (default) accepts, "Abbruch" and Esc close without a search.
class CallSearchDialog : public QDialog {
  Q_OBJECT

public:
  explicit CallSearchDialog(QWidget* parent = nullptr);
  /// The typed call (upper case), after the dialog was accepted.
  std::string Call() const;

  TrkEdit* eSuche = nullptr;
  QPushButton* btnSuche = nullptr;
  QPushButton* btnAbbruch = nullptr;
};

/// The band choice dialog of the band log (form Tstdband): the printed band names of the
/// contest, the current one selected. Enter or a double click accepts, Esc cancels.
class BandChoiceDialog : public QDialog {
  Q_OBJECT

public:
  BandChoiceDialog(const std::vector<std::string>& names, int current, QWidget* parent = nullptr);
  /// The chosen entry (0-based); the first entry when none is selected.
  int Chosen() const;

  QListWidget* listband = nullptr;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

/// What a QSO list window works on; everything belongs to the log window.
struct CorrectionListContext {
  Fileblock* log = nullptr;                      ///< the contest's QSO file
  const ContestDefinition* definition = nullptr; ///< rows and title line
  /// The contest header record (379 bytes): column widths are read from and stored at
  /// offset 301.
  std::string* headerRecord = nullptr;
  char band = 0; ///< the log's current band (preselected in the band dialog)
  /// Changes the stored QSO with this record number; returns the record number it has
  /// afterwards (another one when the log was renumbered), 0 when unknown or not changed.
  std::function<std::int32_t(std::int32_t)> edit;
  /// Deletes the stored QSO with this record number after asking; true when deleted.
  std::function<bool(std::int32_t)> remove;
};

/// The QSO list window: the correction list, the call search and the band log (form TKorrekturstd).
class QsoListWindow : public QDialog {
  Q_OBJECT

public:
  QsoListWindow(CorrectionListMode mode, CorrectionListContext context, UserDialogs& dialogs,
                QWidget* parent = nullptr);
  ~QsoListWindow() override;

  /// Prepares the list: in the band mode the band dialog runs first (false when it was
  /// cancelled); binds the grid (false after the message when that fails). The window must
  /// not be shown after false.
  [[nodiscard]] bool Open();
  /// Shows the window modally; in the search mode the search dialog opens at once.
  int Run();

  CorrectionListMode Mode() const { return mode_; }
  /// The band the band log shows (0 in the other modes).
  char Band() const { return band_; }
  TrkBrow* Brow = nullptr;

  /// The search dialog and its move (mode 1). `call` empty: nothing moves.
  void RunSearch();
  void SearchFor(const std::string& call);
  /// Enter or double click: the QSO the highlighted row shows is changed; the list then
  /// stands on it. Nothing happens when the row no longer shows a stored QSO (the list is
  /// read again).
  void EditCurrent();
  /// Del: the QSO the highlighted row shows is deleted; a band-change marker is refused
  /// silently, a row that no longer shows a stored QSO deletes nothing (the list is read
  /// again). The list then stands on the QSO now in that place.
  void DeleteCurrent();
  /// The grid's column widths into the header.
  void StoreColumnWidths();

protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  [[nodiscard]] bool ChooseBand();
  /// Narrows the report columns when the columns up to the points do not fit the list.
  void FitColumns();
  int ColumnWidth(int column) const;
  /// The entry of the highlighted row when it shows a stored QSO (read into the log's
  /// buffer); false for a marker record or a row that no longer shows its QSO.
  [[nodiscard]] bool CurrentQso(BrowseGridModel::ShownRow* row);

  CorrectionListMode mode_;
  CorrectionListContext context_;
  UserDialogs& dialogs_;
  char band_ = 0;
  bool bound_ = false;
  bool stored_ = false;
};

/// Opens a QSO list window for the log and runs it. `placement` is where the last list
/// window stood (kept by the log window while it is open); it is used and updated.
void ShowCorrectionList(CorrectionListMode mode, const CorrectionListContext& context,
                        UserDialogs& dialogs, QWidget* parent, std::optional<QRect>& placement);

} // namespace tarvik
