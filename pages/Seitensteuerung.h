#pragma once
// Which pages are visible and how they are drawn: the page set, the page change driven by a
// command word, the drawing helpers every interface subsystem uses, the element fades that
// the main loop advances one element per pass, the text fields, the ruler cells and the info
// picture. Draws into the window's persistent back image (layout position + Versatz) and marks
// the changed rectangles. UI thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pages/Aktionen.h"
#include "pages/Objekte.h"
#include "pages/Szenen.h"
#include "platform/Engine.h"
#include "text/Texte.h"

struct SDL_Surface;

namespace zelo::config {
struct Layout;
struct LayoutMasse;
struct Ordner;
}  // namespace zelo::config
namespace zelo::platform {
class Clock;
class Fonts;
class GrafikEffekte;
class Window;
}  // namespace zelo::platform

namespace zelo::pages {

/// The stores and services the page engine works with; all owned by the application.
struct SeitenUmgebung {
  Objekte& objekte;
  Seitendaten& daten;
  const config::Ordner& ordner;
  const config::Layout& layout;
  const config::LayoutMasse& masse;
  const text::Texte& texte;
  const text::Fonttabelle& fonttabelle;
  platform::Engine& engine;
  platform::GrafikEffekte& gfx;
  platform::Fonts& fonts;
  platform::Clock& uhr;
  /// The main window, once it exists; nullptr: nothing is drawn.
  std::function<platform::Window*()> fenster;
  Aktionen& aktionen;
  /// The 400 x 400 work buffer of fades and text fields, once the engine has started.
  SDL_Surface* const* arbeitspuffer = nullptr;
  /// Resolves a content file to its local copy, when there is one.
  std::string (*lokaleKopie)(const config::Ordner&, platform::Engine&, const std::string&) = nullptr;
};

/// Fade kinds: which image an element fades to, how fast and in which direction.
struct Blende {
  uint32_t Start = 0;     ///< 0: no fade running
  uint32_t Dauer = 0;
  int16_t Letzte = -1;    ///< last percentage drawn
  int16_t Bild = 0;       ///< 2: the second active image, else the active image
  bool Rueckwaerts = false;
};

class Seitensteuerung {
 public:
  explicit Seitensteuerung(SeitenUmgebung umgebung);
  ~Seitensteuerung();
  Seitensteuerung(const Seitensteuerung&) = delete;
  Seitensteuerung& operator=(const Seitensteuerung&) = delete;

  // The page set.
  int16_t Seitenmenge = 0;
  int16_t Hauptseite = 0;
  int16_t Panelseite = 0;
  int16_t Zeichentiefe = 0;
  /// True once the first page change has set up the main view.
  bool HauptansichtBereit = false;
  /// True while the info picture is shown in the popup picture box.
  bool PopupBildSichtbar = false;

  void SPlus(int bit) { Seitenmenge = static_cast<int16_t>(Seitenmenge | bit); }
  void SMinus(int bit) { Seitenmenge = static_cast<int16_t>(Seitenmenge & ~bit); }
  bool SeiteAktiv(int bit) const { return (Seitenmenge & bit) != 0; }

  /// The page change by command word ("Hauptbild", "Matrixbild", "Effektbild", "Mixerbild",
  /// "TimeStretchbild", "Padbild") and state (2 closes the named panel).
  void SzeneAktivieren(const std::string& befehl, int neuerZustand);

  // Drawing helpers; coordinates in layout pixels unless said otherwise.
  void Invalidate(int x, int y, int b, int h);
  void BitB(int x, int y, int b, int h, SDL_Surface* bild, int xs, int ys);
  void Male(int x, int y, int b, int h, SDL_Surface* bild, int xs, int ys);
  void InvalMale(int x, int y, int b, int h);
  void G_AInit(const std::string& pfad);
  void AktiviereElemente(int bit);
  void ZeigeAktiv(int n);
  void ZeigeNormal(int n);
  /// Draws element n blended between its chosen active image (0) and its normal image (100).
  void ZeichneElement(int n, int prozent, int bild);

  // Fades.
  void EinblendenDruck(int n);
  void EinblendenAktiv(int n);
  void Ausblenden(int n);
  /// One fade step; true while fades are running.
  bool Blender();
  void BlendFertig();
  bool BlendetNoch() const { return !warteschlange_.empty(); }
  const Blende& Blendwert(int n) const { return blenden_.at(static_cast<size_t>(n)); }
  const std::vector<int>& Warteschlange() const { return warteschlange_; }

  // Text fields, ruler cells and the info picture.
  void Textanzeige(const std::string& ziel, const std::string& text, int num = 0);
  void Taktzahl(int spalte, bool normal);
  void InfoBild();
  /// The text a field would show after cutting to its target's rule (before fitting).
  std::string FeldText(const std::string& ziel, const std::string& text) const;

  /// The picture in a page slot (0 element picture, 1 panel picture).
  const platform::BildStruct& Slot(int i) const { return slots_.at(static_cast<size_t>(i)); }
  const std::array<platform::BildStruct, 5>& Slots() const { return slots_; }

 private:
  void Blende_(int n, uint32_t dauer, int16_t bild, bool rueckwaerts);
  void Textfeld(int n, int rolle, const std::string& farbe, std::string text, bool zentriert, int s = -1);
  std::string Bilddatei(const std::string& stamm) const;
  void Hintergrund(int seite);
  void Flush();
  platform::Window* F() const { return u_.fenster ? u_.fenster() : nullptr; }

  SeitenUmgebung u_;
  std::array<platform::BildStruct, 5> slots_{};
  platform::BildStruct panelbild_;
  std::array<Blende, kElemente> blenden_{};
  std::vector<int> warteschlange_;
  size_t cursor_ = 1;  // 1-based, as the queue is walked round-robin
  int textLinks_ = 0;
  int letzteRolle_ = 0;
};

}  // namespace zelo::pages
