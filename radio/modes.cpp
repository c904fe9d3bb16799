#include "radio/modes.h"

#include <array>
#include <string>

#include "base/strings.h"

namespace tarvik {

namespace {

struct ModeText {
  const char* text;
  char group;
};

// In group order: the first equal text wins.
constexpr std::array<ModeText, 34> kModeTexts = {{
    {"CW", 'a'},     {"A1A", 'a'},    {"A1", 'a'},     {"SSB", 'b'},    {"USB", 'b'},
    {"J3E", 'b'},    {"LSB", 'b'},    {"AM", 'c'},     {"A3E", 'c'},    {"A3", 'c'},
    {"FM", 'd'},     {"F3E", 'd'},    {"F3", 'd'},     {"RTTY", 'e'},   {"HELL", 'e'},
    {"MFSK", 'e'},   {"FSK", 'e'},    {"WSJT", 'e'},   {"FSK441", 'e'}, {"MT63", 'e'},
    {"RY", 'e'},     {"AMTOR", 'f'},  {"PACTOR", 'g'}, {"TOR", 'g'},    {"FAX", 'h'},
    {"ATV", 'i'},    {"SSTV", 'j'},   {"SAT", 'k'},    {"PSK", 'l'},    {"PSK31", 'l'},
    {"PSK-31", 'l'}, {"PACKET", 'm'}, {"PKT", 'm'},    {"PR", 'm'},
}};

} // namespace

char ModeGroup(std::string_view modeText) {
  if (modeText.size() >= 2 && modeText[0] == '2' && (modeText[1] == 'x' || modeText[1] == 'X'))
    modeText.remove_prefix(2);
  const std::string mode = TrimBlanks(modeText);
  for (const ModeText& m : kModeTexts)
    if (mode == m.text)
      return m.group;
  return ' ';
}

} // namespace tarvik
