#pragma once
// The entrant's data of the EDI file header (the participant dialog ParticipantDialog): the EDI
// writer fills it in, the person checks and completes it in the dialog just before the file
// is written, and the writer reads it back. The dialog has no checks and stores nothing.

#include <array>
#include <string>
#include <string_view>

namespace tarvik {

/// The choices of the dialog's band list, in order.
inline constexpr std::array<std::string_view, 15> kParticipantBands = {
    "50 MHz", "70 MHz", "144 MHz", "432 MHz", "1,3 GHz", "2,3 GHz", "3,4 GHz", "5,7 GHz",
    "10 GHz", "24 GHz", "47 GHz",  "76 GHz",  "120 GHz", "144 GHz", "248 GHz"};

struct ParticipantData {
  // "Teilnehmer"
  std::string pcall;           ///< "Call"
  std::string ploc;            ///< "Locator"
  std::string padr1;           ///< "Adresszeile 1"
  std::string padr2;           ///< "Adresszeile 2"
  std::string psect = "1";     ///< "Teilnahmeklasse:"
  int pband = -1;              ///< index into kParticipantBands; -1: none chosen
  std::string pclub1 = "DARC"; ///< "Club"
  std::string pclub2;          ///< "DOK"
  std::string remail;          ///< "EMail"
  // "zuständiger Funkamateur"
  std::string rname;        ///< "Name"
  std::string radr1;        ///< "Adresszeile 1"
  std::string radr2;        ///< "Adresszeile 2"
  std::string rpoco;        ///< "PLZ"
  std::string rcity;        ///< "Stadt"
  std::string rcoun = "DL"; ///< "Land"
  // "Mehrmann": further operators, calls separated by ";"
  std::string mope1, mope2;
  // "Station"
  std::string rtrx;   ///< "TRX"
  std::string rant;   ///< "Ant."
  std::string rpower; ///< "Power"
  // "Bemerkungen, Ausrüstung" (several lines, "\n" between them)
  std::string rremarks;

  /// The chosen band's text, "" when none is chosen.
  std::string BandText() const {
    return pband >= 0 && static_cast<std::size_t>(pband) < kParticipantBands.size()
               ? std::string(kParticipantBands[static_cast<std::size_t>(pband)])
               : std::string();
  }

  friend bool operator==(const ParticipantData&, const ParticipantData&) = default;
};

} // namespace tarvik
