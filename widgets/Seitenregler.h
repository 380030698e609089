#pragma once
// The main window's side of the faders: creating the faders of the visible pages from the
// element table (`ReglerAktivieren`), closing them (`ReglerCloseAll`), the table from fader
// handle to page element, and the road from a fader event to the mixer's fader handler
// `SetRegler`, which the application plugs in. UI thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "platform/Engine.h"
#include "platform/Window.h"
#include "widgets/Grafik_FX.h"

namespace zelo::pages {
struct Objekte;
}

namespace zelo::widgets {

class Bildbox;

/// What the faders of a page are drawn from and into.
struct Reglerbilder {
  platform::Window* Fenster = nullptr;       ///< the main window
  SDL_Surface* Ziel = nullptr;               ///< its back image
  std::span<const platform::BildStruct> Seitenbilder;  ///< page picture slots 0..4, by `Ebene`
  std::span<const platform::BildStruct> Knopfbilder;   ///< knob picture table 0..50, by `Bild`
  const platform::BildStruct* Quickbild = nullptr;     ///< "zelo22", background of every quick fader
  Bildbox* Sampi = nullptr;                  ///< the popup picture box
  int32_t VersatzX = 0, VersatzY = 0;
};

class Seitenregler {
 public:
  Seitenregler(Grafik_FX& fx, pages::Objekte& objekte);

  /// Creates the faders of every element on the pages of `seitenmenge` (kinds Regler and
  /// QRegler), in ascending element number, from the elements' last values.
  void ReglerAktivieren(int16_t seitenmenge, const Reglerbilder& bilder);
  /// Closes every fader that was created from a page element.
  void ReglerCloseAll();

  /// The page element a fader handle came from; 0 when none.
  int Element(int handle) const;
  /// The fader of a page element as a handle, -1 when it has none.
  int16_t Handle(int element) const;
  /// Sets the value of an element's fader and of the element (callers pass the value as shown).
  void ReglerSetzen(int element, int32_t wert);

  /// The mixer's fader handler: given a handle, applies the fader's value; 0 when `num` < 0,
  /// otherwise -1. Until the mixer plugs in its own, the value is kept in the fader's element.
  std::function<int16_t(int16_t num)> setRegler;
  int16_t SetRegler(int16_t num);

 private:
  Grafik_FX& fx_;
  pages::Objekte& objekte_;
  std::array<int16_t, 129> elementVonHandle_{};
  bool angelegt_ = false;
};

}  // namespace zelo::widgets
