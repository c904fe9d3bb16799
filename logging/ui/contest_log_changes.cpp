// The log window's work on stored QSOs: changing one through the edit dialog, deleting one,
// and keeping the log list where the operator expects it afterwards. The QSO of a list row
// is the one the row shows: the list checks it against the file before anything is done.

#include "logging/ui/contest_log_window.h"
#include "logging/ui/qso_edit_dialog.h"
#include "recordfile/fileblock.h"
#include "recordfile/ui/trk_brow.h"

namespace tarvik {

std::int32_t ContestLogWindow::ListRecord() {
  if (!opened_ || finished_ || !Brow->model().HasCurrentRow())
    return 0;
  BrowseGridModel::ShownRow row;
  if (Brow->model().ReadShownRecord(&row) != BrowseGridModel::ShownState::kShown)
    return 0;
  return row.record;
}

std::int32_t ContestLogWindow::ChangeQso(std::int32_t recordNumber) {
  if (!opened_ || finished_ || recordNumber <= 0)
    return 0;
  QsoEditForm form;
  if (!session_->BeginChange(recordNumber, &form))
    return 0; // no such QSO, or a marker record
  {
    QsoEditDialog dialog(form, this);
    dialog.exec(); // however it closes, the fields are stored
  }
  const ChangeOutcome outcome = session_->ApplyChange(recordNumber, form);
  if (outcome.record > 0)
    GotoRecord(outcome.record);
  else
    PositionListOnNewestQso();
  ListFollowed();
  ShowSession();
  return outcome.record;
}

bool ContestLogWindow::DeleteQso(std::int32_t recordNumber) {
  if (!opened_ || finished_ || recordNumber <= 0)
    return false;
  if (!session_->DeleteQso(recordNumber))
    return false;
  PositionListOnNewestQso();
  ListFollowed();
  ShowSession();
  return true;
}

void ContestLogWindow::ChangeListedQso() {
  if (const std::int32_t record = ListRecord(); record > 0)
    (void)ChangeQso(record); // the list shows the outcome
}

bool ContestLogWindow::DeleteListedQso() {
  if (!opened_ || finished_ || !Brow->model().HasCurrentRow())
    return false;
  BrowseGridModel::ShownRow row;
  if (Brow->model().ReadShownRecord(&row) != BrowseGridModel::ShownState::kShown)
    return false;
  if (!session_->DeleteQso(row.record))
    return false;
  // The row after the deleted one, or at the end the one before, takes its place.
  Brow->GotoKey(row.key, row.record);
  ListFollowed();
  ShowSession();
  return true;
}

void ContestLogWindow::ListOnNewestQso() {
  if (!opened_ || finished_)
    return;
  PositionListOnNewestQso();
  ListFollowed();
}

void ContestLogWindow::ListFollowed() {
  shownStores_ = session_->Log().StoreCount();
}

} // namespace tarvik
