#include "app/Anbindungen.h"

#include <SDL.h>

#include <algorithm>
#include <filesystem>

#include "app/Anwendung.h"
#include "app/Verbund.h"
#include "dialogs/Menuefenster.h"
#include "library/Soundgruppen.h"
#include "pages/Seitensteuerung.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "widgets/Bildbox.h"
#include "widgets/Grafik_FX.h"

namespace zelo::app {

namespace {
/// The mix text area of the main page.
constexpr const char* kMixfeld = "Mix";
}  // namespace

// ---- Playback ----------------------------------------------------------------------------

void Transportseite::FadenZeichnen(int32_t x) { v_.FadenZeichnen(x); }
void Transportseite::FadenLoeschen(int32_t) { v_.FadenLoeschen(); }

void Transportseite::TaktZelleZeichnen(int32_t spalte, bool marker) {
  if (v_.ansicht_) v_.ansicht_->TaktZelleZeichnen(spalte, marker);
}
void Transportseite::LinealZeichnen() {
  if (v_.ansicht_) v_.ansicht_->LinealZeichnen();
}
void Transportseite::SpurenZeichnen() {
  if (v_.ansicht_) v_.ansicht_->AlleNeuZeichnen();
}
void Transportseite::Mixtext(const std::string& text) { v_.seiten_->Textanzeige(kMixfeld, text); }
void Transportseite::MixnameZeigen() {
  v_.seiten_->Textanzeige(kMixfeld, platform::AnsiUpper(v_.Mixname));
}

void Transportseite::ElementSetzen(int element, int zustand, bool zeichnen) {
  if (!pages::Objekte::Gueltig(element)) return;
  v_.app_->Objekte()[element].Wert = zustand;
  if (!zeichnen) return;
  if (zustand != 0)
    v_.seiten_->ZeigeAktiv(element);
  else
    v_.seiten_->ZeigeNormal(element);
}
void Transportseite::ElementEinblenden(int element, int) { v_.seiten_->EinblendenDruck(element); }
void Transportseite::BlendenFertig() { v_.seiten_->BlendFertig(); }
bool Transportseite::MusterseiteAktiv() { return v_.seiten_->SeiteAktiv(pages::Matrix); }
void Transportseite::Sanduhr() { v_.app_->Sanduhr(); }
void Transportseite::NormalZeiger() { v_.app_->NormalZeiger(); }

void Transportseite::Warnung(const std::string& text, int titel) {
  v_.app_->Dialoge().MessageBox(
      {text, v_.app_->Texte()[titel], platform::Buttons::OK, platform::Icon::Exclamation, 1});
}
std::string Transportseite::Text(int n) { return v_.app_->Texte()[n]; }

bool Transportseite::BildboxSichtbar() { return v_.sampi_ && v_.sampi_->Sichtbar(); }
void Transportseite::BildboxVerbergen() {
  if (v_.sampi_) v_.sampi_->Zeigen(false);
  if (v_.seiten_->PopupBildSichtbar) v_.seiten_->InfoBild();
}
void Transportseite::ZugBeenden() {
  if (v_.ansicht_) v_.ansicht_->ZugBeenden();
}
void Transportseite::ScrollUndHalteklickStoppen() {
  if (v_.ansicht_) v_.ansicht_->ScrollUndHalteklickStoppen();
}
bool Transportseite::ScrollWiederholt() { return v_.ansicht_ && v_.ansicht_->ScrollWiederholt(); }
void Transportseite::SchnellreglerSchliessen() {
  widgets::Grafik_FX& fx = v_.Fx();
  if (fx.QuickRegler > 0) fx.ReglerClose(static_cast<int16_t>(fx.QuickRegler - 1));
  fx.QuickRegler = 0;
}
void Transportseite::SampleEditorSchliessen() { v_.Fx().SEClose(); }
void Transportseite::TimerJederDurchlauf() {
  v_.GruppenknopfBlinken();
  v_.PlayknopfZeigen();
}
void Transportseite::Halteklick() {
  if (v_.ansicht_) v_.ansicht_->Halteklick();
}
void Transportseite::MetronomVorbereiten() {
  Anwendung& a = *v_.app_;
  // The engine's temporary file 2 holds the click the recorder counts in with.
  a.Engine().RWavToTemp(a.Ordner().Datenordner + "metro.zub", a.TempDateien()[3], 0, nullptr, 0, 0, 0);
}
void Transportseite::Zeitarbeiten() {
  if (v_.ansicht_) v_.ansicht_->Zeitarbeit();
  if (v_.gruppen_) v_.gruppen_->ScrollzielUebernehmen();
}

// ---- Sound-group list --------------------------------------------------------------------

Listenseite::Listenseite(Verbund& v, int blockhoehe)
    : library::ListenAnsicht(*v.seiten_, v.app_->Objekte(), v.katalog_, v.app_->Uhr(), blockhoehe), v_(v) {}

void Listenseite::ReglerSetzen(int element, int32_t wert) { v_.ReglerSetzen(element, wert); }
void Listenseite::ReglerSetAdder(int element, int32_t schritt) {
  v_.Aktionen().ReglerSetAdder(element, schritt);
}
void Listenseite::Sanduhr() { v_.app_->Sanduhr(); }
void Listenseite::NormalZeiger() { v_.app_->NormalZeiger(); }
void Listenseite::AllStop(const std::string& grund) { v_.AllStop(grund); }
void Listenseite::KnopfVergessen() {
  if (v_.ansicht_) v_.ansicht_->ZugBeenden();
}
void Listenseite::SpurauswahlAufheben() {
  if (v_.ansicht_)
    v_.ansicht_->NichtsMarkieren();
  else
    v_.spuren_.NichtsMarkieren();
}
void Listenseite::ArrangementNeuZeichnen() {
  if (v_.ansicht_) v_.ansicht_->AlleNeuZeichnen();
}
bool Listenseite::AusSpurenEntfernen(int sample) {
  bool weg = false;
  arrangement::Spuren& s = v_.spuren_;
  for (int spur = 0; spur < arrangement::kSpurAnzahl; ++spur) {
    for (int32_t i = s[spur].Anzahl - 1; i >= 0; --i) {
      if (s[spur].Eintrag[static_cast<size_t>(i)].SampleNr != sample) continue;
      s.SampleLoeschen(spur, i);
      weg = true;
    }
  }
  return weg;
}

// ---- Arrangement view --------------------------------------------------------------------

bool Ansichtseite::Hauptseite() { return v_.seiten_->SeiteAktiv(pages::Hauptbild); }
bool Ansichtseite::Musterseite() { return v_.seiten_->SeiteAktiv(pages::Matrix); }
bool Ansichtseite::Soundgruppenseite() { return v_.seiten_->SeiteAktiv(pages::Soundgruppen); }
platform::Rect Ansichtseite::Element(int n) {
  if (!pages::Objekte::Gueltig(n)) return {};
  const auto& o = v_.app_->Objekte()[n];
  return {o.X, o.Y, o.Breite, o.Hoehe};
}
void Ansichtseite::TaktZelle(int spalte, bool normal) { v_.seiten_->Taktzahl(spalte, normal); }
void Ansichtseite::HScroll(int32_t wert) { v_.ReglerSetzen(77, wert); }
void Ansichtseite::ElementEin(int element) {
  if (!pages::Objekte::Gueltig(element)) return;
  v_.app_->Objekte()[element].Wert = 1;
  v_.seiten_->ZeigeAktiv(element);
}
void Ansichtseite::ElementAus(int element) {
  if (!pages::Objekte::Gueltig(element)) return;
  v_.app_->Objekte()[element].Wert = 0;
  v_.seiten_->Ausblenden(element);
}
void Ansichtseite::Mixtext(const std::string& text) { v_.seiten_->Textanzeige(kMixfeld, text); }
void Ansichtseite::MixnameZeigen() { v_.transportseite_->MixnameZeigen(); }
std::string Ansichtseite::Text(int n) { return v_.app_->Texte()[n]; }
void Ansichtseite::Sanduhr() { v_.app_->Sanduhr(); }
void Ansichtseite::NormalZeiger() { v_.app_->NormalZeiger(); }
void Ansichtseite::RadiererZeiger() { v_.app_->RadiererZeiger(); }
bool Ansichtseite::LinkeTasteGedrueckt() { return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0; }
platform::Window* Ansichtseite::Fenster() { return v_.app_->Fenster(); }
void Ansichtseite::PlayInit(const std::string& modus) { v_.wg_->PlayInit(modus); }
void Ansichtseite::AllStop(const std::string& modus) { v_.AllStop(modus); }
void Ansichtseite::SetRot(int32_t takt) { v_.wg_->SetRot(takt); }
void Ansichtseite::RotPlayRestart() { v_.wg_->RotPlayRestart(); }
void Ansichtseite::FadenLoeschen() { v_.FadenLoeschen(); }
void Ansichtseite::SampiAus() { v_.wg_->SampiAus(); }
void Ansichtseite::Schnellregler() { v_.transportseite_->SchnellreglerSchliessen(); }
void Ansichtseite::Vorhoerauswahl(int sample, int32_t schnittAnfang, int32_t schnittEnde) {
  if (!v_.gruppen_) return;
  v_.gruppen_->Hauptnummer = static_cast<int16_t>(sample);
  v_.gruppen_->SchnittAnfang = schnittAnfang;
  v_.gruppen_->SchnittEnde = schnittEnde;
}

std::vector<arrangement::Listenknopf> Ansichtseite::Knopfliste() {
  std::vector<arrangement::Listenknopf> k;
  if (!v_.gruppen_) return k;
  for (const auto& b : v_.gruppen_->Knopfliste()) k.push_back({b.Sample, b.X, b.Y});
  return k;
}
std::vector<bool> Ansichtseite::Auswahlmarken() {
  std::vector<bool> m;
  if (v_.gruppen_)
    for (uint8_t b : v_.gruppen_->Auswahlmarke) m.push_back(b != 0);
  return m;
}
int Ansichtseite::Blockhoehe() { return v_.app_->Masse().Spurhoehe; }
platform::Rect Ansichtseite::Listenbereich() { return Element(library::kListenElement); }
int Ansichtseite::Hauptnummer() { return v_.gruppen_ ? v_.gruppen_->Hauptnummer : 0; }
void Ansichtseite::HauptnummerSetzen(int sample) {
  if (!v_.gruppen_) return;
  // A sample pressed in the list plays whole: its cuts are those of the sample itself.
  v_.gruppen_->Hauptnummer = static_cast<int16_t>(sample);
  v_.gruppen_->SchnittAnfang = 0;
  v_.gruppen_->SchnittEnde = 0;
}
void Ansichtseite::Hervorheben() {
  if (v_.gruppen_) v_.gruppen_->Hervorhebung = true;
}
void Ansichtseite::ListeAufbauen() {
  if (v_.gruppen_) v_.gruppen_->ListeAufbauen(v_.gruppen_->Gruppenseite);
}
void Ansichtseite::Loeschen() {
  if (v_.gruppen_) v_.gruppen_->imloe(v_.app_->Dialoge(), v_.app_->Texte());
}
void Ansichtseite::Kontextmenue(int x, int y) {
  if (v_.gruppen_) v_.gruppen_->Kontextmenue(v_.Menue(), x, y);
}
void Ansichtseite::SelSa(int shift, int x, int y, int breite, int hoehe) {
  if (v_.gruppen_) v_.gruppen_->SelSa(shift, x, y, breite, hoehe);
}
void Ansichtseite::InGruppe(int sample, int gruppe) {
  library::Soundgruppen* g = v_.gruppen_.get();
  if (!g || !g->InGruppeVerschieben(sample, gruppe)) return;
  g->GruppenOrdnen(0);
  g->sorting(false);
  g->Neuzeichnen();
}

}  // namespace zelo::app
