#pragma once
// The element table: 861 numbered screen elements with their rectangles, the places of their
// images in the page pictures, pages, kinds and values. Program logic names elements only by
// number (element 94 is the main page button, 37 play, 35 stop).

#include <array>
#include <cstdint>
#include <string>

namespace zelo::pages {

inline constexpr int kElemente = 861;

/// Element kinds as the page file names them.
enum ElementTyp : int16_t {
  Platzhalter = 0,
  Special = 1,
  Regler = 2,
  Help = 3,
  RollOverButton = 4,
  OnOffRollOverButton = 5,
  OnOffButton = 6,
  RadioButton = 7,
  Animation = 8,
  Button = 9,
  QRegler = 10,
};

struct ObjektStruct {
  int16_t X = 0, Y = 0;
  int16_t QuelleX = 0, QuelleY = 0;
  int16_t AktivX = 0, AktivY = 0;
  int16_t DruckX = 0, DruckY = 0;
  int16_t Breite = 0, Hoehe = 0;
  int16_t Seiten = 0;   ///< page mask
  int16_t Typ = 0;
  int16_t Gruppe = 0;   ///< radio group kind: 1 recording, 2 drum, 3 sound, 0 none
  std::string Text;     ///< help text, or the group name line of drum and sound radio buttons
  std::string Name;
  int32_t Wert = 0;
  int32_t Regler = 0;   ///< widget-engine fader handle + 1
  int32_t Bild = 0;     ///< knob picture index
  int16_t Ebene = 0;    ///< page picture slot
};

/// Page bits of the page set.
enum Seite : int16_t {
  Hauptbild = 1,
  Soundgruppen = 2,
  Drumpads = 4,
  Mixer = 8,
  Timestretch = 16,
  Matrix = 32,
  Effect = 64,
  Intro = 128,
  Splashscreen = 256,
};

struct Objekte {
  std::array<ObjektStruct, kElemente> e{};
  int Hoechste = 0;  ///< highest element number seen in the content files
  ObjektStruct& operator[](int i) { return e.at(static_cast<size_t>(i)); }
  const ObjektStruct& operator[](int i) const { return e.at(static_cast<size_t>(i)); }
  static bool Gueltig(int i) { return i >= 0 && i < kElemente; }
};

}  // namespace zelo::pages
