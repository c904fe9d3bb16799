#include "recordfile/record_view.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tarvik {

namespace {

std::uint32_t LoadLe(const char* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = (v << 8) | static_cast<unsigned char>(p[i]);
  return v;
}

void StoreLe(char* p, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    p[i] = static_cast<char>(v & 0xFF);
    v >>= 8;
  }
}

} // namespace

std::int32_t RecordView::I32At(int offset) const {
  return Fits(offset, 4) ? static_cast<std::int32_t>(LoadLe(in_ + offset, 4)) : 0;
}

std::uint16_t RecordView::U16At(int offset) const {
  return Fits(offset, 2) ? static_cast<std::uint16_t>(LoadLe(in_ + offset, 2)) : 0;
}

float RecordView::F32At(int offset) const {
  return Fits(offset, 4) ? std::bit_cast<float>(LoadLe(in_ + offset, 4)) : 0.0f;
}

std::uint8_t RecordView::ByteAt(int offset) const {
  return Fits(offset, 1) ? static_cast<std::uint8_t>(in_[offset]) : 0;
}

std::string RecordView::StrAt(int offset, int capacity) const {
  if (capacity < 0 || !Fits(offset, 1))
    return {};
  int length = std::min<int>(static_cast<unsigned char>(in_[offset]), capacity);
  // A field cut off by the end of the buffer yields what is there.
  length = std::min<int>(length, static_cast<int>(size_) - offset - 1);
  return std::string(in_ + offset + 1, static_cast<std::size_t>(length));
}

void RecordView::SetI32At(int offset, std::int32_t value) {
  if (char* p = Out(offset, 4))
    StoreLe(p, static_cast<std::uint32_t>(value), 4);
}

void RecordView::SetU16At(int offset, std::uint16_t value) {
  if (char* p = Out(offset, 2))
    StoreLe(p, value, 2);
}

void RecordView::SetF32At(int offset, float value) {
  if (char* p = Out(offset, 4))
    StoreLe(p, std::bit_cast<std::uint32_t>(value), 4);
}

void RecordView::SetByteAt(int offset, std::uint8_t value) {
  if (char* p = Out(offset, 1))
    *p = static_cast<char>(value);
}

void RecordView::SetStrAt(int offset, int capacity, std::string_view text) {
  char* p = Out(offset, capacity + 1);
  if (p == nullptr || capacity < 0)
    return;
  const std::size_t length = std::min<std::size_t>(text.size(), static_cast<std::size_t>(capacity));
  p[0] = static_cast<char>(length);
  if (length > 0)
    std::memcpy(p + 1, text.data(), length);
  std::memset(p + 1 + length, 0, static_cast<std::size_t>(capacity) - length);
}

std::string KeyPad(std::string_view text, int n) {
  if (n <= 0)
    return {};
  std::string out(text.substr(0, static_cast<std::size_t>(n)));
  out.resize(static_cast<std::size_t>(n), ' ');
  return out;
}

std::string KeyLeftPad(std::string_view text, int n) {
  if (static_cast<int>(text.size()) >= n)
    return std::string(text);
  return std::string(static_cast<std::size_t>(n) - text.size(), ' ') + std::string(text);
}

} // namespace tarvik
