#include "dialogs/ImGuiKleindialoge.h"

#include <imgui.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/Fonts.h"
#include "platform/ImGuiHost.h"

namespace zelo::dialogs {

namespace {

constexpr ImGuiWindowFlags kFest = ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoCollapse |
                                   ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                                   ImGuiWindowFlags_NoSavedSettings;

// A text field's buffer: the longest line a sample keeps and some room to type past it.
using Puffer = std::array<char, 1024>;

void Fuellen(Puffer& p, const std::string& ansi) {
  const std::string utf8 = platform::Utf8FromAnsi(ansi);
  std::strncpy(p.data(), utf8.c_str(), p.size() - 1);
  p.back() = '\0';
}

void Mittig() {
  const ImGuiIO& io = ImGui::GetIO();
  ImGui::SetNextWindowPos(ImVec2(io.DisplaySize.x / 2, io.DisplaySize.y / 2), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
}

bool Taste(ImGuiKey k) { return ImGui::IsKeyPressed(ImGui::GetKeyIndex(k)); }

}  // namespace

bool ImGuiKleindialoge::Eingabebox(Eingabefelder& felder) {
  Puffer feld1{}, feld2{};
  Fuellen(feld1, felder.Feld1);
  Fuellen(feld2, felder.Feld2);
  const std::string ueberschrift = platform::Utf8FromAnsi(felder.Ueberschrift);
  const std::string label1 = platform::Utf8FromAnsi(felder.Label1), label2 = platform::Utf8FromAnsi(felder.Label2);
  const std::string info = platform::Utf8FromAnsi(felder.Info);
  const std::string abbrechen = platform::Utf8FromAnsi(felder.Abbrechen) + "###abbrechen";
  const std::string ok = platform::Utf8FromAnsi(felder.OK) + "###ok";
  bool erstes = true, fertig = false, bestaetigt = false;
  host_.RunModal([&]() {
    Mittig();
    if (erstes) ImGui::SetNextWindowFocus();
    if (ImGui::Begin("###zelo_eingabe", nullptr, kFest | ImGuiWindowFlags_NoTitleBar)) {
      ImGui::TextUnformatted(ueberschrift.c_str());
      ImGui::Spacing();
      ImGui::TextUnformatted(label1.c_str());
      if (erstes) ImGui::SetKeyboardFocusHere();
      ImGui::SetNextItemWidth(420);
      bool enter = ImGui::InputText("##feld1", feld1.data(), feld1.size(), ImGuiInputTextFlags_EnterReturnsTrue);
      ImGui::TextUnformatted(label2.c_str());
      ImGui::SetNextItemWidth(420);
      enter |= ImGui::InputText("##feld2", feld2.data(), feld2.size(), ImGuiInputTextFlags_EnterReturnsTrue);
      const float infoBreite = ImGui::CalcTextSize(info.c_str()).x;
      ImGui::SetCursorPosX(std::max(ImGui::GetStyle().WindowPadding.x, (ImGui::GetWindowWidth() - infoBreite) / 2));
      ImGui::TextDisabled("%s", info.c_str());
      ImGui::Spacing();
      if (ImGui::Button(abbrechen.c_str(), ImVec2(110, 0)) || Taste(ImGuiKey_Escape)) fertig = true;
      ImGui::SameLine(ImGui::GetWindowWidth() - 110 - ImGui::GetStyle().WindowPadding.x);
      if (ImGui::Button(ok.c_str(), ImVec2(110, 0)) || enter) fertig = bestaetigt = true;
    }
    ImGui::End();
    erstes = false;
    return !fertig;
  });
  if (!bestaetigt) return false;
  felder.Feld1 = platform::AnsiFromUtf8(feld1.data());
  felder.Feld2 = platform::AnsiFromUtf8(feld2.data());
  return true;
}

Hilfeantwort ImGuiKleindialoge::Hilfefrage(const Hilfefelder& felder) {
  const std::string titel = platform::Utf8FromAnsi(felder.Titel) + "###zelo_hilfe";
  const std::string frage = platform::Utf8FromAnsi(felder.Frage);
  const std::string hilfe = platform::Utf8FromAnsi(felder.HilfeKnopf) + "###hilfe";
  const std::string ok = platform::Utf8FromAnsi(felder.OK) + "###ok";
  const std::string option = platform::Utf8FromAnsi(felder.Option) + "###option";
  Hilfeantwort a{felder.OptionAn, false};
  bool erstes = true, fertig = false;
  host_.RunModal([&]() {
    Mittig();
    if (erstes) ImGui::SetNextWindowFocus();
    if (ImGui::Begin(titel.c_str(), nullptr, kFest)) {
      ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + 420);
      ImGui::TextUnformatted(frage.c_str());
      ImGui::PopTextWrapPos();
      ImGui::Spacing();
      if (ImGui::Button(hilfe.c_str(), ImVec2(200, 0))) {
        a.HilfeOeffnen = true;
        fertig = true;
      }
      ImGui::SameLine();
      if (erstes) ImGui::SetKeyboardFocusHere();
      if (ImGui::Button(ok.c_str(), ImVec2(110, 0)) || Taste(ImGuiKey_Enter)) fertig = true;
      ImGui::Checkbox(option.c_str(), &a.OptionAn);
      if (Taste(ImGuiKey_Escape)) {
        a.OptionAn = felder.OptionAn;  // Escape leaves the option as it was
        fertig = true;
      }
    }
    ImGui::End();
    erstes = false;
    return !fertig;
  });
  return a;
}

}  // namespace zelo::dialogs
