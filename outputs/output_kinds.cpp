#include "outputs/output_kinds.h"

#include <array>

#include "base/strings.h"
#include "base/text_helpers.h"
#include "radio/bands.h"
#include "recordfile/failure_cause.h"

namespace tarvik {

namespace {

// clang-format off
constexpr std::array<OutputKindInfo, 14> kKinds = {{
    {1,  "Papierlog - Deckblatt",        true,   "", "", "", false, false},
    {3,  "Papierlog - Multi-Checkliste", true,   "", "", "", false, false},
    {4,  "Papierlog - Band-Liste",       true,   "", "", "", false, false},
    {5,  "Papierlog - QSO-Liste",        true,   "", "", "", false, false},
    {7,  "E-Log Deckblatt",              false, "E-Log - Deckblattdatei ",   "E-Log Deckblatt (*.SUM)|",       "SUM", false, true},
    {8,  "E-Log QSO-Liste",              false, "E-Log - Listendatei ",      "E-Log Liste (*.ALL)|",           "ALL", true,  true},
    {9,  "STF-Datei",                    false, "STF - Listendatei ",        "STF-Liste (*.STF)|",             "STF", true,  true},
    {10, "ADIF- Exportdatei",            false, "ADIF - Listendatei ",       "ADIF-Liste (*.ADI)|",            "ADI", true,  false},
    {12, "E-Log Band-Liste",             false, "E-Log - Bandlistendatei ",  "E-Log Bandliste (*.BND)|",       "BND", true,  true},
    {13, "E-Log Gesamtdatei",            false, "E-Log - Gesamtdatei ",      "E-Log Gesamtdatei (*.TXT)|",     "TXT", true,  false},
    {14, "CSV- Exportdatei",             false, "CSV - Listendatei ",        "CSV-Liste (*.CSV)|",             "CSV", true,  false},
    {15, "E-Log Multi-Checkliste",       false, "E-Log - Multi-Checkliste ", "E-Log Multicheckliste (*.txt)|", "txt", true,  false},
    {16, "EDI-Datei",                    false, "EDI - Datei ",              "EDI-Datei (*.EDI)|",             "EDI", true,  false},
    {17, "Cabrillo-Datei",               false, "Cabrillo - Datei ",         "Cabrillo-Datei (*.LOG)|",        "LOG", true,  true},
}};
// clang-format on

} // namespace

const OutputKindInfo* FindOutputKind(int kind) {
  for (const OutputKindInfo& info : kKinds)
    if (info.kind == kind)
      return &info;
  return nullptr;
}

std::string FileNameCall(std::string_view ownCall) {
  std::string call = TrimBlanks(ownCall);
  for (char& c : call)
    if (c == '/')
      c = '_';
  return call;
}

std::string FileNameCategory(std::string_view shortName) {
  std::string out;
  for (const char c : shortName) {
    switch (c) {
    case ':':
      break;
    case '.':
      out += '-';
      break;
    case '/':
    case '\\':
    case ',':
      out += '_';
      break;
    default:
      out += c;
    }
  }
  return out;
}

std::string FileNameEnding(int kind) {
  if (kind == output_kind::kELogMultiCheck)
    return "-multi.txt";
  const OutputKindInfo* info = FindOutputKind(kind);
  return info != nullptr ? "." + std::string(info->extension) : std::string();
}

std::string ProposedFileName(int kind, std::string_view ownCall,
                             std::string_view categoryShortName) {
  std::string name = FileNameCall(ownCall);
  const std::string category = FileNameCategory(categoryShortName);
  if (!category.empty())
    name += "-" + category;
  return name + FileNameEnding(kind);
}

std::string EdiBandFileName(std::string_view ownCall, char band) {
  return FileNameCall(ownCall) + "_" + BandName(band, true) + ".EDI";
}

std::string SaveLocationMessage(int kind, std::string_view ownCall) {
  const OutputKindInfo* info = FindOutputKind(kind);
  const std::string words = info != nullptr ? info->words : "";
  return "Geben Sie im folgenden Dialog an, wohin die " + words + FileNameCall(ownCall) +
         FileNameEnding(kind) + " gespeichert werden soll.";
}

std::string SaveDialogFilter(int kind, std::string_view ownCall) {
  const OutputKindInfo* info = FindOutputKind(kind);
  const std::string filter = info != nullptr ? info->filter : "";
  return filter + FileNameCall(ownCall) + FileNameEnding(kind);
}

std::string FileNotCreatedMessage(std::string_view fileName, int osError) {
  const std::string message =
      "Die Datei " + std::string(fileName) + " konnte nicht erstellt werden.";
  const std::string cause = OsErrorCauseText(osError);
  return cause.empty() ? message : message + " " + cause;
}

std::string FileCreatedMessage(std::string_view fileName) {
  return "Datei " + std::string(fileName) + " wurde erstellt.";
}

std::string FileIncompleteMessage(std::string_view fileName) {
  return ChooseText("Die Datei " + std::string(fileName) +
                        " wurde nicht erstellt: Die Logdatei konnte nicht vollständig gelesen "
                        "werden, es fehlten QSOs.",
                    "The file " + std::string(fileName) +
                        " was not created: the log file could not be read completely, QSOs "
                        "were missing.");
}

std::string PrintIncompleteMessage() {
  return ChooseText("Der Ausdruck ist unvollständig: Die Logdatei konnte nicht vollständig "
                    "gelesen werden, es fehlen QSOs.",
                    "The printout is incomplete: the log file could not be read completely, "
                    "QSOs are missing.");
}

std::string NoPrinterMessage() {
  return ChooseText("Es ist kein Drucker verfügbar.", "No printer is available.");
}

std::string PrintJobNotStartedMessage() {
  return ChooseText("Der Druckauftrag konnte nicht gestartet werden.",
                    "The print job could not be started.");
}

std::string PrintJobNotFinishedMessage() {
  return ChooseText("Der Druckauftrag konnte nicht abgeschlossen werden.",
                    "The print job could not be completed.");
}

} // namespace tarvik
