#include "datafiles/prefix_record.h"

#include "base/strings.h"
#include "recordfile/key_codec.h"

namespace tarvik {

std::string PrefixKey(const char* record, int key) {
  const PrefixRecord r(record);
  const std::string prefix = KeyPad(r.prefix(), 6);
  switch (key) {
  case 1:
    return prefix;
  case 2:
    return KeyPad(r.dxccPrefix(), 6) + prefix;
  case 3:
    return prefix + KeyPad(r.area(), 3);
  case 4:
    return KeyPad(r.cqZone(), 2) + prefix;
  case 5:
    return KeyPad(r.ituZone(), 2) + prefix;
  case 6:
    return KeyPad(r.continent(), 2) + prefix;
  case 7:
    return KeyPad(UpCase(r.countryName()), 30) + prefix;
  case 8:
    return KeyPad(r.field62(), 8) + prefix;
  case 9:
    return KeyPad(r.alternativePrefix(), 6);
  case 10: {
    const unsigned char c = static_cast<unsigned char>(r.classChar());
    const char classChar = c == '*' ? 2 : (c > 'I' ? 1 : 0);
    return std::string(1, classChar) + prefix;
  }
  case 11:
    return KeyPad(r.aliasPrefix(), 6);
  case 12:
    return KeyPad(r.formerPrefix(), 6);
  case 13:
    return NumKey5(r.entityNumber());
  case 14:
    return std::string(1, r.classChar()) + prefix;
  default:
    return {};
  }
}

} // namespace tarvik
