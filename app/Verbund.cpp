#include "app/Verbund.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "app/Anbindungen.h"
#include "app/Anwendung.h"
#include "arrangement/Ansicht.h"
#include "dialogs/ImGuiKleindialoge.h"
#include "dialogs/Menuefenster.h"
#include "input/Eingabe.h"
#include "library/KatalogDateien.h"
#include "library/ListenAnsicht.h"
#include "library/Soundgruppen.h"
#include "pages/Seitensteuerung.h"
#include "platform/Files.h"
#include "platform/ImGuiHost.h"
#include "setup/ImGuiSetupFenster.h"
#include "setup/KatalogBibliothek.h"
#include "setup/Setup.h"
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

  // Playback and the tools, as far as the program already has them.
  bool Spielt() override { return verbund_.Spielt(); }
  bool NimmtAuf() override { return verbund_.NimmtAuf(); }
  bool WerkzeugKlingt() override { return verbund_.WerkzeugKlingt(); }
  void PlayUpdate(int phase) override { verbund_.PlayUpdate(phase); }
  void AllStop(const std::string& grund) override { verbund_.AllStop(grund); }
  void Effektstop(const std::string& modus) override { verbund_.Effektstop(modus); }
  void ReglerSetzen(int element, int32_t wert) override { verbund_.ReglerSetzen(element, wert); }
  void Taktlineal() override { verbund_.Taktlineal(); }
  bool LoopAn() override { return Wg().LoopModus != 0; }
  bool ImLoop(int takt) override { return Av() && Av()->ImLoop(takt); }
  int Spielposition() override { return Wg().SpielTakt; }
  void SofortAus(const std::string& modus) override { Wg().SofortAus(modus); }
  void PlayStop() override { verbund_.PlayStop(); }
  void Stop() override { verbund_.AllStop(playback::kStopNormal); }
  void LoopUmschalten() override {
    playback::Wiedergabe& w = Wg();
    w.LoopModus = w.LoopModus != 0 ? 0 : arrangement::kWahr;
    app_.Objekte()[29].Wert = w.LoopModus != 0 ? 1 : 0;
    if (w.LoopModus != 0)
      verbund_.seiten_->ZeigeAktiv(29);
    else
      verbund_.seiten_->Ausblenden(29);
    if (Av()) Av()->LinealZeichnen();
  }
  void ZumAnfang() override {
    if (Av())
      Av()->TaktAufNull();
    else
      Wg().SetRot(0);
  }
  void ZumEnde() override {
    // The bar after the last sound of tracks 0 to 15.
    int32_t ende = 0;
    for (int s = 0; s < arrangement::kHoerbareSpuren; ++s) {
      const arrangement::Spur& spur = verbund_.spuren_[s];
      if (spur.Anzahl > 0) ende = std::max(ende, verbund_.spuren_.HoerbaresEnde(s, spur.Anzahl - 1));
    }
    const int32_t takt = std::min((ende + arrangement::kTicksProTakt - 1) / arrangement::kTicksProTakt,
                                  arrangement::kMaxTakte - 1);
    Wg().SetRot(takt);
    if (Av()) {
      Av()->HScrollUebernehmen(arrangement::ErsterTaktFuerMarker(Wg().ErsterTakt, takt));
      Av()->LinealZeichnen();
    }
  }
  void LinealKlick(int spalte) override { Wg().SetRot(Wg().ErsterTakt + spalte - 1); }
  void Vorhoeren() override {
    if (library::Soundgruppen* g = verbund_.Gruppen())
      Wg().SampleVorhoeren(g->Hauptnummer, g->SchnittAnfang, g->SchnittEnde);
  }
  void SampiAus() override { Wg().SampiAus(); }
  bool SampiSichtbar() override { return verbund_.sampi_ && verbund_.sampi_->Sichtbar(); }

  // The sample library and its list.
  void AktiviereGruppe(int element) override {
    if (Gr()) Gr()->AktiviereGruppe(element, true, "");
  }
  void ListeHoch() override {
    if (Gr()) Gr()->ListeHoch();
  }
  void ListeRunter() override {
    if (Gr()) Gr()->ListeRunter();
  }
  void GruppenknoepfeZeigen() override {
    if (Gr()) Gr()->Neuzeichnen();
  }
  bool GruppenknoepfeNeuZeichnen() override { return Gr() && Gr()->HervorhebungBeenden(); }
  bool ListenAuswahl() override { return Gr() && (Gr()->Hervorhebung || Gr()->AuswahlAktiv); }
  void SampleKontextmenue(int x, int y) override { verbund_.ansichtseite_->Kontextmenue(x, y); }
  void SampleLoeschen() override { verbund_.ansichtseite_->Loeschen(); }
  void LoeschzielMarkieren(bool gesetzt) override {
    if (Av()) Av()->LoeschzielSetzen(gesetzt);
  }
  int SampleBereich(int sample) override { return Gr() ? Gr()->Bereich(sample) : 0; }
  int Hauptnummer() override { return Gr() ? Gr()->Hauptnummer : 0; }
  std::string SampleNameVoll(int sample) override { return Gr() ? Gr()->SampleNameVoll(sample) : std::string(); }

  // The arrangement view.
  bool ZugRechteckSichtbar() override { return Av() && Av()->ZugRechteckSichtbar(); }
  bool ZugbildSichtbar() override { return Av() && Av()->ZugbildSichtbar(); }
  void ZugbildPosition(int& x, int& y) override {
    if (!Av()) return;
    platform::Rect r = Av()->Zugbild();
    x = r.x, y = r.y;
  }
  void ZugbildVerbergen() override {
    if (Av()) Av()->ZugBeenden();
  }
  void ZugbildBewegen(int x, int y) override {
    if (Av()) Av()->ZugbildBewegen(x, y);
  }
  bool Radierer() override { return Av() && Av()->Radierer(); }
  void RadiererEnde() override {
    if (Av()) Av()->RadiererEnde();
  }
  void RadiererUmschalten() override {
    if (Av()) Av()->RadiererUmschalten();
  }
  void ArrangementEinrichten(int element) override { verbund_.ArrangementEinrichten(element); }
  void SpurenZeichnen() override {
    if (Av()) Av()->ZSpuren();
  }
  bool SampleKlick(int b, int s, int x, int y) override { return Av() && Av()->SampleKlick(b, s, x, y); }
  bool KontextKlick(int b, int s, int x, int y) override { return Av() && Av()->KontextKlick(b, s, x, y); }
  bool TaktKlick(int b, int s, int x, int y) override { return Av() && Av()->TaktKlick(b, s, x, y); }
  void ArrangementKlick(int b, int s, int x, int y) override {
    if (Av()) Av()->SpurMausDown(b, s, x, y, verbund_.seiten_->SeiteAktiv(pages::Matrix));
  }
  void ArrangementBewegen(int b, int s, int x, int y) override {
    if (Av()) Av()->SpurMausMove(b, s, x, y);
  }
  void ArrangementLoslassen(int b, int s, int x, int y) override {
    if (Av()) Av()->SpurMausUp(b, s, x, y);
  }
  void SampleAbwurf(int, int, int shift) override {
    if (Av()) Av()->ListenAbwurf(shift);
  }
  void Scrollen(int richtung) override {
    if (Av()) Av()->Scrollen(richtung);
  }
  void ScrollWiederholungZuruecksetzen() override {
    if (Av()) Av()->ScrollWiederholungZuruecksetzen();
  }
  void Blaettern(int takte) override {
    if (Av()) Av()->Blaettern(takte);
  }
  void AufSpielpositionScrollen() override {
    if (Av()) Av()->AufSpielpositionScrollen(Wg().SpielTakt);
  }
  int Linealspalte() override { return Av() ? Av()->Linealspalte() : 0; }
  void LinealspalteLoeschen() override {
    if (Av()) Av()->LinealspalteLoeschen();
  }
  int ErsterSichtbarerTakt() override { return Wg().ErsterTakt; }
  void MarkierteLoeschen() override {
    if (Av()) Av()->MarkierteLoeschen();
  }
  void Ausschneiden(const std::string& datei) override {
    if (Av()) Av()->Ausschneiden(datei);
  }
  void Kopieren(const std::string& datei) override {
    if (Av()) Av()->Kopieren(datei);
  }
  void Einfuegen(const std::string& datei) override {
    if (Av()) Av()->Einfuegen(datei);
  }
  void AllesMarkieren() override {
    if (Av()) Av()->AllesMarkieren();
  }
  void NichtsMarkieren() override {
    if (Av()) Av()->NichtsMarkieren();
  }
  std::string MixName() override { return verbund_.Mixname; }

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
    dialogs::Menuefenster& m = verbund_.Menue();
    m.VersatzX = app_.Layout().VersatzX;
    m.VersatzY = app_.Layout().VersatzY;
    m.DiskMenue(1, x - m.VersatzX, y - m.VersatzY);
  }
  bool ExternerDialogOffen() override { return verbund_.menue_ && verbund_.menue_->ExternerDialog; }

  widgets::Grafik_FX& Fx() { return *verbund_.fx_; }
  playback::Wiedergabe& Wg() { return *verbund_.wg_; }
  arrangement::Ansicht* Av() { return verbund_.ansicht_.get(); }
  library::Soundgruppen* Gr() { return verbund_.gruppen_.get(); }

  Anwendung& app_;
  Verbund& verbund_;
};

Verbund::Verbund() = default;

Verbund::~Verbund() {
  // The view and the list draw with pictures the application owns; they go first.
  ansicht_.reset();
  if (fadenUnter_) SDL_FreeSurface(fadenUnter_);
}

void Verbund::Verbinden(Anwendung& anwendung) {
  app_ = &anwendung;
  Anwendung& a = anwendung;
  aktionen_ = std::make_unique<Programmaktionen>(a, *this);
  fx_ = std::make_unique<widgets::Grafik_FX>(a.Objekte());
  regler_ = std::make_unique<widgets::Seitenregler>(*fx_, a.Objekte());
  regler_->setRegler = [this](int16_t handle) { return FaderBewegt(handle); };
  pages::SeitenUmgebung su{a.Objekte(),     seitendaten_, a.Ordner(), a.Layout(), a.Masse(),
                           a.Texte(),       a.Fonttabelle(), a.Engine(), a.Gfx(),  a.Fonts(),
                           a.Uhr(),         [&a] { return a.Fenster(); }, *aktionen_,
                           &a.Grafik().Arbeitspuffer, &config::LokaleKopie};
  seiten_ = std::make_unique<pages::Seitensteuerung>(std::move(su));
  eingabe_ = std::make_unique<input::Eingabe>(input::EingabeUmgebung{
      a.Objekte(), *seiten_, *aktionen_, a.Engine(), a.Uhr(), a.Dialoge(), a.Layout(), a.Masse(), a.Texte(),
      a.Fonttabelle()});

  transportseite_ = std::make_unique<Transportseite>(*this);
  wg_ = std::make_unique<playback::Wiedergabe>(a.Engine(), spuren_, katalog_, a.Uhr(), *transportseite_, kanaele_);
  listenseite_ = std::make_unique<Listenseite>(*this, 0);
  gruppen_ = std::make_unique<library::Soundgruppen>(katalog_, a.Engine(), *listenseite_);
  ansichtseite_ = std::make_unique<Ansichtseite>(*this);
  zubs_.texte = &a.Texte();
  zubs_.normalZeiger = [&a] { a.NormalZeiger(); };
}

pages::Aktionen& Verbund::Aktionen() { return *aktionen_; }

int16_t Verbund::FaderBewegt(int16_t handle) {
  const int element = regler_->Element(handle);
  if (element <= 0) return arrangement::kWahr;
  const int32_t wert = std::clamp<int32_t>(fx_->ReglerGetWert(handle), 0, 32767);
  app_->Objekte()[element].Wert = wert;
  if (element == library::kScrollElement && gruppen_) gruppen_->ScrollReglerBewegt(wert);
  // The horizontal fader stands right at bar 0 and left at the last first bar.
  if (element == 77 && ansicht_)
    ansicht_->HScrollUebernehmen(
        static_cast<int32_t>(std::lround((32767 - wert) * double(arrangement::kLetzterErsterTakt) / 32767)));
  return arrangement::kWahr;
}

dialogs::Menuefenster& Verbund::Menue() {
  Anwendung& a = *app_;
  if (!menue_) {
    menue_ = std::make_unique<dialogs::Menuefenster>(a.Dialoge(), a.Texte(), a.DiskMenue());
    dialogs::Menueaktionen& m = menue_->aktionen;
    m.zeigeWindow = [&a] { a.ZeigeWindow(); };
    m.normalZeiger = [&a] { a.NormalZeiger(); };
    m.sortieren = [this](int16_t modus) { gruppen_->SortierungWaehlen(modus); };
    m.loeschen = [this, &a] { gruppen_->imloe(a.Dialoge(), a.Texte()); };
    m.umbenennen = [this, &a] {
      if (!a.ImGuiDialoge()) return;  // the rename box needs the real window
      dialogs::ImGuiKleindialoge kleine(*a.ImGuiDialoge());
      gruppen_->msgname(kleine, a.Texte());
    };
  }
  menue_->fenster = a.Fenster();
  return *menue_;
}

void Verbund::LayoutMasseGesetzt() {
  if (!app_) return;
  Anwendung& a = *app_;
  const int ppt = a.Masse().PixelProTakt;
  spuren_.PixelProTaktSetzen(ppt);
  wg_->PixelProTaktSetzen(ppt);
  spuren_.TempOrdnerSetzen(a.Ordner().Tempordner);
  listenseite_->BlockhoeheSetzen(a.Masse().Spurhoehe);
  gruppen_->GeometrieSetzen(library::ListengeometrieAusSeite(a.Objekte(), a.Masse()));
}

// ---- Library -------------------------------------------------------------------------------

void Verbund::SampleBereicheSetzen() {
  if (!app_) return;
  std::vector<std::string> texte;
  for (int n = 223; n <= 229; ++n) texte.push_back(app_->Texte()[n]);
  const auto bereiche = library::SampleBereichAnlegen(texte);
  spuren_.BereicheSetzen(bereiche);
  gruppen_->BereicheSetzen(bereiche);
}

void Verbund::LoadZubs(const std::string& modus) {
  if (!app_) return;
  const config::Ordner& o = app_->Ordner();
  zubs_.dialoge = &app_->Dialoge();
  library::LoadZubs(katalog_, zubs_, {o.Systemordner, o.Quellordner, o.Datenordner, o.AlternativDatenordner}, modus);
}

void Verbund::GruppenOrdnen(int modus) { gruppen_->GruppenOrdnen(modus); }
// Start-up sorts the groups in the order chosen in the sample menu (import order at first).
void Verbund::GruppenSortieren(int neu) { gruppen_->sorting(neu != 0); }

void Verbund::BlockbreitenBerechnen() {
  if (app_) katalog_.BreitenBerechnen(app_->Masse().PixelProTakt);
}

void Verbund::ContainerOeffnen(const std::string& hauptcontainer, const std::string& cache) {
  if (!app_) return;
  container_.ContainerOeffnen(katalog_, hauptcontainer, cache, app_->Ordner().Systemordner);
  const library::Containerdateien& c = container_;
  wg_->ContainerSetzen({c.Cache(), c.Partnercache(), c.Hauptcontainer(), c.ContainerA(), c.ContainerB(),
                        c.ContainerC(), c.ContainerD()});
}

void Verbund::ContainerSchliessen() {
  // The engine has stopped every voice (shutdown stops it first), so no sound reads from them.
  wg_->ContainerSetzen({});
  container_.ContainerSchliessen();
}

void Verbund::KatalogSpeichern() {
  if (!app_) return;
  if (library::KatalogSpeichern(katalog_, app_->Ordner().Zustandsdatei())) katalog_.KatalogGeaendert = false;
}

// ---- Arrangement and playback --------------------------------------------------------------

void Verbund::SpurenLeeren() { spuren_.MixLoeschen(); }

void Verbund::Taktlineal() {
  if (ansicht_) ansicht_->LinealZeichnen();
}

void Verbund::MixLaden(const std::string&) {
  // Mix files are not read yet: the start mix is the empty one.
  spuren_.MixLoeschen();
}

void Verbund::AllStop(const std::string& grund) {
  if (wg_) wg_->AllStop(grund);
}

void Verbund::TimerUpdate() {
  if (wg_) wg_->TimerUpdate();
}

void Verbund::PlayUpdate(int phase) {
  if (wg_ && wg_->MixLaeuft != 0) wg_->PlayUpdate(phase);
}

void Verbund::PlayStop() {
  if (Spielt()) {
    wg_->AllStop(playback::kStopNormal);
    return;
  }
  app_->Objekte()[37].Wert = 1;
  wg_->PlayInit(playback::kStopNormal);
}

bool Verbund::AnsichtAnlegen() {
  if (ansicht_) return true;
  if (!app_ || !app_->Grafik().Blockbild) return false;
  Anwendung& a = *app_;
  arrangement::Blockmittel mittel{&a.Gfx(), a.Grafik().Blockbild, a.Grafik().Texturpaar};
  playback::Wiedergabe& w = *wg_;
  arrangement::Transportwerte t{w.ErsterTakt, w.AktTakt, w.LoopAnfang, w.LoopEnde, w.LoopModus, w.MixLaeuft};
  ansicht_ = std::make_unique<arrangement::Ansicht>(spuren_, katalog_, t, a.Uhr(), *ansichtseite_, *ansichtseite_,
                                                    mittel);
  listenseite_->MittelSetzen({&a.Gfx(), a.Grafik().Blockbild, a.Grafik().Texturpaar});
  return true;
}

void Verbund::ArrangementEinrichten(int element) {
  if (!AnsichtAnlegen()) return;
  Anwendung& a = *app_;
  const pages::ObjektStruct& flaeche = a.Objekte()[element];
  const config::LayoutMasse& m = a.Masse();
  const size_t ai = static_cast<size_t>(std::clamp<int>(a.Layout().Aufloesungsindex, 0, 12));
  arrangement::Spurgeometrie g;
  g.Links = flaeche.X;
  g.Oben = flaeche.Y;
  g.Zeilenhoehe = m.Spurhoehe;
  g.Abstand = std::max(0, m.Spurabstand - m.Spurhoehe);
  g.PixelProTakt = m.PixelProTakt;
  g.VersatzX = a.Layout().VersatzX;
  g.VersatzY = a.Layout().VersatzY;
  g.Linealx = a.Objekte()[4].X + a.Fonttabelle()[1][ai].XVersatz;
  // The page background was just drawn: whatever the playhead kept aside is gone with it.
  fadenX_ = -1;
  ansicht_->SpurGeometrieSetzen(g);
}

void Verbund::FadenZeichnen(int32_t x) {
  if (!app_ || !ansicht_ || !app_->Fenster()) return;
  FadenLoeschen();
  const arrangement::Spurgeometrie& g = ansicht_->Geometrie();
  if (!g.Gueltig()) return;
  SDL_Surface* back = app_->Fenster()->Back();
  const int sx = g.Links + g.VersatzX + x, sy = g.Oben + g.VersatzY;
  const int h = 15 * g.Pitch() + g.Zeilenhoehe;
  if (sx < 0 || sx >= back->w || sy < 0 || sy + h > back->h) return;
  if (!fadenUnter_ || fadenUnter_->h != h) {
    if (fadenUnter_) SDL_FreeSurface(fadenUnter_);
    fadenUnter_ = platform::NewSurface(1, h);
    if (!fadenUnter_) return;
  }
  platform::BitBlt(fadenUnter_, 0, 0, 1, h, back, sx, sy, platform::Rop::SrcCopy);
  platform::FillRect(back, {sx, sy, 1, h}, 0xFFFFFFFFu);
  app_->Fenster()->Invalidate({sx, sy, 1, h});
  fadenX_ = sx, fadenY_ = sy, fadenH_ = h;
}

void Verbund::FadenLoeschen() {
  if (fadenX_ < 0 || !fadenUnter_ || !app_ || !app_->Fenster()) return;
  SDL_Surface* back = app_->Fenster()->Back();
  // Only pixels that still show the line go back: rows redrawn since then keep their picture.
  SDL_LockSurface(back);
  SDL_LockSurface(fadenUnter_);
  for (int i = 0; i < fadenH_; ++i) {
    auto* ziel = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(back->pixels) + (fadenY_ + i) * back->pitch) + fadenX_;
    const auto* quelle = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(fadenUnter_->pixels) +
                                                          i * fadenUnter_->pitch);
    if (*ziel == 0xFFFFFFFFu) *ziel = *quelle;
  }
  SDL_UnlockSurface(fadenUnter_);
  SDL_UnlockSurface(back);
  app_->Fenster()->Invalidate({fadenX_, fadenY_, 1, fadenH_});
  fadenX_ = -1;
}

void Verbund::PlayknopfZeigen() {
  if (!Spielt() || !seiten_ || seiten_->SeiteAktiv(pages::Matrix)) {
    playknopfAn_ = false;
    return;
  }
  // Space presses the play button as a key does (it fades back); while the song plays it
  // shows lit, as after a click.
  const auto& warten = seiten_->Warteschlange();
  if (playknopfAn_ || app_->Objekte()[37].Wert == 0 || std::find(warten.begin(), warten.end(), 37) != warten.end())
    return;
  seiten_->ZeigeAktiv(37);
  playknopfAn_ = true;
}

void Verbund::GruppenknopfBlinken() {
  if (!app_ || !gruppen_ || !seiten_) return;
  const int e = gruppen_->Gruppenelement;
  if (e < library::kErsterGruppenknopf || e > library::kLetzterGruppenknopf ||
      !seiten_->SeiteAktiv(pages::Soundgruppen | pages::Drumpads | pages::Timestretch)) {
    blinkPhase_ = -1;
    return;
  }
  // On for the first 600 ms of every 1200 ms.
  const int phase = ((app_->Uhr().Millis() - gruppen_->Blinkstart) % 1200) < 600 ? 1 : 0;
  if (phase == blinkPhase_) return;
  blinkPhase_ = phase;
  if (phase)
    seiten_->ZeigeAktiv(e);
  else
    seiten_->ZeigeNormal(e);
}

// ---- Setup -------------------------------------------------------------------------------

namespace {

/// The installer's calls into the running program.
class Setupseite final : public setup::Programmseite {
 public:
  Setupseite(Anwendung& a, Verbund& v) : a_(a), v_(v) {}
  void Sanduhr() override { a_.Sanduhr(); }
  void NormalZeiger() override { a_.NormalZeiger(); }
  void BlendFertig() override {
    if (v_.Seiten()) v_.Seiten()->BlendFertig();
  }
  void ZeigeWindow() override { a_.ZeigeWindow(); }
  void SamplePopupVerbergen() override {
    if (v_.Wiedergabe()) v_.Wiedergabe()->SampiAus();
  }
  void ZustandAktivieren(const std::string& text) override { a_.ZustandAktivieren(text); }
  void Schluss() override { a_.Schluss(); }
  void ProzessEnde() override { a_.ProzessEnde(); }
  bool Beendet() override { return a_.Beendet(); }

 private:
  Anwendung& a_;
  Verbund& v_;
};

}  // namespace

void Verbund::SetupDialog(int) {
  if (!app_) return;
  Anwendung& a = *app_;
  setup::KatalogBibliothek bibliothek(katalog_, zubs_, container_, a.Ordner(), a.Texte(), a.Engine());
  Setupseite programm(a, *this);
  const pages::ObjektStruct& e = a.Objekte()[98];
  const platform::Rect rechteck{e.X + a.Layout().VersatzX, e.Y + a.Layout().VersatzY, e.Breite, e.Hoehe};
  setup::SetupUmgebung u{a.Ordner(),
                         a.Umgebung(),
                         a.Texte(),
                         a.Engine(),
                         a.Dialoge(),
                         bibliothek,
                         programm,
                         setup::MenueordnerAusProzess(a.Umgebung().Home),
                         a.Ordner().Programmordner + "zelo",
                         rechteck,
                         &setup::SkriptStarten};
  if (setupFenster_) {
    setup::SetupDialog(u, *setupFenster_);
    return;
  }
  platform::ImGuiHost* host = a.ImGuiDialoge();
  if (!host || !a.Fenster()) return;
  setup::ImGuiSetupFenster fenster(*host, *a.Fenster());
  setup::SetupDialog(u, fenster);
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
