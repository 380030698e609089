#pragma once
// How the running program serves what the library, the arrangement view and playback ask of
// the rest of it: each subsystem names its needs in a small interface, and these classes
// answer them from the page engine, the application and the other subsystems that Verbund
// holds. UI thread only.

#include <string>
#include <vector>

#include "arrangement/Ansicht.h"
#include "library/ListenAnsicht.h"
#include "playback/Transportumgebung.h"

namespace zelo::app {

class Verbund;

/// Playback's screen and neighbours: the playhead, ruler cells, the mix text, page elements.
class Transportseite final : public playback::Transportumgebung {
 public:
  explicit Transportseite(Verbund& v) : v_(v) {}

  void FadenZeichnen(int32_t x) override;
  void FadenLoeschen(int32_t x) override;
  void TaktZelleZeichnen(int32_t spalte, bool marker) override;
  void LinealZeichnen() override;
  void SpurenZeichnen() override;
  void Mixtext(const std::string& text) override;
  void MixnameZeigen() override;
  void ElementSetzen(int element, int zustand, bool zeichnen) override;
  void ElementEinblenden(int element, int ms) override;
  void BlendenFertig() override;
  bool MusterseiteAktiv() override;
  void Sanduhr() override;
  void NormalZeiger() override;
  void Warnung(const std::string& text, int titel) override;
  std::string Text(int n) override;
  bool BildboxSichtbar() override;
  void BildboxVerbergen() override;
  void ZugBeenden() override;
  void ScrollUndHalteklickStoppen() override;
  bool ScrollWiederholt() override;
  void SchnellreglerSchliessen() override;
  void SampleEditorSchliessen() override;
  void TimerJederDurchlauf() override;
  void Halteklick() override;
  void MetronomVorbereiten() override;
  void Zeitarbeiten() override;

 private:
  Verbund& v_;
};

/// The sound-group list's needs beyond the page engine's: faders, pointer, the arrangement.
class Listenseite final : public library::ListenAnsicht {
 public:
  Listenseite(Verbund& v, int blockhoehe);

  void ReglerSetzen(int element, int32_t wert) override;
  void ReglerSetAdder(int element, int32_t schritt) override;
  void Sanduhr() override;
  void NormalZeiger() override;
  void AllStop(const std::string& grund) override;
  void KnopfVergessen() override;
  void SpurauswahlAufheben() override;
  void ArrangementNeuZeichnen() override;
  bool AusSpurenEntfernen(int sample) override;

 private:
  Verbund& v_;
};

/// The arrangement view's needs (pages, playback, editing) and its view of the sample list.
class Ansichtseite final : public arrangement::Ansichtumgebung, public arrangement::Sampleliste {
 public:
  explicit Ansichtseite(Verbund& v) : v_(v) {}

  // Ansichtumgebung.
  bool Hauptseite() override;
  bool Musterseite() override;
  bool Soundgruppenseite() override;
  platform::Rect Element(int n) override;
  void TaktZelle(int spalte, bool normal) override;
  void HScroll(int32_t wert) override;
  void ElementEin(int element) override;
  void ElementAus(int element) override;
  void Mixtext(const std::string& text) override;
  void MixnameZeigen() override;
  std::string Text(int n) override;
  void Sanduhr() override;
  void NormalZeiger() override;
  void RadiererZeiger() override;
  bool LinkeTasteGedrueckt() override;
  platform::Window* Fenster() override;
  void PlayInit(const std::string& modus) override;
  void AllStop(const std::string& modus) override;
  void SetRot(int32_t takt) override;
  void RotPlayRestart() override;
  void FadenLoeschen() override;
  void SampiAus() override;
  void Schnellregler() override;
  void Vorhoerauswahl(int sample, int32_t schnittAnfang, int32_t schnittEnde) override;

  // Sampleliste.
  std::vector<arrangement::Listenknopf> Knopfliste() override;
  std::vector<bool> Auswahlmarken() override;
  int Blockhoehe() override;
  platform::Rect Listenbereich() override;
  int Hauptnummer() override;
  void HauptnummerSetzen(int sample) override;
  void Hervorheben() override;
  void ListeAufbauen() override;
  void Loeschen() override;
  void Kontextmenue(int x, int y) override;
  void SelSa(int shift, int x, int y, int breite, int hoehe) override;
  void InGruppe(int sample, int gruppe) override;

 private:
  Verbund& v_;
};

}  // namespace zelo::app
