#pragma once
// Pointer and key dispatch of the main window. Every mouse and key event goes first to the
// widgets, then to the page elements by hit test (ascending element number), then to the
// arrangement and the sample list; a pressed element gets its look here (press, toggle,
// fade) and its action from the element table of OKlick; a release goes to OUpKlick, which
// mostly serves drops of a dragged sample. Keys are mapped to element presses or editing
// commands. Actions of other subsystems go through pages::Aktionen. UI thread only; a handler
// may itself yield (dialogs), so the flags are checked on entry.

#include <cstdint>

#include "pages/Aktionen.h"
#include "pages/Objekte.h"
#include "text/Texte.h"

union SDL_Event;

namespace zelo::config {
struct Layout;
struct LayoutMasse;
}  // namespace zelo::config
namespace zelo::pages {
class Seitensteuerung;
}
namespace zelo::platform {
class Clock;
class DialogHost;
class Engine;
}  // namespace zelo::platform

namespace zelo::input {

struct EingabeUmgebung {
  pages::Objekte& objekte;
  pages::Seitensteuerung& seiten;
  pages::Aktionen& aktionen;
  platform::Engine& engine;
  platform::Clock& uhr;
  platform::DialogHost& dialoge;
  const config::Layout& layout;
  const config::LayoutMasse& masse;
  const text::Texte& texte;
  const text::Fonttabelle& fonttabelle;
};

class Eingabe {
 public:
  explicit Eingabe(EingabeUmgebung umgebung) : u_(umgebung) {}

  /// One SDL event of the main window; true when the dispatch handled it (every mouse
  /// button, motion and key-down event, Escape and Alt+F4 included).
  bool Ereignis(const SDL_Event& e);

  // The window system's handlers; x and y are window (screen) pixels.
  void Form_MouseDown(int button, int shift, int x, int y);
  void Form_MouseMove(int button, int shift, int x, int y);
  void Form_MouseUp(int button, int shift, int x, int y);
  void Form_DblClick();
  void Form_KeyDown(int taste, int shift);
  void Form_KeyPress(int zeichen);

  // Element dispatch; x and y are layout pixels.
  bool Getroffen(int n, int x, int y) const;
  bool MausDownObj(int button, int shift, int x, int y);
  void MausMoveObj(int button, int shift, int x, int y);
  bool MausUpObj(int button, int shift, int x, int y);
  void WiederherstelleFeld(int n);
  void OKlick(int n, int button = 1, int shift = 0, int x = 0, int y = 0);
  bool OUpKlick(int n, int button = 1, int shift = 0, int x = 0, int y = 0);
  /// While playing, the pointer keeps being cycled on moves until `zeit` ms from now.
  void TriggerMaus(uint32_t zeit);

  // Dispatch state.
  int LetzteDownX = 0, LetzteDownY = 0;  ///< layout pixels
  int LetzteMoveX = 0, LetzteMoveY = 0;  ///< window pixels
  int Hoverelement = 0;
  int LetztesElement = 0;
  int Abwurfziel = 0;
  int Gruppenknopf = 0;   ///< the current main sound-group button
  int Gruppenknopf2 = 0;  ///< the current second group button
  uint32_t Zeigerfrist = 0;
  uint32_t Tastenzeit = 0;
  uint32_t Hochzeit = 0;

 private:
  void FMouseDown(int button, int shift, int x, int y);
  void FMouseMove(int button, int shift, int x, int y);
  void FMouseUp(int button, int shift, int x, int y);
  /// Press as a key does it: light, act, fade back.
  void Druecke(int n);
  /// A dragged sample dropped on a tool; false (and a message) for samples the tools refuse.
  bool Abwurfsample(int& sample);
  void EffektsampleAbwurf(int sample);
  bool Popup();
  bool UnterHalb(int ly) const;

  EingabeUmgebung u_;
  int letzteTaste_ = -1;
  bool infoVerborgen_ = false;  // the info picture was hidden by this very mouse-down
};

}  // namespace zelo::input
