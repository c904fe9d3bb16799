#pragma once
// Inside the check before sending: what the format readers take from a file, and where they
// put their findings. The checks that every format shares run on this (file_check.cpp).

#include <string>
#include <string_view>
#include <vector>

#include "outputs/file_check.h"

namespace tarvik {

/// One QSO as a reader found it.
struct ParsedQso {
  int line = 0;
  int number = 0;
  std::string call;
  DayNumber day = BadDate;
  TimeOfDay time = BadTime;
  char band = 0;        ///< band letter; 0 when not known
  std::string mode;     ///< the mode as the file writes it
  char modeGroup = ' '; ///< ModeGroup of the mode
  std::string locator;  ///< the received locator ("" none)
  bool hasDistance = false;
  long distance = 0; ///< the distance field (EDI)
};

struct ParsedLog {
  std::vector<ParsedQso> qsos;
  std::string ownLocator; ///< the station's locator (EDI PWWLo)
  /// The band is the file's (EDI PBand): a band it does not name is reported once there.
  bool bandFromHeader = false;
};

/// Collects the findings of one check.
class FindingList {
public:
  void Error(int line, std::string text) {
    Add(FindingSeverity::kError, line, nullptr, std::move(text));
  }
  void Warning(int line, std::string text) {
    Add(FindingSeverity::kWarning, line, nullptr, std::move(text));
  }
  void QsoError(const ParsedQso& q, std::string text) {
    Add(FindingSeverity::kError, q.line, &q, std::move(text));
  }
  void QsoWarning(const ParsedQso& q, std::string text) {
    Add(FindingSeverity::kWarning, q.line, &q, std::move(text));
  }
  std::vector<FileFinding> Take() { return std::move(findings_); }

private:
  void Add(FindingSeverity severity, int line, const ParsedQso* q, std::string text) {
    FileFinding f;
    f.severity = severity;
    f.line = line;
    if (q != nullptr) {
      f.qso = q->number;
      f.call = q->call;
    }
    f.text = std::move(text);
    findings_.push_back(std::move(f));
  }
  std::vector<FileFinding> findings_;
};

/// The file's lines (CR LF or LF), without their ends.
std::vector<std::string> SplitFileLines(std::string_view bytes);
/// Blank-separated tokens of a line.
std::vector<std::string> SplitTokens(std::string_view line);

/// The readers: each fills `log` and adds the findings of its format's layout.
void ReadCabrillo(const std::vector<std::string>& lines, const FileCheckContext& context,
                  ParsedLog& log, FindingList& findings);
void ReadEdi(const std::vector<std::string>& lines, ParsedLog& log, FindingList& findings);
void ReadStf(const std::vector<std::string>& lines, const FileCheckContext& context, ParsedLog& log,
             FindingList& findings);
void ReadAdif(std::string_view bytes, ParsedLog& log, FindingList& findings);

/// Text in the program's language.
std::string Say(std::string_view german, std::string_view english);

/// A date "yyyymmdd" (or "yyyy-mm-dd" with `dashes`); BadDate when malformed.
DayNumber ParseDay(std::string_view text, bool dashes = false);
/// A time "hhmm" (or "hhmmss"); BadTime when malformed.
TimeOfDay ParseTime(std::string_view text);
/// True for a call a robot takes: letters and digits with at least one of each, "/" between
/// parts, 3 to 15 characters.
bool PlausibleCall(std::string_view call);
/// True when every character is a digit (and there is one).
bool AllDigits(std::string_view text);

} // namespace tarvik
