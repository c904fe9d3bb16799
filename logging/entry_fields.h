#pragma once
// The entry fields of the log window as the entry session models them: their names, their
// order, their maximum lengths, and what each shows (an entry field the operator types
// into, a label with a fixed text in its place, or nothing).
//
// Every field keeps one text. For a field shown as a label the text is what the label
// shows: eRSTs1 / eRSTr1 the fixed reports (labels lRSTs1 / lRSTr1), eRSTs2 the sent
// exchange (lRSTs2), eDatum / ezeit the automatic date and time (lDatum / lZeit) and
// emode the current mode (lMode).

#include <array>
#include <string_view>

namespace tarvik {

enum class EntryField : int {
  eCall,
  eCall2,
  eRSTs1,
  eRSTs2,
  eRSTs3,
  eRSTs4,
  eRSTr1,
  eRSTr2,
  eRSTr3,
  eRSTr4,
  eDatum,
  ezeit,
  eFreq,
  eName,
  eQTH,
  emode,
};
inline constexpr int kEntryFields = 16;

inline constexpr std::array<EntryField, kEntryFields> kAllEntryFields = {
    EntryField::eCall,  EntryField::eCall2, EntryField::eRSTs1, EntryField::eRSTs2,
    EntryField::eRSTs3, EntryField::eRSTs4, EntryField::eRSTr1, EntryField::eRSTr2,
    EntryField::eRSTr3, EntryField::eRSTr4, EntryField::eDatum, EntryField::ezeit,
    EntryField::eFreq,  EntryField::eName,  EntryField::eQTH,   EntryField::emode};

/// What a field shows.
enum class FieldShow : int {
  kEntry,  ///< an entry field the operator types into
  kLabel,  ///< a read-only label with the field's text in its place
  kHidden, ///< nothing
};

/// The control name of a field ("eCall", "eRSTr2" ...).
std::string_view FieldName(EntryField field);

/// Maximum length of a field's text: calls 12 (the record's length), RST 3, sent elements
/// 10, received elements 21, date 10, time 14, frequency 10, name and QTH 25, mode 6.
int FieldMaxLength(EntryField field);

/// True for the fields whose texts are upper case as typed: calls, reports and exchange
/// elements (the checks and list comparisons are case-sensitive). Name, QTH, date, time,
/// frequency and the free mode keep what is typed.
bool FieldIsUpperCase(EntryField field);

/// Sent row field n (1 = RST, 2..4 = elements) and received row field n.
EntryField SentField(int n);
EntryField ReceivedField(int n);

constexpr int Index(EntryField field) {
  return static_cast<int>(field);
}

} // namespace tarvik
