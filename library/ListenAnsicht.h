#pragma once
// The sound-group list on the screen: the page engine's side of `Listenumgebung` (page set,
// element values, fades, drawing depth) and the thin drawing layer that renders each button
// as a sample block through the graphics library and copies it into the window's back image.
// The arrangement, playback, pointer and fader routines are left to the application, which
// derives from this class. UI thread only.

#include <cstdint>

#include "library/Katalog.h"
#include "library/Soundgruppen.h"

struct SDL_Surface;

namespace zelo::config {
struct LayoutMasse;
}
namespace zelo::pages {
class Seitensteuerung;
struct Objekte;
}  // namespace zelo::pages
namespace zelo::platform {
class Clock;
class GrafikEffekte;
}  // namespace zelo::platform

namespace zelo::library {

/// What the list draws blocks with: the graphics library, its block picture and texture pair
/// (the same ones the arrangement draws its blocks with).
struct Listenmittel {
  platform::GrafikEffekte* Gfx = nullptr;
  SDL_Surface* Blockbild = nullptr;
  int32_t Texturpaar = 0;
};

/// The list's geometry from the page: the list area is element 2, blocks are a track row
/// high, buttons stand the sample spacing apart.
Listengeometrie ListengeometrieAusSeite(const pages::Objekte& objekte, const config::LayoutMasse& masse);

class ListenAnsicht : public Listenumgebung {
 public:
  ListenAnsicht(pages::Seitensteuerung& seiten, pages::Objekte& objekte, const Katalog& katalog,
                platform::Clock& uhr, int blockhoehe, Listenmittel mittel = {});

  void MittelSetzen(const Listenmittel& mittel) { mittel_ = mittel; }
  void BlockhoeheSetzen(int h) { blockhoehe_ = h; }

  bool SeiteAktiv(int bit) override;
  void SzeneAktivieren(const std::string& befehl, int zustand) override;
  void Ausblenden(int element) override;
  void Zeichentiefe(int schritt) override;
  int32_t ElementWert(int element) override;
  void ElementWertSetzen(int element, int32_t wert) override;
  uint32_t Millis() override;
  void ListenflaecheHerstellen() override;
  void KnopfZeichnen(const Listenknopf& knopf) override;
  void ListenflaecheZeigen() override;

 private:
  pages::Seitensteuerung& seiten_;
  pages::Objekte& objekte_;
  const Katalog& katalog_;
  platform::Clock& uhr_;
  int blockhoehe_;
  Listenmittel mittel_;
};

}  // namespace zelo::library
