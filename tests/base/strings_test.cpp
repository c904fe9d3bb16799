#include <gtest/gtest.h>

#include "base/strings.h"

namespace tarvik {
namespace {

TEST(ShortStrings, PaddingNeverCutsAndCentresWithOddSurplusRight) {
  EXPECT_EQ(CharStr('x', 0), "");
  EXPECT_EQ(CharStr('-', 3), "---");
  EXPECT_EQ(CharStr('-', 300).size(), 255u);
  EXPECT_EQ(PadCh("abc", '.', 6), "abc...");
  EXPECT_EQ(PadCh("0123456789", ' ', 8), "0123456789");
  EXPECT_EQ(Pad("", 2), "  ");
  EXPECT_EQ(LeftPadCh("12", '0', 5), "00012");
  EXPECT_EQ(LeftPad("toolong", 3), "toolong");
  EXPECT_EQ(Center("ab", 5), " ab  ");
  EXPECT_EQ(CenterCh("ab", '*', 6), "**ab**");
  EXPECT_EQ(Center("abcdef", 4), "abcdef");
}

TEST(ShortStrings, TrimmingRemovesOnlyTheNamedCharacters) {
  EXPECT_EQ(TrimBlanks(" \t x y\t "), "x y");
  EXPECT_EQ(TrimBlanks("\t \t  "), "");
  EXPECT_EQ(TrimSpaces(std::string("\0 \0ab \t  ", 9)), "ab \t");
  EXPECT_EQ(TrimSpaces("\tab"), "\tab");
}

TEST(ShortStrings, CaseConversionCoversUmlautsButNotSharpS) {
  EXPECT_EQ(UpCase("müller-lüdenscheid äö ß"), "MÜLLER-LÜDENSCHEID ÄÖ ß");
  EXPECT_EQ(LoCase("MÜLLER ÄÖ 1A"), "müller äö 1a");
  EXPECT_EQ(UpCase("é"), "é");
}

TEST(ShortStrings, AddBackslashOnlyWhereAFolderNameEnds) {
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(AddBackslash("C:"), "C:");
  EXPECT_EQ(AddBackslash("C:\\data\\"), "C:\\data\\");
  EXPECT_EQ(AddBackslash("C:\\data"), "C:\\data\\");
}

} // namespace
} // namespace tarvik
