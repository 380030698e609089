#include "setup/KatalogBibliothek.h"

#include "library/Container.h"
#include "library/Katalog.h"
#include "library/KatalogDateien.h"
#include "library/Vorladen.h"
#include "library/Zubs.h"
#include "platform/Engine.h"

namespace zelo::setup {

KatalogBibliothek::KatalogBibliothek(library::Katalog& katalog, library::Zubs& zubs,
                                     library::Containerdateien& container, const config::Ordner& ordner,
                                     const text::Texte& texte, platform::Engine& engine)
    : katalog_(katalog), zubs_(zubs), container_(container), ordner_(ordner), texte_(texte), engine_(engine) {}

void KatalogBibliothek::LoadZubs(const std::string& modus) {
  library::Katalogorte orte{ordner_.Systemordner, ordner_.Quellordner, ordner_.Datenordner,
                            ordner_.AlternativDatenordner};
  library::LoadZubs(katalog_, zubs_, orte, modus);
}

bool KatalogBibliothek::CacheAnlegen(const std::string& cachePfad, int64_t gewuenscht) {
  return !container_.CacheAnlegen(katalog_, cachePfad, gewuenscht);
}

void KatalogBibliothek::VorladelisteLaden(const std::string& pfad) { liste_ = library::VorladelisteLaden(pfad); }

void KatalogBibliothek::ContainerOeffnen(const std::string& hauptcontainer, const std::string& cache) {
  container_.ContainerOeffnen(katalog_, hauptcontainer, cache, ordner_.Systemordner);
}

void KatalogBibliothek::ContainerSchliessen() { container_.ContainerSchliessen(); }

bool KatalogBibliothek::Vorladen(int64_t gewuenscht, const Vorladekontext& k) {
  library::Vorladebegleitung b;
  b.status = k.Status;
  b.ereignisse = k.EreignisseAbarbeiten;
  b.abgebrochen = k.Abgebrochen;
  const std::string arbeitsordner = ordner_.Arbeitsordner;
  b.freieMegabytes = [this, arbeitsordner] { return engine_.AGetFree(arbeitsordner); };
  library::Vorladeergebnis e =
      library::Vorladen(katalog_, container_, liste_, gewuenscht, k.Installationsart, texte_, b);
  kopiert_ = e.Kopiert;
  return !e.PlatzFehlt;
}

bool KatalogBibliothek::KatalogSpeichern(const std::string& pfad, const std::string& arbeitsordner,
                                         const std::string& startmix) {
  katalog_.Kopf.Arbeitsordner() = arbeitsordner;
  katalog_.Kopf.Startmix() = startmix;
  return library::KatalogSpeichern(katalog_, pfad);
}

void KatalogBibliothek::ZeigerdateienAnlegen(const std::string& arbeitsordner, const std::string& partnerordner) {
  library::DrumzeigerAnlegen(ordner_.Systemordner, arbeitsordner);
  library::PartnerzeigerAnlegen(ordner_.Systemordner, partnerordner);
}

void KatalogBibliothek::AenderungVergessen() { katalog_.KatalogGeaendert = false; }

}  // namespace zelo::setup
