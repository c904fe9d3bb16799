#include "app/main_window_layout.h"

#include <algorithm>

namespace tarvik {

namespace {

constexpr int kTitleLeftGap = 10;
constexpr int kTitleTop = 14;

LayoutRect At(int x, int y, LayoutSize size) {
  return {x, y, size.w, size.h};
}

} // namespace

MainWindowLayout LayoutMainWindow(const MainWindowLayoutInput& in) {
  MainWindowLayout l;
  const int width = in.window.w;
  const int height = in.window.h;
  const bool wide = in.screenWidth > kNarrowScreen;
  l.strip = {0, 0, kStripWidth, height};
  l.menu = {0, 10, kMenuLabelWidth, in.menuLabel.h};
  l.titleBitmap = At(kStripWidth + kTitleLeftGap, kTitleTop, in.titleBitmap);

  // The bottom: the button, the white note beside it, the yellow note above that, the
  // notice line above the button (inside the strip).
  l.more = At(5, height - 5 - in.moreButton.h, in.moreButton);
  const int noteX = std::max(l.more.right() + 10, kStripWidth + kTitleLeftGap);
  l.note = At(noteX, l.more.y + (in.moreButton.h - in.note.h) / 2, in.note);
  l.note2 = At(noteX, l.note.y - 10 - in.note2.h, in.note2);
  l.notice = At(5, l.more.y - 10 - in.notice.h, in.notice);
  const int notesTop = in.note2.h > 0 ? l.note2.y : l.note.y;

  int panelBottom = height - 30;
  if (!in.contestCode) {
    l.panel = {kStripWidth, 40, 0, 0};
    l.panel.w = width - 30 - l.panel.x;
  } else if (!wide) {
    l.logo = At(kStripWidth + kTitleLeftGap, 52, in.logoBox);
    const int panelX = l.logo.right() + 10;
    const int titleTop = (in.titleBitmap.h > 0 ? l.titleBitmap.bottom() : kTitleTop) + 4;
    l.titleLabel = At(panelX, titleTop, in.titleLabel);
    const int panelY = (in.titleLabel.h > 0 ? l.titleLabel.bottom() : titleTop) + 30;
    l.panel = {panelX, panelY, width - 30 - panelX, 0};
    panelBottom = height - 40;
  } else {
    l.logo = At(100, 135, in.logoBox);
    l.titleLabel = At(100, l.logo.y - 4 - in.titleLabel.h, in.titleLabel);
    const int panelX = l.logo.right() + 50;
    const int panelY = (in.titleLabel.h > 0 ? l.titleLabel.bottom() : l.logo.y) + 20;
    l.panel = {panelX, panelY, width - 90 - panelX, 0};
    panelBottom = height - 40;
  }
  panelBottom = std::min(panelBottom, notesTop - 10);
  l.panel.w = std::max(l.panel.w, 0);
  l.panel.h = std::max(panelBottom - l.panel.y, 0);

  // The own call sign with "für" before it.
  const int titleRight = in.titleBitmap.w > 0 ? l.titleBitmap.right() : kStripWidth;
  const int rowMiddle = in.titleBitmap.h > 0 ? l.titleBitmap.y + in.titleBitmap.h / 2
                                             : kTitleTop + in.callLabel.h / 2;
  int callX;
  if (wide) {
    callX = titleRight + 30 + (in.utilsLabel.w > 0 ? in.utilsLabel.w + 20 : 0);
  } else {
    callX = titleRight + (width - titleRight - in.callLabel.w) / 2;
  }
  l.call = At(callX, rowMiddle - in.callLabel.h / 2, in.callLabel);
  l.utils = At(callX - 20 - in.utilsLabel.w, rowMiddle - in.utilsLabel.h / 2, in.utilsLabel);
  return l;
}

} // namespace tarvik
