// Catalogue load at start-up: LoadZubs with the shipped library (no state file yet, so the
// medium's default catalogue is read) and with a full state file of 17,100 slots; and the
// sound groups' order and sorting over a full catalogue. Runs against the build's medium when
// ZELO_MEDIUM names its data folder, else against the medium next to this program.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "library/Gruppen.h"
#include "library/KatalogDateien.h"
#include "library/Zubs.h"
#include "platform/engine/ZeloEngine.h"

namespace {

namespace zl = zelo::library;

std::string Datenordner() {
  if (const char* m = std::getenv("ZELO_MEDIUM")) return std::string(m) + "/";
  return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path().string() + "/medium/zelo/zelo/";
}

std::string Arbeitsordner() {
  static const std::string ordner = [] {
    std::string o = std::filesystem::temp_directory_path().string() + "/zelo-bench-library/";
    std::filesystem::remove_all(o);
    std::filesystem::create_directories(o + "sys");
    return o;
  }();
  return ordner;
}

zl::Katalogorte Orte(const std::string& system) {
  zl::Katalogorte o;
  o.Systemordner = system;
  o.Datenordner = Datenordner();
  o.Quellordner = o.Datenordner.substr(0, o.Datenordner.size() - 10) + "zelo/";
  o.AlternativDatenordner = o.Datenordner;
  return o;
}

/// A catalogue with every slot 1 to 17100 in use, as a long-used installation has it.
zl::Katalog VollerKatalog() {
  zl::Katalog k;
  k.Kopf.Arbeitsordner() = "/home/user/zelo/";
  for (int n = 1; n <= zl::kHoechsteSampleNummer; ++n) {
    auto i = static_cast<size_t>(n);
    k.SampleOrt[i] = n >= 10200 && n < 13000 ? zl::kOrtEigeneDatei : zl::kOrtHauptcontainer;
    k.SampleOffset[i] = 4096 + (n % 7000) * 302400;  // stays within 32 bits
    k.SampleGroesse[i] = 302400 * (n % 4 + 1);
    k.SampleName[i] = "Sample name " + std::to_string(n % 997);
    k.SampleName2[i] = "Am F C G";
    k.SampleTakte[i] = n % 4 + 1;
    k.SampleGruppe[i] = static_cast<int16_t>(n % 10 + 1);
    if (k.SampleOrt[i] == zl::kOrtEigeneDatei) k.SampleDatei[i] = "/home/user/zelo/RECSAV/rec" + std::to_string(n) + ".wav";
    k.SampleHerkunft[i] = static_cast<int16_t>(n % 7 == 0 ? n / 7 : 0);
  }
  return k;
}

void LadenMitMedium(benchmark::State& state) {
  zl::Katalogorte o = Orte(Arbeitsordner() + "sys/");
  if (!std::filesystem::exists(o.Standardkatalog())) {
    state.SkipWithError("no medium: set ZELO_MEDIUM to the data folder");
    return;
  }
  int belegt = 0;
  for (auto _ : state) {
    zl::Katalog k;
    zl::Zubs z;
    zl::LoadZubs(k, z, o, "aktiv");
    belegt = 0;
    for (int n = 1; n <= zl::kHoechsteSampleNummer; ++n) belegt += k.Belegt(n);
    benchmark::DoNotOptimize(k.SampleName.data());
  }
  state.counters["samples"] = belegt;
}
BENCHMARK(LadenMitMedium)->Unit(benchmark::kMillisecond);

void LadenVollerZustand(benchmark::State& state) {
  const std::string system = Arbeitsordner() + "voll/";
  std::filesystem::create_directories(system);
  zl::Katalogorte o = Orte(system);
  zl::KatalogSpeichern(VollerKatalog(), o.Zustandsdatei());
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(o.Zustandsdatei()));
  for (auto _ : state) {
    zl::Katalog k;
    zl::Zubs z;
    zl::LoadZubs(k, z, o, "aktiv");
    benchmark::DoNotOptimize(k.SampleName.data());
  }
}
BENCHMARK(LadenVollerZustand)->Unit(benchmark::kMillisecond);

void SpeichernVollerZustand(benchmark::State& state) {
  const zl::Katalog k = VollerKatalog();
  const std::string pfad = Arbeitsordner() + "g_zelo.inf";
  for (auto _ : state) zl::KatalogSpeichern(k, pfad);
}
BENCHMARK(SpeichernVollerZustand)->Unit(benchmark::kMillisecond);

void GruppenOrdnenUndSortieren(benchmark::State& state) {
  const zl::Katalog k = VollerKatalog();
  zelo::platform::EngineOptions eo;
  eo.device = zelo::platform::AudioDevice::Manual;
  zelo::platform::ZeloEngine engine(eo);
  zl::Gruppenordnung g;
  for (auto _ : state) {
    g.GruppenOrdnen(k, engine);
    g.GruppenSortieren(k, engine, static_cast<int>(state.range(0)));
  }
}
BENCHMARK(GruppenOrdnenUndSortieren)->Arg(zl::kSortImport)->Arg(zl::kSortAlpha)->Arg(zl::kSortHarmonie)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
