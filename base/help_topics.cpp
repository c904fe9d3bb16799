#include "base/help_topics.h"

#include <filesystem>
#include <iterator>
#include <system_error>

#include "base/cp1252.h"
#include "base/process_settings.h"
#include "base/shared_files.h"
#include "base/text_helpers.h"

namespace tarvik {

namespace {

struct TopicRow {
  int topic;
  const char* page;
  const char* anchor;
};

// Every topic a window sends, and where the manual answers it. Pages and anchors are the
// same in both languages.
constexpr TopicRow kTopics[] = {
    {kHelpContentsTopic, kManualContentsPage, ""},
    {kMainWindowHelpTopic, "contest-list.html", ""},
    {kHeaderWindowHelpTopic, "header.html", ""},
    {kOutputsHelpTopic, "outputs.html", ""},
    {kRulesHelpTopic, "header.html", "rules"},
    {kLogWindowHelpTopic, "logging.html", ""},
    {kQsoChangeHelpTopic, "correcting.html", ""},
    {kQsoListsHelpTopic, "lists.html", ""},
    {kContestNoteHelpTopic, "lists.html", "note"},
    {kPartyEvaluationHelpTopic, "lists.html", "party"},
    {kAdifImportHelpTopic, "adif-import.html", ""},
    {kPrefixChoiceHelpTopic, "country-data.html", "choice"},
    {kCatHelpTopic, "logging.html", "cat"},
};

std::string LanguageFolder(bool german) {
  return german ? "de" : "en";
}

bool HoldsContents(const std::string& dir) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::path(dir) / kManualContentsPage, ec);
}

} // namespace

ManualLocation ManualLocationOfTopic(int topic) {
  for (const TopicRow& row : kTopics)
    if (row.topic == topic)
      return {row.page, row.anchor};
  return {kManualContentsPage, ""};
}

std::vector<int> KnownHelpTopics() {
  std::vector<int> topics;
  topics.reserve(std::size(kTopics));
  for (const TopicRow& row : kTopics)
    topics.push_back(row.topic);
  return topics;
}

std::vector<std::string> ManualDirectoryCandidates(bool german) {
  std::vector<std::string> dirs;
  for (const std::string& shared : SharedFilesDirectories())
    dirs.push_back((std::filesystem::path(shared) / "manual" / LanguageFolder(german)).string());
  return dirs;
}

std::string FindManualDirectory() {
  for (bool german : {IsGerman(), !IsGerman()})
    for (const std::string& dir : ManualDirectoryCandidates(german))
      if (HoldsContents(dir))
        return dir;
  return std::string();
}

std::string ManualMissingMessage() {
  std::string folders;
  for (const std::string& dir : ManualDirectoryCandidates(IsGerman()))
    folders += (folders.empty() ? "" : ", ") + FileSystemNameToText(dir);
  return ChooseText("Das Handbuch wurde nicht gefunden. Es gehört in den Ordner "
                    "share/tarvik/manual neben dem Programm (gesucht in: " +
                        folders + ").",
                    "The manual was not found. It belongs in the folder share/tarvik/manual "
                    "beside the program (looked for in: " +
                        folders + ").");
}

} // namespace tarvik
