#pragma once
// The QSO list windows of the log: the correction list (all QSOs by QSO number), the call
// search (all QSOs by base call) and the band log (the QSOs of one band). Which key each
// mode follows, its range and its caption.

#include <string>
#include <string_view>

namespace tarvik {

enum class CorrectionListMode {
  kAll = 0,    ///< all QSOs in QSONr order (key 13)
  kSearch = 1, ///< all QSOs in base-call order (key 2), positioned by the search dialog
  kBand = 2,   ///< the QSOs of one band in band-number order (key 8)
};

/// The key a list mode follows and its range (see TKBrowser for how a range limits it).
struct CorrectionListKeys {
  int key = 0;
  std::string low, high;
  /// Where the list stands first (a key string; empty: the beginning of the range).
  std::string start;
};

/// Mode kAll: key 13 over QSO numbers 1..999999999. kSearch: key 2 over every entry,
/// standing first at "A" (calls that begin with a digit, such as 9A or 4X, sort before it
/// and stay reachable). kBand: key 8 limited to `band`.
CorrectionListKeys CorrectionListKeysFor(CorrectionListMode mode, char band);

/// The window caption (Windows-1252): "QSO - Liste (Ändern mit Eingabetaste oder
/// Doppelklick)", for the band log "Band - Log (...)".
std::string CorrectionListCaption(CorrectionListMode mode);

/// The key string the call search moves to for a typed call: its base call (mode 1).
std::string CallSearchKey(std::string_view call);

} // namespace tarvik
