#pragma once
// A running record-file engine in a fresh data directory with a small hand-made prefix
// table, a contest header built for a contest code, and an entry session over it, plus
// helpers that type into the session like an operator.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "contest/contest_catalog.h"
#include "datafiles/contest_records.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "logging/qso_session.h"
#include "radio/date_time.h"
#include "recordfile/fileblock.h"
#include "support/fake_dialogs.h"
#include "support/prefix_tables.h"

namespace tarvik::test {

/// The contest header of a test contest.
struct ContestSetup {
  char code = '2';
  int category = 0;
  std::string dok = "N01";
  std::string locator = "JO31MX";
  std::string name = "Test";
  bool autoDate = true;
  bool autoTime = true;
  bool autoBand = false;
  bool rstSentFree = false;
  bool rstRcvdFree = false;
  bool startSsb = false;
  bool startFm = false;
  bool startPr = false;
  bool rstsNotLocked = false;
  bool yesNoAnswer = false;
  char qslSent = 'N';
  char qslRcvd = 'N';
  int contestNumber = 1;
};

class SessionTest : public PrefixTablesTest {
protected:
  void SetUp() override {
    PrefixTablesTest::SetUp();
    AddMain({.prefix = "DA", .dxcc = "DL", .country = "Germany", .entity = 230, .rangeEnd = 'R'});
    AddMain({.prefix = "OK", .dxcc = "OK", .country = "Czech Republic", .entity = 503});
    AddMain({.prefix = "PA", .dxcc = "PA", .country = "Netherlands", .entity = 263});
    AddMain({.prefix = "F", .dxcc = "F", .country = "France", .entity = 227});
    AddMain({.prefix = "SM", .dxcc = "SM", .country = "Sweden", .entity = 284});
    AddMain({.prefix = "OH", .dxcc = "OH", .country = "Finland", .entity = 224});
    AddMain({.prefix = "LA", .dxcc = "LA", .country = "Norway", .entity = 266});
    AddMain({.prefix = "K",
             .dxcc = "K",
             .country = "United States",
             .entity = 291,
             .continent = "NA",
             .rangeEnd = 0});
    AddMain(
        {.prefix = "W", .dxcc = "K", .country = "United States", .entity = 291, .continent = "NA"});
    AddMain({.prefix = "JA", .dxcc = "JA", .country = "Japan", .entity = 339, .continent = "AS"});
    AddMain({.prefix = "4X", .dxcc = "4X", .country = "Israel", .entity = 336, .continent = "AS"});
    clock_.now = {2026, 3, 14, 12, 0, 0, 0};
  }

  void TearDown() override {
    session_.reset();
    PrefixTablesTest::TearDown();
  }

  /// The definition, header and extension records of a contest for `setup`.
  QsoSessionParams BuildParams(const ContestSetup& setup) {
    ContestHeaderFields fields;
    fields.category = static_cast<std::uint8_t>(setup.category);
    fields.dateFrom = TodayDay(clock_);
    fields.dok = setup.dok;
    QsoSessionParams params;
    params.definition = BuildContestDefinition(setup.code, fields, setup.locator, dialogs_, clock_);
    params.contestCode = setup.code;
    std::string header(ContestHeaderRecord::kLength, '\0');
    ContestHeaderRecord h(header.data());
    h.MarkCreated();
    h.SetContestNumber(setup.contestNumber);
    h.SetContestCode(setup.code);
    h.SetContestName(setup.name);
    h.SetDok(setup.dok);
    h.SetLocator(setup.locator);
    h.SetCategory(fields.category);
    h.SetExtendedStats(fields.extendedStats);
    h.SetAutoDate(setup.autoDate);
    h.SetAutoTime(setup.autoTime);
    h.SetAutoBand(setup.autoBand);
    h.SetRstSentFree(setup.rstSentFree);
    h.SetRstRcvdFree(setup.rstRcvdFree);
    h.SetStartSsb(setup.startSsb);
    h.SetStartFm(setup.startFm);
    h.SetStartPr(setup.startPr);
    h.SetYesNoAnswer(setup.yesNoAnswer);
    h.SetQslSentDefault(setup.qslSent);
    h.SetQslRcvdDefault(setup.qslRcvd);
    params.headerRecord = header;
    std::string extension(ContestExtensionRecord::kLength, '\0');
    ContestExtensionRecord x(extension.data());
    x.SetContestNumber(setup.contestNumber);
    x.SetRstsNotLocked(setup.rstsNotLocked);
    params.extensionRecord = extension;
    params.ownLocator = setup.locator;
    return params;
  }

  /// Builds the definition and header for `setup` and opens a session on them.
  QsoSession& Open(const ContestSetup& setup) {
    setup_ = setup;
    params_ = BuildParams(setup);
    dialogs_.Clear();
    session_ = std::make_unique<QsoSession>(params_, dialogs_, clock_);
    EXPECT_TRUE(session_->Open());
    return *session_;
  }

  /// Closes the session (statistics into the header copy) and opens a new one on the same
  /// files with the header and extension records the first one left.
  QsoSession& Reopen() {
    session_->Close();
    params_.headerRecord = session_->Contest().header;
    params_.extensionRecord = session_->Contest().extension;
    session_.reset();
    session_ = std::make_unique<QsoSession>(params_, dialogs_, clock_);
    EXPECT_TRUE(session_->Open());
    return *session_;
  }

  /// The session the helpers work on (window tests hand in the window's).
  virtual QsoSession& S() { return *session_; }

  /// Types `text` into the focused field character by character, as the window reports it.
  void Type(std::string_view text) {
    const EntryField field = S().Form().Focus();
    std::string now;
    for (char c : text) {
      now += c;
      S().SetFieldText(field, now);
    }
  }
  /// Replaces the focused field's text (select all, type).
  void Retype(std::string_view text) {
    S().SetFieldText(S().Form().Focus(), "");
    Type(text);
  }
  void Enter() { S().PressEnter(); }

  /// Types a call and the received exchange elements, pressing Enter after each, as long
  /// as the focus stays in the entry; returns true when a QSO was stored.
  bool Log(std::string_view call, std::vector<std::string> exchange = {}) {
    const std::int32_t before = StoredCount();
    EXPECT_EQ(S().Form().Focus(), EntryField::eCall);
    Type(call);
    Enter();
    for (const std::string& element : exchange) {
      if (S().Form().Focus() == EntryField::eCall)
        break;
      Type(element);
      Enter();
    }
    AdvanceClock(60);
    return StoredCount() > before;
  }

  /// Moves the clock on and lets the session's one-second timer tick.
  void AdvanceClock(int seconds) {
    DateTime& t = clock_.now;
    int total = t.hour * 3600 + t.minute * 60 + t.second + seconds;
    t.hour = total / 3600 % 24;
    t.minute = total / 60 % 60;
    t.second = total % 60;
    if (session_)
      session_->ClockTick();
  }
  void SetClock(int hour, int minute, int second = 0) {
    clock_.now.hour = hour;
    clock_.now.minute = minute;
    clock_.now.second = second;
    if (session_)
      session_->ClockTick();
  }

  std::int32_t StoredCount() {
    std::int32_t count = 0;
    Fileblock* log = S().Log().File();
    if (log != nullptr) {
      EXPECT_EQ(log->UsedRecords(&count), 0);
    }
    return count;
  }

  /// Every stored record in record-number order (216 bytes each).
  std::vector<std::string> Stored() {
    std::vector<std::string> records;
    Fileblock* log = S().Log().File();
    for (int s = log->FirstKey(4); s == 0; s = log->NextKey(4))
      records.emplace_back(log->RecordBuffer(), QsoRecord::kLength);
    return records;
  }
  QsoRecord StoredQso(std::size_t i) {
    stored_ = Stored();
    EXPECT_LT(i, stored_.size());
    return QsoRecord(static_cast<const char*>(stored_.at(i).data()));
  }

  /// The text of a panel cell and its colour, "." for empty cells.
  std::vector<std::string> PanelTexts() {
    std::vector<std::string> texts;
    for (const PanelCell& cell : S().Log().MultiplierPanel(S().Bands().Band()))
      if (cell.text != ".")
        texts.push_back(cell.text);
    return texts;
  }

  FakeDialogs dialogs_;
  ContestSetup setup_;
  QsoSessionParams params_;
  std::unique_ptr<QsoSession> session_;
  std::vector<std::string> stored_;
};

} // namespace tarvik::test
