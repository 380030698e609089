// The sample editor: start and end markers and a volume line with its handle, drawn as an
// overlay over one block of the arrangement. The overlay lives on its own surface (the
// window's Editor layer); "repainting" a rectangle from the back image means clearing that
// rectangle of the overlay.

#include <algorithm>
#include <utility>

#include "widgets/Grafik_FX.h"
#include "widgets/Runden.h"

namespace zelo::widgets {

namespace {

constexpr uint32_t kSchwarz = 0xFF000000u;
constexpr uint32_t kWeiss = 0xFFFFFFFFu;
constexpr int32_t kGroessterBlock = 14001;  ///< wider blocks open the editor but are not drawn
constexpr int32_t kMarkerAbstand = 9;       ///< pixels the markers keep between them
/// White pixels of the start flag (right of L, below the top) and of the end flag (left of R, above the bottom).
constexpr std::pair<int32_t, int32_t> kStartfahne[] = {{3, 0}, {4, 1}, {5, 2}, {6, 3}, {5, 4}, {4, 5}};
constexpr std::pair<int32_t, int32_t> kEndfahne[] = {{5, 2}, {6, 3}, {7, 4}, {6, 5}, {5, 6}};

struct Lage {
  int32_t f, g, X0, L, R, V, y, hx;
};

Lage Berechnen(const SampleStruct& s) {
  const double ppt = s.PixelProTakt;
  Lage l{};
  const int32_t e = Runde(s.AnfOffset * ppt / 128);
  l.f = Runde(s.StartOffset * ppt / 128);
  l.g = Runde(s.EndOffset * ppt / 128);
  l.X0 = s.ZielX - e;
  l.L = l.X0 + l.f;
  l.R = l.X0 + s.SampleBreite - l.g;
  l.V = s.SampleBreite - l.f - l.g;
  l.y = Runde(s.ZielY + (s.SampleHoehe - 2) * (static_cast<double>(kReglerMax) - s.Volume) / kReglerMax);
  l.hx = Runde(l.V / 2.0 + l.L - 4);
  return l;
}

// Snaps a cut to the nearest multiple of 8 ticks (a sixteenth of a bar), halves upwards.
int32_t Sechzehntel(int32_t ticks) { return (ticks + 4) & ~7; }

}  // namespace

void Grafik_FX::SEWegwischen(int32_t x, int32_t y, int32_t b, int32_t h) {
  if (b <= 0 || h <= 0 || !se_.ZielHDC) return;
  platform::Rect r = platform::Intersect({x, y, b, h}, {0, 0, se_.ZielHDC->w, se_.ZielHDC->h});
  if (r.Empty()) return;
  platform::FillRect(se_.ZielHDC, r, 0);  // transparent: the back image shows again
  if (se_.ZielHWND) se_.ZielHWND->InvalidateLayer(platform::Layer::Editor, r);
}

void Grafik_FX::SEFlaeche(int32_t x, int32_t y, int32_t b, int32_t h, uint32_t farbe) {
  if (b <= 0 || h <= 0 || !se_.ZielHDC) return;
  platform::Rect r = platform::Intersect({x, y, b, h}, {0, 0, se_.ZielHDC->w, se_.ZielHDC->h});
  if (!SESpurbereich.Empty()) r = platform::Intersect(r, SESpurbereich);
  if (r.Empty()) return;
  platform::FillRect(se_.ZielHDC, r, farbe);
  if (se_.ZielHWND) se_.ZielHWND->InvalidateLayer(platform::Layer::Editor, r);
}

void Grafik_FX::SEEditInit(SDL_Surface* SampleHDC, int32_t ZielX, int32_t ZielY, int32_t SampleBreite,
                           int32_t SampleHoehe, int32_t PixelProTakt, int32_t AnfangsOffset, int32_t EndOffset,
                           int32_t Volume, int32_t BilschirmBreite, SDL_Surface* ZielHDC, platform::Window* ZielHWND) {
  if (SampleBreite == 0) return;
  se_.SampleHDC = SampleHDC;
  se_.ZielX = ZielX;
  se_.ZielY = ZielY;
  se_.SampleBreite = SampleBreite;
  se_.SampleHoehe = SampleHoehe;
  se_.PixelProTakt = PixelProTakt;
  se_.StartOffset = se_.AnfOffset = AnfangsOffset;
  se_.EndOffset = EndOffset;
  se_.Volume = Volume;
  se_.ZielHDC = ZielHDC;
  se_.ZielHWND = ZielHWND;
  if (SampleHoehe != 3) se_.VolumeProPixel = static_cast<double>(kReglerMax) / (SampleHoehe - 3);
  se_.VolumeClickBreite = 12;
  se_.VolumeClickHoehe = 12;
  se_.MarkClickBreite = 9;
  se_.MarkClickHoehe = 7;
  se_.Aktive = kWahr;
  se_.Clicked = 0;
  if (ZielHWND && ZielHDC == ZielHWND->LayerSurface(platform::Layer::Editor))
    ZielHWND->ShowLayer(platform::Layer::Editor, true);
  SEDraw(2);
}

void Grafik_FX::SEClose() {
  if (!se_.Aktive) return;
  SEDraw(1);
  se_.SampleBreite = 0;
  se_.Aktive = 0;
}

void Grafik_FX::SEDraw(int16_t iEnde) {
  if (se_.SampleBreite == 0 || !se_.Aktive || se_.SampleBreite >= kGroessterBlock) return;
  const Lage l = Berechnen(se_);
  const int32_t zy = se_.ZielY, sh = se_.SampleHoehe, y = l.y;
  if (iEnde == 1) {
    SEWegwischen(l.X0, zy, se_.SampleBreite, sh);
    return;
  }
  // 1. Clear the inside above and below the volume line.
  SEWegwischen(l.L + 4, zy, l.V - 8, y - zy - 1);
  SEWegwischen(l.L + 4, y + 3, l.V - 8, sh - (y - zy - 1) - 4);
  // 3. Start marker: a flag at the top pointing right.
  SEFlaeche(l.L + 3, zy + 1, 2, 5, kSchwarz);
  SEFlaeche(l.L + 4, zy + 2, 2, 3, kSchwarz);
  SEFlaeche(l.L + 5, zy + 3, 2, 1, kSchwarz);
  for (auto [dx, dy] : kStartfahne)
    SEFlaeche(l.L + dx, zy + dy, 1, 1, kWeiss);
  // 4. Marker lines.
  SEFlaeche(l.R - 4, zy, 1, sh - 6, kWeiss);
  SEFlaeche(l.R - 1, zy, 1, sh, kWeiss);
  SEFlaeche(l.L, zy, 1, sh, kWeiss);
  SEFlaeche(l.L + 3, zy + 6, 1, sh - 6, kWeiss);
  SEFlaeche(l.R - 3, zy, 2, sh, kSchwarz);
  SEFlaeche(l.L + 1, zy, 2, sh, kSchwarz);
  // 5. Volume line, with white edges that leave a gap around the handle.
  SEFlaeche(l.L + 2, y, l.V - 4, 2, kSchwarz);
  const double u = l.V / 2.0;
  auto kanten = [&](int32_t x, int32_t breite) {
    if (breite <= 0) return;
    if (y > zy) SEFlaeche(x, y - 1, breite, 1, kWeiss);
    if (y - zy + 2 < sh) SEFlaeche(x, y + 2, breite, 1, kWeiss);
  };
  kanten(l.L + 4, Runde(u - 8));
  kanten(Runde(u + l.L + 3), Runde(u - 6));
  // 6. The volume fader.
  if (iEnde == 2) SELautstaerkeRegler(l.hx, y);
  // 7. The handle: a diamond, white outline and black inside, halves cut at the block's edges.
  const int32_t xc = l.hx + 3;
  for (int32_t i = 0; i <= 4; ++i) {
    for (int32_t zeile : {y - 5 + i, y + 6 - i}) {
      const bool oben = zeile < y;
      if ((oben && zeile < zy) || (!oben && zeile > zy + sh - 1)) continue;
      if (i == 0) {
        SEFlaeche(xc, zeile, 1, 1, kWeiss);
        continue;
      }
      SEFlaeche(xc - i + 1, zeile, 2 * i - 1, 1, kSchwarz);
      SEFlaeche(xc - i, zeile, 1, 1, kWeiss);
      SEFlaeche(xc + i, zeile, 1, 1, kWeiss);
    }
  }
  // 8. The handle's click rectangle.
  se_.VolumeClickX = l.hx;
  se_.VolumeClickY = y - 4;
  // 9. End marker: a flag at the bottom pointing left.
  const int32_t lu = zy + sh;
  SEFlaeche(l.R - 4, lu - 6, 2, 5, kSchwarz);
  SEFlaeche(l.R - 5, lu - 5, 2, 3, kSchwarz);
  SEFlaeche(l.R - 6, lu - 4, 2, 1, kSchwarz);
  for (auto [dx, dy] : kEndfahne)
    SEFlaeche(l.R - dx, lu - dy, 1, 1, kWeiss);
  // 10. The markers' click rectangles.
  se_.LeftMarkClickX = l.L;
  se_.LeftMarkClickY = zy;
  se_.RightMarkClickX = l.R - 9;
  se_.RightMarkClickY = lu - 7;
  // 11. The cut-off parts are repainted, so traces of markers that moved go away.
  SEWegwischen(l.R, zy, l.g + 5, sh + 1);
  SEWegwischen(l.X0 - 5, zy, l.f + 5, sh + 2);
}

void Grafik_FX::SELautstaerkeRegler(int32_t hx, int32_t y) {
  // Only one volume fader at a time: one still open is closed, or it would keep its record.
  if (QuickRegler > 0) {
    ReglerClose(static_cast<int16_t>(QuickRegler - 1));
    QuickRegler = 0;
  }
  ReglerStruct r{};
  r.AusgabeHDC = r.ZielHDC = Hauptbild;
  r.MainHWND = Hauptfenster;
  r.FixFlag = 0;
  r.RHintergrundHDC = Quickbild.dc;
  r.RHintergrundBreite = Quickbild.Breite;
  r.RHintergrundHoehe = Quickbild.Hoehe;
  r.ZielXPos = r.XClickPos = hx;
  r.ZielYPos = r.YClickPos = y - 4;
  r.ZielBreite = r.ClickPosBreite = 6;
  r.ZielHoehe = r.ClickPosHoehe = 8;
  r.RKopfHDC = SEKnopf.dc;
  r.RKopfBreite = SEKnopf.Breite;
  r.RKopfHoehe = SEKnopf.Hoehe;
  r.RAktWert = se_.Volume;
  r.ReglerDX = Quickbild.Breite;
  r.ReglerDY = Quickbild.Hoehe - 2 * QAbstand;
  r.RAddWert = 5000;
  QuickRegler = ReglerInit(r) + 1;
}

void Grafik_FX::SESetVolume(int32_t NewVolume) { se_.Volume = NewVolume; }

int32_t Grafik_FX::SEGetVolume() const { return se_.Volume - 16384; }

int16_t Grafik_FX::SEGetLinks() const { return static_cast<int16_t>(se_.StartOffset); }

int16_t Grafik_FX::SEGetRechts() const { return static_cast<int16_t>(se_.EndOffset); }

int16_t Grafik_FX::SEMouseDown(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  if (!se_.Aktive) return 0;
  se_.ClickedX = x;
  se_.ClickedY = y;
  if (x >= se_.LeftMarkClickX && x <= se_.LeftMarkClickX + 9 && y >= se_.LeftMarkClickY &&
      y <= se_.LeftMarkClickY + 7) {
    se_.Clicked = 2;
    se_.MouseDelta = x - se_.LeftMarkClickX;
    return 2;
  }
  // The end marker's left edge belongs to the block, not to the marker.
  if (x > se_.RightMarkClickX && x < se_.RightMarkClickX + 9 && y >= se_.RightMarkClickY &&
      y <= se_.RightMarkClickY + 7) {
    se_.Clicked = 3;
    se_.MouseDelta = se_.RightMarkClickX - x;
    return 3;
  }
  if (x >= se_.VolumeClickX && x <= se_.VolumeClickX + 12 && y >= se_.VolumeClickY && y <= se_.VolumeClickY + 12) {
    se_.Clicked = 1;
    return 1;
  }
  return 0;
}

int16_t Grafik_FX::SEMouseUp(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  se_.Clicked = 0;
  return se_.Aktive ? kWahr : 0;
}

bool Grafik_FX::SEMouseMove(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  if (!se_.Aktive) return false;
  if (Button == 0) {
    se_.Clicked = 0;
    return false;
  }
  if (Button != 1 || (se_.Clicked != 2 && se_.Clicked != 3) || se_.PixelProTakt <= 0) return false;
  const double ppt = se_.PixelProTakt;
  const double breite = se_.SampleBreite;
  auto ticks = [ppt](double pixel) { return Runde(pixel / ppt * 128); };
  if (se_.Clicked == 2) {
    int32_t start = ticks(x - se_.ZielX + ppt * se_.AnfOffset / 128 - se_.MouseDelta);
    start = std::max(start, 0);
    if (start * ppt / 128 > breite - se_.EndOffset * ppt / 128 - kMarkerAbstand)
      start = ticks(breite - ppt * se_.EndOffset / 128 - kMarkerAbstand);
    se_.StartOffset = Sechzehntel(std::max(start, 0));  // a short block leaves no room: no cut
  } else {
    int32_t ende = ticks(se_.ZielX - ppt * se_.AnfOffset / 128 + breite - x + se_.MouseDelta);
    ende = std::max(ende, 0);
    if (ende * ppt / 128 > breite - se_.StartOffset * ppt / 128 - kMarkerAbstand)
      ende = ticks(breite - kMarkerAbstand - se_.StartOffset * ppt / 128);
    se_.EndOffset = Sechzehntel(std::max(ende, 0));
  }
  se_.ClickedX = x;
  SEDraw(0);
  return true;
}

}  // namespace zelo::widgets
