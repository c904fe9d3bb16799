#include "contest/multiplier_rules.h"

#include "contest/qso_checks.h"
#include "radio/base_call.h"
#include "radio/modes.h"
#include "recordfile/record_view.h"

namespace tarvik {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether a multiplier column of the definition counts the values of a kind.
bool ColumnCounts(MultColumn column, MultKind kind) {
  using C = MultColumn;
  switch (kind) {
  case MultKind::kDxcc:
    return column == C::kDxcc || column == C::kPrefix;
  case MultKind::kUsState:
    return column == C::kUsState;
  case MultKind::kPostcode:
    return column == C::kPostcode;
  case MultKind::kMember:
    return column == C::kDig || column == C::kAgcw || column == C::kQcwa;
  case MultKind::kClubMember:
    return column == C::kNaval || column == C::kQcwa;
  case MultKind::kDok:
    return column == C::kDok || column == C::kArea || column == C::kLdk;
  case MultKind::kDistrict:
    return column == C::kDok;
  case MultKind::kLocator:
    return column == C::kLocator;
  case MultKind::kCallMulti:
    return column == C::kCallMulti;
  }
  return false;
}

std::string Head(std::string_view text, std::size_t n) {
  return std::string(text.substr(0, n));
}

} // namespace

bool IsMarkerRecord(const QsoRecord& record) {
  const char band = record.QSYBand();
  return band != '\0' && band != ' ';
}

MultiplierRules::MultiplierRules(const ContestDefinition& definition, char contestCode,
                                 bool ownFromDistrictU)
    : def_(definition), code_(contestCode), ownFromDistrictU_(ownFromDistrictU),
      evaluationKind_(definition.EvaluationKind), dokList_(ListValues(definition.DokList)),
      callList_(ListValues(definition.CallList)) {
  for (MultKind kind : kAllMultKinds) {
    if (Active(kind))
      active_.push_back(kind);
    for (int column = 1; column <= 3; ++column)
      if (ColumnCounts(def_.MultColumnKind(column), kind))
        markColumns_[static_cast<std::size_t>(kind)].push_back(column);
  }
}

bool MultiplierRules::Active(MultKind kind) const {
  switch (kind) {
  case MultKind::kDxcc:
    return def_.HasOption(option::kDxcc);
  case MultKind::kUsState:
    return def_.HasOption(option::kUsState) && evaluationKind_ == 0;
  case MultKind::kPostcode:
    return def_.HasOption(option::kPostcode);
  case MultKind::kMember:
    return def_.HasOption(option::kMember);
  case MultKind::kClubMember:
    return def_.HasOption(option::kClubMember);
  case MultKind::kDok:
    return def_.HasDokMultipliers();
  case MultKind::kDistrict:
    return def_.HasOption(option::kDistrict);
  case MultKind::kLocator:
    return def_.HasOption(option::kLocator);
  case MultKind::kCallMulti:
    return def_.HasOption(option::kListedCalls);
  }
  return false;
}

bool MultiplierRules::Qualifies(const QsoRecord& record) const {
  if (IsMarkerRecord(record))
    return false;
  const std::string& required = def_.RequiredText;
  if (required.empty())
    return true;
  const std::string report = record.RSTr();
  if (required == "Naval") {
    const std::string exchange = report.size() > 3 ? report.substr(3) : std::string();
    return exchange.empty() || !IsDigit(exchange[0]);
  }
  return report.find(required) != std::string::npos;
}

bool MultiplierRules::DokValueAccepted(std::string_view dok) const {
  if (dok.empty())
    return false;
  if (def_.HasAreaOrLdkMultipliers())
    return true;
  if (!dokList_.empty() && ListContains(dokList_, dok))
    return true;
  if (!def_.HomeDistricts.empty()) {
    return dok.size() == 3 && def_.HomeDistricts.find(dok[0]) != std::string::npos &&
           IsDigit(dok[1]) && IsDigit(dok[2]) && dok != "M26" && dok != "M29";
  }
  // A DOK list without home districts admits only its own entries.
  return dokList_.empty();
}

bool MultiplierRules::DistrictAccepted(std::string_view dok) const {
  if (!IsDistrictDok(dok))
    return false;
  const char letter = dok[0];
  if (code_ == 'h')
    return (letter >= 'A' && letter <= 'I') || (letter >= 'L' && letter <= 'Y');
  return def_.HomeDistricts.find(letter) != std::string::npos;
}

std::string MultiplierRules::Value(MultKind kind, const QsoRecord& record) const {
  if (!Active(kind) || !Qualifies(record))
    return std::string();
  switch (kind) {
  case MultKind::kDxcc: {
    std::string prefix = record.Prefix();
    if (prefix == "DL" && !def_.HasOption(option::kDlCountsAsDxcc))
      return std::string();
    if (def_.HasOption(option::kEuropeOnly) && record.Continent() != "EU")
      return std::string();
    return prefix;
  }
  case MultKind::kUsState:
  case MultKind::kPostcode:
    return record.Kenner();
  case MultKind::kMember:
  case MultKind::kClubMember:
    return Head(record.Call2(), 6);
  case MultKind::kDok: {
    std::string dok = record.FullDok();
    return DokValueAccepted(dok) ? dok : std::string();
  }
  case MultKind::kDistrict: {
    const std::string dok = record.FullDok();
    return DistrictAccepted(dok) ? dok.substr(0, 1) : std::string();
  }
  case MultKind::kLocator: {
    const std::string locator = record.Locator();
    return locator.size() >= 4 ? locator.substr(0, 4) : std::string();
  }
  case MultKind::kCallMulti: {
    const std::string call = record.Call();
    if (call.empty())
      return std::string();
    if (!callList_.empty()) {
      const std::string station = call.substr(0, call.find('/'));
      if (!ListContains(callList_, station))
        return std::string();
    }
    return BaseCall(call, kHomeCall);
  }
  }
  return std::string();
}

bool MultiplierRules::CountsOnce(MultKind kind) const {
  if (evaluationKind_ == 1)
    return true;
  if (kind == MultKind::kClubMember || (kind == MultKind::kMember && code_ != 'f'))
    return true;
  return evaluationKind_ == 2 && (kind == MultKind::kLocator || kind == MultKind::kCallMulti);
}

MultUnit MultiplierRules::Unit(MultKind kind, const QsoRecord& record) const {
  MultUnit unit;
  unit.value = Value(kind, record);
  if (unit.value.empty())
    return unit;
  if (!CountsOnce(kind)) {
    unit.scope = std::string(1, record.Band());
    if (evaluationKind_ == 2)
      unit.scope += ModeGroup(record.Mode());
  }
  return unit;
}

int MultiplierRules::Weight(MultKind kind, std::string_view value) const {
  const bool dok = kind == MultKind::kDok;
  switch (code_) {
  case '2':
    if (dok && value == "WN")
      return 6;
    if (dok && (value.size() == 2 || value.size() == 3) && value.back() == 'N')
      return 3;
    if (kind == MultKind::kLocator)
      return 3;
    return 1;
  case 'Y':
    return kind == MultKind::kLocator ? 5 : 1;
  case 'G':
    return dok && value == "HT09" ? 2 : 1;
  case 'U': {
    if (!dok)
      return 1;
    const bool fromU = (!value.empty() && value[0] == 'U') || value == "Z16" || value == "Z44" ||
                       value == "Z64" || value == "Z76" || value == "BBT" || value == "DVU" ||
                       value == "DB0";
    if (ownFromDistrictU_)
      return fromU ? 1 : 2;
    return fromU ? 2 : 1;
  }
  default:
    return 1;
  }
}

int MultiplierRules::Slot(MultKind kind, char band) const {
  if (evaluationKind_ == 1)
    return 1;
  if (evaluationKind_ == 2 && (kind == MultKind::kLocator || kind == MultKind::kCallMulti))
    return 1;
  return static_cast<unsigned char>(band);
}

bool MultiplierRules::AlwaysNew(MultKind kind) const {
  return code_ == 'L' && kind == MultKind::kDok;
}

int MultiplierRules::CountColumn(MultKind kind) const {
  const std::vector<int>& columns = MarkColumns(kind);
  return columns.empty() ? 1 : columns.front();
}

MultSearch MultiplierRules::Search(MultKind kind, const QsoRecord& record,
                                   const MultUnit& unit) const {
  const bool once = unit.scope.empty();
  const std::string band(1, record.Band());
  const std::string& v = unit.value;
  switch (kind) {
  case MultKind::kDxcc:
    return once ? MultSearch{qso_key::kPrefix, KeyPad(v, 6)}
                : MultSearch{qso_key::kBandPrefix, band + KeyPad(v, 6)};
  case MultKind::kUsState:
  case MultKind::kPostcode:
    return once ? MultSearch{qso_key::kKenner, KeyPad(v, 2)}
                : MultSearch{qso_key::kBandKenner, band + KeyPad(v, 2)};
  case MultKind::kMember:
  case MultKind::kClubMember:
    return once ? MultSearch{qso_key::kCall2, KeyPad(v, 6)}
                : MultSearch{qso_key::kBandCall2, band + KeyPad(v, 6)};
  case MultKind::kDok:
    return once ? MultSearch{qso_key::kDok, KeyPad(v, 8)}
                : MultSearch{qso_key::kBandDok, band + KeyPad(v, 8)};
  case MultKind::kDistrict:
    return once ? MultSearch{qso_key::kDok, v} : MultSearch{qso_key::kBandDok, band + v};
  case MultKind::kLocator:
    return once ? MultSearch{qso_key::kLocatorDateTime, v}
                : MultSearch{qso_key::kBandLocator, band + v};
  case MultKind::kCallMulti:
    return once ? MultSearch{qso_key::kCall, KeyPad(v, 14)}
                : MultSearch{qso_key::kBandCallMode, band + KeyPad(v, 14)};
  }
  return {};
}

} // namespace tarvik
