#include "recordfile/index_check.h"

#include <algorithm>

#include "recordfile/format.h"
#include "recordfile/integrity_check.h"

namespace tarvik {

namespace {

constexpr std::size_t kListedFindings = 20;

/// Collects findings, keeping the first few as text.
class Findings {
public:
  explicit Findings(IndexFindings* out) : out_(out) {}
  void Add(std::string text) {
    if (out_->findings.size() < kListedFindings)
      out_->findings.push_back(std::move(text));
    else
      ++out_->moreFindings;
  }

private:
  IndexFindings* out_;
};

/// The live records of the data file bytes: live[r] for r = 1..records.
std::vector<bool> LiveRecordsOf(const std::string& dat) {
  if (dat.size() < static_cast<std::size_t>(format::kDataHeaderSize))
    return {};
  const std::int32_t recLen = format::LoadI32(dat.data() + format::kHdrRecLen);
  const std::int32_t numRec = format::LoadI32(dat.data() + format::kHdrNumRec);
  if (recLen < format::kMinRecLen || numRec < 0)
    return {};
  const std::size_t slots = dat.size() / static_cast<std::size_t>(recLen);
  const std::size_t records = std::min(slots > 0 ? slots - 1 : 0, static_cast<std::size_t>(numRec));
  std::vector<bool> live(records + 1, false);
  for (std::size_t r = 1; r <= records; ++r)
    live[r] = format::LoadI32(dat.data() + r * static_cast<std::size_t>(recLen)) == 0;
  return live;
}

} // namespace

IndexFindings CompareIndexWithData(const std::string& dat, const std::string& ix,
                                   const RecordKeyFunction& keyOf) {
  IndexFindings result;
  Findings findings(&result);
  const std::vector<bool> live = LiveRecordsOf(dat);
  // reached[k][r]: key k has an entry for record r.
  std::vector<std::vector<bool>> reached;
  const CheckReport report =
      CheckFileblockImages(dat, ix, [&](int key, std::int32_t record, std::string_view keyBytes) {
        if (reached.size() <= static_cast<std::size_t>(key))
          reached.resize(static_cast<std::size_t>(key) + 1);
        std::vector<bool>& seen = reached[static_cast<std::size_t>(key)];
        if (seen.empty())
          seen.assign(live.size(), false);
        const auto r = static_cast<std::size_t>(record);
        if (seen[r]) {
          findings.Add("key " + std::to_string(key) + ": record " + std::to_string(record) +
                       " has more than one entry");
          return;
        }
        seen[r] = true;
        if (keyOf(record, key) != keyBytes) {
          findings.Add("key " + std::to_string(key) + ", record " + std::to_string(record) +
                       ": the entry's key is not the key of the record");
        }
      });
  for (const std::string& problem : report.problems)
    findings.Add(problem);
  if (!report.readable)
    return result;
  result.liveRecords = report.liveRecords;
  if (report.numRec - report.numberFree != report.liveRecords) {
    findings.Add("data file: " + std::to_string(report.liveRecords) +
                 " live records, the header counts " +
                 std::to_string(report.numRec - report.numberFree));
  }
  for (int key = 1; key <= report.numKeys && static_cast<std::size_t>(key) <= report.keys.size();
       ++key) {
    const std::vector<bool>* seen = static_cast<std::size_t>(key) < reached.size()
                                        ? &reached[static_cast<std::size_t>(key)]
                                        : nullptr;
    std::int32_t missing = 0;
    std::int32_t first = 0;
    for (std::size_t r = 1; r < live.size(); ++r) {
      if (!live[r] || (seen != nullptr && !seen->empty() && (*seen)[r]))
        continue;
      // A record whose key is empty has no entry.
      if (keyOf(static_cast<std::int32_t>(r), key).empty())
        continue;
      if (missing++ == 0)
        first = static_cast<std::int32_t>(r);
    }
    if (missing > 0) {
      findings.Add("key " + std::to_string(key) + ": " + std::to_string(missing) + " of " +
                   std::to_string(report.liveRecords) +
                   " live records have no entry (the first: record " + std::to_string(first) + ")");
    }
  }
  return result;
}

std::string IndexFindingsReport(const IndexFindings& findings) {
  std::string text;
  for (const std::string& finding : findings.findings)
    text += "Index check: " + finding + "\r\n";
  if (findings.moreFindings > 0)
    text += "Index check: " + std::to_string(findings.moreFindings) + " further findings\r\n";
  text += "Index check: the index disagrees with the data file of " +
          std::to_string(findings.liveRecords) + " live records and is rebuilt from it\r\n";
  return text;
}

} // namespace tarvik
