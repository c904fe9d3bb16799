// Reads fuzzed text as a country file in both formats and as a DOK history into a call
// book on an in-memory file system. Nothing may crash or read out of bounds; whatever is
// read must be bounded (prefixes and names cut, zones two digits).

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/data_directory.h"
#include "country/country_import.h"
#include "radio/cty_file.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/memory_file_io.h"

namespace {

using namespace tarvik;

void CheckBounds(const CtyFile& file) {
  for (const CtyCountry& c : file.countries) {
    if (c.cqZone.size() != 2 || c.ituZone.size() != 2 || c.continent.size() != 2 ||
        c.mainPrefix.empty() || c.mainPrefix.size() > 20 || c.name.size() > 60)
      std::abort();
    for (const CtyPrefix& p : c.prefixes) {
      if (p.text.empty() || p.text.size() > 20 || p.cqZone.size() != 2 || p.ituZone.size() != 2)
        std::abort();
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckBounds(ParseCtyCsv(text));
  CheckBounds(ParseCtyDat(text));
  (void)DetectCtyFormat(text);

  MemoryFileIo io;
  RecordFileErrors().SetWaitFunction([](int) {});
  RecordFileErrors().SetQuestion(nullptr);
  SetDataDirectory("/fuzz/");
  if (InitEngine(16, 32, &io) != 0)
    return 0;
  (void)ImportDokHistory(text);
  (void)ImportCountryData(ParseCtyFile(text));
  (void)ExitEngine(); // only crashes matter here
  return 0;
}
