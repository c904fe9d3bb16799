#include <gtest/gtest.h>

#include "base/pictures.h"

namespace tarvik {
namespace {

struct PictureCase {
  const char* picture;
  double value;
  bool asLong;
  const char* expected;
};

class PictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureTest, Formats) {
  const PictureCase& c = GetParam();
  const std::string got = c.asLong ? FormatLongPicture(c.picture, static_cast<int>(c.value))
                                   : FormatPicture(c.picture, c.value);
  EXPECT_EQ(got, c.expected) << "picture \"" << c.picture << "\" value " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureTest,
    ::testing::Values(
        // Digit fills, overflow.
        PictureCase{"@@@@", 12, true, "0012"}, PictureCase{"@@@@", 7, true, "0007"},
        PictureCase{"@@@@", 12345, true, "****"}, PictureCase{"@@@@", 10000, true, "****"},
        PictureCase{"@@@@", 9999, true, "9999"}, PictureCase{"#####", 123, true, "  123"},
        PictureCase{"*****", 42, true, "***42"}, PictureCase{"######", 0, true, "     0"},
        // Signs: automatic minus only with blank fill and no sign position.
        PictureCase{"####", -5, true, "  -5"}, PictureCase{"@@@@", -5, true, "0005"},
        PictureCase{"###", -123, true, "***"}, PictureCase{"+###", 12, true, "+ 12"},
        PictureCase{"+###", -12, true, "- 12"}, PictureCase{"###-", 12, true, " 12 "},
        PictureCase{"###-", -12, true, " 12-"}, PictureCase{"##", -0.2, false, " 0"},
        // Separators: grouping kept only with digits to the left; decimal keeps its char.
        PictureCase{"#####,###", 1234, true, "    1,234"},
        PictureCase{"#####,###", 123, true, "      123"},
        PictureCase{"#,###,###", 1234567, true, "1,234,567"},
        PictureCase{"#####,###", 12.5, false, "   12,500"},
        PictureCase{"#######.####", 3.14159, false, "      3.1416"},
        PictureCase{"#,###.##", 0.5, false, "    0.50"},
        PictureCase{"###.#", 99.96, false, "100.0"}, PictureCase{"##.#", 99.96, false, "**.*"},
        // Floating dollar, text around the field, empty picture.
        PictureCase{"$$$$", 12, true, " $12"}, PictureCase{"$$$", 123, true, "***"},
        PictureCase{"$$$$$", -12, true, " -$12"}, PictureCase{"Nr ####!", 17, true, "Nr   17!"},
        PictureCase{"", 5, true, ""}, PictureCase{"Nr: ###", 12, false, "Nr:  12"}));

} // namespace
} // namespace tarvik
