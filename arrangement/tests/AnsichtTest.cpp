// The arrangement view as a user drives it: dragging samples from the list and blocks within
// the tracks, clicks, Shift-clicks, the rubber band, the eraser, the loop range on the ruler,
// the scroll buttons' auto-repeat, and the drawing of rows into the window's back image.

#include "arrangement/Ansicht.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

#include "platform/Fonts.h"
#include "platform/gfx/GrafikEffekte.h"
#include "tests/support/TestEnv.h"

namespace zelo::arrangement {
namespace {

constexpr int kLinks = 1, kRechts = 2;
constexpr int kCtrl = 2, kShift = 1;
constexpr int kLoop = 100, kLang = 200, kEigen = 10300;

struct Aufzeichnung : Ansichtumgebung {
  bool soundgruppen = true, taste = false;
  platform::Window* fenster = nullptr;
  std::vector<std::string> rufe;
  std::vector<int32_t> rot;
  std::vector<Editorauftrag> editoren;
  int undo = 0, sampiAus = 0;
  std::vector<std::string> mixtexte;
  std::function<void()> beiSampiAus;

  bool Soundgruppenseite() override { return soundgruppen; }
  platform::Rect Element(int n) override {
    if (n == 4) return {100, 30, 1100, 16};
    if (n >= 45 && n <= 56) return {100 + (n - 45) * 90, 600, 80, 30};
    return {};
  }
  void SetRot(int32_t takt) override { rot.push_back(takt); }
  void AllStop(const std::string& m) override { rufe.push_back("AllStop " + m); }
  void PlayInit(const std::string& m) override { rufe.push_back("PlayInit " + m); }
  void UndoSichern() override { ++undo; }
  void SampleEditorOeffnen(const Editorauftrag& a) override { editoren.push_back(a); }
  void Mixtext(const std::string& t) override { mixtexte.push_back(t); }
  std::string Text(int n) override { return n == 70 ? "Bar " : ""; }
  bool LinkeTasteGedrueckt() override { return taste; }
  platform::Window* Fenster() override { return fenster; }
  void SampiAus() override {
    ++sampiAus;
    if (beiSampiAus) beiSampiAus();
  }
};

struct Liste : Sampleliste {
  std::vector<Listenknopf> knoepfe;
  std::vector<bool> marken;
  int haupt = 0, geloescht = 0, kontext = 0;
  std::vector<int> selsa, gruppe;
  std::vector<Listenknopf> Knopfliste() override { return knoepfe; }
  std::vector<bool> Auswahlmarken() override { return marken; }
  int Blockhoehe() override { return 16; }
  platform::Rect Listenbereich() override { return {100, 400, 1000, 150}; }
  int Hauptnummer() override { return haupt; }
  void HauptnummerSetzen(int s) override { haupt = s; }
  void Loeschen() override { ++geloescht; }
  void Kontextmenue(int, int) override { ++kontext; }
  void SelSa(int shift, int x, int y, int b, int h) override { selsa = {shift, x, y, b, h}; }
  void InGruppe(int s, int g) override { gruppe = {s, g}; }
};

class AnsichtTest : public ::testing::Test {
 protected:
  library::Katalog katalog;
  Spuren spuren{katalog};
  int32_t ersterTakt = 0, aktTakt = 0;
  int16_t loopAnfang = 0, loopEnde = 0, loopModus = 0, mixLaeuft = 0;
  platform::ManualClock uhr;
  Aufzeichnung umgebung;
  Liste liste;
  std::unique_ptr<Ansicht> ansicht;

  // Rows 16 high with a gap of 2 from y 50; 50 pixels a bar from x 100.
  Spurgeometrie geo;

  void SetUp() override {
    for (auto [s, takte, gruppe] : {std::tuple{kLoop, 2, 1}, {kLang, 4, 3}, {kEigen, 1, 10}}) {
      katalog.SampleTakte[s] = takte;
      katalog.SampleGruppe[s] = static_cast<int16_t>(gruppe);
      katalog.SampleOrt[s] = library::kOrtCache;
      katalog.SampleName[s] = "Sample " + std::to_string(s);
    }
    katalog.BreitenBerechnen(50);
    geo.Links = 100, geo.Oben = 50, geo.Zeilenhoehe = 16, geo.Abstand = 2, geo.PixelProTakt = 50, geo.Linealx = 100;
    umgebung.beiSampiAus = [this] { ansicht->ZugBeenden(); };
    NeueAnsicht({});
  }

  void NeueAnsicht(Blockmittel mittel) {
    ansicht = std::make_unique<Ansicht>(
        spuren, katalog, Transportwerte{ersterTakt, aktTakt, loopAnfang, loopEnde, loopModus, mixLaeuft}, uhr,
        umgebung, liste, mittel);
    ansicht->SpurGeometrieSetzen(geo);
  }

  int Mitte(int spur) const { return geo.ZeileOben(spur) + 8; }
  int X(int32_t tick) const { return TickZuPixel(geo, tick, ersterTakt); }

  /// A press on a list button and a drag that leaves the picture's left edge at x and its
  /// centre at y, released with `shift`.
  void AusDerListe(int sample, int x, int y, int shift) {
    liste.knoepfe = {{sample, 300, 450}};
    ASSERT_TRUE(ansicht->SampleKlick(kLinks, 0, 305, 455));
    ansicht->ZugbildBewegen(305 + (x - 300), 455 + (y - 8 - 450));
    ansicht->ListenAbwurf(shift);
  }

  /// Press, move and release in the track area.
  void Ziehen(int x1, int y1, int x2, int y2, int button = kLinks, int shift = 0) {
    ansicht->SpurMausDown(button, shift, x1, y1, false);
    ansicht->SpurMausMove(button, shift, x2, y2);
    ansicht->ZugbildBewegen(x2, y2);
    ansicht->SpurMausUp(button, shift, x2, y2);
  }
};

TEST_F(AnsichtTest, ListDropsSnapToTheBarOrTheSixteenth) {
  struct Fall { int32_t linkerRand; int shift; int spur; int32_t start; };
  // A left edge at tick 69 lands on bar 1 (tick 128), or at tick 72 with Ctrl.
  for (Fall f : {Fall{69, 0, 3, 128}, {69, kCtrl, 4, 72}, {200, 0, 0, 256}, {20, 0, 16 - 1, 0}}) {
    AusDerListe(kLoop, X(f.linkerRand), Mitte(f.spur), f.shift);
    EXPECT_EQ(spuren.EintragSuchen(f.spur, f.start), 0) << "edge " << f.linkerRand << " shift " << f.shift;
    EXPECT_FALSE(ansicht->ZugbildSichtbar());
  }
  EXPECT_EQ(spuren.MixGeaendert, kWahr);

  // A press without a move places nothing.
  spuren.MixLoeschen();
  liste.knoepfe = {{kLoop, 300, 450}};
  ansicht->SampleKlick(kLinks, 0, 305, 455);
  ansicht->ZugbildBewegen(305, 455);
  ansicht->ListenAbwurf(0);
  for (int s = 0; s < kSpurAnzahl; ++s) EXPECT_EQ(spuren[s].Anzahl, 0);
}

TEST_F(AnsichtTest, ListPressesOutsideTheGroupPanelOrOnNoButtonPassThrough) {
  liste.knoepfe = {{kLoop, 300, 450}};
  EXPECT_FALSE(ansicht->SampleKlick(kLinks, 0, 299, 455));
  umgebung.soundgruppen = false;
  EXPECT_FALSE(ansicht->SampleKlick(kLinks, 0, 305, 455));
  umgebung.soundgruppen = true;
  // The right button stops playback and opens the sample menu.
  EXPECT_TRUE(ansicht->SampleKlick(kRechts, 0, 305, 455));
  EXPECT_EQ(liste.kontext, 1);
  EXPECT_EQ(liste.haupt, kLoop);
  EXPECT_TRUE(ansicht->KontextKlick(kRechts, 0, 100, 550));
  EXPECT_FALSE(ansicht->KontextKlick(kRechts, 0, 100, 551));
}

TEST_F(AnsichtTest, UserSoundDroppedOnAGroupButtonChangesGroup) {
  liste.knoepfe = {{kEigen, 300, 450}};
  ASSERT_TRUE(ansicht->SampleKlick(kLinks, 0, 305, 455));
  // The picture's centre over group button 3 (x 370..450, y 600..630).
  ansicht->ZugbildBewegen(305 + 410 - 25 - 300, 455 + 615 - 8 - 450);
  ansicht->Zeitarbeit();
  EXPECT_EQ(ansicht->Zielgruppe(), 3);
  ansicht->ListenAbwurf(0);
  EXPECT_EQ(liste.gruppe, (std::vector<int>{kEigen, 4}));
  for (int s = 0; s < kSpurAnzahl; ++s) EXPECT_EQ(spuren[s].Anzahl, 0);

  // A library sample never gets a group target, and the delete target deletes instead of placing.
  liste.knoepfe = {{kLoop, 300, 450}};
  ansicht->SampleKlick(kLinks, 0, 305, 455);
  ansicht->ZugbildBewegen(305 + 110, 455 + 157);
  ansicht->Zeitarbeit();
  EXPECT_EQ(ansicht->Zielgruppe(), kKeineGruppe);
  ansicht->LoeschzielSetzen(true);
  ansicht->ListenAbwurf(0);
  EXPECT_EQ(liste.geloescht, 1);
}

TEST_F(AnsichtTest, DraggingABlockMovesItOrCopiesIt) {
  ASSERT_GE(spuren.SampleSetzen(2, 0, kLoop), 0);
  // Left button: moved down three rows and right one bar.
  Ziehen(X(10), Mitte(2), X(10) + 50, Mitte(5));
  EXPECT_EQ(spuren[2].Anzahl, 0);
  EXPECT_EQ(spuren.EintragSuchen(5, 128), 0);
  EXPECT_EQ(ansicht->Modus(), Mausmodus::Ruhe);
  // Right button copies; the moved entry was left selected, so the copy takes the outline's
  // path and an undo snapshot first.
  Ziehen(X(138), Mitte(5), X(138) + 100, Mitte(5), kRechts);
  EXPECT_EQ(spuren[5].Anzahl, 2);
  EXPECT_EQ(spuren.EintragSuchen(5, 384), 1);
  EXPECT_EQ(umgebung.undo, 1);
  // With Ctrl the drop keeps sixteenths and the mix text shows the fine position.
  Ziehen(X(138), Mitte(5), X(138) + 8, Mitte(5), kLinks, kCtrl);
  EXPECT_EQ(spuren.EintragSuchen(5, 152), 0);
  ASSERT_FALSE(umgebung.mixtexte.empty());
  EXPECT_EQ(umgebung.mixtexte.back(), "Bar 2   3/16 (2/8)");
  // Released on the delete target: the grabbed entry goes, the other stays.
  ansicht->LoeschzielSetzen(true);
  Ziehen(X(160), Mitte(5), X(160) + 300, Mitte(5));
  EXPECT_EQ(spuren.EintragSuchen(5, 152), -1);
  EXPECT_EQ(spuren.EintragSuchen(5, 384), 0);
}

TEST_F(AnsichtTest, ClickSelectsTheEntryAndOpensTheEditorLater) {
  ASSERT_GE(spuren.SampleSetzen(1, 256, kLang), 0);
  ASSERT_GE(spuren.SampleSetzen(3, 0, kLoop), 0);
  spuren[3].Eintrag[0].Markiert = kWahr;
  Ziehen(X(300), Mitte(1), X(300), Mitte(1));
  EXPECT_EQ(ansicht->Modus(), Mausmodus::Geklickt);
  EXPECT_EQ(spuren[1].Eintrag[0].Markiert, kWahr);
  EXPECT_EQ(spuren[3].Eintrag[0].Markiert, 0) << "a click selects the entry alone";
  EXPECT_EQ(umgebung.rot, (std::vector<int32_t>{2}));
  for (int i = 0; i < 14; ++i) ansicht->Halteklick();
  EXPECT_TRUE(umgebung.editoren.empty());
  ansicht->Halteklick();
  ASSERT_EQ(umgebung.editoren.size(), 1u);
  EXPECT_EQ(umgebung.editoren[0].X, X(256));
  EXPECT_EQ(umgebung.editoren[0].SampleBreite, 200);
  EXPECT_EQ(umgebung.editoren[0].Lautstaerke, 16384);
  ansicht->EditorWerteUebernehmen(16, 8, -100);
  EXPECT_EQ(spuren[1].Eintrag[0].SchnittAnfang, 16);
  EXPECT_EQ(spuren[1].Eintrag[0].Lautstaerke, -100);

  // While the mix plays the click selects but the editor stays closed.
  mixLaeuft = -1;
  Ziehen(X(10), Mitte(3), X(10), Mitte(3));
  for (int i = 0; i < 20; ++i) ansicht->Halteklick();
  EXPECT_EQ(umgebung.editoren.size(), 1u);
  EXPECT_EQ(spuren[3].Eintrag[0].Markiert, kWahr);
}

TEST_F(AnsichtTest, ShiftClickTogglesWithoutDragging) {
  ASSERT_GE(spuren.SampleSetzen(0, 0, kLoop), 0);
  for (int16_t erwartet : {kWahr, int16_t{0}}) {
    Ziehen(X(10), Mitte(0), X(10) + 100, Mitte(0), kLinks, kShift);
    EXPECT_EQ(spuren[0].Eintrag[0].Markiert, erwartet);
    EXPECT_EQ(spuren.EintragSuchen(0, 0), 0) << "not moved";
  }
}

TEST_F(AnsichtTest, RubberBandSelectsLoopsOrHandsOverToTheList) {
  ASSERT_GE(spuren.SampleSetzen(0, 0, kLoop), 0);
  ASSERT_GE(spuren.SampleSetzen(1, 512, kLoop), 0);
  ASSERT_GE(spuren.SampleSetzen(4, 0, kLoop), 0);
  // Over rows 0 to 1, bars 3 to 5: only the entry on track 1 lies inside.
  Ziehen(X(3 * 128), Mitte(0), X(5 * 128), Mitte(1));
  EXPECT_EQ(spuren[0].Eintrag[0].Markiert, 0);
  EXPECT_EQ(spuren[1].Eintrag[0].Markiert, kWahr);
  // A press in the gap between two rows hits nothing and starts a band too.
  ansicht->SpurMausDown(kLinks, 0, X(10), geo.ZeileOben(4) - 1, false);
  EXPECT_EQ(ansicht->Modus(), Mausmodus::Band);
  ansicht->SpurMausMove(kLinks, kShift, X(200), Mitte(4));
  EXPECT_TRUE(ansicht->ZugRechteckSichtbar());
  ansicht->SpurMausUp(kLinks, kShift, X(200), Mitte(4));
  EXPECT_EQ(spuren[4].Eintrag[0].Markiert, kWahr);
  EXPECT_EQ(spuren[1].Eintrag[0].Markiert, kWahr) << "Shift keeps the old selection";

  // Over the ruler: the loop range.
  Ziehen(100, 30, 200, 36);
  EXPECT_EQ(loopAnfang, 1);
  EXPECT_EQ(loopEnde, 2);
  EXPECT_EQ(spuren[4].Eintrag[0].Markiert, 0) << "a new loop range clears the selection";
  // Below the rows: the list's own selection.
  Ziehen(300, 420, 500, 480, kLinks, kShift);
  EXPECT_EQ(liste.selsa, (std::vector<int>{kShift, 300, 420, 200, 60}));
}

TEST_F(AnsichtTest, ClickOnEmptySpaceMovesTheMarker) {
  ersterTakt = 10;
  Ziehen(X(12 * 128 + 5), Mitte(7), X(12 * 128 + 5), Mitte(7));
  EXPECT_EQ(umgebung.rot, (std::vector<int32_t>{12}));
  // Outside the rows nothing moves.
  Ziehen(X(12 * 128 + 5), geo.Unten() + 30, X(12 * 128 + 5), geo.Unten() + 30);
  EXPECT_EQ(umgebung.rot.size(), 1u);
}

TEST_F(AnsichtTest, RulerClickClearsTheLoopAndRestartsPlayback) {
  loopAnfang = 3, loopEnde = 5;
  EXPECT_FALSE(ansicht->TaktKlick(kLinks, 0, 150, 60));
  EXPECT_EQ(loopAnfang, 3);
  mixLaeuft = -1;
  EXPECT_TRUE(ansicht->TaktKlick(kLinks, 0, 260, 40));
  EXPECT_EQ(loopAnfang, 0);
  EXPECT_EQ(loopEnde, 0);
  EXPECT_EQ(ansicht->Linealspalte(), 4);
  EXPECT_EQ(umgebung.rufe, (std::vector<std::string>{"AllStop Normal", "PlayInit Normal"}));
  EXPECT_FALSE(ansicht->ImLoop(3));
}

TEST_F(AnsichtTest, EraserRemovesWhatThePointerSweeps) {
  ASSERT_GE(spuren.SampleSetzen(0, 0, kLoop), 0);
  ASSERT_GE(spuren.SampleSetzen(2, 128, kLoop), 0);
  ansicht->RadiererUmschalten();
  EXPECT_EQ(umgebung.undo, 1);
  spuren.MixGeaendert = 0;
  ansicht->SpurMausDown(kLinks, 0, X(400), Mitte(0), false);
  EXPECT_EQ(spuren.MixGeaendert, 0) << "sweeping empty space changes nothing";
  ansicht->SpurMausMove(kLinks, 0, X(10), Mitte(0));
  ansicht->SpurMausMove(kLinks, 0, X(200), Mitte(2));
  ansicht->SpurMausUp(kLinks, 0, X(200), Mitte(2));
  EXPECT_EQ(spuren[0].Anzahl, 0);
  EXPECT_EQ(spuren[2].Anzahl, 0);
  EXPECT_EQ(ansicht->Modus(), Mausmodus::Ruhe);
  ansicht->RadiererEnde();
  EXPECT_FALSE(ansicht->Radierer());
}

TEST_F(AnsichtTest, HeldScrollButtonRepeatsFasterAndFaster) {
  umgebung.taste = true;
  ansicht->Scrollen(1);
  EXPECT_EQ(ersterTakt, 1);
  uhr.Advance(499);
  ansicht->Zeitarbeit();
  EXPECT_EQ(ersterTakt, 1);
  // One bar after 500 ms, then every 230 ms: three single bars, three of three, then six.
  std::vector<int32_t> gesehen;
  uhr.Advance(1);
  for (int i = 0; i < 8; ++i) {
    ansicht->Zeitarbeit();
    gesehen.push_back(ersterTakt);
    uhr.Advance(230);
  }
  EXPECT_EQ(gesehen, (std::vector<int32_t>{2, 3, 4, 7, 10, 13, 19, 25}));
  umgebung.taste = false;
  ansicht->Zeitarbeit();
  EXPECT_FALSE(ansicht->ScrollWiederholt());
  // The view stops at bar 977.
  ansicht->Blaettern(5000);
  EXPECT_EQ(ersterTakt, kLetzterErsterTakt);
  ansicht->Scrollen(1);
  EXPECT_EQ(ersterTakt, kLetzterErsterTakt);
}

TEST_F(AnsichtTest, MarkerModeScrollsTheMarkerIntoView) {
  ansicht->MarkermodusSetzen(true);
  aktTakt = 19;
  ansicht->Scrollen(1);
  EXPECT_EQ(aktTakt, 20);
  EXPECT_EQ(ersterTakt, 1);
}

TEST_F(AnsichtTest, PatternPageTakesDropsOnTheStripOnly) {
  struct Muster : Aufzeichnung {
    bool Musterseite() override { return true; }
  } muster;
  muster.beiSampiAus = [this] { ansicht->ZugBeenden(); };
  Ansicht streifen(spuren, katalog, Transportwerte{ersterTakt, aktTakt, loopAnfang, loopEnde, loopModus, mixLaeuft},
                   uhr, muster, liste);
  streifen.StreifenGeometrieSetzen(geo, 500);
  const int sonder = 7500;  // a sample of the special-track range
  katalog.SampleTakte[sonder] = 1;
  katalog.SampleBreite[sonder] = 50;
  EXPECT_EQ(streifen.SampleAbwurf(X(0), 508, sonder, Raster::Takt), 0);
  EXPECT_EQ(spuren[kSonderspur].Anzahl, 1);
  EXPECT_EQ(streifen.SampleAbwurf(X(0), 508 - 18, kLoop, Raster::Takt), -1) << "the rows above are not on the page";
}

TEST_F(AnsichtTest, BandRestingAtTheRightEndScrollsTheView) {
  ansicht->SpurMausDown(kLinks, 0, X(10), Mitte(0), false);
  ansicht->SpurMausMove(kLinks, 0, geo.Links + geo.Breite() - 5, Mitte(3));
  ansicht->Zeitarbeit();
  uhr.Advance(699);
  ansicht->Zeitarbeit();
  EXPECT_EQ(ersterTakt, 0);
  uhr.Advance(1);
  ansicht->Zeitarbeit();
  EXPECT_EQ(ersterTakt, 1);
  uhr.Advance(120);
  ansicht->Zeitarbeit();
  EXPECT_EQ(ersterTakt, 2);
  // The band now reaches bar 23, which was not in view when it began, and keeps its start on
  // the song: the entry under the press point (now scrolled out of view) is still inside.
  ASSERT_GE(spuren.SampleSetzen(1, 23 * 128, kLoop), 0);
  ASSERT_GE(spuren.SampleSetzen(2, 0, kLoop), 0);
  ansicht->SpurMausUp(kLinks, 0, geo.Links + geo.Breite() - 5, Mitte(3));
  EXPECT_EQ(ansicht->Modus(), Mausmodus::Ruhe);
  EXPECT_EQ(spuren[1].Eintrag[0].Markiert, kWahr);
  EXPECT_EQ(spuren[2].Eintrag[0].Markiert, kWahr);
}

// --- Drawing ---------------------------------------------------------------------------------

uint32_t Pixel(SDL_Surface* s, int x, int y) {
  return static_cast<const uint32_t*>(s->pixels)[static_cast<size_t>(y) * static_cast<size_t>(s->pitch / 4) + static_cast<size_t>(x)];
}

void Grau(const std::string& pfad) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 24, SDL_PIXELFORMAT_RGB24);
  SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 112, 112, 112));
  SDL_SaveBMP(s, pfad.c_str());
  SDL_FreeSurface(s);
}

TEST_F(AnsichtTest, RowsShowBlocksOverThePageBackground) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  {
    platform::Window fenster(platform::WindowOptions{640, 480, true, "Zelo"});
    ASSERT_TRUE(fenster.Ok());
    platform::Fonts fonts;
    platform::GrafikEffekte gfx(fonts, &uhr);
    const std::string ordner = test::FreshHome();
    Grau(ordner + "t.bmp");
    SDL_Surface* bild = gfx.GFX_SampleInit(geo.Zeilenhoehe, 2560, platform::FontSpec{"Arial", false, 8, 0, 0, 0});
    const int32_t paar = gfx.GFX_SampleAddTexturePair(ordner + "t.bmp", ordner + "t.bmp", ordner + "keine.pal", 12, 25, 112);
    ASSERT_NE(paar, 0);
    const uint32_t grund = 0xFF204060u;
    platform::FillRect(fenster.Back(), {0, 0, 640, 480}, grund);
    umgebung.fenster = &fenster;
    NeueAnsicht({&gfx, bild, paar});

    ASSERT_GE(spuren.SampleSetzen(2, 128, kLoop), 0);
    ASSERT_GE(spuren.SampleSetzen(2, 512, kLang), 0);
    ansicht->AlleNeuZeichnen();
    SDL_Surface* back = fenster.Back();
    const int y = Mitte(2);
    EXPECT_EQ(Pixel(back, X(64), y), grund) << "before the first block";
    EXPECT_NE(Pixel(back, X(200), y), grund) << "inside the loop block";
    EXPECT_EQ(Pixel(back, X(450), y), grund) << "in the gap after it";
    EXPECT_NE(Pixel(back, X(600), y), grund) << "inside the long block";
    EXPECT_EQ(Pixel(back, X(200), Mitte(3)), grund) << "an empty row";
    const uint32_t normal = Pixel(back, X(200), y);

    // The selected look differs; removing the entry restores the background.
    spuren[2].Eintrag[0].Markiert = kWahr;
    spuren.SpurGeaendert[2] = kWahr;
    ansicht->ZSpuren();
    EXPECT_NE(Pixel(back, X(200), y), normal);
    spuren.SampleLoeschen(2, 0);
    ansicht->ZSpuren();
    EXPECT_EQ(Pixel(back, X(200), y), grund);

    // Scrolling by one bar redraws every row from the new first bar.
    ersterTakt = 1;
    ansicht->SpurenZeichnen();
    EXPECT_NE(Pixel(back, X(600), y), grund);
    EXPECT_EQ(Pixel(back, X(600) + 4 * 50, y), grund);

    // A grabbed block shows on the drag layer once it moves, and is gone after the drop.
    ansicht->SpurMausDown(kLinks, 0, X(600), y, false);
    ansicht->SpurMausMove(kLinks, 0, X(600) + 20, y + 18);
    EXPECT_TRUE(ansicht->ZugbildSichtbar());
    EXPECT_NE(Pixel(fenster.LayerSurface(platform::Layer::Drag), X(600) + 20, y + 18), 0u);
    ansicht->SpurMausUp(kLinks, 0, X(600) + 20, y + 18);
    EXPECT_FALSE(ansicht->ZugbildSichtbar());
    EXPECT_EQ(Pixel(fenster.LayerSurface(platform::Layer::Drag), X(600) + 20, y + 18) >> 24, 0u);
    umgebung.fenster = nullptr;
    ansicht.reset();
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
}  // namespace zelo::arrangement
