#pragma once
// The page definitions: the page file "seiten" (pages, kinds, start values, knob pictures),
// the coordinate file of the layout ("k_640" ... "k_1280"), the panel adjustment and the knob
// picture table. The readers read from memory and return cleanly on any input; malformed
// lines are reported only with the loader's own German messages. UI thread only.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "pages/Objekte.h"
#include "platform/Engine.h"

namespace zelo::platform {
class DialogHost;
class GrafikEffekte;
}  // namespace zelo::platform
namespace zelo::text {
class Konstanten;
}

namespace zelo::pages {

inline constexpr int kKnopfbilder = 51;

/// The page numbers of the page file's labels (the page bit is 1 << (number - 1)).
enum Seitennummer : int {
  SeiteHaupt = 1, SeiteSoundgruppen = 2, SeiteDrumpads = 3, SeiteMixer = 4, SeiteTimestretch = 5,
  SeiteMatrix = 6, SeiteEffect = 7, SeiteIntro = 8, SeiteSplash = 9,
};

/// What the page file fills besides the element table.
struct Seitendaten {
  /// [line 0..3][page number 0..10]: line 0 the background (or panel) picture stem, line 1
  /// the element picture stem; lines 2 and 3 are kept but not used.
  std::array<std::array<std::string, 11>, 4> Seitenzeilen{};
  /// Fader knob pictures, each loaded at most once per run.
  std::array<platform::BildStruct, kKnopfbilder> Knopfbilder{};
  int Knopfbildanzahl = 0;
};

/// Everything the page file reader reads from and writes to.
struct Seitenkontext {
  Objekte& objekte;
  Seitendaten& daten;
  const text::Konstanten& konstanten;
  platform::DialogHost& dialoge;
  platform::Engine* engine = nullptr;      ///< loads the knob pictures; nullptr loads none
  platform::GrafikEffekte* gfx = nullptr;  ///< takes the intro keys; nullptr takes none
  std::string grafikordner;
  std::string grafikbuchstabe;
  int versatzX = 0, versatzY = 0;
};

/// One pass over the page file, then JustageObjekte. Five errors end the pass.
void SzenenEinlesen(std::string_view datei, Seitenkontext& k);

/// The coordinate file: blocks of a name and ten values, each value x skalierung / 40.
void KoordinatenLesen(std::string_view datei, int skalierung, Objekte& objekte, const text::Konstanten& konstanten,
                      platform::DialogHost& dialoge);

/// Mixer and time-stretch panel elements take their images from the panel picture (slot 1).
void JustageObjekte(Objekte& objekte);

/// The index of the knob picture for a stem, loading it when new; -1 when the table is full.
int16_t LadepublicBild(Seitenkontext& k, const std::string& stamm);

}  // namespace zelo::pages
