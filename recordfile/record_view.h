#pragma once
// The base of the typed record accessors: named fields at fixed offsets of a record buffer
// (records.h and the files beside it define one class per layout). Integers are
// little-endian; a short string is a length byte followed by its capacity of characters.
//
// Nothing read is trusted: a length byte above the field's capacity reads as the capacity,
// and a field that would lie outside the buffer reads as zero or empty and is never
// written. Writing a field touches only its own bytes, so bytes the program does not
// interpret survive a rewrite of the record; a string's unused capacity is zeroed.
//
// A view does not own the buffer. A view made from a const buffer is read-only: its
// setters must not be called (they assert in debug builds and do nothing otherwise).

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

class RecordView {
public:
  RecordView(char* data, std::size_t size) : in_(data), out_(data), size_(size) {}
  RecordView(const char* data, std::size_t size) : in_(data), size_(size) {}

  const char* data() const { return in_; }
  std::size_t size() const { return size_; }
  bool writable() const { return out_ != nullptr; }

  // Raw access for fields that later code names, and for tests and tools.
  std::int32_t I32At(int offset) const;
  std::uint16_t U16At(int offset) const;
  std::int16_t I16At(int offset) const { return static_cast<std::int16_t>(U16At(offset)); }
  float F32At(int offset) const;
  std::uint8_t ByteAt(int offset) const;
  char CharAt(int offset) const { return static_cast<char>(ByteAt(offset)); }
  bool BoolAt(int offset) const { return ByteAt(offset) != 0; }
  /// The short string at `offset` with room for `capacity` characters.
  std::string StrAt(int offset, int capacity) const;

  void SetI32At(int offset, std::int32_t value);
  void SetU16At(int offset, std::uint16_t value);
  void SetF32At(int offset, float value);
  void SetByteAt(int offset, std::uint8_t value);
  void SetCharAt(int offset, char value) { SetByteAt(offset, static_cast<std::uint8_t>(value)); }
  /// Writes 255 for true and 0 for false (the program's form of "yes" in flags).
  void SetBoolAt(int offset, bool value) { SetByteAt(offset, value ? 255 : 0); }
  /// Stores `text` cut to `capacity` characters; the rest of the field becomes zero.
  void SetStrAt(int offset, int capacity, std::string_view text);

private:
  bool Fits(int offset, int bytes) const {
    return offset >= 0 && bytes >= 0 &&
           static_cast<std::size_t>(offset) + static_cast<std::size_t>(bytes) <= size_;
  }
  char* Out(int offset, int bytes) {
    assert(out_ != nullptr && "setter called on a read-only record view");
    return out_ != nullptr && Fits(offset, bytes) ? out_ + offset : nullptr;
  }

  const char* in_;
  char* out_ = nullptr;
  std::size_t size_;
};

/// Pad(s, n) of the key notation: `s` cut or right-padded with blanks to exactly n bytes.
std::string KeyPad(std::string_view text, int n);
/// LeftPad(s, n): `s` right-aligned in n bytes with leading blanks (never cut).
std::string KeyLeftPad(std::string_view text, int n);
/// A key cut to its declared length.
inline std::string CutKey(std::string key, int length) {
  if (key.size() > static_cast<std::size_t>(length))
    key.resize(static_cast<std::size_t>(length));
  return key;
}

} // namespace tarvik
