#include "app/Verbund.h"

#include "app/Anwendung.h"
#include "input/Eingabe.h"
#include "pages/Seitensteuerung.h"
#include "dialogs/Menuefenster.h"
#include "platform/Files.h"
#include "widgets/Bildbox.h"
#include "widgets/Grafik_FX.h"
#include "widgets/Seitenregler.h"

namespace zelo::app {

class Verbund::Programmaktionen final : public pages::Aktionen {
 public:
  Programmaktionen(Anwendung& app, Verbund& verbund) : app_(app), verbund_(verbund) {}

  bool ErsteAktivierungOffen() override { return app_.ErsteAktivierung(); }
  bool IntroFlag() override { return app_.IntroFlag(); }
  bool Beendet() override { return app_.Beendet(); }
  void ProzessEnde() override { app_.ProzessEnde(); }
  void EndeMeldung(int element) override { app_.EndeMeldung(element); }
  void Minimieren() override {
    if (app_.Fenster()) app_.Fenster()->Minimize();
  }
  void Sanduhr() override { app_.Sanduhr(); }
  void NormalZeiger() override { app_.NormalZeiger(); }
  void ZeigeWindow() override { app_.ZeigeWindow(); }

  // Playback and the tools, as far as the application's spine already knows them.
  bool Spielt() override { return verbund_.Spielt(); }
  bool NimmtAuf() override { return verbund_.NimmtAuf(); }
  bool WerkzeugKlingt() override { return verbund_.WerkzeugKlingt(); }
  void PlayUpdate(int phase) override { verbund_.PlayUpdate(phase); }
  void AllStop(const std::string& grund) override { verbund_.AllStop(grund); }
  void Effektstop(const std::string& modus) override { verbund_.Effektstop(modus); }
  void ReglerSetzen(int element, int32_t wert) override { verbund_.ReglerSetzen(element, wert); }
  void Taktlineal() override { verbund_.Taktlineal(); }

  // The widget engine: faders of the pages, keyboard, LED matrix and sample editor.
  using B = int16_t;
  int32_t MouseDown(int b, int s, int x, int y) override { return Fx().MouseDown(B(b), B(s), x, y); }
  int32_t MouseMove(int b, int s, int x, int y) override { return Fx().MouseMove(B(b), B(s), x, y); }
  int32_t MouseUp(int b, int s, int x, int y) override { return Fx().MouseUp(B(b), B(s), x, y); }
  int SetRegler(int32_t handle) override { return verbund_.regler_->SetRegler(static_cast<int16_t>(handle)); }
  void ReglerAktivieren() override {
    platform::Window* f = app_.Fenster();
    if (!f) return;
    if (!verbund_.sampi_) verbund_.sampi_ = std::make_unique<widgets::Bildbox>(f);
    widgets::Reglerbilder bilder;
    bilder.Fenster = f;
    bilder.Ziel = f->Back();
    bilder.Seitenbilder = verbund_.seiten_->Slots();
    bilder.Knopfbilder = verbund_.seitendaten_.Knopfbilder;
    bilder.Quickbild = &app_.Grafik().Sampleblockbild;
    bilder.Sampi = verbund_.sampi_.get();
    bilder.VersatzX = app_.Layout().VersatzX;
    bilder.VersatzY = app_.Layout().VersatzY;
    Fx().VersatzX = bilder.VersatzX;
    Fx().VersatzY = bilder.VersatzY;
    verbund_.regler_->ReglerAktivieren(verbund_.seiten_->Seitenmenge, bilder);
  }
  void ReglerCloseAll() override { verbund_.regler_->ReglerCloseAll(); }
  void ReglerSetAdder(int element, int32_t wert) override {
    int16_t h = verbund_.regler_->Handle(element);
    if (h >= 0) Fx().ReglerSetAdder(h, wert);
  }
  int32_t QuickRegler() override { return Fx().QuickRegler - 1; }
  void QuickReglerSchliessen() override {
    if (Fx().QuickRegler > 0) Fx().ReglerClose(static_cast<int16_t>(Fx().QuickRegler - 1));
    Fx().QuickRegler = 0;
  }
  int SEMouseDown(int b, int s, int x, int y) override { return Fx().SEMouseDown(B(b), B(s), x, y); }
  int SEMouseMove(int b, int s, int x, int y) override { return Fx().SEMouseMove(B(b), B(s), x, y); }
  int SEMouseUp(int b, int s, int x, int y) override { return Fx().SEMouseUp(B(b), B(s), x, y); }
  void SEDraw() override { Fx().SEDraw(0); }
  int TastaturMouseDown(int b, int s, int x, int y) override { return Fx().TastaturMouseDown(B(b), B(s), x, y); }
  int TastaturMouseMove(int b, int s, int x, int y) override { return Fx().TastaturMouseMove(B(b), B(s), x, y); }
  int MatrixMouseDown(int b, int s, int x, int y) override { return Fx().MatrixMouseDown(B(b), B(s), x, y); }
  int MatrixMouseMove(int b, int s, int x, int y) override { return Fx().MatrixMouseMove(B(b), B(s), x, y); }

 private:
  // The disk menu of the menu window; its entries' actions join with their subsystems.
  void DiskMenue(int x, int y) override {
    if (!verbund_.menue_) {
      verbund_.menue_ = std::make_unique<dialogs::Menuefenster>(app_.Dialoge(), app_.Texte(), app_.DiskMenue());
      verbund_.menue_->aktionen.zeigeWindow = [this] { app_.ZeigeWindow(); };
      verbund_.menue_->aktionen.normalZeiger = [this] { app_.NormalZeiger(); };
    }
    dialogs::Menuefenster& m = *verbund_.menue_;
    m.fenster = app_.Fenster();
    m.VersatzX = app_.Layout().VersatzX;
    m.VersatzY = app_.Layout().VersatzY;
    m.DiskMenue(1, x - m.VersatzX, y - m.VersatzY);
  }
  bool ExternerDialogOffen() override { return verbund_.menue_ && verbund_.menue_->ExternerDialog; }

  widgets::Grafik_FX& Fx() { return *verbund_.fx_; }

  Anwendung& app_;
  Verbund& verbund_;
};

Verbund::Verbund() = default;
Verbund::~Verbund() = default;

void Verbund::Verbinden(Anwendung& anwendung) {
  app_ = &anwendung;
  Anwendung& a = anwendung;
  aktionen_ = std::make_unique<Programmaktionen>(a, *this);
  fx_ = std::make_unique<widgets::Grafik_FX>(a.Objekte());
  regler_ = std::make_unique<widgets::Seitenregler>(*fx_, a.Objekte());
  pages::SeitenUmgebung su{a.Objekte(),     seitendaten_, a.Ordner(), a.Layout(), a.Masse(),
                           a.Texte(),       a.Fonttabelle(), a.Engine(), a.Gfx(),  a.Fonts(),
                           a.Uhr(),         [&a] { return a.Fenster(); }, *aktionen_,
                           &a.Grafik().Arbeitspuffer, &config::LokaleKopie};
  seiten_ = std::make_unique<pages::Seitensteuerung>(std::move(su));
  eingabe_ = std::make_unique<input::Eingabe>(input::EingabeUmgebung{
      a.Objekte(), *seiten_, *aktionen_, a.Engine(), a.Uhr(), a.Dialoge(), a.Layout(), a.Masse(), a.Texte(),
      a.Fonttabelle()});
}

void Verbund::SeitendateiLesen(int durchgang) {
  if (!app_) return;
  Anwendung& a = *app_;
  std::string datei = platform::ReadWholeFile(platform::ResolvePath(a.Ordner().Datenordner + "seiten")).value_or("");
  pages::Seitenkontext k{a.Objekte(), seitendaten_, a.Konstanten(), a.Dialoge(), &a.Engine(), &a.Gfx(),
                         a.Ordner().Grafikordner, a.Ordner().Grafikbuchstabe, a.Layout().VersatzX,
                         a.Layout().VersatzY};
  pages::SzenenEinlesen(datei, k);
}

void Verbund::KoordinatenLesen(const std::string& pfad) {
  if (!app_) return;
  Anwendung& a = *app_;
  // A missing coordinate file leaves every rectangle empty: nothing can be hit or drawn.
  std::string datei = platform::ReadWholeFile(platform::ResolvePath(pfad)).value_or("");
  pages::KoordinatenLesen(datei, a.Layout().Skalierung, a.Objekte(), a.Konstanten(), a.Dialoge());
}

void Verbund::SzeneAktivieren(const std::string& seite, int zustand) {
  if (seiten_) seiten_->SzeneAktivieren(seite, zustand);
}

void Verbund::ElementKlick(int element) {
  if (eingabe_) eingabe_->OKlick(element);
}

void Verbund::ZeigeAktiv(int element) {
  if (seiten_) seiten_->ZeigeAktiv(element);
}

void Verbund::Ausblenden(int element) {
  if (seiten_) seiten_->Ausblenden(element);
}

void Verbund::ReglerSetzen(int element, int wert) {
  if (regler_) regler_->ReglerSetzen(element, wert);
}

bool Verbund::Blender() { return seiten_ && seiten_->Blender(); }

bool Verbund::Ereignis(const SDL_Event& event) { return eingabe_ && eingabe_->Ereignis(event); }

}  // namespace zelo::app
