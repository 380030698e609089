// Scenarios on the real content kit: its page, coordinate, constants and font files are read
// as start-up reads them, its pictures are drawn, and clicks at its elements' places change
// pages and panels and light buttons as the user sees them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "input/Eingabe.h"
#include "pages/tests/Seitenwelt.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "text/Leser.h"

namespace zelo::input {
namespace {

using namespace zelo::pages;

class Kit : public testing::Test {
 protected:
  void SetUp() override {
    kit_ = test::MediumDataFolder();
    if (kit_.empty() || !platform::FileExists(kit_ + "seiten")) GTEST_SKIP() << "no content kit in the medium";
    w_ = std::make_unique<test::Seitenwelt>(aktionen_, 1280, 960);
    test::Seitenwelt& w = *w_;
    w.objekte = {};
    w.daten = {};
    w.ordner.Datenordner = kit_;
    w.ordner.Grafikordner = kit_ + "grafiki/";
    w.ordner.Grafikbuchstabe = "I";
    w.layout.Breite = 1280, w.layout.Hoehe = 960, w.layout.Skalierung = 40, w.layout.Aufloesungsindex = 8;
    w.masse.PixelProTakt = 40;
    auto datei = [&](const char* name) { return platform::ReadWholeFile(kit_ + name).value_or(""); };
    text::FontsLesen(datei("fonts"), konstanten_, dialoge_, w.fonttabelle);
    text::PkonstLesen(datei("pkonst"), konstanten_, w.objekte, dialoge_);
    w.objekte.Hoechste = std::max(w.objekte.Hoechste, konstanten_.Hoechste);
    Seitenkontext k{w.objekte, w.daten, konstanten_, dialoge_, w.engine.get(), w.gfx.get(),
                    w.ordner.Grafikordner, "I", 0, 0};
    SzenenEinlesen(datei("seiten"), k);
    KoordinatenLesen(datei("k_1280"), 40, w.objekte, konstanten_, dialoge_);
    SzenenEinlesen(datei("seiten"), k);
    eingabe_ = std::make_unique<Eingabe>(EingabeUmgebung{w.objekte, *w.seiten, aktionen_, *w.engine, w.uhr,
                                                         dialoge_, w.layout, w.masse, w.texte, w.fonttabelle});
    w.seiten->SzeneAktivieren("Hauptbild", 0);
  }
  void TearDown() override {
    eingabe_.reset();
    if (w_) for (auto& b : w_->daten.Knopfbilder) w_->engine->AClose(b);
    w_.reset();
  }

  void Klick(int n) {
    const ObjektStruct& e = w_->objekte[n];
    eingabe_->Form_MouseDown(1, 0, e.X + e.Breite / 2, e.Y + e.Hoehe / 2);
    eingabe_->Form_MouseUp(1, 0, e.X + e.Breite / 2, e.Y + e.Hoehe / 2);
    w_->seiten->BlendFertig();
  }
  /// The pixel at an element's centre on screen and in one of its images.
  uint32_t Schirm(int n) {
    const ObjektStruct& e = w_->objekte[n];
    return w_->Schirm(e.X + e.Breite / 2, e.Y + e.Hoehe / 2);
  }
  uint32_t Bild(int n, int bild) {
    const ObjektStruct& e = w_->objekte[n];
    const platform::BildStruct& slot = w_->seiten->Slot(e.Ebene);
    int x = bild == 0 ? e.QuelleX : bild == 1 ? e.AktivX : e.DruckX;
    int y = bild == 0 ? e.QuelleY : bild == 1 ? e.AktivY : e.DruckY;
    return test::Pixel(slot.dc, x + e.Breite / 2, y + e.Hoehe / 2);
  }
  int16_t Seitenmenge() const { return w_->seiten->Seitenmenge; }

  std::string kit_;
  Aktionen aktionen_;
  text::Konstanten konstanten_;
  platform::ScriptedDialogs dialoge_;
  std::unique_ptr<test::Seitenwelt> w_;
  std::unique_ptr<Eingabe> eingabe_;
};

TEST_F(Kit, ReadsWithoutComplaintAndEveryPageHasItsPictures) {
  EXPECT_TRUE(dialoge_.Shown().empty()) << dialoge_.Shown()[0].message.prompt;
  for (int seite : {1, 2, 4, 5, 6, 7}) {
    const std::string& stamm = w_->daten.Seitenzeilen[0][static_cast<size_t>(seite)];
    EXPECT_TRUE(platform::FileExists(w_->ordner.Grafikordner + stamm + "I.")) << seite << " " << stamm;
  }
  EXPECT_NE(w_->seiten->Slot(0).dc, nullptr);
  EXPECT_NE(w_->seiten->Slot(1).dc, nullptr);
  for (int n : {11, 13, 15, 17, 37}) EXPECT_GT(w_->objekte[n].Breite, 0) << n;
}

TEST_F(Kit, PageAndPanelButtonsGiveThePageSets) {
  EXPECT_EQ(Seitenmenge(), Hauptbild | Soundgruppen);
  Klick(17);
  EXPECT_EQ(Seitenmenge(), Hauptbild | Mixer);
  EXPECT_EQ(Schirm(17), Bild(17, 2));  // the panel button lit in its pressed image
  Klick(15);
  EXPECT_EQ(Seitenmenge(), Hauptbild | Timestretch);
  EXPECT_EQ(w_->objekte[17].Wert, 0);
  EXPECT_EQ(Schirm(17), Bild(17, 0));
  Klick(11);
  EXPECT_EQ(Seitenmenge(), Matrix);
  EXPECT_EQ(w_->objekte[15].Wert, 0);
  Klick(11);
  EXPECT_EQ(Seitenmenge(), Hauptbild | Soundgruppen);
  Klick(13);
  EXPECT_EQ(Seitenmenge(), Effect | Soundgruppen);
  Klick(13);
  EXPECT_EQ(Seitenmenge(), Hauptbild | Soundgruppen);
}

TEST_F(Kit, ToggleAndMomentaryButtonsLightAndGoOut) {
  Klick(29);  // loop: on/off
  EXPECT_EQ(w_->objekte[29].Wert, 1);
  EXPECT_EQ(Schirm(29), Bild(29, 1));
  Klick(29);
  EXPECT_EQ(Schirm(29), Bild(29, 0));
  Klick(31);  // to start: momentary
  EXPECT_EQ(w_->objekte[31].Wert, 0);
  EXPECT_EQ(Schirm(31), Bild(31, 0));
}

TEST_F(Kit, ARolloverLightsOnHover) {
  const ObjektStruct& e = w_->objekte[11];
  eingabe_->Form_MouseMove(0, 0, e.X + 2, e.Y + 2);
  EXPECT_EQ(eingabe_->Hoverelement, 11);
  w_->seiten->BlendFertig();
  EXPECT_EQ(Schirm(11), Bild(11, 1));
  eingabe_->Form_MouseMove(0, 0, 1279, 959);
  w_->seiten->BlendFertig();
  EXPECT_EQ(Schirm(11), Bild(11, 0));
}

}  // namespace
}  // namespace zelo::input
