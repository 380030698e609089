// The running program with every subsystem joined: start-up of an installed program to the
// drawn main page (catalogue, sound groups, containers, page, ruler and tracks), and the
// processor time the real main loop takes while the program waits, stopped and while a song
// plays on the null audio device (counter "cpu_percent": process CPU time over wall time,
// audio thread included). Runs against the build's medium, or the one ZELO_MEDIUM names.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Anwendung.h"
#include "app/Verbund.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/engine/ZeloEngine.h"
#include "playback/Wiedergabe.h"
#include "setup/SetupFenster.h"

namespace {

std::string Medium() {
  if (const char* m = std::getenv("ZELO_MEDIUM")) return std::string(m) + "/";
  return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path().string() + "/medium/zelo/zelo/";
}

/// A home of its own; the first run installs with "start now", so later runs start installed.
struct Heim {
  std::string ordner;
  Heim() {
    ordner = std::filesystem::temp_directory_path().string() + "/zelo-bench-app-" + std::to_string(getpid()) + "/";
    std::filesystem::remove_all(ordner);
    std::filesystem::create_directories(ordner + ".config");
    std::filesystem::create_directories(ordner + "tmp");
    setenv("HOME", ordner.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (ordner + ".config").c_str(), 1);
    setenv("TMPDIR", (ordner + "tmp").c_str(), 1);
  }
  ~Heim() { std::filesystem::remove_all(ordner); }
};

/// One program run on the null audio device, with scripted dialogs and setup answers.
struct Lauf {
  zelo::platform::SystemClock uhr;
  zelo::platform::ScriptedDialogs dialoge;
  zelo::setup::ScriptedSetupFenster setup;
  std::unique_ptr<zelo::platform::ZeloEngine> engine;
  zelo::app::Verbund verbund;
  std::unique_ptr<zelo::app::Anwendung> app;

  explicit Lauf(const Heim& h) {
    zelo::platform::EngineOptions eo;
    eo.device = zelo::platform::AudioDevice::Null;
    eo.tempFolder = h.ordner + "tmp/";
    eo.clock = &uhr;
    engine = std::make_unique<zelo::platform::ZeloEngine>(eo);
    zelo::app::StartOptionen o;
    o.Programmordner = Medium();
    o.FensterBreite = 1280;
    o.FensterHoehe = 960;
    o.EchteDialoge = false;
    setup.Schritte = {{zelo::setup::SetupSchritt::Weiter, "", 0}};
    verbund.SetupFensterSetzen(&setup);
    app = std::make_unique<zelo::app::Anwendung>(o, uhr, *engine, &dialoge, verbund);
    verbund.Verbinden(*app);
    zelo::config::WindowsPfad(app->Ordner(), o.Umgebung);
    zelo::config::StartOrdner(app->Ordner(), o.Programmordner, o.Kommandozeile);
  }
  /// Main's start-up without the start pictures, then one pass that presents the main page.
  void Starten() {
    app->FensterAnlegen();
    app->FLoad1();
    app->FLoad2();
    app->FActivate();
    app->Zyklus();
  }
  ~Lauf() {
    if (app->EngineBereit() > 0) app->Schluss();
  }
};

double CpuSekunden() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

Heim& EinHeim() {
  static Heim h;
  static bool installiert = false;
  if (!installiert) {
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    Lauf erster(h);
    erster.Starten();
    installiert = true;
  }
  return h;
}

void BM_StartToDrawnMainPage(benchmark::State& state) {
  Heim& h = EinHeim();
  for (auto _ : state) {
    Lauf l(h);
    l.Starten();
    state.PauseTiming();
    if (l.app->Ordner().Betriebsart != zelo::config::BetriebNormal) state.SkipWithError("not installed");
    l.app->Schluss();
    state.ResumeTiming();
  }
}

/// Runs the real main loop (Durchlauf: wait for events with its time-out, then Zyklus) for a
/// few seconds of wall time and reports the process's CPU share.
void Leerlauf(benchmark::State& state, bool spielen) {
  Heim& h = EinHeim();
  for (auto _ : state) {
    state.PauseTiming();
    Lauf l(h);
    l.Starten();
    if (spielen) {
      // Two loops on two tracks, repeated by a loop range so the song plays throughout.
      zelo::app::Verbund& v = l.verbund;
      v.Spuren().SampleSetzen(0, 0, 1);
      v.Spuren().SampleSetzen(1, 0, 2);
      v.Wiedergabe()->LoopModus = -1;
      v.Wiedergabe()->LoopAnfang = 1;
      v.Wiedergabe()->LoopEnde = 4;
      v.PlayStop();
    }
    state.ResumeTiming();
    const double cpu0 = CpuSekunden();
    const auto t0 = std::chrono::steady_clock::now();
    const auto ende = t0 + std::chrono::seconds(4);
    int durchlaeufe = 0;
    while (std::chrono::steady_clock::now() < ende && l.app->Durchlauf()) ++durchlaeufe;
    const double wand = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    state.counters["cpu_percent"] = 100.0 * (CpuSekunden() - cpu0) / wand;
    state.counters["passes_per_s"] = durchlaeufe / wand;
    if (spielen && !l.verbund.Spielt()) state.SkipWithError("the song stopped");
  }
}

void BM_MainLoopIdleStopped(benchmark::State& s) { Leerlauf(s, false); }
void BM_MainLoopIdlePlaying(benchmark::State& s) { Leerlauf(s, true); }

}  // namespace

BENCHMARK(BM_StartToDrawnMainPage)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MainLoopIdleStopped)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MainLoopIdlePlaying)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
