// A golden log per contest code: the same twelve QSOs typed into the entry session of
// every code of the catalog, each exchange element filled by its kind. The stored QSOs,
// points, multipliers and score must not change, and closing and reopening the log must
// give the same totals.

#include "session_fixture.h"

#include <map>

namespace tarvik::test {
namespace {

using F = EntryField;

constexpr int kGoldenQsos = 12;

const char* const kCalls[kGoldenQsos] = {"DL1ABC",   "DF0WN",  "DK0XY",  "OK1ABC",
                                         "DL1ABC/P", "PA3XYZ", "DN2AA",  "4X1AB",
                                         "K1ABC",    "DL2XYZ", "SM5ABC", "DA0HSC"};

std::string ElementValue(int kind, int i, const ContestDefinition& def) {
  static const char* const doks[] = {"N01", "WN",  "5N",   "P43", "Z14", "N01",
                                     "G01", "I05", "HT09", "U05", "K05", "DVT"};
  if (kind == exchange::kDok && !def.HomeDistricts.empty()) {
    // District DOKs of the contest's own districts for the German calls among the twelve.
    const std::string first(1, def.HomeDistricts.front());
    const std::string last(1, def.HomeDistricts.back());
    switch (i) {
    case 0:
    case 5:
      return first + "01";
    case 2:
      return first + "05";
    case 6:
      return last + "12";
    case 9:
      return first + "07";
    default:
      break;
    }
  }
  static const char* const locators[] = {"JO31", "JO42AA", "JO60", "JN49", "JO30", "JO31MX",
                                         "KP20", "JO62",   "JO42", "IO91", "JO52", "JO43"};
  static const char* const areas[] = {"F12TA", "B03RA", "F12TA", "C07HF", "F12TA", "A01AK",
                                      "F12TA", "D10JN", "E11YZ", "B03RA", "F15TA", "G20KT"};
  static const char* const states[] = {"CA", "NY", "TX", "CA", "XX", "WA",
                                       "NY", "FL", "OH", "DC", "CA", "MA"};
  static const char* const postcodes[] = {"48149", "12345", "48155", "80331", "01067", "20095",
                                          "48149", "50667", "60311", "70173", "99999", "10115"};
  static const char* const members[] = {"1234", "2345", "1234", "999",  "NM",  "3456",
                                        "4567", "0",    "5678", "1234", "777", "888"};
  static const char* const ldks[] = {"MS", "BOR", "MS",  "COE", "ST",  "WAF",
                                     "MS", "RE",  "BOT", "GE",  "HAM", "BOR"};
  static const char* const clubs[] = {"M123", "12345", "M123", "4711", "M7", "NM",
                                      "M456", "42",    "M123", "M999", "77", "M1"};
  static const char* const others[] = {"37", "XX",   "0",  "NM", "1234", "IPA",
                                       "A",  "5999", "12", "AB", "5",    "X"};
  switch (kind) {
  case exchange::kDok:
    return doks[i];
  case exchange::kLocator4:
  case exchange::kLocator:
    return locators[i];
  case exchange::kQsoNumber:
  case exchange::kModeNumber:
  case exchange::kBandSerial:
    return std::to_string(i + 1);
  case exchange::kArea:
    return areas[i];
  case exchange::kUsState:
    return states[i];
  case exchange::kPostcode:
    return postcodes[i];
  case exchange::kMember:
    return members[i];
  case exchange::kLdk:
    return ldks[i];
  case exchange::kMember19:
    return clubs[i];
  default:
    return others[i];
  }
}

struct Golden {
  int qsos;
  int points;
  int multis;
  long long score;
  friend bool operator==(const Golden&, const Golden&) = default;
};

std::ostream& operator<<(std::ostream& out, const Golden& g) {
  return out << "{" << g.qsos << ", " << g.points << ", " << g.multis << ", " << g.score << "}";
}

// clang-format off
// code  {QSOs stored, points, multipliers, score}
const std::map<char, Golden> kGolden = {
    {'1', {11, 11, 12, 132}},
    {'2', {11, 19, 36, 684}},
    {'3', {11, 28, 5, 140}},
    {'4', {11, 22, 3, 66}},
    {'5', {11, 35, 9, 35}},
    {'6', {11, 51, 0, 51}},
    {'7', {11, 101, 15, 1515}},
    {'8', {11, 3938, 0, 3938}},
    {'9', {12, 28, 6, 168}},
    {'A', {11, 12, 0, 12}},
    {'B', {11, 11, 11, 121}},
    {'C', {11, 33, 4, 132}},
    {'D', {11, 22, 12, 264}},
    {'E', {11, 3377, 0, 3377}},
    {'F', {11, 11, 4, 44}},
    {'G', {11, 11, 4, 44}},
    {'H', {11, 2, 8, 16}},
    {'I', {11, 12, 4, 48}},
    {'J', {11, 11, 19, 209}},
    {'K', {11, 11, 4, 44}},
    {'L', {11, 23, 4, 92}},
    {'N', {11, 8438, 9, 8438}},
    {'O', {11, 11, 10, 110}},
    {'P', {11, 6193, 11, 6193}},
    {'Q', {11, 20, 0, 20}},
    {'R', {11, 11, 4, 44}},
    {'S', {11, 11, 4, 44}},
    {'T', {11, 11, 4, 44}},
    {'U', {11, 11, 7, 77}},
    {'V', {11, 11, 11, 121}},
    {'Y', {11, 27, 4, 108}},
    {'Z', {11, 15, 2, 30}},
    {'a', {11, 11, 4, 44}},
    {'b', {11, 11, 6, 66}},
    {'c', {11, 66, 5, 330}},
    {'d', {11, 16, 4, 64}},
    {'e', {11, 58, 13, 754}},
    {'f', {11, 11, 9, 99}},
    {'g', {11, 38, 13, 494}},
    {'h', {11, 11, 4, 44}},
    {'i', {11, 65, 5, 325}},
    {'j', {11, 3938, 0, 3938}},
    {'k', {11, 15, 9, 135}},
    {'l', {11, 12, 4, 48}},
};
// clang-format on

class GoldenLog : public SessionTest, public ::testing::WithParamInterface<char> {
protected:
  /// Types QSO `i`: its call, then whatever the focused field asks for, until the entry
  /// starts again at the call field.
  void TypeQso(int i) {
    QsoSession& s = S();
    Type(kCalls[i]);
    Enter();
    for (int step = 0; step < 12 && s.Form().Focus() != F::eCall; ++step) {
      const F field = s.Form().Focus();
      std::string value;
      if (field == F::eCall2) {
        value = "DL7XYZ";
      } else {
        for (int n = 1; n <= 3; ++n) {
          if (field == ReceivedField(n + 1) || field == SentField(n + 1)) {
            const int kind = field == ReceivedField(n + 1) ? s.Definition().RcvdExchange(n)
                                                           : s.Definition().SentExchange(n);
            value = ElementValue(kind, i, s.Definition());
          }
        }
      }
      Type(value);
      Enter();
    }
    AdvanceClock(60);
  }

  Golden Totals() {
    const SlotTotals totals = S().Log().Totals();
    return {totals.TotalQsos(), totals.TotalPoints(), totals.TotalMultis(), S().Log().Score()};
  }
};

TEST_P(GoldenLog, ScoreOfTheSameTwelveQsos) {
  const char code = GetParam();
  ContestSetup setup;
  setup.code = code;
  // Codes whose base definition names no band need a category.
  {
    ContestHeaderFields fields;
    if (BuildContestDefinition(code, fields, setup.locator, dialogs_, clock_).Bands.empty())
      setup.category = 1;
  }
  Open(setup);
  for (int i = 0; i < kGoldenQsos; ++i) {
    SCOPED_TRACE(kCalls[i]);
    TypeQso(i);
  }
  const Golden after = Totals();
  EXPECT_EQ(after.qsos, StoredCount());
  const auto golden = kGolden.find(code);
  if (golden == kGolden.end())
    ADD_FAILURE() << "no golden totals: {'" << code << "', " << after << "},";
  else
    EXPECT_EQ(after, golden->second);
  Reopen();
  EXPECT_EQ(Totals(), after);
}

INSTANTIATE_TEST_SUITE_P(EveryCode, GoldenLog,
                         ::testing::Values('1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B',
                                           'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'N',
                                           'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'Y', 'Z', 'a',
                                           'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l'),
                         [](const ::testing::TestParamInfo<char>& info) {
                           const char c = info.param;
                           return std::string(c >= 'a' ? "lower_" : "code_") + c;
                         });

} // namespace
} // namespace tarvik::test
