#include <gtest/gtest.h>

#include <string>

#include "base/rtf_reader.h"

namespace tarvik {
namespace {

std::string Doc(const std::string& body) {
  return "{\\rtf1\\ansi\\ansicpg1252\\deff0 " + body + "}";
}

struct TextCase {
  const char* name;
  std::string rtf;
  std::string text; // PlainText(): every paragraph followed by "\n"
};

class RtfText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfText, ReadsTheVisibleText) {
  EXPECT_EQ(ReadRtf(GetParam().rtf).PlainText(), GetParam().text) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfText,
    ::testing::Values(
        TextCase{"paragraphs", Doc("Eins\\par Zwei\\par"), "Eins\nZwei\n"},
        TextCase{"last paragraph without mark", Doc("Eins\\par Zwei"), "Eins\nZwei\n"},
        TextCase{"line breaks and tabs", Doc("a\\line b\\tab c\\par"), "a\nb\tc\n"},
        TextCase{"raw line ends are no text", Doc("Ein\r\nWort\\par"), "EinWort\n"},
        TextCase{"delimiting blank is eaten", Doc("\\b fett\\b0  normal\\par"), "fett normal\n"},
        TextCase{"hex characters", Doc("Gr\\'fc\\'dfe, Pr\\'e4fix \\'80\\par"),
                 "Grüße, Präfix €\n"},
        TextCase{"escaped braces and backslash", Doc("\\{a\\}\\\\b\\par"), "{a}\\b\n"},
        TextCase{"symbol words",
                 Doc("\\ldblquote x\\rdblquote \\endash  \\emdash \\bullet\\~y\\par"),
                 "\x93x\x94\x96 \x97\x95\xA0y\n"},
        TextCase{"unicode with fallback", Doc("\\u228?rger \\uc0\\u252 bel\\par"), "ärger übel\n"},
        TextCase{"unicode longer fallback", Doc("\\uc2\\u8364 EUx\\par"), "€x\n"},
        TextCase{"unicode outside the code page uses fallback", Doc("\\u321\\'4codz\\par"),
                 "Lodz\n"},
        TextCase{"unicode outside without fallback", Doc("\\uc0\\u321 odz\\par"), "?odz\n"},
        TextCase{"negative unicode", Doc("\\u-3908?x\\par"), "?x\n"},
        TextCase{"surrogate pair gives one fallback", Doc("\\u-10179?\\u-8704?!\\par"), "?!\n"},
        TextCase{"fallback skip stops at group end", Doc("{\\uc3\\u228 a}bc\\par"), "äbc\n"},
        TextCase{"uc is group local", Doc("{\\uc2 }\\u228 ab\\par"), "äb\n"},
        TextCase{"tables become tab separated lines",
                 Doc("\\trowd\\cellx1000\\cellx3000\\pard\\intbl Call\\cell Punkte\\cell\\row"
                     "\\trowd\\cellx1000\\cellx3000\\pard\\intbl DF0WN\\cell 6\\cell\\row"
                     "\\pard Ende\\par"),
                 "Call\tPunkte\nDF0WN\t6\nEnde\n"},
        TextCase{"paragraph inside a cell stays in the row",
                 Doc("\\pard\\intbl a\\par b\\cell c\\cell\\row\\pard x\\par"), "a b\tc\nx\n"},
        TextCase{"skipped tables and info",
                 Doc("{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                     "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Titel}{\\author X}}Text\\par"),
                 "Text\n"},
        TextCase{"pictures and binary data",
                 Doc("A{\\pict\\pngblip 89504e47}B{\\pict\\bin4 }{}}}C\\par"), "ABC\n"},
        TextCase{"binary data outside pictures", Doc("a\\bin3 {{}b\\par"), "ab\n"},
        TextCase{"unknown starred destinations",
                 Doc("a{\\*\\generator Msftedit;}{\\*\\xyz {nested} text}b\\par"), "ab\n"},
        TextCase{"unknown control words are ignored", Doc("\\sa200\\sl276\\slmult1 x\\par"), "x\n"},
        TextCase{"field shows its result",
                 Doc("{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt Seite}}\\par"),
                 "Seite\n"},
        TextCase{"headers and footers are not shown", Doc("{\\header Kopf}{\\footer Fu}Body\\par"),
                 "Body\n"},
        TextCase{"a table in a skipped header leaves the body alone",
                 Doc("{\\header\\trowd\\cellx100\\intbl Kopf\\cell}\\pard a\\par b\\par"),
                 "a\nb\n"},
        TextCase{"text after the document is ignored", Doc("a\\par") + "junk{\\par}", "a\n"},
        TextCase{"plain text file", "Zeile 1\r\nZeile 2\n", "Zeile 1\nZeile 2\n"}),
    [](const auto& info) {
      std::string name;
      for (char c : std::string(info.param.name))
        name += std::isalnum((unsigned char)c) ? c : '_';
      return name;
    });

TEST(RtfFormatting, RunsCarryBoldItalicUnderlineAndSize) {
  const RtfDocument doc =
      ReadRtf(Doc("\\fs20 normal {\\b fett {\\i kursiv}} \\ul unter\\ulnone  \\fs32 gross"
                  "\\plain  klein\\par"));
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  const auto& runs = doc.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 8u);
  EXPECT_EQ(runs[0], (RtfRun{"normal ", false, false, false, 20}));
  EXPECT_EQ(runs[1], (RtfRun{"fett ", true, false, false, 20}));
  EXPECT_EQ(runs[2], (RtfRun{"kursiv", true, true, false, 20}));
  EXPECT_EQ(runs[3], (RtfRun{" ", false, false, false, 20}));
  EXPECT_EQ(runs[4], (RtfRun{"unter", false, false, true, 20}));
  EXPECT_EQ(runs[5], (RtfRun{" ", false, false, false, 20}));
  EXPECT_EQ(runs[6], (RtfRun{"gross", false, false, false, 32}));
  EXPECT_EQ(runs[7], (RtfRun{" klein", false, false, false, 0}));
}

TEST(RtfFormatting, ParagraphAlignmentTabsAndTableRows) {
  const RtfDocument doc = ReadRtf(
      Doc("\\pard\\qc Titel\\par\\pard\\tx1440\\tx2880 a\\tab b\\par"
          "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl x\\cell y\\cell z\\cell\\row"
          "\\pard\\qj Block\\par"));
  ASSERT_EQ(doc.paragraphs.size(), 4u);
  EXPECT_EQ(doc.paragraphs[0].alignment, RtfAlignment::Center);
  EXPECT_EQ(doc.paragraphs[1].alignment, RtfAlignment::Left);
  EXPECT_EQ(doc.paragraphs[1].tabStopsTwips, (std::vector<int>{1440, 2880}));
  EXPECT_TRUE(doc.paragraphs[2].tableRow);
  EXPECT_EQ(doc.paragraphs[2].Text(), "x\ty\tz");
  EXPECT_EQ(doc.paragraphs[2].tabStopsTwips, (std::vector<int>{2000, 4000}));
  EXPECT_EQ(doc.paragraphs[2].cellEdgesTwips, (std::vector<int>{2000, 4000, 6000}));
  EXPECT_EQ(doc.paragraphs[3].alignment, RtfAlignment::Justify);
  EXPECT_FALSE(doc.paragraphs[3].tableRow);
}

TEST(RtfFormatting, SpacingAndIndentsUntilPard) {
  const RtfDocument doc =
      ReadRtf(Doc("\\pard\\sb120\\sa60\\li567\\ri100\\fi-283 a\\par b\\par\\pard c\\par"));
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  for (int i : {0, 1}) {
    const RtfParagraph& p = doc.paragraphs[i];
    EXPECT_EQ(p.spaceBeforeTwips, 120);
    EXPECT_EQ(p.spaceAfterTwips, 60);
    EXPECT_EQ(p.leftIndentTwips, 567);
    EXPECT_EQ(p.rightIndentTwips, 100);
    EXPECT_EQ(p.firstLineIndentTwips, -283);
  }
  EXPECT_EQ(doc.paragraphs[2].leftIndentTwips, 0);
  EXPECT_EQ(doc.paragraphs[2].firstLineIndentTwips, 0);
  // Absurd values stay within a page.
  EXPECT_EQ(ReadRtf(Doc("\\li999999999 x\\par")).paragraphs[0].leftIndentTwips, 31680);
}

TEST(RtfRobustness, JunkNeverBreaksTheReader) {
  const std::string deep(100000, '{');
  const std::string cases[] = {
      "",
      "{\\rtf",
      "{\\rtf1 unvollst\\'e",
      "{\\rtf1 a\\",
      "{\\rtf1 a\\'",
      "{\\rtf1 a\\'zz b}",
      "{\\rtf1 }}}}} a}",
      "{\\rtf1 " + deep + "text",
      "{\\rtf1 " + deep + "}}}x\\par",
      "{\\rtf1 \\" + std::string(5000, 'x') + " a\\par}",
      "{\\rtf1 \\fs99999999999999999999 a\\u99999999999999 b\\uc99999999 c}",
      "{\\rtf1 \\bin99999999999 abc}",
      "{\\rtf1 \\bin-5 abc}",
      "{\\rtf1 \\cellx-5\\cellx" + std::string(30, '9') + "\\row\\row\\cell}",
      std::string("{\\rtf1 a\0b\\par}", 16),
  };
  for (const auto& c : cases) {
    const RtfDocument doc = ReadRtf(c);
    EXPECT_LE(doc.PlainText().size(), c.size() + 8) << c.substr(0, 40);
  }
  // Deep nesting keeps the text outside the too-deep part.
  EXPECT_EQ(ReadRtf("{\\rtf1 vorher" + deep + "innen" + std::string(100000, '}')).PlainText(),
            "vorher\n");
  EXPECT_EQ(ReadRtf("{\\rtf1 a\\'e").PlainText(), "a\n");
  EXPECT_EQ(ReadRtf("{\\rtf1 \\" + std::string(5000, 'x') + " a\\par}").PlainText(), "a\n");
}

} // namespace
} // namespace tarvik
