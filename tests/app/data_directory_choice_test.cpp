// Which data directory the program starts in, the command line, and the first start of the
// person's data folder.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "app/data_directory_choice.h"
#include "support/temp_dir.h"

namespace tarvik {
namespace {

namespace fs = std::filesystem;

TEST(StartOptions, TheDataDirectoryHelpAndWrongCommandLines) {
  EXPECT_FALSE(ReadStartOptions({}).dataDirectory.has_value());
  EXPECT_EQ(ReadStartOptions({"--data", "/srv/log"}).dataDirectory, "/srv/log");
  EXPECT_EQ(ReadStartOptions({"--data=rel/dir"}).dataDirectory, "rel/dir");
  EXPECT_TRUE(ReadStartOptions({"--help"}).help);
  EXPECT_TRUE(ReadStartOptions({"-h"}).help);
  for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
           {"--data"}, {"--data", ""}, {"--data="}, {"--daten", "x"}, {"extra"}}) {
    const StartOptions options = ReadStartOptions(wrong);
    EXPECT_FALSE(options.error.empty()) << wrong.front();
    EXPECT_FALSE(options.dataDirectory.has_value());
  }
  EXPECT_NE(StartUsage().find("--data"), std::string::npos);
}

class DataDirectoryChoiceTest : public ::testing::Test {
protected:
  StartEnvironment Environment(std::optional<std::string> xdg, std::optional<std::string> home) {
    return {dir_.file("work"), std::move(xdg), std::move(home)};
  }
  void SetUp() override { fs::create_directories(dir_.file("work")); }
  test::TempDataDir dir_;
};

TEST_F(DataDirectoryChoiceTest, OptionThenWorkingDirectoryWithDataThenTheUserDataFolder) {
  const std::string work = dir_.file("work");
  const std::string home = dir_.file("home");
  // The menu's start: the person's data folder.
  DataDirectoryChoice c = ChooseDataDirectory({}, Environment(std::nullopt, home));
  EXPECT_EQ(c.directory, dir_.file("home/.local/share/tarvik"));
  EXPECT_EQ(c.source, DataDirectorySource::kUserData);
  c = ChooseDataDirectory({}, Environment(dir_.file("xdg"), home));
  EXPECT_EQ(c.directory, dir_.file("xdg/tarvik"));
  // XDG_DATA_HOME must be absolute to count; an empty one is unset.
  for (const char* ignored : {"", "relative/data"}) {
    c = ChooseDataDirectory({}, Environment(std::string(ignored), home));
    EXPECT_EQ(c.directory, dir_.file("home/.local/share/tarvik")) << ignored;
  }
  // Without a home folder: the working directory, as before.
  c = ChooseDataDirectory({}, Environment(std::nullopt, std::nullopt));
  EXPECT_EQ(c.directory, work);
  EXPECT_EQ(c.source, DataDirectorySource::kWorkingDirectory);

  // A working directory that holds the program's data keeps being used.
  for (const char* file : {"KXSETUP.DAT", "KXKK.DAT"}) {
    test::WriteFileBytes(work + "/" + file, "x");
    c = ChooseDataDirectory({}, Environment(dir_.file("xdg"), home));
    EXPECT_EQ(c.directory, work) << file;
    EXPECT_EQ(c.source, DataDirectorySource::kWorkingDirectory);
    fs::remove(work + "/" + file);
  }
  test::WriteFileBytes(work + "/KXPREFIX.DAT", "x"); // prefix tables alone are no data of ours
  EXPECT_EQ(ChooseDataDirectory({}, Environment(dir_.file("xdg"), home)).source,
            DataDirectorySource::kUserData);

  // --data wins, relative to the working directory, without a trailing slash.
  StartOptions options;
  options.dataDirectory = "sub/dir/";
  c = ChooseDataDirectory(options, Environment(dir_.file("xdg"), home));
  EXPECT_EQ(c.directory, work + "/sub/dir");
  EXPECT_EQ(c.source, DataDirectorySource::kOption);
  options.dataDirectory = "/abs/data";
  EXPECT_EQ(ChooseDataDirectory(options, Environment(std::nullopt, home)).directory, "/abs/data");
}

TEST_F(DataDirectoryChoiceTest, TheFirstStartCreatesTheFolderWithTheShippedFilesAndKeepsOwnOnes) {
  const std::string shipped = dir_.file("shipped");
  fs::create_directories(shipped + "/not-a-file");
  test::WriteFileBytes(shipped + "/ZELKAr.RTF", "rules");
  test::WriteFileBytes(shipped + "/titel_tarvik.bmp", "title");
  const std::string target = dir_.file("home/.local/share/tarvik");

  std::string error;
  ASSERT_TRUE(PrepareDataDirectory(target, shipped, &error)) << error;
  EXPECT_EQ(test::ReadFileBytes(target + "/ZELKAr.RTF"), "rules");
  EXPECT_EQ(test::ReadFileBytes(target + "/titel_tarvik.bmp"), "title");
  EXPECT_FALSE(fs::exists(target + "/not-a-file"));
  // Folders it creates are the person's alone.
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(dir_.file("home/.local").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // A second start: the person's own (changed) files stay, a missing one comes back.
  test::WriteFileBytes(target + "/ZELKAr.RTF", "my rules");
  fs::remove(target + "/titel_tarvik.bmp");
  ASSERT_TRUE(PrepareDataDirectory(target, shipped, &error)) << error;
  EXPECT_EQ(test::ReadFileBytes(target + "/ZELKAr.RTF"), "my rules");
  EXPECT_EQ(test::ReadFileBytes(target + "/titel_tarvik.bmp"), "title");

  // Without shipped files (a program without its share folder) the folder is still made.
  EXPECT_TRUE(PrepareDataDirectory(dir_.file("other"), "", &error));
  EXPECT_TRUE(PrepareDataDirectory(dir_.file("third"), dir_.file("missing"), &error));
  EXPECT_TRUE(fs::is_directory(dir_.file("third")));
}

TEST_F(DataDirectoryChoiceTest, AFolderThatCannotBeMadeIsReportedWithItsCause) {
  test::WriteFileBytes(dir_.file("blocked"), "a file where the folder should be");
  std::string error;
  EXPECT_FALSE(PrepareDataDirectory(dir_.file("blocked/tarvik"), "", &error));
  EXPECT_FALSE(error.empty());
  const std::string message = DataDirectoryFailureMessage(dir_.file("blocked/tarvik"), error);
  EXPECT_NE(message.find("kann nicht angelegt werden"), std::string::npos) << message;
  EXPECT_NE(message.find(error), std::string::npos);
  EXPECT_NE(message.find("Das Programm wird beendet."), std::string::npos);
}

} // namespace
} // namespace tarvik
