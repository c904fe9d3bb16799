#include "contest/contest_traits.h"

namespace tarvik {

std::string MultiCounterCaption(MultCountName name) {
  switch (name) {
  case MultCountName::kPostcodeAreas:
    return "PLZ-Bereiche";
  case MultCountName::kPrefixes:
    return "Prefixe ";
  case MultCountName::kMulti:
    break;
  }
  return "Multi ";
}

std::string PlainMultTotalSuffix(MultCountName name) {
  switch (name) {
  case MultCountName::kPostcodeAreas:
    return " PLZ";
  case MultCountName::kPrefixes:
    return " Prefixe";
  case MultCountName::kMulti:
    break;
  }
  return " Multi";
}

} // namespace tarvik
