// The small dialogs: the rename box, the help prompt and its option, the hover tip's place,
// the progress box's layout and bar, the menus and the launch of the file dialogs.

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/Eingabebox.h"
#include "dialogs/Fortschritt.h"
#include "dialogs/Hilfe.h"
#include "dialogs/ImGuiKleindialoge.h"
#include "dialogs/Kleindialoge.h"
#include "dialogs/Menuefenster.h"
#include "platform/Dialogs.h"
#include "platform/ImGuiHost.h"
#include "platform/Window.h"
#include "text/Texte.h"

namespace zelo::dialogs {
namespace {

text::Texte Textbeispiel() {
  text::Texte t;
  for (int i : {106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 121, 163, 185, 186, 187, 188, 189, 190})
    t.Setzen(i, "T" + std::to_string(i));
  return t;
}

std::unique_ptr<platform::Window> Fenster() {
  return std::make_unique<platform::Window>(platform::WindowOptions{1280, 960, true, "dialogs"});
}

uint32_t Pixel(SDL_Surface* s, int x, int y) {
  if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0x12345678u;
  return static_cast<const uint32_t*>(s->pixels)[y * (s->pitch / 4) + x];
}

// --- Text input box ------------------------------------------------------------------------

TEST(Eingabebox, RenameShowsTheTrimmedLinesAndKeepsAtMost250Characters) {
  const text::Texte texte = Textbeispiel();
  ScriptedKleindialoge d;
  d.EingabeAntwort({true, "  " + std::string(300, 'a') + "  ", "  Zweite Zeile  "});
  auto neu = SampleNameEingeben(texte, d, "  Loop 1 ", " Zeile zwei", "/Medium/ZELO/Eigene/Loop1.WAV");
  ASSERT_TRUE(neu.has_value());
  EXPECT_EQ(neu->Zeile1, std::string(248, 'a')) << "the first 250 characters, trimmed";
  EXPECT_EQ(neu->Zeile2, "Zweite Zeile");
  ASSERT_EQ(d.GezeigteEingaben().size(), 1u);
  const Eingabefelder& f = d.GezeigteEingaben()[0];
  EXPECT_EQ(f.Feld1, "Loop 1");
  EXPECT_EQ(f.Feld2, "Zeile zwei");
  EXPECT_EQ(f.Info, "/medium/zelo/eigene/loop1.wav");
  EXPECT_EQ(f.Ueberschrift, "T111");
  EXPECT_EQ(f.Label1, "T112");
  EXPECT_EQ(f.Label2, "T113");
  EXPECT_EQ(f.Abbrechen, "T114");
  EXPECT_EQ(f.OK, "T115");

  EXPECT_FALSE(SampleNameEingeben(texte, d, "a", "b", "c").has_value()) << "unscripted: Cancel";
}

// The real window: keys typed into the box reach the program as Windows-1252 text.
class ImGuiDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fenster = Fenster();
    ASSERT_TRUE(fenster->Ok());
    host = std::make_unique<platform::ImGuiHost>(*fenster, [this] { Schritt(); });
  }

  // Events are pushed a few frames into the dialog, when its field has the focus.
  void Schritt() {
    if (++frame != 3) return;
    for (const SDL_Event& e : ereignisse) {
      SDL_Event kopie = e;
      SDL_PushEvent(&kopie);
    }
  }

  static SDL_Event Taste(SDL_Keycode k, bool runter) {
    SDL_Event e{};
    e.type = runter ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = runter ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = k;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(k);
    return e;
  }
  static SDL_Event Text(const char* t) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, t, sizeof e.text.text);
    return e;
  }

  std::unique_ptr<platform::Window> fenster;
  std::unique_ptr<platform::ImGuiHost> host;
  std::vector<SDL_Event> ereignisse;
  int frame = 0;
};

TEST_F(ImGuiDialogTest, TypingAndEnterConfirmTheInputBox) {
  ereignisse = {Text("\xC3\xA4"), Taste(SDLK_RETURN, true), Taste(SDLK_RETURN, false)};
  ImGuiKleindialoge d(*host);
  Eingabefelder f;
  f.Feld1 = "Bass";
  f.Feld2 = "zwei";
  ASSERT_TRUE(d.Eingabebox(f));
  EXPECT_EQ(f.Feld1, "\xE4") << "the focused field's text is selected and typed over; UTF-8 comes back as Windows-1252";
  EXPECT_EQ(f.Feld2, "zwei");
}

TEST_F(ImGuiDialogTest, EscapeCancelsTheInputBoxAndLeavesTheHelpOption) {
  ereignisse = {Taste(SDLK_ESCAPE, true), Taste(SDLK_ESCAPE, false)};
  ImGuiKleindialoge d(*host);
  Eingabefelder f;
  f.Feld1 = "alt";
  EXPECT_FALSE(d.Eingabebox(f));
  EXPECT_EQ(f.Feld1, "alt");
  frame = 0;
  Hilfefelder h;
  h.OptionAn = true;
  Hilfeantwort a = d.Hilfefrage(h);
  EXPECT_TRUE(a.OptionAn);
  EXPECT_FALSE(a.HilfeOeffnen);
}

// --- Help prompt and hover tip ---------------------------------------------------------------

TEST(Hilfefrage, ChangedOptionIsReportedAndTheHelpButtonOpensTheHelpFile) {
  const text::Texte texte = Textbeispiel();
  ScriptedKleindialoge d;
  std::vector<std::string> geoeffnet;
  auto oeffnen = [&](const std::string& p) { geoeffnet.push_back(p); };
  bool option = false;

  d.HilfeAntwort({true, false});
  EXPECT_TRUE(HilfefrageZeigen(texte, d, option, "/m/zelo.html", oeffnen)) << "ticked: the state file must be written";
  EXPECT_TRUE(option);
  EXPECT_FALSE(HilfefrageZeigen(texte, d, option, "/m/zelo.html", oeffnen)) << "Escape changes nothing";
  EXPECT_TRUE(option);
  d.HilfeAntwort({true, true});
  EXPECT_FALSE(HilfefrageZeigen(texte, d, option, "/m/zelo.html", oeffnen));
  EXPECT_EQ(geoeffnet, std::vector<std::string>{"/m/zelo.html"});

  const Hilfefelder& f = d.GezeigteHilfen().at(0);
  EXPECT_FALSE(f.OptionAn) << "the box shows the option as it was";
  EXPECT_EQ(f.Titel, "T190");
  EXPECT_EQ(f.Frage, "T189");
  EXPECT_EQ(f.HilfeKnopf, "T186");
  EXPECT_EQ(f.OK, "T185");
  EXPECT_EQ(f.Option, "T188");
}

TEST(Hilfetip, TipIsPlacedAboveThePointerOrBelowItAndInsideTheLayout) {
  auto fenster = Fenster();
  platform::Fonts fonts;
  Hilfetip tip(fenster.get(), fonts);
  tip.Schrift = {"Arial", false, 12, 0, 0, 0};
  tip.LayoutBreite = 640;
  tip.VersatzX = 100;
  tip.VersatzY = 50;
  int editor = 0;
  tip.editorNeuZeichnen = [&] { ++editor; };

  tip.HilfeZeigen(320, 300, "Play");
  ASSERT_TRUE(tip.Sichtbar());
  const platform::Rect mitte = tip.Bereich();
  ASSERT_GT(mitte.w, 6) << "the text was measured";
  EXPECT_EQ(mitte.y, 300 - mitte.h - 18 + 50);
  EXPECT_EQ(mitte.x, 320 - mitte.w / 2 + 100);
  SDL_Surface* ebene = fenster->LayerSurface(platform::Layer::HelpTip);
  EXPECT_EQ(Pixel(ebene, mitte.x, mitte.y), 0xFF000000u) << "the tip's outline";
  EXPECT_NE(Pixel(ebene, mitte.x + 1, mitte.y + 1), 0u);

  tip.HilfeZeigen(630, 10, "Ganz oben\r\nrechts");
  EXPECT_EQ(editor, 1) << "showing a new tip hid the old one";
  EXPECT_EQ(Pixel(ebene, mitte.x, mitte.y), 0u) << "the old tip is gone";
  const platform::Rect ecke = tip.Bereich();
  EXPECT_EQ(ecke.y, 10 + 28 + 50) << "no room above: 28 pixels below the pointer";
  EXPECT_EQ(ecke.x + ecke.w, 640 - 4 + 100) << "ends 4 pixels before the layout's right edge";
  EXPECT_GT(ecke.h, mitte.h) << "two lines";

  tip.HilfeZeigen(0, 300, "links");
  EXPECT_EQ(tip.Bereich().x, 2 + 100);

  tip.HilfeVerbergen();
  EXPECT_FALSE(tip.Sichtbar());
  tip.HilfeVerbergen();
  EXPECT_EQ(editor, 3) << "hiding a hidden tip does nothing";
}

// --- Progress box ----------------------------------------------------------------------------

TEST(Fortschritt, LayoutIsCentredAndRescaled) {
  const Fortschrittsgeometrie g = FortschrittLayout(1280, 960);
  EXPECT_EQ(g.Fenster.x, 440);
  EXPECT_EQ(g.Fenster.y, 397) << "8 pixels above the centre";
  // 70 % x 15 % of 400 x 150, rescaled by 15 / 12 twips: 350 x 28.
  EXPECT_EQ(g.Titel.w, 350);
  EXPECT_EQ(g.Titel.h, 28);
  EXPECT_EQ(g.Titel.x - g.Fenster.x, 25) << "centred";
  EXPECT_EQ(g.Titel.y - g.Fenster.y, 12) << "at 10 % of the height";
  EXPECT_EQ(g.Rahmen.y - g.Fenster.y, 49) << "at 40 %";
  EXPECT_EQ(g.Abbrechen.y - g.Fenster.y, 96) << "at 80 %";
  EXPECT_EQ(g.Balken.x, g.Rahmen.x + 1);
  EXPECT_EQ(g.Balken.y, g.Rahmen.y + 1);
  EXPECT_EQ(g.Balken.h, g.Rahmen.h - 1);
  const Fortschrittsgeometrie klein = FortschrittLayout(200, 100);
  EXPECT_EQ(klein.Fenster.x, 0) << "never left of the screen";
  EXPECT_EQ(klein.Fenster.y, 0) << "never above it";
}

TEST(Fortschritt, BarFollowsTheFractionClampedAndCancelCloses) {
  auto fenster = Fenster();
  platform::Fonts fonts;
  Fortschrittsbox box(fenster.get(), &fonts);
  box.Starten("Vorbereiten");
  ASSERT_TRUE(box.Offen());
  EXPECT_EQ(box.Titel(), "Vorbereiten");
  EXPECT_FALSE(box.BalkenSichtbar());
  EXPECT_EQ(box.BalkenBreite(), 175) << "half the frame at the start";
  const struct {
    double prozent;
    int breite;
  } faelle[] = {{0.5, 175}, {1.5, 350}, {-0.2, 0}, {0.25, 87}, {NAN, 0}, {1.0, 350}};
  for (const auto& f : faelle) {
    box.SetProzent(f.prozent);
    EXPECT_EQ(box.BalkenBreite(), f.breite) << f.prozent;
  }
  EXPECT_TRUE(box.BalkenSichtbar());
  const Fortschrittsgeometrie& g = box.Geometrie();
  EXPECT_FALSE(box.MausDown(g.Fenster.x - 1, g.Fenster.y)) << "outside the box";
  EXPECT_TRUE(box.MausDown(g.Titel.x, g.Titel.y)) << "inside, not on Cancel";
  EXPECT_TRUE(box.Offen());
  EXPECT_TRUE(box.MausDown(g.Abbrechen.x + 5, g.Abbrechen.y + 5));
  EXPECT_FALSE(box.Offen());
  EXPECT_TRUE(box.Abgebrochen());
  EXPECT_FALSE(fenster->overlayDraw) << "the box left the window";
  box.SetProzent(0.5);  // after closing: nothing happens
  EXPECT_FALSE(box.Offen());
}

// --- Menus -----------------------------------------------------------------------------------

class RecordingDateidialoge : public Dateidialoge {
 public:
  void DoMixLoadDlg(platform::Window*) override { aufrufe.push_back("load"); }
  void DoMixSaveDlg(platform::Window*) override { aufrufe.push_back("save"); }
  void DoWaveExportDlg(platform::Window*) override { aufrufe.push_back("export"); }
  void DoWaveImportDlg(platform::Window*, int flag) override { aufrufe.push_back("import " + std::to_string(flag)); }
  std::vector<std::string> aufrufe;
};

class MenueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.Hinzufuegen("DISK_LOAD", "Laden");
    disk.Hinzufuegen("DISK_SAVE", "Speichern");
    disk.Hinzufuegen("DISK_IMPORT", "Importieren");
    disk.Hinzufuegen("DISK_EXPORT", "Exportieren");
    m.aktionen.mixOeffnen = [this] { log.push_back("oeffnen"); };
    m.aktionen.mixSpeichern = [this] { log.push_back("speichern"); };
    m.aktionen.importieren = [this](int f) { log.push_back("import " + std::to_string(f)); };
    m.aktionen.exportieren = [this] { log.push_back("export"); };
    m.aktionen.sortieren = [this](int16_t s) { log.push_back("sort " + std::to_string(s)); };
    m.aktionen.umbenennen = [this] { log.push_back("name"); };
    m.aktionen.loeschen = [this] { log.push_back("loeschen"); };
    m.aktionen.zeigeWindow = [this] { log.push_back("vorne"); };
    m.dateidialoge = &dateien;
  }

  static std::vector<std::string> Texte(const std::vector<platform::MenuItem>& items) {
    std::vector<std::string> t;
    for (const auto& i : items) t.push_back(i.separator ? "-" : i.text + (i.checked ? "*" : ""));
    return t;
  }

  text::Texte texte = Textbeispiel();
  text::DiskMenue disk;
  platform::ScriptedDialogs host;
  RecordingDateidialoge dateien;
  Menuefenster m{host, texte, disk};
  std::vector<std::string> log;
};

TEST_F(MenueTest, DiskMenuBuiltTwiceStillHasFourItems) {
  m.PendingDialog = WaveExportDialog;
  EXPECT_EQ(m.DiskMenue(1, 10, 20), -1) << "dismissed";
  EXPECT_EQ(m.PendingDialog, KeinDialog);
  host.QueueMenuChoice(3);
  EXPECT_EQ(m.DiskMenue(1, 10, 20), 2);
  const std::vector<std::string> vier{"Laden", "Speichern", "Importieren", "Exportieren"};
  EXPECT_EQ(Texte(m.DiskEintraege()), vier);
  ASSERT_EQ(host.Shown().size(), 2u);
  EXPECT_EQ(Texte(host.Shown()[1].menu), vier);
  EXPECT_EQ(log, std::vector<std::string>{"import 1"});
  for (int id : {1, 2, 4}) host.QueueMenuChoice(id);
  for (int i = 0; i < 3; ++i) m.DiskMenue(1, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"import 1", "oeffnen", "speichern", "export"}));
  EXPECT_EQ(m.DiskEintraege().size(), 4u);
}

TEST_F(MenueTest, SortEntriesMoveTheCheckMarkAndOwnSamplesGetRenameAndDelete) {
  EXPECT_EQ(Texte(m.SampleEintraege(false, false)), (std::vector<std::string>{"T106*", "T107", "T108", "T121"}));
  host.QueueMenuChoice(KontextSortHarm);
  EXPECT_EQ(m.SampleMenue(5, 5, false, false), KontextSortHarm);
  EXPECT_EQ(m.Sortiermodus, sortharm);
  EXPECT_EQ(Texte(m.SampleEintraege(true, false)),
            (std::vector<std::string>{"T106", "T107", "T108*", "T121", "-", "T109", "T110"}));
  EXPECT_EQ(Texte(m.SampleEintraege(true, true)).back(), "T163") << "a long name or a recording";
  host.QueueMenuChoice(KontextName);
  host.QueueMenuChoice(KontextLoeschen);
  m.SampleMenue(5, 5, true, false);
  m.SampleMenue(5, 5, true, false);
  EXPECT_EQ(log, (std::vector<std::string>{"sort 4", "name", "loeschen"}));
}

TEST_F(MenueTest, LoadingWithAPendingDialogOpensItAndClearsIt) {
  m.DialogOeffnen(MixLadenDialog);
  m.DialogOeffnen(WaveImportDialog, true);
  m.DialogOeffnen(WaveImportDialog, false);
  m.PendingDialog = MixSpeichernDialog;
  m.Laden();
  m.DialogOeffnen(WaveExportDialog);
  m.Laden();  // nothing pending: no dialog
  EXPECT_EQ(dateien.aufrufe, (std::vector<std::string>{"load", "import 1", "import 0", "save", "export"}));
  EXPECT_EQ(m.PendingDialog, KeinDialog);
  EXPECT_FALSE(m.ExternerDialog);
  EXPECT_EQ(std::count(log.begin(), log.end(), "vorne"), 6) << "the main window comes to the front each time";
}

TEST_F(MenueTest, GeneratorMenuShowsItsPresetsAndTheTestEntry) {
  m.Generatormenues[1].text = "Drums";
  m.Generatormenues[1].sub = {{7, "Kick", false, true, false, {}}, {8, "Snare", false, true, false, {}}};
  host.QueueMenuChoice(8);
  EXPECT_EQ(m.GeneratorMenue(1, 0, 0), 8);
  EXPECT_EQ(Texte(host.Shown().back().menu), (std::vector<std::string>{"Kick", "Snare"}));
  m.Testeintrag = {99, "Test", false, true, false, {}};
  m.GeneratorMenue(1, 0, 0);
  EXPECT_EQ(Texte(host.Shown().back().menu), (std::vector<std::string>{"Kick", "Snare", "-", "Test"}));
  EXPECT_EQ(m.GeneratorMenue(7, 0, 0), 0);
}

}  // namespace
}  // namespace zelo::dialogs
