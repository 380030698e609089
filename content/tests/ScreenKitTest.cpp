// The screen kit as the program reads it: texts, element names, pages, coordinates and pictures
// at all five layouts, checked on the medium the build generated.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "content/screen/Layout.h"
#include "content/screen/TextTable.h"
#include "pages/Objekte.h"
#include "platform/Dialogs.h"
#include "tests/support/TestEnv.h"
#include "text/Leser.h"

namespace zelo::content {
namespace {

std::string Data() { return test::MediumDataFolder(); }

bool KitPresent() { return !Data().empty() && std::filesystem::exists(Data() + "seiten"); }

#define REQUIRE_KIT() \
  if (!KitPresent()) GTEST_SKIP() << "the build made no content kit (ZELO_BUILD_CONTENT=OFF)"

std::vector<std::string> FileLines(const std::string& path) {
  std::vector<std::string> out;
  std::stringstream in(test::ReadFile(path));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

/// The element-line rule: the text before any "(" trimmed; empty lines skipped.
std::vector<std::string> ElementLines(const std::string& path) {
  std::vector<std::string> out;
  for (auto& l : FileLines(path)) {
    std::string t = Trim(l.substr(0, l.find('(')));
    if (!t.empty()) out.push_back(t);
  }
  return out;
}

TEST(ScreenKitTexts, EveryIndexTheProgramUsesHasItsText) {
  REQUIRE_KIT();
  text::Textnummern nummern;
  text::Texte texte;
  text::TexteLesen(Data(), Data(), nummern, texte);
  for (auto& t : TextTable()) EXPECT_EQ(texte[t.Index], t.Text) << "text " << t.Index;
  // Text 74 carries its neighbours 100 and 75.
  EXPECT_EQ(texte[74], kText74);
  EXPECT_EQ(texte[100], kText100);
  EXPECT_EQ(texte[75], kText75);
  EXPECT_NE(texte[191].find("140"), std::string::npos);
  EXPECT_NE(texte[192].find("140"), std::string::npos);
}

TEST(ScreenKitTexts, DiskMenuDialogKeysAndHelpAreasAreFilled) {
  REQUIRE_KIT();
  std::string datei = test::ReadFile(Data() + "f_zelo2");
  for (bool mp3 : {false, true}) {
    auto objekte = std::make_unique<pages::Objekte>();
    text::Konstanten k;
    platform::ScriptedDialogs dialoge;
    text::PkonstLesen(test::ReadFile(Data() + "pkonst"), k, *objekte, dialoge);
    text::DiskMenue disk;
    std::map<std::string, std::string> keys;
    text::SprachdateiLaden(datei, *objekte, disk, mp3, [&](const std::string& key, const std::string& t) { keys[key] = t; });
    for (auto* key : {"DISK_LOAD", "DISK_SAVE", "DISK_IMPORT", "DISK_EXPORT"}) EXPECT_FALSE(disk.DiskText(key).empty()) << key;
    if (mp3) {
      EXPECT_NE(keys["DLG_LI_FILEFILTER"].find("(*.zub, *.wav, *.mp3)|*.zub;*.wav;*.mp3"), std::string::npos);
      EXPECT_NE(keys["DLG_SE_FILEFILTER"].find("|*.md3"), std::string::npos);
    } else {
      EXPECT_NE(keys["DLG_LI_FILEFILTER"].find("(*.zub, *.wav)|*.zub;*.wav"), std::string::npos);
      EXPECT_NE(keys["DLG_SE_FILEFILTER"].find("(*.wav)|*.wav"), std::string::npos);
    }
    Layout l = ReadLayout(LayoutText());
    for (auto& e : l.Elemente) {
      if (e.Typ == "Help") {
        EXPECT_EQ((*objekte)[e.Nummer].Text, e.Get("help")) << e.Name;
      }
    }
    EXPECT_TRUE(dialoge.Shown().empty());
  }
}

TEST(ScreenKitTexts, NamesAndFontsLoadWithoutLoaderMessages) {
  REQUIRE_KIT();
  auto objekte = std::make_unique<pages::Objekte>();
  text::Konstanten k;
  platform::ScriptedDialogs dialoge;
  text::PkonstLesen(test::ReadFile(Data() + "pkonst"), k, *objekte, dialoge);
  text::Fonttabelle fonts{};
  text::FontsLesen(test::ReadFile(Data() + "fonts"), k, dialoge, fonts);
  EXPECT_TRUE(dialoge.Shown().empty());
  for (int role = 0; role < 13; ++role)
    for (int column = 0; column < 10; ++column) EXPECT_FALSE(fonts[role][column].Name.empty()) << role << "/" << column;
  Layout l = ReadLayout(LayoutText());
  for (auto& e : l.Elemente) EXPECT_EQ(k.Nummer(e.Name).value_or(""), std::to_string(e.Nummer)) << e.Name;
}

/// The page file read as the page engine does: page bits per element, kinds in order.
std::map<int, int> PageBits(const Layout& l) {
  std::map<std::string, int> bits{{":hauptbild", 1}, {":soundgruppen", 2}, {":drumpads", 4}, {":mixer", 8},
                                  {":timestretch", 16}, {":matrix", 32}, {":effect", 64}, {":intro", 128},
                                  {":splashscreen", 256}};
  std::map<std::string, int> numbers;
  for (auto& e : l.Elemente) numbers[e.Name] = e.Nummer;
  std::map<int, int> out;
  int bit = 0;
  auto lines = ElementLines(Data() + "seiten");
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string lower = lines[i];
    for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower[0] == ':') {
      EXPECT_TRUE(bits.count(lower)) << lines[i];
      bit = bits[lower];
    } else if (lines[i].size() > 1 && lines[i][1] == '_') {
      EXPECT_TRUE(numbers.count(lines[i])) << lines[i];
      out[numbers[lines[i]]] |= bit;
    }
  }
  return out;
}

/// Width and height of a PNG file from its header; (0, 0) when it is no PNG.
std::pair<int, int> PngSize(const std::string& path) {
  std::string b = test::ReadFile(path);
  if (b.size() < 24 || b.compare(1, 3, "PNG") != 0) return {0, 0};
  auto be = [&](size_t at) {
    return (static_cast<unsigned char>(b[at]) << 24) | (static_cast<unsigned char>(b[at + 1]) << 16) |
           (static_cast<unsigned char>(b[at + 2]) << 8) | static_cast<unsigned char>(b[at + 3]);
  };
  return {static_cast<int>(be(16)), static_cast<int>(be(20))};
}

TEST(ScreenKitPages, EveryElementHasItsRectangleAndImagesAtAllFiveLayouts) {
  REQUIRE_KIT();
  Layout l = ReadLayout(LayoutText());
  ASSERT_TRUE(l.Fehler.empty());
  auto bits = PageBits(l);
  for (auto& e : l.Elemente) {
    int want = 0;
    for (auto& p : e.Seiten) want |= l.Seite(p)->Bit;
    EXPECT_EQ(bits[e.Nummer], want) << e.Name;
  }
  for (auto& s : AllScales()) {
    SCOPED_TRACE(s.Koordinatendatei);
    auto lines = FileLines(Data() + s.Koordinatendatei);
    ASSERT_EQ(lines.size(), l.Elemente.size() * 11);
    std::string letter(1, s.Buchstabe);
    for (size_t b = 0; b < l.Elemente.size(); ++b) {
      const LayoutElement& e = l.Elemente[b];
      EXPECT_EQ(Trim(lines[b * 11].substr(0, lines[b * 11].find('('))), e.Name);
      int v[10];
      for (int i = 0; i < 10; ++i) v[i] = std::stoi(lines[b * 11 + 1 + static_cast<size_t>(i)]) * s.Skalierung / 40;
      if (e.Seiten.empty()) continue;
      EXPECT_GT(v[8], 0) << e.Name;
      EXPECT_GT(v[9], 0) << e.Name;
      EXPECT_LE(v[0] + v[8], s.Breite) << e.Name;
      EXPECT_LE(v[1] + v[9], s.Hoehe) << e.Name;
      // The picture the element's images come from, as the page engine chooses it.
      std::vector<std::string> pictures;
      if (QuelleVon(e) == Bildquelle::Mixerpanel) pictures = {"zelo13"};
      else if (QuelleVon(e) == Bildquelle::Stretchpanel) pictures = {"zelo14"};
      else
        for (auto& p : e.Seiten) {
          if (p == "groups") pictures.insert(pictures.end(), {"zelo11", "zelo18"});
          else if (p != "mixer" && p != "stretch") pictures.push_back(l.Seite(p)->Elemente);
        }
      for (auto& stem : pictures) {
        auto [w, h] = PngSize(Data() + s.Ordner + "/" + stem + letter + ".");
        ASSERT_GT(w, 0) << stem;
        for (int img = 0; img < 3; ++img) {
          int x = v[2 + 2 * img], y = v[3 + 2 * img];
          EXPECT_TRUE(x >= 0 && y >= 0 && x + v[8] <= w && y + v[9] <= h) << e.Name << " image " << img << " in " << stem;
        }
      }
    }
  }
}

TEST(ScreenKitPages, IntroSplashAndPanelPlaceholdersExist) {
  REQUIRE_KIT();
  auto bits = PageBits(ReadLayout(LayoutText()));
  int intro = 0, splash = 0;
  Layout l = ReadLayout(LayoutText());
  for (auto& e : l.Elemente) {
    if (e.Typ == "Special" && (bits[e.Nummer] & 128)) ++intro;
    if (e.Typ == "Special" && (bits[e.Nummer] & 256)) ++splash;
  }
  EXPECT_GE(intro, 1);
  EXPECT_GE(splash, 1);
  for (int n : {237, 307, 349, 75, 71, 73, 315, 316, 352, 59, 382, 674, 308, 309, 288, 699, 371, 98})
    EXPECT_NE(bits[n], 0) << n;
  for (int n = 742; n <= 759; ++n) EXPECT_EQ(bits[n], 32) << n;
}

TEST(ScreenKitPictures, StartInfoKnobCursorAndTextureFilesAreThere) {
  REQUIRE_KIT();
  EXPECT_GT(PngSize(Data() + "grafikb/zelo01b.").first, 0);
  for (auto& s : AllScales()) {
    std::string f = Data() + s.Ordner + "/", letter(1, s.Buchstabe);
    for (auto* stem : {"zelo22", "zelo34", "zelo35", "zelo50", "zelo10", "zelo12", "zelo15", "zelo17", "zelo40"})
      EXPECT_GT(PngSize(f + stem + letter + ".").first, 0) << f << stem;
    for (auto* knob : {"zelo60", "zelo61", "zelo62", "zelo63", "zelo64", "zelo65", "zelo66"})
      EXPECT_GT(PngSize(f + knob + std::string(1, static_cast<char>(s.Buchstabe - 'A' + 'a')) + ".").first, 0) << knob;
    EXPECT_EQ(PngSize(f + "erase.cur"), std::make_pair(32, 32));
    EXPECT_EQ(PngSize(f + "null.cur"), std::make_pair(32, 32));
  }
  SDL_Surface* t = SDL_LoadBMP((Data() + "texture.bmp").c_str());
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->w, 64);
  SDL_FreeSurface(t);
  EXPECT_EQ(FileLines(Data() + "flint2.pal").size(), 13u);  // a comment and 12 groups
}

/// Composes what the screen shows: a page background with its panel, as the page engine
/// draws them, into the build folder for looking at.
TEST(ScreenKitPictures, ScreenshotsOfEveryPage) {
  REQUIRE_KIT();
  std::string out = Data() + "../../../screenshots/";
  std::filesystem::create_directories(out);
  Layout l = ReadLayout(LayoutText());
  struct Shot { const char* name; const char* bg; const char* panel; int placeholder; };
  const Shot shots[] = {{"main", "zelo10", "zelo12", 349},   {"mixer", "zelo10", "zelo13", 237},
                        {"stretch", "zelo10", "zelo14", 307}, {"effect", "zelo17", "zelo12", 349},
                        {"matrix", "zelo15", nullptr, 0},      {"intro", "zelo40", nullptr, 0}};
  for (auto& s : AllScales()) {
    if (s.Breite != 640 && s.Breite != 1280) continue;
    std::string f = Data() + s.Ordner + "/", letter(1, s.Buchstabe);
    for (auto& shot : shots) {
      SDL_Surface* page = IMG_Load((f + shot.bg + letter + ".").c_str());
      ASSERT_NE(page, nullptr) << IMG_GetError();
      if (shot.panel) {
        SDL_Surface* panel = IMG_Load((f + shot.panel + letter + ".").c_str());
        ASSERT_NE(panel, nullptr);
        Rechteck p = LayoutRect(*l.Element(shot.placeholder), s);
        SDL_Rect src{0, 0, p.B, p.H}, dst{p.X, p.Y, p.B, p.H};
        SDL_BlitSurface(panel, &src, page, &dst);
        SDL_FreeSurface(panel);
      }
      std::string name = out + shot.name + "_" + std::to_string(s.Breite) + ".png";
      EXPECT_EQ(IMG_SavePNG(page, name.c_str()), 0);
      SDL_FreeSurface(page);
    }
  }
}

}  // namespace
}  // namespace zelo::content
