#pragma once
// Whether a fileblock's index agrees with its data file, judged from the bytes of both
// files and the fileblock's key builder. The index agrees when
//   1. both files are sound as far as the integrity check sees (header, free chain, every
//      tree in order with the right depth and KeyCount, no entry naming a record that is not
//      live, free pages apart from the trees);
//   2. every key reaches every live record exactly once, except a record whose key is
//      empty (a record gets no entry then);
//   3. the key bytes of every entry equal the key the builder makes of its record.
// Rule 2 finds lost and doubled entries (a damaged page, a stale index of fewer records);
// rule 3 finds an index that belongs to another log, or to an older state of the same one,
// even when the numbers happen to match.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvik {

/// What a comparison found.
struct IndexFindings {
  std::int32_t liveRecords = 0;      ///< live records of the data file
  std::vector<std::string> findings; ///< English, one per line; empty when the index agrees
  std::int32_t moreFindings = 0;     ///< findings left out of the list (it keeps the first 20)

  bool Agree() const { return findings.empty(); }
};

/// The key `key` of live record `record`, as the fileblock's key builder makes it.
using RecordKeyFunction = std::function<std::string(std::int32_t record, int key)>;

/// Compares the index file bytes `ix` with the data file bytes `dat` (both whole files).
/// `keyOf` is called only for live records.
[[nodiscard]] IndexFindings CompareIndexWithData(const std::string& dat, const std::string& ix,
                                                 const RecordKeyFunction& keyOf);

/// The lines a check that disagreed appends to the fileblock's ".MSG" report: "Index check:"
/// and each finding, then the note that the index is rebuilt; every line ended by CR LF.
std::string IndexFindingsReport(const IndexFindings& findings);

} // namespace tarvik
