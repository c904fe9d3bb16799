// The duplicate rules against a QSO file: which earlier QSO makes a QSO a duplicate, and
// the messages in both languages.

#include "support/log_fixture.h"

#include "base/process_settings.h"
#include "contest/duplicates.h"

namespace tarvik::test {
namespace {

class Duplicates : public LogTest {
protected:
  bool Dupe(const QsoFields& fields, int rule, char code, std::int32_t exclude = 0) {
    const auto bytes = MakeQso(fields);
    return IsDuplicate(QsoRecord(bytes.data()), *log_, rule, code, exclude);
  }
};

TEST_F(Duplicates, RulesOneToFive) {
  Add({.call = "DL1ABC", .band = 'b', .mode = "CW"});
  struct Case {
    QsoFields qso;
    int rule;
    bool dupe;
  };
  const Case cases[] = {
      {{.call = "DL1ABC", .band = 'b', .mode = "CW"}, 0, false},
      {{.call = "DL1ABC", .band = 'b', .mode = "CW"}, 1, true},
      {{.call = "DL1ABC", .band = 'b', .mode = "SSB"}, 1, false},
      {{.call = "DL1ABC", .band = 'c', .mode = "CW"}, 1, false},
      {{.call = "DL1ABC/P", .band = 'b', .mode = "CW"}, 1, true}, // same home call
      {{.call = "DL1ABC", .band = 'b', .mode = "SSB"}, 2, true},
      {{.call = "DL1ABC", .band = 'c', .mode = "SSB"}, 2, false},
      {{.call = "DL1ABC", .band = 'c', .mode = "CW"}, 3, true},
      {{.call = "DL1ABC", .band = 'c', .mode = "SSB"}, 3, false},
      {{.call = "DL1ABC", .band = 'c', .mode = "FM"}, 3, false},
      {{.call = "DL1ABC", .band = 'k', .mode = "FM"}, 5, true},
      {{.call = "DL1ABD", .band = 'b', .mode = "CW"}, 5, false},
      {{.call = "DL1ABC", .band = 'b', .mode = "CW"}, 4, false}, // rule 4 outside codes 6, h
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.qso.call << " " << c.qso.band << " " << c.qso.mode << " rule " << c.rule);
    EXPECT_EQ(Dupe(c.qso, c.rule, '2'), c.dupe);
  }
}

TEST_F(Duplicates, PortableStationsAreDifferentOnlyForCode9) {
  Add({.call = "DL1ABC", .band = 'b'});
  EXPECT_FALSE(Dupe({.call = "DL1ABC/P", .band = 'b'}, 2, '9'));
  EXPECT_TRUE(Dupe({.call = "DL1ABC", .band = 'b'}, 2, '9'));
  EXPECT_TRUE(Dupe({.call = "DL1ABC/P", .band = 'b'}, 2, '2'));
}

TEST_F(Duplicates, Code6SidesOf1500AndCodeHDays) {
  Add({.call = "DL1ABC", .band = 'b', .zeit = 14 * 3600 + 59 * 60});
  EXPECT_FALSE(Dupe({.call = "DL1ABC", .band = 'b', .zeit = 15 * 3600}, 4, '6'));
  EXPECT_TRUE(Dupe({.call = "DL1ABC", .band = 'b', .zeit = 10 * 3600}, 4, '6'));
  Add({.call = "DL1ABC", .band = 'b', .zeit = 15 * 3600});
  EXPECT_TRUE(Dupe({.call = "DL1ABC", .band = 'b', .zeit = 16 * 3600 + 30 * 60}, 4, '6'));
  EXPECT_FALSE(Dupe({.call = "DL1ABC", .band = 'c', .zeit = 16 * 3600}, 4, '6'));

  EXPECT_TRUE(Dupe({.call = "DL1ABC", .band = 'b'}, 4, 'h'));
  EXPECT_FALSE(Dupe({.call = "DL1ABC", .band = 'b', .datum = DmyToDay(15, 3, 2026)}, 4, 'h'));
}

TEST_F(Duplicates, MarkerRecordsAndTheQsoItselfAreNoEarlierQso) {
  Add({.call = "DL1ABC", .band = 'b', .qsyBand = 'b'});
  EXPECT_FALSE(Dupe({.call = "DL1ABC", .band = 'b'}, 2, '2'));
  const std::int32_t self = Add({.call = "DL9XX", .band = 'b'});
  EXPECT_FALSE(Dupe({.call = "DL9XX", .band = 'b'}, 2, '2', self));
  EXPECT_TRUE(Dupe({.call = "DL9XX", .band = 'b'}, 2, '2'));
  EXPECT_FALSE(Dupe({.call = "", .band = 'b'}, 5, '2'));
}

TEST_F(Duplicates, Messages) {
  SetLanguageFlag(1);
  EXPECT_EQ(DuplicateMessage(1, '2', "DL1ABC", true),
            "Call DL1ABC bereits auf Band/Mode vorhanden");
  EXPECT_EQ(DuplicateMessage(2, '2', "DL1ABC", true), "Call DL1ABC bereits auf Band vorhanden");
  EXPECT_EQ(DuplicateMessage(3, '2', "DL1ABC", false), "Call bereits in Betriebsart vorhanden");
  EXPECT_EQ(DuplicateMessage(4, '6', "DL1ABC", false),
            "Call bereits in Band und Periode vorhanden");
  EXPECT_EQ(DuplicateMessage(4, 'h', "DL1ABC", true),
            "Call DL1ABC bereits in Band und Tag vorhanden");
  EXPECT_EQ(DuplicateMessage(5, 'c', "DL1ABC", true), "Call DL1ABC bereits vorhanden");
  EXPECT_EQ(DuplicateMessage(5, 'c', "DL1ABC", false), "Call bereits vorhanden");
  EXPECT_EQ(DuplicateMessage(4, '2', "DL1ABC", true), "");
  SetLanguageFlag(0);
  EXPECT_EQ(DuplicateMessage(1, '2', "DL1ABC", true), "Call already exists on band/mode");
  EXPECT_EQ(DuplicateMessage(4, '6', "DL1ABC", false), "Call already exists on band and period");
  EXPECT_EQ(DuplicateMessage(5, 'c', "DL1ABC", true), "Call already exists");
  SetLanguageFlag(1);
}

} // namespace
} // namespace tarvik::test
