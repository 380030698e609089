// Faders of the widget engine: fixed faders drawn in place and quick faders operated through
// the popup picture box.

#include <algorithm>
#include <cmath>

#include "widgets/Bildbox.h"
#include "widgets/Grafik_FX.h"
#include "widgets/Runden.h"

namespace zelo::widgets {

void ReglerStruct::copy(ReglerStruct& ziel, const ReglerStruct& quelle) {
  int32_t start = ziel.RStartWert;
  ziel = quelle;
  ziel.RStartWert = start;
}

namespace {

// Pixels a value moves the knob from its zero end. A fader without travel has no value per
// pixel; it stays at its start position.
double Versatz(int32_t wert, double wertProPixel) {
  if (!(wertProPixel > 0) || !std::isfinite(wertProPixel)) return 0;
  return wert / wertProPixel;
}

int32_t Begrenzt(int64_t wert) { return static_cast<int32_t>(std::clamp<int64_t>(wert, 0, kReglerMax)); }

struct Knopf {
  int32_t x, y;
};

Knopf KnopfPosition(const ReglerStruct& r) {
  if (r.Vertikal)
    return {r.ZielXPos, Runde(r.ZielYPos + r.RHintergrundHoehe - r.RKopfHoehe - Versatz(r.RAktWert, r.WertProPixel))};
  return {Runde(r.ZielXPos + r.RHintergrundBreite - r.RKopfBreite - Versatz(r.RAktWert, r.WertProPixel)), r.ZielYPos};
}

}  // namespace

int16_t Grafik_FX::ReglerInit(const ReglerStruct& NewStruct) {
  for (int16_t h = 0; h < kRegler; ++h) {
    ReglerStruct& r = regler_[static_cast<size_t>(h)];
    if (r.RExists != 0) continue;
    ReglerStruct::copy(r, NewStruct);
    r.Vertikal = r.ReglerDY >= r.ReglerDX ? kWahr : 0;
    int32_t weg = r.Vertikal ? r.ReglerDY - r.RKopfHoehe : r.ReglerDX - r.RKopfBreite;
    if (weg > 0) {
      r.WertProPixel = static_cast<double>(kReglerMax) / weg;
    } else if (!(r.WertProPixel > 0) || !std::isfinite(r.WertProPixel)) {
      r.WertProPixel = 0;  // no travel: the fader stays inert
    }
    r.RExists = kWahr;
    if (r.FixFlag) {
      if (!r.Vertikal) r.RAktWert = kReglerMax - r.RAktWert;
      r.RStartWert = r.RAktWert;
      r.RActive = 0;
      ReglerDraw(h);
    }
    return h;
  }
  return -1;
}

int32_t Grafik_FX::ReglerGetWert(int16_t handle) const {
  if (!Handle(handle)) return -1;
  const ReglerStruct& r = regler_[static_cast<size_t>(handle)];
  if (!r.RExists) return -1;
  return r.Vertikal ? r.RAktWert : kReglerMax - r.RAktWert;
}

int16_t Grafik_FX::ReglerSetWert(int16_t handle, int32_t NewRWert) {
  if (!Handle(handle)) return 0;
  ReglerStruct& r = regler_[static_cast<size_t>(handle)];
  if (!r.RExists) return 0;
  r.RAktWert = NewRWert;
  if (r.FixFlag)
    ReglerDraw(handle);
  else if (r.RActive && sampi_ && sampi_->Sichtbar())
    QuickReglerDraw(handle);  // the open popup follows the value in place
  return kWahr;
}

void Grafik_FX::ReglerSetAdder(int16_t handle, int32_t wert) {
  if (!Handle(handle)) return;
  regler_[static_cast<size_t>(handle)].RAddWert = wert;
}

int16_t Grafik_FX::ReglerClose(int16_t handle) {
  if (!Handle(handle)) return -1;
  regler_[static_cast<size_t>(handle)].RExists = 0;
  return handle;
}

void Grafik_FX::ReglerDraw(int16_t handle) {
  const ReglerStruct& r = regler_[static_cast<size_t>(handle)];
  Knopf k = KnopfPosition(r);
  SDL_Surface* ziel = r.ZielHDC ? r.ZielHDC : r.AusgabeHDC;
  platform::BitBlt(ziel, r.ZielXPos, r.ZielYPos, r.RHintergrundBreite, r.RHintergrundHoehe, r.RHintergrundHDC,
                   r.RHintergrundXPos, r.RHintergrundYPos, platform::Rop::SrcCopy);
  platform::BitBlt(ziel, k.x, k.y, r.RKopfBreite, r.RKopfHoehe, r.RKopfHDC, 0, 0, platform::Rop::SrcCopy);
  Invalidate(r.MainHWND, static_cast<int16_t>(r.ZielXPos), static_cast<int16_t>(r.ZielYPos),
             static_cast<int16_t>(r.RHintergrundBreite), static_cast<int16_t>(r.RHintergrundHoehe));
}

int16_t Grafik_FX::MouseDown(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  if (Button == 2) return -1;
  for (int16_t h = 0; h < kRegler; ++h) {
    ReglerStruct& r = regler_[static_cast<size_t>(h)];
    if (r.RExists != kWahr || r.RActive != 0) continue;
    if (x < r.XClickPos || x > r.XClickPos + r.ClickPosBreite || y < r.YClickPos || y > r.YClickPos + r.ClickPosHoehe)
      continue;
    r.RStartWert = r.RAktWert;
    r.MouseDownX = x;
    r.MouseDownY = y;
    if (!r.FixFlag) {
      r.RActive = kWahr;
      QuickReglerShow(h, x, y);
      return h;
    }
    Knopf k = KnopfPosition(r);
    if (x >= k.x && x <= k.x + r.RKopfBreite && y >= k.y && y <= k.y + r.RKopfHoehe) {
      r.RActive = kWahr;
      ReglerDraw(h);
      return h;
    }
    // A press beside the knob moves it one step towards the pointer. Horizontal values are
    // stored inverted, so a press left of the knob raises the stored value.
    int64_t schritt = 0;
    if (r.Vertikal) {
      if (y < k.y) schritt = r.RAddWert;
      else if (y > k.y) schritt = -static_cast<int64_t>(r.RAddWert);
    } else {
      if (x < k.x) schritt = r.RAddWert;
      else if (x > k.x) schritt = -static_cast<int64_t>(r.RAddWert);
    }
    if (schritt != 0) {
      r.RAktWert = Begrenzt(static_cast<int64_t>(r.RAktWert) + schritt);
      r.RActive = kWahr;
      ReglerDraw(h);
      r.RActive = 0;
    }
    return h;
  }
  return -1;
}

int16_t Grafik_FX::MouseMove(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  int16_t antwort = -1;
  for (int16_t h = 0; h < kRegler; ++h) {
    ReglerStruct& r = regler_[static_cast<size_t>(h)];
    if (r.RActive != kWahr || r.RExists != kWahr) continue;
    if (Button == 0) return h;
    int32_t delta = (!r.FixFlag || r.Vertikal) ? r.MouseDownY - y : r.MouseDownX - x;
    double neu = r.RStartWert + delta * r.WertProPixel;
    r.RAktWert = Begrenzt(static_cast<int64_t>(std::clamp(std::nearbyint(neu), -1.0, kReglerMax + 1.0)));
    if (r.FixFlag)
      ReglerDraw(h);
    else
      QuickReglerDraw(h);
    antwort = h;
  }
  return antwort;
}

int16_t Grafik_FX::MouseUp(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  int16_t antwort = -1;
  for (int16_t h = 0; h < kRegler; ++h) {
    ReglerStruct& r = regler_[static_cast<size_t>(h)];
    if (r.RActive != kWahr) continue;
    r.RActive = 0;
    if (!r.FixFlag && sampi_) sampi_->Zeigen(false);
    if (r.RExists == kWahr) antwort = h;
  }
  return antwort;
}

void Grafik_FX::QuickReglerShow(int16_t handle, int32_t x, int32_t y) {
  const ReglerStruct& r = regler_[static_cast<size_t>(handle)];
  const double wk = r.RKopfBreite, hk = r.RKopfHoehe, wbg = r.RHintergrundBreite, hbg = r.RHintergrundHoehe;
  int32_t kx = Runde(x - wk / 2);
  if (!(r.RKopfBreite >= r.ZielBreite - 2)) kx = std::min(kx, Runde(r.ZielXPos + 0.6 * r.ZielBreite - 1.5 * wk));
  int32_t ky = Runde(y - hk / 2);
  if (ky + hk / 2 > r.ZielYPos + r.ZielHoehe) ky = r.ZielYPos + r.ZielHoehe - r.RKopfHoehe;
  int32_t links = Runde(kx - (wbg / 2 - wk / 2));
  int32_t oben = Runde(ky + hk - hbg + Versatz(r.RStartWert, r.WertProPixel));
  if (!r.AusgabeHDC || !sampi_) return;
  sampi_->Verschieben(links, std::max(0, oben + QAbstand));
  sampi_->Groesse(r.RHintergrundBreite, r.RHintergrundHoehe);
  sampi_->Zeigen(true);
  SDL_Surface* bild = sampi_->Bild();
  platform::BitBlt(bild, 0, 0, r.RHintergrundBreite, r.RHintergrundHoehe, r.RHintergrundHDC, r.RHintergrundXPos,
                   r.RHintergrundYPos, platform::Rop::SrcCopy);
  platform::BitBlt(bild, kx - links, ky - oben - QAbstand - 1, r.RKopfBreite, r.RKopfHoehe, r.RKopfHDC, 0, 0,
                   platform::Rop::SrcCopy);
  sampi_->Refresh();
}

void Grafik_FX::QuickReglerDraw(int16_t handle) {
  const ReglerStruct& r = regler_[static_cast<size_t>(handle)];
  const int32_t wk = r.RKopfBreite, hk = r.RKopfHoehe, wbg = r.RHintergrundBreite, hbg = r.RHintergrundHoehe;
  // Integer steps here: the popup's scale is whole pixels per value step.
  const int32_t w = Runde(std::isfinite(r.WertProPixel) ? std::clamp(r.WertProPixel, 0.0, 1e9) : 0.0);
  auto geteilt = [w](int32_t wert) { return w != 0 ? wert / w : 0; };
  int32_t kx = r.MouseDownX - wk / 2;
  if (kx + wk / 2 > r.ZielXPos + r.ZielBreite) kx = Runde(r.ZielBreite + r.ZielXPos - 1.5 * wk);
  int32_t ky0 = r.MouseDownY - hk / 2;
  if (ky0 + hk / 2 > r.ZielYPos + r.ZielHoehe) ky0 = r.ZielYPos + r.ZielHoehe - hk;
  int32_t links = kx + wk / 2 - wbg / 2;
  int32_t oben = hk + ky0 + geteilt(r.RStartWert) - hbg;
  int32_t ky = ky0 - geteilt(r.RAktWert - r.RStartWert);
  if (r.ZielHDC) {
    if (!sampi_) return;
    sampi_->Zeigen(true);
    SDL_Surface* bild = sampi_->Bild();
    platform::BitBlt(bild, 0, 0, wbg, hbg, r.RHintergrundHDC, r.RHintergrundXPos, r.RHintergrundYPos,
                     platform::Rop::SrcCopy);
    platform::BitBlt(bild, kx - links, ky - oben - QAbstand - 1, wk, hk, r.RKopfHDC, 0, 0, platform::Rop::SrcCopy);
    sampi_->Refresh();
    return;
  }
  platform::BitBlt(r.AusgabeHDC, links, oben, wbg, hbg, r.RHintergrundHDC, r.RHintergrundXPos, r.RHintergrundYPos,
                   platform::Rop::SrcCopy);
  platform::BitBlt(r.AusgabeHDC, kx, ky, wk, hk, r.RKopfHDC, 0, 0, platform::Rop::SrcCopy);
  Invalidate(r.MainHWND, static_cast<int16_t>(links), static_cast<int16_t>(oben), static_cast<int16_t>(wbg),
             static_cast<int16_t>(hbg));
}

}  // namespace zelo::widgets
