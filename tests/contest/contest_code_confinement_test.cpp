// What varies by contest lives in contest/: outside it only the output writers' per-code
// lines compare the contest code. The scan below reads the program's sources and fails with
// the place of every comparison that appears anywhere else; the scanner itself is tested on
// sample lines first.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "support/contest_code_scanner.h"

namespace tarvik::test {
namespace {

namespace fs = std::filesystem;

int Count(std::string_view source) {
  return static_cast<int>(FindContestCodeComparisons(source).size());
}

TEST(ContestCodeScanner, FindsEveryFormOfAComparisonOfTheCode) {
  EXPECT_EQ(Count("if (code_ == 'k')"), 1);
  EXPECT_EQ(Count("return code == '7' || code == 'f' || code == 'i' || code == 'k';"), 4);
  EXPECT_EQ(Count("if ('E' != contestCode) return;"), 1);
  EXPECT_EQ(Count("if (session_.ContestCode() == 'Q')"), 1);
  EXPECT_EQ(Count("if (window.session().ContestCode ( ) != 'P') {"), 1);
  EXPECT_EQ(Count("const bool b = source.contestCode == 'i';"), 1);
  EXPECT_EQ(Count("x = model_->ContestCode()=='U';"), 1);
  EXPECT_EQ(Count("switch (c_.code) {\ncase 'A':\n  return 1;\ncase 'B': {\n  break;\n}\n"
                  "default:\n  break;\n}\nswitch (pictureChar) {\ncase 'A':\n  break;\n}"),
            2);
  EXPECT_EQ(Count("switch (ContestCode()) { case '5': case 'P': return true; }"), 2);
  EXPECT_EQ(Count("if (std::string_view(\"7fik\").find(code_) != npos)"), 1);
  EXPECT_EQ(Count("if (strchr(\"HK\", contestCode) != nullptr)"), 1);
  EXPECT_EQ(Count("if (IsAnyOf(code, \"7fik\"))"), 1);
  // The line of each comparison is reported.
  const std::vector<CodeComparison> found =
      FindContestCodeComparisons("int a;\n// code == 'x'\n  if (code == 'x') {}\n");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].line, 3);
  EXPECT_EQ(found[0].text, "if (code == 'x') {}");
}

TEST(ContestCodeScanner, LeavesOtherCharacterComparisonsAlone) {
  EXPECT_EQ(Count("if (band_ == 'k' || band_ == 'l')"), 0);          // band letters
  EXPECT_EQ(Count("if (picture[i] == '#') ++digits;"), 0);           // pictures
  EXPECT_EQ(Count("if (mode == \"CW\" && mark == 'N')"), 0);         // modes and marks
  EXPECT_EQ(Count("switch (c) {\ncase 'd':\n  break;\n}"), 0);       // picture characters
  EXPECT_EQ(Count("switch (code) {\ncase 10001:\n  return;\n}"), 0); // error codes
  EXPECT_EQ(Count("if (keycode == 'a' || errorCode == 'b')"), 0);
  EXPECT_EQ(Count("if (TraitsOf(code).wholeLogIsStf)"), 0);
  EXPECT_EQ(Count("h.SetContestCode(code_);"), 0);
  EXPECT_EQ(Count("std::string bound(1, session_.ContestCode());"), 0);
  EXPECT_EQ(Count("if (text.find(\"SSB\") != npos && code_ == kBuildCode)"), 0);
  // Comments and texts are no code.
  EXPECT_EQ(Count("// code == 'k' would be wrong here\n/* case 'k': code_ != 'i' */"), 0);
  EXPECT_EQ(Count("Inform(\"code == 'k'\");"), 0);
  EXPECT_EQ(Count("const char quote = '\"'; if (c == '\\'') {} // code == 'x'"), 0);
}

/// The production folders; everything below them is scanned, their ui/ folders included.
const char* const kProductionFolders[] = {"base",    "recordfile", "radio",   "datafiles",
                                          "country", "contest",    "logging", "outputs",
                                          "app",     "widgets",    "tools"};

/// The output writers, whose per-code lines may compare the code: STF, EDI, cover sheet,
/// QSO list, ADIF and CSV export, band list and multiplier check list.
const std::set<std::string> kWriters = {
    "outputs/stf_file.cpp",   "outputs/edi_file.cpp",      "outputs/cover_sheet.cpp",
    "outputs/qso_list.cpp",   "outputs/qso_list_rows.cpp", "outputs/adif_export.cpp",
    "outputs/csv_export.cpp", "outputs/band_list.cpp",     "outputs/multi_check_list.cpp",
};

bool MayCompareTheCode(const fs::path& relative) {
  // The files of contest/ itself (not its windows) and the writers.
  if (relative.parent_path() == "contest")
    return true;
  return kWriters.count(relative.generic_string()) != 0;
}

TEST(ContestCodeConfinement, OnlyContestAndTheWritersCompareTheContestCode) {
  const fs::path root = TARVIK_SOURCE_DIR;
  for (const std::string& writer : kWriters)
    EXPECT_TRUE(fs::exists(root / writer)) << writer << " is listed as a writer but is gone";

  int scanned = 0;
  std::ostringstream offences;
  for (const char* folder : kProductionFolders) {
    ASSERT_TRUE(fs::is_directory(root / folder)) << folder;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
      const fs::path& path = entry.path();
      if (!entry.is_regular_file() || (path.extension() != ".cpp" && path.extension() != ".h"))
        continue;
      ++scanned;
      const fs::path relative = fs::relative(path, root);
      if (MayCompareTheCode(relative))
        continue;
      std::ifstream in(path, std::ios::binary);
      const std::string source((std::istreambuf_iterator<char>(in)), {});
      for (const CodeComparison& c : FindContestCodeComparisons(source))
        offences << relative.generic_string() << ":" << c.line << ": " << c.text << "\n";
    }
  }
  EXPECT_GT(scanned, 200) << "the sources were not found under " << root;
  EXPECT_EQ(offences.str(), "")
      << "The contest code is compared outside contest/ and the output writers. Make the "
         "decision a trait of the catalog row (contest/contest_traits.h) or data of contest/:\n"
      << offences.str();
}

} // namespace
} // namespace tarvik::test
