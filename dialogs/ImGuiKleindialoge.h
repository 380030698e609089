#pragma once
// The input box and the help prompt as Dear ImGui windows of the real program, run modally
// through the platform's ImGui host so the main loop keeps serving playback underneath.

#include "dialogs/Kleindialoge.h"

namespace zelo::platform {
class ImGuiHost;
}

namespace zelo::dialogs {

class ImGuiKleindialoge final : public Kleindialoge {
 public:
  explicit ImGuiKleindialoge(platform::ImGuiHost& host) : host_(host) {}
  bool Eingabebox(Eingabefelder& felder) override;
  Hilfeantwort Hilfefrage(const Hilfefelder& felder) override;

 private:
  platform::ImGuiHost& host_;
};

}  // namespace zelo::dialogs
