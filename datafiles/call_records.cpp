#include "datafiles/call_records.h"

namespace tarvik {

namespace {

struct FieldAt {
  int offset;
  int capacity;
};

// Call book fields 1..17 by number; capacity 0 marks number 14, which is no field.
constexpr FieldAt kCallBookFields[CallBookRecord::kFields + 1] = {
    {0, 0},    {29, 6},   {22, 6},   {96, 10},  {43, 20},  {107, 4}, {299, 8}, {15, 6},  {233, 10},
    {244, 10}, {255, 10}, {266, 10}, {277, 10}, {288, 10}, {0, 0},   {64, 20}, {85, 10}, {112, 120},
};

// Call list fields 1..7; field 4 is a single character (capacity -1).
constexpr FieldAt kCallListFields[CallListRecord::kFields + 1] = {
    {0, 0}, {15, 5}, {21, 5}, {27, 9}, {37, -1}, {38, 20}, {59, 5}, {65, 5},
};

} // namespace

std::string CallBookRecord::Field(int number) const {
  if (number < 1 || number > kFields)
    return {};
  const FieldAt f = kCallBookFields[number];
  return f.capacity > 0 ? StrAt(f.offset, f.capacity) : std::string();
}

void CallBookRecord::SetField(int number, std::string_view text) {
  if (number < 1 || number > kFields)
    return;
  const FieldAt f = kCallBookFields[number];
  if (f.capacity > 0)
    SetStrAt(f.offset, f.capacity, text);
}

std::string CallListRecord::Field(int number) const {
  if (number < 1 || number > kFields)
    return {};
  const FieldAt f = kCallListFields[number];
  if (f.capacity < 0) {
    const char c = CharAt(f.offset);
    return c == 0 ? std::string() : std::string(1, c);
  }
  return StrAt(f.offset, f.capacity);
}

void CallListRecord::SetField(int number, std::string_view text) {
  if (number < 1 || number > kFields)
    return;
  const FieldAt f = kCallListFields[number];
  if (f.capacity < 0) {
    SetCharAt(f.offset, text.empty() ? '\0' : text[0]);
  } else {
    SetStrAt(f.offset, f.capacity, text);
  }
}

std::string CallBookKey(const char* record, int key) {
  const CallBookRecord r(record);
  switch (key) {
  case 1:
    return KeyPad(r.call(), 10);
  case 2:
    return KeyPad(r.Field(1), 6);
  case 3:
    return KeyPad(r.Field(2), 6);
  case 4:
    return KeyPad(r.Field(3), 10);
  case 5:
    return KeyPad(r.Field(4), 20);
  case 6:
    return CutKey(KeyLeftPad(r.Field(5), 4), 4);
  case 7:
    return KeyPad(r.Field(6), 8) + KeyPad(r.call(), 10);
  default:
    if (key >= 8 && key <= 13)
      return KeyPad(r.Field(key), 6);
    return {};
  }
}

std::string CallListKey(const char* record, int key) {
  const CallListRecord r(record);
  switch (key) {
  case 1:
    return KeyPad(r.call(), 10);
  case 2:
    return KeyPad(r.Field(1), 5);
  case 3:
    return KeyPad(r.Field(2), 5);
  case 4:
    return KeyPad(r.Field(3), 10);
  case 5:
    return std::string(1, r.CharAt(37));
  case 6:
    return CutKey(KeyLeftPad(r.Field(6), 5), 5);
  case 7:
    return KeyPad(r.Field(7), 3);
  default:
    return {};
  }
}

} // namespace tarvik
