#include "country/country_data_tool.h"

#include "country/country_import.h"
#include "datafiles/program_files.h"
#include "recordfile/tool_engine.h"

namespace tarvik {

namespace {

struct Arguments {
  std::string file;
  std::string dataDir;
  bool ifEmpty = false;
};

bool Parse(const std::vector<std::string>& args, Arguments* a, std::ostream& err) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--if-empty") {
      a->ifEmpty = true;
    } else if (args[i] == "--data" && i + 1 < args.size()) {
      a->dataDir = args[++i];
    } else if (!args[i].empty() && args[i][0] != '-' && a->file.empty()) {
      a->file = args[i];
    } else {
      err << "tarvik-tool " << args[0] << ": unexpected argument '" << args[i] << "'\n";
      return false;
    }
  }
  return true;
}

int ImportCty(const Arguments& a, std::ostream& out, std::ostream& err) {
  const std::string file =
      !a.file.empty() ? a.file : FirstReadableFile({kDebianCountryCsv, kDebianCountryDat});
  if (file.empty()) {
    err << "tarvik-tool import-cty: no country file (" << kDebianCountryCsv
        << " is missing; install hamradio-files or name a file)\n";
    return 1;
  }
  return RunWithDataEngine(a.dataDir, err, [&] {
    if (a.ifEmpty && !PrefixTableEmpty()) {
      out << "KXPREFIX holds data already: nothing imported\n";
      return 0;
    }
    const CountryImportResult r = ImportCountryFile(file);
    if (!r.ok) {
      err << "tarvik-tool import-cty: " << r.error << "\n";
      return 1;
    }
    out << "imported " << file << ": " << r.countries << " countries, " << r.prefixes
        << " prefixes into KXPREFIX, " << r.wholeCalls << " whole calls into KXPREFEE\n";
    if (r.callsLeftOut > 0)
      out << r.callsLeftOut
          << " whole calls left out (longer than 6 characters or with a portable addition)\n";
    if (r.choicesKept > 0)
      out << r.choicesKept << " entries of the prefix choice kept in KXPREFEE\n";
    if (r.withoutEntityNumber > 0)
      out << r.withoutEntityNumber << " countries without DXCC entity number\n";
    if (r.badRecords > 0)
      out << r.badRecords << " unreadable lines or records skipped\n";
    return 0;
  });
}

int ImportDok(const Arguments& a, std::ostream& out, std::ostream& err) {
  const std::string file = !a.file.empty() ? a.file : FirstReadableFile({kDebianDokHistory});
  if (file.empty()) {
    err << "tarvik-tool import-dok-history: no DOK history file (" << kDebianDokHistory
        << " is missing; install hamradio-files or name a file)\n";
    return 1;
  }
  return RunWithDataEngine(a.dataDir, err, [&] {
    if (a.ifEmpty && !CallBookEmpty()) {
      out << "KXCBUCH holds data already: nothing imported\n";
      return 0;
    }
    const DokImportResult r = ImportDokHistoryFile(file);
    if (!r.ok) {
      err << "tarvik-tool import-dok-history: " << r.error << "\n";
      return 1;
    }
    out << "imported " << file << ": " << r.calls << " calls with DOK, " << r.added
        << " added to KXCBUCH, " << r.filled << " DOKs filled in, " << r.kept
        << " DOKs kept as they were, " << r.skipped << " lines skipped\n";
    return 0;
  });
}

} // namespace

int RunCountryDataToolCommand(const std::vector<std::string>& args, std::ostream& out,
                              std::ostream& err) {
  if (args.empty() || (args[0] != "import-cty" && args[0] != "import-dok-history"))
    return -1;
  Arguments a;
  if (!Parse(args, &a, err))
    return 2;
  return args[0] == "import-cty" ? ImportCty(a, out, err) : ImportDok(a, out, err);
}

const char* CountryDataToolUsage() {
  return "  import-cty [FILE] [--if-empty] [--data DIR]\n"
         "                        fill the prefix tables from a country file (cty.csv or\n"
         "                        cty.dat; default: Debian's hamradio-files)\n"
         "                        e.g. tarvik-tool import-cty cty.csv --data ~/tarvik\n"
         "  import-dok-history [FILE] [--if-empty] [--data DIR]\n"
         "                        add the DOKs of a DOK history file to the call book\n"
         "                        (default: Debian's WAG_call_history.txt)\n"
         "                        e.g. tarvik-tool import-dok-history --if-empty\n";
}

} // namespace tarvik
