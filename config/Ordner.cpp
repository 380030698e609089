#include "config/Ordner.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Dialogs.h"
#include "platform/Engine.h"
#include "platform/Files.h"

namespace zelo::config {
namespace {

using platform::WithSlash;

std::string Umgebungswert(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

/// The subfolders of `folder` in name order (mounted media and network mounts).
std::vector<std::string> Unterordner(const std::string& folder) {
  std::vector<std::string> found;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code dirEc;
    if (it->is_directory(dirEc)) found.push_back(WithSlash(it->path().string()));
  }
  std::sort(found.begin(), found.end());
  return found;
}

bool MarkeDa(const std::string& datenordner) {
  return !datenordner.empty() && platform::FileExists(datenordner + kInhaltsmarke);
}

bool EndetAufDatenordner(const std::string& folder) {
  return folder.size() >= kDatenordnerEnde &&
         platform::EqualsNoCase(folder.substr(folder.size() - kDatenordnerEnde), "zelo/zelo/");
}

/// A regional phrase of the language file and the tag it stands for.
struct Regionsphrase {
  const char* Phrase;
  const char* Kennung;
};
/// Zelo ships one edition, so no phrase marks a regional variant; the mechanism stays so a
/// variant only needs its phrase here.
constexpr std::array<Regionsphrase, 0> kRegionsphrasen{};

}  // namespace

Umgebung Umgebung::AusProzess() {
  Umgebung u;
  u.Uid = static_cast<unsigned>(::getuid());
  std::string user = Umgebungswert("USER");
  const passwd* pw = ::getpwuid(::getuid());
  if (pw && pw->pw_name) user = pw->pw_name;
  u.Home = Umgebungswert("HOME");
  if (u.Home.empty() && pw && pw->pw_dir) u.Home = pw->pw_dir;
  if (u.Home.empty()) u.Home.assign(1, '/');
  u.Home = WithSlash(u.Home);
  u.ConfigHome = Umgebungswert("XDG_CONFIG_HOME");
  u.ConfigHome = u.ConfigHome.empty() ? u.Home + ".config/" : WithSlash(u.ConfigHome);
  u.TmpDir = Umgebungswert("TMPDIR");
  u.TmpDir = u.TmpDir.empty() ? std::string("/tmp/") : WithSlash(u.TmpDir);

  std::string medien = Umgebungswert("ZELO_MEDIA");
  size_t start = 0;
  while (start <= medien.size()) {
    size_t colon = medien.find(':', start);
    std::string part = medien.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (!part.empty()) u.Suchorte.push_back({WithSlash(part), false});
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  // Removable media first, then network mounts, then fixed places.
  if (!user.empty()) {
    u.Suchorte.push_back({"/media/" + user + "/", true});
    u.Suchorte.push_back({"/run/media/" + user + "/", true});
  }
  u.Suchorte.push_back({"/mnt/", true});
  for (const char* fixed : {"/usr/local/share/", "/usr/share/", "/opt/"}) u.Suchorte.push_back({fixed, false});
  return u;
}

std::string Ordner::Updateordner() const { return Arbeitsordner.empty() ? std::string() : Arbeitsordner + "G_UPDATE/"; }

std::string Ordner::Zustandsdatei() const { return Systemordner + kZustandsdatei; }

std::string Ordner::Hilfedatei() const { return Wurzel + Hilfestamm + ".html"; }

void StartOrdner(Ordner& o, const std::string& programmordner, const std::string& kommandozeile) {
  o.Programmordner = WithSlash(programmordner);
  o.AlternativDatenordner = o.Programmordner;
  o.Kommandozeile = kommandozeile;
  // The path must start before "/zelo"; position > 2 counts from 1.
  size_t at = platform::FindNoCase(kommandozeile, "/zelo");
  if (at != std::string::npos && at + 1 > 2) {
    o.Datenordner = WithSlash(platform::TrimSpaces(kommandozeile.substr(0, kommandozeile.size() - 1)));
    o.Kommandoflag = kommandozeile.substr(kommandozeile.size() - 1);
  } else {
    o.Datenordner = o.Programmordner;
    o.Kommandoflag = kommandozeile;
  }
}

void WindowsPfad(Ordner& o, const Umgebung& u) { o.Systemordner = WithSlash(u.ConfigHome) + "zelo/"; }

void TempordnerSetzen(Ordner& o, const Umgebung& u) {
  o.Tempordner = WithSlash(u.TmpDir) + "zelo-" + std::to_string(u.Uid) + "/";
  if (!platform::FolderExists(o.Tempordner)) {
    platform::MakeFolders(WithSlash(u.TmpDir));
    ::mkdir(o.Tempordner.c_str(), 0700);
  }
}

void OrdnerAbleiten(Ordner& o) {
  o.Wurzel = o.Datenordner.size() >= kDatenordnerEnde ? o.Datenordner.substr(0, o.Datenordner.size() - kDatenordnerEnde)
                                                      : std::string();
  o.Quellordner = o.Wurzel + "zelo/";
}

bool FindDrive(Ordner& o, const Umgebung& u, const NochmalSuchen& nochmal) {
  for (;;) {
    OrdnerAbleiten(o);
    if (MarkeDa(o.Datenordner)) return true;

    std::vector<std::string> kandidaten;
    if (!o.Programmordner.empty()) kandidaten.push_back(o.Programmordner);
    auto ortPruefen = [&](const std::string& ort) {
      // A place may be a data folder itself or the root of a medium.
      if (EndetAufDatenordner(ort)) kandidaten.push_back(ort);
      kandidaten.push_back(WithSlash(ort) + "zelo/zelo/");
    };
    for (const auto& ort : u.Suchorte) {
      if (!ort.Unterordner)
        ortPruefen(ort.Ordner);
      else
        for (const auto& d : Unterordner(ort.Ordner)) ortPruefen(d);
    }
    for (const auto& k : kandidaten) {
      if (EndetAufDatenordner(k) && MarkeDa(k)) {
        o.Datenordner = k;
        OrdnerAbleiten(o);
        return true;
      }
    }
    if (!nochmal || !nochmal()) return false;
  }
}

NochmalSuchen InhaltFehltFrage(platform::DialogHost& dialoge, std::string prompt, std::string titel) {
  return [&dialoge, prompt = std::move(prompt), titel = std::move(titel)] {
    platform::MessageRequest frage{prompt, titel, platform::Buttons::RetryCancel, platform::Icon::Exclamation, 1};
    return dialoge.MessageBox(frage) == platform::Answer::Retry;
  };
}

bool InfLesen(Ordner& o, const Umgebung& u, platform::Engine& engine) {
  WindowsPfad(o, u);
  o.Arbeitsordner = u.Home + "zelo/";
  const std::string inf = o.Zustandsdatei();
  const int64_t groesse = platform::FileSize(inf);
  if (auto bytes = platform::ReadWholeFile(inf)) {
    platform::ValueSource werte(*bytes);
    std::string wert;
    if (werte.Next(wert)) o.Arbeitsordner = WithSlash(wert);
    if (werte.Next(wert)) o.StartMixPfad = wert;
  }

  if (!o.Kommandoflag.empty()) {
    char flag = o.Kommandoflag.back();
    if (flag == 'd' || flag == 'D') {
      o.Betriebsart = BetriebDeinstallation;
      return true;
    }
    if (flag == 's' || flag == 'S') {
      o.Betriebsart = BetriebSetup;
      return true;
    }
  }

  // The installer writes a state file with the whole catalogue: a small one means it never finished.
  if (groesse <= 12000 || !platform::FolderExists(o.Arbeitsordner) ||
      !platform::FileExists(o.Arbeitsordner + kCachedatei)) {
    o.Betriebsart = BetriebSetup;
    return false;
  }
  engine.ASetPfad(o.Arbeitsordner);
  o.Betriebsart = BetriebNormal;
  return false;
}

bool OrdnerAnlegen(const Ordner& o) {
  if (o.Arbeitsordner.empty()) return false;
  bool alle = platform::MakeFolders(o.Arbeitsordner);
  for (const char* name : kUnterordner) alle = platform::MakeFolders(o.Arbeitsordner + name) && alle;
  return alle;
}

std::string LokaleKopie(const Ordner& o, platform::Engine& engine, const std::string& pfad) {
  if (o.Arbeitsordner.empty() || !platform::FolderExists(o.Arbeitsordner + "INST2TMP")) return pfad;
  size_t slash = pfad.find_last_of('/');
  std::string name = slash == std::string::npos ? pfad : pfad.substr(slash + 1);
  if (name.empty()) return pfad;
  const std::string kopie = o.Arbeitsordner + "INST2TMP/" + name;
  if (platform::FileExists(kopie)) return platform::ResolvePath(kopie);
  // Leave the last megabytes of the disk to the user's own work.
  if (engine.AGetFree(o.Arbeitsordner + "INST2TMP/") > 14 && platform::CopyFileSafely(pfad, kopie)) {
    int64_t laenge = platform::FileSize(kopie);
    if (laenge > 0 && laenge == platform::FileSize(pfad)) return kopie;
  }
  return pfad;
}

bool HatKennung(const Ordner& o, const std::string& kennung) {
  return !kennung.empty() && platform::FindNoCase(o.Regionskennung, kennung) != std::string::npos;
}

std::string Regionskennung(const std::string& sprachdatei) {
  std::string kennung;
  if (sprachdatei.size() < 2000) return kennung;
  for (const auto& r : kRegionsphrasen) {
    // Phrases in the first ten characters are part of the file's header, not of a variant.
    if (platform::FindNoCase(sprachdatei, r.Phrase, 10) != std::string::npos &&
        platform::FindNoCase(kennung, r.Kennung) == std::string::npos)
      kennung += r.Kennung;
  }
  return kennung;
}

void StaemmeSetzen(Ordner& o) {
  std::string stamm = "zelo";
  if (HatKennung(o, "FRANKREICH"))
    stamm = "flint2";
  else if (HatKennung(o, "ENGLAND"))
    stamm = "e2garnet";
  o.Programmstamm = stamm;
  o.Hilfestamm = stamm;
}

StartMix StartMixWahl(Ordner& o, const std::string& standardMix) {
  if (auto bytes = platform::ReadWholeFile(o.Zustandsdatei())) {
    platform::ValueSource werte(*bytes);
    std::string wert;
    if (werte.Next(wert) && werte.Next(wert)) o.StartMixPfad = wert;
  }
  if (!o.StartMixPfad.empty() && !platform::FileExists(o.StartMixPfad)) o.StartMixPfad.clear();

  StartMix s;
  s.Pfad = o.StartMixPfad.size() > 3 ? o.StartMixPfad : o.Wurzel + standardMix;
  size_t slash = s.Pfad.find_last_of('/');
  s.LadeOrdner = slash == std::string::npos ? std::string() : s.Pfad.substr(0, slash + 1);
  s.ExportOrdner = o.Arbeitsordner;
  std::string ohne = o.Arbeitsordner;
  while (ohne.size() > 1 && ohne.back() == '/') ohne.pop_back();
  size_t oben = ohne.find_last_of('/');
  s.ImportOrdner = oben == std::string::npos ? o.Arbeitsordner : ohne.substr(0, oben + 1);
  return s;
}

}  // namespace zelo::config
