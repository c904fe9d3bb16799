#pragma once
// The glyphs of the TrkBitBtn kinds, drawn with QPainter (no image files): small, flat
// pictures on a transparent background in a 20 x 20 pixel box.

#include <QPixmap>

#include "widgets/trk_bit_btn_kind.h"

namespace tarvik {

inline constexpr int kKindGlyphSize = 20;

/// The glyph of a kind at the given device pixel ratio; a null pixmap for bkCustom.
QPixmap KindGlyph(TrkBitBtnKind kind, qreal devicePixelRatio = 1.0);

} // namespace tarvik
