#pragma once
// The arrangement: 17 tracks of sample placements, sorted by start, and every operation the
// view, the scheduler, the mix file and undo use on them. The store never draws; it raises
// the flags that tell the view which rows to redraw. The application owns one Spuren, tests
// make their own. Every function here runs on the user-interface thread.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "library/Katalog.h"

namespace zelo::arrangement {

/// Ticks of one bar; placements count time in ticks.
inline constexpr int32_t kTicksProTakt = 128;
/// The latest start a placement may have (the first tick of bar 1000 is refused).
inline constexpr int32_t kSpaetesterStart = 127872;
/// Tracks 0 to 15 sound; track 16 is the transient row below them.
inline constexpr int kSpurAnzahl = 17;
inline constexpr int kHoerbareSpuren = 16;
inline constexpr int kSonderspur = 16;
/// Entries a track holds; one more slot serves as the search sentinel.
inline constexpr int32_t kMaxEintraege = 2500;
/// Booleans of the store: true is -1.
inline constexpr int16_t kWahr = -1;

/// One placement of a sample on a track.
struct SpurEintrag {
  int32_t Start = 0;          ///< ticks, >= 0
  int16_t SampleNr = 0;       ///< catalogue sample number, 1 to 17100
  int32_t SchnittAnfang = 0;  ///< ticks cut from the sample's beginning
  int32_t SchnittEnde = 0;    ///< ticks cut from its end
  int16_t Lautstaerke = 0;    ///< -16384 to 16383, 0 = the sample's own level
  int16_t Markiert = 0;       ///< -1 selected, 0 not
};

/// One track: `Anzahl` entries sorted by `Start`, at most one per start.
struct Spur {
  int32_t Anzahl = 0;
  std::array<SpurEintrag, kMaxEintraege + 1> Eintrag{};
};

/// What the view grabbed when a drag began; `SampleAblegen` reads it.
struct Zugdaten {
  int16_t ZugSample = 0;
  int32_t ZugSchnittAnfang = 0;
  int32_t ZugSchnittEnde = 0;
  int16_t ZugLautstaerke = 0;
  bool ZugMehrfach = false;  ///< the grabbed entry was selected together with others
  int32_t ZugSpur = 0;
  int32_t ZugIndex = 0;
  int32_t ZugStart = 0;
};

/// Whether `SampleAblegen` moves the grabbed entries or copies them.
enum class Ablage { Kopieren, Verschieben };
/// Whether `RahmenMarkieren` clears the old selection first.
enum class Auswahl { Erweitern, Ersetzen };
/// Whether `Einfuegen` removes the clipboard file after reading it.
enum class Ablagedatei { Behalten, Loeschen };

class Spuren {
 public:
  /// The catalogue gives each sample's length; the ranges say which samples track 16 takes.
  explicit Spuren(const library::Katalog& katalog);
  Spuren(const Spuren&) = delete;
  Spuren& operator=(const Spuren&) = delete;

  // --- Setup --------------------------------------------------------------------------
  /// The sample-number ranges (`SampleBereich`), filled once at start-up.
  void BereicheSetzen(const std::array<library::Bereich, 21>& bereiche) { bereiche_ = bereiche; }
  const std::array<library::Bereich, 21>& Bereiche() const { return bereiche_; }
  /// Pixels per bar of the layout: sample lengths come from the block widths.
  void PixelProTaktSetzen(int32_t pixelProTakt) { pixelProTakt_ = pixelProTakt; }
  /// The folder of the clipboard file (ends with "/").
  void TempOrdnerSetzen(const std::string& ordner);
  const std::string& TempOrdner() const { return tempOrdner_; }

  // --- The store ------------------------------------------------------------------------
  Spur& operator[](int spur) { return *spuren_[static_cast<size_t>(spur)]; }
  const Spur& operator[](int spur) const { return *spuren_[static_cast<size_t>(spur)]; }
  /// Per track: -1 when the view must redraw its row (indexes 17 to 20 are spare).
  std::array<int16_t, 21> SpurGeaendert{};
  /// -1 after any change the user may want to save.
  int16_t MixGeaendert = 0;
  Zugdaten Zug;
  /// The lowest track of the last copied selection.
  int16_t EinfuegeSpur = 0;

  // --- Lengths and ends -----------------------------------------------------------------
  /// Length of sample s in ticks, from its block width.
  int32_t Laenge(int sample) const;
  /// Start + length - both cuts, limited to the next entry's start.
  int32_t HoerbaresEnde(int spur, int index) const;
  /// Start + length - cut at the end, limited to the next entry's start.
  int32_t MarkierEnde(int spur, int index) const;
  /// Start + length - both cuts, not limited (the scheduler's length of a last entry).
  int32_t HoerbaresEndeFrei(int spur, int index) const;

  // --- Operations -----------------------------------------------------------------------
  /// Places `sample` at `start` (rounded to a sixteenth); index, or -1 when refused.
  int32_t SampleSetzen(int32_t spur, int32_t start, int32_t sample);
  /// Removes one entry; -1 when removed, 0 when the track was empty or the index negative.
  int16_t SampleLoeschen(int32_t spur, int32_t index);
  /// Index of the entry with exactly that start, or -1.
  int32_t EintragSuchen(int32_t spur, int32_t start) const;
  /// Index of the entry whose audible extent covers the tick, or -1.
  int32_t SampleTreffer(int32_t spur, int32_t tick) const;
  /// Index of the last entry that starts at or before the tick; 0 when there is none.
  int32_t EintragVor(int32_t spur, int32_t tick) const;
  void SpurDemarkieren(int32_t spur);
  void AllesMarkieren();
  /// Deselects tracks 0 to 15; -1 when anything was selected.
  int16_t NichtsMarkieren();
  void RahmenMarkieren(int32_t ersteSpur, int32_t letzteSpur, int32_t vonTick, int32_t bisTick,
                       Auswahl auswahl);
  void MarkierteLoeschen();
  /// Writes the selection of tracks 0 to 15 into the clipboard file; false when it could not be written.
  bool Kopieren(const std::string& name);
  bool Ausschneiden(const std::string& name);
  /// Places the clipboard file's entries so that its first record's track lands on
  /// `basisSpur` and its earliest start on `basisTick`.
  void Einfuegen(const std::string& name, int32_t basisSpur, int32_t basisTick, Ablagedatei datei);
  /// Drops what `Zug` describes on track `zielSpur` at `tick`.
  void SampleAblegen(int32_t zielSpur, int32_t tick, Ablage ablage);
  /// Empties every track and clears `MixGeaendert`.
  void MixLoeschen();
  /// Empties the transient row.
  void SonderspurLeeren();

  /// True when track `spur` takes sample `sample` (track 16 only the special range).
  bool SpurNimmt(int32_t spur, int32_t sample) const;

 private:
  bool GueltigeSpur(int32_t spur) const { return spur >= 0 && spur < kSpurAnzahl; }
  int32_t Begrenzt(int spur, int index, int32_t ende) const;
  /// Merges `neu` (sorted) into track `ziel`; an entry of `neu` replaces one at the same start.
  void Zusammenfuehren(int ziel, const Spur& neu);

  const library::Katalog& katalog_;
  std::array<library::Bereich, 21> bereiche_;
  int32_t pixelProTakt_ = 0;
  std::string tempOrdner_ = "/tmp/";
  std::array<std::unique_ptr<Spur>, kSpurAnzahl> spuren_;
  // Track-wide rewrites go through these, allocated once: two collect, one merges.
  std::unique_ptr<Spur> sammel_, rest_, misch_;
};

/// True for the sixteen audible tracks.
inline bool Hoerbar(int spur) { return spur >= 0 && spur < kHoerbareSpuren; }

}  // namespace zelo::arrangement
