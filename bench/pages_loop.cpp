// The page engine's share of the main loop: one pass with element fades running (one fade
// step, then presenting the changed region), and a full page change from the main page to
// the matrix page and back with every picture loaded again.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "config/Layout.h"
#include "config/Ordner.h"
#include "pages/Aktionen.h"
#include "pages/Seitensteuerung.h"
#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/Window.h"
#include "platform/engine/ZeloEngine.h"
#include "platform/gfx/GrafikEffekte.h"

namespace {

using namespace zelo;

void Bild(const std::string& pfad, int w, int h, uint32_t farbe) {
  SDL_Surface* s = platform::NewSurface(w, h);
  platform::FillRect(s, {0, 0, w, h}, farbe);
  platform::FillRect(s, {0, h / 2, w, h / 2}, 0xFF00FF00u);
  SDL_SaveBMP(s, pfad.c_str());
  SDL_FreeSurface(s);
}

/// A 1280 x 960 layout with 40 buttons on the main page and the real picture sizes.
struct Welt {
  Welt() {
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    ordner_.Grafikordner = std::filesystem::temp_directory_path().string() + "/zelo-bench-" +
                           std::to_string(getpid()) + "/";
    std::filesystem::create_directories(ordner_.Grafikordner);
    ordner_.Grafikbuchstabe = "I";
    layout_.Breite = 1280, layout_.Hoehe = 960, layout_.Skalierung = 40;
    masse_.PixelProTakt = 40;
    for (int seite : {1, 6}) {
      daten_.Seitenzeilen[0][seite] = "hg" + std::to_string(seite);
      daten_.Seitenzeilen[1][seite] = "el" + std::to_string(seite);
      Bild(ordner_.Grafikordner + daten_.Seitenzeilen[0][seite] + "I.", 1280, 960, 0xFF404040u);
      Bild(ordner_.Grafikordner + daten_.Seitenzeilen[1][seite] + "I.", 1280, 960, 0xFFFF0000u);
    }
    daten_.Seitenzeilen[0][2] = "pn2";
    Bild(ordner_.Grafikordner + "pn2I.", 1280, 800, 0xFFFF0000u);
    auto& p = objekte_[349];
    p.X = 0, p.Y = 560, p.Breite = 1280, p.Hoehe = 400, p.Seiten = pages::Soundgruppen;
    for (int n = 100; n < 140; ++n) {
      auto& e = objekte_[n];
      e.X = static_cast<int16_t>((n - 100) % 20 * 60), e.Y = static_cast<int16_t>((n - 100) / 20 * 40);
      e.Breite = 56, e.Hoehe = 36, e.AktivY = 480, e.Typ = pages::Button, e.Seiten = pages::Hauptbild;
    }
    objekte_.Hoechste = 400;
    platform::EngineOptions eo;
    eo.device = platform::AudioDevice::Null;
    eo.tempFolder = ordner_.Grafikordner;
    eo.clock = &uhr;
    engine_ = std::make_unique<platform::ZeloEngine>(eo);
    gfx_ = std::make_unique<platform::GrafikEffekte>(fonts_, &uhr);
    fenster_ = std::make_unique<platform::Window>(platform::WindowOptions{1280, 960, true, "Zelo"});
    puffer_ = gfx_->GFX_AnimationSwapInit(400, 400);
    seiten = std::make_unique<pages::Seitensteuerung>(pages::SeitenUmgebung{
        objekte_, daten_, ordner_, layout_, masse_, texte_, fonttabelle_, *engine_, *gfx_, fonts_, uhr,
        [this] { return fenster_.get(); }, aktionen_, &puffer_, nullptr});
    seiten->SzeneAktivieren("Hauptbild", 0);
  }
  ~Welt() {
    seiten.reset();
    fenster_.reset();
    std::filesystem::remove_all(ordner_.Grafikordner);
  }
  void Present() { fenster_->Present(); }
  pages::Objekte& Objekte() { return objekte_; }

  platform::ManualClock uhr;
  std::unique_ptr<pages::Seitensteuerung> seiten;

 private:
  pages::Aktionen aktionen_;
  pages::Objekte objekte_;
  pages::Seitendaten daten_;
  config::Ordner ordner_;
  config::Layout layout_;
  config::LayoutMasse masse_;
  text::Texte texte_;
  text::Fonttabelle fonttabelle_{};
  platform::Fonts fonts_;
  std::unique_ptr<platform::ZeloEngine> engine_;
  std::unique_ptr<platform::GrafikEffekte> gfx_;
  std::unique_ptr<platform::Window> fenster_;
  SDL_Surface* puffer_ = nullptr;
};

/// One main-loop pass while 40 buttons fade: one fade step, then the window is presented.
void BM_DurchlaufMitBlenden(benchmark::State& state) {
  Welt w;
  for (int n = 100; n < 140; ++n) w.seiten->Ausblenden(n);
  for (auto _ : state) {
    w.uhr.Advance(1);
    if (!w.seiten->BlendetNoch())
      for (int n = 100; n < 140; ++n) w.seiten->Ausblenden(n);
    w.seiten->Blender();
    w.Present();
  }
}
BENCHMARK(BM_DurchlaufMitBlenden)->Unit(benchmark::kMicrosecond);

/// The fade step alone: one element composed and copied into the back image.
void BM_Blendschritt(benchmark::State& state) {
  Welt w;
  for (auto _ : state) {
    w.uhr.Advance(1);
    if (!w.seiten->BlendetNoch())
      for (int n = 100; n < 140; ++n) w.seiten->Ausblenden(n);
    w.seiten->Blender();
  }
}
BENCHMARK(BM_Blendschritt)->Unit(benchmark::kMicrosecond);

/// A full page change: to the matrix page and back to the main page with its panel.
void BM_Seitenwechsel(benchmark::State& state) {
  Welt w;
  for (auto _ : state) {
    w.Objekte()[11].Wert = 1;
    w.seiten->SzeneAktivieren("Matrixbild", 0);
    w.seiten->SzeneAktivieren("Hauptbild", 0);
    w.Present();
  }
  state.SetLabel("two page changes per iteration");
}
BENCHMARK(BM_Seitenwechsel)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
