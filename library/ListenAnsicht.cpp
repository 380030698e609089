#include "library/ListenAnsicht.h"

#include <algorithm>

#include "config/Layout.h"
#include "pages/Objekte.h"
#include "pages/Seitensteuerung.h"
#include "platform/Clock.h"
#include "platform/gfx/GrafikEffekte.h"

namespace zelo::library {
namespace {

/// Groups the graphics library has a colour for.
constexpr int kFarbigeGruppen = 12;

}  // namespace

Listengeometrie ListengeometrieAusSeite(const pages::Objekte& o, const config::LayoutMasse& m) {
  const pages::ObjektStruct& e = o[kListenElement];
  return {e.X, e.Y, e.Breite, m.PixelProTakt, m.Spurhoehe, m.SampleAbstand, m.SampleAbstand};
}

ListenAnsicht::ListenAnsicht(pages::Seitensteuerung& seiten, pages::Objekte& objekte, const Katalog& katalog,
                             platform::Clock& uhr, int blockhoehe, Listenmittel mittel)
    : seiten_(seiten), objekte_(objekte), katalog_(katalog), uhr_(uhr), blockhoehe_(blockhoehe), mittel_(mittel) {}

bool ListenAnsicht::SeiteAktiv(int bit) { return seiten_.SeiteAktiv(bit); }

void ListenAnsicht::SzeneAktivieren(const std::string& befehl, int zustand) { seiten_.SzeneAktivieren(befehl, zustand); }

void ListenAnsicht::Ausblenden(int element) { seiten_.Ausblenden(element); }

void ListenAnsicht::Zeichentiefe(int schritt) {
  seiten_.Zeichentiefe = static_cast<int16_t>(seiten_.Zeichentiefe + schritt);
}

int32_t ListenAnsicht::ElementWert(int element) {
  return pages::Objekte::Gueltig(element) ? objekte_[element].Wert : 0;
}

void ListenAnsicht::ElementWertSetzen(int element, int32_t wert) {
  if (pages::Objekte::Gueltig(element)) objekte_[element].Wert = wert;
}

uint32_t ListenAnsicht::Millis() { return uhr_.Millis(); }

void ListenAnsicht::ListenflaecheHerstellen() {
  const pages::ObjektStruct& e = objekte_[kListenElement];
  const platform::BildStruct& bild = seiten_.Slot(std::clamp<int>(e.Ebene, 0, 4));
  seiten_.BitB(e.X, e.Y, e.Breite, e.Hoehe, bild.dc, e.QuelleX, e.QuelleY);
}

void ListenAnsicht::KnopfZeichnen(const Listenknopf& k) {
  if (!mittel_.Gfx || !mittel_.Blockbild || !Katalog::IstNummer(k.Sample)) return;
  const auto s = static_cast<size_t>(k.Sample);
  const int gruppe = katalog_.SampleGruppe[s];
  if (gruppe < 1 || gruppe > kFarbigeGruppen || k.Breite <= 0) return;
  if (k.Ausgewaehlt)
    mittel_.Gfx->GFX_SampleZeichneSel(mittel_.Texturpaar, gruppe - 1, k.Breite, katalog_.SampleName[s],
                                      katalog_.SampleName2[s], 0, 0);
  else
    mittel_.Gfx->GFX_SampleZeichne(mittel_.Texturpaar, gruppe - 1, k.Breite, katalog_.SampleName[s],
                                   katalog_.SampleName2[s], 0, 0);
  seiten_.BitB(k.X, k.Y, k.Breite, blockhoehe_, mittel_.Blockbild, 0, 0);
}

void ListenAnsicht::ListenflaecheZeigen() {
  const pages::ObjektStruct& e = objekte_[kListenElement];
  seiten_.InvalMale(e.X, e.Y, e.Breite, e.Hoehe);
}

}  // namespace zelo::library
