#pragma once
// Internal helpers shared by the fileblock operation files.

#include "recordfile/btree.h"
#include "recordfile/data_file.h"
#include "recordfile/engine_state.h"
#include "recordfile/error_channel.h"
#include "recordfile/fileblock.h"
#include "recordfile/index_file.h"
#include "recordfile/status.h"

namespace tarvik {

/// Steps of an operation, recorded in error entries.
enum Step : int {
  kStepEnter = 1,
  kStepOpen = 2,
  kStepDefinition = 3,
  kStepBuildKey = 4,
  kStepReadRecord = 5,
  kStepWriteRecord = 6,
  kStepAddKey = 7,
  kStepDeleteKey = 8,
  kStepSearch = 9,
  kStepFlush = 10,
  kStepReposition = 11,
  kStepUndo = 12,
  kStepClose = 13,
  kStepRepair = 14,
  kStepCheckIndex = 15,
};

/// Positions of tolerated conditions within a step.
enum Position : int {
  kPosErrorDeleteKey = 1, // a key entry to delete was missing
};

/// The start and end of one fileblock operation: checks that the engine runs, that no
/// other operation is in progress and that the object is registered; clears the channel;
/// marks the engine busy until the end, when a fileblock whose files were found damaged
/// is closed (its InUse flag stays set, so the next open repairs it).
class OperationScope {
public:
  OperationScope(Fileblock* fb, int operation);
  ~OperationScope();
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;

  bool ok() const { return entered_; }
  int result() const { return RecordFileErrors().Severity(); }

private:
  Fileblock* fb_;
  bool entered_ = false;
  bool reentered_ = false;
};

/// Errors that mean the files cannot be trusted any more.
inline bool IsDamage(int code) {
  return code == err::kIndexUnusable || code == err::kFreeChain || code == err::kBrokenChain;
}

/// Errors of an open that a repair can mend.
inline bool IsRepairable(int code) {
  return code == err::kIndexUnusable || code == err::kPageSize || code == err::kDerivedKeyLength ||
         code == err::kItemsPerPage || code == err::kTooManyKeysOpen ||
         code == err::kKeyDefinitionMismatch;
}

} // namespace tarvik
