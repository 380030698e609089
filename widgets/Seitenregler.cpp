#include "widgets/Seitenregler.h"

#include <algorithm>

#include "pages/Objekte.h"

namespace zelo::widgets {

Seitenregler::Seitenregler(Grafik_FX& fx, pages::Objekte& objekte) : fx_(fx), objekte_(objekte) {}

namespace {

bool IstRegler(const pages::ObjektStruct& o) { return o.Typ == pages::Regler || o.Typ == pages::QRegler; }

const platform::BildStruct* Eintrag(std::span<const platform::BildStruct> tabelle, int i) {
  if (i < 0 || static_cast<size_t>(i) >= tabelle.size()) return nullptr;
  return &tabelle[static_cast<size_t>(i)];
}

}  // namespace

void Seitenregler::ReglerAktivieren(int16_t seitenmenge, const Reglerbilder& bilder) {
  if (angelegt_) ReglerCloseAll();
  angelegt_ = true;
  fx_.setsampi(bilder.Sampi);
  const int hoechste = std::min(objekte_.Hoechste, pages::kElemente - 1);
  for (int n = 1; n <= hoechste; ++n) {
    pages::ObjektStruct& o = objekte_[n];
    if ((o.Seiten & seitenmenge) == 0 || !IstRegler(o)) continue;
    const bool fest = o.Typ == pages::Regler;
    ReglerStruct r{};
    r.AusgabeHDC = r.ZielHDC = bilder.Ziel;
    r.MainHWND = bilder.Fenster;
    r.FixFlag = fest ? kWahr : 0;
    if (fest) {
      if (const platform::BildStruct* seite = Eintrag(bilder.Seitenbilder, o.Ebene)) r.RHintergrundHDC = seite->dc;
      r.RHintergrundXPos = o.QuelleX;
      r.RHintergrundYPos = o.QuelleY;
      r.RHintergrundBreite = o.Breite;
      r.RHintergrundHoehe = o.Hoehe;
    } else if (bilder.Quickbild) {
      r.RHintergrundHDC = bilder.Quickbild->dc;
      r.RHintergrundBreite = bilder.Quickbild->Breite;
      r.RHintergrundHoehe = bilder.Quickbild->Hoehe;
    }
    r.ZielXPos = r.XClickPos = o.X + bilder.VersatzX;
    r.ZielYPos = r.YClickPos = o.Y + bilder.VersatzY;
    r.ZielBreite = r.ClickPosBreite = o.Breite;
    r.ZielHoehe = r.ClickPosHoehe = o.Hoehe;
    if (const platform::BildStruct* knopf = Eintrag(bilder.Knopfbilder, o.Bild)) {
      r.RKopfHDC = knopf->dc;
      r.RKopfBreite = knopf->Breite;
      r.RKopfHoehe = knopf->Hoehe;
    }
    r.RHintergrundBreite = std::max(r.RHintergrundBreite, r.RKopfBreite);
    r.RHintergrundHoehe = std::max(r.RHintergrundHoehe, r.RKopfHoehe);
    r.RAktWert = o.Wert;  // the element keeps its fader's last value across page changes
    if (fest) {
      r.ReglerDX = o.Breite;
      r.ReglerDY = o.Hoehe;
    } else if (bilder.Quickbild) {
      r.ReglerDX = bilder.Quickbild->Breite;
      r.ReglerDY = bilder.Quickbild->Hoehe - 2 * fx_.QAbstand;
    }
    r.RAddWert = 5000;
    const int16_t h = fx_.ReglerInit(r);
    o.Regler = h + 1;
    if (h >= 0) elementVonHandle_[static_cast<size_t>(h)] = static_cast<int16_t>(n);
  }
}

void Seitenregler::ReglerCloseAll() {
  const int hoechste = std::min(objekte_.Hoechste, pages::kElemente - 1);
  for (int n = 0; n <= hoechste; ++n) {
    pages::ObjektStruct& o = objekte_[n];
    if (!IstRegler(o) || o.Regler < 1) continue;
    const int16_t h = static_cast<int16_t>(o.Regler - 1);
    fx_.ReglerClose(h);
    if (h >= 0 && static_cast<size_t>(h) < elementVonHandle_.size()) elementVonHandle_[static_cast<size_t>(h)] = 0;
    o.Regler = 0;
  }
}

int Seitenregler::Element(int handle) const {
  if (handle < 0 || static_cast<size_t>(handle) >= elementVonHandle_.size()) return 0;
  return elementVonHandle_[static_cast<size_t>(handle)];
}

int16_t Seitenregler::Handle(int element) const {
  if (!pages::Objekte::Gueltig(element)) return -1;
  return static_cast<int16_t>(objekte_[element].Regler - 1);
}

void Seitenregler::ReglerSetzen(int element, int32_t wert) {
  if (!pages::Objekte::Gueltig(element)) return;
  pages::ObjektStruct& o = objekte_[element];
  o.Wert = wert;
  const int16_t h = Handle(element);
  if (h < 0) return;
  // Horizontal faders store their value inverted.
  fx_.ReglerSetWert(h, fx_.Regler(h).Vertikal ? wert : kReglerMax - wert);
}

int16_t Seitenregler::SetRegler(int16_t num) {
  if (num < 0) return 0;
  if (setRegler) return setRegler(num);
  const int element = Element(num);
  if (element > 0) objekte_[element].Wert = std::min(fx_.ReglerGetWert(num), kReglerMax);
  return kWahr;
}

}  // namespace zelo::widgets
