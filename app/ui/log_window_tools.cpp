#include "app/ui/log_window_tools.h"

#include "logging/ui/adif_import_window.h"
#include <QRect>

#include <memory>
#include <optional>

#include "base/data_directory.h"
#include "base/strings.h"
#include "country/ui/prefix_choice_dialog.h"
#include "datafiles/contest_records.h"
#include "datafiles/qso_record.h"
#include "outputs/contest_note.h"
#include "outputs/ui/contest_note_window.h"
#include "outputs/ui/party_evaluation_window.h"
#include "outputs/ui/qso_list_window.h"
#include "recordfile/fileblock.h"
#include "recordfile/ui/trk_brow.h"

namespace tarvik {

namespace {

// Changing and deleting one stored QSO by its record number, for the QSO list windows: the
// log window's own change and deletion run on that record.
std::function<std::int32_t(std::int32_t)> ChangeByRecord(ContestLogWindow& window) {
  return [&window](std::int32_t record) { return window.ChangeQso(record); };
}
std::function<bool(std::int32_t)> DeleteByRecord(ContestLogWindow& window) {
  return [&window](std::int32_t record) { return window.DeleteQso(record); };
}

/// The call the contest note is stamped with: the QSO being entered, or, with an empty call
/// field, the last QSO of the log (then `clearAfter` is set).
std::string NoteCall(ContestLogWindow& window, bool& clearAfter) {
  std::string call = TrimSpaces(window.session().Form().FieldText(EntryField::eCall));
  clearAfter = false;
  if (!call.empty())
    return call;
  clearAfter = true;
  Fileblock* log = window.session().Log().File();
  if (log != nullptr && log->LastKey(qso_key::kQsoNumber) == 0)
    call = TrimSpaces(QsoRecord(static_cast<const char*>(log->RecordBuffer())).Call());
  return call;
}

} // namespace

ContestLogTools StandardLogTools(ContestLogWindow& window, UserDialogs& dialogs) {
  ContestLogTools tools;
  // ADIF import: the window, then the records through the log's entry session.
  // The list then stands on the newest QSO as the entry shows it.
  tools.adifImport = [&window, &dialogs] {
    RunAdifImport(window.session(), dialogs, &window);
    window.ListOnNewestQso();
  };
  // Change and deletion of the QSO the log list's highlighted row shows.
  tools.change = [&window] { window.ChangeListedQso(); };
  tools.remove = [&window] { (void)window.DeleteListedQso(); }; // the list shows the outcome

  // QSO list windows (band log, call search, correction list), contest note, party
  // evaluation and the prefix choice window.
  {
    auto listPlacement = std::make_shared<std::optional<QRect>>();
    auto list = [&window, &dialogs, listPlacement](CorrectionListMode mode) {
      QsoSession& session = window.session();
      CorrectionListContext context;
      context.log = session.Log().File();
      context.definition = &session.Definition();
      context.headerRecord = &session.Contest().header;
      context.band = session.Bands().Band();
      context.edit = ChangeByRecord(window);
      context.remove = DeleteByRecord(window);
      ShowCorrectionList(mode, context, dialogs, &window, *listPlacement);
      window.Brow->RefreshRows();
      if (mode != CorrectionListMode::kSearch)
        session.Clear();
    };
    tools.bandLog = [list] { list(CorrectionListMode::kBand); };
    tools.callSearch = [list] { list(CorrectionListMode::kSearch); };
    tools.corrections = [list] { list(CorrectionListMode::kAll); };

    tools.note = [&window, &dialogs] {
      QsoSession& session = window.session();
      bool clearAfter = false;
      const std::string call = NoteCall(window, clearAfter);
      const ContestHeaderRecord header(static_cast<const char*>(session.Contest().header.data()));
      const std::string path = DataPath(ContestNoteFileName(header.contestName()));
      // A note that could not be saved has been reported by its window.
      (void)OpenContestNote(path, call, &session.Contest().header, dialogs, &window);
      if (clearAfter)
        session.Clear();
    };

    if (window.session().Definition().PartyFlag != 0) {
      auto partyPlacement = std::make_shared<std::optional<QRect>>();
      tools.partyEvaluation = [&window, &dialogs, partyPlacement] {
        QsoSession& session = window.session();
        if (session.Log().File() == nullptr)
          return;
        const ContestHeaderRecord header(static_cast<const char*>(session.Contest().header.data()));
        ShowPartyEvaluation(*session.Log().File(), header.dateFrom(), dialogs, &window,
                            *partyPlacement);
      };
    }

    window.session().SetPrefixChooser(
        [&window](PrefixChoice& choice) { return ChoosePrefix(choice, &window); });
  }
  return tools;
}

} // namespace tarvik
