#include "base/pictures.h"

#include <cmath>
#include <cstdio>

namespace tarvik {

namespace {

bool IsPictureChar(char c) {
  switch (c) {
  case '#':
  case '@':
  case '*':
  case '$':
  case '-':
  case '+':
  case ',':
  case '.':
    return true;
  default:
    return false;
  }
}

bool IsDigitPosition(char c) {
  return c == '#' || c == '@' || c == '*' || c == '$';
}
bool IsSeparator(char c) {
  return c == ',' || c == '.';
}

} // namespace

std::string FormatPicture(std::string_view picture, double x) {
  if (picture.empty())
    return {};
  size_t start = 0;
  while (start < picture.size() && !IsPictureChar(picture[start]))
    ++start;
  if (start == picture.size())
    return std::string(picture);
  size_t end = start;
  while (end < picture.size() && IsPictureChar(picture[end]))
    ++end;
  const std::string_view field = picture.substr(start, end - start);

  // What the field asks for.
  int digits = 0;
  int lastSeparator = -1;
  bool hasZero = false, hasStar = false, hasDollar = false, hasSign = false;
  for (size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (IsDigitPosition(c))
      ++digits;
    if (c == '@')
      hasZero = true;
    if (c == '*')
      hasStar = true;
    if (c == '$')
      hasDollar = true;
    if (c == '+' || c == '-')
      hasSign = true;
    if (IsSeparator(c))
      lastSeparator = static_cast<int>(i);
  }
  int decimals = 0;
  if (lastSeparator >= 0)
    for (size_t i = static_cast<size_t>(lastSeparator) + 1; i < field.size(); ++i)
      if (IsDigitPosition(field[i]))
        ++decimals;
  const char fill = hasZero ? '0' : (hasStar ? '*' : ' ');
  const bool dollar = hasDollar && !hasZero;
  const int width = digits + (decimals > 0 ? 1 : 0);

  // The number as plain text, right-aligned in `width` characters.
  std::string text;
  bool overflow = !std::isfinite(x);
  bool negative = false;
  if (!overflow) {
    const double magnitude = std::fabs(x);
    const int len = std::snprintf(nullptr, 0, "%*.*f", width, decimals, magnitude);
    if (len < 0) {
      overflow = true;
    } else {
      text.resize(static_cast<size_t>(len) + 1);
      std::snprintf(text.data(), text.size(), "%*.*f", width, decimals, magnitude);
      text.pop_back();
      // A negative number that rounds to zero shows no minus sign.
      if (x < 0)
        for (char c : text)
          if (c >= '1' && c <= '9')
            negative = true;
    }
  } else {
    negative = x < 0;
  }
  const bool autoMinus = negative && !hasSign && fill == ' ';
  size_t lead = 0;
  while (lead < text.size() && text[lead] == ' ')
    ++lead;
  const size_t needed = (dollar ? 1 : 0) + (autoMinus ? 1 : 0);
  if (!overflow && (static_cast<int>(text.size()) > width || lead < needed))
    overflow = true;

  std::string out(field);
  if (overflow) {
    for (char& c : out) {
      if (IsDigitPosition(c))
        c = '*';
      else if (c == '+')
        c = negative ? '-' : '+';
      else if (c == '-')
        c = negative ? '-' : ' ';
    }
  } else {
    for (size_t i = 0; i < lead; ++i)
      text[i] = fill;
    size_t signAt = lead;
    if (dollar)
      text[--signAt] = '$';
    if (autoMinus)
      text[--signAt] = '-';

    // Fill the field from right to left; the text's own decimal point is skipped.
    long j = static_cast<long>(text.size()) - 1;
    auto skipPoint = [&] {
      while (j >= 0 && text[static_cast<size_t>(j)] == '.')
        --j;
    };
    auto next = [&]() -> char {
      skipPoint();
      if (j < 0)
        return fill;
      return text[static_cast<size_t>(j--)];
    };
    for (long i = static_cast<long>(out.size()) - 1; i >= 0; --i) {
      const char c = field[static_cast<size_t>(i)];
      if (IsDigitPosition(c)) {
        out[static_cast<size_t>(i)] = next();
      } else if (c == '+') {
        out[static_cast<size_t>(i)] = negative ? '-' : '+';
      } else if (c == '-') {
        out[static_cast<size_t>(i)] = negative ? '-' : ' ';
      } else if (i != lastSeparator) {
        // Grouping separator: kept while digits of the number remain to its left.
        skipPoint();
        if (j < static_cast<long>(lead))
          out[static_cast<size_t>(i)] = next();
      }
      // The decimal separator keeps the picture's own character.
    }
  }

  std::string result(picture.substr(0, start));
  result += out;
  result += picture.substr(end);
  return result;
}

std::string FormatLongPicture(std::string_view picture, std::int32_t n) {
  if (picture.empty() || picture.size() == 255)
    return FormatPicture(picture, n);
  std::string withPoint(picture);
  withPoint.push_back('.');
  std::string out = FormatPicture(withPoint, n);
  out.pop_back();
  return out;
}

} // namespace tarvik
