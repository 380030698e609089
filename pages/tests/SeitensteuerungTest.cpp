// Page changes give the right page sets and pictures; fades run their course and keep one
// queue entry per element; text fields cut their texts by their target's rule.
#include "pages/Seitensteuerung.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pages/tests/Seitenwelt.h"

namespace zelo::pages {
namespace {

using test::kAktiv;
using test::kDruck;
using test::kHinten;
using test::kNormal;

class Zaehler : public Aktionen {
 public:
  int reglerAktiviert = 0;
  bool spielt = false;
  void ReglerAktivieren() override { ++reglerAktiviert; }
  bool Spielt() override { return spielt; }
};

class Seiten : public testing::Test {
 protected:
  Zaehler aktionen;
  test::Seitenwelt w{aktionen};
  Seitensteuerung& s = *w.seiten;
  Objekte& o = w.objekte;
};

TEST_F(Seiten, FirstMainPageShowsTheSoundGroupPanelOverItsBackground) {
  w.Element(37, 10, 10, 20, 10, OnOffButton, Hauptbild).Wert = 1;
  s.SzeneAktivieren("Hauptbild", 0);
  EXPECT_EQ(s.Seitenmenge, Hauptbild | Soundgruppen);
  EXPECT_EQ(s.Hauptseite, Hauptbild);
  EXPECT_EQ(s.Panelseite, Soundgruppen);
  EXPECT_TRUE(s.HauptansichtBereit);
  EXPECT_EQ(s.Zeichentiefe, 0);
  EXPECT_EQ(w.Schirm(600, 5), kHinten);   // background
  EXPECT_EQ(w.Schirm(5, 300), kNormal);   // panel, normal look
  EXPECT_EQ(w.Schirm(15, 15), kAktiv);    // a switched-on button is drawn lit
  EXPECT_EQ(aktionen.reglerAktiviert, 1);
}

struct Wechsel {
  const char* name;
  std::vector<std::pair<int, int>> werte;  // element values set before the command
  int16_t vorher;
  const char* befehl;
  int zustand;
  int16_t nachher;
};

TEST_F(Seiten, CommandWordsGiveTheirPageSets) {
  const Wechsel faelle[] = {
      {"matrix on", {{11, 1}}, Hauptbild | Mixer, "Matrixbild", 0, Matrix},
      {"matrix off", {{11, 0}}, Matrix, "Matrixbild", 0, Hauptbild | Soundgruppen},
      {"effect keeps mixer", {{13, 1}}, Hauptbild | Mixer, "Effektbild", 0, Effect | Mixer},
      {"effect off", {{13, 0}}, Effect | Timestretch, "Effektbild", 0, Hauptbild | Timestretch},
      {"mixer opens, stretch closes", {{17, 1}, {15, 1}}, Hauptbild | Timestretch, "Mixerbild", 0, Hauptbild | Mixer},
      {"mixer state 2 closes", {{17, 1}}, Hauptbild | Mixer, "Mixerbild", 2, Hauptbild | Soundgruppen},
      {"stretch opens, mixer closes", {{15, 1}, {17, 1}}, Hauptbild | Mixer, "TimeStretchbild", 0,
       Hauptbild | Timestretch},
      {"main page clears tool pages", {{11, 1}}, Matrix, "Hauptbild", 0, Hauptbild | Soundgruppen},
      {"pads change nothing", {}, Hauptbild | Soundgruppen, "padbild", 0, Hauptbild | Soundgruppen},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    for (int e : {9, 11, 13, 15, 17}) o[e].Wert = 0;
    for (auto [e, v] : f.werte) o[e].Wert = v;
    s.Seitenmenge = f.vorher;
    s.SzeneAktivieren(f.befehl, f.zustand);
    EXPECT_EQ(s.Seitenmenge, f.nachher);
  }
}

TEST_F(Seiten, ClosingAPanelFadesItsButtonOut) {
  s.SzeneAktivieren("Hauptbild", 0);
  o[17].Wert = 1;
  s.SzeneAktivieren("Mixerbild", 0);
  o[15].Wert = 1;
  s.SzeneAktivieren("TimeStretchbild", 0);
  EXPECT_EQ(o[17].Wert, 0);  // the mixer button went out with its panel
  EXPECT_EQ(s.Blendwert(17).Dauer, 400u);
  s.SzeneAktivieren("TimeStretchbild", 2);
  EXPECT_EQ(o[15].Wert, 0);
  EXPECT_EQ(s.Seitenmenge, Hauptbild | Soundgruppen);
}

TEST_F(Seiten, ASecondMainPageCommandKeepsThePicturesButRedrawsAChangedPanel) {
  s.SzeneAktivieren("Hauptbild", 0);
  const SDL_Surface* element = s.Slot(0).dc;
  o[17].Wert = 1;
  s.SzeneAktivieren("Mixerbild", 0);
  // Paint over the background: only a new main page would draw it again.
  platform::FillRect(w.fenster->Back(), {600, 0, 40, 40}, 0xFF123456u);
  s.SzeneAktivieren("Hauptbild", 0);
  EXPECT_EQ(s.Slot(0).dc, element);
  EXPECT_EQ(w.Schirm(610, 10), 0xFF123456u);
  EXPECT_EQ(s.Panelseite, Mixer);
}

TEST_F(Seiten, FadesRunTheirCourseAndKeepOneQueueEntry) {
  w.Element(20, 10, 10, 20, 10, Button, Hauptbild);
  s.SzeneAktivieren("Hauptbild", 0);
  s.EinblendenAktiv(20);
  s.EinblendenAktiv(20);
  EXPECT_EQ(s.Warteschlange().size(), 1u);
  s.Blender();
  EXPECT_EQ(w.Schirm(15, 15), kNormal);  // the fade in starts from the normal image
  w.uhr.Advance(80);
  EXPECT_FALSE(s.Blender());
  EXPECT_EQ(w.Schirm(15, 15), kAktiv);
  EXPECT_EQ(s.Blendwert(20).Start, 0u);

  s.Ausblenden(20);
  w.uhr.Advance(200);
  s.Blender();
  const uint32_t mitte = w.Schirm(15, 15);
  EXPECT_NE(mitte, kAktiv);  // halfway, a mix of both
  EXPECT_NE(mitte, kNormal);
  w.uhr.Advance(200);
  s.Blender();
  EXPECT_EQ(w.Schirm(15, 15), kNormal);

  s.EinblendenDruck(20);
  s.BlendFertig();
  EXPECT_TRUE(s.Warteschlange().empty());
  EXPECT_EQ(w.Schirm(15, 15), kDruck);
}

TEST_F(Seiten, FadesAreServedOneElementAPassRoundRobin) {
  w.Element(20, 10, 10, 20, 10, Button, Hauptbild);
  w.Element(21, 40, 10, 20, 10, Button, Hauptbild);
  s.SzeneAktivieren("Hauptbild", 0);
  s.EinblendenAktiv(20);
  s.EinblendenAktiv(21);
  w.uhr.Advance(100);
  s.Blender();  // finishes 20 only
  EXPECT_EQ(w.Schirm(15, 15), kAktiv);
  EXPECT_EQ(w.Schirm(45, 15), kHinten);  // not drawn yet: it waits for the next pass
  s.Blender();
  EXPECT_EQ(w.Schirm(45, 15), kAktiv);
  EXPECT_TRUE(s.Warteschlange().empty());
}

TEST_F(Seiten, WideElementsAreDrawnInStrips) {
  w.Element(20, 0, 20, 500, 10, Button, Hauptbild);
  s.SzeneAktivieren("Hauptbild", 0);
  s.ZeigeAktiv(20);
  for (int x : {0, 393, 394, 499}) EXPECT_EQ(w.Schirm(x, 25), kAktiv) << x;
  EXPECT_EQ(w.Schirm(500, 25), kHinten);
}

TEST_F(Seiten, TextFieldsCutByTheirTarget) {
  class Stretch : public Zaehler {
   public:
    double QuellTempo() override { return 133; }
    double ZielTempo() override { return 150; }
    std::string StretchQuelle() override { return std::string(60, 'x'); }
  } stretch;
  test::Seitenwelt sw{stretch};
  sw.texte.Setzen(191, "Original 140 bpm");
  sw.texte.Setzen(192, "Target 180 bpm");
  EXPECT_EQ(sw.seiten->FeldText("TimeStretchOrginal", ""), ("Original 133 bpm  [" + std::string(60, 'x')).substr(0, 58) + "...");
  EXPECT_EQ(sw.seiten->FeldText("TimeStretchZiel", ""), "Target 150 bpm");
  EXPECT_EQ(sw.seiten->FeldText("PadNamen", "Bassdrum 1"), "Bassdrum ...");
  EXPECT_EQ(sw.seiten->FeldText("PadNamen", "Snare 12"), "Snare 12");
  EXPECT_EQ(sw.seiten->FeldText("Mix", std::string(30, 'm')), std::string(27, 'm'));
}

TEST_F(Seiten, TextIsDrawnOverTheNormalImageInsideItsField) {
  w.Element(382, 100, 100, 200, 20, Platzhalter, Effect);
  o[13].Wert = 1;
  s.SzeneAktivieren("Effektbild", 0);
  s.Textanzeige("EffektSample", "Loop");
  int weiss = 0;
  for (int y = 100; y <= 120; ++y)
    for (int x = 100; x < 300; ++x) weiss += w.Schirm(x, y) == 0xFFFFFFFFu;
  EXPECT_GT(weiss, 5);
  EXPECT_EQ(w.Schirm(100, 100), kNormal);  // the field's corner keeps the normal image
  EXPECT_EQ(w.Schirm(301, 110), kHinten);  // nothing outside the field
}

TEST_F(Seiten, ARulerCellRedrawsOnlyItsOwnBar) {
  w.Element(4, 0, 20, 400, 16, Platzhalter, Hauptbild);
  s.SzeneAktivieren("Hauptbild", 0);
  const uint32_t markiert = 0xFF00FF00u;
  platform::FillRect(w.fenster->Back(), {0, 20, 400, 16}, markiert);
  s.Taktzahl(1, true);  // the first bar's cell starts at offset 0
  EXPECT_EQ(w.Schirm(2, 22), kNormal) << "the first cell is drawn";
  EXPECT_EQ(w.Schirm(40, 22), markiert) << "the second bar's cell is left as it was";
  s.Taktzahl(3, true);
  EXPECT_EQ(w.Schirm(42, 22), kNormal);
  EXPECT_EQ(w.Schirm(25, 22), markiert);
}

}  // namespace
}  // namespace zelo::pages
