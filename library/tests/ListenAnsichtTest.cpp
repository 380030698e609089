#include "library/ListenAnsicht.h"

#include <gtest/gtest.h>

#include "pages/tests/Seitenwelt.h"

namespace zelo::library {
namespace {

TEST(ListenAnsicht, ButtonsAreDrawnAsBlocksInTheirLookAndTheListAreaRepaints) {
  pages::Aktionen aktionen;
  test::Seitenwelt welt(aktionen);
  welt.masse.SampleAbstand = 3;
  welt.Element(kListenElement, 10, 250, 380, 150, pages::Platzhalter, pages::Soundgruppen);
  welt.seiten->SPlus(pages::Soundgruppen);
  platform::FontSpec font;
  font.Name = "DejaVu Sans";
  font.Groesse = 8;
  SDL_Surface* blockbild = welt.gfx->GFX_SampleInit(welt.masse.Spurhoehe, 2560, font);
  ASSERT_NE(blockbild, nullptr);
  const int32_t paar = welt.gfx->GFX_SampleAddTexturePair("", "", "", 0, 0, 0);

  Katalog k;
  for (int n : {1, 2, 3}) {
    k.SampleOrt[static_cast<size_t>(n)] = kOrtHauptcontainer;
    k.SampleGruppe[static_cast<size_t>(n)] = kGruppeLoop;
    k.SampleTakte[static_cast<size_t>(n)] = 2;
    k.SampleName[static_cast<size_t>(n)] = "Loop";
  }
  k.BreitenBerechnen(welt.masse.PixelProTakt);

  ListenAnsicht ansicht(*welt.seiten, welt.objekte, k, welt.uhr, welt.masse.Spurhoehe, {welt.gfx.get(), blockbild, paar});
  Soundgruppen g(k, *welt.engine, ansicht);
  g.GeometrieSetzen(ListengeometrieAusSeite(welt.objekte, welt.masse));
  EXPECT_EQ(g.Geometrie().W, 380);
  EXPECT_EQ(g.Geometrie().H, 12);
  g.GruppenOrdnen(0);
  g.sorting(false);

  SDL_Surface* back = welt.fenster->Back();
  platform::FillRect(back, {0, 0, back->w, back->h}, test::kHinten);
  g.Hauptnummer = 2;
  g.Hervorhebung = true;
  g.ListeAufbauen(0);
  ASSERT_EQ(g.Knopfliste().size(), 3u);
  auto farbe = [&](int k) { return welt.Schirm(g.Knopfliste()[k].X + 20, g.Knopfliste()[k].Y + 6); };
  EXPECT_NE(farbe(0), test::kHinten);
  EXPECT_NE(farbe(0), farbe(1)) << "the highlighted current sample has its selected look";
  // Nothing is drawn beside the buttons.
  EXPECT_EQ(welt.Schirm(g.Knopfliste()[0].X - 2, g.Knopfliste()[0].Y + 6), test::kHinten);
  EXPECT_EQ(welt.Schirm(g.Knopfliste()[0].X + 20, g.Knopfliste()[0].Y + 12 + 1), test::kHinten);
}

}  // namespace
}  // namespace zelo::library
