#include "base/text_helpers.h"

#include <vector>

#include <algorithm>
#include <cmath>

#include "base/process_settings.h"
#include "base/strings.h"

namespace tarvik {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsAsciiLower(char c) {
  return c >= 'a' && c <= 'z';
}
char AsciiUpper(char c) {
  return IsAsciiLower(c) ? static_cast<char>(c - 32) : c;
}

// Reads digits from `pos`; returns how many were read and accumulates their value.
size_t ReadDigits(std::string_view text, size_t pos, double& value) {
  size_t n = 0;
  while (pos + n < text.size() && IsDigit(text[pos + n])) {
    value = value * 10 + (text[pos + n] - '0');
    ++n;
  }
  return n;
}

ParsedReal Failure(size_t index) {
  return {0.0, static_cast<int>(index) + 1};
}

// Shapes of a typed date: 'D' a digit, '.' a dot; the positions and lengths of day, month
// and year (year length 0: the current year is taken).
struct DateShape {
  const char* pattern;
  size_t dayPos, dayLen, monthPos, monthLen, yearPos, yearLen;
};

constexpr DateShape kDateShapes[] = {
    {"DD", 0, 1, 1, 1, 0, 0},      {"DDD", 0, 2, 2, 1, 0, 0},      {"D.D", 0, 1, 2, 1, 0, 0},
    {"DDDD", 0, 2, 2, 2, 0, 0},    {"D.DD", 0, 1, 2, 2, 0, 0},     {"DD.D", 0, 2, 3, 1, 0, 0},
    {"DDDDD", 0, 2, 2, 1, 3, 2},   {"DD.DD", 0, 2, 3, 2, 0, 0},    {"DDDDDD", 0, 2, 2, 2, 4, 2},
    {"D.D.DD", 0, 1, 2, 1, 4, 2},  {"DD.DD.", 0, 2, 3, 2, 0, 0},   {"DD.D.DD", 0, 2, 3, 1, 5, 2},
    {"D.DD.DD", 0, 1, 2, 2, 5, 2}, {"DDDDDDDD", 0, 2, 2, 2, 4, 4}, {"DD.DD.DD", 0, 2, 3, 2, 6, 2},
};

bool MatchesShape(std::string_view text, std::string_view pattern) {
  if (text.size() != pattern.size())
    return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (pattern[i] == 'D' ? !IsDigit(text[i]) : text[i] != pattern[i])
      return false;
  }
  return true;
}

} // namespace

std::string ChooseText(std::string_view german, std::string_view english) {
  return std::string(IsGerman() ? german : english);
}

std::string FixWidth(std::string_view text, int n) {
  const size_t width = static_cast<size_t>(std::clamp(n, 0, kMaxShortString));
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string CharsToText(std::string_view chars) {
  std::string out(chars);
  std::replace(out.begin(), out.end(), '\0', ' ');
  return TrimBlanks(out);
}

std::string NextKeyText(std::string_view text, int n) {
  std::string out = Pad(text, n);
  const size_t width = static_cast<size_t>(std::clamp(n, 0, kMaxShortString));
  for (size_t i = std::min(width, out.size()); i > 0; --i) {
    auto& c = out[i - 1];
    if (static_cast<unsigned char>(c) < 'z') {
      c = static_cast<char>(static_cast<unsigned char>(c) + 1);
      return out;
    }
  }
  return CharStr(static_cast<char>(255), n);
}

std::string OemUmlauts(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    switch (static_cast<unsigned char>(c)) {
    case 129:
      c = static_cast<char>(252);
      break; // ü
    case 132:
      c = static_cast<char>(228);
      break; // ä
    case 142:
      c = static_cast<char>(196);
      break; // Ä
    case 148:
      c = static_cast<char>(246);
      break; // ö
    case 153:
      c = static_cast<char>(214);
      break; // Ö
    case 154:
      c = static_cast<char>(220);
      break; // Ü
    case 225:
      c = static_cast<char>(223);
      break; // ß
    case 251:
      c = 'Y';
      break;
    default:
      break;
    }
  }
  return out;
}

std::string SlashedZero(std::string_view text) {
  std::string out(text);
  std::replace(out.begin(), out.end(), '0', static_cast<char>(216));
  return out;
}

std::string CharToText(char c) {
  return c == '\0' ? std::string() : std::string(1, c);
}

ParsedReal ParseReal(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ')
    ++pos;
  bool negative = false;
  const size_t signPos = pos;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }

  size_t separator = text.find(',');
  if (separator == std::string_view::npos)
    separator = text.find('.');

  double value = 0;
  if (separator != std::string_view::npos && separator >= pos) {
    // Integer part, separator, fraction digits.
    const size_t intDigits = ReadDigits(text, pos, value);
    if (pos + intDigits != separator)
      return Failure(pos + intDigits);
    double fraction = 0;
    const size_t fracDigits = ReadDigits(text, separator + 1, fraction);
    if (separator + 1 + fracDigits != text.size())
      return Failure(separator + 1 + fracDigits);
    if (intDigits == 0 && fracDigits == 0)
      return Failure(separator);
    value += fraction / std::pow(10.0, static_cast<double>(fracDigits));
    if (!std::isfinite(value))
      return Failure(0);
    return {negative ? -value : value, 0};
  }

  // A whole number with an optional exponent.
  const size_t digits = ReadDigits(text, pos, value);
  if (digits == 0)
    return Failure(pos < text.size() ? pos : (text.empty() ? 0 : signPos));
  pos += digits;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    size_t p = pos + 1;
    bool negativeExponent = false;
    if (p < text.size() && (text[p] == '-' || text[p] == '+'))
      negativeExponent = text[p++] == '-';
    double exponent = 0;
    const size_t expDigits = ReadDigits(text, p, exponent);
    if (expDigits == 0)
      return Failure(p);
    value *= std::pow(10.0, negativeExponent ? -exponent : exponent);
    pos = p + expDigits;
  }
  if (pos != text.size())
    return Failure(pos);
  if (!std::isfinite(value))
    return Failure(0);
  return {negative ? -value : value, 0};
}

std::string StyleName(std::string_view text, int style) {
  switch (style) {
  case 1:
    return UpCase(text);
  case 2:
    return LoCase(text);
  case 3: {
    std::string out = LoCase(text);
    if (!out.empty())
      out[0] = AsciiUpper(out[0]);
    return out;
  }
  case 4: {
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i)
      if (i == 0 || out[i - 1] == '-' || out[i - 1] == '.')
        out[i] = AsciiUpper(out[i]);
    return out;
  }
  default:
    return std::string(text);
  }
}

std::string StyleName(std::string_view text) {
  return StyleName(text, NameStyle());
}

std::string CompleteDate(std::string_view typed, const Clock& clock) {
  const std::string text = TrimBlanks(typed);
  for (const DateShape& shape : kDateShapes) {
    if (!MatchesShape(text, shape.pattern))
      continue;
    const std::string currentYear = std::to_string(clock.LocalNow().year);
    std::string year;
    if (shape.yearLen == 0) {
      year = currentYear;
    } else if (shape.yearLen == 4) {
      year = text.substr(shape.yearPos, 4);
    } else {
      const std::string yy = text.substr(shape.yearPos, 2);
      year = (std::stoi(yy) >= 50 ? std::string("19") : currentYear.substr(0, 2)) + yy;
    }
    return LeftPadCh(text.substr(shape.dayPos, shape.dayLen), '0', 2) + "." +
           LeftPadCh(text.substr(shape.monthPos, shape.monthLen), '0', 2) + "." + year;
  }
  return text;
}

std::string CompleteTime(std::string_view typed) {
  const std::string t = TrimBlanks(typed);
  const bool hasColon = t.find(':') != std::string::npos;
  const bool hasSeparator = hasColon || t.find('.') != std::string::npos;
  // Hours as two characters, ":", minutes as the last two characters.
  auto join = [](char h1, char h2, std::string_view minutes) {
    std::string out{h1, h2, ':'};
    out.append(minutes);
    return out;
  };
  if (t.size() == 4 && hasSeparator)
    return join('0', t[0], std::string_view(t).substr(2, 2));
  if (t.size() == 4)
    return join(t[0], t[1], std::string_view(t).substr(2, 2));
  if (t.size() == 3 && !hasColon)
    return join('0', t[0], std::string_view(t).substr(1, 2));
  return t;
}

std::vector<std::string> TextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty())
    lines.push_back(line);
  return lines;
}

} // namespace tarvik
