// The readers of "fonts", "pkonst", "e2inf" and the language file, with the loader messages.
#include <gtest/gtest.h>

#include <map>

#include "pages/Objekte.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tests/support/TestEnv.h"
#include "text/Leser.h"
#include "text/Textindex.h"

namespace zelo::text {
namespace {

std::vector<std::string> Meldungen(const platform::ScriptedDialogs& d) {
  std::vector<std::string> out;
  for (const auto& s : d.Shown()) {
    EXPECT_EQ(s.message.title, "");
    EXPECT_EQ(s.message.buttons, platform::Buttons::OK);
    out.push_back(s.message.prompt);
  }
  return out;
}

TEST(Leser, ElementLinesDropCommentsAndLookUpBracketedNames) {
  Konstanten k;
  k.Hinzufuegen("Play", "37");
  platform::ScriptedDialogs d;
  platform::LineSource quelle(
      "  Arial  (font of role 0)\r\n"
      "\r\n"
      "   (a comment only)\r\n"
      "PLAY ([element])\n"
      "Missing ([element])\r\n"
      "tail");
  struct Erwartet {
    const char* text;
    std::optional<int> nummer;
  } erwartet[] = {{"Arial", std::nullopt}, {"PLAY", 37}, {"Missing", std::nullopt}, {"tail", std::nullopt}};
  Elementzeile z;
  for (const auto& e : erwartet) {
    ASSERT_TRUE(ElementzeileLesen(quelle, k, d, z));
    EXPECT_EQ(z.Text, e.text);
    EXPECT_EQ(z.Nummer, e.nummer) << e.text;
  }
  EXPECT_FALSE(ElementzeileLesen(quelle, k, d, z));
  EXPECT_EQ(Meldungen(d),
            std::vector<std::string>{"Eintrag in Seitendatei: Missing kann nicht in pkonst gefunden werden"});
}

TEST(Leser, FontsFillRolesColumnByColumn) {
  std::string datei = "Arial (role 0, 640)\r\nbold\r\n8.5\r\n1\r\n-2\r\n7\r\n\r\nTimes\r\nnormal\r\n12\r\n0\r\n0\r\n0\r\n";
  for (int i = 2; i < 11; ++i) datei += "Font" + std::to_string(i) + "\r\nBOLD\r\n10\r\n0\r\n0\r\n0\r\n";
  datei += "Partial\r\nbold\r\n";  // the file ends inside a record
  Fonttabelle fonts;
  platform::ScriptedDialogs d;
  FontsLesen(datei, Konstanten{}, d, fonts);
  EXPECT_EQ(fonts[0][0].Name, "Arial");
  EXPECT_TRUE(fonts[0][0].Fett);
  EXPECT_EQ(fonts[0][0].Groesse, 8);  // 8.5 rounds to the even 8
  EXPECT_EQ(fonts[0][0].XVersatz, 1);
  EXPECT_EQ(fonts[0][0].YVersatz, -2);
  EXPECT_EQ(fonts[0][0].Extra, 7);
  EXPECT_EQ(fonts[0][1].Name, "Times");
  EXPECT_FALSE(fonts[0][1].Fett);
  EXPECT_EQ(fonts[0][9].Name, "Font9");
  EXPECT_EQ(fonts[1][0].Name, "Font10");
  EXPECT_EQ(fonts[1][1].Name, "Partial");
  EXPECT_TRUE(d.Shown().empty());
}

TEST(Leser, PkonstSetsBothDirectionsAndReportsPairsOutOfStep) {
  pages::Objekte objekte;
  Konstanten k;
  platform::ScriptedDialogs d;
  PkonstLesen("Play\r\n37\r\nStop\r\n 35 \r\n12\r\n40\r\nPLAY\r\n99\r\nFar\r\n900\r\n5\r\n6\r\nLast", k, objekte, d);
  EXPECT_EQ(k.Nummer("play"), "37");
  EXPECT_EQ(k.Name("35"), "Stop");
  EXPECT_EQ(objekte[37].Name, "Play");
  EXPECT_EQ(objekte[99].Name, "PLAY");  // the element gets its name even when the name was known
  EXPECT_EQ(k.Hoechste, 900);
  EXPECT_EQ(objekte[35].Name, "Stop");
  EXPECT_FALSE(k.Nummer("Last"));  // a name without its number line is not a pair
  EXPECT_EQ(objekte[0].Name, "");
  // "12" where a name belongs is reported once; "5" is no higher than 10 and passes.
  EXPECT_EQ(Meldungen(d), std::vector<std::string>{"Fehler in pkonst: 12 35"});
}

TEST(Leser, E2infKeepsTheFirstNumberOfAName) {
  Textnummern n;
  E2infLesen("\"M_Quit\",61\r\nM_TITLE, 2.0\r\n\"m_quit\",62\r\nM_BAD,x\r\nM_ALONE", n);
  EXPECT_EQ(n.Nummer("M_QUIT"), 61);
  EXPECT_EQ(n.Nummer("m_title"), 2);
  EXPECT_FALSE(n.Nummer("M_BAD"));
  EXPECT_FALSE(n.Nummer("M_ALONE"));
}

TEST(Leser, LanguageFileTextsWithPartSplitting) {
  Textnummern n;
  E2infLesen("M_PLAIN,10\r\nM_THREE,20\r\nM_TWO,30\r\nM_INST,74\r\nM_PROD,40\r\nM_PROD2,41\r\n"
             "M_LINES,50\r\nDISK_LOAD,60\r\nDLG_X,70\r\nH_PLAY,80\r\nM_EDGE,1290\r\nM_TOOBIG,1291\r\n"
             "M_TWICE,90\r\nFIRST,95\r\n",
             n);
  const std::string datei =
      "FIRST\r\nfirst line of the file is a key\r\n"
      "M_PLAIN\r\nplain text\r\n"
      "M_THREE\r\nA##x##B##y## C\r\n"
      "M_TWO\r\nA##x## B\r\n"
      "M_INST\r\nsetup##1##again##2## later\r\n"
      "M_PROD\r\n##PRODUCT##Zelo\r\n"
      "m_prod2\r\nMein ##product## Text\r\n"
      "M_LINES\r\n  one  \r\n  two  \r\n"
      "DISK_LOAD\r\nLoad\r\n"
      "DLG_X\r\nnot a text\r\n"
      "H_PLAY\r\nnot a text either\r\n"
      "M_EDGE\r\nlast##a##beyond\r\n"
      "M_TOOBIG\r\nnever stored\r\n"
      "M_UNKNOWN\r\nno number\r\n"
      "M_TWICE\r\nold\r\n"
      "M_TWICE\r\nnew";
  Texte t;
  SprachdateiTexte(datei, n, t);
  const std::map<int, std::string> erwartet = {
      {95, "first line of the file is a key"},
      {10, "plain text"},
      {20, "A"}, {21, "B"}, {22, "C"},
      {30, "A"}, {31, "B"},
      {74, "setup"}, {75, "later"}, {100, "again"},
      {40, "Zelo"}, {41, "uct## Text"},
      {50, "  one  \r\n  two  "},
      {60, "Load"},
      {70, ""}, {80, ""},
      {1290, "last"},
      {90, "new"},
  };
  for (const auto& [i, text] : erwartet) EXPECT_EQ(t[i], text) << "text " << i;
  EXPECT_EQ(t[76], "");
}

TEST(Leser, LanguageFileForLadenFillsHelpDiskMenuAndDialogKeys) {
  pages::Objekte objekte;
  objekte[37].Name = "H_Play";
  objekte[38].Name = "h_play";
  const std::string datei =
      "H_PLAY (help of the play button)  \r\n  Plays  \r\n  the mix  \r\n"
      "DISK_LOAD\r\nLoad mix\r\n"
      "DLG_LI_FILEFILTER\r\nSounds (*.zub, *.wav)|*.zub;*.wav|Old (*.zub,*.wav)|*.zub;*.wav\r\n"
      "DLG_SE_FILEFILTER\r\nWave (*.WAV)|*.wav\r\n"
      "DLG_OTHER\r\n(*.wav)|*.wav\r\n"
      "M_IGNORED\r\ntext\r\n";
  const std::string li = "Sounds (*.zub, *.wav, *.mp3)|*.zub;*.wav;*.mp3|Old (*.zub, *.wav, *.mp3)|*.zub;*.wav;*.mp3";
  const std::string se =
      "Wave (*.wav)|*.wav|MP3 HighQuality 256kbit/s|*.ma3|MP3 Normal-Quality 128kbit/s|*.mb3|"
      "MP3 Half-Quality 64kbit/s|*.mc3|MP3 Low-Quality 32kbit/s|*.md3";
  struct Fall {
    bool mp3;
    std::map<std::string, std::string> schluessel;
  } faelle[] = {
      {true, {{"DLG_LI_FILEFILTER", li}, {"DLG_SE_FILEFILTER", se}, {"DLG_OTHER", "(*.wav)|*.wav"}}},
      {false,
       {{"DLG_LI_FILEFILTER", "Sounds (*.zub, *.wav)|*.zub;*.wav|Old (*.zub,*.wav)|*.zub;*.wav"},
        {"DLG_SE_FILEFILTER", "Wave (*.WAV)|*.wav"},
        {"DLG_OTHER", "(*.wav)|*.wav"}}},
  };
  for (const auto& f : faelle) {
    DiskMenue disk;
    std::map<std::string, std::string> gesehen;
    SprachdateiLaden(datei, objekte, disk, f.mp3,
                     [&](const std::string& k, const std::string& t) { gesehen[k] = t; });
    EXPECT_EQ(gesehen, f.schluessel) << "mp3 " << f.mp3;
    EXPECT_EQ(disk.DiskText("disk_load"), "Load mix");
    EXPECT_EQ(disk.Anzahl(), 1u);
  }
  // The first line stays as it is; each added line trims the whole text.
  EXPECT_EQ(objekte[37].Text, "Plays  \r\n  the mix");
  EXPECT_EQ(objekte[38].Text, objekte[37].Text);
}

TEST(Leser, FirstStageReadsTheAlternateFolderFirst) {
  const std::string home = zelo::test::FreshHome();
  zelo::test::WriteFile(home + "alt/e2inf", "M_A,5\r\n");
  zelo::test::WriteFile(home + "data/e2inf", "M_A,6\r\n");
  zelo::test::WriteFile(home + "data/f_zelo2", "M_A\r\nfrom data\r\n");
  Textnummern n;
  Texte t;
  TexteLesen(home + "alt/", home + "data/", n, t);
  EXPECT_EQ(t[2], "Zelo");
  EXPECT_EQ(t[5], "from data");
  EXPECT_EQ(t[6], "");
}

TEST(Leser, ShippedTextFilesReadCleanlyAndHoldEveryText) {
  const std::string daten = zelo::test::MediumDataFolder();
  if (daten.empty() || !platform::FileExists(daten + "f_zelo2")) GTEST_SKIP() << "no medium built";
  auto datei = [&](const char* name) { return platform::ReadWholeFile(daten + name).value_or(""); };
  Textnummern n;
  Texte t;
  TexteLesen(daten, daten, n, t);
  for (int16_t i : kTextindexe) EXPECT_FALSE(t[i].empty()) << "text " << i;

  platform::ScriptedDialogs d;
  pages::Objekte objekte;
  Konstanten k;
  PkonstLesen(datei("pkonst"), k, objekte, d);
  Fonttabelle fonts;
  FontsLesen(datei("fonts"), k, d, fonts);
  EXPECT_TRUE(d.Shown().empty()) << d.Shown().front().message.prompt;
  EXPECT_GT(k.Hoechste, 0);
  for (int aufloesung = 0; aufloesung < 10; ++aufloesung)
    for (int rolle : {0, 1, 2, 3, 4, 6, 9, 10})
      EXPECT_FALSE(fonts[rolle][aufloesung].Name.empty()) << "role " << rolle << " column " << aufloesung;

  DiskMenue disk;
  int schluessel = 0;
  SprachdateiLaden(datei("f_zelo2"), objekte, disk, true, [&](const std::string&, const std::string&) { ++schluessel; });
  for (const char* key : {"DISK_LOAD", "DISK_SAVE", "DISK_IMPORT", "DISK_EXPORT"})
    EXPECT_FALSE(disk.DiskText(key).empty()) << key;
  EXPECT_GT(schluessel, 0);
}

}  // namespace
}  // namespace zelo::text
