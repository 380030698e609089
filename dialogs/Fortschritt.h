#pragma once
// The progress box: a small fixed window with a bold centred title, a frame and a dark blue
// bar, and a Cancel button; used by pre-caching during installation and by the MP3 coder.
// It is not modal: the work calls SetProzent as it goes, and the box is drawn over the
// window on every present until Beenden. UI thread only.

#include <string>

#include "platform/Fonts.h"
#include "platform/Window.h"

namespace zelo::dialogs {

/// The box's controls in window pixels.
struct Fortschrittsgeometrie {
  platform::Rect Fenster;
  platform::Rect Titel;
  platform::Rect Rahmen;
  platform::Rect Balken;      ///< its full width; the shown part is BalkenBreite
  platform::Rect Abbrechen;
  int TitelSchrift = 0;       ///< title font size in pixels after rescaling
};

/// Where the box and its controls go on a screen of the given size.
Fortschrittsgeometrie FortschrittLayout(int schirmBreite, int schirmHoehe);

class Fortschrittsbox {
 public:
  /// `fenster` may be null (tests of the geometry and values alone).
  Fortschrittsbox(platform::Window* fenster, platform::Fonts* fonts);
  ~Fortschrittsbox();
  Fortschrittsbox(const Fortschrittsbox&) = delete;
  Fortschrittsbox& operator=(const Fortschrittsbox&) = delete;

  /// Opens the box centred on the screen with its bar at half width.
  void Starten(const std::string& titel);
  /// `prozent` is a fraction 0..1 (clamped); the bar shows that part of the frame.
  void SetProzent(double prozent);
  /// Closes the box.
  void Beenden();
  /// A press in the window: true when the box took it (Cancel closes the box).
  bool MausDown(int x, int y);

  bool Offen() const { return offen_; }
  bool Abgebrochen() const { return abgebrochen_; }
  bool BalkenSichtbar() const { return balkenSichtbar_; }
  int BalkenBreite() const { return balkenBreite_; }
  const std::string& Titel() const { return titel_; }
  const Fortschrittsgeometrie& Geometrie() const { return g_; }

  /// Text of the Cancel button.
  std::string AbbrechenText = "Cancel";
  /// Title font: Arial, bold.
  platform::FontSpec Schrift{"Arial", true, 12, 0, 0, 0};

 private:
  void Anzeigen();
  void Zeichnen(SDL_Renderer* renderer);

  platform::Window* fenster_;
  platform::Fonts* fonts_;
  Fortschrittsgeometrie g_;
  std::string titel_;
  bool offen_ = false;
  bool abgebrochen_ = false;
  bool balkenSichtbar_ = false;
  int balkenBreite_ = 0;
  SDL_Surface* bild_ = nullptr;  ///< the box drawn, uploaded on every present
  SDL_Texture* textur_ = nullptr;
};

}  // namespace zelo::dialogs
