#pragma once
// TrkBitBtn: a push button with a glyph and a caption, preset by a kind (OK, Abbrechen, Neu,
// Löschen ...) and optionally split into a button part and a drop-down menu part.
//
// The clicked() signal is the button's click event. On every click the button first does
// what its kind and properties ask for (bkClose closes its window, bkHelp requests the help
// topic, a non-zero ModalResult ends its dialog with that result, a menu-only button opens
// its menu), then clicked() is emitted.

#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

#include "widgets/trk_bit_btn_kind.h"

class QShortcut;

namespace tarvik {

/// Where the glyph sits relative to the caption.
enum class TrkGlyphLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

class TrkBitBtn : public QPushButton {
  Q_OBJECT

public:
  explicit TrkBitBtn(QWidget* parent = nullptr);
  explicit TrkBitBtn(TrkBitBtnKind kind, QWidget* parent = nullptr);
  ~TrkBitBtn() override;

  /// The kind; bkCustom as soon as Default, Cancel or ModalResult differ from the kind's
  /// presets or a glyph of the caller's own was assigned.
  TrkBitBtnKind rkKind() const;
  /// Applies the kind's caption, glyph, Default, Cancel and ModalResult.
  void setRkKind(TrkBitBtnKind kind);

  /// Esc in the button's window clicks the button (while it is visible and enabled).
  bool isCancel() const { return cancel_; }
  void setCancel(bool cancel);

  /// The result the button's dialog ends with when the button is clicked (0: none).
  int modalResult() const { return modalResult_; }
  void setModalResult(int result) { modalResult_ = result; }

  /// A glyph of the caller's own. A picture without transparency takes its lower left
  /// pixel's colour as transparent; a picture whose width is 2 to 4 times its height holds
  /// that many images side by side (normal, disabled, pressed, held down).
  void setGlyph(const QPixmap& glyph);
  QPixmap glyph() const { return glyph_; }
  int numGlyphs() const { return numGlyphs_; }
  void setNumGlyphs(int count);

  TrkGlyphLayout glyphLayout() const { return glyphLayout_; }
  void setGlyphLayout(TrkGlyphLayout layout);
  /// Distance of glyph and caption from the edge on the glyph's side; -1 centres them.
  int margin() const { return margin_; }
  void setMargin(int margin);
  /// Distance between glyph and caption.
  int spacing() const { return spacing_; }
  void setSpacing(int spacing);

  /// Writing n > 0 sets the width to n plus the width of caption and glyph as last drawn
  /// (before the first paint: n plus the caption's width in the window's font).
  int rkautoWidth() const { return autoWidth_; }
  void setRkautoWidth(int extra);

  /// Drawn as disabled while it still reacts to clicks.
  bool rkDeaktiviert() const { return deaktiviert_; }
  void setRkDeaktiviert(bool value);
  /// Background in the system button colour instead of the parent's colour.
  bool rknichtTransparent() const { return nichtTransparent_; }
  void setRknichtTransparent(bool value);
  /// Rounded frame filled with a light orange.
  bool rkFlatround() const { return flatround_; }
  void setRkFlatround(bool value);

  /// Drop-down menu (not owned). With a clicked() receiver the rightmost 17 pixels are a
  /// separate part with an arrow and a press in the rightmost 13 pixels opens the menu;
  /// without one the whole button opens the menu.
  QMenu* rkMenue() const { return menu_; }
  void setRkMenue(QMenu* menu);
  /// True when the button draws the separate drop-down part at its right end.
  bool hasDropDownPart() const;
  /// Opens the drop-down menu below the button's left edge.
  void popupMenu();

  /// Help topic of the button (see HelpContextOf for the search through the parents).
  void setHelpContext(int topic);

  /// Width of glyph and caption as last drawn (0 before the first paint).
  int lastContentWidth() const { return lastContentWidth_; }
  /// The caption as drawn: without accelerator marks, "|" as line break.
  QString plainCaption() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

signals:
  /// A bkHelp button asked for this topic.
  void helpRequested(int topic);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void nextCheckState() override;

private:
  bool HasClickReceiver() const;
  QSize ContentSize() const;
  QPixmap GlyphFor(bool enabledLook, bool down) const;
  void DrawContents(QPainter& p, const QRect& box, bool enabledLook, bool down);

  TrkBitBtnKind kind_ = bkCustom;
  bool glyphOwn_ = false; // a glyph not of the kind
  bool cancel_ = false;
  int modalResult_ = 0;
  QPixmap glyph_;
  int numGlyphs_ = 1;
  TrkGlyphLayout glyphLayout_ = TrkGlyphLayout::GlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  int autoWidth_ = 0;
  int autoWidthPixels_ = 0;
  bool deaktiviert_ = false;
  bool nichtTransparent_ = false;
  bool flatround_ = false;
  QPointer<QMenu> menu_;
  QShortcut* cancelShortcut_ = nullptr;
  int lastContentWidth_ = 0;
};

} // namespace tarvik
