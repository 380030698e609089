#include "pages/Szenen.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/gfx/GrafikEffekte.h"
#include "text/Leser.h"

namespace zelo::pages {
namespace {

using platform::EqualsNoCase;

struct Seitenlabel {
  const char* name;
  int nummer;
};
constexpr Seitenlabel kSeiten[] = {
    {":Hauptbild", SeiteHaupt},   {":Soundgruppen", SeiteSoundgruppen}, {":Drumpads", SeiteDrumpads},
    {":Mixer", SeiteMixer},       {":Timestretch", SeiteTimestretch},   {":Matrix", SeiteMatrix},
    {":Effect", SeiteEffect},     {":Intro", SeiteIntro},               {":Splashscreen", SeiteSplash},
};

struct Typwort {
  const char* wort;
  ElementTyp typ;
};
constexpr Typwort kTypen[] = {
    {"Special", Special},         {"Regler", Regler},         {"Help", Help},
    {"RollOverButton", RollOverButton}, {"OnOffRollOverButton", OnOffRollOverButton},
    {"OnOffButton", OnOffButton}, {"RadioButton", RadioButton}, {"Animation", Animation},
    {"Button", Button},           {"QRegler", QRegler},       {"Platzhalter", Platzhalter},
};

constexpr int kMaxFehler = 5;

void Meldung(platform::DialogHost& dialoge, std::string text, std::string titel, platform::Icon icon) {
  platform::MessageRequest m;
  m.prompt = std::move(text);
  m.title = std::move(titel);
  m.icon = icon;
  dialoge.MessageBox(m);
}

bool IstElementzeile(const std::string& t) { return t.size() >= 2 && t[1] == '_'; }
bool IstLabel(const std::string& t) { return !t.empty() && t[0] == ':'; }

std::optional<ElementTyp> TypVon(const std::string& wort) {
  for (const auto& t : kTypen)
    if (EqualsNoCase(wort, t.wort)) return t.typ;
  return std::nullopt;
}

int16_t Kurz(double v) {
  // Values beyond the 16-bit fields are held at their limits rather than wrapped.
  constexpr double lo = std::numeric_limits<int16_t>::min(), hi = std::numeric_limits<int16_t>::max();
  if (!(v >= lo)) return v != v ? 0 : static_cast<int16_t>(lo);
  return static_cast<int16_t>(std::min(v, hi));
}

/// The element-line reader with one line of look-ahead put back.
class Zeilen {
 public:
  Zeilen(std::string_view datei, const text::Konstanten& k, platform::DialogHost& d) : quelle_(datei), k_(k), d_(d) {}
  bool Next(text::Elementzeile& z) {
    if (zurueck_) {
      z = *zurueck_;
      zurueck_.reset();
      return true;
    }
    return text::ElementzeileLesen(quelle_, k_, d_, z);
  }
  void Zurueck(const text::Elementzeile& z) { zurueck_ = z; }

 private:
  platform::LineSource quelle_;
  const text::Konstanten& k_;
  platform::DialogHost& d_;
  std::optional<text::Elementzeile> zurueck_;
};

}  // namespace

void SzenenEinlesen(std::string_view datei, Seitenkontext& k) {
  Objekte& o = k.objekte;
  Zeilen zeilen(datei, k.konstanten, k.dialoge);
  text::Elementzeile z;
  int seite = 0;  // page number; 0 before the first label: elements then join no page
  int letzte = -1;
  int fehler = 0;
  auto seitenbit = [&] { return seite > 0 ? static_cast<int16_t>(1 << (seite - 1)) : int16_t{0}; };

  while (fehler < kMaxFehler && zeilen.Next(z)) {
    if (IstLabel(z.Text)) {
      int neu = 0;
      for (const auto& s : kSeiten)
        if (EqualsNoCase(z.Text, s.name)) neu = s.nummer;
      if (neu == 0) {
        Meldung(k.dialoge, "Fehler im Text ''seiten'' bei " + z.Text, "Unbekannte Seitenbezeichnung",
                platform::Icon::Exclamation);
      } else {
        seite = neu;
      }
      // The page lines run up to the first element line or label. Those of an unknown label
      // are dropped: they must not replace the pictures of the page still current.
      int zeile = 0;
      while (zeilen.Next(z)) {
        if (IstElementzeile(z.Text) || IstLabel(z.Text)) {
          zeilen.Zurueck(z);
          break;
        }
        if (neu != 0 && zeile < 4) k.daten.Seitenzeilen[static_cast<size_t>(zeile)][static_cast<size_t>(neu)] = z.Text;
        ++zeile;
      }
      continue;
    }
    if (!IstElementzeile(z.Text)) {
      ++fehler;
      continue;
    }
    // An element entry: the element line, its kind, and the kind's extra lines.
    if (z.Nummer) letzte = *z.Nummer;
    const int n = letzte;
    const bool gueltig = n >= 0 && Objekte::Gueltig(n);
    if (gueltig) {
      o[n].Name = z.Text;
      o[n].Seiten = static_cast<int16_t>(o[n].Seiten | seitenbit());
      o.Hoechste = std::max(o.Hoechste, n);
    }
    if (!zeilen.Next(z)) break;
    auto typ = TypVon(z.Text);
    if (!typ) {
      Meldung(k.dialoge, "Fehler im Text ''seiten'' bei : " + z.Text, "Unbekannter Konstantentyp",
              platform::Icon::Exclamation);
      ++fehler;
      // A kind line that is really the next entry is read again as that entry.
      if (IstElementzeile(z.Text) || IstLabel(z.Text)) zeilen.Zurueck(z);
      continue;
    }
    if (gueltig && *typ != Platzhalter) o[n].Typ = *typ;
    if (*typ == Regler || *typ == QRegler) {
      if (!zeilen.Next(z)) break;
      if (gueltig) o[n].Wert = text::Ganzzahl(text::Zahlwert(z.Text)).value_or(0);
      if (!zeilen.Next(z)) break;
      int16_t bild = LadepublicBild(k, z.Text);
      if (gueltig) o[n].Bild = bild;
    } else if (*typ == RadioButton) {
      if (!zeilen.Next(z)) break;
      if (EqualsNoCase(z.Text, "Aufnahmegruppe")) {
        if (gueltig) o[n].Gruppe = 1;
      } else if (EqualsNoCase(z.Text, "Drumgruppe") || EqualsNoCase(z.Text, "Soundgruppe")) {
        int16_t gruppe = EqualsNoCase(z.Text, "Drumgruppe") ? 2 : 3;
        if (!zeilen.Next(z)) break;
        if (gueltig) {
          o[n].Gruppe = gruppe;
          o[n].Text = z.Text;
        }
      } else if (IstElementzeile(z.Text) || IstLabel(z.Text)) {
        zeilen.Zurueck(z);  // no group word: the entry ends, the next one starts here
      }
    }
  }

  // The intro and splash pages' special elements drive the graphics library's intro.
  if (k.gfx) {
    for (int n = 1; n <= std::min(o.Hoechste, kElemente - 1); ++n) {
      const ObjektStruct& e = o[n];
      if (e.Typ != Special || !(e.Seiten & (Intro | Splashscreen))) continue;
      k.gfx->GFX_IntroSetKey(e.Name, e.X + k.versatzX, e.Y + k.versatzY, e.Breite, e.Hoehe, e.QuelleX, e.QuelleY,
                             e.AktivX, e.AktivY, e.DruckX, e.DruckY);
    }
  }
  JustageObjekte(o);
}

void KoordinatenLesen(std::string_view datei, int skalierung, Objekte& o, const text::Konstanten& konstanten,
                      platform::DialogHost& dialoge) {
  platform::LineSource quelle(datei);
  std::string zeile;
  int vorige = 0;
  while (quelle.Next(zeile)) {
    std::string name = platform::TrimSpaces(std::string_view(zeile).substr(0, zeile.find('(')));
    if (text::Zahlwert(name) > 10) {
      platform::MessageRequest m;
      m.prompt = "Fehler in k_xxxx:     " + name;
      dialoge.MessageBox(m);
    }
    // A name that is not defined means: the element after the previous block's.
    int n = vorige + 1;
    if (auto nummer = konstanten.Nummer(name)) n = text::Ganzzahl(text::Zahlwert(*nummer)).value_or(-1);
    vorige = n;
    if (n > o.Hoechste && Objekte::Gueltig(n)) o.Hoechste = n;
    int16_t werte[10];
    bool ganz = true;
    for (int16_t& w : werte) {
      if (!quelle.Next(zeile)) {
        ganz = false;
        break;
      }
      double v = std::nearbyint(text::Zahlwert(zeile));
      w = Kurz(std::trunc(v * skalierung / 40.0));
    }
    if (!ganz) return;  // the file ends inside a block
    if (!Objekte::Gueltig(n)) continue;
    ObjektStruct& e = o[n];
    e.X = werte[0];
    e.Y = werte[1];
    e.QuelleX = werte[2];
    e.QuelleY = werte[3];
    e.AktivX = werte[4];
    e.AktivY = werte[5];
    e.DruckX = werte[6];
    e.DruckY = werte[7];
    e.Breite = werte[8];
    e.Hoehe = werte[9];
  }
}

void JustageObjekte(Objekte& o) {
  auto panel = [&](ObjektStruct& e, const ObjektStruct& p) {
    e.Ebene = 1;
    e.QuelleX = Kurz(double(p.QuelleX) + e.X - p.X);
    e.QuelleY = Kurz(double(p.QuelleY) + e.Y - p.Y);
    e.AktivX = e.QuelleX;
    // The panel picture holds the active copy of the whole panel right below the normal one.
    e.AktivY = Kurz(double(e.Y) + 2.0 * p.QuelleY + p.Hoehe - p.Y);
  };
  const int letzte = std::min(o.Hoechste, kElemente - 1);
  for (int n = 1; n <= letzte; ++n) {
    ObjektStruct& e = o[n];
    if (e.Seiten & Mixer) {
      panel(e, o[237]);
    } else if ((e.Seiten & Timestretch) && !(e.Seiten & Soundgruppen)) {
      panel(e, o[307]);
    } else if (!(e.Seiten & Timestretch)) {
      e.Ebene = 0;
    }
    o[1].Ebene = 1;
  }
}

int16_t LadepublicBild(Seitenkontext& k, const std::string& stamm) {
  Seitendaten& d = k.daten;
  std::string name = platform::AnsiLower(k.grafikordner + stamm + k.grafikbuchstabe + ".");
  for (int i = 0; i < d.Knopfbildanzahl; ++i) {
    std::string geladen = d.Knopfbilder[static_cast<size_t>(i)].Datei;
    while (!geladen.empty() && geladen.back() == ' ') geladen.pop_back();
    if (platform::AnsiLower(geladen) == name) return static_cast<int16_t>(i);
  }
  if (d.Knopfbildanzahl >= kKnopfbilder) return -1;
  platform::BildStruct& bild = d.Knopfbilder[static_cast<size_t>(d.Knopfbildanzahl)];
  bild.Datei = name;
  if (k.engine) {
    // The name is kept in lower case for the comparison; the file is found whatever its case.
    platform::BildStruct laden;
    laden.Datei = platform::ResolvePath(name);
    k.engine->ALoad(laden);
    bild.dc = laden.dc;
    bild.Breite = laden.Breite;
    bild.Hoehe = laden.Hoehe;
  }
  return static_cast<int16_t>(d.Knopfbildanzahl++);
}

}  // namespace zelo::pages
