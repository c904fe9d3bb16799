// The per-code lists of the contest definitions: time blocks, categories, call and DOK lists,
// and what each category changes in the code's base definition. Pure data, read by
// FillCodeLists and ApplyCategoryAdjustments (contest_code_lists.cpp).
//
// Conventions of the rows:
//   - time blocks: date, start and end time as the organiser writes them, band letters;
//   - categories in the order of the header window's radio group (category n is row n):
//     description, short name for the outputs, linked time block (0 = none);
//   - lists keep their entries in stored order; "" is an empty entry that keeps its place
//     and is skipped by every reader;
//   - a category adjustment names only the fields the category replaces; everything else
//     keeps the code's base value. In `presets`, kKeep leaves the element's base preset
//     (the own DOK or number stays where the category does not name that element), any
//     other preset replaces it.
// To add or change a contest, change its block here and its row in kCodeLists.

#include "contest/contest_code_lists.h"

namespace tarvik {

namespace {

namespace o = option;
namespace x = exchange;
using M = MultColumn;
using preset::kKeep;
using preset::kLoc;
using preset::kLoc4;
using preset::Text;

// An empty list, for categories that clear a list.
constexpr TextList kNoEntries{};

// --- V: Mecklenburg-Vorpommern - Contest ------------------------------------------------
namespace code_V {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"21.03.2009", "14:00:00", "16:00:00", "b"},
    {"21.03.2009", "16:00:00", "17:30:00", "a"},
    {"21.03.2009", "17:30:00", "18:30:00", "l"},
    {"21.03.2009", "18:30:00", "19:30:00", "k"},
};
constexpr CategoryRow kCategories[] = {
    {"A:KW,QRO Stn aus MVP,CW", "Klasse A"},
    {"B:KW,QRO Stn aus MVP,SSB", "Klasse B"},
    {"C:KW,QRO Stn aus MVP,DIGIMODE", "Klasse C"},
    {"D:KW,QRO Stn aus MVP,MIXED MODE", "Klasse D"},
    {"E:KW,QRP<15 Watt,Stn aus MVP", "Klasse E"},
    {"F1:VHF und UHF > 10 Watt", "Klasse F1"},
    {"F2:VHF und UHF =< 10 Watt", "Klasse F2"},
    {"G:Gäste", "Klasse G"},
    {"S:KW, SWLs", "Klasse S"},
};
constexpr const char* kSpecialDoks[] = {"MCM", "", "MVP", "Z87", "Z89", "YLV", "DVV"};
// The DOK list of the guest category.
constexpr const char* kGuestDoks[] = {"MCM", "MVP", "Z87", "Z89", "YLV", "DVV"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB"},
    {.category = 3, .modes = "DIGITAL"},
    {.category = 4, .modes = "SSB|CW|DIGITAL"},
    {.category = 5, .modes = "SSB|CW|DIGITAL"},
    {.category = 6,
     .modes = "SSB|CW|FM|PR",
     .bands = "kl",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator),
     .presets = {kKeep, kLoc, kKeep}},
    {.category = 7,
     .modes = "SSB|CW|FM|PR",
     .bands = "kl",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator),
     .presets = {kKeep, kLoc, kKeep}},
    {.category = 8,
     .modes = "SSB|CW|FM|PR|DIGITAL",
     .bands = "abkl",
     .dokList = kGuestDoks,
     .homeDistricts = "V"},
    {.category = 9, .listenerLog = true, .modes = "SSB|CW|DIGITAL"},
};
} // namespace code_V

// --- B: Baden - Württemberg Aktivität ---------------------------------------------------
namespace code_B {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"11.04.2009", "07:00:00", "09:00:00", "bc"},
    {"11.04.2009", "09:00:00", "11:00:00", "k"},
    {"11.04.2009", "11:00:00", "12:00:00", "l"},
};
constexpr CategoryRow kCategories[] = {
    {"1. 3.5 und 7.0 MHz", "Klasse 1", 1},
    {"2. 144 MHz", "Klasse 2", 2},
    {"3. 432 MHz", "Klasse 3", 3},
    {"4. SWL", "Klasse 4"},
};
constexpr const char* kDoks[] = {"Z06",   "Z09",   "Z26",   "Z29",   "Z17",  "Z18",       "Z46",
                                 "Z48",   "Z49",   "Z55",   "Z58",   "Z66",  "Z68",       "BWA",
                                 "IM",    "DVP",   "DVA",   "AWG",   "CM04", "CM05",      "DW",
                                 "FIH",   "JR",    "RDP",   "YLA",   "YLP",  "CM06",      "AFP",
                                 "DCW",   "DIG",   "UKW",   "CM07",  "AND",  "09HAMCAMP", "1225PHG",
                                 "20HOZ", "25DOX", "60P13", "DIG40", "HR09", "IBO09",     "UKW09"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2,
     .bands = "k",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator),
     .presets = {kKeep, kLoc, kKeep}},
    {.category = 3,
     .bands = "l",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator),
     .presets = {kKeep, kLoc, kKeep}},
    {.category = 4,
     .listenerLog = true,
     .bands = "bckl",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator)},
};
} // namespace code_B

// --- H: Holyland - Contest --------------------------------------------------------------
namespace code_H {
constexpr CategoryRow kCategories[] = {
    {"1A: Single Op All Band, Mix", "Klasse 1A"},
    {"1B: Single Op All Band, SSB", "Klasse 1B"},
    {"1C: Single Op All Band, CW", "Klasse 1C"},
    {"1D: Single Op All Band, Digital (RTTY, PSK)", "Klasse 1D"},
    {"1E: Single Op QRP (10W)", "Klasse 1E"},
    {"2: Multi Op, All Band, Single Tx, Mix", "Klasse 2"},
    {"3: SWL", "Klasse 3"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB"},
    {.category = 3, .modes = "CW"},
    {.category = 4, .modes = "CW"},
    {.category = 5, .modes = "SSB|CW|DIGITAL"},
    {.category = 6, .modes = "SSB|CW|DIGITAL"},
    {.category = 7, .listenerLog = true, .modes = "SSB|CW|DIGITAL", .sent = Kinds(x::kArea)},
};
} // namespace code_H

// --- D: Deutschland Contest des DTC e.V. ------------------------------------------------
namespace code_D {
constexpr CategoryRow kCategories[] = {
    {"1. mehr als 25 W Output", "Klasse 1"},
    {"2. 5-25 W Output", "Klasse 2"},
    {"3. max. 5 W Output", "Klasse 3"},
    {"4. SWL", "Klasse 4"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 4, .listenerLog = true},
};
} // namespace code_D

// --- 5: Funkertag-QSO-Party 2009 --------------------------------------------------------
namespace code_5 {
constexpr CategoryRow kCategories[] = {
    {"Kategorie A: Sendeamateure Allband (3,5 MHz bis 430 MHz)", "Klasse A"},
    {"Kategorie B: Sendeamateure UKW (144 u. 430 MHz)", "Klasse B"},
    {"Kategorie C: SWL (3,5 MHz bis 430 MHz)", "Klasse C"},
    {"Checklog", "Checklog"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .bands = "kl"},
    {.category = 3, .listenerLog = true},
};
} // namespace code_5

// --- P: Februar-QSO-Party 2009 ----------------------------------------------------------
namespace code_P {
constexpr CategoryRow kCategories[] = {
    {"Kategorie A:  Sendeamateure Allband  ( 3,5 MHz bis 440 MHz )", "Klasse A"},
    {"Kategorie B:  Sendeamateure UKW  ( 144 MHz bis 440 MHz )", "Klasse B"},
    {"Kategorie C:  SWL ( 3,5 MHz bis 440 MHz )", "Klasse C"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .bands = "kl"},
    {.category = 3, .listenerLog = true},
};
} // namespace code_P

// --- E: Europatag der Schulstationen ----------------------------------------------------
namespace code_E {
constexpr CategoryRow kCategories[] = {
    {"A UHF/VHF", "UHF-VHF"},
    {"B HF", "HF"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .bands = "abcegi"},
};
} // namespace code_E

// --- F: Aktivitätswettbewerb Franken ----------------------------------------------------
namespace code_F {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"10.05.2009", "07:00:00", "10:00:00", "cb"},
    {"09.05.2009", "16:00:00", "18:00:00", "k"},
    {"09.05.2009", "18:00:00", "19:00:00", "l"},
};
constexpr CategoryRow kCategories[] = {
    {"A- KW 80/40m CW", "Klasse A", 1},
    {"B- KW 80/40m SSB", "Klasse B", 1},
    {"C- 2m (alle Betriebsarten)", "Klasse C", 2},
    {"D- 70cm (alle Betriebsarten)", "Klasse D", 3},
    {"E- SWL, 80/40m, CW/SSB", "Klasse E", 1},
    {"F- SWL, 2m/70cm (alle Betriebsarten)", "Klasse F"},
};
constexpr const char* kDoks[] = {"Z15", "Z42", "Z51", "Z52", "Z61", "DC", "DVB", "YLB"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB"},
    {.category = 3,
     .modes = "SSB|CW|FM|PR",
     .bands = "k",
     .options = Options(o::kDok, o::kLocator),
     .mults = Mults(M::kDok, M::kLocator),
     .rcvd = Kinds(x::kQsoNumber, x::kDok, x::kLocator4),
     .sent = Kinds(x::kQsoNumber, x::kDok, x::kLocator4),
     .presets = {kKeep, kKeep, kLoc4}},
    {.category = 4,
     .modes = "SSB|CW|FM|PR",
     .bands = "l",
     .options = Options(o::kDok, o::kLocator),
     .mults = Mults(M::kDok, M::kLocator),
     .rcvd = Kinds(x::kQsoNumber, x::kDok, x::kLocator4),
     .sent = Kinds(x::kQsoNumber, x::kDok, x::kLocator4),
     .presets = {kKeep, kKeep, kLoc4}},
    {.category = 5, .listenerLog = true, .modes = "SSB|CW"},
    {.category = 6, .listenerLog = true, .modes = "SSB|CW|FM|PR", .bands = "kl"},
};
} // namespace code_F

// --- J: Hamburg Contest -----------------------------------------------------------------
namespace code_J {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"24.05.2009", "10:00:00", "12:00:00", "c"},
    {"24.05.2009", "12:00:00", "14:00:00", "k"},
    {"24.05.2009", "14:30:00", "16:00:00", "l"},
    {"24.05.2009", "16:00:00", "18:00:00", "b"},
};
constexpr CategoryRow kCategories[] = {
    {"alle (außer SWL)", "single op"},
    {"SWL", "SWL"},
};
constexpr const char* kDoks[] = {"Z07",    "Z27",    "Z28", "Z50", "Z56",  "Z70",
                                 "Z72",    "Z73",    "HMB", "FTG", "DVE",  "40E13",
                                 "100SFO", "800LAU", "CW",  "MF",  "QCWA", "YLE"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .listenerLog = true},
};
} // namespace code_J

// --- G: Hessencontest -------------------------------------------------------------------
namespace code_G {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"13.06.2009", "14:00:00", "15:00:00", "l"},
    {"13.06.2009", "15:00:00", "18:00:00", "k"},
    {"13.06.2009", "14:00:00", "18:00:00", "mnopqs"},
    {"14.06.2009", "06:00:00", "10:00:00", "bc"},
};
constexpr CategoryRow kCategories[] = {
    {"1 - 3,5/7 MHz CW", "Klasse 1", 4},
    {"2 - 3,5/7 MHz CW/SSB", "Klasse 2", 4},
    {"3 - 144 MHz CW", "Klasse 3", 2},
    {"4 - 144 MHz CW/SSB", "Klasse 4", 2},
    {"5 - 432 MHz CW/SSB", "Klasse 5", 1},
    {"6 - 1296 MHz und höher CW/SSB", "Klasse 6", 3},
    {"7 - SWL KW", "Klasse 7"},
    {"8 - SWL UKW", "Klasse 8"},
};
constexpr const char* kDoks[] = {"Z05",   "Z21",   "Z25",  "Z33", "Z54",  "Z62", "25F69", "40MRMA",
                                 "45F29", "50F26", "AWG",  "ATV", "CW",   "DVF", "FIH",   "GCEU09",
                                 "HES",   "HSC",   "HT09", "JK",  "JR",   "MPK", "MUF09", "NOTF",
                                 "RDP",   "SWL",   "WMK",  "YL",  "YLCW", "YLF", "YLUKW"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB|CW"},
    {.category = 3,
     .bands = "k",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator),
     .presets = {kKeep, kKeep, kLoc}},
    {.category = 4,
     .modes = "SSB|CW",
     .bands = "k",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator),
     .presets = {kKeep, kKeep, kLoc}},
    {.category = 5,
     .modes = "SSB|CW",
     .bands = "l",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator),
     .presets = {kKeep, kKeep, kLoc}},
    {.category = 6,
     .modes = "SSB|CW",
     .bands = "mnopqs",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator),
     .presets = {kKeep, kKeep, kLoc}},
    {.category = 7, .listenerLog = true, .modes = "SSB|CW"},
    {.category = 8,
     .listenerLog = true,
     .modes = "SSB|CW",
     .bands = "kl",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok, x::kLocator),
     .presets = {kKeep, kKeep, kLoc},
     .bandAutoOffered = 1},
};
} // namespace code_G

// --- R: Rheinland-Pfalz - Aktivitätsabende ----------------------------------------------
namespace code_R {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"20.05.2009", "18:00:00", "20:00:00", "k"},
    {"30.05.2009", "18:00:00", "20:00:00", "l"},
    {"16.09.2009", "18:00:00", "20:00:00", "b"},
};
constexpr CategoryRow kCategories[] = {
    {"1: Mittwoch, 20.05.2009  2 m  CW", "", 1},
    {"1: Mittwoch, 20.05.2009  2 m  alle Betriebsarten", "", 1},
    {"2: Samstag,  30.05.2009 70 cm CW", "", 2},
    {"2: Samstag,  30.05.2009 70 cm alle Betriebsarten", "", 2},
    {"3: Mittwoch, 16.09.2009 80 m CW", "", 3},
    {"3: Mittwoch, 16.09.2009 80 m alle Betriebsarten", "", 3},
};
constexpr const char* kCalls[] = {"DA0RP", "DF0RLP", "DF0RPJ", "DK0RLP", "DL0RP", "DM0K", "DL0K"};
constexpr const char* kDoks[] = {"Z11", "Z22", "Z74",  "Z77",    "Z82", "DVK",
                                 "JR",  "RP",  "5MOS", "60NATO", "CPU", "EPG"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB|CW|FM"},
    {.category = 3, .bands = "l"},
    {.category = 4, .modes = "SSB|CW|FM", .bands = "l"},
    {.category = 5,
     .bands = "b",
     .rcvd = Kinds(x::kDok),
     .sent = Kinds(x::kDok),
     .presets = {kKeep, kKeep, kKeep}},
    {.category = 6,
     .modes = "SSB|CW|FM",
     .bands = "b",
     .rcvd = Kinds(x::kDok),
     .sent = Kinds(x::kDok),
     .presets = {kKeep, kKeep, kKeep}},
};
} // namespace code_R

// --- h: Rheinland-Pfalz - Aktivitätswoche -----------------------------------------------
namespace code_h {
constexpr CategoryRow kCategories[] = {
    {"KW Sektion A: 80 m nur SSB"},
    {"KW Sektion B: 80 m nur CW"},
    {"KW Sektion C: 10 m alle Betriebsarten"},
    {"VHF Sektion D: 2 m alle Betriebsarten"},
    {"UHF Sektion E: 70/23/12cm alle Betriebsarten"},
    {"SWL Sektion F: 80/10/2 m, 70/23/12 cm alle Betriebsarten"},
};
constexpr const char* kCalls[] = {"DA0RP", "DF0RLP", "DF0RPJ", "DK0RLP", "DL0RP", "DM0K", "DL0K"};
constexpr const char* kDoks[] = {"Z11", "Z22", "Z74", "Z77",     "Z82",
                                 "JR",  "DVK", "RP",  "DST2008", "CPU"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "CW"},
    {.category = 3, .modes = "SSB|CW|FM|DIGITAL", .bands = "i"},
    {.category = 4,
     .modes = "SSB|CW|FM|DIGITAL",
     .bands = "k",
     .options = Options(o::kDok, o::kLocator, o::kListedCalls),
     .mults = Mults(M::kDok, M::kCallMulti, M::kLocator),
     .rcvd = Kinds(x::kDok, x::kLocator4),
     .sent = Kinds(x::kDok, x::kLocator4),
     .presets = {kKeep, kKeep, kLoc4},
     .dokList = kNoEntries,
     .homeDistricts = ""},
    {.category = 5,
     .modes = "SSB|CW|FM|DIGITAL",
     .bands = "lmn",
     .options = Options(o::kDok, o::kLocator, o::kListedCalls),
     .mults = Mults(M::kDok, M::kCallMulti, M::kLocator),
     .rcvd = Kinds(x::kDok, x::kLocator4),
     .sent = Kinds(x::kDok, x::kLocator4),
     .presets = {kKeep, kKeep, kLoc4},
     .dokList = kNoEntries,
     .homeDistricts = ""},
    {.category = 6,
     .listenerLog = true,
     .modes = "SSB|CW|FM|DIGITAL",
     .bands = "biklmn",
     .options = Options(),
     .mults = Mults(),
     .rcvd = Kinds(),
     .sent = Kinds(),
     .dokList = kNoEntries,
     .homeDistricts = "",
     .unsupportedMessage = "SWL wird nicht unterstützt"},
};
} // namespace code_h

// --- N: Nordic Activity Contest ---------------------------------------------------------
namespace code_N {
constexpr CategoryRow kCategories[] = {
    {"1: erster Dienstag 2 m", "2m"},
    {"2: zweiter Dienstag 70cm", "70cm"},
    {"3: dritter Dienstag 23cm", "23cm"},
    {"4: zweiter Donnerstag 6m", "6m"},
    {"5: vierter Dienstag 13cm und höher", "13cm"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .bands = "l"},
    {.category = 3, .bands = "m"},
    {.category = 4, .bands = "j"},
    {.category = 5, .bands = "npqs"},
};
} // namespace code_N

// --- S: Aktivitätswettbewerbe H, S, W ---------------------------------------------------
namespace code_S {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"29.08.2009", "06:00:00", "09:00:00", "bi"},
    {"29.08.2009", "07:00:00", "10:00:00", "bi"},
    {"29.08.2009", "12:00:00", "14:00:00", "k"},
    {"29.08.2009", "14:00:00", "15:00:00", "l"},
};
constexpr CategoryRow kCategories[] = {
    {"A=80 m/10 m CW", "Klasse A", 2},         {"B=80 m/10 m SSB", "Klasse B", 1},
    {"C=2 m CW, SSB, FM", "Klasse C", 3},      {"D=70 cm CW, SSB, FM", "Klasse D", 4},
    {"A-SWL=80 m/10 m CW", "Klasse A-SWL", 2}, {"B-SWL=80 m/10 m SSB", "Klasse B-SWL", 1},
    {"C-SWL=2 m CW, SSB, FM", "Klasse C", 3},  {"D-SWL=70 cm CW, SSB, FM", "Klasse D", 4},
};
constexpr const char* kDoks[] = {
    "Z01",    "Z08",  "Z35",     "Z47",    "Z78",   "Z84",     "Z85",     "Z91",   "DN",
    "SWL",    "YL",   "IPA",     "GDM",    "IBF",   "AWG",     "SAX",     "JR",    "MF",
    "LMM",    "CW",   "QRP",     "DSA",    "DVH",   "DVS",     "DVW",     "YLH",   "DRK",
    "RTC",    "FIH",  "DRF",     "100FPZ", "JRK",   "1080DUD", "HEF09",   "WFF09", "IR2009",
    "WIL750", "CV60", "50H28",   "50RDN",  "60H19", "50PSF",   "800VOGT", "09GEO", "50ERZ",
    "20FBW",  "MRR",  "1000WMS", "MIT800", "8EEK",  "1000TGM", "600UL",   "VFL09"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB"},
    {.category = 3, .modes = "SSB|CW|FM", .bands = "k"},
    {.category = 4, .modes = "SSB|CW|FM", .bands = "l"},
    {.category = 5, .listenerLog = true, .bands = "bc", .dupeRule = 0},
    {.category = 6, .listenerLog = true, .modes = "SSB", .bands = "bc", .dupeRule = 0},
    {.category = 7, .listenerLog = true, .modes = "SSB|CW|FM", .bands = "k", .dupeRule = 0},
    {.category = 8, .listenerLog = true, .modes = "SSB|CW|FM", .bands = "l", .dupeRule = 0},
};
} // namespace code_S

// --- T: Thüringen-Contest ---------------------------------------------------------------
namespace code_T {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"19.09.2009", "06:00:00", "07:00:00", "b"},      {"19.09.2009", "07:00:00", "08:00:00", "b"},
    {"19.09.2009", "12:00:00", "14:00:00", "k"},      {"19.09.2009", "14:00:00", "15:00:00", "l"},
    {"19.09.2009", "15:00:00", "16:00:00", "mnopqs"},
};
constexpr CategoryRow kCategories[] = {
    {"A: 3,5 MHz CW", "Klasse A", 1},          {"B: 3,5 MHz SSB", "Klasse B", 2},
    {"C: 144 MHz CW, SSB", "Klasse C", 3},     {"D: 144 MHz FM", "Klasse D", 3},
    {"E: 432 MHz CW, SSB", "Klasse E", 4},     {"F: 432 MHz FM", "Klasse F", 4},
    {"G: ab 1,2 GHz", "Klasse G", 5},          {"A-SWL: 3,5 MHz CW", "Klasse A-SWL", 1},
    {"B-SWL: 3,5 MHz SSB", "Klasse B-SWL", 2}, {"C-SWL: 144 MHz CW, SSB", "Klasse C-SWL", 3},
    {"D-SWL: 144 MHz FM", "Klasse D-SWL", 3},  {"E-SWL: 432 MHz CW, SSB", "Klasse E-SWL", 4},
    {"F-SWL: 432 MHz FM", "Klasse F-SWL", 4},
};
constexpr const char* kDoks[] = {"Z83", "Z88", "Z90", "THR", "DVX"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB"},
    {.category = 3, .modes = "SSB|CW", .bands = "k"},
    {.category = 4, .modes = "FM", .bands = "k"},
    {.category = 5, .modes = "SSB|CW", .bands = "l"},
    {.category = 6, .modes = "FM", .bands = "l"},
    {.category = 7, .modes = "SSB|CW|FM", .bands = "mnopqs"},
    {.category = 8, .listenerLog = true},
    {.category = 9, .listenerLog = true, .modes = "SSB"},
};
} // namespace code_T

// --- L: Kurzcontest Ruhrgebiet ----------------------------------------------------------
namespace code_L {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"27.09.2009", "07:00:00", "08:30:00", "b"},
    {"27.09.2009", "08:30:00", "09:00:00", "i"},
    {"27.09.2009", "09:00:00", "10:30:00", "k"},
    {"27.09.2009", "10:30:00", "11:00:00", "l"},
};
constexpr CategoryRow kCategories[] = {
    {"A: Kurzwelle 80 Meter", "80m", 1},
    {"A1A: Kurzwelle CW", "A1A"},
    {"B: Kurzwelle 10 Meter", "10m", 2},
    {"C: UKW 2 Meter", "2m", 3},
    {"D: UKW 70 CM", "70cm", 4},
    {"E: SWLs Kurzwelle 80 Meter", "SWL 80m", 1},
    {"F: SWLs Kurzwelle 10 Meter", "SWL 10m", 2},
    {"G: SWLs UKW 2 Meter", "SWL 2m", 3},
    {"H: SWLs UKW 70 CM Meter", "SWL 70cm", 4},
};
constexpr const char* kDoks[] = {"Z40", "Z45", "Z59", "Z63", "Z81", "DRG", "JR", "YLL"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "CW", .bands = "bi"},
    {.category = 3, .bands = "i"},
    {.category = 4, .bands = "k"},
    {.category = 5, .bands = "l"},
    {.category = 6, .listenerLog = true},
    {.category = 7, .listenerLog = true, .bands = "i"},
    {.category = 8, .listenerLog = true, .bands = "k"},
    {.category = 9, .listenerLog = true, .bands = "l"},
};
} // namespace code_L

// --- U: Bayern-Ost-Contest --------------------------------------------------------------
namespace code_U {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"17.10.2009", "06:00:00", "07:00:00", "b"}, {"17.10.2009", "07:00:00", "08:00:00", "b"},
    {"17.10.2009", "08:00:00", "09:00:00", "c"}, {"17.10.2009", "09:00:00", "10:00:00", "c"},
    {"18.10.2009", "07:00:00", "08:30:00", "k"}, {"18.10.2009", "09:00:00", "10:00:00", "l"},
};
constexpr CategoryRow kCategories[] = {
    {"A - KW (CW)", "Klasse A"},        {"B - KW (SSB)", "Klasse B"},
    {"C - VHF", "Klasse C", 5},         {"D - UHF", "Klasse D", 6},
    {"A-SWL: KW (CW)", "Klasse A-SWL"}, {"B-SWL: KW (SSB)", "Klasse B-SWL"},
    {"C-SWL: VHF", "Klasse C-SWL", 5},  {"D-SWL: UHF", "Klasse D-SWL", 6},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB"},
    {.category = 3,
     .modes = "SSB|CW|FM",
     .bands = "k",
     .options = Options(o::kDok, o::kLocator),
     .mults = Mults(M::kDok, M::kLocator),
     .rcvd = Kinds(x::kDok, x::kLocator4),
     .sent = Kinds(x::kDok, x::kLocator4),
     .presets = {kKeep, kLoc4, kKeep},
     .bandAutoOffered = 0},
    {.category = 4,
     .modes = "SSB|CW|FM",
     .bands = "l",
     .options = Options(o::kDok, o::kLocator),
     .mults = Mults(M::kDok, M::kLocator),
     .rcvd = Kinds(x::kDok, x::kLocator4),
     .sent = Kinds(x::kDok, x::kLocator4),
     .presets = {kKeep, kLoc4, kKeep},
     .bandAutoOffered = 0},
    {.category = 5, .listenerLog = true},
    {.category = 6, .listenerLog = true, .modes = "SSB"},
    {.category = 7,
     .listenerLog = true,
     .modes = "SSB|CW|FM",
     .bands = "k",
     .options = Options(o::kDok, o::kLocator),
     .mults = Mults(M::kDok, M::kLocator),
     .rcvd = Kinds(x::kDok, x::kLocator4),
     .sent = Kinds(x::kDok, x::kLocator4),
     .presets = {kKeep, kLoc4, kKeep},
     .bandAutoOffered = 0},
    {.category = 8,
     .listenerLog = true,
     .modes = "SSB|CW|FM",
     .bands = "l",
     .options = Options(o::kDok, o::kLocator),
     .mults = Mults(M::kDok, M::kLocator),
     .rcvd = Kinds(x::kDok, x::kLocator4),
     .sent = Kinds(x::kDok, x::kLocator4),
     .presets = {kKeep, kLoc4, kKeep},
     .bandAutoOffered = 0},
};
} // namespace code_U

// --- I: Kurzwellenaktivitätstag Nordsee -------------------------------------------------
namespace code_I {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"03.10.2008", "08:00:00", "10:00:00", "b"},
    {"03.10.2008", "10:00:00", "11:30:00", "c"},
};
constexpr CategoryRow kCategories[] = {
    {"A: 80 m", "Klasse A"},
    {"B: 40 m", "Klasse B"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .bands = "c"},
};
} // namespace code_I

// --- l: Aktivitätstag Nordsee -----------------------------------------------------------
namespace code_l {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"03.10.2009", "08:00:00", "10:00:00", "b"}, {"03.10.2009", "10:00:00", "11:00:00", "i"},
    {"03.10.2009", "11:00:00", "11:30:00", "b"}, {"03.10.2009", "11:30:00", "12:00:00", "i"},
    {"03.10.2009", "12:00:00", "14:00:00", "k"}, {"03.10.2009", "14:00:00", "15:00:00", "l"},
    {"03.10.2009", "15:00:00", "16:00:00", "m"},
};
constexpr CategoryRow kCategories[] = {
    {"Sektion A: 80 m SSB", "Sektion A"},     {"Sektion B: 10 m ALL", "Sektion B"},
    {"Sektion C: 80 m CW", "Sektion C"},      {"Sektion D: 10 m CW", "Sektion D"},
    {"Sektion E: 2 m CW/SSB", "Sektion E"},   {"Sektion F: 70 cm CW/SSB", "Sektion F"},
    {"Sektion G: 23 cm CW/SSB", "Sektion G"},
};
constexpr const char* kDoks[] = {"Z02", "Z31", "Z36", "Z43", "Z53", "Z65", "ND", "DVI"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB|CW|FM|DIGITAL", .bands = "i"},
    {.category = 3, .modes = "CW"},
    {.category = 4, .modes = "CW", .bands = "i"},
    {.category = 5, .modes = "CW|SSB", .bands = "k"},
    {.category = 6, .modes = "CW|SSB", .bands = "l"},
    {.category = 7, .modes = "CW|SSB", .bands = "m"},
};
} // namespace code_l

// --- g: Nordsee-Contest UKW -------------------------------------------------------------
namespace code_g {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"15.11.2008", "14:00:00", "17:00:00", "k"},
    {"16.11.2008", "08:30:00", "10:30:00", "l"},
    {"16.11.2008", "11:00:00", "12:00:00", "m"},
};
constexpr CategoryRow kCategories[] = {
    {"Sektion A - Stationen aus dem DARC-Distrikt I", "Sektion A"},
    {"Sektion B - Stationen außerhalb DARC-Distrikt I", "Sektion B"},
};
constexpr const char* kDoks[] = {
    "Z02",    "Z31",   "Z36",   "Z43",   "Z53",      "Z65",   "40I23",      "DVI",
    "IPAHB",  "DOK",   "33I28", "DKTOS", "OL900",    "60I15", "60VEGESACK", "75I04",
    "QCWA08", "30I37", "60I08", "50I19", "60BHVI05", "QCWA",  "YLI",        "AWG",
    "YL",     "RDP",   "ND",    "JR",    "HFC",      "FZH",   "DSW",        "CW"};
} // namespace code_g

// --- Z: IPARC-Contest -------------------------------------------------------------------
namespace code_Z {
constexpr CategoryRow kCategories[] = {
    {"A: Multi /Multi  Multi/Single, sowie Klub- und Sonderstationen ", "Klasse A"},
    {"B: Single Op./ Single TRX", "Klasse B"},
    {"C: SWL", "Klasse C"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 3, .listenerLog = true},
};
} // namespace code_Z

// --- C: Brandenburg-Berlin-Contest ------------------------------------------------------
namespace code_C {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"07.12.2008", "07:00:00", "08:00:00", "b"},  {"07.12.2008", "08:00:00", "09:00:00", "b"},
    {"07.12.2008", "09:00:00", "10:00:00", "c"},  {"07.12.2008", "10:00:00", "11:00:00", "c"},
    {"07.12.2008", "08:00:00", "10:00:00", "kl"},
};
constexpr CategoryRow kCategories[] = {
    {"1: KW-Stationen", "Klasse 1"},
    {"2: UKW-Stationen", "Klasse 2"},
    {"3: UKW-Stationen, nur Zeugnisklasse E", "Klasse 3"},
    {"4: SWL KW", "Klasse 4"},
    {"5: SWL UKW", "Klasse 5"},
};
constexpr const char* kDoks[] = {"Z20", "Z86", "Z94", "BLN", "BRA", "DVD", "DVY", "YLY", "NOTY"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB|CW|FM", .bands = "kl", .bandAutoOffered = 0},
    {.category = 3, .modes = "SSB|CW|FM", .bands = "kl", .bandAutoOffered = 0},
    {.category = 4, .listenerLog = true, .sent = Kinds(x::kQsoNumber, x::kQsoNumber)},
    {.category = 5,
     .listenerLog = true,
     .modes = "SSB|CW|FM",
     .bands = "kl",
     .sent = Kinds(x::kQsoNumber, x::kQsoNumber),
     .bandAutoOffered = 0},
};
} // namespace code_C

// --- O: Aktivitätswochenende Schleswig-Holstein -----------------------------------------
namespace code_O {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"08.11.2008", "09:00:00", "15:00:00", "cb"},   {"08.11.2008", "16:00:00", "18:00:00", "kl"},
    {"09.11.2008", "07:00:00", "14:00:00", "bc"},   {"09.11.2008", "15:00:00", "17:00:00", "kl"},
    {"08.11.2008", "09:00:00", "18:00:00", "cbkl"}, {"09.11.2008", "07:00:00", "17:00:00", "bckl"},
};
constexpr CategoryRow kCategories[] = {
    {"A: 08.11. KW (SSB)", "", 1},
    {"B: 08.11. KW (CW)", "", 1},
    {"C: 08.11. UKW (CW/SSB/FM)", "", 2},
    {"D: 08.11. KW (Lizenzklasse E)", "", 1},
    {"E: 08.11. UKW (Lizenzklasse E)", "", 2},
    {"F: 08.11. SWL (Nicht-Genehmigungsinhaber)", "", 5},
    {"G: 08.11. SWL KW (auch Klasse A und E)", "", 1},
    {"A: 09.11. KW (SSB)", "", 3},
    {"B: 09.11. KW (CW)", "", 3},
    {"C: 09.11. UKW (CW/SSB/FM)", "", 4},
    {"D: 09.11. KW (Lizenzklasse E)", "", 3},
    {"E: 09.11. UKW (Lizenzklasse E)", "", 4},
    {"F: 09.11. SWL (Nicht-Genehmigungsinhaber)", "", 6},
    {"G: 09.11. SWL KW (auch Klasse A und E)", "", 3},
};
constexpr const char* kDoks[] = {"Z10", "Z71", "Z79", "DVM", "ITU",
                                 "MF",  "SH",  "SHF", "YLM", "50IPASH"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "CW"},
    {.category = 3,
     .modes = "SSB|CW|FM",
     .bands = "kl",
     .rcvd = Kinds(x::kQsoNumber, x::kDok, x::kLocator),
     .sent = Kinds(x::kQsoNumber, x::kDok, x::kLocator),
     .presets = {kKeep, kKeep, kLoc}},
    {.category = 4, .modes = "SSB|CW"},
    {.category = 5,
     .modes = "SSB|CW|FM",
     .bands = "kl",
     .rcvd = Kinds(x::kQsoNumber, x::kDok, x::kLocator),
     .sent = Kinds(x::kQsoNumber, x::kDok, x::kLocator),
     .presets = {kKeep, kKeep, kLoc}},
    {.category = 6, .listenerLog = true, .modes = "SSB|CW|FM", .bands = "klcb"},
    {.category = 7, .listenerLog = true, .modes = "SSB|CW"},
    {.category = 9, .modes = "CW"},
};
} // namespace code_O

// --- Q: Schwabenkontest -----------------------------------------------------------------
namespace code_Q {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"03.01.2009", "07:00:00", "09:00:00", "b"},
    {"03.01.2009", "09:00:00", "11:00:00", "c"},
    {"03.01.2009", "12:00:00", "13:00:00", "k"},
    {"03.01.2009", "13:00:00", "14:00:00", "l"},
};
constexpr CategoryRow kCategories[] = {
    {"A: 80m CW", "A: 80m CW"},   {"A: 80m SSB", "A: 80m SSB"}, {"A: 40m CW", "A: 40m CW"},
    {"A: 40m SSB", "A: 40m SSB"}, {"B: 2m CW", "B: 2m CW"},     {"B: 2m SSB", "B: 2m SSB"},
    {"B: 2m FM", "B: 2m FM"},     {"B: 70cm CW", "B: 70cm CW"}, {"B: 70cm SSB", "B: 70cm SSB"},
    {"B: 70cm FM", "B: 70cm FM"},
};
constexpr const char* kSpecialDoks[] = {"Z30", "DVT"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "SSB"},
    {.category = 3, .bands = "c"},
    {.category = 4, .modes = "SSB", .bands = "c"},
    {.category = 5,
     .bands = "k",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok),
     .presets = {kLoc, kKeep, kKeep},
     .rcvdLabels = "DOK|Loc"},
    {.category = 6,
     .modes = "SSB",
     .bands = "k",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok),
     .presets = {kLoc, kKeep, kKeep},
     .rcvdLabels = "DOK|Loc"},
    {.category = 7,
     .modes = "FM",
     .bands = "k",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok),
     .presets = {kLoc, kKeep, kKeep},
     .rcvdLabels = "DOK|Loc"},
    {.category = 8,
     .bands = "l",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok),
     .presets = {kLoc, kKeep, kKeep},
     .rcvdLabels = "DOK|Loc"},
    {.category = 9,
     .modes = "SSB",
     .bands = "l",
     .rcvd = Kinds(x::kDok, x::kLocator),
     .sent = Kinds(x::kDok),
     .presets = {kLoc, kKeep, kKeep},
     .rcvdLabels = "DOK|Loc"},
};
} // namespace code_Q

// --- 1: DARC 10 m-Contest ---------------------------------------------------------------
namespace code_1 {
constexpr CategoryRow kCategories[] = {
    {"A - Einmannstationen, Mixed, DL, > 100 W Output", "Klasse A"},
    {"B - Einmannstationen, Mixed, DL, <= 100 W Output", "Klasse B"},
    {"C - Einmannstationen, 2 X CW, DL, > 100 W Output", "Klasse C"},
    {"D - Einmannstationen, 2 X CW, DL, <= 100 W Output", "Klasse D"},
    {"E - Einmannstationen, Mixed, nicht-DL", "Klasse E"},
    {"F - Einmannstationen, 2 X CW, nicht-DL", "Klasse F"},
};
} // namespace code_1

// --- K: Herbstcontest Köln-Aachen -------------------------------------------------------
namespace code_K {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"15.11.2008", "15:30:00", "17:00:00", "k"}, {"15.11.2008", "17:00:00", "18:00:00", "k"},
    {"15.11.2008", "18:00:00", "19:30:00", "l"}, {"15.11.2008", "19:30:00", "20:30:00", "l"},
    {"16.11.2008", "08:30:00", "10:00:00", "i"}, {"16.11.2008", "10:00:00", "11:00:00", "i"},
    {"16.11.2008", "14:00:00", "15:30:00", "b"}, {"16.11.2008", "15:30:00", "16:30:00", "b"},
};
constexpr CategoryRow kCategories[] = {
    {"A: 80m  SSB", "Klasse A", 7},          {"B: 10m  SSB", "Klasse B", 5},
    {"C:  2m (Fonie)SSB/FM", "Klasse C", 1}, {"D: 70cm (Fonie)SSB/FM", "Klasse D", 3},
    {"E: 80m  CW", "Klasse E", 8},           {"F: 10m  CW", "Klasse F", 6},
    {"G:  2m  CW", "Klasse G", 2},           {"H: 70cm CW", "Klasse H", 4},
};
constexpr const char* kDoks[] = {"Z12", "Z32", "Z37", "KA", "DVG"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .bands = "i"},
    {.category = 3, .modes = "SSB|FM", .bands = "k"},
    {.category = 4, .modes = "SSB|FM", .bands = "l"},
    {.category = 5, .modes = "CW"},
    {.category = 6, .modes = "CW", .bands = "i"},
    {.category = 7, .modes = "CW", .bands = "k"},
    {.category = 8, .modes = "CW", .bands = "l"},
};
} // namespace code_K

// --- A: Deutscher Telegraphie-Contest ---------------------------------------------------
namespace code_A {
constexpr CategoryRow kCategories[] = {
    {"1. QRP = bis 5 W Output", "Klasse 1"},
    {"2. LP = 5 bis 100 W Output (low Power)", "Klasse 2"},
    {"3. HP = mehr als 100 W Output (high Power)", "Klasse 3"},
    {"4. SWL", "Klasse 4"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 4, .listenerLog = true},
};
} // namespace code_A

// --- f: Happy New Year-Contest ----------------------------------------------------------
namespace code_f {
constexpr CategoryRow kCategories[] = {
    {"1: über 150W Output oder 300W Input", "Klasse 1"},
    {"2: max. 150W Output oder 300W Input", "Klasse 2"},
    {"3: max. 5W Output oder 10W Input", "Klasse 3"},
    {"4: SWL", "Klasse 4"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 4, .listenerLog = true},
};
} // namespace code_f

// --- i: Naval-Contest -------------------------------------------------------------------
namespace code_i {
constexpr CategoryRow kCategories[] = {
    {"all band mixed mode (single op)"},
    {"all band CW (single op)"},
    {"all band SSB (single op)"},
    {"all band SWL"},
    {"Naval-Club-Station (multi op) all band, mixed mode"},
    {"Non Naval"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "CW"},
    {.category = 3, .modes = "SSB"},
    {.category = 4, .listenerLog = true},
};
} // namespace code_i

// --- j: MMMonVHF MS SPRINT CONTEST ------------------------------------------------------
namespace code_j {
constexpr CategoryRow kCategories[] = {
    {"QRP (maximal 1,5 KW ERP/2.5KW EIRP)"},
    {"QRO (größer 1,5 KW ERP/12KW EIRP)"},
    {"VINTAGE (ohne Leistungbegrenzung)"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 3, .modes = "CW|SSB"},
};
} // namespace code_j

// --- Y: VFDB-Contest --------------------------------------------------------------------
namespace code_Y {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"14.02.2009", "12:00:00", "14:00:00", "c"}, {"14.02.2009", "14:00:00", "16:00:00", "b"},
    {"13.06.2009", "12:00:00", "14:00:00", "k"}, {"13.06.2009", "14:00:00", "16:00:00", "l"},
    {"10.10.2009", "12:00:00", "14:00:00", "c"}, {"10.10.2009", "14:00:00", "16:00:00", "b"},
};
constexpr CategoryRow kCategories[] = {
    {"1: 14.02. 12.00-14.00 40 m SSB", "", 1},   {"2: 14.02. 14.00-16.00 80 m SSB", "", 2},
    {"3: 13.06. 12.00-14.00 2 m SSB/CW", "", 3}, {"4: 13.06. 14.00-16.00 70 cm SSB/CW", "", 4},
    {"5: 10.10. 12.00-14.00 40 m CW", "", 5},    {"6: 10.10. 14.00-16.00 80 m CW", "", 6},
};
constexpr const char* kDoks[] = {"VFDB", "DVZ", "CPU", "MKF09", "STORKOW800"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .bands = "b"},
    {.category = 3,
     .modes = "SSB|CW",
     .bands = "k",
     .options = Options(o::kDok, o::kLocator),
     .mults = Mults(M::kDok, M::kLocator),
     .rcvd = Kinds(x::kDok, x::kLocator4),
     .sent = Kinds(x::kDok, x::kLocator4),
     .presets = {kKeep, kLoc4, kKeep}},
    {.category = 4,
     .modes = "SSB|CW",
     .bands = "l",
     .options = Options(o::kDok, o::kLocator),
     .mults = Mults(M::kDok, M::kLocator),
     .rcvd = Kinds(x::kDok, x::kLocator4),
     .sent = Kinds(x::kDok, x::kLocator4),
     .presets = {kKeep, kLoc4, kKeep}},
    {.category = 5, .modes = "CW"},
    {.category = 6, .modes = "CW", .bands = "b"},
};
} // namespace code_Y

// --- 2: Westfalen Nord QRP Aktivitäts Contest -------------------------------------------
namespace code_2 {
constexpr CategoryRow kCategories[] = {
    {"alle"},
};
constexpr const char* kDoks[] = {"1N", "2N", "3N",  "4N",  "5N",  "6N",  "7N",
                                 "8N", "9N", "10N", "11N", "12N", "13N", "WN"};
} // namespace code_2

// --- 3: Westfalen Nord Contest ----------------------------------------------------------
namespace code_3 {
constexpr CategoryRow kCategories[] = {
    {"SSB/CW"},
    {"SWL"},
};
constexpr const char* kDoks[] = {"1N",  "2N",  "3N",  "4N",  "5N", "6N",  "7N",  "8N",  "9N",
                                 "10N", "11N", "12N", "13N", "WN", "Z14", "Z41", "Z60", "Z80"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .listenerLog = true},
};
} // namespace code_3

// --- c: Westfalen Nord Aktivitätstag ----------------------------------------------------
namespace code_c {
constexpr CategoryRow kCategories[] = {
    {"alle"},
};
constexpr const char* kDoks[] = {"WN", "Z14", "Z41", "Z60", "Z80"};
} // namespace code_c

// --- 4: DOK -----------------------------------------------------------------------------
namespace code_4 {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"21.12.2008", "08:00:00", "09:00:00", "b"},
    {"21.12.2008", "09:00:00", "10:00:00", "c"},
};
constexpr CategoryRow kCategories[] = {
    {"alle"},
};
} // namespace code_4

// --- 6: HSC-CW-Contest ------------------------------------------------------------------
namespace code_6 {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"22.02.2009", "09:00:00", "17:00:00", "bcgei"},
    {"01.11.2009", "09:00:00", "17:00:00", "bcgei"},
};
constexpr CategoryRow kCategories[] = {
    {"Febr. 1- HSC-Mitglieder (max. 150W Output)", "", 1},
    {"Febr. 2- Nichtmitglieder (max. 150W Output)", "", 1},
    {"Febr. 3- QRP Stationen (max. 5W Output)", "", 1},
    {"Nov. 1- HSC-Mitglieder (max. 150W Output)", "", 2},
    {"Nov. 2- Nichtmitglieder (max. 150W Output)", "", 2},
    {"Nov. 3- QRP Stationen (max. 5W Output)", "", 2},
};
} // namespace code_6

// --- 7: DIG-QSO-Party -------------------------------------------------------------------
namespace code_7 {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"11.03.2009", "12:00:00", "17:00:00", "egi"}, {"12.03.2009", "07:00:00", "09:00:00", "b"},
    {"12.03.2009", "09:00:00", "11:00:00", "c"},   {"12.04.2009", "12:00:00", "17:00:00", "egi"},
    {"12.04.2009", "07:00:00", "09:00:00", "b"},   {"12.04.2009", "09:00:00", "11:00:00", "c"},
    {"13.04.2009", "13:00:00", "16:00:00", "k"},   {"13.04.2009", "16:00:00", "18:00:00", "l"},
};
constexpr CategoryRow kCategories[] = {
    {"KW Sendeamateure SSB", "KW-SSB"},
    {"KW Sendeamateure CW", "KW-CW"},
    {"VHF Sendeamateure", "VHF"},
    {"UHF Sendeamateure ", "UHF"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .modes = "CW", .utcOffsetHours = -2},
    {.category = 3,
     .modes = "SSB|CW|FM",
     .bands = "k",
     .options = Options(o::kLocator, o::kMember),
     .mults = Mults(M::kLocator, M::kDig),
     .rcvd = Kinds(x::kMember, x::kLocator4),
     .sent = Kinds(x::kMember, x::kLocator4),
     .presets = {kKeep, kLoc4, kKeep},
     .utcOffsetHours = -2},
    {.category = 4,
     .modes = "SSB|CW|FM",
     .bands = "l",
     .options = Options(o::kLocator, o::kMember),
     .mults = Mults(M::kLocator, M::kDig),
     .rcvd = Kinds(x::kMember, x::kLocator4),
     .sent = Kinds(x::kMember, x::kLocator4),
     .presets = {kKeep, kLoc4, kKeep},
     .utcOffsetHours = -2},
};
} // namespace code_7

// --- 8: Area ----------------------------------------------------------------------------
namespace code_8 {
constexpr CategoryRow kCategories[] = {
    {"A: bis 5 Watt Output VHF 2m", "Klasse A VHF 2m"},
    {"A: bis 5 Watt Output UHF 70cm", "Klasse A UHF 70cm"},
    {"B: 5-50W Output VHF 2m", "Klasse B VHF 2m"},
    {"B: 5-50W Output UHF 70cm", "Klasse B UHF 70cm"},
    {"C: mehr als 50W Output VHF 2m", "Klasse C VHF 2m"},
    {"C: mehr als 50W Output UHF 70cm", "Klasse C UHF 70cm"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 2, .bands = "l"},
    {.category = 3, .presets = {kKeep, Text("B"), kLoc}},
    {.category = 4, .bands = "l", .presets = {kKeep, Text("B"), kLoc}},
    {.category = 5, .presets = {kKeep, Text("C"), kLoc}},
    {.category = 6, .bands = "l", .presets = {kKeep, Text("C"), kLoc}},
};
} // namespace code_8

// --- 9: IARU-Region-1-Fieldday ----------------------------------------------------------
namespace code_9 {
constexpr CategoryRow kCategories[] = {
    {"Portable, single operator, QRP, assisted", "Portable-single operator-QRP-assisted"},
    {"Portable, multi operator, low power, non-assisted",
     "Portable-multi operator-low power-non-assisted"},
    {"Portable, multi operator, low power, assisted", "Portable-multi operator-low power-assisted"},
    {"Portable, multi operator, QRP, assisted", "Portable-multi operator-QRP-assisted"},
    {"Portable, multi operator, high power, assisted",
     "Portable-multi operator-high power-assisted"},
    {"Fixed", "Fixed"},
};
} // namespace code_9

// --- a: Nordrhein-Aktivität -------------------------------------------------------------
namespace code_a {
constexpr CategoryRow kCategories[] = {
    {"Klasse A:80m  SSB", "Klasse A"},    {"Klasse B:80m  CW", "Klasse B"},
    {"Klasse C:40m  SSB", "Klasse C"},    {"Klasse D:40m  CW", "Klasse D"},
    {"Klasse E:2m   SSB/FM", "Klasse E"}, {"Klasse F:70cm SSB/FM", "Klasse F"},
};
constexpr const char* kDoks[] = {"BY", "DIG", "DVR", "XRAY", "XX", "YL", "YLR", "CM86", "RDP"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 1, .modes = "SSB", .bands = "b"},
    {.category = 2, .modes = "CW", .bands = "b"},
    {.category = 3, .modes = "SSB", .bands = "c"},
    {.category = 4, .modes = "CW", .bands = "c"},
    {.category = 5, .modes = "SSB|FM", .bands = "k"},
    {.category = 6, .modes = "SSB|FM", .bands = "l"},
};
} // namespace code_a

// --- b: Original-QRP-Contest ------------------------------------------------------------
namespace code_b {
constexpr CategoryRow kCategories[] = {
    {"V L P  (1W out / 2W in)", "VLP"},
    {"Q R P  (5W out / 10W in)", "QRP"},
    {"M P    (20W out / 40W in)", "MP"},
    {"Keine QRO-Klasse", "keine QRO-Klasse"},
};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 1, .presets = {kKeep, Text("VLP"), kKeep}},
    {.category = 2, .presets = {kKeep, Text("QRP"), kKeep}},
    {.category = 3, .presets = {kKeep, Text("MP"), kKeep}},
};
} // namespace code_b

// --- d: SAAR-Contest --------------------------------------------------------------------
namespace code_d {
constexpr CategoryRow kCategories[] = {
    {"Klasse A: 80m + 40m SSB", "Klasse A"},
    {"Klasse B: 80m + 40m CW", "Klasse B"},
    {"Klasse C: 10m  SSB+CW+FM", "Klasse C"},
    {"Klasse D: 2m + 70cm SSB+CW", "Klasse D"},
};
constexpr const char* kDoks[] = {"Z19"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 1, .modes = "SSB", .bands = "bc"},
    {.category = 2, .modes = "CW", .bands = "bc"},
    {.category = 3, .modes = "SSB|CW|FM", .bands = "i"},
    {.category = 4, .modes = "SSB|CW", .bands = "kl"},
};
} // namespace code_d

// --- e: Nord-Contest --------------------------------------------------------------------
namespace code_e {
constexpr TimeBlockRow kTimeBlocks[] = {
    {"18.04.2009", "13:00:00", "16:00:00", "k"},
    {"19.04.2009", "08:00:00", "10:00:00", "l"},
};
constexpr CategoryRow kCategories[] = {
    {"Sektion A - 144MHz", "Sektion A"},
    {"Sektion B - 432MHz", "Sektion B"},
};
constexpr const char* kDoks[] = {
    "Z07",    "Z27",    "Z28",     "Z50",   "Z56",     "Z70",     "Z72",    "Z73",   "Z19",
    "Z10",    "Z71",    "Z79",     "Z87",   "Z89",     "100SFO",  "800LAU", "40E13", "09SAR",
    "IR2009", "50H28",  "1080DUD", "60H19", "8EEK",    "QCWA09",  "WTL700", "44I21", "09TWN",
    "IPAHB",  "9VARUS", "30I38",   "40I23", "RSHKT09", "WOLFM05", "BUGA09"};
constexpr CategoryAdjustment kAdjustments[] = {
    {.category = 1, .modes = "CW|SSB", .bands = "k"},
    {.category = 2, .modes = "CW|SSB", .bands = "l"},
};
} // namespace code_e

// --- k: QCWA-Party ----------------------------------------------------------------------
namespace code_k {
constexpr CategoryRow kCategories[] = {
    {"alle"},
};
} // namespace code_k

constexpr CodeLists kCodeLists[] = {
    {.code = 'V',
     .timeBlocks = code_V::kTimeBlocks,
     .categories = code_V::kCategories,
     .specialDokList = code_V::kSpecialDoks,
     .adjustments = code_V::kAdjustments},
    {.code = 'B',
     .timeBlocks = code_B::kTimeBlocks,
     .categories = code_B::kCategories,
     .dokList = code_B::kDoks,
     .adjustments = code_B::kAdjustments},
    {.code = 'H', .categories = code_H::kCategories, .adjustments = code_H::kAdjustments},
    {.code = 'D', .categories = code_D::kCategories, .adjustments = code_D::kAdjustments},
    {.code = '5', .categories = code_5::kCategories, .adjustments = code_5::kAdjustments},
    {.code = 'P', .categories = code_P::kCategories, .adjustments = code_P::kAdjustments},
    {.code = 'E', .categories = code_E::kCategories, .adjustments = code_E::kAdjustments},
    {.code = 'F',
     .timeBlocks = code_F::kTimeBlocks,
     .categories = code_F::kCategories,
     .dokList = code_F::kDoks,
     .specialDokList = code_F::kDoks,
     .adjustments = code_F::kAdjustments},
    {.code = 'J',
     .timeBlocks = code_J::kTimeBlocks,
     .categories = code_J::kCategories,
     .dokList = code_J::kDoks,
     .specialDokList = code_J::kDoks,
     .adjustments = code_J::kAdjustments},
    {.code = 'G',
     .timeBlocks = code_G::kTimeBlocks,
     .categories = code_G::kCategories,
     .dokList = code_G::kDoks,
     .specialDokList = code_G::kDoks,
     .adjustments = code_G::kAdjustments},
    {.code = 'R',
     .timeBlocks = code_R::kTimeBlocks,
     .categories = code_R::kCategories,
     .callList = code_R::kCalls,
     .dokList = code_R::kDoks,
     .specialDokList = code_R::kDoks,
     .adjustments = code_R::kAdjustments},
    {.code = 'h',
     .categories = code_h::kCategories,
     .callList = code_h::kCalls,
     .dokList = code_h::kDoks,
     .specialDokList = code_h::kDoks,
     .adjustments = code_h::kAdjustments},
    {.code = 'N', .categories = code_N::kCategories, .adjustments = code_N::kAdjustments},
    {.code = 'S',
     .timeBlocks = code_S::kTimeBlocks,
     .categories = code_S::kCategories,
     .dokList = code_S::kDoks,
     .specialDokList = code_S::kDoks,
     .adjustments = code_S::kAdjustments},
    {.code = 'T',
     .timeBlocks = code_T::kTimeBlocks,
     .categories = code_T::kCategories,
     .dokList = code_T::kDoks,
     .specialDokList = code_T::kDoks,
     .adjustments = code_T::kAdjustments},
    {.code = 'L',
     .timeBlocks = code_L::kTimeBlocks,
     .categories = code_L::kCategories,
     .dokList = code_L::kDoks,
     .specialDokList = code_L::kDoks,
     .adjustments = code_L::kAdjustments},
    {.code = 'U',
     .timeBlocks = code_U::kTimeBlocks,
     .categories = code_U::kCategories,
     .adjustments = code_U::kAdjustments},
    {.code = 'I',
     .timeBlocks = code_I::kTimeBlocks,
     .categories = code_I::kCategories,
     .adjustments = code_I::kAdjustments},
    {.code = 'l',
     .timeBlocks = code_l::kTimeBlocks,
     .categories = code_l::kCategories,
     .dokList = code_l::kDoks,
     .specialDokList = code_l::kDoks,
     .adjustments = code_l::kAdjustments},
    {.code = 'g',
     .timeBlocks = code_g::kTimeBlocks,
     .categories = code_g::kCategories,
     .dokList = code_g::kDoks,
     .specialDokList = code_g::kDoks},
    {.code = 'Z', .categories = code_Z::kCategories, .adjustments = code_Z::kAdjustments},
    {.code = 'C',
     .timeBlocks = code_C::kTimeBlocks,
     .categories = code_C::kCategories,
     .dokList = code_C::kDoks,
     .specialDokList = code_C::kDoks,
     .adjustments = code_C::kAdjustments},
    {.code = 'O',
     .timeBlocks = code_O::kTimeBlocks,
     .categories = code_O::kCategories,
     .dokList = code_O::kDoks,
     .adjustments = code_O::kAdjustments},
    {.code = 'Q',
     .timeBlocks = code_Q::kTimeBlocks,
     .categories = code_Q::kCategories,
     .specialDokList = code_Q::kSpecialDoks,
     .adjustments = code_Q::kAdjustments},
    {.code = '1', .categories = code_1::kCategories},
    {.code = 'K',
     .timeBlocks = code_K::kTimeBlocks,
     .categories = code_K::kCategories,
     .dokList = code_K::kDoks,
     .adjustments = code_K::kAdjustments},
    {.code = 'A', .categories = code_A::kCategories, .adjustments = code_A::kAdjustments},
    {.code = 'f', .categories = code_f::kCategories, .adjustments = code_f::kAdjustments},
    {.code = 'i', .categories = code_i::kCategories, .adjustments = code_i::kAdjustments},
    {.code = 'j', .categories = code_j::kCategories, .adjustments = code_j::kAdjustments},
    {.code = 'Y',
     .timeBlocks = code_Y::kTimeBlocks,
     .categories = code_Y::kCategories,
     .dokList = code_Y::kDoks,
     .adjustments = code_Y::kAdjustments},
    {.code = '2', .categories = code_2::kCategories, .dokList = code_2::kDoks},
    {.code = '3',
     .categories = code_3::kCategories,
     .dokList = code_3::kDoks,
     .adjustments = code_3::kAdjustments},
    {.code = 'c', .categories = code_c::kCategories, .dokList = code_c::kDoks},
    {.code = '4', .timeBlocks = code_4::kTimeBlocks, .categories = code_4::kCategories},
    {.code = '6', .timeBlocks = code_6::kTimeBlocks, .categories = code_6::kCategories},
    {.code = '7',
     .timeBlocks = code_7::kTimeBlocks,
     .categories = code_7::kCategories,
     .adjustments = code_7::kAdjustments},
    {.code = '8', .categories = code_8::kCategories, .adjustments = code_8::kAdjustments},
    {.code = '9', .categories = code_9::kCategories},
    {.code = 'a',
     .categories = code_a::kCategories,
     .dokList = code_a::kDoks,
     .adjustments = code_a::kAdjustments},
    {.code = 'b', .categories = code_b::kCategories, .adjustments = code_b::kAdjustments},
    {.code = 'd',
     .categories = code_d::kCategories,
     .dokList = code_d::kDoks,
     .specialDokList = code_d::kDoks,
     .adjustments = code_d::kAdjustments},
    {.code = 'e',
     .timeBlocks = code_e::kTimeBlocks,
     .categories = code_e::kCategories,
     .dokList = code_e::kDoks,
     .specialDokList = code_e::kDoks,
     .adjustments = code_e::kAdjustments},
    {.code = 'k', .categories = code_k::kCategories},
};

} // namespace

std::span<const CodeLists> AllCodeLists() {
  return kCodeLists;
}

} // namespace tarvik
