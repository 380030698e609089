#pragma once
// Playback: the scheduler that hands the placed samples to the engine a few bars ahead of
// the engine's position, and the transport around it (stop, red bar marker, playhead, the
// timer step). The application owns one Wiedergabe; tests make their own with a fake or a
// manual-clock engine. Every routine runs on the user-interface thread.
//
// Units: ticks (128 a bar) on the tracks; engine bytes (302,400 a bar, 2362.5 a tick) towards
// the engine. Quantities that carry fractions are fixed point with four decimal places.

#include <array>
#include <cstdint>
#include <string>

#include "arrangement/Spuren.h"
#include "library/Katalog.h"
#include "platform/Clock.h"
#include "platform/Engine.h"
#include "playback/Transportumgebung.h"

namespace zelo::playback {

inline constexpr int64_t kBytesProTakt = 302400;
inline constexpr double kBytesProTick = 2362.5;
/// How far ahead of the engine's position entries are handed over: 3 bars.
inline constexpr int32_t kVorlauf = 384;
/// The horizon of a song that needs no more scheduling: 7000 bars.
inline constexpr int64_t kOffenerHorizont = 7000 * kBytesProTakt;
/// An audition's end: 999 seconds of engine bytes.
inline constexpr int64_t kVorhoerEnde = 176223600;
/// The audition's channel volume.
inline constexpr int32_t kVorhoerLautstaerke = 26214;
/// Bars of the song area and bars visible in the view.
inline constexpr int32_t kMaxTakte = 999;
inline constexpr int32_t kSichtbareTakte = 22;
/// Timer steps between a moved marker and the restart.
inline constexpr int16_t kNeustartSchritte = 36;
/// `Neustartzaehler` while the stop of a restart runs.
inline constexpr int16_t kNeustartStopp = 1000;

/// The container files the library opened; null when closed.
struct Container {
  const platform::MappedFile* Cache = nullptr;         ///< location 2 (and 99's cache)
  const platform::MappedFile* Partnercache = nullptr;  ///< location 1
  const platform::MappedFile* Hauptcontainer = nullptr;  ///< location 6
  const platform::MappedFile* A = nullptr;             ///< location 3
  const platform::MappedFile* B = nullptr;             ///< location 4
  const platform::MappedFile* C = nullptr;             ///< location 5
  const platform::MappedFile* D = nullptr;             ///< location 9
};

/// The mixer's values that every play start hands to the engine.
struct Kanaltabellen {
  std::array<int16_t, 18> KanalPan{};
  std::array<int16_t, 18> KanalLautstaerke{};
  int32_t PitchWert = 6300;  ///< 140 beats per minute
  int32_t Tempo = 140;
  Kanaltabellen() { KanalLautstaerke.fill(26800); }
};

/// Stop reasons callers pass to `AllStop` and `MixStop`.
inline const std::string kStopNormal = "Normal";
inline const std::string kStopLeer = "Leer";
inline const std::string kStopDoppel = "Doppel";
inline const std::string kStopTaste = "Taste";

class Wiedergabe {
 public:
  Wiedergabe(platform::Engine& engine, arrangement::Spuren& spuren, library::Katalog& katalog,
             platform::Clock& uhr, Transportumgebung& umgebung, const Kanaltabellen& kanaele);

  void ContainerSetzen(const Container& container) { container_ = container; }
  void PixelProTaktSetzen(int32_t pixelProTakt) { pixelProTakt_ = pixelProTakt; }

  // --- Scheduler ----------------------------------------------------------------------------
  /// Starts mix playback at `AktTakt`; "RecMode" starts it for a recording.
  void PlayInit(const std::string& modus);
  /// One scheduling step: 0 every main-loop pass while playing, 1 inside PlayInit, 2 the
  /// service step during long screen work.
  void PlayUpdate(int phase);
  /// Hands one sound to the engine by its location; volume -16384..16383, 0 = own level.
  void PlaySample(int32_t sample, int32_t spur, int32_t start, int32_t dauer, int32_t versatz, int32_t lautstaerke);
  /// Auditions a library sample with the cuts held for it.
  void SampleVorhoeren(int32_t sample, int32_t schnittAnfang, int32_t schnittEnde);
  /// Auditions a file for a file dialog; `puffer` holds up to 1000 bytes, NUL-terminated.
  void VorhoerRueckruf(const char* puffer);

  // --- Transport ----------------------------------------------------------------------------
  void AllStop(const std::string& modus);
  void MixStop(const std::string& modus);
  void SofortAus(const std::string& modus);
  void SetRot(int32_t takt);
  void RotPlayRestart();
  void PlotFaden();
  void TimerUpdate();
  /// Hides the popup picture and ends any drag; -1 when a picture was shown.
  int16_t SampiAus();

  // --- Playback state (shared with the view and the recorder) -------------------------------
  int16_t MixLaeuft = 0;
  int32_t AktTakt = 0;     ///< bar of the red marker, 0-based
  int16_t LoopModus = 0;
  int16_t LoopAnfang = 0;  ///< first bar of the loop range, 1-based; 0 = none
  int16_t LoopEnde = 0;    ///< last bar, 1-based
  double StartVersatz = 0;
  double AnzeigeVersatz = 0;
  double Umlaufversatz = 0;  ///< ticks
  double Planungsgrenze = 0;
  int32_t Freigabe = 0;
  double Engineposition = 0;
  std::array<int32_t, arrangement::kSpurAnzahl> GeplantBis{};
  std::array<int32_t, 121> Umlaufmarken{};
  int16_t Lesemarke = 0;
  int16_t Schreibmarke = 0;
  int64_t Startgrenze = 0;

  // --- Transport state ----------------------------------------------------------------------
  int32_t ErsterTakt = 0;  ///< first visible bar
  int16_t MarkerSpalte = 0;
  int32_t SpielTakt = 0;
  int32_t VorherTakt = 0;
  int16_t FadenX = 0;
  int16_t Neustartzaehler = 0;
  bool Neustartwunsch = false;
  bool EndeErreicht = false;
  bool ExportLaeuft = false;
  int32_t AnzeigeZeit = -1;
  int32_t AnzeigeTakt = -1;
  uint32_t AnzeigeSperreBis = 0;  ///< ms of the clock; 0 = none
  int32_t Tickzaehler = 0;

  /// True with LoopModus on and a range set.
  bool LoopAktiv() const { return LoopModus != 0 && LoopAnfang > 0; }

 private:
  bool SongLeer() const;
  /// Completion test: every track with entries has been scheduled to its end (or loop end).
  bool AlleSpurenGeplant() const;
  void Umlauf();
  void Planen();
  double LaengeBytes(int32_t sample) const;
  /// The sample's audible length in engine bytes.
  double HoerbareBytes(const arrangement::SpurEintrag& e) const;
  bool Sichtbar(int32_t takt) const { return takt >= ErsterTakt && takt < ErsterTakt + kSichtbareTakte; }
  void MarkerZeichnen(bool marker);
  void Seitenwechsel();

  platform::Engine& engine_;
  arrangement::Spuren& spuren_;
  library::Katalog& katalog_;
  platform::Clock& uhr_;
  Transportumgebung& umgebung_;
  const Kanaltabellen& kanaele_;
  Container container_;
  int32_t pixelProTakt_ = 50;

  bool ersterSchritt_ = false;     // the first playhead step after PlayInit shows the pointer
  bool effektNeustart_ = false;    // the effect preview restarts with the next playhead step
  bool unterlaufGemeldet_ = false; // the engine's late-output warning shows once a run
  bool metronomBereit_ = false;
  uint32_t letzterSchritt_ = 0;
  uint32_t letzteZeigerpflege_ = 0;
  uint32_t zeigerZeigenAb_ = 0;
};

}  // namespace zelo::playback
