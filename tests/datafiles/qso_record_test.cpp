// The QSO record against a byte fixture written from the layout table, its 27 keys against
// hand-computed bytes, and the rules for the split report and DOK fields.

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>

#include "base/dates.h"
#include "datafiles/qso_record.h"
#include "record_fixture.h"

namespace tarvik {
namespace {

using test::RecordFixture;
std::string B(const char* bytes, std::size_t n) {
  return test::Raw(bytes, n);
}

// The sample QSO: PA/DL9QQQ/P on band g, 14.03.2026 12:34:56, CW, sent report
// "599001/ABCD/EFGHIJK" (19 characters: all four pieces used, the last one short), received
// "57912", DOK "X40YEARS" (8 characters: both pieces), and the bytes that another tool wrote
// into Flag115, the string at 119, Multi1 and Multi2.
std::string SampleFixture() {
  RecordFixture f(216);
  f.Bytes(4, {0x07, 0x00, 0x00, 0x00}); // LfdNr 7
  f.Put(8, "\x0B"
           "PA/DL9QQQ/P");
  f.Put(21, "\x06"
            "JO62QM");
  f.Bytes(28, {0x12, 0x60, 0x02, 0x00}); // Datum 155666 = 14.03.2026
  f.Bytes(32, {0xF0, 0xB0, 0x00, 0x00}); // Zeit 45296 = 12:34:56
  f.Put(36, "\x02"
            "CW");
  f.Put(43, "\x06"
            "FGHIJK"); // RSTsD, report characters 14-20
  f.Put(59, "\x02"
            "M2");
  f.Bytes(66, {0x59, 0x01, 0x00, 0x00}); // QRB 345
  f.Put(70, "\x03"
            "P2X");
  f.Put(77, "\x02"
            "DL");
  f.Put(84, "\x09"
            "Hans;K\xF6ln"); // Windows-1252 o-umlaut
  f.Bytes(115, {0x01});      // Flag115 of another tool
  f.Put(116, "\x02"
             "NY");
  f.Put(119, "\x02"
             "ZZ"); // another tool's string
  f.Put(122, "\x02"
             "EU");
  f.Put(125, "\x06"
             "X40YEA"); // DOK characters 1-6
  f.Put(132, "g");
  f.Bytes(133, {0x03, 0x00, 0x00, 0x00}); // BandSerial 3
  f.Bytes(137, {0x06, 0x00});             // Punkte 6
  f.Put(139, "N");
  f.Put(140, "\x04"
             "1234");
  f.Put(153, "\x03"
             "B36");
  f.Bytes(160, {0x05, 0x00, 0x00, 0x00}); // BandNr 5
  f.Bytes(164, {0xFF});                   // PrefixFest
  f.Bytes(166, {0x2A, 0x00, 0x00, 0x00}); // QSONr 42
  f.Put(170, "A ");                       // Multi1, Multi2 of another tool
  f.Put(173, "\x09"
             "599001/AB"); // RSTsA, characters 1-9
  f.Put(183, "\x05"
             "57912"); // RSTrA
  f.Put(193, "Y");
  f.Put(194, "\x02"
             "RS"); // DOK characters 7-8
  f.Put(200, "\x02"
             "CD");                       // RSTsB, characters 10-11
  f.Bytes(203, {0x0A, 0xD7, 0x63, 0x40}); // Freq 3.56
  f.Put(210, "\x02"
             "/E");           // RSTsC, characters 12-13
  f.Bytes(213, {0x02, 0x00}); // ModeNr 2
  return f.bytes();
}

/// The sample built through the accessors; the other tool's bytes are put in raw.
std::string SampleBuilt() {
  std::string buf(QsoRecord::kLength, '\0');
  QsoRecord q(buf.data());
  q.SetLfdNr(7);
  q.SetCall("PA/DL9QQQ/P");
  q.SetLocator("JO62QM");
  q.SetDatum(DmyToDay(14, 3, 2026));
  q.SetZeit(HmsToTime(12, 34, 56));
  q.SetMode("CW");
  q.SetRSTs("599001/ABCD/EFGHIJK");
  q.SetRSTr("57912");
  q.SetMultMark2("M2");
  q.SetQRB(345);
  q.SetPrefix2("P2X");
  q.SetPrefix("DL");
  q.SetNameQTH("Hans;Köln");
  q.SetKenner("NY");
  q.SetContinent("EU");
  q.SetFullDok("X40YEARS");
  q.SetBand('g');
  q.SetBandSerial(3);
  q.SetPunkte(6);
  q.SetQSLr('N');
  q.SetCall2("1234");
  q.SetMultMark1("B36");
  q.SetBandNr(5);
  q.SetPrefixFest(true);
  q.SetQSYBand(0);
  q.SetQSONr(42);
  q.SetFlag172(0);
  q.SetQSLs('Y');
  q.SetFreq(3.56f);
  q.SetModeNr(2);
  q.SetByteAt(QsoRecord::kFlag115, 1);
  q.SetStrAt(QsoRecord::kKept119, 2, "ZZ");
  q.SetCharAt(QsoRecord::kMulti1, 'A');
  q.SetCharAt(QsoRecord::kMulti2, ' ');
  return buf;
}

TEST(QsoRecord, FieldByFieldEqualsTheByteFixture) {
  ASSERT_EQ(SampleFixture().size(), 216u);
  EXPECT_EQ(SampleBuilt(), SampleFixture());

  const std::string fixture = SampleFixture();
  const QsoRecord q(fixture.data());
  EXPECT_EQ(q.LfdNr(), 7);
  EXPECT_EQ(q.Call(), "PA/DL9QQQ/P");
  EXPECT_EQ(q.Datum(), 155666);
  EXPECT_EQ(q.Zeit(), 45296);
  EXPECT_EQ(q.RSTs(), "599001/ABCD/EFGHIJK");
  EXPECT_EQ(q.RSTr(), "57912");
  EXPECT_EQ(q.FullDok(), "X40YEARS");
  EXPECT_EQ(q.DokPiece(), "X40YEA");
  EXPECT_EQ(q.Dok2Piece(), "RS");
  EXPECT_EQ(q.NameQTH(), "Hans;Köln");
  EXPECT_EQ(q.Band(), 'g');
  EXPECT_EQ(q.Punkte(), 6);
  EXPECT_TRUE(q.PrefixFest());
  EXPECT_FALSE(q.IsBandChangeMarker());
  EXPECT_EQ(q.Flag115(), 1);
  EXPECT_EQ(q.Multi1(), 'A');
  EXPECT_EQ(q.Multi2(), ' ');
  EXPECT_FLOAT_EQ(q.Freq(), 3.56f);
  EXPECT_EQ(q.ModeNr(), 2);
}

TEST(QsoRecord, TheTwentySevenKeysOfTheSample) {
  const std::string fixture = SampleFixture();
  const std::string when = B("\x00\x02\x60\x12\x00\x00\xB0\xF0", 8);
  const std::string expected[QsoRecord::kKeys + 1] = {
      "",
      when,                    //  1 Long4(Datum) + Long4(Zeit)
      "DL9QQQ        " + when, //  2 base call padded to 14
      "JO62QM" + when,         //  3
      "\x81\x80\x80\x80\x87",  //  4 NumKey5(7)
      "DL    ",                //  5
      "DL9QQQ        ",        //  6
      "1",                     //  7 Flag115 = 1
      "g\x81\x80\x80\x80\x85", //  8 NumKey5(BandNr 5)
      "gDL9QQQ        CW    ", //  9
      "gDL    ",               // 10
      "g\x81\xAF\xD7\xC1\xFC", // 11 NumKey5(99999999 - 3)
      "g\x81\xAF\xD7\xC1\xFA", // 12 NumKey5(99999999 - 5)
      "\x81\x80\x80\x80\xAA",  // 13 NumKey5(42)
      "gA",                    // 14
      "g ",                    // 15
      "A ",                    // 16
      "gA",                    // 17
      "X40YEARS",              // 18
      "B36   ",                // 19
      "1234  ",                // 20
      "gX40YEARS",             // 21
      "gP2X   ",               // 22
      "gJO62QM",               // 23
      "a\x81\xAF\xD7\xC1\xFD", // 24 mode group of CW + NumKey5(99999999 - 2)
      "gNY",                   // 25
      "NY",                    // 26
      "g1234  ",               // 27
  };
  const int lengths[QsoRecord::kKeys + 1] = {0, 8, 22, 14, 5, 6, 14, 1, 6, 21, 7, 6, 6, 5,
                                             2, 2, 2,  2,  8, 6, 6,  9, 7, 7,  6, 3, 2, 7};
  for (int key = 1; key <= QsoRecord::kKeys; ++key) {
    const std::string built = QsoKey(fixture.data(), key);
    EXPECT_EQ(built, expected[key]) << "key " << key;
    EXPECT_EQ(static_cast<int>(built.size()), lengths[key]) << "key " << key;
  }
  EXPECT_EQ(QsoKey(fixture.data(), 0), "");
  EXPECT_EQ(QsoKey(fixture.data(), 28), "");
  EXPECT_EQ(QsoTempKey(fixture.data(), 1), "\x81\x80\x80\x80\x87");
}

TEST(QsoRecord, KeysOfEmptyAndSpecialFields) {
  std::string buf(QsoRecord::kLength, '\0');
  QsoRecord q(buf.data());
  q.SetBand('c');
  q.SetCall("dl1abc");
  q.SetMode("FT8");                              // no mode group: a blank
  EXPECT_EQ(QsoKey(buf.data(), 18), "        "); // empty DOK: eight blanks
  EXPECT_EQ(QsoKey(buf.data(), 21), "c        ");
  EXPECT_EQ(QsoKey(buf.data(), 7), " "); // Flag115 not 1
  EXPECT_EQ(QsoKey(buf.data(), 6), "DL1ABC        ");
  EXPECT_EQ(QsoKey(buf.data(), 14), B("c\0", 2)); // Multi1 0 stays a character
  EXPECT_EQ(QsoKey(buf.data(), 17), B("c\0", 2));
  EXPECT_EQ(QsoKey(buf.data(), 24)[0], ' ');
  q.SetCharAt(QsoRecord::kMulti2, 'B');
  EXPECT_EQ(QsoKey(buf.data(), 17), "cB"); // Multi1 0, Multi2 neither 0 nor blank
  q.SetCharAt(QsoRecord::kMulti2, ' ');
  EXPECT_EQ(QsoKey(buf.data(), 17), B("c\0", 2));
  q.SetByteAt(QsoRecord::kFlag115, 2);
  EXPECT_EQ(QsoKey(buf.data(), 7), " ");
  // Numbers read from a damaged record wrap instead of overflowing.
  q.SetBandSerial(-2147483647 - 1);
  EXPECT_EQ(QsoKey(buf.data(), 11).size(), 6u);
  // A short DOK fills only the first piece; an over-long one is cut to 8.
  q.SetFullDok("B36");
  EXPECT_EQ(q.DokPiece(), "B36");
  EXPECT_EQ(q.Dok2Piece(), "");
  EXPECT_EQ(QsoKey(buf.data(), 18), "B36     ");
  q.SetFullDok("ABCDEFGHIJ");
  EXPECT_EQ(q.FullDok(), "ABCDEFGH");
}

TEST(QsoRecord, ReportsSplitIntoTheirFourPieces) {
  std::string buf(QsoRecord::kLength, '\0');
  QsoRecord q(buf.data());
  const std::pair<const char*, std::array<const char*, 4>> cases[] = {
      {"", {"", "", "", ""}},
      {"599", {"599", "", "", ""}},
      {"599123456", {"599123456", "", "", ""}},
      {"5991234567", {"599123456", "7", "", ""}},
      {"59912345678901", {"599123456", "78", "90", "1"}},
      {"59912345678901234567", {"599123456", "78", "90", "1234567"}},
      {"59912345678901234567XYZ", {"599123456", "78", "90", "1234567"}}, // cut to 20
  };
  for (const auto& [report, pieces] : cases) {
    q.SetRSTs(report);
    q.SetRSTr(report);
    EXPECT_EQ(q.StrAt(QsoRecord::kRSTsA, 9), pieces[0]) << report;
    EXPECT_EQ(q.StrAt(QsoRecord::kRSTsB, 2), pieces[1]) << report;
    EXPECT_EQ(q.StrAt(QsoRecord::kRSTsC, 2), pieces[2]) << report;
    EXPECT_EQ(q.StrAt(QsoRecord::kRSTsD, 7), pieces[3]) << report;
    EXPECT_EQ(q.StrAt(QsoRecord::kRSTrC, 2), pieces[2]) << report;
    EXPECT_EQ(q.RSTs(), std::string(report).substr(0, 20));
    EXPECT_EQ(q.RSTr(), q.RSTs());
  }
}

TEST(QsoRecord, RewritingAFieldKeepsEveryOtherByte) {
  std::string buf = SampleFixture();
  buf[215] = '\x5A'; // the unused last byte, as some tool left it
  const std::string before = buf;
  QsoRecord q(buf.data());
  q.SetCall("DL1X"); // shorter: the rest of the field is cleared
  q.SetRSTs("59");
  for (std::size_t i = 0; i < buf.size(); ++i) {
    const bool call = i >= 8 && i < 21;
    const bool sent = (i >= 43 && i < 51) || (i >= 173 && i < 183) || (i >= 200 && i < 203) ||
                      (i >= 210 && i < 213);
    if (!call && !sent) {
      EXPECT_EQ(buf[i], before[i]) << "byte " << i;
    }
  }
  EXPECT_EQ(B(buf.data() + 8, 13), B("\x04"
                                     "DL1X\0\0\0\0\0\0\0\0",
                                     13));
  EXPECT_EQ(q.Flag115(), 1);
  EXPECT_EQ(q.StrAt(QsoRecord::kKept119, 2), "ZZ");
}

TEST(RecordView, NothingReadIsTrusted) {
  std::string buf(QsoRecord::kLength, '\0');
  buf[8] = '\xFF'; // length byte above the capacity of 12
  const QsoRecord q(static_cast<const char*>(buf.data()));
  EXPECT_EQ(q.Call().size(), 12u);
  // A view over a short buffer reads what lies inside and nothing beyond.
  std::string tiny("\x00\x00\x00\x00\x07\x00", 6);
  const QsoRecord shortView(tiny.data(), tiny.size());
  EXPECT_EQ(shortView.LfdNr(), 0); // bytes 4..7 are not all there
  EXPECT_EQ(shortView.Call(), "");
  std::string six("\x00\x00\x00\x00\x09"
                  "AB",
                  7);
  const RecordView cut(six.data(), six.size());
  EXPECT_EQ(cut.StrAt(4, 12), "AB"); // a string cut off by the end of the buffer
  RecordView writable(six.data(), six.size());
  writable.SetI32At(4, 1); // would leave the buffer: not written
  writable.SetStrAt(4, 12, "XYZ");
  EXPECT_EQ(six, std::string("\x00\x00\x00\x00\x09"
                             "AB",
                             7));
}

} // namespace
} // namespace tarvik
