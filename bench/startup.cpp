// Start-up time: from an empty process state to the first drawn picture (the start pictures
// presented), and on to the end of the second stage and the first activation. Runs against
// the build's medium when ZELO_MEDIUM names it, else against the medium next to this program.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Anwendung.h"
#include "app/Subsysteme.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/engine/ZeloEngine.h"

namespace {

std::string Medium() {
  if (const char* m = std::getenv("ZELO_MEDIUM")) return std::string(m) + "/";
  return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path().string() + "/medium/zelo/zelo/";
}

struct Umgebung {
  std::string home;
  Umgebung() {
    home = std::filesystem::temp_directory_path().string() + "/zelo-bench-home/";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home + ".config");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + ".config").c_str(), 1);
  }
};

void Start(benchmark::State& state, bool ganz) {
  static Umgebung u;
  SDL_InitSubSystem(SDL_INIT_VIDEO);
  for (auto _ : state) {
    zelo::platform::SystemClock uhr;
    zelo::platform::ScriptedDialogs dialoge;
    zelo::platform::EngineOptions eo;
    eo.device = zelo::platform::AudioDevice::Null;
    eo.tempFolder = u.home;
    eo.clock = &uhr;
    zelo::platform::ZeloEngine engine(eo);
    zelo::app::Subsysteme sub;
    zelo::app::StartOptionen o;
    o.Programmordner = Medium();
    o.FensterBreite = 1280;
    o.FensterHoehe = 960;
    o.EchteDialoge = false;
    zelo::app::Anwendung app(o, uhr, engine, &dialoge, sub);
    zelo::config::WindowsPfad(app.Ordner(), o.Umgebung);
    zelo::config::StartOrdner(app.Ordner(), o.Programmordner, o.Kommandozeile);
    app.FensterAnlegen();
    app.FLoad1();
    app.Startbilder();
    app.ZeigeWindow();
    if (ganz) {
      app.FLoad2();
      app.FActivate();
    }
    state.PauseTiming();
    app.ProzessEnde();
    state.ResumeTiming();
  }
}

void BM_StartToFirstPicture(benchmark::State& s) { Start(s, false); }
void BM_StartThroughFirstActivation(benchmark::State& s) { Start(s, true); }

}  // namespace

BENCHMARK(BM_StartToFirstPicture)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartThroughFirstActivation)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_MAIN();
