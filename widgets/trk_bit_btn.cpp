#include "widgets/trk_bit_btn.h"

#include <QBitmap>
#include <QDialog>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

#include <algorithm>

#include "widgets/help_request.h"
#include "widgets/trk_glyphs.h"

namespace tarvik {

namespace {

constexpr int kDefaultWidth = 75;
constexpr int kDefaultHeight = 35;
constexpr int kDropDownWidth = 17;   // drawn part with the arrow
constexpr int kDropDownHotZone = 13; // where a press opens the menu
constexpr int kFrame = 6;            // inner distance of the contents from the frame

const QColor kFlatFill(255, 223, 170);
const QColor kFlatDisabled(192, 192, 192);

// Caption as drawn: "|" breaks the line, "&" stays for the accelerator underline.
QString DrawnCaption(const QString& caption) {
  QString text = caption;
  text.replace(QLatin1Char('|'), QLatin1Char('\n'));
  return text;
}

// A picture without transparency: its lower left pixel's colour is the background.
QPixmap WithTransparentBackground(const QPixmap& pixmap) {
  if (pixmap.isNull() || pixmap.hasAlphaChannel())
    return pixmap;
  const QImage image = pixmap.toImage();
  const QColor background = image.pixelColor(0, image.height() - 1);
  QPixmap out = pixmap;
  out.setMask(pixmap.createMaskFromColor(background, Qt::MaskInColor));
  return out;
}

} // namespace

TrkBitBtn::TrkBitBtn(QWidget* parent) : QPushButton(parent) {
  resize(kDefaultWidth, kDefaultHeight);
  setAttribute(Qt::WA_Hover);
}

TrkBitBtn::TrkBitBtn(TrkBitBtnKind kind, QWidget* parent) : TrkBitBtn(parent) {
  setRkKind(kind);
}

TrkBitBtn::~TrkBitBtn() = default;

TrkBitBtnKind TrkBitBtn::rkKind() const {
  if (kind_ == bkCustom)
    return bkCustom;
  if (glyphOwn_ || isDefault() != KindIsDefault(kind_) || cancel_ != KindIsCancel(kind_) ||
      modalResult_ != KindModalResult(kind_))
    return bkCustom;
  return kind_;
}

void TrkBitBtn::setRkKind(TrkBitBtnKind kind) {
  if (kind < 0 || kind >= kTrkBitBtnKindCount)
    kind = bkCustom;
  kind_ = kind;
  if (kind != bkCustom) {
    setText(KindCaption(kind));
    glyph_ = KindGlyph(kind, std::max<qreal>(2.0, devicePixelRatioF()));
    numGlyphs_ = 1;
    glyphOwn_ = false;
    setDefault(KindIsDefault(kind));
    setCancel(KindIsCancel(kind));
    modalResult_ = KindModalResult(kind);
  }
  updateGeometry();
  update();
}

void TrkBitBtn::setCancel(bool cancel) {
  cancel_ = cancel;
  if (cancel && cancelShortcut_ == nullptr) {
    // The shortcut belongs to the button: Qt only matches it while the button is visible
    // and enabled, and Esc then reaches the button before any window's key handler.
    cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancelShortcut_->setContext(Qt::WindowShortcut);
    connect(cancelShortcut_, &QShortcut::activated, this, [this] { click(); });
  } else if (!cancel && cancelShortcut_ != nullptr) {
    delete cancelShortcut_;
    cancelShortcut_ = nullptr;
  }
}

void TrkBitBtn::setGlyph(const QPixmap& glyph) {
  glyph_ = WithTransparentBackground(glyph);
  glyphOwn_ = true;
  int count = 1;
  if (!glyph_.isNull() && glyph_.height() > 0 && glyph_.width() % glyph_.height() == 0) {
    count = glyph_.width() / glyph_.height();
    if (count > 4)
      count = 1;
  }
  numGlyphs_ = std::max(1, count);
  updateGeometry();
  update();
}

void TrkBitBtn::setNumGlyphs(int count) {
  numGlyphs_ = std::clamp(count, 1, 4);
  updateGeometry();
  update();
}

void TrkBitBtn::setGlyphLayout(TrkGlyphLayout layout) {
  glyphLayout_ = layout;
  updateGeometry();
  update();
}

void TrkBitBtn::setMargin(int margin) {
  margin_ = std::max(-1, margin);
  update();
}

void TrkBitBtn::setSpacing(int spacing) {
  spacing_ = std::max(-1, spacing);
  updateGeometry();
  update();
}

void TrkBitBtn::setRkautoWidth(int extra) {
  autoWidth_ = extra;
  if (extra <= 0)
    return;
  int content = lastContentWidth_;
  if (content == 0) {
    const QFontMetrics fm(window()->font());
    content = fm.size(Qt::TextShowMnemonic, DrawnCaption(text())).width();
  }
  autoWidthPixels_ = extra + content;
  resize(autoWidthPixels_, height());
  updateGeometry();
}

void TrkBitBtn::setRkDeaktiviert(bool value) {
  deaktiviert_ = value;
  update();
}

void TrkBitBtn::setRknichtTransparent(bool value) {
  nichtTransparent_ = value;
  update();
}

void TrkBitBtn::setRkFlatround(bool value) {
  flatround_ = value;
  update();
}

void TrkBitBtn::setRkMenue(QMenu* menu) {
  menu_ = menu;
  updateGeometry();
  update();
}

bool TrkBitBtn::HasClickReceiver() const {
  return isSignalConnected(QMetaMethod::fromSignal(&QAbstractButton::clicked));
}

bool TrkBitBtn::hasDropDownPart() const {
  return menu_ != nullptr && HasClickReceiver();
}

void TrkBitBtn::popupMenu() {
  if (menu_ != nullptr)
    menu_->popup(mapToGlobal(QPoint(0, height())));
}

void TrkBitBtn::setHelpContext(int topic) {
  SetHelpContext(this, topic);
}

QString TrkBitBtn::plainCaption() const {
  QString out;
  const QString caption = DrawnCaption(text());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
      ++i;
    out += caption[i];
  }
  return out;
}

QSize TrkBitBtn::ContentSize() const {
  const QString caption = DrawnCaption(text());
  const QSize textSize =
      caption.isEmpty() ? QSize() : fontMetrics().size(Qt::TextShowMnemonic, caption);
  const QSize glyphSize = glyph_.isNull()
                              ? QSize()
                              : QSize(qRound(glyph_.deviceIndependentSize().width() / numGlyphs_),
                                      qRound(glyph_.deviceIndependentSize().height()));
  const int gap = (!glyph_.isNull() && !caption.isEmpty()) ? std::max(0, spacing_) : 0;
  if (glyphLayout_ == TrkGlyphLayout::GlyphLeft || glyphLayout_ == TrkGlyphLayout::GlyphRight)
    return {glyphSize.width() + gap + textSize.width(),
            std::max(glyphSize.height(), textSize.height())};
  return {std::max(glyphSize.width(), textSize.width()),
          glyphSize.height() + gap + textSize.height()};
}

QSize TrkBitBtn::sizeHint() const {
  if (autoWidthPixels_ > 0)
    return {autoWidthPixels_, kDefaultHeight};
  const QSize content = ContentSize();
  int w = content.width() + 2 * (kFrame + 4);
  if (menu_ != nullptr)
    w += kDropDownWidth;
  return {std::max(w, kDefaultWidth), std::max(kDefaultHeight, content.height() + 2 * kFrame)};
}

QSize TrkBitBtn::minimumSizeHint() const {
  const QSize content = ContentSize();
  return {content.width() + 2 * kFrame + (menu_ != nullptr ? kDropDownWidth : 0),
          content.height() + 2 * kFrame};
}

QPixmap TrkBitBtn::GlyphFor(bool enabledLook, bool down) const {
  if (glyph_.isNull())
    return {};
  const int partWidth = glyph_.width() / numGlyphs_;
  auto part = [&](int index) {
    QPixmap p = glyph_.copy(QRect(index * partWidth, 0, partWidth, glyph_.height()));
    p.setDevicePixelRatio(glyph_.devicePixelRatio());
    return p;
  };
  if (!enabledLook) {
    if (numGlyphs_ >= 2)
      return part(1);
    QStyleOption opt;
    opt.initFrom(this);
    QPixmap disabled = style()->generatedIconPixmap(QIcon::Disabled, part(0), &opt);
    disabled.setDevicePixelRatio(glyph_.devicePixelRatio());
    return disabled;
  }
  if (isChecked() && numGlyphs_ >= 4)
    return part(3);
  if (down && numGlyphs_ >= 3)
    return part(2);
  return part(0);
}

void TrkBitBtn::DrawContents(QPainter& p, const QRect& box, bool enabledLook, bool down) {
  const QString caption = DrawnCaption(text());
  const QPixmap glyph = GlyphFor(enabledLook, down);
  const QSize glyphSize = glyph.isNull() ? QSize() : glyph.deviceIndependentSize().toSize();
  const QSize textSize =
      caption.isEmpty() ? QSize() : fontMetrics().size(Qt::TextShowMnemonic, caption);
  const bool both = !glyph.isNull() && !caption.isEmpty();
  const bool horizontal =
      glyphLayout_ == TrkGlyphLayout::GlyphLeft || glyphLayout_ == TrkGlyphLayout::GlyphRight;
  const int along = horizontal ? box.width() : box.height();
  const int glyphAlong = horizontal ? glyphSize.width() : glyphSize.height();
  const int textAlong = horizontal ? textSize.width() : textSize.height();

  // Margin and spacing along the layout axis: -1 means "centre".
  int gap = both ? spacing_ : 0;
  int margin = margin_;
  const int free = along - glyphAlong - textAlong;
  if (margin < 0 && gap < 0) {
    gap = margin = std::max(0, free / 3);
  } else if (margin < 0) {
    margin = std::max(0, (free - gap) / 2);
  } else if (gap < 0) {
    gap = std::max(0, (free - margin) / 2);
  }

  lastContentWidth_ = horizontal ? glyphSize.width() + gap + textSize.width()
                                 : std::max(glyphSize.width(), textSize.width());

  QRect glyphRect, textRect;
  const bool glyphFirst =
      glyphLayout_ == TrkGlyphLayout::GlyphLeft || glyphLayout_ == TrkGlyphLayout::GlyphTop;
  if (horizontal) {
    int x = box.left() + margin;
    const int firstWidth = glyphFirst ? glyphSize.width() : textSize.width();
    const int secondWidth = glyphFirst ? textSize.width() : glyphSize.width();
    QRect first(x, box.top(), firstWidth, box.height());
    QRect second(x + firstWidth + gap, box.top(), secondWidth, box.height());
    glyphRect = glyphFirst ? first : second;
    textRect = glyphFirst ? second : first;
    glyphRect =
        QRect(QPoint(glyphRect.left(), box.center().y() - glyphSize.height() / 2), glyphSize);
  } else {
    int y = box.top() + margin;
    const int firstHeight = glyphFirst ? glyphSize.height() : textSize.height();
    const int secondHeight = glyphFirst ? textSize.height() : glyphSize.height();
    QRect first(box.left(), y, box.width(), firstHeight);
    QRect second(box.left(), y + firstHeight + gap, box.width(), secondHeight);
    glyphRect = glyphFirst ? first : second;
    textRect = glyphFirst ? second : first;
    glyphRect = QRect(QPoint(box.center().x() - glyphSize.width() / 2, glyphRect.top()), glyphSize);
  }

  if (!glyph.isNull())
    p.drawPixmap(glyphRect.topLeft(), glyph);
  if (!caption.isEmpty()) {
    QColor color =
        palette().color(enabledLook ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    if (flatround_)
      color = enabledLook ? QColor(Qt::black) : kFlatDisabled;
    p.setPen(color);
    int flags =
        Qt::AlignVCenter | Qt::TextDontClip | (horizontal ? Qt::AlignLeft : Qt::AlignHCenter);
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this))
      flags |= Qt::TextHideMnemonic;
    else
      flags |= Qt::TextShowMnemonic;
    if (caption.contains(QLatin1Char('\n')))
      flags = (flags & ~Qt::AlignLeft) | Qt::AlignHCenter;
    p.drawText(textRect, flags, caption);
  }
}

void TrkBitBtn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const bool enabledLook = isEnabled() && !deaktiviert_;
  const bool down = isDown() || isChecked();
  const QRect r = rect();

  if (nichtTransparent_)
    p.fillRect(r, palette().color(QPalette::Button));

  QStyleOptionButton opt;
  initStyleOption(&opt);
  if (!enabledLook)
    opt.state &= ~QStyle::State_Enabled;
  opt.text.clear();
  opt.icon = QIcon();
  opt.features &= ~QStyleOptionButton::HasMenu;

  if (flatround_) {
    QColor fill = kFlatFill;
    if (down)
      fill = fill.darker(112);
    else if (enabledLook && underMouse())
      fill = fill.lighter(104);
    p.setPen(QPen(enabledLook ? QColor(Qt::black) : kFlatDisabled, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
  } else {
    style()->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, this);
  }

  QRect content = r.adjusted(kFrame, kFrame, -kFrame, -kFrame);
  if (menu_ != nullptr) {
    const QRect part(r.right() - kDropDownWidth + 1, r.top(), kDropDownWidth, r.height());
    content.setRight(part.left() - 2);
    if (hasDropDownPart()) {
      p.setPen(palette().color(QPalette::Mid));
      p.drawLine(part.left(), r.top() + 5, part.left(), r.bottom() - 5);
      p.setPen(palette().color(QPalette::Light));
      p.drawLine(part.left() + 1, r.top() + 5, part.left() + 1, r.bottom() - 5);
    }
    QStyleOption arrow;
    arrow.initFrom(this);
    if (!enabledLook)
      arrow.state &= ~QStyle::State_Enabled;
    arrow.rect = QRect(part.center().x() - 4, part.center().y() - 4, 9, 9);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &p, this);
  }
  if (down)
    content.translate(1, 1);
  DrawContents(p, content, enabledLook, down);

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = r.adjusted(4, 4, -4, -4);
    if (menu_ != nullptr)
      focus.rect.setRight(r.right() - kDropDownWidth - 2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
  }
}

void TrkBitBtn::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && menu_ != nullptr) {
    const bool onMenuPart = event->position().x() >= width() - kDropDownHotZone;
    if (!HasClickReceiver() || onMenuPart) {
      event->accept();
      popupMenu();
      return;
    }
  }
  QPushButton::mousePressEvent(event);
}

void TrkBitBtn::nextCheckState() {
  // Called by Qt for every click (mouse, key, shortcut, click()) just before clicked().
  QPushButton::nextCheckState();
  if (menu_ != nullptr && !HasClickReceiver()) {
    popupMenu();
    return;
  }
  if (kind_ == bkClose) {
    if (QWidget* w = window(); w != this)
      w->close();
  } else if (kind_ == bkHelp) {
    const int topic = HelpContextOf(this);
    emit helpRequested(topic);
    (void)RequestHelpTopic(topic); // without a handler nothing happens
  }
  if (modalResult_ != 0) {
    if (auto* dialog = qobject_cast<QDialog*>(window()))
      dialog->done(modalResult_);
  }
}

} // namespace tarvik
