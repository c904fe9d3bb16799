#include "contest/duplicates.h"

#include <functional>

#include "base/text_helpers.h"
#include "contest/multiplier_rules.h"
#include "datafiles/log_scan.h"

namespace tarvik {

namespace {

constexpr std::int32_t k1500 = 15 * 3600;

bool Cw(const QsoRecord& record) {
  return record.Mode() == "CW";
}

} // namespace

bool IsDuplicate(const QsoRecord& record, Fileblock& log, int rule, char contestCode,
                 std::int32_t excludeRecord) {
  if (record.Call().empty())
    return false;
  const std::string key9 =
      QsoKey(record.data(), qso_key::kBandCallMode); // band + call (14) + mode (6)
  std::function<bool(const QsoRecord&)> matches;
  int key = qso_key::kBandCallMode;
  std::string prefix;
  switch (rule) {
  case 1:
    prefix = key9;
    matches = [](const QsoRecord&) { return true; };
    break;
  case 2:
    prefix = key9.substr(0, 15);
    if (contestCode == '9') {
      const std::string call = record.Call();
      matches = [call](const QsoRecord& earlier) { return earlier.Call() == call; };
    } else {
      matches = [](const QsoRecord&) { return true; };
    }
    break;
  case 3: {
    key = qso_key::kCallDateTime;
    prefix = QsoKey(record.data(), qso_key::kCall);
    const bool cw = Cw(record);
    matches = [cw](const QsoRecord& earlier) { return Cw(earlier) == cw; };
    break;
  }
  case 4:
    prefix = key9.substr(0, 15);
    if (contestCode == '6') {
      const bool early = record.Zeit() < k1500;
      matches = [early](const QsoRecord& earlier) { return (earlier.Zeit() < k1500) == early; };
    } else if (contestCode == 'h') {
      const std::int32_t date = record.Datum();
      matches = [date](const QsoRecord& earlier) { return earlier.Datum() == date; };
    } else {
      return false;
    }
    break;
  case 5:
    key = qso_key::kCall;
    prefix = QsoKey(record.data(), qso_key::kCall);
    matches = [](const QsoRecord&) { return true; };
    break;
  default:
    return false;
  }
  bool duplicate = false;
  VisitRecords(log, key, prefix, [&](std::int32_t ref, const QsoRecord& earlier) {
    if (ref != excludeRecord && !IsMarkerRecord(earlier) && matches(earlier))
      duplicate = true;
    return !duplicate;
  });
  return duplicate;
}

std::string DuplicateMessage(int rule, char contestCode, std::string_view call, bool onCallExit) {
  std::string german;
  std::string english;
  switch (rule) {
  case 1:
    german = "bereits auf Band/Mode vorhanden";
    english = "Call already exists on band/mode";
    break;
  case 2:
    german = "bereits auf Band vorhanden";
    english = "Call already exists on band";
    break;
  case 3:
    german = "bereits in Betriebsart vorhanden";
    english = "Call already exists on mode";
    break;
  case 4:
    if (contestCode == '6') {
      german = "bereits in Band und Periode vorhanden";
      english = "Call already exists on band and period";
    } else if (contestCode == 'h') {
      german = "bereits in Band und Tag vorhanden";
      english = "Call already exists on band and day";
    } else {
      return std::string();
    }
    break;
  case 5:
    german = "bereits vorhanden";
    english = "Call already exists";
    break;
  default:
    return std::string();
  }
  const std::string lead = onCallExit ? "Call " + std::string(call) + " " : std::string("Call ");
  return ChooseText(lead + german, english);
}

} // namespace tarvik
