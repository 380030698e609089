// A new user's first session, in process: the program starts on the built medium with a fresh
// home, the setup dialog is answered with the immediate start, the loop group is opened, three
// loops are dragged onto the tracks with the mouse, Space plays the song, and what the engine
// sends to its (manually clocked) device is compared with the same loops summed here from the
// main container. Then a loop range over bars 2 and 3 repeats seamlessly.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/Anwendung.h"
#include "app/Verbund.h"
#include "arrangement/Ansicht.h"
#include "library/Soundgruppen.h"
#include "pages/Seitensteuerung.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/audio/MixEngine.h"
#include "platform/engine/ZeloEngine.h"
#include "setup/SetupFenster.h"
#include "tests/support/TestEnv.h"

namespace zp = zelo::platform;
using zelo::app::Anwendung;

namespace {

constexpr int64_t kFramesProTakt = 75600;
/// Every voice fades in and out over its first and last 64 frames, so no cut clicks; all the
/// loops here begin and end on bar lines, and the comparison leaves out that much around them.
constexpr int64_t kRampe = 70;
/// A new mix's channel volume plays a sound 12 dB below full scale (a quarter).
constexpr double kKanalGain = 0.25;

struct Platz {
  int spur;
  int takt;
  int sample = 0;  // found in the list when the session places it
};

class ErsterStart : public ::testing::Test {
 protected:
  void SetUp() override {
    daten = zelo::test::MediumDataFolder();
    if (daten.empty()) GTEST_SKIP() << "no built medium";
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    zelo::app::StartOptionen o;
    o.Programmordner = daten;
    o.FensterBreite = 1280;
    o.FensterHoehe = 960;
    o.EchteDialoge = false;
    o.Umgebung.Suchorte.clear();  // the content is on this medium only
    zp::EngineOptions eo;
    eo.device = zp::AudioDevice::Manual;
    eo.tempFolder = zelo::test::FreshHome() + "enginetmp/";
    eo.clock = &uhr;
    engine = std::make_unique<zp::ZeloEngine>(eo);
    setupfenster.Schritte = {{zelo::setup::SetupSchritt::Weiter, "", 0}};
    verbund.SetupFensterSetzen(&setupfenster);
    app = std::make_unique<Anwendung>(o, uhr, *engine, &dialoge, verbund);
    verbund.Verbinden(*app);
    zelo::config::WindowsPfad(app->Ordner(), o.Umgebung);
    zelo::config::StartOrdner(app->Ordner(), o.Programmordner, o.Kommandozeile);
  }
  void TearDown() override {
    app.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  /// Start-up as Main runs it, without the start pictures.
  void Starten() {
    app->FensterAnlegen();
    app->FLoad1();
    app->FLoad2();
    app->FActivate();
  }

  /// Lets the program handle what the user did, then one main-loop pass.
  void Abarbeiten() {
    app->Ereignisse(0);
    app->Zyklus();
  }
  void Senden(SDL_Event e) { SDL_PushEvent(&e); }
  void Knopf(Uint32 typ, int x, int y) {
    SDL_Event e{};
    e.type = typ;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = typ == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x, e.button.y = y;
    Senden(e);
  }
  void Bewegen(int x, int y, bool gedrueckt) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.state = gedrueckt ? SDL_BUTTON_LMASK : 0;
    e.motion.x = x, e.motion.y = y;
    Senden(e);
  }
  /// Window pixels of a layout point.
  int Sx(int x) const { return x + app->Layout().VersatzX; }
  int Sy(int y) const { return y + app->Layout().VersatzY; }
  void Klick(int lx, int ly) {
    Bewegen(Sx(lx), Sy(ly), false);
    Knopf(SDL_MOUSEBUTTONDOWN, Sx(lx), Sy(ly));
    Knopf(SDL_MOUSEBUTTONUP, Sx(lx), Sy(ly));
    Abarbeiten();
  }
  void ElementKlicken(int n) {
    const auto& e = app->Objekte()[n];
    Klick(e.X + e.Breite / 2, e.Y + e.Hoehe / 2);
  }
  /// Press, move in steps with the button held, release; layout pixels.
  void Ziehen(int x0, int y0, int x1, int y1) {
    Bewegen(Sx(x0), Sy(y0), false);
    Knopf(SDL_MOUSEBUTTONDOWN, Sx(x0), Sy(y0));
    Abarbeiten();
    for (int i = 1; i <= 8; ++i) {
      Bewegen(Sx(x0 + (x1 - x0) * i / 8), Sy(y0 + (y1 - y0) * i / 8), true);
      Abarbeiten();
    }
    Knopf(SDL_MOUSEBUTTONUP, Sx(x1), Sy(y1));
    Abarbeiten();
  }
  void Taste(SDL_Keycode taste, SDL_Scancode code) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = taste;
    e.key.keysym.scancode = code;
    Senden(e);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    Senden(e);
    Abarbeiten();
  }

  /// Renders engine time in device blocks, with the clock following and a main-loop pass
  /// after each block, as the program runs.
  std::vector<int16_t> Spielen(int64_t frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames * 2));
    double ms = 0;
    for (int64_t fertig = 0; fertig < frames;) {
      const int n = static_cast<int>(std::min<int64_t>(512, frames - fertig));
      engine->Mix().RenderManual(out.data() + fertig * 2, n);
      fertig += n;
      ms += n * 1000.0 / 44100.0;
      uhr.Advance(static_cast<uint32_t>(ms));
      ms -= std::floor(ms);
      app->Zyklus();
    }
    return out;
  }

  /// A sample's bytes straight from the medium's main container.
  std::vector<int16_t> Quelle(int sample) {
    const auto& k = verbund.Katalog();
    const auto i = static_cast<size_t>(sample);
    std::vector<int16_t> pcm(static_cast<size_t>(k.SampleGroesse[i] / 2));
    std::ifstream f(app->Ordner().Quellordner + "zub/flint20", std::ios::binary);
    f.seekg(k.SampleOffset[i]);
    f.read(reinterpret_cast<char*>(pcm.data()), static_cast<std::streamsize>(pcm.size() * 2));
    return pcm;
  }

  /// The song at song frame `pos`, side 0 or 1, as the placed loops add up.
  int16_t Referenz(int64_t pos, int seite) const {
    double summe = 0;
    for (const auto& p : plaetze) {
      const auto& pcm = quellen.at(p.sample);
      const int64_t innen = pos - p.takt * kFramesProTakt;
      if (innen >= 0 && innen * 2 < static_cast<int64_t>(pcm.size())) summe += pcm[static_cast<size_t>(innen * 2 + seite)];
    }
    return static_cast<int16_t>(std::lround(summe * kKanalGain));
  }

  /// Compares engine output with the reference away from the bar lines; `songFrame` maps an
  /// output frame to the song.
  template <typename Abbildung>
  void Vergleichen(const std::vector<int16_t>& out, Abbildung songFrame) {
    const int64_t frames = static_cast<int64_t>(out.size() / 2);
    int64_t verglichen = 0, laut = 0;
    for (int64_t f = 0; f < frames; ++f) {
      const int64_t imTakt = f % kFramesProTakt;
      if (imTakt < kRampe || imTakt > kFramesProTakt - kRampe) continue;
      for (int seite = 0; seite < 2; ++seite) {
        const int16_t ist = out[static_cast<size_t>(f * 2 + seite)];
        const int16_t soll = Referenz(songFrame(f), seite);
        ASSERT_NEAR(ist, soll, 1) << "frame " << f << " side " << seite;  // the float sum rounds once
        laut += soll != 0;
      }
      ++verglichen;
    }
    EXPECT_GT(verglichen, frames * 9 / 10);
    EXPECT_GT(laut, verglichen / 2) << "the comparison must cover sound, not only silence";
  }

  std::string daten;
  zp::ManualClock uhr;
  zp::ScriptedDialogs dialoge;
  zelo::setup::ScriptedSetupFenster setupfenster;
  std::unique_ptr<zp::ZeloEngine> engine;
  zelo::app::Verbund verbund;
  std::unique_ptr<Anwendung> app;
  std::vector<Platz> plaetze = {{0, 0}, {1, 0}, {2, 2}};
  std::map<int, std::vector<int16_t>> quellen;
};

TEST_F(ErsterStart, InstallPlaceThreeLoopsAndPlayThemAsTheirSum) {
  // A fresh home: no state file, so the setup dialog comes, and the immediate start ends it.
  Starten();
  ASSERT_FALSE(app->QuitFlag());
  EXPECT_EQ(setupfenster.Modalaufrufe, 1);
  EXPECT_EQ(app->Ordner().Betriebsart, zelo::config::BetriebNormal);
  EXPECT_TRUE(std::filesystem::exists(app->Ordner().Zustandsdatei()));
  zelo::pages::Seitensteuerung& seiten = *verbund.Seiten();
  ASSERT_TRUE(seiten.SeiteAktiv(zelo::pages::Hauptbild));
  ASSERT_TRUE(seiten.SeiteAktiv(zelo::pages::Soundgruppen));
  ASSERT_NE(verbund.Ansicht(), nullptr);
  EXPECT_TRUE(dialoge.Shown().empty()) << dialoge.Shown().front().message.prompt;

  // Open the loop group (its button is the first group button).
  ElementKlicken(45);
  zelo::library::Soundgruppen& gruppen = *verbund.Gruppen();
  const auto knoepfe = gruppen.Knopfliste();
  ASSERT_GE(knoepfe.size(), 3u);
  for (const auto& k : knoepfe) EXPECT_EQ(verbund.Katalog().SampleGruppe[static_cast<size_t>(k.Sample)], 1);

  // Drag the first three loops onto tracks 0 to 2: bar 0, bar 0, bar 2. Each is pressed near
  // its left edge, and released so that the block's left edge lands on the bar line.
  const auto& g = verbund.Ansicht()->Geometrie();
  for (size_t i = 0; i < plaetze.size(); ++i) {
    Platz& p = plaetze[i];
    const auto& k = knoepfe[i];
    p.sample = k.Sample;
    const int dx = 4, dy = g.Zeilenhoehe / 2;
    Ziehen(k.X + dx, k.Y + dy, g.Links + p.takt * g.PixelProTakt + dx, g.ZeileOben(p.spur) + dy);
  }
  for (const auto& p : plaetze) {
    const auto& spur = verbund.Spuren()[p.spur];
    ASSERT_EQ(spur.Anzahl, 1) << "track " << p.spur;
    EXPECT_EQ(spur.Eintrag[0].SampleNr, p.sample);
    EXPECT_EQ(spur.Eintrag[0].Start, p.takt * 128);
    quellen[p.sample] = Quelle(p.sample);
  }
  EXPECT_TRUE(verbund.MixGeaendert());
  int64_t songEnde = 0;
  for (const auto& p : plaetze)
    songEnde = std::max<int64_t>(songEnde, p.takt * kFramesProTakt + static_cast<int64_t>(quellen[p.sample].size() / 2));
  ASSERT_LT(songEnde, 11 * kFramesProTakt) << "the song must end within the 12 bars played";

  // Space plays the song; twelve bars of engine time later it has stopped at its end.
  Taste(SDLK_SPACE, SDL_SCANCODE_SPACE);
  zelo::playback::Wiedergabe& wg = *verbund.Wiedergabe();
  ASSERT_NE(wg.MixLaeuft, 0);
  auto out = Spielen(12 * kFramesProTakt);
  EXPECT_EQ(wg.MixLaeuft, 0);
  EXPECT_TRUE(wg.EndeErreicht);
  Vergleichen(out, [](int64_t f) { return f; });
  EXPECT_EQ(engine->Mix().DroppedCommands(), 0u);

  // Home, a band over ruler cells 2 and 3 sets the loop range, the loop button switches it on.
  Taste(SDLK_HOME, SDL_SCANCODE_HOME);
  EXPECT_EQ(wg.AktTakt, 0);
  const auto& lineal = app->Objekte()[4];
  const int ly = lineal.Y + lineal.Hoehe / 2;
  Ziehen(g.Linealx + g.PixelProTakt + 5, ly, g.Linealx + 3 * g.PixelProTakt - 5, ly);
  EXPECT_EQ(wg.LoopAnfang, 2);
  EXPECT_EQ(wg.LoopEnde, 3);
  ElementKlicken(29);
  ASSERT_NE(wg.LoopModus, 0);

  // Played again, bars 2 and 3 repeat without a seam for as long as it runs.
  Taste(SDLK_SPACE, SDL_SCANCODE_SPACE);
  ASSERT_NE(wg.MixLaeuft, 0);
  out = Spielen(12 * kFramesProTakt);
  EXPECT_NE(wg.MixLaeuft, 0);
  Vergleichen(out, [](int64_t f) { return kFramesProTakt + f % (2 * kFramesProTakt); });

  // Space stops it.
  Taste(SDLK_SPACE, SDL_SCANCODE_SPACE);
  EXPECT_EQ(wg.MixLaeuft, 0);
  EXPECT_EQ(engine->Mix().DroppedCommands(), 0u);
}

}  // namespace
