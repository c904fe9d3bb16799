#include "country/country_data.h"

#include "base/text_helpers.h"
#include "country/country_import.h"

namespace tarvik {

namespace {

constexpr const char* kInstalledFolder = "/usr/share/hamradio-files";

std::string N(int n) {
  return std::to_string(n);
}

std::string CountrySummary(const CountryImportResult& r) {
  return ChooseText(N(r.countries) + " Länder, " + N(r.prefixes) + " Präfixe, " + N(r.wholeCalls) +
                        " einzelne Rufzeichen.",
                    N(r.countries) + " countries, " + N(r.prefixes) + " prefixes, " +
                        N(r.wholeCalls) + " single calls.");
}

std::string DokSummary(const DokImportResult& r, const std::string& path) {
  const int dokCount = r.added + r.filled;
  return ChooseText("Aus der DOK-Liste \"" + path + "\" wurden " + N(dokCount) +
                        " DOKs in das Call-Buch übernommen.",
                    N(dokCount) + " DOKs from the DOK list \"" + path +
                        "\" have been added to the call book.");
}

std::string Reason(ImportFailure failure, bool dok) {
  switch (failure) {
  case ImportFailure::kUnreadable:
    return ChooseText("die Datei ist nicht lesbar", "the file cannot be read");
  case ImportFailure::kNoData:
    return dok ? ChooseText("sie enthält keine Rufzeichen mit DOK", "it holds no call with a DOK")
               : ChooseText("sie enthält keine Länderdaten", "it holds no country data");
  case ImportFailure::kStorage:
  case ImportFailure::kNone:
    break;
  }
  return ChooseText("die Tabellen konnten nicht geschrieben werden",
                    "the tables could not be written");
}

std::string CountryFailure(const std::string& path, ImportFailure failure) {
  const std::string error = Reason(failure, false);
  return ChooseText("Die Länderdatei \"" + path + "\" konnte nicht übernommen werden (" + error +
                        ").",
                    "The country file \"" + path + "\" could not be imported (" + error + ").");
}

std::string DokFailure(const std::string& path, ImportFailure failure) {
  const std::string error = Reason(failure, true);
  return ChooseText("Die DOK-Liste \"" + path + "\" konnte nicht übernommen werden (" + error +
                        ").",
                    "The DOK list \"" + path + "\" could not be imported (" + error + ").");
}

} // namespace

CountryDataFiles InstalledCountryDataFiles() {
  CountryDataFiles files;
  files.countryFile = FirstReadableFile({kDebianCountryCsv, kDebianCountryDat});
  files.dokHistory = FirstReadableFile({kDebianDokHistory});
  return files;
}

bool EnsureCountryData(UserDialogs& dialogs, const CountryDataFiles& files) {
  if (!PrefixTableEmpty())
    return true;
  if (files.countryFile.empty())
    return false;
  const CountryImportResult country = ImportCountryFile(files.countryFile);
  if (!country.ok) {
    dialogs.Inform(CountryFailure(files.countryFile, country.failure));
    return false;
  }
  std::string message =
      ChooseText("Die Präfixdatei war leer. Sie wurde aus der Länderdatei \"" + files.countryFile +
                     "\" gefüllt: ",
                 "The prefix file was empty. It has been filled from the country file \"" +
                     files.countryFile + "\": ") +
      CountrySummary(country);
  if (!files.dokHistory.empty()) {
    const DokImportResult dok = ImportDokHistoryFile(files.dokHistory);
    message += "\n" + (dok.ok ? DokSummary(dok, files.dokHistory)
                              : DokFailure(files.dokHistory, dok.failure));
  }
  dialogs.Inform(message);
  return !PrefixTableEmpty();
}

bool RefreshCountryData(UserDialogs& dialogs) {
  FileDialogRequest request;
  request.title = ChooseText("Länderdatei wählen", "Choose a country file");
  request.filter = ChooseText("Länderdateien (cty.csv, cty.dat)|*.csv;*.dat|Alle Dateien (*.*)|*.*",
                              "Country files (cty.csv, cty.dat)|*.csv;*.dat|All files (*.*)|*.*");
  request.defaultExtension = "csv";
  request.proposedName = "cty.csv";
  request.initialDir = kInstalledFolder;
  const std::optional<std::string> path = dialogs.AskOpenFile(request);
  if (!path)
    return false;
  const CountryImportResult r = ImportCountryFile(*path);
  if (!r.ok) {
    dialogs.Inform(CountryFailure(*path, r.failure));
    return false;
  }
  dialogs.Inform(ChooseText("Die Präfixdateien wurden aus \"" + *path + "\" neu gefüllt: ",
                            "The prefix files have been refilled from \"" + *path + "\": ") +
                 CountrySummary(r));
  return true;
}

bool RefreshDokHistory(UserDialogs& dialogs) {
  FileDialogRequest request;
  request.title = ChooseText("DOK-Liste wählen", "Choose a DOK list");
  request.filter = ChooseText("DOK-Listen (*.txt)|*.txt|Alle Dateien (*.*)|*.*",
                              "DOK lists (*.txt)|*.txt|All files (*.*)|*.*");
  request.defaultExtension = "txt";
  request.proposedName = "WAG_call_history.txt";
  request.initialDir = kInstalledFolder;
  const std::optional<std::string> path = dialogs.AskOpenFile(request);
  if (!path)
    return false;
  const DokImportResult r = ImportDokHistoryFile(*path);
  if (!r.ok) {
    dialogs.Inform(DokFailure(*path, r.failure));
    return false;
  }
  dialogs.Inform(DokSummary(r, *path));
  return true;
}

} // namespace tarvik
