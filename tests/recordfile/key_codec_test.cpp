#include "recordfile/key_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

namespace tarvik {
namespace {

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int v : b)
    s.push_back(static_cast<char>(v));
  return s;
}

TEST(KeyCodec, NumKey5KnownBytes) {
  struct Case {
    std::int32_t value;
    std::string bytes;
  };
  const Case cases[] = {
      {0, Bytes({0x81, 0x80, 0x80, 0x80, 0x80})},
      {-1, Bytes({0x71, 0xFF, 0xFF, 0xFF, 0xFF})},
      {1, Bytes({0x81, 0x80, 0x80, 0x80, 0x81})},
      {127, Bytes({0x81, 0x80, 0x80, 0x80, 0xFF})},
      {128, Bytes({0x81, 0x80, 0x80, 0x81, 0x80})},
      {INT32_MAX, Bytes({0xF1, 0xFF, 0xFF, 0xFF, 0xFF})},
      {INT32_MIN, Bytes({0x01, 0x80, 0x80, 0x80, 0x80})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumKey5(c.value), c.bytes) << c.value;
    EXPECT_EQ(DecodeNumKey5(c.bytes), c.value) << c.value;
  }
}

TEST(KeyCodec, NumKey5SortsInSignedOrder) {
  std::mt19937 rng(7);
  std::vector<std::int32_t> values = {0, 1, -1, INT32_MIN, INT32_MAX, 99999999, -99999999};
  std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
  for (int i = 0; i < 2000; ++i)
    values.push_back(any(rng));
  for (int i = -300; i < 300; ++i)
    values.push_back(i);
  std::vector<std::string> encoded;
  for (std::int32_t v : values) {
    encoded.push_back(NumKey5(v));
    ASSERT_EQ(DecodeNumKey5(encoded.back()), v);
  }
  std::vector<std::size_t> byKey(values.size());
  for (std::size_t i = 0; i < byKey.size(); ++i)
    byKey[i] = i;
  std::sort(byKey.begin(), byKey.end(),
            [&](std::size_t a, std::size_t b) { return CompareKeys(encoded[a], encoded[b]) < 0; });
  for (std::size_t i = 1; i < byKey.size(); ++i)
    ASSERT_LE(values[byKey[i - 1]], values[byKey[i]]);
}

TEST(KeyCodec, Long4IsBigEndian) {
  EXPECT_EQ(Long4(0x01020304), Bytes({1, 2, 3, 4}));
  EXPECT_EQ(Long4(-1), Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(DecodeLong4(Bytes({0x80, 0, 0, 1})), static_cast<std::int32_t>(0x80000001u));
  // Non-negative values (day numbers, times) sort in numeric order.
  EXPECT_LT(CompareKeys(Long4(86399), Long4(86400)), 0);
  EXPECT_LT(CompareKeys(Long4(255), Long4(256)), 0);
}

TEST(KeyCodec, KeyOrderIsUnsignedAndShorterFirst) {
  EXPECT_LT(CompareKeys("AB", "ABC"), 0);
  EXPECT_GT(CompareKeys("B", "ABC"), 0);
  EXPECT_EQ(CompareKeys("", ""), 0);
  EXPECT_LT(CompareKeys("", "\x01"), 0);
  EXPECT_LT(CompareKeys("A\x7F", "A\x80"), 0); // unsigned bytes
  EXPECT_LT(CompareKeys("Z", "\xC4"), 0);
}

} // namespace
} // namespace tarvik
