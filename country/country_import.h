#pragma once
// Filling the program's tables from the shared amateur-radio data files:
//  - the prefix table KXPREFIX and the whole-call exceptions of KXPREFEE from a country
//    file (cty.csv or cty.dat, see cty_file.h), so that LookUpPrefix finds the country,
//    zones, continent and DXCC entity of every call;
//  - the DOK of German stations into the call book KXCBUCH from a DOK history file
//    ("CALL,DOK" lines, "#" comments), so that DOK contests prefill the DOK.
//
// How a country file becomes prefix entries:
//  - every prefix of a country is one KXPREFIX entry: the prefix, the DXCC prefix, CQ and
//    ITU zone (two digits), continent, country name (30 characters), DXCC entity number,
//    class "*" for a WAE country that is no DXCC entity and "D" otherwise; a prefix with
//    its own zones or continent carries them in its entry. The first country to name a
//    prefix keeps it.
//  - the DXCC prefix names the entity as the program's entity table does (RA-EU for
//    European Russia, FO/F for French Polynesia), so that DxccNumber answers; a WAE country
//    counts for its DXCC entity (Sicily: I). An entity the table does not know keeps the
//    country file's main prefix, unless the table uses that text for another entity: then
//    "/" and the first letter of the country's name follow (Curacao PJ2/C).
//  - the designator calls (FO5QQ/M, 3D2AB/R, SV1AB/A ...) get entries under their joined
//    form ("FO/M") for the country of that entity.
//  - a whole call ("=") goes to KXPREFEE, marked as coming from the country file (match
//    kind kCountryFileMatchKind, which matches the whole call only). Calls the lookup can
//    never see whole there are left out and counted: those longer than six characters and
//    those with a portable addition (the lookup takes DL1AB/P as DL1AB).
// An import replaces KXPREFIX completely and the country file's entries of KXPREFEE; the
// entries the person made by choosing a country (prefix choice) stay. The new tables are
// built in separate files first and then take the old ones' place, so an interruption
// leaves the old or the new table (an index missing after it is rebuilt at the next open).
//
// REQUIRES for every function: the record-file engine runs and the data directory is set.
// The prefix tables and the call book may be open elsewhere (the same objects are used).

#include <string>
#include <string_view>

#include "radio/cty_file.h"

namespace tarvik {

/// Files of Debian's package hamradio-files.
inline constexpr const char* kDebianCountryCsv = "/usr/share/hamradio-files/cty.csv";
inline constexpr const char* kDebianCountryDat = "/usr/share/hamradio-files/cty.dat";
inline constexpr const char* kDebianDokHistory = "/usr/share/hamradio-files/WAG_call_history.txt";

/// Match kind of the KXPREFEE entries that an import wrote (whole call only).
inline constexpr char kCountryFileMatchKind = 'C';

/// Why an import did not happen.
enum class ImportFailure {
  kNone,
  kUnreadable, ///< the file cannot be read
  kNoData,     ///< the file holds nothing usable
  kStorage,    ///< a table could not be opened or written (details in the error channel)
};

struct CountryImportResult {
  bool ok = false;
  ImportFailure failure = ImportFailure::kNone;
  std::string error;           ///< the failure in a few English words, when !ok
  int countries = 0;           ///< countries read from the file
  int prefixes = 0;            ///< KXPREFIX entries written
  int wholeCalls = 0;          ///< KXPREFEE entries written
  int callsLeftOut = 0;        ///< whole calls longer than 6 characters or with "/"
  int choicesKept = 0;         ///< the person's own KXPREFEE entries kept
  int withoutEntityNumber = 0; ///< countries whose DXCC entity number is unknown
  int badRecords = 0;          ///< lines or records of the file that could not be read
};

/// Reads the country file at `path` (either format) and replaces the tables with it. For a
/// cty.dat, which has no entity numbers, they come from a cty.csv in the same folder when
/// there is one, else from the entity table by main prefix. Fails without changing
/// anything when the file cannot be read or holds no country.
[[nodiscard]] CountryImportResult ImportCountryFile(const std::string& path);
/// The same for a parsed file.
[[nodiscard]] CountryImportResult ImportCountryData(const CtyFile& file);

/// The DXCC prefix under which the tables name a country (see above).
std::string CountryDxccPrefix(const CtyCountry& country);

struct DokImportResult {
  bool ok = false;
  ImportFailure failure = ImportFailure::kNone;
  std::string error; ///< the failure in a few English words, when !ok
  int calls = 0;     ///< lines with a call and a DOK
  int added = 0;     ///< new call-book records
  int filled = 0;    ///< records that had no DOK and got one
  int kept = 0;      ///< records that already had a DOK (left as they are)
  int skipped = 0;   ///< lines without a DOK of 1..8 letters and digits, or a call over 10
};

/// Adds the DOK of each call of a DOK history file to the call book (field 6), keyed by the
/// call's home call. Never overwrites a DOK the call book has; running it again changes
/// nothing.
[[nodiscard]] DokImportResult ImportDokHistoryFile(const std::string& path);
[[nodiscard]] DokImportResult ImportDokHistory(std::string_view text);

/// Whether the prefix table KXPREFIX holds no record (also when it cannot be opened).
bool PrefixTableEmpty();
/// Whether the call book KXCBUCH holds no record (also when it cannot be opened).
bool CallBookEmpty();

/// The first of `paths` that is a readable file, or "".
std::string FirstReadableFile(std::initializer_list<std::string_view> paths);

} // namespace tarvik
