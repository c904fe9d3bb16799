#pragma once
// The live records of a data file read in record-number order without trusting its header:
// every whole slot up to the end of the file is looked at. A fixed-length slot is live when
// its status word is 0; in a variable-length file a live main section is read together with
// its chain of continuation sections. This is what a reorganisation copies, and what decides
// which of two copies left by an interrupted one holds the complete data.

#include <cstdint>
#include <string>
#include <vector>

#include "recordfile/file_io.h"
#include "recordfile/status.h"

namespace tarvik {

class LiveRecordScan {
public:
  enum class Item {
    kRecord, ///< a live record
    kBroken, ///< a variable-length record whose chain is broken or overlong (left out)
    kEnd,    ///< no further record
  };

  /// `file` (open, readable) must outlive the scan. `recLen` is the slot length (the
  /// section length of a variable-length file), `recordSize` the size of a whole
  /// variable-length record (longer chains are cut to it).
  LiveRecordScan(File& file, int recLen, bool variable, std::size_t recordSize);

  /// The next live record: its bytes in `*record` (recLen bytes, or the whole variable
  /// record; for kBroken the raw main section) and its record number in `*number`.
  Status Next(Item* item, std::string* record, std::int32_t* number);

  /// Slots in the file after its header (known after the first Next).
  std::int64_t slots() const { return slots_; }

private:
  Status Start();

  File& file_;
  std::size_t recLen_;
  bool variable_;
  std::size_t recordSize_;
  bool started_ = false;
  std::int64_t slots_ = 0;
  std::int64_t chunkFirst_ = 1; // record number of the first slot in chunk_
  std::size_t chunkSlots_ = 0;
  std::size_t at_ = 0; // next slot inside chunk_
  std::vector<std::uint8_t> chunk_;
};

} // namespace tarvik
