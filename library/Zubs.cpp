#include "library/Zubs.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include "library/Container.h"
#include "library/KatalogDateien.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "text/Texte.h"

namespace zelo::library {
namespace {

/// The drum-machine warning shows when the present files are more than a handful but far
/// fewer than a whole list: the folder is probably incomplete.
constexpr int kWarnungAb = 31;
constexpr int kWarnungBis = 1249;

/// The values of a file in the catalogue line format; empty when it cannot be read.
std::vector<std::string> Werte(const std::string& pfad) {
  auto inhalt = platform::ReadWholeFile(platform::ResolvePath(pfad));
  return inhalt ? platform::SplitValues(*inhalt) : std::vector<std::string>{};
}

/// A list's file name below its sample folder: either slash separates folders; a name that
/// would leave the folder names no file.
std::string RelativerName(const std::string& name) {
  std::string r = name;
  for (char& c : r)
    if (c == '\\') c = '/';
  if (r.empty() || r[0] == '/') return {};
  size_t anfang = 0;
  while (anfang <= r.size()) {
    size_t ende = r.find('/', anfang);
    if (ende == std::string::npos) ende = r.size();
    if (r.compare(anfang, ende - anfang, "..") == 0) return {};
    anfang = ende + 1;
  }
  return r;
}

bool Gleich(const std::string& a, const std::string& b) { return platform::EqualsNoCase(a, b); }

std::string OhneNew(const std::string& pfad) {
  return platform::StartsWithNoCase(pfad, "new") ? pfad.substr(3) : pfad;
}

void BereichLeeren(Katalog& k, int erste, int letzte) {
  for (int n = erste; n <= letzte; ++n) k.SlotLeeren(n);
}

bool ZeigerSchreiben(const std::string& pfad, const std::vector<std::string>& zeilen) {
  if (platform::FileSize(pfad) >= 6) return true;
  std::string text;
  for (const auto& z : zeilen) text += "\"" + z + "\"\r\n";
  return platform::WriteFileSafely(pfad, text);
}

}  // namespace

std::string Dateistempel(const std::string& pfad) {
  auto s = platform::FileModified(pfad);
  if (!s) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", s->Datum % 100, s->Datum / 100 % 100,
                s->Datum / 10000 % 10000, s->Zeit / 10000 % 100, s->Zeit / 100 % 100, s->Zeit % 100);
  return text;
}

int16_t Gruppenwort(const std::string& wort) {
  static const std::pair<const char*, int16_t> kWoerter[] = {
      {"loop", kGruppeLoop},     {"drum", kGruppeDrum},   {"bass", kGruppeBass},
      {"layer", kGruppeLayer},   {"sequence", kGruppeSequence}, {"voice", kGruppeVoice},
      {"rap", kGruppeVoice},     {"effect", kGruppeEffect}, {"xtra", kGruppeXtra}};
  for (const auto& [w, code] : kWoerter)
    if (wort == w) return code;
  return 0;
}

void SampleListeLaden(Katalog& k, const std::string& sampleordner, const std::string& listenordner, int erste,
                      int kit, int& vorhanden) {
  const std::string name = kit == 0 ? kDrumliste : kKitliste;
  const std::string liste = (listenordner.empty() ? sampleordner : listenordner) + name;
  if (!platform::FileExists(liste)) return;
  const std::vector<std::string> w = Werte(liste);
  int n = erste;
  for (size_t i = 0; i < w.size() && Katalog::IstNummer(n) && n >= 1; i += 6, ++n) {
    auto wert = [&](size_t j) { return i + j < w.size() ? w[i + j] : std::string(); };
    auto s = static_cast<size_t>(n);
    const std::string datei = RelativerName(wert(0));
    k.SampleOrt[s] = kOrtEigeneDatei;
    k.SampleDatei[s] = datei.empty() ? std::string() : sampleordner + datei;
    k.SampleExtra[s].clear();
    if (int16_t g = Gruppenwort(wert(2)); g != 0) k.SampleGruppe[s] = g;
    k.SampleTakte[s] = static_cast<int32_t>(std::clamp<long long>(ZahlLesen(wert(3)), INT32_MIN, INT32_MAX));
    k.SampleName[s] = wert(4);
    k.SampleName2[s] = wert(5);
    k.SampleOffset[s] = 0;
    k.SampleHerkunft[s] = 0;
    if (!datei.empty() && platform::FileExists(k.SampleDatei[s]))
      ++vorhanden;
    else
      k.SlotLeeren(n);
  }
  k.KatalogGeaendert = true;
}

void LoadZubs(Katalog& k, Zubs& z, const Katalogorte& o, const std::string& modus) {
  const bool setup = Gleich(modus, "setup");
  auto& zeile = k.Kopf.Zeile;
  const std::string zustand = o.Zustandsdatei();

  // 1. The state file, or on a fresh installation the medium's default catalogue.
  KatalogLaden(k, platform::FileExists(zustand) ? zustand : o.Standardkatalog());
  bool schreiben = false;

  // 2. The sibling edition's cached samples, and 3. its containers.
  const std::string partner = o.Systemordner + kPartnerzeiger;
  if (platform::FileExists(partner)) {
    std::vector<std::string> w = Werte(partner);
    w.resize(std::max<size_t>(w.size(), 10));
    const std::string stempel = Dateistempel(partner);
    if (!Gleich(stempel, zeile[6]) || setup) {
      PartnerkatalogLaden(k, platform::ResolvePath(partner));
      zeile[6] = stempel;
    }
    schreiben = true;
    for (size_t i = 0; i < 3; ++i) {
      const std::string pfad = OhneNew(w[7 + i]);
      if (pfad.size() > 2 && !Gleich(pfad, zeile[8 + i])) zeile[8 + i] = "new" + pfad;
    }
  }

  // 4. The drum-machine list.
  const std::string drumzeiger = o.Systemordner + kDrumzeiger;
  std::string drumordner;
  if (platform::FileExists(drumzeiger)) {
    std::vector<std::string> w = Werte(drumzeiger);
    if (!w.empty() && w[0].size() >= 3) drumordner = platform::WithSlash(w[0]);
  }
  z.Drumordner = drumordner;
  if (!drumordner.empty()) {
    const std::string stempel = Dateistempel(drumzeiger);
    if (!Gleich(stempel, zeile[4]) || setup) {
      zeile[4] = stempel;
      int vorhanden = 0;
      const bool imDatenordner = platform::FileExists(o.Datenordner + kDrumliste);
      SampleListeLaden(k, drumordner, imDatenordner ? o.Datenordner : o.AlternativDatenordner, kListenanfang[0], 0,
                       vorhanden);
      schreiben = true;
      if (vorhanden >= kWarnungAb && vorhanden <= kWarnungBis && z.dialoge && z.texte) {
        if (z.normalZeiger) z.normalZeiger();
        z.dialoge->MessageBox({(*z.texte)[221], (*z.texte)[222], platform::Buttons::OK, platform::Icon::Exclamation, 1});
      }
    }
  } else if (!zeile[4].empty()) {
    // Noted only in memory: the removal is stored with the next write for another reason.
    zeile[4] = kWeg;
  }

  // 5. The kits.
  const std::string kitzeiger = o.Systemordner + kKitzeiger;
  bool kitsNeu = false;
  if (platform::FileExists(kitzeiger)) {
    const std::string stempel = Dateistempel(kitzeiger);
    if (!Gleich(stempel, zeile[5]) || setup) {
      zeile[5] = stempel;
      schreiben = true;
      kitsNeu = true;
      const std::vector<std::string> w = Werte(kitzeiger);
      for (size_t e = 0, i = 2; e < 3 && i < w.size(); ++e, i += 2) {
        const std::string& kennung = w[i];
        const std::string pfad = i + 1 < w.size() ? w[i + 1] : std::string();
        if (pfad.size() < 3) continue;
        int kit = 0;
        if (kennung.rfind("01", 0) == 0) kit = 1;
        else if (kennung.rfind("02", 0) == 0 && pfad.rfind("02", 0) == 0) kit = 2;
        else if (kennung.rfind("03", 0) == 0) kit = 3;
        if (kit == 0) continue;
        z.Kitordner[static_cast<size_t>(kit)] = platform::WithSlash(pfad.substr(2));
        int vorhanden = 0;
        SampleListeLaden(k, z.Kitordner[static_cast<size_t>(kit)], "", kListenanfang[static_cast<size_t>(kit)], kit,
                         vorhanden);
      }
    }
  } else if (!zeile[5].empty()) {
    zeile[5] = kWeg;
    schreiben = true;
  }

  // 6. Lists whose pointer files vanished leave their ranges empty.
  if (!zeile[4].empty()) {
    if (Gleich(zeile[4], kWeg) || drumordner.empty()) BereichLeeren(k, kListenanfang[0], kListenende[0]);
    if (Gleich(zeile[4], kWeg)) zeile[4].clear();
  }
  if (!zeile[5].empty()) {
    for (size_t kit = 1; kit <= 3; ++kit)
      if (Gleich(zeile[5], kWeg) || (kitsNeu && z.Kitordner[kit].empty()))
        BereichLeeren(k, kListenanfang[kit], kListenende[kit]);
    if (Gleich(zeile[5], kWeg)) zeile[5].clear();
  }

  // 7. Containers A to C whose catalogues are new (or all of them in the installer).
  for (size_t i = 8; i <= 10; ++i) {
    if (zeile[i].size() <= 2 || !(setup || platform::StartsWithNoCase(zeile[i], "new"))) continue;
    zeile[i] = OhneNew(zeile[i]);
    FremdkatalogLaden(k, platform::ResolvePath(zeile[i] + ".inf"));
    schreiben = true;
  }

  // 8.
  if (!setup && schreiben) KatalogSpeichern(k, zustand);
}

bool DrumzeigerAnlegen(const std::string& systemordner, const std::string& arbeitsordner) {
  return ZeigerSchreiben(systemordner + kDrumzeiger, {arbeitsordner, arbeitsordner});
}

bool PartnerzeigerAnlegen(const std::string& systemordner, const std::string& partnerordner) {
  std::vector<std::string> zeilen(13);
  zeilen[0] = partnerordner;
  return ZeigerSchreiben(systemordner + kPartnerzeiger, zeilen);
}

}  // namespace zelo::library
