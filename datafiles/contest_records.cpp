#include "datafiles/contest_records.h"

#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

struct SlotOffsets {
  int qsos, multis, points;
};

/// Where the totals of band slot 1..7 lie: slots 1-5 in three arrays, 6 and 7 on their own.
bool SlotAt(int slot, SlotOffsets* at) {
  using H = ContestHeaderRecord;
  if (slot >= 1 && slot <= 5) {
    const int i = slot - 1;
    *at = {H::kBandQsos + 2 * i, H::kBandMultis + 2 * i, H::kBandPoints + 4 * i};
    return true;
  }
  if (slot == 6) {
    *at = {H::kSlot6Qsos, H::kSlot6Multis, H::kSlot6Points};
    return true;
  }
  if (slot == 7) {
    *at = {H::kSlot7Qsos, H::kSlot7Multis, H::kSlot7Points};
    return true;
  }
  return false;
}

} // namespace

std::uint16_t ContestHeaderRecord::bandQsos(int slot) const {
  SlotOffsets at;
  return SlotAt(slot, &at) ? U16At(at.qsos) : 0;
}
void ContestHeaderRecord::SetBandQsos(int slot, std::uint16_t v) {
  if (SlotOffsets at; SlotAt(slot, &at))
    SetU16At(at.qsos, v);
}
std::uint16_t ContestHeaderRecord::bandMultis(int slot) const {
  SlotOffsets at;
  return SlotAt(slot, &at) ? U16At(at.multis) : 0;
}
void ContestHeaderRecord::SetBandMultis(int slot, std::uint16_t v) {
  if (SlotOffsets at; SlotAt(slot, &at))
    SetU16At(at.multis, v);
}
std::int32_t ContestHeaderRecord::bandPoints(int slot) const {
  SlotOffsets at;
  return SlotAt(slot, &at) ? I32At(at.points) : 0;
}
void ContestHeaderRecord::SetBandPoints(int slot, std::int32_t v) {
  if (SlotOffsets at; SlotAt(slot, &at))
    SetI32At(at.points, v);
}

std::uint16_t ContestHeaderRecord::bandColumnMultis(int column, int slot) const {
  if (slot < 1 || slot > kBandSlots || column < 1 || column > 2)
    return 0;
  return U16At((column == 1 ? kColumnMultis1 : kColumnMultis2) + 2 * (slot - 1));
}

void ContestHeaderRecord::SetBandColumnMultis(int column, int slot, std::uint16_t v) {
  if (slot < 1 || slot > kBandSlots || column < 1 || column > 2)
    return;
  SetU16At((column == 1 ? kColumnMultis1 : kColumnMultis2) + 2 * (slot - 1), v);
}

std::uint16_t ContestHeaderRecord::ColumnWidth(int column) const {
  if (column < 1 || column > kColumnWidths)
    return 0;
  return U16At(kColumnWidth1 + 2 * (column - 1));
}

void ContestHeaderRecord::SetColumnWidth(int column, std::uint16_t width) {
  if (column < 1 || column > kColumnWidths)
    return;
  SetU16At(kColumnWidth1 + 2 * (column - 1), width);
}

ContestHeaderRecord::NoteGeometry ContestHeaderRecord::noteGeometry() const {
  return {U16At(kNoteTop), U16At(kNoteLeft), U16At(kNoteWidth), U16At(kNoteHeight)};
}

void ContestHeaderRecord::SetNoteGeometry(const NoteGeometry& g) {
  SetU16At(kNoteTop, g.top);
  SetU16At(kNoteLeft, g.left);
  SetU16At(kNoteWidth, g.width);
  SetU16At(kNoteHeight, g.height);
}

void ContestHeaderRecord::MarkCreated() {
  SetByteAt(kCreation71, 255);
  SetByteAt(kCreation72, 1);
  SetByteAt(kCreation195, 255);
  SetByteAt(kCreation248, 0);
}

std::string ContestHeaderKey(const char* record, int key) {
  const ContestHeaderRecord h(record);
  switch (key) {
  case 1:
    return std::string(1, h.contestCode()) + KeyPad(h.contestName(), 25);
  case 2:
    return std::string(1, h.contestCode()) + Long4(h.dateFrom());
  case 3:
    return NumKey5(h.contestNumber());
  case 4:
    return std::string(1, static_cast<char>(h.key4Byte()));
  case 5:
    return KeyPad(h.contestName(), 25);
  default:
    return {};
  }
}

std::string ContestExtensionKey(const char* record, int key) {
  return key == 1 ? NumKey5(ContestExtensionRecord(record).contestNumber()) : std::string();
}

} // namespace tarvik
