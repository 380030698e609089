#pragma once
// The sound-group panel's list and the user's work on it: which group is shown, the sort
// order, the list's layout and scrolling, the rubber-band selection, the current sample, and
// renaming, deleting and moving the user's own samples. What the list needs of the pages, the
// arrangement and playback it asks through `Listenumgebung`, so it runs without a screen.
// UI thread only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "library/Gruppen.h"
#include "library/Katalog.h"
#include "library/Listenlayout.h"

namespace zelo::platform {
class DialogHost;
class Engine;
}  // namespace zelo::platform
namespace zelo::dialogs {
class Kleindialoge;
class Menuefenster;
}  // namespace zelo::dialogs
namespace zelo::text {
class Texte;
}

namespace zelo::library {

/// Page elements the list works with.
inline constexpr int kListenElement = 2;
inline constexpr int kScrollElement = 5;
inline constexpr int kErsterGruppenknopf = 45;
inline constexpr int kLetzterGruppenknopf = 54;
/// Page bits of the panels the group buttons care about.
inline constexpr int kSeiteSoundgruppen = 2;
inline constexpr int kSeiteMixer = 8;
inline constexpr int kSeiteTimestretch = 16;

/// What the list asks of the rest of the program; every routine does nothing by default.
class Listenumgebung {
 public:
  virtual ~Listenumgebung() = default;
  // Page engine.
  virtual bool SeiteAktiv(int bit) { return false; }
  virtual void SzeneAktivieren(const std::string& befehl, int zustand) {}
  /// Starts an element's fade back to its normal image.
  virtual void Ausblenden(int element) {}
  /// Raises (+1) or lowers (-1) the drawing depth while a group change draws.
  virtual void Zeichentiefe(int schritt) {}
  virtual int32_t ElementWert(int element) { return 0; }
  virtual void ElementWertSetzen(int element, int32_t wert) {}
  /// Moves a fader (widget and element value); sets its step for a click beside the knob.
  virtual void ReglerSetzen(int element, int32_t wert) {}
  virtual void ReglerSetAdder(int element, int32_t schritt) {}
  virtual uint32_t Millis() { return 0; }
  // Drawing of the list.
  /// Paints the empty list area from the panel picture.
  virtual void ListenflaecheHerstellen() {}
  virtual void KnopfZeichnen(const Listenknopf& knopf) {}
  /// Marks the list area for repainting.
  virtual void ListenflaecheZeigen() {}
  // Pointer, arrangement and playback.
  virtual void Sanduhr() {}
  virtual void NormalZeiger() {}
  virtual void AllStop(const std::string& grund) {}
  /// Forgets the pressed list button of a drag in progress.
  virtual void KnopfVergessen() {}
  /// Clears the arrangement's selection (`NichtsMarkieren`) and redraws the tracks it touched.
  virtual void SpurauswahlAufheben() {}
  /// Redraws every track (names or samples changed).
  virtual void ArrangementNeuZeichnen() {}
  /// Removes every entry that plays the sample from all 17 tracks; true when one went.
  virtual bool AusSpurenEntfernen(int sample) { return false; }
  /// Deletes a sound file the program made; true when it is gone.
  virtual bool DateiLoeschen(const std::string& pfad);
};

/// Range of a sample for the list's operations: 1 the user's own sounds, 2 the special
/// track's, 0 any other.
int SampleBereichCode(int sample, const std::array<Bereich, 21>& bereiche);
/// True when a file lies in one of the folders where the program stores the sounds it made.
bool GespeicherterKlang(const std::string& datei);

class Soundgruppen {
 public:
  Soundgruppen(Katalog& katalog, platform::Engine& engine, Listenumgebung& umgebung);

  void GeometrieSetzen(const Listengeometrie& g) { geometrie_ = g; }
  const Listengeometrie& Geometrie() const { return geometrie_; }
  void BereicheSetzen(const std::array<Bereich, 21>& b) { bereiche_ = b; }

  Gruppenordnung Ordnung;
  int16_t Sortiermodus = kSortImport;
  /// The group page shown, 0 to 17 (group code - 1).
  int16_t Gruppenseite = 0;
  int ErsteZeile = 0;
  int Scrollziel = 0;
  /// The current group element, and when its blink cycle began.
  int Gruppenelement = 0;
  uint32_t Blinkstart = 0;
  /// The current sample with its cuts, and whether the list draws it highlighted.
  int16_t Hauptnummer = 0;
  int32_t SchnittAnfang = 0, SchnittEnde = 0;
  bool Hervorhebung = false;
  /// One mark per visible button; the selection flag and the first row it was made at.
  std::vector<uint8_t> Auswahlmarke;
  bool AuswahlAktiv = false;
  int AuswahlZeile = 0;

  /// The list as last laid out.
  const Listenlayout& Layout() const { return layout_; }
  const std::vector<Listenknopf>& Knopfliste() const { return layout_.Knoepfe; }
  int Zeilenzahl() const { return layout_.Zeilenzahl; }

  // --- Order ----------------------------------------------------------------------------------
  void GruppenOrdnen(int modus = 0);
  void GruppenSortieren(int modus);
  /// Sorts for `Sortiermodus`; with `neu` also forgets the pressed button, scrolls to the top
  /// and redraws the list.
  void sorting(bool neu);
  /// A sort entry of the sample menu was chosen.
  void SortierungWaehlen(int modus);

  // --- The list -------------------------------------------------------------------------------
  /// Makes a group button current and shows its group (`umschalt` closes the mixer and the
  /// time-stretch panel; mode "save" keeps the scroll position when the group stays).
  void AktiviereGruppe(int element, bool umschalt, const std::string& modus);
  /// Restores the list area and lays the page out again (pages of 20 and more are ignored).
  void SButt(int seite);
  void ListeAufbauen(int seite);
  /// The current page again.
  void Neuzeichnen() { SButt(Gruppenseite); }
  /// Ends the highlight of the current sample; true when the list must be drawn again.
  bool HervorhebungBeenden();
  /// The sample of the first button under a layout point, 0 for none.
  int SampleUnter(int x, int y) const;
  void AuswahlLoeschen();
  /// True when a visible button is marked.
  bool HatMarkierte() const;

  // --- Scrolling ------------------------------------------------------------------------------
  void SetVScroll();
  void ListeHoch();
  void ListeRunter();
  /// The scroll fader moved to `wert`: only the target row changes.
  void ScrollReglerBewegt(int32_t wert);
  /// The timer step: takes over the target row; true when the list moved.
  bool ScrollzielUebernehmen();

  // --- Selection and management ---------------------------------------------------------------
  /// Rubber band over the list (layout pixels); shift 1 adds to the selection.
  void SelSa(int shift, int links, int oben, int breite, int hoehe);
  /// The sample popup menu at a window position; the chosen entry has run when it returns.
  int Kontextmenue(dialogs::Menuefenster& menue, int x, int y);
  /// Renames the current sample (user's and special-track samples only).
  void msgname(dialogs::Kleindialoge& dialoge, const text::Texte& texte);
  /// Deletes the marked samples, or the current one, after asking.
  void imloe(platform::DialogHost& dialoge, const text::Texte& texte);
  /// Moves a user's own sample into group `gruppe` (1 to 12) as an independent sound.
  bool InGruppeVerschieben(int sample, int gruppe);

  int Bereich(int sample) const { return SampleBereichCode(sample, bereiche_); }
  /// The two name lines joined, as the tools show a sample.
  std::string SampleNameVoll(int sample) const;

 private:
  void Legen(int block, int seite);
  void SlotLoeschen(int sample);

  Katalog& katalog_;
  platform::Engine& engine_;
  Listenumgebung& u_;
  Listengeometrie geometrie_;
  std::array<library::Bereich, 21> bereiche_ = SampleBereichAnlegen();
  Listenlayout layout_;
  int letzterBlock_ = 1;
};

}  // namespace zelo::library
