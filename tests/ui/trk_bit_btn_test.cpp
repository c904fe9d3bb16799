#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "widgets/help_request.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_glyphs.h"

namespace tarvik {
namespace {

int OpaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      n += qAlpha(image.pixel(x, y)) > 0;
  return n;
}

TEST(TrkBitBtnKinds, PresetCaptionGlyphRolesAndResults) {
  struct Case {
    TrkBitBtnKind kind;
    const char* caption;
    const char* glyph;
    int modalResult;
    bool isDefault, isCancel;
  } cases[] = {
      {bkOK, "OK", "RKBBOK", 1, true, false},
      {bkCancel, "Abbrechen", "RKBBCANCEL", 2, false, true},
      {bkYes, "&Ja", "RKBBYES", 6, true, false},
      {bkNo, "&Nein", "RKBBNO", 7, false, true},
      {bkAbort, "Abbruch", "RKBBABORT", 3, false, false},
      {bkAll, "&Alles", "RKBBALL", 8, false, false},
      {bkWeiter, "&Weiter", "RKBBWEITER", 11, false, false},
      {bkUebernahme, "&Übernehmen", "RKBBUEBERNAHME", 14, false, false},
      {bkClose, "&Schließen", "RKBBCLOSE", 0, false, false},
      {bkGNeu, "&Neu", "RKBBGNEU", 0, false, false},
      {bkGLoeschen, "&Löschen", "RKBBGLOESCHEN", 0, false, false},
      {bkGClose, "&Schließen", "RKBBGCLOSE", 0, false, false},
      {bkGExport, "&Export", "RKBBGEXPORT", 0, false, false},
      {bkGHelp, "&Hilfe", "RKBBGHELP", 0, false, false},
      {bkZusatz, "&Zusatz-|funktionen", "RKBBZUSATZ", 0, false, false},
      {bkGAmpelgruen, "&QSO auflisten", "RKBBGAMPELGRUEN", 0, false, false},
      {bkGKarte, "&Karte", "RKBBGKARTE", 0, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(KindName(c.kind).toStdString());
    TrkBitBtn b(c.kind);
    EXPECT_EQ(b.text(), QString::fromUtf8(c.caption));
    EXPECT_EQ(KindGlyphName(c.kind), QLatin1String(c.glyph));
    EXPECT_EQ(b.modalResult(), c.modalResult);
    EXPECT_EQ(b.isDefault(), c.isDefault);
    EXPECT_EQ(b.isCancel(), c.isCancel);
    EXPECT_EQ(b.rkKind(), c.kind);
  }
  EXPECT_EQ(KindGlyphName(bkCustom), QString());
}

TEST(TrkBitBtnKinds, EveryKindHasItsOwnVisibleGlyph) {
  QList<QImage> seen;
  for (int k = bkOK; k < kTrkBitBtnKindCount; ++k) {
    const auto kind = static_cast<TrkBitBtnKind>(k);
    const QImage img = KindGlyph(kind).toImage();
    ASSERT_EQ(img.size(), QSize(kKindGlyphSize, kKindGlyphSize)) << KindName(kind).toStdString();
    EXPECT_GT(OpaquePixels(img), 20) << KindName(kind).toStdString();
    EXPECT_LT(OpaquePixels(img), kKindGlyphSize * kKindGlyphSize) << "background is transparent";
  }
  EXPECT_TRUE(KindGlyph(bkCustom).isNull());
  // A crisp copy for high-density screens.
  EXPECT_EQ(KindGlyph(bkOK, 2.0).width(), 2 * kKindGlyphSize);
}

TEST(TrkBitBtn, StartsAsCustomButtonOfHeight35) {
  TrkBitBtn b;
  EXPECT_EQ(b.height(), 35);
  EXPECT_EQ(b.sizeHint().height(), 35);
  EXPECT_EQ(b.spacing(), 4);
  EXPECT_EQ(b.margin(), -1);
  EXPECT_EQ(b.glyphLayout(), TrkGlyphLayout::GlyphLeft);
  EXPECT_EQ(b.rkKind(), bkCustom);
  EXPECT_TRUE(b.glyph().isNull());
}

TEST(TrkBitBtn, ChangedPresetsTurnTheKindIntoCustom) {
  {
    TrkBitBtn b(bkOK);
    b.setModalResult(3);
    EXPECT_EQ(b.rkKind(), bkCustom);
    b.setModalResult(1);
    EXPECT_EQ(b.rkKind(), bkOK);
  }
  {
    TrkBitBtn b(bkOK);
    b.setDefault(false);
    EXPECT_EQ(b.rkKind(), bkCustom);
  }
  {
    TrkBitBtn b(bkCancel);
    b.setCancel(false);
    EXPECT_EQ(b.rkKind(), bkCustom);
  }
  {
    TrkBitBtn b(bkGNeu);
    b.setCancel(true);
    EXPECT_EQ(b.rkKind(), bkCustom);
  }
  {
    TrkBitBtn b(bkYes);
    QPixmap own(16, 16);
    own.fill(Qt::red);
    b.setGlyph(own);
    EXPECT_EQ(b.rkKind(), bkCustom);
    EXPECT_EQ(b.text(), QStringLiteral("&Ja")) << "caption stays";
  }
  {
    // Setting bkCustom keeps what the button has.
    TrkBitBtn b(bkGLoeschen);
    b.setRkKind(bkCustom);
    EXPECT_EQ(b.text(), QStringLiteral("&Löschen"));
    EXPECT_FALSE(b.glyph().isNull());
  }
}

TEST(TrkBitBtn, OwnGlyphStripsAndTransparency) {
  TrkBitBtn b;
  QImage strip(60, 20, QImage::Format_RGB32); // three images, no alpha channel
  strip.fill(QColor(255, 0, 255));
  for (int i = 0; i < 3; ++i)
    for (int y = 5; y < 15; ++y)
      for (int x = 5; x < 15; ++x)
        strip.setPixelColor(i * 20 + x, y, QColor(0, 0, 200));
  b.setGlyph(QPixmap::fromImage(strip));
  EXPECT_EQ(b.numGlyphs(), 3);
  QPixmap wide(100, 20); // more than four images: one picture
  wide.fill(Qt::blue);
  TrkBitBtn c;
  c.setGlyph(wide);
  EXPECT_EQ(c.numGlyphs(), 1);
  // The lower left colour became transparent.
  const QImage img = b.glyph().toImage();
  EXPECT_EQ(qAlpha(img.pixel(0, 19)), 0);
  EXPECT_EQ(qAlpha(img.pixel(10, 10)), 255);
}

TEST(TrkBitBtn, ModalResultEndsTheDialog) {
  for (auto [kind, result] : {std::pair{bkOK, 1}, {bkNo, 7}, {bkWeiter, 11}}) {
    QDialog dialog;
    auto* button = new TrkBitBtn(kind, &dialog);
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    dialog.open();
    button->click();
    EXPECT_EQ(dialog.result(), result);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(clicked.count(), 1) << "the click event still happens";
  }
}

TEST(TrkBitBtn, EscapeClicksTheCancelButton) {
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* edit = new QLineEdit(&dialog);
  auto* cancel = new TrkBitBtn(bkCancel, &dialog);
  layout->addWidget(edit);
  layout->addWidget(cancel);
  QSignalSpy clicked(cancel, &QAbstractButton::clicked);
  dialog.open();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(clicked.count(), 1);
  EXPECT_EQ(dialog.result(), int(mrCancel));
}

TEST(TrkBitBtn, CloseAndHelpKinds) {
  QWidget window;
  auto* close = new TrkBitBtn(bkClose, &window);
  window.show();
  close->click();
  EXPECT_FALSE(window.isVisible());

  QWidget form;
  SetHelpContext(&form, 310110018);
  auto* help = new TrkBitBtn(bkHelp, &form);
  int requested = 0;
  SetHelpTopicHandler([&](int topic) { requested = topic; });
  QSignalSpy spy(help, &TrkBitBtn::helpRequested);
  help->click();
  EXPECT_EQ(requested, 310110018);
  help->setHelpContext(1);
  help->click();
  EXPECT_EQ(requested, 1) << "the button's own topic comes first";
  EXPECT_EQ(spy.count(), 2);
  SetHelpTopicHandler({});
}

TEST(TrkBitBtn, DropDownPartOpensTheMenu) {
  QWidget window;
  QMenu menu;
  menu.addAction(QStringLiteral("STF-Datei"));
  auto* b = new TrkBitBtn(bkGExport, &window);
  b->setGeometry(10, 10, 120, 35);
  b->setRkMenue(&menu);
  int clicks = 0;
  QObject::connect(b, &QAbstractButton::clicked, [&] { ++clicks; });
  window.show();
  ASSERT_TRUE(b->hasDropDownPart());

  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(120 - 5, 17)); // inside the last 13 pixels
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(clicks, 0);
  EXPECT_NEAR(menu.pos().x(), b->mapToGlobal(QPoint(0, 0)).x(), 1);
  EXPECT_GE(menu.pos().y(), b->mapToGlobal(QPoint(0, 35)).y() - 1);
  menu.hide();

  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(120 - 15, 17)); // drawn part, not the hot zone
  EXPECT_FALSE(menu.isVisible());
  EXPECT_EQ(clicks, 1);
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 17));
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(menu.isVisible());
}

TEST(TrkBitBtn, WithoutClickReceiverTheWholeButtonOpensTheMenu) {
  QWidget window;
  QMenu menu;
  menu.addAction(QStringLiteral("eins"));
  auto* b = new TrkBitBtn(bkGDruck, &window);
  b->setGeometry(0, 0, 120, 35);
  b->setRkMenue(&menu);
  window.show();
  EXPECT_FALSE(b->hasDropDownPart());
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 17));
  EXPECT_TRUE(menu.isVisible());
  menu.hide();
  b->click(); // keyboard and code take the same way
  EXPECT_TRUE(menu.isVisible());
  menu.hide();
}

TEST(TrkBitBtn, AutoWidthFollowsCaptionAndGlyph) {
  QWidget window;
  auto* b = new TrkBitBtn(bkGLoeschen, &window);
  const int caption = QFontMetrics(window.font()).size(Qt::TextShowMnemonic, b->text()).width();
  b->setRkautoWidth(30);
  EXPECT_EQ(b->rkautoWidth(), 30);
  EXPECT_EQ(b->width(), 30 + caption) << "before the first paint: caption only";
  b->grab(); // paints
  ASSERT_GT(b->lastContentWidth(), caption);
  b->setRkautoWidth(20);
  EXPECT_EQ(b->width(), 20 + b->lastContentWidth());
  EXPECT_EQ(b->lastContentWidth(), caption + b->spacing() + kKindGlyphSize);
}

TEST(TrkBitBtn, PaintsFlatRoundDisabledAndOpaqueLooks) {
  QWidget parent;
  parent.setAutoFillBackground(true);
  QPalette pal = parent.palette();
  pal.setColor(QPalette::Window, QColor(0, 0, 128));
  parent.setPalette(pal);
  auto* b = new TrkBitBtn(&parent);
  b->setGeometry(0, 0, 100, 35);
  parent.resize(120, 50);

  b->setRkFlatround(true);
  QImage img = parent.grab(QRect(0, 0, 100, 35)).toImage();
  EXPECT_EQ(img.pixelColor(50, 17), QColor(255, 223, 170));
  EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 0, 128)) << "rounded corner shows the parent";
  EXPECT_EQ(img.pixelColor(50, 0), QColor(Qt::black));
  b->setRkDeaktiviert(true);
  img = parent.grab(QRect(0, 0, 100, 35)).toImage();
  EXPECT_EQ(img.pixelColor(50, 0), QColor(192, 192, 192));

  b->setRknichtTransparent(true);
  img = parent.grab(QRect(0, 0, 100, 35)).toImage();
  EXPECT_EQ(img.pixelColor(0, 0), b->palette().color(QPalette::Button));

  // Drawn disabled, still clickable.
  QSignalSpy clicked(b, &QAbstractButton::clicked);
  parent.show();
  QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_EQ(clicked.count(), 1);
}

TEST(TrkBitBtn, DeaktiviertDrawsTheGlyphGreyed) {
  TrkBitBtn b(bkOK);
  b.resize(100, 35);
  const QImage normal = b.grab().toImage();
  b.setRkDeaktiviert(true);
  const QImage greyed = b.grab().toImage();
  EXPECT_NE(normal, greyed);
  // No saturated green left anywhere.
  bool green = false;
  for (int y = 0; y < greyed.height(); ++y)
    for (int x = 0; x < greyed.width(); ++x) {
      const QColor c = greyed.pixelColor(x, y);
      green |= c.green() > c.red() + 60 && c.green() > c.blue() + 60;
    }
  EXPECT_FALSE(green);
}

} // namespace
} // namespace tarvik
