#pragma once
// Level meters: segmented bars on a decibel scale with a short peak hold.

#include <SDL.h>

#include <cstdint>

namespace zelo::platform::gfx {

constexpr int kMaxSegmente = 40;
constexpr int kDbBereich = 48;          ///< the meter shows -48 dB .. 0 dB
constexpr uint32_t kPeakHaltenMs = 600;  ///< the peak stays put this long after it was reached
constexpr uint32_t kPeakFallMs = 40;     ///< then falls by one segment per step

/// Segments along a meter of `laenge` pixels.
int SegmentCount(int laenge);
/// Segments lit by a peak amplitude of 1..32767 (limited to that range).
int LitSegments(int32_t pegel, int segmente);

/// One meter's rectangle and its peak hold.
class VolBar {
 public:
  VolBar(int x, int y, int breite, int hoehe);

  /// The peak segment count shown at time `jetzt` for `lit` lit segments; updates the hold.
  int Peak(int lit, uint32_t jetzt);
  /// Draws the meter at its rectangle into `ziel`, clipped to it.
  void Draw(SDL_Surface* ziel, int32_t pegel, uint32_t jetzt);

  SDL_Rect Rechteck() const { return {x_, y_, breite_, hoehe_}; }
  bool Senkrecht() const { return hoehe_ > breite_; }

 private:
  int x_, y_, breite_, hoehe_;
  int peak_ = 0;
  uint32_t peakZeit_ = 0;
};

}  // namespace zelo::platform::gfx
