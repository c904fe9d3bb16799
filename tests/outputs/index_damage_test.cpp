// A damaged index never costs a QSO. A 500-QSO log gets its index file damaged in many
// ways (random bytes, swapped and zeroed pages, a cut file, the index of an older state of
// the same log, of the same log before one QSO was changed, of another log), each damage
// from a fixed seed, and is then used as the operator uses it: the log window's session
// opens it, closes it (renumbering it), opens it again, changes a QSO, deletes one and
// closes; then the header window's output run writes every file and prints every kind. After
// each step the QSOs of the data file must be those before it, allowing for the changed and
// the deleted one, and every output must hold every QSO, or the step must have been refused
// with a message.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "base/data_directory.h"
#include "contest/qso_checks.h"
#include "contest/qso_points.h"
#include "datafiles/program_files.h"
#include "logging/qso_edit_form.h"
#include "logging/session_fixture.h"
#include "outputs/output_kinds.h"
#include "outputs/output_runner.h"
#include "outputs/recording_canvas.h"
#include "radio/date_time.h"
#include "recordfile/engine.h"
#include "recordfile/format.h"
#include "recordfile/memory_file_io.h"

namespace tarvik::test {
namespace {

constexpr int kQsos = 500;
constexpr int kCasesPerKind = 29;
constexpr int kContest = 1;
constexpr int kOtherContest = 2;
constexpr char kBand = 'k';
constexpr unsigned kSeedBase = 18000;

enum class Damage {
  kRandomBytes,
  kSwappedPages,
  kZeroedPage,
  kCutFile,
  kOlderState,      // the index before the last ten QSOs
  kBeforeOneChange, // the index of the same number of QSOs before one was changed
  kOtherLog,        // the index of another contest's log
};
constexpr std::array<Damage, 7> kDamages = {
    Damage::kRandomBytes, Damage::kSwappedPages,    Damage::kZeroedPage, Damage::kCutFile,
    Damage::kOlderState,  Damage::kBeforeOneChange, Damage::kOtherLog};

const char* Name(Damage d) {
  switch (d) {
  case Damage::kRandomBytes:
    return "random bytes";
  case Damage::kSwappedPages:
    return "swapped pages";
  case Damage::kZeroedPage:
    return "zeroed page";
  case Damage::kCutFile:
    return "cut file";
  case Damage::kOlderState:
    return "index of an older state";
  case Damage::kBeforeOneChange:
    return "index from before a change";
  case Damage::kOtherLog:
    return "index of another log";
  }
  return "";
}

/// What identifies a QSO for the operator.
using QsoFacts = std::tuple<std::string, std::int32_t, std::int32_t, char, std::string, std::string,
                            std::string, std::string>;
using QsoSet = std::multiset<QsoFacts>;

QsoFacts FactsOf(const QsoRecord& r) {
  return {r.Call(), r.Datum(), r.Zeit(), r.Band(), r.Mode(), r.RSTs(), r.RSTr(), r.FullDok()};
}

/// The QSOs of a data file's bytes: every live record, read by record number.
QsoSet QsosOfDataFile(const std::string& dat) {
  QsoSet set;
  const std::size_t length = QsoRecord::kLength;
  for (std::size_t at = length; at + length <= dat.size(); at += length) {
    if (format::LoadI32(dat.data() + at) == 0)
      set.insert(FactsOf(QsoRecord(dat.data() + at)));
  }
  return set;
}

/// Tells how many calls of a set of QSOs a text does not show as a word (a run of letters,
/// digits and "/").
class CallFinder {
public:
  explicit CallFinder(const QsoSet& qsos) {
    for (const QsoFacts& q : qsos)
      index_.emplace(std::get<0>(q), index_.size());
  }
  int Missing(std::string_view text) const {
    std::vector<bool> found(index_.size(), false);
    const auto inWord = [](char c) {
      return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
    };
    std::size_t i = 0;
    while (i < text.size()) {
      while (i < text.size() && !inWord(text[i]))
        ++i;
      const std::size_t start = i;
      while (i < text.size() && inWord(text[i]))
        ++i;
      if (const auto it = index_.find(text.substr(start, i - start)); it != index_.end())
        found[it->second] = true;
    }
    return static_cast<int>(std::count(found.begin(), found.end(), false));
  }

private:
  std::unordered_map<std::string_view, std::size_t> index_;
};

struct Tally {
  int tried = 0;
  int refusals = 0; // steps refused with a message
  int rebuilt = 0;  // cases whose index was rebuilt when the log was opened
  int noted = 0;    // cases whose ".MSG" report has the index check's note
};

class IndexDamage : public SessionTest {
protected:
  void SetUp() override {
    SessionTest::SetUp();
    MoveOntoMemoryFiles();
    setup_.contestNumber = kContest;
    params_ = BuildParams(setup_);
    base_ = DataPath(QsoLogName(kContest));
    // The other log, and this one: 490 QSOs, then ten more, then one of them changed.
    FillLog(kOtherContest, 0, kQsos, 7);
    other_ = memory_->FileContents(DataPath(QsoLogName(kOtherContest)) + ".IX");
    FillLog(kContest, 0, kQsos - 10, 0);
    older_ = memory_->FileContents(base_ + ".IX");
    FillLog(kContest, kQsos - 10, kQsos, 0);
    beforeChange_ = memory_->FileContents(base_ + ".IX");
    ChangeOneQso();
    dat_ = memory_->FileContents(base_ + ".DAT");
    ix_ = memory_->FileContents(base_ + ".IX");
    qsos_ = QsosOfDataFile(dat_);
    ASSERT_EQ(qsos_.size(), static_cast<std::size_t>(kQsos));
    dialogs_.defaultAnswer = true;
  }

  void TearDown() override {
    session_.reset();
    SessionTest::TearDown();
  }

  /// The engine and the prefix tables of the fixture, moved onto an in-memory file system
  /// (the fault test writes and renumbers hundreds of logs; the disk would only slow it).
  void MoveOntoMemoryFiles() {
    ClosePrefixTables(tables_);
    ASSERT_EQ(ExitEngine(), 0);
    memory_ = std::make_unique<MemoryFileIo>();
    for (const char* name : {"KXPREFIX", "KXPREFEE", "KXPREFES"}) {
      for (const char* ext : {".DAT", ".IX"}) {
        const std::string path = DataPath(name) + ext;
        memory_->SetFile(path, ReadFileBytes(path));
      }
    }
    ASSERT_EQ(InitEngine(160, 32, memory_.get()), 0);
    tables_ = OpenPrefixTables();
    ASSERT_NE(tables_.main, nullptr);
  }

  /// Adds QSOs first..last-1 of a contest's log. The minutes run in a shuffled order, so
  /// that the log is out of time order and its first closing renumbers it.
  void FillLog(int contest, int first, int last, int callOffset) {
    Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, contest);
    ASSERT_NE(log, nullptr);
    ASSERT_EQ(log->SetFlushAfterChange(false), 0);
    PointContext points;
    points.code = setup_.code;
    points.definition = &params_.definition;
    points.ownDok = setup_.dok;
    points.ownLocator = setup_.locator;
    const char* const doks[] = {"N01", "N02", "O21", "5N", "WN", "G01", "P43", "Z14"};
    for (int i = first; i < last; ++i) {
      ASSERT_EQ(log->ClearBuffer(), 0);
      QsoRecord q(log->RecordBuffer());
      q.SetCall(CallOf(i + callOffset * kQsos));
      q.SetPrefix("DL");
      q.SetContinent("EU");
      const std::string dok = doks[i % 8];
      const std::string locator = "JO" + std::to_string(30 + i % 10) + "AB";
      q.SetFullDok(dok);
      q.SetLocator(locator);
      q.SetDatum(DmyToDay(14, 3, 2026));
      q.SetZeit(12 * 3600 + ((i * 37 + callOffset) % kQsos) * 60);
      q.SetMode("CW");
      q.SetBand(kBand);
      q.SetRSTs("599N01/JO31MX");
      q.SetRSTr("599" + dok + "/" + locator);
      q.SetQSONr(i + 1);
      q.SetBandSerial(i + 1);
      q.SetBandNr(i + 1);
      q.SetModeNr(static_cast<std::uint16_t>(i + 1));
      q.SetNameQTH(";");
      q.SetPunkte(StoredPoints(QsoPoints(q, points)));
      ASSERT_TRUE(AddRecord(*log));
    }
    CloseProgramFile(log);
  }

  /// A call of its own for every number: "DA", three letters, a digit.
  static std::string CallOf(int n) {
    std::string call = "DA";
    call += static_cast<char>('0' + n % 10);
    n /= 10;
    for (int i = 0; i < 3; ++i, n /= 26)
      call += static_cast<char>('A' + n % 26);
    return call;
  }

  /// Changes call and time of QSO 250 behind the index's back of a later damage.
  void ChangeOneQso() {
    Fileblock* log = OpenProgramFile(ProgramFile::kQsoLog, kContest);
    ASSERT_NE(log, nullptr);
    ASSERT_EQ(log->ReadRecord(250), 0);
    QsoRecord q(log->RecordBuffer());
    q.SetCall("DF9CHG");
    q.SetZeit(q.Zeit() + 7);
    ASSERT_EQ(log->Update(), 0);
    CloseProgramFile(log);
  }

  /// Puts the log's files back as they were and damages its index as `damage` says.
  void DamageIndex(Damage damage, std::mt19937& random) {
    for (const std::string& name : memory_->FileNames())
      if (name.rfind(base_, 0) == 0)
        ASSERT_TRUE(memory_->Remove(name).ok()) << name;
    memory_->SetFile(base_ + ".DAT", dat_);
    std::string ix = ix_;
    const std::uint64_t rowLength = RowLength();
    const auto rows = static_cast<std::uint32_t>(ix.size() / rowLength);
    auto pick = [&](std::uint32_t n) {
      return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random);
    };
    switch (damage) {
    case Damage::kRandomBytes: {
      const std::uint32_t n = 1 + pick(16);
      for (std::uint32_t i = 0; i < n; ++i)
        ix[pick(static_cast<std::uint32_t>(ix.size()))] = static_cast<char>(pick(256));
      break;
    }
    case Damage::kSwappedPages:
    case Damage::kZeroedPage: {
      const int key = 1 + static_cast<int>(pick(QsoRecord::kKeys));
      const std::uint64_t slot = SlotOffset(key);
      const std::size_t bytes = static_cast<std::size_t>(PageBytes(key));
      const std::uint64_t p = 1 + pick(rows - 1);
      if (damage == Damage::kZeroedPage) {
        std::memset(ix.data() + p * rowLength + slot, 0, bytes);
      } else {
        std::uint64_t q = 1 + pick(rows - 1);
        if (q == p)
          q = p % (rows - 1) + 1;
        std::swap_ranges(ix.begin() + static_cast<std::ptrdiff_t>(p * rowLength + slot),
                         ix.begin() + static_cast<std::ptrdiff_t>(p * rowLength + slot + bytes),
                         ix.begin() + static_cast<std::ptrdiff_t>(q * rowLength + slot));
      }
      break;
    }
    case Damage::kCutFile:
      ix.resize(pick(static_cast<std::uint32_t>(ix.size())));
      break;
    case Damage::kOlderState:
      ix = older_;
      break;
    case Damage::kBeforeOneChange:
      ix = beforeChange_;
      break;
    case Damage::kOtherLog:
      ix = other_;
      break;
    }
    memory_->SetFile(base_ + ".IX", ix);
    damaged_ = ix;
  }

  static int PageBytes(int key) {
    const FileblockLayout& layout = ProgramFileLayout(ProgramFile::kQsoLog);
    return format::kItemsPerPage * (layout.keys[static_cast<std::size_t>(key - 1)].length + 9) + 6;
  }
  static std::uint64_t SlotOffset(int key) {
    std::uint64_t offset = 0;
    for (int k = 1; k < key; ++k)
      offset += static_cast<std::uint64_t>(PageBytes(k));
    return offset;
  }
  static std::uint64_t RowLength() { return SlotOffset(QsoRecord::kKeys + 1); }

  QsoSet DataFileQsos() { return QsosOfDataFile(memory_->FileContents(base_ + ".DAT")); }

  /// The record number of the QSO with `call`, found in the data file (0: none).
  std::int32_t RecordOf(const std::string& call) {
    const std::string dat = memory_->FileContents(base_ + ".DAT");
    const std::size_t length = QsoRecord::kLength;
    for (std::size_t at = length; at + length <= dat.size(); at += length) {
      if (format::LoadI32(dat.data() + at) == 0 && QsoRecord(dat.data() + at).Call() == call)
        return static_cast<std::int32_t>(at / length);
    }
    return 0;
  }

  /// A message was shown (or, for a storage failure, the error channel holds what the
  /// program's handler shows).
  bool Refused() { return !dialogs_.Informs().empty() || !RecordFileErrors().Entries().empty(); }

  /// After step `step`: the data file holds exactly `expected`.
  void ExpectQsos(const char* step, const QsoSet& expected) {
    const QsoSet now = DataFileQsos();
    if (now != expected) {
      ADD_FAILURE() << step << ": the data file holds " << now.size() << " QSOs, "
                    << expected.size() << " expected";
      ++failures_;
    }
  }

  bool OpenSession() {
    dialogs_.Clear();
    session_ = std::make_unique<QsoSession>(params_, dialogs_, clock_);
    return session_->Open();
  }
  void CloseSession() {
    session_->Close();
    params_.headerRecord = session_->Contest().header;
    params_.extensionRecord = session_->Contest().extension;
    session_.reset();
  }

  /// Changes the QSO with `call` through the edit dialog's form: `field` gets `text`. The
  /// expected QSOs follow when the change was stored; otherwise a message must say why.
  void Change(const std::string& call, EditField field, const std::string& text, QsoSet* expected,
              Tally* tally) {
    const std::int32_t record = RecordOf(call);
    if (record == 0) {
      ADD_FAILURE() << call << " is not in the data file";
      ++failures_;
      return;
    }
    QsoEditForm form;
    ASSERT_TRUE(session_->BeginChange(record, &form));
    form.SetText(field, text);
    dialogs_.Clear();
    if (!session_->ApplyChange(record, form).stored) {
      EXPECT_TRUE(Refused()) << "the change was not stored, without a message";
      ++tally->refusals;
      return;
    }
    const auto it = std::find_if(expected->begin(), expected->end(),
                                 [&](const QsoFacts& q) { return std::get<0>(q) == call; });
    QsoFacts changed = *it;
    if (field == EditField::eCall)
      std::get<0>(changed) = text;
    else
      std::get<2>(changed) = ReadTimeText(text);
    expected->erase(it);
    expected->insert(changed);
  }

  /// One damage and what the operator does with the log afterwards: the log window opens it,
  /// a QSO is deleted (the log is renumbered), one QSO gets another time (its keys move and
  /// the log is out of time order) and, after every second damage, another one another call
  /// (recalculated and renumbered), and the window closes (renumbering the log); and every
  /// output is made. After the other damages the outputs come first, so that they meet the
  /// damaged index themselves.
  void RunCase(Damage damage, unsigned seed, bool print, Tally* tally) {
    SCOPED_TRACE(std::string(Name(damage)) + ", seed " + std::to_string(seed));
    std::mt19937 random(seed);
    params_ = BuildParams(setup_);
    DamageIndex(damage, random);
    QsoSet expected = qsos_;
    ++tally->tried;
    const bool outputsFirst = seed % 2 == 0;
    if (outputsFirst) {
      RunOutputs(expected, print, tally);
      ExpectQsos("outputs", expected);
      CountRebuilt(tally);
    }

    if (!OpenSession()) {
      EXPECT_TRUE(Refused()) << "the log did not open, without a message";
      ++tally->refusals;
      ExpectQsos("refused open", expected);
      session_.reset();
      return;
    }
    ExpectQsos("open", expected);
    if (!outputsFirst)
      CountRebuilt(tally);

    const std::string deletedCall = CallOf(321);
    if (const std::int32_t record = RecordOf(deletedCall); record > 0) {
      dialogs_.Clear();
      if (session_->DeleteQso(record)) {
        expected.erase(std::find_if(expected.begin(), expected.end(), [&](const QsoFacts& q) {
          return std::get<0>(q) == deletedCall;
        }));
      } else {
        EXPECT_TRUE(Refused()) << "the deletion did not happen, without a message";
        ++tally->refusals;
      }
    }
    if (!outputsFirst)
      Change(CallOf(200), EditField::eCall, "DK0NEW", &expected, tally);
    Change(CallOf(123), EditField::ezeit, "11:59", &expected, tally);
    CloseSession();
    // A QSO lost on the way stays lost: this finds it.
    ExpectQsos("deletion, changes and closing", expected);

    if (!outputsFirst) {
      RunOutputs(expected, print, tally);
      ExpectQsos("outputs", expected);
    }
    if (memory_->FileContents(base_ + ".MSG").find("Index check: ") != std::string::npos)
      ++tally->noted;
  }

  /// Counts the damage as rebuilt when the first user of the log changed the index file.
  void CountRebuilt(Tally* tally) {
    if (memory_->FileContents(base_ + ".IX") != damaged_)
      ++tally->rebuilt;
  }

  /// Every output of the menu, as the header window runs it.
  void RunOutputs(const QsoSet& expected, bool print, Tally* tally) {
    const CallFinder calls(expected);
    OutputContest contest;
    contest.contestCode = setup_.code;
    contest.definition = params_.definition;
    contest.header = params_.headerRecord;
    contest.extension = params_.extensionRecord;
    FakePrinter printer;
    OutputServices services;
    services.dialogs = &dialogs_;
    services.printer = &printer;
    services.clock = &clock_;
    const int fileKinds[] = {
        output_kind::kELogCover, output_kind::kELogQsoList,    output_kind::kStfFile,
        output_kind::kAdifFile,  output_kind::kELogBandList,   output_kind::kELogWhole,
        output_kind::kCsvFile,   output_kind::kELogMultiCheck, output_kind::kEdiFile};
    for (const int kind : fileKinds) {
      SCOPED_TRACE("output kind " + std::to_string(kind));
      const std::string path = dir_.file("out" + std::to_string(kind));
      dialogs_.Clear();
      dialogs_.saveAnswers = {path};
      RunOutputKind(kind, contest, services);
      const std::string written = ReadFileBytes(path);
      const bool done = dialogs_.LastMessage() == FileCreatedMessage(path) ||
                        (kind == output_kind::kELogCover && dialogs_.Informs().size() == 1);
      if (!done) {
        // Refused: a message says so and no file with QSOs missing is left.
        EXPECT_EQ(dialogs_.LastMessage(), FileIncompleteMessage(path));
        EXPECT_TRUE(written.empty());
        ++tally->refusals;
        continue;
      }
      const bool listsEveryQso =
          kind != output_kind::kELogCover && kind != output_kind::kELogMultiCheck;
      if (const int missing = listsEveryQso ? calls.Missing(written) : 0; missing != 0) {
        ADD_FAILURE() << missing << " QSOs missing from an output said to be written";
        ++failures_;
      }
      std::remove(path.c_str());
    }
    // The printed kinds walk the log like the files; they are printed after one damage of
    // each kind in seven.
    if (!print)
      return;
    for (const int kind : {output_kind::kPaperCover, output_kind::kPaperMultiCheck,
                           output_kind::kPaperBandList, output_kind::kPaperQsoList}) {
      SCOPED_TRACE("printed kind " + std::to_string(kind));
      dialogs_.Clear();
      printer.canvas.texts.clear();
      RunOutputKind(kind, contest, services);
      if (dialogs_.LastMessage() == PrintIncompleteMessage()) {
        ++tally->refusals;
        continue;
      }
      EXPECT_TRUE(dialogs_.Informs().empty());
      if (kind == output_kind::kPaperBandList || kind == output_kind::kPaperQsoList) {
        std::string drawn;
        for (const RecordingCanvas::Text& t : printer.canvas.texts)
          drawn += t.text + "\n";
        if (const int missing = calls.Missing(drawn); missing != 0) {
          ADD_FAILURE() << missing << " QSOs missing from a printout";
          ++failures_;
        }
      }
    }
  }

  std::unique_ptr<MemoryFileIo> memory_;
  std::string base_;
  std::string dat_, ix_, older_, beforeChange_, other_;
  std::string damaged_; // the index file as the damage left it
  QsoSet qsos_;
  int failures_ = 0;
};

TEST_F(IndexDamage, NoQsoIsLostWhateverHappenedToTheIndex) {
  std::map<Damage, Tally> tallies;
  unsigned seed = kSeedBase;
  for (int round = 0; round < kCasesPerKind && failures_ < 5; ++round) {
    for (const Damage damage : kDamages) {
      RunCase(damage, seed, round % 7 == static_cast<int>(damage), &tallies[damage]);
      ++seed;
    }
  }
  int tried = 0;
  for (const auto& [damage, tally] : tallies) {
    std::printf("  %-27s %3d damages, %3d rebuilt at the first use (%3d noted by the check), %d "
                "steps refused\n",
                Name(damage), tally.tried, tally.rebuilt, tally.noted, tally.refusals);
    tried += tally.tried;
  }
  std::printf("  %d damages of the index of a %d-QSO log\n", tried, kQsos);
  EXPECT_GE(tried, 200);
}

} // namespace
} // namespace tarvik::test
