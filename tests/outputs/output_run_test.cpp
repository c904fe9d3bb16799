// The output run: the messages and the save dialog of every file kind in their order, the
// proposed file name, cancelling, a file that cannot be created, the done message, the file
// editor afterwards, the ADIF question, the participant dialog of the EDI file, the print
// dialog of every printed kind, and a print job that cannot be completed.

#include <gtest/gtest.h>

#include <filesystem>

#include "output_fixture.h"
#include "outputs/adif_export.h"
#include "outputs/output_kinds.h"
#include "recordfile/memory_file_io.h"
#include "recording_canvas.h"
#include "support/call_fault_file_io.h"

namespace tarvik::test {
namespace {

using Kind = FakeDialogs::Kind;

class OutputRun : public OutputTest {
protected:
  void Run(int kind, FileIo* files = nullptr) {
    OutputServices services{
        &dialogs_, &printer_, [this](const std::string& path) { shown_.push_back(path); },
        &clock_,   {},        files};
    services.editParticipant = [this](ParticipantData& p) {
      edited_.push_back(p);
      p.rname = "Changed Name";
    };
    RunOutputKind(kind, contest_, services);
  }

  std::vector<ParticipantData> edited_;

  FakePrinter printer_;
  std::vector<std::string> shown_;
};

TEST_F(OutputRun, FileKinds) {
  struct Case {
    int kind;
    const char* words;
    const char* filter;
    const char* extension;
    const char* ending;
    bool done;
    bool editor;
  };
  const Case cases[] = {
      {7, "E-Log - Deckblattdatei ", "E-Log Deckblatt (*.SUM)|", "SUM", ".SUM", false, true},
      {8, "E-Log - Listendatei ", "E-Log Liste (*.ALL)|", "ALL", ".ALL", true, true},
      {9, "STF - Listendatei ", "STF-Liste (*.STF)|", "STF", ".STF", true, true},
      {10, "ADIF - Listendatei ", "ADIF-Liste (*.ADI)|", "ADI", ".ADI", true, false},
      {12, "E-Log - Bandlistendatei ", "E-Log Bandliste (*.BND)|", "BND", ".BND", true, true},
      {13, "E-Log - Gesamtdatei ", "E-Log Gesamtdatei (*.TXT)|", "TXT", ".TXT", true, false},
      {14, "CSV - Listendatei ", "CSV-Liste (*.CSV)|", "CSV", ".CSV", true, false},
      {15, "E-Log - Multi-Checkliste ", "E-Log Multicheckliste (*.txt)|", "txt", "-multi.txt", true,
       false},
      {16, "EDI - Datei ", "EDI-Datei (*.EDI)|", "EDI", ".EDI", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    MakeCode2Log();
    dialogs_.Clear();
    shown_.clear();
    edited_.clear();
    const std::string path = dir_.file("kind" + std::to_string(c.kind));
    dialogs_.saveAnswers = {path};
    Run(c.kind);
    const auto& e = dialogs_.events;
    ASSERT_GE(e.size(), 2U);
    EXPECT_EQ(e[0].kind, Kind::Inform);
    EXPECT_EQ(e[0].text, std::string("Geben Sie im folgenden Dialog an, wohin die ") + c.words +
                             "DL1XYZ_P" + c.ending + " gespeichert werden soll.");
    ASSERT_EQ(e[1].kind, Kind::SaveFile);
    EXPECT_EQ(e[1].file.filter, std::string(c.filter) + "DL1XYZ_P" + c.ending);
    EXPECT_EQ(e[1].file.defaultExtension, c.extension);
    EXPECT_EQ(e[1].file.proposedName, std::string("DL1XYZ_P") + c.ending);
    std::size_t next = 2;
    if (c.kind == output_kind::kAdifFile) {
      ASSERT_EQ(e[2].kind, Kind::Confirm);
      EXPECT_EQ(e[2].text, "Von der Kontrollnummer nur RS(T) exportieren?");
      next = 3;
    }
    if (c.done) {
      ASSERT_EQ(e.size(), next + 1);
      EXPECT_EQ(e[next].text, "Datei " + path + " wurde erstellt.");
    } else {
      EXPECT_EQ(e.size(), next);
    }
    const std::string written = ReadFileBytes(path);
    EXPECT_FALSE(written.empty());
    EXPECT_EQ(shown_, c.editor ? std::vector<std::string>{path} : std::vector<std::string>{});
    // Only the EDI file asks for the participant's data; what the dialog leaves is written.
    EXPECT_EQ(edited_.size(), c.kind == output_kind::kEdiFile ? 1U : 0U);
    if (c.kind == output_kind::kEdiFile) {
      EXPECT_EQ(edited_[0].rname, "Erika Muster");
      EXPECT_NE(written.find("\r\nRName=Changed Name\r\n"), std::string::npos);
    }
    CloseProgramFile(log_);
    log_ = nullptr;
  }
}

TEST_F(OutputRun, ProposedNames) {
  EXPECT_EQ(ProposedFileName(9, "DL1ABC/P", "A: KW.QRO"), "DL1ABC_P-A KW-QRO.STF");
  EXPECT_EQ(ProposedFileName(9, "DL1ABC/P", ""), "DL1ABC_P.STF");
  EXPECT_EQ(ProposedFileName(15, "DL1ABC", "B/C\\D,E"), "DL1ABC-B_C_D_E-multi.txt");
  EXPECT_EQ(SaveLocationMessage(15, "DL1ABC/P"),
            "Geben Sie im folgenden Dialog an, wohin die E-Log - Multi-Checkliste "
            "DL1ABC_P-multi.txt gespeichert werden soll.");
  EXPECT_EQ(SaveDialogFilter(15, "DL1ABC/P"), "E-Log Multicheckliste (*.txt)|DL1ABC_P-multi.txt");
  // A chosen category with a short name is part of the proposal, not of the message.
  MakeContest('J', 1);
  dialogs_.saveAnswers = {std::nullopt};
  Run(output_kind::kStfFile);
  ASSERT_EQ(dialogs_.events.size(), 2U);
  EXPECT_EQ(dialogs_.events[1].file.proposedName, "DL1XYZ_P-single op.STF");
  EXPECT_NE(dialogs_.events[0].text.find(" DL1XYZ_P.STF "), std::string::npos);
}

TEST_F(OutputRun, CancelledOrUncreatableFile) {
  MakeCode2Log();
  dialogs_.saveAnswers = {std::nullopt};
  Run(output_kind::kStfFile);
  EXPECT_EQ(dialogs_.events.size(), 2U); // the message and the dialog, nothing after
  EXPECT_TRUE(shown_.empty());

  dialogs_.Clear();
  const std::string path = dir_.file("no-such-folder/DL1XYZ_P.STF");
  dialogs_.saveAnswers = {path};
  Run(output_kind::kStfFile);
  EXPECT_EQ(dialogs_.LastMessage(), "Die Datei " + path +
                                        " konnte nicht erstellt werden. Die Datei oder das "
                                        "Verzeichnis existiert nicht.");
  EXPECT_EQ(dialogs_.events.size(), 3U);
  EXPECT_TRUE(shown_.empty());
}

// A file that cannot be written to its end (a full disk) is never announced as written,
// and the editor does not show it.
TEST_F(OutputRun, WriteFailureIsNotReportedAsSuccess) {
  if (!std::filesystem::exists("/dev/full"))
    GTEST_SKIP() << "no /dev/full to fill";
  MakeCode2Log();
  dialogs_.saveAnswers = {"/dev/full"};
  Run(output_kind::kStfFile);
  EXPECT_EQ(dialogs_.LastMessage(),
            "Die Datei /dev/full konnte nicht erstellt werden. Der Datenträger ist voll.");
  EXPECT_EQ(dialogs_.events.size(), 3U);
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(WriteOutputFile(output_kind::kCsvFile, contest_, "/dev/full", {}, clock_),
            OutputFileStatus::kWriteFailed);
}

// A full disk while the STF file is written: the message names the cause, nothing is
// announced as written or shown, and the file written before stays as it was. Any other
// failing file call of the write ends the same way, or with the complete new file.
TEST_F(OutputRun, FailedWriteKeepsTheOldFileAndSaysWhy) {
  MakeCode2Log();
  const std::string path = "/out/DL1XYZ_P.STF";
  const std::string old = "the STF file of yesterday\r\n";
  MemoryFileIo memory;
  memory.SetFile(path, old);
  memory.FailWritesAfter(0, ENOSPC);
  dialogs_.saveAnswers = {path};
  Run(output_kind::kStfFile, &memory);
  EXPECT_EQ(dialogs_.LastMessage(),
            "Die Datei /out/DL1XYZ_P.STF konnte nicht erstellt werden. Der Datenträger ist voll.");
  for (const std::string& message : dialogs_.Informs())
    EXPECT_EQ(message.find("wurde erstellt"), std::string::npos) << message;
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(memory.FileContents(path), old);
  EXPECT_EQ(memory.FileNames(), std::vector<std::string>{path});

  memory.FailWritesAfter(-1);
  CallFaultFileIo io(memory);
  for (long n = 1;; ++n) {
    SCOPED_TRACE("failing call " + std::to_string(n));
    memory.SetFile(path, old);
    io.FailAt(n, CallFaultFileIo::Fault::kOnce, EACCES);
    FileWriteResult result;
    const OutputFileStatus status =
        WriteOutputFile(output_kind::kStfFile, contest_, path, {}, clock_, {}, &io, &result);
    if (!io.reached()) {
      EXPECT_EQ(status, OutputFileStatus::kWritten);
      break;
    }
    if (status == OutputFileStatus::kWritten) {
      EXPECT_EQ(result.osError(), 0);
      EXPECT_NE(memory.FileContents(path).find("DL1ABC"), std::string::npos);
    } else {
      EXPECT_TRUE(status == OutputFileStatus::kNotCreated ||
                  status == OutputFileStatus::kWriteFailed);
      EXPECT_EQ(result.osError(), EACCES);
      // Only a failed directory sync comes after the new file took the old one's place.
      EXPECT_EQ(memory.FileContents(path) == old, !result.replaced());
    }
    EXPECT_EQ(memory.FileNames(), std::vector<std::string>{path});
  }
}

TEST_F(OutputRun, FileNameInMessagesIsWindows1252) {
  MakeCode2Log();
  const std::string utf8 = dir_.file("Pr\xC3\xBC"
                                     "fung.CSV");
  dialogs_.saveAnswers = {utf8};
  Run(output_kind::kCsvFile);
  EXPECT_EQ(dialogs_.LastMessage(), "Datei " + dir_.file("Prüfung.CSV") + " wurde erstellt.");
  EXPECT_FALSE(ReadFileBytes(utf8).empty());
}

TEST_F(OutputRun, AdifQuestionNotAskedForCodeA) {
  MakeContest('A');
  Add({.call = "DL1ABC",
       .datum = Mar(14),
       .zeit = At(9, 0),
       .band = 'b',
       .mode = "CW",
       .rsts = "599",
       .rstr = "599NW",
       .punkte = 1});
  const std::string path = dir_.file("a.adi");
  dialogs_.saveAnswers = {path};
  Run(output_kind::kAdifFile);
  EXPECT_TRUE(dialogs_.Questions().empty());
  EXPECT_NE(ReadFileBytes(path).find("<RST_RCVD:3>599 <SRX:2>NW <LDK:2>NW "), std::string::npos);
}

TEST_F(OutputRun, PrintDialog) {
  MakeCode2Log();
  printer_.cancel = true;
  Run(output_kind::kPaperQsoList);
  EXPECT_EQ(printer_.titles.size(), 1U);
  EXPECT_TRUE(printer_.canvas.texts.empty());
  EXPECT_TRUE(dialogs_.events.empty());

  printer_.cancel = false;
  Run(output_kind::kPaperQsoList);
  EXPECT_EQ(printer_.finished, 1);
  ASSERT_FALSE(printer_.canvas.texts.empty());
  EXPECT_TRUE(printer_.canvas.texts.back().text.ends_with("    110 Punkte"));
  EXPECT_FALSE(printer_.canvas.texts.back().bold);
  EXPECT_TRUE(dialogs_.events.empty());

  // A job that cannot be completed has not printed: the person is told so.
  printer_.finishFails = true;
  Run(output_kind::kPaperQsoList);
  EXPECT_EQ(printer_.finished, 2);
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{PrintJobNotFinishedMessage()});
  printer_.finishFails = false;
  dialogs_.Clear();

  // Category 4 prints the list in 8 points.
  MakeContest('5', 4);
  printer_.canvas.texts.clear();
  Run(output_kind::kPaperQsoList);
  ASSERT_FALSE(printer_.canvas.texts.empty());
  EXPECT_EQ(printer_.canvas.texts.front().points, 8);
}

// Every printed kind goes through the print dialog and prints in its font; the cover sheet
// is one page, the lists start with their bold page header.
TEST_F(OutputRun, PrintedKinds) {
  MakeCode2Log();
  struct Case {
    int kind;
    int points;
    const char* first;
  };
  const Case cases[] = {
      {output_kind::kPaperCover, 9, " "},
      {output_kind::kPaperMultiCheck, 10, "ZELKA Multiplier Check List   DL1XYZ/P"},
      {output_kind::kPaperBandList, 9, "ZELKA  Band List   DL1XYZ/P"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    printer_.canvas.texts.clear();
    printer_.titles.clear();
    dialogs_.Clear();
    Run(c.kind);
    ASSERT_EQ(printer_.titles.size(), 1U);
    EXPECT_TRUE(dialogs_.events.empty());
    ASSERT_FALSE(printer_.canvas.texts.empty());
    EXPECT_TRUE(printer_.canvas.texts.front().text.starts_with(c.first));
    EXPECT_EQ(printer_.canvas.texts.front().points, c.points);
    EXPECT_EQ(printer_.canvas.texts.back().page, 1);
  }
  // Without a printer a printed kind says so.
  dialogs_.Clear();
  OutputServices services{&dialogs_, nullptr, {}, &clock_, {}};
  RunOutputKind(output_kind::kPaperCover, contest_, services);
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{NoPrinterMessage()});
  // Numbers that are no output kind do nothing at all.
  dialogs_.Clear();
  Run(2);
  Run(18);
  EXPECT_TRUE(dialogs_.events.empty());
}

} // namespace
} // namespace tarvik::test
