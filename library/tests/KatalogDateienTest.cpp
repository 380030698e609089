#include "library/KatalogDateien.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "tests/support/TestEnv.h"

namespace zelo::library {
namespace {

std::string Kopf(const std::string& zeile3 = "#FALSE#") {
  return "\"/home/u/zelo/\"\r\n\"/home/u/zelo/start.mix\"\r\n" + zeile3 +
         "\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"x\"\r\n\"\"\r\n\"[SAMPLES]\"\r\n";
}

std::string Record(int nr, int ort, int gruppe, const std::string& name = "Kick", int offset = 4096) {
  return std::to_string(nr) + "\r\n" + std::to_string(ort) + "\r\n\"\"\r\n" + std::to_string(offset) +
         "\r\n302400\r\n\"" + name + "\"\r\n\"1 bar\"\r\n1\r\n" + std::to_string(gruppe) + "\r\n\"\"\r\n0\r\n\"\"\r\n";
}

void Fuellen(Katalog& k, int n, int16_t ort, const std::string& datei = "") {
  auto i = static_cast<size_t>(n);
  k.SampleOrt[i] = ort;
  k.SampleExtra[i] = "extra, with comma";
  k.SampleOffset[i] = 1000 + n;
  k.SampleGroesse[i] = 302400 * (n % 4 + 1);
  k.SampleName[i] = "Name " + std::to_string(n);
  k.SampleName2[i] = "";
  k.SampleTakte[i] = n % 4 + 1;
  k.SampleGruppe[i] = static_cast<int16_t>(n % 10 + 1);
  k.SampleDatei[i] = datei;
  k.SampleHerkunft[i] = static_cast<int16_t>(-n);
}

TEST(KatalogDateien, SavedCatalogueReadsBackFieldForField) {
  Katalog k;
  k.Kopf.Arbeitsordner() = "/home/u/zelo/";
  k.Kopf.Startmix() = "/media/zelo/demo.mix";
  k.Kopf.Hilfeabfrage = true;
  k.Kopf.Zeile[8] = "new/data/extra";
  for (int n : {1, 2, 999, 10200, 17100}) Fuellen(k, n, kOrtHauptcontainer);
  Fuellen(k, 10201, kOrtEigeneDatei, "/home/u/zelo/RECSAV/rec1.wav");
  std::string pfad = test::FreshHome() + "g_zelo.inf";
  ASSERT_TRUE(KatalogSpeichern(k, pfad));

  Katalog r;
  ASSERT_TRUE(KatalogLaden(r, pfad));
  EXPECT_EQ(r.Kopf.Zeile, k.Kopf.Zeile);
  EXPECT_TRUE(r.Kopf.Hilfeabfrage);
  for (int n = 0; n <= kHoechsteSampleNummer; ++n) {
    auto i = static_cast<size_t>(n);
    SCOPED_TRACE(n);
    ASSERT_EQ(r.SampleOrt[i], k.SampleOrt[i]);
    if (!k.Belegt(n)) continue;
    EXPECT_EQ(r.SampleExtra[i], k.SampleExtra[i]);
    // An own file's offset is its handle while open, so it comes back as 0.
    EXPECT_EQ(r.SampleOffset[i], k.SampleDatei[i].empty() ? k.SampleOffset[i] : 0);
    EXPECT_EQ(r.SampleGroesse[i], k.SampleGroesse[i]);
    EXPECT_EQ(r.SampleName[i], k.SampleName[i]);
    EXPECT_EQ(r.SampleName2[i], k.SampleName2[i]);
    EXPECT_EQ(r.SampleTakte[i], k.SampleTakte[i]);
    EXPECT_EQ(r.SampleGruppe[i], k.SampleGruppe[i]);
    EXPECT_EQ(r.SampleDatei[i], k.SampleDatei[i]);
    EXPECT_EQ(r.SampleHerkunft[i], k.SampleHerkunft[i]);
  }
}

TEST(KatalogDateien, WriterKeepsTheLineFormat) {
  Katalog k;
  Fuellen(k, 7, kOrtCache);
  k.SampleName[7] = "say \"hi\"\r\nnow";  // the format cannot carry quotes or line ends
  std::string text = KatalogAlsText(k);
  std::vector<std::string> zeilen = platform::SplitLines(text);
  ASSERT_EQ(zeilen.size(), static_cast<size_t>(kKopfzeilen + kRecordWerte));
  EXPECT_EQ(zeilen[2], "#FALSE#");
  EXPECT_EQ(zeilen[12], "\"\"");
  EXPECT_EQ(zeilen[13], "\"[SAMPLES]\"");
  EXPECT_EQ(zeilen[14], "7");
  EXPECT_EQ(zeilen[19], "\"say 'hi'  now\"");
  EXPECT_EQ(zeilen[25], "\"\"");
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(KatalogDateien, SavingReplacesTheFileWithoutLeavingTemporaries) {
  std::string ordner = test::FreshHome() + "sys/";
  std::filesystem::create_directories(ordner);
  Katalog k;
  Fuellen(k, 5, kOrtHauptcontainer);
  ASSERT_TRUE(KatalogSpeichern(k, ordner + "g_zelo.inf"));
  k.SampleName[5] = "Renamed";
  ASSERT_TRUE(KatalogSpeichern(k, ordner + "g_zelo.inf"));
  int dateien = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(ordner)) ++dateien;
  EXPECT_EQ(dateien, 1);
  Katalog r;
  KatalogLaden(r, ordner + "g_zelo.inf");
  EXPECT_EQ(r.SampleName[5], "Renamed");
  EXPECT_FALSE(KatalogSpeichern(k, ordner + "no/such/folder/g_zelo.inf"));
}

TEST(KatalogDateien, HeaderLinesOnlyReplaceWhatTheFileGives) {
  struct Fall {
    std::string zeile3;
    bool vorher;
    bool erwartet;
  };
  for (const Fall& f : std::vector<Fall>{{"#TRUE#", false, true},
                                         {"#FALSE#", true, false},
                                         {"#false#", true, false},
                                         {"yes", true, true},
                                         {"", false, false}}) {
    Katalog k;
    k.Kopf.Hilfeabfrage = f.vorher;
    k.Kopf.Zeile[8] = "kept";
    k.Kopf.Zeile[9] = "replaced";
    KatalogAusText(k, Kopf(f.zeile3));
    EXPECT_EQ(k.Kopf.Hilfeabfrage, f.erwartet) << f.zeile3;
    EXPECT_EQ(k.Kopf.Arbeitsordner(), "/home/u/zelo/");
    EXPECT_EQ(k.Kopf.Zeile[4], "a");
    EXPECT_EQ(k.Kopf.Zeile[8], "kept");  // empty in the file
    EXPECT_EQ(k.Kopf.Zeile[12], "x");
  }
}

TEST(KatalogDateien, RecordsMergeOverMemoryAndBadNumbersAreSkipped) {
  Katalog k;
  Fuellen(k, 3, kOrtCache);
  KatalogAusText(k, Kopf() + Record(17101, 6, 1) + Record(-1, 6, 1) + Record(4, 6, 2, "Snare") +
                        "5,6,\"\",abc,302400,\"Hat\",\"two, three\",1,2,\"\",0,\"\"\r\n");
  EXPECT_EQ(k.SampleName[3], "Name 3");  // not in the file, not cleared
  EXPECT_EQ(k.SampleName[4], "Snare");
  EXPECT_EQ(k.SampleOrt[4], kOrtHauptcontainer);
  EXPECT_EQ(k.SampleOffset[5], 0);  // non-numeric reads as 0
  EXPECT_EQ(k.SampleName2[5], "two, three");
  EXPECT_EQ(k.SampleTakte[5], 1);
}

TEST(KatalogDateien, ContainerGroupsAreMappedOneStepOnly) {
  const std::vector<std::pair<int, int>> faelle = {{1, 1}, {2, 2}, {3, 3}, {4, 8}, {5, 5}, {6, 4},
                                                  {7, 6}, {8, 6}, {9, 7}, {10, 8}, {11, 11}, {13, 13}};
  std::string text = Kopf();
  for (size_t i = 0; i < faelle.size(); ++i) text += Record(static_cast<int>(100 + i), 3, faelle[i].first);
  Katalog k;
  FremdkatalogAusText(k, text);
  for (size_t i = 0; i < faelle.size(); ++i) EXPECT_EQ(k.SampleGruppe[100 + i], faelle[i].second) << faelle[i].first;
  EXPECT_TRUE(k.Kopf.Arbeitsordner().empty());  // the header is not taken
}

TEST(KatalogDateien, SiblingTakesOnlyItsCachedSamples) {
  Katalog k;
  Fuellen(k, 20, kOrtHauptcontainer);
  PartnerkatalogAusText(k, Kopf() + Record(10, 2, 14, "Loop") + Record(11, 2, 6) + Record(20, 6, 1, "Other") +
                               Record(0, 3, 1, "Scratch"));
  EXPECT_EQ(k.SampleOrt[10], kOrtPartnerCache);
  EXPECT_EQ(k.SampleName[10], "Loop[E2]");
  EXPECT_EQ(k.SampleGruppe[10], kGruppeDrum);
  EXPECT_EQ(k.SampleGruppe[11], kGruppeLayer);
  EXPECT_EQ(k.SampleName[20], "Name 20");  // location 6 in the sibling changes nothing
  EXPECT_TRUE(k.SampleName[0].empty());
  EXPECT_EQ(k.SampleGroesse[0], 0);
}

TEST(KatalogDateien, ReadersSurviveDamagedFiles) {
  const std::string gut = Kopf() + Record(1, 6, 1) + Record(2, 6, 2);
  std::vector<std::string> faelle = {"", "\"", "\r\n\r\n,,,,", gut.substr(0, gut.size() / 2),
                                     gut.substr(0, gut.size() - 20), std::string(5000, ','),
                                     std::string("\0\xff\"\x1a", 4) + gut};
  for (size_t schnitt = 0; schnitt < gut.size(); schnitt += 7) faelle.push_back(gut.substr(0, schnitt));
  for (const auto& text : faelle) {
    Katalog k;
    KatalogAusText(k, text);
    FremdkatalogAusText(k, text);
    PartnerkatalogAusText(k, text);
    VorladelisteAusText(text);
    // A record cut off before its last field never fills a slot half-way.
    if (k.Belegt(2)) {
      EXPECT_EQ(k.SampleGruppe[2], 2);
    }
  }
  Katalog k;
  KatalogAusText(k, gut.substr(0, gut.rfind("\"\"\r\n0") + 2));
  EXPECT_TRUE(k.Belegt(1));
  EXPECT_FALSE(k.Belegt(2));
  EXPECT_FALSE(KatalogLaden(k, test::FreshHome() + "missing.inf"));
}

TEST(KatalogDateien, PrecacheListEndsAtTheFirstNumberBelowOne) {
  struct Fall {
    std::string text;
    std::vector<int16_t> erwartet;
  };
  for (const Fall& f : std::vector<Fall>{{"5\r\n3\r\n9\r\n", {5, 3, 9}},
                                         {"5\n0\n9\n", {5}},
                                         {"5\r\n-2\r\n9", {5}},
                                         {"7\r\nabc\r\n9", {7}},
                                         {"4\r\n20000\r\n6\r\n", {4, 6}},
                                         {"", {}}}) {
    EXPECT_EQ(VorladelisteAusText(f.text), f.erwartet) << f.text;
  }
  std::string lang;
  for (int i = 0; i < 5000; ++i) lang += "12\r\n";
  EXPECT_EQ(VorladelisteAusText(lang).size(), static_cast<size_t>(kVorladelisteMax));
  EXPECT_TRUE(VorladelisteLaden(test::FreshHome() + "inst.txt").empty());
}

TEST(Katalog, WidthsFollowBarsAndRangesAreFixed) {
  Katalog k;
  k.SampleTakte[1] = 4;
  k.SampleTakte[2] = 1 << 30;
  k.BreitenBerechnen(16);
  EXPECT_EQ(k.SampleBreite[1], 64);
  EXPECT_EQ(k.SampleBreite[2], INT32_MAX);
  auto b = SampleBereichAnlegen();
  EXPECT_EQ(b[1].Erste, 10200);
  EXPECT_EQ(b[14].Letzte, 5699);
  EXPECT_EQ(b[15].Erste, 5800);
  EXPECT_EQ(b[5].Letzte, 0);
}

}  // namespace
}  // namespace zelo::library
