#include "logging/entry_fields.h"

namespace tarvik {

namespace {

constexpr std::array<std::string_view, kEntryFields> kNames = {
    "eCall",  "eCall2", "eRSTs1", "eRSTs2", "eRSTs3", "eRSTs4", "eRSTr1", "eRSTr2",
    "eRSTr3", "eRSTr4", "eDatum", "ezeit",  "eFreq",  "eName",  "eQTH",   "emode"};

constexpr std::array<int, kEntryFields> kMaxLengths = {12, 12, 3,  10, 10, 10, 3,  21,
                                                       21, 21, 10, 14, 10, 25, 25, 6};

} // namespace

std::string_view FieldName(EntryField field) {
  return kNames[static_cast<std::size_t>(field)];
}

int FieldMaxLength(EntryField field) {
  return kMaxLengths[static_cast<std::size_t>(field)];
}

bool FieldIsUpperCase(EntryField field) {
  const int i = Index(field);
  return i >= Index(EntryField::eCall) && i <= Index(EntryField::eRSTr4);
}

EntryField SentField(int n) {
  return static_cast<EntryField>(Index(EntryField::eRSTs1) + n - 1);
}

EntryField ReceivedField(int n) {
  return static_cast<EntryField>(Index(EntryField::eRSTr1) + n - 1);
}

} // namespace tarvik
