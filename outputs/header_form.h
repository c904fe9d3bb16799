#pragma once
// What the contest header window shows, as plain data: the texts and states of its controls
// (HeaderForm, which the window copies to and from its widgets) and what the contest code
// and category decide about the form (HeaderView: captions, labels, which groups and
// buttons are there). The rules that fill and read them are in contest_header_model.h.

#include <array>
#include <string>
#include <vector>

namespace tarvik {

/// How the header window is opened.
enum class HeaderWindowMode { kNew, kExisting, kReview };

/// Controls a check can point at: a failed check colours it light red and focuses it.
enum class HeaderControl {
  kNone,
  eName,
  eDatumvon,
  eDatumbis,
  eZeitvon,
  eZeitbis,
  eCall,
  eDOK,
  eSWL,
  ecname,
  eStrasse,
  ePLZ,
  eOrt,
  eLand,
  eLoc,
  eJahre,
  eteilnahmeart,    ///< the category group
  grouputc,         ///< the clock group ("Computerzeit")
  memogroupzusatz3, ///< the station description
};

/// The radio buttons "Start mit:" (none checked when the chosen one was disabled).
enum class StartMode { kNone, kCw, kSsb, kFm, kPr };

/// The clock group: the computer runs on local time (rZeitOrt) or on UTC (rZeitUTC).
enum class ClockChoice { kNone, kLocal, kUtc };

/// The four period fields, numbered as their bits in `periodEdited`.
enum class PeriodField { kDateFrom = 0, kDateTo = 1, kTimeFrom = 2, kTimeTo = 3 };

/// The texts and states of the window's controls.
struct HeaderForm {
  // "Angaben zum Contest"
  std::string eName;
  std::string eDatumvon, eDatumbis; ///< "dd.mm.yyyy"
  std::string eZeitvon, eZeitbis;   ///< "hh:mm"
  // "Contest- Teilnehmer"
  std::string eCall, eDOK, eSWL;
  std::string ecname, eStrasse, ePLZ, eOrt, eLand, eLoc;
  // "Teilnahme": the chosen category's number (1-based), 0 for none
  int category = 0;
  // "Mode"
  StartMode startMode = StartMode::kCw;
  // "Programm- Einstellungen"
  bool edatumauto = false, ezeitauto = false, eBandauto = false;
  bool eaktrsts = false, eaktrstr = false; ///< checked: RST fixed to 59(9)
  std::string eQSLw, eqslr;                ///< one character, upper case
  bool crstsnichtsperren = false, cdoppelqso = false;
  // "Computerzeit"
  ClockChoice clock = ClockChoice::kNone;
  // Per-code extras
  std::string eJahre;   ///< groupZusatz
  int zusatz2 = 0;      ///< GroupZusatz2: 0 rZusatz21, 1 rZusatz22, 2 rZusatz23
  bool eHMja = false;   ///< GroupFrage: yes (eHMnein otherwise)
  std::string station;  ///< memogroupzusatz3
  bool bausatz = false; ///< checkboxgroupzusatz3 "selbstgebauter Bausatz"
  bool unikat = false;  ///< checkboxgroupzusatz3_2 "individuelles Unikat"

  friend bool operator==(const HeaderForm&, const HeaderForm&) = default;
};

/// One entry of the category group.
struct CategoryChoice {
  int number = 0; ///< 1-based category number
  std::string name;
  friend bool operator==(const CategoryChoice&, const CategoryChoice&) = default;
};

/// What the contest code, the category and the window's mode decide about the form.
struct HeaderView {
  std::string caption;          ///< the window caption
  bool fromLogWindow = false;   ///< review mode: only "Beenden" ends the window
  std::string dokLabel = "DOK"; ///< leDOK: "DOK", "Area" or "LDK"

  std::vector<CategoryChoice> categories;
  bool categoriesEnabled = true; ///< false once a category is stored
  int categoryColumns = 1;       ///< 2 for more than 7 categories

  /// rcw, rssb, rFM, rPR: enabled for the contest's modes.
  bool cwEnabled = false, ssbEnabled = false, fmEnabled = false, prEnabled = false;
  std::string prCaption = "PR"; ///< "DIGI" or "FSK441" where the contest names it so

  bool bandAutoVisible = false; ///< eBandauto: the contest's periods carry bands
  bool rstBoxesVisible = true;  ///< eaktrsts, eaktrstr, crstsnichtsperren

  // groupZusatz
  bool zusatzVisible = false;
  std::string label15, label16;
  int jahreMaxLength = 0; ///< 0: no limit of its own
  // GroupZusatz2 (code Y)
  bool zusatz2Visible = false;
  // GroupFrage (codes U, Z)
  bool frageVisible = false;
  std::string frageCaption, frageQuestion;
  // groupzusatz3 (codes b, j)
  bool stationVisible = false;
  bool stationChecksVisible = false;

  /// Names of the bands of the evaluation panel's seven slots; empty: slot hidden.
  std::array<std::string, 7> bandNames;
};

} // namespace tarvik
