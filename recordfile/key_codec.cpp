#include "recordfile/key_codec.h"

namespace tarvik {

std::string NumKey5(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  std::string out(5, '\0');
  out[0] = static_cast<char>((((v >> 24) & 0xF0u) ^ 0x80u) | 0x01u);
  out[1] = static_cast<char>(0x80u | ((v >> 21) & 0x7Fu));
  out[2] = static_cast<char>(0x80u | ((v >> 14) & 0x7Fu));
  out[3] = static_cast<char>(0x80u | ((v >> 7) & 0x7Fu));
  out[4] = static_cast<char>(0x80u | (v & 0x7Fu));
  return out;
}

std::int32_t DecodeNumKey5(std::string_view bytes) {
  const auto b = [&](int i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
  };
  const std::uint32_t v = (((b(0) & 0xF0u) ^ 0x80u) << 24) | ((b(1) & 0x7Fu) << 21) |
                          ((b(2) & 0x7Fu) << 14) | ((b(3) & 0x7Fu) << 7) | (b(4) & 0x7Fu);
  return static_cast<std::int32_t>(v);
}

std::string Long4(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  std::string out(4, '\0');
  out[0] = static_cast<char>(v >> 24);
  out[1] = static_cast<char>(v >> 16);
  out[2] = static_cast<char>(v >> 8);
  out[3] = static_cast<char>(v);
  return out;
}

std::int32_t DecodeLong4(std::string_view bytes) {
  const auto b = [&](int i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
  };
  return static_cast<std::int32_t>((b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3));
}

} // namespace tarvik
