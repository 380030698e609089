#include "library/Gruppen.h"

#include <cstdio>

#include "platform/Engine.h"

namespace zelo::library {
namespace {

constexpr int kEigeneErste = 10200, kEigeneLetzte = 12999;
constexpr int kWeitereErste = 13000, kWeitereLetzte = 17099;
constexpr int kBibliothekLetzte = 10199;

/// x as five decimal digits, a negative x with a minus sign before them.
std::string F(int x) {
  char text[16];
  std::snprintf(text, sizeof text, x < 0 ? "-%05d" : "%05d", x < 0 ? -x : x);
  return text;
}

/// Hands the keys to the sorter and returns their input positions in sorted order.
std::vector<int32_t> Sortieren(platform::Engine& engine, const std::vector<std::string>& schluessel, bool zweite) {
  engine.ASortInit();
  for (const auto& s : schluessel) engine.ASortIn(s);
  if (zweite)
    engine.ASortStart2();
  else
    engine.ASortStart();
  engine.ASortInit();
  std::vector<int32_t> folge;
  folge.reserve(schluessel.size());
  for (size_t i = 0; i < schluessel.size(); ++i) {
    int32_t p = engine.ASortOut();
    // A sorter that answers less than it was given leaves the rest in their own order.
    if (p < 0 || static_cast<size_t>(p) >= schluessel.size()) p = static_cast<int32_t>(i);
    folge.push_back(p);
  }
  return folge;
}

}  // namespace

int16_t GruppeDesBlocks(int block) {
  if (block >= 1 && block <= 10) return static_cast<int16_t>(block);
  if (block >= 11 && block <= 17) return static_cast<int16_t>(block + 1);
  if (block == 18) return 11;
  return 0;
}

int BlockDerSeite(int seite) {
  if (seite >= 0 && seite <= 9) return seite + 1;
  if (seite == 10) return 18;
  if (seite >= 11 && seite <= 17) return seite;
  return 0;
}

std::string Importschluessel(int n, int o) {
  // Derived sounds share their origin's anchor: after a library origin (its rank is the own
  // number, above the origin's), before a user-made origin (ranked backwards from 13000).
  if (o >= 10201 && o <= 12999) return F(o - 10200) + F(13000 - n);
  if (o >= 13000) return F(o - 10000) + F(n);
  const bool eigene = n >= kEigeneErste && n <= kEigeneLetzte;
  const bool weitere = n >= kWeitereErste && n <= kWeitereLetzte;
  if (o < 1) {
    if (eigene) return F(n - 10200) + F(13000 - n);
    if (weitere) return F(n - 10000) + F(n);
    return F(n + 8000) + F(n);
  }
  if (o == 10200 && !eigene && !weitere) return F(0) + F(n);
  return F(o + 8000) + F(n);
}

Gruppenordnung::Gruppenordnung() : Grundliste(kHoechsteSampleNummer + 1), Anzeigeliste(kHoechsteSampleNummer + 1) {}

void Gruppenordnung::GruppenOrdnen(const Katalog& k, platform::Engine& engine) {
  Blockende[0] = 0;
  std::vector<int16_t> gesammelt;
  std::vector<std::string> schluessel;
  for (int b = 1; b <= kBloecke; ++b) {
    const int16_t g = GruppeDesBlocks(b);
    gesammelt.clear();
    schluessel.clear();
    auto sammeln = [&](int von, int bis) {
      for (int n = von; n <= bis; ++n) {
        if (k.SampleGruppe[static_cast<size_t>(n)] != g) continue;
        gesammelt.push_back(static_cast<int16_t>(n));
        schluessel.push_back(Importschluessel(n, k.SampleHerkunft[static_cast<size_t>(n)]));
      }
    };
    sammeln(kEigeneErste, kEigeneLetzte);
    sammeln(kWeitereErste, kWeitereLetzte);
    sammeln(1, kBibliothekLetzte);
    const std::vector<int32_t> folge = Sortieren(engine, schluessel, false);
    int pos = Blockende[static_cast<size_t>(b - 1)];
    for (int32_t p : folge) Grundliste[static_cast<size_t>(++pos)] = gesammelt[static_cast<size_t>(p)];
    Blockende[static_cast<size_t>(b)] = static_cast<int16_t>(pos);
  }
}

void Gruppenordnung::GruppenSortieren(const Katalog& k, platform::Engine& engine, int modus) {
  const int ende = Blockende[kBloecke];
  if (modus == kSortImport) {
    for (int p = 1; p <= ende; ++p) Anzeigeliste[static_cast<size_t>(p)] = Grundliste[static_cast<size_t>(p)];
    return;
  }
  if (modus != kSortAlpha && modus != kSortHarmonie && modus != kSortLaenge) return;
  std::vector<std::string> schluessel;
  for (int b = 1; b <= kBloecke; ++b) {
    const int anfang = Blockanfang(b), laenge = Blocklaenge(b);
    schluessel.clear();
    for (int p = anfang; p < anfang + laenge; ++p) {
      const auto n = static_cast<size_t>(Grundliste[static_cast<size_t>(p)]);
      std::string s;
      if (modus == kSortLaenge) {
        char takte[16];
        std::snprintf(takte, sizeof takte, "%04d", static_cast<int>(k.SampleTakte[n]));
        s = takte;
      }
      schluessel.push_back(s + k.SampleName[n] + k.SampleName2[n]);
    }
    const std::vector<int32_t> folge = Sortieren(engine, schluessel, modus == kSortHarmonie);
    for (size_t i = 0; i < folge.size(); ++i)
      Anzeigeliste[static_cast<size_t>(anfang) + i] = Grundliste[static_cast<size_t>(anfang + folge[i])];
  }
}

std::vector<int16_t> Gruppenordnung::Block(int block) const {
  if (block < 1 || block > kBloecke) return {};
  const int anfang = Blockanfang(block);
  return {Anzeigeliste.begin() + anfang, Anzeigeliste.begin() + anfang + Blocklaenge(block)};
}

}  // namespace zelo::library
