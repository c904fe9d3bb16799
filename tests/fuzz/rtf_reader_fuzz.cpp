// Feeds arbitrary bytes to the RTF reader: it must neither crash nor read out of bounds,
// and what it produces stays in proportion to its input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const tarvik::RtfDocument doc = tarvik::ReadRtf(input);
  size_t text = 0;
  for (const auto& p : doc.paragraphs)
    text += p.Text().size() + 1;
  if (text > 2 * size + 2)
    std::abort();
  // Also as a document body, so that the RTF path is taken for every input.
  const std::string wrapped = "{\\rtf1 " + std::string(input) + "}";
  (void)tarvik::ReadRtf(wrapped);
  return 0;
}
