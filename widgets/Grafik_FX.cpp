// The widget engine's shared services, the keyboard and the LED matrix.

#include "widgets/Grafik_FX.h"

#include "pages/Objekte.h"
#include "widgets/Runden.h"

namespace zelo::widgets {

Grafik_FX::Grafik_FX(const pages::Objekte& objekte) : objekte_(objekte) {}

void Grafik_FX::Invalidate(platform::Window* hwnd, int16_t x, int16_t y, int16_t b, int16_t h) {
  // The right and bottom edges are formed in 16 bits, as the window system takes them.
  auto rechts = static_cast<int16_t>(x + b);
  auto unten = static_cast<int16_t>(y + h);
  platform::Rect r{x, y, rechts - x, unten - y};
  if (hwnd && !r.Empty()) hwnd->Invalidate(r);
}

void Grafik_FX::Validate(platform::Window* hwnd, int16_t x, int16_t y, int16_t b, int16_t h) {
  // The window repaints only what was invalidated and keeps no region that a validation
  // could shrink: presenting a rectangle again is harmless, so there is nothing to remove.
  (void)hwnd, (void)x, (void)y, (void)b, (void)h;
}

// --- Keyboard ----------------------------------------------------------------------------

namespace {

bool Schwarz(int taste) {
  switch (taste) {
    case 1: case 4: case 6: case 9: case 11: case 13: case 16: case 18: case 21: case 23: return true;
    default: return false;
  }
}

// White keys between two black keys have a narrow upper section.
bool Schmal(int taste) { return taste == 5 || taste == 10 || taste == 12 || taste == 17 || taste == 22; }

bool Drin(int32_t x, int32_t y, int32_t l, int32_t t, int32_t b, int32_t h) {
  return x >= l && x <= l + b && y >= t && y <= t + h;
}

}  // namespace

void Grafik_FX::TastaturInit(int32_t ZielX, int32_t ZielY, int32_t AusschnittPassivX, int32_t AusschnittPassivY,
                             int32_t AusschnittAktivX, int32_t AusschnittAktivY, int16_t Umrechnungsfaktor,
                             SDL_Surface* AusschnittHDC, SDL_Surface* Ziel1HDC, SDL_Surface* Ziel2HDC,
                             platform::Window* ZielHWND, int16_t AktiveTasteNummer) {
  // Key geometry follows from the screen scale alone, so one rule serves every layout. The
  // products are 16-bit values, as the layouts were measured.
  const int f = Umrechnungsfaktor;
  auto einheit = [](int produkt) { return static_cast<int16_t>(produkt) / 40.0; };
  const double breit = einheit(46 * f), schmal = einheit(32 * f), schwarzSchritt = einheit(28 * f);
  const double schwarzBreite = f == 40 ? einheit(28 * f - 16) : einheit(28 * f - 1);
  const double schwarzHoehe = f == 40 ? einheit(117 * f - 22) : einheit(117 * f - 5);
  const double obenHoehe = einheit(117 * f);
  const double weissSchritt = einheit(60 * f - 1);
  const double untenHoehe = einheit(75 * f);
  int a = 0, n = 0, b = 0;
  for (int i = 0; i < kTasten; ++i) {
    TastaturStruct& t = tasten_[static_cast<size_t>(i)];
    t = TastaturStruct{};
    t.CutHDC = AusschnittHDC;
    t.TargetHDC = Ziel1HDC;
    t.MemoryHDC = Ziel2HDC;
    t.MainHWND = ZielHWND;
    t.DeltaCutX = ZielX;
    t.DeltaCutY = ZielY;
    t.CutPosXPassive = AusschnittPassivX;
    t.CutPosYPassive = AusschnittPassivY;
    t.CutPosXAktive = AusschnittAktivX;
    t.CutPosYAktive = AusschnittAktivY;
    const double links = ZielX + a * breit + n * schmal + b * schwarzSchritt;
    t.Abschnitt1_X = Runde(links);
    t.Abschnitt1_Y = ZielY;
    if (Schwarz(i)) {
      t.Abschnitt1_Breite = Runde(schwarzBreite);
      t.Abschnitt1_Hoehe = Runde(schwarzHoehe);
      t.Abschnitt2_X = t.Abschnitt2_Y = t.Abschnitt2_Breite = t.Abschnitt2_Hoehe = -1;
      ++b;
      continue;
    }
    t.Abschnitt1_Breite = Runde(Schmal(i) ? schmal : breit);
    t.Abschnitt1_Hoehe = Runde(obenHoehe);
    t.Abschnitt2_X = Runde(ZielX + (a + n) * weissSchritt);
    t.Abschnitt2_Y = Runde(ZielY + obenHoehe);
    t.Abschnitt2_Breite = Runde(weissSchritt);
    t.Abschnitt2_Hoehe = Runde(untenHoehe);
    if (Schmal(i)) ++n;
    else ++a;
  }
  if (AktiveTasteNummer >= 0 && AktiveTasteNummer < kTasten) tasten_[static_cast<size_t>(AktiveTasteNummer)].Aktiv = kWahr;
  for (int i = 0; i < kTasten; ++i) TasteZeichnen(tasten_[static_cast<size_t>(i)], tasten_[static_cast<size_t>(i)].Aktiv != 0);
}

void Grafik_FX::TasteZeichnen(const TastaturStruct& t, bool aktiv) {
  const int32_t bildX = aktiv ? t.CutPosXAktive : t.CutPosXPassive;
  const int32_t bildY = aktiv ? t.CutPosYAktive : t.CutPosYPassive;
  platform::BitBlt(t.TargetHDC, t.Abschnitt1_X, t.Abschnitt1_Y, t.Abschnitt1_Breite, t.Abschnitt1_Hoehe, t.CutHDC,
                   bildX + t.Abschnitt1_X - t.DeltaCutX, bildY, platform::Rop::SrcCopy);
  if (t.Abschnitt2_Breite >= 1) {
    platform::BitBlt(t.TargetHDC, t.Abschnitt2_X, t.Abschnitt2_Y, t.Abschnitt2_Breite, t.Abschnitt2_Hoehe, t.CutHDC,
                     bildX + t.Abschnitt2_X - t.DeltaCutX, bildY + t.Abschnitt1_Hoehe, platform::Rop::SrcCopy);
    Invalidate(t.MainHWND, static_cast<int16_t>(t.Abschnitt2_X), static_cast<int16_t>(t.Abschnitt1_Y),
               static_cast<int16_t>(t.Abschnitt1_Breite + t.Abschnitt2_Breite),
               static_cast<int16_t>(t.Abschnitt1_Hoehe + t.Abschnitt2_Hoehe));
  } else {
    Invalidate(t.MainHWND, static_cast<int16_t>(t.Abschnitt1_X), static_cast<int16_t>(t.Abschnitt1_Y),
               static_cast<int16_t>(t.Abschnitt1_Breite), static_cast<int16_t>(t.Abschnitt1_Hoehe));
  }
}

void Grafik_FX::TastaturDraw(int16_t handle, int16_t Aktiv) {
  if (handle < 0 || handle >= kTasten) return;
  TasteZeichnen(tasten_[static_cast<size_t>(handle)], Aktiv != 0);
}

int16_t Grafik_FX::TastaturGetWert() const {
  for (int16_t i = 0; i < kTasten; ++i)
    if (tasten_[static_cast<size_t>(i)].Aktiv == kWahr) return i;
  return -1;
}

void Grafik_FX::TastaturSetWert(int16_t handle, int16_t wert) {
  if (handle < 0 || handle >= kTasten) return;
  tasten_[static_cast<size_t>(handle)].Aktiv = wert;
}

int16_t Grafik_FX::TastaturMouseDown(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  int16_t treffer = -1;
  for (int16_t i = 0; i < kTasten && treffer < 0; ++i) {
    const TastaturStruct& t = tasten_[static_cast<size_t>(i)];
    if (t.Abschnitt1_Breite <= 0 && t.Abschnitt1_Hoehe <= 0) continue;  // never laid out
    if (Drin(x, y, t.Abschnitt1_X, t.Abschnitt1_Y, t.Abschnitt1_Breite, t.Abschnitt1_Hoehe) ||
        (t.Abschnitt2_Breite >= 1 && Drin(x, y, t.Abschnitt2_X, t.Abschnitt2_Y, t.Abschnitt2_Breite, t.Abschnitt2_Hoehe)))
      treffer = i;
  }
  if (treffer < 0) return -1;
  for (int16_t i = 0; i < kTasten; ++i) {
    TastaturStruct& t = tasten_[static_cast<size_t>(i)];
    if (i == treffer || t.Aktiv == 0) continue;
    t.Aktiv = 0;
    TasteZeichnen(t, false);
  }
  TastaturStruct& t = tasten_[static_cast<size_t>(treffer)];
  TasteZeichnen(t, true);
  t.Aktiv = kWahr;
  zuletzt_ = treffer;
  return treffer;
}

int16_t Grafik_FX::TastaturMouseUp(int16_t Button, int16_t Shift, int32_t x, int32_t y) { return -1; }

int16_t Grafik_FX::TastaturMouseMove(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  return Button == 1 ? TastaturMouseDown(Button, Shift, x, y) : -1;
}

// --- LED matrix --------------------------------------------------------------------------

void Grafik_FX::MatrixInit(int32_t ZielX, int32_t ZielY, int32_t AusschnittPassivX, int32_t AusschnittPassivY,
                           int32_t AusschnittAktivX, int32_t AusschnittAktivY, int32_t AusschnittAktiv2X,
                           int32_t AusschnittAktiv2Y, int16_t Umrechnungsfaktor, SDL_Surface* AusschnittHDC,
                           SDL_Surface* Ziel1HDC, SDL_Surface* Ziel2HDC, platform::Window* ZielHWND,
                           int32_t LedBreite, int32_t LedHoehe) {
  // Elements 742..757 describe both the columns and the rows; 758 and 759 only rows.
  const int32_t randX = Runde(Umrechnungsfaktor * 14 / 40.0);
  const int32_t randY = Runde(Umrechnungsfaktor * 7 / 40.0);
  for (int r = 0; r < kLedZeilen; ++r) {
    const pages::ObjektStruct& zeile = objekte_[kMatrixElement + r];
    for (int s = 0; s < kLedSpalten; ++s) {
      const pages::ObjektStruct& spalte = objekte_[kMatrixElement + s];
      MatrixStruct& m = leds_[static_cast<size_t>(s + kLedSpalten * r)];
      m = MatrixStruct{};
      m.MainHWND = ZielHWND;
      m.CutHDC = AusschnittHDC;
      m.TargetHDC = Ziel1HDC;
      m.MemoryHDC = Ziel2HDC;
      m.SourceX = spalte.QuelleX;
      m.XAusschnitt = m.XAusschnitt2 = spalte.AktivX;
      m.SourceY = zeile.QuelleY;
      m.YAusschnitt = m.YAusschnitt2 = zeile.AktivY;
      m.ZeichnenBreite = spalte.Breite;
      m.ZeichnenHoehe = zeile.Hoehe;
      m.DrawX = spalte.X + VersatzX;
      m.DrawY = zeile.Y + VersatzY;
      m.XPos = s;
      m.YPos = r;
      m.KlickX = m.DrawX;
      m.KlickY = m.DrawY;
      m.KlickBreite = m.ZeichnenBreite;
      m.KlickHoehe = m.ZeichnenHoehe;
      m.KlickOffsetX = randX;
      m.KlickOffsetY = randY;
    }
  }
}

void Grafik_FX::MatrixDraw(int index) {
  const MatrixStruct& m = leds_[static_cast<size_t>(index)];
  int32_t sx = 0, sy = 0;
  switch (m.AktuellerWert) {
    case 0: sx = m.SourceX + m.DeltaX; sy = m.SourceY + m.DeltaY; break;
    case 1: sx = m.XAusschnitt + m.DeltaX; sy = m.YAusschnitt + m.DeltaY; break;
    case 2: sx = m.XAusschnitt2 + m.DeltaX; sy = m.YAusschnitt2 + m.DeltaY; break;
    default: break;
  }
  platform::BitBlt(m.TargetHDC, m.DrawX, m.DrawY, m.ZeichnenBreite, m.ZeichnenHoehe, m.CutHDC, sx, sy,
                   platform::Rop::SrcCopy);
  if (m.MemoryHDC == m.TargetHDC)
    Invalidate(m.MainHWND, static_cast<int16_t>(m.DrawX), static_cast<int16_t>(m.DrawY),
               static_cast<int16_t>(m.ZeichnenBreite), static_cast<int16_t>(m.ZeichnenHoehe));
}

int16_t Grafik_FX::MatrixTreffer(int32_t x, int32_t y) const {
  // The enlarged rectangles of neighbours overlap; the lower index wins. Records past the
  // matrix are never laid out and are not offered the pointer.
  for (int16_t i = 0; i < kLeds; ++i) {
    const MatrixStruct& m = leds_[static_cast<size_t>(i)];
    if (m.KlickBreite <= 0 && m.KlickHoehe <= 0) continue;
    if (x >= m.KlickX - m.KlickOffsetX && x <= m.KlickX + m.KlickOffsetX + m.KlickBreite &&
        y >= m.KlickY - m.KlickOffsetY && y <= m.KlickY + m.KlickOffsetY + m.KlickHoehe)
      return i;
  }
  return -1;
}

void Grafik_FX::Spaltenregel(int index) {
  // At most one LED per column is lit: a step plays one pitch.
  for (int i = index % kLedSpalten; i < kLedTabelle; i += kLedSpalten) {
    if (i == index || leds_[static_cast<size_t>(i)].AktuellerWert != 1) continue;
    leds_[static_cast<size_t>(i)].AktuellerWert = 0;
    MatrixDraw(i);
  }
}

int16_t Grafik_FX::MatrixMouseDown(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  malzustand_ = 1;
  int16_t i = MatrixTreffer(x, y);
  if (i < 0) return -1;
  MatrixStruct& m = leds_[static_cast<size_t>(i)];
  if (m.AktuellerWert == 1 || (Radierer && Radierer())) {
    m.AktuellerWert = 0;
    malzustand_ = 0;
  } else {
    m.AktuellerWert = 1;
    malzustand_ = 1;
    Spaltenregel(i);
  }
  MatrixDraw(i);
  zuletzt_ = i;
  return i;
}

int16_t Grafik_FX::MatrixMouseMove(int16_t Button, int16_t Shift, int32_t x, int32_t y) {
  if (Button != 1) return -1;
  int16_t i = MatrixTreffer(x, y);
  if (i < 0) return -1;
  leds_[static_cast<size_t>(i)].AktuellerWert = (Radierer && Radierer()) ? 0 : malzustand_;
  MatrixDraw(i);
  Spaltenregel(i);
  return i;
}

int32_t Grafik_FX::MatrixGetWert(int16_t handle) const {
  if (handle < 0 || handle >= kLedTabelle) return -1;
  return leds_[static_cast<size_t>(handle)].AktuellerWert;
}

void Grafik_FX::MatrixSetWert(int16_t handle, int32_t wert) {
  if (handle < 0 || handle >= kLedTabelle) return;
  leds_[static_cast<size_t>(handle)].AktuellerWert = wert;
  MatrixDraw(handle);
}

void Grafik_FX::MatrixGetLeds(Zeilenworte& TempMatrix) const {
  for (int r = 0; r < kLedZeilen; ++r) {
    uint16_t wort = 0;
    for (int s = 0; s < kLedSpalten; ++s)
      if (leds_[static_cast<size_t>(s + kLedSpalten * r)].AktuellerWert == 1) wort |= static_cast<uint16_t>(1u << s);
    TempMatrix[static_cast<size_t>(r)] = static_cast<int16_t>(wort);  // column 15 is the sign bit
  }
}

void Grafik_FX::MatrixSetLeds(const Zeilenworte& TempMatrix) {
  for (int r = 0; r < kLedZeilen; ++r) {
    const auto wort = static_cast<uint16_t>(TempMatrix[static_cast<size_t>(r)]);
    for (int s = 0; s < kLedSpalten; ++s) {
      const int i = s + kLedSpalten * r;
      const int32_t neu = (wort >> s) & 1u;
      if (leds_[static_cast<size_t>(i)].AktuellerWert != neu) leds_[static_cast<size_t>(i)].AktuellerWert = neu;
      MatrixDraw(i);
    }
  }
}

}  // namespace zelo::widgets
