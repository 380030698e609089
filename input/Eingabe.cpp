#include "input/Eingabe.h"

#include <SDL.h>

#include <algorithm>

#include "config/Layout.h"
#include "pages/Seitensteuerung.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Engine.h"
#include "platform/Files.h"
#include "platform/Input.h"

namespace zelo::input {
namespace {

using namespace zelo::pages;
namespace zp = zelo::platform;

constexpr int kSichtbareTakte = 22;
constexpr int kTasteI = zp::vbKeyA + ('I' - 'A');

bool Zwischen(int n, int a, int b) { return n >= a && n <= b; }

bool IstKanalknopf(int n) {
  return Zwischen(n, 99, 114) || Zwischen(n, 116, 131) || Zwischen(n, 238, 253) || Zwischen(n, 254, 269);
}

int Knopfstatus(Uint32 maske) {
  int b = 0;
  if (maske & SDL_BUTTON_LMASK) b |= zp::kLinks;
  if (maske & SDL_BUTTON_RMASK) b |= zp::kRechts;
  if (maske & SDL_BUTTON_MMASK) b |= zp::kMitte;
  return b;
}

}  // namespace

bool Eingabe::Ereignis(const SDL_Event& e) {
  const int shift = zp::ShiftState(static_cast<Uint16>(SDL_GetModState()));
  switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
      // As on the program's first platform, the second press of a double click arrives as
      // the double click alone.
      if (e.button.clicks >= 2 && e.button.clicks % 2 == 0 && e.button.button == SDL_BUTTON_LEFT)
        Form_DblClick();
      else
        Form_MouseDown(zp::ButtonValue(e.button.button), shift, e.button.x, e.button.y);
      return true;
    case SDL_MOUSEMOTION:
      Form_MouseMove(Knopfstatus(e.motion.state), shift, e.motion.x, e.motion.y);
      return true;
    case SDL_MOUSEBUTTONUP:
      Form_MouseUp(zp::ButtonValue(e.button.button), shift, e.button.x, e.button.y);
      return true;
    case SDL_KEYDOWN: {
      Form_KeyDown(zp::VbKeyCode(e.key.keysym), zp::ShiftState(e.key.keysym.mod));
      int zeichen = zp::KeyPressChar(e.key);
      if (zeichen > 0) Form_KeyPress(zeichen);
      return true;
    }
    default:
      return false;
  }
}

bool Eingabe::Getroffen(int n, int x, int y) const {
  const ObjektStruct& e = u_.objekte[n];
  // The right edge is outside, the bottom edge inside.
  return (e.Seiten & u_.seiten.Seitenmenge) != 0 && x >= e.X && x < e.X + e.Breite && y >= e.Y &&
         y <= e.Y + e.Hoehe;
}

bool Eingabe::Popup() { return u_.seiten.PopupBildSichtbar || u_.aktionen.SampiSichtbar(); }

bool Eingabe::UnterHalb(int ly) const { return ly > u_.layout.Hoehe / 2; }

void Eingabe::WiederherstelleFeld(int n) {
  if (n > 0) u_.seiten.Ausblenden(n);
}

void Eingabe::TriggerMaus(uint32_t zeit) {
  if (!u_.aktionen.Spielt()) return;
  uint32_t bis = u_.uhr.Millis() + zeit;
  if (Zeigerfrist == 0 || static_cast<int32_t>(bis - Zeigerfrist) > 0) Zeigerfrist = bis;
}

// ---- Mouse down ------------------------------------------------------------------------------

void Eingabe::Form_MouseDown(int button, int shift, int x, int y) {
  Aktionen& a = u_.aktionen;
  a.TempoFrageAusfuehren();
  if (a.Eingabesperre()) return;
  FMouseDown(button, shift, x, y);
}

void Eingabe::FMouseDown(int button, int shift, int x, int y) {
  Aktionen& a = u_.aktionen;
  Seitensteuerung& s = u_.seiten;
  if (a.HilfebildSichtbar()) a.HilfeVerbergen();
  if (a.IntroFlag()) {
    a.IntroLoeschen();
    return;
  }
  if (a.ExternerDialogOffen()) a.DLG_CloseExternal();
  infoVerborgen_ = s.PopupBildSichtbar;
  if (s.PopupBildSichtbar)
    s.InfoBild();
  else
    a.SampiAus();
  a.LinealspalteLoeschen();
  Abwurfziel = 0;
  a.LoeschzielMarkieren(false);
  const int lx = x - u_.layout.VersatzX, ly = y - u_.layout.VersatzY;
  LetzteDownX = lx;
  LetzteDownY = ly;
  if (a.ErsteAktivierungOffen() || a.ZugLoslassenGesperrt() || (x == 0 && y == 0)) return;

  if (a.SetRegler(a.MouseDown(button, shift, x, y)) != 0) {
    a.RadiererEnde();
    return;
  }
  if (s.SeiteAktiv(Hauptbild) && a.SEMouseDown(button, shift, x, y)) return;
  a.SofortAus("quickRegler");
  if (s.SeiteAktiv(Effect)) {
    int taste = a.TastaturMouseDown(button, shift, x, y);
    if (!(taste & 0x8000)) {
      letzteTaste_ = taste;
      a.EffektPlay("alt");
      return;
    }
  }
  if (s.SeiteAktiv(Matrix)) {
    int led = a.MatrixMouseDown(button, shift, x, y);
    if (led >= 0) {
      a.MatrixPlay("led", led);
      return;
    }
  }
  if (MausDownObj(button, shift, lx, ly)) return;
  if (s.SeiteAktiv(Hauptbild) || s.SeiteAktiv(Matrix) || (s.SeiteAktiv(Soundgruppen) && UnterHalb(ly)))
    a.ArrangementKlick(button, shift, lx, ly);
  if (a.ListenAuswahl() && button != zp::kLinks) {
    a.SampleKontextmenue(x, y);
    a.GruppenknoepfeZeigen();
  }
}

bool Eingabe::MausDownObj(int button, int shift, int x, int y) {
  Aktionen& a = u_.aktionen;
  Seitensteuerung& s = u_.seiten;
  Objekte& o = u_.objekte;
  if (a.GruppenknoepfeNeuZeichnen() && s.SeiteAktiv(Soundgruppen)) a.GruppenknoepfeZeigen();
  bool verbraucht = false;
  bool gedrueckt = false;
  const int letzte = std::min(o.Hoechste, kElemente - 1);
  for (int n = 1; n <= letzte && !gedrueckt; ++n) {
    const int16_t typ = o[n].Typ;
    if (!(typ == RollOverButton || typ == OnOffRollOverButton || typ == OnOffButton || typ == Button ||
          typ == RadioButton || typ == Special))
      continue;
    if (!Getroffen(n, x, y)) continue;
    if (n != 4) verbraucht = true;
    if (typ == Special) {
      // Every special element under the pointer receives the click.
      OKlick(n, button, shift, x, y);
      continue;
    }
    gedrueckt = true;
    LetztesElement = n;
    ObjektStruct& e = o[n];
    switch (typ) {
      case RollOverButton:
        if (n != 27) s.EinblendenDruck(n);
        e.Wert = 1;
        break;
      case OnOffRollOverButton:
        if (e.Wert == 1) {
          s.Ausblenden(n);
          e.Wert = 0;
        } else {
          if (n != 27) s.EinblendenDruck(n);
          e.Wert = 1;
        }
        break;
      case OnOffButton:
        if (e.Wert == 1) {
          s.Ausblenden(n);
          e.Wert = 0;
        } else {
          s.EinblendenAktiv(n);
          e.Wert = 1;
        }
        break;
      default:  // Button, RadioButton: the action switches the radio partners off
        s.EinblendenAktiv(n);
        e.Wert = 1;
        break;
    }
    if (Hoverelement == n) Hoverelement = 0;
    OKlick(n, button, shift, x, y);
  }
  if (!gedrueckt) {
    // The scroll arrows answer on any page, their right and bottom edges included.
    for (int n : {589, 590, 591, 592}) {
      const ObjektStruct& e = o[n];
      if (x >= e.X && x <= e.X + e.Breite && y >= e.Y && y <= e.Y + e.Hoehe && e.Breite > 0) {
        OKlick(n, button, shift, x, y);
        verbraucht = true;
      }
    }
  }
  if (verbraucht) return true;
  // The arrangement area: block, context, bar and drum-text clicks, in this order.
  if (a.SampleKlick(button, shift, x, y)) return true;
  if (a.KontextKlick(button, shift, x, y)) return true;
  if (a.TaktKlick(button, shift, x, y)) return false;
  if (a.DrumTextKlick(button, shift, x, y) == 0) return false;
  return true;
}

// ---- Mouse move ------------------------------------------------------------------------------

void Eingabe::Form_MouseMove(int button, int shift, int x, int y) {
  // While playing, moves keep the engine pointer cycling until the deadline.
  if (Zeigerfrist != 0) {
    if (static_cast<int32_t>(u_.uhr.Millis() - Zeigerfrist) < 0) {
      u_.engine.ASetCur(1);
      u_.engine.ASetCur(0);
    } else {
      u_.engine.ASetCur(1);
      Zeigerfrist = 0;
    }
  }
  FMouseMove(button, shift, x, y);
}

void Eingabe::FMouseMove(int button, int shift, int x, int y) {
  Aktionen& a = u_.aktionen;
  Seitensteuerung& s = u_.seiten;
  if (a.AnsichtGesperrt()) return;
  if (a.SampiSichtbar() && !a.SampiVomInfobild() && button == 0) a.SampiAus();
  LetzteMoveX = x;
  LetzteMoveY = y;
  const int lx = x - u_.layout.VersatzX, ly = y - u_.layout.VersatzY;
  if (s.SeiteAktiv(Hauptbild)) {
    if (a.SEMouseMove(button, shift, x, y)) {
      a.EditorWerteUebernehmen(false);
      return;
    }
    a.ArrangementBewegen(button, shift, lx, ly);
  } else if (s.SeiteAktiv(Matrix) || (s.SeiteAktiv(Soundgruppen) && UnterHalb(ly))) {
    a.ArrangementBewegen(button, shift, lx, ly);
  }
  if (a.ErsteAktivierungOffen() || !s.HauptansichtBereit) return;
  if (s.SeiteAktiv(Effect) && !Popup()) {
    int taste = a.TastaturMouseMove(button, shift, x, y);
    if (taste >= 0) {
      if (taste != letzteTaste_ || !a.EffektSpielt()) a.EffektPlay("alt");
      letzteTaste_ = taste;
      return;
    }
  }
  if (!Popup() && s.SeiteAktiv(Matrix)) {
    int led = a.MatrixMouseMove(button, shift, x, y);
    if (led >= 0) {
      a.MatrixPlay("led", led);
      return;
    }
  }
  if ((button & zp::kLinks) && a.SetRegler(a.MouseMove(button, shift, x, y)) != 0) return;
  MausMoveObj(button, shift, lx, ly);
  a.ZugbildBewegen(lx, ly);
}

void Eingabe::MausMoveObj(int button, int shift, int x, int y) {
  Objekte& o = u_.objekte;
  const int letzte = std::min(o.Hoechste, kElemente - 1);
  for (int n = 1; n <= letzte; ++n) {
    const int16_t typ = o[n].Typ;
    if ((typ != RollOverButton && typ != OnOffRollOverButton) || !Getroffen(n, x, y)) continue;
    if (n != Hoverelement) {
      WiederherstelleFeld(Hoverelement);
      Hoverelement = 0;
      // A button that is switched on does not light on hover.
      if (o[n].Wert == 0) {
        Hoverelement = n;
        u_.seiten.EinblendenAktiv(n);
      }
    }
    return;
  }
  WiederherstelleFeld(Hoverelement);
  Hoverelement = 0;
}

// ---- Mouse up --------------------------------------------------------------------------------

void Eingabe::Form_MouseUp(int button, int shift, int x, int y) {
  if (u_.aktionen.Eingabesperre()) return;
  FMouseUp(button, shift, x, y);
}

void Eingabe::FMouseUp(int button, int shift, int x, int y) {
  Aktionen& a = u_.aktionen;
  Seitensteuerung& s = u_.seiten;
  if (a.ErsteAktivierungOffen() || a.IntroFlag()) return;
  const int lx = x - u_.layout.VersatzX, ly = y - u_.layout.VersatzY;
  const int32_t handle = a.MouseUp(button, shift, x, y);
  if (handle == -1) {
    if (MausUpObj(button, shift, lx, ly)) return;
    if (s.SeiteAktiv(Hauptbild)) {
      if (a.SEMouseUp(button, shift, x, y)) {
        a.EditorWerteUebernehmen(true);
        a.SpurenZeichnen();
      } else {
        a.ArrangementLoslassen(button, shift, lx, ly);
      }
    } else if (s.SeiteAktiv(Matrix) || (s.SeiteAktiv(Soundgruppen) && UnterHalb(ly))) {
      a.ArrangementLoslassen(button, shift, lx, ly);
    }
    if (!a.ZugLoslassenGesperrt() && s.HauptansichtBereit) {
      a.SampleAbwurf(lx, ly, shift);
      a.ZugbildVerbergen();
    }
    return;
  }
  if (handle == a.QuickRegler()) {
    a.ZeigeWindow();
    a.QuickReglerSchliessen();
    a.SEDraw();
  }
}

bool Eingabe::MausUpObj(int button, int shift, int x, int y) {
  Objekte& o = u_.objekte;
  bool verbraucht = false, erstes = true;
  const int letzte = std::min(o.Hoechste, kElemente - 1);
  for (int n = 1; n <= letzte; ++n) {
    const int16_t typ = o[n].Typ;
    if (!(typ == RollOverButton || typ == Button || typ == OnOffRollOverButton || typ == OnOffButton)) continue;
    if (!Getroffen(n, x, y)) continue;
    if (erstes && (typ == RollOverButton || typ == Button) && o[n].Wert != 0) {
      // A momentary button springs back on release.
      LetztesElement = n;
      u_.seiten.Ausblenden(n);
      o[n].Wert = 0;
      if (Hoverelement == n) Hoverelement = 0;
    }
    erstes = false;
    if (OUpKlick(n, button, shift, x, y)) verbraucht = true;
  }
  if (erstes) verbraucht = OUpKlick(0, button, shift, x, y);
  return verbraucht;
}

// ---- Element actions -------------------------------------------------------------------------

void Eingabe::OKlick(int n, int button, int shift, int x, int y) {
  Aktionen& a = u_.aktionen;
  Seitensteuerung& s = u_.seiten;
  Objekte& o = u_.objekte;
  if (!Objekte::Gueltig(n)) return;
  if (n != 0) {
    a.NormalZeiger();
    if (n != 23) a.RadiererEnde();  // the eraser button itself sees the mode as it was
  }
  Abwurfziel = 0;
  auto aus = [&](int e) { o[e].Wert = 0; };

  if (n == 4) {
    const ObjektStruct& lineal = o[4];
    const size_t ai = static_cast<size_t>(std::clamp<int>(u_.layout.Aufloesungsindex, 0, 12));
    const int links = lineal.X + u_.fonttabelle[1][ai].XVersatz;
    const int ppt = std::max(u_.masse.PixelProTakt, 1);
    const int spalte = x < links ? 1 : std::min((x - links) / ppt + 1, kSichtbareTakte);
    a.LinealKlick(spalte);
  } else if (n == 7) {
    if (!infoVerborgen_) s.InfoBild();
    infoVerborgen_ = false;
    o[7].Wert = 12;
  } else if (n == 9) {
    const bool stretchZu = s.SeiteAktiv(Timestretch) && o[9].Wert;
    s.SzeneAktivieren("Padbild", 0);
    aus(11), aus(13);
    if (stretchZu) s.SzeneAktivieren("TimeStretchbild", 2);
  } else if (n == 11) {
    const bool stretchZu = s.SeiteAktiv(Timestretch) && o[11].Wert;
    s.SzeneAktivieren("Matrixbild", 0);
    aus(9), aus(13);
    if (stretchZu) s.SzeneAktivieren("TimeStretchbild", 2);
  } else if (n == 13) {
    s.SzeneAktivieren("Effektbild", 0);
    aus(11), aus(9);
    if (o[13].Wert && !a.EffektSampleGewaehlt()) {
      s.SzeneAktivieren("Mixerbild", 2);
      s.SzeneAktivieren("TimeStretchbild", 2);
    }
  } else if (n == 15) {
    s.SzeneAktivieren("TimeStretchbild", 0);
    if (!s.SeiteAktiv(Hauptbild) && o[15].Wert) s.SzeneAktivieren("Hauptbild", 2);
    if (o[15].Wert) a.StretchStarten();
  } else if (n == 17) {
    s.SzeneAktivieren("Mixerbild", 0);
    if (s.SeiteAktiv(Matrix) && o[17].Wert) s.SzeneAktivieren("Hauptbild", 2);
  } else if (n == 19) {
    aus(19);
    a.Sanduhr();
    a.RadiererEnde();
    s.BlendFertig();
    a.ExternerDialogMarkieren();
    a.AllStop("Normal");
    a.DiskMenue(x + u_.layout.VersatzX, y + u_.layout.VersatzY);
    s.Ausblenden(19);
    a.ZeigeWindow();
  } else if (n == 21) {
    aus(21);
    s.SzeneAktivieren("Hauptbild", 2);
    aus(13);
    a.NeuerMix();
    s.Ausblenden(21);
  } else if (n == 23) {
    a.RadiererUmschalten();
  } else if (n == 27 || n == 69) {
    a.EndeMeldung(n);
  } else if (n == 29) {
    a.LoopUmschalten();
  } else if (n == 31) {
    a.ZumAnfang();
  } else if (n == 33 || n == 590) {
    a.Scrollen(-1);
  } else if (n == 39 || n == 589) {
    a.Scrollen(1);
  } else if (n == 591) {
    a.ListeHoch();
  } else if (n == 592) {
    a.ListeRunter();
  } else if (n == 35 || n == 670) {
    a.Stop();
    if (s.SeiteAktiv(Matrix)) {
      a.GeneratorAufnahmeBeenden();
      aus(11);
      s.SzeneAktivieren("Hauptbild", 2);
    }
  } else if (n == 37) {
    a.PlayStop();
  } else if (n == 41) {
    a.ZumEnde();
  } else if (n == 43) {
    a.AufnahmeUmschalten();
  } else if (Zwischen(n, 45, 54) || Zwischen(n, 230, 235)) {
    (n >= 230 ? Gruppenknopf2 : Gruppenknopf) = n;
    a.AktiviereGruppe(n);
  } else if (n == 65) {
    s.BlendFertig();
    a.AllStop("Normal");
    a.HilfePrompt();
    s.Ausblenden(65);
    aus(65);
  } else if (n == 67) {
    a.Minimieren();
    s.Ausblenden(67);
    aus(67);
  } else if (Zwischen(n, 79, 95)) {
    // The recording track selectors are a radio group: the one selected before goes out.
    for (int k = 79; k <= 95; ++k) {
      if (k != n && o[k].Wert != 0) {
        s.Ausblenden(k);
        o[k].Wert = 0;
      }
    }
    a.AufnahmeSpur(n == 95 ? 16 : n - 79);
  } else if (IstKanalknopf(n)) {
    a.KanalKnopf(n);
    TriggerMaus(7000);
  } else if (Zwischen(n, 220, 222)) {
    a.DrumSchalter(n);
  } else if (n == 236 || n == 348 || n == 351 || n == 688) {
    a.GeneratorAktion(n);
    aus(11), aus(13);
    s.SzeneAktivieren("Hauptbild", 2);
  } else if (n == 306) {
    s.SzeneAktivieren("Mixerbild", 2);
  } else if (n == 311) {
    s.SzeneAktivieren("TimeStretchbild", 2);
  } else if (n == 308 || n == 309 || Zwischen(n, 312, 314)) {
    a.StretchAktion(n);
  } else if (Zwischen(n, 354, 358) || n == 378) {
    a.EffektSchalter(n);
  } else if (n == 380) {
    a.EffektSpeichern();
  } else if (Zwischen(n, 662, 669) || Zwischen(n, 671, 686)) {
    a.GeneratorAktion(n);
  }
}

bool Eingabe::Abwurfsample(int& sample) {
  sample = u_.aktionen.Hauptnummer();
  if (u_.aktionen.SampleBereich(sample) != 2) return true;
  zp::MessageRequest m{u_.texte[212], u_.texte[213], zp::Buttons::OK, zp::Icon::Exclamation, 1};
  u_.dialoge.MessageBox(m);
  return false;
}

void Eingabe::EffektsampleAbwurf(int sample) {
  Aktionen& a = u_.aktionen;
  a.EffektSampleSetzen(sample);
  u_.seiten.Textanzeige("EffektSample", a.SampleNameVoll(sample));
  if (!u_.seiten.SeiteAktiv(Effect)) {
    u_.objekte[13].Wert = 1;
    u_.seiten.SzeneAktivieren("Effektbild", 0);
  }
  a.EffektPlay("neu");
}

bool Eingabe::OUpKlick(int n, int button, int shift, int x, int y) {
  Aktionen& a = u_.aktionen;
  Seitensteuerung& s = u_.seiten;
  Objekte& o = u_.objekte;
  if (a.HilfebildSichtbar()) a.HilfeVerbergen();
  Hochzeit = u_.uhr.Millis() + 1000;
  if (Abwurfziel != 0 && Abwurfziel != n) {
    s.Ausblenden(Abwurfziel);
    Abwurfziel = n;
  }
  const bool zug = a.ZugbildSichtbar();
  int sample = 0;
  switch (n) {
    case 15:
      if (!zug) return false;
      if (Abwurfsample(sample)) a.StretchLaden(sample);
      return true;
    case 11: {
      if (!zug) return false;
      sample = a.Hauptnummer();
      a.GeneratorQuelle(sample);
      std::string name = platform::TrimSpaces(a.SampleNameVoll(sample));
      s.Textanzeige("HyperSample", name.size() > 20 ? "[" + name.substr(0, 20) + "...]" : "[" + name + "]");
      if (!s.SeiteAktiv(Matrix)) {
        o[11].Wert = 1;
        s.SzeneAktivieren("Matrixbild", 0);
      }
      return true;
    }
    case 9:
      if (!zug) return false;
      a.PadAbwurf(a.Hauptnummer());
      return true;
    case 13:
      if (!zug) return false;
      if (Abwurfsample(sample)) EffektsampleAbwurf(sample);
      return true;
    case 25:
      a.LoeschzielMarkieren(true);
      return false;
    case 7:
      o[7].Wert = 3;
      s.EinblendenDruck(7);
      return false;
    case 0: {
      if (!zug) return false;
      bool behandelt = false;
      int bx = 0, by = 0;
      a.ZugbildPosition(bx, by);
      const ObjektStruct &e315 = o[315], &e45 = o[45], &e51 = o[51];
      if (s.SeiteAktiv(Timestretch) && by > e315.Y && bx > e45.X + e45.Breite && bx < e51.X) {
        a.ZugbildVerbergen();
        a.AllStop("Normal");
        if (Abwurfsample(sample)) a.StretchLaden(sample);
        behandelt = true;
      }
      if (s.SeiteAktiv(Effect) && a.ZugbildSichtbar() && y < e45.Y - u_.masse.Spurhoehe) {
        a.ZugbildVerbergen();
        if (Abwurfsample(sample)) EffektsampleAbwurf(sample);
        behandelt = true;
      }
      return behandelt;
    }
    default:
      return false;
  }
}

// ---- Keys ------------------------------------------------------------------------------------

void Eingabe::Druecke(int n) {
  u_.seiten.EinblendenAktiv(n);
  OKlick(n);
  u_.seiten.Ausblenden(n);
}

void Eingabe::Form_KeyDown(int taste, int shift) {
  Aktionen& a = u_.aktionen;
  Seitensteuerung& s = u_.seiten;
  Objekte& o = u_.objekte;
  if (a.GeneratorNimmtAuf() && taste != zp::vbKeyLeft && taste != zp::vbKeyRight) {
    // Any key ends a generator recording and keeps what was recorded.
    u_.engine.REffekt("RecordAus", 0);
    a.AllStop("Taste");
    u_.engine.ADSoff();
    a.GeneratorAufnahmeBeenden();
    Gruppenknopf = 53;
    a.AktiviereGruppe(53);
    s.SzeneAktivieren("Hauptbild", 2);
    return;
  }
  a.SofortAus("quickregler");
  a.TempoFrageAusfuehren();
  if (a.Eingabesperre()) return;
  if (a.Beendet()) {
    a.ProzessEnde();
    return;
  }
  if (a.SampiSichtbar()) a.SampiAus();
  if (a.IntroFlag()) {
    a.IntroLoeschen();
    return;
  }
  if (a.HilfebildSichtbar()) a.HilfeVerbergen();
  Tastenzeit = u_.uhr.Millis();

  if (taste == zp::vbKeyEscape || (taste == zp::vbKeyF4 && (shift & zp::kAlt))) {
    a.EndeMeldung(0);
    return;
  }
  if (a.ZugRechteckSichtbar()) return;
  if (taste == zp::vbKeySpace) {
    if (!s.HauptansichtBereit) return;
    const bool laeuft = a.NimmtAuf() || a.Spielt() || a.WerkzeugKlingt() || a.EffektSpielt();
    if (laeuft) {
      s.ZeigeAktiv(35);
      s.BlendFertig();
      OKlick(35);
      s.Ausblenden(35);
    } else if (!s.SeiteAktiv(Matrix)) {
      Druecke(37);
    } else {
      o[671].Wert = 1;
      OKlick(671);
    }
    return;
  }
  if (taste == zp::vbKeyF1) {
    OKlick(65);
    return;
  }
  if (taste == kTasteI && (shift & (zp::kShift | zp::kCtrl | zp::kAlt))) {
    a.AllStop("Normal");
    a.Import();
    return;
  }

  a.RadiererEnde();
  if (!s.HauptansichtBereit || a.ModalesWerkzeug()) return;
  switch (taste) {
    case zp::vbKeyRight:
    case zp::vbKeyLeft: {
      const int richtung = taste == zp::vbKeyRight ? 1 : -1;
      if (s.SeiteAktiv(Matrix)) {
        a.GeneratorPreset(richtung);
      } else {
        a.ScrollWiederholungZuruecksetzen();
        Druecke(richtung > 0 ? 39 : 33);
      }
      break;
    }
    case zp::vbKeyHome:
      Druecke(31);
      break;
    case zp::vbKeyEnd:
      Druecke(41);
      break;
    case zp::vbKeyUp:
      a.ListeHoch();
      break;
    case zp::vbKeyDown:
      a.ListeRunter();
      break;
    case zp::vbKeyClear:
      if (a.Spielt()) {
        a.AufSpielpositionScrollen();
        a.SpurenZeichnen();
      }
      break;
    case zp::vbKeyPageDown:
      a.Blaettern(kSichtbareTakte - 3);
      break;
    case zp::vbKeyPageUp:
      a.Blaettern(-(kSichtbareTakte - 3));
      break;
    case zp::vbKeyBack:
    case zp::vbKeyDelete:
      if (shift != 0) break;
      if (a.ListenAuswahl() && s.SeiteAktiv(Soundgruppen)) {
        a.SampleLoeschen();
      } else if (s.SeiteAktiv(Hauptbild) || s.SeiteAktiv(Matrix)) {
        a.AllStop("Normal");
        zp::MessageRequest m{u_.texte[66], u_.texte[67], zp::Buttons::YesNo, zp::Icon::Exclamation, 1};
        if (u_.dialoge.MessageBox(m) == zp::Answer::Yes) {
          a.UndoSichern();
          a.MarkierteLoeschen();
          a.SpurenZeichnen();
        }
      }
      break;
    default:
      break;
  }
}

void Eingabe::Form_KeyPress(int zeichen) {
  Aktionen& a = u_.aktionen;
  if (!u_.seiten.HauptansichtBereit || a.ZugRechteckSichtbar() || a.ModalesWerkzeug()) return;
  if (zeichen == '\t' && a.Spielt()) return;
  auto bearbeiten = [&](auto&& befehl) {
    a.Sanduhr();
    befehl();
    a.SpurenZeichnen();
    a.NormalZeiger();
  };
  switch (zeichen) {
    case 14:
      a.AllStop("Normal");
      a.NeuerMix();
      break;
    case 4:
      OKlick(23);
      break;
    case 19:
      a.AllStop("Normal");
      a.MixSpeichern();
      break;
    case 5:
      a.AllStop("Normal");
      a.Export();
      break;
    case 15:
      a.AllStop("Normal");
      a.MixOeffnen();
      break;
    case 24:
      bearbeiten([&] { a.Ausschneiden("seltemp"); });
      break;
    case 26:
      bearbeiten([&] { a.UndoHolen(); });
      break;
    case 1:
      bearbeiten([&] { a.AllesMarkieren(); });
      break;
    case 2:
      bearbeiten([&] { a.NichtsMarkieren(); });
      break;
    case 3:
      bearbeiten([&] { a.Kopieren("seltemp"); });
      break;
    case 22:
      bearbeiten([&] { a.Einfuegen("seltemp"); });
      break;
    default:
      break;
  }
}

void Eingabe::Form_DblClick() {
  Aktionen& a = u_.aktionen;
  if (a.Beendet()) {
    a.ProzessEnde();
    return;
  }
  if (!a.ListenAuswahl() || a.Radierer()) {
    const int spalte = a.Linealspalte();
    if (spalte == 1)
      a.Blaettern(-(kSichtbareTakte + 1));
    else if (spalte > 1)
      a.Blaettern(spalte - 1);
  } else {
    a.Vorhoeren();
    a.NormalZeiger();
  }
}

}  // namespace zelo::input
