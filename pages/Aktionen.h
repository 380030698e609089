#pragma once
// What the pages and the input dispatch ask of the rest of the program: the widgets, the
// dialogs, the sample library, the arrangement, playback, the mixer, the sound tools, import
// and export, and the application's own flags and pointers. Every routine does nothing (or
// answers "nothing happened") until its subsystem overrides it, so the page engine runs on its
// own and tests record what it asked for. UI thread only.

#include <cstdint>
#include <string>

namespace zelo::pages {

class Aktionen {
 public:
  virtual ~Aktionen() = default;

  // --- Application -------------------------------------------------------------------------
  /// True while start-up's first activation has not run yet.
  virtual bool ErsteAktivierungOffen() { return false; }
  /// True while the start-up intro is shown (a click or key only ends it).
  virtual bool IntroFlag() { return false; }
  virtual void IntroLoeschen() {}
  /// True once shutdown has begun.
  virtual bool Beendet() { return false; }
  virtual void ProzessEnde() {}
  /// The quit question; `element` is faded back and switched off when the user stays.
  virtual void EndeMeldung(int element) {}
  virtual void Minimieren() {}
  virtual void Sanduhr() {}
  virtual void NormalZeiger() {}
  /// Brings the window to the front and paints it at once.
  virtual void ZeigeWindow() {}

  // --- Widget engine ------------------------------------------------------------------------
  /// Pointer events for the faders: a fader handle, or -1 when no fader took the event.
  virtual int32_t MouseDown(int button, int shift, int x, int y) { return -1; }
  virtual int32_t MouseMove(int button, int shift, int x, int y) { return -1; }
  virtual int32_t MouseUp(int button, int shift, int x, int y) { return -1; }
  /// The one fader handler; not 0 when a fader movement was applied.
  virtual int SetRegler(int32_t handle) { return 0; }
  /// Creates the faders of the visible pages; closes all of them.
  virtual void ReglerAktivieren() {}
  virtual void ReglerCloseAll() {}
  virtual void ReglerSetAdder(int element, int32_t wert) {}
  /// Moves the fader of an element to a value (widget and element value).
  virtual void ReglerSetzen(int element, int32_t wert) {}
  /// The handle of the open quick fader, -1 when none; closing it forgets it.
  virtual int32_t QuickRegler() { return -1; }
  virtual void QuickReglerSchliessen() {}
  /// The sample editor on the main page: not 0 when it took the event.
  virtual int SEMouseDown(int button, int shift, int x, int y) { return 0; }
  virtual int SEMouseMove(int button, int shift, int x, int y) { return 0; }
  virtual int SEMouseUp(int button, int shift, int x, int y) { return 0; }
  virtual void SEDraw() {}
  /// The keyboard of the effect page: key 0..25, or -1; bit 0x8000 set when no key was hit.
  virtual int TastaturMouseDown(int button, int shift, int x, int y) { return 0x8000; }
  virtual int TastaturMouseMove(int button, int shift, int x, int y) { return -1; }
  virtual void TastaturEinrichten(int element) {}
  /// The LED matrix of the generator page: an LED index, or -1.
  virtual int MatrixMouseDown(int button, int shift, int x, int y) { return -1; }
  virtual int MatrixMouseMove(int button, int shift, int x, int y) { return -1; }
  virtual void MatrixEinrichten(int element) {}

  // --- Dialogs ------------------------------------------------------------------------------
  virtual bool HilfebildSichtbar() { return false; }
  virtual void HilfeVerbergen() {}
  /// The disk popup menu at the pointer (window position).
  virtual void DiskMenue(int x, int y) {}
  /// The help prompt, modal.
  virtual void HilfePrompt() {}
  /// True while an external file dialog is open; closes it.
  virtual bool ExternerDialogOffen() { return false; }
  virtual void ExternerDialogMarkieren() {}
  virtual void DLG_CloseExternal() {}
  /// A pending tempo-conversion question runs now.
  virtual void TempoFrageAusfuehren() {}
  /// True while a modal tool or operation holds the input (mouse and keys are ignored).
  virtual bool Eingabesperre() { return false; }
  virtual bool ModalesWerkzeug() { return false; }

  // --- Sample library and list --------------------------------------------------------------
  virtual void AktiviereGruppe(int element) {}
  virtual void ListeHoch() {}
  virtual void ListeRunter() {}
  /// Shows the current group's sample buttons from its first page.
  virtual void GruppenknoepfeZeigen() {}
  virtual bool GruppenknoepfeNeuZeichnen() { return false; }
  virtual bool ListenAuswahl() { return false; }
  virtual void SampleKontextmenue(int x, int y) {}
  virtual void SampleLoeschen() {}
  virtual void LoeschzielMarkieren(bool gesetzt) {}
  /// The range code of a sample (2 = a range that the tools refuse).
  virtual int SampleBereich(int sample) { return 0; }
  virtual int Hauptnummer() { return 0; }
  virtual std::string SampleNameVoll(int sample) { return {}; }

  // --- Arrangement --------------------------------------------------------------------------
  virtual bool AnsichtGesperrt() { return false; }
  virtual bool ZugLoslassenGesperrt() { return false; }
  virtual bool ZugRechteckSichtbar() { return false; }
  virtual bool ZugbildSichtbar() { return false; }
  /// Top-left of the dragged sample picture in layout pixels.
  virtual void ZugbildPosition(int& x, int& y) {}
  virtual void ZugbildVerbergen() {}
  virtual void ZugbildBewegen(int x, int y) {}
  virtual bool Radierer() { return false; }
  virtual void RadiererEnde() {}
  virtual void RadiererUmschalten() {}
  virtual void ArrangementEinrichten(int element) {}
  virtual void MatrixStreifenEinrichten(int element) {}
  virtual void SpurenZeichnen() {}
  virtual void Taktlineal() {}
  /// The arrangement's answers to a click that no element consumed.
  virtual bool SampleKlick(int button, int shift, int x, int y) { return false; }
  virtual bool KontextKlick(int button, int shift, int x, int y) { return false; }
  virtual bool TaktKlick(int button, int shift, int x, int y) { return false; }
  virtual int DrumTextKlick(int button, int shift, int x, int y) { return -1; }
  virtual void ArrangementKlick(int button, int shift, int x, int y) {}
  virtual void ArrangementBewegen(int button, int shift, int x, int y) {}
  virtual void ArrangementLoslassen(int button, int shift, int x, int y) {}
  virtual void SampleAbwurf(int x, int y, int shift) {}
  /// The selected event takes the sample editor's marks and volume.
  virtual void EditorWerteUebernehmen(bool neuEinsortieren) {}
  virtual void Scrollen(int richtung) {}
  virtual void ScrollWiederholungZuruecksetzen() {}
  /// Paging by bars (Page Up/Down, double click on the ruler, Clear while playing).
  virtual void Blaettern(int takte) {}
  virtual void AufSpielpositionScrollen() {}
  virtual int Linealspalte() { return 0; }
  virtual void LinealspalteLoeschen() {}
  virtual int ErsterSichtbarerTakt() { return 0; }
  virtual void MarkierteLoeschen() {}
  virtual void Ausschneiden(const std::string& datei) {}
  virtual void Kopieren(const std::string& datei) {}
  virtual void Einfuegen(const std::string& datei) {}
  virtual void AllesMarkieren() {}
  virtual void NichtsMarkieren() {}
  virtual void UndoSichern() {}
  virtual void UndoHolen() {}
  virtual void NeuerMix() {}
  virtual void MixSpeichern() {}
  virtual void MixOeffnen() {}
  virtual std::string MixName() { return {}; }

  // --- Playback -----------------------------------------------------------------------------
  virtual bool Spielt() { return false; }
  virtual bool LoopAn() { return false; }
  /// Whether a bar (1-based) lies in the loop range.
  virtual bool ImLoop(int takt) { return false; }
  virtual int Spielposition() { return 0; }
  virtual void PlayUpdate(int phase) {}
  virtual void SofortAus(const std::string& modus) {}
  virtual void AllStop(const std::string& grund) {}
  virtual void PlayStop() {}
  virtual void LoopUmschalten() {}
  virtual void ZumAnfang() {}
  virtual void ZumEnde() {}
  virtual void Stop() {}
  /// The ruler cell under the pointer becomes the playhead bar.
  virtual void LinealKlick(int spalte) {}
  virtual void Vorhoeren() {}
  virtual void SampiAus() {}
  virtual bool SampiSichtbar() { return false; }
  virtual bool SampiVomInfobild() { return false; }

  // --- Mixer and effects --------------------------------------------------------------------
  virtual void KanalKnopf(int element) {}
  virtual void Effektstop(const std::string& modus) {}
  virtual void EffektPlay(const std::string& modus) {}
  virtual void EffektSchalter(int element) {}
  virtual void EffektSpeichern() {}
  virtual bool EffektSpielt() { return false; }
  virtual bool EffektSampleGewaehlt() { return false; }
  virtual std::string EffektSampleName() { return {}; }
  virtual void EffektSampleSetzen(int sample) {}
  virtual void EffektNeuLaden() {}

  // --- Sound tools --------------------------------------------------------------------------
  virtual bool NimmtAuf() { return false; }
  virtual void AufnahmeUmschalten() {}
  virtual void AufnahmeSpur(int spur) {}
  virtual bool WerkzeugKlingt() { return false; }
  virtual void DrumSchalter(int element) {}
  virtual void PadAbwurf(int sample) {}
  virtual bool GeneratorNimmtAuf() { return false; }
  virtual void GeneratorAufnahmeBeenden() {}
  virtual void GeneratorAktion(int element) {}
  virtual void GeneratorPreset(int richtung) {}
  virtual void GeneratorQuelle(int sample) {}
  virtual void GeneratorEinrichten() {}
  virtual void MatrixPlay(const std::string& modus, int led) {}
  virtual bool StretchModus() { return false; }
  virtual void StretchModusAus() {}
  virtual void StretchAktion(int element) {}
  virtual void StretchLaden(int sample) {}
  virtual void StretchStarten() {}
  virtual double QuellTempo() { return 140; }
  virtual double ZielTempo() { return 140; }
  virtual std::string StretchQuelle() { return {}; }

  // --- Import and export --------------------------------------------------------------------
  virtual void Import() {}
  virtual void Export() {}
};

}  // namespace zelo::pages
