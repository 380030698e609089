#include "library/Zubs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "library/Container.h"
#include "library/KatalogDateien.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tests/support/TestEnv.h"
#include "text/Texte.h"

namespace zelo::library {
namespace {

std::string Zitiert(const std::vector<std::string>& zeilen) {
  std::string s;
  for (const auto& z : zeilen) s += "\"" + z + "\"\r\n";
  return s;
}

/// A file in state-file layout: header lines 1..12 as given (the rest empty), then records
/// {number, location, group, name, offset}.
struct Rec {
  int nr, ort, gruppe;
  std::string name;
  int offset = 4096;
};
std::string Katalogtext(std::vector<std::string> kopf, const std::vector<Rec>& recs) {
  kopf.resize(12);
  kopf[2] = "#FALSE#";
  std::string s;
  for (size_t i = 0; i < 12; ++i) s += i == 2 ? kopf[i] + "\r\n" : "\"" + kopf[i] + "\"\r\n";
  s += "\"\"\r\n\"[SAMPLES]\"\r\n";
  for (const Rec& r : recs)
    s += std::to_string(r.nr) + "\r\n" + std::to_string(r.ort) + "\r\n\"\"\r\n" + std::to_string(r.offset) +
         "\r\n302400\r\n\"" + r.name + "\"\r\n\"\"\r\n1\r\n" + std::to_string(r.gruppe) + "\r\n\"\"\r\n0\r\n\"\"\r\n";
  return s;
}

class ZubsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = test::FreshHome();
    o_.Systemordner = home_ + "sys/";
    o_.Quellordner = home_ + "medium/zelo/";
    o_.Datenordner = home_ + "medium/zelo/zelo/";
    o_.AlternativDatenordner = home_ + "prog/";
    platform::MakeFolders(o_.Systemordner);
    test::WriteFile(o_.Standardkatalog(), Katalogtext({}, {{1, 6, 1, "Loop"}, {2, 6, 3, "Bass"}}));
    texte_.Setzen(221, "incomplete");
    z_.dialoge = &dialoge_;
    z_.texte = &texte_;
  }
  void Laden(const std::string& modus = "aktiv") { LoadZubs(k_, z_, o_, modus); }
  bool ZustandGeschrieben() const { return platform::FileExists(o_.Zustandsdatei()); }
  /// A drum list of `anzahl` records whose first `vorhanden` files exist.
  void Drumliste(int anzahl, int vorhanden, const std::string& ordner) {
    std::string liste;
    for (int i = 0; i < anzahl; ++i) {
      liste += "\"d" + std::to_string(i) + ".zub\",x,\"drum\",1.5,\"Drum " + std::to_string(i) + "\",\"\"\r\n";
      if (i < vorhanden) test::WriteFile(ordner + "d" + std::to_string(i) + ".zub", "");
    }
    test::WriteFile(o_.Datenordner + kDrumliste, liste);
    test::WriteFile(o_.Systemordner + kDrumzeiger, Zitiert({ordner, ordner}));
  }
  static void Stempeln(const std::string& pfad, int sekunden) {
    std::filesystem::last_write_time(pfad, std::filesystem::file_time_type::clock::now() + std::chrono::seconds(sekunden));
  }

  std::string home_;
  Katalogorte o_;
  Katalog k_;
  Zubs z_;
  text::Texte texte_;
  platform::ScriptedDialogs dialoge_;
};

TEST_F(ZubsTest, FreshStartReadsTheDefaultCatalogueAndWritesNothingUnlessAStepMarksIt) {
  Laden();
  EXPECT_EQ(k_.SampleName[1], "Loop");
  EXPECT_EQ(k_.SampleOrt[2], kOrtHauptcontainer);
  EXPECT_FALSE(ZustandGeschrieben());

  // The installer never writes the state file, even when a step marked it.
  test::WriteFile(o_.Systemordner + kPartnerzeiger, Zitiert({home_ + "e2/"}));
  Laden("SETUP");
  EXPECT_FALSE(ZustandGeschrieben());
  Laden();
  EXPECT_TRUE(ZustandGeschrieben()) << "a sibling pointer file marks the state file";
}

TEST_F(ZubsTest, SiblingCacheAndContainerCataloguesMerge) {
  const std::string containerA = home_ + "extra/boxA";
  // The sibling's state file: its cached sample 5 comes over, its uncached sample 6 does not.
  std::vector<std::string> kopf(12);
  kopf[0] = home_ + "e2/";
  kopf[7] = "new" + containerA;
  test::WriteFile(o_.Systemordner + kPartnerzeiger,
                  Katalogtext(kopf, {{5, kOrtCache, 13, "Sib"}, {6, kOrtHauptcontainer, 1, "Other"}}));
  test::WriteFile(containerA + ".inf", Katalogtext({}, {{5100, 6, 4, "Fx A"}, {5101, 6, 9, "Fx B"}}));
  Laden();

  EXPECT_EQ(k_.SampleOrt[5], kOrtPartnerCache);
  EXPECT_EQ(k_.SampleName[5], "Sib[E2]");
  EXPECT_EQ(k_.SampleGruppe[5], kGruppeDrum) << "codes of 13 and more become drum";
  EXPECT_EQ(k_.SampleOrt[6], kOrtLeer);
  EXPECT_EQ(k_.SampleName[0], "") << "the scratch slot is reset";
  EXPECT_FALSE(k_.Kopf.Zeile[6].empty()) << "the sibling's stamp is kept";
  // Container A: the sibling's path arrives as "new" + path, its catalogue is read once and
  // the prefix goes; group 4 maps to 8 in one step.
  EXPECT_EQ(k_.Kopf.Zeile[8], containerA);
  EXPECT_EQ(k_.SampleGruppe[5100], kGruppeXtra);
  EXPECT_EQ(k_.SampleGruppe[5101], kGruppeEffect);

  Katalog gespeichert;
  ASSERT_TRUE(KatalogLaden(gespeichert, o_.Zustandsdatei()));
  EXPECT_EQ(gespeichert.SampleName[5], "Sib[E2]");
  EXPECT_EQ(gespeichert.Kopf.Zeile[8], containerA);

  // Next start with the same stamp: the sibling is not merged again.
  const std::string partner = o_.Systemordner + kPartnerzeiger;
  const auto stempel = std::filesystem::last_write_time(partner);
  test::WriteFile(partner, Katalogtext(kopf, {{5, kOrtCache, 13, "Changed"}}));
  std::filesystem::last_write_time(partner, stempel);
  Laden();
  EXPECT_EQ(k_.SampleName[5], "Sib[E2]");
  Stempeln(partner, 5);
  Laden();
  EXPECT_EQ(k_.SampleName[5], "Changed[E2]");
}

TEST_F(ZubsTest, DrumListFillsItsRangeAndClearsSlotsOfMissingFiles) {
  const std::string ordner = home_ + "drums/";
  Drumliste(4, 2, ordner);
  Laden();
  EXPECT_EQ(k_.SampleOrt[2000], kOrtEigeneDatei);
  EXPECT_EQ(k_.SampleDatei[2001], ordner + "d1.zub");
  EXPECT_EQ(k_.SampleTakte[2000], 2) << "1.5 bars round to even";
  EXPECT_EQ(k_.SampleGruppe[2000], kGruppeDrum);
  EXPECT_EQ(k_.SampleOrt[2002], kOrtLeer) << "missing file: slot cleared, next number still advances";
  EXPECT_EQ(k_.SampleOrt[2003], kOrtLeer);
  EXPECT_TRUE(ZustandGeschrieben());
  EXPECT_TRUE(dialoge_.Shown().empty());

  // The pointer file vanishes: the slots go at once, line 4 empties, and that alone writes nothing.
  const std::string vorher = test::ReadFile(o_.Zustandsdatei());
  std::filesystem::remove(o_.Systemordner + kDrumzeiger);
  Katalog k2;
  LoadZubs(k2, z_, o_, "aktiv");
  EXPECT_EQ(k2.SampleOrt[2000], kOrtLeer);
  EXPECT_EQ(k2.Kopf.Zeile[4], "");
  EXPECT_EQ(test::ReadFile(o_.Zustandsdatei()), vorher);
}

TEST_F(ZubsTest, DrumWarningShowsForAPartlyPresentFolder) {
  for (auto [vorhanden, warnt] : {std::pair{30, false}, {31, true}, {1249, true}, {1250, false}}) {
    SCOPED_TRACE(vorhanden);
    const std::string ordner = home_ + "d" + std::to_string(vorhanden) + "/";
    Drumliste(1300, vorhanden, ordner);
    platform::ScriptedDialogs d;
    z_.dialoge = &d;
    Katalog k;
    LoadZubs(k, z_, o_, "setup");
    ASSERT_EQ(d.Shown().size(), warnt ? 1u : 0u);
    if (warnt) {
      EXPECT_EQ(d.Shown()[0].message.prompt, "incomplete");
    }
  }
}

TEST_F(ZubsTest, KitsAreRecognisedByTheirNumbersAndRemovedWithTheirPointerFile) {
  std::array<std::string, 4> ordner;
  for (int kit = 1; kit <= 3; ++kit) {
    ordner[kit] = home_ + "kit" + std::to_string(kit) + "/";
    test::WriteFile(ordner[kit] + kKitliste, "\"01\\k.zub\",0,\"bass\",2,\"Kit" + std::to_string(kit) + "\",\"b\"\r\n");
    test::WriteFile(ordner[kit] + "01/k.zub", "");
  }
  auto kitdatei = [&](const std::string& kennung2, const std::string& pfad2) {
    test::WriteFile(o_.Systemordner + kKitzeiger,
                    Zitiert({"x", "y", "01 kit", "01" + ordner[1].substr(0, ordner[1].size() - 1), kennung2,
                             pfad2 + ordner[2].substr(0, ordner[2].size() - 1), "03",
                             "03" + ordner[3].substr(0, ordner[3].size() - 1)}));
  };
  kitdatei("02", "02");
  Laden();
  EXPECT_EQ(k_.SampleName[3400], "Kit1");
  EXPECT_EQ(k_.SampleName[3900], "Kit2");
  EXPECT_EQ(k_.SampleName[4500], "Kit3");
  EXPECT_EQ(k_.SampleDatei[3400], ordner[1] + "01/k.zub");

  // Entry "02" needs both lines to start with its number; a refused kit keeps its folder.
  kitdatei("02", "xx");
  Stempeln(o_.Systemordner + kKitzeiger, 5);
  Katalog k2;
  LoadZubs(k2, z_, o_, "aktiv");
  EXPECT_EQ(z_.Kitordner[2], ordner[2]);

  // The pointer file vanishes: every kit range is cleared and the state file says so at once.
  std::filesystem::remove(o_.Systemordner + kKitzeiger);
  Katalog k3;
  LoadZubs(k3, z_, o_, "aktiv");
  EXPECT_EQ(k3.SampleOrt[3400], kOrtLeer);
  EXPECT_EQ(k3.SampleOrt[4500], kOrtLeer);
  Katalog gespeichert;
  ASSERT_TRUE(KatalogLaden(gespeichert, o_.Zustandsdatei()));
  EXPECT_EQ(gespeichert.SampleOrt[3400], kOrtLeer);
  EXPECT_EQ(gespeichert.Kopf.Zeile[5], "");
}

TEST_F(ZubsTest, ListNamesCannotLeaveTheirFolder) {
  const std::string ordner = home_ + "kit/";
  test::WriteFile(home_ + "secret.zub", "");
  test::WriteFile(ordner + kKitliste, "\"..\\secret.zub\",0,\"bass\",1,\"a\",\"b\"\r\n\"/etc/passwd\",0,\"bass\",1,\"c\",\"d\"\r\n");
  int vorhanden = 0;
  SampleListeLaden(k_, ordner, "", 3400, 1, vorhanden);
  EXPECT_EQ(vorhanden, 0);
  EXPECT_EQ(k_.SampleOrt[3400], kOrtLeer);
  EXPECT_EQ(k_.SampleOrt[3401], kOrtLeer);
}

TEST_F(ZubsTest, PointerFilesOfTheInstallerKeepAnExistingFile) {
  ASSERT_TRUE(DrumzeigerAnlegen(o_.Systemordner, "/home/u/zelo/"));
  EXPECT_EQ(test::ReadFile(o_.Systemordner + kDrumzeiger), "\"/home/u/zelo/\"\r\n\"/home/u/zelo/\"\r\n");
  ASSERT_TRUE(DrumzeigerAnlegen(o_.Systemordner, "/other/"));
  EXPECT_EQ(test::ReadFile(o_.Systemordner + kDrumzeiger), "\"/home/u/zelo/\"\r\n\"/home/u/zelo/\"\r\n");
  ASSERT_TRUE(PartnerzeigerAnlegen(o_.Systemordner, "/home/u/e_zelo2/"));
  auto werte = platform::SplitValues(test::ReadFile(o_.Systemordner + kPartnerzeiger));
  ASSERT_EQ(werte.size(), 13u);
  EXPECT_EQ(werte[0], "/home/u/e_zelo2/");
}

}  // namespace
}  // namespace zelo::library
