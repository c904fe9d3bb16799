// Fills the three prefix tables with fuzzed entries and looks up fuzzed calls and prefixes,
// with the ambiguity option on and a chooser that takes a row. Whatever the entries hold
// (length bytes, wildcards and range characters anywhere, redirection loops, dates), a
// lookup must end, stay in bounds and leave a well-formed buffer.
//
// Input: byte 0 = number of entries (mod 40); then per entry one table byte (mod 3) and
// 180 bytes of the record after its status word; the rest, split at newlines, are calls.

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "base/data_directory.h"
#include "country/prefix_choice.h"
#include "country/prefix_lookup.h"
#include "datafiles/prefix_record.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/fileblock.h"
#include "recordfile/memory_file_io.h"

namespace {

using namespace tarvik;

class FixedClock final : public Clock {
public:
  DateTime LocalNow() const override { return {2024, 5, 1, 12, 0, 0, 0}; }
  std::optional<int> ZoneCorrectionSeconds() const override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1)
    return 0;
  MemoryFileIo io;
  RecordFileErrors().SetWaitFunction([](int) {});
  RecordFileErrors().SetQuestion(nullptr);
  SetDataDirectory("/fuzz/");
  if (InitEngine(16, 32, &io) != 0)
    return 0;
  PrefixTables tables = OpenPrefixTables();
  Fileblock* byNumber[3] = {tables.main, tables.callExceptions, tables.startExceptions};

  const std::size_t entries = data[0] % 40;
  std::size_t at = 1;
  constexpr std::size_t kEntryBytes = 1 + PrefixRecord::kLength - 4;
  for (std::size_t i = 0; i < entries && at + kEntryBytes <= size; ++i, at += kEntryBytes) {
    Fileblock* table = byNumber[data[at] % 3];
    if (table == nullptr)
      continue;
    char* buffer = table->RecordBuffer();
    std::memset(buffer, 0, 4);
    std::memcpy(buffer + 4, data + at + 1, PrefixRecord::kLength - 4);
    (void)table->Add();
  }

  std::vector<std::string> calls;
  std::string current;
  for (; at < size; ++at) {
    if (data[at] == '\n') {
      calls.push_back(current);
      current.clear();
    } else if (current.size() < 20) {
      current += static_cast<char>(data[at]);
    }
  }
  calls.push_back(current);

  FixedClock clock;
  PrefixLookup lookup(tables, clock);
  SetPrefixAmbiguityOption(data[0] & 0x80);
  lookup.SetChooser([](PrefixChoice& c) {
    c.MarkPrevious();
    return c.Take();
  });
  for (std::size_t i = 0; i < calls.size() && i < 16; ++i) {
    const DayNumber date = static_cast<DayNumber>(i * 30000);
    (void)lookup.LookUpPrefix(calls[i], date, (i & 1) == 0);
    (void)lookup.Entry().prefix();
    (void)lookup.DxccNumber(calls[i]);
    PrefixChoice choice(lookup, calls[i], date, calls[i]);
    choice.MarkNext();
    (void)choice.Take();
  }
  SetPrefixAmbiguityOption(false);
  ClosePrefixTables(tables);
  (void)ExitEngine(); // only crashes matter here
  return 0;
}
