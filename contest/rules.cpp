#include "contest/rules.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "base/data_directory.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/contest_catalog.h"

namespace tarvik {

namespace {

constexpr char kSlashedZero = '\xD8';

std::string FileErrorReason(int error) {
  switch (error) {
  case ENOENT:
    return ChooseText("Die Datei wurde nicht gefunden.", "The file was not found.");
  case EACCES:
  case EPERM:
    return ChooseText("Zugriff verweigert.", "Access denied.");
  case EISDIR:
    return ChooseText("Das ist ein Verzeichnis.", "It is a directory.");
  default:
    return std::strerror(error);
  }
}

} // namespace

std::string AddressForOpening(const std::string& text) {
  std::string address = text;
  for (char& c : address)
    if (c == kSlashedZero)
      c = '0';
  if (address.find('@') != std::string::npos && UpCase(address).find("MAILTO") == std::string::npos)
    address = "mailto:" + address;
  return address;
}

void OpenAddress(const std::string& text, UserDialogs& dialogs) {
  // A page that cannot be opened is the browser's concern: nothing is reported.
  (void)dialogs.OpenDocument(AddressForOpening(text));
}

namespace {

bool DocumentAtHand(const char* fileName) {
  struct stat info {};
  return fileName != nullptr && ::stat(FindDataFile(fileName).c_str(), &info) == 0 &&
         S_ISREG(info.st_mode);
}

} // namespace

RulesAtHand RulesAvailability(char code) {
  const ContestIdentity* id = FindContestIdentity(code);
  if (id == nullptr)
    return RulesAtHand::kNone;
  if (DocumentAtHand(id->rulesFile))
    return RulesAtHand::kDocument;
  if (id->rulesWeb != nullptr || id->rulesWebEnglish != nullptr)
    return RulesAtHand::kWebPage;
  return RulesAtHand::kNone;
}

std::string NoRulesKnownMessage(char code) {
  const ContestIdentity* id = FindContestIdentity(code);
  const std::string title = id != nullptr && id->title != nullptr ? id->title : "";
  const std::string file = id != nullptr && id->rulesFile != nullptr ? id->rulesFile : "";
  return ChooseText("Für den Contest \"" + title +
                        "\" liegt keine Ausschreibung vor: die Datei \"" + file +
                        "\" fehlt im Datenverzeichnis, und eine Internetadresse ist nicht "
                        "bekannt.",
                    "No rules are at hand for the contest \"" + title + "\": the file \"" + file +
                        "\" is not in the data directory, and no web address is known.");
}

void ShowRules(char code, UserDialogs& dialogs,
               const std::function<void(const std::string& fileName)>& showDocument) {
  const ContestIdentity* id = FindContestIdentity(code);
  if (id == nullptr) {
    showDocument(kFallbackRulesFile);
    return;
  }
  switch (RulesAvailability(code)) {
  case RulesAtHand::kDocument:
    showDocument(id->rulesFile);
    return;
  case RulesAtHand::kWebPage:
    if (id->rulesWebEnglish != nullptr) {
      OpenAddress(dialogs.Confirm("English?") ? id->rulesWebEnglish
                                              : (id->rulesWeb ? id->rulesWeb : id->rulesWebEnglish),
                  dialogs);
    } else {
      OpenAddress(id->rulesWeb, dialogs);
    }
    return;
  case RulesAtHand::kNone:
    dialogs.Inform(NoRulesKnownMessage(code));
    return;
  }
}

RtfDocument LoadRulesDocument(const std::string& fileName, UserDialogs& dialogs) {
  const std::string path = FindDataFile(fileName);
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  struct stat info {};
  int error = 0;
  if (!in) {
    error = errno != 0 ? errno : ENOENT;
  } else if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    error = EISDIR;
  }
  if (error != 0) {
    dialogs.Inform(ChooseText("Die Datei \"" + fileName + "\" kann nicht geöffnet werden. ",
                              "Cannot open the file \"" + fileName + "\". ") +
                   FileErrorReason(error));
    return {};
  }
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ReadRtf(data);
}

} // namespace tarvik
