// The quick fader with the content kit's own pictures: the popup takes the size of "zelo22",
// and the knob sits where its value puts it, at the start and after a drag to the top.

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <array>
#include <cstdlib>
#include <filesystem>

#include "pages/Objekte.h"
#include "tests/support/TestEnv.h"
#include "widgets/Bildbox.h"
#include "widgets/Grafik_FX.h"
#include "widgets/Seitenregler.h"
#include "widgets/tests/Streifen.h"

namespace zelo::widgets {
namespace {

using namespace test;

Surface Laden(const std::string& pfad) {
  if (!std::filesystem::exists(pfad)) return nullptr;
  SDL_Surface* roh = IMG_Load(pfad.c_str());
  if (!roh) return nullptr;
  Surface s(SDL_ConvertSurfaceFormat(roh, SDL_PIXELFORMAT_ARGB8888, 0));
  SDL_FreeSurface(roh);
  return s;
}

/// The first popup row at which the knob's top row appears whole; -1 when none.
int KnopfZeile(SDL_Surface* popup, SDL_Surface* knopf, int links) {
  for (int y = 0; y + knopf->h <= popup->h; ++y) {
    bool gleich = true;
    for (int x = 0; x < knopf->w && gleich; ++x)
      gleich = (Pixel(popup, links + x, y) | 0xFF000000u) == (Pixel(knopf, x, 0) | 0xFF000000u);
    if (gleich) return y;
  }
  return -1;
}

TEST(KitTest, QuickFaderPopupWithTheKitsPictures) {
  const std::string medium = zelo::test::MediumDataFolder();
  Surface quick = Laden(medium + "grafiki/zelo22I.");
  Surface knopf = Laden(medium + "grafiki/zelo64i.");
  if (medium.empty() || !quick || !knopf) GTEST_SKIP() << "the content kit is not in this build";

  auto fenster = Testfenster();
  Bildbox sampi(fenster.get());
  pages::Objekte objekte;
  objekte.Hoechste = 306;
  pages::ObjektStruct& o = objekte[306];
  o.Typ = pages::QRegler;
  o.Seiten = pages::Mixer;
  o.X = 600;
  o.Y = 400;
  o.Breite = 30;
  o.Hoehe = 12;
  o.Wert = 20000;
  Grafik_FX fx(objekte);
  fx.QAbstand = 8;  // the 1280 x 960 layout
  Seitenregler seite(fx, objekte);
  std::array<platform::BildStruct, 51> knoepfe{};
  knoepfe[0] = {knopf.get(), knopf->w, knopf->h, 0, 0, ""};
  platform::BildStruct quickbild{quick.get(), quick->w, quick->h, 0, 0, ""};
  seite.ReglerAktivieren(pages::Mixer, {fenster.get(), fenster->Back(), {}, knoepfe, &quickbild, &sampi, 0, 0});
  ASSERT_EQ(o.Regler, 1);

  ASSERT_EQ(fx.MouseDown(1, 0, 615, 406), 0);
  ASSERT_TRUE(sampi.Sichtbar());
  EXPECT_EQ(sampi.Breite(), quick->w);
  EXPECT_EQ(sampi.Hoehe(), quick->h);
  const int links = quick->w / 2 - knopf->w / 2;
  const double wertProPixel = 32767.0 / (quick->h - 2 * 8 - knopf->h);
  const int erwartet = static_cast<int>(quick->h - knopf->h - 8 - 1 - 20000 / wertProPixel);
  EXPECT_NEAR(KnopfZeile(sampi.Bild(), knopf.get(), links), erwartet, 1);

  fx.MouseMove(1, 0, 615, 406 - 1000);
  EXPECT_EQ(fx.ReglerGetWert(0), 32767);
  EXPECT_NEAR(KnopfZeile(sampi.Bild(), knopf.get(), links), 8 - 1, 1) << "the top of the scale";
  EXPECT_EQ(fx.MouseUp(1, 0, 615, 0), 0);
  EXPECT_FALSE(sampi.Sichtbar());
}

}  // namespace
}  // namespace zelo::widgets
