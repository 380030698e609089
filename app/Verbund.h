#pragma once
// The subsystems of the running program, joined to the application: each routine of
// Subsysteme that a subsystem serves is forwarded to it here.

#include <memory>

#include "app/Subsysteme.h"
#include "pages/Aktionen.h"
#include "pages/Szenen.h"

namespace zelo::input {
class Eingabe;
}
namespace zelo::pages {
class Seitensteuerung;
}
namespace zelo::dialogs {
class Menuefenster;
}
namespace zelo::widgets {
class Bildbox;
class Grafik_FX;
class Seitenregler;
}  // namespace zelo::widgets

namespace zelo::app {

class Anwendung;

class Verbund final : public Subsysteme {
 public:
  Verbund();
  ~Verbund() override;
  /// Joins the subsystems to the application once it exists (it owns the shared stores).
  void Verbinden(Anwendung& anwendung);

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

  pages::Seitensteuerung* Seiten() { return seiten_.get(); }
  input::Eingabe* Eingabe() { return eingabe_.get(); }
  pages::Seitendaten& Seitendaten() { return seitendaten_; }

 private:
  /// The application's side of what the pages ask for: flags, pointers, the quit question.
  class Programmaktionen;

  Anwendung* app_ = nullptr;
  pages::Seitendaten seitendaten_;
  std::unique_ptr<Programmaktionen> aktionen_;
  std::unique_ptr<pages::Seitensteuerung> seiten_;
  std::unique_ptr<input::Eingabe> eingabe_;
  std::unique_ptr<widgets::Grafik_FX> fx_;
  std::unique_ptr<widgets::Seitenregler> regler_;
  std::unique_ptr<widgets::Bildbox> sampi_;  // the popup picture box, once the window exists
  std::unique_ptr<dialogs::Menuefenster> menue_;  // the menu window, once the dialogs exist
};

}  // namespace zelo::app
