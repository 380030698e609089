// The scheduler: play start, the per-pass look-ahead, wraps at the song end and the loop
// range, and the single sounds of auditions.
#include "playback/Wiedergabe.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/Files.h"

namespace zelo::playback {

namespace {

/// Rounds to the nearest whole number, halves to even (the default rounding mode).
double Rund(double x) { return std::nearbyint(x); }

/// A fixed-point value as a 32-bit integer, halves to even.
int32_t I(double x) { return static_cast<int32_t>(std::clamp(Rund(x), -2147483648.0, 2147483647.0)); }

/// Keeps four decimal places, as the fixed-point quantities hold them.
double Fest(double x) { return Rund(x * 10000.0) / 10000.0; }

bool GleichOhneFall(const std::string& a, const std::string& b) { return platform::EqualsNoCase(a, b); }

}  // namespace

Wiedergabe::Wiedergabe(platform::Engine& engine, arrangement::Spuren& spuren, library::Katalog& katalog,
                       platform::Clock& uhr, Transportumgebung& umgebung, const Kanaltabellen& kanaele)
    : engine_(engine), spuren_(spuren), katalog_(katalog), uhr_(uhr), umgebung_(umgebung), kanaele_(kanaele) {}

// --- Lengths -----------------------------------------------------------------------------------

double Wiedergabe::LaengeBytes(int32_t s) const {
  if (!library::Katalog::IstNummer(s)) return 0;
  auto i = static_cast<size_t>(s);
  if (pixelProTakt_ <= 0) return static_cast<double>(katalog_.SampleTakte[i]) * kBytesProTakt;
  return Fest(static_cast<double>(katalog_.SampleBreite[i]) / pixelProTakt_ * kBytesProTakt);
}

double Wiedergabe::HoerbareBytes(const arrangement::SpurEintrag& e) const {
  return LaengeBytes(e.SampleNr) - (static_cast<double>(e.SchnittAnfang) + e.SchnittEnde) * kBytesProTick;
}

// --- Play start ----------------------------------------------------------------------------------

bool Wiedergabe::SongLeer() const {
  bool leer = true;
  for (int t = 0; t < arrangement::kHoerbareSpuren; ++t) {
    const auto& s = spuren_[t];
    if (s.Anzahl == 0) continue;
    if (!LoopAktiv()) return false;
    // With a loop range the song needs something that still sounds inside it.
    if (spuren_.HoerbaresEnde(t, s.Anzahl - 1) > (LoopAnfang - 1) * arrangement::kTicksProTakt) return false;
  }
  return leer;
}

void Wiedergabe::PlayInit(const std::string& modus) {
  engine_.REffekt("RecMode", GleichOhneFall(modus, "RecMode") ? 1 : 0);
  if (SongLeer() && !umgebung_.NimmtAuf()) {
    MixStop(kStopLeer);
    umgebung_.NormalZeiger();
    return;
  }

  AnzeigeZeit = -1;
  AnzeigeTakt = -1;
  engine_.AStop();
  effektNeustart_ = umgebung_.EffektvorschauLoop();
  umgebung_.Effektstop();
  Engineposition = 0;

  for (int k = 0; k <= 16; ++k) {
    if (k < 16) engine_.AMitte(k, kanaele_.KanalPan[static_cast<size_t>(k)]);
    engine_.RWaveParam(60 + k, kanaele_.KanalLautstaerke[static_cast<size_t>(k)]);
  }
  engine_.RWaveParam(50, 0);
  engine_.ASetPitch(kanaele_.PitchWert);

  // A marker at or past the song end starts the song from its beginning.
  int64_t songEnde = 0;
  for (int t = 0; t < arrangement::kSpurAnzahl; ++t) {
    const auto& s = spuren_[t];
    if (s.Anzahl == 0) continue;
    const auto& letzter = s.Eintrag[static_cast<size_t>(s.Anzahl - 1)];
    songEnde = std::max<int64_t>(songEnde, static_cast<int64_t>(letzter.Start) + spuren_.Laenge(letzter.SampleNr));
  }
  bool neuZeichnen = false;
  if (static_cast<int64_t>(AktTakt) * arrangement::kTicksProTakt >= songEnde && !umgebung_.NimmtAuf()) {
    AktTakt = 0;
    ErsterTakt = 0;
    neuZeichnen = true;
  }
  if (!Sichtbar(AktTakt)) {
    ErsterTakt = AktTakt < 9 ? 0 : AktTakt - 8;
    neuZeichnen = true;
  }
  if (LoopAktiv() && (AktTakt >= LoopEnde || AktTakt + 1 < LoopAnfang)) {
    AktTakt = LoopAnfang - 1;
    if (!Sichtbar(AktTakt)) ErsterTakt = std::max(0, AktTakt - 6);
    neuZeichnen = true;
  }
  if (neuZeichnen) {
    MarkerSpalte = static_cast<int16_t>(AktTakt - ErsterTakt);
    umgebung_.LinealZeichnen();
    umgebung_.SpurenZeichnen();
  }

  StartVersatz = AnzeigeVersatz = static_cast<double>(AktTakt) * kBytesProTakt;
  if (LoopAktiv()) AnzeigeVersatz -= static_cast<double>(LoopAnfang - 1) * kBytesProTakt;

  GeplantBis.fill(AktTakt * arrangement::kTicksProTakt - 1);
  Startgrenze = 0;
  Umlaufversatz = 0;
  Lesemarke = 0;
  Schreibmarke = 1;
  Umlaufmarken.fill(0);

  umgebung_.ElementSetzen(345, 0, umgebung_.MusterseiteAktiv());

  PlayUpdate(1);
  if (Neustartzaehler == 0) umgebung_.Mixtext("0:00");
  PlayUpdate(0);
  PlayUpdate(0);

  engine_.ASetFader(0, 0);
  engine_.AStart(Startgrenze);
  Freigabe = 0;
  ersterSchritt_ = true;
  MixLaeuft = arrangement::kWahr;
}

// --- The scheduling step ---------------------------------------------------------------------------

void Wiedergabe::PlayUpdate(int phase) {
  if (phase == 2 && MixLaeuft == 0) return;
  if (MixLaeuft != 0) {
    engine_.RTimer();
    if (phase == 2) {
      engine_.DPlayUpdate();
    } else {
      PlotFaden();
      // The playhead ended the song: nothing more is handed to a stopped engine.
      if (MixLaeuft == 0) return;
    }
  }
  if (phase != 1 && AlleSpurenGeplant()) Umlauf();
  Planen();
}

bool Wiedergabe::AlleSpurenGeplant() const {
  const int32_t loopEnde = LoopEnde * arrangement::kTicksProTakt;
  for (int t = 0; t < arrangement::kSpurAnzahl; ++t) {
    const auto& s = spuren_[t];
    if (s.Anzahl == 0) continue;
    const int32_t geplant = GeplantBis[static_cast<size_t>(t)];
    if (!LoopAktiv()) {
      if (geplant < s.Eintrag[static_cast<size_t>(s.Anzahl - 1)].Start) return false;
      continue;
    }
    for (int32_t i = std::max(0, spuren_.EintragVor(t, geplant) - 3); i < s.Anzahl; ++i) {
      const int32_t start = s.Eintrag[static_cast<size_t>(i)].Start;
      if (start > geplant) {
        if (start < loopEnde) return false;
        break;  // later entries start later still
      }
      int32_t ende = i + 1 < s.Anzahl ? s.Eintrag[static_cast<size_t>(i + 1)].Start : spuren_.HoerbaresEnde(t, i) - 1;
      if (geplant < ende && ende < loopEnde) return false;
    }
  }
  return true;
}

void Wiedergabe::Umlauf() {
  double laenge = 0;
  if (LoopAktiv()) {
    laenge = static_cast<double>(LoopEnde) * arrangement::kTicksProTakt;
  } else {
    for (int t = 0; t < arrangement::kSpurAnzahl; ++t)
      if (spuren_[t].Anzahl > 0) laenge = std::max<double>(laenge, spuren_.HoerbaresEnde(t, spuren_[t].Anzahl - 1));
  }
  Umlaufversatz = Fest(Umlaufversatz + laenge);
  if (LoopAktiv()) StartVersatz = Fest(StartVersatz + static_cast<double>(LoopAnfang - 1) * kBytesProTakt);
  Umlaufmarken[static_cast<size_t>(Schreibmarke)] = I(Umlaufversatz * kBytesProTick - StartVersatz + AnzeigeVersatz);

  if (LoopAktiv()) {
    double x = Umlaufversatz * kBytesProTick - StartVersatz + static_cast<double>(LoopAnfang - 1) * kBytesProTakt;
    if (x > Freigabe) Freigabe = I(x);
    Schreibmarke = static_cast<int16_t>((Schreibmarke + 1) % 100);
    GeplantBis.fill((LoopAnfang - 1) * arrangement::kTicksProTakt - 1);
  } else if (LoopModus != 0) {
    Schreibmarke = static_cast<int16_t>((Schreibmarke + 1) % 100);
    GeplantBis.fill(-1);
  } else {
    Startgrenze = kOffenerHorizont;
    engine_.APos(Startgrenze);
    Umlaufversatz = 0;
  }
}

void Wiedergabe::Planen() {
  const double fenster = (Engineposition + StartVersatz) * arrangement::kTicksProTakt / kBytesProTakt + kVorlauf;
  Planungsgrenze = static_cast<double>(kOffenerHorizont);
  if (LoopAktiv())
    Planungsgrenze = Fest(Umlaufversatz * kBytesProTick + static_cast<double>(LoopEnde) * kBytesProTakt - StartVersatz);
  double frueh = static_cast<double>(kOffenerHorizont);  // the earliest end handed over in this pass

  for (int t = 0; t < arrangement::kSpurAnzahl; ++t) {
    const auto& s = spuren_[t];
    int32_t& geplant = GeplantBis[static_cast<size_t>(t)];
    for (int32_t i = std::max(0, spuren_.EintragVor(t, geplant) - 3); i < s.Anzahl; ++i) {
      const auto& e = s.Eintrag[static_cast<size_t>(i)];
      if (e.Start + Umlaufversatz > fenster) break;
      const bool letzter = i + 1 == s.Anzahl;
      const int32_t naechster = letzter ? 0 : s.Eintrag[static_cast<size_t>(i + 1)].Start;
      const int32_t ende = spuren_.HoerbaresEnde(t, i);
      if (e.Start <= geplant && ((!letzter && naechster - 1 <= geplant) || ende - 1 <= geplant)) continue;

      // A sound plays up to the next entry's start or its own audible end, whichever is first.
      const double hoerbar = Rund(HoerbareBytes(e));
      double dauer = letzter ? hoerbar : std::min(Rund((naechster - e.Start) * kBytesProTick), hoerbar);
      double start = e.Start * kBytesProTick;
      double nachhol = 0;  // the part of an entry that began before scheduling resumed
      if (geplant >= e.Start) {
        nachhol = Rund((static_cast<double>(geplant) - e.Start + 1) * kBytesProTick);
        start += nachhol;
      }
      dauer -= nachhol;
      const double versatz = Rund(e.SchnittAnfang * kBytesProTick) + nachhol;
      start = Fest(start + Umlaufversatz * kBytesProTick - StartVersatz);
      if (start + dauer > Planungsgrenze) dauer = I(Planungsgrenze - start);
      if (t != arrangement::kSonderspur && dauer > 0)
        PlaySample(e.SampleNr, t, I(start), I(dauer), I(versatz), e.Lautstaerke);
      geplant = letzter ? ende - 1 : naechster - 1;
      if (start + dauer > 0 && start + dauer < frueh) frueh = I(start + dauer);
    }
  }

  double horizont = 128.0 * Rund((fenster * kBytesProTick - StartVersatz) / 128.0);
  if (horizont > frueh) horizont = frueh;
  if (horizont > Freigabe) Freigabe = I(horizont);
  engine_.APos(Freigabe);
}

// --- Single sounds ---------------------------------------------------------------------------------

void Wiedergabe::PlaySample(int32_t s, int32_t spur, int32_t start, int32_t dauer, int32_t versatz, int32_t lautstaerke) {
  // A number from a damaged mix names no slot of the catalogue.
  if (!library::Katalog::IstNummer(s)) return;
  const auto i = static_cast<size_t>(s);
  const int32_t volumen = std::clamp(I((static_cast<double>(lautstaerke) + 16384.0) / 64.0), 0, 512);
  const platform::MappedFile* behaelter = nullptr;
  const platform::MappedFile* partner = nullptr;
  int64_t groesse = katalog_.SampleGroesse[i];
  int64_t offset = katalog_.SampleOffset[i];
  switch (katalog_.SampleOrt[i]) {
    case library::kOrtPartnerCache: partner = container_.Partnercache; break;
    case library::kOrtCache: behaelter = container_.Cache; break;
    case library::kOrtContainerA: behaelter = container_.A; break;
    case library::kOrtContainerB: behaelter = container_.B; break;
    case library::kOrtContainerC: behaelter = container_.C; break;
    case library::kOrtHauptcontainer: behaelter = container_.Hauptcontainer; break;
    case library::kOrtContainerD: behaelter = container_.D; break;
    case library::kOrtEigeneDatei:
      groesse = 0;
      offset = 0;
      break;
    default: return;  // not playable
  }
  int32_t ort = katalog_.SampleOrt[i];
  std::string datei = katalog_.SampleDatei[i];
  engine_.APlay(s, behaelter, partner, groesse, offset, ort, datei, spur, start, dauer, versatz, volumen);
  if (ort >= INT16_MIN && ort <= INT16_MAX) katalog_.SampleOrt[i] = static_cast<int16_t>(ort);
  katalog_.SampleDatei[i] = datei;
}

void Wiedergabe::SampleVorhoeren(int32_t s, int32_t schnittAnfang, int32_t schnittEnde) {
  umgebung_.ScrollUndHalteklickStoppen();
  umgebung_.Sanduhr();
  SampiAus();
  umgebung_.SchnellreglerSchliessen();
  if (MixLaeuft != 0)
    MixStop(kStopDoppel);
  else
    engine_.AStop();
  engine_.AMitte(0, 0);
  engine_.RWaveParam(60, kVorhoerLautstaerke);
  if (library::Katalog::IstNummer(s)) {
    const auto i = static_cast<size_t>(s);
    const int32_t dauer = I(LaengeBytes(s) - (static_cast<double>(schnittAnfang) + schnittEnde) * kBytesProTick);
    const int32_t versatz = I(schnittAnfang * kBytesProTick);
    if (katalog_.SampleOrt[i] == library::kOrtEigeneDatei && !platform::FileExists(katalog_.SampleDatei[i])) {
      umgebung_.Warnung(umgebung_.Text(257) + " " + katalog_.SampleName[i] + " - " + katalog_.SampleName2[i] + " (" +
                            katalog_.SampleDatei[i] + ") " + umgebung_.Text(258),
                        259);
    } else {
      PlaySample(s, 0, 0, dauer, versatz, 0);
    }
  }
  engine_.ASetFader(0, 0);
  uhr_.Sleep(20);
  engine_.AStart(kVorhoerEnde);
  engine_.RWaveParam(50, 1);
  uhr_.Sleep(20);
  umgebung_.NormalZeiger();
}

void Wiedergabe::VorhoerRueckruf(const char* puffer) {
  std::string datei = puffer ? std::string(puffer, strnlen(puffer, 1000)) : std::string();
  engine_.AStop();
  engine_.AMitte(0, 0);
  engine_.RWaveParam(60, kVorhoerLautstaerke);
  katalog_.SampleOrt[0] = library::kOrtEigeneDatei;
  int32_t ort = katalog_.SampleOrt[0];
  // The name goes as the dialog gave it: on this file system case names another file.
  engine_.APlay(0, nullptr, nullptr, 0, 0, ort, datei, 0, 0, 0, 0, 256);
  engine_.ASetFader(0, 0);
  engine_.AStart(kVorhoerEnde);
  engine_.RWaveParam(50, 1);
}

}  // namespace zelo::playback
