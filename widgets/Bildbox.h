#pragma once
// A picture box of the main window: a borderless child area with its own persistent image,
// placed in main-window pixels, hidden while not in use. The popup box `Sampi` (quick-fader
// popup, info picture, sample-name popup) is one; it is shown through the window's Popup
// layer. Repainting the back image does not touch it. UI thread only.

#include <SDL.h>

#include "platform/Window.h"

namespace zelo::widgets {

class Bildbox {
 public:
  /// `fenster` may be null (tests of the geometry alone): then nothing reaches a screen.
  explicit Bildbox(platform::Window* fenster, platform::Layer ebene = platform::Layer::Popup);
  ~Bildbox();
  Bildbox(const Bildbox&) = delete;
  Bildbox& operator=(const Bildbox&) = delete;

  /// Moves the box; its picture goes with it at the next Refresh.
  void Verschieben(int left, int top);
  /// Resizes the box; its own image is kept where it overlaps and black elsewhere.
  void Groesse(int breite, int hoehe);
  void Zeigen(bool sichtbar);
  /// Repaints the box on the window at once from its own image.
  void Refresh();

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Breite() const { return breite_; }
  int Hoehe() const { return hoehe_; }
  bool Sichtbar() const { return sichtbar_; }
  /// The box's persistent image (box-relative pixels); null while the box has no size.
  SDL_Surface* Bild() const { return bild_; }
  /// How often the box was repainted (tests count the popup's redraws).
  int Refreshs() const { return refreshs_; }

 private:
  void Wegnehmen();

  platform::Window* fenster_;
  platform::Layer ebene_;
  SDL_Surface* bild_ = nullptr;
  int left_ = 0, top_ = 0, breite_ = 0, hoehe_ = 0;
  bool sichtbar_ = false;
  platform::Rect gezeigt_;  ///< where the layer holds the box's picture now
  int refreshs_ = 0;
};

}  // namespace zelo::widgets
