#pragma once
// The screen layout: which of the five layouts (640 x 480 to 1280 x 960) and which graphics
// folder a screen gets, where the layout sits on the screen, and the metrics derived from it.
// Everything here is a pure function of its inputs.

#include <array>
#include <cstdint>
#include <string>

#include "config/Ordner.h"

namespace zelo::config {

/// One layout with its scale, grid and graphics folders (high colour and 256 colours).
struct LayoutZeile {
  int16_t Breite, Hoehe;
  int16_t Skalierung;
  int32_t Rastermass;
  char Hochfarbordner;  ///< letter of "grafik?" for high colour
  char Palettenordner;  ///< letter of "grafik?" for 256 colours
};

/// From the largest layout down; the index is 4 - layout number (640 is number 0).
inline constexpr std::array<LayoutZeile, 5> kLayouts{{
    {1280, 960, 40, 20, 'i', 'j'},
    {1152, 864, 36, 22, 'g', 'h'},
    {1024, 768, 32, 25, 'e', 'f'},
    {800, 600, 25, 32, 'c', 'd'},
    {640, 480, 20, 40, 'a', 'b'},
}};

/// Which of the graphics folders "grafika" ... "grafikj" exist, by letter - 'a'.
using Grafikordner = std::array<bool, 10>;
/// Looks up which graphics folders the data folder holds.
Grafikordner GrafikordnerDa(const std::string& datenordner);

struct Bildschirm {
  int16_t Breite = 0, Hoehe = 0;  ///< pixels
  int16_t Farbklasse = 32000;     ///< 256, or 32000 for more than 10,000 colours
  bool GrosseSchrift = false;     ///< large system fonts
};

struct Layout {
  int16_t Breite = 640, Hoehe = 480;
  int16_t Skalierung = 20;
  int32_t Rastermass = 40;
  int16_t Aufloesungsindex = 0;  ///< 2 x layout number, + 1 with large fonts
  int32_t VersatzX = 0, VersatzY = 0;  ///< screen position = layout position + Versatz
  std::string Grafikunterordner = "grafika/";
  std::string Grafikbuchstabe = "A";
};

/// The layout for a screen, given which graphics folders exist.
Layout LayoutWaehlen(const Bildschirm& schirm, const Grafikordner& da);

/// Metrics of the arrangement and the widgets that follow from the layout.
struct LayoutMasse {
  int PixelProTakt = 0;
  int Spurhoehe = 0;
  int Spurabstand = 0;
  int QAbstand = 0;  ///< popup fader margin
  int SichtbareBreite = 0;  ///< 22 bars
  int SampleAbstand = 0;  ///< spacing of sample buttons, x and y
};
LayoutMasse Masse(const Layout& l);

/// The graphics folder and letter of a chosen layout, below the data folder.
void GrafikordnerSetzen(Ordner& o, const Layout& l);

}  // namespace zelo::config
