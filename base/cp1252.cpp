#include "base/cp1252.h"

namespace tarvik {

namespace {

// Bytes 0x80..0x9F. The undefined bytes keep their own number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

char16_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F)
    return kHighControls[byte - 0x80];
  return byte;
}

int UnicodeToCp1252(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
    return static_cast<int>(ch);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == ch)
      return 0x80 + i;
  return -1;
}

std::string FileSystemNameToText(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    const auto lead = static_cast<unsigned char>(name[i]);
    int extra = 0;
    char32_t ch = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      ch = lead & 0x07;
    } else if (lead >= 0xE0) {
      extra = lead <= 0xEF ? 2 : -1;
      ch = lead & 0x0F;
    } else if (lead >= 0xC2) {
      extra = 1;
      ch = lead & 0x1F;
    } else if (lead >= 0x80) {
      extra = -1;
    }
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= name.size())
      return std::string(name); // not UTF-8
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(name[i + static_cast<std::size_t>(k)]);
      if ((c & 0xC0) != 0x80)
        return std::string(name);
      ch = (ch << 6) | (c & 0x3F);
    }
    const int byte = UnicodeToCp1252(ch);
    out += byte < 0 ? '?' : static_cast<char>(byte);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string TerminalText(std::string_view text) {
  std::string out;
  for (const unsigned char c : text) {
    const char32_t code = Cp1252ToUnicode(c);
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0 && code == c)) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

} // namespace tarvik
