#pragma once
// The linear cross-fade of two images of one picture, shared by the element fades and the intro.

#include <SDL.h>

namespace zelo::platform::gfx {

/// Where the two images lie in the source picture and how far the fade has gone.
struct Ueberblendung {
  int aktivX = 0, aktivY = 0;    ///< the image shown at 0 per cent
  int normalX = 0, normalY = 0;  ///< the image shown at 100 per cent
  int breite = 0, hoehe = 0;
  int prozent = 0;  ///< 0..100; larger values count as 100
};

/// Writes the blend of two images of `src` into `dst` at (dx, dy), clipped to `dst`. Only the
/// top-left `srcBreite` x `srcHoehe` of `src` (limited to its size) is read; pixels outside it
/// count as black. `dst` must be a 32-bit ARGB surface; any other does nothing.
void BlendImages(SDL_Surface* dst, int dx, int dy, SDL_Surface* src, int srcBreite, int srcHoehe,
                 const Ueberblendung& u);

/// One channel of the blend: p = 0 gives a, p = 100 gives n, rounded to nearest.
constexpr uint32_t BlendChannel(uint32_t a, uint32_t n, uint32_t p) { return (a * (100 - p) + n * p + 50) / 100; }

}  // namespace zelo::platform::gfx
