// The view's arithmetic: tracks and ticks under a point, drop snapping, the visible part of a
// block, the loop range of a band over the ruler, scrolling, and the sample list's hit test
// and group target.

#include "arrangement/AnsichtRechnung.h"

#include <gtest/gtest.h>

namespace zelo::arrangement {
namespace {

// Rows 16 high with a gap of 2 (pitch 18) from y 50; 50 pixels a bar from x 100.
Spurgeometrie Geo() {
  Spurgeometrie g;
  g.Links = 100, g.Oben = 50, g.Zeilenhoehe = 16, g.Abstand = 2, g.PixelProTakt = 50, g.Linealx = 100;
  return g;
}

TEST(AnsichtRechnung, TrackUnderAPointByRule) {
  const Spurgeometrie g = Geo();
  struct Fall { int y; int druck; };
  // Row 0 spans 50..66 (both edges), the gap 67; row 15's gap is 337; row 16 spans 338..354.
  for (Fall f : {Fall{49, -1}, {50, 0}, {66, 0}, {67, -1}, {68, 1}, {337, -1}, {338, 16}, {354, 16}, {355, -1}})
    EXPECT_EQ(SpurBeiDruck(g, f.y), f.druck) << "press at y " << f.y;

  struct Abwurf { double f; int spur; };
  // A sample from the list has slack above row 0 and below row 16.
  for (Abwurf a : {Abwurf{-0.5, 0}, {-0.8, -1}, {3.9, 3}, {16.6, 16}, {17.1, 16}, {17.3, 17}})
    EXPECT_EQ(SpurBeiAbwurf(g, g.Oben + a.f * g.Pitch()), a.spur) << "drop at f " << a.f;
  // A grabbed block lands by its picture's top plus half a pitch.
  EXPECT_EQ(SpurBeiBlockabwurf(g, g.ZeileOben(4) - 8), 4);
  EXPECT_EQ(SpurBeiBlockabwurf(g, g.ZeileOben(4) - 10), 3);

  // The eraser: a little slack above row 0, and a gap belongs to the row above it.
  for (Fall f : {Fall{46, 0}, {44, -1}, {67, 0}, {354, 16}, {400, -1}})
    EXPECT_EQ(SpurBeiRadierer(g, f.y), f.druck) << "eraser at y " << f.y;
}

TEST(AnsichtRechnung, TicksAndPixelsFollowTheScrollPosition) {
  const Spurgeometrie g = Geo();
  EXPECT_EQ(PixelZuTick(g, 150, 0), 128);
  EXPECT_EQ(PixelZuTick(g, 150, 3), 512);
  EXPECT_EQ(PixelZuTick(g, 90, 0), -26);
  EXPECT_EQ(TickZuPixel(g, 512, 3), 150);
  EXPECT_EQ(TickZuPixel(g, 0, 2), 0);
  for (int x = 100; x < 1200; x += 37) EXPECT_NEAR(TickZuPixel(g, PixelZuTick(g, x, 5), 5), x, 1) << x;
}

TEST(AnsichtRechnung, DropsSnapToBarsOrSixteenths) {
  struct Fall { int32_t tick; Raster raster; int32_t erwartet; };
  for (Fall f : {Fall{70, Raster::Takt, 128}, {70, Raster::Sechzehntel, 72}, {63, Raster::Takt, 0},
                 {64, Raster::Takt, 128}, {-10, Raster::Takt, 0}, {-70, Raster::Takt, -128},
                 {3, Raster::Sechzehntel, 0}, {5, Raster::Sechzehntel, 8}, {-5, Raster::Sechzehntel, -8}})
    EXPECT_EQ(AbwurfTick(f.tick, f.raster), f.erwartet) << f.tick;

  EXPECT_EQ(Sechzehntel(0), "   1/16 (1/4)");
  EXPECT_EQ(Sechzehntel(136), "   2/16        ");
  EXPECT_EQ(Sechzehntel(127), " 16/16        ");
  EXPECT_EQ(Sechzehntel(-1), "0");
}

TEST(AnsichtRechnung, EntriesDrawnNearTheVisibleBars) {
  const Spurgeometrie g = Geo();
  struct Fall { int32_t startTakt, takte; Sichtbarkeit s; };
  // First bar 10: bars 8 to 33 are drawn.
  for (Fall f : {Fall{5, 2, Sichtbarkeit::Auslassen}, {5, 4, Sichtbarkeit::Zeichnen}, {8, 1, Sichtbarkeit::Zeichnen},
                 {33, 1, Sichtbarkeit::Zeichnen}, {34, 1, Sichtbarkeit::Auslassen}, {35, 1, Sichtbarkeit::Danach}})
    EXPECT_EQ(EintragSichtbar(g, f.startTakt * 128, f.takte * 50, 10), f.s) << "bar " << f.startTakt;
}

TEST(AnsichtRechnung, VisiblePartOfABlock) {
  const Spurgeometrie g = Geo();  // the area runs from x 100 to 1200
  struct Fall {
    const char* was;
    int32_t start, breite, schnittA, schnittE, naechster, ersterTakt;
    Blockteil t;
  };
  const Fall faelle[] = {
      {"alone at bar 0: background to the right edge", 0, 100, 0, 0, -1, 0, {true, 100, 0, 100, 200, 1000, 0, 0}},
      {"cut short by the next entry", 256, 100, 0, 0, 320, 0, {true, 200, 0, 25, 0, 0, 100, 100}},
      {"scrolled: the hidden part is skipped", 0, 300, 0, 0, -1, 4, {true, 100, 200, 100, 200, 1000, 0, 0}},
      {"far into a long block the picture repeats 8 bars left", 0, 1500, 0, 0, -1, 20, {true, 100, 200, 500, 600, 600, 0, 0}},
      {"cuts narrow the block without shifting its picture", 0, 200, 64, 128, -1, 0, {true, 100, 0, 125, 225, 975, 0, 0}},
      {"cut at the right edge", 21 * 128, 200, 0, 0, -1, 0, {true, 1150, 0, 50, 0, 0, 100, 1050}},
  };
  for (const Fall& f : faelle) {
    const Blockteil t = BlockteilBerechnen(g, f.start, f.breite, f.schnittA, f.schnittE, f.naechster, f.ersterTakt, true);
    EXPECT_EQ(t.Block, f.t.Block) << f.was;
    EXPECT_EQ(t.ZielX, f.t.ZielX) << f.was;
    EXPECT_EQ(t.QuelleX, f.t.QuelleX) << f.was;
    EXPECT_EQ(t.Breite, f.t.Breite) << f.was;
    EXPECT_EQ(t.LueckeX, f.t.LueckeX) << f.was;
    EXPECT_EQ(t.LueckeBreite, f.t.LueckeBreite) << f.was;
    EXPECT_EQ(t.VorX, f.t.VorX) << f.was;
    EXPECT_EQ(t.VorBreite, f.t.VorBreite) << f.was;
  }
  // Only the first block of a row paints the space before it.
  EXPECT_EQ(BlockteilBerechnen(g, 256, 100, 0, 0, -1, 0, false).VorBreite, 0);
}

TEST(AnsichtRechnung, LoopRangeFromABandOverTheRuler) {
  const Spurgeometrie g = Geo();
  struct Fall { int x, breite, ersterTakt; Loopbereich l; };
  for (Fall f : {Fall{100, 100, 0, {1, 2}}, {100, 150, 10, {11, 13}}, {130, 40, 0, {0, 0}}, {90, 60, 0, {0, 0}},
                 {80, 120, 0, {1, 2}}})
    EXPECT_EQ(LoopAusBand(g, f.x, f.breite, f.ersterTakt), f.l) << f.x << " + " << f.breite;
}

TEST(AnsichtRechnung, ScrollPositions) {
  EXPECT_EQ(HScrollWert(0), 32767);
  EXPECT_EQ(HScrollWert(977), 0);
  EXPECT_EQ(HScrollWert(1), 32733);

  struct Fall { int32_t erster, akt, neu; };
  for (Fall f : {Fall{0, 0, 0}, {10, 11, 9}, {10, 12, 10}, {10, 29, 10}, {10, 30, 11}, {970, 998, 977}})
    EXPECT_EQ(ErsterTaktFuerMarker(f.erster, f.akt), f.neu) << f.erster << "/" << f.akt;
  EXPECT_EQ(ErsterTaktFuerSpielposition(20), 12);
  EXPECT_EQ(ErsterTaktFuerSpielposition(3), 0);

  // One bar for the first three repeats, three for the next three, then six.
  const int32_t schritte[] = {1, 1, 1, 3, 3, 3, 6, 6};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(ScrollSchritt(i + 1), schritte[i]) << "repeat " << i + 1;

  const Spurgeometrie g = Geo();
  EXPECT_EQ(LinealSpalte(g, 100), 1);
  EXPECT_EQ(LinealSpalte(g, 1199), 22);
  EXPECT_EQ(LinealSpalte(g, 1200), 0);
  EXPECT_EQ(LinealSpalte(g, 99), 0);
}

TEST(AnsichtRechnung, WhereABandEnds) {
  const Spurgeometrie g = Geo();
  EXPECT_EQ(BandzielVon(g, {150, 30, 200, 10}), Bandziel::Lineal);
  EXPECT_EQ(BandzielVon(g, {150, 40, 200, 40}), Bandziel::Spuren);
  EXPECT_EQ(BandzielVon(g, {150, 340, 200, 40}), Bandziel::Liste);
  int erste = 0, letzte = 0;
  BandSpuren(g, {150, 40, 200, 40}, erste, letzte);
  EXPECT_EQ(erste, 0);
  EXPECT_EQ(letzte, 1);
  BandSpuren(g, {150, 300, 200, 200}, erste, letzte);
  EXPECT_EQ(erste, 13);
  EXPECT_EQ(letzte, 16);
  EXPECT_EQ(RechteckAusPunkten(10, 20, 5, 8).w, 5);
}

TEST(AnsichtRechnung, ListButtonsAndTheirOutline) {
  std::vector<int32_t> breite(20, 0);
  breite[1] = 40, breite[2] = 200, breite[3] = 30;  // sample 2 is 20 bars of 10 pixels
  const std::vector<Listenknopf> knoepfe{{1, 0, 0}, {2, 50, 0}, {3, 0, 20}};
  struct Fall { int x, y, knopf; };
  // A long sample answers only where it is drawn, 14 bars wide.
  for (Fall f : {Fall{0, 0, 0}, {40, 16, 0}, {41, 5, -1}, {190, 5, 1}, {191, 5, -1}, {10, 16, 0}, {10, 20, 2}, {35, 30, -1}})
    EXPECT_EQ(ListenTreffer(knoepfe, breite, 10, 16, f.x, f.y), f.knopf) << f.x << "," << f.y;

  // The outline spans the pressed and the marked buttons at their full widths, plus 2 pixels.
  const platform::Rect r = ListenUmriss(knoepfe, {false, true, false}, breite, 16, 2);
  EXPECT_EQ(r.x, -2);
  EXPECT_EQ(r.y, -2);
  EXPECT_EQ(r.w, 254);
  EXPECT_EQ(r.h, 40);
}

TEST(AnsichtRechnung, GroupTargetOfADraggedSound) {
  // Twelve group buttons in a row, 80 wide and 90 apart.
  std::vector<platform::Rect> knoepfe;
  for (int b = 0; b < 12; ++b) knoepfe.push_back({100 + b * 90, 500, 80, 30});
  auto mitte = [&](int b) { return 100 + b * 90 + 40; };
  EXPECT_EQ(Zielgruppe(knoepfe, mitte(3), 515, 100, 16), 3);
  EXPECT_EQ(Zielgruppe(knoepfe, mitte(4) + 10, 520, 100, 16), 4);
  EXPECT_EQ(Zielgruppe(knoepfe, mitte(11), 515, 100, 16), 11);
  EXPECT_EQ(Zielgruppe(knoepfe, mitte(10), 515, 100, 16), kKeineGruppe) << "button 10 is never a target";
  EXPECT_EQ(Zielgruppe(knoepfe, mitte(3), 615, 100, 16), kKeineGruppe) << "too far below";
}

}  // namespace
}  // namespace zelo::arrangement
