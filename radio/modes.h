#pragma once
// Mode texts reduced to mode groups: every text for one kind of emission ("CW", "A1A",
// "A1") maps to one letter, so that keys, the once-per-mode duplicate rule and per-mode
// counts treat them alike.
//
//   a  CW A1A A1                  h  FAX
//   b  SSB USB J3E LSB            i  ATV
//   c  AM A3E A3                  j  SSTV
//   d  FM F3E F3                  k  SAT
//   e  RTTY HELL MFSK FSK WSJT    l  PSK PSK31 PSK-31
//      FSK441 MT63 RY             m  PACKET PKT PR
//   f  AMTOR                      blank: every other text, "DIGITAL" included
//   g  PACTOR TOR

#include <string_view>

namespace tarvik {

/// The mode group of a mode text: a leading "2x"/"2X" is dropped, blanks and tabs at both
/// ends are removed, and the rest is compared exactly (with case) with the texts above.
/// A text of no group gives a blank.
char ModeGroup(std::string_view modeText);

} // namespace tarvik
