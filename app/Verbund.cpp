#include "app/Verbund.h"

#include "app/Anwendung.h"
#include "input/Eingabe.h"
#include "pages/Seitensteuerung.h"
#include "platform/Files.h"

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

 private:
  Anwendung& app_;
  Verbund& verbund_;
};

Verbund::Verbund() = default;
Verbund::~Verbund() = default;

void Verbund::Verbinden(Anwendung& anwendung) {
  app_ = &anwendung;
  Anwendung& a = anwendung;
  aktionen_ = std::make_unique<Programmaktionen>(a, *this);
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

bool Verbund::Blender() { return seiten_ && seiten_->Blender(); }

bool Verbund::Ereignis(const SDL_Event& event) { return eingabe_ && eingabe_->Ereignis(event); }

}  // namespace zelo::app
