// The keyboard's key geometry, presses and drags, and the LED matrix's column rule, drag
// painting and row words.

#include <gtest/gtest.h>

#include <vector>

#include "pages/Objekte.h"
#include "widgets/Grafik_FX.h"
#include "widgets/tests/Streifen.h"

namespace zelo::widgets {
namespace {

using namespace test;

// --- Keyboard ------------------------------------------------------------------------------

constexpr int kX = 100, kY = 600;  // the keyboard's origin on the window
constexpr int kAktivY = 192;       // the down picture lies below the up picture in the strip

// Every strip pixel names its own place, so a window pixel tells where it was copied from.
uint32_t Stelle(int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x << 12) | static_cast<uint32_t>(y); }

class TastaturTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fenster = Testfenster();
    ASSERT_TRUE(fenster->Ok());
    streifen.reset(platform::NewSurface(960, 2 * kAktivY));
    auto* p = static_cast<uint32_t*>(streifen->pixels);
    for (int y = 0; y < streifen->h; ++y)
      for (int x = 0; x < streifen->w; ++x) p[y * (streifen->pitch / 4) + x] = Stelle(x, y);
    fx.TastaturInit(kX, kY, 0, 0, 0, kAktivY, 40, streifen.get(), fenster->Back(), fenster->Back(), fenster.get(), 12);
  }

  /// Whether the window shows the key at window point (x, y) pressed.
  bool GedruecktGezeigt(int x, int y) { return Pixel(fenster->Back(), x, y) == Stelle(x - kX, kAktivY + y - kY); }

  std::unique_ptr<platform::Window> fenster;
  Surface streifen;
  pages::Objekte objekte;
  Grafik_FX fx{objekte};
};

TEST_F(TastaturTest, KeyGeometryAtFullScale) {
  struct Fall {
    int taste;
    platform::Rect oben, unten;  // relative to the origin; unten.w = -1 for a black key
  };
  const Fall faelle[] = {
      {0, {0, 0, 46, 117}, {0, 117, 60, 75}},
      {1, {46, 0, 28, 116}, {-1, -1, -1, -1}},
      {5, {194, 0, 32, 117}, {180, 117, 60, 75}},
      {12, {434, 0, 32, 117}, {420, 117, 60, 75}},
      {25, {900, 0, 46, 117}, {900, 117, 60, 75}},
  };
  for (const Fall& f : faelle) {
    const TastaturStruct& t = fx.Taste(f.taste);
    EXPECT_EQ(t.Abschnitt1_X - kX, f.oben.x) << "key " << f.taste;
    EXPECT_EQ(t.Abschnitt1_Y, kY) << "key " << f.taste;
    EXPECT_EQ(t.Abschnitt1_Breite, f.oben.w) << "key " << f.taste;
    EXPECT_EQ(t.Abschnitt1_Hoehe, f.oben.h) << "key " << f.taste;
    if (f.unten.w < 0) {
      EXPECT_EQ(t.Abschnitt2_Breite, -1) << "key " << f.taste;
      continue;
    }
    EXPECT_EQ(t.Abschnitt2_X - kX, f.unten.x) << "key " << f.taste;
    EXPECT_EQ(t.Abschnitt2_Y - kY, f.unten.y) << "key " << f.taste;
    EXPECT_EQ(t.Abschnitt2_Breite, f.unten.w) << "key " << f.taste;
    EXPECT_EQ(t.Abschnitt2_Hoehe, f.unten.h) << "key " << f.taste;
  }
}

TEST_F(TastaturTest, SmallerScalesKeepTheKeysInOrderWithoutGaps) {
  for (int16_t f : {20, 25, 32, 36}) {
    fx.TastaturInit(0, 0, 0, 0, 0, 0, f, nullptr, nullptr, nullptr, nullptr, 12);
    int rechts = 0;
    for (int i = 0; i < kTasten; ++i) {
      const TastaturStruct& t = fx.Taste(i);
      if (t.Abschnitt2_Breite < 0) continue;
      // Lower sections follow each other, sharing an edge pixel or one pixel apart by rounding.
      EXPECT_NEAR(t.Abschnitt2_X, rechts, 1) << "scale " << f << " key " << i;
      rechts = t.Abschnitt2_X + t.Abschnitt2_Breite;
    }
    EXPECT_NEAR(rechts, 16 * (60 * f - 1) / 40.0, 1.0) << "scale " << f;
  }
}

TEST_F(TastaturTest, PressesHitTheRightKey) {
  struct Fall {
    int x, y, taste;
  };
  const Fall faelle[] = {
      {46, 50, 0},    // the shared edge of key 0 and black key 1 belongs to key 0
      {47, 50, 1},
      {50, 150, 0},   // lower row, below black key 1
      {61, 150, 2},
      {60, 150, 0},   // the shared edge of the lower sections: the lower key number
      {0, 0, 0},
      {960, 192, 25}, // the far corner, edges included
      {200, 10, 5},
      {-1, 50, -1},
      {100, 193, -1},
  };
  for (const Fall& f : faelle) {
    fx.TastaturInit(kX, kY, 0, 0, 0, kAktivY, 40, streifen.get(), fenster->Back(), fenster->Back(), fenster.get(), 12);
    EXPECT_EQ(fx.TastaturMouseDown(1, 0, kX + f.x, kY + f.y), f.taste) << f.x << "," << f.y;
    EXPECT_EQ(fx.TastaturGetWert(), f.taste < 0 ? 12 : f.taste) << f.x << "," << f.y;
  }
}

TEST_F(TastaturTest, DragMovesThePressedKeyAndReleaseKeepsIt) {
  EXPECT_EQ(fx.TastaturGetWert(), 12);
  EXPECT_TRUE(GedruecktGezeigt(kX + 430, kY + 150)) << "key 12 starts pressed";
  EXPECT_FALSE(GedruecktGezeigt(kX + 10, kY + 150));

  // Along the upper row from key 3 to key 7: keys 4, 5 and 6 are pressed in turn.
  std::vector<int> gedrueckt;
  ASSERT_EQ(fx.TastaturMouseDown(1, 0, kX + 125, kY + 30), 3);
  for (int x = 125; x <= 275; x += 5) {
    int t = fx.TastaturMouseMove(1, 0, kX + x, kY + 30);
    if (gedrueckt.empty() || gedrueckt.back() != t) gedrueckt.push_back(t);
  }
  EXPECT_EQ(gedrueckt, (std::vector<int>{3, 4, 5, 6, 7}));
  EXPECT_EQ(fx.TastaturMouseMove(0, 0, kX + 430, kY + 30), -1) << "a move without the left button";
  EXPECT_EQ(fx.TastaturMouseUp(1, 0, kX + 275, kY + 30), -1);
  EXPECT_EQ(fx.TastaturGetWert(), 7);
  EXPECT_EQ(fx.ZuletztBeruehrt(), 7);
  int aktiv = 0;
  for (int i = 0; i < kTasten; ++i) aktiv += fx.Taste(i).Aktiv != 0;
  EXPECT_EQ(aktiv, 1) << "exactly one key is pressed";
  EXPECT_TRUE(GedruecktGezeigt(kX + 270, kY + 30));
  EXPECT_TRUE(GedruecktGezeigt(kX + 250, kY + 150)) << "the lower section too";
  EXPECT_FALSE(GedruecktGezeigt(kX + 430, kY + 150)) << "key 12 was released on the screen";
  EXPECT_EQ(Pixel(fenster->Back(), kX + 430, kY + 150), Stelle(430, 150));
}

// --- LED matrix ----------------------------------------------------------------------------

// Columns 30 pixels apart, rows 25 apart, LEDs 21 x 22: the enlarged click rectangles
// (14 and 7 pixels at full scale) overlap their neighbours.
constexpr int kLedX = 300, kLedY = 200;

class MatrixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fenster = Testfenster();
    ASSERT_TRUE(fenster->Ok());
    for (int i = 0; i < 18; ++i) {
      pages::ObjektStruct& o = objekte[kMatrixElement + i];
      o.X = static_cast<int16_t>(kLedX + 30 * i);
      o.Y = static_cast<int16_t>(kLedY + 25 * i);
      o.Breite = 21;
      o.Hoehe = 22;
      o.QuelleX = o.AktivX = 0;
      o.QuelleY = 0;
      o.AktivY = 22;
    }
    fx.Radierer = [this] { return radierer; };
    fx.MatrixInit(0, 0, 0, 0, 0, 0, 0, 0, 40, streifen.get(), fenster->Back(), fenster->Back(), fenster.get(), 21, 22);
  }

  static int Index(int zeile, int spalte) { return spalte + kLedSpalten * zeile; }
  /// The window point in the middle of an LED.
  static std::pair<int, int> Mitte(int zeile, int spalte) { return {kLedX + 30 * spalte + 10, kLedY + 25 * zeile + 11}; }
  int Klick(int zeile, int spalte) {
    auto [x, y] = Mitte(zeile, spalte);
    return fx.MatrixMouseDown(1, 0, x, y);
  }
  int Zug(int zeile, int spalte) {
    auto [x, y] = Mitte(zeile, spalte);
    return fx.MatrixMouseMove(1, 0, x, y);
  }
  bool AnGezeigt(int zeile, int spalte) {
    auto [x, y] = Mitte(zeile, spalte);
    return Pixel(fenster->Back(), x, y) == kAn;
  }
  std::vector<int> Spalte(int spalte) {
    std::vector<int> an;
    for (int r = 0; r < kLedZeilen; ++r)
      if (fx.MatrixGetWert(static_cast<int16_t>(Index(r, spalte))) == 1) an.push_back(r);
    return an;
  }

  std::unique_ptr<platform::Window> fenster;
  Surface streifen = [] {
    Surface s = Flaeche(21, 44, kAus);
    platform::FillRect(s.get(), {0, 22, 21, 22}, kAn);
    return s;
  }();
  pages::Objekte objekte;
  Grafik_FX fx{objekte};
  bool radierer = false;
};

TEST_F(MatrixTest, ClickLightsOneLedPerColumnAndALitLedGoesOff) {
  EXPECT_EQ(Klick(4, 2), Index(4, 2));
  EXPECT_TRUE(AnGezeigt(4, 2));
  EXPECT_EQ(Klick(9, 2), Index(9, 2));
  EXPECT_EQ(Spalte(2), (std::vector<int>{9})) << "the column's other LED went off";
  EXPECT_FALSE(AnGezeigt(4, 2));
  EXPECT_TRUE(AnGezeigt(9, 2));
  EXPECT_EQ(Klick(9, 2), Index(9, 2));
  EXPECT_TRUE(Spalte(2).empty()) << "clicking a lit LED leaves the column empty";
  EXPECT_FALSE(AnGezeigt(9, 2));
  EXPECT_EQ(fx.ZuletztBeruehrt(), Index(9, 2));
}

TEST_F(MatrixTest, HitTestUsesTheEnlargedRectangleAndTheLowerIndexWins) {
  const MatrixStruct& led = fx.Led(Index(3, 5));
  EXPECT_EQ(led.KlickOffsetX, 14);
  EXPECT_EQ(led.KlickOffsetY, 7);
  EXPECT_EQ(led.DrawX, kLedX + 150);
  EXPECT_EQ(fx.MatrixMouseDown(3, 0, kLedX - 14, kLedY - 7), Index(0, 0)) << "any button; the margins count";
  EXPECT_EQ(fx.MatrixMouseDown(1, 0, kLedX - 15, kLedY), -1);
  EXPECT_EQ(fx.MatrixMouseDown(1, 0, kLedX, kLedY - 8), -1);
  // Column 4's margin reaches 5 pixels into column 5, and row 2's 4 pixels into row 3:
  // where the enlarged rectangles overlap, the lower index wins.
  EXPECT_EQ(fx.MatrixMouseDown(1, 0, led.DrawX + 5, led.DrawY + 11), Index(3, 4));
  EXPECT_EQ(fx.MatrixMouseDown(1, 0, led.DrawX + 6, led.DrawY + 11), Index(3, 5));
  EXPECT_EQ(fx.MatrixMouseDown(1, 0, led.DrawX + 10, led.DrawY + 4), Index(2, 5));
  EXPECT_EQ(fx.MatrixMouseDown(1, 0, 0, 0), -1) << "records past the matrix take no press";
}

TEST_F(MatrixTest, DragPaintsWhatThePressDid) {
  // From an off LED: one LED per column is lit, the last one passed in each column.
  ASSERT_EQ(Klick(2, 0), Index(2, 0));
  EXPECT_EQ(Zug(3, 0), Index(3, 0));
  EXPECT_EQ(Zug(3, 1), Index(3, 1));
  EXPECT_EQ(Zug(5, 1), Index(5, 1));
  EXPECT_EQ(Zug(5, 2), Index(5, 2));
  EXPECT_EQ(Spalte(0), (std::vector<int>{3}));
  EXPECT_EQ(Spalte(1), (std::vector<int>{5}));
  EXPECT_EQ(Spalte(2), (std::vector<int>{5}));
  EXPECT_EQ(fx.MatrixMouseMove(0, 0, Mitte(5, 3).first, Mitte(5, 3).second), -1) << "no button, no paint";

  // From a lit LED: every LED passed is cleared.
  ASSERT_EQ(Klick(5, 1), Index(5, 1));
  EXPECT_EQ(fx.Malzustand(), 0);
  Zug(5, 2);
  Zug(3, 0);
  for (int s = 0; s < 3; ++s) EXPECT_TRUE(Spalte(s).empty()) << "column " << s;
  EXPECT_FALSE(AnGezeigt(5, 2));
}

TEST_F(MatrixTest, EraserModeClearsOnPressAndDrag) {
  Klick(1, 1);
  Klick(2, 2);
  radierer = true;
  EXPECT_EQ(Klick(0, 0), Index(0, 0));
  EXPECT_EQ(fx.MatrixGetWert(static_cast<int16_t>(Index(0, 0))), 0);
  Zug(1, 1);
  Zug(2, 2);
  EXPECT_TRUE(Spalte(1).empty());
  EXPECT_TRUE(Spalte(2).empty());
}

TEST_F(MatrixTest, RowWordsCarryColumnFifteenAsTheSignBit) {
  Klick(3, 0);
  Klick(3, 15);
  Klick(17, 7);
  fx.MatrixSetWert(static_cast<int16_t>(Index(0, 4)), 2);  // a third state counts as off
  Zeilenworte worte{};
  worte.fill(99);
  fx.MatrixGetLeds(worte);
  Zeilenworte erwartet{};
  erwartet[3] = -32767;  // bits 0 and 15
  erwartet[17] = 1 << 7;
  EXPECT_EQ(worte, erwartet);

  // Words in, LEDs out, and back again unchanged.
  Zeilenworte muster{};
  for (int r = 0; r < kLedZeilen; ++r) muster[static_cast<size_t>(r)] = static_cast<int16_t>(0x8001 >> (r % 3));
  fx.MatrixSetLeds(muster);
  Zeilenworte zurueck{};
  fx.MatrixGetLeds(zurueck);
  EXPECT_EQ(zurueck, muster);
  EXPECT_TRUE(AnGezeigt(0, 0));
  EXPECT_TRUE(AnGezeigt(0, 15));
  EXPECT_FALSE(AnGezeigt(1, 0));

  fx.MatrixSetLeds(Zeilenworte{});
  for (int r = 0; r < kLedZeilen; ++r)
    for (int s = 0; s < kLedSpalten; ++s) ASSERT_FALSE(AnGezeigt(r, s)) << r << "," << s;
  EXPECT_EQ(fx.MatrixGetWert(-1), -1);
  EXPECT_EQ(fx.MatrixGetWert(323), -1);
  EXPECT_EQ(fx.MatrixGetWert(322), 0);
  fx.MatrixSetWert(400, 1);  // ignored
}

}  // namespace
}  // namespace zelo::widgets
