#pragma once
// Where the main window puts its parts, by the window's size, the screen's width and the
// sizes of its pictures and labels (pixels, scale 1):
//   - the picture strip along the left edge, 170 wide; "Beenden" at its top;
//   - the title bitmap at the top right of the strip, at its natural size;
//   - the own call sign: on screens wider than 900 pixels 30 pixels after the title bitmap
//     with "für" 20 pixels before it; otherwise centred in the space right of the bitmap;
//   - the contest list panel: without a contest code 40 below the top, right of the strip,
//     30 before the right and bottom edges; with a code on a screen of at most 900 pixels
//     the logo at top 52, the panel 10 right of it and 30 under the title label (which sits
//     under the title bitmap), 40 above the bottom; on wider screens the logo at left 100,
//     top 135, the title label directly above it, the panel 50 right of the logo, 20 under
//     the title label, 90 before the right and 40 before the bottom edge;
//   - at the bottom the button "weitere AFU-Pogramme" 5 above the edge, the white note
//     beside it, the yellow note 10 above that, the notice line 10 above the button;
//     the panel ends above the notes.

namespace tarvik {

struct LayoutRect {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }
  int bottom() const { return y + h; }
  friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

struct LayoutSize {
  int w = 0, h = 0;
};

struct MainWindowLayoutInput {
  LayoutSize window;       ///< client size
  int screenWidth = 0;     ///< width of the screen the window is on
  bool contestCode = true; ///< the build has a contest code (title label and logo)
  LayoutSize titleBitmap;  ///< natural size; 0 x 0 when hidden
  LayoutSize logoBox;      ///< the logo's box
  LayoutSize titleLabel;   ///< 0 x 0 when hidden
  LayoutSize menuLabel;    ///< "Beenden"
  LayoutSize callLabel;    ///< 0 x 0 when empty
  LayoutSize utilsLabel;   ///< 0 x 0 when hidden
  LayoutSize moreButton;   ///< "weitere AFU-Pogramme"
  LayoutSize note;         ///< the white note
  LayoutSize note2;        ///< the yellow note
  LayoutSize notice;       ///< the notice line (wrapped to the strip)
};

struct MainWindowLayout {
  LayoutRect strip, menu, titleBitmap, titleLabel, logo, panel, utils, call, more, note, note2,
      notice;
};

inline constexpr int kStripWidth = 170;
inline constexpr int kMenuLabelWidth = 156;
inline constexpr int kNarrowScreen = 900;

MainWindowLayout LayoutMainWindow(const MainWindowLayoutInput& in);

} // namespace tarvik
