// The scheduler against the real mixing engine on its manual-clock device: what comes out
// must be the placed samples summed at their positions, computed here independently.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>

#include "platform/MappedFile.h"
#include "platform/engine/ZeloEngine.h"
#include "platform/audio/MixEngine.h"
#include "playback/Wiedergabe.h"
#include "tests/support/TestEnv.h"

namespace zelo::playback {
namespace {

constexpr int64_t kFramesProTakt = kBytesProTakt / 4;
/// Voices fade in and out over their first and last 64 frames (no clicks at cuts); the
/// comparison leaves out that much around every bar line, where all sounds here begin and end.
constexpr int64_t kRampe = 70;
/// A new mix's channel volume sits 12 dB below full scale.
constexpr double kKanalGain = 0.25;

struct Platz {
  int spur;
  int takt;
  int sample;
};

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() : engine(Optionen()), spuren(katalog), wg(engine, spuren, katalog, uhr, umgebung, kanaele) {
    // Three samples of 1, 2 and 1 bars with their own noise, back to back in one cache file.
    const int takte[] = {1, 2, 1};
    std::string pfad = test::FreshHome() + "flint20";
    std::ofstream datei(pfad, std::ios::binary);
    int64_t offset = 0;
    for (int s = 1; s <= 3; ++s) {
      std::mt19937 zufall(static_cast<unsigned>(s));
      std::uniform_int_distribution<int> wert(-6000, 6000);
      auto& pcm = quellen[static_cast<size_t>(s)];
      pcm.resize(static_cast<size_t>(takte[s - 1] * kFramesProTakt * 2));
      for (auto& v : pcm) v = static_cast<int16_t>(wert(zufall));
      datei.write(reinterpret_cast<const char*>(pcm.data()), static_cast<std::streamsize>(pcm.size() * 2));
      auto i = static_cast<size_t>(s);
      katalog.SampleTakte[i] = takte[s - 1];
      katalog.SampleOrt[i] = library::kOrtCache;
      katalog.SampleOffset[i] = static_cast<int32_t>(offset);
      katalog.SampleGroesse[i] = static_cast<int32_t>(pcm.size() * 2);
      offset += static_cast<int64_t>(pcm.size() * 2);
    }
    datei.close();
    EXPECT_TRUE(cache.Open(pfad, platform::MapMode::ReadOnly));
    katalog.BreitenBerechnen(50);
    spuren.PixelProTaktSetzen(50);
    wg.PixelProTaktSetzen(50);
    Container c;
    c.Cache = &cache;
    wg.ContainerSetzen(c);
    // Three samples on tracks 0 to 2 at bars 0 and 2.
    for (const auto& p : plaetze) spuren.SampleSetzen(p.spur, p.takt * 128, p.sample);
  }
  static platform::EngineOptions Optionen() {
    platform::EngineOptions o;
    o.device = platform::AudioDevice::Manual;
    o.tempFolder = test::FreshHome();
    return o;
  }

  /// Renders `frames` frames in device blocks, with one main-loop pass after each.
  std::vector<int16_t> Spielen(int64_t frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames * 2));
    for (int64_t fertig = 0; fertig < frames;) {
      int n = static_cast<int>(std::min<int64_t>(512, frames - fertig));
      engine.Mix().RenderManual(out.data() + fertig * 2, n);
      fertig += n;
      if (wg.MixLaeuft != 0) wg.PlayUpdate(0);
    }
    return out;
  }

  /// The song's sound at song frame `pos`, side 0 or 1, as the samples add up.
  int16_t Referenz(int64_t pos, int seite) const {
    double summe = 0;
    for (const auto& p : plaetze) {
      const auto& pcm = quellen[static_cast<size_t>(p.sample)];
      int64_t innen = pos - p.takt * kFramesProTakt;
      if (innen >= 0 && innen * 2 < static_cast<int64_t>(pcm.size())) summe += pcm[static_cast<size_t>(innen * 2 + seite)];
    }
    return static_cast<int16_t>(std::lround(summe * kKanalGain));
  }

  /// Compares engine output with the reference; `songFrame` maps an output frame to the song.
  template <typename Abbildung>
  void Vergleichen(const std::vector<int16_t>& out, int64_t bis, Abbildung songFrame) {
    int64_t verglichen = 0;
    for (int64_t f = 0; f < bis; ++f) {
      int64_t imTakt = f % kFramesProTakt;
      if (imTakt < kRampe || imTakt > kFramesProTakt - kRampe) continue;
      for (int seite = 0; seite < 2; ++seite) {
        int16_t ist = out[static_cast<size_t>(f * 2 + seite)];
        int16_t soll = Referenz(songFrame(f), seite);
        ASSERT_NEAR(ist, soll, 1) << "frame " << f << " side " << seite;  // float sums round once
      }
      ++verglichen;
    }
    EXPECT_GT(verglichen, bis * 9 / 10);
  }

  std::array<std::vector<int16_t>, 4> quellen;
  const std::vector<Platz> plaetze = {{0, 0, 1}, {1, 0, 2}, {2, 2, 3}, {0, 2, 1}};
  platform::ZeloEngine engine;
  platform::ManualClock uhr;
  Transportumgebung umgebung;
  Kanaltabellen kanaele;
  library::Katalog katalog;
  arrangement::Spuren spuren;
  platform::MappedFile cache;
  Wiedergabe wg;
};

TEST_F(EngineTest, TheSongSoundsAsItsSamplesSummedAndStopsAtItsEnd) {
  wg.PlayInit("Normal");
  wg.PlayUpdate(0);
  auto out = Spielen(3 * kFramesProTakt - 1024);  // the last sounds end with bar 3
  EXPECT_EQ(wg.MixLaeuft, arrangement::kWahr);
  Vergleichen(out, static_cast<int64_t>(out.size() / 2), [](int64_t f) { return f; });
  Spielen(2048);
  EXPECT_EQ(wg.MixLaeuft, 0);
  EXPECT_TRUE(wg.EndeErreicht);
}

TEST_F(EngineTest, ALoopRangeOfBarsTwoToThreeRepeatsSeamlessly) {
  wg.LoopModus = arrangement::kWahr;
  wg.LoopAnfang = 2;
  wg.LoopEnde = 3;
  wg.PlayInit("Normal");
  wg.PlayUpdate(0);
  const int64_t frames = 12 * kFramesProTakt;
  auto out = Spielen(frames);
  EXPECT_EQ(wg.MixLaeuft, arrangement::kWahr);
  // Bar 2 (1-based) of the song, which holds the second half of the 2-bar sample, then bar 3.
  Vergleichen(out, frames, [](int64_t f) { return kFramesProTakt + f % (2 * kFramesProTakt); });
  EXPECT_EQ(engine.Mix().DroppedCommands(), 0u);
}

}  // namespace
}  // namespace zelo::playback
