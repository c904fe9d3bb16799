#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "widgets/trk_edit.h"

namespace tarvik {
namespace {

TEST(TrkEdit, PictureMaskStoresNinesAsHashes) {
  TrkEdit e;
  e.SetPictureMask("999,99");
  EXPECT_EQ(e.PictureMask(), "###,##");
  e.SetPictureMask("DD.MM.YYYY");
  EXPECT_EQ(e.PictureMask(), "DD.MM.YYYY");
  e.SetTag2(17);
  EXPECT_EQ(e.Tag2(), 17);
  EXPECT_EQ(e.DataType(), dtString);
}

TEST(TrkEdit, FrequencyFieldShowsAndReadsRealNumbers) {
  TrkEdit e;
  e.SetDataType(dtSingle);
  e.SetPictureMask("#####,####");
  e.SetValue(144.3f);
  EXPECT_EQ(e.text(), QStringLiteral("144,3000"));

  struct Case {
    const char* text;
    float value;
  } cases[] = {
      {"144,3", 144.3f}, {"144.3", 144.3f}, {"144,", 144.0f},  {"abc", 0.0f},   {"", 0.0f},
      {",5", 0.5f},      {"1,2,3", 0.0f},   {" 7,25 ", 7.25f}, {"-1,5", -1.5f}, {"-0,5", -0.5f},
      {"1e2", 100.0f},   {"1,x", 0.0f},     {"inf", 0.0f},     {"+3.5", 3.5f},
  };
  for (const auto& c : cases) {
    e.setText(QString::fromLatin1(c.text));
    float value = -99;
    e.GetValue(value);
    EXPECT_FLOAT_EQ(value, c.value) << c.text;
  }
}

TEST(TrkEdit, IntegerTypesReadOnlyWholeNumbersInRange) {
  struct Case {
    rkeditdatatype type;
    const char* text;
    std::int32_t value;
  } cases[] = {
      {dtInteger, "12a", 0},
      {dtInteger, "42", 42},
      {dtInteger, " -7 ", -7},
      {dtInteger, "2147483647", 2147483647},
      {dtInteger, "2147483648", 0},
      {dtLongint, "-2147483648", INT32_MIN},
      {dtWord, "65535", 65535},
      {dtWord, "70000", 0},
      {dtWord, "-1", 0},
      {dtByte, "255", 255},
      {dtByte, "256", 0},
      {dtInteger, "", 0},
      {dtInteger, "1,5", 0},
      {dtInteger, "+8", 8},
  };
  for (const auto& c : cases) {
    TrkEdit e;
    e.SetDataType(c.type);
    e.setText(QString::fromLatin1(c.text));
    std::int32_t value = -99;
    e.GetValue(value);
    EXPECT_EQ(value, c.value) << c.text;
  }
  TrkEdit w;
  w.SetDataType(dtWord);
  w.setText(QStringLiteral("65535"));
  std::uint16_t word = 0;
  w.GetValue(word);
  EXPECT_EQ(word, 65535);
}

TEST(TrkEdit, IntegersShowThroughThePicture) {
  TrkEdit e;
  e.SetDataType(dtInteger);
  e.SetPictureMask("#####");
  e.SetValue(std::int32_t(123));
  EXPECT_EQ(e.text(), QStringLiteral("123"));
  e.SetPictureMask("@@@@");
  e.SetValue(std::int32_t(7));
  EXPECT_EQ(e.text(), QStringLiteral("0007"));
  e.SetValue(std::int32_t(12345));
  EXPECT_EQ(e.text(), QStringLiteral("****"));

  TrkEdit b;
  b.SetDataType(dtByte);
  b.SetPictureMask("###");
  b.SetValue(std::uint8_t(200));
  EXPECT_EQ(b.text(), QStringLiteral("200"));
  std::uint8_t back = 0;
  b.GetValue(back);
  EXPECT_EQ(back, 200);
}

TEST(TrkEdit, NumbersWithoutPictureStayReadable) {
  // An empty picture formats to an empty text; the field shows the plain number instead so
  // that what it shows reads back as the same value.
  TrkEdit i;
  i.SetDataType(dtInteger);
  i.SetValue(std::int32_t(-42));
  EXPECT_EQ(i.text(), QStringLiteral("-42"));
  std::int32_t n = 0;
  i.GetValue(n);
  EXPECT_EQ(n, -42);

  TrkEdit r;
  r.SetDataType(dtSingle);
  r.SetValue(144.3f);
  EXPECT_EQ(r.text(), QStringLiteral("144,3"));
  float f = 0;
  r.GetValue(f);
  EXPECT_EQ(f, 144.3f);
}

TEST(TrkEdit, DoubleFieldsKeepTheTextAsTyped) {
  for (rkeditdatatype type : {dtDouble, dtExtended}) {
    TrkEdit e;
    e.SetDataType(type);
    e.SetPictureMask("###,##");
    e.SetValue(1.5);
    EXPECT_EQ(e.text(), QStringLiteral("1,50"));
    e.setText(QStringLiteral("1,5"));
    double x = 0;
    e.GetValue(x);
    EXPECT_DOUBLE_EQ(x, 1.5);
    e.SetValue(1.5);
    EXPECT_EQ(e.text(), QStringLiteral("1,5")) << "same value: the text stays as typed";
    e.SetValue(2.0);
    EXPECT_EQ(e.text(), QStringLiteral("2,00"));
    // Junk read as 0 is not kept as the text of 0.
    e.setText(QStringLiteral("abc"));
    e.GetValue(x);
    EXPECT_EQ(x, 0.0);
    e.SetValue(0.0);
    EXPECT_EQ(e.text(), QStringLiteral("0,00"));
  }
  // Single fields always show the picture.
  TrkEdit s;
  s.SetDataType(dtSingle);
  s.SetPictureMask("###,##");
  s.setText(QStringLiteral("1,5"));
  float f = 0;
  s.GetValue(f);
  s.SetValue(f);
  EXPECT_EQ(s.text(), QStringLiteral("1,50"));
}

TEST(TrkEdit, CharactersAndTexts) {
  TrkEdit c;
  c.SetDataType(dtChar);
  c.setText(QStringLiteral("  x"));
  char ch = 0;
  c.GetValue(ch);
  EXPECT_EQ(ch, 'x');
  c.setText(QString());
  c.GetValue(ch);
  EXPECT_EQ(ch, '\0');
  c.SetValue('\0');
  EXPECT_EQ(c.text(), QString());
  c.SetValue('\xC4');
  EXPECT_EQ(c.text(), QStringLiteral("Ä"));

  TrkEdit t;
  t.SetValue(std::string("Pr\xe4"
                         "fix \x80"));
  EXPECT_EQ(t.text(), QStringLiteral("Präfix €"));
  t.setText(QStringLiteral("Schließen"));
  std::string bytes;
  t.GetValue(bytes);
  EXPECT_EQ(bytes, "Schlie\xdf"
                   "en");
}

TEST(TrkEdit, ReportsEnterAndExit) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* first = new TrkEdit(&window);
  auto* second = new TrkEdit(&window);
  layout->addWidget(first);
  layout->addWidget(second);
  QSignalSpy entered(second, &TrkEdit::entered);
  QSignalSpy exited(first, &TrkEdit::exited);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  first->setFocus();
  second->setFocus();
  EXPECT_EQ(exited.count(), 1);
  EXPECT_EQ(entered.count(), 1);
}

} // namespace
} // namespace tarvik
