#include "config/Layout.h"

#include "platform/Files.h"

namespace zelo::config {
namespace {

/// Half the free space, rounded to the nearest pixel with halves to even.
int32_t Mitte(int frei) {
  int32_t halb = frei / 2;
  if (frei % 2 != 0 && halb % 2 != 0) ++halb;
  return halb;
}

}  // namespace

Grafikordner GrafikordnerDa(const std::string& datenordner) {
  Grafikordner da{};
  for (size_t i = 0; i < da.size(); ++i)
    da[i] = platform::FolderExists(datenordner + "grafik" + static_cast<char>('a' + i));
  return da;
}

Layout LayoutWaehlen(const Bildschirm& schirm, const Grafikordner& da) {
  auto vorhanden = [&](char buchstabe) { return da[static_cast<size_t>(buchstabe - 'a')]; };

  // The largest layout the screen and the graphics folders allow, from 1280 down to 800.
  size_t wahl = 0;
  for (size_t i = 0; i + 1 < kLayouts.size() && wahl == i; ++i) {
    const LayoutZeile& l = kLayouts[i];
    if (schirm.Breite < l.Breite - 30 || schirm.Hoehe < l.Hoehe - 20)
      wahl = i + 1;
    else if (vorhanden(l.Palettenordner))
      continue;
    else if (!vorhanden(l.Hochfarbordner) || schirm.Farbklasse < 300)
      wahl = i + 1;
  }
  // A medium without the 640 folders is never shown at 640 x 480.
  const bool mindestens800 = !vorhanden('a') && !vorhanden('b');
  const int moeglich = kLayouts[wahl].Breite;
  const int w = schirm.Breite, h = schirm.Hoehe;

  size_t ende;
  if (w >= 1241 && h >= 941 && moeglich >= 1280)
    ende = 0;
  else if (w >= 1133 && h >= 841 && moeglich >= 1152)
    ende = 1;
  else if (w >= 1001 && h >= 741 && moeglich >= 1024)
    ende = 2;
  else if (mindestens800 || (w > 750 && h > 580 && moeglich >= 800))
    ende = 3;
  else
    ende = 4;

  const LayoutZeile& l = kLayouts[ende];
  Layout out;
  out.Breite = l.Breite;
  out.Hoehe = l.Hoehe;
  out.Skalierung = l.Skalierung;
  out.Rastermass = l.Rastermass;
  out.Aufloesungsindex = static_cast<int16_t>(2 * (kLayouts.size() - 1 - ende) + (schirm.GrosseSchrift ? 1 : 0));

  char ordner = l.Palettenordner;
  if (!(vorhanden(l.Palettenordner) && schirm.Farbklasse <= 300) && vorhanden(l.Hochfarbordner))
    ordner = l.Hochfarbordner;
  out.Grafikunterordner = std::string("grafik") + ordner + "/";
  out.Grafikbuchstabe = std::string(1, static_cast<char>(ordner - 'a' + 'A'));

  out.VersatzX = l.Breite + 14 >= w ? 0 : Mitte(w - l.Breite);
  out.VersatzY = l.Hoehe + 14 >= h ? 0 : Mitte(h - l.Hoehe);
  return out;
}

LayoutMasse Masse(const Layout& l) {
  const int r = l.Rastermass > 0 ? l.Rastermass : 40;
  LayoutMasse m;
  m.PixelProTakt = 1000 / r;
  m.Spurhoehe = 640 / r;
  m.Spurabstand = l.Hoehe < 500 ? 18 : 708 / r;
  m.QAbstand = l.Skalierung * 8 / 40;
  m.SichtbareBreite = 22 * m.PixelProTakt;
  m.SampleAbstand = 120 / r;
  return m;
}

void GrafikordnerSetzen(Ordner& o, const Layout& l) {
  o.Grafikordner = o.Datenordner + l.Grafikunterordner;
  o.Grafikbuchstabe = l.Grafikbuchstabe;
}

}  // namespace zelo::config
