#pragma once
// The graphics effects library: element cross-fades through a work buffer, textured sample
// blocks with two name lines, level meters and the intro animation. UI thread only.
// A failing call is ignored; a handle of 0 disables what depends on it. The library owns every
// surface it returns; they stay valid until the matching close call or its destruction.
// Files, colours and timings: docs/graphics-effects.md.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Fonts.h"

struct SDL_Surface;

namespace zelo::platform {

class Clock;
class Window;

class GrafikEffekte {
 public:
  /// `clock` times the meters' peak hold; nullptr uses the system clock.
  explicit GrafikEffekte(Fonts& fonts, Clock* clock = nullptr);
  ~GrafikEffekte();
  GrafikEffekte(const GrafikEffekte&) = delete;
  GrafikEffekte& operator=(const GrafikEffekte&) = delete;

  void GFX_SetActiveWindow(Window* window);

  // Intro animation of the intro page's elements, timed by engine time.
  /// The intro page's element picture the intro elements are cut from; copied. nullptr drops it.
  void GFX_IntroSetPicture(SDL_Surface* bild);
  void GFX_IntroSetKey(const std::string& name, int x, int y, int breite, int hoehe, int quelleX, int quelleY,
                       int aktivX, int aktivY, int druckX, int druckY);
  /// Draws the intro at engine time `ms` (-1: the last frame); not 0 while the intro still runs.
  int32_t GFX_IntroRefresh(int32_t ms);
  void GFX_IntroClose();

  /// The work buffer all element fades and text fields are composed in.
  SDL_Surface* GFX_AnimationSwapInit(int breite, int hoehe);
  /// Blends the active image (percent 0) with the normal image (percent 100) of a slot picture
  /// into the work buffer at (0, 0).
  void GFX_AnimationPhase(SDL_Surface* slot, int slotBreite, int slotHoehe, int32_t slotWort, int aktivX,
                          int aktivY, int quelleX, int quelleY, int breite, int hoehe, int prozent);

  /// The block picture surface: one sample block at a time is drawn at its (0, 0).
  SDL_Surface* GFX_SampleInit(int blockHoehe, int maxBreite, const FontSpec& font);
  int32_t GFX_SampleAddTexturePair(const std::string& textur, const std::string& textur2,
                                   const std::string& palette, int a, int b, int c);
  void GFX_SampleZeichne(int32_t paar, int gruppe, int breite, const std::string& name, const std::string& name2,
                         int a, int b);
  void GFX_SampleZeichneSel(int32_t paar, int gruppe, int breite, const std::string& name,
                            const std::string& name2, int a, int b);
  void GFX_SampleClose();

  /// A level meter at a rectangle of the target; 0 = none.
  int32_t GFX_VolBarInit(int x, int y, int breite, int hoehe);
  /// Draws level 1..32767 (with a short peak hold) into the target at the meter's rectangle.
  void GFX_VolBarDraw(int32_t meter, int32_t pegel, SDL_Surface* ziel);
  void GFX_VolBarClose();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zelo::platform
