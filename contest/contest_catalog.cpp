#include "contest/contest_catalog.h"

#include <array>
#include <initializer_list>

#include "base/process_settings.h"
#include "contest/cabrillo_catalog.h"
#include "contest/contest_code_lists.h"
#include "contest/contest_traits.h"
#include "datafiles/call_records.h"
#include "radio/date_time.h"

namespace tarvik {

namespace {

// --- Identity: title label, logo, rules --------------------------------------------------

constexpr const char* kDarcContestPage = "https://www.darc.de/der-club/referate/conteste/";

constexpr std::array<ContestIdentity, 47> kIdentities = {{
    {'W', nullptr, nullptr, "WAGR.RTF", nullptr, nullptr},
    {'M', nullptr, nullptr, "DMPARTYR.RTF", nullptr, nullptr},
    {'X', nullptr, nullptr, "XMASR.RTF", nullptr, nullptr},
    {'V', "Mecklenburg-Vorpommern - Contest", "mvp.bmp", nullptr,
     "https://www.darc.de/der-club/distrikte/v/", nullptr},
    {'B', "Baden - Württemberg Aktivität", "bwa.bmp", nullptr,
     "https://www.darc.de/der-club/distrikte/a/", nullptr},
    {'H', "Holyland - Contest", "holyland.bmp", nullptr, "https://www.iarc.org/", nullptr},
    {'D', "Deutschland Contest des DTC e.V.", "dtc.bmp", nullptr, kDarcContestPage, nullptr},
    {'5', "Funkertag-QSO-Party 2009", "party062005.bmp", "PARTYR.RTF", nullptr, nullptr},
    {'P', "Februar-QSO-Party 2009", "party022005.bmp", "PARTYFR.RTF", nullptr, nullptr},
    {'E', "Europatag der Schulstationen", "eutag.bmp", "EUTAGR.RTF", nullptr, nullptr},
    {'F', "Aktivitätswettbewerb Franken", "franken.bmp", nullptr,
     "https://www.darc.de/der-club/distrikte/b/", nullptr},
    {'J', "Hamburg Contest", "hamburg.bmp", nullptr, "https://www.darc.de/der-club/distrikte/e/",
     nullptr},
    {'G', "Hessencontest", "hessen.bmp", "HessenR.RTF", nullptr, nullptr},
    {'R', "Rheinland-Pfalz - Aktivitätsabende", "rheinlandpfalz.bmp", "RheinlandpfalzR.RTF",
     nullptr, nullptr},
    {'h', "Rheinland-Pfalz - Aktivitätswoche", "rheinlandpfalz.bmp", "rlpwocheR.RTF", nullptr,
     nullptr},
    {'N', "Nordic Activity Contest", "nac.bmp", "nacr.RTF", nullptr, nullptr},
    {'S', "Aktivitätswettbewerbe H, S, W", "hsw.bmp", "HSWR.RTF", nullptr, nullptr},
    {'T', "Thüringen-Contest", "thueringen.bmp", "thueringenR.RTF", nullptr, nullptr},
    {'L', "Kurzcontest Ruhrgebiet", "ruhrgebiet.bmp", "ruhrgebietR.RTF", nullptr, nullptr},
    {'U', "Bayern-Ost-Contest", "boc.bmp", "bocR.RTF", nullptr, nullptr},
    {'I', "Kurzwellenaktivitätstag Nordsee", "nordsee.bmp", "kwnordseeR.RTF", nullptr, nullptr},
    {'l', "Aktivitätstag Nordsee", "nordsee.bmp", "nordseeR.RTF", nullptr, nullptr},
    {'g', "Nordsee-Contest UKW", "nordsee.bmp", "MVPR.RTF", nullptr, nullptr},
    {'Z', "IPARC-Contest", "iparc.bmp", "iparcR.RTF", nullptr, nullptr},
    {'C', "Brandenburg-Berlin-Contest", "bb.bmp", "bbR.RTF", nullptr, nullptr},
    {'O', "Aktivitätswochenende Schleswig-Holstein", "sh.bmp", "shR.RTF", nullptr, nullptr},
    {'Q', "Schwabenkontest", "schwaben.bmp", "schwabenr.RTF", nullptr, nullptr},
    {'1', "DARC 10 m-Contest", "darclogo.bmp", "darc10r.RTF", nullptr, nullptr},
    {'K', "Herbstcontest Köln-Aachen", "koelnaachen.bmp", "koelnaachenR.RTF", nullptr, nullptr},
    {'A', "Deutscher Telegraphie-Contest", "agcw.bmp", "CWR.RTF", nullptr, nullptr},
    {'f', "Happy New Year-Contest", "agcw.bmp", "HappynewyearR.RTF", nullptr, nullptr},
    {'i', "Naval-Contest", nullptr, "navalR.RTF", nullptr, nullptr},
    {'j', "MMMonVHF MS SPRINT CONTEST", "mssprint.bmp", nullptr, "https://mmmonvhf.de/",
     "https://mmmonvhf.de/?lang=en"},
    {'Y', "VFDB-Contest", "vfdb.bmp", "VFDBR.RTF", nullptr, nullptr},
    {'2', "Westfalen Nord QRP Aktivitäts Contest", "westfalen-nord.bmp", "ZELKAr.RTF", nullptr,
     nullptr},
    {'3', "Westfalen Nord Contest", "westfalen-nord.bmp", "WNCr.RTF", nullptr, nullptr},
    {'c', "Westfalen Nord Aktivitätstag", "westfalen-nord.bmp", "WNAr.RTF", nullptr, nullptr},
    {'4', "Party des Radio Telegraphy Club e.V.", "rtc.bmp", "RTCR.RTF", nullptr, nullptr},
    {'6', "HSC-CW-Contest", "hsc.bmp", nullptr, "https://www.hsc.de.com/", nullptr},
    {'7', "DIG-QSO-Party", "digparty.bmp", nullptr, kDarcContestPage, nullptr},
    {'8', "AGCW - VHF/UHF-Contest", "agcw.bmp", "agcwr.RTF", nullptr, nullptr},
    {'9', "IARU-Region-1-Fieldday", "fieldday.bmp", "fielddayR.RTF", nullptr, nullptr},
    {'a', "Nordrhein-Aktivität", "nordrhein.bmp", "nordrheinR.RTF", nullptr, nullptr},
    {'b', "Original-QRP-Contest", "qrpcc.bmp", "OQRPR.RTF", nullptr, nullptr},
    {'d', "SAAR-Contest", "saar.bmp", nullptr, "https://www.darc.de/der-club/distrikte/q/",
     nullptr},
    {'e', "Nord-Contest", "nord.bmp", nullptr, kDarcContestPage, nullptr},
    {'k', "QCWA-Party", "qcwa.bmp", "qcwar.RTF", nullptr, nullptr},
}};

// --- Definition rows ------------------------------------------------------------------------

namespace o = option;
namespace x = exchange;
using M = MultColumn;
using preset::kDok;
using preset::kLoc;
using preset::kLoc4;
using preset::Number;

// The scalar values of one code for category 0. Lists of numbers end at the first 0.
struct CodeRow {
  char code;
  const char* buildName; // names the code's build in its program title ("" for this build)
  const char* modes;     // "|"-separated
  const char* bands;
  std::array<int, 3> rcvd;
  std::array<int, 3> sent;
  std::array<MultColumn, 3> mults;
  int dupeRule;
  std::array<int, 6> options;
  int evaluationKind;
  int utcOffset;
  const char* contestName; // nullptr: the program title of the code's build
  bool appendYear;
  const char* startDate; // "today": today's date
  const char* startTime;
  const char* endDate;
  const char* endTime;
  const char* homeDistrict;
  const char* homeDistricts;
  std::array<int, 10> outputs;
  std::array<Preset, 3> presets; // sent elements 2..4
  bool extendedStats;            // the header keeps per-band totals in the extension record
  bool englishOnly = false;      // building the definition switches the language to English
  // Values that only a few codes set.
  bool party = false;
  bool plainMultCount = false;
  bool perBandScore = false;
  const char* requiredText = "";
  const char* pointText = "";
  bool bandAutoOffered = false;
  std::array<const char*, 3> rcvdLabels = {"", "", ""};
  ContestTraits traits = {};
};

constexpr const char* kToday = "today";

// clang-format off
constexpr CodeRow kRows[] = {
    {.code = 'V', .buildName = "MVP", .modes = "CW", .bands = "ab", .rcvd = {x::kDok, x::kOther},
     .sent = {x::kDok, x::kOther}, .mults = {M::kDok, M::kDxcc}, .dupeRule = 1,
     .options = {o::kDxcc, o::kDok}, .evaluationKind = 0, .utcOffset = -1,
     .contestName = "MVP-Contest ", .appendYear = true, .startDate = "21.03.2009",
     .startTime = "14:00:00", .endDate = "21.03.2009", .endTime = "19:30:00", .homeDistrict = "V",
     .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7, 8, 12},
     .presets = {{kDok, Preset{PresetSource::Postcode}, {}}}, .extendedStats = false},
    {.code = 'B', .buildName = "BWA", .modes = "SSB|CW", .bands = "bc", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {M::kDok, M::kDxcc}, .dupeRule = 1,
     .options = {o::kDxcc, o::kDlCountsAsDxcc, o::kDok}, .evaluationKind = 0, .utcOffset = -2,
     .contestName = "BWA-Contest ", .appendYear = true, .startDate = "11.04.2009",
     .startTime = "07:00:00", .endDate = "11.04.2009", .endTime = "12:00:00", .homeDistrict = "",
     .homeDistricts = "AP", .outputs = {1, 2, 3, 4, 5, 6, 7}, .presets = {{kDok, {}, {}}},
     .extendedStats = false},
    {.code = 'H', .buildName = "Holyland", .modes = "SSB|CW", .bands = "abcegi", .rcvd = {x::kArea},
     .sent = {x::kQsoNumber}, .mults = {M::kArea}, .dupeRule = 1, .options = {o::kArea},
     .evaluationKind = 0, .utcOffset = -2, .contestName = "Holyland-Contest ", .appendYear = true,
     .startDate = "", .startTime = "00:00:01", .endDate = "", .endTime = "23:59:59", .homeDistrict = "",
     .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7, 10}, .presets = {{kDok, {}, {}}},
     .extendedStats = false, .englishOnly = true,
     .traits = {.panelLabelWidth = 36, .panelLabelsBold = false}},
    {.code = 'D', .buildName = "DTC", .modes = "CW", .bands = "bc", .rcvd = {x::kQsoNumber, x::kDok},
     .sent = {x::kQsoNumber, x::kDok}, .mults = {M::kDok, M::kDxcc}, .dupeRule = 2,
     .options = {o::kDxcc, o::kDlCountsAsDxcc, o::kDok}, .evaluationKind = 0, .utcOffset = -2,
     .contestName = "DTC-Contest ", .appendYear = true, .startDate = "13.04.2009",
     .startTime = "06:00:00", .endDate = "13.04.2009", .endTime = "09:00:00", .homeDistrict = "",
     .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7}, .presets = {{{}, kDok, {}}},
     .extendedStats = false},
    {.code = '5', .buildName = "Funkertag-QSO-Party", .modes = "SSB|CW|FM|DIGITAL", .bands = "bcegikl",
     .rcvd = {x::kPostcode}, .sent = {x::kPostcode}, .mults = {M::kPostcode}, .dupeRule = 2,
     .options = {o::kPostcode}, .evaluationKind = 1, .utcOffset = -2,
     .contestName = "Funkertag-QSO-Party 2009", .appendYear = false, .startDate = "13.06.2009",
     .startTime = "06:00:00", .endDate = "13.06.2009", .endTime = "16:00:00", .homeDistrict = "",
     .homeDistricts = "", .outputs = {3, 4, 5, 6},
     .presets = {{Preset{PresetSource::Postcode2}, {}, {}}}, .extendedStats = false,
     .plainMultCount = true,
     .traits = {.multCountName = MultCountName::kPostcodeAreas, .postcodeAreasWithoutScore = true,
                .wholeLogIsStf = true}},
    {.code = 'P', .buildName = "Februar-QSO-Party", .modes = "SSB|CW|FM|DIGITAL", .bands = "bcegikl",
     .rcvd = {x::kOther}, .sent = {x::kOther}, .mults = {M::kPrefix}, .dupeRule = 2,
     .options = {o::kWpxPrefix, o::kDxcc}, .evaluationKind = 1, .utcOffset = -1, .contestName = nullptr,
     .appendYear = false, .startDate = "01.02.2009", .startTime = "07:00:00", .endDate = "01.02.2009",
     .endTime = "16:00:00", .homeDistrict = "", .homeDistricts = "", .outputs = {3, 4, 5, 6},
     .presets = {{Number("@@"), {}, {}}}, .extendedStats = false, .party = true, .plainMultCount = true,
     .traits = {.multCountName = MultCountName::kPrefixes, .wholeLogIsStf = true}},
    {.code = 'E', .buildName = "Europatag", .modes = "SSB|CW|FM|PR", .bands = "kl",
     .rcvd = {x::kLocator}, .sent = {x::kLocator}, .mults = {}, .dupeRule = 3, .options = {},
     .evaluationKind = 1, .utcOffset = -2, .contestName = "Europatag der Schulstationen",
     .appendYear = false, .startDate = "05.05.2006", .startTime = "06:00:00", .endDate = "05.05.2006",
     .endTime = "16:00:00", .homeDistrict = "", .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6},
     .presets = {{kLoc, {}, {}}}, .extendedStats = false,
     .traits = {.contestWideTotals = true, .hourlyLogAdvice = true}},
    {.code = 'F', .buildName = "Franken", .modes = "CW", .bands = "bc",
     .rcvd = {x::kQsoNumber, x::kDok}, .sent = {x::kQsoNumber, x::kDok}, .mults = {M::kDok},
     .dupeRule = 2, .options = {o::kDok}, .evaluationKind = 0, .utcOffset = -2,
     .contestName = "Aktivitätswettbewerb Franken", .appendYear = false, .startDate = "09.05.2009",
     .startTime = "16:00:00", .endDate = "10.05.2009", .endTime = "10:00:00", .homeDistrict = "B",
     .homeDistricts = "B", .outputs = {1, 2, 4, 5, 6}, .presets = {{{}, kDok, {}}},
     .extendedStats = true},
    {.code = 'J', .buildName = "Hamburg", .modes = "SSB|CW", .bands = "bckl",
     .rcvd = {x::kDok, x::kLocator}, .sent = {x::kDok, x::kLocator},
     .mults = {M::kDok, M::kDxcc, M::kLocator}, .dupeRule = 2,
     .options = {o::kDxcc, o::kDlCountsAsDxcc, o::kDok, o::kLocator}, .evaluationKind = 0,
     .utcOffset = -2, .contestName = "Hamburg Contest", .appendYear = false, .startDate = "24.05.2009",
     .startTime = "10:00:00", .endDate = "24.05.2009", .endTime = "18:00:00", .homeDistrict = "E",
     .homeDistricts = "E", .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{kDok, kLoc, {}}},
     .extendedStats = true, .traits = {.extraSentElementsBands = "kl"}},
    {.code = 'G', .buildName = "Hessen", .modes = "CW", .bands = "bc", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {M::kDok}, .dupeRule = 1, .options = {o::kDok}, .evaluationKind = 2,
     .utcOffset = -2, .contestName = "Hessencontest 2009", .appendYear = false,
     .startDate = "13.06.2009", .startTime = "13:00:00", .endDate = "14.06.2009", .endTime = "10:00:00",
     .homeDistrict = "F", .homeDistricts = "F", .outputs = {1, 2, 3, 4, 5, 6},
     .presets = {{kDok, {}, {}}}, .extendedStats = true},
    {.code = 'R', .buildName = "RLP-Aktivitätsabende", .modes = "CW", .bands = "k",
     .rcvd = {x::kDok, x::kLocator}, .sent = {x::kDok, x::kLocator}, .mults = {M::kDok, M::kCallMulti},
     .dupeRule = 2, .options = {o::kDok, o::kListedCalls}, .evaluationKind = 0, .utcOffset = -2,
     .contestName = "Rheinland-Pfalz - Aktivitätsabende", .appendYear = false,
     .startDate = "20.05.2009", .startTime = "18:00:00", .endDate = "16.09.2009", .endTime = "20:00:00",
     .homeDistrict = "K", .homeDistricts = "K", .outputs = {1, 2, 3, 4, 5, 6},
     .presets = {{kDok, {}, kLoc}}, .extendedStats = true},
    {.code = 'h', .buildName = "RLP-Aktivitätswoche", .modes = "SSB", .bands = "b", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {M::kDok, M::kCallMulti}, .dupeRule = 4,
     .options = {o::kDok, o::kListedCalls, o::kDistrict}, .evaluationKind = 0, .utcOffset = -1,
     .contestName = "Rheinland-Pfalz - Aktivitätswoche", .appendYear = false, .startDate = "01.01.2009",
     .startTime = "00:00:00", .endDate = "07.01.2009", .endTime = "23:59:59", .homeDistrict = "K",
     .homeDistricts = "K", .outputs = {1, 2, 4, 5, 6}, .presets = {{kDok, {}, {}}},
     .extendedStats = true},
    {.code = 'N', .buildName = "NAC", .modes = "SSB|CW|FM", .bands = "k", .rcvd = {x::kLocator},
     .sent = {x::kLocator}, .mults = {M::kLocator}, .dupeRule = 2, .options = {o::kLocator},
     .evaluationKind = 0, .utcOffset = -2, .contestName = "Nordic Activity Contest",
     .appendYear = false, .startDate = kToday, .startTime = "17:00:00", .endDate = kToday,
     .endTime = "21:00:00", .homeDistrict = "", .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6},
     .presets = {{kLoc, {}, {}}}, .extendedStats = true, .plainMultCount = true},
    {.code = 'S', .buildName = "HSW", .modes = "CW", .bands = "bi", .rcvd = {x::kQsoNumber, x::kDok},
     .sent = {x::kQsoNumber, x::kDok}, .mults = {M::kDok}, .dupeRule = 2, .options = {o::kDok},
     .evaluationKind = 0, .utcOffset = -2, .contestName = "Aktivitätswettbewerbe H, S, W",
     .appendYear = false, .startDate = "29.08.2009", .startTime = "06:00:00", .endDate = "29.08.2009",
     .endTime = "15:00:00", .homeDistrict = "HSW", .homeDistricts = "HSW",
     .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{{}, kDok, {}}}, .extendedStats = true},
    {.code = 'T', .buildName = "Thüringen", .modes = "CW", .bands = "b", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {M::kDok}, .dupeRule = 2, .options = {o::kDok}, .evaluationKind = 1,
     .utcOffset = -2, .contestName = "Thüringen-Contest", .appendYear = false,
     .startDate = "19.09.2009", .startTime = "06:00:00", .endDate = "19.09.2009", .endTime = "16:00:00",
     .homeDistrict = "X", .homeDistricts = "X", .outputs = {1, 2, 3, 4, 5, 6},
     .presets = {{kDok, {}, {}}}, .extendedStats = true},
    {.code = 'L', .buildName = "Ruhrgebiet", .modes = "SSB|CW", .bands = "b",
     .rcvd = {x::kQsoNumber, x::kDok}, .sent = {x::kQsoNumber, x::kDok}, .mults = {M::kDok},
     .dupeRule = 2, .options = {o::kDok, o::kDokEveryQso}, .evaluationKind = 0, .utcOffset = -2,
     .contestName = "Kurzcontest Ruhrgebiet", .appendYear = false, .startDate = "27.09.2009",
     .startTime = "07:00:00", .endDate = "27.09.2009", .endTime = "11:00:00", .homeDistrict = "L",
     .homeDistricts = "L", .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{{}, kDok, {}}},
     .extendedStats = true},
    {.code = 'U', .buildName = "BOC", .modes = "CW", .bands = "bc", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {M::kDok}, .dupeRule = 1, .options = {o::kDok}, .evaluationKind = 0,
     .utcOffset = -2, .contestName = "Bayern-Ost-Contest", .appendYear = false,
     .startDate = "17.10.2009", .startTime = "06:00:00", .endDate = "18.10.2009", .endTime = "10:00:00",
     .homeDistrict = "", .homeDistricts = "", .outputs = {1, 2, 4, 5, 6}, .presets = {{kDok, {}, {}}},
     .extendedStats = true, .bandAutoOffered = true},
    {.code = 'I', .buildName = "KW-Nordsee", .modes = "SSB|CW|DIGITAL", .bands = "b", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {}, .dupeRule = 1, .options = {o::kDok}, .evaluationKind = 0,
     .utcOffset = -2, .contestName = "Kurzwellenaktivitätstag des Distriktes Nordsee",
     .appendYear = false, .startDate = "03.10.2008", .startTime = "08:00:00", .endDate = "03.10.2008",
     .endTime = "11:30:00", .homeDistrict = "I", .homeDistricts = "I", .outputs = {1, 2, 3, 4, 5, 6},
     .presets = {{kDok, {}, {}}}, .extendedStats = true, .traits = {.nameQthShownAtStart = true}},
    {.code = 'l', .buildName = "Nordsee", .modes = "SSB", .bands = "b", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {M::kDok}, .dupeRule = 1, .options = {o::kDok}, .evaluationKind = 0,
     .utcOffset = -2, .contestName = "Aktivitätstag des Distriktes Nordsee", .appendYear = false,
     .startDate = "03.10.2009", .startTime = "08:00:00", .endDate = "03.10.2009", .endTime = "11:30:00",
     .homeDistrict = "I", .homeDistricts = "I", .outputs = {1, 2, 4, 5, 6}, .presets = {{kDok, {}, {}}},
     .extendedStats = true, .traits = {.nameQthShownAtStart = true}},
    {.code = 'g', .buildName = "UKW-Nordsee", .modes = "CW|SSB", .bands = "klm",
     .rcvd = {x::kQsoNumber, x::kLocator4, x::kDok}, .sent = {x::kQsoNumber, x::kLocator4, x::kDok},
     .mults = {M::kLocator, M::kDok}, .dupeRule = 1, .options = {o::kDok, o::kLocator},
     .evaluationKind = 0, .utcOffset = -1, .contestName = "UKW Nordsee-Contest ", .appendYear = true,
     .startDate = "15.11.2008", .startTime = "08:30", .endDate = "16.11.2008", .endTime = "17:00",
     .homeDistrict = "I", .homeDistricts = "I", .outputs = {1, 2, 4, 5, 6, 7, 10},
     .presets = {{{}, kLoc4, kDok}}, .extendedStats = false},
    {.code = 'Z', .buildName = "IPARC", .modes = "SSB|CW", .bands = "bcegi",
     .rcvd = {x::kModeNumber, x::kOther, x::kUsState}, .sent = {x::kModeNumber, x::kOther},
     .mults = {M::kDxcc, M::kUsState}, .dupeRule = 1,
     .options = {o::kDxcc, o::kDlCountsAsDxcc, o::kUsState}, .evaluationKind = 0, .utcOffset = -1,
     .contestName = "IPARC-Contest", .appendYear = false, .startDate = "01.11.2008",
     .startTime = "06:00:00", .endDate = "02.11.2008", .endTime = "18:00:00", .homeDistrict = "",
     .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{{}, {}, {}}},
     .extendedStats = true, .perBandScore = true, .requiredText = "IPA", .pointText = "IPA"},
    {.code = 'C', .buildName = "BB", .modes = "SSB|CW", .bands = "bc", .rcvd = {x::kDok},
     .sent = {x::kQsoNumber}, .mults = {M::kDok}, .dupeRule = 1, .options = {o::kDok},
     .evaluationKind = 0, .utcOffset = -1, .contestName = "Brandenburg-Berlin-Contest ",
     .appendYear = true, .startDate = "07.12.2008", .startTime = "07:00:00", .endDate = "07.12.2008",
     .endTime = "11:00:00", .homeDistrict = "DY", .homeDistricts = "DY",
     .outputs = {1, 2, 3, 4, 5, 6, 7, 8, 10}, .presets = {{kDok, {}, {}}}, .extendedStats = true,
     .bandAutoOffered = true},
    {.code = 'O', .buildName = "SH", .modes = "SSB", .bands = "cb", .rcvd = {x::kQsoNumber, x::kDok},
     .sent = {x::kQsoNumber, x::kDok}, .mults = {M::kDok, M::kDxcc}, .dupeRule = 1,
     .options = {o::kDxcc, o::kDlCountsAsDxcc, o::kDok}, .evaluationKind = 1, .utcOffset = -1,
     .contestName = "Aktivitätswochenende SH", .appendYear = false, .startDate = "08.11.2008",
     .startTime = "09:00:00", .endDate = "09.11.2008", .endTime = "18:00:00", .homeDistrict = "",
     .homeDistricts = "M", .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{{}, kDok, {}}},
     .extendedStats = true},
    {.code = 'Q', .buildName = "Schwaben", .modes = "CW", .bands = "b", .rcvd = {x::kDok},
     .sent = {x::kQsoNumber}, .mults = {}, .dupeRule = 1, .options = {}, .evaluationKind = 1,
     .utcOffset = -1, .contestName = "Schwaben-Contest ", .appendYear = true, .startDate = "03.01.2009",
     .startTime = "07:00:00", .endDate = "03.01.2009", .endTime = "16:00:00", .homeDistrict = "T",
     .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7, 8, 10}, .presets = {{kDok, {}, {}}},
     .extendedStats = true, .rcvdLabels = {"DOK", "", ""}, .traits = {.separateLogsNote = true}},
    {.code = '1', .buildName = "DARC-10m", .modes = "SSB|CW", .bands = "i",
     .rcvd = {x::kQsoNumber, x::kDok}, .sent = {x::kQsoNumber}, .mults = {M::kDok, M::kDxcc},
     .dupeRule = 2, .options = {o::kDxcc, o::kDlCountsAsDxcc, o::kDok, o::kAltPrefix},
     .evaluationKind = 0, .utcOffset = -1, .contestName = "DARC 10-m-Contest ", .appendYear = true,
     .startDate = "11.01.2009", .startTime = "09:00:00", .endDate = "11.01.2009", .endTime = "11:00:00",
     .homeDistrict = "", .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7, 8, 10},
     .presets = {{{}, kDok, {}}}, .extendedStats = true},
    {.code = 'K', .buildName = "Köln-Aachen", .modes = "SSB", .bands = "b",
     .rcvd = {x::kBandSerial, x::kDok}, .sent = {x::kBandSerial, x::kDok}, .mults = {M::kDok},
     .dupeRule = 1, .options = {o::kDok}, .evaluationKind = 0, .utcOffset = -1,
     .contestName = "Herbst-Contest Köln-Aachen ", .appendYear = true, .startDate = "15.11.2008",
     .startTime = "08:30:00", .endDate = "16.11.2008", .endTime = "20:30:00", .homeDistrict = "",
     .homeDistricts = "G", .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{{}, kDok, {}}},
     .extendedStats = true},
    {.code = 'A', .buildName = "Telegraphie", .modes = "CW", .bands = "bc", .rcvd = {}, .sent = {},
     .mults = {}, .dupeRule = 2, .options = {}, .evaluationKind = 0, .utcOffset = -2,
     .contestName = "Deutscher Telegraphie-Contest ", .appendYear = true, .startDate = "03.10.2009",
     .startTime = "07:00:00", .endDate = "03.10.2009", .endTime = "10:00:00", .homeDistrict = "",
     .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7},
     .presets = {{Preset{PresetSource::Ldk}, {}, {}}}, .extendedStats = false,
     .traits = {.headerDokFieldIsLdk = true}},
    {.code = 'f', .buildName = "Happy-New-Year", .modes = "CW", .bands = "bce",
     .rcvd = {x::kQsoNumber, x::kMember}, .sent = {x::kQsoNumber, x::kMember}, .mults = {M::kAgcw},
     .dupeRule = 2, .options = {o::kMember}, .evaluationKind = 0, .utcOffset = -2,
     .contestName = "Happy New Year-Contest ", .appendYear = true, .startDate = "01.01.2009",
     .startTime = "07:00:00", .endDate = "01.01.2009", .endTime = "10:00:00", .homeDistrict = "",
     .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7}, .presets = {{{}, Number("######"), {}}},
     .extendedStats = true,
     .traits = {.memberNumberInCall2 = true, .fullRecalculationAfterChange = true,
                .memberClub = "AGCW", .callBookMemberField = CallBookRecord::kMemberCodeF,
                .callListMemberField = CallListRecord::kAgcwNumber}},
    {.code = 'i', .buildName = "Naval", .modes = "CW|SSB", .bands = "bcgei", .rcvd = {x::kMember19},
     .sent = {x::kMember19}, .mults = {M::kNaval}, .dupeRule = 2, .options = {o::kClubMember},
     .evaluationKind = 1, .utcOffset = -1, .contestName = "Naval-Contest", .appendYear = false,
     .startDate = "20.12.2008", .startTime = "16:00:00", .endDate = "21.12.2008", .endTime = "15:59:00",
     .homeDistrict = "", .homeDistricts = "", .outputs = {1, 2, 4, 5, 6, 10},
     .presets = {{Preset{PresetSource::ClubId}, {}, {}}}, .extendedStats = true,
     .requiredText = "Naval",
     .traits = {.memberNumberInCall2 = true, .memberClub = "Naval",
                .callBookMemberField = CallBookRecord::kClubCodeI,
                .callListMemberField = CallListRecord::kNavalClub, .callBookKeepsMarkedNumbers = true,
                .blanksInReceivedExchange = true, .wholeLogWithBandList = true}},
    {.code = 'j', .buildName = "MSSprint", .modes = "CW|SSB|FSK441", .bands = "k",
     .rcvd = {x::kLocator}, .sent = {x::kLocator}, .mults = {}, .dupeRule = 2, .options = {},
     .evaluationKind = 1, .utcOffset = -2, .contestName = "MSSprint-Contest", .appendYear = false,
     .startDate = "12.08.2009", .startTime = "00:00:00", .endDate = "12.08.2009", .endTime = "23:59:59",
     .homeDistrict = "", .homeDistricts = "", .outputs = {1, 2, 4, 5, 6, 10},
     .presets = {{kLoc, {}, {}}}, .extendedStats = true, .traits = {.reportWithoutRst = true}},
    {.code = 'Y', .buildName = "VFDB", .modes = "SSB", .bands = "c", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {M::kDok}, .dupeRule = 1, .options = {o::kDok}, .evaluationKind = 0,
     .utcOffset = -1, .contestName = "VFDB-Contest", .appendYear = false, .startDate = "14.02.2009",
     .startTime = "12:00:00", .endDate = "14.02.2009", .endTime = "16:00:00", .homeDistrict = "Z",
     .homeDistricts = "Z", .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{kDok, {}, {}}},
     .extendedStats = true},
    {.code = '2', .buildName = "", .modes = "SSB|CW|FM", .bands = "k", .rcvd = {x::kDok, x::kLocator4},
     .sent = {x::kDok, x::kLocator4}, .mults = {M::kDok, M::kLocator}, .dupeRule = 2,
     .options = {o::kDok, o::kLocator}, .evaluationKind = 0, .utcOffset = -2, .contestName = "ZELKA",
     .appendYear = false, .startDate = "", .startTime = "19:00:00", .endDate = "",
     .endTime = "21:00:00", .homeDistrict = "", .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6},
     .presets = {{kDok, kLoc4, {}}}, .extendedStats = true},
    {.code = '3', .buildName = "WNC", .modes = "SSB|CW", .bands = "bci", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {M::kDok}, .dupeRule = 2, .options = {o::kDok}, .evaluationKind = 0,
     .utcOffset = -2, .contestName = "WNC", .appendYear = false, .startDate = "", .startTime = "",
     .endDate = "", .endTime = "", .homeDistrict = "", .homeDistricts = "N",
     .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{kDok, {}, {}}}, .extendedStats = true},
    {.code = 'c', .buildName = "WNA", .modes = "SSB|CW|FM", .bands = "kl", .rcvd = {x::kDok},
     .sent = {x::kDok}, .mults = {M::kDok}, .dupeRule = 5, .options = {o::kDok}, .evaluationKind = 0,
     .utcOffset = -2, .contestName = "Westfalen Nord Aktivitätstag", .appendYear = false,
     .startDate = "", .startTime = "19:00", .endDate = "", .endTime = "21:00", .homeDistrict = "",
     .homeDistricts = "N", .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{kDok, {}, {}}},
     .extendedStats = true},
    {.code = '4', .buildName = "RTC", .modes = "CW", .bands = "bc", .rcvd = {x::kLdk, x::kOther},
     .sent = {x::kLdk, x::kOther}, .mults = {M::kLdk}, .dupeRule = 2, .options = {o::kLdk},
     .evaluationKind = 0, .utcOffset = -1, .contestName = "RTC-Party ", .appendYear = true,
     .startDate = "21.12.2008", .startTime = "08:00:00", .endDate = "21.12.2008", .endTime = "10:00:00",
     .homeDistrict = "", .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7},
     .presets = {{Preset{PresetSource::Ldk}, Number("######"), {}}}, .extendedStats = false,
     .rcvdLabels = {"", "RTC-Nr", ""}},
    {.code = '6', .buildName = "HSC", .modes = "CW", .bands = "bcegi", .rcvd = {x::kOther},
     .sent = {x::kOther}, .mults = {}, .dupeRule = 4, .options = {}, .evaluationKind = 0,
     .utcOffset = -1, .contestName = "HSC-CW-Contest", .appendYear = false, .startDate = "22.02.2009",
     .startTime = "09:00:00", .endDate = "01.11.2009", .endTime = "17:00:00", .homeDistrict = "",
     .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{Number("#####"), {}, {}}},
     .extendedStats = true},
    {.code = '7', .buildName = "DIG", .modes = "SSB", .bands = "bcegi", .rcvd = {x::kMember},
     .sent = {x::kMember}, .mults = {M::kDxcc, M::kDig}, .dupeRule = 1,
     .options = {o::kDxcc, o::kDlCountsAsDxcc, o::kAltPrefix, o::kMember}, .evaluationKind = 0,
     .utcOffset = -1, .contestName = "DIG-QSO-Party", .appendYear = false, .startDate = "",
     .startTime = "", .endDate = "", .endTime = "", .homeDistrict = "", .homeDistricts = "",
     .outputs = {1, 2, 3, 4, 5, 6}, .presets = {{Number("######"), {}, {}}}, .extendedStats = true,
     .traits = {.memberNumberInCall2 = true, .fullRecalculationAfterChange = true, .memberClub = "DIG",
                .callBookMemberField = CallBookRecord::kMemberCode7,
                .callListMemberField = CallListRecord::kDigNumber, .serialWhenNothingSent = false}},
    {.code = '8', .buildName = "AGCW-VHF", .modes = "CW", .bands = "k",
     .rcvd = {x::kQsoNumber, x::kOther, x::kLocator}, .sent = {x::kQsoNumber, x::kOther, x::kLocator},
     .mults = {}, .dupeRule = 2, .options = {}, .evaluationKind = 0, .utcOffset = -1,
     .contestName = "AGCW - VHF/UHF-Contest ", .appendYear = true, .startDate = "", .startTime = "",
     .endDate = "", .endTime = "", .homeDistrict = "", .homeDistricts = "",
     .outputs = {1, 2, 4, 5, 6, 7, 10, 13}, .presets = {{{}, preset::Text("A"), kLoc}},
     .extendedStats = false},
    {.code = '9', .buildName = "Fieldday", .modes = "CW|SSB", .bands = "abcegi",
     .rcvd = {x::kQsoNumber}, .sent = {x::kQsoNumber}, .mults = {M::kDxcc}, .dupeRule = 2,
     .options = {o::kDxcc, o::kDlCountsAsDxcc, o::kAltPrefix}, .evaluationKind = 0, .utcOffset = -2,
     .contestName = "IARU-Region-1-Fieldday ", .appendYear = true, .startDate = "", .startTime = "",
     .endDate = "", .endTime = "", .homeDistrict = "", .homeDistricts = "",
     .outputs = {1, 2, 3, 4, 5, 6, 7, 10}, .presets = {{{}, {}, {}}}, .extendedStats = false,
     .traits = {.rcvdReportPreset = "000"}},
    {.code = 'a', .buildName = "Nordrhein", .modes = "", .bands = "", .rcvd = {x::kOther, x::kDok},
     .sent = {x::kOther, x::kDok}, .mults = {M::kDok}, .dupeRule = 2, .options = {o::kDok},
     .evaluationKind = 0, .utcOffset = -1, .contestName = "Nordrhein-Aktivität ", .appendYear = true,
     .startDate = "10.01.2009", .startTime = "08:00", .endDate = "10.01.2009", .endTime = "17:00",
     .homeDistrict = "", .homeDistricts = "R", .outputs = {1, 2, 3, 4, 5, 6, 7, 10},
     .presets = {{kDok, {}, {}}}, .extendedStats = false,
     .traits = {.nameIsExchange = true, .nameQthShownAtStart = true}},
    {.code = 'b', .buildName = "OQRP", .modes = "CW", .bands = "bce",
     .rcvd = {x::kQsoNumber, x::kOther}, .sent = {x::kQsoNumber, x::kOther}, .mults = {M::kDxcc},
     .dupeRule = 2, .options = {o::kDxcc, o::kDlCountsAsDxcc}, .evaluationKind = 0, .utcOffset = -1,
     .contestName = "Original-QRP-Contest ", .appendYear = true, .startDate = "04.07.2009",
     .startTime = "15:00", .endDate = "05.07.2009", .endTime = "15:00", .homeDistrict = "",
     .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7, 10}, .presets = {{{}, {}, {}}},
     .extendedStats = false, .rcvdLabels = {"", "Klasse", ""}},
    {.code = 'd', .buildName = "SAAR", .modes = "", .bands = "", .rcvd = {x::kDok}, .sent = {x::kDok},
     .mults = {M::kDok}, .dupeRule = 1, .options = {o::kDok}, .evaluationKind = 0, .utcOffset = -2,
     .contestName = "SAAR-Contest ", .appendYear = true, .startDate = "18.07.2009",
     .startTime = "06:00", .endDate = "19.07.2009", .endTime = "11:00", .homeDistrict = "Q",
     .homeDistricts = "Q", .outputs = {1, 2, 3, 4, 5, 6, 7, 10}, .presets = {{kDok, {}, {}}},
     .extendedStats = false},
    {.code = 'e', .buildName = "Nord", .modes = "", .bands = "",
     .rcvd = {x::kQsoNumber, x::kLocator4, x::kDok}, .sent = {x::kQsoNumber, x::kLocator4, x::kDok},
     .mults = {M::kLocator, M::kDok}, .dupeRule = 1, .options = {o::kDok, o::kLocator},
     .evaluationKind = 0, .utcOffset = -2, .contestName = "Nord-Contest ", .appendYear = true,
     .startDate = "18.04.2009", .startTime = "13:00", .endDate = "19.04.2009", .endTime = "16:00",
     .homeDistrict = "EHIMV", .homeDistricts = "EHIMV", .outputs = {1, 2, 3, 4, 5, 6, 7, 10},
     .presets = {{{}, kLoc4, kDok}}, .extendedStats = false},
    {.code = 'k', .buildName = "QCWA", .modes = "CW|SSB|DIGITAL", .bands = "bc", .rcvd = {x::kMember19},
     .sent = {x::kMember19}, .mults = {M::kQcwa}, .dupeRule = 1, .options = {o::kClubMember},
     .evaluationKind = 1, .utcOffset = -2, .contestName = "QCWA-Party", .appendYear = false,
     .startDate = "20.09.2009", .startTime = "07:00:00", .endDate = "20.09.2009", .endTime = "11:00:00",
     .homeDistrict = "", .homeDistricts = "", .outputs = {1, 2, 3, 4, 5, 6, 7},
     .presets = {{{}, Number("######"), {}}}, .extendedStats = true,
     .traits = {.memberNumberInCall2 = true, .fullRecalculationAfterChange = true,
                .memberClub = "QCWA", .qcwaMemberList = true, .panelLabelWidth = 36,
                .panelLabelsBold = false}},
};
// clang-format on

const CodeRow* FindRow(char code) {
  for (const CodeRow& row : kRows)
    if (row.code == code)
      return &row;
  return nullptr;
}

std::uint16_t OutputBits(std::initializer_list<int> bits) {
  std::uint16_t out = 0;
  for (int bit : bits)
    out = static_cast<std::uint16_t>(out | (1u << bit));
  return out;
}

const std::string kProgramVersion = "Version 2006-1.0";

std::string ProgramTitleOf(const CodeRow& row) {
  if (*row.buildName == '\0')
    return ProgramTitleOfBuild();
  return std::string("Tarvik ") + row.buildName + " " + kProgramVersion;
}

std::string DefaultDate(const char* text, const Clock& clock) {
  if (std::string_view(text) == kToday)
    return DayToText(kDatePicture, TodayDay(clock));
  return text;
}

} // namespace

const ContestTraits& TraitsOf(char contestCode) {
  static const ContestTraits kDefaults;
  const CodeRow* row = FindRow(contestCode);
  return row != nullptr ? row->traits : kDefaults;
}

bool IsForeignToolCode(char code) {
  return code == 'W' || code == 'M' || code == 'X' || code == '\0';
}

bool HasContestDefinition(char code) {
  return FindRow(code) != nullptr;
}

std::string ContestRefusalText(int contestNumber, char code) {
  if (HasContestDefinition(code))
    return {};
  const std::string number = std::to_string(contestNumber);
  const unsigned char byte = static_cast<unsigned char>(code);
  const std::string shown =
      byte >= 0x21 && byte < 0x7F ? std::string("'") + code + "'" : "byte " + std::to_string(byte);
  if (IsForeignToolCode(code))
    return "contest " + number + " (code " + shown +
           ") belongs to another program of the family; nothing was changed";
  return "contest " + number + " has the unknown contest code " + shown + "; nothing was changed";
}

const std::string& ChoosableContestCodes() {
  static const std::string codes = [] {
    std::string out;
    for (const ContestIdentity& id : kIdentities)
      if (FindRow(id.code) != nullptr)
        out += id.code;
    return out;
  }();
  return codes;
}

std::string ContestProgramTitle(char code) {
  const CodeRow* row = FindRow(code);
  return row != nullptr ? ProgramTitleOf(*row) : std::string();
}

std::string ContestShortName(char code) {
  const CodeRow* row = FindRow(code);
  if (row == nullptr)
    return {};
  return *row->buildName != '\0' ? row->buildName : row->contestName;
}

std::string ContestTitleBitmap(char code) {
  return code == kDefaultContestCode ? "titel_tarvik.bmp" : "";
}

std::optional<CatalogPeriodTexts> CatalogPeriodOf(char code) {
  const CodeRow* row = FindRow(code);
  if (row == nullptr)
    return std::nullopt;
  const bool today = std::string_view(row->startDate) == kToday;
  return CatalogPeriodTexts{today ? "" : row->startDate, row->startTime, today ? "" : row->endDate,
                            row->endTime, today};
}

const ContestIdentity* FindContestIdentity(char code) {
  for (const ContestIdentity& id : kIdentities)
    if (id.code == code)
      return &id;
  return nullptr;
}

std::string ContestTitleLabel(char code) {
  const ContestIdentity* id = FindContestIdentity(code);
  if (id == nullptr || id->title == nullptr)
    return {};
  return std::string("\"") + id->title + "\"";
}

RulesLocation ContestRules(char code) {
  const ContestIdentity* id = FindContestIdentity(code);
  if (id == nullptr)
    return {};
  if (id->rulesFile != nullptr)
    return {false, id->rulesFile};
  if (!IsGerman() && id->rulesWebEnglish != nullptr)
    return {true, id->rulesWebEnglish};
  return {true, id->rulesWeb};
}

const std::string& ProgramTitleOfBuild() {
  static const std::string title = "Tarvik " + kProgramVersion;
  return title;
}

const std::string& ProgramNotice() {
  static const std::string notice = "- Contest-Logprogramm für Funkamateure";
  return notice;
}

const std::string& ProgramHomePage() {
  static const std::string address = "https://tarvik.example.org";
  return address;
}

std::string OutputMenuCaption(int bit) {
  switch (bit) {
  case output::kELogCover:
    return "E-Log Deckblatt";
  case output::kELogQsoList:
    return "E-Log QSO-Liste";
  case output::kStfFile:
    return "STF-Datei (empfohlen)";
  case output::kAdifExport:
    return "ADIF- Exportdatei der QSO-Liste";
  case output::kPaperCover:
    return "Papierlog - Deckblatt";
  case output::kPaperQsoList:
    return "Papierlog - QSO-Liste";
  case output::kPaperBandList:
    return "Papierlog - Band-Liste";
  case output::kPaperMultiCheck:
    return "Papierlog - Multi-Checkliste";
  case output::kCabrillo:
    return "Cabrillo-Datei";
  case output::kELogBandList:
    return "E-Log Band-Liste";
  case output::kELogMultiCheck:
    return "E-Log Multi-Checkliste";
  case output::kEdiFile:
    return "EDI-Datei (empfohlen)";
  default:
    return {};
  }
}

std::string ExchangeKindLabel(int kind, char contestCode) {
  switch (kind) {
  case exchange::kDok:
    return "DOK";
  case exchange::kLocator4:
  case exchange::kLocator:
    return "LOC";
  case exchange::kQsoNumber:
  case exchange::kModeNumber:
  case exchange::kBandSerial:
    return "lfd.Nr.";
  case exchange::kArea:
    return "Area";
  case exchange::kUsState:
    return "US-State";
  case exchange::kPostcode:
    return "PLZ";
  case exchange::kMember:
  case exchange::kMember19:
    return std::string(TraitsOf(contestCode).memberClub);
  case exchange::kLdk:
    return "LDK";
  default:
    return {};
  }
}

ContestDefinition BuildContestDefinition(char contestCode, ContestHeaderFields& header,
                                         std::string_view ownLocator, UserDialogs& dialogs,
                                         const Clock& clock) {
  // 1. Everything cleared; the paper and e-log outputs, STF and ADIF offered.
  ContestDefinition def;
  def.Outputs = OutputBits({1, 2, 3, 4, 5, 6, 7});

  // 2. The code's scalar values.
  const CodeRow* row = FindRow(contestCode);
  if (row == nullptr)
    return def;

  def.Modes = SplitBarList(row->modes);
  def.Bands = row->bands;
  for (int option : row->options)
    if (option > 0)
      def.Options.set(static_cast<size_t>(option));
  for (int n = 1; n <= 3; ++n)
    def.SetMultColumn(n, row->mults[static_cast<size_t>(n - 1)]);
  for (int i = 0; i < 3; ++i) {
    def.RcvdExchange(i + 1) = row->rcvd[static_cast<size_t>(i)];
    def.SentExchange(i + 1) = row->sent[static_cast<size_t>(i)];
    def.RcvdLabel(i + 1) = row->rcvdLabels[static_cast<size_t>(i)];
  }
  def.DupeRule = static_cast<std::uint8_t>(row->dupeRule);
  def.EvaluationKind = static_cast<std::uint8_t>(row->evaluationKind);
  def.UtcOffsetHours = row->utcOffset;
  def.ProgramTitle = ProgramTitleOf(*row);
  def.ProgramLine = def.ProgramTitle + " " + ProgramNotice();
  def.ContestName = row->contestName != nullptr ? row->contestName : def.ProgramTitle;
  def.DefaultStartDate = DefaultDate(row->startDate, clock);
  def.DefaultEndDate = DefaultDate(row->endDate, clock);
  def.DefaultStartTime = row->startTime;
  def.DefaultEndTime = row->endTime;
  def.HomeDistrict = row->homeDistrict;
  def.HomeDistricts = row->homeDistricts;
  def.Outputs = 0;
  for (int bit : row->outputs)
    if (bit > 0)
      def.Outputs = static_cast<std::uint16_t>(def.Outputs | (1u << bit));
  def.PartyFlag = row->party ? 1 : 0;
  def.PlainMultCount = row->plainMultCount ? 1 : 0;
  def.PerBandScore = row->perBandScore ? 1 : 0;
  def.RequiredText = row->requiredText;
  def.PointText = row->pointText;
  def.BandAutoOffered = row->bandAutoOffered ? 1 : 0;
  // Contests whose logs go to the robots as Cabrillo (by their bands) offer the Cabrillo
  // file, whichever category is chosen.
  if (SendsCabrillo(def))
    def.Outputs = static_cast<std::uint16_t>(def.Outputs | (1u << output::kCabrillo));

  // 3. Lists, time blocks and categories.
  FillCodeLists(contestCode, def);

  // 4. Sent-element presets.
  PresetSources sources;
  sources.ownDok = header.dok;
  sources.ownLocator = std::string(ownLocator);
  sources.postcode = header.postcode;
  sources.ldk = header.ldk;
  sources.clubId = header.clubId;
  sources.extraNumber = header.extraNumber;
  for (int i = 0; i < 3; ++i)
    def.SentDefault(i + 1) = PresetText(row->presets[static_cast<size_t>(i)], sources);

  // 5. The chosen category.
  const CategoryAdjustment* adjustment =
      ApplyCategoryAdjustments(contestCode, header.category, sources, def);

  // 6. The contest year.
  if (row->appendYear) {
    const Dmy start = DayToDmy(header.dateFrom > 0 ? header.dateFrom : TodayDay(clock));
    if (start.year != 0)
      def.ContestName += std::to_string(start.year);
  }

  // Effects on the header and the process.
  if (row->extendedStats)
    header.extendedStats = 255;
  if (row->englishOnly)
    SetLanguageFlag(0);
  if (adjustment != nullptr && adjustment->unsupportedMessage != nullptr) {
    dialogs.Inform(adjustment->unsupportedMessage);
    header.category = 0;
  }
  return def;
}

} // namespace tarvik
