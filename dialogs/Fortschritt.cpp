#include "dialogs/Fortschritt.h"

#include <algorithm>
#include <cmath>

namespace zelo::dialogs {

namespace {

// The box as it was laid out, in pixels at 12 twips a pixel; rescaled to 15 twips a pixel.
constexpr int kBoxBreite = 400, kBoxHoehe = 150;
constexpr int kKnopfBreite = 80, kKnopfHoehe = 24;
constexpr int kSchrift = 12;
constexpr double kSkala = 15.0 / 12.0;

constexpr uint32_t kBoxGrund = 0xFFD4D0C8u;
constexpr uint32_t kRahmen = 0xFF404040u;
constexpr uint32_t kBalken = 0xFF000080u;  // dark blue
constexpr uint32_t kKnopf = 0xFFE8E6E0u;

int Runde(double v) { return static_cast<int>(std::nearbyint(v)); }

// A control placed at fractions (fx, fy) of the room the window leaves around it.
platform::Rect Platziert(int w, int h, double fx, double fy, int fensterB, int fensterH) {
  return {std::max(0, Runde(fx * (fensterB - w))), std::max(0, Runde(fy * (fensterH - h))), w, h};
}

}  // namespace

Fortschrittsgeometrie FortschrittLayout(int schirmBreite, int schirmHoehe) {
  Fortschrittsgeometrie g;
  g.Fenster = {std::max(0, (schirmBreite - kBoxBreite) / 2), std::max(0, (schirmHoehe - kBoxHoehe) / 2 - 8),
               kBoxBreite, kBoxHoehe};
  // Title, bar and frame take 70 % of the width and 15 % of the height, then every control
  // is rescaled for the pixel size before it is placed.
  const int breite = Runde(Runde(0.7 * kBoxBreite) * kSkala);
  const int hoehe = Runde(Runde(0.15 * kBoxHoehe) * kSkala);
  const int knopfB = Runde(kKnopfBreite * kSkala), knopfH = Runde(kKnopfHoehe * kSkala);
  g.TitelSchrift = Runde(kSchrift * kSkala);
  auto imFenster = [&](platform::Rect r) { return platform::Rect{r.x + g.Fenster.x, r.y + g.Fenster.y, r.w, r.h}; };
  g.Abbrechen = imFenster(Platziert(knopfB, knopfH, 0.5, 0.8, kBoxBreite, kBoxHoehe));
  g.Titel = imFenster(Platziert(breite, hoehe, 0.5, 0.1, kBoxBreite, kBoxHoehe));
  g.Rahmen = imFenster(Platziert(breite, hoehe, 0.5, 0.4, kBoxBreite, kBoxHoehe));
  g.Balken = {g.Rahmen.x + 1, g.Rahmen.y + 1, g.Rahmen.w, g.Rahmen.h - 1};
  return g;
}

Fortschrittsbox::Fortschrittsbox(platform::Window* fenster, platform::Fonts* fonts) : fenster_(fenster), fonts_(fonts) {}

Fortschrittsbox::~Fortschrittsbox() {
  if (offen_) Beenden();
  if (textur_) SDL_DestroyTexture(textur_);
  if (bild_) SDL_FreeSurface(bild_);
}

void Fortschrittsbox::Starten(const std::string& titel) {
  g_ = fenster_ ? FortschrittLayout(fenster_->Width(), fenster_->Height()) : FortschrittLayout(0, 0);
  titel_ = titel;
  Schrift.Groesse = g_.TitelSchrift;
  balkenBreite_ = g_.Rahmen.w / 2;
  balkenSichtbar_ = false;
  abgebrochen_ = false;
  offen_ = true;
  Anzeigen();
}

void Fortschrittsbox::SetProzent(double prozent) {
  if (!offen_) return;
  if (!(prozent > 0)) prozent = 0;  // also for a value that is not a number
  prozent = std::min(prozent, 1.0);
  balkenBreite_ = static_cast<int>(prozent * g_.Rahmen.w);
  balkenSichtbar_ = true;
  Anzeigen();
}

void Fortschrittsbox::Beenden() {
  if (!offen_) return;
  offen_ = false;
  if (!fenster_) return;
  fenster_->overlayDraw = nullptr;
  fenster_->InvalidateAll();
  fenster_->Present();
}

bool Fortschrittsbox::MausDown(int x, int y) {
  if (!offen_ || !g_.Fenster.Contains(x, y)) return false;
  if (g_.Abbrechen.Contains(x, y)) {
    abgebrochen_ = true;
    Beenden();
  }
  return true;
}

void Fortschrittsbox::Anzeigen() {
  if (!fenster_) return;
  const platform::Rect& f = g_.Fenster;
  if (!bild_) bild_ = platform::NewSurface(f.w, f.h);
  auto lokal = [&](const platform::Rect& r) { return platform::Rect{r.x - f.x, r.y - f.y, r.w, r.h}; };
  platform::FillRect(bild_, {0, 0, f.w, f.h}, kRahmen);
  platform::FillRect(bild_, {1, 1, f.w - 2, f.h - 2}, kBoxGrund);
  const platform::Rect rahmen = lokal(g_.Rahmen);
  platform::FillRect(bild_, rahmen, kRahmen);
  platform::FillRect(bild_, {rahmen.x + 1, rahmen.y + 1, rahmen.w - 2, rahmen.h - 2}, 0xFFFFFFFFu);
  if (balkenSichtbar_) {
    const platform::Rect balken = lokal(g_.Balken);
    platform::FillRect(bild_, {balken.x, balken.y, std::min(balkenBreite_, rahmen.w - 2), balken.h - 1}, kBalken);
  }
  const platform::Rect knopf = lokal(g_.Abbrechen);
  platform::FillRect(bild_, knopf, kRahmen);
  platform::FillRect(bild_, {knopf.x + 1, knopf.y + 1, knopf.w - 2, knopf.h - 2}, kKnopf);
  if (fonts_) {
    const platform::Rect titel = lokal(g_.Titel);
    auto [tw, th] = fonts_->Measure(Schrift, titel_);
    fonts_->Draw(bild_, Schrift, titel_, titel.x + (titel.w - tw) / 2, titel.y + (titel.h - th) / 2,
                 platform::Farbe{0, 0, 0, 255});
    platform::FontSpec knopfSchrift = Schrift;
    knopfSchrift.Fett = false;
    auto [kw, kh] = fonts_->Measure(knopfSchrift, AbbrechenText);
    fonts_->Draw(bild_, knopfSchrift, AbbrechenText, knopf.x + (knopf.w - kw) / 2, knopf.y + (knopf.h - kh) / 2,
                 platform::Farbe{0, 0, 0, 255});
  }
  if (textur_) SDL_UpdateTexture(textur_, nullptr, bild_->pixels, bild_->pitch);
  // The box is drawn over the window at every present until it closes; a dialog that takes
  // the window's top drawing for a while gets it back at the next step of the work.
  fenster_->overlayDraw = [this](SDL_Renderer* r) { Zeichnen(r); };
  fenster_->Present();
}

void Fortschrittsbox::Zeichnen(SDL_Renderer* renderer) {
  if (!renderer || !bild_) return;
  if (!textur_) {
    textur_ = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, bild_->w, bild_->h);
    if (!textur_) return;
    SDL_UpdateTexture(textur_, nullptr, bild_->pixels, bild_->pitch);
  }
  SDL_Rect ziel{g_.Fenster.x, g_.Fenster.y, g_.Fenster.w, g_.Fenster.h};
  SDL_RenderCopy(renderer, textur_, nullptr, &ziel);
}

}  // namespace zelo::dialogs
