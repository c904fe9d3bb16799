#include <gtest/gtest.h>

#include "radio/bands.h"
#include "radio/modes.h"

namespace tarvik {
namespace {

TEST(Bands, NamesOfEveryLetter) {
  EXPECT_EQ(BandName('a'), "160 m");
  EXPECT_EQ(BandName('a', true), "160m");
  EXPECT_EQ(BandName('l'), "70 cm");
  EXPECT_EQ(BandName('l', true), "70cm");
  EXPECT_EQ(BandName('r'), "2189m");
  EXPECT_EQ(BandName('s'), "1.2cm");
  EXPECT_EQ(BandName('s', true), "1.2cm");
  EXPECT_EQ(BandName('0'), "all");
  EXPECT_EQ(BandName('x'), "???");
  EXPECT_EQ(BandName('\0', true), "???");
  for (char letter : kBandLetters) {
    // Every band's default frequency lies in its own range and maps back to it.
    EXPECT_EQ(BandFromFrequency(BandLetterDefaultFrequency(letter)), letter) << letter;
    EXPECT_EQ(BandFromText(BandName(letter)), letter) << letter;
  }
}

TEST(Bands, FrequencyRangesExcludeLowerAndIncludeUpperBound) {
  struct Case {
    double mhz;
    char band;
  };
  const Case cases[] = {
      {3.5, 'b'},      {3.4999, ' '},    {3.8, 'b'},     {3.80001, ' '},  {1.809, ' '},
      {1.80901, 'a'},  {2.0, 'a'},       {14.35, 'e'},   {14.351, ' '},   {144.0, 'k'},
      {143.9999, ' '}, {146.0, 'k'},     {432.2, 'l'},   {2320.0, 'n'},   {10368.0, 'q'},
      {0.136, 'r'},    {0.1356999, ' '}, {24048.0, 's'}, {24250.01, ' '}, {0.0, ' '},
      {-3.6, ' '},     {50.0, 'j'},      {54.0, 'j'},    {1296.2, 'm'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BandFromFrequency(c.mhz), c.band) << c.mhz;
  EXPECT_DOUBLE_EQ(WavelengthFromFrequency(0.137), 2189);
  EXPECT_DOUBLE_EQ(WavelengthFromFrequency(5760), 0.06);
  EXPECT_DOUBLE_EQ(WavelengthFromFrequency(100.0), 0);
}

TEST(Bands, BandFromTextAcceptsTheListedSpellingsOnly) {
  struct Case {
    const char* text;
    char band;
  };
  const Case cases[] = {
      {"  70cm ", 'l'}, {"70 CM", 'l'},  {"70c", 'l'},    {"70", 'l'},  {"80", 'b'},
      {"80 m", 'b'},    {"160M", 'a'},   {"6", 'j'},      {"6 m", 'j'}, {"6cm", 'p'},
      {"6 C", 'p'},     {"2", 'k'},      {"3", 'q'},      {"23", 'm'},  {"13 cm", 'n'},
      {"9", 'o'},       {"2189", 'r'},   {"2189 m", 'r'}, {"1.2", 's'}, {"1,2 cm", 's'},
      {"1,2c", 's'},    {"1.2 C", '\0'}, {"1.2C", '\0'},  {"", '\0'},   {"80 mm", '\0'},
      {"11", '\0'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BandFromText(c.text), c.band) << '"' << c.text << '"';
}

TEST(Bands, FrequencyFromBandTextTriesCentimetreBandsFirst) {
  EXPECT_DOUBLE_EQ(FrequencyFromBandText("6"), 5650);
  EXPECT_DOUBLE_EQ(FrequencyFromBandText("6m"), 50);
  EXPECT_DOUBLE_EQ(FrequencyFromBandText(" 2 m "), 144);
  EXPECT_DOUBLE_EQ(FrequencyFromBandText("1.2 c"), 24000);
  EXPECT_DOUBLE_EQ(FrequencyFromBandText("70"), 430);
  EXPECT_DOUBLE_EQ(FrequencyFromBandText("160"), 1.815);
  EXPECT_DOUBLE_EQ(FrequencyFromBandText("2189 m"), 0.137);
  EXPECT_DOUBLE_EQ(FrequencyFromBandText("11"), 0);
}

TEST(Bands, CompleteFrequency) {
  struct Case {
    double typed;
    double mhz;
  };
  const Case cases[] = {
      {0, 0},           {3550, 3.55},   {144300, 144.3},    {2320, 2320},
      {10368, 10368},   {1810, 1810},   {1815, 1.815},      {1999, 1.999},
      {2000, 2000},     {80, 3.5},      {2, 144},           {70, 430},
      {0.7, 430},       {1.2, 24000},   {0.012, 24000},     {3, 10000},
      {6, 50},          {18, 18.1},     {1.8, 1.81},        {24, 24.89},
      {24.8, 24.89},    {7050, 7.05},   {10120, 10.12},     {14074, 14.074},
      {3499.9, 3499.9}, {24250, 24250}, {24250.5, 24.2505}, {432.2, 432.2},
      {145.5, 145.5},   {2189, 0.137},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(CompleteFrequency(c.typed), c.mhz, 1e-9) << c.typed;
}

TEST(Modes, GroupsByExactTextAfterDoublingPrefixAndBlanks) {
  struct Case {
    const char* text;
    char group;
  };
  const Case cases[] = {
      {"CW", 'a'},     {"2xCW", 'a'}, {"2x CW", 'a'},  {"2XCW", 'a'}, {" CW\t", 'a'},
      {"x2CW", ' '},   {"cw", ' '},   {"A1A", 'a'},    {"LSB", 'b'},  {"J3E", 'b'},
      {"A3", 'c'},     {"F3E", 'd'},  {"FSK441", 'e'}, {"RY", 'e'},   {"AMTOR", 'f'},
      {"TOR", 'g'},    {"FAX", 'h'},  {"ATV", 'i'},    {"SSTV", 'j'}, {"SAT", 'k'},
      {"PSK-31", 'l'}, {"PR", 'm'},   {"PACKET", 'm'}, {"PKT", 'm'},  {"DIGITAL", ' '},
      {"", ' '},       {"2x", ' '},   {"S SB", ' '},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ModeGroup(c.text), c.group) << '"' << c.text << '"';
}

} // namespace
} // namespace tarvik
