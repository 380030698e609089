#include "pages/Seitensteuerung.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "config/Layout.h"
#include "config/Ordner.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Fonts.h"
#include "platform/Window.h"
#include "platform/gfx/GrafikEffekte.h"

namespace zelo::pages {
namespace {

using platform::EqualsNoCase;

/// Elements wider than this are composed in strips: the work buffer is 400 pixels wide.
constexpr int kStreifen = 394;
constexpr uint32_t kEinDauer = 80, kAusDauer = 400;

bool IstKnopf(int16_t typ) {
  return typ == RollOverButton || typ == OnOffRollOverButton || typ == OnOffButton || typ == Button ||
         typ == RadioButton;
}

/// A tempo as the stretch texts show it: whole numbers plainly, others with one decimal.
std::string TempoText(double tempo) {
  char buf[32];
  if (std::fabs(tempo - std::nearbyint(tempo)) < 0.05)
    std::snprintf(buf, sizeof buf, "%d", static_cast<int>(std::nearbyint(tempo)));
  else
    std::snprintf(buf, sizeof buf, "%.1f", tempo);
  return buf;
}

/// The three characters of the first "140" (or, failing that, "180") replaced by the tempo.
std::string MitTempo(std::string text, double tempo) {
  size_t i = text.find("140");
  if (i == std::string::npos) i = text.find("180");
  if (i != std::string::npos) text.replace(i, 3, TempoText(tempo));
  return text;
}

platform::Farbe FarbeVon(const std::string& wort) {
  if (EqualsNoCase(wort, "rot")) return {255, 0, 0, 255};
  if (EqualsNoCase(wort, "schwarz")) return {0, 0, 0, 255};
  if (EqualsNoCase(wort, "gr\xfcn") || EqualsNoCase(wort, "gr\xc3\xbcn")) return {0, 255, 0, 255};
  return {255, 255, 255, 255};
}

}  // namespace

Seitensteuerung::Seitensteuerung(SeitenUmgebung umgebung) : u_(umgebung) {}

Seitensteuerung::~Seitensteuerung() {
  u_.engine.AClose(slots_[0]);
  u_.engine.AClose(panelbild_);
  for (auto& b : u_.daten.Knopfbilder) u_.engine.AClose(b);
}

std::string Seitensteuerung::Bilddatei(const std::string& stamm) const {
  std::string pfad = u_.ordner.Grafikordner + stamm + u_.ordner.Grafikbuchstabe + ".";
  if (u_.lokaleKopie) pfad = u_.lokaleKopie(u_.ordner, u_.engine, pfad);
  return platform::ResolvePath(pfad);
}

void Seitensteuerung::Flush() {
  if (F()) F()->Present();
}

// ---- Drawing helpers ---------------------------------------------------------------------

void Seitensteuerung::Invalidate(int x, int y, int b, int h) {
  if (F()) F()->Invalidate({x, y, b, h});
}

void Seitensteuerung::BitB(int x, int y, int b, int h, SDL_Surface* bild, int xs, int ys) {
  if (!F() || !bild) return;
  platform::BitBlt(F()->Back(), x + u_.layout.VersatzX, y + u_.layout.VersatzY, b, h, bild, xs, ys,
                   platform::Rop::SrcCopy);
}

void Seitensteuerung::Male(int x, int y, int b, int h, SDL_Surface* bild, int xs, int ys) {
  BitB(x, y, b, h, bild, xs, ys);
  Invalidate(x + u_.layout.VersatzX, y + u_.layout.VersatzY, b, h);
}

void Seitensteuerung::InvalMale(int x, int y, int b, int h) {
  Invalidate(x + u_.layout.VersatzX, y + u_.layout.VersatzY, b, h);
}

void Seitensteuerung::G_AInit(const std::string& pfad) {
  u_.engine.AClose(slots_[0]);
  std::string datei = u_.lokaleKopie ? u_.lokaleKopie(u_.ordner, u_.engine, pfad) : pfad;
  slots_[0].Datei = platform::ResolvePath(datei);
  u_.engine.ALoad(slots_[0]);
}

void Seitensteuerung::ZeichneElement(int n, int prozent, int bild) {
  if (n <= 0 || prozent < 0 || !Objekte::Gueltig(n) || !F()) return;
  const ObjektStruct& e = u_.objekte[n];
  const platform::BildStruct& slot = slots_.at(static_cast<size_t>(std::clamp<int>(e.Ebene, 0, 4)));
  if (!slot.dc || e.Breite <= 0 || e.Hoehe <= 0) return;
  const int ax = bild == 2 ? e.DruckX : e.AktivX, ay = bild == 2 ? e.DruckY : e.AktivY;
  SDL_Surface* puffer = u_.arbeitspuffer ? *u_.arbeitspuffer : nullptr;
  const int sx = e.X + u_.layout.VersatzX, sy = e.Y + u_.layout.VersatzY;
  for (int ab = 0; ab < e.Breite; ab += kStreifen) {
    const int b = std::min(kStreifen, e.Breite - ab);
    if (puffer) {
      u_.gfx.GFX_AnimationPhase(slot.dc, slot.Breite, slot.Hoehe, slot.Extra1, ax + ab, ay, e.QuelleX + ab,
                                e.QuelleY, b, e.Hoehe, prozent);
      platform::BitBlt(F()->Back(), sx + ab, sy, b, e.Hoehe, puffer, 0, 0, platform::Rop::SrcCopy);
    } else {
      // Before the engine starts there is no work buffer: the nearer image is copied as it is.
      const bool normal = prozent >= 50;
      platform::BitBlt(F()->Back(), sx + ab, sy, b, e.Hoehe, slot.dc, (normal ? e.QuelleX : ax) + ab,
                       normal ? e.QuelleY : ay, platform::Rop::SrcCopy);
    }
  }
  Invalidate(sx, sy, e.Breite, e.Hoehe);
}

void Seitensteuerung::ZeigeAktiv(int n) { ZeichneElement(n, 0, 0); }
void Seitensteuerung::ZeigeNormal(int n) { ZeichneElement(n, 100, 0); }

void Seitensteuerung::AktiviereElemente(int bit) {
  const int letzte = std::min(u_.objekte.Hoechste, kElemente - 1);
  for (int n = 1; n <= letzte; ++n) {
    const ObjektStruct& e = u_.objekte[n];
    if ((e.Seiten & bit) && IstKnopf(e.Typ) && e.Wert == 1) ZeigeAktiv(n);
  }
}

// ---- Fades ---------------------------------------------------------------------------------

void Seitensteuerung::Blende_(int n, uint32_t dauer, int16_t bild, bool rueckwaerts) {
  if (n <= 0 || !Objekte::Gueltig(n)) return;
  Blende& b = blenden_[static_cast<size_t>(n)];
  if (std::find(warteschlange_.begin(), warteschlange_.end(), n) == warteschlange_.end())
    warteschlange_.push_back(n);
  uint32_t jetzt = u_.uhr.Millis();
  b.Start = jetzt ? jetzt : 1;  // 0 means "no fade running"
  b.Dauer = dauer;
  b.Bild = bild;
  b.Rueckwaerts = rueckwaerts;
  b.Letzte = -1;
}

void Seitensteuerung::EinblendenDruck(int n) { Blende_(n, kEinDauer, 2, true); }
void Seitensteuerung::EinblendenAktiv(int n) { Blende_(n, kEinDauer, 1, true); }
void Seitensteuerung::Ausblenden(int n) { Blende_(n, kAusDauer, 0, false); }

bool Seitensteuerung::Blender() {
  if (warteschlange_.empty()) return false;
  if (cursor_ < 1 || cursor_ > warteschlange_.size()) cursor_ = 1;
  const int n = warteschlange_[cursor_ - 1];
  Blende& b = blenden_[static_cast<size_t>(n)];
  const uint32_t vergangen = u_.uhr.Millis() - b.Start;
  double anteil = b.Dauer ? double(vergangen) / b.Dauer * 100.0 : 100.0;
  int p = anteil >= 100.0 ? 100 : static_cast<int>(std::nearbyint(anteil));
  if (p >= 100) {
    warteschlange_.erase(warteschlange_.begin() + static_cast<long>(cursor_ - 1));
    p = 100;
    b.Start = 0;
  }
  if (b.Rueckwaerts) p = 100 - p;
  if (p == b.Letzte)
    p = -1;
  else
    b.Letzte = static_cast<int16_t>(p);
  ++cursor_;
  ZeichneElement(n, p, b.Bild);
  return !warteschlange_.empty();
}

void Seitensteuerung::BlendFertig() {
  while (!warteschlange_.empty()) {
    if (cursor_ < 1 || cursor_ > warteschlange_.size()) cursor_ = 1;
    const int n = warteschlange_[cursor_ - 1];
    warteschlange_.erase(warteschlange_.begin() + static_cast<long>(cursor_ - 1));
    Blende& b = blenden_[static_cast<size_t>(n)];
    b.Start = 0;
    ZeichneElement(n, b.Rueckwaerts ? 0 : 100, b.Bild);
    ++cursor_;
  }
  if (Zeichentiefe == 0) Flush();
}

// ---- Page change ---------------------------------------------------------------------------

void Seitensteuerung::Hintergrund(int seite) {
  Aktionen& a = u_.aktionen;
  // 7. The background picture, with playback kept fed around the slow load.
  platform::BildStruct hg;
  hg.Datei = Bilddatei(u_.daten.Seitenzeilen[0][static_cast<size_t>(seite)]);
  a.PlayUpdate(2);
  u_.engine.ALoad(hg);
  a.PlayUpdate(2);
  // 8. Before the main view exists, the margins round the layout are painted black as well.
  if (HauptansichtBereit) {
    Male(0, 0, hg.Breite, hg.Hoehe, hg.dc, 0, 0);
  } else if (F()) {
    platform::Window& f = *F();
    f.SetPersistent(true);
    const int vx = u_.layout.VersatzX, vy = u_.layout.VersatzY;
    auto malen = [&] {
      BitB(0, 0, hg.Breite, hg.Hoehe, hg.dc, 0, 0);
      if (vy > 0) {
        platform::FillRect(f.Back(), {0, 0, f.Width(), vy}, 0xFF000000u);
        platform::FillRect(f.Back(), {0, f.Height() - vy, f.Width(), vy}, 0xFF000000u);
      }
      if (vx > 0) {
        platform::FillRect(f.Back(), {0, 0, vx, f.Height()}, 0xFF000000u);
        platform::FillRect(f.Back(), {f.Width() - vx, 0, vx, f.Height()}, 0xFF000000u);
      }
    };
    malen();
    f.InvalidateAll();
    f.Present();
    malen();
    f.InvalidateAll();
  }
  // 9. The background is released once copied; the element picture stays in slot 0.
  a.PlayUpdate(2);
  u_.engine.AClose(hg);
  G_AInit(u_.ordner.Grafikordner + u_.daten.Seitenzeilen[1][static_cast<size_t>(seite)] + u_.ordner.Grafikbuchstabe +
          ".");
}

void Seitensteuerung::SzeneAktivieren(const std::string& befehl, int neuerZustand) {
  Aktionen& a = u_.aktionen;
  Objekte& o = u_.objekte;
  ++Zeichentiefe;
  u_.engine.RWaveParam(50, 1);
  a.Sanduhr();
  BlendFertig();

  auto stopp = [&](const char* effekt) {
    if (a.NimmtAuf())
      a.AllStop("Normal");
    else
      a.Effektstop(effekt);
  };
  if (EqualsNoCase(befehl, "Matrixbild")) {
    a.SofortAus("");
    for (int e : {670, 669, 671}) o[e].Wert = 0;
    stopp("effekt");
    if (o[11].Wert) {
      SMinus(Timestretch | Mixer | Soundgruppen | Effect | Drumpads | Hauptbild);
      SPlus(Matrix);
      o[9].Wert = o[13].Wert = 0;
    } else {
      SMinus(Matrix);
      SPlus(Hauptbild);
    }
  }
  if (EqualsNoCase(befehl, "Effektbild")) {
    a.SofortAus("");
    stopp("immer");
    if (o[13].Wert) {
      SMinus(Drumpads | Matrix | Hauptbild);
      SPlus(Effect);
      o[11].Wert = o[9].Wert = 0;
    } else {
      SMinus(Effect);
      SPlus(Hauptbild);
    }
  }
  if (EqualsNoCase(befehl, "Hauptbild")) {
    a.SofortAus("");
    stopp("effekt");
    SPlus(Hauptbild);
    SMinus(Drumpads | Matrix | Effect);
    o[11].Wert = o[9].Wert = o[13].Wert = 0;
  }
  // The mixer and the time-stretch panel exclude each other; state 2 closes the named one.
  auto panel = [&](int bit, int knopf, int anderesBit, int andererKnopf) {
    if (neuerZustand != 2 && o[knopf].Wert) {
      SPlus(bit);
      if (SeiteAktiv(anderesBit) || o[andererKnopf].Wert) {
        Ausblenden(andererKnopf);
        o[andererKnopf].Wert = 0;
        SMinus(anderesBit);
      }
      SMinus(Soundgruppen);
    } else {
      SMinus(bit);
      if (neuerZustand == 2) {
        Ausblenden(knopf);
        o[knopf].Wert = 0;
      }
    }
  };
  if (EqualsNoCase(befehl, "Mixerbild")) panel(Mixer, 17, Timestretch, 15);
  if (EqualsNoCase(befehl, "TimeStretchbild")) {
    a.SofortAus("");
    panel(Timestretch, 15, Mixer, 17);
  }
  if (!SeiteAktiv(Mixer | Timestretch | Soundgruppen | Matrix)) SPlus(Soundgruppen);

  // The main page: the last that applies.
  int neueSeite = 0;
  if (SeiteAktiv(Hauptbild) && Hauptseite != Hauptbild) {
    neueSeite = SeiteHaupt;
    Hauptseite = Hauptbild;
  }
  if (SeiteAktiv(Matrix) && Hauptseite != Matrix) {
    neueSeite = SeiteMatrix;
    Hauptseite = Matrix;
  }
  if (SeiteAktiv(Effect) && Hauptseite != Effect) {
    neueSeite = SeiteEffect;
    Hauptseite = Effect;
  }
  bool hauptNeu = false;
  if (neueSeite) {
    Hintergrund(neueSeite);
    Panelseite = 0;  // 10. the panel is drawn again over the new background
    hauptNeu = true;
    if (neueSeite == SeiteEffect) a.EffektNeuLaden();
    AktiviereElemente(Hauptseite);
    a.PlayUpdate(2);
    if (neueSeite == SeiteMatrix) EinblendenDruck(11);
    if (neueSeite == SeiteEffect) EinblendenDruck(13);
  }

  // The panel: the last that applies. The matrix page shows none.
  int panelSeite = 0, platzhalter = 0, panelBit = 0;
  if (SeiteAktiv(Mixer) && Panelseite != Mixer) {
    panelSeite = SeiteMixer, platzhalter = 237, panelBit = Mixer;
  }
  if (SeiteAktiv(Timestretch) && Panelseite != Timestretch) {
    panelSeite = SeiteTimestretch, platzhalter = 307, panelBit = Timestretch;
  }
  if (SeiteAktiv(Soundgruppen) && Panelseite != Soundgruppen) {
    panelSeite = SeiteSoundgruppen, platzhalter = 349, panelBit = Soundgruppen;
  }
  bool panelNeu = false;
  if (panelSeite) {
    if (panelBit == Mixer) EinblendenDruck(17);
    if (panelBit == Timestretch) EinblendenDruck(15);
    Panelseite = static_cast<int16_t>(panelBit);
    std::string datei = Bilddatei(u_.daten.Seitenzeilen[0][static_cast<size_t>(panelSeite)]);
    if (datei != panelbild_.Datei) {
      u_.engine.AClose(panelbild_);
      panelbild_.Datei = datei;
      u_.engine.ALoad(panelbild_);
    }
    slots_[1].dc = panelbild_.dc;
    slots_[1].Breite = panelbild_.Breite;
    slots_[1].Hoehe = panelbild_.Hoehe;
    slots_[1].Extra1 = panelbild_.Extra1;
    slots_[1].Extra2 = panelbild_.Extra2;
    a.PlayUpdate(2);
    const ObjektStruct& p = o[platzhalter];
    Male(p.X, p.Y, p.Breite, p.Hoehe, slots_[1].dc, p.QuelleX, p.QuelleY);
    a.PlayUpdate(2);
    AktiviereElemente(Panelseite);
    panelNeu = true;
  }

  // Follow-up, in this order.
  if (SeiteAktiv(Hauptbild)) a.Effektstop("effekt");
  if (!SeiteAktiv(Timestretch) && a.StretchModus()) {
    a.Effektstop("immer");
    u_.engine.REffekt("StretchMode", 0);
    a.StretchModusAus();
  }
  if (SeiteAktiv(Soundgruppen) && panelNeu && Panelseite == Soundgruppen && HauptansichtBereit)
    a.GruppenknoepfeZeigen();
  if (SeiteAktiv(Hauptbild) && hauptNeu) {
    a.ArrangementEinrichten(75);
    if (a.Spielt()) {
      a.AufSpielpositionScrollen();
      a.SpurenZeichnen();
    }
  }
  if (SeiteAktiv(Matrix) && hauptNeu) a.MatrixStreifenEinrichten(315);
  if (SeiteAktiv(Hauptbild) && hauptNeu && HauptansichtBereit) a.SpurenZeichnen();
  if (SeiteAktiv(Hauptbild | Matrix | Drumpads | Effect) && hauptNeu) {
    a.Taktlineal();
    Textanzeige("Mix", platform::AnsiUpper(a.MixName()));
  }
  if (a.Spielt() && !SeiteAktiv(Matrix)) {
    ZeigeAktiv(37);
    if (a.LoopAn()) ZeigeAktiv(29);
  }
  if (SeiteAktiv(Effect) && hauptNeu) {
    a.TastaturEinrichten(352);
    if (a.EffektSampleGewaehlt()) {
      Textanzeige("EffektSample", a.EffektSampleName());
      a.EffektPlay("alt");
    } else {
      Textanzeige("EffektSample", u_.texte[199]);
    }
  }
  if (SeiteAktiv(Timestretch)) {
    Textanzeige("TimeStretchOrginal", "");
    Textanzeige("TimeStretchZiel", "");
  }
  if (SeiteAktiv(Matrix) && hauptNeu) {
    a.MatrixEinrichten(316);
    a.GeneratorEinrichten();
    a.MatrixPlay("neu", 0);
  }
  if (SeiteAktiv(Timestretch)) {
    double ziel = a.ZielTempo();
    double verhaeltnis = ziel != 0 ? a.QuellTempo() / ziel : 0.5;
    double wert = std::nearbyint(32767.0 - (verhaeltnis - 0.5) * 32767.0);
    o[310].Wert = static_cast<int32_t>(std::clamp(wert, -2147483648.0, 2147483647.0));
    o[661].Wert = 16384;
    a.ReglerSetzen(661, 16384);
  }
  a.PlayUpdate(2);
  a.ReglerAktivieren();
  if (SeiteAktiv(Hauptbild) && hauptNeu) a.ReglerSetAdder(77, 667);
  if (hauptNeu) HauptansichtBereit = true;
  --Zeichentiefe;
  a.NormalZeiger();
  if (a.Spielt()) u_.engine.RWaveParam(50, 0);
}

// ---- Text fields ---------------------------------------------------------------------------

std::string Seitensteuerung::FeldText(const std::string& ziel, const std::string& text) const {
  Aktionen& a = u_.aktionen;
  if (EqualsNoCase(ziel, "Mix")) return text.substr(0, 27);
  if (EqualsNoCase(ziel, "MixPos")) return text.substr(0, 32);
  if (EqualsNoCase(ziel, "EffektSample") || EqualsNoCase(ziel, "HyperSample")) return text.substr(0, 40);
  if (EqualsNoCase(ziel, "PadNamen")) return text.size() > 8 ? text.substr(0, 9) + "..." : text;
  if (EqualsNoCase(ziel, "TimeStretchOrginal")) {
    std::string t = MitTempo(u_.texte[191], a.QuellTempo());
    std::string quelle = a.StretchQuelle();
    if (!quelle.empty()) t += "  [" + quelle + "]";
    return t.size() > 58 ? t.substr(0, 58) + "..." : t;
  }
  if (EqualsNoCase(ziel, "TimeStretchZiel")) return MitTempo(u_.texte[192], a.ZielTempo());
  return text;
}

void Seitensteuerung::Textanzeige(const std::string& ziel, const std::string& text, int num) {
  const std::string t = FeldText(ziel, text);
  if (EqualsNoCase(ziel, "Mix")) {
    if (!SeiteAktiv(Matrix)) Textfeld(59, 0, "weiss", t, true);
  } else if (EqualsNoCase(ziel, "MixPos")) {
    Textfeld(59, 0, "weiss", t, false);
  } else if (EqualsNoCase(ziel, "EffektSample")) {
    Textfeld(382, 4, "weiss", t, true);
  } else if (EqualsNoCase(ziel, "HyperSample")) {
    Textfeld(674, 4, "weiss", t, true);
  } else if (EqualsNoCase(ziel, "PadNamen")) {
    Textfeld(195 + num, 6, "weiss", t, true);
  } else if (EqualsNoCase(ziel, "TimeStretchOrginal")) {
    Textfeld(308, 9, "weiss", t, true);
  } else if (EqualsNoCase(ziel, "TimeStretchZiel")) {
    Textfeld(309, 9, "weiss", t, true);
  }
}

void Seitensteuerung::Textfeld(int n, int rolle, const std::string& farbe, std::string text, bool zentriert, int s) {
  if (!Objekte::Gueltig(n) || n <= 0 || !F()) return;
  ObjektStruct e = u_.objekte[n];
  // A ruler cell (s = its offset along element 4's row, 0 for the first bar) is one bar wide.
  const bool zelle = s >= 0;
  s = std::max(s, 0);
  if (zelle) {
    e.X = static_cast<int16_t>(e.X + s);
    e.Breite = static_cast<int16_t>(std::max(u_.masse.PixelProTakt - 2, 0));
  }
  const size_t ai = static_cast<size_t>(std::clamp<int>(u_.layout.Aufloesungsindex, 0, 12));
  platform::FontSpec font = u_.fonttabelle[static_cast<size_t>(std::clamp(rolle, 0, 12))][ai];
  letzteRolle_ = rolle + 1;
  const int fx = font.XVersatz, fy = font.YVersatz;
  font.XVersatz = font.YVersatz = 0;  // the field's origin already holds them
  const int x0 = e.X + fx + u_.layout.VersatzX, y0 = e.Y + u_.layout.VersatzY + fy;
  SDL_Surface* back = F()->Back();

  // The background: the element's normal image under the text.
  ++Zeichentiefe;
  const platform::BildStruct& slot = slots_.at(static_cast<size_t>(std::clamp<int>(e.Ebene, 0, 4)));
  SDL_Surface* puffer = u_.arbeitspuffer ? *u_.arbeitspuffer : nullptr;
  if (slot.dc && e.Breite > 0 && e.Hoehe > 0) {
    const int qx = u_.objekte[n].QuelleX + fx + s, qy = e.QuelleY + fy;
    for (int ab = 0; ab < e.Breite; ab += kStreifen) {
      const int b = std::min(kStreifen, e.Breite - ab);
      if (puffer) {
        u_.gfx.GFX_AnimationPhase(slot.dc, slot.Breite, slot.Hoehe, slot.Extra1, qx + ab, qy, qx + ab, qy, b,
                                  e.Hoehe, 100);
        platform::BitBlt(back, x0 + ab, y0, b, e.Hoehe, puffer, 0, 0, platform::Rop::SrcCopy);
      } else {
        platform::BitBlt(back, x0 + ab, y0, b, e.Hoehe, slot.dc, qx + ab, qy, platform::Rop::SrcCopy);
      }
    }
  }
  --Zeichentiefe;

  const platform::Farbe c = FarbeVon(farbe);
  if (zentriert) {
    auto [w, h] = u_.fonts.Measure(font, text);
    while (w > e.Breite && text.size() > 4) {
      bool punkte = text.size() >= 3 && text.compare(text.size() - 3, 3, "...") == 0;
      text = text.substr(0, text.size() - (punkte ? 4 : 1)) + "...";
      std::tie(w, h) = u_.fonts.Measure(font, text);
    }
    u_.fonts.Draw(back, font, text, x0 + (e.Breite - w) / 2, y0 + (e.Hoehe - h) / 2, c);
  } else {
    auto [w, h] = u_.fonts.Measure(font, text);
    if (textLinks_ == 0) textLinks_ = x0 + (e.Breite - w) / 2;
    u_.fonts.Draw(back, font, text, textLinks_, y0 + (e.Hoehe - h) / 2, c);
  }
  Invalidate(x0, y0, e.Breite, e.Hoehe);
}

void Seitensteuerung::Taktzahl(int spalte, bool normal) {
  if (SeiteAktiv(Matrix) || spalte < 1 || spalte > 22) return;
  const int takt = spalte + u_.aktionen.ErsterSichtbarerTakt();
  // The number as the ruler writes it: a sign place, and one more space below 100.
  const std::string zahl = std::to_string(takt);
  std::string text(static_cast<size_t>((takt < 0 ? 0 : 1) + (takt < 100 ? 1 : 0)), ' ');
  text.append(zahl);
  std::string farbe = !normal ? "rot" : (u_.aktionen.ImLoop(takt) ? "gr\xfcn" : "weiss");
  Textfeld(4, 1, farbe, text, true, (spalte - 1) * u_.masse.PixelProTakt);
}

void Seitensteuerung::InfoBild() {
  Aktionen& a = u_.aktionen;
  platform::Window* f = F();
  if (PopupBildSichtbar) {
    a.SampiAus();
    if (f) f->ShowLayer(platform::Layer::Popup, false);
    PopupBildSichtbar = false;
    return;
  }
  a.Sanduhr();
  a.SofortAus("");
  platform::BildStruct bild;
  bild.Datei = platform::ResolvePath(u_.ordner.Grafikordner + "zelo50" + u_.ordner.Grafikbuchstabe + ".");
  u_.engine.ALoad(bild);
  if (f && bild.dc) {
    SDL_Surface* ebene = f->LayerSurface(platform::Layer::Popup);
    const int x = (f->Width() - bild.Breite) / 2, y = (f->Height() - bild.Hoehe) / 2;
    f->ClearLayer(platform::Layer::Popup, {0, 0, f->Width(), f->Height()});
    platform::BitBlt(ebene, x, y, bild.Breite, bild.Hoehe, bild.dc, 0, 0, platform::Rop::SrcCopy);
    const ObjektStruct& t = u_.objekte[554];
    const size_t ai = static_cast<size_t>(std::clamp<int>(u_.layout.Aufloesungsindex, 0, 12));
    platform::FontSpec font = u_.fonttabelle[10][ai];
    platform::Farbe farbe = config::HatKennung(u_.ordner, "ENGLAND") ? platform::Farbe{0, 0, 0, 255}
                                                                        : platform::Farbe{255, 255, 255, 255};
    auto [w, h] = u_.fonts.Measure(font, u_.texte[193]);
    font.XVersatz = font.YVersatz = 0;
    u_.fonts.Draw(ebene, font, u_.texte[193], x + t.X + (t.Breite - w) / 2, y + t.Y + (t.Hoehe - h) / 2, farbe);
    f->ShowLayer(platform::Layer::Popup, true);
    f->InvalidateLayer(platform::Layer::Popup, {x, y, bild.Breite, bild.Hoehe});
    f->Present();
  }
  u_.engine.AClose(bild);
  PopupBildSichtbar = true;
  a.NormalZeiger();
}

}  // namespace zelo::pages
