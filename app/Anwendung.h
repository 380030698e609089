#pragma once
// The application: owns every shared store and runs start-up, the main loop and shutdown.
// One Anwendung is one program run; tests build their own with a manual clock, scripted
// dialogs and a test engine. UI thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/Subsysteme.h"
#include "config/Ordner.h"
#include "config/Update.h"
#include "platform/Dialogs.h"
#include "config/Layout.h"
#include "pages/Objekte.h"
#include "platform/Engine.h"
#include "platform/Fonts.h"
#include "platform/StartSound.h"
#include "platform/Window.h"
#include "platform/gfx/GrafikEffekte.h"
#include "text/Texte.h"
#include <map>

namespace zelo::platform {
class Clock;
class DialogHost;
class ImGuiHost;
class SingleInstance;
}  // namespace zelo::platform

namespace zelo::app {

struct StartOptionen {
  std::string Programmordner;  ///< folder of the program file, ends with "/"
  std::string Kommandozeile;   ///< the arguments joined with spaces
  int FensterBreite = 0;       ///< 0: the desktop's size
  int FensterHoehe = 0;
  bool EchteDialoge = true;    ///< false: dialogs come from the injected host (tests)
  config::Umgebung Umgebung = config::Umgebung::AusProzess();
};

/// The sizes and handles the start-up hands to later subsystems.
struct GrafikZustand {
  SDL_Surface* Arbeitspuffer = nullptr;  ///< the 400 x 400 work buffer of fades and text fields
  SDL_Surface* Blockbild = nullptr;      ///< the sample-block picture
  int32_t Texturpaar = 0;
  std::array<int32_t, 3> Pegelanzeigen{};  ///< meters on elements 288, 699, 371
  platform::BildStruct Sampleblockbild;    ///< "zelo22": the picture behind dragged blocks
};

/// The one dialog host the subsystems hold from the start: it forwards to the host of the
/// run (the Dear ImGui one once the window exists, or a test's scripted one). Before there is
/// one, a message box takes its default button, a menu is dismissed and an input is cancelled.
class DialogWeiche final : public platform::DialogHost {
 public:
  void ZielSetzen(platform::DialogHost* ziel) { ziel_ = ziel; }
  platform::DialogHost* Ziel() const { return ziel_; }
  platform::Answer MessageBox(const platform::MessageRequest& request) override;
  int PopupMenu(const std::vector<platform::MenuItem>& items, int x, int y) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& preset) override;

 private:
  platform::DialogHost* ziel_ = nullptr;
};

class Anwendung {
 public:
  Anwendung(const StartOptionen& optionen, platform::Clock& uhr, platform::Engine& engine,
            platform::DialogHost* dialoge, Subsysteme& subsysteme);
  ~Anwendung();
  Anwendung(const Anwendung&) = delete;
  Anwendung& operator=(const Anwendung&) = delete;

  /// The whole run: start-up, main loop, exit. Returns the exit code.
  int Main();

  // The steps of start-up, public for tests that run them one by one.
  /// Opens the (invisible) main window and the dialogs that live in it.
  void FensterAnlegen();
  void FLoad1();
  void Startbilder();
  void FLoad2();
  void Laden();
  void FActivate();
  void EngineStart();
  int16_t Intro();
  void ZustandAktivieren(const std::string& text);
  void ErsteSeite();
  void ZeigeWindow();

  // The main loop.
  /// One pass: yield to the window system, then Zyklus. False once the quit flag is set.
  bool Durchlauf();
  void Zyklus();
  /// Handles every pending event; waits up to `warteMs` for the first.
  void Ereignisse(int warteMs = 0);
  bool IntroAbbruch();

  // Ending.
  void EndeMeldung(int element);
  void Schluss();
  void KillTemps();
  void ProzessEnde();

  // Pointer shapes.
  void Sanduhr();
  void NormalZeiger();
  void NullZeiger();
  void RadiererZeiger();

  /// Shows a message box with texts from the text table.
  platform::Answer Meldung(int text, int titel, platform::Buttons knoepfe, platform::Icon symbol,
                           int standard = 1);

  // The shared stores.
  config::Ordner& Ordner() { return ordner_; }
  /// The process environment the run started with (home, config and temp folders, search places).
  const config::Umgebung& Umgebung() const { return optionen_.Umgebung; }
  config::Layout& Layout() { return layout_; }
  text::Texte& Texte() { return texte_; }
  text::Textnummern& Textnummern() { return textnummern_; }
  text::Konstanten& Konstanten() { return konstanten_; }
  text::Fonttabelle& Fonttabelle() { return fonttabelle_; }
  text::DiskMenue& DiskMenue() { return diskMenue_; }
  /// The file dialogs' keys and texts, as the language file gives them.
  const std::map<std::string, std::string>& DialogSchluessel() const { return dialogSchluessel_; }
  bool Mp3Verfuegbar() const { return mp3Verfuegbar_; }
  const config::LayoutMasse& Masse() const { return masse_; }
  pages::Objekte& Objekte() { return objekte_; }
  platform::Engine& Engine() { return engine_; }
  /// Every dialog goes through here; valid from construction on.
  platform::DialogHost& Dialoge() { return weiche_; }
  /// The Dear ImGui host of the real window; null in tests with scripted dialogs.
  platform::ImGuiHost* ImGuiDialoge() { return echteDialoge_.get(); }
  platform::Window* Fenster() { return fenster_.get(); }
  platform::GrafikEffekte& Gfx() { return gfx_; }
  platform::Fonts& Fonts() { return fonts_; }
  platform::Clock& Uhr() { return uhr_; }
  GrafikZustand& Grafik() { return grafik_; }

  // The flags of the run.
  bool IntroFlag() const { return introFlag_; }
  bool QuitFlag() const { return quitFlag_; }
  int16_t EngineBereit() const { return engineBereit_; }
  bool ErsteAktivierung() const { return ersteAktivierung_; }
  bool Beendet() const { return schluss_; }
  int16_t Farbklasse() const { return farbklasse_; }
  int32_t Masterlautstaerke() const { return masterlautstaerke_; }
  const std::array<std::string, 4>& TempDateien() const { return tempDateien_; }
  int Exitcode() const { return exitcode_; }

  /// Called after every main-loop pass (tests stop the loop from here).
  std::function<void()> nachDurchlauf;

 private:
  std::string Bilddatei(const std::string& stamm) const;
  void Warten(uint32_t ms);
  bool Beschaeftigt();

  StartOptionen optionen_;
  platform::Clock& uhr_;
  platform::Engine& engine_;
  platform::DialogHost* dialoge_;
  DialogWeiche weiche_;
  Subsysteme& sub_;

  config::Ordner ordner_;
  config::Layout layout_;
  text::Texte texte_;
  text::Textnummern textnummern_;
  text::Konstanten konstanten_;
  text::Fonttabelle fonttabelle_{};
  text::DiskMenue diskMenue_;
  std::map<std::string, std::string> dialogSchluessel_;
  bool mp3Verfuegbar_ = false;
  config::LayoutMasse masse_;
  pages::Objekte objekte_;

  platform::Fonts fonts_;
  platform::GrafikEffekte gfx_;
  std::unique_ptr<platform::Window> fenster_;
  std::unique_ptr<platform::ImGuiHost> echteDialoge_;
  std::unique_ptr<platform::SingleInstance> instanz_;
  platform::StartSound startklang_;
  GrafikZustand grafik_;
  platform::BildStruct maske_, logo_;

  bool introFlag_ = false;
  bool quitFlag_ = false;
  int16_t engineBereit_ = 0;
  bool schluss_ = false;
  bool ersteAktivierung_ = false;
  bool directX_ = false;
  bool ersteSeiteGelaufen_ = false;
  int16_t farbklasse_ = 32000;
  uint32_t startzeit_ = 0;
  int16_t durchlaeufe_ = 0;
  int32_t masterlautstaerke_ = 0;
  std::array<std::string, 4> tempDateien_;
  int exitcode_ = 0;
};

}  // namespace zelo::app
