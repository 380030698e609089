#pragma once
// The help prompt (element 65 or F1) with its hover-help option, and the hover help tip that
// the timer shows over Help elements. The tip is drawn into the window's HelpTip layer.
// UI thread only.

#include <functional>
#include <string>

#include "platform/Fonts.h"
#include "platform/Window.h"

namespace zelo::text {
class Texte;
}

namespace zelo::dialogs {

class Kleindialoge;

/// Shows the help prompt with the option as it is. A changed option is stored and reported
/// (the caller then marks the catalogue changed, so the state file keeps it). The help-file
/// button hands `hilfedatei` to `oeffnen`. Returns true when the option changed.
bool HilfefrageZeigen(const text::Texte& texte, Kleindialoge& dialoge, bool& option, const std::string& hilfedatei,
                      const std::function<void(const std::string&)>& oeffnen);

class Hilfetip {
 public:
  Hilfetip(platform::Window* fenster, platform::Fonts& fonts);

  /// Font role 2 of the current Aufloesungsindex.
  platform::FontSpec Schrift;
  int32_t LayoutBreite = 640;
  int32_t VersatzX = 0, VersatzY = 0;
  /// Redraws the sample editor after the tip went away.
  std::function<void()> editorNeuZeichnen;

  /// Shows `text` (lines split at line breaks) near layout point (x, y).
  void HilfeZeigen(int32_t x, int32_t y, const std::string& text);
  /// Hides the tip if it is shown.
  void HilfeVerbergen();

  bool Sichtbar() const { return sichtbar_; }
  /// Where the tip is, in window pixels.
  platform::Rect Bereich() const { return bereich_; }

 private:
  platform::Window* fenster_;
  platform::Fonts& fonts_;
  bool sichtbar_ = false;
  platform::Rect bereich_;
};

}  // namespace zelo::dialogs
