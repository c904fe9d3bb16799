#pragma once
// The ADIF import: the assignment of the file's fields to the log's fields, the field values
// of a record with their defaults and conversions, the mode and band checks, and the import
// of every record through the entry session as if it were typed: the fields are filled, the
// checks, the duplicate rule and the save run as for a typed QSO (without the clock tick).
//
// Log fields ("Felder im Log"): CALL, QSO_DATE, TIME_ON, RST_SENT, RST_RCVD, BAND, FREQ,
// MODE, NAME, QTH, then every received exchange element of the contest under its label (the
// multiplier label of the column it feeds, the contest's own label, the label of its
// exchange kind, or a plain name: "Alter" for the age of a party contest, "Austausch 2"),
// each sent element that varies from QSO to QSO (serial numbers, "lfd.Nr. gesendet"), and
// in listener logs the second call ("Call 2") and its report ("RSTs2") in place of
// RST_RCVD. Each may be assigned one field of the file; a log field without an assignment
// reads its default fields (the first one a record holds): the ADIF fields other logbooks
// write for it (GRIDSQUARE for a locator, DARC_DOK for a DOK, AGE, STATE, CALL_WKD ...),
// and the field of its own name. An exchange element without a value of its own takes its
// piece of the row's exchange text: the report beyond its RST (as this program's export
// writes it without "nur RS(T)"), else SRX / SRX_STRING (received) or STX / STX_STRING
// (sent), split at "/" as reports are.
//
// Per record, in file order:
//   1. a new QSO is prepared in the session;
//   2. the values: a date, time, name, QTH or RST missing from the record takes the value
//      of the record before (the first record: what the entry field holds) - the call and
//      the exchange elements are never carried over; QSO_DATE "yyyymmdd" or "yymmdd" and
//      TIME_ON "hhmmss" or "hhmm" are turned into the forms the date and time fields read;
//   3. the mode check, then the band check (both skipped on request): a record that fails
//      one of them is skipped and counted;
//   4. mode, frequency and band are taken; the fields are read as when the operator leaves
//      them: an exchange element the entry would refuse (a DOK "J" + digit, an invalid
//      locator) refuses the record; the exchange evaluation runs; the completeness test
//      (date, time, call, second call, duplicate rule, DOK restriction) decides, without a
//      message box, and the save stores the QSO.
// Every record that is not stored is listed with its number in the file, its call and the
// reason; the counts make the summary message.

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

/// What a log field of the import fills.
enum class AdifTarget {
  kCall,
  kDate,
  kTime,
  kRstSent, ///< the RST of the first report row (eRSTs1)
  kRstRcvd, ///< the RST of the second report row (eRSTr1)
  kBand,
  kFreq,
  kMode,
  kName,
  kQth,
  kReceivedElement, ///< received exchange element `element` + 1
  kSentElement,     ///< sent exchange element `element` + 1 (one that varies)
  kSecondCall,      ///< listener logs: the call the heard station worked (Call2)
};

/// One log field of the import.
struct AdifLogField {
  std::string name; ///< as the list shows it ("CALL", "DOK", "Alter", "Call 2")
  AdifTarget target = AdifTarget::kCall;
  int element = 0; ///< 1..3 (exchange elements 2..4) for the element targets
  /// The file fields read when nothing is assigned, in order; the first one a record holds
  /// with a value is taken.
  std::vector<std::string> defaults;
  friend bool operator==(const AdifLogField&, const AdifLogField&) = default;
};

/// The log fields of a contest, in list order (see the top of this file).
std::vector<AdifLogField> AdifLogFields(const ContestDefinition& definition, char contestCode);

/// `name` compared with a log field's name: letter case, blanks and "_" do not count, so
/// "call2" names "Call 2".
bool AdifLogFieldNamed(const AdifLogField& field, std::string_view name);

/// Which file field feeds which log field.
class AdifAssignment {
public:
  explicit AdifAssignment(std::vector<AdifLogField> logFields);

  std::size_t Size() const { return entries_.size(); }
  const std::string& LogField(std::size_t i) const { return entries_.at(i).field.name; }
  const AdifLogField& Field(std::size_t i) const { return entries_.at(i).field; }
  /// The assigned file field of entry i, "" when none.
  const std::string& Source(std::size_t i) const { return entries_.at(i).source; }
  /// The entry as the list shows it: the log field alone, or the log field, " (", the file
  /// field and ")".
  std::string EntryText(std::size_t i) const;
  /// Assigns `fileField` to entry i; false (nothing changes) when the entry is assigned
  /// already or `fileField` is empty.
  [[nodiscard]] bool Assign(std::size_t i, std::string fileField);
  /// True once any entry is assigned.
  bool AnyAssigned() const;
  /// The entry named `name` (AdifLogFieldNamed), or Size() when there is none.
  [[nodiscard]] std::size_t Find(std::string_view name) const;
  /// The names of every log field, joined by ", " (for a message).
  std::string FieldNames() const;

private:
  struct Entry {
    AdifLogField field;
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

/// Why a record of the file was not stored.
enum class AdifRefusalReason {
  kDuplicate,      ///< the contest's duplicate rule (the rule's message)
  kNoDate,         ///< no valid date
  kNoTime,         ///< no valid time
  kBadCall,        ///< the call is missing, too short or malformed
  kNoSecondCall,   ///< a listener log record without the second call
  kDokRestriction, ///< the DOK is outside the contest's DOK list and districts
  kElement,        ///< an exchange element the entry refuses (detail: its message and value)
  kMode,           ///< a mode missing or not offered (detail: the mode)
  kBand,           ///< a band missing or not offered (detail: band or frequency)
  kTooLong,        ///< the record text is too long to be read
  kUnterminated,   ///< text after the last "<EOR>"
  kStorage,        ///< the save failed in the storage engine; the import stopped
};

/// One record that was not stored.
struct AdifRefusal {
  std::size_t record = 0; ///< its number in the file, from 1
  std::string call;       ///< its call as the file gives it ("" when none)
  AdifRefusalReason reason = AdifRefusalReason::kDuplicate;
  std::string detail; ///< the duplicate rule's message, the element's message and value ...
  friend bool operator==(const AdifRefusal&, const AdifRefusal&) = default;
};

/// The line of a refusal in the language of the texts (ChooseText): "Datensatz 12, DL1ABC:
/// Call bereits auf Band vorhanden" / "record 12, DL1ABC: Call already exists on band".
std::string AdifRefusalLine(const AdifRefusal& refusal);

/// The counts of an import.
struct AdifImportCounts {
  int imported = 0;
  int duplicates = 0;         ///< refused by the duplicate rule
  int incomplete = 0;         ///< refused for another reason (date, time, call, DOK, unreadable)
  int bandErrors = 0;         ///< missing or wrong band
  int modeErrors = 0;         ///< missing or wrong mode
  bool storageFailed = false; ///< a save failed in the storage engine; the import stopped
  AdifReadStatus readStatus = AdifReadStatus::kOk;
  AdifTextInfo text = {}; ///< UTF-8 read, characters replaced by "?"
  friend bool operator==(const AdifImportCounts&, const AdifImportCounts&) = default;
};

/// True when every record was imported or refused as a duplicate, and the file was read
/// to its end.
bool AdifImportComplete(const AdifImportCounts& counts);

/// What an import did: the counts and the records not stored, in file order.
struct AdifImportResult {
  AdifImportCounts counts;
  std::vector<AdifRefusal> refusals;
};

/// The summary message: imported + " Datensätze importiert", then a line each for the
/// duplicates (" Calls doppelt"), the other refusals (" unvollständige Datensätze"), the
/// band and the mode errors when there were any, the characters of a UTF-8 file that
/// Windows-1252 lacks, and a line when the import stopped early.
std::string AdifImportSummary(const AdifImportCounts& counts);
/// The same in English (tarvik-tool).
std::string AdifImportSummaryEnglish(const AdifImportCounts& counts);

/// The refusal list as a text file: a heading line with the file's name, then one line per
/// refusal (AdifRefusalLine), lines ended by CR LF.
std::string AdifRefusalListText(const std::string& fileName,
                                const std::vector<AdifRefusal>& refusals);

/// The import of the records of one file into an open session.
class AdifImporter {
public:
  /// REQUIRES: `session` is open and outlives the importer.
  AdifImporter(QsoSession& session, AdifAssignment assignment, bool skipChecks);

  /// Imports one record text. False once the import must stop (a storage failure).
  [[nodiscard]] bool ImportRecord(std::string_view recordText);
  /// Counts a record the reader dropped (too long, unterminated) as refused.
  void CountDropped(AdifDrop drop);
  /// Ends the import: the entry shows a new QSO. A band or mode the contest does not offer
  /// (taken from the file without the checks) gives way to the one of before the import,
  /// so that the next typed QSO is not logged on it.
  void Finish();

  const AdifImportCounts& Counts() const { return result_.counts; }
  const AdifImportResult& Result() const { return result_; }

private:
  /// The value of log field `i` in `fields` ("" when the record has none), and whether it
  /// came from an assigned or a default field (not from the row's exchange).
  std::string Value(const std::vector<AdifField>& fields, std::size_t i) const;
  std::string Value(const std::vector<AdifField>& fields, AdifTarget target) const;
  std::size_t Index(AdifTarget target, int element = 0) const;
  void Refuse(std::string call, AdifRefusalReason reason, std::string detail = {});

  QsoSession& session_;
  AdifAssignment assignment_;
  bool skipChecks_;
  const ContestDefinition& def_;
  bool listener_;
  /// The values the previous record used (defaults of the next one), by log field.
  std::string previousDate_, previousTime_, previousName_, previousQth_;
  std::string previousRstSent_, previousRstRcvd_;
  bool fresh_ = false; ///< the session has just prepared a new QSO
  char startBand_;
  std::string startMode_;
  std::size_t record_ = 0; ///< number of the record in the file
  AdifImportResult result_;
};

/// Reads the file at `path` and imports every record into `session`. The QSO file's sync
/// after every save is deferred to the end of the import.
[[nodiscard]] AdifImportResult ImportAdifFile(QsoSession& session, const std::string& path,
                                              const AdifAssignment& assignment, bool skipChecks);

} // namespace tarvik
