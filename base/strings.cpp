#include "base/strings.h"

#include <algorithm>

namespace tarvik {

namespace {

int ClampWidth(int n) {
  return std::clamp(n, 0, kMaxShortString);
}

bool IsBlankOrTab(char c) {
  return c == ' ' || c == '\t';
}

} // namespace

std::string CharStr(char ch, int n) {
  return std::string(static_cast<size_t>(ClampWidth(n)), ch);
}

std::string PadCh(std::string_view text, char ch, int n) {
  std::string out(text);
  const size_t width = static_cast<size_t>(ClampWidth(n));
  if (out.size() < width)
    out.append(width - out.size(), ch);
  return out;
}

std::string Pad(std::string_view text, int n) {
  return PadCh(text, ' ', n);
}

std::string LeftPadCh(std::string_view text, char ch, int n) {
  const size_t width = static_cast<size_t>(ClampWidth(n));
  if (text.size() >= width)
    return std::string(text);
  std::string out(width - text.size(), ch);
  out.append(text);
  return out;
}

std::string LeftPad(std::string_view text, int n) {
  return LeftPadCh(text, ' ', n);
}

std::string CenterCh(std::string_view text, char ch, int n) {
  const size_t width = static_cast<size_t>(ClampWidth(n));
  if (text.size() >= width)
    return std::string(text);
  std::string out(width, ch);
  const size_t start = (width - text.size()) / 2;
  out.replace(start, text.size(), text);
  return out;
}

std::string Center(std::string_view text, int n) {
  return CenterCh(text, ' ', n);
}

std::string TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlankOrTab(text[begin]))
    ++begin;
  while (end > begin && IsBlankOrTab(text[end - 1]))
    --end;
  return std::string(text.substr(begin, end - begin));
}

std::string TrimSpaces(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ')
    --end;
  while (begin < end && (text[begin] == ' ' || text[begin] == '\0'))
    ++begin;
  return std::string(text.substr(begin, end - begin));
}

char UpCaseChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z')
    return static_cast<char>(u - 32);
  switch (u) {
  case 228:
    return static_cast<char>(196); // ä -> Ä
  case 246:
    return static_cast<char>(214); // ö -> Ö
  case 252:
    return static_cast<char>(220); // ü -> Ü
  default:
    return c;
  }
}

char LoCaseChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z')
    return static_cast<char>(u + 32);
  switch (u) {
  case 196:
    return static_cast<char>(228);
  case 214:
    return static_cast<char>(246);
  case 220:
    return static_cast<char>(252);
  default:
    return c;
  }
}

std::string UpCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = UpCaseChar(c);
  return out;
}

std::string LoCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = LoCaseChar(c);
  return out;
}

std::string AddBackslash(std::string_view text) {
  std::string out(text);
  if (!out.empty() && out.back() != '\\' && out.back() != ':')
    out.push_back('\\');
  return out;
}

} // namespace tarvik
