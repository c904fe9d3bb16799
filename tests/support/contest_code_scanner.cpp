#include "support/contest_code_scanner.h"

#include <algorithm>
#include <regex>

namespace tarvik::test {

namespace {

bool IsCodeCharacter(char c) {
  return (c >= '1' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'l');
}

// Blanks the text of the string literal that ends before `end` and began at `begin` (its
// opening quote), unless it is made only of contest codes.
void BlankString(std::string& out, std::size_t begin, std::size_t end) {
  bool codes = end - begin >= 3;
  for (std::size_t i = begin + 1; i < end && codes; ++i)
    codes = IsCodeCharacter(out[i]);
  if (!codes)
    for (std::size_t i = begin + 1; i < end; ++i)
      out[i] = ' ';
}

// The source with comments and texts blanked out (line ends kept, so that positions keep
// their line). Character literals stay, and so do strings made only of contest codes.
std::string WithoutComments(std::string_view source) {
  std::string out(source);
  enum class State { kCode, kLineComment, kBlockComment, kString, kChar } state = State::kCode;
  std::size_t stringBegin = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const char c = out[i];
    const char next = i + 1 < out.size() ? out[i + 1] : '\0';
    switch (state) {
    case State::kCode:
      if (c == '/' && next == '/') {
        state = State::kLineComment;
        out[i] = ' ';
      } else if (c == '/' && next == '*') {
        state = State::kBlockComment;
        out[i] = ' ';
        out[++i] = ' ';
      } else if (c == '"') {
        state = State::kString;
        stringBegin = i;
      } else if (c == '\'') {
        state = State::kChar;
      }
      break;
    case State::kLineComment:
      if (c == '\n')
        state = State::kCode;
      else
        out[i] = ' ';
      break;
    case State::kBlockComment:
      if (c == '*' && next == '/') {
        out[i] = ' ';
        out[++i] = ' ';
        state = State::kCode;
      } else if (c != '\n') {
        out[i] = ' ';
      }
      break;
    case State::kString:
      if (c == '\\') {
        ++i;
      } else if (c == '"' || c == '\n') {
        BlankString(out, stringBegin, i);
        state = State::kCode;
      }
      break;
    case State::kChar:
      if (c == '\\')
        ++i;
      else if (c == '\'' || c == '\n')
        state = State::kCode;
      break;
    }
  }
  return out;
}

// An expression that holds a contest code.
const std::string kCode =
    R"((?:\b\w+\s*(?:\.|->)\s*)*(?:\b(?:code_?|contestCode_?|contest_code|kBuildContestCode|kDefaultContestCode)\b|\bContestCode\s*\(\s*\)))";
const std::string kChar = R"('(?:[^'\\]|\\.)')";
// A string made only of contest codes (two or more).
const std::string kCodes = R"("[1-9A-Za-l]{2,}")";

const std::regex& Comparison() {
  static const std::regex re(kCode + R"(\s*[!=]=\s*)" + kChar + "|" + kChar + R"(\s*[!=]=\s*)" +
                             kCode);
  return re;
}

const std::regex& CodeString() {
  static const std::regex re(kCodes + R"(\s*\)?\s*\.\s*(?:find|find_first_of|contains)\s*\(\s*)" +
                             kCode + "|" + R"(\b(?:strchr|memchr)\s*\(\s*)" + kCodes +
                             R"(\s*,\s*)" + kCode + "|" + R"(\(\s*)" + kCode + R"(\s*,\s*)" +
                             kCodes + R"(\s*[,)])");
  return re;
}

const std::regex& SwitchOverCode() {
  static const std::regex re(R"(\bswitch\s*\(\s*)" + kCode + R"(\s*\))");
  return re;
}

const std::regex& CharCase() {
  static const std::regex re(R"(\bcase\s*)" + kChar + R"(\s*:)");
  return re;
}

bool IsWordCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

std::string Trimmed(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return {};
  const std::size_t last = line.find_last_not_of(" \t\r");
  return std::string(line.substr(first, last - first + 1));
}

} // namespace

std::vector<CodeComparison> FindContestCodeComparisons(std::string_view source) {
  const std::string code = WithoutComments(source);
  // Where each line begins, to turn positions into line numbers and lines.
  std::vector<std::size_t> lineStarts = {0};
  for (std::size_t i = 0; i < code.size(); ++i)
    if (code[i] == '\n')
      lineStarts.push_back(i + 1);
  auto lineOf = [&](std::size_t position) {
    return static_cast<int>(std::upper_bound(lineStarts.begin(), lineStarts.end(), position) -
                            lineStarts.begin());
  };
  auto sourceLine = [&](int line) {
    const std::size_t begin = lineStarts[static_cast<std::size_t>(line - 1)];
    const std::size_t end = source.find('\n', begin);
    return Trimmed(source.substr(begin, end == std::string_view::npos ? end : end - begin));
  };

  std::vector<std::pair<std::size_t, int>> found; // (position, line)
  // Comparisons and strings of codes, line by line (a comparison does not span lines).
  for (std::size_t n = 0; n < lineStarts.size(); ++n) {
    const std::size_t begin = lineStarts[n];
    const std::size_t end = n + 1 < lineStarts.size() ? lineStarts[n + 1] : code.size();
    const std::string line = code.substr(begin, end - begin);
    if (line.find("ode") == std::string::npos) // no code, ContestCode or contest_code
      continue;
    for (const std::regex* re : {&Comparison(), &CodeString()})
      for (auto m = std::sregex_iterator(line.begin(), line.end(), *re);
           m != std::sregex_iterator(); ++m)
        found.emplace_back(begin + static_cast<std::size_t>(m->position()),
                           static_cast<int>(n + 1));
  }
  // The character cases of every switch over a code, up to the switch's closing brace.
  for (std::size_t at = code.find("switch"); at != std::string::npos;
       at = code.find("switch", at + 1)) {
    const std::size_t open = code.find('{', at);
    if (open == std::string::npos)
      break;
    const std::string head = code.substr(at, open - at);
    if (!std::regex_search(head, SwitchOverCode()) || (at > 0 && IsWordCharacter(code[at - 1])))
      continue;
    std::size_t close = open;
    for (int depth = 0; close < code.size(); ++close) {
      if (code[close] == '{')
        ++depth;
      else if (code[close] == '}' && --depth == 0)
        break;
    }
    const std::string body = code.substr(open, close - open);
    for (auto c = std::sregex_iterator(body.begin(), body.end(), CharCase());
         c != std::sregex_iterator(); ++c) {
      const std::size_t position = open + static_cast<std::size_t>(c->position());
      found.emplace_back(position, lineOf(position));
    }
  }
  std::sort(found.begin(), found.end());
  std::vector<CodeComparison> out;
  for (const auto& [position, line] : found)
    out.push_back({line, sourceLine(line)});
  return out;
}

} // namespace tarvik::test
