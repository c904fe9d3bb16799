// The contest note: its file name, the stamp line and the stamps of several openings,
// newest first, and a note that cannot be written.

#include <gtest/gtest.h>

#include <filesystem>

#include "outputs/contest_note.h"
#include "outputs/text_files.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

TEST(ContestNote, FileNameKeepsBlanksSignsDigitsAndLetters) {
  const struct {
    const char* name;
    const char* file;
  } cases[] = {
      {"Test 2009/1: A.B", "Test 20091 AB.TXT"},
      {"Fieldday +-_ 2m", "Fieldday +-_ 2m.TXT"},
      {"Pokal (Ä/ö) #3", "Pokal  3.TXT"},
      {"../../etc/passwd", "etcpasswd.TXT"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ContestNoteFileName(c.name), c.file) << c.name;
}

TEST(ContestNote, StampLineIsThirtyCharacters) {
  const DayNumber day = DmyToDay(14, 3, 2026);
  const TimeOfDay time = HmsToTime(9, 5, 33);
  EXPECT_EQ(ContestNoteStamp(day, time, "DL1ABC"), "14.03.2026 09:05 DL1ABC     > ");
  EXPECT_EQ(ContestNoteStamp(day, time, "DL1ABC/P/MM2"), "14.03.2026 09:05 DL1ABC/P/M > ");
  EXPECT_EQ(ContestNoteStamp(day, time, "").size(), static_cast<std::size_t>(kContestNoteCaret));
}

class ContestNoteFile : public ::testing::Test {
protected:
  TempDataDir dir_;
  FakeClock clock_;
};

TEST_F(ContestNoteFile, TwoOpeningsStampNewestFirst) {
  const std::string path = "Test.TXT";
  clock_.now = {2026, 3, 14, 10, 0, 0, 0};
  StampedNote first = StampContestNote(path, "DL1ABC", clock_);
  EXPECT_TRUE(first.written());
  EXPECT_EQ(ReadTextFile(path), "14.03.2026 10:00 DL1ABC     > ");
  // The operator writes a remark behind the stamp and saves.
  ASSERT_TRUE(WriteTextFile(path, first.text + "QRM").ok());
  clock_.now = {2026, 3, 14, 10, 42, 0, 0};
  const StampedNote second = StampContestNote(path, "OK1KZ", clock_);
  EXPECT_TRUE(second.written());
  EXPECT_EQ(ReadTextFile(path),
            "14.03.2026 10:42 OK1KZ      > \r\n14.03.2026 10:00 DL1ABC     > QRM");
  EXPECT_EQ(second.text, *ReadTextFile(path));
}

TEST_F(ContestNoteFile, AFileThatCannotBeWrittenIsReported) {
  // A directory in the note's place: nothing can be written there.
  std::filesystem::create_directory("Blocked.TXT");
  const StampedNote note = StampContestNote("Blocked.TXT", "DL1ABC", clock_);
  EXPECT_FALSE(note.written());
  EXPECT_EQ(note.text.substr(kContestNoteCaret - 3), " > ");
}

} // namespace
} // namespace tarvik::test
