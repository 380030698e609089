#include "arrangement/Ansicht.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "platform/gfx/GrafikEffekte.h"

namespace zelo::arrangement {

namespace {

constexpr int kLinks = 1, kRechts = 2;
constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
/// Drawn picture widths: a grabbed block, a list sample, and the selection outline.
constexpr int kZugbildMax = 4000, kListenbildMax = 5000, kUmrissMax = 3200;
/// Timer steps from a click on a block until the sample editor opens (300 ms).
constexpr int kHalteSchritte = 15;
/// Scroll button auto-repeat: first delay, then the interval; edge scrolling likewise.
constexpr uint32_t kScrollVerzoegerung = 500, kScrollTakt = 230;
constexpr uint32_t kRandVerzoegerung = 700, kRandTakt = 120;
/// The outline of a band and of a dragged selection.
constexpr uint32_t kBandfarbe = 0xFFFFFFFFu;
const std::string kNormal = "Normal";

void Rahmenlinien(SDL_Surface* s, const platform::Rect& r, uint32_t farbe) {
  platform::FillRect(s, {r.x, r.y, r.w + 1, 1}, farbe);
  platform::FillRect(s, {r.x, r.y + r.h, r.w + 1, 1}, farbe);
  platform::FillRect(s, {r.x, r.y, 1, r.h + 1}, farbe);
  platform::FillRect(s, {r.x + r.w, r.y, 1, r.h + 1}, farbe);
}

platform::Rect Erweitert(const platform::Rect& r) { return {r.x - 1, r.y - 1, r.w + 3, r.h + 3}; }

}  // namespace

Ansicht::Ansicht(Spuren& spuren, const library::Katalog& katalog, Transportwerte transport, platform::Clock& uhr,
                 Ansichtumgebung& umgebung, Sampleliste& liste, Blockmittel mittel)
    : spuren_(spuren), katalog_(katalog), t_(transport), uhr_(uhr), u_(umgebung), liste_(liste), mittel_(mittel) {}

Ansicht::~Ansicht() {
  if (leer_) SDL_FreeSurface(leer_);
  if (zugInhalt_) SDL_FreeSurface(zugInhalt_);
}

// --- Setup ---------------------------------------------------------------------------------

void Ansicht::SpurGeometrieSetzen(const Spurgeometrie& g) {
  geo_ = g;
  streifen_ = false;
  spuren_.PixelProTaktSetzen(g.PixelProTakt);
  gerendertSample_ = -1;
  gezeichneterErsterTakt_ = -1;
  platform::Window* f = u_.Fenster();
  if (leer_) SDL_FreeSurface(leer_);
  leer_ = nullptr;
  if (!f || !g.Gueltig()) return;
  leer_ = platform::NewSurface(g.Breite(), 16 * g.Pitch());
  if (leer_)
    platform::BitBlt(leer_, 0, 0, leer_->w, leer_->h, f->Back(), g.Links + g.VersatzX, g.Oben + g.VersatzY,
                     platform::Rop::SrcCopy);
}

void Ansicht::StreifenGeometrieSetzen(const Spurgeometrie& g, int streifenOben) {
  Spurgeometrie s = g;
  s.Oben = streifenOben - 16 * g.Pitch();
  geo_ = s;
  streifen_ = true;
  spuren_.PixelProTaktSetzen(g.PixelProTakt);
  gerendertSample_ = -1;
}

// --- Drawing -------------------------------------------------------------------------------

bool Ansicht::Zeichnet() const { return geo_.Gueltig() && u_.Hauptseite() && !streifen_; }

platform::Rect Ansicht::Bildschirm(const platform::Rect& r) const {
  return {r.x + geo_.VersatzX, r.y + geo_.VersatzY, r.w, r.h};
}

void Ansicht::ZSpuren() {
  if (!u_.Hauptseite() && !u_.Musterseite()) return;
  if (t_.MixLaeuft) u_.FadenLoeschen();
  SpurenZeichnen();
  u_.Schnellregler();
  u_.SampleEditorZeichnen();
}

void Ansicht::AlleNeuZeichnen() {
  for (int s = 0; s < kHoerbareSpuren; ++s) spuren_.SpurGeaendert[static_cast<size_t>(s)] = kWahr;
  ZSpuren();
}

void Ansicht::SpurenZeichnen() {
  spuren_.SonderspurLeeren();
  if (!Zeichnet()) return;
  if (t_.ErsterTakt != gezeichneterErsterTakt_) {
    for (int s = 0; s < kHoerbareSpuren; ++s) spuren_.SpurGeaendert[static_cast<size_t>(s)] = kWahr;
    gezeichneterErsterTakt_ = t_.ErsterTakt;
  }
  for (int s = 0; s < kHoerbareSpuren; ++s) {
    if (!spuren_.SpurGeaendert[static_cast<size_t>(s)]) continue;
    spuren_.SpurGeaendert[static_cast<size_t>(s)] = 0;
    ZeileZeichnen(s);
  }
}

void Ansicht::SpurZeichnen(int spur) {
  if (spur < 0 || spur >= kSpurAnzahl || !Zeichnet()) return;
  spuren_.SpurGeaendert[static_cast<size_t>(spur)] = 0;
  // Entries of the transient row are never drawn.
  if (spur == kSonderspur) return;
  ZeileZeichnen(spur);
}

void Ansicht::ZeileZeichnen(int spur) {
  platform::Window* f = u_.Fenster();
  const Spur& t = spuren_[spur];
  bool gezeichnet = false;
  for (int32_t i = 0; i < t.Anzahl; ++i) {
    const SpurEintrag& e = t.Eintrag[static_cast<size_t>(i)];
    if (e.Start < 0) continue;
    const int32_t breite = katalog_.SampleBreite[static_cast<size_t>(std::clamp<int>(e.SampleNr, 0, library::kHoechsteSampleNummer))];
    const Sichtbarkeit s = EintragSichtbar(geo_, e.Start, breite, t_.ErsterTakt);
    if (s == Sichtbarkeit::Danach) break;
    if (s == Sichtbarkeit::Auslassen) continue;
    const int32_t naechster = i + 1 < t.Anzahl ? t.Eintrag[static_cast<size_t>(i + 1)].Start : -1;
    const Blockteil teil = BlockteilBerechnen(geo_, e.Start, breite, e.SchnittAnfang, e.SchnittEnde, naechster,
                                              t_.ErsterTakt, !gezeichnet);
    gezeichnet = true;
    const int y = geo_.ZeileOben(spur);
    if (teil.VorBreite > 0) Hintergrund(teil.VorX, y, teil.VorBreite);
    if (teil.Block && SampleToHdc(e.SampleNr, e.Markiert != 0) && f)
      platform::BitBlt(f->Back(), teil.ZielX + geo_.VersatzX, y + geo_.VersatzY, teil.Breite, geo_.Zeilenhoehe,
                       mittel_.Blockbild, teil.QuelleX, 0, platform::Rop::SrcCopy);
    else if (teil.Block)
      Hintergrund(teil.ZielX, y, teil.Breite);
    if (teil.LueckeBreite > 0) Hintergrund(teil.LueckeX, y, teil.LueckeBreite);
  }
  if (!gezeichnet) ZeileLoeschen(spur);
  ZeileInvalidieren(spur);
}

void Ansicht::ZeileLoeschen(int spur) {
  if (spur < 0 || spur >= kHoerbareSpuren) return;
  Hintergrund(geo_.Links, geo_.ZeileOben(spur), geo_.Breite());
}

void Ansicht::Hintergrund(int x, int y, int breite) {
  platform::Window* f = u_.Fenster();
  if (!f || !leer_ || breite <= 0) return;
  platform::BitBlt(f->Back(), x + geo_.VersatzX, y + geo_.VersatzY, breite, geo_.Zeilenhoehe, leer_, x - geo_.Links,
                   y - geo_.Oben, platform::Rop::SrcCopy);
}

void Ansicht::ZeileInvalidieren(int spur) {
  if (platform::Window* f = u_.Fenster())
    f->Invalidate(Bildschirm({geo_.Links, geo_.ZeileOben(spur), geo_.Breite(), geo_.Zeilenhoehe}));
}

bool Ansicht::SampleToHdc(int sample, bool ausgewaehlt) {
  if (!library::Katalog::IstNummer(sample) || !mittel_.Gfx || !mittel_.Blockbild) return false;
  const auto i = static_cast<size_t>(sample);
  const int gruppe = katalog_.SampleGruppe[i];
  if (gruppe < 1 || gruppe > 12) return false;
  // The names are part of the key: a renamed sample is rendered afresh.
  if (sample == gerendertSample_ && ausgewaehlt == gerendertAuswahl_ && katalog_.SampleName[i] == gerendertName_ &&
      katalog_.SampleName2[i] == gerendertName2_)
    return true;
  if (ausgewaehlt)
    mittel_.Gfx->GFX_SampleZeichneSel(mittel_.Texturpaar, gruppe - 1, katalog_.SampleBreite[i], katalog_.SampleName[i],
                                      katalog_.SampleName2[i], 0, 0);
  else
    mittel_.Gfx->GFX_SampleZeichne(mittel_.Texturpaar, gruppe - 1, katalog_.SampleBreite[i], katalog_.SampleName[i],
                                   katalog_.SampleName2[i], 0, 0);
  gerendertSample_ = sample;
  gerendertAuswahl_ = ausgewaehlt;
  gerendertName_ = katalog_.SampleName[i];
  gerendertName2_ = katalog_.SampleName2[i];
  return true;
}

void Ansicht::LinealZeichnen() {
  t_.ErsterTakt = ErsterTaktBegrenzt(t_.ErsterTakt);
  t_.AktTakt = std::clamp(t_.AktTakt, int32_t{0}, kMaxTakte - 1);
  for (int spalte = 1; spalte <= kSichtbareTakte; ++spalte)
    TaktZelleZeichnen(spalte, t_.ErsterTakt + spalte - 1 == t_.AktTakt);
  if (u_.Hauptseite()) u_.HScroll(HScrollWert(t_.ErsterTakt));
}

void Ansicht::TaktZelleZeichnen(int spalte, bool marker) {
  if (spalte < 1 || spalte > kSichtbareTakte || u_.Musterseite()) return;
  u_.TaktZelle(spalte, !marker);
}

bool Ansicht::ImLoop(int takt) const {
  return t_.LoopAnfang > 0 && t_.LoopEnde > 0 && takt >= t_.LoopAnfang && takt <= t_.LoopEnde;
}

// --- Ruler ---------------------------------------------------------------------------------

bool Ansicht::TaktKlick(int button, int shift, int x, int y) {
  const platform::Rect lineal = u_.Element(4);
  if (lineal.Empty() || x < lineal.x || x > lineal.x + lineal.w || y < lineal.y || y > lineal.y + lineal.h) return false;
  const int spalte = LinealSpalte(geo_, x);
  if (spalte == 0) return false;
  t_.LoopAnfang = t_.LoopEnde = 0;
  LinealZeichnen();
  if (t_.MixLaeuft) {
    u_.AllStop(kNormal);
    u_.ElementEin(37);
    u_.PlayInit(kNormal);
  }
  linealspalte_ = spalte;
  return true;
}

void Ansicht::SelTa(int shift, const platform::Rect& band) {
  const Loopbereich l = LoopAusBand(geo_, band.x, band.w, t_.ErsterTakt);
  t_.LoopAnfang = l.Anfang;
  t_.LoopEnde = l.Ende;
  LinealZeichnen();
  spuren_.NichtsMarkieren();
  AlleNeuZeichnen();
  if (t_.LoopModus && t_.MixLaeuft) {
    u_.AllStop(kNormal);
    u_.ElementEin(29);
    u_.ElementEin(37);
    u_.PlayInit(kNormal);
  }
}

// --- Pointer in the track area ---------------------------------------------------------------

platform::Rect Ansicht::Auswahlumriss() const {
  int32_t von = INT32_MAX, bis = INT32_MIN;
  int oben = -1, unten = -1;
  for (int s = 0; s < kHoerbareSpuren; ++s) {
    const Spur& t = spuren_[s];
    for (int32_t i = 0; i < t.Anzahl; ++i) {
      const SpurEintrag& e = t.Eintrag[static_cast<size_t>(i)];
      if (!e.Markiert || e.Start < 0) continue;
      von = std::min(von, e.Start);
      bis = std::max(bis, spuren_.MarkierEnde(s, i));
      if (oben < 0) oben = s;
      unten = s;
    }
  }
  if (oben < 0) return {};
  int links = std::max(TickZuPixel(geo_, von, t_.ErsterTakt), -1000);
  int rechts = TickZuPixel(geo_, bis, t_.ErsterTakt);
  return {links, geo_.ZeileOben(oben), std::min(rechts - links, kUmrissMax),
          geo_.ZeileOben(unten) + geo_.Zeilenhoehe - geo_.ZeileOben(oben)};
}

void Ansicht::SpurMausDown(int button, int shift, int x, int y, bool nurZeile16) {
  ZugBeenden();
  u_.Schnellregler();
  if (radierer_) {
    modus_ = Mausmodus::Radieren;
    Radieren(x, y);
    return;
  }
  const int spur = SpurBeiDruck(geo_, y);
  const int32_t tick = PixelZuTick(geo_, x, t_.ErsterTakt);
  druckX_ = x, druckY_ = y, druckTick_ = tick, druckSpur_ = spur;
  int32_t index = -1;
  if (nurZeile16) {
    if (spur == kSonderspur) index = spuren_.SampleTreffer(spur, tick);
  } else if (Hoerbar(spur) && x > geo_.Links && x < geo_.Links + geo_.Breite()) {
    index = spuren_.SampleTreffer(spur, tick);
  }
  if (index < 0) {
    // Empty space: a rubber band starts here, anchored to the song so edge scrolling stretches it.
    bandInhaltX_ = x + t_.ErsterTakt * geo_.PixelProTakt;
    bandY_ = y;
    band_ = {x, y, 0, 0};
    modus_ = Mausmodus::Band;
    return;
  }
  SpurEintrag& e = spuren_[spur].Eintrag[static_cast<size_t>(index)];
  u_.Vorhoerauswahl(e.SampleNr, e.SchnittAnfang, e.SchnittEnde);
  if (shift == kShift) {
    e.Markiert = e.Markiert ? 0 : kWahr;
    spuren_.SpurGeaendert[static_cast<size_t>(spur)] = kWahr;
    modus_ = Mausmodus::Geklickt;
    return;
  }
  gegriffen_ = true;
  const int32_t volleBreite = katalog_.SampleBreite[static_cast<size_t>(std::clamp<int>(e.SampleNr, 0, library::kHoechsteSampleNummer))];
  const int sichtbar = volleBreite - Runden(e.SchnittAnfang * geo_.PixelProTick()) - Runden(e.SchnittEnde * geo_.PixelProTick());
  zugbild_ = {std::max(TickZuPixel(geo_, e.Start, t_.ErsterTakt), -20 * geo_.PixelProTakt), geo_.ZeileOben(spur),
              std::clamp(sichtbar, 1, kZugbildMax), geo_.Zeilenhoehe};
  zugStartX_ = zugbild_.x, zugStartY_ = zugbild_.y;
  if (SampleToHdc(e.SampleNr, e.Markiert != 0)) BildFuellen(zugbild_.w, zugbild_.h);
  spuren_.Zug = Zugdaten{e.SampleNr, e.SchnittAnfang, e.SchnittEnde, e.Lautstaerke, e.Markiert != 0, spur, index, e.Start};
  feinTick_ = INT32_MIN;
  rahmen_ = Auswahlumriss();
  rahmenStartX_ = rahmen_.x, rahmenStartY_ = rahmen_.y;
}

void Ansicht::SpurMausMove(int button, int shift, int x, int y) {
  zeigerX_ = x, zeigerY_ = y;
  if (modus_ == Mausmodus::Radieren) {
    Radieren(x, y);
    return;
  }
  if ((button & (kLinks | kRechts)) && gegriffen_) {
    modus_ = Mausmodus::Ziehen;
    ZugbildBewegen(x, y);
    if (shift == kCtrl) {
      const int32_t tick = PixelZuTick(geo_, zugbild_.x, t_.ErsterTakt);
      if (tick != feinTick_) {
        feinTick_ = tick;
        const int32_t takt = tick >= 0 ? tick / kTicksProTakt : 0;
        u_.Mixtext(u_.Text(70) + std::to_string(takt + 1) + Sechzehntel(tick));
      }
    }
    return;
  }
  if (modus_ == Mausmodus::Band && (button & (kLinks | kRechts))) {
    const int startX = bandInhaltX_ - t_.ErsterTakt * geo_.PixelProTakt;
    band_ = RechteckAusPunkten(startX, bandY_, x, y);
    BandZeigen(band_);
  }
}

void Ansicht::SpurMausUp(int button, int shift, int x, int y) {
  if (modus_ == Mausmodus::Radieren) {
    modus_ = Mausmodus::Ruhe;
    return;
  }
  if (!gegriffen_) {
    if (modus_ == Mausmodus::Geklickt) {
      BandVerbergen();
      ZSpuren();
    } else if (modus_ == Mausmodus::Band) {
      const platform::Rect band = band_;
      BandVerbergen();
      if (band.w > 1 || band.h > 1) {
        switch (BandzielVon(geo_, band)) {
          case Bandziel::Lineal:
            SelTa(shift, band);
            break;
          case Bandziel::Spuren: {
            int erste = 16, letzte = 16;
            if (!u_.Musterseite()) BandSpuren(geo_, band, erste, letzte);
            spuren_.RahmenMarkieren(erste, letzte, PixelZuTick(geo_, band.x, t_.ErsterTakt),
                                    PixelZuTick(geo_, band.x + band.w, t_.ErsterTakt),
                                    shift == kShift ? Auswahl::Erweitern : Auswahl::Ersetzen);
            ZSpuren();
            break;
          }
          case Bandziel::Liste:
            liste_.SelSa(shift, band.x, band.y, band.w, band.h);
            break;
        }
      } else if (Hoerbar(druckSpur_)) {
        // A click on empty track space moves the marker there.
        const int32_t takt = druckTick_ >= 0 ? druckTick_ / kTicksProTakt : 0;
        if (takt >= t_.ErsterTakt && takt < t_.ErsterTakt + kSichtbareTakte) u_.SetRot(takt);
        if (spuren_.NichtsMarkieren()) ZSpuren();
      }
    }
    modus_ = Mausmodus::Ruhe;
    return;
  }

  const Zugdaten zug = spuren_.Zug;
  if (std::abs(x - druckX_) > 1 || std::abs(y - druckY_) > 1) {
    // A drag: the picture's position says where the entries land.
    const int spur = SpurBeiBlockabwurf(geo_, zugbild_.y);
    int32_t tick = PixelZuTick(geo_, zugbild_.x, t_.ErsterTakt);
    if (shift != kCtrl && spur != kSonderspur) tick = (tick + 64) / kTicksProTakt * kTicksProTakt;
    tick = std::max(tick, int32_t{0});
    const Ablage ablage = (button == kLinks && !(shift & kAlt)) ? Ablage::Verschieben : Ablage::Kopieren;
    const bool umriss = rahmenSichtbar_;
    if (loeschziel_) {
      if (button == kLinks) {
        u_.UndoSichern();
        spuren_.SampleAblegen(42, tick, Ablage::Verschieben);
      }
    } else if (x > geo_.Links && x < geo_.Links + geo_.Breite()) {
      if (umriss) u_.UndoSichern();
      spuren_.SampleAblegen(spur, tick, ablage);
    }
    ZugBeenden();
    AlleNeuZeichnen();
    return;
  }

  // A click on a block: it alone is selected, and the sample editor opens a little later.
  spuren_.NichtsMarkieren();
  const int spur = zug.ZugSpur;
  Spur& t = spuren_[spur];
  ZugBeenden();
  if (zug.ZugIndex >= 0 && zug.ZugIndex < t.Anzahl) {
    SpurEintrag& e = t.Eintrag[static_cast<size_t>(zug.ZugIndex)];
    e.Markiert = kWahr;
    spuren_.SpurGeaendert[static_cast<size_t>(spur)] = kWahr;
  }
  ZSpuren();
  if (Hoerbar(spur) && zug.ZugIndex >= 0 && zug.ZugIndex < t.Anzahl) {
    const SpurEintrag& e = t.Eintrag[static_cast<size_t>(zug.ZugIndex)];
    const auto s = static_cast<size_t>(std::clamp<int>(e.SampleNr, 0, library::kHoechsteSampleNummer));
    SampleToHdc(e.SampleNr, true);
    const int bx = TickZuPixel(geo_, e.Start, t_.ErsterTakt);
    auftrag_ = Editorauftrag{mittel_.Blockbild,  bx + geo_.VersatzX,   geo_.ZeileOben(spur) + geo_.VersatzY,
                             katalog_.SampleBreite[s], geo_.Zeilenhoehe, geo_.PixelProTakt,
                             e.SchnittAnfang,     e.SchnittEnde,       e.Lautstaerke + 16384};
    klickSpur_ = spur;
    klickStart_ = e.Start;
    u_.Schnellregler();
    if (!t_.MixLaeuft) haltezaehler_ = 1;
    if (Hoerbar(SpurBeiDruck(geo_, y)) && x > geo_.Links && x < geo_.Links + geo_.Breite()) {
      const int32_t takt = druckTick_ >= 0 ? druckTick_ / kTicksProTakt : 0;
      if (takt >= t_.ErsterTakt && takt < t_.ErsterTakt + kSichtbareTakte) u_.SetRot(takt);
    }
  }
  modus_ = Mausmodus::Geklickt;
}

int32_t Ansicht::SampleAbwurf(int x, double y, int sample, Raster raster) {
  const int spur = SpurBeiAbwurf(geo_, y);
  if (u_.Musterseite() && spur != kSonderspur) return -1;
  const int32_t tick = AbwurfTick(PixelZuTick(geo_, x, t_.ErsterTakt), raster);
  return spuren_.SampleSetzen(spur, tick, sample);
}

void Ansicht::RadiererUmschalten() {
  radierer_ = !radierer_;
  if (radierer_) {
    u_.UndoSichern();
    u_.RadiererZeiger();
  } else {
    u_.NormalZeiger();
  }
}

void Ansicht::RadiererEnde() {
  if (!radierer_) return;
  radierer_ = false;
  if (modus_ == Mausmodus::Radieren) modus_ = Mausmodus::Ruhe;
  u_.ElementAus(23);
  u_.NormalZeiger();
}

void Ansicht::Radieren(int x, int y) {
  const int spur = SpurBeiRadierer(geo_, y);
  if (spur < 0) return;
  const int32_t index = spuren_.SampleTreffer(spur, PixelZuTick(geo_, x, t_.ErsterTakt));
  // Only a hit changes the mix; sweeping over empty space leaves it unchanged.
  if (index < 0) return;
  spuren_.SampleLoeschen(spur, index);
  SpurZeichnen(spur);
}

// --- Sample list -----------------------------------------------------------------------------

bool Ansicht::Eigenes(int sample) const {
  const library::Bereich& b = spuren_.Bereiche()[1];
  return sample >= b.Erste && sample <= b.Letzte;
}

bool Ansicht::SampleKlick(int button, int shift, int x, int y) {
  if (!u_.Soundgruppenseite()) return false;
  const std::vector<Listenknopf> knoepfe = liste_.Knopfliste();
  const int k = ListenTreffer(knoepfe, katalog_.SampleBreite, geo_.PixelProTakt, liste_.Blockhoehe(), x, y);
  if (k < 0) return false;
  const int s = knoepfe[static_cast<size_t>(k)].Sample;
  liste_.HauptnummerSetzen(s);
  gedruecktesSample_ = s;
  if (radierer_ && Eigenes(s)) {
    liste_.Hervorheben();
    liste_.ListeAufbauen();
    liste_.Loeschen();
    u_.RadiererZeiger();
    return true;
  }
  if (button == kRechts) {
    liste_.Hervorheben();
    u_.AllStop(kNormal);
    liste_.Kontextmenue(x + geo_.VersatzX, y + geo_.VersatzY);
    return true;
  }
  if (button == kLinks) {
    const std::vector<bool> marken = liste_.Auswahlmarken();
    umrissAn_ = static_cast<size_t>(k) < marken.size() && marken[static_cast<size_t>(k)];
    if (umrissAn_) umriss_ = ListenUmriss(knoepfe, marken, katalog_.SampleBreite, liste_.Blockhoehe(), k);
    ListenZugStart(k, x, y);
  }
  return true;
}

bool Ansicht::KontextKlick(int button, int shift, int x, int y) {
  if (!u_.Soundgruppenseite() || button != kRechts) return false;
  const platform::Rect r = liste_.Listenbereich();
  if (r.Empty() || x < r.x || x > r.x + r.w || y < r.y || y > r.y + r.h) return false;
  u_.AllStop(kNormal);
  liste_.Kontextmenue(x + geo_.VersatzX, y + geo_.VersatzY);
  u_.NormalZeiger();
  RadiererEnde();
  return true;
}

void Ansicht::ListenZugStart(int knopf, int druckX, int druckY) {
  const std::vector<Listenknopf> knoepfe = liste_.Knopfliste();
  if (knopf < 0 || static_cast<size_t>(knopf) >= knoepfe.size()) return;
  const Listenknopf& b = knoepfe[static_cast<size_t>(knopf)];
  gezogenesSample_ = b.Sample;
  ziehtListe_ = true;
  druckBereit_ = true;
  druckX_ = druckX, druckY_ = druckY;
  const int32_t breite = katalog_.SampleBreite[static_cast<size_t>(std::clamp(b.Sample, 0, library::kHoechsteSampleNummer))];
  zugbild_ = {b.X, b.Y, std::clamp(breite, 1, kListenbildMax), std::max(liste_.Blockhoehe(), 1)};
  zugStartX_ = b.X, zugStartY_ = b.Y;
  rahmen_ = umrissAn_ ? umriss_ : platform::Rect{};
  rahmenStartX_ = rahmen_.x, rahmenStartY_ = rahmen_.y;
  if (SampleToHdc(b.Sample, umrissAn_)) BildFuellen(zugbild_.w, std::min(zugbild_.h, geo_.Zeilenhoehe));
}

void Ansicht::ListenZugBewegen(int x, int y) {
  if (!ziehtListe_) return;
  if (druckBereit_) {
    if (std::abs(x - druckX_) < 1 && std::abs(y - druckY_) < 1) return;
    druckBereit_ = false;
  }
  zugbild_.x = zugStartX_ + x - druckX_;
  zugbild_.y = zugStartY_ + y - druckY_;
  BildZeigen(zugbild_);
  if (umrissAn_) {
    rahmen_.x = rahmenStartX_ + x - druckX_;
    rahmen_.y = rahmenStartY_ + y - druckY_;
    BandZeigen(rahmen_);
    rahmenSichtbar_ = true;
  }
}

void Ansicht::ListenAbwurf(int shift) {
  const bool gezeigt = zugbildSichtbar_;
  const platform::Rect bild = zugbild_;
  if (gezeigt && ziehtListe_ && Eigenes(gedruecktesSample_)) {
    Zeitarbeit();  // the group target of the picture's last position
    if (zielgruppe_ < 18) {
      const int gruppe = zielgruppe_ + 1;
      u_.Sanduhr();
      u_.SampiAus();
      liste_.InGruppe(gedruecktesSample_, gruppe);
      AlleNeuZeichnen();
      u_.NormalZeiger();
      return;
    }
  }
  if (gezeigt && !druckBereit_ && ziehtListe_) {
    const int sample = gezogenesSample_;
    if (loeschziel_) {
      spuren_.MixGeaendert = kWahr;
      u_.SampiAus();
      liste_.Loeschen();
    } else if (u_.Hauptseite() || u_.Musterseite()) {
      spuren_.MixGeaendert = kWahr;
      u_.SampiAus();
      SampleAbwurf(bild.x, bild.y + bild.h / 2.0, sample, shift == kCtrl ? Raster::Sechzehntel : Raster::Takt);
      AlleNeuZeichnen();
      u_.MixnameZeigen();
      u_.NormalZeiger();
    } else {
      u_.SampiAus();
    }
    return;
  }
  if ((u_.Hauptseite() || u_.Musterseite()) && !u_.SampiVomInfobild()) u_.SampiAus();
}

// --- Drag display ------------------------------------------------------------------------------

void Ansicht::BildFuellen(int breite, int hoehe) {
  if (zugInhalt_) SDL_FreeSurface(zugInhalt_);
  zugInhalt_ = nullptr;
  if (!mittel_.Blockbild || breite <= 0 || hoehe <= 0) return;
  zugInhalt_ = platform::NewSurface(breite, hoehe);
  if (zugInhalt_) platform::BitBlt(zugInhalt_, 0, 0, breite, hoehe, mittel_.Blockbild, 0, 0, platform::Rop::SrcCopy);
}

void Ansicht::BildZeigen(const platform::Rect& r) {
  if (zugbildSichtbar_ && r.x == zugbild_.x && r.y == zugbild_.y && r.w == zugbild_.w) return;
  platform::Window* f = u_.Fenster();
  if (f && zugInhalt_) {
    SDL_Surface* ebene = f->LayerSurface(platform::Layer::Drag);
    const platform::Rect neu = Bildschirm(r);
    if (zugbildSichtbar_) f->ClearLayer(platform::Layer::Drag, bildGezeigt_);
    platform::BitBlt(ebene, neu.x, neu.y, r.w, r.h, zugInhalt_, 0, 0, platform::Rop::SrcCopy);
    f->ShowLayer(platform::Layer::Drag, true);
    f->InvalidateLayer(platform::Layer::Drag, zugbildSichtbar_ ? platform::Union(bildGezeigt_, neu) : neu);
    bildGezeigt_ = neu;
  }
  zugbild_ = r;
  zugbildSichtbar_ = true;
}

void Ansicht::BildVerbergen() {
  platform::Window* f = u_.Fenster();
  if (f && zugbildSichtbar_) {
    f->ClearLayer(platform::Layer::Drag, bildGezeigt_);
    f->InvalidateLayer(platform::Layer::Drag, bildGezeigt_);
    f->ShowLayer(platform::Layer::Drag, false);
  }
  zugbildSichtbar_ = false;
}

void Ansicht::BandZeigen(const platform::Rect& r) {
  platform::Window* f = u_.Fenster();
  if (!f) return;
  SDL_Surface* ebene = f->LayerSurface(platform::Layer::Rubber);
  const platform::Rect neu = Erweitert(Bildschirm(r));
  if (!bandGezeigt_.Empty()) f->ClearLayer(platform::Layer::Rubber, bandGezeigt_);
  Rahmenlinien(ebene, Bildschirm(r), kBandfarbe);
  f->ShowLayer(platform::Layer::Rubber, true);
  f->InvalidateLayer(platform::Layer::Rubber, bandGezeigt_.Empty() ? neu : platform::Union(bandGezeigt_, neu));
  bandGezeigt_ = neu;
}

void Ansicht::BandVerbergen() {
  rahmenSichtbar_ = false;
  platform::Window* f = u_.Fenster();
  if (!f || bandGezeigt_.Empty()) return;
  f->ClearLayer(platform::Layer::Rubber, bandGezeigt_);
  f->InvalidateLayer(platform::Layer::Rubber, bandGezeigt_);
  f->ShowLayer(platform::Layer::Rubber, false);
  bandGezeigt_ = {};
}

void Ansicht::ZugBeenden() {
  BildVerbergen();
  BandVerbergen();
  gegriffen_ = false;
  druckBereit_ = false;
  ziehtListe_ = false;
  umrissAn_ = false;
  zielgruppe_ = kKeineGruppe;
  modus_ = Mausmodus::Ruhe;
  randSeit_ = 0;
}

void Ansicht::ZugbildBewegen(int x, int y) {
  zeigerX_ = x, zeigerY_ = y;
  if (ziehtListe_) {
    ListenZugBewegen(x, y);
    return;
  }
  if (!gegriffen_) return;
  if (!zugbildSichtbar_ && std::abs(x - druckX_) <= 1 && std::abs(y - druckY_) <= 1) return;
  BildZeigen({zugStartX_ + x - druckX_, zugStartY_ + y - druckY_, zugbild_.w, zugbild_.h});
  if (!rahmen_.Empty()) {
    rahmen_.x = rahmenStartX_ + x - druckX_;
    rahmen_.y = rahmenStartY_ + y - druckY_;
    BandZeigen(rahmen_);
    rahmenSichtbar_ = true;
  }
}

// --- Scrolling -------------------------------------------------------------------------------

void Ansicht::ErsterTaktSetzen(int32_t takt) {
  const int32_t neu = ErsterTaktBegrenzt(takt);
  const bool anders = neu != t_.ErsterTakt;
  t_.ErsterTakt = neu;
  LinealZeichnen();
  if (anders) AlleNeuZeichnen();
}

void Ansicht::Schritt(int richtung, int32_t takte) {
  if (markermodus_) {
    t_.AktTakt = std::clamp(t_.AktTakt + richtung * takte, int32_t{0}, kMaxTakte - 1);
    u_.RotPlayRestart();
    ErsterTaktSetzen(ErsterTaktFuerMarker(t_.ErsterTakt, t_.AktTakt));
  } else {
    ErsterTaktSetzen(t_.ErsterTakt + richtung * takte);
  }
}

void Ansicht::Scrollen(int richtung) {
  if (richtung == 0) return;
  richtung = richtung < 0 ? -1 : 1;
  Schritt(richtung, 1);
  scrollRichtung_ = richtung;
  wiederholung_ = 0;
  naechsteWiederholung_ = uhr_.Millis() + kScrollVerzoegerung;
}

void Ansicht::ScrollUndHalteklickStoppen() {
  scrollRichtung_ = 0;
  haltezaehler_ = 0;
}

void Ansicht::Blaettern(int takte) { ErsterTaktSetzen(t_.ErsterTakt + takte); }

void Ansicht::AufSpielpositionScrollen(int32_t spielTakt) {
  ErsterTaktSetzen(ErsterTaktFuerSpielposition(spielTakt));
}

void Ansicht::TaktAufNull() {
  ErsterTaktSetzen(0);
  u_.SetRot(0);
}

void Ansicht::HScrollUebernehmen(int32_t ersterTakt) {
  if (ErsterTaktBegrenzt(ersterTakt) == t_.ErsterTakt) return;
  ErsterTaktSetzen(ersterTakt);
}

void Ansicht::Zeitarbeit() {
  const uint32_t jetzt = uhr_.Millis();
  // A held scroll button repeats: one bar three times, then three bars, then six.
  if (scrollRichtung_ != 0) {
    if (!u_.LinkeTasteGedrueckt()) {
      scrollRichtung_ = 0;
    } else if (static_cast<int32_t>(jetzt - naechsteWiederholung_) >= 0) {
      ++wiederholung_;
      Schritt(scrollRichtung_, ScrollSchritt(wiederholung_));
      naechsteWiederholung_ = jetzt + kScrollTakt;
    }
  }
  // A dragged block or a band resting at either end of the track area scrolls the view.
  const bool ziehtBlock = gegriffen_ && zugbildSichtbar_;
  if ((ziehtBlock || modus_ == Mausmodus::Band) && geo_.Gueltig()) {
    const int rand = geo_.PixelProTakt / 2;
    int richtung = 0;
    if (zeigerX_ < geo_.Links + rand) richtung = -1;
    if (zeigerX_ > geo_.Links + geo_.Breite() - rand) richtung = 1;
    if (richtung == 0) {
      randSeit_ = 0;
    } else if (randSeit_ == 0) {
      randSeit_ = jetzt | 1;
      randNaechster_ = jetzt + kRandVerzoegerung;
    } else if (static_cast<int32_t>(jetzt - randNaechster_) >= 0) {
      ErsterTaktSetzen(t_.ErsterTakt + richtung);
      randNaechster_ = jetzt + kRandTakt;
      if (modus_ == Mausmodus::Band) {
        band_ = RechteckAusPunkten(bandInhaltX_ - t_.ErsterTakt * geo_.PixelProTakt, bandY_, zeigerX_, zeigerY_);
        BandZeigen(band_);
      }
    }
  } else {
    randSeit_ = 0;
  }
  // A user sound dragged from the list looks for the group button under it.
  zielgruppe_ = kKeineGruppe;
  if (zugbildSichtbar_ && ziehtListe_ && Eigenes(gedruecktesSample_) && Eigenes(liste_.Hauptnummer())) {
    std::vector<platform::Rect> knoepfe;
    for (int b = 0; b <= 11; ++b) knoepfe.push_back(u_.Element(45 + b));
    const int w = std::min(zugbild_.w, 6 * geo_.PixelProTakt);
    zielgruppe_ = arrangement::Zielgruppe(knoepfe, Runden(zugbild_.x + w / 2.0), Runden(zugbild_.y + zugbild_.h / 2.0),
                                          w, geo_.Zeilenhoehe);
  }
}

void Ansicht::Halteklick() {
  if (haltezaehler_ <= 0) return;
  if (++haltezaehler_ <= kHalteSchritte) return;
  haltezaehler_ = 0;
  u_.SampleEditorOeffnen(auftrag_);
}

// --- Keys and the sample editor --------------------------------------------------------------

void Ansicht::Kopieren(const std::string& datei) { spuren_.Kopieren(datei); }

void Ansicht::Ausschneiden(const std::string& datei) { spuren_.Ausschneiden(datei); }

void Ansicht::Einfuegen(const std::string& datei) {
  spuren_.Einfuegen(datei, spuren_.EinfuegeSpur, t_.AktTakt * kTicksProTakt, Ablagedatei::Behalten);
}

void Ansicht::AllesMarkieren() { spuren_.AllesMarkieren(); }

void Ansicht::NichtsMarkieren() { spuren_.NichtsMarkieren(); }

void Ansicht::MarkierteLoeschen() { spuren_.MarkierteLoeschen(); }

void Ansicht::EditorWerteUebernehmen(int32_t schnittAnfang, int32_t schnittEnde, int32_t lautstaerke) {
  if (!Hoerbar(klickSpur_)) return;
  // The entry is found by its start: edits since the click may have moved its index.
  const int32_t index = spuren_.EintragSuchen(klickSpur_, klickStart_);
  if (index < 0) return;
  SpurEintrag& e = spuren_[klickSpur_].Eintrag[static_cast<size_t>(index)];
  e.SchnittAnfang = std::max(schnittAnfang, int32_t{0});
  e.SchnittEnde = std::max(schnittEnde, int32_t{0});
  e.Lautstaerke = static_cast<int16_t>(std::clamp(lautstaerke, int32_t{-16384}, int32_t{16383}));
  spuren_.SpurGeaendert[static_cast<size_t>(klickSpur_)] = kWahr;
  spuren_.MixGeaendert = kWahr;
}

}  // namespace zelo::arrangement
