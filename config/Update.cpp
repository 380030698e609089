#include "config/Update.h"

#include <unistd.h>

#include "platform/Files.h"

namespace zelo::config {

bool UpdateKopie(const std::string& programmordner, const std::string& updateordner, const std::string& quelle,
                 const std::string& ziel) {
  const std::string von = programmordner + quelle;
  const std::string nach = updateordner + ziel;
  if (!platform::FileExists(von)) return true;
  // The language file is always refreshed; other files only when the program's copy is newer.
  if (platform::FileExists(nach) && !platform::EqualsNoCase(ziel, "f_zelo2")) {
    auto q = platform::FileModified(von);
    auto z = platform::FileModified(nach);
    if (q && z && (q->Datum < z->Datum || (q->Datum == z->Datum && z->Zeit >= q->Zeit))) return true;
  }
  if (!platform::CopyFileSafely(von, nach)) return false;
  const int64_t laenge = platform::FileSize(nach);
  return laenge > 0 && laenge == platform::FileSize(von);
}

bool UpdateStart(Ordner& o, const Neustart& neustart) {
  auto inf = platform::ReadWholeFile(o.Zustandsdatei());
  if (!inf) return false;
  platform::ValueSource werte(*inf);
  std::string arbeitsordner;
  if (!werte.Next(arbeitsordner) || arbeitsordner.empty()) return false;
  const std::string update = platform::WithSlash(arbeitsordner) + "G_UPDATE/";
  if (!platform::FolderExists(update)) return false;

  const std::string p = o.Programmordner;
  if (auto sprache = platform::ReadWholeFile(p + "f_zelo2")) o.Regionskennung = Regionskennung(*sprache);
  // This instance already runs from the update folder.
  if (platform::EqualsNoCase(p, update) || platform::EqualsNoCase(platform::ResolvePath(p), platform::ResolvePath(update)))
    return false;

  struct Paar {
    const char* Quelle;
    const char* Ziel;
  };
  static constexpr Paar kDateien[] = {{"zelo", "f_update"}, {"f_zelo2", "f_zelo2"}, {"deinst.sh", "deinst.sh"}};
  for (const auto& d : kDateien)
    if (!UpdateKopie(p, update, d.Quelle, d.Ziel)) return false;

  UpdateAufruf aufruf;
  aufruf.Programm = update + "f_update";
  aufruf.Kommandozeile = p + " " + o.Kommandozeile;
  aufruf.Arbeitsordner = update.substr(0, update.size() - 1);
  if (neustart) neustart(aufruf);
  return true;
}

void ErsetzeProzess(const UpdateAufruf& aufruf) {
  if (::chdir(aufruf.Arbeitsordner.c_str()) != 0) return;
  std::string programm = platform::ResolvePath(aufruf.Programm);
  std::string argument = aufruf.Kommandozeile;
  char* argv[] = {programm.data(), argument.data(), nullptr};
  ::execv(programm.c_str(), argv);
}

}  // namespace zelo::config
