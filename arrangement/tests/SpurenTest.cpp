#include "arrangement/Spuren.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "arrangement/Seltemp.h"
#include "platform/Files.h"
#include "tests/support/TestEnv.h"

namespace zelo::arrangement {
namespace {

constexpr int kPixelProTakt = 50;

/// A small catalogue: library samples of 1, 2 and 4 bars, a special-row sample, a user sound.
class SpurenTest : public ::testing::Test {
 protected:
  SpurenTest() : spuren(katalog) {
    Sample(1, 2);
    Sample(2, 1);
    Sample(100, 4);
    Sample(7300, 1);
    Sample(10300, 2);
    Sample(2100, 1);
    katalog.BreitenBerechnen(kPixelProTakt);
    spuren.PixelProTaktSetzen(kPixelProTakt);
    spuren.TempOrdnerSetzen(test::FreshHome());
  }
  void Sample(int n, int takte) {
    katalog.SampleTakte[static_cast<size_t>(n)] = takte;
    katalog.SampleOrt[static_cast<size_t>(n)] = library::kOrtCache;
    katalog.SampleGruppe[static_cast<size_t>(n)] = library::kGruppeLoop;
  }
  /// Places a sample and gives it a selection state.
  int32_t Setzen(int spur, int32_t start, int sample, bool markiert = false) {
    int32_t i = spuren.SampleSetzen(spur, start, sample);
    if (i >= 0) spuren[spur].Eintrag[static_cast<size_t>(i)].Markiert = markiert ? kWahr : int16_t{0};
    return i;
  }
  std::vector<int32_t> Starts(int spur) const {
    std::vector<int32_t> s;
    for (int32_t i = 0; i < spuren[spur].Anzahl; ++i) s.push_back(spuren[spur].Eintrag[static_cast<size_t>(i)].Start);
    return s;
  }
  const SpurEintrag& E(int spur, int i) const { return spuren[spur].Eintrag[static_cast<size_t>(i)]; }

  library::Katalog katalog;
  Spuren spuren;
};

TEST_F(SpurenTest, StartsSnapToSixteenthsWithinTheSongArea) {
  struct Fall {
    int32_t start;
    int32_t gespeichert;  // -1: refused
  } faelle[] = {{0, 0}, {3, 0}, {4, 8}, {5, 8}, {12, 16}, {127872, 127872}, {127873, -1}, {-4, 0}, {-5, -1}};
  for (const auto& f : faelle) {
    spuren.MixLoeschen();
    int32_t i = spuren.SampleSetzen(0, f.start, 1);
    if (f.gespeichert < 0) {
      EXPECT_EQ(i, -1) << f.start;
      EXPECT_EQ(spuren[0].Anzahl, 0) << f.start;
    } else {
      ASSERT_EQ(i, 0) << f.start;
      EXPECT_EQ(E(0, 0).Start, f.gespeichert) << f.start;
      EXPECT_EQ(spuren.MixGeaendert, kWahr);
      EXPECT_EQ(spuren.SpurGeaendert[0], kWahr);
    }
  }
}

TEST_F(SpurenTest, TracksRefuseSamplesOfTheWrongRowAndBadNumbers) {
  struct Fall {
    int spur;
    int sample;
    bool genommen;
  } faelle[] = {{3, 7300, false}, {16, 100, false}, {16, 7300, true}, {0, 10300, true}, {-1, 1, false},
                {17, 1, false},   {0, 0, false},    {0, 17101, false}, {0, -3, false}};
  for (const auto& f : faelle)
    EXPECT_EQ(spuren.SampleSetzen(f.spur, 0, f.sample) >= 0, f.genommen) << f.spur << " " << f.sample;
}

TEST_F(SpurenTest, InsertingAtAnOccupiedStartReplacesOnlyTheSample) {
  Setzen(2, 256, 1);
  auto& e = spuren[2].Eintrag[0];
  e.SchnittAnfang = 16;
  e.SchnittEnde = 8;
  e.Lautstaerke = -300;
  e.Markiert = kWahr;
  EXPECT_EQ(spuren.SampleSetzen(2, 254, 100), 0);  // 254 snaps to 256
  EXPECT_EQ(spuren[2].Anzahl, 1);
  EXPECT_EQ(e.SampleNr, 100);
  EXPECT_EQ(e.SchnittAnfang, 16);
  EXPECT_EQ(e.SchnittEnde, 8);
  EXPECT_EQ(e.Lautstaerke, -300);
  EXPECT_EQ(e.Markiert, kWahr);
}

TEST_F(SpurenTest, AFullTrackRefusesTheNextInsert) {
  for (int32_t i = 0; i < kMaxEintraege; ++i) ASSERT_EQ(spuren.SampleSetzen(5, i * 8, 2), i);
  EXPECT_EQ(spuren.SampleSetzen(5, kMaxEintraege * 8, 2), -1);
  EXPECT_EQ(spuren[5].Anzahl, kMaxEintraege);
}

TEST_F(SpurenTest, RandomInsertsAndRemovalsKeepTheTrackSortedAndSearchable) {
  std::mt19937 zufall(7);
  std::vector<int32_t> referenz;
  for (int n = 0; n < 3000; ++n) {
    int32_t start = static_cast<int32_t>(zufall() % 4000) * 8;
    if (zufall() % 4 == 0 && !referenz.empty()) {
      int32_t i = static_cast<int32_t>(zufall() % referenz.size());
      EXPECT_EQ(spuren.SampleLoeschen(1, i), kWahr);
      referenz.erase(referenz.begin() + i);
    } else {
      spuren.SampleSetzen(1, start, 2);
      if (std::find(referenz.begin(), referenz.end(), start) == referenz.end()) referenz.push_back(start);
      std::sort(referenz.begin(), referenz.end());
    }
  }
  ASSERT_EQ(Starts(1), referenz);
  for (int32_t tick = -10; tick < 32010; tick += 3) {
    auto it = std::find(referenz.begin(), referenz.end(), tick);
    EXPECT_EQ(spuren.EintragSuchen(1, tick), it == referenz.end() ? -1 : it - referenz.begin()) << tick;
    auto vor = std::upper_bound(referenz.begin(), referenz.end(), tick);
    EXPECT_EQ(spuren.EintragVor(1, tick), vor == referenz.begin() ? 0 : vor - referenz.begin() - 1) << tick;
  }
}

TEST_F(SpurenTest, RemovingReportsWhetherAnEntryWent) {
  EXPECT_EQ(spuren.SampleLoeschen(0, 0), 0);
  Setzen(0, 0, 1);
  EXPECT_EQ(spuren.SampleLoeschen(0, -1), 0);
  EXPECT_EQ(spuren.SampleLoeschen(0, 5), 0);
  EXPECT_EQ(spuren.SampleLoeschen(0, 0), kWahr);
  EXPECT_EQ(spuren[0].Anzahl, 0);
}

TEST_F(SpurenTest, HitTestCoversTheAudibleExtentAndTheLaterEntryWinsAtAnEdge) {
  Setzen(0, 0, 1);    // 2 bars: 0..256
  Setzen(0, 128, 2);  // 1 bar, starts inside the first: the first ends at 128
  Setzen(0, 512, 100);
  auto& cut = spuren[0].Eintrag[2];
  cut.SchnittAnfang = 64;
  cut.SchnittEnde = 64;  // 4 bars less half a bar each side: audible end 512 + 384
  struct Fall {
    int32_t tick;
    int32_t treffer;
  } faelle[] = {{0, 0}, {127, 0}, {128, 1}, {256, 1}, {257, -1}, {511, -1}, {512, 2}, {896, 2}, {897, -1}, {-1, -1}};
  for (const auto& f : faelle) EXPECT_EQ(spuren.SampleTreffer(0, f.tick), f.treffer) << f.tick;
  EXPECT_EQ(spuren.HoerbaresEnde(0, 0), 128);
  EXPECT_EQ(spuren.MarkierEnde(0, 2), 512 + 512 - 64);
}

TEST_F(SpurenTest, SelectAllAndNothingLeaveTheSpecialRowAlone) {
  Setzen(0, 0, 1);
  Setzen(16, 0, 7300);
  EXPECT_EQ(spuren.NichtsMarkieren(), 0);
  spuren.AllesMarkieren();
  EXPECT_EQ(E(0, 0).Markiert, kWahr);
  EXPECT_EQ(E(16, 0).Markiert, 0);
  spuren.SpurGeaendert.fill(0);
  EXPECT_EQ(spuren.NichtsMarkieren(), kWahr);
  EXPECT_EQ(E(0, 0).Markiert, 0);
  EXPECT_EQ(spuren.SpurGeaendert[0], kWahr);
}

TEST_F(SpurenTest, RubberBandSelectsEntriesThatTouchTheRange) {
  // Entries of 1 bar on track 4 at bars 0, 2, 4 and a 4-bar entry at bar 6 (ends at 1280).
  for (int32_t s : {0, 256, 512}) Setzen(4, s, 2);
  Setzen(4, 768, 100);
  Setzen(7, 256, 2, true);
  struct Fall {
    int32_t von, bis;
    Auswahl auswahl;
    std::vector<int16_t> erwartet;  // Markiert of track 4's entries
    int16_t spur7;
  } faelle[] = {
      {100, 140, Auswahl::Ersetzen, {kWahr, 0, 0, 0}, 0},          // end of the first inside
      {250, 300, Auswahl::Ersetzen, {0, kWahr, 0, 0}, 0},          // start inside
      {800, 900, Auswahl::Ersetzen, {0, 0, 0, kWahr}, 0},          // range inside the long entry
      {129, 255, Auswahl::Ersetzen, {0, 0, 0, 0}, 0},              // the gap
      {129, 255, Auswahl::Erweitern, {0, 0, 0, 0}, kWahr},         // old selection kept
      {0, 2000, Auswahl::Ersetzen, {kWahr, kWahr, kWahr, kWahr}, 0},
  };
  for (const auto& f : faelle) {
    spuren[7].Eintrag[0].Markiert = kWahr;
    spuren.SpurDemarkieren(4);
    spuren.RahmenMarkieren(3, 5, f.von, f.bis, f.auswahl);
    std::vector<int16_t> ist;
    for (int i = 0; i < 4; ++i) ist.push_back(E(4, i).Markiert);
    EXPECT_EQ(ist, f.erwartet) << f.von << ".." << f.bis;
    EXPECT_EQ(E(7, 0).Markiert, f.spur7) << f.von << ".." << f.bis;
  }
}

TEST_F(SpurenTest, DeletingTheSelectionRemovesOnlySelectedEntries) {
  for (int32_t s : {0, 128, 256, 384}) Setzen(2, s, 2, s == 128 || s == 256);
  Setzen(9, 0, 1, true);
  Setzen(16, 0, 7300, true);
  spuren.MarkierteLoeschen();
  EXPECT_EQ(Starts(2), (std::vector<int32_t>{0, 384}));
  EXPECT_EQ(spuren[9].Anzahl, 0);
  EXPECT_EQ(spuren[16].Anzahl, 1);
}

TEST_F(SpurenTest, CopyAndPasteCarryEveryFieldRelativeToTheFirstTrackAndStart) {
  Setzen(3, 1024, 1, true);
  Setzen(5, 1280, 10300, true);
  Setzen(5, 2048, 2, false);
  auto& e = spuren[5].Eintrag[0];
  e.SchnittAnfang = 16;
  e.SchnittEnde = 24;
  e.Lautstaerke = 4000;
  ASSERT_TRUE(spuren.Kopieren("seltemp"));
  EXPECT_EQ(spuren.EinfuegeSpur, 3);

  auto bytes = platform::ReadWholeFile(spuren.TempOrdner() + "seltemp");
  ASSERT_TRUE(bytes);
  ASSERT_EQ(bytes->size(), 4u + 2 * kSeltempSatzBytes);
  auto saetze = SeltempLesen(*bytes);
  ASSERT_EQ(saetze.size(), 2u);
  EXPECT_EQ(saetze[1].Kategorie, 1);
  EXPECT_EQ(saetze[1].Spur, 5);
  EXPECT_EQ(saetze[1].Relativstart, 256);

  spuren.Einfuegen("seltemp", 10, 128, Ablagedatei::Behalten);
  ASSERT_EQ(spuren[10].Anzahl, 1);
  ASSERT_EQ(spuren[12].Anzahl, 1);
  EXPECT_EQ(E(10, 0).Start, 128);
  EXPECT_EQ(E(12, 0).Start, 384);
  EXPECT_EQ(E(12, 0).SampleNr, 10300);
  EXPECT_EQ(E(12, 0).SchnittAnfang, 16);
  EXPECT_EQ(E(12, 0).SchnittEnde, 24);
  EXPECT_EQ(E(12, 0).Lautstaerke, 4000);
  EXPECT_EQ(E(12, 0).Markiert, kWahr);
  EXPECT_TRUE(platform::FileExists(spuren.TempOrdner() + "seltemp"));

  spuren.Einfuegen("seltemp", 0, 0, Ablagedatei::Loeschen);
  EXPECT_FALSE(platform::FileExists(spuren.TempOrdner() + "seltemp"));
}

TEST_F(SpurenTest, PasteBeforeTheSongStartIsSkippedOrMovedToZero) {
  auto schreiben = [&](int32_t relativ) {
    SeltempSatz s{0, 0, 0, relativ, 1, 0, 0, 0, 0};
    SeltempSatz t{0, 1, 0, 0, 1, 0, 0, 0, 0};
    platform::WriteFileSafely(spuren.TempOrdner() + "seltemp", SeltempBytes({s, t}));
  };
  schreiben(0);
  spuren.Einfuegen("seltemp", 0, -70, Ablagedatei::Behalten);
  EXPECT_EQ(spuren[0].Anzahl, 0);
  spuren.Einfuegen("seltemp", 0, -10, Ablagedatei::Behalten);
  ASSERT_EQ(spuren[0].Anzahl, 1);
  EXPECT_EQ(E(0, 0).Start, 0);
}

TEST_F(SpurenTest, CutRemovesWhatWasCopied) {
  Setzen(0, 0, 1, true);
  Setzen(0, 256, 1);
  ASSERT_TRUE(spuren.Ausschneiden("seltemp"));
  EXPECT_EQ(Starts(0), std::vector<int32_t>{256});
  spuren.Einfuegen("seltemp", 0, 512, Ablagedatei::Behalten);
  EXPECT_EQ(Starts(0), (std::vector<int32_t>{256, 512}));
}

TEST_F(SpurenTest, CutKeepsTheSelectionWhenTheClipboardCannotBeWritten) {
  Setzen(0, 0, 1, true);
  spuren.TempOrdnerSetzen(test::FreshHome() + "fehlt/nirgends/");
  EXPECT_FALSE(spuren.Ausschneiden("seltemp"));
  EXPECT_EQ(spuren[0].Anzahl, 1);
}

TEST_F(SpurenTest, DamagedClipboardFilesPasteOnlyWholeSoundRecords) {
  auto gut = SeltempBytes({{0, 0, 0, 0, 1, 0, 0, 0, 0}, {0, 1, 0, 128, 2, 0, 0, 0, 0}});
  auto mitAnzahl = [&](int32_t n) {
    std::string b = gut;
    for (int i = 0; i < 4; ++i) b[static_cast<size_t>(i)] = static_cast<char>((static_cast<uint32_t>(n) >> (8 * i)) & 0xFF);
    return b;
  };
  struct Fall {
    const char* name;
    std::string bytes;
    int eingefuegt;
  } faelle[] = {
      {"empty", "", 0},
      {"short count", std::string("\x02\x00", 2), 0},
      {"negative count", mitAnzahl(-5), 0},
      {"count beyond the records", mitAnzahl(1000000), 2},
      {"last record cut off", gut.substr(0, gut.size() - 3), 1},
      {"bad sample number", SeltempBytes({{0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 8, 30000, 0, 0, 0, 0}}), 0},
      {"track far away", SeltempBytes({{0, 0, 0, 0, 1, 0, 0, 0, 0}, {0, 2000000000, 0, 0, 1, 0, 0, 0, 0}}), 1},
      {"start far away", SeltempBytes({{0, 0, 0, 2000000000, 1, 0, 0, 0, 0}}), 0},
      {"negative cut", SeltempBytes({{0, 0, 0, 0, 1, -500, 0, 0, 0}}), 0},
  };
  for (const auto& f : faelle) {
    spuren.MixLoeschen();
    platform::WriteFileSafely(spuren.TempOrdner() + "seltemp", f.bytes);
    spuren.Einfuegen("seltemp", 0, 0, Ablagedatei::Behalten);
    int n = 0;
    for (int s = 0; s < kSpurAnzahl; ++s) n += spuren[s].Anzahl;
    EXPECT_EQ(n, f.eingefuegt) << f.name;
  }
  spuren.MixLoeschen();
  spuren.Einfuegen("gibtsnicht", 0, 0, Ablagedatei::Behalten);
  EXPECT_EQ(spuren.MixGeaendert, 0);
}

TEST_F(SpurenTest, SampleCategoriesFollowTheRanges) {
  struct Fall {
    int sample;
    int16_t kategorie;
  } faelle[] = {{1, 0}, {1999, 0}, {2000, 3}, {7199, 3}, {7200, 2}, {10199, 2}, {10200, 1}, {12999, 1}, {13000, 0}, {17100, 0}};
  for (const auto& f : faelle) EXPECT_EQ(SampleKategorie(f.sample, spuren.Bereiche()), f.kategorie) << f.sample;
}

// --- Drops -------------------------------------------------------------------------------------

TEST_F(SpurenTest, DroppingOneEntryMovesOrCopiesItWithItsCutsAndSelectsIt) {
  for (Ablage ablage : {Ablage::Verschieben, Ablage::Kopieren}) {
    spuren.MixLoeschen();
    Setzen(1, 128, 1);
    Setzen(6, 0, 2, true);
    spuren.Zug = {1, 8, 16, -200, false, 1, 0, 128};
    spuren.SampleAblegen(2, 253, ablage);  // 253 snaps to 256
    ASSERT_EQ(spuren[2].Anzahl, 1);
    EXPECT_EQ(E(2, 0).Start, 256);
    EXPECT_EQ(E(2, 0).SchnittAnfang, 8);
    EXPECT_EQ(E(2, 0).SchnittEnde, 16);
    EXPECT_EQ(E(2, 0).Lautstaerke, -200);
    EXPECT_EQ(E(2, 0).Markiert, kWahr);
    EXPECT_EQ(E(6, 0).Markiert, 0);
    EXPECT_EQ(spuren[1].Anzahl, ablage == Ablage::Verschieben ? 0 : 1);
  }
}

TEST_F(SpurenTest, AMoveThatTheTargetRefusesLosesTheEntry) {
  Setzen(1, 128, 1);
  spuren.Zug = {1, 0, 0, 0, false, 1, 0, 128};
  spuren.SampleAblegen(16, 128, Ablage::Verschieben);
  EXPECT_EQ(spuren[1].Anzahl, 0);
  EXPECT_EQ(spuren[16].Anzahl, 0);
}

TEST_F(SpurenTest, MovingASelectionDownTwoTracksMovesEachEntryOnce) {
  Setzen(0, 0, 1, true);
  Setzen(2, 128, 2, true);
  Setzen(2, 512, 2, false);
  Setzen(4, 256, 1, false);
  spuren.Zug = {1, 0, 0, 0, true, 0, 0, 0};
  spuren.SampleAblegen(2, 128, Ablage::Verschieben);
  EXPECT_EQ(spuren[0].Anzahl, 0);
  EXPECT_EQ(Starts(2), (std::vector<int32_t>{128, 512}));  // the moved entry from track 0, and the one left
  EXPECT_EQ(E(2, 0).SampleNr, 1);
  EXPECT_EQ(Starts(4), (std::vector<int32_t>{256}));  // the moved entry from track 2 replaced the one there
  EXPECT_EQ(E(4, 0).SampleNr, 2);
  EXPECT_EQ(E(4, 0).Markiert, kWahr);
}

TEST_F(SpurenTest, MovingASelectionOffTheTracksRemovesItAndCopyingThereDoesNothing) {
  for (Ablage ablage : {Ablage::Kopieren, Ablage::Verschieben}) {
    spuren.MixLoeschen();
    Setzen(14, 0, 1, true);
    Setzen(15, 128, 1, true);
    Setzen(15, 256, 1, false);
    spuren.Zug = {1, 0, 0, 0, true, 14, 0, 0};
    spuren.SampleAblegen(15, 0, ablage);
    EXPECT_EQ(spuren[16].Anzahl, 0);
    if (ablage == Ablage::Kopieren) {
      EXPECT_EQ(Starts(14), std::vector<int32_t>{0});
      EXPECT_EQ(Starts(15), (std::vector<int32_t>{0, 128, 256}));  // track 14's copy; track 15's selection stays
      EXPECT_EQ(E(15, 1).Markiert, kWahr);
    } else {
      EXPECT_EQ(spuren[14].Anzahl, 0);
      EXPECT_EQ(Starts(15), (std::vector<int32_t>{0, 256}));  // track 14's entry came, track 15's went
    }
  }
}

TEST_F(SpurenTest, CopyingASelectionDeselectsTheSourceAndDropsWhatFallsBeforeTheStart) {
  Setzen(3, 0, 1, true);
  Setzen(3, 512, 1, true);
  spuren.Zug = {1, 0, 0, 0, true, 3, 1, 512};
  spuren.SampleAblegen(3, 256, Ablage::Kopieren);  // 256 ticks earlier
  EXPECT_EQ(Starts(3), (std::vector<int32_t>{0, 256, 512}));
  EXPECT_EQ(E(3, 0).Markiert, kWahr);  // its copy would start before the song: not copied
  EXPECT_EQ(E(3, 1).Markiert, kWahr);
  EXPECT_EQ(E(3, 2).Markiert, 0);
}

TEST_F(SpurenTest, ClearingEmptiesEveryTrackAndTheSpecialRowOnItsOwn) {
  Setzen(16, 0, 7300);
  Setzen(0, 0, 1);
  spuren.SonderspurLeeren();
  EXPECT_EQ(spuren[16].Anzahl, 0);
  EXPECT_EQ(spuren[16].Eintrag[0].Start, -1);
  EXPECT_EQ(spuren[0].Anzahl, 1);
  spuren.MixLoeschen();
  EXPECT_EQ(spuren[0].Anzahl, 0);
  EXPECT_EQ(spuren.MixGeaendert, 0);
}

}  // namespace
}  // namespace zelo::arrangement
