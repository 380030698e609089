// The graphics effects library on known pixels: the cross-fade, the level meters with their
// peak hold, the sample blocks with their files, and the intro animation.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/Window.h"
#include "platform/gfx/BlockLook.h"
#include "platform/gfx/GrafikEffekte.h"
#include "tests/support/TestEnv.h"

namespace zelo::platform {
namespace {

constexpr uint32_t Argb(uint32_t r, uint32_t g, uint32_t b) { return 0xFF000000u | (r << 16) | (g << 8) | b; }

uint32_t Px(SDL_Surface* s, int x, int y) {
  return static_cast<const uint32_t*>(s->pixels)[static_cast<size_t>(y) * (s->pitch / 4) + x];
}

void Fill(SDL_Surface* s, int x, int y, int w, int h, uint32_t argb) {
  SDL_Rect r{x, y, w, h};
  SDL_FillRect(s, &r, argb);
}

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

class GrafikEffekteTest : public testing::Test {
 protected:
  ManualClock clock;
  Fonts fonts;
  GrafikEffekte gfx{fonts, &clock};
};

// ---- Cross-fade ----------------------------------------------------------------------------

TEST_F(GrafikEffekteTest, BlendIsLinearFromActiveToNormalImage) {
  // A slot picture with the normal image at (0, 0) and the active image at (2, 0), 2 x 1 each.
  Surface slot(NewSurface(4, 1));
  Fill(slot.get(), 0, 0, 2, 1, Argb(0, 50, 255));   // normal
  Fill(slot.get(), 2, 0, 2, 1, Argb(200, 100, 0));  // active
  SDL_Surface* puffer = gfx.GFX_AnimationSwapInit(400, 400);
  ASSERT_NE(puffer, nullptr);
  EXPECT_EQ(gfx.GFX_AnimationSwapInit(400, 400), puffer);

  struct Fall {
    int prozent;
    uint32_t erwartet;
  };
  // 50 %: (200 + 0) / 2, (100 + 50) / 2, (0 + 255) / 2 rounded to nearest.
  for (Fall f : {Fall{0, Argb(200, 100, 0)}, Fall{50, Argb(100, 75, 128)}, Fall{100, Argb(0, 50, 255)},
                 Fall{250, Argb(0, 50, 255)}}) {
    gfx.GFX_AnimationPhase(slot.get(), 4, 1, 0, 2, 0, 0, 0, 2, 1, f.prozent);
    EXPECT_EQ(Px(puffer, 0, 0), f.erwartet) << f.prozent << " %";
    EXPECT_EQ(Px(puffer, 1, 0), f.erwartet) << f.prozent << " %";
    EXPECT_EQ(Px(puffer, 2, 0), Argb(0, 0, 0)) << "nothing right of the element";
  }

  Fill(puffer, 0, 0, 1, 1, Argb(1, 2, 3));
  gfx.GFX_AnimationPhase(slot.get(), 4, 1, 0, 2, 0, 0, 0, 2, 1, -1);
  EXPECT_EQ(Px(puffer, 0, 0), Argb(1, 2, 3)) << "a negative percentage draws nothing";
}

TEST_F(GrafikEffekteTest, BlendReadsOnlyTheSlotAndWritesOnlyTheBuffer) {
  Surface slot(NewSurface(8, 8));
  Fill(slot.get(), 0, 0, 8, 8, Argb(90, 90, 90));
  SDL_Surface* puffer = gfx.GFX_AnimationSwapInit(4, 4);
  ASSERT_NE(puffer, nullptr);
  // The slot counts as 3 x 3 wide; the element is larger than both slot and buffer.
  gfx.GFX_AnimationPhase(slot.get(), 3, 3, 0, 0, 0, 0, 0, 100, 100, 100);
  EXPECT_EQ(Px(puffer, 2, 2), Argb(90, 90, 90));
  EXPECT_EQ(Px(puffer, 3, 2), Argb(0, 0, 0)) << "outside the slot reads black";
  EXPECT_EQ(Px(puffer, 2, 3), Argb(0, 0, 0));
  // Negative sources and no slot at all are harmless.
  gfx.GFX_AnimationPhase(slot.get(), 8, 8, 0, -50, -50, 1 << 30, 7, 4, 4, 50);
  gfx.GFX_AnimationPhase(slot.get(), 8, 8, 0, INT_MAX, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, 50);
  gfx.GFX_AnimationPhase(nullptr, 8, 8, 0, 0, 0, 0, 0, 4, 4, 50);
  EXPECT_EQ(gfx.GFX_AnimationSwapInit(0, 400), nullptr);
}

// ---- Level meters --------------------------------------------------------------------------

constexpr uint32_t kGruen = Argb(0x28, 0xc8, 0x3c), kGelb = Argb(0xe6, 0xd2, 0x28), kRot = Argb(0xe6, 0x32, 0x28);
constexpr uint32_t Dunkel(uint32_t c) { return Argb(((c >> 16) & 0xFF) / 4, ((c >> 8) & 0xFF) / 4, (c & 0xFF) / 4); }

// A 40 x 6 meter has ten segments of four pixels: 0-6 green, 7-8 yellow, 9 red.
uint32_t SegmentFarbe(int i) { return i < 7 ? kGruen : i < 9 ? kGelb : kRot; }

/// The lit segments of a horizontal 40 x 6 meter at (x, y), checking each segment's look.
std::vector<bool> ReadSegments(SDL_Surface* s, int x, int y) {
  std::vector<bool> an;
  for (int i = 0; i < 10; ++i) {
    uint32_t p = Px(s, x + i * 4 + 1, y + 3);
    EXPECT_TRUE(p == SegmentFarbe(i) || p == Dunkel(SegmentFarbe(i))) << "segment " << i;
    EXPECT_EQ(Px(s, x + i * 4 + 3, y + 3), Argb(0, 0, 0)) << "gap after segment " << i;
    an.push_back(p == SegmentFarbe(i));
  }
  return an;
}

std::vector<bool> FirstLit(int n) {
  std::vector<bool> an(10, false);
  for (int i = 0; i < n; ++i) an[static_cast<size_t>(i)] = true;
  return an;
}

TEST_F(GrafikEffekteTest, MeterLightsSegmentsOnADecibelScale) {
  struct Fall {
    int32_t pegel;
    int lit;
  };
  // lit = round(10 * (48 + 20 log10(level / 32767)) / 48)
  const Fall faelle[] = {{32767, 10}, {99999, 10}, {16384, 9}, {1036, 4}, {130, 0}, {1, 0}, {-5, 0}};
  Surface ziel(NewSurface(60, 20));
  for (const Fall& f : faelle) {
    // A fresh meter each time, so no peak from the case before shows.
    gfx.GFX_VolBarClose();
    int32_t m = gfx.GFX_VolBarInit(10, 5, 40, 6);
    ASSERT_EQ(m, 1);
    gfx.GFX_VolBarDraw(m, f.pegel, ziel.get());
    EXPECT_EQ(ReadSegments(ziel.get(), 10, 5), FirstLit(f.lit)) << "level " << f.pegel;
  }
  EXPECT_EQ(Px(ziel.get(), 9, 7), Argb(0, 0, 0)) << "nothing drawn outside the meter";
  EXPECT_EQ(Px(ziel.get(), 50, 7), Argb(0, 0, 0));
}

TEST_F(GrafikEffekteTest, TallMeterFillsFromTheBottom) {
  Surface ziel(NewSurface(6, 40));
  int32_t m = gfx.GFX_VolBarInit(0, 0, 6, 40);
  gfx.GFX_VolBarDraw(m, 1036, ziel.get());  // four of ten segments
  EXPECT_EQ(Px(ziel.get(), 3, 38), kGruen);
  EXPECT_EQ(Px(ziel.get(), 3, 36), Argb(0, 0, 0)) << "the gap is the segment's top row";
  EXPECT_EQ(Px(ziel.get(), 3, 25), kGruen) << "segment 3";
  EXPECT_EQ(Px(ziel.get(), 3, 21), Dunkel(kGruen)) << "segment 4";
  EXPECT_EQ(Px(ziel.get(), 3, 1), Dunkel(kRot)) << "segment 9";
}

TEST_F(GrafikEffekteTest, PeakHoldsThenFalls) {
  Surface ziel(NewSurface(40, 6));
  int32_t m = gfx.GFX_VolBarInit(0, 0, 40, 6);
  auto peakOnly = [](int segment) {
    std::vector<bool> an(10, false);
    if (segment >= 0) an[static_cast<size_t>(segment)] = true;
    return an;
  };
  gfx.GFX_VolBarDraw(m, 32767, ziel.get());
  EXPECT_EQ(ReadSegments(ziel.get(), 0, 0), FirstLit(10));

  struct Schritt {
    uint32_t nachMs;  // since the peak was reached
    std::vector<bool> an;
  };
  // Held for 600 ms, then one segment lower each 40 ms.
  const Schritt schritte[] = {{100, peakOnly(9)}, {600, peakOnly(9)}, {640, peakOnly(8)}, {680, peakOnly(7)},
                              {960, peakOnly(0)}, {1000, peakOnly(-1)}};
  uint32_t start = clock.Millis();
  for (const Schritt& s : schritte) {
    clock.Advance(start + s.nachMs - clock.Millis());
    gfx.GFX_VolBarDraw(m, 1, ziel.get());
    EXPECT_EQ(ReadSegments(ziel.get(), 0, 0), s.an) << s.nachMs << " ms";
  }

  // A level at or above the falling peak takes over and holds again.
  gfx.GFX_VolBarDraw(m, 1036, ziel.get());
  clock.Advance(500);
  gfx.GFX_VolBarDraw(m, 1, ziel.get());
  EXPECT_EQ(ReadSegments(ziel.get(), 0, 0), peakOnly(3));

  gfx.GFX_VolBarClose();
  Fill(ziel.get(), 0, 0, 40, 6, Argb(1, 1, 1));
  gfx.GFX_VolBarDraw(m, 32767, ziel.get());
  EXPECT_EQ(Px(ziel.get(), 1, 1), Argb(1, 1, 1)) << "a closed meter draws nothing";
  EXPECT_EQ(gfx.GFX_VolBarInit(0, 0, 0, 6), 0);
}

// ---- Sample blocks -------------------------------------------------------------------------

void SaveGreyBmp(const std::string& path, int w, int h, uint8_t grau) {
  Surface s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24));
  SDL_FillRect(s.get(), nullptr, SDL_MapRGB(s->format, grau, grau, grau));
  ASSERT_EQ(SDL_SaveBMP(s.get(), path.c_str()), 0);
}

uint32_t Shade(uint32_t c, int num, int den) {
  auto k = [&](int shift) { return std::min<uint32_t>(255, ((c >> shift) & 0xFF) * num / den); };
  return Argb(k(16), k(8), k(0));
}

class SampleBlockTest : public GrafikEffekteTest {
 protected:
  std::string dir = test::FreshHome();
  FontSpec font{"Arial", false, 8, 0, 0, 0};

  /// A pair whose textures are the neutral grey 112, so the block shows the plain colours.
  int32_t NeutralPair(const std::string& palette) {
    SaveGreyBmp(dir + "texture.bmp", 8, 8, 112);
    SaveGreyBmp(dir + "texture2.bmp", 8, 8, 112);
    test::WriteFile(dir + "flint2.pal", palette);
    return gfx.GFX_SampleAddTexturePair(dir + "texture.bmp", dir + "texture2.bmp", dir + "flint2.pal", 12, 25, 112);
  }
};

TEST_F(SampleBlockTest, BlockShowsGroupColourBevelAndWidth) {
  SDL_Surface* bild = gfx.GFX_SampleInit(25, 2560, font);
  ASSERT_NE(bild, nullptr);
  EXPECT_EQ(bild->w, 2560);
  EXPECT_EQ(bild->h, 25);
  int32_t paar = NeutralPair("; groups 0 to 2\n#000000 #000000 #ffffff\r\n\n#000000 #000000 #ffffff\n"
                             "#102030 #405060 #ffffff\n");
  ASSERT_EQ(paar, 1);
  Fill(bild, 0, 0, 2560, 25, Argb(7, 7, 7));

  const uint32_t block = Argb(0x10, 0x20, 0x30), auswahl = Argb(0x40, 0x50, 0x60);
  gfx.GFX_SampleZeichne(paar, 2, 40, "", "", 0, 0);
  EXPECT_EQ(Px(bild, 20, 12), block);
  EXPECT_EQ(Px(bild, 20, 0), Argb(0x10 + 0xef / 4, 0x20 + 0xdf / 4, 0x30 + 0xcf / 4)) << "light top edge";
  EXPECT_EQ(Px(bild, 0, 12), Px(bild, 20, 0)) << "light left edge";
  EXPECT_EQ(Px(bild, 20, 24), Shade(block, 5, 8)) << "dark bottom edge";
  EXPECT_EQ(Px(bild, 39, 12), Shade(block, 5, 8)) << "dark right edge";
  EXPECT_EQ(Px(bild, 40, 12), Argb(7, 7, 7)) << "nothing right of the width";

  gfx.GFX_SampleZeichneSel(paar, 2, 40, "", "", 0, 0);
  EXPECT_EQ(Px(bild, 20, 12), auswahl);

  // Groups and pairs the renderer does not know draw nothing.
  Fill(bild, 0, 0, 2560, 25, Argb(7, 7, 7));
  gfx.GFX_SampleZeichne(paar, 12, 40, "", "", 0, 0);
  gfx.GFX_SampleZeichne(paar, -1, 40, "", "", 0, 0);
  gfx.GFX_SampleZeichne(2, 0, 40, "", "", 0, 0);
  gfx.GFX_SampleZeichne(0, 0, 40, "", "", 0, 0);
  EXPECT_EQ(Px(bild, 20, 12), Argb(7, 7, 7));
  // A width beyond the picture is limited to it.
  gfx.GFX_SampleZeichne(paar, 2, 99999, "", "", 0, 0);
  EXPECT_EQ(Px(bild, 2559, 12), Shade(block, 5, 8));
}

TEST_F(SampleBlockTest, TextureBrightnessShadesTheColour) {
  gfx.GFX_SampleInit(9, 64, font);
  // Names are found without case, as on the medium.
  SaveGreyBmp(dir + "White.BMP", 4, 4, 255);
  SaveGreyBmp(dir + "black.bmp", 4, 4, 0);
  test::WriteFile(dir + "P.Pal", "#804020 #804020 #ffffff\n");
  int32_t paar = gfx.GFX_SampleAddTexturePair(dir + "white.bmp", dir + "black.bmp", dir + "p.pal", 12, 25, 112);
  SDL_Surface* bild = gfx.GFX_SampleInit(9, 64, font);  // a new picture forgets the pairs
  EXPECT_EQ(gfx.GFX_SampleAddTexturePair(dir + "white.bmp", dir + "black.bmp", dir + "p.pal", 12, 25, 112), paar);
  // k' = k * (100 c + b (g - c)) / (100 c) with b = 25, c = 112.
  gfx.GFX_SampleZeichne(paar, 0, 30, "", "", 0, 0);
  EXPECT_EQ(Px(bild, 10, 4), Shade(Argb(0x80, 0x40, 0x20), 11200 + 25 * 143, 11200));
  gfx.GFX_SampleZeichneSel(paar, 0, 30, "", "", 0, 0);
  EXPECT_EQ(Px(bild, 10, 4), Shade(Argb(0x80, 0x40, 0x20), 11200 - 25 * 112, 11200));
}

/// Pixels of the block's inside that are not the plain face colour: where text was drawn.
int TextPixels(SDL_Surface* bild, int x0, int y0, int x1, int y1, uint32_t face) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += Px(bild, x, y) != face;
  return n;
}

TEST_F(SampleBlockTest, NamesAreClippedToTheBlockAndTheSecondLineNeedsRoom) {
  if (!fonts.Get(font)) GTEST_SKIP() << "no font for \"Arial\" on this machine";
  const uint32_t face = Argb(0x10, 0x20, 0x30);
  const std::string palette = "#102030 #102030 #ffffff\n";

  SDL_Surface* bild = gfx.GFX_SampleInit(40, 2560, font);
  int32_t paar = NeutralPair(palette);
  Fill(bild, 0, 0, 2560, 40, Argb(7, 7, 7));
  gfx.GFX_SampleZeichne(paar, 0, 30, "WWWWWWWWWWWWWWWWWWWW", "WWWWWWWWWWWWWWWWWWWW", 0, 0);
  EXPECT_GT(TextPixels(bild, 1, 1, 29, 20, face), 20) << "first line";
  EXPECT_GT(TextPixels(bild, 1, 20, 29, 39, face), 20) << "second line";
  for (int y = 0; y < 40; ++y) {
    EXPECT_EQ(Px(bild, 29, y), Shade(face, 5, 8)) << "right edge kept, row " << y;
    EXPECT_EQ(Px(bild, 30, y), Argb(7, 7, 7)) << "no text past the width, row " << y;
  }

  // The second line needs room down to its baseline: one pixel less and it is left out.
  TTF_Font* ttf = fonts.Get(font);
  const int knapp = 1 + TTF_FontHeight(ttf) + TTF_FontAscent(ttf);
  for (int hoehe : {knapp - 1, knapp}) {
    bild = gfx.GFX_SampleInit(hoehe, 2560, font);
    paar = NeutralPair(palette);
    gfx.GFX_SampleZeichne(paar, 0, 200, "", "Second", 0, 0);
    EXPECT_EQ(TextPixels(bild, 1, 1, 199, hoehe - 1, face) > 0, hoehe == knapp) << "height " << hoehe;
  }
  gfx.GFX_SampleZeichne(paar, 0, 200, "First", "", 0, 0);
  EXPECT_GT(TextPixels(bild, 1, 1, 199, 12, face), 10);

  // On a light selected colour the names turn black, whatever the palette's name colour.
  bild = gfx.GFX_SampleInit(knapp, 2560, font);
  paar = NeutralPair("#102030 #f0f0f0 #ffffff\n");
  gfx.GFX_SampleZeichneSel(paar, 0, 200, "Selected", "", 0, 0);
  uint32_t dunkelster = 0xFFFFFFFFu;
  for (int x = 1; x < 199; ++x)
    for (int y = 1; y < knapp - 1; ++y) dunkelster = std::min(dunkelster, Px(bild, x, y) & 0xFF);
  EXPECT_LT(dunkelster, 0x40u);
}

TEST(BlockPalette, ReadsGoodLinesAndKeepsBuiltInColoursForBadOnes) {
  const gfx::Palette& eingebaut = gfx::EingebautePalette();
  const gfx::GruppenFarben rot{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  std::string schwarzElf;
  for (int i = 0; i < 11; ++i) schwarzElf += "#000000 #000000 #000000\n";
  struct Fall {
    const char* name;
    std::string text;
    int gruppen;
    int gruppe;    // the group looked at
    bool gelesen;  // its colours come from the text
  };
  const Fall faelle[] = {
      {"plain", "#ff0000 #00ff00 #0000ff", 12, 0, true},
      {"upper case, tabs, CR LF", "#FF0000\t#00FF00  #0000FF\r\n", 12, 0, true},
      {"comments and blanks do not count", ";x\n\n  ; y\n#ff0000 #00ff00 #0000ff", 12, 0, true},
      {"bad line still counts as a group", "nonsense\n#ff0000 #00ff00 #0000ff", 12, 1, true},
      {"bad line keeps built-in", "nonsense\n#ff0000 #00ff00 #0000ff", 12, 0, false},
      {"five digits", "#ff000 #00ff00 #0000ff", 12, 0, false},
      {"not hex", "#ff00zz #00ff00 #0000ff", 12, 0, false},
      {"two colours", "#ff0000 #00ff00", 12, 0, false},
      {"four colours", "#ff0000 #00ff00 #0000ff #000000", 12, 0, false},
      {"past the group count", "#000000 #000000 #000000\n#ff0000 #00ff00 #0000ff", 1, 1, false},
      {"group count out of range counts as 12", schwarzElf + "#ff0000 #00ff00 #0000ff", 0, 11, true},
      {"binary bytes", std::string("\0\xff\x80#\n\0", 6), 12, 0, false},
      {"empty", "", 12, 11, false},
  };
  for (const Fall& f : faelle) {
    gfx::Palette p = gfx::ReadPalette(f.text, f.gruppen);
    size_t g = static_cast<size_t>(f.gruppe);
    EXPECT_EQ(p[g] == rot, f.gelesen) << f.name;
    if (!f.gelesen) {
      EXPECT_EQ(p[g], eingebaut[g]) << f.name;
    }
  }
  // Twelfth line, group 11, is read; a thirteenth is not.
  std::string zwoelf;
  for (int i = 0; i < 13; ++i) zwoelf += "#ff0000 #00ff00 #0000ff\n";
  gfx::Palette p = gfx::ReadPalette(zwoelf, 12);
  EXPECT_EQ(p[11], rot);
}

TEST_F(SampleBlockTest, BadTextureAndPaletteFilesFallBackToBuiltInLooks) {
  std::string gueltig;
  SaveGreyBmp(dir + "ok.bmp", 4, 4, 112);
  gueltig = test::ReadFile(dir + "ok.bmp");
  std::string riesig = gueltig;
  riesig[18] = '\xff', riesig[19] = '\xff', riesig[20] = '\xff', riesig[21] = '\x7f';  // width 2^31 - 1
  struct Fall {
    const char* name;
    std::string bytes;  // nullopt-like: "-" means no file at all
  };
  const Fall faelle[] = {
      {"missing", "-"},
      {"empty", ""},
      {"not a picture", "this is no picture at all"},
      {"header only", gueltig.substr(0, 30)},
      {"truncated pixels", gueltig.substr(0, gueltig.size() - 10)},
      {"absurd width", riesig},
      {"random bytes", std::string("BM\x10\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xff\xff\0\0\x01\0\0\0", 26)},
  };
  const gfx::Rgb farbe = gfx::EingebautePalette()[3].block;
  for (const Fall& f : faelle) {
    SDL_Surface* bild = gfx.GFX_SampleInit(25, 2560, font);
    std::string pfad = dir + "bad.bmp";
    std::remove(pfad.c_str());
    if (f.bytes != "-") test::WriteFile(pfad, f.bytes);
    test::WriteFile(dir + "bad.pal", f.bytes == "-" ? std::string() : f.bytes);
    int32_t paar = gfx.GFX_SampleAddTexturePair(pfad, pfad, f.bytes == "-" ? dir + "none.pal" : dir + "bad.pal",
                                                12, 25, 112);
    ASSERT_GT(paar, 0) << f.name;
    gfx.GFX_SampleZeichne(paar, 3, 60, "", "", 0, 0);
    // Unless the file was a valid picture, row 12 of 25 sits at the built-in relief's neutral
    // grey, which shows the built-in group colour exactly; the truncated file may still load.
    if (std::string(f.name) != "truncated pixels") {
      EXPECT_EQ(Px(bild, 30, 12), Argb(farbe.r, farbe.g, farbe.b)) << f.name;
    }
  }
  EXPECT_EQ(gfx.GFX_SampleInit(0, 2560, font), nullptr);
  EXPECT_EQ(gfx.GFX_SampleAddTexturePair(dir + "ok.bmp", dir + "ok.bmp", "", 12, 25, 112), 0)
      << "no renderer, no pair";
}

// ---- Intro ---------------------------------------------------------------------------------

/// A hidden window for the intro to draw into. The intro needs only its back image, so the
/// window runs on SDL's dummy video driver where it can: that driver loads no GL libraries, whose
/// own leaks at exit would trip the sanitizer build.
std::unique_ptr<Window> IntroWindow(int w, int h) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) setenv("SDL_VIDEODRIVER", "dummy", 1);
  return std::make_unique<Window>(WindowOptions{w, h, true, "intro"});
}

TEST_F(GrafikEffekteTest, IntroLightsElementsUpOneAfterAnother) {
  auto window = IntroWindow(200, 50);
  ASSERT_TRUE(window->Ok());
  gfx.GFX_SetActiveWindow(window.get());
  SDL_Surface* back = window->Back();
  const uint32_t normal = Argb(200, 0, 0), aktiv = Argb(0, 200, 0), druck = Argb(0, 0, 200);
  Surface bild(NewSurface(30, 10));
  Fill(bild.get(), 0, 0, 10, 10, normal);
  Fill(bild.get(), 10, 0, 10, 10, aktiv);
  Fill(bild.get(), 20, 0, 10, 10, druck);

  EXPECT_EQ(gfx.GFX_IntroRefresh(0), 0) << "nothing to show yet";
  gfx.GFX_IntroSetPicture(bild.get());
  bild.reset();  // the library keeps its own copy
  // First pass of the page file: no coordinates yet; the second brings them under the same names.
  gfx.GFX_IntroSetKey("Logo", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  gfx.GFX_IntroSetKey("Schrift", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  gfx.GFX_IntroSetKey("Logo", 20, 5, 10, 10, 0, 0, 10, 0, 20, 0);
  gfx.GFX_IntroSetKey("Schrift", 100, 5, 10, 10, 0, 0, 10, 0, 20, 0);

  struct Frame {
    int32_t ms;
    int32_t laeuft;
    uint32_t logo, schrift;
  };
  // Element k starts at 150 k ms: 350 ms pressed -> active, then 350 ms active -> normal.
  const Frame frames[] = {
      {0, 1, druck, Argb(0, 0, 0)},
      {175, 1, Argb(0, 100, 100), Argb(0, 14, 186)},  // 50 % and 25/350 = 7 % of the first half
      {350, 1, aktiv, Argb(0, 114, 86)},
      {700, 1, normal, Argb(114, 86, 0)},
      {850, 0, normal, normal},
      {5000, 0, normal, normal},
  };
  for (const Frame& f : frames) {
    EXPECT_EQ(gfx.GFX_IntroRefresh(f.ms), f.laeuft) << f.ms << " ms";
    EXPECT_EQ(Px(back, 25, 10), f.logo) << f.ms << " ms";
    EXPECT_EQ(Px(back, 105, 10), f.schrift) << f.ms << " ms";
    EXPECT_EQ(Px(back, 31, 10), Argb(0, 0, 0)) << "only the element's rectangle";
  }

  Fill(back, 0, 0, 200, 50, Argb(0, 0, 0));
  gfx.GFX_IntroSetPicture(nullptr);
  EXPECT_EQ(gfx.GFX_IntroRefresh(-1), 0);
  gfx.GFX_IntroClose();
  EXPECT_EQ(gfx.GFX_IntroRefresh(100), 0);
  EXPECT_EQ(Px(back, 25, 10), Argb(0, 0, 0));
}

TEST_F(GrafikEffekteTest, IntroLastFrameShowsEveryElementNormal) {
  auto window = IntroWindow(50, 20);
  ASSERT_TRUE(window->Ok());
  gfx.GFX_SetActiveWindow(window.get());
  Surface bild(NewSurface(20, 10));
  Fill(bild.get(), 0, 0, 10, 10, Argb(9, 9, 9));
  gfx.GFX_IntroSetPicture(bild.get());
  gfx.GFX_IntroSetKey("A", 0, 0, 10, 10, 0, 0, 10, 0, 10, 0);
  gfx.GFX_IntroSetKey("B", 30, 0, 10, 10, 0, 0, 10, 0, 10, 0);
  EXPECT_EQ(gfx.GFX_IntroRefresh(-1), 0);
  EXPECT_EQ(Px(window->Back(), 5, 5), Argb(9, 9, 9));
  EXPECT_EQ(Px(window->Back(), 35, 5), Argb(9, 9, 9));
}

}  // namespace
}  // namespace zelo::platform
