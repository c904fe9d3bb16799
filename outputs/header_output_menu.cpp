#include "outputs/header_output_menu.h"

#include "contest/contest_catalog.h"
#include "contest/contest_traits.h"
#include "outputs/output_run.h"

namespace tarvik {

std::vector<OutputMenuItem> HeaderOutputMenu(const ContestDefinition& definition,
                                             char contestCode) {
  namespace k = output_kind;
  auto item = [&](const char* name, int bit, int kind) {
    OutputMenuItem i;
    i.name = name;
    i.caption = OutputMenuCaption(bit);
    i.kind = kind;
    i.enabled = definition.OffersOutput(bit);
    return i;
  };
  auto always = [](const char* name, const char* caption, int kind) {
    return OutputMenuItem{name, caption, kind, true, false};
  };
  const bool party = TraitsOf(contestCode).wholeLogIsStf;
  std::vector<OutputMenuItem> menu = {
      item("DruckSTF", output::kStfFile, k::kStfFile),
      item("DruckEDI", output::kEdiFile, k::kEdiFile),
      always("ELogGesamtdatei1", "E-Log Gesamtdatei", party ? k::kStfFile : k::kELogWhole),
      item("DruckELogDeckblatt", output::kELogCover, k::kELogCover),
      item("DruckELogListe", output::kELogQsoList, k::kELogQsoList),
      item("DruckEBandliste", output::kELogBandList, k::kELogBandList),
      item("DruckEMultiliste", output::kELogMultiCheck, k::kELogMultiCheck),
      item("DruckCabrillo", output::kCabrillo, k::kCabrilloFile),
      item("DruckADIF", output::kAdifExport, k::kAdifFile),
      always("DruckCSV", "CSV- Exportdatei der QSO-Liste", k::kCsvFile),
      item("DruckPapierDeckblatt", output::kPaperCover, k::kPaperCover),
      item("DruckPapierListe", output::kPaperQsoList, k::kPaperQsoList),
      item("DruckPapierBandliste", output::kPaperBandList, k::kPaperBandList),
      item("DruckPapierMultiListe", output::kPaperMultiCheck, k::kPaperMultiCheck),
  };
  menu[0].caption = menu[0].enabled ? "STF-Datei (empfohlen)" : "STF-Datei";
  menu[1].caption = menu[1].enabled ? "EDI-Datei (empfohlen)" : "EDI-Datei";
  menu[1].separatorAfter = true; // after "EDI-Datei"
  menu[7].separatorAfter = true; // after "Cabrillo-Datei"
  menu[9].separatorAfter = true; // after "CSV- Exportdatei der QSO-Liste"
  return menu;
}

} // namespace tarvik
