#pragma once
// Key strings and the two number encodings that keys are built from. Keys are byte strings
// of at most 50 bytes compared as unsigned bytes, a shorter key before a longer one with
// the same beginning.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tarvik {

/// NumKey5: a signed 32-bit value as 5 bytes whose byte order equals the signed numeric
/// order. Byte 1 = ((v >> 24) AND 0xF0) XOR 0x80, OR 0x01; bytes 2..5 = 0x80 OR the 7-bit
/// groups of bits 27-21, 20-14, 13-7 and 6-0. Every byte is at least 0x01 (0x80 for 2..5).
std::string NumKey5(std::int32_t value);

/// Decodes the first 5 bytes of `bytes` (REQUIRES: bytes.size() >= 5). Bits that a
/// correct encoding never sets are ignored, so any 5 bytes decode to some value.
std::int32_t DecodeNumKey5(std::string_view bytes);

/// Long4: the 4 bytes of a 32-bit value, most significant first (no sign adjustment).
std::string Long4(std::int32_t value);

/// Decodes the first 4 bytes of `bytes` (REQUIRES: bytes.size() >= 4).
std::int32_t DecodeLong4(std::string_view bytes);

/// Key order: <0, 0, >0 as `a` sorts before, equal to or after `b`.
inline int CompareKeys(const void* a, std::size_t aLen, const void* b, std::size_t bLen) {
  const std::size_t n = aLen < bLen ? aLen : bLen;
  if (n != 0) {
    if (const int c = std::memcmp(a, b, n); c != 0)
      return c;
  }
  return aLen < bLen ? -1 : (aLen > bLen ? 1 : 0);
}

inline int CompareKeys(std::string_view a, std::string_view b) {
  return CompareKeys(a.data(), a.size(), b.data(), b.size());
}

} // namespace tarvik
