#pragma once
// The look of sample blocks: the group colours of the palette file, the grey relief textures,
// and the textured, bevelled block face.

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelo::platform::gfx {

constexpr int kGruppen = 12;

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

/// One sound group's colours: block, selected block, name text.
struct GruppenFarben {
  Rgb block, auswahl, name;
  bool operator==(const GruppenFarben&) const = default;
};

using Palette = std::array<GruppenFarben, kGruppen>;

/// The colours used where the palette file gives none.
const Palette& EingebautePalette();

/// Reads palette text: group lines "#rrggbb #rrggbb #rrggbb", comments (";") and blank lines
/// skipped; the first `gruppen` group lines count. Bad lines keep the built-in colours.
Palette ReadPalette(std::string_view text, int gruppen);
/// The same from a file; a missing file gives the built-in palette.
Palette LoadPalette(const std::string& path, int gruppen);

/// A grey relief texture, tiled over the block.
struct GreyTexture {
  int breite = 0, hoehe = 0;
  std::vector<uint8_t> grau;
  uint8_t At(int x, int y) const { return grau[static_cast<size_t>(y % hoehe) * breite + x % breite]; }
};

/// The built-in relief: one column `hoehe` high, lighter at the top and darker at the bottom,
/// centred on the neutral grey.
GreyTexture EingebauteTextur(int hoehe, int neutral);
/// Loads a BMP texture (its brightness only); anything unreadable or outside 1..1024 pixels a
/// side gives the built-in relief.
GreyTexture LoadTexture(const std::string& path, int hoehe, int neutral);

/// How strongly the texture's brightness shades the block colour.
struct Relief {
  int tiefe = 25;     ///< percent, 0..100
  int neutral = 128;  ///< the grey that leaves the colour unchanged, 1..254
};

/// Draws a block face of breite x hoehe at (0, 0) of `ziel` (32-bit ARGB): the textured colour
/// with a one-pixel bevel. Clipped to `ziel`.
void DrawBlockFace(SDL_Surface* ziel, int breite, int hoehe, Rgb farbe, const GreyTexture& textur,
                   const Relief& relief);

}  // namespace zelo::platform::gfx
