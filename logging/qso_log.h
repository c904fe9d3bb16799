#pragma once
// The QSO log of a contest while its log window is open: the QSO file KXLK<nnnn>, the
// per-band points and QSO counts of the stored QSOs, the multiplier index over them and the
// tracker of the QSO being entered, the running numbers of the next QSO, and what the window
// draws from them (multiplier panel, counters, evaluation panel). The entry session
// (qso_session.h) stores, changes and deletes QSOs through it; renumbering and the header
// statistics are done here.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/user_dialogs.h"
#include "contest/contest_definition.h"
#include "contest/contest_traits.h"
#include "contest/evaluation_panel.h"
#include "contest/multiplier_index.h"
#include "contest/multiplier_rules.h"
#include "contest/multiplier_tracker.h"
#include "contest/qso_points.h"
#include "contest/score.h"
#include "datafiles/contest_records.h"
#include "datafiles/qso_record.h"
#include "logging/progress_display.h"
#include "logging/renumbering.h"

namespace tarvik {

class Fileblock;

/// Colour of a multiplier panel label.
enum class PanelColour { kGrey, kRed, kGreen };

/// One of the 8 x 14 labels of the multiplier panel.
struct PanelCell {
  std::string text = ".";
  PanelColour colour = PanelColour::kGrey;
  bool bold = true;
  bool underline = false;
  friend bool operator==(const PanelCell&, const PanelCell&) = default;
};

/// The counters of the entry panel (labels leqso/lqso, lemulti/lmulti, lePunkte/lPunkte,
/// lNummer).
struct EntryCounters {
  std::string qsoCaption, qsoValue;
  std::string multiCaption, multiValue;
  std::string pointsCaption, pointsValue;
  std::string nextNumber;
};

/// The running numbers the next QSO gets.
struct NextNumbers {
  std::int32_t qso = 1;        ///< QSO number
  std::int32_t bandSerial = 1; ///< serial number on its band
  std::int32_t band = 1;       ///< number on its band
  std::int32_t mode = 1;       ///< number in its mode group
};

class QsoLog {
public:
  static constexpr int kPanelRows = 8;
  static constexpr int kPanelColumns = 14;

  /// `definition`, `rules` and `dialogs` outlive the log.
  QsoLog(const ContestDefinition& definition, char contestCode, const MultiplierRules& rules,
         UserDialogs& dialogs);
  /// Closes the file.
  ~QsoLog();
  QsoLog(const QsoLog&) = delete;
  QsoLog& operator=(const QsoLog&) = delete;

  /// Opens the QSO file of `contestNumber`. False when it could not be opened (the error is
  /// in the record-file error channel).
  [[nodiscard]] bool Open(int contestNumber);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  Fileblock* File() const { return file_; }

  // --- Totals ----------------------------------------------------------------------------

  /// Per-band totals of the stored QSOs and the pending multipliers of the QSO being
  /// entered.
  SlotTotals Totals() const;
  /// The same without the QSO being entered.
  SlotTotals StoredTotals() const;
  std::int64_t Score() const { return ComputeScore(def_, Totals()); }
  /// Rebuilds totals and multipliers from the file; `cleanMarkers` also clears the fields of
  /// band-change marker records. Points are computed again (a QSO whose points depend on
  /// the order of the log keeps its value).
  void Rebuild(const PointContext& points, bool cleanMarkers);
  /// How often the totals were rebuilt in full since the log was opened.
  int FullRebuilds() const { return fullRebuilds_; }
  /// Rebuilds the totals and writes the statistics of the stored QSOs into the header and
  /// extension records.
  void WriteHeaderStatistics(const PointContext& points, ContestHeaderRecord& header,
                             ContestExtensionRecord& extension);
  MultiplierTracker& Tracker() { return tracker_; }

  // --- Numbers ---------------------------------------------------------------------------

  /// The running numbers of the next QSO on `band` in `mode`.
  void RefreshNextNumbers(char band, std::string_view mode);
  void RefreshBandNumbers(char band);
  void RefreshModeNumber(std::string_view mode);
  const NextNumbers& Next() const { return next_; }
  /// The record number of the newest QSO on `band` (key 12), 0 when the band has none.
  std::int32_t NewestQsoOfBand(char band) const;

  // --- Storing ---------------------------------------------------------------------------

  /// Adds `record` (its bytes); the file numbers it (LfdNr is set in `record`), the totals,
  /// the index and the tracker's pending values take it in.
  [[nodiscard]] bool Add(QsoRecord& record);
  /// Writes `record` over stored record `recordNumber` (the status bytes stay).
  [[nodiscard]] bool Update(std::int32_t recordNumber, const QsoRecord& record);
  /// Deletes the stored QSO `stored` (found again by its LfdNr); its band's points and QSO
  /// count go down.
  [[nodiscard]] bool Remove(const QsoRecord& stored);
  /// Renumbers the log (not for logs with serial numbers in the sent exchange: kUnchanged).
  /// A failure shows its message; the old log stays.
  [[nodiscard]] RenumberResult Renumber(bool onlyWhenNeeded, bool keepCall2);
  /// How many QSOs were stored, changed or deleted since the log was opened, and the record
  /// number of the last one stored (0 before the first and after a deletion or a
  /// renumbering): the window repositions its log list when the count moves.
  int StoreCount() const { return storeCount_; }
  std::int32_t LastStoredRecord() const { return lastStored_; }
  /// Counts a store of `recordNumber` (0: one whose record number is gone); with `counted`
  /// false only the record number of the last one stored changes (it moved).
  void NoteStored(std::int32_t recordNumber, bool counted = true);
  /// Where long runs report their progress (nullptr: nowhere).
  void SetProgressDisplay(ProgressDisplay* display) { progress_ = display; }
  ProgressDisplay* Progress() const { return progress_; }

  // --- What the window draws -------------------------------------------------------------

  /// The 112 labels of the multiplier panel for `band`, row by row.
  std::vector<PanelCell> MultiplierPanel(char band) const;
  EntryCounters Counters(char band) const;
  /// The live evaluation panel "panelauswertung" with `band` as the current band.
  EvaluationPanel Evaluation(char band) const;

private:
  const ContestDefinition& def_;
  const char code_;
  const ContestTraits& traits_;
  const MultiplierRules& rules_;
  UserDialogs& dialogs_;
  MultiplierIndex index_;
  MultiplierTracker tracker_;
  Fileblock* file_ = nullptr;
  std::array<std::int32_t, kBandSlots> points_{};
  std::array<std::int32_t, kBandSlots> qsos_{};
  NextNumbers next_;
  int storeCount_ = 0;
  std::int32_t lastStored_ = 0;
  int fullRebuilds_ = 0;
  ProgressDisplay* progress_ = nullptr;
};

} // namespace tarvik
