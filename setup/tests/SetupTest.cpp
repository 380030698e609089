#include "setup/Setup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "library/Container.h"
#include "library/Katalog.h"
#include "library/KatalogDateien.h"
#include "library/Zubs.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/engine/ZeloEngine.h"
#include "setup/KatalogBibliothek.h"
#include "setup/Menueeintrag.h"
#include "tests/support/TestEnv.h"
#include "text/Texte.h"

namespace zelo::setup {
namespace {

namespace fs = std::filesystem;
namespace zp = zelo::platform;
using ::testing::HasSubstr;

/// Samples of the small medium: each 64 KiB after a 4096-byte head of the main container.
constexpr int kAnzahl = 5;
constexpr int32_t kGroesse = 65536;
constexpr int64_t kMiB = 1024 * 1024;
/// Space the cache leaves free on its disk, and the least it gets.
constexpr int64_t kReserve = 16777216, kMindestcache = 2097152;

std::string Lesen(const std::string& pfad) { return zp::ReadWholeFile(pfad).value_or(""); }

/// The program's side as a test sees it: every call is logged; Schluss begins shutdown.
class Programm final : public Programmseite {
 public:
  std::vector<std::string> log;
  bool beendet = false, prozessEnde = false;
  void ZustandAktivieren(const std::string& text) override { log.push_back("ZustandAktivieren " + text); }
  void Schluss() override {
    log.push_back("Schluss");
    beendet = true;
    prozessEnde = true;
  }
  void ProzessEnde() override {
    log.push_back("ProzessEnde");
    prozessEnde = true;
  }
  bool Beendet() override { return beendet; }
};

/// A fresh user with a small medium: main container, default catalogue and pre-cache list.
class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("XDG_DATA_HOME");
    home_ = test::FreshHome();
    umgebung_.Home = home_;
    umgebung_.ConfigHome = home_ + ".config/";
    umgebung_.TmpDir = home_;
    ordner_.Wurzel = home_ + "medium/";
    ordner_.Quellordner = ordner_.Wurzel + "zelo/";
    ordner_.Datenordner = ordner_.Quellordner + "zelo/";
    ordner_.AlternativDatenordner = ordner_.Programmordner = ordner_.Datenordner;
    ordner_.Systemordner = umgebung_.ConfigHome + "zelo/";
    ordner_.Betriebsart = config::BetriebSetup;
    for (int i = 0; i < text::kTextanzahl; ++i) texte_.Setzen(i, "T" + std::to_string(i));
    texte_.Setzen(78, "zelo/demo/demo.zub");

    std::string bytes(4096, '\0');
    library::Katalog standard;
    std::string liste;
    for (int n = 1; n <= kAnzahl; ++n) {
      for (int i = 0; i < kGroesse; ++i) bytes += static_cast<char>((n * 7 + i) & 0xFF);
      auto s = static_cast<size_t>(n);
      standard.SampleOrt[s] = library::kOrtHauptcontainer;
      standard.SampleOffset[s] = 4096 + (n - 1) * kGroesse;
      standard.SampleGroesse[s] = kGroesse;
      standard.SampleTakte[s] = 1;
      standard.SampleGruppe[s] = library::kGruppeLoop;
      standard.SampleName[s] = "Loop " + std::to_string(n);
      liste += std::to_string(n) + "\r\n";
    }
    test::WriteFile(ordner_.Quellordner + "zub/flint20", bytes);
    zp::MakeFolders(ordner_.Quellordner + "zub/");
    library::KatalogSpeichern(standard, ordner_.Quellordner + "zub/flint20.inf");
    test::WriteFile(ordner_.Datenordner + "inst.txt", liste + "0\r\n");
    test::WriteFile(ordner_.Datenordner + "zelo", "#!/bin/sh\n");
  }

  SetupUmgebung Umgebung() {
    SetupUmgebung u{ordner_,     umgebung_, texte_,
                    engine_,     dialoge_,  bibliothek_,
                    programm_,   MenueordnerAusProzess(home_), ordner_.Datenordner + "zelo",
                    zp::Rect{}, nullptr};
    u.Skript = [this](const std::string& s, const std::string& a, const std::string& o) {
      skripte_.push_back(s + "|" + a + "|" + o);
      return true;
    };
    return u;
  }

  /// Runs the dialog once with the scripted steps.
  void Ausfuehren(std::initializer_list<SetupSchritt> schritte) {
    fenster_.Schritte.assign(schritte);
    SetupUmgebung u = Umgebung();
    Zelosetup setup(u);
    setup.Zeigen(fenster_);
    platzmangel_ = setup.Platzmangel();
  }

  std::string Arbeitsordner() const { return home_ + "arbeit/"; }
  static SetupSchritt Pfad(const std::string& p) { return {SetupSchritt::Pfad, p, 0}; }
  static SetupSchritt Knopf(SetupSchritt::Art a) { return {a, "", 0}; }

  /// The messages shown, as "prompt|title".
  std::vector<std::string> Meldungen() const {
    std::vector<std::string> m;
    for (const auto& d : dialoge_.Shown()) m.push_back(d.message.prompt + "|" + d.message.title);
    return m;
  }

  std::string home_;
  config::Umgebung umgebung_;
  config::Ordner ordner_;
  text::Texte texte_;
  zp::ZeloEngine engine_{zp::EngineOptions{zp::AudioDevice::Manual, test::FreshHome(), nullptr}};
  zp::ScriptedDialogs dialoge_;
  library::Katalog katalog_;
  library::Zubs zubs_;
  library::Containerdateien container_;
  KatalogBibliothek bibliothek_{katalog_, zubs_, container_, ordner_, texte_, engine_};
  Programm programm_;
  ScriptedSetupFenster fenster_;
  std::vector<std::string> skripte_;
  bool platzmangel_ = false;
};

TEST_F(SetupTest, EachInstallationTypeSizesTheCacheCopiesTheListAndStartsNormalWork) {
  struct Fall {
    SetupSchritt::Art knopf;
    int64_t gewuenscht;
    int meldung;  ///< closing message text, 0 for none
    bool fortschritt;
  };
  const Fall faelle[] = {
      {SetupSchritt::Weiter, 3067108, 0, false},
      {SetupSchritt::Voll, 429261617, 16, true},
      {SetupSchritt::Mini, 61820000, 20, true},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.gewuenscht);
    // Each type starts as a fresh user would, in a working folder of its own.
    container_.ContainerSchliessen();
    fs::remove_all(ordner_.Systemordner);
    fs::remove_all(home_ + ".local");
    ordner_.Betriebsart = config::BetriebSetup;
    ordner_.Arbeitsordner.clear();
    dialoge_ = zp::ScriptedDialogs();
    fenster_ = ScriptedSetupFenster();
    programm_ = Programm();
    katalog_ = library::Katalog();
    const std::string w = home_ + "arbeit" + std::to_string(f.knopf) + "/";
    Ausfuehren({Pfad(w), Knopf(f.knopf)});

    // The cache gets the wanted size when the disk has room for it, measured, not assumed.
    const int64_t verfuegbar = std::max(zp::FreeBytes(w) + zp::FileSize(w + "flint20") - kReserve, kMindestcache);
    const int64_t cache = zp::FileSize(w + "flint20");
    if (verfuegbar > f.gewuenscht + 64 * kMiB) {
      EXPECT_EQ(cache, f.gewuenscht);
      EXPECT_FALSE(platzmangel_);
    }
    EXPECT_LE(cache, f.gewuenscht);

    // Every listed sample now plays from the cache, byte for byte.
    const std::string haupt = Lesen(ordner_.Quellordner + "zub/flint20");
    const std::string kopie = Lesen(w + "flint20");
    for (int n = 1; n <= kAnzahl; ++n) {
      EXPECT_EQ(katalog_.SampleOrt[static_cast<size_t>(n)], library::kOrtCache) << n;
      size_t von = 4096 + static_cast<size_t>(n - 1) * kGroesse;
      EXPECT_EQ(kopie.compare(von, kGroesse, haupt, von, kGroesse), 0) << n;
    }

    // The state file names the working folder and the start mix, and holds the catalogue.
    library::Katalog gelesen;
    ASSERT_TRUE(library::KatalogLaden(gelesen, ordner_.Systemordner + "g_zelo.inf"));
    EXPECT_EQ(gelesen.Kopf.Arbeitsordner(), w);
    EXPECT_EQ(gelesen.Kopf.Startmix(), ordner_.Wurzel + "zelo/demo/demo.zub");
    EXPECT_EQ(gelesen.SampleOrt[3], library::kOrtCache);
    EXPECT_EQ(Lesen(ordner_.Systemordner + "dmachine.inf"), "\"" + w + "\"\r\n\"" + w + "\"\r\n");
    EXPECT_THAT(Lesen(ordner_.Systemordner + "e_zelo2.inf"), ::testing::StartsWith("\"" + home_ + "e_zelo2/\"\r\n"));
    for (const char* u : config::kUnterordner) EXPECT_TRUE(zp::FolderExists(w + u)) << u;
    EXPECT_THAT(Lesen(home_ + ".local/share/applications/zelo.desktop"),
                HasSubstr("Exec=\"" + ordner_.Datenordner + "zelo\"\n"));

    // Normal work in the same run, with the closing message of the type.
    EXPECT_EQ(ordner_.Betriebsart, config::BetriebNormal);
    EXPECT_EQ(ordner_.Arbeitsordner, w);
    EXPECT_THAT(programm_.log, ::testing::Contains("ZustandAktivieren setup"));
    EXPECT_FALSE(programm_.prozessEnde);
    std::vector<std::string> erwartet;
    if (f.meldung) erwartet.push_back("T" + std::to_string(f.meldung) + "|T" + std::to_string(f.meldung + 1));
    EXPECT_EQ(Meldungen(), erwartet);
    EXPECT_EQ(!fenster_.Fortschrittstexte.empty(), f.fortschritt);
    if (f.fortschritt) {
      const int titel = f.knopf == SetupSchritt::Voll ? 26 : 30;
      EXPECT_THAT(fenster_.Fortschrittstexte.front(), HasSubstr("T" + std::to_string(titel)));
    }
  }
}

TEST_F(SetupTest, LowSpaceGivesTheCacheWhatFitsAndSaysSo) {
  // The disk reports just above the reserve: the cache gets its least size.
  container_.freieBytes = [](const std::string&) { return kReserve + kMiB; };
  Ausfuehren({Pfad(home_ + "arbeit"), Knopf(SetupSchritt::Voll)});
  EXPECT_TRUE(platzmangel_);
  EXPECT_EQ(zp::FileSize(Arbeitsordner() + "flint20"), kMindestcache);
  EXPECT_EQ(Meldungen(), std::vector<std::string>{"T18|T19"});
  EXPECT_TRUE(zp::FileExists(ordner_.Systemordner + "g_zelo.inf"));
}

TEST_F(SetupTest, AFolderThatCannotBeMadeLeavesTheDialogUsable) {
  // After the message every control takes input again, and a second try installs.
  Ausfuehren({Pfad("/proc/zelo[1]"), Knopf(SetupSchritt::Weiter), Pfad(home_ + "arbeit"), Knopf(SetupSchritt::Weiter)});
  EXPECT_EQ(Meldungen(), std::vector<std::string>{"T76 /proc/zelo1/|T77"});
  EXPECT_EQ(fenster_.Modalaufrufe, 1);
  EXPECT_EQ(ordner_.Betriebsart, config::BetriebNormal);
  EXPECT_TRUE(zp::FileExists(Arbeitsordner() + "flint20"));
}

TEST_F(SetupTest, TheTypedPathIsCleanedAndShownWithoutItsSlash) {
  fenster_.Schritte = {Pfad("  " + home_ + "my (zelo)!/x  "), Knopf(SetupSchritt::Weiter)};
  SetupUmgebung u = Umgebung();
  Zelosetup setup(u);
  setup.Zeigen(fenster_);
  EXPECT_EQ(setup.Ansicht().Textt, home_ + "my zelo/x");
  EXPECT_EQ(ordner_.Arbeitsordner, home_ + "my zelo/x/");
  EXPECT_TRUE(zp::FolderExists(home_ + "my zelo/x/RECSAV"));
}

TEST(PfadReinigen, KeepsOnlyAllowedCharactersAndStartsAtHome) {
  struct Fall {
    const char* eingabe;
    const char* erwartet;
  } faelle[] = {
      {"  /tmp/a[b]!c  ", "/tmp/abc"},
      {"/data/Zelo-2_x.y@$#&~ ok", "/data/Zelo-2_x.y@$#&~ ok"},
      {"~", "/home/u/"},
      {"~/zelo", "/home/u/zelo"},
      {"zelo", "/home/u/zelo"},
      {"c:\\zelo\\", "/home/u/c/zelo/"},
      {"/m\xFCsik", "/m\xFCsik"},
      {"/a\tb\nc;d|e*f?g", "/abcdefg"},
      {"[]!", ""},
  };
  for (const Fall& f : faelle) EXPECT_EQ(PfadReinigen(f.eingabe, "/home/u"), f.erwartet) << f.eingabe;
}

TEST(Laufwerke, APathMovesOntoTheChosenDrive) {
  const Laufwerk haus{"/home/u", "/home/u/"}, stick{"/media/u/STICK", "/media/u/STICK/"}, wurzel{"/", "/"};
  EXPECT_EQ(AufLaufwerk("/home/u/music/zelo", haus, stick), "/media/u/STICK/music/zelo");
  EXPECT_EQ(AufLaufwerk("/opt/zelo/", wurzel, stick), "/media/u/STICK/zelo");
  EXPECT_EQ(AufLaufwerk("zelo", haus, stick), "/media/u/STICK/zelo");
  EXPECT_EQ(AufLaufwerk("/media/u/STICK/zelo", stick, haus), "/home/u/zelo");
  const std::vector<Laufwerk> liste{haus, stick, wurzel};
  EXPECT_EQ(LaufwerkVon(liste, "/media/u/STICK/zelo/"), 1u);
  EXPECT_EQ(LaufwerkVon(liste, "/srv/zelo/"), 2u);
}

TEST_F(SetupTest, ChoosingADriveShowsItsFreeSpaceAndMovesThePath) {
  fenster_.Schritte = {Pfad("zelo"), {SetupSchritt::Laufwerkwahl, "", 1}};
  SetupUmgebung u = Umgebung();
  Zelosetup setup(u);
  setup.Zeigen(fenster_);
  const SetupAnsicht& a = setup.Ansicht();
  ASSERT_GE(a.Laufwerke.size(), 2u);
  EXPECT_EQ(a.LaufwerkNummer, 1u);
  EXPECT_EQ(a.Textt, a.Laufwerke[1].Ordner + "zelo");
  // The label names the drive and its free space, measured by the engine.
  EXPECT_THAT(a.Label2, HasSubstr("T74  " + std::to_string(engine_.AGetFree(a.Laufwerke[1].Ordner)) + "T100"));
  EXPECT_EQ(ordner_.Betriebsart, config::BetriebSetup);
}

TEST_F(SetupTest, ExistingPointerFilesStayAndShortOnesAreRewritten) {
  test::WriteFile(ordner_.Systemordner + "dmachine.inf", "\"/drums/\"\r\n");
  test::WriteFile(ordner_.Systemordner + "e_zelo2.inf", "\"\"");
  Ausfuehren({Pfad(home_ + "arbeit"), Knopf(SetupSchritt::Weiter)});
  EXPECT_EQ(Lesen(ordner_.Systemordner + "dmachine.inf"), "\"/drums/\"\r\n");
  EXPECT_THAT(Lesen(ordner_.Systemordner + "e_zelo2.inf"), ::testing::StartsWith("\"" + home_ + "e_zelo2/\""));
}

TEST_F(SetupTest, EndeWhileCopyingCancelsWithoutAStateFile) {
  int laeufe = 0;
  fenster_.beiEreignis = [&](SetupSteuerung& s) {
    // Install buttons are ignored while the work yields; Ende is not.
    s.voll_Click();
    if (++laeufe == 2) s.Ende_Click();
  };
  Ausfuehren({Pfad(home_ + "arbeit"), Knopf(SetupSchritt::Mini)});
  EXPECT_EQ(programm_.log, (std::vector<std::string>{"Schluss"}));
  EXPECT_FALSE(zp::FileExists(ordner_.Systemordner + "g_zelo.inf"));
  EXPECT_FALSE(katalog_.KatalogGeaendert);
  EXPECT_LT(fenster_.Ereignislaeufe, kAnzahl);
  EXPECT_EQ(ordner_.Betriebsart, config::BetriebSetup);
}

TEST_F(SetupTest, EscapeAsksBeforeEnding) {
  dialoge_.QueueAnswer(zp::Answer::No);
  dialoge_.QueueAnswer(zp::Answer::Yes);
  Ausfuehren({Knopf(SetupSchritt::Escape), Knopf(SetupSchritt::Escape), Knopf(SetupSchritt::Weiter)});
  EXPECT_EQ(Meldungen(), (std::vector<std::string>{"T61|T2", "T61|T2"}));
  EXPECT_EQ(programm_.log, (std::vector<std::string>{"Schluss"}));
  EXPECT_EQ(fenster_.Schritte.size(), 1u);  // the dialog closed before the last step
}

TEST_F(SetupTest, UninstallRemovesWhatSetupMade) {
  Ausfuehren({Pfad(home_ + "arbeit"), Knopf(SetupSchritt::Weiter)});
  const std::string w = Arbeitsordner();
  ASSERT_TRUE(zp::FileExists(w + "flint20"));
  test::WriteFile(w + "INST2TMP/zelo22b", "copy");
  test::WriteFile(w + "INST2TMP/dfarben", "copy");

  ordner_.Betriebsart = config::BetriebDeinstallation;
  dialoge_ = zp::ScriptedDialogs();
  fenster_ = ScriptedSetupFenster();
  Ausfuehren({Knopf(SetupSchritt::Mini)});
  EXPECT_FALSE(fs::exists(w));
  EXPECT_FALSE(zp::FileExists(ordner_.Systemordner + "g_zelo.inf"));
  EXPECT_FALSE(zp::FileExists(home_ + ".local/share/applications/zelo.desktop"));
  EXPECT_EQ(Meldungen(), std::vector<std::string>{"T79|T80"});
  EXPECT_TRUE(programm_.prozessEnde);
  EXPECT_TRUE(skripte_.empty());
  // The uninstall dialog offers only its own controls.
  const SetupAnsicht& a = fenster_.Gezeigt.at(0);
  EXPECT_FALSE(a.voll.Sichtbar || a.Ende.Sichtbar || a.TexttSichtbar || a.DriveSichtbar);
  EXPECT_EQ(a.mini.Text, "T63");
  EXPECT_EQ(a.Label4, "T65\r\rT118");
}

TEST_F(SetupTest, UninstallKeepsTheUsersFilesAndStartsTheCleanUpScript) {
  Ausfuehren({Pfad(home_ + "arbeit"), Knopf(SetupSchritt::Weiter)});
  const std::string w = Arbeitsordner();
  test::WriteFile(w + "RECSAV/take1.wav", "mine");
  test::WriteFile(w + "G_UPDATE/deinst.sh", "exit 0\n");
  ordner_.Betriebsart = config::BetriebDeinstallation;
  Ausfuehren({Knopf(SetupSchritt::Mini)});
  EXPECT_TRUE(zp::FileExists(w + "RECSAV/take1.wav"));
  EXPECT_FALSE(fs::exists(w + "flint20"));
  EXPECT_FALSE(fs::exists(w + "MIXWAVES"));
  EXPECT_EQ(skripte_, std::vector<std::string>{w + "G_UPDATE/deinst.sh|" + home_ + "arbeit|" + w + "G_UPDATE"});
}

TEST_F(SetupTest, CancelInUninstallModeRemovesNothing) {
  Ausfuehren({Pfad(home_ + "arbeit"), Knopf(SetupSchritt::Weiter)});
  ordner_.Betriebsart = config::BetriebDeinstallation;
  Ausfuehren({Knopf(SetupSchritt::Weiter)});
  EXPECT_TRUE(programm_.prozessEnde);
  EXPECT_TRUE(zp::FileExists(Arbeitsordner() + "flint20"));
  EXPECT_TRUE(zp::FileExists(ordner_.Systemordner + "g_zelo.inf"));
}

TEST(SkriptStarten, RunsTheScriptDetachedInItsFolderWithTheArgument) {
  const std::string ordner = test::FreshHome() + "G_UPDATE";
  test::WriteFile(ordner + "/deinst.sh", "printf '%s' \"$1\" > ran.txt\n");
  ASSERT_TRUE(SkriptStarten(ordner + "/deinst.sh", "/home/u/my zelo", ordner));
  // The script runs on after the start returns; give it a bounded while.
  for (int i = 0; i < 500 && Lesen(ordner + "/ran.txt").empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(Lesen(ordner + "/ran.txt"), "/home/u/my zelo");
}

TEST(Menueeintrag, QuotesThePathsAndOffersTheActions) {
  Menueeintrag e;
  e.Name = "Zelo";
  e.Programm = "/opt/my $app/zelo";
  e.SetupName = "Setup";
  e.DeinstallName = "Uninstall";
  e.HandbuchName = "Manual";
  const std::string t = MenueeintragText(e);
  EXPECT_THAT(t, HasSubstr("Exec=\"/opt/my \\\\$app/zelo\"\n"));
  EXPECT_THAT(t, HasSubstr("Exec=\"/opt/my \\\\$app/zelo\" d\n"));
  EXPECT_THAT(t, HasSubstr("Actions=setup;uninstall;\n"));
  e.Programm = "/bad\npath";
  EXPECT_FALSE(MenueeintragSchreiben(test::FreshHome() + "apps/", e));
}

}  // namespace
}  // namespace zelo::setup
