#include "setup/Setup.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/Dialogs.h"
#include "platform/Engine.h"
#include "platform/Files.h"
#include "setup/Menueeintrag.h"
#include "text/Texte.h"

extern char** environ;

namespace zelo::setup {

namespace fs = std::filesystem;
namespace zp = zelo::platform;

namespace {

/// Below this memory size (and from 4,000,000 bytes up) the setup warns that sounds may be dropped.
constexpr int64_t kWenigSpeicherVon = 4000000, kWenigSpeicherBis = 16000000;

/// A letter of Windows-1252: ASCII letters and the accented Latin letters, not the signs among them.
bool IstBuchstabe(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  if (c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F) return true;
  return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

bool Erlaubt(unsigned char c) {
  if (IstBuchstabe(c) || (c >= '0' && c <= '9')) return true;
  return std::string_view("/_ -.@$#&~").find(static_cast<char>(c)) != std::string_view::npos;
}

void OrdnerEntfernenWennLeer(const std::string& ordner) {
  std::error_code ec;
  if (fs::is_directory(ordner, ec) && fs::is_empty(ordner, ec)) fs::remove(ordner, ec);
}

}  // namespace

int64_t GewuenschteCachegroesse(int16_t art) {
  switch (art) {
    case VollInstallation: return 429261617;
    case MiniInstallation: return 61820000;
    default: return 3067108;
  }
}

int ProzentAus(const std::string& text) {
  size_t p = text.rfind('%');
  if (p == std::string::npos) return 0;
  size_t a = p;
  while (a > 0 && text[a - 1] >= '0' && text[a - 1] <= '9') --a;
  return a == p ? 0 : std::min(100, std::atoi(text.substr(a, p - a).c_str()));
}

std::string PfadReinigen(const std::string& eingabe, const std::string& home) {
  std::string roh = zp::TrimSpaces(eingabe);
  // Backslashes typed out of habit separate folders here too.
  std::replace(roh.begin(), roh.end(), '\\', '/');
  std::string p;
  for (char c : roh) {
    if (Erlaubt(static_cast<unsigned char>(c))) p += c;
  }
  if (p.empty()) return p;
  std::string haus = zp::WithSlash(home);
  if (p == "~") return haus;
  if (p.rfind("~/", 0) == 0) return haus + p.substr(2);
  // A folder typed without its start lies in the user's home, never in the program's current folder.
  if (p.front() != '/') return haus + p;
  return p;
}

void ElternordnerAnlegen(const std::string& pfad) {
  size_t letzter = pfad.find_last_of('/');
  if (letzter == std::string::npos || letzter == 0) return;
  zp::MakeFolders(pfad.substr(0, letzter + 1));
}

std::vector<Laufwerk> Laufwerke(const config::Umgebung& u, platform::Engine& engine) {
  std::vector<Laufwerk> liste;
  auto dazu = [&](const std::string& ordner) {
    std::string o = zp::WithSlash(ordner);
    for (const auto& l : liste) {
      if (l.Ordner == o) return;
    }
    int64_t frei = engine.AGetFree(o);
    std::string name = o.size() > 1 ? o.substr(0, o.size() - 1) : o;
    if (frei >= 0) name += "  (" + std::to_string(frei) + " MB)";
    liste.push_back({name, o});
  };
  if (!u.Home.empty()) dazu(u.Home);
  for (const auto& ort : u.Suchorte) {
    if (!ort.Unterordner) continue;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(ort.Ordner, ec)) {
      if (e.is_directory(ec) && access(e.path().c_str(), W_OK) == 0) dazu(e.path().string());
    }
  }
  dazu("/");
  return liste;
}

size_t LaufwerkVon(const std::vector<Laufwerk>& laufwerke, const std::string& pfad) {
  size_t beste = 0, laenge = 0;
  std::string p = zp::WithSlash(pfad);
  for (size_t i = 0; i < laufwerke.size(); ++i) {
    const std::string& o = laufwerke[i].Ordner;
    if (p.rfind(o, 0) == 0 && o.size() > laenge) {
      beste = i;
      laenge = o.size();
    }
  }
  return beste;
}

std::string AufLaufwerk(const std::string& pfad, const Laufwerk& alt, const Laufwerk& neu) {
  std::string p = zp::TrimSpaces(pfad);
  std::string rest;
  if (!p.empty() && p.front() != '/') {
    rest = p;
  } else if (zp::WithSlash(p).rfind(alt.Ordner, 0) == 0 && alt.Ordner != "/") {
    rest = p.size() > alt.Ordner.size() ? p.substr(alt.Ordner.size()) : std::string();
  } else {
    while (!p.empty() && p.back() == '/') p.pop_back();
    size_t s = p.find_last_of('/');
    rest = s == std::string::npos ? p : p.substr(s + 1);
  }
  return neu.Ordner + rest;
}

std::string MenueordnerAusProzess(const std::string& home) {
  const char* daten = std::getenv("XDG_DATA_HOME");
  if (daten && *daten == '/') return zp::WithSlash(daten) + "applications/";
  return zp::WithSlash(home) + ".local/share/applications/";
}

bool SkriptStarten(const std::string& script, const std::string& argument, const std::string& ordner) {
  // A child that ends at once leaves a grandchild to run the script, so the script outlives
  // the program and no zombie is left behind.
  pid_t kind = fork();
  if (kind < 0) return false;
  if (kind == 0) {
    setsid();
    if (chdir(ordner.c_str()) != 0) _exit(1);
    int leer = open("/dev/null", O_RDWR);
    if (leer >= 0) {
      dup2(leer, 0);
      dup2(leer, 1);
      dup2(leer, 2);
    }
    pid_t enkel = fork();
    if (enkel == 0) {
      execl("/bin/sh", "sh", script.c_str(), argument.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    _exit(enkel > 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(kind, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// --- The dialog -------------------------------------------------------------------------------

Zelosetup::Zelosetup(SetupUmgebung& umgebung) : u_(umgebung) {}

std::string Zelosetup::T(int i) const { return u_.Texte[i]; }

bool Zelosetup::BeendetPruefen() {
  if (!u_.Programm.Beendet()) return false;
  u_.Programm.ProzessEnde();
  return true;
}

void Zelosetup::Zeigen(SetupFenster& fenster) {
  fenster_ = &fenster;
  Vorbereiten();
  fenster.Modal(*this);
  u_.Programm.NormalZeiger();
  fenster_ = nullptr;
}

void Zelosetup::Vorbereiten() {
  // A. Preparing the dialog.
  u_.Programm.SamplePopupVerbergen();
  u_.Programm.Sanduhr();
  ansicht_.Rechteck = u_.Rechteck;
  ansicht_.Ende.Text = T(81);
  ansicht_.weiter.Text = T(85);
  ansicht_.voll.Text = T(86);
  ansicht_.mini.Text = T(84);
  ansicht_.Label3 = T(87);
  ansicht_.Rahmentitel = T(17);
  config::Ordner& o = u_.Ordner;
  if (o.Betriebsart == config::BetriebSetup) {
    int64_t speicher = u_.Engine.AMemory();
    if (speicher >= kWenigSpeicherVon && speicher <= kWenigSpeicherBis) {
      u_.Dialoge.MessageBox({T(172), T(173), zp::Buttons::OK, zp::Icon::Exclamation, 1});
    }
    ansicht_.Aktiv = true;
    // A working folder that is no absolute path is no usable place: offer the default one.
    if (o.Arbeitsordner.size() < 2 || o.Arbeitsordner.front() != '/') o.Arbeitsordner = zp::WithSlash(u_.Umgebung.Home) + "zelo/";
    ansicht_.Laufwerke = Laufwerke(u_.Umgebung, u_.Engine);
    ansicht_.LaufwerkNummer = LaufwerkVon(ansicht_.Laufwerke, o.Arbeitsordner);
    std::string pfad = o.Arbeitsordner;
    if (pfad.size() > 1 && pfad.back() == '/') pfad.pop_back();
    ansicht_.Textt = pfad;
    settext();
  } else {
    ansicht_.Label3Sichtbar = ansicht_.TexttSichtbar = ansicht_.DriveSichtbar = false;
    ansicht_.voll.Sichtbar = ansicht_.Ende.Sichtbar = false;
    ansicht_.ComboSichtbar = true;
    ansicht_.ComboEintrag = T(117);
    ansicht_.mini.Text = T(63);
    ansicht_.weiter.Text = T(64);
    ansicht_.Label4 = T(65) + "\r\r" + T(118);
    ansicht_.Label4Sichtbar = true;
    ansicht_.Aktiv = true;
  }
  u_.Programm.BlendFertig();
  u_.Programm.ZeigeWindow();
  u_.Programm.NormalZeiger();
}

void Zelosetup::settext() {
  // B. The information label with the free space of the chosen drive.
  u_.Programm.Sanduhr();
  std::string ordner = "/", name = "/";
  if (ansicht_.LaufwerkNummer < ansicht_.Laufwerke.size()) {
    ordner = ansicht_.Laufwerke[ansicht_.LaufwerkNummer].Ordner;
    name = ordner.size() > 1 ? ordner.substr(0, ordner.size() - 1) : ordner;
  }
  int64_t frei = u_.Engine.AGetFree(ordner);
  std::string zahl = frei < 0 ? std::to_string(frei) : " " + std::to_string(frei);
  ansicht_.Label2 = T(71) + " " + T(168) + " " + T(72) + " " + T(169) + " " + T(73) + "\r\r" + T(74) + " " + zahl +
                    T(100) + name + " ";
}

void Zelosetup::Drive_Change(size_t laufwerk) {
  // C. Another drive: the path moves onto it.
  if (BeendetPruefen()) return;
  if (laufwerk >= ansicht_.Laufwerke.size() || !ansicht_.DriveAktiv) return;
  const Laufwerk alt = ansicht_.Laufwerke[ansicht_.LaufwerkNummer];
  ansicht_.LaufwerkNummer = laufwerk;
  settext();
  ansicht_.Textt = AufLaufwerk(ansicht_.Textt, alt, ansicht_.Laufwerke[laufwerk]);
  u_.Programm.NormalZeiger();
}

void Zelosetup::Textt_Change(const std::string& text) {
  if (ansicht_.TexttAktiv) ansicht_.Textt = text;
}

void Zelosetup::SteuerungAktiv(bool aktiv) {
  ansicht_.DriveAktiv = ansicht_.TexttAktiv = aktiv;
  ansicht_.voll.Aktiv = ansicht_.weiter.Aktiv = ansicht_.mini.Aktiv = aktiv;
}

void Zelosetup::EreignisseAbarbeiten() {
  sperre_ = true;
  if (fenster_) fenster_->EreignisseLaufen(*this);
  sperre_ = false;
}

void Zelosetup::Installiere(int16_t art) {
  if (u_.Ordner.Betriebsart == config::BetriebSetup) {
    Installation(art);
  } else {
    Deinstallation();
  }
}

void Zelosetup::Installation(int16_t art) {
  // E. The installation.
  if (BeendetPruefen() || sperre_) return;
  config::Ordner& o = u_.Ordner;
  u_.Programm.Sanduhr();
  std::string pfad = PfadReinigen(ansicht_.Textt, u_.Umgebung.Home);
  ElternordnerAnlegen(pfad);
  ansicht_.Textt = pfad;
  o.Arbeitsordner = zp::WithSlash(pfad);
  SteuerungAktiv(false);
  u_.Programm.Sanduhr();
  Install();
  config::OrdnerAnlegen(o);
  if (o.Arbeitsordner.empty() || !zp::FolderExists(o.Arbeitsordner)) {
    u_.Programm.NormalZeiger();
    u_.Dialoge.MessageBox({T(76) + " " + o.Arbeitsordner, T(77), zp::Buttons::OK, zp::Icon::Exclamation, 1});
    SteuerungAktiv(true);
    u_.Programm.NormalZeiger();
    return;
  }
  u_.Programm.Sanduhr();
  // Reading an earlier state file would move the working folder back to its old place.
  const std::string arbeitsordner = o.Arbeitsordner;
  u_.Bibliothek.LoadZubs("setup");
  o.Arbeitsordner = arbeitsordner;

  installationsart_ = art;
  const int64_t gewuenscht = GewuenschteCachegroesse(art);
  if (!u_.Bibliothek.CacheAnlegen(arbeitsordner + config::kCachedatei, gewuenscht)) platzmangel_ = true;
  const std::string startmix = o.Wurzel + T(78);
  o.StartMixPfad = startmix;

  const int titel = art == VollInstallation ? 26 : 30;
  Vorladekontext k;
  k.Installationsart = art;
  k.Status = [this](const std::string& text) {
    ansicht_.Label2 = text;
    ansicht_.FortschrittAnteil = ProzentAus(text) / 100.0;
  };
  k.EreignisseAbarbeiten = [this] { EreignisseAbarbeiten(); };
  k.Abgebrochen = [this] { return u_.Programm.Beendet() || (fenster_ && fenster_->FortschrittAbgebrochen()); };
  if (art != SofortStart) {
    ansicht_.FortschrittOffen = true;
    ansicht_.FortschrittTitel = T(titel);
    ansicht_.FortschrittAnteil = 0;
  }
  u_.Bibliothek.VorladelisteLaden(o.Datenordner + "inst.txt");
  u_.Bibliothek.ContainerOeffnen(o.Quellordner + "zub/" + config::kCachedatei, arbeitsordner + config::kCachedatei);
  if (!u_.Bibliothek.Vorladen(gewuenscht, k)) platzmangel_ = true;
  ansicht_.FortschrittOffen = false;
  if (u_.Programm.Beendet()) return;

  // The state file replaces the previous one only once it is complete on disk: an earlier
  // good state file is never deleted before the new one exists.
  zp::MakeFolders(o.Systemordner);
  u_.Bibliothek.KatalogSpeichern(o.Zustandsdatei(), arbeitsordner, startmix);
  u_.Bibliothek.ZeigerdateienAnlegen(arbeitsordner, zp::WithSlash(u_.Umgebung.Home) + "e_zelo2/");
  u_.Bibliothek.ContainerOeffnen(o.Quellordner + "zub/" + config::kCachedatei, arbeitsordner + config::kCachedatei);
  u_.Programm.Sanduhr();
  Setupende(static_cast<int16_t>(art + 1));
  geschlossen_ = true;
}

void Zelosetup::Setupende(int16_t endeflag) {
  // H. Normal work from here, in the same run.
  u_.Programm.Sanduhr();
  ansicht_.Aktiv = false;
  u_.Programm.ZeigeWindow();
  config::Ordner& o = u_.Ordner;
  u_.Engine.ASetPfad(o.Arbeitsordner);
  o.Betriebsart = config::BetriebNormal;
  u_.Programm.ZustandAktivieren("setup");
  u_.Programm.NormalZeiger();
  int text = 0;
  if (endeflag == 2) text = platzmangel_ ? 18 : 16;
  if (endeflag == 3) text = platzmangel_ ? 22 : 20;
  if (text) u_.Dialoge.MessageBox({T(text), T(text + 1), zp::Buttons::OK, zp::Icon::Exclamation, 1});
}

void Zelosetup::Install() {
  // F. The program group becomes the desktop menu entry.
  const config::Ordner& o = u_.Ordner;
  Menueeintrag e;
  e.Name = T(88);
  e.Programm = u_.Programmdatei;
  e.SetupName = T(89);
  e.HandbuchName = T(91);
  e.DeinstallName = T(92);
  if (zp::FileExists(o.Hilfedatei())) e.Handbuch = o.Hilfedatei();
  e.Symbol = o.Datenordner + "zelo.png";
  MenueeintragSchreiben(u_.Menueordner, e);
  u_.Programm.ZeigeWindow();
}

void Zelosetup::Deinstallation() {
  // I. The uninstallation.
  if (BeendetPruefen() || sperre_) return;
  config::Ordner& o = u_.Ordner;
  u_.Programm.Sanduhr();
  EreignisseAbarbeiten();
  u_.Bibliothek.ContainerSchliessen();
  KillDirs();
  const std::string arbeitsordner = o.Arbeitsordner;
  u_.Programm.Sanduhr();
  EreignisseAbarbeiten();
  MenueeintragEntfernen(u_.Menueordner);
  EreignisseAbarbeiten();
  std::error_code ec;
  fs::remove(o.Zustandsdatei(), ec);
  EreignisseAbarbeiten();
  EreignisseAbarbeiten();
  u_.Programm.NormalZeiger();
  u_.Dialoge.MessageBox({T(79), T(80), zp::Buttons::OK, zp::Icon::Exclamation, 1});
  const std::string skript = arbeitsordner + "G_UPDATE/deinst.sh";
  if (!arbeitsordner.empty() && arbeitsordner.front() == '/' && zp::FileExists(skript) && u_.Skript) {
    u_.Skript(skript, arbeitsordner.substr(0, arbeitsordner.size() - 1), arbeitsordner + "G_UPDATE");
  }
  geschlossen_ = true;
  u_.Programm.ProzessEnde();
}

void Zelosetup::KillDirs() {
  const config::Ordner& o = u_.Ordner;
  auto inhalt = zp::ReadWholeFile(o.Zustandsdatei());
  if (!inhalt) return;
  zp::ValueSource werte(*inhalt);
  std::string erster;
  if (!werte.Next(erster)) return;
  // Only an absolute folder is cleaned: a relative one would name the program's current folder.
  if (erster.empty() || erster.front() != '/') return;
  const std::string w = zp::WithSlash(erster);
  u_.Ordner.Arbeitsordner = w;
  std::error_code ec;
  fs::remove(zp::ResolvePath(w + config::kCachedatei), ec);
  for (const char* name : {"RECSAV", "MIXWAVES", "TIMESAV", "EFFECSAV", "HYPERSAV", "G_UPDATE"}) {
    OrdnerEntfernenWennLeer(w + name);
  }
  const std::string kopien = w + "INST2TMP/";
  for (const auto& e : fs::directory_iterator(kopien, ec)) {
    std::string name = e.path().filename().string();
    bool kopie = (name.size() == 7 && zp::StartsWithNoCase(name, "zelo")) || zp::EqualsNoCase(name, "dfarben");
    if (kopie && e.is_regular_file(ec)) fs::remove(e.path(), ec);
  }
  OrdnerEntfernenWennLeer(kopien);
  OrdnerEntfernenWennLeer(w);
}

// --- Events -----------------------------------------------------------------------------------

void Zelosetup::voll_Click() {
  if (BeendetPruefen() || sperre_ || !ansicht_.voll.Aktiv) return;
  Installiere(VollInstallation);
}

void Zelosetup::mini_Click() {
  if (!ansicht_.mini.Aktiv) return;
  Installiere(MiniInstallation);
}

void Zelosetup::weiter_Click() {
  if (BeendetPruefen() || !ansicht_.weiter.Aktiv) return;
  u_.Programm.Sanduhr();
  if (u_.Ordner.Betriebsart == config::BetriebDeinstallation) {
    geschlossen_ = true;
    u_.Programm.ProzessEnde();
    return;
  }
  Installiere(SofortStart);
}

void Zelosetup::Ende_Click() {
  // Ende has no yield guard: it is the way to cancel a running installation.
  if (!BeendetPruefen()) {
    // An installation that did not finish leaves no state file, so the next start asks again.
    if (u_.Ordner.Betriebsart == config::BetriebSetup) u_.Bibliothek.AenderungVergessen();
    u_.Programm.Schluss();
  }
  geschlossen_ = true;
}

void Zelosetup::Form_KeyDown(Taste taste) {
  if (sperre_ || BeendetPruefen()) return;
  if (taste == Taste::Andere) return;
  if (u_.Dialoge.MessageBox({T(61), T(2), zp::Buttons::YesNo, zp::Icon::Question, 1}) != zp::Answer::Yes) return;
  if (u_.Ordner.Betriebsart == config::BetriebSetup) u_.Bibliothek.AenderungVergessen();
  u_.Programm.Schluss();
  geschlossen_ = true;
}

void SetupDialog(SetupUmgebung& umgebung, SetupFenster& fenster) {
  Zelosetup setup(umgebung);
  setup.Zeigen(fenster);
}

}  // namespace zelo::setup
