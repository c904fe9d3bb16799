#include "outputs/correction_list.h"

#include "datafiles/qso_record.h"
#include "radio/base_call.h"
#include "recordfile/key_codec.h"

namespace tarvik {

CorrectionListKeys CorrectionListKeysFor(CorrectionListMode mode, char band) {
  CorrectionListKeys keys;
  switch (mode) {
  case CorrectionListMode::kAll:
    keys.key = qso_key::kQsoNumber;
    keys.low = NumKey5(1);
    keys.high = NumKey5(999999999);
    break;
  case CorrectionListMode::kSearch:
    keys.key = qso_key::kCallDateTime;
    keys.start = "A";
    break;
  case CorrectionListMode::kBand:
    keys.key = qso_key::kBandNumber;
    keys.low = std::string(1, band);
    keys.high = keys.low;
    break;
  }
  return keys;
}

std::string CorrectionListCaption(CorrectionListMode mode) {
  const std::string hint = " (Ändern mit Eingabetaste oder Doppelklick)";
  return (mode == CorrectionListMode::kBand ? "Band - Log" : "QSO - Liste") + hint;
}

std::string CallSearchKey(std::string_view call) {
  std::string text(call);
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  while (!text.empty() && text.front() == ' ')
    text.erase(text.begin());
  return BaseCall(text, 1);
}

} // namespace tarvik
