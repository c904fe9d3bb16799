// Multiplier bookkeeping: the values each kind takes from a QSO, their weights and slots,
// the evaluation of the QSO being entered against the QSO file, the display tables of 500
// entries, and the counts of the stored QSOs.

#include "support/log_fixture.h"

#include "base/strings.h"
#include "contest/multiplier_index.h"
#include "contest/multiplier_rules.h"
#include "contest/multiplier_tracker.h"
#include "support/mult_columns.h"

namespace tarvik::test {
namespace {

ContestDefinition Def(std::initializer_list<int> options, std::uint8_t evaluationKind = 0,
                      std::vector<std::string> labels = {"DOK", "Loc"}) {
  ContestDefinition def;
  for (int option : options)
    def.Options.set(static_cast<std::size_t>(option));
  def.EvaluationKind = evaluationKind;
  labels.resize(3);
  SetMultColumns(def, labels[0], labels[1], labels[2]);
  return def;
}

std::string Value(const MultiplierRules& rules, MultKind kind, const QsoFields& fields) {
  const auto bytes = MakeQso(fields);
  return rules.Value(kind, QsoRecord(bytes.data()));
}

TEST(MultiplierRules, DokValuesDependOnTheLists) {
  // Code 2: only the DOKs of DokList count (no home districts).
  ContestDefinition def = Def({4, 5});
  def.DokList = {"1N", "", "WN"};
  MultiplierRules code2(def, '2');
  EXPECT_EQ(Value(code2, MultKind::kDok, {.dok = "WN"}), "WN");
  EXPECT_EQ(Value(code2, MultKind::kDok, {.dok = "N01"}), "");
  // Home districts: three characters, a home letter, two digits, not M26 or M29.
  def.HomeDistricts = "NM";
  MultiplierRules districts(def, 'X');
  EXPECT_EQ(Value(districts, MultKind::kDok, {.dok = "N01"}), "N01");
  EXPECT_EQ(Value(districts, MultKind::kDok, {.dok = "M26"}), "");
  EXPECT_EQ(Value(districts, MultKind::kDok, {.dok = "P01"}), "");
  EXPECT_EQ(Value(districts, MultKind::kDok, {.dok = "WN"}), "WN");
  // Neither list: every value; areas and LDKs: every value.
  MultiplierRules open(Def({4}), 'X');
  EXPECT_EQ(Value(open, MultKind::kDok, {.dok = "ANY1"}), "ANY1");
  ContestDefinition area = Def({8});
  area.DokList = {"X"};
  EXPECT_EQ(Value(MultiplierRules(area, 'H'), MultKind::kDok, {.dok = "F12TA"}), "F12TA");
  // District letters (kind 18), code h: A..I and L..Y.
  ContestDefinition district = Def({18});
  district.HomeDistricts = "K";
  EXPECT_EQ(Value(MultiplierRules(district, 'X'), MultKind::kDistrict, {.dok = "K05"}), "K");
  EXPECT_EQ(Value(MultiplierRules(district, 'X'), MultKind::kDistrict, {.dok = "P05"}), "");
  EXPECT_EQ(Value(MultiplierRules(district, 'h'), MultKind::kDistrict, {.dok = "P05"}), "P");
  EXPECT_EQ(Value(MultiplierRules(district, 'h'), MultKind::kDistrict, {.dok = "J05"}), "");
}

TEST(MultiplierRules, PrefixesCallsMembersAndRequiredText) {
  MultiplierRules dxcc(Def({2}), 'X');
  EXPECT_EQ(Value(dxcc, MultKind::kDxcc, {.prefix = "DL"}), ""); // own country without 3
  EXPECT_EQ(Value(dxcc, MultKind::kDxcc, {.prefix = "OK"}), "OK");
  MultiplierRules withDl(Def({2, 3}), 'X');
  EXPECT_EQ(Value(withDl, MultKind::kDxcc, {.prefix = "DL"}), "DL");
  MultiplierRules europe(Def({2, 3, 9}), 'X');
  EXPECT_EQ(Value(europe, MultKind::kDxcc, {.prefix = "K", .continent = "NA"}), "");

  ContestDefinition calls = Def({10});
  calls.CallList = {"DL0XYZ"};
  MultiplierRules listed(calls, 'R');
  EXPECT_EQ(Value(listed, MultKind::kCallMulti, {.call = "DL0XYZ/P"}), "DL0XYZ");
  EXPECT_EQ(Value(listed, MultKind::kCallMulti, {.call = "DL1ABC"}), "");

  MultiplierRules members(Def({16}), '7');
  EXPECT_EQ(Value(members, MultKind::kMember, {.call2 = "1234567"}), "123456");
  EXPECT_TRUE(members.CountsOnce(MultKind::kMember));
  EXPECT_FALSE(MultiplierRules(Def({16}), 'f').CountsOnce(MultKind::kMember));

  ContestDefinition ipa = Def({2, 3});
  ipa.RequiredText = "IPA";
  MultiplierRules required(ipa, 'Z');
  EXPECT_EQ(Value(required, MultKind::kDxcc, {.prefix = "OK", .rstr = "599001"}), "");
  EXPECT_EQ(Value(required, MultKind::kDxcc, {.prefix = "OK", .rstr = "599001/IPA"}), "OK");
  ContestDefinition naval = Def({19});
  naval.RequiredText = "Naval";
  MultiplierRules navalRules(naval, 'i');
  EXPECT_EQ(Value(navalRules, MultKind::kClubMember, {.call2 = "M123", .rstr = "599M123"}), "M123");
  EXPECT_EQ(Value(navalRules, MultKind::kClubMember, {.call2 = "0042", .rstr = "5990042"}), "");
  // Marker records give nothing.
  EXPECT_EQ(Value(dxcc, MultKind::kDxcc, {.prefix = "OK", .qsyBand = 'b'}), "");
}

TEST(MultiplierRules, WeightsSlotsAndColumns) {
  MultiplierRules code2(Def({4, 5}), '2');
  EXPECT_EQ(code2.Weight(MultKind::kDok, "WN"), 6);
  EXPECT_EQ(code2.Weight(MultKind::kDok, "5N"), 3);
  EXPECT_EQ(code2.Weight(MultKind::kDok, "13N"), 3);
  EXPECT_EQ(code2.Weight(MultKind::kDok, "N01"), 1);
  EXPECT_EQ(code2.Weight(MultKind::kLocator, "JO31"), 3);
  EXPECT_EQ(MultiplierRules(Def({5}), 'Y').Weight(MultKind::kLocator, "JO31"), 5);
  EXPECT_EQ(MultiplierRules(Def({4}), 'G').Weight(MultKind::kDok, "HT09"), 2);
  MultiplierRules uFromU(Def({4}), 'U', true);
  MultiplierRules uOther(Def({4}), 'U', false);
  EXPECT_EQ(uFromU.Weight(MultKind::kDok, "U05"), 1);
  EXPECT_EQ(uFromU.Weight(MultKind::kDok, "Z44"), 1);
  EXPECT_EQ(uFromU.Weight(MultKind::kDok, "B05"), 2);
  EXPECT_EQ(uOther.Weight(MultKind::kDok, "DVU"), 2);
  EXPECT_EQ(uOther.Weight(MultKind::kDok, "B05"), 1);

  EXPECT_EQ(code2.Slot(MultKind::kDok, 'k'), 'k');
  EXPECT_EQ(MultiplierRules(Def({4}, 1), 'X').Slot(MultKind::kDok, 'k'), 1);
  EXPECT_EQ(MultiplierRules(Def({4, 5}, 2), 'X').Slot(MultKind::kLocator, 'k'), 1);
  EXPECT_EQ(MultiplierRules(Def({4, 5}, 2), 'X').Slot(MultKind::kDok, 'k'), 'k');

  EXPECT_EQ(code2.MarkColumns(MultKind::kDok), std::vector<int>{1});
  EXPECT_EQ(code2.MarkColumns(MultKind::kLocator), std::vector<int>{2});
  // A kind no column names counts into column 1.
  MultiplierRules unlabelled(Def({4}, 0, {""}), 'I');
  EXPECT_TRUE(unlabelled.MarkColumns(MultKind::kDok).empty());
  EXPECT_EQ(unlabelled.CountColumn(MultKind::kDok), 1);
}

class Multipliers : public LogTest {
protected:
  void Use(const ContestDefinition& def, char code) {
    rules_.emplace(def, code);
    index_.emplace(*rules_);
    tracker_.emplace(*rules_, *index_);
  }
  /// Evaluates a QSO being entered; returns it with its marks.
  std::array<char, QsoRecord::kLength> Evaluate(const QsoFields& fields) {
    entry_ = MakeQso(fields);
    QsoRecord r(entry_.data());
    tracker_->Evaluate(r, *log_, false);
    return entry_;
  }
  /// Stores a QSO as the session does: evaluated, added, counted.
  void Store(const QsoFields& fields) {
    auto bytes = Evaluate(fields);
    std::memcpy(log_->RecordBuffer(), bytes.data(), bytes.size());
    ASSERT_TRUE(AddRecord(*log_));
    index_->Add(QsoRecord(bytes.data()));
    tracker_->Commit();
  }
  int Count(int slot) { return index_->SlotCount(slot) + tracker_->PendingCount(slot); }

  std::optional<MultiplierRules> rules_;
  std::optional<MultiplierIndex> index_;
  std::optional<MultiplierTracker> tracker_;
  std::array<char, QsoRecord::kLength> entry_{};
};

TEST_F(Multipliers, Code2WeightsEvaluationAndUndo) {
  ContestDefinition def = Def({4, 5});
  def.DokList = {"5N", "WN"};
  Use(def, '2');
  auto first = Evaluate({.call = "DL1ABC", .band = 'k', .dok = "WN", .locator = "JO42"});
  EXPECT_EQ(QsoRecord(first.data()).MultMark1(), "WN");
  EXPECT_EQ(QsoRecord(first.data()).MultMark2(), "JO42");
  EXPECT_EQ(Count('k'), 9);
  // Typing another call before storing: the pending values are undone.
  tracker_->Undo();
  EXPECT_EQ(Count('k'), 0);
  Store({.call = "DL1ABC", .band = 'k', .dok = "WN", .locator = "JO42"});
  EXPECT_EQ(Count('k'), 9);
  EXPECT_EQ(index_->ColumnCount(1, 'k'), 6);
  EXPECT_EQ(index_->ColumnCount(2, 'k'), 3);
  // The same values again: marked green, nothing new.
  auto again = Evaluate({.call = "DL2XY", .band = 'k', .dok = "WN", .locator = "JO42"});
  EXPECT_EQ(QsoRecord(again.data()).MultMark1(), "");
  EXPECT_EQ(tracker_->WorkedAgain(MultKind::kDok), "WN");
  EXPECT_EQ(Count('k'), 9);
  const auto table = tracker_->Table(MultKind::kDok, 'k');
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].status, MultStatus::kWorkedAgain);
  // Another band counts anew.
  Evaluate({.call = "DL2XY", .band = 'l', .dok = "WN", .locator = "JO42"});
  EXPECT_EQ(Count('l'), 9);
  EXPECT_EQ(Count('k'), 9);
}

TEST_F(Multipliers, OnceForTheContestAndPerModeGroup) {
  Use(Def({4}, 1, {"DOK"}), 'T');
  Store({.call = "DL1ABC", .band = 'b', .dok = "X01"});
  Evaluate({.call = "DL2ABC", .band = 'c', .dok = "X01"});
  EXPECT_EQ(Count(1), 1); // worked on another band: not new
  EXPECT_EQ(tracker_->WorkedAgain(MultKind::kDok), "X01");

  Use(Def({4}, 2, {"DOK"}), 'G');
  // The DOK above is on band b with mode CW; SSB is another mode group.
  index_->Add(QsoRecord(MakeQso({.call = "DL1ABC", .band = 'b', .dok = "X01"}).data()));
  Evaluate({.call = "DL2ABC", .band = 'b', .mode = "SSB", .dok = "X01"});
  EXPECT_TRUE(tracker_->HasPending(MultKind::kDok));
  Evaluate({.call = "DL2ABC", .band = 'b', .mode = "CW", .dok = "X01"});
  EXPECT_FALSE(tracker_->HasPending(MultKind::kDok));
}

TEST_F(Multipliers, CodeLCountsEveryDokQso) {
  Use(Def({4, 7}, 0, {"DOK"}), 'L');
  Store({.call = "DL1ABC", .band = 'b', .dok = "L01"});
  Store({.call = "DL2ABC", .band = 'b', .dok = "L01"});
  EXPECT_EQ(index_->SlotCount('b'), 2);
  EXPECT_EQ(tracker_->Table(MultKind::kDok, 'b').size(), 2u);
}

TEST_F(Multipliers, TableOf500AndUncappedCounts) {
  Use(Def({4}, 0, {"DOK"}), 'X');
  // 500 distinct DOKs in the file and the index.
  for (int i = 0; i < 500; ++i) {
    const std::string dok = "A" + std::to_string(1000 + i);
    const auto bytes = MakeQso({.call = "DL" + std::to_string(i) + "AA", .dok = dok});
    std::memcpy(log_->RecordBuffer(), bytes.data(), bytes.size());
    ASSERT_TRUE(AddRecord(*log_));
    index_->Add(QsoRecord(bytes.data()));
  }
  EXPECT_EQ(tracker_->Table(MultKind::kDok, 'b').size(), 500u);
  // A new DOK that sorts after all 500 is counted but not shown.
  Evaluate({.call = "DL9ZZ", .dok = "Z99"});
  EXPECT_EQ(Count('b'), 501);
  auto table = tracker_->Table(MultKind::kDok, 'b');
  ASSERT_EQ(table.size(), 500u);
  EXPECT_EQ(table.back().value, "A1499");
  // One that sorts first is shown in red; the last entry falls off.
  Evaluate({.call = "DL9ZZ", .dok = "A0"});
  table = tracker_->Table(MultKind::kDok, 'b');
  ASSERT_EQ(table.size(), 500u);
  EXPECT_EQ(table.front().value, "A0");
  EXPECT_EQ(table.front().status, MultStatus::kNew);
  EXPECT_EQ(table.back().value, "A1498");
  // Storing it and more: the index counts every value.
  Store({.call = "DL9ZZ", .dok = "A0"});
  Store({.call = "DL9ZY", .dok = "Z99"});
  EXPECT_EQ(index_->SlotCount('b'), 502);
  // The panel shows the first 112 values of all kinds merged.
  EXPECT_EQ(tracker_->Panel('b', 112).size(), 112u);
}

TEST_F(Multipliers, MarksGoIntoTheColumnsThatNameTheKind) {
  Use(Def({2, 3, 4, 5}, 0, {"DOK", "DXCC", "Loc"}), 'J');
  auto r = Evaluate({.call = "OK1ABC",
                     .band = 'k',
                     .dok = "",
                     .locator = "JO60",
                     .prefix = "OK",
                     .call2 = "OLD"});
  QsoRecord q(r.data());
  EXPECT_EQ(q.MultMark1(), "");
  EXPECT_EQ(q.MultMark2(), "OK");
  EXPECT_EQ(q.Call2(), "JO60"); // the third mark
  // When Call2 is kept (listener logs), the third mark is never written there.
  entry_ =
      MakeQso({.call = "OK1ABC", .band = 'k', .locator = "JO60", .prefix = "OK", .call2 = "DL7XX"});
  QsoRecord listener(entry_.data());
  tracker_->Evaluate(listener, *log_, true);
  EXPECT_EQ(listener.Call2(), "DL7XX");
  EXPECT_EQ(listener.MultMark2(), "OK");
}

} // namespace
} // namespace tarvik::test
