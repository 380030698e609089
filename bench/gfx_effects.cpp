// Graphics effects on the UI thread: one sample block at the widest, one element fade step
// through the full work buffer, and one level meter draw.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/Window.h"
#include "platform/gfx/GrafikEffekte.h"

using namespace zelo::platform;

namespace {

struct Umgebung {
  ManualClock clock;
  Fonts fonts;
  GrafikEffekte gfx{fonts, &clock};
  Umgebung() { SDL_Init(SDL_INIT_VIDEO); }
};

void SampleBlock(benchmark::State& state) {
  Umgebung u;
  u.gfx.GFX_SampleInit(32, 2560, FontSpec{"Arial", false, 7, 0, 0, 0});
  int32_t paar = u.gfx.GFX_SampleAddTexturePair("", "", "", 12, 25, 112);  // built-in look
  int breite = static_cast<int>(state.range(0));
  int gruppe = 0;
  for (auto _ : state) {
    u.gfx.GFX_SampleZeichne(paar, gruppe, breite, "Loop Funky 120", "Drums / Kit 3", 0, 0);
    gruppe = (gruppe + 1) % 12;
  }
}
BENCHMARK(SampleBlock)->Arg(50)->Arg(400)->Arg(2560)->Unit(benchmark::kMicrosecond);

void FadeStep(benchmark::State& state) {
  Umgebung u;
  SDL_Surface* slot = NewSurface(1280, 960);
  u.gfx.GFX_AnimationSwapInit(400, 400);
  int p = 0;
  for (auto _ : state) {
    u.gfx.GFX_AnimationPhase(slot, 1280, 960, 0, 400, 0, 0, 0, 394, 400, p);
    p = (p + 7) % 101;
  }
  SDL_FreeSurface(slot);
}
BENCHMARK(FadeStep)->Unit(benchmark::kMicrosecond);

void VolBar(benchmark::State& state) {
  Umgebung u;
  SDL_Surface* ziel = NewSurface(1280, 960);
  int32_t m = u.gfx.GFX_VolBarInit(100, 100, 12, 200);
  int32_t pegel = 1;
  for (auto _ : state) {
    u.gfx.GFX_VolBarDraw(m, pegel, ziel);
    pegel = (pegel * 3 + 11) % 32767 + 1;
    u.clock.Advance(20);
  }
  SDL_FreeSurface(ziel);
}
BENCHMARK(VolBar)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
