// Start-up, main loop and shutdown of the program.
#include "app/Anwendung.h"

#include <SDL.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <cmath>
#include <filesystem>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/ImGuiHost.h"
#include "platform/Input.h"
#include "platform/SingleInstance.h"
#include "text/Leser.h"

namespace zelo::app {

namespace zp = zelo::platform;

namespace {

// Messages that must be readable even when no language file could be found.
constexpr const char* kInhaltFehlt =
    "Zelo cannot find its content (the folder zelo/zelo with its pictures, pages and texts).\r\n"
    "Insert or mount the Zelo medium, or set ZELO_MEDIA to the folder that holds it, then choose Retry.";
constexpr const char* kInhaltFehltTitel = "Zelo content not found";

// Rounds halves to even, as the program's conversions do.
int Runde(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

namespace {

/// A box asked for from inside a Dear ImGui frame (an event handler of a dialog window) needs
/// frames of its own: the open frame ends first, and a fresh one begins after the box closed,
/// so the window's frame goes on as it expects.
class RahmenPause {
 public:
  RahmenPause() {
    ImGuiContext* g = ImGui::GetCurrentContext();
    offen_ = g && g->WithinFrameScope;
    if (offen_) ImGui::EndFrame();
  }
  ~RahmenPause() {
    if (!offen_) return;
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
  }
  RahmenPause(const RahmenPause&) = delete;
  RahmenPause& operator=(const RahmenPause&) = delete;

 private:
  bool offen_ = false;
};

}  // namespace

zp::Answer DialogWeiche::MessageBox(const zp::MessageRequest& request) {
  if (!ziel_) return zp::DefaultAnswer(request);
  RahmenPause pause;
  return ziel_->MessageBox(request);
}
int DialogWeiche::PopupMenu(const std::vector<zp::MenuItem>& items, int x, int y) {
  if (!ziel_) return 0;
  RahmenPause pause;
  return ziel_->PopupMenu(items, x, y);
}
std::optional<std::string> DialogWeiche::InputBox(const std::string& prompt, const std::string& title,
                                                  const std::string& preset) {
  if (!ziel_) return std::nullopt;
  RahmenPause pause;
  return ziel_->InputBox(prompt, title, preset);
}

Anwendung::Anwendung(const StartOptionen& optionen, zp::Clock& uhr, zp::Engine& engine, zp::DialogHost* dialoge,
                     Subsysteme& subsysteme)
    : optionen_(optionen), uhr_(uhr), engine_(engine), dialoge_(dialoge), sub_(subsysteme), gfx_(fonts_, &uhr_) {
  weiche_.ZielSetzen(dialoge_);
}

Anwendung::~Anwendung() {
  weiche_.ZielSetzen(nullptr);
  engine_.AClose(maske_);
  engine_.AClose(logo_);
  engine_.AClose(grafik_.Sampleblockbild);
  echteDialoge_.reset();
}

std::string Anwendung::Bilddatei(const std::string& stamm) const {
  return ordner_.Grafikordner + stamm + ordner_.Grafikbuchstabe + ".";
}

zp::Answer Anwendung::Meldung(int text, int titel, zp::Buttons knoepfe, zp::Icon symbol, int standard) {
  if (!dialoge_) return zp::Answer::Cancel;
  Sanduhr();
  NormalZeiger();
  return dialoge_->MessageBox({texte_[text], texte_[titel], knoepfe, symbol, standard});
}

void Anwendung::Sanduhr() {
  if (fenster_) fenster_->SetPointer(zp::Zeiger::Sanduhr);
}
void Anwendung::NormalZeiger() {
  if (fenster_) fenster_->SetPointer(zp::Zeiger::Normal);
}
void Anwendung::NullZeiger() {
  if (fenster_) fenster_->SetPointer(zp::Zeiger::Null);
}
void Anwendung::RadiererZeiger() {
  if (fenster_) fenster_->SetPointer(zp::Zeiger::Radierer);
}

void Anwendung::FensterAnlegen() {
  zp::WindowOptions w;
  w.width = optionen_.FensterBreite;
  w.height = optionen_.FensterHoehe;
  w.hidden = true;
  w.title = "Zelo";
  fenster_ = std::make_unique<zp::Window>(w);
  if (!fenster_->Ok()) return;
  if (optionen_.EchteDialoge) {
    // Dialogs keep the main loop's work going underneath them.
    echteDialoge_ = std::make_unique<zp::ImGuiHost>(*fenster_, [this] {
      if (!schluss_) Zyklus();
    });
    dialoge_ = echteDialoge_.get();
    weiche_.ZielSetzen(dialoge_);
  }
}

int Anwendung::Main() {
  // A. Start-up sequence. Every step runs even when an earlier one failed.
  introFlag_ = true;
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // presses made before the start do not count
  zp::KeyHeld(zp::vbKeyLButton);

  config::WindowsPfad(ordner_, optionen_.Umgebung);
  config::StartOrdner(ordner_, optionen_.Programmordner, optionen_.Kommandozeile);
  if (config::UpdateStart(ordner_, config::ErsetzeProzess)) return exitcode_;

  FensterAnlegen();
  if (!dialoge_) return exitcode_ = 1;  // no window to show anything in
  FLoad1();
  if (quitFlag_) return exitcode_;
  if (IntroAbbruch()) return exitcode_;

  std::string flag = ordner_.Kommandoflag;
  bool ohneBilder = zp::KeyHeld(zp::vbKeyShift) || (!flag.empty() && (flag.back() == 'd' || flag.back() == 'D'));
  if (!ohneBilder) {
    Startbilder();
    if (IntroAbbruch()) return exitcode_;
    if (fenster_) fenster_->Show();
    ZeigeWindow();
    if (IntroAbbruch()) return exitcode_;
    engine_.AClose(maske_);
    engine_.AClose(logo_);
    FLoad2();
    if (IntroAbbruch()) return exitcode_;
    ZeigeWindow();
    FActivate();
  } else {
    introFlag_ = false;
    if (fenster_) {
      zp::FillRect(fenster_->Back(), {0, 0, fenster_->Width(), fenster_->Height()}, 0xFF000000u);
      fenster_->Show();
    }
    if (IntroAbbruch()) return exitcode_;
    FLoad2();
    if (IntroAbbruch()) return exitcode_;
    FActivate();
  }

  // F. Main loop.
  Sanduhr();
  while (Durchlauf()) {
  }
  // 12. Exit.
  uhr_.Sleep(40);
  return exitcode_;
}

void Anwendung::FLoad1() {
  // 1. Folders. 2. Texts.
  config::TempordnerSetzen(ordner_, optionen_.Umgebung);
  text::TexteLesen(ordner_.AlternativDatenordner, ordner_.Datenordner, textnummern_, texte_);
  // 3. Stems from the regional tags.
  config::StaemmeSetzen(ordner_);
  // 4. Single instance: a second start brings the first to the front and ends.
  instanz_ = std::make_unique<zp::SingleInstance>(ordner_.Tempordner);
  if (!instanz_->First()) {
    instanz_->AskFirstToFront();
    ProzessEnde();
    return;
  }
  // 5. Content location. Without the language file the question still needs words.
  std::string prompt = texte_[122].empty() ? kInhaltFehlt : texte_[122];
  std::string titel = texte_[123].empty() ? kInhaltFehltTitel : texte_[123];
  if (!config::FindDrive(ordner_, optionen_.Umgebung, config::InhaltFehltFrage(*dialoge_, prompt, titel))) {
    ProzessEnde();
    return;
  }
  // 6. Engine variant: the engine always has direct output here.
  if (engine_.ANummer() == zp::kEngineDirectX) {
    directX_ = true;
    engine_.ATyp(201);
  } else {
    Meldung(181, 182, zp::Buttons::OK, zp::Icon::Exclamation);
    engine_.ATyp(200);
  }
  // 7. Colour class: always more than 10,000 colours.
  farbklasse_ = 32000;
  // 8. Screen size, layout, graphics folder and offsets.
  config::Bildschirm schirm;
  schirm.Breite = static_cast<int16_t>(fenster_ ? fenster_->Width() : optionen_.FensterBreite);
  schirm.Hoehe = static_cast<int16_t>(fenster_ ? fenster_->Height() : optionen_.FensterHoehe);
  schirm.Farbklasse = farbklasse_;
  layout_ = config::LayoutWaehlen(schirm, config::GrafikordnerDa(ordner_.Datenordner));
  ordner_.Grafikordner = ordner_.Datenordner + layout_.Grafikunterordner;
  ordner_.Grafikbuchstabe = layout_.Grafikbuchstabe;
}

void Anwendung::Startbilder() {
  // C. The mask "zelo35" and the image "zelo34", drawn centred: mask with AND, image with OR.
  maske_.Datei = Bilddatei("zelo35");
  logo_.Datei = Bilddatei("zelo34");
  engine_.ALoad(maske_);
  engine_.ALoad(logo_);
  if (introFlag_) startklang_.Play(ordner_.Datenordner + "logo.wav");
  startzeit_ = uhr_.Millis();
  if (!fenster_ || !fenster_->Ok()) return;
  SDL_Surface* back = fenster_->Back();
  zp::Rect ganz{0, 0, fenster_->Width(), fenster_->Height()};
  // There is no desktop to darken: the window stands in for it, black and darkened once more.
  zp::FillRect(back, ganz, 0xFF000000u);
  zp::BitBlt(back, 0, 0, ganz.w, ganz.h, nullptr, 0, 0, zp::Rop::PatAndNot, engine_.Extra());
  auto zeichne = [&](zp::BildStruct& b, zp::Rop rop) {
    if (!b.dc) return;
    int x = Runde((ganz.w - b.Breite) / 2.0), y = Runde((ganz.h - b.Hoehe) / 2.0);
    zp::BitBlt(back, x, y, b.Breite, b.Hoehe, b.dc, 0, 0, rop);
  };
  zeichne(maske_, zp::Rop::SrcAnd);
  zeichne(logo_, zp::Rop::SrcPaint);
  fenster_->InvalidateAll();
}

void Anwendung::FLoad2() {
  // D. Hand the window to the graphics library, then read the content files.
  gfx_.GFX_SetActiveWindow(fenster_.get());
  Laden();
}

void Anwendung::Laden() {
  // The content files in their order; each step is attempted even when an earlier one failed.
  sub_.StartwerteSetzen();
  mp3Verfuegbar_ = text::Mp3Pruefen();
  ersteAktivierung_ = true;
  if (fenster_) {
    fenster_->LoadPointer(zp::Zeiger::Null, ordner_.Grafikordner + "null.cur");
    fenster_->LoadPointer(zp::Zeiger::Radierer, ordner_.Grafikordner + "erase.cur");
  }
  Sanduhr();
  auto inhalt = [&](const char* name) { return zp::ReadWholeFile(ordner_.Datenordner + name).value_or(""); };
  text::FontsLesen(inhalt("fonts"), konstanten_, *dialoge_, fonttabelle_);
  text::PkonstLesen(inhalt("pkonst"), konstanten_, objekte_, *dialoge_);
  objekte_.Hoechste = std::max(objekte_.Hoechste, konstanten_.Hoechste);
  sub_.SeitendateiLesen(1);
  diskMenue_.Leeren();
  text::Textnummern zweiteNummern;  // a second copy; the first stage made the one used for the texts
  text::E2infLesen(inhalt("e2inf"), zweiteNummern);
  text::SprachdateiLaden(inhalt("f_zelo2"), objekte_, diskMenue_, mp3Verfuegbar_,
                         [this](const std::string& k, const std::string& t) { dialogSchluessel_[k] = t; });
  static const char* kKoordinaten[] = {"k_640", "k_800", "k_1024", "k_1152", "k_1280"};
  int nummer = layout_.Aufloesungsindex / 2;
  sub_.KoordinatenLesen(ordner_.Datenordner + kKoordinaten[std::clamp(nummer, 0, 4)]);
  sub_.SeitendateiLesen(2);
  masse_ = config::Masse(layout_);
  sub_.LayoutMasseGesetzt();
  if (fenster_) fenster_->SetTitle(zp::Utf8FromAnsi(texte_[2]));
}

void Anwendung::FActivate() {
  // E. First activation: runs once.
  if (!ersteAktivierung_) return;
  ersteAktivierung_ = false;
  Sanduhr();
  config::InfLesen(ordner_, optionen_.Umgebung, engine_);
  if (ordner_.Betriebsart < 2) {
    Intro();
    engine_.AStop();
  }
  if (engineBereit_ > 0 || ordner_.Betriebsart == config::BetriebDeinstallation) {
    introFlag_ = false;
    Sanduhr();
    ZustandAktivieren("aktiviere");
    Sanduhr();
    sub_.ElementKlick(94);
    for (int e : {675, 677, 345, 312}) objekte_[e].Wert = 1;
    sub_.PlayerNeuLaden();
    sub_.ZeigeAktiv(94);
    objekte_[94].Wert = 1;
    ZeigeWindow();
  }
  if (ordner_.Betriebsart == config::BetriebNormal) return;
  sub_.SetupDialog(ordner_.Betriebsart);
  NormalZeiger();
}

int16_t Anwendung::Intro() {
  // H. Engine start and direct output at first activation.
  Sanduhr();
  EngineStart();
  NullZeiger();
  masterlautstaerke_ = std::min(engine_.ALautGet(0), 32767);
  if (masterlautstaerke_ < 6000) {
    masterlautstaerke_ = 6000;
    engine_.ALautSet(6000);
  }
  if (zp::KeyHeld(zp::vbKeyShift)) return 0;
  Ereignisse();
  Ereignisse();
  introFlag_ = false;
  engine_.ASetFader(0, 0);
  if (directX_) {
    engine_.AFenster(fenster_.get());
    startklang_.Stop();
    if (engine_.DStart(0) & 4) Meldung(219, 220, zp::Buttons::OK, zp::Icon::Exclamation);
  }
  return 0;
}

void Anwendung::EngineStart() {
  // I. Once per run.
  if (engineBereit_ > 0) return;
  engine_.ATyp(3);
  engine_.ADevice(0);
  int32_t status = engine_.AInit(fenster_.get());
  if ((status & zp::kInitWarning) && startklang_.Playing()) {
    // Some outputs serve one user at a time: the start sound gives way to the engine.
    startklang_.Stop();
    engine_.ADSoff();
    status = engine_.AInit(fenster_.get());
  }
  grafik_.Arbeitspuffer = gfx_.GFX_AnimationSwapInit(400, 400);
  static constexpr int kTempNummern[4] = {0, 1, 14, 2};
  for (size_t i = 0; i < 4; ++i) {
    std::string name = engine_.AGetString(kTempNummern[i]);
    tempDateien_[i] = name.substr(0, name.find('\0'));
  }
  engine_.ASelectMic();
  if (status & zp::kInitNoDevice) {
    if (Meldung(24, 25, zp::Buttons::YesNo, zp::Icon::Exclamation) != zp::Answer::No) {
      ProzessEnde();
      return;
    }
  }
  if (status & zp::kInitWarning) {
    NormalZeiger();
    Meldung(150, 151, zp::Buttons::OK, zp::Icon::Exclamation);
    Sanduhr();
  }
  if (ordner_.Betriebsart == config::BetriebNormal) engine_.ASetPfad(ordner_.Arbeitsordner);
  engine_.AStop();
  engine_.AMitte(0, 0);
  engine_.RWaveParam(60, 26214);
  engine_.ASetFader(0, 0);
  // The intro music plays from its own file through slot 0.
  int32_t ort = 99;
  std::string intro = ordner_.Datenordner + "dintro.zub";
  sub_.IntroSampleVorbereiten();
  engine_.APlay(0, nullptr, nullptr, 0, 0, ort, intro, 0, 0, 0, 0, 256);
  grafik_.Blockbild = gfx_.GFX_SampleInit(masse_.Spurhoehe, 2560,
                                          fonttabelle_[3][static_cast<size_t>(layout_.Aufloesungsindex)]);
  grafik_.Texturpaar = gfx_.GFX_SampleAddTexturePair(ordner_.Datenordner + "texture.bmp",
                                                     ordner_.Datenordner + "texture2.bmp",
                                                     ordner_.Datenordner + "flint2.pal", 12, 25, 112);
  engineBereit_ = 1;
}

void Anwendung::ZustandAktivieren(const std::string& text) {
  // J. The working state once the engine is up.
  Sanduhr();
  sub_.ReglerSetzen(5, 32767);
  ErsteSeite();
  sub_.Taktlineal();
  sub_.SpurenLeeren();
  sub_.SampleBereicheSetzen();
  if (ordner_.Betriebsart == config::BetriebNormal) {
    if (!platform::EqualsNoCase(text, "setup")) sub_.LoadZubs("aktiv");
    sub_.GruppenOrdnen(0);
    sub_.GruppenSortieren(0);
    sub_.BlockbreitenBerechnen();
    sub_.ContainerOeffnen(ordner_.Quellordner + "zub/flint20", ordner_.Arbeitsordner + "flint20");
    config::StartMix mix = config::StartMixWahl(ordner_, texte_[78]);
    sub_.MixLaden(mix.Pfad);
    sub_.SampleBereicheSetzen();
    NormalZeiger();
  }
}

void Anwendung::ErsteSeite() {
  // Runs once per run: the main page, the master faders, the meters and the block picture.
  if (ersteSeiteGelaufen_) return;
  ersteSeiteGelaufen_ = true;
  sub_.SzeneAktivieren("Hauptbild", 0);
  for (int e : {61, 660}) {
    sub_.ReglerSetzen(e, masterlautstaerke_);
    objekte_[e].Wert = masterlautstaerke_;
  }
  int eingang = engine_.AGetInput();
  sub_.ReglerSetzen(287, eingang);
  objekte_[287].Wert = eingang;
  ZeigeWindow();
  const int meter[3] = {288, 699, 371};
  for (size_t i = 0; i < 3; ++i) {
    const auto& o = objekte_[meter[i]];
    grafik_.Pegelanzeigen[i] = gfx_.GFX_VolBarInit(o.X + layout_.VersatzX, o.Y + layout_.VersatzY, o.Breite, o.Hoehe);
  }
  grafik_.Sampleblockbild.Datei = config::LokaleKopie(ordner_, engine_, Bilddatei("zelo22"));
  engine_.ALoad(grafik_.Sampleblockbild);
  Sanduhr();
  sub_.MixGeaendertLoeschen();
}

void Anwendung::ZeigeWindow() {
  if (!fenster_) return;
  fenster_->Raise();
  fenster_->Present();
}

bool Anwendung::Beschaeftigt() { return sub_.Spielt() || sub_.WerkzeugKlingt() || sub_.NimmtAuf(); }

bool Anwendung::Durchlauf() {
  if (durchlaeufe_ < 200) {
    // The hourglass stays for the first 200 passes.
    if (++durchlaeufe_ == 200) NormalZeiger();
  }
  // Wait for input only briefly, shorter while sound or fades need the pass.
  Ereignisse(Beschaeftigt() ? 2 : 10);
  if (quitFlag_) return false;
  Zyklus();
  if (nachDurchlauf) nachDurchlauf();
  return !quitFlag_;
}

void Anwendung::Zyklus() {
  if (engineBereit_ <= 0) return;
  if (ordner_.Betriebsart == config::BetriebNormal) {
    engine_.DPlayUpdate();
    sub_.TimerUpdate();
    if (engineBereit_ <= 0) return;
    if (sub_.Spielt()) sub_.PlayUpdate(0);
    if (sub_.NimmtAuf() && (engine_.ARecTimer() & 0x10)) {
      sub_.AllStop("Normal");
      Meldung(14, 15, zp::Buttons::OK, zp::Icon::Exclamation);
      sub_.StopGrund(14);
    }
  }
  sub_.Blender();
  if (fenster_) fenster_->Present();
}

void Anwendung::Ereignisse(int warteMs) {
  if (instanz_ && instanz_->FrontRequested()) ZeigeWindow();
  SDL_Event e;
  bool erstes = warteMs > 0 ? SDL_WaitEventTimeout(&e, warteMs) != 0 : SDL_PollEvent(&e) != 0;
  while (erstes) {
    // A window the display uncovered (or mapped late) is painted whole again.
    if (e.type == SDL_WINDOWEVENT && fenster_ &&
        (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN ||
         e.window.event == SDL_WINDOWEVENT_RESTORED))
      fenster_->InvalidateAll();
    bool taste = e.type == SDL_KEYDOWN;
    bool klick = e.type == SDL_MOUSEBUTTONDOWN;
    if (schluss_) {
      // Once shutdown has begun, a double click or any key ends the program at once.
      if (taste || (klick && e.button.clicks >= 2)) ProzessEnde();
    } else if (introFlag_ && (taste || klick)) {
      introFlag_ = false;  // during start-up a click or key only ends the intro
    } else if (klick && ersteAktivierung_) {
      // The first click before activation is ignored.
    } else if (e.type == SDL_QUIT) {
      EndeMeldung(0);
    } else if (!sub_.Ereignis(e) && taste) {
      // Until the key tables join, Escape and Alt+F4 ask the quit question.
      int code = zp::VbKeyCode(e.key.keysym);
      if (code == zp::vbKeyEscape || (code == zp::vbKeyF4 && (e.key.keysym.mod & KMOD_ALT))) EndeMeldung(0);
    }
    if (quitFlag_) return;
    erstes = SDL_PollEvent(&e) != 0;
  }
}

bool Anwendung::IntroAbbruch() {
  // M. Polls the keys during start-up; true means quit now.
  if (quitFlag_) return true;
  SDL_PumpEvents();
  bool abbruchTaste = false, escape = false;
  SDL_Event e;
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_MOUSEBUTTONDOWN) > 0) {
    if (e.type == SDL_KEYDOWN) {
      int code = zp::VbKeyCode(e.key.keysym);
      if (code == zp::vbKeyEscape) escape = true;
      if (code == zp::vbKeyReturn || code == zp::vbKeySpace) abbruchTaste = true;
    } else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
      abbruchTaste = true;
    }
  }
  if (abbruchTaste || zp::KeyHeld(zp::vbKeyLButton) || zp::KeyHeld(zp::vbKeyReturn) || zp::KeyHeld(zp::vbKeySpace)) {
    startklang_.Stop();
    Sanduhr();
    introFlag_ = false;
  }
  if (escape || zp::KeyHeld(zp::vbKeyEscape)) {
    introFlag_ = false;
    startklang_.Stop();
    NormalZeiger();
    if (Meldung(61, 2, zp::Buttons::YesNo, zp::Icon::Question, 2) != zp::Answer::Yes) {
      NullZeiger();
      return false;
    }
    Sanduhr();
    if (fenster_) fenster_->Show();
    quitFlag_ = true;
    return true;
  }
  return false;
}

void Anwendung::EndeMeldung(int element) {
  // K. The quit question, and a second one when the mix holds unsaved changes.
  sub_.AllStop("Normal");
  auto zurueck = [&] {
    if (element > 0) {
      sub_.Ausblenden(element);
      objekte_[element].Wert = 0;
    }
  };
  if (Meldung(61, 2, zp::Buttons::YesNo, zp::Icon::Question) != zp::Answer::Yes) {
    zurueck();
    return;
  }
  if (sub_.MixGeaendert() && Meldung(1, 2, zp::Buttons::YesNo, zp::Icon::Question) != zp::Answer::Yes) {
    zurueck();
    return;
  }
  Schluss();
}

void Anwendung::Schluss() {
  // L. Orderly shutdown.
  Sanduhr();
  if (engineBereit_ > 0) {
    sub_.Effektstop("immer");
    gfx_.GFX_SampleClose();
    gfx_.GFX_VolBarClose();
    engine_.AStop();
    engine_.ADSoff();
    sub_.ContainerSchliessen();
    engine_.AExit();
    if (sub_.KatalogGeaendert()) sub_.KatalogSpeichern();
    KillTemps();
    engine_.AEnd();
    engineBereit_ = 0;
  }
  schluss_ = true;
  if (ordner_.Betriebsart > 1) {
    Warten(1000);
    if (fenster_) fenster_->Hide();
  }
  ProzessEnde();
}

void Anwendung::Warten(uint32_t ms) {
  uint32_t ende = uhr_.Millis() + ms;
  while (static_cast<int32_t>(ende - uhr_.Millis()) > 0 && !quitFlag_) {
    Ereignisse(0);
    uhr_.Sleep(5);
  }
}

void Anwendung::KillTemps() {
  for (const auto& name : tempDateien_) {
    if (!name.empty() && zp::FileExists(name)) std::filesystem::remove(name);
  }
  if (!ordner_.Tempordner.empty()) {
    std::string undo = ordner_.Tempordner + "ZELOUNDO.TMP";
    if (zp::FileExists(undo)) std::filesystem::remove(undo);
  }
}

void Anwendung::ProzessEnde() {
  // The run ends through the main loop, so every owner closes what it holds.
  quitFlag_ = true;
}

}  // namespace zelo::app
