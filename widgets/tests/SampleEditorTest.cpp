// The sample editor: marker snapping and limits, the click rectangles' edges, the volume line
// and handle at the block's edges, the volume fader, and closing.

#include <gtest/gtest.h>

#include "pages/Objekte.h"
#include "widgets/Bildbox.h"
#include "widgets/Grafik_FX.h"
#include "widgets/tests/Streifen.h"

namespace zelo::widgets {
namespace {

using namespace test;

// A block of 400 pixels (three bars and a bit) at 128 pixels a bar: one pixel is one tick.
constexpr int kX = 200, kY = 300, kBreite = 400, kHoehe = 40, kPpt = 128;

class SampleEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fenster = Testfenster();
    ASSERT_TRUE(fenster->Ok());
    sampi = std::make_unique<Bildbox>(fenster.get());
    fx.setsampi(sampi.get());
    fx.QAbstand = 8;
    fx.Quickbild = {quickbild.get(), 30, 136, 0, 0, ""};
    fx.SEKnopf = {knopf.get(), 8, 6, 0, 0, ""};
    fx.Hauptbild = fenster->Back();
    fx.Hauptfenster = fenster.get();
  }

  void Oeffnen(int32_t volume = 16384, int32_t anfang = 0, int32_t ende = 0) {
    fx.SEEditInit(nullptr, kX, kY, kBreite, kHoehe, kPpt, anfang, ende, volume, 1280, Overlay(), fenster.get());
  }
  SDL_Surface* Overlay() { return fenster->LayerSurface(platform::Layer::Editor); }
  uint32_t O(int x, int y) { return Pixel(Overlay(), x, y); }

  /// Drags a marker from its click point by `dx` pixels; returns the editor's cut.
  void Ziehen(int16_t marker, int x0, int y0, int dx) {
    ASSERT_EQ(fx.SEMouseDown(1, 0, x0, y0), marker);
    EXPECT_TRUE(fx.SEMouseMove(1, 0, x0 + dx, y0));
    fx.SEMouseUp(1, 0, x0 + dx, y0);
  }

  std::unique_ptr<platform::Window> fenster;
  std::unique_ptr<Bildbox> sampi;
  pages::Objekte objekte;
  Grafik_FX fx{objekte};
  Surface quickbild = Flaeche(30, 136, kHintergrund);
  Surface knopf = Flaeche(8, 6, kKnopf);
};

TEST_F(SampleEditorTest, StartCutsSnapToSixteenths) {
  struct Fall {
    int pixel;    // how far the start marker is dragged
    int32_t cut;  // ticks stored
  };
  const Fall faelle[] = {{13, 16}, {11, 8}, {12, 16}, {3, 0}, {4, 8}, {-50, 0}, {100, 104}};
  for (const Fall& f : faelle) {
    Oeffnen();
    Ziehen(2, kX + 2, kY + 3, f.pixel);
    EXPECT_EQ(fx.SEGetLinks(), f.cut) << "dragged " << f.pixel;
    EXPECT_EQ(fx.SEGetRechts(), 0);
    fx.SEClose();
  }
}

TEST_F(SampleEditorTest, MarkersKeepNinePixelsBetweenThemAndNeverCutBelowZero) {
  Oeffnen(16384, 0, 40);
  // The end marker's click rectangle: 9 x 7 at (R - 9, bottom - 7), R = 200 + 400 - 40.
  EXPECT_EQ(fx.Editor().RightMarkClickX, 551);
  EXPECT_EQ(fx.Editor().RightMarkClickY, kY + kHoehe - 7);
  Ziehen(2, kX, kY, 5000);
  // At most 400 - 40 - 9 = 351 ticks, snapped to 352.
  EXPECT_EQ(fx.SEGetLinks(), 352);

  Oeffnen(16384, 0, 40);
  Ziehen(3, 555, kY + kHoehe - 3, -5000);
  EXPECT_EQ(fx.SEGetRechts(), 392) << "400 - 0 - 9 = 391, snapped";
  Oeffnen(16384, 0, 40);
  Ziehen(3, 555, kY + kHoehe - 3, 5000);
  EXPECT_EQ(fx.SEGetRechts(), 0) << "dragged past the block's end";
  EXPECT_EQ(fx.SEGetLinks(), 0);
}

TEST_F(SampleEditorTest, AShortBlockLeavesNoRoomForACutAndCutsStayAtZero) {
  fx.SEEditInit(nullptr, kX, kY, 6, kHoehe, kPpt, 0, 0, 16384, 1280, Overlay(), fenster.get());
  Ziehen(2, kX, kY, 3);
  EXPECT_EQ(fx.SEGetLinks(), 0) << "6 - 9 pixels of room is none";
}

TEST_F(SampleEditorTest, ClickRectangleEdges) {
  Oeffnen();
  const SampleStruct& s = fx.Editor();
  EXPECT_EQ(s.LeftMarkClickX, kX);
  EXPECT_EQ(fx.SEMouseDown(1, 0, s.LeftMarkClickX, s.LeftMarkClickY), 2);
  EXPECT_EQ(fx.SEMouseDown(1, 0, s.LeftMarkClickX + 9, s.LeftMarkClickY + 7), 2);
  EXPECT_EQ(fx.SEMouseDown(1, 0, s.RightMarkClickX, s.RightMarkClickY + 3), 0) << "its left edge is not the marker";
  EXPECT_EQ(fx.SEMouseDown(1, 0, s.RightMarkClickX + 1, s.RightMarkClickY + 3), 3);
  EXPECT_EQ(fx.SEMouseDown(1, 0, s.RightMarkClickX + 9, s.RightMarkClickY + 3), 0);
  // The handle at hx = 400 / 2 + 200 - 4 and the line at 300 + 38 x 16383 / 32767 = 319.
  EXPECT_EQ(s.VolumeClickX, 396);
  EXPECT_EQ(s.VolumeClickY, 319 - 4);
  EXPECT_EQ(fx.SEMouseDown(1, 0, 408, 327), 1);
  EXPECT_FALSE(fx.SEMouseMove(1, 0, 408, 200)) << "the handle moves only through its fader";
  EXPECT_EQ(fx.SEMouseUp(1, 0, 0, 0), kWahr);
  EXPECT_FALSE(fx.SEMouseMove(0, 0, 0, 0));
}

TEST_F(SampleEditorTest, VolumeLineAndHandleAtTheBlocksEdges) {
  Oeffnen(32767);
  EXPECT_EQ(fx.SEGetVolume(), 16383);
  const int xc = 396 + 3;
  EXPECT_EQ(O(kX + 100, kY), 0xFF000000u) << "full volume: the line on the block's top row";
  EXPECT_EQ(O(xc, kY - 1), 0u) << "the handle's upper half is not drawn";
  EXPECT_EQ(O(xc, kY + 6), 0xFFFFFFFFu) << "the lower half's tip";
  EXPECT_EQ(O(xc, kY + 3), 0xFF000000u);

  fx.SEClose();
  EXPECT_EQ(O(kX + 100, kY), 0u) << "closing removes the overlay";
  Oeffnen(0);
  const int y = kY + kHoehe - 2;
  EXPECT_EQ(O(kX + 100, y), 0xFF000000u) << "volume 0: the line two rows above the bottom";
  EXPECT_EQ(O(xc, y - 5), 0xFFFFFFFFu) << "the upper half's tip";
  EXPECT_EQ(O(xc, kY + kHoehe), 0u) << "the lower half is cut at the block's bottom";
  // The markers: start flag at the top, end flag at the bottom.
  EXPECT_EQ(O(kX, kY + 20), 0xFFFFFFFFu);
  EXPECT_EQ(O(kX + 1, kY + 20), 0xFF000000u);
  EXPECT_EQ(O(kX + kBreite - 1, kY + 20), 0xFFFFFFFFu);
}

TEST_F(SampleEditorTest, VolumeAroundTheMiddleIsTheArrangementsZero) {
  Oeffnen(16384);
  EXPECT_EQ(fx.SEGetVolume(), 0);
  fx.SESetVolume(20000);
  EXPECT_EQ(fx.SEGetVolume(), 3616);
}

TEST_F(SampleEditorTest, TheHandleOpensTheVolumeFader) {
  Oeffnen(16384);
  ASSERT_GT(fx.QuickRegler, 0);
  const int16_t h = static_cast<int16_t>(fx.QuickRegler - 1);
  EXPECT_EQ(fx.Regler(h).ZielXPos, 396);
  EXPECT_EQ(fx.Regler(h).ZielYPos, 315);
  EXPECT_EQ(fx.ReglerGetWert(h), 16384);
  // The faders get the press first: the popup opens, and a drag changes the value.
  EXPECT_EQ(fx.MouseDown(1, 0, 399, 319), h);
  EXPECT_TRUE(sampi->Sichtbar());
  fx.MouseMove(1, 0, 399, 309);
  EXPECT_GT(fx.ReglerGetWert(h), 16384);
  EXPECT_EQ(fx.MouseUp(1, 0, 399, 309), h);

  // Drawing the fader again replaces it rather than taking a second record.
  fx.SEDraw(2);
  fx.SEDraw(2);
  int live = 0;
  for (int i = 0; i < kRegler; ++i) live += fx.Regler(i).RExists != 0;
  EXPECT_EQ(live, 1);
}

TEST_F(SampleEditorTest, ClosedOrOversizedEditorsDoNothing) {
  fx.SEClose();  // closed: nothing happens
  EXPECT_EQ(fx.SEMouseDown(1, 0, kX, kY), 0);
  EXPECT_EQ(fx.SEMouseUp(1, 0, kX, kY), 0);
  fx.SEEditInit(nullptr, kX, kY, 0, kHoehe, kPpt, 0, 0, 16384, 1280, Overlay(), fenster.get());
  EXPECT_EQ(fx.Editor().Aktive, 0) << "a block without width opens nothing";
  fx.SEEditInit(nullptr, kX, kY, 14001, kHoehe, kPpt, 0, 0, 16384, 1280, Overlay(), fenster.get());
  EXPECT_EQ(fx.Editor().Aktive, kWahr);
  EXPECT_EQ(O(kX, kY + 20), 0u) << "too wide to draw";
  EXPECT_EQ(fx.QuickRegler, 0);
}

TEST_F(SampleEditorTest, DrawingIsLimitedToTheTrackArea) {
  fx.SESpurbereich = {0, 0, 1280, kY + 20};
  Oeffnen(0);
  EXPECT_EQ(O(kX, kY + 10), 0xFFFFFFFFu);
  EXPECT_EQ(O(kX, kY + 25), 0u);
}

}  // namespace
}  // namespace zelo::widgets
