#include "arrangement/Spuren.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "arrangement/Seltemp.h"
#include "platform/Files.h"

namespace zelo::arrangement {

namespace {

/// Starts of user placements snap to a sixteenth of a bar.
int32_t AufSechzehntel(int32_t tick) { return static_cast<int32_t>(std::floor((static_cast<int64_t>(tick) + 4) / 8.0)) * 8; }

/// A dropped selection may land anywhere inside the song area of 1000 bars.
constexpr int32_t kSongflaecheEnde = 127999;

bool GueltigeSampleNr(int32_t s) { return s >= 1 && s <= library::kHoechsteSampleNummer; }

}  // namespace

Spuren::Spuren(const library::Katalog& katalog) : katalog_(katalog), bereiche_(library::SampleBereichAnlegen()) {
  for (auto& s : spuren_) s = std::make_unique<Spur>();
  sammel_ = std::make_unique<Spur>();
  rest_ = std::make_unique<Spur>();
  misch_ = std::make_unique<Spur>();
}

void Spuren::TempOrdnerSetzen(const std::string& ordner) {
  // Without a temporary folder the clipboard goes where every user may write.
  tempOrdner_ = ordner.empty() ? std::string("/tmp/") : platform::WithSlash(ordner);
}

// --- Lengths and ends -----------------------------------------------------------------------

int32_t Spuren::Laenge(int s) const {
  if (!library::Katalog::IstNummer(s)) return 0;
  auto i = static_cast<size_t>(s);
  if (pixelProTakt_ <= 0) return katalog_.SampleTakte[i] * kTicksProTakt;
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(katalog_.SampleBreite[i]) / pixelProTakt_ * kTicksProTakt));
}

int32_t Spuren::Begrenzt(int spur, int index, int32_t ende) const {
  const Spur& t = (*this)[spur];
  if (index + 1 < t.Anzahl && t.Eintrag[static_cast<size_t>(index + 1)].Start < ende)
    return t.Eintrag[static_cast<size_t>(index + 1)].Start;
  return ende;
}

int32_t Spuren::HoerbaresEndeFrei(int spur, int index) const {
  const SpurEintrag& e = (*this)[spur].Eintrag[static_cast<size_t>(index)];
  return e.Start + Laenge(e.SampleNr) - e.SchnittAnfang - e.SchnittEnde;
}

int32_t Spuren::HoerbaresEnde(int spur, int index) const { return Begrenzt(spur, index, HoerbaresEndeFrei(spur, index)); }

int32_t Spuren::MarkierEnde(int spur, int index) const {
  const SpurEintrag& e = (*this)[spur].Eintrag[static_cast<size_t>(index)];
  return Begrenzt(spur, index, e.Start + Laenge(e.SampleNr) - e.SchnittEnde);
}

bool Spuren::SpurNimmt(int32_t spur, int32_t sample) const {
  const auto& sonder = bereiche_[2];
  bool sonderSample = sample >= sonder.Erste && sample <= sonder.Letzte;
  return sonderSample == (spur == kSonderspur);
}

// --- Insert, remove, search -----------------------------------------------------------------

int32_t Spuren::SampleSetzen(int32_t spur, int32_t start, int32_t sample) {
  if (start > kSpaetesterStart || !GueltigeSpur(spur)) return -1;
  start = AufSechzehntel(start);
  if (!GueltigeSampleNr(sample) || !SpurNimmt(spur, sample)) return -1;
  Spur& t = (*this)[spur];
  if (t.Anzahl >= kMaxEintraege || start < 0) return -1;

  int32_t index = EintragSuchen(spur, start);
  if (index >= 0) {
    t.Eintrag[static_cast<size_t>(index)].SampleNr = static_cast<int16_t>(sample);
  } else {
    auto* anfang = t.Eintrag.begin();
    auto* ende = anfang + t.Anzahl;
    auto* pos = std::upper_bound(anfang, ende, start, [](int32_t s, const SpurEintrag& e) { return s < e.Start; });
    std::move_backward(pos, ende, ende + 1);
    *pos = SpurEintrag{start, static_cast<int16_t>(sample), 0, 0, 0, 0};
    ++t.Anzahl;
    index = static_cast<int32_t>(pos - anfang);
  }
  SpurGeaendert[static_cast<size_t>(spur)] = kWahr;
  MixGeaendert = kWahr;
  return index;
}

int16_t Spuren::SampleLoeschen(int32_t spur, int32_t index) {
  MixGeaendert = kWahr;
  if (!GueltigeSpur(spur)) return 0;
  Spur& t = (*this)[spur];
  if (t.Anzahl <= 0 || index < 0 || index >= t.Anzahl) return 0;
  auto* anfang = t.Eintrag.begin();
  std::move(anfang + index + 1, anfang + t.Anzahl, anfang + index);
  --t.Anzahl;
  SpurGeaendert[static_cast<size_t>(spur)] = kWahr;
  return kWahr;
}

int32_t Spuren::EintragSuchen(int32_t spur, int32_t start) const {
  if (!GueltigeSpur(spur)) return -1;
  const Spur& t = (*this)[spur];
  const auto* anfang = t.Eintrag.begin();
  const auto* ende = anfang + t.Anzahl;
  const auto* pos = std::lower_bound(anfang, ende, start, [](const SpurEintrag& e, int32_t s) { return e.Start < s; });
  return (pos != ende && pos->Start == start) ? static_cast<int32_t>(pos - anfang) : -1;
}

int32_t Spuren::EintragVor(int32_t spur, int32_t tick) const {
  if (!GueltigeSpur(spur)) return 0;
  const Spur& t = (*this)[spur];
  const auto* anfang = t.Eintrag.begin();
  const auto* pos =
      std::upper_bound(anfang, anfang + t.Anzahl, tick, [](int32_t s, const SpurEintrag& e) { return s < e.Start; });
  return pos == anfang ? 0 : static_cast<int32_t>(pos - anfang - 1);
}

int32_t Spuren::SampleTreffer(int32_t spur, int32_t tick) const {
  if (!GueltigeSpur(spur)) return -1;
  const Spur& t = (*this)[spur];
  // Backwards, so that at a shared edge the later entry wins.
  for (int32_t i = t.Anzahl - 1; i >= 0; --i) {
    const SpurEintrag& e = t.Eintrag[static_cast<size_t>(i)];
    if (e.Start < 0) continue;
    if (e.Start <= tick && tick <= HoerbaresEnde(spur, i)) return i;
  }
  return -1;
}

// --- Selection --------------------------------------------------------------------------------

void Spuren::SpurDemarkieren(int32_t spur) {
  if (!GueltigeSpur(spur)) return;
  Spur& t = (*this)[spur];
  for (int32_t i = 0; i < t.Anzahl; ++i) t.Eintrag[static_cast<size_t>(i)].Markiert = 0;
  SpurGeaendert[static_cast<size_t>(spur)] = kWahr;
}

void Spuren::AllesMarkieren() {
  for (int s = 0; s < kHoerbareSpuren; ++s) {
    Spur& t = (*this)[s];
    for (int32_t i = 0; i < t.Anzahl; ++i) t.Eintrag[static_cast<size_t>(i)].Markiert = kWahr;
    SpurGeaendert[static_cast<size_t>(s)] = kWahr;
  }
}

int16_t Spuren::NichtsMarkieren() {
  int16_t etwas = 0;
  for (int s = 0; s < kHoerbareSpuren; ++s) {
    Spur& t = (*this)[s];
    for (int32_t i = 0; i < t.Anzahl; ++i) {
      auto& e = t.Eintrag[static_cast<size_t>(i)];
      if (e.Markiert != 0) {
        e.Markiert = 0;
        etwas = kWahr;
        SpurGeaendert[static_cast<size_t>(s)] = kWahr;
      }
    }
  }
  return etwas;
}

void Spuren::RahmenMarkieren(int32_t ersteSpur, int32_t letzteSpur, int32_t a, int32_t b, Auswahl auswahl) {
  ersteSpur = std::clamp(ersteSpur, 0, kSpurAnzahl - 1);
  letzteSpur = std::clamp(letzteSpur, 0, kSpurAnzahl - 1);
  if (ersteSpur > letzteSpur) std::swap(ersteSpur, letzteSpur);
  if (auswahl == Auswahl::Ersetzen)
    for (int s = 0; s < kHoerbareSpuren; ++s) SpurDemarkieren(s);
  for (int s = ersteSpur; s <= letzteSpur; ++s) {
    Spur& t = (*this)[s];
    for (int32_t i = 0; i < t.Anzahl; ++i) {
      auto& e = t.Eintrag[static_cast<size_t>(i)];
      int32_t ende = MarkierEnde(s, i);
      bool innen = (e.Start >= a && e.Start <= b) || (ende >= a && ende <= b) || (e.Start <= a && ende >= b);
      if (innen) e.Markiert = kWahr;
    }
    SpurGeaendert[static_cast<size_t>(s)] = kWahr;
  }
}

void Spuren::MarkierteLoeschen() {
  for (int s = kHoerbareSpuren - 1; s >= 0; --s) {
    Spur& t = (*this)[s];
    for (int32_t i = 0; i < t.Anzahl;) {
      const auto& e = t.Eintrag[static_cast<size_t>(i)];
      if (e.Markiert != 0 && e.Start >= 0)
        SampleLoeschen(s, i);
      else
        ++i;
    }
  }
}

// --- Clipboard ---------------------------------------------------------------------------------

bool Spuren::Kopieren(const std::string& name) {
  std::vector<SeltempSatz> saetze;
  int32_t kleinsterStart = INT32_MAX;
  int niedrigsteSpur = -1;
  for (int s = 0; s < kHoerbareSpuren; ++s) {
    const Spur& t = (*this)[s];
    for (int32_t i = 0; i < t.Anzahl; ++i) {
      const auto& e = t.Eintrag[static_cast<size_t>(i)];
      if (e.Markiert == 0 || e.Start < 0) continue;
      if (niedrigsteSpur < 0) niedrigsteSpur = s;
      kleinsterStart = std::min(kleinsterStart, e.Start);
      saetze.push_back({SampleKategorie(e.SampleNr, bereiche_), s, i, e.Start, e.SampleNr, e.SchnittAnfang,
                        e.SchnittEnde, e.Lautstaerke, e.Markiert});
    }
  }
  if (niedrigsteSpur >= 0) EinfuegeSpur = static_cast<int16_t>(niedrigsteSpur);
  if (saetze.empty()) kleinsterStart = 0;
  for (auto& s : saetze) s.Relativstart -= kleinsterStart;
  return platform::WriteFileSafely(tempOrdner_ + name, SeltempBytes(saetze));
}

bool Spuren::Ausschneiden(const std::string& name) {
  // A selection that could not be saved is not removed: it would be lost.
  if (!Kopieren(name)) return false;
  MarkierteLoeschen();
  return true;
}

void Spuren::Einfuegen(const std::string& name, int32_t basisSpur, int32_t basisTick, Ablagedatei datei) {
  const std::string pfad = tempOrdner_ + name;
  auto bytes = platform::ReadWholeFile(pfad);
  if (!bytes) return;
  auto saetze = SeltempLesen(*bytes);
  if (!saetze.empty()) {
    const int64_t bezugsSpur = saetze.front().Spur;
    for (const auto& r : saetze) {
      int64_t zielSpur64 = static_cast<int64_t>(r.Spur) + basisSpur - bezugsSpur;
      int64_t zielStart64 = static_cast<int64_t>(r.Relativstart) + basisTick;
      if (zielStart64 <= -64) continue;
      if (zielStart64 < 0) zielStart64 = 0;
      // A record from a damaged file names no track or lies beyond the song: nothing to place.
      if (zielSpur64 < 0 || zielSpur64 >= kSpurAnzahl || zielStart64 > kSpaetesterStart) continue;
      auto zielSpur = static_cast<int32_t>(zielSpur64);
      auto zielStart = static_cast<int32_t>(zielStart64);
      SpurGeaendert[static_cast<size_t>(zielSpur)] = kWahr;
      MixGeaendert = kWahr;
      if (r.SchnittAnfang < 0 || r.SchnittEnde < 0) continue;
      int32_t index = SampleSetzen(zielSpur, zielStart, r.SampleNr);
      if (index < 0) continue;
      Spur& t = (*this)[zielSpur];
      auto& e = t.Eintrag[static_cast<size_t>(index)];
      e.SchnittAnfang = r.SchnittAnfang;
      e.SchnittEnde = r.SchnittEnde;
      e.Lautstaerke = r.Lautstaerke;
      e.SampleNr = r.SampleNr;
      e.Markiert = r.Markiert != 0 ? kWahr : int16_t{0};
      // The exact start is kept unless it would pass a neighbour and break the order.
      bool nachVorgaenger = index == 0 || t.Eintrag[static_cast<size_t>(index - 1)].Start < zielStart;
      bool vorNachfolger = index + 1 >= t.Anzahl || t.Eintrag[static_cast<size_t>(index + 1)].Start > zielStart;
      if (nachVorgaenger && vorNachfolger) e.Start = zielStart;
    }
  }
  if (datei == Ablagedatei::Loeschen) std::remove(pfad.c_str());
}

// --- Drop ----------------------------------------------------------------------------------------

void Spuren::Zusammenfuehren(int ziel, const Spur& neu) {
  Spur& t = (*this)[ziel];
  Spur& m = *misch_;
  m.Anzahl = 0;
  int32_t i = 0, j = 0;
  auto anhaengen = [&m](const SpurEintrag& e) {
    if (m.Anzahl < kMaxEintraege) m.Eintrag[static_cast<size_t>(m.Anzahl++)] = e;
  };
  while (i < t.Anzahl || j < neu.Anzahl) {
    if (j >= neu.Anzahl) {
      anhaengen(t.Eintrag[static_cast<size_t>(i++)]);
    } else if (i >= t.Anzahl) {
      anhaengen(neu.Eintrag[static_cast<size_t>(j++)]);
    } else {
      const auto& alt = t.Eintrag[static_cast<size_t>(i)];
      const auto& dazu = neu.Eintrag[static_cast<size_t>(j)];
      if (alt.Start < dazu.Start) {
        anhaengen(alt);
        ++i;
      } else {
        if (alt.Start == dazu.Start) ++i;  // the dropped entry replaces the one it lands on
        anhaengen(dazu);
        ++j;
      }
    }
  }
  std::copy(m.Eintrag.begin(), m.Eintrag.begin() + m.Anzahl, t.Eintrag.begin());
  t.Anzahl = m.Anzahl;
  SpurGeaendert[static_cast<size_t>(ziel)] = kWahr;
}

void Spuren::SampleAblegen(int32_t a, int32_t tick, Ablage ablage) {
  MixGeaendert = kWahr;
  tick = AufSechzehntel(tick);
  const int64_t delta = static_cast<int64_t>(tick) - Zug.ZugStart;
  const bool verschieben = ablage == Ablage::Verschieben;

  if (!Zug.ZugMehrfach) {
    for (int s = 0; s < kHoerbareSpuren; ++s) SpurDemarkieren(s);
    if (verschieben) SampleLoeschen(Zug.ZugSpur, Zug.ZugIndex);
    int32_t index = SampleSetzen(a, tick, Zug.ZugSample);
    if (index >= 0) {
      auto& e = (*this)[a].Eintrag[static_cast<size_t>(index)];
      e.SchnittAnfang = Zug.ZugSchnittAnfang;
      e.SchnittEnde = Zug.ZugSchnittEnde;
      e.Lautstaerke = Zug.ZugLautstaerke;
      e.Markiert = kWahr;
    }
    return;
  }

  const int64_t d = static_cast<int64_t>(a) - Zug.ZugSpur;
  // Moving down, the lower tracks go first so that no entry is moved twice.
  const bool abwaerts = a > Zug.ZugSpur;
  for (int k = 0; k < kHoerbareSpuren; ++k) {
    const int m = abwaerts ? kHoerbareSpuren - 1 - k : k;
    const int64_t h = m + d;
    Spur& quelle = (*this)[m];
    if (h >= 0 && h < kHoerbareSpuren) {
      if (quelle.Anzahl == 0) continue;
      Spur& sammel = *sammel_;
      sammel.Anzahl = 0;
      if (verschieben) {
        Spur& rest = *rest_;
        rest.Anzahl = 0;
        for (int32_t i = 0; i < quelle.Anzahl; ++i) {
          SpurEintrag e = quelle.Eintrag[static_cast<size_t>(i)];
          if (e.Markiert == 0) {
            rest.Eintrag[static_cast<size_t>(rest.Anzahl++)] = e;
            continue;
          }
          int64_t neu = e.Start + delta;
          if (neu < 0 || neu > kSongflaecheEnde) continue;
          e.Start = static_cast<int32_t>(neu);
          sammel.Eintrag[static_cast<size_t>(sammel.Anzahl++)] = e;
        }
        std::copy(rest.Eintrag.begin(), rest.Eintrag.begin() + rest.Anzahl, quelle.Eintrag.begin());
        quelle.Anzahl = rest.Anzahl;
        SpurGeaendert[static_cast<size_t>(m)] = kWahr;
      } else {
        for (int32_t i = 0; i < quelle.Anzahl; ++i) {
          auto& e = quelle.Eintrag[static_cast<size_t>(i)];
          if (e.Markiert == 0) continue;
          int64_t neu = e.Start + delta;
          if (neu < 0 || neu > kSongflaecheEnde) continue;
          e.Markiert = 0;
          SpurEintrag kopie = e;
          kopie.Start = static_cast<int32_t>(neu);
          kopie.Markiert = kWahr;
          sammel.Eintrag[static_cast<size_t>(sammel.Anzahl++)] = kopie;
          SpurGeaendert[static_cast<size_t>(m)] = kWahr;
        }
      }
      Zusammenfuehren(static_cast<int>(h), sammel);
    } else if (verschieben) {
      for (int32_t i = 0; i < quelle.Anzahl;) {
        if (quelle.Eintrag[static_cast<size_t>(i)].Markiert != 0)
          SampleLoeschen(m, i);
        else
          ++i;
      }
    }
  }
}

// --- Clearing ------------------------------------------------------------------------------------

void Spuren::MixLoeschen() {
  for (int s = 0; s < kSpurAnzahl; ++s) {
    Spur& t = (*this)[s];
    for (size_t i = 0; i <= 10; ++i) t.Eintrag[i] = SpurEintrag{-1, 0, 0, 0, 0, 0};
    t.Anzahl = 0;
    SpurGeaendert[static_cast<size_t>(s)] = kWahr;
  }
  MixGeaendert = 0;
}

void Spuren::SonderspurLeeren() {
  Spur& t = (*this)[kSonderspur];
  t.Anzahl = 0;
  t.Eintrag[0].Start = -1;
}

}  // namespace zelo::arrangement
