#pragma once
// The subsystems that start-up, the main loop and shutdown call into, as one interface.
// Every routine does nothing until its subsystem joins the program and overrides it, so the
// spine runs on its own and tests can record the order of the calls.

#include <string>

union SDL_Event;

namespace zelo::app {

class Subsysteme {
 public:
  virtual ~Subsysteme() = default;

  /// Start values owned by other subsystems: tempo constants, sound-group selection, the
  /// time stretcher's tempos, song tempo, visible bars, channel pans.
  virtual void StartwerteSetzen() {}
  /// The layout metrics are known; the arrangement takes its area's geometry.
  virtual void LayoutMasseGesetzt() {}

  // Page engine.
  /// Reads the page file (first pass 1 before the coordinates, second pass 2 after them).
  virtual void SeitendateiLesen(int durchgang) {}
  /// Reads the coordinate file of the layout into the element table.
  virtual void KoordinatenLesen(const std::string& datei) {}
  virtual void SzeneAktivieren(const std::string& seite, int zustand) {}
  /// A click on a page element, as if the user had clicked it.
  virtual void ElementKlick(int element) {}
  virtual void ZeigeAktiv(int element) {}
  /// Fades an element back to its normal image.
  virtual void Ausblenden(int element) {}
  /// One step of the element fades; true while fades are running.
  virtual bool Blender() { return false; }
  /// An input event of the main window; true when it was handled.
  virtual bool Ereignis(const SDL_Event& event) { return false; }

  // Widgets.
  virtual void ReglerSetzen(int element, int wert) {}

  // Library.
  virtual void SampleBereicheSetzen() {}
  virtual void LoadZubs(const std::string& modus) {}
  virtual void GruppenOrdnen(int modus) {}
  virtual void GruppenSortieren(int modus) {}
  virtual void BlockbreitenBerechnen() {}
  virtual void ContainerOeffnen(const std::string& hauptcontainer, const std::string& cache) {}
  virtual void ContainerSchliessen() {}
  virtual void IntroSampleVorbereiten() {}
  virtual bool KatalogGeaendert() { return false; }
  virtual void KatalogSpeichern() {}

  // Arrangement.
  virtual void SpurenLeeren() {}
  virtual void Taktlineal() {}
  virtual void MixLaden(const std::string& pfad) {}
  virtual bool MixGeaendert() { return false; }
  virtual void MixGeaendertLoeschen() {}

  // Playback and tools.
  virtual void AllStop(const std::string& grund) {}
  virtual void TimerUpdate() {}
  virtual bool Spielt() { return false; }
  virtual void PlayUpdate(int phase) {}
  virtual bool NimmtAuf() { return false; }
  /// The reason the next AllStop reads (14: the recording ran out).
  virtual void StopGrund(int text) {}
  virtual bool WerkzeugKlingt() { return false; }
  virtual void Effektstop(const std::string& modus) {}
  /// Marks the effect and time-stretch players to load their sound again before next use.
  virtual void PlayerNeuLaden() {}

  // Setup.
  virtual void SetupDialog(int betriebsart) {}
};

}  // namespace zelo::app
