#include "library/Listenlayout.h"

#include <algorithm>
#include <cmath>

namespace zelo::library {
namespace {

int32_t Gerundet(double x) { return static_cast<int32_t>(std::nearbyint(x)); }

/// A row's centring: half the room left after its last button and gap, never negative.
int32_t Versatz(const Listengeometrie& g, int64_t x) {
  return std::max<int32_t>(0, Gerundet(static_cast<double>(g.X + g.W - x - g.Gx) / 2));
}

bool In(int64_t v, int64_t a, int64_t b) { return v >= a && v <= b; }       // [a, b]
bool InOffen(double v, int64_t a, int64_t b) { return v >= a && v < b; }    // [a, b)

}  // namespace

Listenlayout ListeLegen(const std::vector<int16_t>& samples, const std::vector<int32_t>& breite,
                        const Listengeometrie& g, int ersteZeile) {
  Listenlayout l;
  auto B = [&](int16_t n) -> int64_t {
    return n >= 0 && static_cast<size_t>(n) < breite.size() ? breite[static_cast<size_t>(n)] : 0;
  };
  const int64_t hoechstens = static_cast<int64_t>(kHoechstensTakte) * g.P;

  // Row breaking: a row takes each block by its shown width; a block that does not fit (by its
  // full width) starts the next row, unless the row is still empty.
  int64_t x = g.X;
  int r = 0;
  for (int16_t n : samples) {
    const int64_t b = B(n);
    if (b <= 0) continue;
    if (!(x <= g.X || x + b <= g.X + g.W)) {
      l.Zeilenversatz.push_back(Versatz(g, x));
      ++r;
      x = g.X;
    }
    x += std::min(b, hoechstens) + g.Gx;
  }
  l.Zeilenversatz.push_back(Versatz(g, x));
  l.Zeilenzahl = std::max(r, 1);

  // Placing: the visible rows only. A long block moves on by its full width here, so a button
  // after it in the same row may stand further right than the centring assumed.
  auto versatz = [&](int zeile) -> int64_t {
    return zeile < static_cast<int>(l.Zeilenversatz.size()) ? l.Zeilenversatz[static_cast<size_t>(zeile)] : 0;
  };
  r = 0;
  x = g.X + versatz(0);
  int64_t y = g.Y;
  for (int16_t n : samples) {
    const int64_t b = B(n);
    if (b <= 0) continue;
    if (!(x <= g.X + versatz(r) || x + b <= g.X + g.W)) {
      if (r >= ersteZeile) y += g.H + g.Gy;
      ++r;
      x = g.X + versatz(r);
      if (r > ersteZeile + kSichtbareZeilen - 1) {
        l.MehrZeilen = true;
        break;
      }
    }
    if (r >= ersteZeile && static_cast<int>(l.Knoepfe.size()) < kMaxKnoepfe) {
      Listenknopf k;
      k.Sample = n;
      k.X = static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX));
      k.Y = static_cast<int32_t>(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX));
      k.Breite = static_cast<int32_t>(std::min(b, hoechstens));
      l.Knoepfe.push_back(k);
    }
    x += b + g.Gx;
  }
  l.LetzteZeile = r;
  return l;
}

void BandMarkieren(const std::vector<Listenknopf>& knoepfe, const std::vector<int32_t>& breite, int H, int links,
                   int oben, int bandBreite, int bandHoehe, std::vector<uint8_t>& marken) {
  if (marken.size() < knoepfe.size()) marken.resize(knoepfe.size(), 0);
  const int64_t R = static_cast<int64_t>(links) + bandBreite, D = static_cast<int64_t>(oben) + bandHoehe;
  for (size_t k = 0; k < knoepfe.size(); ++k) {
    const Listenknopf& kn = knoepfe[k];
    const int64_t x = kn.X, y = kn.Y;
    const int64_t w = kn.Sample >= 0 && static_cast<size_t>(kn.Sample) < breite.size()
                          ? breite[static_cast<size_t>(kn.Sample)]
                          : 0;
    const double mitte = static_cast<double>(y) + H / 2.0;
    const bool linkeKante = In(x, links, R), rechteKante = In(x + w, links, R);
    const bool obenIn = InOffen(static_cast<double>(y), oben, D);
    const bool untenIn = InOffen(static_cast<double>(y + H), oben, D);
    const bool mitteIn = InOffen(mitte, oben, D);
    const bool kreuzt = x < links && links < x + w;
    if ((linkeKante && (obenIn || untenIn || mitteIn)) || (rechteKante && (mitteIn || untenIn || obenIn)) ||
        (kreuzt && (untenIn || obenIn)))
      marken[k] = 1;
  }
}

int32_t ScrollReglerWert(int ersteZeile, int zeilenzahl) {
  // With four rows or fewer below the first there is nothing to scroll; the knob stays on top.
  if (zeilenzahl - 4 <= 0) return kReglerMax;
  // The last row maps a step beyond the fader's end; the knob stops at the bottom.
  return std::clamp<int32_t>(kReglerMax - Gerundet(static_cast<double>(ersteZeile) * 32768.0 / (zeilenzahl - 4)), 0,
                             kReglerMax);
}

int ScrollZiel(int zeilenzahl, int32_t wert) {
  if (zeilenzahl < kSichtbareZeilen) return 0;
  wert = std::clamp<int32_t>(wert, 0, kReglerMax);
  return Gerundet(static_cast<double>(zeilenzahl - 4) * (kReglerMax - wert) / kReglerMax);
}

int32_t ScrollSchritt(int zeilenzahl) { return Gerundet(131068.0 / std::max(zeilenzahl, 1)); }

}  // namespace zelo::library
