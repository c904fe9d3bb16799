#pragma once
// Country data for the person: filling the prefix tables and the call book's DOKs from the
// country files installed on the computer at first start, and refreshing them later from a
// file the person picks (country-files.com publishes new cty.csv / cty.dat files as
// prefixes change). The work itself is done by radio/country_import.h; this file chooses
// the files and tells the person what happened.
//
// REQUIRES for every function: the record-file manager runs (StartRecordFiles) and the
// data directory is set. The prefix tables may be open (the main window opens them first).

#include <string>

#include "base/user_dialogs.h"

namespace tarvik {

/// Where the country data comes from.
struct CountryDataFiles {
  std::string countryFile; ///< cty.csv or cty.dat; "" when there is none
  std::string dokHistory;  ///< DOK history ("CALL,DOK" lines); "" when there is none
};

/// The files of Debian's hamradio-files that are present: cty.csv (else cty.dat) and
/// WAG_call_history.txt.
CountryDataFiles InstalledCountryDataFiles();

/// First start. When KXPREFIX holds no record: fills it (and KXPREFEE) from
/// `files.countryFile` and adds the DOKs of `files.dokHistory` to the call book, then tells
/// the person what was done (one message). Returns whether KXPREFIX holds data afterwards;
/// the caller shows its "Präfixdatei ... leer" warning only when it returns false. A
/// prefix table that holds data is left alone and nothing is shown. A failed import is
/// reported before false is returned.
[[nodiscard]] bool EnsureCountryData(UserDialogs& dialogs,
                                     const CountryDataFiles& files = InstalledCountryDataFiles());

/// The menu action that refreshes the prefix tables: asks for a country file (cty.csv or
/// cty.dat; the dialog opens in the folder of the installed files), imports it and reports
/// the counts or the failure. False when the person cancelled or the import failed.
[[nodiscard]] bool RefreshCountryData(UserDialogs& dialogs);

/// The menu action that adds DOKs to the call book: asks for a DOK history file, imports it
/// (a DOK the call book has is kept) and reports the counts or the failure.
[[nodiscard]] bool RefreshDokHistory(UserDialogs& dialogs);

} // namespace tarvik
