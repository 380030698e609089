#include "library/Vorladen.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "text/Texte.h"

namespace zelo::library {
namespace {

/// Pre-caching stops when the working folder's drive has less than this many megabytes left.
constexpr int64_t kMindestfreiMB = 8;

/// Reads a sample whole through the copy buffer, piece by piece; true when every byte came.
bool Kopieren(Katalog& k, Containerdateien& c, int s, std::vector<char>& puffer) {
  const int32_t groesse = k.SampleGroesse[static_cast<size_t>(s)];
  for (int32_t versatz = 0; versatz < groesse;) {
    const int32_t stueck = std::min<int32_t>(kKopierpuffer, groesse - versatz);
    const int32_t gelesen = c.SampleLesen(k, s, puffer.data(), stueck, versatz);
    if (gelesen <= 0) return false;
    versatz += gelesen;
  }
  // A sample that should have gone into the cache but did not is a failed copy.
  const int16_t ort = k.SampleOrt[static_cast<size_t>(s)];
  return ort != kOrtHauptcontainer && ort != kOrtPartnerCache;
}

}  // namespace

Vorladeergebnis Vorladen(Katalog& k, Containerdateien& c, const std::vector<int16_t>& liste, int64_t gewuenscht,
                         int installationsart, const text::Texte& texte, const Vorladebegleitung& b) {
  Vorladeergebnis e;
  std::vector<char> puffer(kKopierpuffer, 0);
  int letzteProzent = -1;
  int erfolge = 0;
  for (size_t pos = 0; pos < liste.size(); ++pos) {
    const int s = liste[pos];
    if (s < 1 || !Katalog::IstNummer(s)) break;
    const int32_t groesse = k.SampleGroesse[static_cast<size_t>(s)];
    e.Summe += groesse;
    if (e.Summe > c.Cachelaenge()) break;
    if (groesse <= 0 || Kopieren(k, c, s, puffer)) {
      if (groesse > 0) ++e.Kopiert;
      if (installationsart != 0 && gewuenscht > 0) {
        int prozent = static_cast<int>(std::nearbyint(static_cast<double>(e.Summe) / static_cast<double>(gewuenscht) * 100));
        prozent = std::clamp(prozent, letzteProzent, 100);
        if (prozent != letzteProzent && b.status) {
          const bool art1 = installationsart == 1;
          b.status("\r" + texte[art1 ? 26 : 30] + std::to_string(prozent) + "% " + texte[art1 ? 27 : 31]);
        }
        letzteProzent = prozent;
      }
      if (++erfolge % 6 == 0 && b.freieMegabytes) {
        const int64_t frei = b.freieMegabytes();
        if (frei >= 0 && frei < kMindestfreiMB) e.Fehler = kFehlergrenze;
      }
      if (b.ereignisse) b.ereignisse();
    } else {
      ++e.Fehler;
    }
    if (e.Fehler >= kFehlergrenze || (b.abgebrochen && b.abgebrochen()) || e.Summe >= gewuenscht) break;
  }
  if (e.Fehler > kFehlergrenze - 1) e.PlatzFehlt = true;
  return e;
}

}  // namespace zelo::library
