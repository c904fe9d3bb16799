#pragma once
// Status values inside the record-file engine. Every internal step returns one; the
// fileblock operations turn a failed status into an entry of the error channel.

namespace tarvik {

class [[nodiscard]] Status {
public:
  constexpr Status() = default;
  /// An error number of the engine (see error_channel.h); 0 means success. `position`
  /// names the place inside the step that failed (recorded in the error entry).
  constexpr Status(int code, int position = 0) : code_(code), position_(position) {}
  static constexpr Status Ok() { return Status(); }

  constexpr bool ok() const { return code_ == 0; }
  constexpr int code() const { return code_; }
  constexpr int position() const { return position_; }

private:
  int code_ = 0;
  int position_ = 0;
};

// Error numbers of the engine (below 12288) and of the fileblock objects, by meaning. The
// severity class of each follows from the number (ErrorClassOf in error_channel.h).
namespace err {
inline constexpr int kFileNotFound = 9903;
inline constexpr int kTooFewBuffers = 10000;
inline constexpr int kIndexUnusable = 10010;
inline constexpr int kRecLenTooSmall = 10020;
inline constexpr int kNoSectionBuffer = 10040;
inline constexpr int kTooManyKeysCreate = 10050;
inline constexpr int kKeyLength = 10055;
inline constexpr int kTooManyKeysOpen = 10060;
inline constexpr int kReadOnly = 10065;
inline constexpr int kShortRead = 10070;
inline constexpr int kShortWrite = 10075;
inline constexpr int kPageSize = 10120;
inline constexpr int kDerivedKeyLength = 10121;
inline constexpr int kItemsPerPage = 10122;
inline constexpr int kKeyTooLong = 10125;
inline constexpr int kWriteRecordZero = 10130;
inline constexpr int kRecordOutOfRange = 10135;
inline constexpr int kIoError = 10140;
inline constexpr int kKeyNumber = 10164;
inline constexpr int kFreeChain = 10170;
inline constexpr int kKeyNotFound = 10200;
inline constexpr int kNoGreaterOrEqual = 10210;
inline constexpr int kHeaderInconsistent = 10215;
inline constexpr int kDeleteKeyNotFound = 10220;
inline constexpr int kDuplicateKey = 10230;
inline constexpr int kNoNext = 10250;
inline constexpr int kNextWithoutPosition = 10255;
inline constexpr int kNoPrevious = 10260;
inline constexpr int kPrevWithoutPosition = 10265;
inline constexpr int kEntryNotFound = 10270;
inline constexpr int kRelPosEmpty = 10280;
inline constexpr int kKeyPosEmpty = 10285;
inline constexpr int kRenameFailed = 10399;
inline constexpr int kReorgCopyFailed = 10410;
inline constexpr int kBrokenChain = 10415;
inline constexpr int kRelPosArgs = 10420;
inline constexpr int kKeyPosArgs = 10425;
inline constexpr int kRepairStopped = 10460;
inline constexpr int kReorgInterrupted = 10465;
inline constexpr int kKeyBuilderFailed = 10470;

inline constexpr int kRecordDeleted = 12289;
inline constexpr int kRecordChanged = 12309;
inline constexpr int kMissingNoCreate = 12323;
inline constexpr int kCreateDeclined = 12328;
inline constexpr int kPositionNotFound = 12351;
inline constexpr int kNoLiveRecord = 12357;
inline constexpr int kNoSuchFileblock = 12364;
inline constexpr int kIndexDamagedReadOnly = 16478;
inline constexpr int kRecLenMismatch = 24591;
inline constexpr int kAutoNumberOverflow = 24592;
inline constexpr int kNoFileSlots = 24606;
inline constexpr int kInvalidObject = 24607;
inline constexpr int kUndoFailed = 24642;
inline constexpr int kKeyDefinitionMismatch = 24653;
inline constexpr int kNotInitialised = 28675;
inline constexpr int kNoName = 28677;
inline constexpr int kNoBuffer = 28679;
inline constexpr int kRecLenDefinition = 28682;
inline constexpr int kTooManyKeysDefinition = 28683;
inline constexpr int kKeyLengthAbove50 = 28685;
inline constexpr int kAddStatusWord = 28689;
inline constexpr int kUpdateNoCurrent = 28691;
inline constexpr int kUpdateStatusWord = 28692;
inline constexpr int kDeleteNoCurrent = 28694;
inline constexpr int kBudgetTooSmall = 28698;
inline constexpr int kDefineKeyNumber = 28709;
inline constexpr int kKeyNotDefined = 28710;
inline constexpr int kAutoNumberAddress = 28711;
inline constexpr int kStepWithoutCurrent = 28715;
inline constexpr int kKeyLengthZero = 28717;
inline constexpr int kAutoNumberKeyUndefined = 28721;
inline constexpr int kExitWithObjects = 28724;
inline constexpr int kAutoNumberNotAtEnd = 28726;
inline constexpr int kPositionInvalid = 28736;
inline constexpr int kInitialisedTwice = 28744;
inline constexpr int kDeleteNotLastRead = 28752;
inline constexpr int kReentered = 28770;
} // namespace err

} // namespace tarvik
