// The log window's work on stored QSOs: changing one through the edit dialog, deleting one,
// and keeping the log list where the operator expects it afterwards.

#include "logging/ui/contest_log_window.h"
#include "outputs/ui/qso_edit_dialog.h"
#include "storage/fileblock.h"
#include "storage/ui/trk_brow.h"

namespace tarvik {

std::int32_t ContestLogStd::ListRecord() {
  if (!opened_ || finished_ || !Brow->model().HasCurrentRow() || !Brow->ReadCurrentRecord())
    return 0;
  Fileblock* log = session_->LogFile();
  return log != nullptr ? log->CurrentRecordNumber() : 0;
}

void ContestLogStd::ChangeQso(std::int32_t recordNumber) {
  if (!opened_ || finished_ || recordNumber <= 0)
    return;
  QsoEditForm form;
  if (!session_->BeginChange(recordNumber, &form))
    return; // no such QSO, or a marker record
  {
    Teingabecontstd2 dialog(form, this);
    dialog.exec(); // however it closes, the fields are stored
  }
  const ChangeOutcome outcome = session_->ApplyChange(recordNumber, form);
  if (outcome.renumbered == RenumberResult::kRenumbered)
    PositionListOnNewestQso();
  else
    Brow->RefreshRows();
  ShowSession();
}

bool ContestLogStd::DeleteQso(std::int32_t recordNumber) {
  if (!opened_ || finished_ || recordNumber <= 0)
    return false;
  if (!session_->DeleteQso(recordNumber))
    return false;
  PositionListOnNewestQso();
  ShowSession();
  return true;
}

} // namespace tarvik
