#pragma once
// The setup dialog as a Dear ImGui window over the program's window, run modally by the
// program's dialog host, with the progress box drawn over it while the cache is filled.
// UI thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "setup/SetupFenster.h"

namespace zelo::platform {
class ImGuiHost;
class Window;
}  // namespace zelo::platform

namespace zelo::setup {

class ImGuiSetupFenster final : public SetupFenster {
 public:
  ImGuiSetupFenster(platform::ImGuiHost& host, platform::Window& fenster);

  void Modal(SetupSteuerung& steuerung) override;
  void EreignisseLaufen(SetupSteuerung& steuerung) override;
  bool FortschrittAbgebrochen() override { return abgebrochen_; }

  /// Text of the progress box's Cancel button.
  std::string AbbrechenText = "Cancel";

 private:
  /// Draws the dialog into the current frame and reports what the user did.
  void Zeichnen(SetupSteuerung& s);
  void FortschrittZeichnen(const SetupAnsicht& a);

  platform::ImGuiHost& host_;
  platform::Window& fenster_;
  bool imModal_ = false;
  bool abgebrochen_ = false;
  bool warOffen_ = false;
  uint32_t letzterLauf_ = 0;
  std::vector<char> pfad_;  ///< the text box's buffer (UTF-8)
  std::string gezeigterPfad_;
};

}  // namespace zelo::setup
