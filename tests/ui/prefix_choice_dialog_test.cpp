// The prefix choice window "Auswahl DXCC" offscreen over hand-made prefix tables: the texts
// and rows, the arrow keys that move the mark round, OK by Enter or double click with the
// exception entry remembered for the call, and cancel.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "country/prefix_choice.h"
#include "country/ui/prefix_choice_dialog.h"
#include "datafiles/prefix_record.h"
#include "recordfile/fileblock.h"
#include "support/modal_window.h"
#include "support/prefix_tables.h"
#include "widgets/text_codec.h"

namespace tarvik::test {
namespace {

class PrefAuswahlTest : public PrefixTablesTest {
protected:
  void SetUp() override {
    PrefixTablesTest::SetUp();
    AddMain({.prefix = "V6", .dxcc = "V6", .country = "Micronesia", .entity = 173});
    AddMain({.prefix = "KC6", .dxcc = "T8", .country = "Palau", .entity = 22, .area = "1"});
    AddMain({.prefix = "KC6", .dxcc = "XX", .country = "Caroline", .area = "2", .alias = "V6"});
    AddMain({.prefix = "KC6",
             .dxcc = "KC6",
             .country = "Eastern Caroline",
             .area = "3",
             .validTo = Day(31, 12, 1990),
             .remark = "Ponape"});
  }
  void TearDown() override {
    SetPrefixAmbiguityOption(false);
    PrefixTablesTest::TearDown();
  }
  static QString Cell(const PrefixChoiceDialog& w, int row, int column) {
    return w.table->item(row, column)->text();
  }
  static bool Marked(const PrefixChoiceDialog& w, int row) {
    return w.table->item(row, 0)->background().color() == QColor(0, 0, 128);
  }
};

TEST_F(PrefAuswahlTest, ShowsTheCandidatesAndMovesTheMarkWithTheArrowKeys) {
  PrefixLookup lookup(tables_);
  PrefixChoice choice(lookup, "KC6", Day(1, 6, 2020), "KC6XY");
  PrefixChoiceDialog w(choice);
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Auswahl DXCC"));
  EXPECT_EQ(w.lQso->text(), QStringLiteral("KC6XY  01.06.2020"));
  ASSERT_EQ(w.table->rowCount(), 3);
  EXPECT_EQ(Cell(w, 0, 0), QStringLiteral(" 1"));
  EXPECT_EQ(Cell(w, 0, 4), QStringLiteral("Palau"));
  EXPECT_EQ(Cell(w, 1, 4), QStringLiteral("Micronesia")); // the alias resolved
  EXPECT_EQ(Cell(w, 2, 5), QStringLiteral("Ponape  (deleted)"));
  EXPECT_FALSE(w.btnUebernehmen->isEnabled());

  QTest::keyClick(w.table, Qt::Key_Up); // no mark yet: the last row
  EXPECT_TRUE(Marked(w, 2));
  QTest::keyClick(w.table, Qt::Key_Down); // wraps to the first
  EXPECT_TRUE(Marked(w, 0));
  EXPECT_FALSE(Marked(w, 2));
  EXPECT_EQ(w.table->item(0, 4)->foreground().color(), QColor(Qt::white));
  EXPECT_TRUE(w.btnUebernehmen->isEnabled());
  EXPECT_TRUE(w.btnUebernehmen->isDefault());
  QTest::mouseClick(w.table->viewport(), Qt::LeftButton, {},
                    w.table->visualItemRect(w.table->item(1, 4)).center());
  EXPECT_TRUE(Marked(w, 1));
  EXPECT_EQ(choice.Marked(), 1);
}

TEST_F(PrefAuswahlTest, TheChoiceIsTakenAndRememberedForTheCall) {
  SetPrefixAmbiguityOption(true);
  PrefixLookup lookup(tables_);
  lookup.SetChooser([](PrefixChoice& c) { return ChoosePrefix(c, nullptr); });
  OnModal<PrefixChoiceDialog>([](PrefixChoiceDialog& w) {
    QTest::keyClick(w.table, Qt::Key_Down);
    QTest::keyClick(w.table, Qt::Key_Down);
    QTest::keyClick(w.table, Qt::Key_Return);
  });
  EXPECT_EQ(lookup.LookUpPrefix("KC6XY", Day(1, 6, 2020)), kPrefixFound);
  EXPECT_EQ(lookup.Entry().countryName(), "Micronesia");
  ASSERT_EQ(tables_.callExceptions->FindKey(1, "KC6XY "), 0);
  EXPECT_EQ(PrefixRecord(tables_.callExceptions->RecordBuffer()).countryName(), "Micronesia");

  // A double click takes the row at once; the call already has its entry, so a further
  // call is asked for.
  OnModal<PrefixChoiceDialog>([](PrefixChoiceDialog& w) {
    QTest::mouseDClick(w.table->viewport(), Qt::LeftButton, {},
                       w.table->visualItemRect(w.table->item(0, 1)).center());
  });
  EXPECT_EQ(lookup.LookUpPrefix("KC6AB", Day(1, 6, 2020)), kPrefixFound);
  EXPECT_EQ(lookup.Entry().countryName(), "Palau");
}

TEST_F(PrefAuswahlTest, CancelLeavesNothingBehind) {
  SetPrefixAmbiguityOption(true);
  PrefixLookup lookup(tables_);
  lookup.SetChooser([](PrefixChoice& c) { return ChoosePrefix(c, nullptr); });
  OnModal<PrefixChoiceDialog>([](PrefixChoiceDialog& w) {
    QTest::keyClick(w.table, Qt::Key_Down);
    QTest::keyClick(w.table, Qt::Key_Escape);
  });
  EXPECT_EQ(lookup.LookUpPrefix("KC6XY", Day(1, 6, 2020)), kPrefixNotFound);
  OnModal<PrefixChoiceDialog>([](PrefixChoiceDialog& w) { w.btnAbbrechen->click(); });
  EXPECT_EQ(lookup.LookUpPrefix("KC6XY", Day(1, 6, 2020)), kPrefixNotFound);
  std::int32_t count = -1;
  ASSERT_EQ(tables_.callExceptions->UsedRecords(&count), 0);
  EXPECT_EQ(count, 0);
}

} // namespace
} // namespace tarvik::test
