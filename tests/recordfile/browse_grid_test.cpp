// The browse grid's logic without widgets: binding with its numbered steps, the sort list,
// the search field, keys, the scroll bar, and the delete with its question, over a fileblock
// with two orders (name, value).

#include <gtest/gtest.h>

#include <stdexcept>

#include "recordfile/browse_grid.h"
#include "support/fake_dialogs.h"
#include "support/storage_test_support.h"

namespace tarvik::test {
namespace {

/// Records what the model asks of its widget.
class FakeView : public BrowseGridView {
public:
  int rows = 5;
  int repaints = 0;
  int headerChanges = 0;
  int searchClears = 0;
  int tableRows = 0;
  std::vector<ColumnScroll> scrolls;

  int MeasureRows() override { return rows; }
  void SetTableRowCount(int n) override { tableRows = n; }
  void Repaint() override { ++repaints; }
  void HeaderChanged() override { ++headerChanges; }
  void SortListChanged() override {}
  void ClearSearchField() override { ++searchClears; }
  void ScrollColumns(ColumnScroll how) override { scrolls.push_back(how); }
  void ApplyColours() override {}
};

/// Dialogs whose question runs something first (as a repaint during a real box might).
class DialogsWithSideEffect : public FakeDialogs {
public:
  std::function<void()> duringConfirm;
  bool Confirm(const std::string& text) override {
    if (duringConfirm)
      duringConfirm();
    return FakeDialogs::Confirm(text);
  }
};

constexpr int kNameKey = 2;
constexpr int kValueKey = 3;

class BrowseGrid : public EngineTest {
protected:
  void SetUp() override {
    EngineTest::SetUp();
    UseMemoryFiles();
    fb_ = OpenTest("LIST");
    // Names A01..A20 with values running the other way, so that the two orders differ.
    for (int i = 1; i <= 20; ++i)
      Add(Name('A', i), 100 - i);
    for (int i = 1; i <= 20; ++i)
      Add(Name('C', i), 200 - i);
  }

  static std::string Name(char letter, int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%c%02d", letter, n);
    return buf;
  }

  void Add(const std::string& name, int value) {
    TestRecord r;
    r.name = name;
    r.value = value;
    r.code = name;
    ASSERT_EQ(AddRecord(fb_, r), 0);
  }

  void WireEvents(BrowseGridModel& m) {
    m.events.OnBuildRow = [this](RowRec& row) {
      const TestRecord r = TestRecord::Load(fb_->RecordBuffer());
      row.Text = " " + r.name + ";" + std::to_string(r.value);
    };
    m.events.OnSetHeaderFooter = [&m] { m.SetHeaderFooter(" Name;Wert;Rest", "Fuss"); };
    m.events.OnInitSortList = [&m] {
      m.ClearSortList();
      m.AddSortListEntry("Name");
      m.AddSortListEntry("Wert");
    };
    m.events.OnSortList2Key = [](int i, std::string& low, std::string& high) {
      low.clear();
      high.clear();
      return i == 0 ? kNameKey : (i == 1 ? kValueKey : 0);
    };
  }

  std::unique_ptr<BrowseGridModel> Bound(int key = kNameKey) {
    auto m = std::make_unique<BrowseGridModel>(view_, dialogs_);
    WireEvents(*m);
    EXPECT_TRUE(m->InitBrowse(fb_, key, "", "")) << m->InitError();
    return m;
  }

  /// The name of the cursor row's record ("" when it is empty).
  std::string CursorName(const BrowseGridModel& m) {
    const TKBrowser* b = m.Browser();
    const RowRec& row = b->Row(b->CursorRow());
    return row.Ref > 0 ? row.Text.substr(1, 3) : std::string();
  }

  std::string RowName(const BrowseGridModel& m, int row) {
    return m.Browser()->Row(row).Text.substr(1, 3);
  }

  Fileblock* fb_ = nullptr;
  FakeView view_;
  DialogsWithSideEffect dialogs_;
};

TEST_F(BrowseGrid, InitBrowseFailsWithTheNumberOfItsStep) {
  struct Case {
    const char* what;
    std::function<void(BrowseGridModel&)> setup;
    bool nullFileblock;
    const char* message;
    bool released;
  };
  const Case cases[] = {
      {"owner cannot open its files",
       [](BrowseGridModel& m) { m.events.OnInit_brDats = [] { return false; }; }, false,
       "Fehler beim Erstellen der Liste! (FNr 1)", true},
      {"no fileblock", [](BrowseGridModel&) {}, true, "Fehler beim Erstellen der Liste! (FNr 3)",
       true},
      {"header fails",
       [](BrowseGridModel& m) {
         m.events.OnSetHeaderFooter = [] { throw std::runtime_error("header"); };
       },
       false, "Fehler beim Erstellen der Liste! (FNr 11)", false},
      {"sort list fails",
       [](BrowseGridModel& m) {
         m.events.OnInitSortList = [] { throw std::runtime_error("sort"); };
       },
       false, "Fehler beim Erstellen der Liste! (FNr 12)", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BrowseGridModel m(view_, dialogs_);
    WireEvents(m);
    int released = 0;
    m.events.OnEntf_brDats = [&] { ++released; };
    c.setup(m);
    EXPECT_FALSE(m.InitBrowse(c.nullFileblock ? nullptr : fb_, kNameKey, "", ""));
    EXPECT_EQ(m.InitError(), c.message);
    EXPECT_EQ(released, c.released ? 1 : 0);
    EXPECT_FALSE(m.Bound());
    EXPECT_EQ(m.GetKeyNumber(), 0);
  }
}

TEST_F(BrowseGrid, InitBrowseLoadsTheFirstPageAndPresetsTheSortList) {
  auto m = Bound();
  EXPECT_TRUE(m->Bound());
  EXPECT_EQ(m->RowsInUse(), 5);
  EXPECT_EQ(view_.tableRows, 5);
  EXPECT_EQ(RowName(*m, 1), "A01");
  EXPECT_EQ(RowName(*m, 5), "A05");
  EXPECT_EQ(CursorName(*m), "A01");
  EXPECT_EQ(m->ColumnTitles(), (std::vector<std::string>{" Name", "Wert", "Rest"}));
  EXPECT_EQ(m->Footer(), "Fuss");
  EXPECT_TRUE(m->SortlistVisible());
  EXPECT_TRUE(m->SortlistEnabled());
  EXPECT_EQ(m->SortlistItemIndex(), -1);
  EXPECT_EQ(m->SortList().size(), 2u);

  // One choice: hidden and disabled; none: the same.
  for (int choices : {1, 0}) {
    BrowseGridModel one(view_, dialogs_);
    WireEvents(one);
    one.events.OnInitSortList = [&one, choices] {
      one.ClearSortList();
      for (int i = 0; i < choices; ++i)
        one.AddSortListEntry("Name");
    };
    ASSERT_TRUE(one.InitBrowse(fb_, kNameKey, "", ""));
    EXPECT_FALSE(one.SortlistVisible()) << choices;
    EXPECT_FALSE(one.SortlistEnabled()) << choices;
    EXPECT_EQ(one.SortlistItemIndex(), -1);
  }
}

TEST_F(BrowseGrid, ColumnWidthsComeFromTheOwnerOrTheTitles) {
  auto m = Bound();
  EXPECT_EQ(m->ColumnWidth(1, 7), 6 * 7); // " Name" + 1
  EXPECT_EQ(m->ColumnWidth(2, 7), 5 * 7);
  m->events.OnBrowColWidths = [](int i) { return i == 2 ? 99 : 0; };
  EXPECT_EQ(m->ColumnWidth(2, 7), 99);
  EXPECT_EQ(m->ColumnWidth(3, 7), 5 * 7);
  m->SetHeaderFooter("", "");
  EXPECT_EQ(m->ColumnTitles().size(), 1u); // at least one column
}

TEST_F(BrowseGrid, SortChangeKeepsTheRecordUnderTheCursor) {
  auto m = Bound();
  m->NextRow();
  m->NextRow(); // A03, value 97
  ASSERT_EQ(CursorName(*m), "A03");
  int headers = 0;
  m->events.OnSetHeaderFooter = [&] { ++headers; };
  view_.scrolls.clear();
  m->ChooseSort(1);
  EXPECT_EQ(m->GetKeyNumber(), kValueKey);
  EXPECT_EQ(CursorName(*m), "A03");
  EXPECT_EQ(m->Browser()->CursorRow(), 3); // the cursor keeps its screen row
  EXPECT_EQ(RowName(*m, 2), "A04");        // value order: A04 (96) comes before A03 (97)
  EXPECT_EQ(headers, 1);
  EXPECT_EQ(view_.scrolls, std::vector<ColumnScroll>{ColumnScroll::kFirst});

  // The choice that is current already changes nothing.
  m->ChooseSort(1);
  EXPECT_EQ(headers, 1);
  EXPECT_EQ(CursorName(*m), "A03");
}

TEST_F(BrowseGrid, SearchStandsOnTheFirstEntryBeginningWithTheText) {
  auto m = Bound();
  struct Case {
    const char* typed;
    const char* cursor;
  };
  const Case cases[] = {
      {"c1", "C10"},               // upper-cased; the first key beginning with "C1"
      {"A2", "A20"}, {"B", "A20"}, // no key begins with "B": the entry just before its place
      {"", "A20"},                 // an empty text does nothing
      {"ZZ", "A20"},               // no key greater or equal: nothing moves
      {"0", "A01"},                // before the first key: the entry after the place
  };
  for (const Case& c : cases) {
    m->SearchTextChanged(c.typed);
    EXPECT_EQ(CursorName(*m), c.cursor) << c.typed;
  }
  // The owner turns the text into the key string it searches for.
  m->events.OnSuchFeld2KeyStr = [](const std::string& text) { return "C" + text; };
  m->SearchTextChanged("05");
  EXPECT_EQ(CursorName(*m), "C05");
}

TEST_F(BrowseGrid, KeysMoveThePageAndReachTheOwner) {
  auto m = Bound();
  std::vector<int> posted;
  bool postAnswer = false;
  m->events.OnProcessPostCommand = [&](const BrowseKeyEvent& k) {
    posted.push_back(k.code);
    return postAnswer;
  };
  int enters = 0, searchEnters = 0;
  m->events.OnBrowEnter = [&] { ++enters; };
  auto key = [](BrowseKey k, bool ctrl = false, int code = 0) {
    BrowseKeyEvent e;
    e.key = k;
    e.ctrl = ctrl;
    e.code = code;
    return e;
  };
  const BrowseFocus table = BrowseFocus::kTable;
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kPageDown), table));
  EXPECT_EQ(RowName(*m, 1), "A06");
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kDown), table));
  EXPECT_EQ(CursorName(*m), "A07");
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kPageDown, true), table));
  EXPECT_EQ(CursorName(*m), "C20");
  EXPECT_EQ(m->Browser()->CursorRow(), 5);
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kDown), table)); // at the end: stays
  EXPECT_EQ(CursorName(*m), "C20");
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kHome, true), table));
  EXPECT_EQ(CursorName(*m), "A01");
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kEnd, true), table));
  EXPECT_EQ(CursorName(*m), "C20");
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kPageUp, true), table));
  EXPECT_EQ(CursorName(*m), "A01");
  EXPECT_EQ(posted.size(), 0u);

  // Columns: Home/End and Left/Right on the table; Left in the search field is the owner's.
  view_.scrolls.clear();
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kEnd), table));
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kLeft), table));
  EXPECT_FALSE(m->HandleKey(key(BrowseKey::kLeft, false, 1), BrowseFocus::kSearchField));
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kRight, true), BrowseFocus::kSearchField));
  EXPECT_EQ(view_.scrolls, (std::vector<ColumnScroll>{ColumnScroll::kLast, ColumnScroll::kLeft,
                                                      ColumnScroll::kRight}));
  EXPECT_EQ(posted, std::vector<int>{1});

  // Up and Down belong to the sort list while it has the focus.
  EXPECT_FALSE(m->HandleKey(key(BrowseKey::kDown, false, 2), BrowseFocus::kSortList));
  EXPECT_EQ(CursorName(*m), "A01");

  // Esc on the table is handled whatever the owner answers; elsewhere the owner decides.
  posted.clear();
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kEscape, false, 3), table));
  EXPECT_FALSE(m->HandleKey(key(BrowseKey::kEscape, false, 4), BrowseFocus::kSearchField));
  postAnswer = true;
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kOther, false, 5), table));
  EXPECT_EQ(posted, (std::vector<int>{3, 4, 5}));

  // Typing stays with the search field without reaching the owner.
  BrowseKeyEvent letter = key(BrowseKey::kOther, false, 6);
  letter.letterOrDigit = true;
  EXPECT_FALSE(m->HandleKey(letter, BrowseFocus::kSearchField));
  EXPECT_EQ(posted.size(), 3u);

  // Enter: the table's event; in the search field its own one when assigned, which keeps
  // the search text.
  view_.searchClears = 0;
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kEnter), table));
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kEnter), BrowseFocus::kSearchField));
  EXPECT_EQ(enters, 2);
  EXPECT_EQ(view_.searchClears, 2);
  m->events.OnBrowSuchfeldEnter = [&] { ++searchEnters; };
  EXPECT_TRUE(m->HandleKey(key(BrowseKey::kEnter), BrowseFocus::kSearchField));
  EXPECT_EQ(searchEnters, 1);
  EXPECT_EQ(enters, 2);
  EXPECT_EQ(view_.searchClears, 2);
}

TEST_F(BrowseGrid, DeleteAsksAndThePlaceIsTakenByTheNeighbour) {
  auto m = Bound();
  m->NextRow(); // A02
  // Del on the table: the question names the record; No keeps it.
  dialogs_.confirmAnswers = {false};
  BrowseKeyEvent del;
  del.key = BrowseKey::kDelete;
  EXPECT_TRUE(m->HandleKey(del, BrowseFocus::kTable));
  EXPECT_EQ(dialogs_.Questions(), std::vector<std::string>{" Löschen \"Datensatz\""});
  std::int32_t used = 0;
  ASSERT_EQ(fb_->UsedRecords(&used), 0);
  EXPECT_EQ(used, 40);

  // Yes: the record goes; the next row takes its place.
  m->events.OnLoesch_Feld = [](const std::string& name) { return name + " A02"; };
  dialogs_.Clear();
  m->Delete();
  EXPECT_EQ(dialogs_.Questions(), std::vector<std::string>{" Löschen \"Datensatz A02\""});
  ASSERT_EQ(fb_->UsedRecords(&used), 0);
  EXPECT_EQ(used, 39);
  EXPECT_EQ(CursorName(*m), "A03");
  EXPECT_EQ(m->Browser()->CursorRow(), 2);

  // The last row of the list: the row before it takes its place.
  m->LastPage();
  ASSERT_EQ(CursorName(*m), "C20");
  m->Delete();
  EXPECT_EQ(CursorName(*m), "C19");
  EXPECT_EQ(m->Browser()->CursorRow(), 5);

  // The owner may refuse before the question.
  dialogs_.Clear();
  m->events.OnBefore_Loesch = [] { return false; };
  m->Delete();
  EXPECT_TRUE(dialogs_.Questions().empty());
}

TEST_F(BrowseGrid, DeleteRemovesTheCursorRowsRecordEvenWhenOtherRowsWereReadMeanwhile) {
  auto m = Bound(kValueKey); // value order differs from record order
  m->NextRow();
  const std::string doomed = CursorName(*m);
  // While the question is open the list reads other rows into the buffer.
  dialogs_.duringConfirm = [&] { ASSERT_EQ(fb_->ReadRecord(1), 0); };
  m->Delete();
  dialogs_.duringConfirm = nullptr;
  // The record that was on the cursor row is gone, record 1 is still there.
  ASSERT_EQ(fb_->FindKey(2, doomed), 1);
  EXPECT_EQ(fb_->ReadRecord(1), 0);
  EXPECT_NE(CursorName(*m), doomed);
}

TEST_F(BrowseGrid, ARowThatNoLongerShowsItsRecordIsNotActedOn) {
  auto m = Bound();
  int doubleClicks = 0;
  m->events.OnBrowDoppelKlick = [&] { ++doubleClicks; };
  BrowseKeyEvent del;
  del.key = BrowseKey::kDelete;
  auto valueOf = [this](const std::string& name) {
    EXPECT_EQ(fb_->FindKey(kNameKey, name), 0);
    return TestRecord::Load(fb_->RecordBuffer()).value;
  };
  std::int32_t used = 0;
  m->NextRow(); // A02
  BrowseGridModel::ShownRow row;
  ASSERT_EQ(m->ReadShownRecord(&row), BrowseGridModel::ShownState::kShown);
  EXPECT_EQ(row.key, m->Browser()->CurrentKey());
  EXPECT_EQ(row.record, m->Browser()->CurrentRecord());
  EXPECT_EQ(fb_->CurrentRecordNumber(), row.record);
  EXPECT_EQ(TestRecord::Load(fb_->RecordBuffer()).name, "A02");

  // A02 gets another value behind the list's back: a double click does nothing but read
  // the list again (with a beep); the next one acts on what the row shows now.
  ASSERT_EQ(fb_->FindKey(kNameKey, "A02"), 0);
  TestRecord changed = TestRecord::Load(fb_->RecordBuffer());
  changed.value = 7;
  changed.Store(fb_->RecordBuffer());
  ASSERT_EQ(fb_->Update(), 0);
  dialogs_.Clear();
  m->DoubleClick();
  EXPECT_EQ(doubleClicks, 0);
  EXPECT_EQ(dialogs_.Beeps(), 1);
  EXPECT_EQ(m->Browser()->Row(2).Text, " A02;7");
  m->DoubleClick();
  EXPECT_EQ(doubleClicks, 1);

  // A03 is deleted behind the list's back while its row is highlighted: Del deletes
  // nothing (no question), the list shows the file again, A04 in the deleted one's place.
  m->NextRow();
  ASSERT_EQ(CursorName(*m), "A03");
  ASSERT_EQ(fb_->FindKey(kNameKey, "A03"), 0);
  ASSERT_EQ(fb_->Delete(kDeleteNoPosition), 0);
  dialogs_.Clear();
  EXPECT_TRUE(m->HandleKey(del, BrowseFocus::kTable));
  EXPECT_TRUE(dialogs_.Questions().empty());
  EXPECT_EQ(dialogs_.Beeps(), 1);
  ASSERT_EQ(fb_->UsedRecords(&used), 0);
  EXPECT_EQ(used, 39);
  EXPECT_EQ(CursorName(*m), "A04");
  EXPECT_EQ(valueOf("A04"), 96);
}

TEST_F(BrowseGrid, EmptyListReportsWhatCannotBeRead) {
  BrowseGridModel m(view_, dialogs_);
  WireEvents(m);
  ASSERT_TRUE(m.InitBrowse(fb_, kNameKey, "B", "B")); // no name begins with "B"
  EXPECT_EQ(m.Browser()->FilledRows(), 0);
  EXPECT_FALSE(m.HasCurrentRow());
  int doubleClicks = 0;
  m.events.OnBrowDoppelKlick = [&] { ++doubleClicks; };
  m.NextPage();
  m.LastPage();
  m.NextRow();
  EXPECT_EQ(m.Browser()->FilledRows(), 0);
  m.Delete();
  m.DoubleClick();
  EXPECT_EQ(doubleClicks, 0);
  EXPECT_EQ(dialogs_.Informs(),
            (std::vector<std::string>{"Datensatz konnte nicht gelesen werden",
                                      "Datensatz konnte nicht gelesen werden"}));
  EXPECT_TRUE(dialogs_.Questions().empty());
}

TEST_F(BrowseGrid, ScrollBarPositionsRunOverTheIndex) {
  auto m = Bound();
  EXPECT_EQ(m->ScrollRange(), 39);
  EXPECT_EQ(m->ThumbPosition(), 0);
  int scrolls = 0;
  m->events.OnBrowScroll = [&] { ++scrolls; };
  m->ScrollBarMoved(39);
  EXPECT_EQ(CursorName(*m), "C20");
  EXPECT_GT(m->ThumbPosition(), 30);
  m->ScrollBarMoved(0);
  EXPECT_EQ(CursorName(*m), "A01");
  m->Wheel(3);
  EXPECT_EQ(CursorName(*m), "A04");
  m->ToolbarAction(5);
  EXPECT_EQ(CursorName(*m), "C20");
  EXPECT_EQ(scrolls, 2 + 3 + 1);
}

TEST(BrowseGridLayout, BottomStripFollowsTheWidth) {
  BottomStripParts parts;
  parts.labelWidth = 70;
  parts.pictureWidth = 18;
  parts.toolbarWidth = 90;
  parts.close2Width = 60;
  parts.gap = 4;
  struct Case {
    int width;
    int sort, search;
    bool label;
    int lines;
    int toolbarLine, searchLine;
    bool toolbar;
  };
  const Case cases[] = {
      {600, 100, 100, true, 1, 0, 0, true},  // everything in one line
      {350, 100, 100, false, 1, 0, 0, true}, // the label goes
      {300, 80, 100, false, 2, 1, 0, true},  // 210 without the toolbar: 80/100, toolbar below
      {250, 75, 60, false, 2, 1, 0, true},
      {190, 75, 60, false, 2, 1, 0, false}, // the close button instead of the toolbar
      {120, 75, 60, false, 3, 1, 2, false}, // the search field on a further line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    const BottomStripLayout l = LayoutBottomStrip(c.width, parts);
    EXPECT_EQ(l.sortList.width, c.sort);
    EXPECT_EQ(l.searchField.width, c.search);
    EXPECT_EQ(l.label.visible, c.label);
    EXPECT_EQ(l.lines, c.lines);
    EXPECT_EQ(l.toolbar.visible, c.toolbar);
    EXPECT_EQ(l.close2.visible, !c.toolbar);
    EXPECT_EQ((c.toolbar ? l.toolbar : l.close2).line, c.toolbarLine);
    EXPECT_EQ(l.searchField.line, c.searchLine);
    const StripItem& tail = c.toolbar ? l.toolbar : l.close2;
    EXPECT_LE(tail.x + tail.width, c.width);
    if (c.lines > 1 && tail.line > 0) {
      EXPECT_NEAR(tail.x, (c.width - tail.width) / 2, 1); // centred
    }
  }
}

TEST(BrowseGridLayout, RowsThatFitAndRowTexts) {
  EXPECT_EQ(RowsThatFit(200, 1, 19, 1), 8); // (200-1)/20 - 1
  EXPECT_EQ(RowsThatFit(10, 1, 19, 1), 1);  // none fits: one
  EXPECT_EQ(RowsThatFit(100000, 0, 10, 0), 100);
  EXPECT_EQ(SplitRowText(" a;b;;c"), (std::vector<std::string>{" a", "b", "", "c"}));
  EXPECT_TRUE(SplitRowText("").empty());
  EXPECT_EQ(SplitRowText("x;"), (std::vector<std::string>{"x", ""}));
}

} // namespace
} // namespace tarvik::test
