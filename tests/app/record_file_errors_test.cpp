// The storage error handler: start-up, the question callback, the exit report with its
// message and IFD.ERR lines, the index deletion after a short read, and the halt-on-error
// switch, driven through a scripted UserDialogs.

#include <gtest/gtest.h>

#include <fstream>

#include "app/record_file_errors.h"
#include "base/process_settings.h"
#include "datafiles/program_files.h"
#include "datafiles/qso_record.h"
#include "recordfile/engine.h"
#include "recordfile/error_channel.h"
#include "recordfile/file_io.h"
#include "recordfile/format.h"
#include "recordfile/memory_file_io.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

class RecordFileErrorsTest : public ::testing::Test {
protected:
  void SetUp() override {
    clock_.now = {2026, 3, 14, 9, 5, 0, 0};
    RecordFileErrors().SetWaitFunction([](int) {});
    SetRecordFilesHaltAction([this] { ++halts_; });
    ASSERT_TRUE(StartRecordFiles(dialogs_, clock_));
  }
  void TearDown() override {
    DetachRecordFileHandler();
    while (!opened_.empty()) {
      CloseProgramFile(opened_.back());
      opened_.pop_back();
    }
    StopRecordFiles();
    RecordFileErrors().SetWaitFunction(nullptr);
    SetLanguageFlag(1);
  }
  Fileblock* Open(ProgramFile file, int contest = 0) {
    Fileblock* fb = OpenProgramFile(file, contest);
    EXPECT_NE(fb, nullptr);
    opened_.push_back(fb);
    return fb;
  }
  /// A QSO log with three QSOs, its files flushed.
  Fileblock* LogWithQsos(int contest) {
    Fileblock* log = Open(ProgramFile::kQsoLog, contest);
    for (int n = 1; n <= 3; ++n) {
      EXPECT_EQ(log->ClearBuffer(), 0);
      QsoRecord q(log->RecordBuffer());
      q.SetCall("DL" + std::to_string(n) + "AA");
      q.SetQSONr(n);
      EXPECT_TRUE(AddRecord(*log));
    }
    return log;
  }
  std::string Dump() const { return ReadFileBytes(dir_.file("IFD.ERR")); }

  TempDataDir dir_;
  FakeClock clock_;
  FakeDialogs dialogs_;
  std::vector<Fileblock*> opened_;
  int halts_ = 0;
};

TEST_F(RecordFileErrorsTest, StartSetsTheDumpFileAndReportsAFailedStart) {
  EXPECT_EQ(RecordFileErrors().DumpFileName(), "IFD.ERR");
  // A second start fails in InitEngine: the message, no halt.
  EXPECT_FALSE(StartRecordFiles(dialogs_, clock_));
  EXPECT_EQ(dialogs_.Informs(),
            std::vector<std::string>{"Dateiverwaltung konnte nicht initialisiert werden"});
  EXPECT_EQ(RecordFileErrors().DumpFileName(), "RK.ERR");
  SetLanguageFlag(0);
  EXPECT_FALSE(StartRecordFiles(dialogs_, clock_));
  EXPECT_EQ(dialogs_.LastMessage(), "Error initializising file manager");
  EXPECT_EQ(halts_, 0);
}

TEST_F(RecordFileErrorsTest, QuestionTexts) {
  const std::tuple<int, const char*, const char*> reasons[] = {
      {1, " Record oder Datei gelockt. Noch einmal versuchen? ",
       " Record or file locked. Retry ? "},
      {2, " LockRec gescheitert. Noch einmal versuchen? ", " LockRec failed. Retry ? "},
      {3, " LockFileBlock gescheitert. Noch einmal versuchen? ", " LockFileBlock failed. Retry ? "},
      {4, " Satz bereits gelöscht. Neuanlegen? ", " Record already deleted. New add ? "},
      {7, " Laufwerk nicht bereit. Noch einmal versuchen? ", " Drive not ready. Retry ? "},
      {8, " undefinierter Fehler. Noch einmal versuchen? ", " undefined Error. Retry ? "},
      {99, " undefinierter Fehler. Noch einmal versuchen? ", " undefined Error. Retry ? "}};
  for (const auto& [reason, german, english] : reasons) {
    SetLanguageFlag(1);
    EXPECT_EQ(RecordFileQuestionText("KXKK", reason), std::string("KXKK: ") + german);
    SetLanguageFlag(0);
    EXPECT_EQ(RecordFileQuestionText("KXKK", reason), std::string("KXKK: ") + english);
  }
  EXPECT_EQ(RecordFileQuestionText(std::string(50, 'N'), 1).substr(0, 42),
            std::string(40, 'N') + ": ");
}

TEST_F(RecordFileErrorsTest, RebuildAndCreateAreAnsweredWithoutAskingOthersAreAsked) {
  const QuestionCallback& ask = RecordFileErrors().Question();
  ASSERT_TRUE(ask);
  EXPECT_TRUE(ask("KXKK", kReasonIndexDamaged));
  EXPECT_TRUE(ask("KXKK", kReasonFileMissing));
  EXPECT_TRUE(dialogs_.events.empty());
  dialogs_.confirmAnswers = {false, true};
  EXPECT_FALSE(ask("KXLK0001", kReasonLocked));
  EXPECT_TRUE(ask("KXLK0001", kReasonRecordDeleted));
  EXPECT_EQ(
      dialogs_.Questions(),
      (std::vector<std::string>{"KXLK0001:  Record oder Datei gelockt. Noch einmal versuchen? ",
                                "KXLK0001:  Satz bereits gelöscht. Neuanlegen? "}));
}

TEST_F(RecordFileErrorsTest, AnsweringNoToARetryFailsWithSeverityTwoAndTheProgramGoesOn) {
  // A fileblock in a directory that does not exist: creating it fails with 9900, a
  // device error that is retried after asking at once.
  FileblockParams params;
  params.name = "KXTEST";
  params.fileName = "missing/KXTEST";
  params.recordLength = 40;
  Fileblock* fb = CreateFileblock(params);
  ASSERT_NE(fb, nullptr);
  dialogs_.confirmAnswers = {false};
  EXPECT_EQ(fb->EnsureOpen(), 2);
  EXPECT_EQ(dialogs_.Questions(),
            std::vector<std::string>{"KXTEST:  undefinierter Fehler. Noch einmal versuchen? "});
  EXPECT_TRUE(dialogs_.Informs().empty());
  EXPECT_EQ(halts_, 0);
  EXPECT_EQ(Dump(), "");
  (void)DestroyFileblock(fb); // the files were never opened
}

TEST_F(RecordFileErrorsTest, ErrorNumbersFromHex3000OnAreReducedToTwelveBits) {
  EXPECT_EQ(ReducedErrorNumber(24653), 77);
  EXPECT_EQ(ReducedErrorNumber(0x3000), 0);
  EXPECT_EQ(ReducedErrorNumber(12287), 12287);
  EXPECT_EQ(ReducedErrorNumber(10070), 10070);
  EXPECT_EQ(ReducedErrorNumber(28770), 98);
}

TEST_F(RecordFileErrorsTest, MessagesByErrorNumber) {
  EXPECT_EQ(RecordFileErrorMessage(77),
            "Fehlercode:       77\rDas Programm wird abgebrochen. \r\r\r\r");
  EXPECT_EQ(RecordFileErrorMessage(10140),
            "Datenbankzugriff verweigert!\rDas Programm wird abgebrochen. \r"
            "Mögl.Ursachen: Programmpfad zu lang (>50) o.Schreibschutz auf Datei "
            "o.and.Quenzo-Progr.aktiv.\r"
            "Mögl.Behebung: Progr.in Ordner \"Programme\" install. o.Schreibschutz auf Dateien des "
            "Programms entfernen o.and.Quenzo-Progr.beenden!\r\r");
  EXPECT_EQ(RecordFileErrorMessage(10465),
            "Fehlercode:    10465\rDas Programm wird abgebrochen. \r"
            "Mögliche Fehlerursache: Reorg. fehlgeschlagen.\r"
            "Mögliche Fehlerbehebung: Tritt gleicher Fehler\r"
            "nach Neustart wieder auf: Benennen Sie .SAV-\rDateien in .DAT-Dateien um.");
  SetLanguageFlag(0);
  EXPECT_EQ(RecordFileErrorMessage(10140),
            "No data access!\rThe program will be cancled. \rPossible error cause: Ostrel always "
            "activ.\rPossible error correction: Cancel Ostrel\r\r");
  EXPECT_EQ(RecordFileErrorMessage(91),
            "errorcode:       91\rThe program will be cancled. \rPossible error cause: not enough "
            "filehandle\rPossible error correction:Increase FILES in \rthe file CONFIG.SYS to "
            "100.\r");
  EXPECT_EQ(RecordFileErrorMessage(10075),
            "errorcode:    10075\rThe program will be cancled. \rPossible error cause: Not enough "
            "disk space.\rPossible error correction: Increase free space\ron hard disk.\r");
  EXPECT_EQ(RecordFileErrorMessage(10070),
            "errorcode:    10070\rThe program will be cancled. \rPossible error cause: incorrect "
            "index file.\rPossible error correction: Restart the program.\rIf error continues: "
            "Inform the hotline.\r");
}

TEST_F(RecordFileErrorsTest, AFatalErrorIsShownReportedAndEndsTheProgram) {
  Fileblock* kk = Open(ProgramFile::kContestHeaders);
  Fileblock* kz = Open(ProgramFile::kContestExtensions);
  ASSERT_EQ(kk->EnsureOpen(), 0);
  // An operation on KXKK that failed with 24653 while it touched KXKZ as well.
  ErrorChannel& ch = RecordFileErrors();
  ch.BeginOperation(16398, kk);
  ch.Record({.code = 24653, .operation = 16398, .fileblock = kz});
  ch.Record({.code = 10230, .operation = 16398, .fileblock = kk});
  ch.EndOperation();
  EXPECT_EQ(halts_, 1);
  EXPECT_EQ(
      dialogs_.Informs(),
      std::vector<std::string>{"Fehlercode:       77\rDas Programm wird abgebrochen. \r\r\r\r"});
  EXPECT_EQ(Dump(), "\r\n"
                    "*->  14/03/2026  09:05\r\n"
                    "     InitialFileblock  KXKK\r\n"
                    "     Fileblock  KXKZ\r\n"
                    "     - Err: 77\r\n"
                    "     Fileblock  KXKK\r\n"
                    "     - Err: 10230\r\n");
  EXPECT_FALSE(kk->IsOpen()); // everything is closed
  // A second report is appended.
  clock_.now.minute = 6;
  ch.BeginOperation(16392, kk);
  ch.Record({.code = 10075, .operation = 16392});
  ch.EndOperation();
  EXPECT_EQ(halts_, 2);
  EXPECT_TRUE(Dump().ends_with("\r\n*->  14/03/2026  09:06\r\n     - Err: 10075\r\n"));
}

TEST_F(RecordFileErrorsTest, ACleanEndShowsAndWritesNothing) {
  Fileblock* kk = Open(ProgramFile::kContestHeaders);
  ASSERT_EQ(kk->EnsureOpen(), 0);
  RunRecordFilesExitReport();
  EXPECT_TRUE(dialogs_.events.empty());
  EXPECT_FALSE(std::ifstream(dir_.file("IFD.ERR")).good());
  // Severity 1 and 2 end nothing either.
  ASSERT_EQ(kk->FindKey(3, "nothing"), 1);
  RunRecordFilesExitReport();
  EXPECT_TRUE(dialogs_.events.empty());
  EXPECT_EQ(halts_, 0);
}

TEST_F(RecordFileErrorsTest, AShortReadDeletesTheIndexOfItsFileblockWhichTheNextStartRebuilds) {
  Fileblock* log = LogWithQsos(1);
  Fileblock* kk = Open(ProgramFile::kContestHeaders);
  ASSERT_EQ(kk->EnsureOpen(), 0);
  const std::string ix = dir_.file("KXLK0001.IX");
  ASSERT_TRUE(std::ifstream(ix).good());
  // Reading a record beyond the end of the data file is a short read (10070).
  EXPECT_EQ(log->ReadRecord(99), 4);
  EXPECT_EQ(halts_, 1);
  ASSERT_EQ(dialogs_.Informs().size(), 1u);
  EXPECT_EQ(dialogs_.Informs()[0], "Fehlercode:    10070\rDas Programm wird abgebrochen. \r"
                                   "Mögliche Fehlerursache: Indexdatei defekt.\r"
                                   "Mögliche Fehlerbehebung: Tritt dieser Fehler nach\r"
                                   "Neustart wieder auf: Informieren Sie die Hotline.\r");
  EXPECT_EQ(Dump(),
            "\r\n*->  14/03/2026  09:05\r\n     Fileblock  KXLK0001\r\n     - Err: 10070\r\n");
  EXPECT_FALSE(std::ifstream(ix).good());
  EXPECT_TRUE(std::ifstream(dir_.file("KXKK.IX")).good());
  const std::string dat = ReadFileBytes(dir_.file("KXLK0001.DAT"));
  ASSERT_GT(dat.size(), 20u);
  EXPECT_EQ(dat[format::kHdrInUse], 1); // not marked clean

  // Next start: the log opens without a question, its index rebuilt.
  DetachRecordFileHandler();
  while (!opened_.empty()) {
    CloseProgramFile(opened_.back());
    opened_.pop_back();
  }
  StopRecordFiles();
  dialogs_.Clear();
  SetRecordFilesHaltAction([this] { ++halts_; });
  ASSERT_TRUE(StartRecordFiles(dialogs_, clock_));
  Fileblock* again = Open(ProgramFile::kQsoLog, 1);
  std::vector<int> numbers;
  for (int s = again->FirstKey(13); s == 0; s = again->NextKey(13))
    numbers.push_back(QsoRecord(again->RecordBuffer()).QSONr());
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(dialogs_.events.empty());
  EXPECT_TRUE(std::ifstream(ix).good());
}

TEST_F(RecordFileErrorsTest, TheIndexDeletedIsTheOneOfTheShortReadNotOfTheFirstEntry) {
  Fileblock* a = LogWithQsos(1);
  Fileblock* b = LogWithQsos(2);
  ErrorChannel& ch = RecordFileErrors();
  ch.BeginOperation(16392, a);
  ch.Record({.code = 9900, .operation = 16392, .fileblock = a}); // class 2 first
  ch.Record({.code = 10070, .operation = 16392, .fileblock = b});
  ch.EndOperation();
  EXPECT_EQ(halts_, 1);
  EXPECT_TRUE(std::ifstream(dir_.file("KXLK0001.IX")).good());
  EXPECT_FALSE(std::ifstream(dir_.file("KXLK0002.IX")).good());
}

TEST_F(RecordFileErrorsTest, FileblocksThatFailedAreNotMarkedCleanOthersAreClosedNormally) {
  // Call book and call list are not flushed after each change.
  Fileblock* book = Open(ProgramFile::kCallBook);
  Fileblock* list = Open(ProgramFile::kCallList);
  for (Fileblock* fb : {book, list}) {
    ASSERT_EQ(fb->ClearBuffer(), 0);
    RecordView(fb->RecordBuffer(), 20).SetStrAt(4, 10, "DL1ABC");
    ASSERT_TRUE(AddRecord(*fb));
  }
  ErrorChannel& ch = RecordFileErrors();
  ch.BeginOperation(16391, book);
  ch.Record({.code = 24642, .operation = 16391, .fileblock = book}); // undo failed
  ch.EndOperation();
  EXPECT_EQ(halts_, 1);
  EXPECT_EQ(ReadFileBytes(dir_.file("KXCBUCH.DAT"))[format::kHdrInUse], 1);
  EXPECT_EQ(ReadFileBytes(dir_.file("KXCALL.DAT"))[format::kHdrInUse], 0);
  EXPECT_FALSE(book->IsOpen());
  EXPECT_FALSE(list->IsOpen());
}

TEST_F(RecordFileErrorsTest, AnErrorAtTheEngineLevelEndsTheProgramToo) {
  // Stopping the engine while a fileblock object exists is a misuse (28724).
  Fileblock* kk = Open(ProgramFile::kContestHeaders);
  (void)kk;
  StopRecordFiles();
  EXPECT_EQ(halts_, 1);
  EXPECT_EQ(
      dialogs_.Informs(),
      std::vector<std::string>{"Fehlercode:       52\rDas Programm wird abgebrochen. \r\r\r\r"});
}

TEST_F(RecordFileErrorsTest, TheMessageNamesTheRealCauseFromTheOsError) {
  // A file locked by another program (which ignored the data directory's lock).
  LogWithQsos(2);
  CloseProgramFile(opened_.back());
  opened_.pop_back();
  std::unique_ptr<File> locked;
  ASSERT_TRUE(PosixFileIo()
                  .Open(dir_.file("KXLK0002.DAT"), FileIo::Mode::kReadWrite,
                        FileIo::Lock::kExclusive, &locked)
                  .ok());
  EXPECT_EQ(Open(ProgramFile::kQsoLog, 2)->EnsureOpen(), 4);
  ASSERT_EQ(dialogs_.Informs().size(), 1u);
  EXPECT_EQ(dialogs_.Informs()[0], RecordFileErrorMessage(10140) +
                                       "\rUrsache: KXLK0002: Die Datei wird von einem anderen "
                                       "Programm benutzt.");
  EXPECT_NE(Dump().find("     - Err: 10140\r\n     - OS: 11 open: in use by another program\r\n"),
            std::string::npos)
      << Dump();
  locked.reset();

  // A full disk, when a QSO is written and when it is synced; in English too.
  for (const bool atSync : {false, true}) {
    DetachRecordFileHandler();
    while (!opened_.empty()) {
      CloseProgramFile(opened_.back());
      opened_.pop_back();
    }
    StopRecordFiles();
    dialogs_.Clear();
    SetRecordFilesHaltAction([this] { ++halts_; });
    SetLanguageFlag(atSync ? 0 : 1);
    MemoryFileIo memory;
    ASSERT_TRUE(StartRecordFiles(dialogs_, clock_, &memory));
    Fileblock* log = Open(ProgramFile::kQsoLog, 3);
    ASSERT_EQ(log->EnsureOpen(), 0);
    if (atSync)
      memory.FailSyncsAfter(0, ENOSPC);
    else
      memory.FailWritesAfter(0, ENOSPC);
    ASSERT_EQ(log->ClearBuffer(), 0);
    QsoRecord(log->RecordBuffer()).SetCall("DL1AA");
    EXPECT_FALSE(AddRecord(*log));
    ASSERT_EQ(dialogs_.Informs().size(), 1u);
    EXPECT_EQ(dialogs_.Informs()[0],
              atSync ? RecordFileErrorMessage(10150) + "\rCause: KXLK0003: The disk is full."
                     : RecordFileErrorMessage(10075) +
                           "\rUrsache: KXLK0003: Der Datenträger ist voll.");
    // With writes failing the report cannot be written either; a failing sync leaves it.
    if (atSync) {
      const std::string dump = memory.FileContents(dir_.file("IFD.ERR"));
      EXPECT_NE(dump.find("     - Err: 10150\r\n     - OS: 28 flush: the disk is full\r\n"),
                std::string::npos)
          << dump;
    }
    SetLanguageFlag(1);
  }
}

} // namespace
} // namespace tarvik::test
