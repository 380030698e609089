#pragma once
// Every folder the program uses, how each is found at start-up, the run mode taken from the
// state file and the command line, the content search, the local copy cache and the regional
// stems. Folder values use "/" and end with "/". UI thread only.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelo::platform {
class DialogHost;
class Engine;
}  // namespace zelo::platform

namespace zelo::config {

/// Run mode: normal work, the setup dialog, or the uninstall dialog (2 is never used).
enum Betriebsart : int16_t { BetriebNormal = 0, BetriebSetup = 1, BetriebDeinstallation = 3 };

/// The state file in the system folder; its first two values are the working folder and
/// the start mix.
inline constexpr const char* kZustandsdatei = "g_zelo.inf";
/// The cache file in the working folder; without it the installation is not complete.
inline constexpr const char* kCachedatei = "flint20";
/// The file whose presence below a data folder shows that the content is there.
inline constexpr const char* kInhaltsmarke = "grafikb/zelo01b.";
/// A data folder ends in "zelo/zelo/": the root is the data folder without these characters.
inline constexpr size_t kDatenordnerEnde = 10;
/// The working folder's subfolders, made in this order after the working folder itself.
inline constexpr const char* kUnterordner[] = {"RECSAV",   "MIXWAVES", "TIMESAV", "EFFECSAV",
                                               "HYPERSAV", "G_UPDATE", "INST2TMP"};

/// What the folders are derived from on this machine: the user's folders, the content
/// places to search and the user id. Read once from the process; tests build their own.
struct Umgebung {
  std::string Home;        ///< ends with "/"
  std::string ConfigHome;  ///< $XDG_CONFIG_HOME, else Home + ".config/"
  std::string TmpDir;      ///< $TMPDIR, else "/tmp/"
  unsigned Uid = 0;
  /// A place that may hold a medium; with `Unterordner` each folder below it is one (mount
  /// points, looked at afresh on every search so a medium inserted before Retry is found).
  struct Suchort {
    std::string Ordner;
    bool Unterordner = false;
  };
  /// Further places, in search order: the $ZELO_MEDIA folders, mounted media, network
  /// mounts, then fixed places.
  std::vector<Suchort> Suchorte;

  static Umgebung AusProzess();
};

/// The folder values and the run mode: one object, owned by the application.
struct Ordner {
  std::string Programmordner;         ///< folder of the running program file
  std::string AlternativDatenordner;  ///< the program folder as started; first place for the text files
  std::string Datenordner;            ///< pages, constants, texts, sounds, graphics folders
  std::string Wurzel;                 ///< data folder without its last 10 characters
  std::string Quellordner;            ///< root + "zelo/": containers and the default catalogue
  std::string Arbeitsordner;          ///< state-file value 1; cache, saved sounds, exports
  std::string Systemordner;           ///< holds the state file
  std::string Tempordner;             ///< undo file, clipboard file, temporary sounds
  std::string Grafikordner;           ///< data folder + "grafika/" ... "grafikj/"
  std::string Grafikbuchstabe;        ///< "A" ... "J", appended to every picture file stem
  std::string StartMixPfad;           ///< state-file value 2 as read

  std::string Kommandozeile;  ///< the command line as received
  std::string Kommandoflag;   ///< the command line, or only its flag character after a path
  int16_t Betriebsart = BetriebNormal;

  std::string Regionskennung;  ///< regional tags found by the update check; usually empty
  std::string Programmstamm = "zelo";
  std::string Hilfestamm = "zelo";

  /// Working folder + "G_UPDATE/".
  std::string Updateordner() const;
  /// System folder + the state file's name.
  std::string Zustandsdatei() const;
  /// root + help stem + ".html".
  std::string Hilfedatei() const;
};

/// Folders at start: program folder, and the data folder and flag from the command line.
/// A command line holding "/zelo" after its second character is a data folder path followed
/// by one flag character ("d" uninstall, "s" setup, or a space); otherwise the whole command
/// line is the flag source.
void StartOrdner(Ordner& o, const std::string& programmordner, const std::string& kommandozeile);

/// The system folder: $XDG_CONFIG_HOME/zelo/ (it stands where the Windows folder stood).
void WindowsPfad(Ordner& o, const Umgebung& u);

/// The temp folder: $TMPDIR + "zelo-<uid>/", made private to the user when missing.
void TempordnerSetzen(Ordner& o, const Umgebung& u);

/// Root and source folder from the data folder.
void OrdnerAbleiten(Ordner& o);

/// Asked when the content is nowhere: true to search again, false to give up.
using NochmalSuchen = std::function<bool()>;

/// Locates the content: the data folder, the program folder, then every place of
/// Umgebung::Suchorte, each tested for the content marker. Sets data folder, root and source
/// folder. When nothing is found `nochmal` is asked; true when found, false when given up.
bool FindDrive(Ordner& o, const Umgebung& u, const NochmalSuchen& nochmal);

/// The content-not-found question (prompt and title are texts 122 and 123) with Retry and Cancel.
NochmalSuchen InhaltFehltFrage(platform::DialogHost& dialoge, std::string prompt, std::string titel);

/// Reads the state file's first two values and decides the run mode; tells the engine the
/// working folder in normal mode. True when the command line decided the mode.
bool InfLesen(Ordner& o, const Umgebung& u, platform::Engine& engine);

/// Makes the working folder and its subfolders; true when all of them exist afterwards.
bool OrdnerAnlegen(const Ordner& o);

/// The path of a local copy of a content file in working folder + "INST2TMP/", made on first
/// use when there is room; the path itself when there is no copy.
std::string LokaleKopie(const Ordner& o, platform::Engine& engine, const std::string& pfad);

/// True when the regional tags hold `kennung` (without case).
bool HatKennung(const Ordner& o, const std::string& kennung);
/// Regional tags found in a language file's text.
std::string Regionskennung(const std::string& sprachdatei);
/// Program and help stems from the regional tags.
void StaemmeSetzen(Ordner& o);

/// Where the start mix comes from and where the file dialogs start.
struct StartMix {
  std::string Pfad;          ///< the mix to load at start
  std::string LadeOrdner;    ///< folder part of Pfad: the load dialog starts there
  std::string ImportOrdner;  ///< the folder above the working folder
  std::string ExportOrdner;  ///< the working folder: export and save start there
};

/// The start mix: the state file's second value when that file still exists, otherwise root
/// + `standardMix` (text 78).
StartMix StartMixWahl(Ordner& o, const std::string& standardMix);

}  // namespace zelo::config
