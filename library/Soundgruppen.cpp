#include "library/Soundgruppen.h"

#include <algorithm>
#include <cstdio>

#include "dialogs/Eingabebox.h"
#include "dialogs/Menuefenster.h"
#include "platform/Dialogs.h"
#include "platform/Engine.h"
#include "platform/Files.h"
#include "text/Texte.h"

namespace zelo::library {
namespace {

/// The folders below the working folder where the program stores the sounds it made: only
/// such files are deleted together with their sample.
constexpr const char* kKlangordner[] = {"recsav", "effecsav", "hypersav", "mixwaves", "timesav"};
/// The group page of the user's own sounds, shown newest first in import order.
constexpr int kEigeneSeite = 9;
/// A second name line this long marks a sound whose delete entry reads differently.
constexpr size_t kLangerName = 250;

}  // namespace

bool Listenumgebung::DateiLoeschen(const std::string& pfad) { return std::remove(pfad.c_str()) == 0; }

int SampleBereichCode(int s, const std::array<Bereich, 21>& b) {
  if (s >= b[1].Erste && s <= b[1].Letzte) return 1;
  if (s >= b[2].Erste && s <= b[2].Letzte) return 2;
  return 0;
}

bool GespeicherterKlang(const std::string& datei) {
  return std::any_of(std::begin(kKlangordner), std::end(kKlangordner),
                     [&](const char* o) { return platform::FindNoCase(datei, o) != std::string::npos; });
}

Soundgruppen::Soundgruppen(Katalog& katalog, platform::Engine& engine, Listenumgebung& umgebung)
    : katalog_(katalog), engine_(engine), u_(umgebung) {}

// --- Order -----------------------------------------------------------------------------------

void Soundgruppen::GruppenOrdnen(int) { Ordnung.GruppenOrdnen(katalog_, engine_); }

void Soundgruppen::GruppenSortieren(int modus) { Ordnung.GruppenSortieren(katalog_, engine_, modus); }

void Soundgruppen::sorting(bool neu) {
  u_.Sanduhr();
  GruppenSortieren(Sortiermodus);
  if (neu) {
    Hervorhebung = false;
    u_.KnopfVergessen();
    ErsteZeile = 0;
    Scrollziel = 0;
    u_.ReglerSetzen(kScrollElement, kReglerMax);
    SButt(Gruppenseite);
  }
  u_.NormalZeiger();
}

void Soundgruppen::SortierungWaehlen(int modus) {
  Sortiermodus = static_cast<int16_t>(modus);
  sorting(true);
}

// --- The list --------------------------------------------------------------------------------

void Soundgruppen::AktiviereGruppe(int element, bool umschalt, const std::string& modus) {
  const int vorher = Gruppenseite;
  Gruppenelement = element;
  u_.Zeichentiefe(+1);
  Blinkstart = u_.Millis();
  const bool panel = u_.SeiteAktiv(kSeiteSoundgruppen) || u_.SeiteAktiv(kSeiteTimestretch);
  for (int b = kErsterGruppenknopf; b <= kLetzterGruppenknopf; ++b) {
    if (b == element) continue;
    if (u_.ElementWert(b) != 0 && panel) u_.Ausblenden(b);
    u_.ElementWertSetzen(b, 0);
  }
  u_.ElementWertSetzen(element, 1);
  if (umschalt) {
    // Either panel covers the sound groups; closing it brings them back.
    if (u_.SeiteAktiv(kSeiteTimestretch)) u_.SzeneAktivieren("TimeStretchbild", 2);
    if (u_.SeiteAktiv(kSeiteMixer)) u_.SzeneAktivieren("Mixerbild", 2);
  }
  const int seite = element >= kErsterGruppenknopf && element <= kLetzterGruppenknopf ? element - 45 : element - 218;
  if (!(platform::EqualsNoCase(modus, "save") && seite == vorher)) {
    ErsteZeile = 0;
    Scrollziel = 0;
    u_.ReglerSetzen(kScrollElement, kReglerMax);
  }
  SButt(seite);
  u_.Zeichentiefe(-1);
}

void Soundgruppen::SButt(int seite) {
  if (seite < 0 || seite >= 20) return;
  if (u_.SeiteAktiv(kSeiteSoundgruppen)) u_.ListenflaecheHerstellen();
  ListeAufbauen(seite);
}

void Soundgruppen::ListeAufbauen(int seite) {
  if (seite < 0 || seite >= 20) return;
  Gruppenseite = static_cast<int16_t>(seite);
  if (!u_.SeiteAktiv(kSeiteSoundgruppen)) return;
  const int block = BlockDerSeite(seite);
  if (block != 0) letzterBlock_ = block;
  if (AuswahlAktiv && ErsteZeile != AuswahlZeile) AuswahlLoeschen();
  Legen(letzterBlock_, seite);
  if (layout_.LetzteZeile < ErsteZeile) {
    // Scrolled past the end (the group shrank): show its last rows rather than nothing.
    ErsteZeile = layout_.LetzteZeile;
    Scrollziel = ErsteZeile;
    if (AuswahlAktiv) AuswahlLoeschen();
    u_.ListenflaecheHerstellen();
    Legen(letzterBlock_, seite);
  }
  u_.ListenflaecheZeigen();
}

void Soundgruppen::Legen(int block, int seite) {
  std::vector<int16_t> folge = Ordnung.Block(block);
  if (Sortiermodus == kSortImport && seite == kEigeneSeite) std::reverse(folge.begin(), folge.end());
  layout_ = ListeLegen(folge, katalog_.SampleBreite, geometrie_, ErsteZeile);
  u_.ReglerSetAdder(kScrollElement, ScrollSchritt(layout_.Zeilenzahl));
  for (size_t k = 0; k < layout_.Knoepfe.size(); ++k) {
    Listenknopf& kn = layout_.Knoepfe[k];
    kn.Ausgewaehlt = (k < Auswahlmarke.size() && Auswahlmarke[k] != 0) || (Hervorhebung && kn.Sample == Hauptnummer);
    u_.KnopfZeichnen(kn);
  }
}

bool Soundgruppen::HervorhebungBeenden() {
  if (!Hervorhebung) return false;
  Hervorhebung = false;
  return true;
}

int Soundgruppen::SampleUnter(int x, int y) const {
  for (const Listenknopf& k : layout_.Knoepfe)
    if (x >= k.X && x <= k.X + k.Breite && y >= k.Y && y <= k.Y + geometrie_.H) return k.Sample;
  return 0;
}

void Soundgruppen::AuswahlLoeschen() {
  std::fill(Auswahlmarke.begin(), Auswahlmarke.end(), 0);
  AuswahlAktiv = false;
}

bool Soundgruppen::HatMarkierte() const {
  const size_t n = std::min(Auswahlmarke.size(), layout_.Knoepfe.size());
  return std::any_of(Auswahlmarke.begin(), Auswahlmarke.begin() + static_cast<std::ptrdiff_t>(n),
                     [](uint8_t m) { return m != 0; });
}

// --- Scrolling -------------------------------------------------------------------------------

void Soundgruppen::SetVScroll() {
  u_.ReglerSetzen(kScrollElement, ScrollReglerWert(ErsteZeile, layout_.Zeilenzahl));
  // The fader now stands where the list is: its target is this row, not an older one.
  Scrollziel = ErsteZeile;
  SButt(Gruppenseite);
}

void Soundgruppen::ListeHoch() {
  if (ErsteZeile > 0) --ErsteZeile;
  SetVScroll();
}

void Soundgruppen::ListeRunter() {
  if (ErsteZeile < layout_.Zeilenzahl - 4) ++ErsteZeile;
  if (layout_.Zeilenzahl < kSichtbareZeilen) ErsteZeile = 0;
  SetVScroll();
}

void Soundgruppen::ScrollReglerBewegt(int32_t wert) { Scrollziel = ScrollZiel(layout_.Zeilenzahl, wert); }

bool Soundgruppen::ScrollzielUebernehmen() {
  if (Scrollziel == ErsteZeile) return false;
  ErsteZeile = Scrollziel;
  SButt(Gruppenseite);
  return true;
}

// --- Selection and management ----------------------------------------------------------------

void Soundgruppen::SelSa(int shift, int links, int oben, int breite, int hoehe) {
  if (!u_.SeiteAktiv(kSeiteSoundgruppen)) return;
  if (shift != 1) AuswahlLoeschen();
  BandMarkieren(layout_.Knoepfe, katalog_.SampleBreite, geometrie_.H, links, oben, breite, hoehe, Auswahlmarke);
  if (HatMarkierte()) {
    AuswahlAktiv = true;
    AuswahlZeile = ErsteZeile;
  }
  ListeAufbauen(Gruppenseite);
  u_.SpurauswahlAufheben();
}

int Soundgruppen::Kontextmenue(dialogs::Menuefenster& menue, int x, int y) {
  ListeAufbauen(Gruppenseite);
  const auto s = static_cast<size_t>(std::clamp<int>(Hauptnummer, 0, kHoechsteSampleNummer));
  const bool eigenes = Bereich(Hauptnummer) != 0;
  const bool langerName = katalog_.SampleName2[s].size() > kLangerName ||
                          platform::FindNoCase(katalog_.SampleDatei[s], "recsav") != std::string::npos;
  menue.Sortiermodus = Sortiermodus;
  return menue.SampleMenue(x - menue.VersatzX, y - menue.VersatzY, eigenes, langerName);
}

void Soundgruppen::msgname(dialogs::Kleindialoge& dialoge, const text::Texte& texte) {
  const int s = Hauptnummer;
  if (!Katalog::IstNummer(s) || Bereich(s) == 0) return;
  const auto i = static_cast<size_t>(s);
  u_.AllStop("Normal");
  AuswahlLoeschen();
  Neuzeichnen();
  auto neu = dialogs::SampleNameEingeben(texte, dialoge, katalog_.SampleName[i], katalog_.SampleName2[i],
                                         katalog_.SampleDatei[i]);
  if (neu) {
    katalog_.SampleName[i] = neu->Zeile1;
    katalog_.SampleName2[i] = neu->Zeile2;
  }
  katalog_.KatalogGeaendert = true;
  Hauptnummer = 0;
  SchnittAnfang = SchnittEnde = 0;
  Hervorhebung = false;
  u_.KnopfVergessen();
  u_.ArrangementNeuZeichnen();
  Neuzeichnen();
}

void Soundgruppen::SlotLoeschen(int s) {
  const auto i = static_cast<size_t>(s);
  katalog_.SampleBreite[i] = 0;
  katalog_.SampleTakte[i] = 0;
  katalog_.SampleOrt[i] = kOrtLeer;
  katalog_.SampleHerkunft[i] = 0;
  katalog_.SampleGruppe[i] = 0;
  katalog_.SampleDatei[i].clear();
  katalog_.SampleName[i].clear();
  katalog_.SampleName2[i].clear();
  katalog_.KatalogGeaendert = true;
  if (Hauptnummer == s) {
    Hauptnummer = 0;
    SchnittAnfang = SchnittEnde = 0;
  }
}

void Soundgruppen::imloe(platform::DialogHost& dialoge, const text::Texte& texte) {
  bool entfernt = false;
  // Deletes one sample: its slot, its events, and its file when the program made it.
  auto loeschen = [&](int s) {
    const int bereich = Bereich(s);
    const std::string datei = katalog_.SampleDatei[static_cast<size_t>(s)];
    SlotLoeschen(s);
    entfernt |= u_.AusSpurenEntfernen(s);
    if (bereich == 1 && GespeicherterKlang(datei)) u_.DateiLoeschen(datei);
  };

  if (AuswahlAktiv && HatMarkierte()) {
    platform::MessageRequest frage{texte[66], texte[67], platform::Buttons::YesNo, platform::Icon::Exclamation, 1};
    if (dialoge.MessageBox(frage) != platform::Answer::Yes) {
      Neuzeichnen();
      return;
    }
    const std::vector<Listenknopf> knoepfe = layout_.Knoepfe;
    for (size_t k = 0; k < knoepfe.size() && k < Auswahlmarke.size(); ++k)
      if (Auswahlmarke[k] != 0 && Bereich(knoepfe[k].Sample) != 0) loeschen(knoepfe[k].Sample);
    katalog_.KatalogGeaendert = true;
    GruppenOrdnen(0);
    GruppenSortieren(Sortiermodus);
  } else {
    const int s = Hauptnummer;
    if (!Katalog::IstNummer(s)) return;
    const auto i = static_cast<size_t>(s);
    const int bereich = Bereich(s);
    const bool gespeichert = GespeicherterKlang(katalog_.SampleDatei[i]);
    const std::string name = katalog_.SampleName[i] + " - " + katalog_.SampleName2[i];
    platform::MessageRequest frage{{}, {}, platform::Buttons::YesNo, platform::Icon::Exclamation, 1};
    if (bereich == 1 && gespeichert) {
      frage.prompt = texte[252] + name + " (" + katalog_.SampleDatei[i] + ")" + texte[253];
      frage.title = texte[254];
    } else if (bereich == 1) {
      frage.prompt = texte[160] + name + " (" + katalog_.SampleDatei[i] + ")" + texte[161];
      frage.title = texte[162];
    } else if (bereich == 2 && !gespeichert) {
      frage.prompt = texte[249] + name + " " + texte[250];
      frage.title = texte[251];
    } else {
      return;
    }
    if (dialoge.MessageBox(frage) != platform::Answer::Yes) {
      Neuzeichnen();
      return;
    }
    loeschen(s);
    GruppenOrdnen(0);
    sorting(true);
  }
  AuswahlLoeschen();
  if (entfernt) u_.ArrangementNeuZeichnen();
  Neuzeichnen();
}

bool Soundgruppen::InGruppeVerschieben(int sample, int gruppe) {
  // Group buttons 45 to 54 and 56 stand for groups 1 to 10 and 12.
  if (Bereich(sample) != 1 || gruppe < 1 || gruppe > 12 || gruppe == 11) return false;
  const auto i = static_cast<size_t>(sample);
  katalog_.SampleGruppe[i] = static_cast<int16_t>(gruppe);
  katalog_.SampleHerkunft[i] = 0;
  katalog_.KatalogGeaendert = true;
  GruppenOrdnen(0);
  sorting(true);
  u_.ArrangementNeuZeichnen();
  return true;
}

std::string Soundgruppen::SampleNameVoll(int sample) const {
  if (!Katalog::IstNummer(sample)) return {};
  const auto i = static_cast<size_t>(sample);
  return katalog_.SampleName[i] + " " + katalog_.SampleName2[i];
}

}  // namespace zelo::library
