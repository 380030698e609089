#pragma once
// The start-up merge of every catalogue source (`LoadZubs`): the state file or the medium's
// default catalogue, the sibling edition's cached samples, the drum-machine list and the three
// kits named by the pointer files of the system folder, the removal of lists that vanished, and
// the catalogues of containers A to C. Also the sample lists themselves (`SampleListeLaden`)
// and the pointer files as the installer writes them. UI thread only.

#include <array>
#include <functional>
#include <string>

#include "library/Katalog.h"

namespace zelo::platform {
class DialogHost;
}
namespace zelo::text {
class Texte;
}

namespace zelo::library {

/// The pointer files of the system folder.
inline constexpr const char* kDrumzeiger = "dmachine.inf";
inline constexpr const char* kKitzeiger = "mmachine.inf";
/// The drum-machine list (data folder) and the kit list (each kit folder).
inline constexpr const char* kDrumliste = "zub10";
inline constexpr const char* kKitliste = "kit.txt";
/// The stamp of a vanished pointer file in state-file lines 4 and 5.
inline constexpr const char* kWeg = "weg";

/// The folders the catalogue sources are found in (all end with "/").
struct Katalogorte {
  std::string Systemordner;           ///< state file and pointer files
  std::string Quellordner;            ///< root + "zelo/": "zub/flint20" and its catalogue
  std::string Datenordner;            ///< the drum-machine list
  std::string AlternativDatenordner;  ///< the drum-machine list when the data folder has none

  std::string Zustandsdatei() const { return Systemordner + "g_zelo.inf"; }
  std::string Hauptcontainer() const { return Quellordner + "zub/flint20"; }
  std::string Standardkatalog() const { return Hauptcontainer() + ".inf"; }
};

/// What the merge keeps between its runs, and what it shows.
struct Zubs {
  /// The drum-machine folder from "dmachine.inf"; empty when there is none.
  std::string Drumordner;
  /// Kit folders 1 to 3 from "mmachine.inf" (index 0 unused); each keeps its value when its
  /// entry is missing from the file.
  std::array<std::string, 4> Kitordner{};
  /// The drum-machine warning (texts 221, 222) goes here; none when null.
  platform::DialogHost* dialoge = nullptr;
  const text::Texte* texte = nullptr;
  /// The default pointer while the warning shows.
  std::function<void()> normalZeiger;
};

/// First sample number of the drum-machine list and of kits 1 to 3.
inline constexpr std::array<int, 4> kListenanfang{2000, 3400, 3900, 4500};
/// Last sample number of the drum-machine list and of kits 1 to 3.
inline constexpr std::array<int, 4> kListenende{3399, 3899, 4499, 5099};

/// Reads and merges every catalogue source; mode "aktiv" at start-up (writes the state file
/// when a step changed what it holds), "setup" in the installer (re-reads every list, never
/// writes the state file). The mode is compared without case.
void LoadZubs(Katalog& katalog, Zubs& zubs, const Katalogorte& orte, const std::string& modus);

/// Reads a drum-machine list (kit 0, file "zub10") or a kit list (kit 1 to 3, "kit.txt") into
/// consecutive slots from `erste`; each sample becomes an own file below `sampleordner`. The
/// list is `listenordner` + name, or `sampleordner` + name when `listenordner` is empty.
/// `vorhanden` counts the samples whose files exist (the caller resets it). The list stops at
/// the last sample number.
void SampleListeLaden(Katalog& katalog, const std::string& sampleordner, const std::string& listenordner,
                      int erste, int kit, int& vorhanden);

/// A file's modification stamp as the state file stores it ("dd.mm.yyyy hh:nn:ss"); empty
/// when the file does not exist.
std::string Dateistempel(const std::string& pfad);

/// The group code of a list's group word (compared exactly); 0 for an unknown word.
int16_t Gruppenwort(const std::string& wort);

/// The installer's pointer files: "dmachine.inf" naming the working folder twice, and
/// "e_zelo2.inf" naming the sibling's working folder and twelve empty lines. An existing file
/// of six bytes or more is left as it is. True when the file is in place afterwards.
bool DrumzeigerAnlegen(const std::string& systemordner, const std::string& arbeitsordner);
bool PartnerzeigerAnlegen(const std::string& systemordner, const std::string& partnerordner);

}  // namespace zelo::library
