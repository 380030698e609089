// Folders, content search, run mode, local copies and the start mix.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "config/Ordner.h"
#include "config/tests/StillEngine.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tests/support/TestEnv.h"

namespace zelo::config {
namespace {

using zelo::test::FreshHome;
using zelo::test::ReadFile;
using zelo::test::WriteFile;

Umgebung TestUmgebung() {
  Umgebung u;
  u.Home = FreshHome();
  u.ConfigHome = FreshHome() + ".config/";
  u.TmpDir = FreshHome() + "tmp/";
  u.Uid = 1234;
  return u;
}

/// A state file naming the working folder and start mix, filled up to `groesse` bytes with
/// catalogue-like lines.
void Zustandsdatei(const Umgebung& u, const std::string& arbeit, const std::string& mix, size_t groesse) {
  std::string text = "\"" + arbeit + "\"\r\n\"" + mix + "\"\r\n";
  while (text.size() + 8 <= groesse) text += "\"kick\"\r\n";
  text += std::string(groesse - text.size(), ' ');
  WriteFile(u.ConfigHome + "zelo/g_zelo.inf", text);
}

TEST(Ordner, CommandLineGivesDataFolderAndFlag) {
  struct Fall {
    const char* zeile;
    const char* daten;
    const char* flag;
  } faelle[] = {
      {"", "/opt/app/", ""},
      {"s", "/opt/app/", "s"},
      {"/media/u/ZELO/zelo/ d", "/media/u/ZELO/zelo/", "d"},
      {"  /mnt/cd/zelo/zelo s", "/mnt/cd/zelo/zelo/", "s"},
      {"/zelo/zelo/ d", "/opt/app/", "/zelo/zelo/ d"},  // "/zelo" must come after the second character
  };
  for (const auto& f : faelle) {
    Ordner o;
    StartOrdner(o, "/opt/app", f.zeile);
    EXPECT_EQ(o.Datenordner, f.daten) << f.zeile;
    EXPECT_EQ(o.Kommandoflag, f.flag) << f.zeile;
    EXPECT_EQ(o.AlternativDatenordner, "/opt/app/");
  }
}

TEST(Ordner, SystemAndTempFoldersFollowTheUsersFolders) {
  Umgebung u = TestUmgebung();
  Ordner o;
  WindowsPfad(o, u);
  TempordnerSetzen(o, u);
  EXPECT_EQ(o.Systemordner, FreshHome() + ".config/zelo/");
  EXPECT_EQ(o.Tempordner, FreshHome() + "tmp/zelo-1234/");
  EXPECT_TRUE(platform::FolderExists(o.Tempordner));

  setenv("ZELO_MEDIA", "/a/b:/c/zelo/zelo", 1);
  Umgebung p = Umgebung::AusProzess();
  unsetenv("ZELO_MEDIA");
  ASSERT_GE(p.Suchorte.size(), 2u);
  EXPECT_EQ(p.Suchorte[0].Ordner, "/a/b/");
  EXPECT_EQ(p.Suchorte[1].Ordner, "/c/zelo/zelo/");
  EXPECT_EQ(p.ConfigHome, FreshHome() + ".config/");
  EXPECT_EQ(p.Suchorte.back().Ordner, "/opt/");
}

TEST(Ordner, RunModeFromStateFileAndCommandLine) {
  struct Fall {
    const char* name;
    bool zustand;
    size_t groesse;
    bool cache;
    const char* zeile;
    int16_t art;
    bool durchKommandozeile;
  } faelle[] = {
      {"complete installation", true, 12001, true, "", BetriebNormal, false},
      {"no state file", false, 0, true, "", BetriebSetup, false},
      {"state file of exactly 12,000 bytes", true, 12000, true, "", BetriebSetup, false},
      {"no cache in the working folder", true, 20000, false, "", BetriebSetup, false},
      {"command line path and d", true, 20000, true, "/media/u/zelo/zelo/ d", BetriebDeinstallation, true},
      {"command line s", true, 20000, true, "s", BetriebSetup, true},
  };
  for (const auto& f : faelle) {
    zelo::test::RemoveFreshHome();
    zelo::test::MakeFreshHome();
    Umgebung u = TestUmgebung();
    const std::string arbeit = FreshHome() + "work/";
    std::filesystem::create_directories(arbeit);
    if (f.cache) WriteFile(arbeit + "flint20", "c");
    if (f.zustand) Zustandsdatei(u, arbeit, "/x/mix.zub", f.groesse);
    Ordner o;
    StartOrdner(o, FreshHome() + "app/", f.zeile);
    test::StillEngine engine;
    EXPECT_EQ(InfLesen(o, u, engine), f.durchKommandozeile) << f.name;
    EXPECT_EQ(o.Betriebsart, f.art) << f.name;
    EXPECT_EQ(engine.pfade, f.art == BetriebNormal ? std::vector<std::string>{arbeit} : std::vector<std::string>{})
        << f.name;
    EXPECT_EQ(o.Arbeitsordner, f.zustand ? arbeit : FreshHome() + "zelo/") << f.name;
  }
}

TEST(Ordner, FindDriveSearchesTheListedPlacesAndAsksAgain) {
  const std::string home = FreshHome();
  Umgebung u = TestUmgebung();
  // The medium appears in a mount folder only after the first search failed.
  u.Suchorte = {{home + "nothing/", false}, {home + "media/", true}};
  Ordner o;
  StartOrdner(o, home + "app/", "");

  platform::ScriptedDialogs dialoge;
  dialoge.QueueAnswer(platform::Answer::Retry);
  dialoge.onShow = [&](const platform::ShownDialog&) { WriteFile(home + "media/stick/zelo/zelo/grafikb/zelo01b", "m"); };
  ASSERT_TRUE(FindDrive(o, u, InhaltFehltFrage(dialoge, "Inhalt fehlt", "Zelo")));
  ASSERT_EQ(dialoge.Shown().size(), 1u);
  EXPECT_EQ(dialoge.Shown()[0].message.prompt, "Inhalt fehlt");
  EXPECT_EQ(dialoge.Shown()[0].message.buttons, platform::Buttons::RetryCancel);
  EXPECT_EQ(o.Datenordner, home + "media/stick/zelo/zelo/");
  EXPECT_EQ(o.Wurzel, home + "media/stick/");
  EXPECT_EQ(o.Quellordner, home + "media/stick/zelo/");

  // Found where the data folder already points: no question.
  platform::ScriptedDialogs still;
  EXPECT_TRUE(FindDrive(o, u, InhaltFehltFrage(still, "", "")));
  EXPECT_TRUE(still.Shown().empty());

  Ordner leer;
  StartOrdner(leer, home + "app/", "");
  platform::ScriptedDialogs abbruch;
  abbruch.QueueAnswer(platform::Answer::Cancel);
  u.Suchorte.clear();
  EXPECT_FALSE(FindDrive(leer, u, InhaltFehltFrage(abbruch, "", "")));
  EXPECT_EQ(abbruch.Shown().size(), 1u);
}

TEST(Ordner, LocalCopyNeedsTheFolderAndRoom) {
  const std::string home = FreshHome();
  WriteFile(home + "medium/grafiki/zelo34I.", "picture");
  const std::string quelle = home + "medium/grafiki/zelo34I.";
  Ordner o;
  o.Arbeitsordner = home + "work/";
  test::StillEngine engine;

  EXPECT_EQ(LokaleKopie(o, engine, quelle), quelle);  // no INST2TMP yet
  ASSERT_TRUE(OrdnerAnlegen(o));
  for (const char* name : kUnterordner) EXPECT_TRUE(platform::FolderExists(o.Arbeitsordner + name)) << name;

  engine.frei = 14;
  EXPECT_EQ(LokaleKopie(o, engine, quelle), quelle);
  engine.frei = 15;
  const std::string kopie = home + "work/INST2TMP/zelo34I.";
  EXPECT_EQ(LokaleKopie(o, engine, quelle), kopie);
  EXPECT_EQ(ReadFile(kopie), "picture");
  engine.frei = 0;  // an existing copy is used without asking for room
  EXPECT_EQ(LokaleKopie(o, engine, quelle), kopie);
  EXPECT_EQ(LokaleKopie(o, engine, home + "medium/missing"), home + "medium/missing");
}

TEST(Ordner, StartMixIsTheStateFilesMixWhileItExists) {
  const std::string home = FreshHome();
  Umgebung u = TestUmgebung();
  Ordner o;
  WindowsPfad(o, u);
  o.Arbeitsordner = home + "work/";
  o.Wurzel = home + "medium/";
  WriteFile(home + "songs/my.zub", "mix");
  Zustandsdatei(u, o.Arbeitsordner, home + "songs/my.zub", 200);

  StartMix s = StartMixWahl(o, "demo.zub");
  EXPECT_EQ(s.Pfad, home + "songs/my.zub");
  EXPECT_EQ(s.LadeOrdner, home + "songs/");
  EXPECT_EQ(s.ExportOrdner, home + "work/");
  EXPECT_EQ(s.ImportOrdner, home);

  std::filesystem::remove(home + "songs/my.zub");
  s = StartMixWahl(o, "demo.zub");
  EXPECT_EQ(s.Pfad, home + "medium/demo.zub");
  EXPECT_EQ(s.LadeOrdner, home + "medium/");
  EXPECT_TRUE(o.StartMixPfad.empty());
}

TEST(Ordner, RegionalTagsChooseTheStems) {
  Ordner o;
  StaemmeSetzen(o);
  EXPECT_EQ(o.Programmstamm, "zelo");
  o.Wurzel = "/m/";
  EXPECT_EQ(o.Hilfedatei(), "/m/zelo.html");
  o.Regionskennung = "VOLLENGLAND";
  EXPECT_TRUE(HatKennung(o, "england"));
  StaemmeSetzen(o);
  EXPECT_EQ(o.Hilfestamm, "e2garnet");
  o.Regionskennung = "ENGLANDFRANKREICH";
  StaemmeSetzen(o);
  EXPECT_EQ(o.Programmstamm, "flint2");
  EXPECT_EQ(Regionskennung(std::string(5000, 'x')), "");
}

}  // namespace
}  // namespace zelo::config
