// Reading ADIF files: cutting the bytes into record texts (header, comments, lines, case),
// reading the fields of a record (by the tag's length where it fits), and staying bounded
// on files that are damaged or no ADIF at all.

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "logging/adif_reader.h"
#include "support/temp_dir.h"

namespace tarvik {
namespace {

struct Split {
  std::vector<std::string> records;
  std::vector<AdifDrop> drops;
};

// Splits `text`, fed in pieces of `piece` bytes (0: all at once).
Split SplitText(std::string_view text, std::size_t piece = 0) {
  Split out;
  AdifRecordSplitter splitter([&](std::string_view r) { out.records.emplace_back(r); },
                              [&](AdifDrop d) { out.drops.push_back(d); });
  if (piece == 0) {
    splitter.Feed(text);
  } else {
    for (std::size_t i = 0; i < text.size(); i += piece)
      splitter.Feed(text.substr(i, piece));
  }
  splitter.Finish();
  return out;
}

std::vector<std::string> Names(const std::vector<AdifField>& fields) {
  std::vector<std::string> names;
  for (const AdifField& f : fields)
    names.push_back(f.name);
  return names;
}

TEST(AdifSplitter, RecordTextsOfRealWorldShapes) {
  struct Case {
    const char* what;
    const char* file;
    std::vector<std::string> records;
  };
  const Case cases[] = {
      {"header ends in <EOH>, one record per line",
       "Log of DL1ABC <PROGRAMID:4>TEST\r\n<ADIF_VER:5>3.1.0\r\n<EOH>\r\n"
       "<CALL:5>DK1AA <BAND:2>2m <EOR>\r\n<CALL:5>DK2BB <EOR>\r\n",
       {"<CALL:5>DK1AA <BAND:2>2M", "<CALL:5>DK2BB"}},
      {"lower case tags and <eoh>, fields spread over trimmed lines",
       "header\n<eoh>\n  <call:5>dk1aa  \n\t<name:4>Hans\n<eor>\n",
       {"<CALL:5>DK1AA <NAME:4>HANS"}},
      {"comment lines and blank lines are skipped",
       "# exported\n<EOH>\n\n# a comment <EOR>\n<CALL:5>DK1AA\n\n<EOR>\n",
       {"<CALL:5>DK1AA"}},
      {"several records on one line, text after <EOR> begins the next",
       "<EOH><CALL:5>DK1AA<EOR><CALL:5>DK2BB<EOR> <CALL:5>DK3CC\n<EOR>",
       {"<CALL:5>DK1AA", "<CALL:5>DK2BB", "<CALL:5>DK3CC"}},
      {"no header at all", "<CALL:5>DK1AA<EOR>", {"<CALL:5>DK1AA"}},
      {"a second header (two files joined) keeps the records of the first",
       "<EOH><CALL:5>DK1AA<EOR>\nsecond file <ADIF_VER:1>3\n<EOH>\n<CALL:5>DK2BB<EOR>\n",
       {"<CALL:5>DK1AA", "<CALL:5>DK2BB"}},
      {"a line with only blanks between records",
       "<CALL:5>DK1AA<EOR>\n   \n<CALL:5>DK2BB<EOR>",
       {"<CALL:5>DK1AA", "<CALL:5>DK2BB"}},
  };
  for (const Case& c : cases) {
    for (std::size_t piece : {std::size_t{0}, std::size_t{1}, std::size_t{3}}) {
      const Split split = SplitText(c.file, piece);
      EXPECT_EQ(split.records, c.records) << c.what << ", pieces of " << piece;
      EXPECT_TRUE(split.drops.empty()) << c.what;
    }
  }
}

TEST(AdifSplitter, UnterminatedAndOverlongRecordsAreDroppedWithoutLosingTheOthers) {
  // Text with a tag after the last <EOR> is an unterminated record; plain text is not.
  Split split = SplitText("<CALL:5>DK1AA<EOR>\n<CALL:5>DK2BB <BAND:2>2M\n");
  EXPECT_EQ(split.records, std::vector<std::string>{"<CALL:5>DK1AA"});
  EXPECT_EQ(split.drops, std::vector<AdifDrop>{AdifDrop::kUnterminated});
  split = SplitText("<CALL:5>DK1AA<EOR>\nend of file\n");
  EXPECT_TRUE(split.drops.empty());

  // A record far over the limit, on one line, between two good ones.
  std::string file = "<CALL:5>DK1AA<EOR>\n<COMMENT:3>";
  file += std::string(kMaxAdifRecordText + 1000, 'x');
  file += "<EOR><CALL:5>DK2BB<EOR>\n";
  split = SplitText(file, 4096);
  EXPECT_EQ(split.records, (std::vector<std::string>{"<CALL:5>DK1AA", "<CALL:5>DK2BB"}));
  EXPECT_EQ(split.drops, std::vector<AdifDrop>{AdifDrop::kTooLong});

  // Megabytes without any <EOR>: one dropped record, nothing kept.
  split = SplitText(std::string(3 * 1024 * 1024, '<'), 65536);
  EXPECT_TRUE(split.records.empty());
  EXPECT_EQ(split.drops, std::vector<AdifDrop>{AdifDrop::kTooLong});
}

TEST(AdifRecord, FieldsByLengthOrUpToTheNextTag) {
  struct Case {
    const char* what;
    const char* text;
    std::vector<AdifField> fields;
  };
  const Case cases[] = {
      {"plain fields with lengths",
       "<CALL:6>DL1ABC <QSO_DATE:8>20090321 <TIME_ON:4>1405",
       {{"CALL", "DL1ABC"}, {"QSO_DATE", "20090321"}, {"TIME_ON", "1405"}}},
      {"a value holding a '<' is read by its length",
       "<COMMENT:7>A<B>C D <CALL:5>DK1AA",
       {{"COMMENT", "A<B>C D"}, {"CALL", "DK1AA"}}},
      {"the tag's type is allowed",
       "<QSO_DATE:8:D>20090321<CALL:5>DK1AA",
       {{"QSO_DATE", "20090321"}, {"CALL", "DK1AA"}}},
      {"too short a length: the value up to the next tag",
       "<NAME:2>HANS <CALL:5>DK1AA",
       {{"NAME", "HANS"}, {"CALL", "DK1AA"}}},
      {"a length far beyond the record",
       "<CALL:999999999>DK1AA <BAND:2>2M",
       {{"CALL", "DK1AA"}, {"BAND", "2M"}}},
      {"a length running into the next tag",
       "<CALL:12>DK1AA <BAND:2>2M",
       {{"CALL", "DK1AA"}, {"BAND", "2M"}}},
      {"no length at all, value trimmed",
       "<CALL> DK1AA <NAME>HANS",
       {{"CALL", "DK1AA"}, {"NAME", "HANS"}}},
      {"a bad length is ignored", "<CALL:X5>DK1AA<BAND:-2>2M", {{"CALL", "DK1AA"}, {"BAND", "2M"}}},
      {"length 0", "<NAME:0><CALL:5>DK1AA", {{"NAME", ""}, {"CALL", "DK1AA"}}},
      {"junk around a field is no tag",
       "<<< <> < CALL> <CALL:5>DK1AA >x< <A B>",
       {{"CALL", "DK1AA >x"}}},
      {"EOR and EOH tags are no fields", "<EOH><CALL:5>DK1AA<EOR>", {{"CALL", "DK1AA"}}},
      {"an unclosed tag at the end", "<CALL:5>DK1AA <BAND:2", {{"CALL", "DK1AA"}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseAdifRecord(c.text), c.fields) << c.what;
}

TEST(AdifRecord, NameMatchesOnlyWholeTagNames) {
  const std::vector<AdifField> fields =
      ParseAdifRecord("<FREQ_RX:7>145.600 <FREQ:7>145.500 <NAME:4>HANS <NAME:4>OTTO <EOR>");
  EXPECT_EQ(Names(fields), (std::vector<std::string>{"FREQ_RX", "FREQ", "NAME", "NAME"}));
  ASSERT_NE(FindAdifValue(fields, "FREQ"), nullptr);
  EXPECT_EQ(*FindAdifValue(fields, "FREQ"), "145.500");
  EXPECT_EQ(*FindAdifValue(fields, "NAME"), "HANS"); // the first occurrence
  EXPECT_EQ(FindAdifValue(fields, "FRE"), nullptr);
  EXPECT_EQ(FindAdifValue(fields, "QTH"), nullptr);
}

TEST(AdifScan, FieldNamesOfTheRecordsInOrderOfFirstAppearance) {
  std::istringstream in(
      "Exported <PROGRAMID:5>OTHER <ADIF_VER:5>3.1.0\n<EOH>\n"
      "<call:5>DK1AA <qso_date:8>20090321 <time_on:6>140500 <band:2>2m <mode:2>CW <eor>\n"
      "<CALL:5>DK2BB <QSO_DATE:8>20090321 <TIME_ON:4>1406 <FREQ:7>145.500 <EOR>\n"
      "<CALL:5>DK3CC <NAME:4>HANS <MODE:3>SSB <EOR>\n"
      "<EOR>\n");
  const AdifFileScan scan = ScanAdifStream(in);
  EXPECT_EQ(scan.status, AdifReadStatus::kOk);
  EXPECT_EQ(scan.fieldNames, (std::vector<std::string>{"CALL", "QSO_DATE", "TIME_ON", "BAND",
                                                       "MODE", "FREQ", "NAME"}));
  EXPECT_EQ(scan.records, 3u); // the empty record at the end is none
  EXPECT_EQ(scan.dropped, 0u);
}

TEST(AdifScan, FilesThatAreMissingUnreadableOrNoAdif) {
  test::TempDataDir dir;
  EXPECT_EQ(ScanAdifFile(dir.file("none.adi")).status, AdifReadStatus::kMissing);
  EXPECT_EQ(ScanAdifFile(dir.path()).status, AdifReadStatus::kUnreadable); // a directory

  // Binary junk: no crash, no records, and at most the bounded number of names.
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    std::string junk(20000 + round * 997, '\0');
    for (char& c : junk)
      c = static_cast<char>(random() % 4 == 0 ? "<>:EOR"[random() % 6] : random() % 256);
    std::istringstream in(junk);
    const AdifFileScan scan = ScanAdifStream(in);
    EXPECT_LE(scan.fieldNames.size(), kMaxAdifFieldNames);
    for (const std::string& name : scan.fieldNames)
      EXPECT_LE(name.size(), kMaxAdifFieldName);
  }

  // More distinct names than kept.
  std::string many;
  for (int i = 0; i < 400; ++i)
    many += "<F" + std::to_string(i) + ":1>X";
  many += "<EOR>";
  std::istringstream in(many);
  EXPECT_EQ(ScanAdifStream(in).fieldNames.size(), kMaxAdifFieldNames);
}

// UTF-8 (with or without the byte order mark) becomes Windows-1252; a character the code
// page lacks becomes "?" and is counted; a Windows-1252 file stays as it is. Sequences split
// between two pieces of input are put together.
TEST(AdifText, Utf8IsRecognisedAndConverted) {
  struct Case {
    std::string bytes;
    std::string text;
    AdifTextInfo info;
  };
  const Case cases[] = {
      // "Jürgen € Łódź" with the byte order mark: Ł and ź are not in Windows-1252.
      {"\xEF\xBB\xBFJ\xC3\xBCrgen \xE2\x82\xAC \xC5\x81\xC3\xB3\x64\xC5\xBA",
       "J\xFCrgen \x80 ?\xF3\x64?",
       {true, 2}},
      // Without the mark: the first sequence decides.
      {"<NAME:6>J\xC3\xBCrgen", "<NAME:6>J\xFCrgen", {true, 0}},
      // Windows-1252: "ü" is no UTF-8 lead byte followed by a continuation byte.
      {"J\xFCrgen M\xFCller", "J\xFCrgen M\xFCller", {false, 0}},
      // A begun mark that is none.
      {"\xEF\xBBX", "\xEF\xBBX", {false, 0}},
      // A sequence cut off at the end, an overlong form, a lone continuation byte in UTF-8.
      {"\xC3\xBC \xC0\xAF \x80 \xC3", "\xFC \xC0\xAF \x80 \xC3", {true, 0}},
      {"", "", {false, 0}},
  };
  for (const Case& c : cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{1000}}) {
      AdifTextDecoder decoder;
      std::string out;
      for (std::size_t at = 0; at < c.bytes.size(); at += piece)
        decoder.Decode(std::string_view(c.bytes).substr(at, piece), out);
      decoder.Finish(out);
      EXPECT_EQ(out, c.text) << c.bytes << " in pieces of " << piece;
      EXPECT_EQ(decoder.Info(), c.info) << c.bytes;
    }
  }
  // Reading a file reports what it found.
  std::istringstream in("\xEF\xBB\xBF<CALL:5>SP1\xC5\x81X <NAME:4>J\xC3\xB3zef<EOR>");
  std::vector<std::string> records;
  AdifTextInfo info;
  ASSERT_TRUE(ReadAdifRecords(
      in, [&](std::string_view r) { records.emplace_back(r); }, {}, &info));
  EXPECT_EQ(records, std::vector<std::string>{"<CALL:5>SP1?X <NAME:4>J\xF3ZEF"});
  EXPECT_EQ(info, (AdifTextInfo{true, 1}));
}

} // namespace
} // namespace tarvik
