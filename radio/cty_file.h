#pragma once
// Reading the country files that amateur-radio software shares (cty.dat and its CSV form
// cty.csv, as kept at country-files.com and shipped by Debian's hamradio-files): for each
// country (DXCC entity, or an entity of the WAE list marked "*") its name, zones,
// continent, main prefix and the prefixes and whole calls that belong to it.
//
//   cty.csv, one line per country:
//     main prefix,name,entity number,continent,CQ zone,ITU zone,lat,long,UTC offset,
//     prefix prefix =CALL ...;
//   cty.dat, one record per country:
//     name: CQ zone: ITU zone: continent: lat: long: UTC offset: main prefix:
//         prefix,prefix,=CALL,...;
// A prefix or call may carry overrides: (n) CQ zone, [n] ITU zone, {XX} continent,
// <lat/long> and ~offset~ (the last two are not used here). "=" marks a whole call.
// A main prefix with "*" marks a country of the WAE list that is no DXCC entity; its entity
// number is the one of the DXCC entity it belongs to.
//
// Parsing never fails as a whole: a line or record that cannot be read is counted and
// skipped; what is read is bounds-checked (texts cut, numbers range-checked).

#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

/// One prefix or whole call of a country, with the overrides applied.
struct CtyPrefix {
  std::string text;       ///< upper case, without "=" and overrides
  bool wholeCall = false; ///< "=": matches only this call
  std::string cqZone;     ///< two digits ("05")
  std::string ituZone;    ///< two digits ("08")
  std::string continent;  ///< "EU", "NA" ...
  friend bool operator==(const CtyPrefix&, const CtyPrefix&) = default;
};

struct CtyCountry {
  std::string mainPrefix; ///< upper case, without "*" ("3D2/C", "DL", "UA9")
  bool waeOnly = false;   ///< "*": a WAE country, not a DXCC entity
  std::string name;
  int entityNumber = 0; ///< DXCC entity code (0: unknown, as in cty.dat)
  std::string cqZone;
  std::string ituZone;
  std::string continent;
  std::vector<CtyPrefix> prefixes;
};

struct CtyFile {
  std::vector<CtyCountry> countries;
  int badRecords = 0; ///< lines (CSV) or records (DAT) that could not be read
};

enum class CtyFormat { kCsv, kDat };

/// The format of a country file's text: DAT when the first non-empty line has the eight
/// colon-ended fields of a cty.dat header, else CSV.
CtyFormat DetectCtyFormat(std::string_view text);

/// Reads a country file's text in either format (DetectCtyFormat).
CtyFile ParseCtyFile(std::string_view text);
CtyFile ParseCtyCsv(std::string_view text);
CtyFile ParseCtyDat(std::string_view text);

/// One prefix token ("DL", "=KL7AA(5)[8]", "VE2{NA}") with the country's zones and continent
/// as defaults. False for an empty or unusable token.
[[nodiscard]] bool ParseCtyPrefix(std::string_view token, const CtyCountry& country,
                                  CtyPrefix* out);

} // namespace tarvik
