// The contest header record against a byte fixture and its five keys; the extension
// record's slots and flags.

#include <gtest/gtest.h>

#include "base/dates.h"
#include "datafiles/contest_records.h"
#include "record_fixture.h"

namespace tarvik {
namespace {

using test::Raw;
using test::RecordFixture;

std::string HeaderFixture() {
  RecordFixture f(379);
  f.Bytes(4, {0x0C, 0x00, 0x00, 0x00});  // contestNumber 12
  f.Bytes(8, {0x12, 0x60, 0x02, 0x00});  // dateFrom 14.03.2026
  f.Bytes(12, {0x13, 0x60, 0x02, 0x00}); // dateTo 15.03.2026
  f.Bytes(16, {0xC0, 0xA8, 0x00, 0x00}); // timeFrom 12:00:00
  f.Bytes(20, {0xD0, 0xB6, 0x00, 0x00}); // timeTo 13:00:00
  f.Put(24, "\x10"
            "Tarvik Test 2026");
  f.Put(50, "\x06"
            "JO62QM");
  f.Put(57, "\x03"
            "B36");
  f.Bytes(71, {0xFF, 0x01});              // creation bytes
  f.Bytes(158, {0xFF, 0xFF, 0xFF, 0xFF}); // extraNumber -1
  f.Put(166, "\x06"
             "DL1ABC");
  f.Put(183, "\x04"
             "AB12");
  f.Put(190, "x2");           // key-4 byte, contestCode
  f.Bytes(192, {0xFF, 0xFF}); // autoDate, autoTime
  f.Put(194, "D");
  f.Bytes(195, {0xFF});
  f.Bytes(196, {1, 0, 2, 0, 3, 0, 4, 0, 5, 0});      // bandQsos 1-5
  f.Bytes(206, {11, 0, 12, 0, 13, 0, 14, 0, 15, 0}); // bandMultis 1-5
  f.Bytes(226, {0x65, 0, 0, 0, 0x66, 0, 0, 0, 0x67, 0, 0, 0, 0x68, 0, 0, 0, 0x69, 0, 0, 0});
  f.Bytes(246, {0x00, 0xFF});                           // rstSentFree no, rstRcvdFree yes
  f.Put(249, "YN");                                     // QSL defaults
  f.Bytes(251, {2, 0xFF});                              // category 2, startSsb
  f.Bytes(253, {10, 0, 20, 0, 0x2C, 0x01, 0xC8, 0x00}); // note window 10, 20, 300 x 200
  f.Bytes(291, {0x00, 0xFF, 0xFF});                     // startFm, startPr, autoBand
  f.Put(294, "\x05"
             "12345");
  f.Bytes(300, {0xFF});                       // yesNoAnswer
  f.Bytes(301, {50, 0, 60, 0});               // column widths 1 and 2
  f.Bytes(339, {70, 0});                      // column width 20
  f.Bytes(341, {6, 0, 16, 0, 0x6A, 0, 0, 0}); // band slot 6
  f.Bytes(355, {7, 0, 17, 0, 0x6B, 0, 0, 0}); // band slot 7
  f.Bytes(369, {0xFF});                       // extendedStats
  f.Put(370, "\x04"
             "LDK1");
  return f.bytes();
}

std::string HeaderBuilt() {
  std::string buf(ContestHeaderRecord::kLength, '\0');
  ContestHeaderRecord h(buf.data());
  h.SetContestNumber(12);
  h.SetDateFrom(DmyToDay(14, 3, 2026));
  h.SetDateTo(DmyToDay(15, 3, 2026));
  h.SetTimeFrom(HmsToTime(12, 0, 0));
  h.SetTimeTo(HmsToTime(13, 0, 0));
  h.SetContestName("Tarvik Test 2026");
  h.SetLocator("JO62QM");
  h.SetDok("B36");
  h.MarkCreated();
  h.SetExtraNumber(-1);
  h.SetOwnCall("DL1ABC");
  h.SetClubId("AB12");
  h.SetKey4Byte('x');
  h.SetContestCode('2');
  h.SetAutoDate(true);
  h.SetAutoTime(true);
  h.SetRecordMark('D');
  for (int slot = 1; slot <= ContestHeaderRecord::kBandSlots; ++slot) {
    h.SetBandQsos(slot, static_cast<std::uint16_t>(slot));
    h.SetBandMultis(slot, static_cast<std::uint16_t>(10 + slot));
    h.SetBandPoints(slot, 100 + slot);
  }
  h.SetRstSentFree(false);
  h.SetRstRcvdFree(true);
  h.SetQslSentDefault('Y');
  h.SetQslRcvdDefault('N');
  h.SetCategory(2);
  h.SetStartSsb(true);
  h.SetNoteGeometry({10, 20, 300, 200});
  h.SetStartFm(false);
  h.SetStartPr(true);
  h.SetAutoBand(true);
  h.SetPostcode("12345");
  h.SetYesNoAnswer(true);
  h.SetColumnWidth(1, 50);
  h.SetColumnWidth(2, 60);
  h.SetColumnWidth(20, 70);
  h.SetColumnWidth(21, 99); // no such column: ignored
  h.SetExtendedStats(255);
  h.SetLdk("LDK1");
  return buf;
}

TEST(ContestHeaderRecord, FieldByFieldEqualsTheByteFixture) {
  EXPECT_EQ(HeaderBuilt(), HeaderFixture());
  const std::string fixture = HeaderFixture();
  const ContestHeaderRecord h(fixture.data());
  EXPECT_EQ(h.contestNumber(), 12);
  EXPECT_EQ(h.contestName(), "Tarvik Test 2026");
  EXPECT_EQ(h.extraNumber(), -1);
  EXPECT_EQ(h.contestCode(), '2');
  EXPECT_TRUE(h.autoDate());
  EXPECT_FALSE(h.rstSentFree());
  for (int slot = 1; slot <= 7; ++slot) {
    EXPECT_EQ(h.bandQsos(slot), slot);
    EXPECT_EQ(h.bandMultis(slot), 10 + slot);
    EXPECT_EQ(h.bandPoints(slot), 100 + slot);
  }
  EXPECT_EQ(h.bandQsos(0), 0);
  EXPECT_EQ(h.bandPoints(8), 0);
  EXPECT_EQ(h.noteGeometry(), (ContestHeaderRecord::NoteGeometry{10, 20, 300, 200}));
  EXPECT_EQ(h.ColumnWidth(1), 50);
  EXPECT_EQ(h.ColumnWidth(3), 0);
  EXPECT_EQ(h.ColumnWidth(20), 70);
  EXPECT_EQ(h.ColumnWidth(21), 0);
  EXPECT_EQ(h.extendedStats(), 255);
  EXPECT_EQ(h.ldk(), "LDK1");
}

TEST(ContestHeaderRecord, TheFiveKeys) {
  const std::string fixture = HeaderFixture();
  EXPECT_EQ(ContestHeaderKey(fixture.data(), 1), "2Tarvik Test 2026         ");
  EXPECT_EQ(ContestHeaderKey(fixture.data(), 2), Raw("2\x00\x02\x60\x12", 5));
  EXPECT_EQ(ContestHeaderKey(fixture.data(), 3), "\x81\x80\x80\x80\x8C");
  EXPECT_EQ(ContestHeaderKey(fixture.data(), 4), "x");
  EXPECT_EQ(ContestHeaderKey(fixture.data(), 5), "Tarvik Test 2026         ");
  EXPECT_EQ(ContestHeaderKey(fixture.data(), 1).size(), 26u);
  EXPECT_EQ(ContestHeaderKey(fixture.data(), 6), "");
  // A name of the full 25 characters fills the key exactly.
  std::string buf = fixture;
  ContestHeaderRecord(buf.data()).SetContestName("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(ContestHeaderKey(buf.data(), 5), "ABCDEFGHIJKLMNOPQRSTUVWXY");
}

TEST(ContestHeaderRecord, UninterpretedBytesSurviveARewrite) {
  std::string buf = HeaderFixture();
  for (int at : {73, 100, 157, 162, 179, 216, 225, 261, 290, 349, 363})
    buf[at] = '\x77';
  const std::string before = buf;
  ContestHeaderRecord h(buf.data());
  h.SetContestName("Neu");
  h.SetCategory(3);
  h.SetBandPoints(6, 1);
  for (std::size_t i = 0; i < buf.size(); ++i) {
    const bool written = (i >= 24 && i < 50) || i == 251 || (i >= 345 && i < 349);
    if (!written) {
      EXPECT_EQ(buf[i], before[i]) << "byte " << i;
    }
  }
  EXPECT_EQ(h.contestName(), "Neu");
  EXPECT_EQ(buf[28], '\0'); // the rest of the name field is cleared

  // periodEdited uses the lower four bits of byte 179 and keeps the upper ones.
  EXPECT_EQ(h.periodEdited(), 0x07);
  h.SetPeriodEdited(0x0A);
  EXPECT_EQ(h.periodEdited(), 0x0A);
  EXPECT_EQ(static_cast<unsigned char>(buf[179]), 0x7A);
  EXPECT_EQ(h.ldk(), ContestHeaderRecord(before.data()).ldk());
}

TEST(ContestExtensionRecord, HundredBandSlotsAndFlags) {
  std::string buf(ContestExtensionRecord::kLength, '\0');
  ContestExtensionRecord x(buf.data());
  x.SetContestNumber(12);
  x.SetBandQsos(1, 5);
  x.SetBandQsos(100, 6);
  x.SetBandMultis(1, 7);
  x.SetBandPoints(100, -8);
  x.SetBandPoints(101, 9); // no such slot
  x.SetRstsNotLocked(true);
  x.SetLogUncountedDupes(true);
  RecordFixture f(11608);
  f.Bytes(4, {12, 0, 0, 0});
  f.Bytes(8, {5, 0, 0, 0});
  f.Bytes(404, {6, 0, 0, 0});
  f.Bytes(408, {7, 0, 0, 0});
  f.Bytes(1204, {0xF8, 0xFF, 0xFF, 0xFF});
  f.Bytes(1808, {0xFF, 0xFF});
  EXPECT_EQ(buf, f.bytes());
  EXPECT_EQ(x.bandPoints(100), -8);
  EXPECT_EQ(x.bandQsos(0), 0);
  EXPECT_EQ(ContestExtensionKey(buf.data(), 1), "\x81\x80\x80\x80\x8C");
}

} // namespace
} // namespace tarvik
