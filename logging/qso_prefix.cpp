#include "logging/qso_prefix.h"

#include "datafiles/prefix_record.h"

namespace tarvik {

std::string WpxPrefix(std::string_view call) {
  std::string prefix;
  std::size_t i = 0;
  if (i < call.size())
    prefix += call[i++];
  bool inDigits = false;
  while (i < call.size() && prefix.size() < 6) {
    const char c = call[i];
    const bool digit = c >= '0' && c <= '9';
    if (inDigits && !digit)
      break;
    inDigits = inDigits || digit;
    prefix += c;
    ++i;
  }
  return prefix;
}

bool LookUpQsoPrefix(QsoRecord& r, PrefixLookup* lookup, const ContestDefinition& def,
                     std::string& chosenEntry) {
  if (r.PrefixFest())
    return true;
  bool found = false;
  std::string entryBytes;
  if (!chosenEntry.empty()) {
    found = true;
    entryBytes = chosenEntry;
  } else {
    r.SetPrefix("");
    r.SetPrefix2("");
    if (lookup != nullptr && lookup->LookUpPrefix(r.Call(), r.Datum(), true) == kPrefixFound) {
      found = true;
      entryBytes.assign(lookup->Buffer(), PrefixRecord::kLength);
      if (lookup->ChosenByPerson())
        chosenEntry = entryBytes;
    }
  }
  const bool wpx = def.HasOption(option::kWpxPrefix);
  if (!found && !wpx) {
    r.SetPrefix("");
    r.SetContinent("");
    r.SetFlag172(0);
    return r.Call().size() < 3;
  }
  const PrefixRecord entry(found ? static_cast<const char*>(entryBytes.data()) : nullptr,
                           found ? PrefixRecord::kLength : 0);
  if (r.Prefix().empty() || wpx) {
    if (def.HasOption(option::kAltPrefix) && found) {
      const std::string alternative = entry.alternativePrefix();
      r.SetPrefix(alternative.empty() ? entry.dxccPrefix() : alternative);
    } else if (wpx) {
      r.SetPrefix(WpxPrefix(r.Call()));
    } else {
      r.SetPrefix(entry.dxccPrefix());
    }
  }
  r.SetContinent(found ? entry.continent() : std::string());
  r.SetFlag172(0);
  return true;
}

} // namespace tarvik
