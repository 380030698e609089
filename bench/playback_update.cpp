// The cost of one scheduling step (PlayUpdate) at the end of songs of growing length: it must
// not grow with the song, since each step looks only at the entries near where it stopped.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/Clock.h"
#include "playback/Wiedergabe.h"
#include "playback/tests/FakeEngine.h"

namespace {

using namespace zelo;

/// An engine that takes every call and keeps nothing.
class StilleEngine final : public playback::test::FakeEngine {
 public:
  int32_t APlay(int32_t, const platform::MappedFile*, const platform::MappedFile*, int64_t, int64_t, int32_t&,
                std::string&, int32_t, int64_t, int64_t, int64_t, int32_t) override {
    return 0;
  }
  void APos(int64_t) override {}
};

struct Song {
  explicit Song(int takte) : spuren(katalog), wg(engine, spuren, katalog, uhr, umgebung, kanaele) {
    katalog.SampleTakte[1] = 1;
    katalog.SampleOrt[1] = library::kOrtCache;
    katalog.BreitenBerechnen(50);
    spuren.PixelProTaktSetzen(50);
    // Every track holds a one-bar loop on every bar of the song.
    for (int t = 0; t < arrangement::kHoerbareSpuren; ++t)
      for (int b = 0; b < takte; ++b) spuren.SampleSetzen(t, b * arrangement::kTicksProTakt, 1);
  }
  StilleEngine engine;
  platform::ManualClock uhr;
  playback::Transportumgebung umgebung;
  playback::Kanaltabellen kanaele;
  library::Katalog katalog;
  arrangement::Spuren spuren;
  playback::Wiedergabe wg;
};

void BM_PlayUpdateAmSongende(benchmark::State& state) {
  auto song = std::make_unique<Song>(static_cast<int>(state.range(0)));
  song->wg.AktTakt = static_cast<int32_t>(state.range(0)) - 4;
  song->wg.PlayInit("Normal");
  song->engine.zeitMs = 1000;  // a second into the last four bars
  for (auto _ : state) song->wg.PlayUpdate(0);
  state.counters["entries"] = static_cast<double>(state.range(0) * arrangement::kHoerbareSpuren);
}
BENCHMARK(BM_PlayUpdateAmSongende)->Arg(8)->Arg(100)->Arg(999);

void BM_PlayUpdateLaufend(benchmark::State& state) {
  // The whole song loops; the engine clock moves 10 ms a step, as the main loop runs.
  auto song = std::make_unique<Song>(static_cast<int>(state.range(0)));
  song->wg.LoopModus = arrangement::kWahr;
  song->wg.AktTakt = static_cast<int32_t>(state.range(0)) - 4;
  song->wg.PlayInit("Normal");
  for (auto _ : state) {
    song->engine.zeitMs += 10;
    song->wg.PlayUpdate(0);
  }
}
BENCHMARK(BM_PlayUpdateLaufend)->Arg(8)->Arg(100)->Arg(999);

}  // namespace

BENCHMARK_MAIN();
