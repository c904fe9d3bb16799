#pragma once
// The rules of a contest: either the organiser's page in the browser, or a rules document
// of the data directory shown in the rules window. Which one, and which file or address,
// the catalog says for each contest code.

#include <functional>
#include <string>

#include "base/rtf_reader.h"
#include "base/user_dialogs.h"

namespace tarvik {

/// The rules document shown for codes that have neither a document nor a page of their own.
inline constexpr const char* kFallbackRulesFile = "MVPR.RTF";

/// The text OpenAddress hands to the operating system: every slashed zero (byte 216) of a
/// call sign becomes "0", and a mail address without "mailto" (in any letter case) gets
/// "mailto:" in front.
std::string AddressForOpening(const std::string& text);

/// Opens a web page or mail address with the desktop's program. A page that cannot be
/// opened is the browser's concern: nothing is reported.
void OpenAddress(const std::string& text, UserDialogs& dialogs);

/// What the rules of a code are at hand as: the code's rules document in the data directory,
/// else the organiser's page, else nothing.
enum class RulesAtHand { kDocument, kWebPage, kNone };
RulesAtHand RulesAvailability(char code);

/// The message for a code whose rules are not at hand: its document is not in the data
/// directory and no address of the organiser is known.
std::string NoRulesKnownMessage(char code);

/// Shows the rules of a contest code: its rules document, when the data directory holds it,
/// by calling `showDocument` with its file name; else the organiser's page through
/// OpenAddress (asking "English?" where the organiser has an English page as well); else
/// NoRulesKnownMessage. A character that is no catalog code shows kFallbackRulesFile.
void ShowRules(char code, UserDialogs& dialogs,
               const std::function<void(const std::string& fileName)>& showDocument);

/// Reads a rules document from the data directory (letter case of the name ignored). A file
/// that cannot be read is reported through `dialogs` with the reason, and gives an empty
/// document.
[[nodiscard]] RtfDocument LoadRulesDocument(const std::string& fileName, UserDialogs& dialogs);

} // namespace tarvik
