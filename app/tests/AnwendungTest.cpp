// Start-up, the main loop's pass, the quit question and shutdown, driven with a manual clock,
// scripted dialogs, a recording engine and recording subsystems.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <filesystem>

#include "app/Anwendung.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/engine/ZeloEngine.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TestEnv.h"

namespace zp = zelo::platform;
using zelo::app::Anwendung;

namespace {

/// Subsystems that write each call into a log and answer from settable flags.
struct Protokoll final : zelo::app::Subsysteme {
  std::vector<std::string> log;
  bool mixGeaendert = false, katalogGeaendert = false, nimmtAuf = false;
  void SzeneAktivieren(const std::string& s, int) override { log.push_back("SzeneAktivieren " + s); }
  void ElementKlick(int e) override { log.push_back("ElementKlick " + std::to_string(e)); }
  void Ausblenden(int e) override { log.push_back("Ausblenden " + std::to_string(e)); }
  void LoadZubs(const std::string& m) override { log.push_back("LoadZubs " + m); }
  void GruppenOrdnen(int) override { log.push_back("GruppenOrdnen"); }
  void GruppenSortieren(int) override { log.push_back("GruppenSortieren"); }
  void ContainerOeffnen(const std::string& h, const std::string& c) override {
    log.push_back("ContainerOeffnen " + h.substr(h.size() - 11) + " " + c.substr(c.size() - 7));
  }
  void ContainerSchliessen() override { log.push_back("ContainerSchliessen"); }
  void MixLaden(const std::string& p) override { log.push_back("MixLaden " + p); }
  bool MixGeaendert() override { return mixGeaendert; }
  bool KatalogGeaendert() override { return katalogGeaendert; }
  void KatalogSpeichern() override { log.push_back("KatalogSpeichern"); }
  void AllStop(const std::string& g) override { log.push_back("AllStop " + g); }
  bool NimmtAuf() override { return nimmtAuf; }
  void StopGrund(int t) override { log.push_back("StopGrund " + std::to_string(t)); }
  void Effektstop(const std::string& m) override { log.push_back("Effektstop " + m); }
  void SetupDialog(int b) override { log.push_back("SetupDialog " + std::to_string(b)); }
};

/// A medium below the test's home: root + "zelo/zelo/" with the content marker and the text
/// files the start-up reads. With `installiert` the state file, working folder and cache exist.
struct Medium {
  std::string wurzel, daten, arbeit;
  explicit Medium(bool installiert) {
    std::string home = zelo::test::FreshHome();
    wurzel = home + "medium/";
    daten = wurzel + "zelo/zelo/";
    arbeit = home + "zelo/";
    zelo::test::WriteFile(daten + "grafikb/zelo01b.", "marker");
    std::filesystem::create_directories(daten + "grafiki");
    zelo::test::WriteFile(daten + "e2inf", "M_QUIT\r\n61\r\nM_TITLE\r\n2\r\nM_DEFAULTMIX\r\n78\r\n");
    zelo::test::WriteFile(daten + "f_zelo2", "M_QUIT\r\nQuit Zelo?\r\nM_TITLE\r\nZelo Test\r\nM_DEFAULTMIX\r\ndemo.mix\r\n");
    if (installiert) {
      std::filesystem::create_directories(arbeit);
      zelo::test::WriteFile(arbeit + "flint20", std::string(16, '\0'));
      std::string state = "\"" + arbeit + "\"\r\n\"\"\r\n" + std::string(13000, '\n');
      zelo::test::WriteFile(home + ".config/zelo/g_zelo.inf", state);
    }
  }
};

struct Lauf {
  zp::ManualClock uhr;
  zp::ScriptedDialogs dialoge;
  std::unique_ptr<zp::ZeloEngine> echt;
  std::unique_ptr<zelo::test::RecordingEngine> engine;
  Protokoll sub;
  std::unique_ptr<Anwendung> app;

  explicit Lauf(const Medium& m) {
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    zelo::app::StartOptionen o;
    o.Programmordner = m.daten;
    o.FensterBreite = 1280;
    o.FensterHoehe = 960;
    o.EchteDialoge = false;
    o.Umgebung.Suchorte.clear();  // the content is looked for on this medium only
    zp::EngineOptions eo;
    eo.device = zp::AudioDevice::Manual;
    eo.tempFolder = zelo::test::FreshHome() + "tmp/";
    eo.clock = &uhr;
    echt = std::make_unique<zp::ZeloEngine>(eo);
    engine = std::make_unique<zelo::test::RecordingEngine>(*echt);
    app = std::make_unique<Anwendung>(o, uhr, *engine, &dialoge, sub);
    zelo::config::WindowsPfad(app->Ordner(), o.Umgebung);
    zelo::config::StartOrdner(app->Ordner(), o.Programmordner, o.Kommandozeile);
  }
  void Starten() {
    app->FLoad1();
    app->FLoad2();
    app->FActivate();
  }
};

bool Enthaelt(const std::vector<std::string>& log, const std::string& s) {
  return std::find(log.begin(), log.end(), s) != log.end();
}

}  // namespace

TEST(Start, RunsTheEngineAndTheSubsystemsInOrder) {
  Medium m(true);
  Lauf l(m);
  l.Starten();
  ASSERT_FALSE(l.app->QuitFlag());
  EXPECT_EQ(l.app->Ordner().Betriebsart, zelo::config::BetriebNormal);
  EXPECT_EQ(l.app->EngineBereit(), 1);
  EXPECT_EQ(l.app->Texte()[61], "Quit Zelo?");
  const std::vector<std::string> engineErwartet = {
      "ANummer", "ATyp",      "ASetPfad", "ATyp",      "ADevice",   "AInit",   "AGetString", "AGetString",
      "AGetString", "AGetString", "ASelectMic", "ASetPfad", "AStop", "AMitte", "RWaveParam", "ASetFader",
      "APlay",   "ALautGet", "ASetFader", "AFenster", "DStart", "AStop",   "AGetInput",  "ALoad"};
  EXPECT_EQ(l.engine->log, engineErwartet);
  const std::vector<std::string> subErwartet = {
      "SzeneAktivieren Hauptbild", "LoadZubs aktiv", "GruppenOrdnen", "GruppenSortieren",
      "ContainerOeffnen zub/flint20 flint20", "MixLaden " + m.wurzel + "demo.mix", "ElementKlick 94"};
  EXPECT_EQ(l.sub.log, subErwartet);
  for (int e : {675, 677, 345, 312, 94}) EXPECT_EQ(l.app->Objekte()[e].Wert, 1) << e;
  EXPECT_TRUE(l.dialoge.Shown().empty());
}

TEST(Start, WithoutAnInstallationTheSetupDialogFollows) {
  Medium m(false);
  Lauf l(m);
  l.Starten();
  EXPECT_EQ(l.app->Ordner().Betriebsart, zelo::config::BetriebSetup);
  EXPECT_FALSE(Enthaelt(l.sub.log, "LoadZubs aktiv")) << "the installer loads the catalogue itself";
  EXPECT_EQ(l.sub.log.back(), "SetupDialog 1");
}

TEST(Start, ContentNotFoundAsksUntilCancelled) {
  Medium m(true);
  std::filesystem::remove(m.daten + "grafikb/zelo01b.");
  Lauf l(m);
  l.dialoge.QueueAnswer(zp::Answer::Retry);
  l.dialoge.QueueAnswer(zp::Answer::Cancel);
  l.app->FLoad1();
  EXPECT_TRUE(l.app->QuitFlag());
  ASSERT_EQ(l.dialoge.Shown().size(), 2u);
  EXPECT_EQ(l.dialoge.Shown()[0].message.buttons, zp::Buttons::RetryCancel);
  EXPECT_FALSE(l.dialoge.Shown()[0].message.prompt.empty()) << "the question has words without a language file";
  EXPECT_TRUE(l.engine->log.empty());
}

TEST(Start, ContentFoundOnRetryGoesOn) {
  Medium m(true);
  std::string marker = m.daten + "grafikb/zelo01b.";
  std::filesystem::rename(marker, marker + "x");
  Lauf l(m);
  l.dialoge.onShow = [&](const zp::ShownDialog&) { std::filesystem::rename(marker + "x", marker); };
  l.dialoge.QueueAnswer(zp::Answer::Retry);
  l.app->FLoad1();
  EXPECT_FALSE(l.app->QuitFlag());
  EXPECT_EQ(l.dialoge.Shown().size(), 1u);
}

TEST(Start, ASecondInstanceEndsWithoutItsWindow) {
  Medium m(true);
  Lauf first(m), second(m);
  first.app->FLoad1();
  ASSERT_FALSE(first.app->QuitFlag());
  second.app->FLoad1();
  EXPECT_TRUE(second.app->QuitFlag());
  EXPECT_FALSE(second.app->Fenster() && second.app->Fenster()->Visible());
}

TEST(Quit, AsksOnceOrTwiceAndRestoresTheQuitElement) {
  struct Fall {
    bool geaendert;
    std::vector<zp::Answer> antworten;
    bool endet;
    size_t fragen;
  };
  const Fall faelle[] = {
      {false, {zp::Answer::No}, false, 1},
      {false, {zp::Answer::Yes}, true, 1},
      {true, {zp::Answer::Yes, zp::Answer::No}, false, 2},
      {true, {zp::Answer::Yes, zp::Answer::Yes}, true, 2},
  };
  for (const auto& f : faelle) {
    Medium m(true);
    Lauf l(m);
    l.Starten();
    l.sub.mixGeaendert = f.geaendert;
    l.sub.log.clear();
    for (auto a : f.antworten) l.dialoge.QueueAnswer(a);
    l.app->Objekte()[7].Wert = 1;
    l.app->EndeMeldung(7);
    EXPECT_EQ(l.app->QuitFlag(), f.endet);
    ASSERT_EQ(l.dialoge.Shown().size(), f.fragen);
    EXPECT_EQ(l.dialoge.Shown()[0].message.prompt, "Quit Zelo?");
    EXPECT_EQ(l.dialoge.Shown()[0].message.title, "Zelo Test");
    EXPECT_EQ(l.sub.log.front(), "AllStop Normal");
    if (!f.endet) {
      EXPECT_EQ(l.app->Objekte()[7].Wert, 0);
      EXPECT_TRUE(Enthaelt(l.sub.log, "Ausblenden 7"));
    }
  }
}

TEST(Quit, ShutdownClosesInOrderAndDeletesTheTemporaryFiles) {
  Medium m(true);
  Lauf l(m);
  l.Starten();
  for (const auto& t : l.app->TempDateien()) zelo::test::WriteFile(t, "x");
  zelo::test::WriteFile(l.app->Ordner().Tempordner + "ZELOUNDO.TMP", "x");
  l.sub.katalogGeaendert = true;
  l.sub.log.clear();
  l.engine->log.clear();
  l.app->Schluss();
  EXPECT_TRUE(l.app->QuitFlag());
  EXPECT_EQ(l.app->EngineBereit(), 0);
  EXPECT_EQ(l.engine->log, (std::vector<std::string>{"AStop", "ADSoff", "AExit", "AEnd"}));
  EXPECT_EQ(l.sub.log, (std::vector<std::string>{"Effektstop immer", "ContainerSchliessen", "KatalogSpeichern"}));
  for (const auto& t : l.app->TempDateien()) EXPECT_FALSE(std::filesystem::exists(t)) << t;
  EXPECT_FALSE(std::filesystem::exists(l.app->Ordner().Tempordner + "ZELOUNDO.TMP"));
}

TEST(MainLoop, ARecordingThatRanOutStopsEverything) {
  Medium m(true);
  Lauf l(m);
  l.app->Zyklus();
  EXPECT_TRUE(l.engine->log.empty()) << "nothing touches the engine before it is ready";
  l.Starten();
  l.sub.nimmtAuf = true;
  l.sub.log.clear();
  // The manual engine never reports a recording that ran out; the pass only reads the flags.
  l.app->Zyklus();
  EXPECT_TRUE(Enthaelt(l.engine->log, "ARecTimer"));
  EXPECT_FALSE(Enthaelt(l.sub.log, "AllStop Normal"));
}
