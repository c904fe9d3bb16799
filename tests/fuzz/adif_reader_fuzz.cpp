// Reads fuzzed bytes as an ADIF file, fed to the record splitter in pieces of a size taken
// from the first byte. Nothing may crash or read out of bounds; every record handed on is
// bounded, upper case, free of line ends, and reads as fields with bounded names whose
// values are parts of the record. The import's value conversions run on every value.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "logging/adif_import.h"
#include "logging/adif_reader.h"

namespace {

using namespace tarvik;

void CheckRecord(std::string_view record) {
  if (record.size() > kMaxAdifRecordText)
    std::abort();
  for (char c : record)
    if (c == '\n' || c == '\r' || (c >= 'a' && c <= 'z'))
      std::abort();
  for (const AdifField& field : ParseAdifRecord(record)) {
    if (field.name.empty() || field.name.size() > kMaxAdifFieldName ||
        field.name.find_first_of("<>: ") != std::string::npos)
      std::abort();
    if (field.value.size() > record.size())
      std::abort();
    (void)AdifDateText(field.value);
    (void)AdifTimeText(field.value);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::size_t piece = 1 + data[0] % 64;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::size_t records = 0;
  AdifRecordSplitter splitter(
      [&](std::string_view record) {
        ++records;
        CheckRecord(record);
      },
      [](AdifDrop) {});
  for (std::size_t i = 0; i < text.size(); i += piece)
    splitter.Feed(text.substr(i, piece));
  splitter.Finish();

  // Fed at once through the stream reader, the same records come out.
  std::istringstream in{std::string(text)};
  const AdifFileScan scan = ScanAdifStream(in);
  if (scan.records > records || scan.fieldNames.size() > kMaxAdifFieldNames)
    std::abort();

  ContestDefinition def;
  def.Modes = {"SSB", "CW", "DIGITAL"};
  def.Bands = "abk";
  (void)AdifModeAccepted(def, text.substr(0, 16));
  (void)AdifBandAccepted(def, text.substr(0, 12), text.substr(0, 8));
  return 0;
}
