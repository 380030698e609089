// The layout choice for the screens the program meets, and the metrics that follow.
#include <gtest/gtest.h>

#include "config/Layout.h"
#include "platform/Files.h"
#include "tests/support/TestEnv.h"

namespace zelo::config {
namespace {

Grafikordner Nur(std::string buchstaben) {
  Grafikordner da{};
  for (char c : buchstaben) da[static_cast<size_t>(c - 'a')] = true;
  return da;
}

TEST(Layout, ScreensChooseLayoutFolderAndPlace) {
  struct Fall {
    const char* name;
    Bildschirm schirm;
    std::string ordner;
    int16_t breite;
    const char* unterordner;
    int32_t x, y;
    int16_t index;
  } faelle[] = {
      {"1280 x 1024, high colour", {1280, 1024, 32000, false}, "abcdefghij", 1280, "grafiki/", 0, 32, 8},
      {"1250 x 940 is too low for 1280", {1250, 940, 32000, false}, "abcdefghij", 1152, "grafikg/", 49, 38, 6},
      {"256 colours with only grafiki", {1280, 1024, 256, false}, "abcdefghi", 1152, "grafikh/", 64, 80, 6},
      {"256 colours take the palette folder", {1280, 1024, 256, false}, "abcdefghij", 1280, "grafikj/", 0, 32, 8},
      {"no 640 folders on a 640 screen", {640, 480, 32000, false}, "cdefghij", 800, "grafikc/", 0, 0, 2},
      {"640 screen with its folders", {640, 480, 32000, false}, "abcdefghij", 640, "grafika/", 0, 0, 0},
      {"1024 x 768 with large fonts", {1024, 768, 32000, true}, "abcdefghij", 1024, "grafike/", 0, 0, 5},
      {"1920 x 1080", {1920, 1080, 32000, false}, "abcdefghij", 1280, "grafiki/", 320, 60, 8},
      {"no graphics folders at all", {1280, 1024, 32000, false}, "", 800, "grafikd/", 240, 212, 2},
      {"odd free space rounds halves to even", {1025, 800, 32000, false}, "abcdefghij", 1024, "grafike/", 0, 16, 4},
      {"1823 wide: 271.5 rounds to 272", {1823, 1100, 32000, false}, "abcdefghij", 1280, "grafiki/", 272, 70, 8},
  };
  for (const auto& f : faelle) {
    Layout l = LayoutWaehlen(f.schirm, Nur(f.ordner));
    EXPECT_EQ(l.Breite, f.breite) << f.name;
    EXPECT_EQ(l.Grafikunterordner, f.unterordner) << f.name;
    EXPECT_EQ(l.Grafikbuchstabe[0], f.unterordner[6] - 'a' + 'A') << f.name;
    EXPECT_EQ(l.VersatzX, f.x) << f.name;
    EXPECT_EQ(l.VersatzY, f.y) << f.name;
    EXPECT_EQ(l.Aufloesungsindex, f.index) << f.name;
  }
}

TEST(Layout, MetricsOfEveryLayout) {
  struct Fall {
    int16_t breite;
    int takt, hoehe, abstand, q, sichtbar, sample;
  } faelle[] = {
      {1280, 50, 32, 35, 8, 1100, 6}, {1152, 45, 29, 32, 7, 990, 5}, {1024, 40, 25, 28, 6, 880, 4},
      {800, 31, 20, 22, 5, 682, 3},   {640, 25, 16, 18, 4, 550, 3},
  };
  for (const auto& f : faelle) {
    Bildschirm s{f.breite, static_cast<int16_t>(f.breite * 3 / 4), 32000, false};
    Layout l = LayoutWaehlen(s, Nur("abcdefghij"));
    ASSERT_EQ(l.Breite, f.breite);
    LayoutMasse m = Masse(l);
    EXPECT_EQ(m.PixelProTakt, f.takt) << f.breite;
    EXPECT_EQ(m.Spurhoehe, f.hoehe) << f.breite;
    EXPECT_EQ(m.Spurabstand, f.abstand) << f.breite;
    EXPECT_EQ(m.QAbstand, f.q) << f.breite;
    EXPECT_EQ(m.SichtbareBreite, f.sichtbar) << f.breite;
    EXPECT_EQ(m.SampleAbstand, f.sample) << f.breite;
  }
}

TEST(Layout, GraphicsFoldersAreFoundWithoutCase) {
  const std::string daten = zelo::test::FreshHome() + "zelo/zelo/";
  platform::MakeFolders(daten + "GRAFIKI");
  platform::MakeFolders(daten + "grafikb");
  EXPECT_EQ(GrafikordnerDa(daten), Nur("bi"));

  Ordner o;
  o.Datenordner = daten;
  GrafikordnerSetzen(o, LayoutWaehlen({1280, 1024, 32000, false}, GrafikordnerDa(daten)));
  EXPECT_EQ(o.Grafikordner, daten + "grafiki/");
  EXPECT_EQ(o.Grafikbuchstabe, "I");
}

}  // namespace
}  // namespace zelo::config
