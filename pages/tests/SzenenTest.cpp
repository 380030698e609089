// The page file, the coordinate file, the panel adjustment and the knob pictures.
#include "pages/Szenen.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pages/tests/Seitenwelt.h"
#include "platform/Dialogs.h"
#include "text/Texte.h"

namespace zelo::pages {
namespace {

using testing::ElementsAre;

class Seitendatei : public testing::Test {
 protected:
  Seitendatei() {
    for (auto [name, nummer] : std::initializer_list<std::pair<const char*, const char*>>{
             {"B_PLAY", "37"}, {"B_STOP", "35"}, {"R_MASTER", "61"}, {"R_TEMPO", "63"}, {"B_MIX", "99"},
             {"S_GRP", "45"}, {"T_REC", "79"}, {"X_LOGO", "700"}, {"P_MIX", "237"}, {"B_A", "101"},
             {"B_B", "102"}, {"B_C", "103"}, {"B_D", "104"}, {"B_E", "105"}, {"B_F", "106"}, {"B_G", "107"}})
      konstanten.Hinzufuegen(name, nummer);
  }
  void Lesen(const std::string& text, platform::Engine* engine = nullptr) {
    Seitenkontext k{objekte, daten, konstanten, dialoge, engine, nullptr, "/g/", "I", 0, 0};
    SzenenEinlesen(text, k);
  }
  std::vector<std::string> Meldungen() const {
    std::vector<std::string> m;
    for (const auto& d : dialoge.Shown()) m.push_back(d.message.title + "|" + d.message.prompt);
    return m;
  }

  Objekte objekte;
  Seitendaten daten;
  text::Konstanten konstanten;
  platform::ScriptedDialogs dialoge;
};

TEST_F(Seitendatei, PagesKindsValuesAndGroups) {
  Lesen(
      "(comment line)\r\n"
      ":Hauptbild\r\nzelo10   (background)\r\nzelo11\r\nthird\r\nfourth\r\nfifth\r\n"
      "B_PLAY  ( [x] )\r\nOnOffButton\r\n"
      "R_MASTER ( [x] )\r\nRegler\r\n26800.5\r\nzelo61\r\n"
      "S_GRP ( [x] )\r\nRadioButton\r\nSoundgruppe\r\nLoops\r\n"
      "T_REC ( [x] )\r\nradiobutton\r\nAufnahmegruppe\r\n"
      "B_MIX ( [x] )\r\nButton\r\n"
      ":mixer\r\npanel4\r\n"
      "B_MIX ( [x] )\r\nPlatzhalter\r\n"
      "P_MIX ( [x] )\r\nPlatzhalter\r\n");
  EXPECT_EQ(daten.Seitenzeilen[0][1], "zelo10");
  EXPECT_EQ(daten.Seitenzeilen[1][1], "zelo11");
  EXPECT_EQ(daten.Seitenzeilen[3][1], "fourth");
  EXPECT_EQ(daten.Seitenzeilen[0][4], "panel4");
  EXPECT_EQ(objekte[37].Typ, OnOffButton);
  EXPECT_EQ(objekte[37].Name, "B_PLAY");
  EXPECT_EQ(objekte[61].Typ, Regler);
  EXPECT_EQ(objekte[61].Wert, 26800);  // rounded, halves to even
  EXPECT_EQ(objekte[45].Gruppe, 3);
  EXPECT_EQ(objekte[45].Text, "Loops");
  EXPECT_EQ(objekte[79].Gruppe, 1);
  // On the main page and the mixer panel: both bits, images from the panel picture.
  EXPECT_EQ(objekte[99].Seiten, Hauptbild | Mixer);
  EXPECT_EQ(objekte[99].Typ, Button);  // a placeholder mention keeps the kind
  EXPECT_EQ(objekte[99].Ebene, 1);
  EXPECT_EQ(objekte.Hoechste, 237);
  EXPECT_TRUE(dialoge.Shown().empty());
}

TEST_F(Seitendatei, FadersSharingAKnobShareItsPicture) {
  Lesen(":Hauptbild\r\na\r\nb\r\nR_MASTER ( [x] )\r\nRegler\r\n1\r\nzelo61\r\n"
        "R_TEMPO ( [x] )\r\nQRegler\r\n2\r\nZELO61\r\nB_A ( [x] )\r\nRegler\r\n3\r\nzelo62\r\n");
  EXPECT_EQ(objekte[61].Bild, 0);
  EXPECT_EQ(objekte[63].Bild, 0);
  EXPECT_EQ(objekte[101].Bild, 1);
  EXPECT_EQ(daten.Knopfbildanzahl, 2);
  EXPECT_EQ(daten.Knopfbilder[1].Datei, "/g/zelo62i.");
}

TEST_F(Seitendatei, MessagesForUnknownLabelsAndKinds) {
  Lesen(":Hauptbild\r\na\r\nb\r\nB_PLAY ( [x] )\r\nButton\r\n:Nirgends\r\nB_STOP ( [x] )\r\nKnopf\r\n"
        "B_MIX ( [x] )\r\nButton\r\nB_UNBEKANNT ( [x] )\r\nButton\r\n");
  EXPECT_THAT(Meldungen(),
              ElementsAre("Unbekannte Seitenbezeichnung|Fehler im Text ''seiten'' bei :Nirgends",
                          "Unbekannter Konstantentyp|Fehler im Text ''seiten'' bei : Knopf",
                          "|Eintrag in Seitendatei: B_UNBEKANNT kann nicht in pkonst gefunden werden"));
  EXPECT_EQ(dialoge.Shown()[0].message.icon, platform::Icon::Exclamation);
  // After an unknown label the elements stay on the page current before.
  EXPECT_EQ(objekte[35].Seiten, Hauptbild);
  EXPECT_EQ(objekte[35].Typ, 0);
  EXPECT_EQ(daten.Seitenzeilen[0][1], "a");
  // A line without a known name belongs to the element named last.
  EXPECT_EQ(objekte[99].Name, "B_UNBEKANNT");
}

TEST_F(Seitendatei, TheFifthErrorEndsThePass) {
  std::string text = ":Hauptbild\r\na\r\nb\r\n";
  for (const char* n : {"B_A", "B_B", "B_C", "B_D", "B_E"}) text += std::string(n) + " ( [x] )\r\nKnopf\r\n";
  text += "B_F ( [x] )\r\nButton\r\n";
  Lesen(text);
  EXPECT_EQ(dialoge.Shown().size(), 5u);
  EXPECT_EQ(objekte[105].Seiten, Hauptbild);
  EXPECT_EQ(objekte[106].Seiten, 0);  // the sixth element is never read
}

TEST(Koordinaten, ValuesAreScaledAndBlocksFollowTheirNames) {
  struct Fall {
    int skalierung;
    int erwartet;
  };
  for (Fall f : {Fall{40, 100}, Fall{25, 62}, Fall{20, 50}, Fall{36, 90}}) {
    Objekte o;
    text::Konstanten k;
    k.Hinzufuegen("B_PLAY", "37");
    platform::ScriptedDialogs d;
    KoordinatenLesen("B_PLAY (play)\r\n100\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n"
                     "UNDEFINED\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n40\r\n40\r\n",
                     f.skalierung, o, k, d);
    SCOPED_TRACE(f.skalierung);
    EXPECT_EQ(o[37].X, f.erwartet);
    EXPECT_EQ(o[37].Hoehe, 10 * f.skalierung / 40);
    EXPECT_EQ(o[38].Breite, f.skalierung);  // an undefined name means the next element
    EXPECT_EQ(o.Hoechste, 38);
  }
}

TEST(Koordinaten, OutOfStepBlocksAreReportedAndAShortBlockEndsReading) {
  Objekte o;
  text::Konstanten k;
  k.Hinzufuegen("B_PLAY", "37");
  platform::ScriptedDialogs d;
  KoordinatenLesen("B_PLAY\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n"
                   "120\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n"
                   "B_PLAY\r\n99\r\n99\r\n",
                   40, o, k, d);
  ASSERT_EQ(d.Shown().size(), 1u);
  EXPECT_EQ(d.Shown()[0].message.prompt, "Fehler in k_xxxx:     120");
  EXPECT_EQ(o[37].X, 1);  // the short last block changed nothing
  EXPECT_EQ(o[38].X, 1);
}

TEST(Justage, PanelElementsTakeTheirImagesFromThePanelPicture) {
  Objekte o;
  auto& p = o[237];
  p.X = 100, p.Y = 300, p.QuelleX = 10, p.QuelleY = 20, p.Hoehe = 150, p.Seiten = Mixer;
  auto& e = o[120];
  e.X = 130, e.Y = 310, e.Seiten = Hauptbild | Mixer, e.DruckX = 7;
  auto& t = o[320];
  t.X = 5, t.Y = 5, t.QuelleX = 77, t.Seiten = Timestretch | Soundgruppen;
  auto& h = o[50];
  h.Seiten = Hauptbild, h.Ebene = 3;
  o.Hoechste = 400;
  JustageObjekte(o);
  EXPECT_EQ(e.Ebene, 1);
  EXPECT_EQ(e.QuelleX, 40);
  EXPECT_EQ(e.QuelleY, 30);
  EXPECT_EQ(e.AktivX, 40);
  EXPECT_EQ(e.AktivY, 310 + 40 + 150 - 300);
  EXPECT_EQ(e.DruckX, 7);
  EXPECT_EQ(t.QuelleX, 77);  // on both the stretch and the sound-group page: unchanged
  EXPECT_EQ(h.Ebene, 0);
  EXPECT_EQ(o[1].Ebene, 1);
}

TEST(Knopfbilder, LoadedOnceAndNeverMoreThanTheTableHolds) {
  class Leer : public Aktionen {} aktionen;
  test::Seitenwelt w{aktionen};
  test::BildSchreiben(w.Bild("knopf"), 10, 10, test::kNormal, false);
  text::Konstanten k;
  platform::ScriptedDialogs d;
  Seitenkontext kontext{w.objekte, w.daten, k, d, w.engine.get(), nullptr, w.ordner.Grafikordner, "A", 0, 0};
  EXPECT_EQ(LadepublicBild(kontext, "knopf"), 0);
  EXPECT_NE(w.daten.Knopfbilder[0].dc, nullptr);  // found although its name was lowered
  EXPECT_EQ(LadepublicBild(kontext, "KNOPF"), 0);
  for (int i = 1; i < kKnopfbilder; ++i) EXPECT_EQ(LadepublicBild(kontext, "k" + std::to_string(i)), i);
  EXPECT_EQ(LadepublicBild(kontext, "one-too-many"), -1);
  EXPECT_EQ(w.daten.Knopfbildanzahl, kKnopfbilder);
}

}  // namespace
}  // namespace zelo::pages
