#include "datafiles/setup_records.h"

#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

bool InRange(int n, int count) {
  return n >= 1 && n <= count;
}

} // namespace

std::int32_t SetupRecord::Colour(int n) const {
  return InRange(n, kColours) ? I32At(kColour1 + 4 * (n - 1)) : 0;
}

void SetupRecord::SetColour(int n, std::int32_t value) {
  if (InRange(n, kColours))
    SetI32At(kColour1 + 4 * (n - 1), value);
}

PortableDesignator SetupRecord::Designator(int n) const {
  if (!InRange(n, kDesignators))
    return {};
  const int at = kDesignator1 + kDesignatorSize * (n - 1);
  return {StrAt(at, 3), ByteAt(at + 4)};
}

void SetupRecord::SetDesignator(int n, const PortableDesignator& d) {
  if (!InRange(n, kDesignators))
    return;
  const int at = kDesignator1 + kDesignatorSize * (n - 1);
  SetStrAt(at, 3, d.text);
  SetByteAt(at + 4, d.flag);
}

std::array<PortableDesignator, SetupRecord::kDesignators> SetupRecord::Designators() const {
  std::array<PortableDesignator, kDesignators> all;
  for (int n = 1; n <= kDesignators; ++n)
    all[static_cast<std::size_t>(n - 1)] = Designator(n);
  return all;
}

std::string SetupRecord::formerCall(int n) const {
  return InRange(n, kFormerCalls) ? StrAt(kFormerCall1 + 15 * (n - 1), 14) : std::string();
}
void SetupRecord::SetFormerCall(int n, std::string_view v) {
  if (InRange(n, kFormerCalls))
    SetStrAt(kFormerCall1 + 15 * (n - 1), 14, v);
}
std::string SetupRecord::membership(int n) const {
  return InRange(n, kMemberships) ? StrAt(kMembership1 + 21 * (n - 1), 20) : std::string();
}
void SetupRecord::SetMembership(int n, std::string_view v) {
  if (InRange(n, kMemberships))
    SetStrAt(kMembership1 + 21 * (n - 1), 20, v);
}
std::string SetupRecord::stationLine(int n) const {
  return InRange(n, kStationLines) ? StrAt(kStationLine1 + 26 * (n - 1), 25) : std::string();
}
void SetupRecord::SetStationLine(int n, std::string_view v) {
  if (InRange(n, kStationLines))
    SetStrAt(kStationLine1 + 26 * (n - 1), 25, v);
}

std::string SetupRecord::dateFormat() const {
  std::string picture = StrAt(kDateFormat, kDateFormatCapacity);
  return picture.empty() ? std::string("dd.mm.yyyy") : picture;
}

std::string SetupRecord::PlaceholderText(std::string_view placeholder) const {
  struct Entry {
    std::string_view name;
    std::string (SetupRecord::*get)() const;
  };
  static constexpr Entry kPlain[] = {
      {"__EigName__", &SetupRecord::name},
      {"__EigStrasse__", &SetupRecord::street},
      {"__EigOrt__", &SetupRecord::postcodePlace},
      {"__EigLand__", &SetupRecord::country},
      {"__EigDOK__", &SetupRecord::dok},
      {"__EigLocator__", &SetupRecord::stationLocator},
      {"__EigWAZ__", &SetupRecord::wazZone},
      {"__EigITU__", &SetupRecord::ituZone},
      {"__EigEMail__", &SetupRecord::email},
      {"__EigInternet__", &SetupRecord::internet},
      {"__EigQSLManager__", &SetupRecord::qslManager},
  };
  for (const Entry& e : kPlain) {
    if (e.name == placeholder)
      return (this->*e.get)();
  }
  struct Numbered {
    std::string_view stem;
    int count;
    std::string (SetupRecord::*get)(int) const;
  };
  static constexpr Numbered kNumbered[] = {
      {"__EigExCall", kFormerCalls, &SetupRecord::formerCall},
      {"__EigMitglied", kMemberships, &SetupRecord::membership},
      {"__EigStation", kStationLines, &SetupRecord::stationLine},
  };
  for (const Numbered& e : kNumbered) {
    // stem + one digit + "__"
    if (placeholder.size() == e.stem.size() + 3 && placeholder.starts_with(e.stem) &&
        placeholder.ends_with("__")) {
      const int n = placeholder[e.stem.size()] - '0';
      if (InRange(n, e.count))
        return (this->*e.get)(n);
    }
  }
  return {};
}

std::string Setup2Record::Text(int n) const {
  return InRange(n, kTexts) ? StrAt(kText1 + 11 * (n - 1), 10) : std::string();
}

void Setup2Record::SetText(int n, std::string_view v) {
  if (InRange(n, kTexts))
    SetStrAt(kText1 + 11 * (n - 1), 10, v);
}

std::string SetupKey(const char* record, int key) {
  return key == 1 ? NumKey5(RecordView(record, 8).I32At(4)) : std::string();
}

std::string ProfileKey(const char* record, int key) {
  const ProfileRecord p(record);
  switch (key) {
  case 1:
    return NumKey5(p.profileNumber());
  case 2:
    return KeyPad(p.name(), 20);
  default:
    return {};
  }
}

} // namespace tarvik
