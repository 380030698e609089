#pragma once
// The subsystems of the running program, joined to the application: each routine of
// Subsysteme that a subsystem serves is forwarded to it here, and the page engine's requests
// (pages::Aktionen) reach the library, the arrangement and playback through it. Verbund owns
// the catalogue, the containers, the track store and the playback state of one program run.
// UI thread only.

#include <memory>

#include "app/Subsysteme.h"
#include "arrangement/Spuren.h"
#include "library/Container.h"
#include "library/Katalog.h"
#include "library/Zubs.h"
#include "pages/Aktionen.h"
#include "pages/Szenen.h"
#include "playback/Wiedergabe.h"

struct SDL_Surface;

namespace zelo::arrangement {
class Ansicht;
}
namespace zelo::input {
class Eingabe;
}
namespace zelo::library {
class Soundgruppen;
}
namespace zelo::pages {
class Seitensteuerung;
}
namespace zelo::dialogs {
class Menuefenster;
}
namespace zelo::setup {
class SetupFenster;
}
namespace zelo::widgets {
class Bildbox;
class Grafik_FX;
class Seitenregler;
}  // namespace zelo::widgets

namespace zelo::app {

class Anwendung;
class Ansichtseite;
class Listenseite;
class Transportseite;

class Verbund final : public Subsysteme {
 public:
  Verbund();
  ~Verbund() override;
  /// Joins the subsystems to the application once it exists (it owns the shared stores).
  void Verbinden(Anwendung& anwendung);

  // Start values and layout.
  void LayoutMasseGesetzt() override;

  // Page engine.
  void SeitendateiLesen(int durchgang) override;
  void KoordinatenLesen(const std::string& datei) override;
  void SzeneAktivieren(const std::string& seite, int zustand) override;
  void ElementKlick(int element) override;
  void ZeigeAktiv(int element) override;
  void Ausblenden(int element) override;
  bool Blender() override;
  bool Ereignis(const SDL_Event& event) override;

  // Widgets.
  void ReglerSetzen(int element, int wert) override;

  // Library.
  void SampleBereicheSetzen() override;
  void LoadZubs(const std::string& modus) override;
  void GruppenOrdnen(int modus) override;
  void GruppenSortieren(int modus) override;
  void BlockbreitenBerechnen() override;
  void ContainerOeffnen(const std::string& hauptcontainer, const std::string& cache) override;
  void ContainerSchliessen() override;
  bool KatalogGeaendert() override { return katalog_.KatalogGeaendert; }
  void KatalogSpeichern() override;

  // Arrangement.
  void SpurenLeeren() override;
  void Taktlineal() override;
  void MixLaden(const std::string& pfad) override;
  bool MixGeaendert() override { return spuren_.MixGeaendert != 0; }
  void MixGeaendertLoeschen() override { spuren_.MixGeaendert = 0; }

  // Playback.
  void AllStop(const std::string& grund) override;
  void TimerUpdate() override;
  bool Spielt() override { return wg_ && wg_->MixLaeuft != 0; }
  void PlayUpdate(int phase) override;

  // Setup.
  void SetupDialog(int betriebsart) override;
  /// The window the setup dialog is shown in; null (the default) uses the Dear ImGui window.
  /// Tests put a scripted one here.
  void SetupFensterSetzen(setup::SetupFenster* fenster) { setupFenster_ = fenster; }

  /// File name of the current mix; empty for a new one (mix files are not read yet, so the
  /// program always starts with a new mix).
  std::string Mixname;

  // The parts, for the code that serves them and for tests.
  pages::Seitensteuerung* Seiten() { return seiten_.get(); }
  input::Eingabe* Eingabe() { return eingabe_.get(); }
  pages::Seitendaten& Seitendaten() { return seitendaten_; }
  /// What the pages and the input dispatch ask of the program.
  pages::Aktionen& Aktionen();
  /// The fader handler of the page faders this program already serves: the list's scroll
  /// fader (element 5) and the arrangement's horizontal fader (77); others keep their value.
  int16_t FaderBewegt(int16_t handle);
  /// The popup menu window of the disk button and the sample list, made on first use.
  dialogs::Menuefenster& Menue();
  library::Katalog& Katalog() { return katalog_; }
  library::Containerdateien& Container() { return container_; }
  library::Soundgruppen* Gruppen() { return gruppen_.get(); }
  arrangement::Spuren& Spuren() { return spuren_; }
  playback::Wiedergabe* Wiedergabe() { return wg_.get(); }
  playback::Kanaltabellen& Kanaele() { return kanaele_; }
  /// The arrangement view; null until the main page was first shown with the engine running.
  arrangement::Ansicht* Ansicht() { return ansicht_.get(); }
  widgets::Grafik_FX& Fx() { return *fx_; }
  Anwendung& App() { return *app_; }

  /// The playhead line: drawn into the back image with what it covered kept aside, so that
  /// taking it away restores the picture exactly.
  void FadenZeichnen(int32_t x);
  void FadenLoeschen();

  /// Makes the arrangement view once the block picture exists; true when it is there.
  bool AnsichtAnlegen();
  /// The main page's track area from element `element` (75) and the ruler.
  void ArrangementEinrichten(int element);
  /// Play from the marker, or stop when playing (element 37).
  void PlayStop();
  /// Keeps the play button lit while the song plays.
  void PlayknopfZeigen();
  /// The current sound-group button blinks on the panels that show it.
  void GruppenknopfBlinken();

 private:
  /// The application's side of what the pages ask for: flags, pointers, the quit question,
  /// and the library, arrangement and playback requests forwarded to their subsystems.
  class Programmaktionen;
  friend class Ansichtseite;
  friend class Listenseite;
  friend class Transportseite;

  Anwendung* app_ = nullptr;
  pages::Seitendaten seitendaten_;
  std::unique_ptr<Programmaktionen> aktionen_;
  std::unique_ptr<pages::Seitensteuerung> seiten_;
  std::unique_ptr<input::Eingabe> eingabe_;
  std::unique_ptr<widgets::Grafik_FX> fx_;
  std::unique_ptr<widgets::Seitenregler> regler_;
  std::unique_ptr<widgets::Bildbox> sampi_;  // the popup picture box, once the window exists
  std::unique_ptr<dialogs::Menuefenster> menue_;  // the menu window, once the dialogs exist

  // The sample library.
  library::Katalog katalog_;
  library::Zubs zubs_;
  library::Containerdateien container_;
  std::unique_ptr<Listenseite> listenseite_;
  std::unique_ptr<library::Soundgruppen> gruppen_;

  // The arrangement and playback.
  arrangement::Spuren spuren_{katalog_};
  playback::Kanaltabellen kanaele_;
  std::unique_ptr<Transportseite> transportseite_;
  std::unique_ptr<playback::Wiedergabe> wg_;
  std::unique_ptr<Ansichtseite> ansichtseite_;
  std::unique_ptr<arrangement::Ansicht> ansicht_;

  // The playhead's strip of the back image it covers, and where it stands (-1: not drawn).
  SDL_Surface* fadenUnter_ = nullptr;
  int fadenX_ = -1, fadenY_ = 0, fadenH_ = 0;
  int blinkPhase_ = -1;
  bool playknopfAn_ = false;

  setup::SetupFenster* setupFenster_ = nullptr;
};

}  // namespace zelo::app
