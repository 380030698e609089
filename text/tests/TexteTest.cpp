// The tables and helpers of the text subsystem.
#include <gtest/gtest.h>

#include "text/Texte.h"

namespace zelo::text {
namespace {

TEST(Texte, ErsetzeReplacesEveryOccurrenceWithoutCase) {
  struct Fall {
    const char* text;
    const char* suche;
    const char* ersatz;
    const char* ergebnis;
  } faelle[] = {
      {"aXaX", "x", "YYY", "aYYYaYYY"},  // longer replacements still reach the end of the text
      {"(*.WAV)|*.wav", "(*.wav)|*.wav", "(*.wav)|*.wav|more", "(*.wav)|*.wav|more"},
      {"abab", "ab", "", ""},
      {"aaa", "aa", "b", "ba"},
      {"none", "x", "y", "none"},
      {"keep", "", "y", "keep"},
  };
  for (const auto& f : faelle) EXPECT_EQ(Ersetze(f.text, f.suche, f.ersatz), f.ergebnis) << f.text;
}

TEST(Texte, NumbersReadAsTheContentFilesWriteThem) {
  EXPECT_EQ(Zahlwert(" 12abc"), 12.0);
  EXPECT_EQ(Zahlwert("7.5"), 7.5);
  EXPECT_EQ(Zahlwert("Play"), 0.0);
  EXPECT_EQ(Zahlwert(""), 0.0);
  EXPECT_EQ(Ganzzahl(2.5), 2);
  EXPECT_EQ(Ganzzahl(3.5), 4);
  EXPECT_EQ(Ganzzahl(-0.5), 0);
  EXPECT_FALSE(Ganzzahl(1e300));
}

TEST(Texte, TablesIgnoreCaseAndKeepTheirFirstEntries) {
  Texte t;
  EXPECT_FALSE(t.Setzen(1291, "x"));
  EXPECT_FALSE(t.Setzen(-1, "x"));
  EXPECT_TRUE(t.Setzen(1290, "last"));
  EXPECT_EQ(t[1290], "last");
  EXPECT_EQ(t[5000], "");

  Konstanten k;
  k.Hinzufuegen("Play", "37");
  k.Hinzufuegen("PLAY", "38");
  EXPECT_EQ(k.Nummer("play"), "37");
  EXPECT_EQ(k.Name("37"), "Play");
  EXPECT_FALSE(k.Nummer("stop"));

  Textnummern n;
  n.Hinzufuegen("M_Quit", 61);
  n.Hinzufuegen("m_quit", 62);
  EXPECT_EQ(n.Nummer("M_QUIT"), 61);

  DiskMenue d;
  for (int i = 0; i < 205; ++i) d.Hinzufuegen(std::string("DISK_").append(std::to_string(i)), std::to_string(i));
  EXPECT_EQ(d.Anzahl(), DiskMenue::kPlaetze);
  EXPECT_EQ(d.DiskText("disk_200"), "200");
  EXPECT_EQ(d.DiskText("DISK_201"), "");
}

TEST(Texte, Mp3IsThereWhenBothLibrariesStart) {
#ifdef ZELO_HAVE_MP3
  EXPECT_TRUE(Mp3Pruefen());
#else
  EXPECT_FALSE(Mp3Pruefen());
#endif
}

}  // namespace
}  // namespace zelo::text
