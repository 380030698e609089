#pragma once
// The sample catalogue: one table of every sound the user can place, indexed by sample
// number 0 to 17100, and the number ranges that say which numbers belong to what.
// The catalogue is an ordinary object: the application owns one, tests make their own.
// Every function here runs on the user-interface thread.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zelo::library {

/// The highest sample number; slot 0 is the scratch slot.
inline constexpr int kHoechsteSampleNummer = 17100;

/// Sound group codes (`SampleGruppe`).
enum Gruppe : int16_t {
  kGruppeLoop = 1,
  kGruppeDrum = 2,
  kGruppeBass = 3,
  kGruppeLayer = 4,
  kGruppeSequence = 5,
  kGruppeVoice = 6,
  kGruppeEffect = 7,
  kGruppeXtra = 8,
  kGruppeEigene = 10,
};

/// Location codes (`SampleOrt`): where a sample's bytes are.
enum Ort : int16_t {
  kOrtLeer = 0,
  kOrtPartnerCache = 1,
  kOrtCache = 2,
  kOrtContainerA = 3,
  kOrtContainerB = 4,
  kOrtContainerC = 5,
  kOrtHauptcontainer = 6,
  kOrtContainerD = 9,
  kOrtEigeneDatei = 99,
};

/// The fourteen header lines of a file in state-file layout. Index = line number; line 3 is
/// the help-prompt option and lives in `Hilfeabfrage`, lines 13 and 14 are fixed.
struct KatalogKopf {
  std::array<std::string, 13> Zeile{};  ///< lines 1, 2 and 4 to 12 (index 0 and 3 unused)
  bool Hilfeabfrage = false;            ///< line 3

  std::string& Arbeitsordner() { return Zeile[1]; }
  std::string& Startmix() { return Zeile[2]; }
  const std::string& Arbeitsordner() const { return Zeile[1]; }
  const std::string& Startmix() const { return Zeile[2]; }
};

/// One record of the sample-number range table `SampleBereich`.
struct Bereich {
  std::string Text;
  int32_t Erste = 0;
  int32_t Letzte = 0;
};

/// The catalogue: parallel arrays indexed by sample number, the header values of the state
/// file and the change flag.
class Katalog {
 public:
  Katalog();

  std::vector<std::string> SampleName;   ///< 0..17101: first name line
  std::vector<std::string> SampleName2;  ///< second name line
  std::vector<int32_t> SampleTakte;      ///< length in whole bars
  std::vector<int16_t> SampleGruppe;     ///< sound group code
  std::vector<int32_t> SampleOffset;     ///< byte offset in its container (own file: handle or 0)
  std::vector<std::string> SampleDatei;  ///< own file's full path (location 99), else empty
  std::vector<int16_t> SampleOrt;        ///< location code; 0 = slot empty
  std::vector<int32_t> SampleGroesse;    ///< size of the sample's data in bytes
  std::vector<int16_t> SampleHerkunft;   ///< library sample this one was made from (0 = none)
  std::vector<std::string> SampleExtra;  ///< carried text, no other use
  std::vector<int32_t> SampleBreite;     ///< block width in pixels; computed, never stored

  KatalogKopf Kopf;
  bool KatalogGeaendert = false;

  /// True when n is a sample number (0 to 17100).
  static bool IstNummer(long long n) { return n >= 0 && n <= kHoechsteSampleNummer; }
  /// True when slot n holds a sample.
  bool Belegt(int n) const { return IstNummer(n) && SampleOrt[static_cast<size_t>(n)] != kOrtLeer; }
  /// Clears slot n as a vanished list does: location, group, names, own file and bars.
  void SlotLeeren(int n);
  /// `SampleBreite` = bars x pixels per bar for every slot.
  void BreitenBerechnen(int pixelProTakt);
};

/// The sample-number ranges; `texte` gives the captions of records 10 to 16 (text-table
/// entries 223 to 229), and may be empty.
std::array<Bereich, 21> SampleBereichAnlegen(const std::vector<std::string>& texte = {});

}  // namespace zelo::library
