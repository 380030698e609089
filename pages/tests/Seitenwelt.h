#pragma once
// A small world for page-engine tests: the stores the application owns, an offscreen window,
// the engine without sound output, and a graphics folder of single-colour pictures made here.

#include <SDL.h>

#include <memory>
#include <string>

#include "config/Layout.h"
#include "config/Ordner.h"
#include "pages/Aktionen.h"
#include "pages/Objekte.h"
#include "pages/Seitensteuerung.h"
#include "pages/Szenen.h"
#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/Window.h"
#include "platform/engine/ZeloEngine.h"
#include "platform/gfx/GrafikEffekte.h"
#include "tests/support/TestEnv.h"
#include "text/Texte.h"

namespace zelo::test {

inline constexpr uint32_t kNormal = 0xFFFF0000u;  // red: normal images
inline constexpr uint32_t kAktiv = 0xFF00FF00u;   // green: active images
inline constexpr uint32_t kDruck = 0xFF0000FFu;   // blue: second active images
inline constexpr uint32_t kHinten = 0xFF404040u;  // grey: page backgrounds

/// Writes a picture of one colour, with the active half (y >= h/2) green and the second
/// active quarter (x >= w/2, y < h/2) blue when `elementbild`.
inline void BildSchreiben(const std::string& pfad, int w, int h, uint32_t farbe, bool elementbild) {
  SDL_Surface* s = platform::NewSurface(w, h);
  platform::FillRect(s, {0, 0, w, h}, farbe);
  if (elementbild) {
    platform::FillRect(s, {0, h / 2, w, h - h / 2}, kAktiv);
    platform::FillRect(s, {w / 2, 0, w - w / 2, h / 2}, kDruck);
  }
  WriteFile(pfad, "");
  SDL_SaveBMP(s, pfad.c_str());
  SDL_FreeSurface(s);
}

inline uint32_t Pixel(SDL_Surface* s, int x, int y) {
  return static_cast<const uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] | 0xFF000000u;
}

struct Seitenwelt {
  explicit Seitenwelt(pages::Aktionen& aktionen, int breite = 640, int hoehe = 480) {
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    ordner.Datenordner = FreshHome() + "zelo/zelo/";
    ordner.Grafikordner = ordner.Datenordner + "grafika/";
    ordner.Grafikbuchstabe = "A";
    masse.PixelProTakt = 20;
    masse.Spurhoehe = 12;
    // Pages 1, 6, 7 with background and element pictures; panels 2, 4, 5 in one picture each.
    for (int seite : {1, 6, 7}) {
      daten.Seitenzeilen[0][seite] = "hg" + std::to_string(seite);
      daten.Seitenzeilen[1][seite] = "el" + std::to_string(seite);
      BildSchreiben(Bild("hg" + std::to_string(seite)), 640, 480, kHinten, false);
      BildSchreiben(Bild("el" + std::to_string(seite)), 1200, 200, kNormal, true);
    }
    for (int seite : {2, 4, 5}) {
      daten.Seitenzeilen[0][seite] = "pn" + std::to_string(seite);
      BildSchreiben(Bild("pn" + std::to_string(seite)), 400, 400, kNormal, true);
    }
    platform::EngineOptions eo;
    eo.device = platform::AudioDevice::Null;
    eo.tempFolder = FreshHome();
    eo.clock = &uhr;
    engine = std::make_unique<platform::ZeloEngine>(eo);
    gfx = std::make_unique<platform::GrafikEffekte>(fonts, &uhr);
    platform::WindowOptions wo;
    wo.width = breite;
    wo.height = hoehe;
    fenster = std::make_unique<platform::Window>(wo);
    puffer = gfx->GFX_AnimationSwapInit(400, 400);
    for (auto& rolle : fonttabelle)
      for (auto& f : rolle) f.Name = "DejaVu Sans";
    pages::SeitenUmgebung u{objekte, daten,  ordner, layout, masse,   texte, fonttabelle,
                            *engine, *gfx,   fonts,  uhr,    [this] { return fenster.get(); },
                            aktionen, &puffer, nullptr};
    seiten = std::make_unique<pages::Seitensteuerung>(u);
    // The panel placeholders sit at the bottom half of the layout.
    Element(237, 0, 240, 400, 200, pages::Platzhalter, pages::Mixer);
    Element(307, 0, 240, 400, 200, pages::Platzhalter, pages::Timestretch);
    Element(349, 0, 240, 400, 200, pages::Platzhalter, pages::Soundgruppen);
  }
  ~Seitenwelt() {
    seiten.reset();
    fenster.reset();
  }

  std::string Bild(const std::string& stamm) const { return ordner.Grafikordner + stamm + "A."; }

  /// An element with its images in the element picture: normal at (x, y), active 100 lower,
  /// second active 600 further right.
  pages::ObjektStruct& Element(int n, int x, int y, int b, int h, int16_t typ, int16_t seiten_) {
    pages::ObjektStruct& e = objekte[n];
    e.X = static_cast<int16_t>(x), e.Y = static_cast<int16_t>(y);
    e.Breite = static_cast<int16_t>(b), e.Hoehe = static_cast<int16_t>(h);
    e.QuelleX = 0, e.QuelleY = 0, e.AktivX = 0, e.AktivY = 100, e.DruckX = 600, e.DruckY = 0;
    e.Typ = typ;
    e.Seiten = static_cast<int16_t>(e.Seiten | seiten_);
    objekte.Hoechste = std::max(objekte.Hoechste, n);
    return e;
  }
  uint32_t Schirm(int x, int y) { return Pixel(fenster->Back(), x, y); }

  pages::Objekte objekte;
  pages::Seitendaten daten;
  config::Ordner ordner;
  config::Layout layout;
  config::LayoutMasse masse;
  text::Texte texte;
  text::Fonttabelle fonttabelle{};
  platform::ManualClock uhr;
  platform::Fonts fonts;
  std::unique_ptr<platform::ZeloEngine> engine;
  std::unique_ptr<platform::GrafikEffekte> gfx;
  std::unique_ptr<platform::Window> fenster;
  SDL_Surface* puffer = nullptr;
  std::unique_ptr<pages::Seitensteuerung> seiten;
};

}  // namespace zelo::test
