#pragma once
// The menu window: the popup menus of the sound-group list (sort orders, rename, delete), of
// the sound generator and of the disk button, and the launch of the file dialogs by the
// pending dialog code. Menus go through the platform's DialogHost, so tests choose entries
// from a script. UI thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace zelo::platform {
class Window;
}
namespace zelo::text {
class Texte;
class DiskMenue;
}  // namespace zelo::text

namespace zelo::dialogs {

/// Which file dialog loading the menu window opens.
enum Dialogcode : int16_t { KeinDialog = 0, MixLadenDialog = 1, MixSpeichernDialog = 2, WaveExportDialog = 3,
                            WaveImportDialog = 4 };

/// The file dialogs of the file dialog library; results are read by the calling subsystem.
class Dateidialoge {
 public:
  virtual ~Dateidialoge() = default;
  virtual void DoMixLoadDlg(platform::Window* besitzer) = 0;
  virtual void DoMixSaveDlg(platform::Window* besitzer) = 0;
  virtual void DoWaveExportDlg(platform::Window* besitzer) = 0;
  virtual void DoWaveImportDlg(platform::Window* besitzer, int importFlag) = 0;
};

/// Sort orders of the sound-group list, as the sort entries set them.
enum Sortierung : int16_t { sortimport = 1, sortalpha = 2, sortharm = 4, sortlang = 8 };

/// Menu ids of the sample context menu.
enum Kontexteintrag : int { KontextSortImport = 1, KontextSortAlpha = 2, KontextSortHarm = 4, KontextSortLang = 8,
                            KontextName = 101, KontextLoeschen = 102 };

/// What the menus do when an entry is chosen; each is plugged in by the subsystem that owns it.
struct Menueaktionen {
  std::function<void(int16_t modus)> sortieren;  ///< re-sort the sound groups (sound-group list)
  std::function<void()> umbenennen;              ///< open the rename box for the current sample
  std::function<void()> loeschen;                ///< delete the selected sample
  std::function<void()> mixOeffnen;              ///< disk item 0
  std::function<void()> mixSpeichern;            ///< disk item 1
  std::function<void(int importFlag)> importieren;  ///< disk item 2, import flag 1
  std::function<void()> exportieren;             ///< disk item 3
  std::function<void()> zeigeWindow;            ///< bring the main window to the front
  std::function<void()> normalZeiger;            ///< the default pointer
};

class Menuefenster {
 public:
  Menuefenster(platform::DialogHost& host, const text::Texte& texte, const text::DiskMenue& disk);

  Menueaktionen aktionen;
  /// The file dialog library; without one a launch returns at once with no result.
  Dateidialoge* dateidialoge = nullptr;
  /// The owner handed to the file dialogs.
  platform::Window* fenster = nullptr;
  /// Layout position + Versatz = window position of a menu.
  int32_t VersatzX = 0, VersatzY = 0;

  // --- Sample context menu ----------------------------------------------------------------
  /// The sort mode; the check mark follows it. Import order at every start.
  int16_t Sortiermodus = sortimport;
  /// Shows the sample menu at layout (x, y): the four sort entries, and for a user's sample
  /// also a separator, rename and delete (`langerName`: the delete entry reads text 163).
  /// Runs the chosen entry's action and returns its id, 0 when dismissed.
  int SampleMenue(int x, int y, bool eigenesSample, bool langerName);
  /// The entries the sample menu shows, for the given case.
  std::vector<platform::MenuItem> SampleEintraege(bool eigenesSample, bool langerName) const;

  // --- Generator menus --------------------------------------------------------------------
  /// The four preset submenus ("Bass", "Drums", "Effects", "Synths") as the sound generator
  /// builds them (ids are its own), and the test entry (hidden when its caption is empty).
  std::array<platform::MenuItem, 4> Generatormenues{};
  platform::MenuItem Testeintrag{};
  /// Shows generator menu `menue` (0..3) at layout (x, y); the chosen id, 0 when dismissed.
  int GeneratorMenue(int menue, int x, int y);

  // --- Disk menu --------------------------------------------------------------------------
  /// Clears the pending dialog, builds the disk items for mode 1 and shows them at layout
  /// (x, y); runs the chosen item's action. Returns the chosen item 0..3, or -1.
  int DiskMenue(int16_t mode, int x, int y);
  /// The disk menu's items as they stand (the first one always exists).
  const std::vector<platform::MenuItem>& DiskEintraege() const { return diskEintraege_; }

  // --- File dialogs -----------------------------------------------------------------------
  int16_t PendingDialog = KeinDialog;
  bool ImportFlag = false;
  /// True while a dialog of the file dialog library is open.
  bool ExternerDialog = false;
  /// Loads the menu window: opens the pending file dialog, then clears it, brings the main
  /// window to the front and sets the default pointer.
  void Laden();
  /// Sets the pending dialog and loads the window.
  void DialogOeffnen(Dialogcode code, bool importFlag = false);

 private:
  platform::DialogHost& host_;
  const text::Texte& texte_;
  const text::DiskMenue& disk_;
  std::vector<platform::MenuItem> diskEintraege_;
};

}  // namespace zelo::dialogs
