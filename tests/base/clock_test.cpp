#include <gtest/gtest.h>

#include "base/clock.h"
#include "support/fake_clock.h"

namespace tarvik {
namespace {

TEST(ProcessClock, TestClockReplacesSystemClockOnlyWhileInstalled) {
  test::FakeClock fake;
  fake.now = {2024, 12, 24, 18, 30, 5, 0};
  {
    test::ScopedProcessClock guard(fake);
    EXPECT_EQ(ProcessClock().LocalNow(), fake.now);
  }
  const DateTime real = ProcessClock().LocalNow();
  EXPECT_GE(real.year, 2024);
  EXPECT_GE(real.month, 1);
  EXPECT_LE(real.month, 12);
}

} // namespace
} // namespace tarvik
