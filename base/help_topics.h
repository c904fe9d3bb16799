#pragma once
// Help topics and the program's manual. F1 and the "Hilfe" buttons ask for a topic number
// (the window's HelpContext); the table in help_topics.cpp maps each number to a page of
// the manual and a section on it. The manual is a set of HTML pages in two languages,
// installed with the program (shared_files.h): <shared>/manual/de/*.html and
// <shared>/manual/en/*.html, with the same page names in both.

#include <string>
#include <vector>

namespace tarvik {

/// The contents of the manual.
inline constexpr int kHelpContentsTopic = 1;
/// The main window with the list of contests (its F1 and "Hilfe").
inline constexpr int kMainWindowHelpTopic = 310110018;
/// The contest header window.
inline constexpr int kHeaderWindowHelpTopic = 310110020;
/// The outputs of the header window's "Drucken / E-Log" menu, the participant dialog and
/// the file editor.
inline constexpr int kOutputsHelpTopic = 310110021;
/// The rules viewer.
inline constexpr int kRulesHelpTopic = 310110022;
/// The log window.
inline constexpr int kLogWindowHelpTopic = 310110030;
/// Changing and deleting stored QSOs: the log list and the dialog "QSO ändern".
inline constexpr int kQsoChangeHelpTopic = 310110031;
/// The QSO list windows: band log, call search, correction list.
inline constexpr int kQsoListsHelpTopic = 310110032;
/// The contest note.
inline constexpr int kContestNoteHelpTopic = 310110033;
/// The party evaluation.
inline constexpr int kPartyEvaluationHelpTopic = 310110034;
/// The ADIF import window.
inline constexpr int kAdifImportHelpTopic = 310110035;
/// The choice among several countries of one prefix ("Auswahl DXCC").
inline constexpr int kPrefixChoiceHelpTopic = 310110036;
/// The radio control of the log window and its settings ("CAT-Einstellungen").
inline constexpr int kCatHelpTopic = 310110037;

/// Where a topic is in the manual.
struct ManualLocation {
  std::string page;   ///< file name of the page, e.g. "logging.html"
  std::string anchor; ///< section on the page ("" for the top of the page)
};

/// The section of `topic`; an unknown topic gives the contents page.
ManualLocation ManualLocationOfTopic(int topic);

/// Every topic the table knows, in table order.
std::vector<int> KnownHelpTopics();

/// The page that opens the manual (its contents).
inline constexpr const char* kManualContentsPage = "index.html";

/// The folders the manual of a language is looked for in: <shared>/manual/de (or /en) in
/// every folder shared_files.h names, in its order.
std::vector<std::string> ManualDirectoryCandidates(bool german);

/// The folder of the manual in the current language (the language flag), else in the other
/// language; "" when no folder holds the manual's contents page.
std::string FindManualDirectory();

/// The message when the manual cannot be found; it names the folders looked in.
std::string ManualMissingMessage();

} // namespace tarvik
