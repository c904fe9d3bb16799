#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalog_test_fixture.h"
#include "contest/contest_code_lists.h"
#include "radio/bands.h"
#include "radio/date_time.h"
#include "support/mult_columns.h"

namespace tarvik {
namespace {

using test::Fields;
using test::Words;

class CodeListsTest : public test::CatalogFixture {};

std::string BlockText(const TimeBlock& b) {
  return b.date + " " + b.startTime + "-" + b.endTime + " " + b.bands;
}

// --- Lists, time blocks and categories of every code -------------------------------------

struct ListsCase {
  char code;
  int timeBlocks;
  const char* lastTimeBlock; // "" when the code has none
  int categories;
  const char* links; // linked time block of each category, in order
  int calls;
  int doks;
  const char* dokRange;     // first and last DokList entry
  int specialDoks;          // -1: SpecialDokList holds the same entries as DokList
  const char* specialRange; // first and last SpecialDokList entry where it has its own
};

// clang-format off
const ListsCase kListsCases[] = {
    {'V', 4, "21.03.2009 18:30:00-19:30:00 k", 9, "0 0 0 0 0 0 0 0 0", 0, 0, "", 7, "MCM DVV"},
    {'B', 3, "11.04.2009 11:00:00-12:00:00 l", 4, "1 2 3 0", 0, 42, "Z06 UKW09", 0, ""},
    {'H', 0, "", 7, "0 0 0 0 0 0 0", 0, 0, "", 0, ""},
    {'D', 0, "", 4, "0 0 0 0", 0, 0, "", 0, ""},
    {'5', 0, "", 4, "0 0 0 0", 0, 0, "", 0, ""},
    {'P', 0, "", 3, "0 0 0", 0, 0, "", 0, ""},
    {'E', 0, "", 2, "0 0", 0, 0, "", 0, ""},
    {'F', 3, "09.05.2009 18:00:00-19:00:00 l", 6, "1 1 2 3 1 0", 0, 8, "Z15 YLB", -1, ""},
    {'J', 4, "24.05.2009 16:00:00-18:00:00 b", 2, "0 0", 0, 18, "Z07 YLE", -1, ""},
    {'G', 4, "14.06.2009 06:00:00-10:00:00 bc", 8, "4 4 2 2 1 3 0 0", 0, 31, "Z05 YLUKW", -1, ""},
    {'R', 3, "16.09.2009 18:00:00-20:00:00 b", 6, "1 1 2 2 3 3", 7, 12, "Z11 EPG", -1, ""},
    {'h', 0, "", 6, "0 0 0 0 0 0", 7, 10, "Z11 CPU", -1, ""},
    {'N', 0, "", 5, "0 0 0 0 0", 0, 0, "", 0, ""},
    {'S', 4, "29.08.2009 14:00:00-15:00:00 l", 8, "2 1 3 4 2 1 3 4", 0, 53, "Z01 VFL09", -1, ""},
    {'T', 5, "19.09.2009 15:00:00-16:00:00 mnopqs", 13, "1 2 3 3 4 4 5 1 2 3 3 4 4", 0, 5, "Z83 DVX", -1, ""},
    {'L', 4, "27.09.2009 10:30:00-11:00:00 l", 9, "1 0 2 3 4 1 2 3 4", 0, 8, "Z40 YLL", -1, ""},
    {'U', 6, "18.10.2009 09:00:00-10:00:00 l", 8, "0 0 5 6 0 0 5 6", 0, 0, "", 0, ""},
    {'I', 2, "03.10.2008 10:00:00-11:30:00 c", 2, "0 0", 0, 0, "", 0, ""},
    {'l', 7, "03.10.2009 15:00:00-16:00:00 m", 7, "0 0 0 0 0 0 0", 0, 8, "Z02 DVI", -1, ""},
    {'g', 3, "16.11.2008 11:00:00-12:00:00 m", 2, "0 0", 0, 32, "Z02 CW", -1, ""},
    {'Z', 0, "", 3, "0 0 0", 0, 0, "", 0, ""},
    {'C', 5, "07.12.2008 08:00:00-10:00:00 kl", 5, "0 0 0 0 0", 0, 9, "Z20 NOTY", -1, ""},
    {'O', 6, "09.11.2008 07:00:00-17:00:00 bckl", 14, "1 1 2 1 2 5 1 3 3 4 3 4 6 3", 0, 10, "Z10 50IPASH", 0, ""},
    {'Q', 4, "03.01.2009 13:00:00-14:00:00 l", 10, "0 0 0 0 0 0 0 0 0 0", 0, 0, "", 2, "Z30 DVT"},
    {'1', 0, "", 6, "0 0 0 0 0 0", 0, 0, "", 0, ""},
    {'K', 8, "16.11.2008 15:30:00-16:30:00 b", 8, "7 5 1 3 8 6 2 4", 0, 5, "Z12 DVG", 0, ""},
    {'A', 0, "", 4, "0 0 0 0", 0, 0, "", 0, ""},
    {'f', 0, "", 4, "0 0 0 0", 0, 0, "", 0, ""},
    {'i', 0, "", 6, "0 0 0 0 0 0", 0, 0, "", 0, ""},
    {'j', 0, "", 3, "0 0 0", 0, 0, "", 0, ""},
    {'Y', 6, "10.10.2009 14:00:00-16:00:00 b", 6, "1 2 3 4 5 6", 0, 5, "VFDB STORKOW800", 0, ""},
    {'2', 0, "", 1, "0", 0, 14, "1N WN", 0, ""},
    {'3', 0, "", 2, "0 0", 0, 18, "1N Z80", 0, ""},
    {'c', 0, "", 1, "0", 0, 5, "WN Z80", 0, ""},
    {'4', 2, "21.12.2008 09:00:00-10:00:00 c", 1, "0", 0, 0, "", 0, ""},
    {'6', 2, "01.11.2009 09:00:00-17:00:00 bcgei", 6, "1 1 1 2 2 2", 0, 0, "", 0, ""},
    {'7', 8, "13.04.2009 16:00:00-18:00:00 l", 4, "0 0 0 0", 0, 0, "", 0, ""},
    {'8', 0, "", 6, "0 0 0 0 0 0", 0, 0, "", 0, ""},
    {'9', 0, "", 6, "0 0 0 0 0 0", 0, 0, "", 0, ""},
    {'a', 0, "", 6, "0 0 0 0 0 0", 0, 9, "BY RDP", 0, ""},
    {'b', 0, "", 4, "0 0 0 0", 0, 0, "", 0, ""},
    {'d', 0, "", 4, "0 0 0 0", 0, 1, "Z19 Z19", -1, ""},
    {'e', 2, "19.04.2009 08:00:00-10:00:00 l", 2, "0 0", 0, 34, "Z07 BUGA09", -1, ""},
    {'k', 0, "", 1, "0", 0, 0, "", 0, ""},
};
// clang-format on

TEST_F(CodeListsTest, ListsOfEveryCode) {
  std::set<char> seen;
  for (const ListsCase& c : kListsCases) {
    SCOPED_TRACE(std::string("code ") + c.code);
    seen.insert(c.code);
    const ContestDefinition def = Build(c.code);

    ASSERT_EQ(def.TimeBlocks.size(), static_cast<size_t>(c.timeBlocks));
    if (c.timeBlocks > 0) {
      EXPECT_EQ(BlockText(def.TimeBlocks.back()), c.lastTimeBlock);
    }

    ASSERT_EQ(def.Categories.size(), static_cast<size_t>(c.categories));
    std::string links;
    for (const ContestCategory& category : def.Categories)
      links += (links.empty() ? "" : " ") + std::to_string(category.timeBlock);
    EXPECT_EQ(links, c.links);

    EXPECT_EQ(def.CallList.size(), static_cast<size_t>(c.calls));
    ASSERT_EQ(def.DokList.size(), static_cast<size_t>(c.doks));
    if (c.doks > 0) {
      EXPECT_EQ(def.DokList.front() + " " + def.DokList.back(), c.dokRange);
    }
    if (c.specialDoks < 0) {
      EXPECT_EQ(def.SpecialDokList, def.DokList);
    } else {
      ASSERT_EQ(def.SpecialDokList.size(), static_cast<size_t>(c.specialDoks));
      if (c.specialDoks > 0) {
        EXPECT_EQ(def.SpecialDokList.front() + " " + def.SpecialDokList.back(), c.specialRange);
      }
    }
  }
  EXPECT_EQ(seen.size(), 44u);
}

TEST_F(CodeListsTest, CodeVKeepsTheEmptyEntryOfItsSpecialDokList) {
  const ContestDefinition def = Build('V');
  const std::vector<std::string> stored = {"MCM", "", "MVP", "Z87", "Z89", "YLV", "DVV"};
  EXPECT_EQ(def.SpecialDokList, stored);
  // Readers skip the empty entry and still see the five DOKs behind it.
  EXPECT_EQ(ListValues(def.SpecialDokList),
            (std::vector<std::string>{"MCM", "MVP", "Z87", "Z89", "YLV", "DVV"}));
  EXPECT_TRUE(ListContains(def.SpecialDokList, "DVV"));
  EXPECT_TRUE(ListContains(def.SpecialDokList, "MVP"));
  EXPECT_FALSE(ListContains(def.SpecialDokList, ""));
  EXPECT_FALSE(ListContains(def.SpecialDokList, "Z88"));
  EXPECT_TRUE(def.DokList.empty());

  const std::vector<TimeBlock> blocks = {{"21.03.2009", "14:00:00", "16:00:00", "b"},
                                         {"21.03.2009", "16:00:00", "17:30:00", "a"},
                                         {"21.03.2009", "17:30:00", "18:30:00", "l"},
                                         {"21.03.2009", "18:30:00", "19:30:00", "k"}};
  EXPECT_EQ(def.TimeBlocks, blocks);
  ASSERT_EQ(def.Categories.size(), 9u);
  EXPECT_EQ(*def.Category(1), (ContestCategory{"A:KW,QRO Stn aus MVP,CW", 0, "Klasse A"}));
  EXPECT_EQ(*def.Category(7), (ContestCategory{"F2:VHF und UHF =< 10 Watt", 0, "Klasse F2"}));
  EXPECT_EQ(*def.Category(8), (ContestCategory{"G:Gäste", 0, "Klasse G"}));
  EXPECT_EQ(*def.Category(9), (ContestCategory{"S:KW, SWLs", 0, "Klasse S"}));
  EXPECT_EQ(def.Category(10), nullptr);
}

TEST_F(CodeListsTest, CategoryTextsKeepTheirExactSpacing) {
  // Descriptions are shown and short names written as stored, blanks included.
  EXPECT_EQ(Build('P').Category(1)->description,
            "Kategorie A:  Sendeamateure Allband  ( 3,5 MHz bis 440 MHz )");
  EXPECT_EQ(Build('R').Category(3)->description, "2: Samstag,  30.05.2009 70 cm CW");
  EXPECT_EQ(Build('Z').Category(1)->description,
            "A: Multi /Multi  Multi/Single, sowie Klub- und Sonderstationen ");
  EXPECT_EQ(Build('7').Category(4)->description, "UHF Sendeamateure ");
  EXPECT_EQ(Build('a').Category(5)->description, "Klasse E:2m   SSB/FM");
  EXPECT_EQ(*Build('b').Category(3), (ContestCategory{"M P    (20W out / 40W in)", 0, "MP"}));
  EXPECT_EQ(*Build('K').Category(3), (ContestCategory{"C:  2m (Fonie)SSB/FM", 1, "Klasse C"}));
  EXPECT_EQ(*Build('j').Category(2), (ContestCategory{"QRO (größer 1,5 KW ERP/12KW EIRP)", 0, ""}));
  EXPECT_EQ(*Build('9').Category(2),
            (ContestCategory{"Portable, multi operator, low power, non-assisted", 0,
                             "Portable-multi operator-low power-non-assisted"}));
  const ContestDefinition r = Build('R');
  EXPECT_EQ(r.CallList, (std::vector<std::string>{"DA0RP", "DF0RLP", "DF0RPJ", "DK0RLP", "DL0RP",
                                                  "DM0K", "DL0K"}));
  EXPECT_EQ(Build('h').CallList, r.CallList);
}

// --- Category adjustments of every code and category -------------------------------------

// What a category changes, as the values the definition must end up with (lists blank-
// separated, presets "|"-separated with the header of the fixture: DOK "N13", locator
// "JO31QX", number 1234). Every field not named must equal the code's category-0 value.
struct CategoryCase {
  char code;
  int category;
  bool listener = false;
  const char* modes = nullptr;
  const char* bands = nullptr;
  const char* options = nullptr;
  const char* labels = nullptr;
  const char* rcvd = nullptr;
  const char* sent = nullptr;
  const char* presets = nullptr;
  const char* doks = nullptr;
  const char* homeDistricts = nullptr;
  std::optional<int> dupe = std::nullopt;
  std::optional<int> utc = std::nullopt;
  std::optional<int> bandAuto = std::nullopt;
  const char* rcvdLabels = nullptr;
};

// clang-format off
const CategoryCase kCategoryCases[] = {
    {.code = 'V', .category = 2, .modes = "SSB"},
    {.code = 'V', .category = 3, .modes = "DIGITAL"},
    {.code = 'V', .category = 4, .modes = "SSB CW DIGITAL"},
    {.code = 'V', .category = 5, .modes = "SSB CW DIGITAL"},
    {.code = 'V', .category = 6, .modes = "SSB CW FM PR", .bands = "kl", .rcvd = "4 6", .sent = "4 6", .presets = "N13|JO31QX|"},
    {.code = 'V', .category = 7, .modes = "SSB CW FM PR", .bands = "kl", .rcvd = "4 6", .sent = "4 6", .presets = "N13|JO31QX|"},
    {.code = 'V', .category = 8, .modes = "SSB CW FM PR DIGITAL", .bands = "abkl", .doks = "MCM MVP Z87 Z89 YLV DVV", .homeDistricts = "V"},
    {.code = 'V', .category = 9, .listener = true, .modes = "SSB CW DIGITAL"},
    {.code = 'B', .category = 2, .bands = "k", .rcvd = "4 6", .sent = "4 6", .presets = "N13|JO31QX|"},
    {.code = 'B', .category = 3, .bands = "l", .rcvd = "4 6", .sent = "4 6", .presets = "N13|JO31QX|"},
    {.code = 'B', .category = 4, .listener = true, .bands = "bckl", .rcvd = "4 6", .sent = "4 6"},
    {.code = 'H', .category = 2, .modes = "SSB"},
    {.code = 'H', .category = 3, .modes = "CW"},
    {.code = 'H', .category = 4, .modes = "CW"},
    {.code = 'H', .category = 5, .modes = "SSB CW DIGITAL"},
    {.code = 'H', .category = 6, .modes = "SSB CW DIGITAL"},
    {.code = 'H', .category = 7, .listener = true, .modes = "SSB CW DIGITAL", .sent = "8"},
    {.code = 'D', .category = 4, .listener = true},
    {.code = '5', .category = 2, .bands = "kl"},
    {.code = '5', .category = 3, .listener = true},
    {.code = 'P', .category = 2, .bands = "kl"},
    {.code = 'P', .category = 3, .listener = true},
    {.code = 'E', .category = 2, .bands = "abcegi"},
    {.code = 'F', .category = 2, .modes = "SSB"},
    {.code = 'F', .category = 3, .modes = "SSB CW FM PR", .bands = "k", .options = "4 5", .labels = "DOK Loc", .rcvd = "7 4 5", .sent = "7 4 5", .presets = "|N13|JO31"},
    {.code = 'F', .category = 4, .modes = "SSB CW FM PR", .bands = "l", .options = "4 5", .labels = "DOK Loc", .rcvd = "7 4 5", .sent = "7 4 5", .presets = "|N13|JO31"},
    {.code = 'F', .category = 5, .listener = true, .modes = "SSB CW"},
    {.code = 'F', .category = 6, .listener = true, .modes = "SSB CW FM PR", .bands = "kl"},
    {.code = 'J', .category = 2, .listener = true},
    {.code = 'G', .category = 2, .modes = "SSB CW"},
    {.code = 'G', .category = 3, .bands = "k", .rcvd = "4 6", .sent = "4 6", .presets = "N13||JO31QX"},
    {.code = 'G', .category = 4, .modes = "SSB CW", .bands = "k", .rcvd = "4 6", .sent = "4 6", .presets = "N13||JO31QX"},
    {.code = 'G', .category = 5, .modes = "SSB CW", .bands = "l", .rcvd = "4 6", .sent = "4 6", .presets = "N13||JO31QX"},
    {.code = 'G', .category = 6, .modes = "SSB CW", .bands = "mnopqs", .rcvd = "4 6", .sent = "4 6", .presets = "N13||JO31QX"},
    {.code = 'G', .category = 7, .listener = true, .modes = "SSB CW"},
    {.code = 'G', .category = 8, .listener = true, .modes = "SSB CW", .bands = "kl", .rcvd = "4 6", .sent = "4 6", .presets = "N13||JO31QX", .bandAuto = 1},
    {.code = 'R', .category = 2, .modes = "SSB CW FM"},
    {.code = 'R', .category = 3, .bands = "l"},
    {.code = 'R', .category = 4, .modes = "SSB CW FM", .bands = "l"},
    {.code = 'R', .category = 5, .bands = "b", .rcvd = "4", .sent = "4", .presets = "N13||JO31QX"},
    {.code = 'R', .category = 6, .modes = "SSB CW FM", .bands = "b", .rcvd = "4", .sent = "4", .presets = "N13||JO31QX"},
    {.code = 'h', .category = 2, .modes = "CW"},
    {.code = 'h', .category = 3, .modes = "SSB CW FM DIGITAL", .bands = "i"},
    {.code = 'h', .category = 4, .modes = "SSB CW FM DIGITAL", .bands = "k", .options = "4 5 10", .labels = "DOK Callmulti Loc", .rcvd = "4 5", .sent = "4 5", .presets = "N13||JO31", .doks = "", .homeDistricts = ""},
    {.code = 'h', .category = 5, .modes = "SSB CW FM DIGITAL", .bands = "lmn", .options = "4 5 10", .labels = "DOK Callmulti Loc", .rcvd = "4 5", .sent = "4 5", .presets = "N13||JO31", .doks = "", .homeDistricts = ""},
    {.code = 'h', .category = 6, .listener = true, .modes = "SSB CW FM DIGITAL", .bands = "biklmn", .options = "", .labels = "", .rcvd = "", .sent = "", .doks = "", .homeDistricts = ""},
    {.code = 'N', .category = 2, .bands = "l"},
    {.code = 'N', .category = 3, .bands = "m"},
    {.code = 'N', .category = 4, .bands = "j"},
    {.code = 'N', .category = 5, .bands = "npqs"},
    {.code = 'S', .category = 2, .modes = "SSB"},
    {.code = 'S', .category = 3, .modes = "SSB CW FM", .bands = "k"},
    {.code = 'S', .category = 4, .modes = "SSB CW FM", .bands = "l"},
    {.code = 'S', .category = 5, .listener = true, .bands = "bc", .dupe = 0},
    {.code = 'S', .category = 6, .listener = true, .modes = "SSB", .bands = "bc", .dupe = 0},
    {.code = 'S', .category = 7, .listener = true, .modes = "SSB CW FM", .bands = "k", .dupe = 0},
    {.code = 'S', .category = 8, .listener = true, .modes = "SSB CW FM", .bands = "l", .dupe = 0},
    {.code = 'T', .category = 2, .modes = "SSB"},
    {.code = 'T', .category = 3, .modes = "SSB CW", .bands = "k"},
    {.code = 'T', .category = 4, .modes = "FM", .bands = "k"},
    {.code = 'T', .category = 5, .modes = "SSB CW", .bands = "l"},
    {.code = 'T', .category = 6, .modes = "FM", .bands = "l"},
    {.code = 'T', .category = 7, .modes = "SSB CW FM", .bands = "mnopqs"},
    {.code = 'T', .category = 8, .listener = true},
    {.code = 'T', .category = 9, .listener = true, .modes = "SSB"},
    {.code = 'L', .category = 2, .modes = "CW", .bands = "bi"},
    {.code = 'L', .category = 3, .bands = "i"},
    {.code = 'L', .category = 4, .bands = "k"},
    {.code = 'L', .category = 5, .bands = "l"},
    {.code = 'L', .category = 6, .listener = true},
    {.code = 'L', .category = 7, .listener = true, .bands = "i"},
    {.code = 'L', .category = 8, .listener = true, .bands = "k"},
    {.code = 'L', .category = 9, .listener = true, .bands = "l"},
    {.code = 'U', .category = 2, .modes = "SSB"},
    {.code = 'U', .category = 3, .modes = "SSB CW FM", .bands = "k", .options = "4 5", .labels = "DOK Loc", .rcvd = "4 5", .sent = "4 5", .presets = "N13|JO31|", .bandAuto = 0},
    {.code = 'U', .category = 4, .modes = "SSB CW FM", .bands = "l", .options = "4 5", .labels = "DOK Loc", .rcvd = "4 5", .sent = "4 5", .presets = "N13|JO31|", .bandAuto = 0},
    {.code = 'U', .category = 5, .listener = true},
    {.code = 'U', .category = 6, .listener = true, .modes = "SSB"},
    {.code = 'U', .category = 7, .listener = true, .modes = "SSB CW FM", .bands = "k", .options = "4 5", .labels = "DOK Loc", .rcvd = "4 5", .sent = "4 5", .presets = "N13|JO31|", .bandAuto = 0},
    {.code = 'U', .category = 8, .listener = true, .modes = "SSB CW FM", .bands = "l", .options = "4 5", .labels = "DOK Loc", .rcvd = "4 5", .sent = "4 5", .presets = "N13|JO31|", .bandAuto = 0},
    {.code = 'I', .category = 2, .bands = "c"},
    {.code = 'l', .category = 2, .modes = "SSB CW FM DIGITAL", .bands = "i"},
    {.code = 'l', .category = 3, .modes = "CW"},
    {.code = 'l', .category = 4, .modes = "CW", .bands = "i"},
    {.code = 'l', .category = 5, .modes = "CW SSB", .bands = "k"},
    {.code = 'l', .category = 6, .modes = "CW SSB", .bands = "l"},
    {.code = 'l', .category = 7, .modes = "CW SSB", .bands = "m"},
    {.code = 'Z', .category = 3, .listener = true},
    {.code = 'C', .category = 2, .modes = "SSB CW FM", .bands = "kl", .bandAuto = 0},
    {.code = 'C', .category = 3, .modes = "SSB CW FM", .bands = "kl", .bandAuto = 0},
    {.code = 'C', .category = 4, .listener = true, .sent = "7 7"},
    {.code = 'C', .category = 5, .listener = true, .modes = "SSB CW FM", .bands = "kl", .sent = "7 7", .bandAuto = 0},
    {.code = 'O', .category = 2, .modes = "CW"},
    {.code = 'O', .category = 3, .modes = "SSB CW FM", .bands = "kl", .rcvd = "7 4 6", .sent = "7 4 6", .presets = "|N13|JO31QX"},
    {.code = 'O', .category = 4, .modes = "SSB CW"},
    {.code = 'O', .category = 5, .modes = "SSB CW FM", .bands = "kl", .rcvd = "7 4 6", .sent = "7 4 6", .presets = "|N13|JO31QX"},
    {.code = 'O', .category = 6, .listener = true, .modes = "SSB CW FM", .bands = "klcb"},
    {.code = 'O', .category = 7, .listener = true, .modes = "SSB CW"},
    {.code = 'O', .category = 9, .modes = "CW"},
    {.code = 'Q', .category = 2, .modes = "SSB"},
    {.code = 'Q', .category = 3, .bands = "c"},
    {.code = 'Q', .category = 4, .modes = "SSB", .bands = "c"},
    {.code = 'Q', .category = 5, .bands = "k", .rcvd = "4 6", .sent = "4", .presets = "JO31QX||", .rcvdLabels = "DOK Loc"},
    {.code = 'Q', .category = 6, .modes = "SSB", .bands = "k", .rcvd = "4 6", .sent = "4", .presets = "JO31QX||", .rcvdLabels = "DOK Loc"},
    {.code = 'Q', .category = 7, .modes = "FM", .bands = "k", .rcvd = "4 6", .sent = "4", .presets = "JO31QX||", .rcvdLabels = "DOK Loc"},
    {.code = 'Q', .category = 8, .bands = "l", .rcvd = "4 6", .sent = "4", .presets = "JO31QX||", .rcvdLabels = "DOK Loc"},
    {.code = 'Q', .category = 9, .modes = "SSB", .bands = "l", .rcvd = "4 6", .sent = "4", .presets = "JO31QX||", .rcvdLabels = "DOK Loc"},
    {.code = 'K', .category = 2, .bands = "i"},
    {.code = 'K', .category = 3, .modes = "SSB FM", .bands = "k"},
    {.code = 'K', .category = 4, .modes = "SSB FM", .bands = "l"},
    {.code = 'K', .category = 5, .modes = "CW"},
    {.code = 'K', .category = 6, .modes = "CW", .bands = "i"},
    {.code = 'K', .category = 7, .modes = "CW", .bands = "k"},
    {.code = 'K', .category = 8, .modes = "CW", .bands = "l"},
    {.code = 'A', .category = 4, .listener = true},
    {.code = 'f', .category = 4, .listener = true},
    {.code = 'i', .category = 2, .modes = "CW"},
    {.code = 'i', .category = 3, .modes = "SSB"},
    {.code = 'i', .category = 4, .listener = true},
    {.code = 'j', .category = 3, .modes = "CW SSB"},
    {.code = 'Y', .category = 2, .bands = "b"},
    {.code = 'Y', .category = 3, .modes = "SSB CW", .bands = "k", .options = "4 5", .labels = "DOK Loc", .rcvd = "4 5", .sent = "4 5", .presets = "N13|JO31|"},
    {.code = 'Y', .category = 4, .modes = "SSB CW", .bands = "l", .options = "4 5", .labels = "DOK Loc", .rcvd = "4 5", .sent = "4 5", .presets = "N13|JO31|"},
    {.code = 'Y', .category = 5, .modes = "CW"},
    {.code = 'Y', .category = 6, .modes = "CW", .bands = "b"},
    {.code = '3', .category = 2, .listener = true},
    {.code = '7', .category = 2, .modes = "CW", .utc = -2},
    {.code = '7', .category = 3, .modes = "SSB CW FM", .bands = "k", .options = "5 16", .labels = "Loc DIG", .rcvd = "16 5", .sent = "16 5", .presets = "  1234|JO31|", .utc = -2},
    {.code = '7', .category = 4, .modes = "SSB CW FM", .bands = "l", .options = "5 16", .labels = "Loc DIG", .rcvd = "16 5", .sent = "16 5", .presets = "  1234|JO31|", .utc = -2},
    {.code = '8', .category = 2, .bands = "l"},
    {.code = '8', .category = 3, .presets = "|B|JO31QX"},
    {.code = '8', .category = 4, .bands = "l", .presets = "|B|JO31QX"},
    {.code = '8', .category = 5, .presets = "|C|JO31QX"},
    {.code = '8', .category = 6, .bands = "l", .presets = "|C|JO31QX"},
    {.code = 'a', .category = 1, .modes = "SSB", .bands = "b"},
    {.code = 'a', .category = 2, .modes = "CW", .bands = "b"},
    {.code = 'a', .category = 3, .modes = "SSB", .bands = "c"},
    {.code = 'a', .category = 4, .modes = "CW", .bands = "c"},
    {.code = 'a', .category = 5, .modes = "SSB FM", .bands = "k"},
    {.code = 'a', .category = 6, .modes = "SSB FM", .bands = "l"},
    {.code = 'b', .category = 1, .presets = "|VLP|"},
    {.code = 'b', .category = 2, .presets = "|QRP|"},
    {.code = 'b', .category = 3, .presets = "|MP|"},
    {.code = 'd', .category = 1, .modes = "SSB", .bands = "bc"},
    {.code = 'd', .category = 2, .modes = "CW", .bands = "bc"},
    {.code = 'd', .category = 3, .modes = "SSB CW FM", .bands = "i"},
    {.code = 'd', .category = 4, .modes = "SSB CW", .bands = "kl"},
    {.code = 'e', .category = 1, .modes = "CW SSB", .bands = "k"},
    {.code = 'e', .category = 2, .modes = "CW SSB", .bands = "l"},
};
// clang-format on

std::array<int, 3> KindsOf(const char* text) {
  std::array<int, 3> kinds{};
  const std::vector<std::string> words = Words(text);
  for (size_t i = 0; i < words.size() && i < 3; ++i)
    kinds[i] = std::stoi(words[i]);
  return kinds;
}

std::array<std::string, 3> ThreeOf(const std::vector<std::string>& parts) {
  std::array<std::string, 3> out;
  for (size_t i = 0; i < parts.size() && i < 3; ++i)
    out[i] = parts[i];
  return out;
}

// The category-0 definition with the values of `c` put in.
ContestDefinition Expected(ContestDefinition def, const CategoryCase& c) {
  if (c.listener)
    def.ListenerLog = 1;
  if (c.modes)
    def.Modes = Words(c.modes);
  if (c.bands)
    def.Bands = c.bands;
  if (c.options) {
    def.Options.reset();
    for (const std::string& option : Words(c.options))
      def.Options.set(static_cast<size_t>(std::stoi(option)));
  }
  if (c.labels) {
    const auto labels = ThreeOf(Words(c.labels));
    test::SetMultColumns(def, labels[0], labels[1], labels[2]);
  }
  if (c.rcvd) {
    const auto k = KindsOf(c.rcvd);
    def.RcvdExchange1 = k[0], def.RcvdExchange2 = k[1], def.RcvdExchange3 = k[2];
  }
  if (c.sent) {
    const auto k = KindsOf(c.sent);
    def.SentExchange1 = k[0], def.SentExchange2 = k[1], def.SentExchange3 = k[2];
  }
  if (c.presets) {
    const auto p = ThreeOf(Fields(c.presets));
    def.SentDefault1 = p[0], def.SentDefault2 = p[1], def.SentDefault3 = p[2];
  }
  if (c.doks)
    def.DokList = Words(c.doks);
  if (c.homeDistricts)
    def.HomeDistricts = c.homeDistricts;
  if (c.dupe)
    def.DupeRule = static_cast<std::uint8_t>(*c.dupe);
  if (c.utc)
    def.UtcOffsetHours = *c.utc;
  if (c.bandAuto)
    def.BandAutoOffered = static_cast<std::uint8_t>(*c.bandAuto);
  if (c.rcvdLabels) {
    const auto labels = ThreeOf(Words(c.rcvdLabels));
    def.RcvdLabel1 = labels[0], def.RcvdLabel2 = labels[1], def.RcvdLabel3 = labels[2];
  }
  return def;
}

TEST_F(CodeListsTest, EveryCategoryOfEveryCodeChangesExactlyItsFields) {
  std::map<std::pair<char, int>, const CategoryCase*> cases;
  for (const CategoryCase& c : kCategoryCases)
    ASSERT_TRUE(cases.emplace(std::make_pair(c.code, c.category), &c).second)
        << c.code << " " << c.category;

  size_t used = 0;
  int checked = 0;
  for (const ListsCase& code : kListsCases) {
    const ContestDefinition base = Build(code.code, 0);
    ASSERT_EQ(base.Categories.size(), static_cast<size_t>(code.categories)) << code.code;
    for (int category = 1; category <= code.categories; ++category) {
      SCOPED_TRACE(std::string("code ") + code.code + " category " + std::to_string(category));
      const auto it = cases.find({code.code, category});
      const ContestDefinition expected = it == cases.end() ? base : Expected(base, *it->second);
      used += it == cases.end() ? 0 : 1;
      EXPECT_EQ(Build(code.code, category), expected);
      ++checked;
    }
  }
  EXPECT_EQ(used, cases.size()) << "a row names a category the code does not have";
  EXPECT_EQ(checked, 228);
}

// --- Single codes --------------------------------------------------------------------------

TEST_F(CodeListsTest, CodeHSectionFIsRefusedEveryTimeButKeepsItsValues) {
  for (int rebuild = 1; rebuild <= 2; ++rebuild) {
    const ContestDefinition def = Build('h', 6);
    EXPECT_EQ(dialogs.Informs(),
              std::vector<std::string>(static_cast<size_t>(rebuild), "SWL wird nicht unterstützt"));
    EXPECT_EQ(header.category, 0);
    EXPECT_EQ(def.ListenerLog, 1);
    EXPECT_EQ(def.Bands, "biklmn"); // every band of the week
    EXPECT_FALSE(def.HasMultipliers());
    EXPECT_EQ(def.MultLabel1, "");
    EXPECT_EQ(def.RcvdExchange1, 0);
    EXPECT_EQ(def.SentExchange1, 0);
    EXPECT_TRUE(def.DokList.empty());
    EXPECT_EQ(def.HomeDistricts, "");
    EXPECT_EQ(def.CallList.size(), 7u);
    EXPECT_EQ(def.Categories.size(), 6u);
  }
  // The reset category builds the base definition without a message.
  dialogs.Clear();
  const ContestDefinition base = BuildContestDefinition('h', header, locator, dialogs, clock);
  EXPECT_TRUE(dialogs.events.empty());
  EXPECT_EQ(base.ListenerLog, 0);
  EXPECT_EQ(base.Bands, "b");
  for (int category = 1; category <= 5; ++category) {
    Build('h', category);
    EXPECT_TRUE(dialogs.events.empty()) << category;
    EXPECT_EQ(header.category, category);
  }
}

TEST_F(CodeListsTest, CodeEightPowerClassFollowsTheCategoryAndEvenCategoriesUse70cm) {
  const char* const classes = "AABBCC";
  for (int category = 1; category <= 6; ++category) {
    SCOPED_TRACE(category);
    const ContestDefinition def = Build('8', category);
    EXPECT_EQ(def.SentDefault1, "");
    EXPECT_EQ(def.SentDefault2, std::string(1, classes[category - 1]));
    EXPECT_EQ(def.SentDefault3, "JO31QX");
    EXPECT_EQ(def.Bands, category % 2 == 0 ? "l" : "k");
    EXPECT_EQ(def.Category(category)->shortName.substr(0, 8),
              std::string("Klasse ") + classes[category - 1]);
  }
  // The own locator is copied at each build.
  locator = "JN58";
  EXPECT_EQ(Build('8', 4).SentDefault3, "JN58");
  EXPECT_EQ(Build('8', 0).SentDefault2, "A");
}

TEST_F(CodeListsTest, CategoryPresetsLeaveTheOwnDokWhereTheCategoryDoesNotNameIt) {
  // Hessen 2 m: the DOK stays the first element, the locator comes from the category.
  header.dok = "F05";
  const ContestDefinition g = Build('G', 4);
  EXPECT_EQ(g.SentDefault1, "F05");
  EXPECT_EQ(g.SentDefault3, "JO31QX");
  // A category preset replaces the base preset of its element (postcode -> locator).
  const ContestDefinition v = Build('V', 6);
  EXPECT_EQ(v.SentDefault1, "F05");
  EXPECT_EQ(v.SentDefault2, "JO31QX");
  // Without a DOK in the header the kept element is empty, not a left-over.
  header.dok = "";
  EXPECT_EQ(Build('G', 4).SentDefault1, "");
}

TEST_F(CodeListsTest, RebuildingForAnotherCategoryLeavesNothingOfThePreviousOne) {
  for (const ListsCase& code : kListsCases) {
    // The expected definition of every category, each built by a fresh fixture state.
    std::vector<ContestDefinition> fresh;
    for (int category = 0; category <= code.categories; ++category) {
      ContestHeaderFields h = header;
      h.category = static_cast<std::uint8_t>(category);
      test::FakeDialogs d;
      fresh.push_back(BuildContestDefinition(code.code, h, locator, d, clock));
    }
    // The main window's definition, rebuilt in place after every change of category.
    ContestDefinition def;
    for (int from = 0; from <= code.categories; ++from) {
      for (int to = 0; to <= code.categories; ++to) {
        def = Build(code.code, from);
        def = Build(code.code, to);
        EXPECT_EQ(def, fresh[static_cast<size_t>(to)])
            << code.code << " from " << from << " to " << to;
      }
    }
  }
}

// --- The tables themselves -----------------------------------------------------------------

TEST(CodeListTables, RowsAreWellFormed) {
  const std::set<std::string> knownModes = {"SSB", "CW", "FM", "PR", "DIGITAL", "FSK441"};
  const std::set<int> knownKinds = {0, 4, 5, 6, 7, 8, 11, 12, 13, 15, 16, 17, 19, 99};
  auto validBands = [](const char* bands) {
    for (const char* b = bands; *b != '\0'; ++b)
      if (!IsBandLetter(*b))
        return false;
    return true;
  };
  std::set<char> codes;
  for (const CodeLists& row : AllCodeLists()) {
    SCOPED_TRACE(std::string("code ") + row.code);
    EXPECT_TRUE(codes.insert(row.code).second) << "two rows";
    EXPECT_TRUE(HasContestDefinition(row.code));
    EXPECT_EQ(FindCodeLists(row.code), &row);

    EXPECT_LE(row.timeBlocks.size(), ContestDefinition::kMaxTimeBlocks);
    for (const TimeBlockRow& block : row.timeBlocks) {
      EXPECT_NE(TextToDay(kDefaultDateReadPicture, block.date), BadDate) << block.date;
      const TimeOfDay start = ReadDefaultPeriodTime(block.startTime);
      const TimeOfDay end = ReadDefaultPeriodTime(block.endTime);
      EXPECT_NE(start, BadTime) << block.startTime;
      EXPECT_LT(start, end) << block.date << " " << block.startTime;
      EXPECT_TRUE(validBands(block.bands)) << block.bands;
      EXPECT_LE(std::string(block.bands).size(), 10u);
    }

    EXPECT_GE(row.categories.size(), 1u);
    EXPECT_LE(row.categories.size(), ContestDefinition::kMaxCategories);
    for (const CategoryRow& category : row.categories) {
      EXPECT_NE(std::string(category.description), "");
      EXPECT_GE(category.timeBlock, 0);
      EXPECT_LE(static_cast<size_t>(category.timeBlock), row.timeBlocks.size())
          << category.description;
    }

    for (TextList list : {row.callList, row.dokList, row.specialDokList})
      EXPECT_LE(list.size(), ContestDefinition::kMaxListEntries);

    int previous = 0;
    for (const CategoryAdjustment& a : row.adjustments) {
      SCOPED_TRACE(a.category);
      EXPECT_GT(a.category, previous) << "categories in ascending order";
      previous = a.category;
      EXPECT_LE(static_cast<size_t>(a.category), row.categories.size());
      EXPECT_EQ(FindCategoryAdjustment(row.code, a.category), &a);
      if (a.modes != nullptr) {
        for (const std::string& mode : SplitBarList(a.modes))
          EXPECT_TRUE(knownModes.count(mode)) << mode;
      }
      if (a.bands != nullptr) {
        EXPECT_TRUE(validBands(a.bands)) << a.bands;
      }
      for (const auto& kinds : {a.rcvd, a.sent}) {
        for (int kind : kinds.value_or(KindList{})) {
          EXPECT_TRUE(knownKinds.count(kind)) << kind;
        }
      }
    }
  }
  EXPECT_EQ(codes.size(), 44u);
  EXPECT_EQ(FindCodeLists('W'), nullptr);
  EXPECT_EQ(FindCategoryAdjustment('8', 0), nullptr);
  EXPECT_EQ(FindCategoryAdjustment('8', 1), nullptr);
  EXPECT_NE(FindCategoryAdjustment('8', 3), nullptr);
}

} // namespace
} // namespace tarvik
