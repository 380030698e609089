#pragma once
// The program's entry in the desktop menu: one desktop entry file that starts the program,
// with actions for setup, the manual and uninstalling. It stands where the program group of
// the window system's program manager stood. UI thread only.

#include <string>

namespace zelo::setup {

/// The entry's file name in the menu folder.
inline constexpr const char* kMenuedatei = "zelo.desktop";

/// What the entry shows and starts. Names are Windows-1252, as the text table gives them.
struct Menueeintrag {
  std::string Name;           ///< the group name (text 88)
  std::string Programm;       ///< the program file
  std::string Symbol;         ///< picture shown beside the name; left out when missing
  std::string SetupName;      ///< text 89: the program started in setup mode
  std::string DeinstallName;  ///< text 92: the program started in uninstall mode
  std::string HandbuchName;   ///< text 91
  std::string Handbuch;       ///< the help file; no action without it
};

/// The entry's text (UTF-8, desktop entry format). Paths are quoted for the Exec key.
std::string MenueeintragText(const Menueeintrag& e);
/// Replaces the entry in `menueordner` (made when missing); false when it could not be written.
bool MenueeintragSchreiben(const std::string& menueordner, const Menueeintrag& e);
/// Removes the entry; true when it is gone.
bool MenueeintragEntfernen(const std::string& menueordner);

}  // namespace zelo::setup
