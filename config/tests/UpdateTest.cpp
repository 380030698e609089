// The update relaunch: which files reach the update folder, and when the program restarts there.
#include <gtest/gtest.h>

#include <filesystem>
#include <utime.h>

#include "config/Update.h"
#include "platform/Files.h"
#include "tests/support/TestEnv.h"

namespace zelo::config {
namespace {

using zelo::test::FreshHome;
using zelo::test::ReadFile;
using zelo::test::WriteFile;

void Alter(const std::string& path, time_t wann) {
  utimbuf t{};
  t.actime = t.modtime = wann;
  ::utime(path.c_str(), &t);
}

struct UpdateFixture : testing::Test {
  std::string home = FreshHome();
  std::string programm = home + "medium/zelo/zelo/";
  std::string arbeit = home + "work/";
  std::string update = arbeit + "G_UPDATE/";
  Ordner o;
  std::vector<UpdateAufruf> starts;
  Neustart aufzeichnen = [this](const UpdateAufruf& a) { starts.push_back(a); };

  void SetUp() override {
    WriteFile(programm + "zelo", "program");
    WriteFile(programm + "f_zelo2", "texts");
    WriteFile(programm + "deinst.sh", "rm");
    WriteFile(home + ".config/zelo/g_zelo.inf", "\"" + arbeit + "\"\r\n\"\"\r\n");
    platform::MakeFolders(update);
    o.Systemordner = home + ".config/zelo/";
    StartOrdner(o, programm, "s");
  }
};

TEST_F(UpdateFixture, CompletesTheUpdateFolderAndRestartsThere) {
  ASSERT_TRUE(UpdateStart(o, aufzeichnen));
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].Programm, update + "f_update");
  EXPECT_EQ(starts[0].Kommandozeile, programm + " s");
  EXPECT_EQ(starts[0].Arbeitsordner, arbeit + "G_UPDATE");
  EXPECT_EQ(ReadFile(update + "f_update"), "program");
  EXPECT_EQ(ReadFile(update + "f_zelo2"), "texts");
  EXPECT_EQ(ReadFile(update + "deinst.sh"), "rm");

  // The restarted instance reads its data folder and flag back from that command line.
  Ordner neu;
  StartOrdner(neu, update, starts[0].Kommandozeile);
  EXPECT_EQ(neu.Datenordner, programm);
  EXPECT_EQ(neu.Kommandoflag, "s");
}

TEST_F(UpdateFixture, NoRestartWithoutUpdateFolderOrFromItself) {
  Ordner vonDort = o;
  StartOrdner(vonDort, update, "");
  EXPECT_FALSE(UpdateStart(vonDort, aufzeichnen));
  std::filesystem::remove_all(update);
  EXPECT_FALSE(UpdateStart(o, aufzeichnen));
  WriteFile(home + ".config/zelo/g_zelo.inf", "\"\"\r\n");
  EXPECT_FALSE(UpdateStart(o, aufzeichnen));
  EXPECT_TRUE(starts.empty());
}

TEST_F(UpdateFixture, NewerUpdateFilesAreKeptButTheLanguageFileIsAlwaysRefreshed) {
  WriteFile(update + "f_update", "newer program");
  WriteFile(update + "f_zelo2", "newer texts");
  Alter(programm + "zelo", 1000000000);
  Alter(programm + "f_zelo2", 1000000000);
  EXPECT_TRUE(UpdateKopie(programm, update, "zelo", "f_update"));
  EXPECT_TRUE(UpdateKopie(programm, update, "f_zelo2", "f_zelo2"));
  EXPECT_EQ(ReadFile(update + "f_update"), "newer program");
  EXPECT_EQ(ReadFile(update + "f_zelo2"), "texts");

  // An older copy in the update folder is replaced; a missing source needs nothing.
  Alter(update + "f_update", 900000000);
  EXPECT_TRUE(UpdateKopie(programm, update, "zelo", "f_update"));
  EXPECT_EQ(ReadFile(update + "f_update"), "program");
  EXPECT_TRUE(UpdateKopie(programm, update, "absent", "absent"));
  EXPECT_FALSE(platform::FileExists(update + "absent"));
  // An empty source counts as a failed copy, which cancels the relaunch.
  WriteFile(programm + "deinst.sh", "");
  EXPECT_FALSE(UpdateStart(o, aufzeichnen));
  EXPECT_TRUE(starts.empty());
}

}  // namespace
}  // namespace zelo::config
