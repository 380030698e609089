#include "library/Container.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "library/KatalogDateien.h"
#include "library/Vorladen.h"
#include "platform/Files.h"
#include "tests/support/TestEnv.h"
#include "text/Texte.h"

namespace zelo::library {
namespace {

constexpr int32_t kTakt = 302400;

/// A main container with `anzahl` one-bar samples after a 4096-byte head; byte i of sample n is
/// (n * 7 + i) & 0xFF, so every sample and every position differ.
class ContainerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = test::FreshHome();
    std::string bytes(4096, '\0');
    for (int n = 1; n <= kAnzahl; ++n) {
      for (int i = 0; i < kTakt; ++i) bytes += static_cast<char>((n * 7 + i) & 0xFF);
      Eintragen(n, kOrtHauptcontainer);
    }
    test::WriteFile(Haupt(), bytes);
  }
  void Eintragen(int n, int16_t ort) {
    auto i = static_cast<size_t>(n);
    k_.SampleOrt[i] = ort;
    k_.SampleOffset[i] = 4096 + (n - 1) * kTakt;
    k_.SampleGroesse[i] = kTakt;
    k_.SampleTakte[i] = 1;
  }
  static std::vector<char> Erwartet(int n, int versatz, int laenge) {
    std::vector<char> v(static_cast<size_t>(laenge));
    for (int i = 0; i < laenge; ++i) v[static_cast<size_t>(i)] = static_cast<char>((n * 7 + versatz + i) & 0xFF);
    return v;
  }
  std::string Haupt() const { return home_ + "medium/zub/flint20"; }
  std::string CachePfad() const { return home_ + "work/flint20"; }
  void Oeffnen(int64_t cachegroesse) {
    c_.freieBytes = [](const std::string&) { return int64_t{1} << 40; };
    platform::MakeFolders(home_ + "work/");
    c_.CacheAnlegen(k_, CachePfad(), cachegroesse);
    c_.ContainerOeffnen(k_, Haupt(), CachePfad(), home_ + "sys/");
  }

  static constexpr int kAnzahl = 6;
  std::string home_;
  Katalog k_;
  Containerdateien c_;
};

TEST_F(ContainerTest, ReadingInTwoPiecesCachesTheSampleOnlyWhenItsEndIsWritten) {
  Oeffnen(4096 + 3 * kTakt);
  std::vector<char> puffer(kTakt);
  const int32_t haelfte = kTakt / 2;

  EXPECT_EQ(c_.SampleLesen(k_, 2, puffer.data(), haelfte, 0), haelfte);
  EXPECT_EQ(std::vector<char>(puffer.begin(), puffer.begin() + haelfte), Erwartet(2, 0, haelfte));
  EXPECT_EQ(k_.SampleOrt[2], kOrtHauptcontainer) << "first piece does not reach the end";
  EXPECT_FALSE(k_.KatalogGeaendert);

  EXPECT_EQ(c_.SampleLesen(k_, 2, puffer.data(), haelfte, haelfte), haelfte);
  EXPECT_EQ(k_.SampleOrt[2], kOrtCache);
  EXPECT_TRUE(k_.KatalogGeaendert);

  // From now on the bytes come from the cache, and they are the container's.
  std::vector<char> ganz(kTakt);
  ASSERT_EQ(c_.SampleLesen(k_, 2, ganz.data(), kTakt, 0), kTakt);
  EXPECT_EQ(ganz, Erwartet(2, 0, kTakt));
  std::vector<char> roh(kTakt);
  ASSERT_EQ(c_.Cache()->Read(roh.data(), kTakt, k_.SampleOffset[2]), kTakt);
  EXPECT_EQ(roh, Erwartet(2, 0, kTakt));
}

TEST_F(ContainerTest, SamplesOutsideTheCacheStayInTheMainContainer) {
  // Sample 3 lies half inside the cache, sample 4 wholly beyond it.
  Oeffnen(4096 + 2 * kTakt + kTakt / 2);
  const int64_t laenge = c_.Cachelaenge();
  std::vector<char> puffer(kTakt);
  for (int n : {3, 4}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(c_.SampleLesen(k_, n, puffer.data(), kTakt, 0), kTakt) << "the bytes still come";
    EXPECT_EQ(puffer, Erwartet(n, 0, kTakt));
    EXPECT_EQ(k_.SampleOrt[static_cast<size_t>(n)], kOrtHauptcontainer);
  }
  EXPECT_EQ(platform::FileSize(CachePfad()), laenge) << "copy-through never grows the cache";
}

TEST_F(ContainerTest, ReadsByLocation) {
  Oeffnen(4096 + kTakt);
  std::vector<char> puffer(64);
  // A location whose container is not open, an unknown code, offset 0 and sample numbers
  // outside the catalogue all read nothing.
  Eintragen(5, kOrtContainerA);
  EXPECT_EQ(c_.SampleLesen(k_, 5, puffer.data(), 64, 0), 0);
  k_.SampleOrt[5] = 7;
  EXPECT_EQ(c_.SampleLesen(k_, 5, puffer.data(), 64, 0), 0);
  Eintragen(5, kOrtHauptcontainer);
  k_.SampleOffset[5] = 0;
  EXPECT_EQ(c_.SampleLesen(k_, 5, puffer.data(), 64, 0), 0);
  EXPECT_EQ(c_.SampleLesen(k_, -1, puffer.data(), 64, 0), 0);
  EXPECT_EQ(c_.SampleLesen(k_, 17101, puffer.data(), 64, 0), 0);
  EXPECT_EQ(c_.SampleLesen(k_, 1, puffer.data(), 0, 0), 0);
  EXPECT_EQ(c_.FuerOrt(kOrtHauptcontainer), c_.Hauptcontainer());
  EXPECT_EQ(c_.FuerOrt(kOrtContainerA), nullptr);
}

TEST_F(ContainerTest, OwnFileOpensOnFirstReadAndClosesOnNegativeOffset) {
  Oeffnen(4096);
  const std::string datei = home_ + "work/RECSAV/rec.wav";
  test::WriteFile(datei, "0123456789");
  auto i = size_t{10200};
  k_.SampleOrt[i] = kOrtEigeneDatei;
  k_.SampleDatei[i] = datei;
  char puffer[8] = {};
  EXPECT_EQ(c_.SampleLesen(k_, 10200, puffer, 4, 3), 4);
  EXPECT_EQ(std::string(puffer, 4), "3456");
  EXPECT_EQ(k_.SampleGroesse[i], 10);
  EXPECT_EQ(k_.SampleOffset[i], 0) << "the handle never lands in the catalogue";
  EXPECT_TRUE(c_.EigeneDateiOffen(10200));
  EXPECT_EQ(c_.SampleLesen(k_, 10200, puffer, 4, -1), 0);
  EXPECT_FALSE(c_.EigeneDateiOffen(10200));

  k_.SampleDatei[i] = home_ + "gone.wav";
  k_.SampleGroesse[i] = 99;
  EXPECT_EQ(c_.SampleLesen(k_, 10200, puffer, 4, 0), 0);
  EXPECT_EQ(k_.SampleGroesse[i], 0);
}

TEST_F(ContainerTest, CacheNeverShrinksAndGrowingForgetsWhatItHeld) {
  platform::MakeFolders(home_ + "work/");
  int64_t frei = int64_t{1} << 40;
  c_.freieBytes = [&](const std::string&) { return frei; };
  k_.SampleOrt[1] = kOrtCache;
  EXPECT_FALSE(c_.CacheAnlegen(k_, CachePfad(), 5'000'000));
  EXPECT_EQ(platform::FileSize(CachePfad()), 5'000'000);
  EXPECT_EQ(c_.Cachelaenge(), 5'000'000);
  EXPECT_EQ(k_.SampleOrt[1], kOrtHauptcontainer) << "a new cache holds nothing yet";

  k_.SampleOrt[1] = kOrtCache;
  EXPECT_FALSE(c_.CacheAnlegen(k_, CachePfad(), 3'000'000));
  EXPECT_EQ(platform::FileSize(CachePfad()), 5'000'000) << "never shrinks";
  EXPECT_EQ(k_.SampleOrt[1], kOrtCache) << "a kept cache keeps its samples";

  // Out of space: the cache gets what is free beyond the 16 MiB reserve, plus its own length.
  frei = 20'000'000;
  EXPECT_TRUE(c_.CacheAnlegen(k_, CachePfad(), 100'000'000));
  EXPECT_EQ(c_.Cachelaenge(), 20'000'000 - 16'777'216 + 5'000'000);
  // Unknown or tiny free space still allows 2 MiB beyond the present length.
  frei = -1;
  EXPECT_TRUE(c_.CacheAnlegen(k_, CachePfad(), 100'000'000));
  EXPECT_EQ(c_.Cachelaenge(), 2'097'152 + 20'000'000 - 16'777'216 + 5'000'000);
}

TEST_F(ContainerTest, PreCachingFillsTheCacheInListOrderWithProgress) {
  Oeffnen(4096 + 4 * kTakt);
  text::Texte texte;
  texte.Setzen(26, "Copying ");
  texte.Setzen(27, "done");
  std::vector<std::string> status;
  int ereignisse = 0;
  Vorladebegleitung b;
  b.status = [&](const std::string& s) { status.push_back(s); };
  b.ereignisse = [&] { ++ereignisse; };
  const std::vector<int16_t> liste{3, 1, 2, 0, 4};
  Vorladeergebnis e = Vorladen(k_, c_, liste, 4 * kTakt, 1, texte, b);
  EXPECT_FALSE(e.PlatzFehlt);
  EXPECT_EQ(e.Kopiert, 3) << "the list ends at the first number below 1";
  EXPECT_EQ(ereignisse, 3);
  for (int n : {1, 2, 3}) EXPECT_EQ(k_.SampleOrt[static_cast<size_t>(n)], kOrtCache) << n;
  EXPECT_EQ(k_.SampleOrt[4], kOrtHauptcontainer);
  ASSERT_EQ(status.size(), 3u);
  EXPECT_EQ(status.back(), "\rCopying 75% done");
}

TEST_F(ContainerTest, PreCachingStopsAtTheWantedSizeOnCancelAndOnLowDisk) {
  struct Fall {
    const char* name;
    int64_t gewuenscht;
    bool abbrechen;
    int64_t freiMB;
    int kopiert;
    bool platzFehlt;
  };
  for (const Fall& f : {Fall{"wanted size", 2 * kTakt, false, 1000, 2, false},
                        Fall{"cancel", 6 * kTakt, true, 1000, 1, false},
                        Fall{"low disk after six", 6 * kTakt, false, 7, 6, true}}) {
    SCOPED_TRACE(f.name);
    for (int n = 1; n <= kAnzahl; ++n) Eintragen(n, kOrtHauptcontainer);
    Oeffnen(4096 + 6 * kTakt);
    Vorladebegleitung b;
    b.abgebrochen = [&] { return f.abbrechen; };
    b.freieMegabytes = [&] { return f.freiMB; };
    std::vector<int16_t> liste{1, 2, 3, 4, 5, 6, 1, 2};
    Vorladeergebnis e = Vorladen(k_, c_, liste, f.gewuenscht, 0, text::Texte{}, b);
    EXPECT_EQ(e.Kopiert, f.kopiert);
    EXPECT_EQ(e.PlatzFehlt, f.platzFehlt);
  }
}

TEST_F(ContainerTest, PreCachingCountsFailedCopiesAndReportsAFullDisk) {
  Oeffnen(4096 + kTakt);
  // The main container is gone: every copy fails.
  c_.ContainerOeffnen(k_, home_ + "nowhere", CachePfad(), home_ + "sys/");
  std::vector<int16_t> liste(200, 1);
  k_.SampleGroesse[1] = 16;  // small enough that the total stays inside the cache
  Vorladeergebnis e = Vorladen(k_, c_, liste, int64_t{1} << 40, 0, text::Texte{}, {});
  EXPECT_EQ(e.Fehler, kFehlergrenze);
  EXPECT_TRUE(e.PlatzFehlt);
}

TEST(ContainerMedium, ShippedLibraryReadsThroughTheCache) {
  const std::string daten = test::MediumDataFolder();
  const std::string quelle = daten.size() > 10 ? daten.substr(0, daten.size() - 10) + "zelo/" : "";
  Katalog k;
  if (quelle.empty() || !KatalogLaden(k, quelle + "zub/flint20.inf")) GTEST_SKIP() << "no medium built";
  const std::vector<int16_t> liste = VorladelisteLaden(daten + "inst.txt");
  ASSERT_FALSE(liste.empty());
  const std::string home = test::FreshHome();
  Containerdateien c;
  c.CacheAnlegen(k, home + "flint20", 4096 + 8 * kTakt);
  c.ContainerOeffnen(k, quelle + "zub/flint20", home + "flint20", home);
  ASSERT_NE(c.Hauptcontainer(), nullptr);
  Vorladeergebnis e = Vorladen(k, c, liste, 8 * kTakt, 0, text::Texte{}, {});
  EXPECT_GT(e.Kopiert, 0);
  EXPECT_EQ(e.Fehler, 0);
  const int s = liste.front();
  ASSERT_EQ(k.SampleOrt[static_cast<size_t>(s)], kOrtCache);
  const auto n = static_cast<size_t>(k.SampleGroesse[static_cast<size_t>(s)]);
  const auto off = k.SampleOffset[static_cast<size_t>(s)];
  EXPECT_EQ(0, std::memcmp(c.Cache()->Data() + off, c.Hauptcontainer()->Data() + off, n));
}

}  // namespace
}  // namespace zelo::library
