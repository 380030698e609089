#pragma once
// The installer and uninstaller that run inside the program: the setup dialog `zelosetup`
// shown at the first activation in run mode 1 (setup) or 3 (uninstall). Installing makes the
// working folder, the desktop menu entry, sizes and fills the sample cache, writes the state
// file and the pointer files, then switches to normal work in the same run. Uninstalling
// removes the cache, the empty working folders, the menu entry and the state file and hands
// the rest of the working folder to the clean-up script. UI thread only.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/Ordner.h"
#include "setup/SetupFenster.h"

namespace zelo::platform {
class DialogHost;
class Engine;
}  // namespace zelo::platform
namespace zelo::text {
class Texte;
}
namespace zelo::library {
class Katalog;
}

namespace zelo::setup {

/// Installation type: the button pressed.
enum Installationsart : int16_t { SofortStart = 0, VollInstallation = 1, MiniInstallation = 2 };

/// Wanted cache size in bytes of each installation type.
int64_t GewuenschteCachegroesse(int16_t art);

/// What pre-caching reports to the installer and asks of it.
struct Vorladekontext {
  int16_t Installationsart = SofortStart;
  /// The status label's new text: the progress text with the percentage copied so far (full
  /// and minimal installation only).
  std::function<void(const std::string& text)> Status;
  /// Lets pending window events run once; called after every copied sample.
  std::function<void()> EreignisseAbarbeiten;
  /// True once the installation is being cancelled: copying stops.
  std::function<bool()> Abgebrochen;
};

/// The sample library's routines the installer uses. The program joins its catalogue here;
/// tests give their own.
class SetupBibliothek {
 public:
  virtual ~SetupBibliothek() = default;
  /// Reads and merges every catalogue source ("setup" never writes the state file).
  virtual void LoadZubs(const std::string& modus) = 0;
  /// Sizes the cache file; false when it could not get the wanted size (out of space).
  virtual bool CacheAnlegen(const std::string& cachePfad, int64_t gewuenscht) = 0;
  virtual void VorladelisteLaden(const std::string& pfad) = 0;
  virtual void ContainerOeffnen(const std::string& hauptcontainer, const std::string& cache) = 0;
  virtual void ContainerSchliessen() = 0;
  /// Copies the pre-cache list into the cache; false when it stopped for lack of space or
  /// after too many failed copies.
  virtual bool Vorladen(int64_t gewuenscht, const Vorladekontext& kontext) = 0;
  /// Writes the state file with `arbeitsordner` and `startmix` as its first two values.
  virtual bool KatalogSpeichern(const std::string& pfad, const std::string& arbeitsordner,
                                const std::string& startmix) = 0;
  /// The drum machine's and the sibling edition's pointer files; an existing one is kept.
  virtual void ZeigerdateienAnlegen(const std::string& arbeitsordner, const std::string& partnerordner) = 0;
  /// Marks the catalogue unchanged, so that ending the program writes no state file.
  virtual void AenderungVergessen() {}
};

/// The application's routines the installer calls. Each does nothing until the program joins
/// it, so tests override only what they watch.
class Programmseite {
 public:
  virtual ~Programmseite() = default;
  virtual void Sanduhr() {}
  virtual void NormalZeiger() {}
  /// Finishes every running element fade at once.
  virtual void BlendFertig() {}
  /// Brings the main window to the front and shows it.
  virtual void ZeigeWindow() {}
  /// Hides the popup picture of the sample list.
  virtual void SamplePopupVerbergen() {}
  /// The working state in normal mode: with "setup" the catalogue is not read again.
  virtual void ZustandAktivieren(const std::string& text) {}
  /// Orderly shutdown; ends the program.
  virtual void Schluss() {}
  /// Ends the program at once.
  virtual void ProzessEnde() {}
  /// True once shutdown has begun.
  virtual bool Beendet() { return false; }
};

/// Starts the clean-up script: `sh script argument` in `ordner`, detached, without waiting.
using SkriptStarter = std::function<bool(const std::string& script, const std::string& argument,
                                         const std::string& ordner)>;
/// The program's starter: a detached `sh` with no terminal and its output discarded.
bool SkriptStarten(const std::string& script, const std::string& argument, const std::string& ordner);

/// Everything the installer works with; the application owns each part.
struct SetupUmgebung {
  config::Ordner& Ordner;
  const config::Umgebung& Umgebung;
  const text::Texte& Texte;
  platform::Engine& Engine;
  platform::DialogHost& Dialoge;
  SetupBibliothek& Bibliothek;
  Programmseite& Programm;
  /// The folder of the desktop menu entries ($XDG_DATA_HOME/applications/).
  std::string Menueordner;
  /// The running program file, started by the menu entry.
  std::string Programmdatei;
  /// Element 98's rectangle moved by `Versatz`, in window pixels; empty means the whole window.
  platform::Rect Rechteck;
  SkriptStarter Skript = &SkriptStarten;
};

/// The percentage in a progress text ("... 42% ..."); 0 when it holds none.
int ProzentAus(const std::string& text);

/// Cleans a typed working folder (`pfadtest`): keeps only the allowed characters, makes a
/// leading "~" or a relative path start at `home`; no "/" is added at the end.
std::string PfadReinigen(const std::string& eingabe, const std::string& home);
/// Creates the folders above the last "/" of a cleaned path.
void ElternordnerAnlegen(const std::string& pfad);

/// The mounted file systems offered as drives: the home folder's, the media and network
/// mounts of the environment's search places, and the root.
std::vector<Laufwerk> Laufwerke(const config::Umgebung& u, platform::Engine& engine);
/// Index of the drive whose folder holds `pfad` (the longest match); 0 when none.
size_t LaufwerkVon(const std::vector<Laufwerk>& laufwerke, const std::string& pfad);
/// The path moved onto another drive: the part below the old drive's folder (or the last
/// folder name when the path lies elsewhere) put below the new drive's folder.
std::string AufLaufwerk(const std::string& pfad, const Laufwerk& alt, const Laufwerk& neu);

/// $XDG_DATA_HOME/applications/, else home + ".local/share/applications/".
std::string MenueordnerAusProzess(const std::string& home);

/// The setup dialog and its work.
class Zelosetup final : public SetupSteuerung {
 public:
  explicit Zelosetup(SetupUmgebung& umgebung);

  /// Prepares the dialog for the run mode and shows it modally until it is unloaded.
  void Zeigen(SetupFenster& fenster);

  // The dialog's events.
  void voll_Click() override;
  void mini_Click() override;
  void weiter_Click() override;
  void Ende_Click() override;
  void Drive_Change(size_t laufwerk) override;
  void Form_KeyDown(Taste taste) override;
  void Textt_Change(const std::string& text) override;
  const SetupAnsicht& Ansicht() const override { return ansicht_; }
  bool Geschlossen() const override { return geschlossen_; }

  /// The installation (run mode 1) or the uninstallation (other run modes).
  void Installiere(int16_t art);
  /// Fills the information label with the free space of the chosen drive.
  void settext();
  /// Removes the cache and the empty working folders named by the state file.
  void KillDirs();
  /// Leaves setup and starts normal work; `endeflag` 1 immediate, 2 full, 3 minimal.
  void Setupende(int16_t endeflag);
  /// Lets pending window events run once with the yield guard set.
  void EreignisseAbarbeiten();

  int16_t Art() const { return installationsart_; }
  bool Platzmangel() const { return platzmangel_; }
  bool Sperre() const { return sperre_; }

 private:
  void Vorbereiten();
  void Installation(int16_t art);
  void Deinstallation();
  void Install();
  void SteuerungAktiv(bool aktiv);
  bool BeendetPruefen();
  std::string T(int i) const;

  SetupUmgebung& u_;
  SetupFenster* fenster_ = nullptr;
  SetupAnsicht ansicht_;
  int16_t installationsart_ = SofortStart;
  bool platzmangel_ = false;
  bool sperre_ = false;  ///< the yield guard
  bool geschlossen_ = false;
  bool fortschrittOffen_ = false;
};

/// The first activation's call in run mode 1 or 3: shows the setup dialog in `fenster`.
void SetupDialog(SetupUmgebung& umgebung, SetupFenster& fenster);

}  // namespace zelo::setup
