#include "app/AutoSearchPeriod.h"
#include "app/WorkAreaPlacement.h"

#include <gtest/gtest.h>

namespace {

POINT Place(RECT window, RECT work) { return CentreOnWorkArea(window, work); }

TEST(WorkAreaPlacement, CentresAndKeepsTheWindowInsideTheWorkArea) {
  const RECT work{0, 30, 1280, 1000};  // task bar at the top
  POINT centred = Place({500, 500, 800, 700}, work);
  EXPECT_EQ(centred.x, 490);
  EXPECT_EQ(centred.y, 415);
  // Taller than the work area: its top edge wins.
  POINT tall = Place({0, 0, 300, 2000}, work);
  EXPECT_EQ(tall.y, 30);
  // A work area that does not start at 0 on a second axis.
  POINT shifted = Place({0, 0, 100, 100}, {-1280, 0, 0, 1024});
  EXPECT_EQ(shifted.x, -690);
}

TEST(AutoSearchPeriod, MinutesBecomeMillisecondsWithinTheTimersRange) {
  EXPECT_EQ(AutoSearchPeriod(20), 1200000u);
  EXPECT_EQ(AutoSearchPeriod(1), 60000u);
  EXPECT_EQ(AutoSearchPeriod(35791), 2147460000u);
  EXPECT_EQ(AutoSearchPeriod(35792), static_cast<UINT>(USER_TIMER_MAXIMUM));
  EXPECT_EQ(AutoSearchPeriod(2147483647), static_cast<UINT>(USER_TIMER_MAXIMUM));
  EXPECT_EQ(AutoSearchPeriod(0), 0u);
  EXPECT_EQ(AutoSearchPeriod(-3), 0u);
}

}  // namespace
