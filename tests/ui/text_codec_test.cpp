#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "widgets/text_codec.h"

namespace tarvik {
namespace {

TEST(TextCodec, AllBytesRoundTripThroughQString) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all.push_back(static_cast<char>(b));
  const QString q = ToQString(all);
  ASSERT_EQ(q.size(), 256);
  EXPECT_EQ(FromQString(q), all);
  // Every byte has its own character.
  for (int a = 0; a < 256; ++a)
    for (int b = a + 1; b < 256; ++b)
      ASSERT_NE(q[a], q[b]) << a << " " << b;
}

TEST(TextCodec, MapsTheCodePageCharacters) {
  struct Case {
    unsigned char byte;
    char16_t unicode;
  } cases[] = {
      {0x41, u'A'},   {0xE4, u'ä'},   {0xDF, u'ß'},   {0xD8, u'Ø'},   {0x80, u'€'},
      {0x84, u'„'},   {0x93, u'“'},   {0x96, u'–'},   {0x9F, u'Ÿ'},   {0x81, 0x0081},
      {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}, {0xA0, 0x00A0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1252ToUnicode(c.byte), c.unicode) << int(c.byte);
    EXPECT_EQ(UnicodeToCp1252(c.unicode), c.byte) << int(c.byte);
  }
  EXPECT_EQ(FromQString(QStringLiteral("Schließen")), "Schlie\xdf"
                                                      "en");
  EXPECT_EQ(ToQString("Pr\xe4"
                      "fix"),
            QStringLiteral("Präfix"));
}

TEST(TextCodec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  // U+0080 is a C1 control that Windows-1252 puts elsewhere; Ł and the emoji have no byte.
  EXPECT_EQ(FromQString(QString(QChar(0x0080))), "?");
  EXPECT_EQ(FromQString(QStringLiteral("Łódź")), "?\xf3"
                                                 "d?");
  EXPECT_EQ(FromQString(QStringLiteral("a😀b")), "a?b"); // one mark for the surrogate pair
}

TEST(TextCodec, PathsKeepFileSystemBytesAndReadOldNames) {
  const std::string utf8 = "/tmp/J\xc3\xbcrgen/Log.STF";
  EXPECT_EQ(PathToQString(utf8), QStringLiteral("/tmp/Jürgen/Log.STF"));
  EXPECT_EQ(PathFromQString(PathToQString(utf8)), utf8);
  // Not valid UTF-8: read as Windows-1252.
  EXPECT_EQ(PathToQString("M\xfcller.STF"), QStringLiteral("Müller.STF"));
}

} // namespace
} // namespace tarvik
