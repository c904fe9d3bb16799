// What the received exchange elements put into the QSO record, by kind, and the messages of
// the entry's field exit and of the change dialog.

#include <gtest/gtest.h>

#include <array>

#include "contest/exchange_elements.h"

namespace tarvik::test {
namespace {

class ExchangeElements : public ::testing::Test {
protected:
  std::vector<ElementFailure> Apply(std::array<std::string, 3> elements,
                                    ElementMessages messages = ElementMessages::kNone,
                                    int focused = 0) {
    QsoRecord r(bytes_.data());
    return ApplyReceivedElements(r, def_, code_, elements, "JO31MX", messages, focused);
  }
  QsoRecord R() { return QsoRecord(bytes_.data()); }

  ContestDefinition def_;
  char code_ = 'X';
  std::array<char, QsoRecord::kLength> bytes_{};
};

TEST_F(ExchangeElements, ValuesByKind) {
  def_.RcvdExchange1 = exchange::kDok;
  def_.RcvdExchange2 = exchange::kLocator;
  def_.RcvdExchange3 = exchange::kUsState;
  R().SetCall("DL1ABC");
  EXPECT_TRUE(Apply({"N01", "JO42AA", "CA"}).empty());
  EXPECT_EQ(R().FullDok(), "N01");
  EXPECT_EQ(R().Locator(), "JO42AA");
  EXPECT_GT(R().QRB(), 0);
  EXPECT_EQ(R().Kenner(), "CA");
  // Values derived from an element follow it: changed or emptied elements leave nothing
  // of the old value behind.
  EXPECT_TRUE(Apply({"", "JO4", "XX"}).empty());
  EXPECT_EQ(R().FullDok(), "");
  EXPECT_EQ(R().Locator(), "");
  EXPECT_EQ(R().QRB(), 0);
  EXPECT_EQ(R().Kenner(), "");
  // A foreign call gives no DOK; an area or LDK is taken from any call.
  R().SetCall("OK1ABC");
  Apply({"N01", "", ""});
  EXPECT_EQ(R().FullDok(), "");
  def_.RcvdExchange1 = exchange::kLdk;
  Apply({"BORKEN12", "", ""});
  EXPECT_EQ(R().FullDok(), "BORKEN12");
  EXPECT_EQ(R().DokPiece(), "BORKEN");
  EXPECT_EQ(R().Dok2Piece(), "12");
}

TEST_F(ExchangeElements, PostcodesAndMemberNumbers) {
  def_.RcvdExchange1 = exchange::kPostcode;
  def_.RcvdExchange2 = exchange::kMember;
  Apply({"48149", "123456", ""});
  EXPECT_EQ(R().Kenner(), "48");
  EXPECT_EQ(R().Call2(), "1234");
  def_.RcvdExchange2 = exchange::kMember19;
  Apply({"  ", "M12345678", ""});
  EXPECT_EQ(R().Kenner(), "");
  EXPECT_EQ(R().Call2(), "M12345");
  // In listener logs Call2 is the second station's call: member numbers leave it alone.
  def_.ListenerLog = 1;
  R().SetCall2("DL7XYZ");
  Apply({"", "M999", ""});
  EXPECT_EQ(R().Call2(), "DL7XYZ");
}

TEST_F(ExchangeElements, MessagesOfTheFieldExitAndOfTheChangeDialog) {
  def_.RcvdExchange1 = exchange::kDok;
  def_.RcvdExchange2 = exchange::kLocator4;
  R().SetCall("DL1ABC");
  // While typing: no message, nothing stored.
  EXPECT_TRUE(Apply({"J1X", "JX42", ""}).empty());
  EXPECT_EQ(R().FullDok(), "");
  // Leaving the DOK field: the DOK message only.
  auto failures = Apply({"J1X", "JX42", ""}, ElementMessages::kFocused, 1);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].element, 1);
  EXPECT_EQ(failures[0].message, "Fehler bei DOK-Angabe");
  failures = Apply({"J1X", "JX42", ""}, ElementMessages::kFocused, 2);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].message, "Fehler bei Locator-Angabe");
  // The change dialog reports every invalid DOK and locator.
  failures = Apply({"AB", "JX42", ""}, ElementMessages::kAll);
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_EQ(failures[0].message, "Fehler bei DOK-Angabe");
  EXPECT_EQ(failures[1].message, "Fehler bei Locator-Angabe");
  EXPECT_TRUE(Apply({"WN", "JO42", ""}, ElementMessages::kAll).empty());
  EXPECT_EQ(R().FullDok(), "WN");
  // Code H checks Holyland squares where others check DOKs.
  code_ = 'H';
  R().SetCall("DL1ABC");
  EXPECT_TRUE(Apply({"F12TA", "", ""}, ElementMessages::kAll).empty());
  EXPECT_EQ(R().FullDok(), "F12TA");
}

} // namespace
} // namespace tarvik::test
