#include "country/prefix_lookup.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/pictures.h"
#include "base/strings.h"
#include "country/prefix_choice.h"
#include "datafiles/program_files.h"
#include "radio/base_call.h"
#include "radio/date_time.h"
#include "recordfile/fileblock.h"

namespace tarvik {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsRangeChar(char c) {
  return IsDigit(c) || IsLetter(c);
}
bool IsWildcard(char c) {
  return c == '#' || c == '?' || c == '~';
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
    s.pop_back();
  return s;
}

/// Special DXCC prefixes whose number the entity table does not give directly.
struct SpecialPrefix {
  std::string_view prefix;
  int number;
};
constexpr SpecialPrefix kSpecialPrefixes[] = {
    {"3D2C", 489}, {"3D2R", 460}, {"3Y0", 199}, {"3Y5", 24},    {"CE0A", 47},  {"KC6", 22},
    {"PY0P", 253}, {"R1F", 61},   {"R1M", 151}, {"RA1346", 54}, {"RA890", 15}, {"FO0", 36},
    {"XX", 152},   {"VR6", 172},  {"FO", 175},  {"IS", 225},    {"ZB", 233},   {"ZC", 283},
};

std::string EntityText(int number) {
  return FormatLongPicture("###", number);
}

bool g_ambiguityOption = false;

} // namespace

PrefixTables OpenPrefixTables() {
  PrefixTables t;
  t.main = OpenProgramFile(ProgramFile::kPrefix);
  t.callExceptions = OpenProgramFile(ProgramFile::kPrefixExceptionsEE);
  t.startExceptions = OpenProgramFile(ProgramFile::kPrefixExceptionsES);
  return t;
}

void ClosePrefixTables(PrefixTables& tables) {
  CloseProgramFile(tables.startExceptions);
  CloseProgramFile(tables.callExceptions);
  CloseProgramFile(tables.main);
  tables = {};
}

bool PrefixAmbiguityOption() {
  return g_ambiguityOption;
}

void SetPrefixAmbiguityOption(bool on) {
  g_ambiguityOption = on;
}

std::string PrefixLookupText(std::string_view call) {
  const std::string text = UpCase(TrimBlanks(call));
  if (text.empty())
    return text;
  std::string country = BaseCall(text, kCountryPart);
  if (!country.empty())
    return country;
  return BaseCall(text, kHomeCall);
}

std::string AdjustPrefixToCall(std::string_view prefix, std::string_view call) {
  std::string p(prefix);
  if (!p.empty() && p.back() == '-')
    p.pop_back();
  for (char w : {'?', '#', '~'}) {
    const std::size_t pos = p.find(w);
    if (pos == std::string::npos)
      continue;
    if (pos < call.size())
      p[pos] = call[pos];
    break;
  }
  const bool letters = !p.empty() && p.size() <= 2 && std::all_of(p.begin(), p.end(), IsLetter);
  if (letters && p.size() < call.size() && IsDigit(call[p.size()]))
    p += call[p.size()];
  return p;
}

PrefixLookup::PrefixLookup(PrefixTables tables, const Clock& clock)
    : tables_(tables), clock_(clock) {}

bool PrefixLookup::Read(Fileblock* table, int key, std::string_view keyString, bool search,
                        Entry181* out) {
  if (table == nullptr)
    return false;
  const int severity = search ? table->SearchKey(key, keyString) : table->FindKey(key, keyString);
  if (severity != 0)
    return false;
  out->fill(0);
  const int n = std::min<int>(table->BufferSize(), PrefixRecord::kLength);
  std::memcpy(out->data(), table->RecordBuffer(), static_cast<std::size_t>(n));
  return true;
}

int PrefixLookup::LookUpPrefix(std::string_view call, DayNumber date, bool forQso) {
  chosen_ = false;
  Context ctx;
  ctx.typed = std::string(call);
  ctx.text = PrefixLookupText(call);
  ctx.date = date;
  ctx.forQso = forQso;
  ctx.mayAsk = true;
  Entry181 e{};
  const int code = LookUp(ctx, &e);
  buffer_ = code == kPrefixNotFound ? Entry181{} : e;
  return code;
}

int PrefixLookup::LookUp(Context ctx, Entry181* entry) {
  if (ctx.text.empty())
    return kPrefixNotFound;

  // Exceptions: whole calls, and call beginnings marked "J".
  for (Fileblock* table : {tables_.callExceptions, tables_.startExceptions}) {
    if (FindException(table, ctx.text, entry))
      return kPrefixFound;
  }

  if (ctx.date <= 0)
    ctx.date = UtcDateNow(clock_);

  // Designator calls name an entity of their own: FO5QQ/M -> FO/M.
  if (const std::size_t slash = ctx.text.find('/'); slash != std::string::npos) {
    const std::string first = ctx.text.substr(0, slash);
    std::string designator = ctx.text.substr(slash + 1);
    designator = designator.substr(0, designator.find('/'));
    const std::string_view beginning = DesignatorPairBeginning(first, designator);
    if (!beginning.empty())
      ctx.text = std::string(beginning) + "/" + designator;
  }

  Match match;
  if (!LongestMatch(ctx.text, &match))
    return kPrefixNotFound;
  const int code = Resolve(match, ctx, 0, entry);
  if (code == kPrefixNotFound)
    return code;
  PrefixRecord r(entry->data());
  // A range entry found for DL stands as DL, not as the DA it is stored under.
  if (!match.rangeText.empty() && r.prefix() == PrefixRecord(match.entry.data()).prefix())
    r.SetPrefix(match.rangeText);
  r.SetPrefix(AdjustPrefixToCall(TrimRight(r.prefix()), ctx.text));
  return code;
}

int PrefixLookup::LookUpPrefixText(std::string_view prefix, DayNumber date, Entry181* entry) {
  Context ctx;
  ctx.text = UpCase(TrimBlanks(prefix));
  ctx.date = date;
  ctx.forQso = false;
  ctx.mayAsk = false;
  return LookUp(ctx, entry);
}

bool PrefixLookup::FindException(Fileblock* table, const std::string& text, Entry181* entry) {
  if (table == nullptr)
    return false;
  // A stored prefix has at most 6 characters: a longer call can only be matched by the
  // beginning of it, never as a whole (its first 6 characters are another call).
  const std::size_t longest = std::min<std::size_t>(text.size(), 6);
  for (std::size_t len = longest; len > 0; --len) {
    if (!Read(table, 1, KeyPad(text.substr(0, len), 6), false, entry))
      continue;
    const PrefixRecord r(entry->data());
    if (r.matchKind() == 'J' || len == text.size())
      return true;
  }
  return false;
}

bool PrefixLookup::LongestMatch(const std::string& text, Match* match) {
  for (std::size_t len = text.size(); len > 0; --len) {
    if (MatchText(text.substr(0, len), match))
      return true;
  }
  return false;
}

bool PrefixLookup::MatchText(const std::string& text, Match* match) {
  Fileblock* main = tables_.main;
  if (main == nullptr || text.empty())
    return false;
  match->byArea = false;
  match->rangeText.clear();

  // "KC6-2": the entry of prefix KC6 with area number 2.
  if (const std::size_t dash = text.find('-'); dash != std::string::npos && dash > 0) {
    const std::string area = text.substr(dash + 1);
    if (!area.empty() && area.size() <= 3 && std::all_of(area.begin(), area.end(), IsDigit)) {
      match->byArea = true;
      const std::string base = text.substr(0, dash);
      if (Read(main, 3, KeyPad(base, 6) + KeyPad(area, 3), false, &match->entry) ||
          Read(main, 3, KeyPad(base + "-", 6) + KeyPad(area, 3), false, &match->entry) ||
          (text.size() <= 6 && Read(main, 1, KeyPad(text, 6), false, &match->entry)))
        return true;
      match->byArea = false;
      return false;
    }
  }
  if (text.size() > 6)
    return false;
  if (Read(main, 1, KeyPad(text, 6), false, &match->entry))
    return true;
  if (MatchRange(text, true, &match->entry) || MatchRange(text, false, &match->entry)) {
    match->rangeText = text;
    return true;
  }
  // A wildcard in the last position stands for any character there.
  const std::string base = text.substr(0, text.size() - 1);
  if (IsWildcard(text.back()))
    return false;
  for (char w : {'#', '?', '~'}) {
    if (Read(main, 1, KeyPad(base + w, 6), false, &match->entry))
      return true;
  }
  return false;
}

bool PrefixLookup::MatchRange(const std::string& text, bool below, Entry181* entry) {
  // The nearest entry of the same length that differs only in the last character, below
  // the text (its range reaches up to the text) or above it (its range reaches down).
  // Longer entries in between are stepped over a whole group at a time, so this takes a
  // few key searches, never a walk through the table.
  const std::size_t n = text.size();
  const char last = text.back();
  if (!IsRangeChar(last))
    return false;
  const std::string_view base(text.data(), n - 1);
  Fileblock* main = tables_.main;
  std::string bound = KeyPad(text, 6);
  std::int32_t record = below ? 0 : INT32_MAX;
  for (int hop = 0; hop < 64; ++hop) {
    std::int32_t found = 0;
    std::string foundKey;
    if (main->FindEntry(1, record, below ? -1 : 1, bound, &found, &foundKey) != 0)
      return false;
    const std::string k = TrimRight(foundKey);
    if (k.size() < n || std::string_view(k).substr(0, n - 1) != base)
      return false;
    if (k.size() == n) {
      if (main->ReadRecord(found) != 0)
        return false;
      Entry181 e{};
      std::memcpy(
          e.data(), main->RecordBuffer(),
          static_cast<std::size_t>(std::min<int>(main->BufferSize(), PrefixRecord::kLength)));
      const char end = PrefixRecord(e.data()).rangeEnd();
      if (!IsRangeChar(end))
        return false;
      const char own = k[n - 1];
      const char lo = std::min(own, end);
      const char hi = std::max(own, end);
      if (last < lo || last > hi)
        return false;
      *entry = e;
      return true;
    }
    if (below) {
      bound = KeyPad(k.substr(0, n), 6);
      record = INT32_MAX;
    } else {
      bound = k.substr(0, n) + '\xFF';
      record = 0;
    }
  }
  return false;
}

int PrefixLookup::LookUpRedirect(const std::string& text, const Context& ctx, int depth,
                                 Entry181* entry) {
  if (depth > kMaxPrefixRedirections)
    return kPrefixNotFound;
  Match match;
  if (!LongestMatch(text, &match))
    return kPrefixNotFound;
  return Resolve(match, ctx, depth, entry);
}

int PrefixLookup::Resolve(Match match, const Context& ctx, int depth, Entry181* entry) {
  if (depth > kMaxPrefixRedirections)
    return kPrefixNotFound;
  Entry181& e = match.entry;
  const PrefixRecord r(e.data());

  // Several entries of one prefix: area 1, or the person's choice.
  if (!match.byArea && !TrimRight(r.area()).empty()) {
    if (PrefixAmbiguityOption() && ctx.mayAsk && chooser_)
      return Choose(e, ctx, entry);
    Entry181 first;
    if (Read(tables_.main, 3, KeyPad(r.prefix(), 6) + KeyPad("1", 3), false, &first))
      e = first;
  }

  const std::string second = TrimRight(r.secondFormerPrefix());
  const std::string former = TrimRight(r.formerPrefix());
  if (r.secondChangeDate() >= ctx.date && !second.empty())
    return LookUpRedirect(second, ctx, depth + 1, entry);
  if (r.changeDate() >= ctx.date && !former.empty()) {
    std::string text = former;
    if (text == "RA" && ctx.text.size() >= 3 && IsDigit(ctx.text[2]))
      text += ctx.text[2];
    return LookUpRedirect(text, ctx, depth + 1, entry);
  }

  const bool validFrom = r.validFrom() <= 0 || r.validFrom() <= ctx.date;
  const bool validTo = r.validTo() <= 0 || r.validTo() >= ctx.date;
  if (!validFrom || !validTo) {
    *entry = e;
    return kPrefixNotValid;
  }

  const std::string alias = TrimRight(r.aliasPrefix());
  if (!alias.empty()) {
    Match target;
    if (!Read(tables_.main, 1, KeyPad(alias, 6), false, &target.entry))
      return kPrefixNotFound;
    const int code = Resolve(target, ctx, depth + 1, entry);
    if (code != kPrefixNotFound)
      PrefixRecord(entry->data()).SetPrefix(r.prefix());
    return code;
  }
  *entry = e;
  return kPrefixFound;
}

int PrefixLookup::Choose(const Entry181& entry, const Context& ctx, Entry181* result) {
  const PrefixRecord r(entry.data());
  PrefixChoice choice(*this, TrimRight(r.prefix()), ctx.date, ctx.forQso ? ctx.typed : "");
  if (!chooser_(choice) || !choice.Taken())
    return kPrefixNotFound;
  *result = choice.Result();
  chosen_ = true;
  return kPrefixFound;
}

bool PrefixLookup::FindByDxccPrefix(std::string_view text, Entry181* entry) {
  const std::string t(text);
  const std::string both = KeyPad(t, 6) + KeyPad(t, 6);
  auto exact = [&](Fileblock* table) {
    if (!Read(table, 2, both, false, entry))
      return false;
    const PrefixRecord r(entry->data());
    return r.dxccPrefix() == t && r.prefix() == t;
  };
  auto byDxcc = [&](Fileblock* table) {
    if (!Read(table, 2, KeyPad(t, 6), true, entry))
      return false;
    return PrefixRecord(entry->data()).dxccPrefix() == t;
  };
  return exact(tables_.callExceptions) || exact(tables_.startExceptions) || exact(tables_.main) ||
         byDxcc(tables_.main) || byDxcc(tables_.callExceptions) || byDxcc(tables_.startExceptions);
}

std::string PrefixLookup::DxccNumber(std::string_view prefix) {
  const std::string text = TrimBlanks(prefix);
  if (text.empty())
    return {};
  int special = 0;
  for (const SpecialPrefix& s : kSpecialPrefixes) {
    if (s.prefix == text)
      special = s.number;
  }
  if (special == 0) {
    if (const int position = EntityPosition(text); position != 0)
      return EntityText(position);
  }
  Entry181 e;
  if (FindByDxccPrefix(text, &e)) {
    buffer_ = e;
    return EntityText(PrefixRecord(e.data()).entityNumber());
  }
  return special != 0 ? EntityText(special) : std::string();
}

} // namespace tarvik
