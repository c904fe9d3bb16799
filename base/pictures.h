#pragma once
// Number pictures: formatting a number into a fixed-width mask such as "#####", "@@@@",
// "###,###.##" or "$$$$.@@". Used for record numbers in keys, serial numbers in reports and
// every right-aligned number on screen and paper.
//
// Picture characters (the "field" is the first run of them in the picture; text before and
// after the field is copied unchanged):
//   #  digit, leading positions blank        @  digit, leading positions "0"
//   *  digit, leading positions "*"          $  digit with a floating "$" before the number
//   +  shows "+" or "-" by the sign          -  shows " " or "-" by the sign
//   , .  separators: the last one of the field is the decimal separator, earlier ones
//        group digits and are kept only while digits of the number stand to their left.
// A negative number in a blank-filled field without a sign position gets a leading "-".
// When the number does not fit, every digit position shows "*".

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

/// Formats `x` into the picture `picture`, rounded to the digits after the decimal
/// separator. An empty picture gives "".
std::string FormatPicture(std::string_view picture, double x);

/// Formats the integer `n` into `picture`: every separator of the picture groups digits
/// (the integer has no decimals). "@@@@" with 7 gives "0007", with 10000 gives "****".
std::string FormatLongPicture(std::string_view picture, std::int32_t n);

} // namespace tarvik
