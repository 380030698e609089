// Faders: clicks beside the knob, drags with clamping, vertical and horizontal, the quick
// fader's popup, and the page faders made from the element table.

#include <gtest/gtest.h>

#include <vector>

#include "pages/Objekte.h"
#include "widgets/Bildbox.h"
#include "widgets/Grafik_FX.h"
#include "widgets/Seitenregler.h"
#include "widgets/tests/Streifen.h"

namespace zelo::widgets {
namespace {

using namespace test;

class ReglerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fenster = Testfenster();
    ASSERT_TRUE(fenster->Ok());
    sampi = std::make_unique<Bildbox>(fenster.get());
    fx.setsampi(sampi.get());
    fx.QAbstand = 8;
  }

  /// A fixed fader on the back image at (x, y) of w x h with a 20 x 20 knob.
  ReglerStruct Fest(int x, int y, int w, int h, int32_t wert) {
    ReglerStruct r{};
    r.MainHWND = fenster.get();
    r.AusgabeHDC = r.ZielHDC = fenster->Back();
    r.FixFlag = kWahr;
    r.RHintergrundHDC = hintergrund.get();
    r.RHintergrundBreite = w;
    r.RHintergrundHoehe = h;
    r.ZielXPos = r.XClickPos = x;
    r.ZielYPos = r.YClickPos = y;
    r.ZielBreite = r.ClickPosBreite = w;
    r.ZielHoehe = r.ClickPosHoehe = h;
    r.RKopfHDC = knopf.get();
    r.RKopfBreite = r.RKopfHoehe = 20;
    r.ReglerDX = w;
    r.ReglerDY = h;
    r.RAddWert = 5000;
    r.RAktWert = wert;
    return r;
  }

  /// A quick fader: a 30 x 10 page area at (600, 5), popup picture 30 x 136, knob 30 x 10.
  ReglerStruct Quick(int32_t wert) {
    ReglerStruct r{};
    r.MainHWND = fenster.get();
    r.AusgabeHDC = r.ZielHDC = fenster->Back();
    r.RHintergrundHDC = quickbild.get();
    r.RHintergrundBreite = 30;
    r.RHintergrundHoehe = 136;
    r.ZielXPos = r.XClickPos = 600;
    r.ZielYPos = r.YClickPos = 5;
    r.ZielBreite = r.ClickPosBreite = 30;
    r.ZielHoehe = r.ClickPosHoehe = 10;
    r.RKopfHDC = quickknopf.get();
    r.RKopfBreite = 30;
    r.RKopfHoehe = 10;
    r.ReglerDX = 30;
    r.ReglerDY = 136 - 2 * 8;
    r.RAddWert = 5000;
    r.RAktWert = wert;
    return r;
  }

  /// The first row of the popup picture that shows the quick knob; -1 when none.
  int KnopfZeileImPopup() {
    for (int y = 0; y < sampi->Hoehe(); ++y)
      if (Pixel(sampi->Bild(), 15, y) == kKnopf) return y;
    return -1;
  }

  std::unique_ptr<platform::Window> fenster;
  std::unique_ptr<Bildbox> sampi;
  pages::Objekte objekte;
  Grafik_FX fx{objekte};
  Surface hintergrund = Flaeche(200, 200, kHintergrund);
  Surface knopf = Flaeche(20, 20, kKnopf);
  Surface quickbild = Flaeche(30, 136, kHintergrund);
  Surface quickknopf = Flaeche(30, 10, kKnopf);
};

TEST_F(ReglerTest, VerticalFaderStepsTowardsThePressAndClampsAtTheTop) {
  int16_t h = fx.ReglerInit(Fest(100, 100, 20, 200, 10000));
  ASSERT_EQ(h, 0);
  // The knob's top: 100 + 200 - 20 - 10000 / (32767 / 180) = 225.05, drawn on the back image.
  EXPECT_EQ(Pixel(fenster->Back(), 110, 225), kKnopf);
  EXPECT_EQ(Pixel(fenster->Back(), 110, 224), kHintergrund);
  std::vector<int32_t> werte;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(fx.MouseDown(1, 0, 110, 105), h);
    werte.push_back(fx.ReglerGetWert(h));
    EXPECT_EQ(fx.MouseUp(1, 0, 110, 105), -1) << "a step leaves no drag behind";
  }
  EXPECT_EQ(werte, (std::vector<int32_t>{15000, 20000, 25000, 30000, 32767}));
  EXPECT_EQ(Pixel(fenster->Back(), 110, 100), kKnopf) << "the knob reached the top";
  // The bottom-right corner of the click rectangle still hits (below the knob: one step down).
  EXPECT_EQ(fx.MouseDown(1, 0, 120, 300), h);
  EXPECT_EQ(fx.ReglerGetWert(h), 27767);
  EXPECT_EQ(fx.MouseDown(1, 0, 121, 300), -1);
  EXPECT_EQ(fx.MouseDown(1, 0, 120, 301), -1);
}

TEST_F(ReglerTest, DraggingTheKnobFollowsThePointerAndClamps) {
  int16_t h = fx.ReglerInit(Fest(100, 100, 20, 200, 10000));
  ASSERT_EQ(fx.MouseDown(1, 0, 110, 230), h) << "on the knob";
  EXPECT_EQ(fx.MouseMove(1, 0, 110, 220), h);
  EXPECT_EQ(fx.ReglerGetWert(h), 11820);  // 10000 + 10 x 32767 / 180
  EXPECT_EQ(fx.MouseMove(1, 0, 110, 230 - 1000), h);
  EXPECT_EQ(fx.ReglerGetWert(h), 32767);
  EXPECT_EQ(fx.MouseMove(1, 0, 110, 230 + 1000), h);
  EXPECT_EQ(fx.ReglerGetWert(h), 0);
  EXPECT_EQ(Pixel(fenster->Back(), 110, 299), kKnopf) << "value 0 puts the knob at the bottom";
  EXPECT_EQ(fx.MouseMove(0, 0, 110, 0), h) << "a move without a button only names the fader";
  EXPECT_EQ(fx.ReglerGetWert(h), 0);
  EXPECT_EQ(fx.MouseUp(1, 0, 110, 0), h);
  EXPECT_EQ(fx.MouseMove(1, 0, 110, 100), -1) << "released: no fader follows";
}

TEST_F(ReglerTest, HorizontalFaderStoresItsValueInverted) {
  int16_t h = fx.ReglerInit(Fest(300, 500, 200, 20, 8000));
  EXPECT_EQ(fx.ReglerGetWert(h), 8000);
  EXPECT_EQ(fx.Regler(h).RAktWert, 24767);
  EXPECT_EQ(fx.Regler(h).Vertikal, 0);
  // Knob left: 300 + 200 - 20 - 24767 / (32767 / 180) = 343.9.
  EXPECT_EQ(Pixel(fenster->Back(), 344, 510), kKnopf);
  EXPECT_EQ(fx.MouseDown(1, 0, 310, 510), h) << "left of the knob";
  EXPECT_EQ(fx.ReglerGetWert(h), 3000);
  EXPECT_EQ(fx.MouseDown(1, 0, 490, 510), h) << "right of the knob";
  EXPECT_EQ(fx.ReglerGetWert(h), 8000);
  ASSERT_EQ(fx.MouseDown(1, 0, 350, 510), h) << "on the knob";
  fx.MouseMove(1, 0, 360, 510);
  EXPECT_EQ(fx.ReglerGetWert(h), 9820) << "moving right raises the value";
  fx.MouseMove(1, 0, -5000, 510);
  EXPECT_EQ(fx.ReglerGetWert(h), 0);
  fx.MouseUp(1, 0, 0, 0);
  EXPECT_EQ(fx.ReglerSetWert(h, 0), kWahr);  // callers pass 32767 minus the value
  EXPECT_EQ(fx.ReglerGetWert(h), 32767);
  EXPECT_EQ(Pixel(fenster->Back(), 480, 510), kKnopf) << "the knob sits at the right end";
  EXPECT_EQ(Pixel(fenster->Back(), 479, 510), kHintergrund);
}

TEST_F(ReglerTest, RightButtonClosedHandlesAndAFullTableAreRefused) {
  int16_t h = fx.ReglerInit(Fest(100, 100, 20, 200, 10000));
  EXPECT_EQ(fx.MouseDown(2, 0, 110, 105), -1);
  EXPECT_EQ(fx.MouseDown(2, 0, 110, 230), -1);
  EXPECT_EQ(fx.ReglerGetWert(h), 10000);
  for (int i = 1; i < kRegler; ++i) ASSERT_EQ(fx.ReglerInit(Fest(0, 0, 20, 200, 0)), i);
  EXPECT_EQ(fx.ReglerInit(Fest(0, 0, 20, 200, 0)), -1) << "a 66th fader";
  EXPECT_EQ(fx.ReglerClose(h), h);
  EXPECT_EQ(fx.ReglerGetWert(h), -1);
  EXPECT_EQ(fx.ReglerSetWert(h, 5), 0);
  EXPECT_EQ(fx.MouseDown(1, 0, 110, 105), -1) << "a closed fader takes no press";
  for (int16_t bad : {int16_t{-1}, int16_t{65}, int16_t{200}}) {
    EXPECT_EQ(fx.ReglerGetWert(bad), -1);
    EXPECT_EQ(fx.ReglerSetWert(bad, 1), 0);
    EXPECT_EQ(fx.ReglerClose(bad), -1);
    fx.ReglerSetAdder(bad, 1);
  }
  EXPECT_EQ(fx.ReglerInit(Fest(0, 0, 20, 200, 0)), h) << "the freed record is taken again";
}

TEST_F(ReglerTest, FaderWithoutTravelStaysInert) {
  int16_t h = fx.ReglerInit(Fest(100, 100, 20, 20, 5000));
  ASSERT_GE(h, 0);
  ASSERT_EQ(fx.MouseDown(1, 0, 110, 110), h);
  fx.MouseMove(1, 0, 110, -400);
  EXPECT_EQ(fx.ReglerGetWert(h), 5000);
}

TEST_F(ReglerTest, QuickFaderPopupOpensUnderThePointerClampedToTheTop) {
  int16_t h = fx.ReglerInit(Quick(16384));
  ASSERT_GE(h, 0);
  EXPECT_FALSE(sampi->Sichtbar()) << "a quick fader is not drawn until pressed";
  ASSERT_EQ(fx.MouseDown(1, 0, 615, 10), h);
  ASSERT_TRUE(sampi->Sichtbar());
  // The popup would start at 5 + 10 - 136 + 16384 / 297.9 + 8 = -58: it is shown at 0.
  EXPECT_EQ(sampi->Top(), 0);
  EXPECT_EQ(sampi->Left(), 600);
  EXPECT_EQ(sampi->Breite(), 30);
  EXPECT_EQ(sampi->Hoehe(), 136);
  // Inside the popup the knob sits where its value puts it: 136 - 10 - 8 - 1 - 55 = 62.
  EXPECT_EQ(KnopfZeileImPopup(), 62);
  EXPECT_EQ(Pixel(fenster->LayerSurface(platform::Layer::Popup), 615, 62), kKnopf);
  EXPECT_EQ(fx.MouseDown(1, 0, 615, 10), -1) << "an open fader takes no second press";

  EXPECT_EQ(fx.MouseMove(1, 0, 615, -10), h);
  EXPECT_EQ(fx.ReglerGetWert(h), 22342);  // 20 pixels up at 297.9 a pixel
  EXPECT_EQ(KnopfZeileImPopup(), 44) << "the popup redraw steps in whole pixels of 298";
  EXPECT_EQ(fx.MouseMove(1, 0, 615, -2000), h);
  EXPECT_EQ(fx.ReglerGetWert(h), 32767);
  EXPECT_EQ(fx.MouseUp(1, 0, 615, -2000), h);
  EXPECT_FALSE(sampi->Sichtbar());
  EXPECT_EQ(Pixel(fenster->LayerSurface(platform::Layer::Popup), 615, 62), 0u) << "the popup left the screen";
}

TEST_F(ReglerTest, QuickFaderWithoutOutputIsNeverShown) {
  ReglerStruct r = Quick(100);
  r.AusgabeHDC = nullptr;
  int16_t h = fx.ReglerInit(r);
  EXPECT_EQ(fx.MouseDown(1, 0, 610, 8), h);
  EXPECT_FALSE(sampi->Sichtbar());
}

TEST_F(ReglerTest, PointerOutsideEveryWidgetIsDeclinedByEveryKind) {
  int16_t h = fx.ReglerInit(Fest(100, 100, 20, 200, 10000));
  EXPECT_EQ(fx.MouseDown(1, 0, 700, 700), -1);
  EXPECT_EQ(fx.MouseMove(1, 0, 700, 700), -1);
  EXPECT_EQ(fx.MouseUp(1, 0, 700, 700), -1);
  EXPECT_EQ(fx.TastaturMouseDown(1, 0, 700, 700), -1);
  EXPECT_EQ(fx.MatrixMouseDown(1, 0, 700, 700), -1);
  EXPECT_EQ(fx.SEMouseDown(1, 0, 700, 700), 0);
  EXPECT_EQ(fx.ReglerGetWert(h), 10000);
}

// --- Page faders ---------------------------------------------------------------------------

class SeitenreglerTest : public ReglerTest {
 protected:
  void SetUp() override {
    ReglerTest::SetUp();
    objekte.Hoechste = 20;
    Element(10, pages::Regler, pages::Hauptbild, {100, 100, 20, 200}, 12000);
    Element(11, pages::QRegler, pages::Mixer, {600, 5, 30, 10}, 20000);
    Element(12, pages::Regler, pages::Hauptbild | pages::Mixer, {300, 500, 200, 20}, 8000);
    Element(13, pages::Button, pages::Hauptbild, {0, 0, 50, 50}, 0);
    seitenbilder[0] = {hintergrund.get(), 200, 200, 0, 0, ""};
    knopfbilder[0] = {knopf.get(), 20, 20, 0, 0, ""};
    knopfbilder[3] = {quickknopf.get(), 30, 10, 0, 0, ""};
    quick = {quickbild.get(), 30, 136, 0, 0, ""};
    bilder = {fenster.get(), fenster->Back(), seitenbilder, knopfbilder, &quick, sampi.get(), 0, 0};
  }

  void Element(int n, int16_t typ, int seiten, platform::Rect r, int32_t wert) {
    pages::ObjektStruct& o = objekte[n];
    o.Typ = typ;
    o.Seiten = static_cast<int16_t>(seiten);
    o.X = static_cast<int16_t>(r.x);
    o.Y = static_cast<int16_t>(r.y);
    o.Breite = static_cast<int16_t>(r.w);
    o.Hoehe = static_cast<int16_t>(r.h);
    o.Wert = wert;
    o.Bild = typ == pages::QRegler ? 3 : 0;
  }

  std::array<platform::BildStruct, 5> seitenbilder{};
  std::array<platform::BildStruct, 51> knopfbilder{};
  platform::BildStruct quick;
  Reglerbilder bilder;
  Seitenregler seite{fx, objekte};
};

TEST_F(SeitenreglerTest, FadersOfThePageSetAreMadeInElementOrderAndKeepTheirValues) {
  seite.ReglerAktivieren(pages::Hauptbild, bilder);
  EXPECT_EQ(objekte[10].Regler, 1);
  EXPECT_EQ(objekte[11].Regler, 0) << "not on the page set";
  EXPECT_EQ(objekte[12].Regler, 2);
  EXPECT_EQ(objekte[13].Regler, 0);
  EXPECT_EQ(seite.Element(0), 10);
  EXPECT_EQ(seite.Element(1), 12);
  EXPECT_EQ(fx.ReglerGetWert(0), 12000);
  EXPECT_EQ(fx.ReglerGetWert(1), 8000) << "a horizontal element shows its value";

  // A drag reaches the fader handler; without the mixer the value is kept in the element.
  ASSERT_EQ(fx.MouseDown(1, 0, 110, 220), 0) << "on element 10's knob (top 214)";
  fx.MouseMove(1, 0, 110, 0);
  EXPECT_EQ(seite.SetRegler(0), kWahr);
  fx.MouseUp(1, 0, 110, 0);
  EXPECT_EQ(objekte[10].Wert, 32767);
  EXPECT_EQ(seite.SetRegler(-1), 0);

  // The page set changes: every fader is closed and made again; values survive in the elements.
  seite.ReglerAktivieren(pages::Hauptbild | pages::Mixer, bilder);
  EXPECT_EQ(objekte[10].Regler, 1);
  EXPECT_EQ(objekte[11].Regler, 2);
  EXPECT_EQ(objekte[12].Regler, 3);
  EXPECT_EQ(fx.ReglerGetWert(0), 32767);
  EXPECT_EQ(fx.Regler(1).FixFlag, 0);
  EXPECT_EQ(fx.Regler(1).ReglerDY, 136 - 2 * 8) << "the popup keeps QAbstand above and below";
  EXPECT_EQ(fx.ReglerGetWert(3), -1) << "no record is left over";

  int aufrufe = 0;
  seite.setRegler = [&](int16_t num) { ++aufrufe; return int16_t{kWahr}; };
  EXPECT_EQ(seite.SetRegler(2), kWahr);
  EXPECT_EQ(aufrufe, 1) << "the mixer's handler takes over once plugged in";

  seite.ReglerSetzen(12, 1000);
  EXPECT_EQ(objekte[12].Wert, 1000);
  EXPECT_EQ(fx.ReglerGetWert(2), 1000);

  seite.ReglerCloseAll();
  for (int n : {10, 11, 12}) EXPECT_EQ(objekte[n].Regler, 0);
  for (int16_t h = 0; h < 3; ++h) EXPECT_EQ(fx.ReglerGetWert(h), -1);
}

TEST_F(SeitenreglerTest, ANarrowBackgroundGrowsToTheKnob) {
  objekte[10].Breite = 10;  // narrower than the 20-pixel knob
  seite.ReglerAktivieren(pages::Hauptbild, bilder);
  EXPECT_EQ(fx.Regler(0).RHintergrundBreite, 20);
  EXPECT_EQ(fx.Regler(0).ZielBreite, 10);
}

}  // namespace
}  // namespace zelo::widgets
