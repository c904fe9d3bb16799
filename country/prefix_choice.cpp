#include "country/prefix_choice.h"

#include <algorithm>
#include <cstring>

#include "base/strings.h"
#include "datafiles/program_files.h"
#include "radio/base_call.h"
#include "radio/date_time.h"
#include "recordfile/fileblock.h"
#include "recordfile/record_view.h"

namespace tarvik {

namespace {

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
    s.pop_back();
  return s;
}

} // namespace

PrefixChoice::PrefixChoice(PrefixLookup& lookup, std::string_view prefix, DayNumber date,
                           std::string_view call)
    : lookup_(lookup), prefix_(TrimRight(UpCase(TrimBlanks(prefix)))),
      date_(date > 0 ? date : UtcDateNow(lookup.GetClock())), call_(TrimBlanks(call)) {
  BuildRows();
}

std::string PrefixChoice::Caption() {
  return "Auswahl DXCC";
}

std::vector<std::string> PrefixChoice::IntroLines() const {
  if (ForQso())
    return {"Für das aktuelle Rufzeichen stehen mehrere DXCC zur Auswahl. Durch Doppelklick auf",
            "einen der unteren Einträge wird dem QSO ein DXCC zugeordnet."};
  return {"Für den Präfix stehen mehrere DXCC zur Auswahl. Durch Doppelklick auf",
          "einen der unteren Einträge wird dem Präfix ein DXCC zugeordnet."};
}

std::string PrefixChoice::QsoLabel() {
  return "QSO:";
}

std::string PrefixChoice::DateText() const {
  return DayToText("dd.mm.yyyy", date_);
}

std::vector<std::string> PrefixChoice::HintParts() {
  return {"Sie können auch die Pfeiltasten ", "<hoch> und <runter> nutzen."};
}

std::string PrefixChoice::TakeCaption() {
  return "Übernehmen";
}

std::string PrefixChoice::CancelCaption() {
  return "Abbrechen";
}

void PrefixChoice::BuildRows() {
  Fileblock* main = lookup_.Tables().main;
  if (main == nullptr || prefix_.empty())
    return;
  // Step through key 3 by (key, record) pairs: resolving a row reads other entries, so the
  // table's current record cannot be relied on between rows.
  const std::string key = KeyPad(prefix_, 6);
  std::string at = key;
  std::int32_t record = 0;
  while (static_cast<int>(rows_.size()) < kMaxRows) {
    std::int32_t found = 0;
    std::string foundKey;
    if (main->FindEntry(3, record, 1, at, &found, &foundKey) != 0)
      break;
    if (foundKey.compare(0, key.size(), key) != 0 || main->ReadRecord(found) != 0)
      break;
    PrefixLookup::Entry181 entry{};
    std::memcpy(entry.data(), main->RecordBuffer(),
                static_cast<std::size_t>(std::min<int>(main->BufferSize(), PrefixRecord::kLength)));
    rows_.push_back(RowFor(entry, static_cast<int>(rows_.size()) + 1));
    at = foundKey;
    record = found + 1;
  }
}

PrefixChoiceRow PrefixChoice::RowFor(const PrefixLookup::Entry181& original, int number) {
  PrefixChoiceRow row;
  row.number = number;
  row.entry = original;
  const PrefixRecord r(original.data());
  const bool beforeValidFrom = r.validFrom() > 0 && date_ < r.validFrom();
  const bool afterValidTo = r.validTo() > 0 && r.validTo() < date_;
  if (!beforeValidFrom) {
    const std::string second = TrimRight(r.secondFormerPrefix());
    const std::string former = TrimRight(r.formerPrefix());
    std::string redirect;
    if (r.secondChangeDate() >= date_ && !second.empty())
      redirect = second;
    else if (r.changeDate() >= date_ && !former.empty())
      redirect = former;
    PrefixLookup::Entry181 found{};
    bool replaced = false;
    if (!redirect.empty()) {
      replaced = redirect.find("RA") != std::string::npos
                     ? lookup_.LookUpPrefixText(redirect, date_, &found) != kPrefixNotFound
                     : lookup_.FindByDxccPrefix(redirect, &found);
    } else if (const std::string alias = TrimRight(r.aliasPrefix()); !alias.empty()) {
      replaced = lookup_.LookUpPrefixText(alias, date_, &found) != kPrefixNotFound;
    }
    if (replaced)
      row.entry = found;
  }
  const PrefixRecord shown(row.entry.data());
  row.dxcc = TrimRight(shown.dxccPrefix());
  row.cqZone = TrimRight(shown.cqZone());
  row.ituZone = TrimRight(shown.ituZone());
  row.country = beforeValidFrom ? "not current" : TrimRight(shown.countryName());
  row.remark = TrimRight(shown.field62());
  if (beforeValidFrom || afterValidTo)
    row.remark += "  (deleted)";
  return row;
}

void PrefixChoice::Mark(int row) {
  if (row >= 0 && row < static_cast<int>(rows_.size()))
    marked_ = row;
}

void PrefixChoice::MarkNext() {
  const int n = static_cast<int>(rows_.size());
  if (n == 0)
    return;
  marked_ = marked_ < 0 ? 0 : (marked_ + 1) % n;
}

void PrefixChoice::MarkPrevious() {
  const int n = static_cast<int>(rows_.size());
  if (n == 0)
    return;
  marked_ = marked_ <= 0 ? n - 1 : marked_ - 1;
}

bool PrefixChoice::Take() {
  if (!CanTake())
    return false;
  result_ = rows_[static_cast<std::size_t>(marked_)].entry;
  taken_ = true;
  lookup_.buffer_ = result_;
  lookup_.chosen_ = true;

  // Remember the choice for the call: only for a call that decides its own country (not
  // for W9QQQ/KC6, whose country part is a prefix shared by every such call) and that fits
  // the 6 characters of the prefix field whole.
  Fileblock* exceptions = lookup_.Tables().callExceptions;
  const std::string text = PrefixLookupText(call_);
  if (!ForQso() || exceptions == nullptr || text.size() <= 3 || text.size() > 6 ||
      text != BaseCall(UpCase(TrimBlanks(call_)), kHomeCall))
    return true;
  if (exceptions->FindKey(1, KeyPad(text, 6)) == 0)
    return true;
  if (exceptions->ClearBuffer() != 0)
    return true;
  char* buffer = exceptions->RecordBuffer();
  std::memcpy(
      buffer, result_.data(),
      static_cast<std::size_t>(std::min<int>(exceptions->BufferSize(), PrefixRecord::kLength)));
  PrefixRecord copy(buffer);
  copy.SetI32At(0, 0);
  copy.SetPrefix(text);
  copy.SetMatchKind(0);
  addedException_ = AddRecord(*exceptions);
  return true;
}

void PrefixChoice::Cancel() {
  taken_ = false;
  lookup_.buffer_.fill(0);
  lookup_.chosen_ = false;
}

} // namespace tarvik
