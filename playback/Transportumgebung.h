#pragma once
// What the transport needs from the screen and from the other subsystems: the playhead line,
// the ruler's marker cell, the mix text area, page elements, pointer shapes, message boxes,
// and the chores of the recorder, the effects unit, the sample editor and the view that a
// stop or the timer step sets off. The page engine serves it in the running program; tests
// record what it was asked. Every routine does nothing by default. UI thread only.

#include <cstdint>
#include <string>

namespace zelo::playback {

class Transportumgebung {
 public:
  virtual ~Transportumgebung() = default;

  // --- Screen -------------------------------------------------------------------------------
  /// Draws the one-pixel playhead at x (offset inside the track area) over the 16 rows.
  virtual void FadenZeichnen(int32_t x) {}
  /// Erases the playhead at x by copying the strip back from the window's persistent picture.
  virtual void FadenLoeschen(int32_t x) {}
  /// Redraws ruler cell `spalte` (1 to 22): red as the marker, else green or white.
  virtual void TaktZelleZeichnen(int32_t spalte, bool marker) {}
  /// Redraws the whole ruler (its first bar may have changed).
  virtual void LinealZeichnen() {}
  /// Marks tracks 0 to 15 and redraws them.
  virtual void SpurenZeichnen() {}
  /// Shows a text in the mix text area.
  virtual void Mixtext(const std::string& text) {}
  /// Shows the mix name in upper case in the mix text area.
  virtual void MixnameZeigen() {}
  /// Sets a page element's state and, when `zeichnen`, draws it in that state.
  virtual void ElementSetzen(int element, int zustand, bool zeichnen) {}
  /// Lets an element fade back in over `ms`.
  virtual void ElementEinblenden(int element, int ms) {}
  /// Finishes every running element fade at once.
  virtual void BlendenFertig() {}
  virtual bool MusterseiteAktiv() { return false; }
  virtual void Sanduhr() {}
  virtual void NormalZeiger() {}
  /// Sets the pointer to its own position, so the system does not count the user idle.
  virtual void ZeigerAnOrt() {}
  /// A warning box with texts from the text table; `text` is already composed.
  virtual void Warnung(const std::string& text, int titel) {}
  /// Text-table entry n.
  virtual std::string Text(int n) { return {}; }

  // --- Popup picture and the view's drag state ----------------------------------------------
  virtual bool BildboxSichtbar() { return false; }
  /// Hides the popup picture and the outline; ends the info state when it showed the info picture.
  virtual void BildboxVerbergen() {}
  /// Clears the view's drag flags, its auxiliary drag flag, `Mausmodus` and the remembered pointer.
  virtual void ZugBeenden() {}
  /// Stops an auto-repeating scroll button and the pending hold-click.
  virtual void ScrollUndHalteklickStoppen() {}
  virtual bool ScrollWiederholt() { return false; }

  // --- Other subsystems --------------------------------------------------------------------
  virtual bool NimmtAuf() { return false; }
  /// Ends a running recording: registers and places the take, redraws (recorder's part).
  virtual void AufnahmeBeenden(const std::string& modus) {}
  /// Draws the recording's progress beside the playhead.
  virtual void Aufnahmefortschritt() {}
  /// Stops the sound-tool preview (`Effektstop`("immer")).
  virtual void Effektstop() {}
  /// True while the effect preview plays with its loop element on.
  virtual bool EffektvorschauLoop() { return false; }
  /// Starts the effect preview again (`EffektPlay`("alt")).
  virtual void EffektNeustart() {}
  /// Closes the quick fader.
  virtual void SchnellreglerSchliessen() {}
  /// Closes the sample editor widget.
  virtual void SampleEditorSchliessen() {}
  /// Reports a finished wave export; `komplett` when the song end was reached.
  virtual void ExportBeendet(bool komplett) {}

  // --- Timer chores owned elsewhere ---------------------------------------------------------
  /// Every pass: the group-button blink and the pattern preview's step lights.
  virtual void TimerJederDurchlauf() {}
  /// The view's hold-click counter (opens the sample editor after 300 ms), when not playing.
  virtual void Halteklick() {}
  /// Prepares the metronome click in the engine's temporary file 2.
  virtual void MetronomVorbereiten() {}
  /// Level meters, every second step.
  virtual void Pegelanzeigen() {}
  /// The tempo question, scroll auto-repeat, edge scrolling, drag feedback, help pictures.
  virtual void Zeitarbeiten() {}
};

}  // namespace zelo::playback
