// The transport: stopping, the red bar marker, the playhead that follows the engine clock,
// the time display, the page turn of the view, the delayed restart and the timer step.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/Files.h"
#include "playback/Wiedergabe.h"

namespace zelo::playback {

namespace {

double Rund(double x) { return std::nearbyint(x); }
int32_t I(double x) { return static_cast<int32_t>(std::clamp(Rund(x), -2147483648.0, 2147483647.0)); }

/// The engine clock beyond this many milliseconds restarts playback (positions would overflow).
constexpr int32_t kUhrGrenze = 1073741824;
/// Steps of the full timer work: at most one every 20 ms.
constexpr uint32_t kSchrittMs = 20;
constexpr int32_t kTickzaehlerGrenze = 65525;
/// While playing, the pointer is nudged this often so that the system does not go idle.
constexpr uint32_t kZeigerpflegeMs = 20000;

// Page elements of the transport.
constexpr int kElementStop = 35;
constexpr int kElementPlay = 37;
constexpr int kElementLoop = 29;

}  // namespace

void Wiedergabe::AllStop(const std::string& modus) {
  if (Neustartzaehler != kNeustartStopp) Neustartzaehler = 0;
  engine_.RWaveParam(50, 0);
  umgebung_.Effektstop();
  MixStop(modus);
  if (umgebung_.NimmtAuf()) umgebung_.AufnahmeBeenden(modus);
  // The play buttons of the sound-tool pages go off with every stop.
  for (int element : {312, 378, 671}) umgebung_.ElementSetzen(element, 0, true);
}

void Wiedergabe::MixStop(const std::string& modus) {
  const bool neustart = Neustartzaehler != 0;
  effektNeustart_ = false;
  zeigerZeigenAb_ = std::max<uint32_t>(uhr_.Millis(), 1);
  if (MixLaeuft != 0 && !neustart) umgebung_.ElementEinblenden(kElementStop, 80);

  const int32_t flags = engine_.AStop();
  umgebung_.FadenLoeschen(FadenX);
  umgebung_.BlendenFertig();
  MixLaeuft = 0;

  const bool zeichnen = !neustart && !umgebung_.MusterseiteAktiv();
  umgebung_.ElementSetzen(kElementPlay, 0, zeichnen);
  umgebung_.ElementSetzen(kElementLoop, 0, zeichnen);

  if ((flags & 8) != 0 && !unterlaufGemeldet_) {
    unterlaufGemeldet_ = true;
    umgebung_.Warnung(umgebung_.Text(36), 35);
  }
  if (!neustart) umgebung_.MixnameZeigen();
  if (ExportLaeuft) {
    engine_.AExport("", 0);
    umgebung_.ExportBeendet(EndeErreicht);
    ExportLaeuft = false;
  }
  umgebung_.ZugBeenden();
  umgebung_.BlendenFertig();
  if (!platform::EqualsNoCase(modus, kStopTaste) && !neustart) umgebung_.ElementSetzen(kElementStop, 0, true);
}

void Wiedergabe::SofortAus(const std::string& modus) {
  umgebung_.SchnellreglerSchliessen();
  umgebung_.SampleEditorSchliessen();
  if (!platform::EqualsNoCase(modus, "quickregler") && umgebung_.NimmtAuf()) AllStop(kStopNormal);
}

void Wiedergabe::MarkerZeichnen(bool marker) {
  if (Sichtbar(AktTakt)) umgebung_.TaktZelleZeichnen(AktTakt - ErsterTakt + 1, marker);
}

void Wiedergabe::SetRot(int32_t takt) {
  takt = std::max(takt, 0);
  if (takt == AktTakt) return;
  MarkerZeichnen(false);
  AktTakt = takt;
  RotPlayRestart();
  MarkerZeichnen(true);
  MarkerSpalte = static_cast<int16_t>(AktTakt - ErsterTakt);
}

void Wiedergabe::RotPlayRestart() {
  if (MixLaeuft == 0 || AktTakt == SpielTakt) return;
  Neustartzaehler = kNeustartStopp;
  AllStop(kStopNormal);
  Neustartzaehler = 1;
  umgebung_.ElementEinblenden(kElementPlay, 80);
  if (LoopModus != 0) umgebung_.ElementSetzen(kElementLoop, 1, true);
}

void Wiedergabe::PlotFaden() {
  const int32_t ms = engine_.AGetTime(0);
  if (ms > kUhrGrenze) {
    Neustartwunsch = true;
    StartVersatz = 0;
    AllStop(kStopNormal);
    return;
  }
  Engineposition = std::nearbyint(static_cast<double>(ms) / 5.0 * 882.0 * 10000.0) / 10000.0;
  if (Engineposition <= 32) return;
  if (effektNeustart_) {
    effektNeustart_ = false;
    umgebung_.EffektNeustart();
  }
  if (ersterSchritt_) {
    ersterSchritt_ = false;
    umgebung_.NormalZeiger();
  }

  // Song end and wraps: each pass of the song left its end mark.
  int32_t p = I(Engineposition + AnzeigeVersatz);
  for (;;) {
    const int n = (Lesemarke + 1) % 100;
    const int32_t marke = Umlaufmarken[static_cast<size_t>(n)];
    if (p < marke || LoopAktiv() || umgebung_.NimmtAuf() || marke <= Umlaufmarken[static_cast<size_t>(Lesemarke)]) break;
    Lesemarke = static_cast<int16_t>(n);
    if (LoopModus != 0) continue;
    MixLaeuft = 0;
    EndeErreicht = true;
    AllStop(kStopNormal);
    return;
  }

  // The song position under the playhead.
  int64_t pos = p;
  if (LoopAktiv()) {
    const int64_t schleife = static_cast<int64_t>(LoopEnde + 1 - LoopAnfang) * kBytesProTakt;
    if (schleife > 0) pos = (pos % schleife) + static_cast<int64_t>(LoopAnfang - 1) * kBytesProTakt;
  } else {
    pos -= Umlaufmarken[static_cast<size_t>(Lesemarke)];
  }

  const int32_t hundertstel = I(static_cast<double>(pos) / 1764.0);
  SpielTakt = static_cast<int32_t>(std::floor(Rund(static_cast<double>(pos) / 3024.0) / 100.0));
  double x = Rund((static_cast<double>(pos) - static_cast<double>(ErsterTakt) * kBytesProTakt) / 3024.0) * pixelProTakt_;
  int32_t faden = I(x / 100.0);

  if (AktTakt != SpielTakt) {
    SetRot(SpielTakt);
    AktTakt = SpielTakt;
  }

  // The running time, at the tempo the song plays.
  const int32_t tempo = kanaele_.Tempo > 0 ? kanaele_.Tempo : 140;
  const int32_t sekunden = I(static_cast<double>(hundertstel) / tempo * 140.0 / 100.0);
  bool gesperrt = false;
  if (AnzeigeSperreBis > 0) {
    if (uhr_.Millis() < AnzeigeSperreBis)
      gesperrt = true;
    else
      AnzeigeSperreBis = 0;
  }
  if (!gesperrt && (sekunden != AnzeigeZeit || AktTakt != AnzeigeTakt)) {
    char zeit[32];
    std::snprintf(zeit, sizeof zeit, "%d:%02d  ", sekunden / 60, std::abs(sekunden % 60));
    umgebung_.Mixtext(zeit + umgebung_.Text(70) + std::to_string(AktTakt + 1));
    AnzeigeZeit = sekunden;
    AnzeigeTakt = AktTakt;
  }

  // The playhead line, redrawn only when it moves.
  const int32_t breite = kSichtbareTakte * pixelProTakt_;
  const bool geklemmt = faden < 0 || faden > breite;
  faden = std::clamp(faden, 0, breite);
  if (faden != FadenX || geklemmt) {
    umgebung_.FadenLoeschen(FadenX);
    if (SpielTakt == 0 && ErsterTakt > 0)
      faden = 0;
    else
      umgebung_.FadenZeichnen(faden);
    FadenX = static_cast<int16_t>(faden);
    if (umgebung_.NimmtAuf()) umgebung_.Aufnahmefortschritt();
  }

  Seitenwechsel();
  VorherTakt = SpielTakt;
}

void Wiedergabe::Seitenwechsel() {
  bool sprung = false;
  if (SpielTakt == LoopAnfang - 1 && SpielTakt < ErsterTakt) {
    ErsterTakt = SpielTakt;
    sprung = true;
  }
  const bool imBild = SpielTakt >= ErsterTakt && SpielTakt <= ErsterTakt + kSichtbareTakte;
  if (!(sprung || imBild || (SpielTakt == 0 && ErsterTakt > 0))) return;

  AktTakt = SpielTakt;
  const int32_t spalte = SpielTakt - ErsterTakt + 1;
  if (spalte >= 21 || AktTakt == 0 || sprung) {
    const int32_t alterErster = ErsterTakt;
    const int16_t alteSpalte = MarkerSpalte;
    if (!sprung && AktTakt != 0) ErsterTakt += 19;
    AktTakt = ErsterTakt;
    if (ErsterTakt > kMaxTakte - kSichtbareTakte) {
      ErsterTakt = kMaxTakte - kSichtbareTakte;
      AktTakt = kMaxTakte - 1;
    }
    if (SpielTakt == 0 && VorherTakt != 0) {
      ErsterTakt = 0;
      AktTakt = 0;
    }
    MarkerSpalte = static_cast<int16_t>(AktTakt - ErsterTakt);
    if (MarkerSpalte != alteSpalte || ErsterTakt != alterErster) umgebung_.LinealZeichnen();
    if (ErsterTakt != alterErster) umgebung_.SpurenZeichnen();
  } else {
    const int16_t neueSpalte = static_cast<int16_t>(AktTakt - ErsterTakt);
    if (neueSpalte != MarkerSpalte) {
      if (MarkerSpalte >= 0 && MarkerSpalte < kSichtbareTakte) umgebung_.TaktZelleZeichnen(MarkerSpalte + 1, false);
      umgebung_.TaktZelleZeichnen(neueSpalte + 1, true);
      MarkerSpalte = neueSpalte;
    }
  }
}

void Wiedergabe::TimerUpdate() {
  umgebung_.TimerJederDurchlauf();
  const uint32_t jetzt = uhr_.Millis();
  if (jetzt - letzterSchritt_ < kSchrittMs) return;
  letzterSchritt_ = jetzt;
  Tickzaehler = Tickzaehler >= kTickzaehlerGrenze ? 0 : Tickzaehler + 1;

  if (MixLaeuft != 0 || Neustartwunsch) {
    if (jetzt - letzteZeigerpflege_ >= kZeigerpflegeMs) {
      letzteZeigerpflege_ = jetzt;
      umgebung_.ZeigerAnOrt();
    }
  }

  if (Neustartwunsch) {
    Neustartwunsch = false;
    if (!(LoopAnfang > 0 && LoopEnde > 0)) {
      const bool vorschau = umgebung_.EffektvorschauLoop();
      AllStop(kStopNormal);
      if (vorschau) umgebung_.EffektNeustart();
    }
    umgebung_.ElementSetzen(kElementLoop, 1, true);
    umgebung_.ElementSetzen(kElementPlay, 1, true);
    umgebung_.Sanduhr();
    PlayInit(kStopNormal);
  } else if (MixLaeuft == 0) {
    umgebung_.Halteklick();
  }

  if (Neustartzaehler > 0 && Neustartzaehler != kNeustartStopp) {
    ++Neustartzaehler;
    if (Neustartzaehler > kNeustartSchritte && !umgebung_.ScrollWiederholt()) {
      umgebung_.Sanduhr();
      PlayInit(kStopNormal);
      Neustartzaehler = 0;
    }
  }

  if (!metronomBereit_ && Tickzaehler % 100 == 99) {
    metronomBereit_ = true;
    umgebung_.MetronomVorbereiten();
  }

  if (Tickzaehler % 2 == 0) {
    umgebung_.Pegelanzeigen();
    if (zeigerZeigenAb_ != 0 && jetzt >= zeigerZeigenAb_) {
      zeigerZeigenAb_ = 0;
      engine_.ASetCur(1);
    }
  }
  umgebung_.Zeitarbeiten();
}

int16_t Wiedergabe::SampiAus() {
  int16_t gezeigt = 0;
  if (umgebung_.BildboxSichtbar()) {
    umgebung_.BildboxVerbergen();
    gezeigt = arrangement::kWahr;
  }
  umgebung_.ZugBeenden();
  return gezeigt;
}

}  // namespace zelo::playback
