// Pointer and key dispatch: the hit test's edges, how each button kind presses, toggles and
// fades, hover lighting, release and drop actions, and the key tables.
#include "input/Eingabe.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pages/tests/Seitenwelt.h"
#include "platform/Dialogs.h"
#include "platform/Input.h"

namespace zelo::input {
namespace {

using namespace zelo::pages;
using testing::Contains;
using testing::ElementsAre;
using testing::Not;

/// Records what the dispatch asked of the other subsystems.
class Protokoll : public Aktionen {
 public:
  std::vector<std::string> log;
  bool spielt = false, generatorAufnahme = false, listenAuswahl = false, zugbild = false;
  int bereich = 0;
  int bx = 0, by = 0;

  bool Spielt() override { return spielt; }
  bool GeneratorNimmtAuf() override { return generatorAufnahme; }
  bool ListenAuswahl() override { return listenAuswahl; }
  bool ZugbildSichtbar() override { return zugbild; }
  void ZugbildPosition(int& x, int& y) override { x = bx, y = by; }
  int SampleBereich(int) override { return bereich; }
  int Hauptnummer() override { return 4711; }

  void EndeMeldung(int e) override { L("EndeMeldung " + std::to_string(e)); }
  void Stop() override { L("Stop"); }
  void PlayStop() override { L("PlayStop"); }
  void GeneratorAktion(int e) override { L("Generator " + std::to_string(e)); }
  void GeneratorAufnahmeBeenden() override { L("GeneratorAufnahmeBeenden"); }
  void AktiviereGruppe(int e) override { L("AktiviereGruppe " + std::to_string(e)); }
  void Scrollen(int r) override { L("Scrollen " + std::to_string(r)); }
  void LinealKlick(int s) override { L("LinealKlick " + std::to_string(s)); }
  bool TaktKlick(int, int, int, int) override {
    L("TaktKlick");
    return true;
  }
  void ArrangementKlick(int, int, int, int) override { L("ArrangementKlick"); }
  void SampleLoeschen() override { L("SampleLoeschen"); }
  void MarkierteLoeschen() override { L("MarkierteLoeschen"); }
  void StretchLaden(int s) override { L("StretchLaden " + std::to_string(s)); }
  void EffektSampleSetzen(int s) override { L("EffektSampleSetzen " + std::to_string(s)); }
  void AufnahmeSpur(int s) override { L("AufnahmeSpur " + std::to_string(s)); }
  void Blaettern(int t) override { L("Blaettern " + std::to_string(t)); }
  void AllesMarkieren() override { L("AllesMarkieren"); }
  void RadiererUmschalten() override { L("RadiererUmschalten"); }
  void KanalKnopf(int e) override { L("KanalKnopf " + std::to_string(e)); }
  void Import() override { L("Import"); }
  void GeneratorPreset(int r) override { L("GeneratorPreset " + std::to_string(r)); }

 private:
  void L(std::string s) { log.push_back(std::move(s)); }
};

class Dispatch : public testing::Test {
 protected:
  Dispatch() {
    w.Element(37, 100, 10, 20, 10, OnOffButton, Hauptbild);
    w.Element(35, 130, 10, 20, 10, Button, Hauptbild);
    w.Element(39, 160, 10, 20, 10, Button, Hauptbild);
    w.Element(11, 200, 10, 20, 10, OnOffRollOverButton, Hauptbild);
    w.Element(13, 230, 10, 20, 10, OnOffRollOverButton, Hauptbild);
    w.Element(15, 260, 10, 20, 10, OnOffRollOverButton, Hauptbild);
    w.Element(17, 290, 10, 20, 10, OnOffRollOverButton, Hauptbild);
    w.Element(27, 320, 10, 20, 10, RollOverButton, Hauptbild);
    w.Element(4, 10, 50, 440, 10, Special, Hauptbild);
    w.Element(45, 10, 250, 30, 20, RadioButton, Soundgruppen);
    w.Element(51, 200, 250, 30, 20, RadioButton, Soundgruppen);
    w.Element(315, 0, 200, 640, 40, Platzhalter, Matrix);
    for (int k = 79; k <= 95; ++k) w.Element(k, 10 + (k - 79) * 12, 100, 10, 10, RadioButton, Hauptbild);
    w.seiten->SzeneAktivieren("Hauptbild", 0);
    p.log.clear();
  }
  void Klick(int x, int y, int button = platform::kLinks) {
    e.Form_MouseDown(button, 0, x, y);
    e.Form_MouseUp(button, 0, x, y);
  }

  Protokoll p;
  test::Seitenwelt w{p};
  Seitensteuerung& s = *w.seiten;
  Objekte& o = w.objekte;
  platform::ScriptedDialogs dialoge;
  Eingabe e{EingabeUmgebung{o, s, p, *w.engine, w.uhr, dialoge, w.layout, w.masse, w.texte, w.fonttabelle}};
};

TEST_F(Dispatch, HitTestExcludesTheRightEdgeAndIncludesTheBottomEdge) {
  struct Fall {
    int x, y;
    bool treffer;
  };
  for (Fall f : {Fall{100, 10, true}, Fall{119, 20, true}, Fall{120, 15, false}, Fall{110, 20, true},
                 Fall{110, 21, false}, Fall{99, 15, false}, Fall{110, 9, false}}) {
    EXPECT_EQ(e.Getroffen(37, f.x, f.y), f.treffer) << f.x << "," << f.y;
  }
  s.Seitenmenge = Matrix;
  EXPECT_FALSE(e.Getroffen(37, 110, 15));  // not on a visible page
}

TEST_F(Dispatch, AnOnOffButtonLightsQuicklyAndGoesOutSlowly) {
  e.Form_MouseDown(1, 0, 110, 15);
  EXPECT_EQ(o[37].Wert, 1);
  EXPECT_EQ(s.Blendwert(37).Dauer, 80u);
  EXPECT_EQ(s.Blendwert(37).Bild, 1);
  EXPECT_THAT(p.log, ElementsAre("PlayStop"));
  e.Form_MouseUp(1, 0, 110, 15);
  EXPECT_EQ(o[37].Wert, 1);  // a toggle stays on when released
  e.Form_MouseDown(1, 0, 110, 15);
  EXPECT_EQ(o[37].Wert, 0);
  EXPECT_EQ(s.Blendwert(37).Dauer, 400u);
  EXPECT_EQ(e.LetztesElement, 37);
}

TEST_F(Dispatch, AMomentaryButtonSpringsBackOnRelease) {
  e.Form_MouseDown(1, 0, 135, 15);
  EXPECT_EQ(o[35].Wert, 1);
  EXPECT_THAT(p.log, ElementsAre("Stop"));
  w.uhr.Advance(100);
  s.Blender();
  EXPECT_EQ(w.Schirm(135, 15), test::kAktiv);
  e.Form_MouseUp(1, 0, 135, 15);
  EXPECT_EQ(o[35].Wert, 0);
  EXPECT_EQ(s.Blendwert(35).Dauer, 400u);
  EXPECT_FALSE(s.Blendwert(35).Rueckwaerts);
}

TEST_F(Dispatch, RolloverButtonsLightOnHoverUnlessSwitchedOn) {
  e.Form_MouseMove(0, 0, 205, 15);
  EXPECT_EQ(e.Hoverelement, 11);
  EXPECT_EQ(s.Blendwert(11).Dauer, 80u);
  e.Form_MouseMove(0, 0, 235, 15);  // to the next: the first fades out, the second in
  EXPECT_EQ(e.Hoverelement, 13);
  EXPECT_EQ(s.Blendwert(11).Dauer, 400u);
  EXPECT_THAT(s.Warteschlange(), ElementsAre(11, 13));
  o[15].Wert = 1;
  e.Form_MouseMove(0, 0, 265, 15);
  EXPECT_EQ(e.Hoverelement, 0);
  EXPECT_THAT(s.Warteschlange(), Not(Contains(15)));
  e.Form_MouseMove(0, 0, 600, 400);
  EXPECT_EQ(e.Hoverelement, 0);
}

TEST_F(Dispatch, TheQuitButtonPressesWithoutItsPressFade) {
  e.Form_MouseDown(1, 0, 325, 15);
  EXPECT_EQ(o[27].Wert, 1);
  EXPECT_THAT(s.Warteschlange(), Not(Contains(27)));
  EXPECT_THAT(p.log, ElementsAre("EndeMeldung 27"));
}

TEST_F(Dispatch, OverlappingSpecialsAllReceiveTheClickAndTheButtonUnderThemIsPressed) {
  w.Element(4, 95, 5, 40, 30, Special, Hauptbild);
  w.Element(7, 95, 5, 40, 30, Special, Hauptbild);
  e.Form_MouseDown(1, 0, 110, 15);
  EXPECT_EQ(o[7].Wert, 12);  // the info picture's special answered
  EXPECT_EQ(o[37].Wert, 1);
  EXPECT_THAT(p.log, ElementsAre("LinealKlick 1", "PlayStop"));
}

TEST_F(Dispatch, TheRulerSelectsTheBarAndStillReachesTheArrangement) {
  e.Form_MouseDown(1, 0, 10 + 3 * 20 + 5, 55);
  EXPECT_THAT(p.log, ElementsAre("LinealKlick 4", "TaktKlick", "ArrangementKlick"));
}

TEST_F(Dispatch, PageButtonsChangeThePageSet) {
  Klick(205, 15);  // matrix page on
  EXPECT_EQ(s.Seitenmenge, Matrix);
  s.BlendFertig();
  o[11].Wert = 0;
  s.SzeneAktivieren("Matrixbild", 0);
  Klick(295, 15);  // mixer panel
  EXPECT_EQ(s.Seitenmenge, Hauptbild | Mixer);
  Klick(265, 15);  // time-stretch panel replaces it
  EXPECT_EQ(s.Seitenmenge, Hauptbild | Timestretch);
  EXPECT_EQ(o[17].Wert, 0);
}

TEST_F(Dispatch, RecordingTrackSelectorsAreARadioGroup) {
  Klick(10 + 2 * 12 + 1, 105);
  Klick(10 + 16 * 12 + 1, 105);
  EXPECT_EQ(o[81].Wert, 0);
  EXPECT_EQ(o[95].Wert, 1);
  EXPECT_THAT(p.log, ElementsAre("AufnahmeSpur 2", "AufnahmeSpur 16"));
}

TEST_F(Dispatch, DropsOnToolButtonsRefuseTheProtectedRange) {
  p.zugbild = true;
  p.bereich = 2;
  w.texte.Setzen(212, "Not this one");
  w.texte.Setzen(213, "Zelo");
  EXPECT_TRUE(e.OUpKlick(15));
  ASSERT_EQ(dialoge.Shown().size(), 1u);
  EXPECT_EQ(dialoge.Shown()[0].message.prompt, "Not this one");
  EXPECT_TRUE(p.log.empty());
  p.bereich = 1;
  EXPECT_TRUE(e.OUpKlick(15));
  EXPECT_THAT(p.log, ElementsAre("StretchLaden 4711"));
  p.zugbild = false;
  EXPECT_FALSE(e.OUpKlick(15));  // a release without a drag is no drop
}

TEST_F(Dispatch, ADropBesideTheGroupButtonsGoesToTheOpenStretchPanel) {
  s.Seitenmenge = Hauptbild | Timestretch;
  p.zugbild = true;
  p.bx = 100, p.by = 210;
  EXPECT_TRUE(e.OUpKlick(0));
  EXPECT_THAT(p.log, ElementsAre("StretchLaden 4711"));
  p.log.clear();
  p.bx = 5;  // left of the group buttons' right edge
  EXPECT_FALSE(e.OUpKlick(0));
  EXPECT_TRUE(p.log.empty());
}

TEST_F(Dispatch, SpaceStopsWhatRunsOrPlays) {
  e.Form_KeyDown(platform::vbKeySpace, 0);
  EXPECT_THAT(p.log, ElementsAre("PlayStop"));
  p.log.clear();
  p.spielt = true;
  e.Form_KeyDown(platform::vbKeySpace, 0);
  EXPECT_THAT(p.log, ElementsAre("Stop"));
  p.log.clear();
  p.spielt = false;
  s.Seitenmenge = Matrix;
  e.Form_KeyDown(platform::vbKeySpace, 0);
  EXPECT_EQ(o[671].Wert, 1);
  EXPECT_THAT(p.log, ElementsAre("Generator 671"));
}

TEST_F(Dispatch, AnyKeyButLeftAndRightEndsAGeneratorRecording) {
  p.generatorAufnahme = true;
  e.Form_KeyDown(platform::vbKeyLeft, 0);
  EXPECT_THAT(p.log, Not(Contains("GeneratorAufnahmeBeenden")));
  e.Form_KeyDown(platform::vbKeyA + 1, 0);
  EXPECT_THAT(p.log, Contains("GeneratorAufnahmeBeenden"));
  EXPECT_THAT(p.log, Contains("AktiviereGruppe 53"));
}

TEST_F(Dispatch, DeleteAsksOnTheMainPageButNotForAListSelection) {
  w.texte.Setzen(66, "Delete the marked samples?");
  dialoge.QueueAnswer(platform::Answer::Yes);
  e.Form_KeyDown(platform::vbKeyDelete, 0);
  ASSERT_EQ(dialoge.Shown().size(), 1u);
  EXPECT_EQ(dialoge.Shown()[0].message.prompt, "Delete the marked samples?");
  EXPECT_THAT(p.log, Contains("MarkierteLoeschen"));
  p.log.clear();
  p.listenAuswahl = true;
  e.Form_KeyDown(platform::vbKeyBack, 0);
  EXPECT_EQ(dialoge.Shown().size(), 1u);
  EXPECT_THAT(p.log, Contains("SampleLoeschen"));
}

TEST_F(Dispatch, KeyTables) {
  struct Fall {
    int taste, shift;
    const char* erwartet;
  };
  for (Fall f : {Fall{platform::vbKeyRight, 0, "Scrollen 1"}, Fall{platform::vbKeyPageDown, 0, "Blaettern 19"},
                 Fall{platform::vbKeyPageUp, 0, "Blaettern -19"}, Fall{platform::vbKeyEscape, 0, "EndeMeldung 0"},
                 Fall{platform::vbKeyF4, platform::kAlt, "EndeMeldung 0"},
                 Fall{platform::vbKeyA + 8, platform::kCtrl, "Import"}}) {
    p.log.clear();
    e.Form_KeyDown(f.taste, f.shift);
    EXPECT_THAT(p.log, Contains(f.erwartet)) << f.taste;
  }
  p.log.clear();
  e.Form_KeyPress(1);  // Ctrl+A
  e.Form_KeyPress(4);  // Ctrl+D
  EXPECT_THAT(p.log, ElementsAre("AllesMarkieren", "RadiererUmschalten"));
  s.Seitenmenge = Matrix;
  p.log.clear();
  e.Form_KeyDown(platform::vbKeyRight, 0);
  EXPECT_THAT(p.log, ElementsAre("GeneratorPreset 1"));
}

TEST_F(Dispatch, MixerChannelButtonsKeepThePointerCyclingWhilePlaying) {
  p.spielt = true;
  e.OKlick(100);
  EXPECT_THAT(p.log, ElementsAre("KanalKnopf 100"));
  EXPECT_EQ(e.Zeigerfrist, w.uhr.Millis() + 7000);
  w.uhr.Advance(7000);
  e.Form_MouseMove(0, 0, 600, 400);
  EXPECT_EQ(e.Zeigerfrist, 0u);  // the first move after the deadline ends the cycling
}

TEST_F(Dispatch, SdlEventsReachTheHandlersAndEscapeIsHandledHere) {
  SDL_Event ev{};
  ev.type = SDL_KEYDOWN;
  ev.key.keysym.sym = SDLK_ESCAPE;
  ev.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  EXPECT_TRUE(e.Ereignis(ev));
  EXPECT_THAT(p.log, ElementsAre("EndeMeldung 0"));
  p.log.clear();
  ev = {};
  ev.type = SDL_MOUSEBUTTONDOWN;
  ev.button.button = SDL_BUTTON_LEFT;
  ev.button.clicks = 1;
  ev.button.x = 110, ev.button.y = 15;
  EXPECT_TRUE(e.Ereignis(ev));
  EXPECT_THAT(p.log, ElementsAre("PlayStop"));
  ev.type = SDL_WINDOWEVENT;
  EXPECT_FALSE(e.Ereignis(ev));
}

}  // namespace
}  // namespace zelo::input
