// The scheduler's arithmetic against an engine that keeps the arguments it was given.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/MappedFile.h"
#include "playback/Wiedergabe.h"
#include "playback/tests/FakeEngine.h"

namespace zelo::playback {
namespace {

using arrangement::kWahr;
constexpr int64_t kTakt = kBytesProTakt;

/// Records what the transport asked of the screen and the other subsystems.
struct TestUmgebung : Transportumgebung {
  std::vector<std::string> log;
  std::vector<std::string> texte;
  int32_t faden = -1;
  bool aufnahme = false;
  void FadenZeichnen(int32_t x) override { faden = x; }
  void LinealZeichnen() override { log.push_back("Lineal"); }
  void SpurenZeichnen() override { log.push_back("Spuren"); }
  void Mixtext(const std::string& t) override { texte.push_back(t); }
  void MixnameZeigen() override { log.push_back("Mixname"); }
  void Warnung(const std::string& t, int titel) override { log.push_back("Warnung " + std::to_string(titel) + " " + t); }
  std::string Text(int n) override { return n == 70 ? "Bar " : "T" + std::to_string(n); }
  bool NimmtAuf() override { return aufnahme; }
};

class SchedulerTest : public ::testing::Test {
 protected:
  SchedulerTest() : spuren(katalog), wg(engine, spuren, katalog, uhr, umgebung, kanaele) {
    Sample(1, 2);
    Sample(2, 1);
    Sample(3, 4);
    Sample(7300, 1);
    katalog.BreitenBerechnen(50);
    spuren.PixelProTaktSetzen(50);
    wg.PixelProTaktSetzen(50);
  }
  void Sample(int n, int takte) {
    auto i = static_cast<size_t>(n);
    katalog.SampleTakte[i] = takte;
    katalog.SampleOrt[i] = library::kOrtCache;
    katalog.SampleOffset[i] = n * 1000;
    katalog.SampleGroesse[i] = takte * static_cast<int32_t>(kTakt);
  }
  /// Plays on until the engine clock shows `ms`, one scheduling step every 10 ms.
  void SpielenBis(int32_t ms) {
    for (int32_t t = engine.zeitMs; t <= ms && wg.MixLaeuft != 0; t += 10) {
      engine.zeitMs = t;
      wg.PlayUpdate(0);
    }
  }
  static int32_t MsFuer(int64_t bytes) { return static_cast<int32_t>(std::ceil(bytes / 176.4)); }

  test::FakeEngine engine;
  platform::ManualClock uhr;
  TestUmgebung umgebung;
  Kanaltabellen kanaele;
  library::Katalog katalog;
  arrangement::Spuren spuren;
  Wiedergabe wg;
};

TEST_F(SchedulerTest, PlayStartHandsTheChannelsToTheEngineAndStartsTheTimeline) {
  kanaele.KanalPan[3] = 2;
  kanaele.KanalLautstaerke[16] = 1234;
  kanaele.PitchWert = 7000;
  spuren.SampleSetzen(0, 0, 2);
  wg.PlayInit("Normal");
  EXPECT_EQ(wg.MixLaeuft, kWahr);
  EXPECT_EQ(engine.pans.size(), 16u);
  EXPECT_EQ(engine.pans[3], std::make_pair(3, 2));
  EXPECT_NE(std::find(engine.params.begin(), engine.params.end(), std::make_pair(76, 1234)), engine.params.end());
  EXPECT_EQ(engine.params.back(), std::make_pair(50, 0));
  EXPECT_EQ(engine.log.back(), "AStart");
  ASSERT_EQ(engine.plays.size(), 1u);
  EXPECT_EQ(engine.plays[0].container, nullptr);  // no cache opened in this test
  EXPECT_EQ(engine.plays[0].offset, 2000);
  EXPECT_EQ(engine.plays[0].groesse, kTakt);
}

TEST_F(SchedulerTest, AnEmptySongDoesNotStart) {
  wg.PlayInit("Normal");
  EXPECT_EQ(wg.MixLaeuft, 0);
  EXPECT_EQ(std::count(engine.log.begin(), engine.log.end(), "AStart"), 0);
  // With a loop range, entries that end before it count as nothing to play.
  spuren.SampleSetzen(0, 0, 2);
  wg.LoopModus = kWahr;
  wg.LoopAnfang = 3;
  wg.LoopEnde = 4;
  wg.PlayInit("Normal");
  EXPECT_EQ(wg.MixLaeuft, 0);
}

TEST_F(SchedulerTest, SoundsAreCutAtTheNextEntryAndByTheirOwnCuts) {
  struct Fall {
    const char* name;
    int32_t start2;         // start of a second entry on the track, -1 none
    int32_t schnittAnfang, schnittEnde;
    int64_t dauer, versatz;  // of the first entry (4 bars at tick 0)
  } faelle[] = {
      {"alone", -1, 0, 0, 4 * kTakt, 0},
      {"next entry inside", 128, 0, 0, kTakt, 0},
      {"next entry after the end", 1024, 0, 0, 4 * kTakt, 0},
      {"cut at both ends", -1, 64, 128, 4 * kTakt - 453600, 151200},
      {"cuts shorter than the gap", 384, 0, 128, 3 * kTakt, 0},
  };
  for (const auto& f : faelle) {
    spuren.MixLoeschen();
    engine.plays.clear();
    wg.AktTakt = 0;
    spuren.SampleSetzen(0, 0, 3);
    spuren[0].Eintrag[0].SchnittAnfang = f.schnittAnfang;
    spuren[0].Eintrag[0].SchnittEnde = f.schnittEnde;
    if (f.start2 >= 0) spuren.SampleSetzen(0, f.start2, 2);
    wg.PlayInit("Normal");
    ASSERT_FALSE(engine.plays.empty()) << f.name;
    EXPECT_EQ(engine.plays[0].start, 0) << f.name;
    EXPECT_EQ(engine.plays[0].dauer, f.dauer) << f.name;
    EXPECT_EQ(engine.plays[0].versatz, f.versatz) << f.name;
    wg.AllStop("Normal");
  }
}

TEST_F(SchedulerTest, StartingInsideAnEntryPlaysItsRemainder) {
  spuren.SampleSetzen(0, 0, 3);  // 4 bars
  spuren[0].Eintrag[0].SchnittAnfang = 16;
  wg.AktTakt = 2;
  wg.PlayInit("Normal");
  ASSERT_EQ(engine.plays.size(), 1u);
  const auto& p = engine.plays[0];
  EXPECT_EQ(p.start, 0);  // engine time 0 stands for bar 2
  EXPECT_EQ(p.versatz, 16 * 2362 + 8 + 2 * kTakt);  // 16 ticks cut plus the two bars already passed
  EXPECT_EQ(p.dauer, 4 * kTakt - 37800 - 2 * kTakt);
}

TEST_F(SchedulerTest, EntriesAreHandedOverThreeBarsAheadAndTheHorizonNeverFalls) {
  for (int takt = 0; takt < 40; takt += 2) spuren.SampleSetzen(0, takt * 128, 2);
  wg.PlayInit("Normal");
  EXPECT_EQ(engine.plays.size(), 2u);  // bars 0 and 2 lie within the first three bars
  SpielenBis(MsFuer(kTakt) + 5);
  EXPECT_EQ(engine.plays.size(), 3u);  // bar 4 is due one bar later
  SpielenBis(MsFuer(30 * kTakt));
  ASSERT_EQ(engine.plays.size(), 17u);  // bars 0 to 32: up to three bars ahead of bar 30
  for (size_t i = 0; i < engine.plays.size(); ++i) {
    EXPECT_EQ(engine.plays[i].start, static_cast<int64_t>(i) * 2 * kTakt);
    EXPECT_EQ(engine.plays[i].dauer, kTakt);
  }
  EXPECT_TRUE(std::is_sorted(engine.horizonte.begin() + 3, engine.horizonte.end()));
  // The horizon stays within the look-ahead of the engine's position.
  EXPECT_LE(engine.horizonte.back(), 34 * kTakt);
}

TEST_F(SchedulerTest, TheTransientRowNeverSoundsButIsScheduled) {
  spuren.SampleSetzen(16, 0, 7300);
  spuren.SampleSetzen(16, 256, 7300);
  spuren.SampleSetzen(0, 0, 2);
  wg.PlayInit("Normal");
  for (const auto& p : engine.plays) EXPECT_NE(p.kanal, 16);
  EXPECT_EQ(wg.GeplantBis[16], 256 + 128 - 1);
}

TEST_F(SchedulerTest, TheSongStopsWhenTheEngineTimePassesItsEnd) {
  spuren.SampleSetzen(0, 0, 1);  // 2 bars
  spuren.SampleSetzen(3, 128, 1);  // 2 bars from bar 1: the song ends after bar 3
  wg.PlayInit("Normal");
  SpielenBis(MsFuer(3 * kTakt) - 20);
  EXPECT_EQ(wg.MixLaeuft, kWahr);
  EXPECT_FALSE(wg.EndeErreicht);
  SpielenBis(MsFuer(3 * kTakt) + 20);
  EXPECT_EQ(wg.MixLaeuft, 0);
  EXPECT_TRUE(wg.EndeErreicht);
  EXPECT_EQ(engine.plays.size(), 2u);
}

TEST_F(SchedulerTest, WithLoopModeTheWholeSongStartsAgain) {
  spuren.SampleSetzen(0, 0, 1);
  wg.LoopModus = kWahr;
  wg.PlayInit("Normal");
  SpielenBis(MsFuer(7 * kTakt));
  EXPECT_EQ(wg.MixLaeuft, kWahr);
  ASSERT_GE(engine.plays.size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(engine.plays[i].start, static_cast<int64_t>(i) * 2 * kTakt);
}

TEST_F(SchedulerTest, ALoopRangeRepeatsSeamlesslyAndCutsWhatRunsPastItsEnd) {
  for (int takt = 0; takt < 10; ++takt) spuren.SampleSetzen(0, takt * 128, 2);
  spuren.SampleSetzen(1, 6 * 128, 3);  // 4 bars from bar 6: runs past the loop's end
  wg.LoopModus = kWahr;
  wg.LoopAnfang = 5;
  wg.LoopEnde = 8;
  wg.AktTakt = 1;
  wg.PlayInit("Normal");
  EXPECT_EQ(wg.AktTakt, 4);  // playback starts at the loop's first bar
  SpielenBis(MsFuer(12 * kTakt));
  std::vector<int64_t> starts0, starts1;
  for (const auto& p : engine.plays) {
    (p.kanal == 0 ? starts0 : starts1).push_back(p.start);
    // Channel 1 plays bars 7 and 8 of its 4-bar sound: the loop ends there.
    EXPECT_EQ(p.dauer, p.kanal == 0 ? kTakt : 2 * kTakt);
  }
  ASSERT_GE(starts0.size(), 12u);
  for (size_t i = 0; i < 12; ++i) EXPECT_EQ(starts0[i], static_cast<int64_t>(i) * kTakt) << i;
  ASSERT_GE(starts1.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(starts1[i], static_cast<int64_t>(i) * 4 * kTakt + 2 * kTakt) << i;
  EXPECT_EQ(wg.MixLaeuft, kWahr);
}

TEST_F(SchedulerTest, VolumesBecomeEngineVolumes) {
  struct Fall {
    int16_t lautstaerke;
    int32_t engine;
  } faelle[] = {{-16384, 0}, {0, 256}, {16383, 512}, {-100, 254}, {-32768, 0}, {32767, 512}};
  for (const auto& f : faelle) {
    engine.plays.clear();
    wg.PlaySample(2, 0, 0, 100, 0, f.lautstaerke);
    ASSERT_EQ(engine.plays.size(), 1u);
    EXPECT_EQ(engine.plays[0].lautstaerke, f.engine) << f.lautstaerke;
  }
}

TEST_F(SchedulerTest, EachLocationPlaysFromItsContainer) {
  platform::MappedFile cache, partner, haupt, a, b, c, d;
  wg.ContainerSetzen({&cache, &partner, &haupt, &a, &b, &c, &d});
  katalog.SampleDatei[2] = "/irgendwo/eigen.wav";
  struct Fall {
    int16_t ort;
    const platform::MappedFile* container;
    const platform::MappedFile* partner;
    bool spielt;
  } faelle[] = {{1, nullptr, &partner, true}, {2, &cache, nullptr, true}, {3, &a, nullptr, true},
                {4, &b, nullptr, true},       {5, &c, nullptr, true},    {6, &haupt, nullptr, true},
                {9, &d, nullptr, true},       {99, nullptr, nullptr, true}, {7, nullptr, nullptr, false},
                {0, nullptr, nullptr, false}};
  for (const auto& f : faelle) {
    engine.plays.clear();
    katalog.SampleOrt[2] = f.ort;
    wg.PlaySample(2, 5, 10, 20, 30, 0);
    ASSERT_EQ(engine.plays.size(), f.spielt ? 1u : 0u) << f.ort;
    if (!f.spielt) continue;
    const auto& p = engine.plays[0];
    EXPECT_EQ(p.container, f.container) << f.ort;
    EXPECT_EQ(p.partner, f.partner) << f.ort;
    EXPECT_EQ(p.groesse, f.ort == 99 ? 0 : kTakt) << f.ort;
    EXPECT_EQ(p.ort, f.ort);
    EXPECT_EQ(p.datei, "/irgendwo/eigen.wav");
    EXPECT_EQ(p.kanal, 5);
    EXPECT_EQ(p.start, 10);
    EXPECT_EQ(p.dauer, 20);
    EXPECT_EQ(p.versatz, 30);
  }
  engine.plays.clear();
  wg.PlaySample(20000, 0, 0, 1, 0, 0);
  wg.PlaySample(-1, 0, 0, 1, 0, 0);
  EXPECT_TRUE(engine.plays.empty());
}

TEST_F(SchedulerTest, AuditionsPlayTheSelectionOrWarnWhenItsFileIsGone) {
  spuren.SampleSetzen(0, 0, 2);
  wg.PlayInit("Normal");
  wg.SampleVorhoeren(3, 64, 0);
  EXPECT_EQ(wg.MixLaeuft, 0);
  EXPECT_EQ(engine.startEnde, kVorhoerEnde);
  EXPECT_EQ(engine.params.back(), std::make_pair(50, 1));
  const auto& p = engine.plays.back();
  EXPECT_EQ(p.sample, 3);
  EXPECT_EQ(p.kanal, 0);
  EXPECT_EQ(p.dauer, 4 * kTakt - 151200);
  EXPECT_EQ(p.versatz, 151200);
  EXPECT_EQ(p.lautstaerke, 256);

  katalog.SampleOrt[3] = library::kOrtEigeneDatei;
  katalog.SampleDatei[3] = "/gibt/es/nicht.wav";
  katalog.SampleName[3] = "Eins";
  katalog.SampleName2[3] = "Zwei";
  size_t vorher = engine.plays.size();
  wg.SampleVorhoeren(3, 0, 0);
  EXPECT_EQ(engine.plays.size(), vorher);
  EXPECT_EQ(umgebung.log.back(), "Warnung 259 T257 Eins - Zwei (/gibt/es/nicht.wav) T258");

  wg.VorhoerRueckruf("/Musik/Datei.WAV");
  EXPECT_EQ(engine.plays.back().sample, 0);
  EXPECT_EQ(engine.plays.back().ort, 99);
  EXPECT_EQ(engine.plays.back().datei, "/Musik/Datei.WAV");
  EXPECT_EQ(engine.plays.back().lautstaerke, 256);
}


// --- Transport ---------------------------------------------------------------------------------

TEST_F(SchedulerTest, MovingTheMarkerWhilePlayingRestartsThereAfterThirtySixSteps) {
  for (int takt = 0; takt < 20; ++takt) spuren.SampleSetzen(0, takt * 128, 2);
  wg.PlayInit("Normal");
  SpielenBis(MsFuer(kTakt) + 100);
  ASSERT_EQ(wg.SpielTakt, 1);
  wg.SetRot(1);  // the bar that plays: nothing happens
  EXPECT_EQ(wg.MixLaeuft, kWahr);
  wg.SetRot(5);
  EXPECT_EQ(wg.MixLaeuft, 0);
  EXPECT_EQ(wg.Neustartzaehler, 1);
  engine.zeitMs = 0;
  for (int i = 0; i < 35; ++i) {
    uhr.Advance(20);
    wg.TimerUpdate();
  }
  EXPECT_EQ(wg.MixLaeuft, 0);
  uhr.Advance(20);
  wg.TimerUpdate();
  EXPECT_EQ(wg.MixLaeuft, kWahr);
  EXPECT_EQ(wg.AktTakt, 5);
  EXPECT_EQ(wg.StartVersatz, 5.0 * kTakt);
  EXPECT_EQ(std::count(engine.log.begin(), engine.log.end(), "AStart"), 2);
}

TEST_F(SchedulerTest, AnyOtherStopCancelsAPendingRestart) {
  for (int takt = 0; takt < 20; ++takt) spuren.SampleSetzen(0, takt * 128, 2);
  wg.PlayInit("Normal");
  wg.SetRot(5);
  wg.AllStop("Normal");
  EXPECT_EQ(wg.Neustartzaehler, 0);
  for (int i = 0; i < 50; ++i) {
    uhr.Advance(20);
    wg.TimerUpdate();
  }
  EXPECT_EQ(wg.MixLaeuft, 0);
}

TEST_F(SchedulerTest, ThePlayheadTurnsThePageAtColumnTwentyOneAndStopsAtTheLastPage) {
  struct Fall {
    int32_t ersterTakt, spielTakt;
    int32_t ersterDanach, aktDanach;
  } faelle[] = {{0, 5, 0, 5}, {0, 19, 0, 19}, {0, 20, 19, 19}, {19, 40, 38, 38}, {960, 980, 977, 998}};
  for (const auto& f : faelle) {
    wg.MixLaeuft = kWahr;
    wg.ErsterTakt = f.ersterTakt;
    wg.AktTakt = f.ersterTakt;
    wg.Lesemarke = 0;
    wg.Umlaufmarken.fill(0);
    wg.AnzeigeVersatz = static_cast<double>(f.spielTakt) * kTakt;
    engine.zeitMs = 100;
    wg.PlotFaden();
    EXPECT_EQ(wg.SpielTakt, f.spielTakt + 0) << f.spielTakt;  // 100 ms into the bar
    EXPECT_EQ(wg.ErsterTakt, f.ersterDanach) << f.spielTakt;
    EXPECT_EQ(wg.AktTakt, f.aktDanach) << f.spielTakt;
  }
}

TEST_F(SchedulerTest, TheTimeDisplayRunsAtTheSongTempo) {
  struct Fall {
    int32_t tempo;
    const char* text;
  } faelle[] = {{140, "0:10  Bar 6"}, {70, "0:20  Bar 6"}, {160, "0:09  Bar 6"}};
  for (const auto& f : faelle) {
    kanaele.Tempo = f.tempo;
    wg.MixLaeuft = kWahr;
    wg.AnzeigeZeit = -1;
    wg.AnzeigeVersatz = 0;
    engine.zeitMs = 10000;
    wg.PlotFaden();
    ASSERT_FALSE(umgebung.texte.empty());
    EXPECT_EQ(umgebung.texte.back(), f.text) << f.tempo;
  }
}

TEST_F(SchedulerTest, TheLateOutputWarningShowsOncePerRun) {
  engine.stopFlags = 8;
  wg.AllStop("Normal");
  wg.AllStop("Normal");
  EXPECT_EQ(std::count(umgebung.log.begin(), umgebung.log.end(), "Warnung 35 T36"), 1);
}

TEST_F(SchedulerTest, AnEngineClockNearItsLimitRestartsPlayback) {
  spuren.SampleSetzen(0, 0, 1);
  wg.LoopModus = kWahr;
  wg.PlayInit("Normal");
  engine.zeitMs = 1073741825;
  wg.PlayUpdate(0);
  EXPECT_EQ(wg.MixLaeuft, 0);
  EXPECT_TRUE(wg.Neustartwunsch);
  engine.zeitMs = 0;
  uhr.Advance(20);
  wg.TimerUpdate();
  EXPECT_FALSE(wg.Neustartwunsch);
  EXPECT_EQ(wg.MixLaeuft, kWahr);
}

TEST_F(SchedulerTest, TheTimerDoesItsFullWorkAtMostEveryTwentyMilliseconds) {
  for (int i = 0; i < 10; ++i) {
    uhr.Advance(5);
    wg.TimerUpdate();
  }
  EXPECT_EQ(wg.Tickzaehler, 3);  // at 5, 25 and 45 ms after the clock's start value
}

}  // namespace
}  // namespace zelo::playback
