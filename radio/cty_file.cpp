#include "radio/cty_file.h"

#include <algorithm>

namespace tarvik {

namespace {

constexpr std::size_t kMaxPrefixLength = 20;
constexpr std::size_t kMaxNameLength = 60;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back()))
    s.remove_suffix(1);
  return s;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

/// A zone number 1..99 as two digits; "" for anything else.
std::string Zone(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text.size() > 2 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return {};
  const int n = std::stoi(std::string(text));
  if (n < 1)
    return {};
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

/// A continent: two letters.
std::string Continent(std::string_view text) {
  const std::string c = Upper(Trim(text));
  if (c.size() != 2 ||
      !std::all_of(c.begin(), c.end(), [](char ch) { return ch >= 'A' && ch <= 'Z'; }))
    return {};
  return c;
}

int EntityNumber(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text.size() > 4 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::stoi(std::string(text));
}

/// Fills the header fields of a country; false when a field is unusable.
bool SetHeader(CtyCountry* c, std::string_view mainPrefix, std::string_view name,
               std::string_view cq, std::string_view itu, std::string_view continent) {
  mainPrefix = Trim(mainPrefix);
  if (!mainPrefix.empty() && mainPrefix.front() == '*') {
    c->waeOnly = true;
    mainPrefix.remove_prefix(1);
  }
  c->mainPrefix = Upper(mainPrefix);
  c->name = std::string(Trim(name).substr(0, kMaxNameLength));
  c->cqZone = Zone(cq);
  c->ituZone = Zone(itu);
  c->continent = Continent(continent);
  return !c->mainPrefix.empty() && c->mainPrefix.size() <= kMaxPrefixLength && !c->name.empty() &&
         !c->cqZone.empty() && !c->ituZone.empty() && !c->continent.empty();
}

/// Splits `list` at separators and adds every usable token as a prefix of `c`.
void AddPrefixes(std::string_view list, CtyCountry* c) {
  std::size_t i = 0;
  while (i < list.size()) {
    while (i < list.size() && (IsSpace(list[i]) || list[i] == ','))
      ++i;
    std::size_t end = i;
    while (end < list.size() && !IsSpace(list[end]) && list[end] != ',')
      ++end;
    if (end > i) {
      CtyPrefix p;
      if (ParseCtyPrefix(list.substr(i, end - i), *c, &p))
        c->prefixes.push_back(std::move(p));
    }
    i = end;
  }
}

std::vector<std::string_view> Split(std::string_view s, char sep, std::size_t maxParts) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < maxParts) {
    const std::size_t at = s.find(sep);
    if (at == std::string_view::npos)
      break;
    parts.push_back(s.substr(0, at));
    s.remove_prefix(at + 1);
  }
  parts.push_back(s);
  return parts;
}

} // namespace

bool ParseCtyPrefix(std::string_view token, const CtyCountry& country, CtyPrefix* out) {
  token = Trim(token);
  if (!token.empty() && token.back() == ';')
    token.remove_suffix(1);
  CtyPrefix p;
  if (!token.empty() && token.front() == '=') {
    p.wholeCall = true;
    token.remove_prefix(1);
  }
  std::size_t baseEnd = token.find_first_of("([<{~");
  if (baseEnd == std::string_view::npos)
    baseEnd = token.size();
  p.text = Upper(token.substr(0, baseEnd));
  if (p.text.empty() || p.text.size() > kMaxPrefixLength)
    return false;
  for (char c : p.text) {
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/'))
      return false;
  }
  p.cqZone = country.cqZone;
  p.ituZone = country.ituZone;
  p.continent = country.continent;
  std::string_view rest = token.substr(baseEnd);
  while (!rest.empty()) {
    const char open = rest.front();
    const char close = open == '('   ? ')'
                       : open == '[' ? ']'
                       : open == '<' ? '>'
                       : open == '{' ? '}'
                                     : '~';
    const std::size_t end = rest.find(close, 1);
    if (end == std::string_view::npos)
      break; // an unterminated override: the rest is ignored
    const std::string_view value = rest.substr(1, end - 1);
    if (open == '(') {
      if (std::string z = Zone(value); !z.empty())
        p.cqZone = z;
    } else if (open == '[') {
      if (std::string z = Zone(value); !z.empty())
        p.ituZone = z;
    } else if (open == '{') {
      if (std::string c = Continent(value); !c.empty())
        p.continent = c;
    }
    rest.remove_prefix(end + 1);
  }
  *out = std::move(p);
  return true;
}

CtyFormat DetectCtyFormat(std::string_view text) {
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view line = Trim(text.substr(0, eol));
    if (!line.empty())
      return std::count(line.begin(), line.end(), ':') >= 8 && line.back() == ':' ? CtyFormat::kDat
                                                                                  : CtyFormat::kCsv;
    if (eol == std::string_view::npos)
      break;
    text.remove_prefix(eol + 1);
  }
  return CtyFormat::kCsv;
}

CtyFile ParseCtyFile(std::string_view text) {
  return DetectCtyFormat(text) == CtyFormat::kDat ? ParseCtyDat(text) : ParseCtyCsv(text);
}

CtyFile ParseCtyCsv(std::string_view text) {
  CtyFile file;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view line = Trim(text.substr(0, eol));
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.empty() || line.front() == '#')
      continue;
    const std::vector<std::string_view> f = Split(line, ',', 10);
    CtyCountry c;
    if (f.size() < 10 || !SetHeader(&c, f[0], f[1], f[4], f[5], f[3]) ||
        (c.entityNumber = EntityNumber(f[2])) < 0) {
      ++file.badRecords;
      continue;
    }
    AddPrefixes(f[9], &c);
    file.countries.push_back(std::move(c));
  }
  return file;
}

CtyFile ParseCtyDat(std::string_view text) {
  CtyFile file;
  while (!Trim(text).empty()) {
    const std::size_t semicolon = text.find(';');
    const std::string_view record = text.substr(0, semicolon);
    text.remove_prefix(semicolon == std::string_view::npos ? text.size() : semicolon + 1);
    // The header is the first eight colon-ended fields.
    std::vector<std::string_view> header;
    std::string_view rest = record;
    while (header.size() < 8) {
      const std::size_t colon = rest.find(':');
      if (colon == std::string_view::npos)
        break;
      header.push_back(rest.substr(0, colon));
      rest.remove_prefix(colon + 1);
    }
    CtyCountry c;
    if (header.size() < 8 ||
        !SetHeader(&c, header[7], header[0], header[1], header[2], header[3])) {
      ++file.badRecords;
      continue;
    }
    AddPrefixes(rest, &c);
    file.countries.push_back(std::move(c));
  }
  return file;
}

} // namespace tarvik
