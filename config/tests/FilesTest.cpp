// The file helpers every subsystem uses: reading rules, names without case, safe saving.
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <utime.h>

#include "platform/Files.h"
#include "tests/support/TestEnv.h"

namespace zelo::platform {
namespace {

using zelo::test::FreshHome;
using zelo::test::ReadFile;
using zelo::test::WriteFile;

TEST(Files, ValueSourceFollowsTheListReadingRule) {
  struct Fall {
    const char* text;
    std::vector<std::string> werte;
  } faelle[] = {
      {"", {}},
      {"/home/u/zelo/\r\n/home/u/mix.zub\r\n", {"/home/u/zelo/", "/home/u/mix.zub"}},
      {"a,b\nc", {"a", "b", "c"}},
      {"  \"x, y\" , z  \r\n", {"x, y", "z"}},
      {"\"#TRUE#\",12,\"\"\r\n", {"#TRUE#", "12", ""}},
      {"\"unclosed\nnext", {"unclosed", "next"}},
      {"first\r\n\r\nthird", {"first", "", "third"}},
      {"\"q\"junk,after", {"q", "after"}},
  };
  for (const auto& f : faelle) EXPECT_EQ(SplitValues(f.text), f.werte) << f.text;
}

TEST(Files, LinesSplitAtCrLfOrLf) {
  EXPECT_EQ(SplitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(SplitLines("x\r"), (std::vector<std::string>{"x"}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(Files, NamesCompareWithoutCaseIncludingAccents) {
  EXPECT_TRUE(EqualsNoCase("Grafikb", "GRAFIKB"));
  EXPECT_TRUE(EqualsNoCase("\xe4rger", "\xc4RGER"));  // Windows-1252 a and A with diaeresis
  EXPECT_FALSE(EqualsNoCase("abc", "abd"));
  EXPECT_EQ(FindNoCase("C:/ZELO/zelo", "/zelo"), 2u);
  EXPECT_EQ(FindNoCase("abcabc", "ABC", 1), 3u);
  EXPECT_EQ(FindNoCase("ab", "abc"), std::string_view::npos);
  EXPECT_EQ(AnsiUpper("g_update\xfc"), "G_UPDATE\xdc");
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
}

TEST(Files, ResolvePathFindsNamesOfAnotherCaseAndWithoutTheEmptyExtension) {
  const std::string home = FreshHome();
  WriteFile(home + "Medium/GRAFIKB/zelo01b", "x");
  EXPECT_TRUE(FileExists(home + "medium/grafikb/zelo01b."));
  EXPECT_EQ(ResolvePath(home + "medium/grafikb/ZELO01B."), home + "Medium/GRAFIKB/zelo01b");
  EXPECT_TRUE(FolderExists(home + "MEDIUM/grafikb/"));
  EXPECT_FALSE(FileExists(home + "medium/grafikb/zelo01c"));
  EXPECT_EQ(ResolvePath(home + "none/x"), home + "none/x");
}

TEST(Files, SafeLeafNameNeverLeavesTheFolder) {
  struct Fall {
    const char* name;
    const char* leaf;
  } faelle[] = {{"c:\\sounds\\kick.wav", "kick.wav"}, {"../../etc/passwd", "passwd"}, {"a/b/", ""},
                {"..", ""},                          {".", ""},                      {"plain", "plain"}};
  for (const auto& f : faelle) EXPECT_EQ(SafeLeafName(f.name), f.leaf) << f.name;
}

TEST(Files, SavingReplacesTheFileAndKeepsTheBackupWhenAsked) {
  const std::string path = FreshHome() + "mix.zub";
  ASSERT_TRUE(WriteFileSafely(path, "one"));
  ASSERT_TRUE(WriteFileSafely(path, "two", KeepBackup::Yes));
  EXPECT_EQ(ReadFile(path), "two");
  EXPECT_EQ(ReadFile(path + ".bak"), "one");
  // Only the file and its backup are left: no temporary file stays behind.
  int count = 0;
  for (const auto& e : std::filesystem::directory_iterator(FreshHome())) count += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(count, 2);
}

TEST(Files, AFailedSaveLeavesTheOldFile) {
  const std::string home = FreshHome();
  WriteFile(home + "keep", "old");
  EXPECT_FALSE(WriteFileSafely(home + "missing-folder/keep", "new"));
  std::filesystem::create_directories(home + "adir");
  EXPECT_FALSE(WriteFileSafely(home + "adir", "new"));
  EXPECT_TRUE(std::filesystem::is_directory(home + "adir"));
  EXPECT_EQ(ReadFile(home + "keep"), "old");
}

TEST(Files, CopyKeepsLengthAndPermissions) {
  const std::string home = FreshHome();
  WriteFile(home + "prog", std::string(100000, 'p'));
  ::chmod((home + "prog").c_str(), 0755);
  ASSERT_TRUE(CopyFileSafely(home + "prog", home + "copy"));
  EXPECT_EQ(FileSize(home + "copy"), 100000);
  struct stat st{};
  ASSERT_EQ(::stat((home + "copy").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0755u);
  EXPECT_FALSE(CopyFileSafely(home + "nothing", home + "copy2"));
}

TEST(Files, StampsOrderByTimeAndSizesReportMissingFiles) {
  const std::string home = FreshHome();
  WriteFile(home + "a", "12345");
  utimbuf old{};
  old.actime = old.modtime = 946684800;  // 2000-01-01 in UTC; local time is within a day of it
  ::utime((home + "a").c_str(), &old);
  auto s = FileModified(home + "a");
  ASSERT_TRUE(s);
  EXPECT_GE(s->Datum, 19991231);
  EXPECT_LE(s->Datum, 20000101);
  EXPECT_EQ(FileSize(home + "a"), 5);
  EXPECT_EQ(FileSize(home + "b"), -1);
  EXPECT_FALSE(FileModified(home + "b"));
  EXPECT_GT(FreeBytes(home + "not/yet/made/"), 0);
}

}  // namespace
}  // namespace zelo::platform
