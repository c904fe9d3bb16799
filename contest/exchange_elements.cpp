#include "contest/exchange_elements.h"

#include <cmath>

#include "base/strings.h"
#include "contest/qso_checks.h"
#include "radio/locator.h"

namespace tarvik {

namespace {

const char* const kDokError = "Fehler bei DOK-Angabe";
const char* const kLocatorError = "Fehler bei Locator-Angabe";

bool Blank(std::string_view text) {
  return TrimBlanks(text).empty();
}

} // namespace

std::vector<ElementFailure> ApplyReceivedElements(QsoRecord& r, const ContestDefinition& def,
                                                  char code,
                                                  const std::array<std::string, 3>& elements,
                                                  std::string_view ownLocator,
                                                  ElementMessages messages, int focused) {
  const bool listener = def.ListenerLog != 0;
  std::vector<ElementFailure> failures;
  for (int n = 1; n <= 3; ++n) {
    switch (def.RcvdExchange(n)) {
    case exchange::kDok:
    case exchange::kArea:
    case exchange::kLdk:
      r.SetFullDok("");
      break;
    case exchange::kLocator4:
    case exchange::kLocator:
      r.SetLocator("");
      r.SetQRB(0);
      break;
    case exchange::kUsState:
    case exchange::kPostcode:
      r.SetKenner("");
      break;
    case exchange::kMember:
    case exchange::kMember19:
      if (!listener)
        r.SetCall2("");
      break;
    default:
      break;
    }
  }
  for (int n = 1; n <= 3; ++n) {
    const std::string& value = elements[static_cast<std::size_t>(n - 1)];
    const bool report = messages == ElementMessages::kAll ||
                        (messages == ElementMessages::kFocused && focused == n);
    switch (def.RcvdExchange(n)) {
    case exchange::kDok: {
      if (!IsGermanCall(r.Call(), code))
        break;
      const bool valid = code == 'H' ? HolylandSquareValid(value) : DokSyntaxValid(value);
      const bool refused =
          valid && value.size() == 3 && value[0] == 'J' && value[1] >= '0' && value[1] <= '9';
      if (refused && report)
        failures.push_back({n, kDokError});
      else if (!valid && !value.empty() && messages == ElementMessages::kAll)
        failures.push_back({n, kDokError});
      if (valid && !refused)
        r.SetFullDok(value);
      break;
    }
    case exchange::kLocator4:
    case exchange::kLocator: {
      if (!LocatorValid(value)) {
        if (report)
          failures.push_back({n, kLocatorError});
        break;
      }
      if (value.size() >= 4) {
        r.SetLocator(value.substr(0, 6));
        LocatorDistance distance;
        r.SetQRB(Distance(ownLocator, r.Locator(), distance)
                     ? static_cast<std::int32_t>(std::lround(distance.km))
                     : 0);
      }
      break;
    }
    case exchange::kArea:
    case exchange::kLdk:
      r.SetFullDok(value);
      break;
    case exchange::kUsState:
      r.SetKenner(IsUsState(value) ? value : std::string());
      break;
    case exchange::kPostcode:
      if (!Blank(value.substr(0, 2)))
        r.SetKenner(value.substr(0, 2));
      break;
    case exchange::kMember:
      if (!listener && !Blank(value.substr(0, 4)))
        r.SetCall2(value.substr(0, 4));
      break;
    case exchange::kMember19:
      if (!listener && !Blank(value.substr(0, 6)))
        r.SetCall2(value.substr(0, 6));
      break;
    default:
      break;
    }
  }
  return failures;
}

int MemberNumberElement(const ContestDefinition& definition) {
  for (int n = 1; n <= 3; ++n) {
    const int kind = definition.RcvdExchange(n);
    if (kind == exchange::kMember || kind == exchange::kMember19)
      return n + 1;
  }
  return 0;
}

} // namespace tarvik
