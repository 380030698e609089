#pragma once
// The arrangement view: the 16 track rows with their sample blocks, the ruler of 22 bar cells,
// and everything the pointer does there (grabbing and dropping blocks, selecting, the rubber
// band, the eraser, the loop range, scrolling with its auto-repeat), plus the pointer handling
// of the sample list (pressing its buttons and dragging samples onto the tracks or onto a
// group button). It turns input into the operations of `Spuren` and draws the rows; the page
// engine, playback, undo and the list are reached through `Ansichtumgebung` and `Sampleliste`.
// Every routine runs on the user-interface thread. Positions are layout pixels.

#include <cstdint>
#include <string>
#include <vector>

#include "arrangement/AnsichtRechnung.h"
#include "arrangement/Spuren.h"
#include "library/Katalog.h"
#include "platform/Clock.h"
#include "platform/Window.h"

struct SDL_Surface;

namespace zelo::platform {
class GrafikEffekte;
}

namespace zelo::arrangement {

/// The playback values the view reads and moves; owned by playback.
struct Transportwerte {
  int32_t& ErsterTakt;   ///< first visible bar, 0-based
  int32_t& AktTakt;      ///< bar of the red marker, 0-based
  int16_t& LoopAnfang;   ///< 1-based, 0 = no range
  int16_t& LoopEnde;
  int16_t& LoopModus;
  int16_t& MixLaeuft;
};

/// What the sample editor needs to open over a clicked block (screen pixels).
struct Editorauftrag {
  SDL_Surface* Blockbild = nullptr;
  int X = 0, Y = 0;          ///< top-left of the visible block
  int SampleBreite = 0;      ///< the whole uncut block
  int Hoehe = 0;
  int PixelProTakt = 0;
  int32_t SchnittAnfang = 0, SchnittEnde = 0;
  int32_t Lautstaerke = 16384;  ///< the entry's volume + 16384
};

/// The rest of the program as the view sees it. Every routine does nothing by default.
class Ansichtumgebung {
 public:
  virtual ~Ansichtumgebung() = default;

  // Pages.
  virtual bool Hauptseite() { return true; }
  virtual bool Musterseite() { return false; }
  virtual bool Soundgruppenseite() { return false; }
  /// A page element's rectangle in layout pixels (the ruler 4, group buttons 45 to 56).
  virtual platform::Rect Element(int n) { return {}; }
  /// Draws ruler cell 1..22; `normal` false draws it as the marker.
  virtual void TaktZelle(int spalte, bool normal) {}
  /// The horizontal scroll fader (element 77) takes this value.
  virtual void HScroll(int32_t wert) {}
  virtual void ElementEin(int element) {}
  virtual void ElementAus(int element) {}
  virtual void Mixtext(const std::string& text) {}
  virtual void MixnameZeigen() {}
  virtual std::string Text(int n) { return {}; }
  virtual void Sanduhr() {}
  virtual void NormalZeiger() {}
  virtual void RadiererZeiger() {}
  /// True while the left mouse button is down (scroll buttons repeat while held).
  virtual bool LinkeTasteGedrueckt() { return false; }
  virtual platform::Window* Fenster() { return nullptr; }

  // Playback.
  virtual void PlayInit(const std::string& modus) {}
  virtual void AllStop(const std::string& modus) {}
  virtual void SetRot(int32_t takt) {}
  virtual void RotPlayRestart() {}
  /// Erases the playhead line before rows are repainted under it.
  virtual void FadenLoeschen() {}
  /// Hides the popup picture and ends any drag (calls back `ZugBeenden`).
  virtual void SampiAus() {}
  virtual bool SampiVomInfobild() { return false; }

  // Editing.
  virtual void UndoSichern() {}
  /// Closes the quick fader and the sample editor (`SofortAus`("quickRegler")).
  virtual void Schnellregler() {}
  virtual void SampleEditorZeichnen() {}
  virtual void SampleEditorOeffnen(const Editorauftrag& auftrag) {}
  /// An entry's sample and cuts become the current sample (`Hauptnummer` with its cuts), the
  /// one auditioned next.
  virtual void Vorhoerauswahl(int sample, int32_t schnittAnfang, int32_t schnittEnde) {}
};

/// The sound-group list as the view sees it: its visible buttons and marks, and the library
/// routines a press or drop sets off. Every routine does nothing by default.
class Sampleliste {
 public:
  virtual ~Sampleliste() = default;
  virtual std::vector<Listenknopf> Knopfliste() { return {}; }
  virtual std::vector<bool> Auswahlmarken() { return {}; }
  virtual int Blockhoehe() { return 0; }
  /// The list area (element 2), edges included.
  virtual platform::Rect Listenbereich() { return {}; }
  virtual int Hauptnummer() { return 0; }
  /// The current sample, with its cut values.
  virtual void HauptnummerSetzen(int sample) {}
  /// Draws the current sample in its selected look until the next press on an element.
  virtual void Hervorheben() {}
  virtual void ListeAufbauen() {}
  /// Deletes the current sample (or the marked ones) after asking.
  virtual void Loeschen() {}
  /// The sample popup menu at a screen position.
  virtual void Kontextmenue(int x, int y) {}
  /// Rubber-band selection in the list (layout pixels).
  virtual void SelSa(int shift, int x, int y, int breite, int hoehe) {}
  /// Moves a user sound into another group and rebuilds the groups.
  virtual void InGruppe(int sample, int gruppe) {}
};

/// What the view draws blocks with: the graphics library, its block picture and texture pair.
struct Blockmittel {
  platform::GrafikEffekte* Gfx = nullptr;
  SDL_Surface* Blockbild = nullptr;
  int32_t Texturpaar = 0;
};

/// `Mausmodus`: what the pointer is doing in the track area.
enum class Mausmodus : int16_t { Ruhe = 0, Ziehen = 1, Geklickt = 2, Band = 3, Radieren = 4 };

class Ansicht {
 public:
  Ansicht(Spuren& spuren, const library::Katalog& katalog, Transportwerte transport, platform::Clock& uhr,
          Ansichtumgebung& umgebung, Sampleliste& liste, Blockmittel mittel = {});
  ~Ansicht();
  Ansicht(const Ansicht&) = delete;
  Ansicht& operator=(const Ansicht&) = delete;

  // --- Setup -----------------------------------------------------------------------------
  /// Takes the geometry of the main page's track area; the empty rows are copied from the back
  /// image now, so call it right after the page background was drawn.
  void SpurGeometrieSetzen(const Spurgeometrie& g);
  /// The pattern page's strip: row 16 at `streifenOben`, the rest as the main page.
  void StreifenGeometrieSetzen(const Spurgeometrie& g, int streifenOben);
  const Spurgeometrie& Geometrie() const { return geo_; }

  // --- Drawing -----------------------------------------------------------------------------
  /// Redraws the marked rows (main and pattern page): playhead off, rows, quick fader closed.
  void ZSpuren();
  /// Marks tracks 0 to 15 and redraws them.
  void AlleNeuZeichnen();
  void SpurenZeichnen();
  void SpurZeichnen(int spur);
  void LinealZeichnen();
  void TaktZelleZeichnen(int spalte, bool marker);
  /// Whether a bar (1-based) lies in the loop range.
  bool ImLoop(int takt) const;

  // --- Ruler -------------------------------------------------------------------------------
  /// A press on a ruler cell: the loop range goes; true when a cell was hit.
  bool TaktKlick(int button, int shift, int x, int y);
  /// A band dragged over the ruler sets the loop range.
  void SelTa(int shift, const platform::Rect& band);
  int Linealspalte() const { return linealspalte_; }
  void LinealspalteLoeschen() { linealspalte_ = 0; }

  // --- Pointer in the track area -----------------------------------------------------------
  void SpurMausDown(int button, int shift, int x, int y, bool nurZeile16);
  void SpurMausMove(int button, int shift, int x, int y);
  void SpurMausUp(int button, int shift, int x, int y);
  /// Places a sample from the list at a block's left x and vertical centre; index or -1.
  int32_t SampleAbwurf(int x, double y, int sample, Raster raster);
  Mausmodus Modus() const { return modus_; }

  bool Radierer() const { return radierer_; }
  void RadiererUmschalten();
  void RadiererEnde();
  void Radieren(int x, int y);

  // --- Sample list -------------------------------------------------------------------------
  bool SampleKlick(int button, int shift, int x, int y);
  bool KontextKlick(int button, int shift, int x, int y);
  void ListenZugStart(int knopf, int druckX, int druckY);
  void ListenZugBewegen(int x, int y);
  /// Drops the dragged sample; Ctrl as `shift` places it to the sixteenth.
  void ListenAbwurf(int shift);
  /// The group button a dragged user sound would go to (0..11), or kKeineGruppe.
  int Zielgruppe() const { return zielgruppe_; }
  /// The release happened on the delete target (element 25).
  void LoeschzielSetzen(bool gesetzt) { loeschziel_ = gesetzt; }

  // --- Drag display ------------------------------------------------------------------------
  bool ZugbildSichtbar() const { return zugbildSichtbar_; }
  platform::Rect Zugbild() const { return zugbild_; }
  bool ZugRechteckSichtbar() const { return rahmenSichtbar_ || modus_ == Mausmodus::Band; }
  /// Ends every drag: pictures hidden, flags cleared, `Mausmodus` 0.
  void ZugBeenden();
  /// Pointer moves for the drag pictures (the list drag and a grabbed block).
  void ZugbildBewegen(int x, int y);

  // --- Scrolling ---------------------------------------------------------------------------
  /// One bar left (-1) or right (1); arms the auto-repeat of a held button.
  void Scrollen(int richtung);
  void ScrollWiederholungZuruecksetzen() { wiederholung_ = 0; }
  void ScrollUndHalteklickStoppen();
  bool ScrollWiederholt() const { return scrollRichtung_ != 0; }
  /// With marker mode on, the scroll buttons move the red marker instead of the view.
  void MarkermodusSetzen(bool an) { markermodus_ = an; }
  void Blaettern(int takte);
  void AufSpielpositionScrollen(int32_t spielTakt);
  /// Back to bar 0, with the marker there.
  void TaktAufNull();
  /// The horizontal fader moved: its first bar becomes the view's.
  void HScrollUebernehmen(int32_t ersterTakt);
  /// The timer chores: scroll auto-repeat, edge scrolling, the group target of a dragged sound.
  void Zeitarbeit();
  /// The timer's hold-click count: 15 steps after a click the sample editor opens.
  void Halteklick();

  // --- Keys and the sample editor ----------------------------------------------------------
  void Kopieren(const std::string& datei);
  void Ausschneiden(const std::string& datei);
  void Einfuegen(const std::string& datei);
  void AllesMarkieren();
  void NichtsMarkieren();
  void MarkierteLoeschen();
  /// The clicked entry takes the sample editor's cuts and volume (offset, 0 = own level).
  void EditorWerteUebernehmen(int32_t schnittAnfang, int32_t schnittEnde, int32_t lautstaerke);

 private:
  bool Zeichnet() const;
  bool SampleToHdc(int sample, bool ausgewaehlt);
  void ZeileZeichnen(int spur);
  void ZeileLoeschen(int spur);
  void Hintergrund(int x, int y, int breite);
  void ZeileInvalidieren(int spur);
  void BandZeigen(const platform::Rect& r);
  void BandVerbergen();
  void BildZeigen(const platform::Rect& r);
  void BildVerbergen();
  void BildFuellen(int breite, int hoehe);
  platform::Rect Auswahlumriss() const;
  bool Eigenes(int sample) const;
  void ErsterTaktSetzen(int32_t takt);
  void Schritt(int richtung, int32_t takte);
  platform::Rect Bildschirm(const platform::Rect& r) const;

  Spuren& spuren_;
  const library::Katalog& katalog_;
  Transportwerte t_;
  platform::Clock& uhr_;
  Ansichtumgebung& u_;
  Sampleliste& liste_;
  Blockmittel mittel_;

  Spurgeometrie geo_;
  bool streifen_ = false;
  SDL_Surface* leer_ = nullptr;  // the empty rows as the page background shows them
  int32_t gezeichneterErsterTakt_ = -1;
  // The block picture holds one rendering; it is redone only when one of these differs.
  int gerendertSample_ = -1;
  bool gerendertAuswahl_ = false;
  std::string gerendertName_, gerendertName2_;

  Mausmodus modus_ = Mausmodus::Ruhe;
  bool radierer_ = false;
  int linealspalte_ = 0;

  // A grabbed block or a list sample on its way.
  bool gegriffen_ = false;
  int druckX_ = 0, druckY_ = 0;
  int32_t druckTick_ = 0;
  int druckSpur_ = -1;
  platform::Rect zugbild_;
  int zugStartX_ = 0, zugStartY_ = 0;
  bool zugbildSichtbar_ = false;
  platform::Rect bildGezeigt_;  // screen rectangle the drag layer holds
  SDL_Surface* zugInhalt_ = nullptr;
  platform::Rect rahmen_;
  int rahmenStartX_ = 0, rahmenStartY_ = 0;
  bool rahmenSichtbar_ = false;
  int32_t feinTick_ = INT32_MIN;
  int zeigerX_ = 0, zeigerY_ = 0;
  // The rubber band's start in content pixels, so edge scrolling stretches it.
  int bandInhaltX_ = 0, bandY_ = 0;
  platform::Rect band_;
  platform::Rect bandGezeigt_;

  // The clicked entry and the hold-click count that opens the sample editor.
  int klickSpur_ = -1;
  int32_t klickStart_ = -1;
  int haltezaehler_ = 0;
  Editorauftrag auftrag_;

  // Sample list drag state.
  int gedruecktesSample_ = 0;
  int gezogenesSample_ = 0;
  bool druckBereit_ = false;
  bool ziehtListe_ = false;
  bool umrissAn_ = false;
  platform::Rect umriss_;
  int zielgruppe_ = kKeineGruppe;
  bool loeschziel_ = false;

  // Scrolling.
  int scrollRichtung_ = 0;
  int wiederholung_ = 0;
  uint32_t naechsteWiederholung_ = 0;
  bool markermodus_ = false;
  uint32_t randSeit_ = 0;
  uint32_t randNaechster_ = 0;
};

}  // namespace zelo::arrangement
