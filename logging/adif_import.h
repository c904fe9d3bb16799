#pragma once
// The ADIF import: the assignment of the file's fields to the log's fields, the field values
// of a record with their defaults and conversions, the mode and band checks, and the import
// of every record through the entry session as if it were typed: the fields are filled, the
// checks, the duplicate rule and the save run as for a typed QSO (without the clock tick).
//
// Log fields ("Felder im Log"): CALL, QSO_DATE, TIME_ON, RST_SENT, RST_RCVD, BAND, FREQ,
// MODE, then the contest's non-empty multiplier labels. Each may be assigned one field of
// the file; a log field without an assignment reads the file's field of its own name (so
// NAME and QTH are always read from the tags of those names).
//
// Per record, in file order:
//   1. a new QSO is prepared in the session;
//   2. the values: a field missing from the record takes the value of the record before
//      (the first record: what the entry field holds) - except the call, which is never
//      carried over; the multiplier values go into the received exchange element whose kind
//      the label names (empty when not found); QSO_DATE "yyyymmdd" or "yymmdd" and TIME_ON
//      "hhmmss" or "hhmm" are turned into the forms the date and time fields read;
//   3. the mode check, then the band check (both skipped on request): a record that fails
//      one of them is skipped and counted;
//   4. mode, frequency and band are taken; the exchange evaluation runs; the save stores the
//      QSO when it is complete, else the record counts as refused - as a duplicate, or for
//      another reason (no date or time, a malformed call, the DOK restriction).
// The counts make the summary message.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/user_dialogs.h"
#include "contest/contest_definition.h"
#include "logging/adif_reader.h"

namespace tarvik {

class QsoSession;

/// The file dialog of the import: filter "ADIF-Datei (*.adi, *.adif)|*.ADI;*.ADIF", default
/// extension "adi".
FileDialogRequest AdifOpenRequest();
/// "Datei existiert nicht".
std::string AdifFileMissingMessage();
/// The file exists but cannot be read.
std::string AdifFileUnreadableMessage();
/// The file holds no record (no field followed by "<EOR>").
std::string AdifNoRecordsMessage();

/// The log fields a file's fields can be assigned to, in list order.
std::vector<std::string> AdifLogFields(const ContestDefinition& definition);

/// Which file field feeds which log field.
class AdifAssignment {
public:
  explicit AdifAssignment(std::vector<std::string> logFields);

  std::size_t Size() const { return entries_.size(); }
  const std::string& LogField(std::size_t i) const { return entries_.at(i).logField; }
  /// The assigned file field of entry i, "" when none.
  const std::string& Source(std::size_t i) const { return entries_.at(i).source; }
  /// The entry as the list shows it: the log field alone, or the log field, " (", the file
  /// field and ")".
  std::string EntryText(std::size_t i) const;
  /// Assigns `fileField` to entry i; false (nothing changes) when the entry is assigned
  /// already or `fileField` is empty.
  bool Assign(std::size_t i, std::string fileField);
  /// True once any entry is assigned.
  bool AnyAssigned() const;
  /// The file field read for `logField`: the assigned one, else `logField` itself.
  std::string SourceName(std::string_view logField) const;

private:
  struct Entry {
    std::string logField;
    std::string source;
  };
  std::vector<Entry> entries_;
};

/// QSO_DATE as the date field takes it: 8 digits "yyyymmdd" become "dd.mm.yyyy" (the year
/// keeps its century), 6 digits "yymmdd" become "dd.mm.yy"; any other text stays as it is.
std::string AdifDateText(std::string_view value);
/// TIME_ON as the time field takes it: "hhmmss" and "hhmm" become "hh:mm"; any other text
/// stays as it is.
std::string AdifTimeText(std::string_view value);

/// The mode check: the mode is one of the contest's modes, or the contest offers "DIGITAL"
/// and the mode is none of "CW", "SSB", "FM".
bool AdifModeAccepted(const ContestDefinition& definition, std::string_view mode);
/// The band check: for one of the contest's bands, the frequency (MHz, "." or ",") lies in
/// the band, or the band text names it (as a band text, or as its printed name with or
/// without blanks, in any letter case).
bool AdifBandAccepted(const ContestDefinition& definition, std::string_view frequency,
                      std::string_view band);

/// The received exchange element (1..3, i.e. elements 2..4) that the values of multiplier
/// column `column` go into: the first element whose exchange kind the column counts; 0 for a
/// column that no element carries (DXCC, prefix, listed calls) or an element the contest
/// does not have. `taken` marks elements already given to an earlier column.
int AdifElementForColumn(const ContestDefinition& definition, MultColumn column,
                         const bool (&taken)[3]);

/// The counts of an import.
struct AdifImportCounts {
  int imported = 0;
  int duplicates = 0;         ///< refused by the duplicate rule
  int incomplete = 0;         ///< refused for another reason (date, time, call, DOK, unreadable)
  int bandErrors = 0;         ///< missing or wrong band
  int modeErrors = 0;         ///< missing or wrong mode
  bool storageFailed = false; ///< a save failed in the storage engine; the import stopped
  AdifReadStatus readStatus = AdifReadStatus::kOk;
  friend bool operator==(const AdifImportCounts&, const AdifImportCounts&) = default;
};

/// The summary message: imported + " Datensätze importiert", then a line each for the
/// duplicates (" Calls doppelt"), the other refusals (" unvollständige Datensätze"), the
/// band and the mode errors when there were any, and a line when the import stopped early.
std::string AdifImportSummary(const AdifImportCounts& counts);

/// The import of the records of one file into an open session.
class AdifImporter {
public:
  /// REQUIRES: `session` is open and outlives the importer.
  AdifImporter(QsoSession& session, AdifAssignment assignment, bool skipChecks);

  /// Imports one record text. False once the import must stop (a storage failure).
  bool ImportRecord(std::string_view recordText);
  /// Counts a record the reader dropped (too long, unterminated) as refused.
  void CountDropped() { ++counts_.incomplete; }
  /// Ends the import: the entry shows a new QSO. A band or mode the contest does not offer
  /// (taken from the file without the checks) gives way to the one of before the import,
  /// so that the next typed QSO is not logged on it.
  void Finish();

  const AdifImportCounts& Counts() const { return counts_; }

private:
  std::string Value(const std::vector<AdifField>& fields, std::string_view logField) const;

  QsoSession& session_;
  AdifAssignment assignment_;
  bool skipChecks_;
  const ContestDefinition& def_;
  std::string elementLabels_[3]; ///< the label whose values go into element n (1..3)
  /// The values the previous record used (defaults of the next one), by log field.
  std::string previousDate_, previousTime_, previousName_, previousQth_;
  std::string previousRstSent_, previousRstRcvd_;
  bool fresh_ = false; ///< the session has just prepared a new QSO
  char startBand_;
  std::string startMode_;
  AdifImportCounts counts_;
};

/// Reads the file at `path` and imports every record into `session`. The QSO file's sync
/// after every save is deferred to the end of the import.
AdifImportCounts ImportAdifFile(QsoSession& session, const std::string& path,
                                const AdifAssignment& assignment, bool skipChecks);

} // namespace tarvik
