#pragma once
// The installer's view of the sample library: the program's catalogue, its merge state and
// its containers, as the setup dialog uses them. UI thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "setup/Setup.h"

namespace zelo::library {
class Katalog;
class Containerdateien;
struct Zubs;
}  // namespace zelo::library

namespace zelo::setup {

class KatalogBibliothek final : public SetupBibliothek {
 public:
  KatalogBibliothek(library::Katalog& katalog, library::Zubs& zubs, library::Containerdateien& container,
                    const config::Ordner& ordner, const text::Texte& texte, platform::Engine& engine);

  void LoadZubs(const std::string& modus) override;
  bool CacheAnlegen(const std::string& cachePfad, int64_t gewuenscht) override;
  void VorladelisteLaden(const std::string& pfad) override;
  void ContainerOeffnen(const std::string& hauptcontainer, const std::string& cache) override;
  void ContainerSchliessen() override;
  bool Vorladen(int64_t gewuenscht, const Vorladekontext& kontext) override;
  bool KatalogSpeichern(const std::string& pfad, const std::string& arbeitsordner,
                        const std::string& startmix) override;
  void ZeigerdateienAnlegen(const std::string& arbeitsordner, const std::string& partnerordner) override;
  void AenderungVergessen() override;

  /// The samples copied by the last pre-caching.
  int Kopiert() const { return kopiert_; }

 private:
  library::Katalog& katalog_;
  library::Zubs& zubs_;
  library::Containerdateien& container_;
  const config::Ordner& ordner_;
  const text::Texte& texte_;
  platform::Engine& engine_;
  std::vector<int16_t> liste_;
  int kopiert_ = 0;
};

}  // namespace zelo::setup
