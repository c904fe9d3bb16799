#pragma once
// Finds the places in C++ source text where the contest code is compared with a literal:
//   code == 'x', 'x' != contestCode, session.ContestCode() == 'P' ...
//   case 'x': in a switch over a contest code
//   a string of codes searched for a code: "7fik".find(code), strchr("7fik", code),
//   AnyOf(code, "7fik")
// A contest code is an expression that ends in one of the names code, code_, contestCode,
// contestCode_, contest_code, kBuildContestCode, kDefaultContestCode or a call of ContestCode() (a
// member access in front of it, like source.contestCode or c_.code, included). Comments are
// ignored; other character comparisons (pictures, band and mode letters, keys) are not reported.

#include <string>
#include <string_view>
#include <vector>

namespace tarvik::test {

struct CodeComparison {
  int line = 0;     ///< 1-based
  std::string text; ///< the source line, trimmed
};

/// Every contest-code comparison of `source` (one entry per comparison, in order).
std::vector<CodeComparison> FindContestCodeComparisons(std::string_view source);

} // namespace tarvik::test
