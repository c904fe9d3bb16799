#pragma once
// The Cabrillo file (version 3.0): the log as the contest robots of short-wave contests take
// it.
//
//   START-OF-LOG: 3.0
//   CREATED-BY: <program title>
//   CONTEST: <the catalog's name, or the name the person gave>
//   CALLSIGN: <own call>
//   LOCATION: <own DOK>                 (contests whose exchange sends the DOK)
//   GRID-LOCATOR: <station locator>     (when the setup holds a valid one)
//   CATEGORY-OPERATOR/-BAND/-MODE (always), -POWER/-STATION/-TRANSMITTER (where the category
//   tells them), CLAIMED-SCORE <score>, CLUB, NAME, ADDRESS, ADDRESS-CITY,
//   ADDRESS-POSTALCODE, ADDRESS-COUNTRY, OPERATORS, SOAPBOX (station description lines)
//   QSO: freq  mo yyyy-mm-dd hhmm call-sent     rst exch... call-rcvd     rst exch...
//   END-OF-LOG:
//
// QSO lines, in entry order, band-change marker records left out; the columns are aligned
// over the whole log (calls at least 13 wide, every exchange column at least 6):
//   freq  kHz on short wave (the QSO's frequency when it lies on the QSO's band, else the
//         band's lower edge), the band designator from 50 MHz up ("50", "144", "432",
//         "1.2G", "10G" ...), right-aligned in 5
//   mo    CW, PH (SSB, AM), FM, RY (RTTY), DG (every other digital mode)
//   exch  one column per exchange element the contest sends (DOK, serial number, locator,
//         member number ...), taken from the exchange text after the report split at "/";
//         an element that is missing is written as "-"
// Every text is written in ASCII: umlauts become "ae", "oe", "ue", "ss"; any other character
// outside ASCII becomes "?".

#include <string>
#include <string_view>
#include <vector>

#include "outputs/output_source.h"
#include "outputs/text_file_writer.h"

namespace tarvik {

/// The mode column of a mode text: "CW", "PH", "FM", "RY" or "DG".
std::string CabrilloModeText(std::string_view mode);

/// The frequency column of a QSO: kHz on short wave, the band designator from 6 m up.
std::string CabrilloFrequencyText(char band, float freqMhz);

/// `text` in ASCII (see above).
std::string CabrilloAscii(std::string_view text);

/// The exchange columns of a QSO's exchange text (report in characters 1 to 3): the rest
/// split at "/" into `columns` values, "-" for a missing one; parts beyond the last column
/// stay joined to it by "/".
std::vector<std::string> CabrilloExchangeColumns(std::string_view exchange, int columns);

/// How many exchange columns the contest sends after the report (its sent or received
/// exchange kinds that are not 0); at least 1.
int CabrilloSentColumns(const ContestDefinition& definition);
int CabrilloRcvdColumns(const ContestDefinition& definition);

/// The header lines, "START-OF-LOG: 3.0" to the last SOAPBOX line. `contestName` is the
/// CONTEST value ("" takes the catalog's).
std::vector<std::string> CabrilloHeaderLines(const OutputSource& source,
                                             std::string_view contestName);

/// Writes the whole file. False when the QSO file could not be read to its end.
[[nodiscard]] bool WriteCabrilloFile(TextFileWriter& out, const OutputSource& source,
                                     std::string_view contestName);

} // namespace tarvik
