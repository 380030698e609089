// Cost of one pointer step of each widget while it is dragged: the fader redraw, the quick
// fader's popup, a key change, an LED painted and a sample-editor marker move. Each step
// only compares and copies rectangles; these figures show it stays far below a frame.

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdlib>
#include <memory>

#include "pages/Objekte.h"
#include "platform/Window.h"
#include "widgets/Bildbox.h"
#include "widgets/Grafik_FX.h"

namespace {

using namespace zelo;

struct Buehne {
  Buehne() {
    fenster = std::make_unique<platform::Window>(platform::WindowOptions{1280, 960, true, "bench"});
    sampi = std::make_unique<widgets::Bildbox>(fenster.get());
    fx.setsampi(sampi.get());
    fx.QAbstand = 8;
    strip = platform::NewSurface(960, 384);
    knopf = platform::NewSurface(20, 20);
    quick = platform::NewSurface(30, 136);
  }
  ~Buehne() {
    SDL_FreeSurface(strip);
    SDL_FreeSurface(knopf);
    SDL_FreeSurface(quick);
  }
  widgets::ReglerStruct Regler(bool fest) {
    widgets::ReglerStruct r{};
    r.MainHWND = fenster.get();
    r.AusgabeHDC = r.ZielHDC = fenster->Back();
    r.FixFlag = fest ? widgets::kWahr : 0;
    r.RHintergrundHDC = fest ? strip : quick;
    r.RHintergrundBreite = fest ? 20 : 30;
    r.RHintergrundHoehe = fest ? 200 : 136;
    r.ZielXPos = r.XClickPos = 100;
    r.ZielYPos = r.YClickPos = 100;
    r.ZielBreite = r.ClickPosBreite = fest ? 20 : 30;
    r.ZielHoehe = r.ClickPosHoehe = fest ? 200 : 10;
    r.RKopfHDC = knopf;
    r.RKopfBreite = 20;
    r.RKopfHoehe = 20;
    r.ReglerDX = fest ? 20 : 30;
    r.ReglerDY = fest ? 200 : 120;
    r.RAktWert = 16000;
    return r;
  }
  std::unique_ptr<platform::Window> fenster;
  std::unique_ptr<widgets::Bildbox> sampi;
  pages::Objekte objekte;
  widgets::Grafik_FX fx{objekte};
  SDL_Surface* strip = nullptr;
  SDL_Surface* knopf = nullptr;
  SDL_Surface* quick = nullptr;
};

void FaderDrag(benchmark::State& state) {
  Buehne b;
  const bool fest = state.range(0) != 0;
  int16_t h = b.fx.ReglerInit(b.Regler(fest));
  b.fx.MouseDown(1, 0, 110, fest ? 200 : 105);
  int y = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(b.fx.MouseMove(1, 0, 110, 150 + (y++ % 100)));
  }
  b.fx.MouseUp(1, 0, 0, 0);
  benchmark::DoNotOptimize(h);
}
BENCHMARK(FaderDrag)->Arg(1)->Arg(0)->ArgNames({"fixed"});

void KeyboardDrag(benchmark::State& state) {
  Buehne b;
  b.fx.TastaturInit(100, 600, 0, 0, 0, 192, 40, b.strip, b.fenster->Back(), b.fenster->Back(), b.fenster.get(), 12);
  int x = 0;
  for (auto _ : state) benchmark::DoNotOptimize(b.fx.TastaturMouseMove(1, 0, 100 + (x++ * 37) % 960, 650));
}
BENCHMARK(KeyboardDrag);

void LedPaint(benchmark::State& state) {
  Buehne b;
  for (int i = 0; i < 18; ++i) {
    auto& o = b.objekte[widgets::kMatrixElement + i];
    o.X = static_cast<int16_t>(300 + 30 * i);
    o.Y = static_cast<int16_t>(200 + 25 * i);
    o.Breite = 21;
    o.Hoehe = 22;
    o.AktivY = 22;
  }
  b.fx.MatrixInit(0, 0, 0, 0, 0, 0, 0, 0, 40, b.strip, b.fenster->Back(), b.fenster->Back(), b.fenster.get(), 21, 22);
  b.fx.MatrixMouseDown(1, 0, 310, 210);
  int i = 0;
  for (auto _ : state) {
    const int s = i % 16, r = (i / 16) % 18;
    ++i;
    benchmark::DoNotOptimize(b.fx.MatrixMouseMove(1, 0, 310 + 30 * s, 211 + 25 * r));
  }
}
BENCHMARK(LedPaint);

void SampleEditorMarker(benchmark::State& state) {
  Buehne b;
  SDL_Surface* overlay = b.fenster->LayerSurface(platform::Layer::Editor);
  b.fx.SEEditInit(nullptr, 200, 300, 600, 40, 40, 0, 0, 16384, 1280, overlay, b.fenster.get());
  b.fx.SEMouseDown(1, 0, 202, 302);
  int x = 0;
  for (auto _ : state) benchmark::DoNotOptimize(b.fx.SEMouseMove(1, 0, 202 + (x++ % 300), 302));
}
BENCHMARK(SampleEditorMarker);

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
