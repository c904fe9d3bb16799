// The records of the family files: setup, second setup, profiles, call book, call list,
// prefix tables, notes and QSL routes, each against bytes from its layout table.

#include <gtest/gtest.h>

#include "datafiles/call_records.h"
#include "datafiles/note_records.h"
#include "datafiles/prefix_record.h"
#include "datafiles/setup_records.h"
#include "record_fixture.h"

namespace tarvik {
namespace {

using test::Raw;
using test::RecordFixture;

TEST(SetupRecord, FieldsAtTheirOffsets) {
  std::string buf(SetupRecord::kLength, '\0');
  buf[723 + 5] = '\x11'; // the two bytes after a designator's flag belong to the family
  buf[723 + 6] = '\x22';
  SetupRecord s(buf.data());
  s.SetRecordNumber(1);
  for (int i = 1; i <= 5; ++i)
    s.SetColour(i, 0x100 * i);
  s.SetDesignator(1, {"QRP", 1});
  s.SetDesignator(9, {"ABCD", 2}); // cut to 3
  s.SetOwnLocator("JO62QM");
  s.SetUtcCorrection(-2);
  s.SetName("Hans Muster");
  s.SetPostcodePlace("12345 Berlin");
  s.SetWazZone("14");
  s.SetFormerCall(4, "DL9OLD");
  s.SetMembership(5, "DARC");
  s.SetStationLine(3, "100 W");
  s.SetListenerName("DE1234");
  s.SetOwnCall("DL1ABC");
  s.SetLanguage(0);
  s.SetNameStyle(3);
  s.SetProfileNumber(3);
  s.SetDateFormat("yyyy-mm-dd");

  RecordFixture f(3530);
  f.Bytes(4, {1, 0, 0, 0});
  f.Bytes(703, {0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0});
  f.Put(723, "\x03"
             "QRP");
  f.Bytes(727, {1, 0x11, 0x22});
  f.Put(723 + 56, "\x03"
                  "ABC");
  f.Bytes(723 + 60, {2});
  f.Put(1776, "\x06"
              "JO62QM");
  f.Bytes(1795, {0xFE, 0xFF, 0xFF, 0xFF});
  f.Put(2103, "\x0B"
              "Hans Muster");
  f.Put(2205, "\x0C"
              "12345 Berlin");
  f.Put(2325, "\x02"
              "14");
  f.Put(2543, "\x06"
              "DL9OLD");
  f.Put(2642, "\x04"
              "DARC");
  f.Put(2715, "\x05"
              "100 W");
  f.Put(3171, "\x06"
              "DE1234");
  f.Put(3400, "\x06"
              "DL1ABC");
  f.Put(3500, "E");
  f.Bytes(3501, {3, 3, 0, 0, 0});
  f.Put(3506, "\x0A"
              "yyyy-mm-dd");
  EXPECT_EQ(buf, f.bytes());

  EXPECT_EQ(s.Designator(1), (PortableDesignator{"QRP", 1}));
  EXPECT_EQ(s.Designator(9), (PortableDesignator{"ABC", 2}));
  EXPECT_EQ(s.Designator(10), PortableDesignator{});
  EXPECT_EQ(s.Designators()[0].text, "QRP");
  EXPECT_EQ(s.language(), 0);
  EXPECT_EQ(s.PlaceholderText("__EigName__"), "Hans Muster");
  EXPECT_EQ(s.PlaceholderText("__EigOrt__"), "12345 Berlin");
  EXPECT_EQ(s.PlaceholderText("__EigExCall4__"), "DL9OLD");
  EXPECT_EQ(s.PlaceholderText("__EigMitglied5__"), "DARC");
  EXPECT_EQ(s.PlaceholderText("__EigStation3__"), "100 W");
  EXPECT_EQ(s.PlaceholderText("__EigExCall5__"), "");
  EXPECT_EQ(s.PlaceholderText("__Eig__"), "");
  EXPECT_EQ(SetupKey(buf.data(), 1), "\x81\x80\x80\x80\x81");
}

TEST(SetupRecord, ANewRecordReadsAsDefaults) {
  const std::string buf(SetupRecord::kLength, '\0');
  const SetupRecord s(buf.data());
  EXPECT_EQ(s.language(), 1); // German
  EXPECT_EQ(s.dateFormat(), "dd.mm.yyyy");
  EXPECT_EQ(s.profileNumber(), 0);
  EXPECT_EQ(s.nameStyle(), 0);
}

TEST(Setup2AndProfile, FieldsAndKeys) {
  std::string buf2(Setup2Record::kLength, '\0');
  Setup2Record s2(buf2.data());
  s2.SetText(1, "eins");
  s2.SetText(6, "sechs");
  s2.SetText(7, "nichts");
  EXPECT_EQ(Raw(buf2.data() + 1668, 5), "\x04"
                                        "eins");
  EXPECT_EQ(Raw(buf2.data() + 1723, 6), "\x05"
                                        "sechs");
  EXPECT_EQ(s2.Text(6), "sechs");
  EXPECT_EQ(s2.Text(7), "");

  std::string buf(ProfileRecord::kMaxLength, '\0');
  ProfileRecord p(buf.data());
  p.SetProfileNumber(3);
  p.SetName("Portabel Sommer");
  EXPECT_EQ(ProfileKey(buf.data(), 1), "\x81\x80\x80\x80\x83");
  EXPECT_EQ(ProfileKey(buf.data(), 2), "Portabel Sommer     ");
  EXPECT_EQ(Raw(buf.data() + 8, 4), "\x0F"
                                    "Por");
}

TEST(CallBookRecord, FieldsByNumberAndKeys) {
  std::string buf(CallBookRecord::kLength, '\0');
  CallBookRecord c(buf.data());
  c.SetCall("DL1ABC");
  const std::pair<int, int> offsets[] = {
      {1, 29},  {2, 22},   {3, 96},   {4, 43},   {5, 107},  {6, 299}, {7, 15},  {8, 233},
      {9, 244}, {10, 255}, {11, 266}, {12, 277}, {13, 288}, {15, 64}, {16, 85}, {17, 112}};
  for (const auto& [number, offset] : offsets) {
    const std::string text = "F" + std::to_string(number);
    c.SetField(number, text);
    EXPECT_EQ(Raw(buf.data() + offset, text.size() + 1), static_cast<char>(text.size()) + text)
        << "field " << number;
    EXPECT_EQ(c.Field(number), text);
  }
  c.SetField(14, "nowhere");
  EXPECT_EQ(c.Field(14), "");
  EXPECT_EQ(c.Field(18), "");
  EXPECT_EQ(c.Field(0), "");
  c.SetField(4, "Hans Muster mit einem langen Namen"); // cut to 20
  EXPECT_EQ(c.Field(4), "Hans Muster mit eine");
  c.SetField(5, "12");
  c.SetField(6, "B36");
  const std::string expected[14] = {"",           "DL1ABC    ",
                                    "F1    ",     "F2    ",
                                    "F3        ", "Hans Muster mit eine",
                                    "  12",       "B36     DL1ABC    ",
                                    "F8    ",     "F9    ",
                                    "F10   ",     "F11   ",
                                    "F12   ",     "F13   "};
  for (int key = 1; key <= 13; ++key)
    EXPECT_EQ(CallBookKey(buf.data(), key), expected[key]) << "key " << key;
  c.SetField(8, "LONGERTHAN6");
  EXPECT_EQ(CallBookKey(buf.data(), 8), "LONGER");
}

TEST(CallListRecord, FieldsByNumberAndKeys) {
  std::string buf(CallListRecord::kLength, '\0');
  CallListRecord c(buf.data());
  c.SetCall("DL1ABC");
  c.SetField(1, "11111");
  c.SetField(2, "222");
  c.SetField(3, "333333333");
  c.SetField(4, "Q");
  c.SetField(5, "Name");
  c.SetField(6, "66");
  c.SetField(7, "77777");
  RecordFixture f(71);
  f.Put(4, "\x06"
           "DL1ABC");
  f.Put(15, "\x05"
            "11111");
  f.Put(21, "\x03"
            "222");
  f.Put(27, "\x09"
            "333333333");
  f.Put(37, "Q");
  f.Put(38, "\x04"
            "Name");
  f.Put(59, "\x02"
            "66");
  f.Put(65, "\x05"
            "77777");
  EXPECT_EQ(buf, f.bytes());
  const char* expected[8] = {"", "DL1ABC    ", "11111", "222  ", "333333333 ", "Q", "   66", "777"};
  for (int key = 1; key <= 7; ++key)
    EXPECT_EQ(CallListKey(buf.data(), key), expected[key]) << "key " << key;
  EXPECT_EQ(c.Field(4), "Q");
  c.SetField(4, "");
  EXPECT_EQ(c.Field(4), "");
  EXPECT_EQ(CallListKey(buf.data(), 5), Raw("\0", 1)); // the character itself, also 0
}

TEST(PrefixRecord, FieldsAndKeys) {
  std::string buf(PrefixRecord::kLength, '\0');
  PrefixRecord p(buf.data());
  p.SetPrefix("DL");
  p.SetDxccPrefix("DL");
  p.SetArea("1");
  p.SetCqZone("14");
  p.SetItuZone("28");
  p.SetContinent("EU");
  p.SetCountryName("Deutschland, Bundesrepublik");
  p.SetField62("X8");
  p.SetValidFrom(100);
  p.SetEntityNumber(230);
  p.SetAliasPrefix("DA");
  p.SetFormerPrefix("DM");
  p.SetAlternativePrefix("DJ");
  p.SetRangeEnd('R');
  p.SetSecondChangeDate(5);
  p.SetSecondFormerPrefix("Y2");
  p.SetClassChar('K');
  p.SetMatchKind('J');
  RecordFixture f(181);
  f.Put(4, "\x02"
           "DL");
  f.Put(11, "\x02"
            "DL");
  f.Put(18, "\x01"
            "1");
  f.Put(22, "\x02"
            "14");
  f.Put(25, "\x02"
            "28");
  f.Put(28, "\x02"
            "EU");
  f.Put(31, "\x1B"
            "Deutschland, Bundesrepublik");
  f.Put(62, "\x02"
            "X8");
  f.Bytes(80, {100, 0, 0, 0});
  f.Put(96, "\x02"
            "DM");
  f.Put(107, "R");
  f.Bytes(108, {0xE6, 0x00});
  f.Put(110, "\x02"
             "DA");
  f.Bytes(161, {5, 0, 0, 0});
  f.Put(165, "\x02"
             "Y2");
  f.Put(172, "\x02"
             "DJ");
  f.Put(179, "KJ");
  EXPECT_EQ(buf, f.bytes());

  const std::string expected[15] = {
      "",
      "DL    ",
      "DL    DL    ",
      "DL    1  ",
      "14DL    ",
      "28DL    ",
      "EUDL    ",
      "DEUTSCHLAND, BUNDESREPUBLIK   DL    ",
      "X8      DL    ",
      "DJ    ",
      Raw("\x01"
          "DL    ",
          7),
      "DA    ",
      "DM    ",
      "\x81\x80\x80\x81\xE6", // NumKey5(230)
      "KDL    ",
  };
  for (int key = 1; key <= 14; ++key)
    EXPECT_EQ(PrefixKey(buf.data(), key), expected[key]) << "key " << key;

  // ClassChar: 2 for "*", 1 above "I", else 0.
  const std::pair<char, char> classes[] = {{'*', 2}, {'J', 1}, {'Z', 1},
                                           {'I', 0}, {'A', 0}, {'\0', 0}};
  for (const auto& [c, expectedClass] : classes) {
    p.SetClassChar(c);
    EXPECT_EQ(PrefixKey(buf.data(), 10)[0], expectedClass) << c;
  }
  p.SetEntityNumber(-5);
  EXPECT_EQ(p.entityNumber(), -5);
}

TEST(NoteRecords, Keys) {
  std::string cnote(ContestNoteRecord::kLength, '\0');
  ContestNoteRecord(cnote.data()).SetName("Sommer");
  EXPECT_EQ(ContestNoteKey(cnote.data(), 1), "Sommer    ");

  std::string lnote(QsoNoteRecord::kLength, '\0');
  QsoNoteRecord n(lnote.data());
  n.SetNumber(2);
  n.SetCall("DL1ABC");
  n.SetDatum(155666);
  n.SetZeit(45296);
  const std::string when = Raw("\x00\x02\x60\x12\x00\x00\xB0\xF0", 8);
  EXPECT_EQ(QsoNoteKey(lnote.data(), 1), "\x81\x80\x80\x80\x82"
                                         "DL1ABC        " +
                                             when);
  EXPECT_EQ(QsoNoteKey(lnote.data(), 2), "DL1ABC        " + when);
  EXPECT_EQ(Raw(lnote.data() + 23, 4), Raw("\x12\x60\x02\x00", 4));

  std::string via(QslRouteRecord::kLength, '\0');
  QslRouteRecord v(via.data());
  v.SetCall("DL1ABC");
  v.SetDate(155666);
  v.SetTime(45296);
  EXPECT_EQ(QslRouteKey(via.data(), 1), "DL1ABC        " + when);
  EXPECT_EQ(Raw(via.data() + 19, 8), Raw("\x12\x60\x02\x00\xF0\xB0\x00\x00", 8));
}

} // namespace
} // namespace tarvik
