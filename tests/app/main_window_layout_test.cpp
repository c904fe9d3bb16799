// The main window's arrangement by screen width.

#include <gtest/gtest.h>

#include "app/main_window_layout.h"

namespace tarvik::test {
namespace {

MainWindowLayoutInput Input(int screenWidth, int width, int height) {
  MainWindowLayoutInput in;
  in.window = {width, height};
  in.screenWidth = screenWidth;
  in.titleBitmap = {300, 60};
  in.logoBox = {160, 160};
  in.titleLabel = {320, 20};
  in.menuLabel = {90, 24};
  in.callLabel = {140, 40};
  in.utilsLabel = {30, 20};
  in.moreButton = {150, 26};
  in.note = {500, 16};
  in.note2 = {600, 16};
  in.notice = {160, 40};
  return in;
}

TEST(MainWindowLayoutTest, WideScreensPutTheLogoLeftAndTheListBesideIt) {
  const MainWindowLayout l = LayoutMainWindow(Input(1280, 1280, 1024));
  EXPECT_EQ(l.strip, (LayoutRect{0, 0, 170, 1024}));
  EXPECT_EQ(l.logo, (LayoutRect{100, 135, 160, 160}));
  EXPECT_EQ(l.titleLabel.bottom(), 131); // directly above the logo
  EXPECT_EQ(l.titleLabel.x, 100);
  EXPECT_EQ(l.panel.x, 100 + 160 + 50);
  EXPECT_EQ(l.panel.y, l.titleLabel.bottom() + 20);
  EXPECT_EQ(l.panel.right(), 1280 - 90);
  EXPECT_LE(l.panel.bottom(), 1024 - 40);
  // The call follows the title bitmap: "für" 30 after it, the call 20 after that.
  EXPECT_EQ(l.utils.x, l.titleBitmap.right() + 30);
  EXPECT_EQ(l.call.x, l.utils.right() + 20);
  // The notes at the bottom, the panel above them.
  EXPECT_EQ(l.more.bottom(), 1024 - 5);
  EXPECT_EQ(l.note2.bottom(), l.note.y - 10);
  EXPECT_EQ(l.notice.bottom(), l.more.y - 10);
  EXPECT_LE(l.panel.bottom(), l.note2.y - 10);
  EXPECT_GE(l.note.x, 170); // right of the strip
}

TEST(MainWindowLayoutTest, NarrowScreensAndBuildsWithoutACode) {
  const MainWindowLayout narrow = LayoutMainWindow(Input(800, 800, 600));
  EXPECT_EQ(narrow.logo.y, 52);
  EXPECT_EQ(narrow.panel.x, narrow.logo.right() + 10);
  EXPECT_EQ(narrow.titleLabel.y, narrow.titleBitmap.bottom() + 4); // under the title bitmap
  EXPECT_EQ(narrow.panel.y, narrow.titleLabel.bottom() + 30);
  EXPECT_EQ(narrow.panel.right(), 800 - 30);
  // The call is centred in the space right of the title bitmap, "für" 20 before it.
  const int space = 800 - narrow.titleBitmap.right();
  EXPECT_EQ(narrow.call.x, narrow.titleBitmap.right() + (space - 140) / 2);
  EXPECT_EQ(narrow.utils.right(), narrow.call.x - 20);

  MainWindowLayoutInput in = Input(1280, 1280, 1024);
  in.contestCode = false;
  const MainWindowLayout plain = LayoutMainWindow(in);
  EXPECT_EQ(plain.panel.x, 170);
  EXPECT_EQ(plain.panel.y, 40);
  EXPECT_EQ(plain.panel.right(), 1280 - 30);
}

} // namespace
} // namespace tarvik::test
