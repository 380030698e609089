#include "setup/ImGuiSetupFenster.h"

#include <SDL.h>
#include <imgui.h>
#include <backends/imgui_impl_sdl.h>

#include <algorithm>
#include <functional>

#include "dialogs/Fortschritt.h"
#include "platform/Fonts.h"
#include "platform/ImGuiHost.h"
#include "platform/Window.h"

namespace zelo::setup {

namespace zp = zelo::platform;

namespace {

/// The frame's size in twips, and the screen's twips per pixel.
constexpr float kRahmenB = 8052, kRahmenH = 2964, kTwips = 15;
/// The dialog's look: black ground, orange captions, white labels.
const ImVec4 kSchwarz(0, 0, 0, 1), kWeiss(1, 1, 1, 1), kOrange(223 / 255.f, 144 / 255.f, 0, 1);
/// The events of one yield are handled at most this often: copying must not wait for drawing.
constexpr uint32_t kYieldAbstandMs = 30;

/// A caption with the program's line breaks (a carriage return) as the display's.
std::string Anzeige(const std::string& ansi) {
  std::string s = zp::Utf8FromAnsi(ansi);
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      r += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      r += s[i];
    }
  }
  return r;
}

ImU32 Farbe(uint32_t argb) {
  return IM_COL32((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, (argb >> 24) & 0xFF);
}

}  // namespace

ImGuiSetupFenster::ImGuiSetupFenster(platform::ImGuiHost& host, platform::Window& fenster)
    : host_(host), fenster_(fenster), pfad_(1024, 0) {}

void ImGuiSetupFenster::Modal(SetupSteuerung& s) {
  imModal_ = true;
  abgebrochen_ = false;
  host_.RunModal([&]() {
    Zeichnen(s);
    return !s.Geschlossen();
  });
  imModal_ = false;
}

void ImGuiSetupFenster::EreignisseLaufen(SetupSteuerung& s) {
  if (!imModal_) {
    host_.RunModal([&]() {
      Zeichnen(s);
      return false;
    });
    return;
  }
  // Called from an event handler inside the dialog's frame: show that frame, take the
  // pending events and begin the next, so the dialog stays drawn and Ende stays usable.
  uint32_t jetzt = SDL_GetTicks();
  if (jetzt - letzterLauf_ < kYieldAbstandMs) return;
  letzterLauf_ = jetzt;
  ImGui::Render();
  fenster_.Present();
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    ImGui_ImplSDL2_ProcessEvent(&e);
    // A press ends the batch, so its release reaches the dialog in a later frame.
    if (e.type == SDL_KEYDOWN || e.type == SDL_MOUSEBUTTONDOWN) break;
  }
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  Zeichnen(s);
}

void ImGuiSetupFenster::Zeichnen(SetupSteuerung& s) {
  const SetupAnsicht& a = s.Ansicht();
  ImGuiIO& io = ImGui::GetIO();
  zp::Rect r = a.Rechteck;
  if (r.Empty()) r = {0, 0, static_cast<int>(io.DisplaySize.x), static_cast<int>(io.DisplaySize.y)};
  // Twips to pixels, grown with the dialog's place so the captions fit at the font's size.
  const float skala = std::clamp(std::min(r.w * 0.96f / (kRahmenB / kTwips), r.h * 0.96f / (kRahmenH / kTwips)), 1.2f, 2.0f);
  auto px = [&](float twips) { return twips / kTwips * skala; };
  const float fb = px(kRahmenB), fh = px(kRahmenH);
  // Captions at a readable size can make the frame wider than its place: the dialog then grows
  // around the place's middle (within the screen), rather than cutting off the frame's edge.
  const int noetig = static_cast<int>(fb) + 16;
  if (r.w < noetig) {
    const int mitte = r.x + r.w / 2;
    r.w = std::min(noetig, static_cast<int>(io.DisplaySize.x));
    r.x = std::clamp(mitte - r.w / 2, 0, std::max(0, static_cast<int>(io.DisplaySize.x) - r.w));
  }
  const ImVec2 rahmen((r.w - fb) / 2, (r.h - fh) / 2 * 2 / 3);

  ImGui::SetNextWindowPos(ImVec2(static_cast<float>(r.x), static_cast<float>(r.y)));
  ImGui::SetNextWindowSize(ImVec2(static_cast<float>(r.w), static_cast<float>(r.h)));
  ImGui::PushStyleColor(ImGuiCol_WindowBg, kSchwarz);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0);
  std::function<void()> ereignis;
  if (ImGui::Begin("###zelo_setup", nullptr,
                   ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings)) {
    ImDrawList* dl = ImGui::GetWindowDrawList();
    const ImVec2 o(r.x + rahmen.x, r.y + rahmen.y);
    auto an = [&](float x, float y) { ImGui::SetCursorPos(ImVec2(rahmen.x + px(x), rahmen.y + px(y))); };
    // The frame: a fixed line with its orange caption set into the top edge.
    std::string titel = Anzeige(a.Rahmentitel);
    ImVec2 ts = ImGui::CalcTextSize(titel.c_str());
    dl->AddRect(ImVec2(o.x, o.y + ts.y / 2), ImVec2(o.x + fb, o.y + fh), IM_COL32(160, 160, 160, 255));
    dl->AddRectFilled(ImVec2(o.x + 10, o.y), ImVec2(o.x + 18 + ts.x, o.y + ts.y), IM_COL32(0, 0, 0, 255));
    dl->AddText(ImVec2(o.x + 14, o.y), ImGui::ColorConvertFloat4ToU32(kOrange), titel.c_str());

    ImGui::BeginDisabled(!a.Aktiv);
    auto label = [&](float x, float y, float w, const std::string& text, const ImVec4& farbe) {
      an(x, y);
      ImGui::PushStyleColor(ImGuiCol_Text, farbe);
      ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + px(w));
      ImGui::TextUnformatted(Anzeige(text).c_str());
      ImGui::PopTextWrapPos();
      ImGui::PopStyleColor();
    };
    if (!a.Label4Sichtbar) label(228, 360, 7632, a.Label2, kWeiss);
    if (a.Label4Sichtbar) label(300, 432, 7452, a.Label4, kWeiss);
    if (a.Label3Sichtbar) label(216, 1776, 3200, a.Label3, kOrange);

    // Black on white fields, as the system's text box and list.
    ImGui::PushStyleColor(ImGuiCol_FrameBg, kWeiss);
    ImGui::PushStyleColor(ImGuiCol_Text, kSchwarz);
    ImGui::PushStyleColor(ImGuiCol_PopupBg, kWeiss);
    if (a.ComboSichtbar) {
      an(360, 1760);
      ImGui::SetNextItemWidth(px(7332));
      std::string eintrag = Anzeige(a.ComboEintrag);
      if (ImGui::BeginCombo("##combo", eintrag.c_str())) {
        ImGui::Selectable(eintrag.c_str(), true);
        ImGui::EndCombo();
      }
    }
    if (a.TexttSichtbar) {
      if (gezeigterPfad_ != a.Textt) {
        // The work changed the path (cleaning, another drive): show its text.
        std::string u = zp::Utf8FromAnsi(a.Textt);
        std::fill(pfad_.begin(), pfad_.end(), 0);
        std::copy_n(u.begin(), std::min(u.size(), pfad_.size() - 1), pfad_.begin());
        gezeigterPfad_ = a.Textt;
      }
      an(180, 2025);
      ImGui::SetNextItemWidth(px(3156));
      ImGui::BeginDisabled(!a.TexttAktiv);
      if (ImGui::InputText("##pfad", pfad_.data(), pfad_.size())) {
        gezeigterPfad_ = zp::AnsiFromUtf8(pfad_.data());
        std::string text = gezeigterPfad_;
        ereignis = [&s, text] { s.Textt_Change(text); };
      }
      ImGui::EndDisabled();
    }
    ImGui::PopStyleColor(3);
    if (a.DriveSichtbar && !a.Laufwerke.empty()) {
      an(192, 2445);
      ImGui::SetNextItemWidth(px(3132));
      ImGui::BeginDisabled(!a.DriveAktiv);
      ImGui::PushStyleColor(ImGuiCol_FrameBg, kSchwarz);
      ImGui::PushStyleColor(ImGuiCol_Border, ImVec4(0.6f, 0.6f, 0.6f, 1));
      ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 1);
      size_t jetzt = std::min(a.LaufwerkNummer, a.Laufwerke.size() - 1);
      if (ImGui::BeginCombo("##drive", zp::Utf8FromAnsi(a.Laufwerke[jetzt].Name).c_str())) {
        for (size_t i = 0; i < a.Laufwerke.size(); ++i) {
          ImGui::PushID(static_cast<int>(i));
          if (ImGui::Selectable(zp::Utf8FromAnsi(a.Laufwerke[i].Name).c_str(), i == jetzt) && i != jetzt) {
            ereignis = [&s, i] { s.Drive_Change(i); };
          }
          ImGui::PopID();
        }
        ImGui::EndCombo();
      }
      ImGui::PopStyleVar();
      ImGui::PopStyleColor(2);
      ImGui::EndDisabled();
    }
    auto knopf = [&](const Knopf& k, const char* id, float x, float y, float w, float h, void (SetupSteuerung::*klick)()) {
      if (!k.Sichtbar) return;
      an(x, y);
      ImGui::BeginDisabled(!k.Aktiv);
      std::string text = Anzeige(k.Text) + "###" + id;
      if (ImGui::Button(text.c_str(), ImVec2(px(w), px(h)))) ereignis = [&s, klick] { (s.*klick)(); };
      ImGui::EndDisabled();
    };
    knopf(a.voll, "voll", 3596, 1836, 2350, 360, &SetupSteuerung::voll_Click);
    knopf(a.mini, "mini", 3596, 2304, 2350, 528, &SetupSteuerung::mini_Click);
    knopf(a.weiter, "weiter", 6420, 2304, 1512, 528, &SetupSteuerung::weiter_Click);
    ImGui::EndDisabled();
    // Ende stays usable while the work runs: it is the way to cancel.
    knopf(a.Ende, "ende", 6420, 1836, 1512, 360, &SetupSteuerung::Ende_Click);

    if (!ereignis && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape), false)) {
      ereignis = [&s] { s.Form_KeyDown(Taste::Escape); };
    }
    if (!ereignis && io.KeyAlt && ImGui::IsKeyPressed(SDL_SCANCODE_F4, false)) {
      ereignis = [&s] { s.Form_KeyDown(Taste::AltF4); };
    }
  }
  ImGui::End();
  ImGui::PopStyleVar(2);
  ImGui::PopStyleColor();
  FortschrittZeichnen(a);
  // The handler runs after the window is complete: it may yield, which begins a new frame.
  if (ereignis) ereignis();
}

void ImGuiSetupFenster::FortschrittZeichnen(const SetupAnsicht& a) {
  if (!a.FortschrittOffen) {
    warOffen_ = false;
    return;
  }
  if (!warOffen_) abgebrochen_ = false;
  warOffen_ = true;
  if (abgebrochen_) return;
  // The progress box's own place and look.
  const dialogs::Fortschrittsgeometrie g = dialogs::FortschrittLayout(fenster_.Width(), fenster_.Height());
  auto v = [](int x, int y) { return ImVec2(static_cast<float>(x), static_cast<float>(y)); };
  ImDrawList* dl = ImGui::GetForegroundDrawList();
  const zp::Rect& f = g.Fenster;
  dl->AddRectFilled(v(f.x, f.y), v(f.x + f.w, f.y + f.h), Farbe(0xFF404040u));
  dl->AddRectFilled(v(f.x + 1, f.y + 1), v(f.x + f.w - 1, f.y + f.h - 1), Farbe(0xFFD4D0C8u));
  const zp::Rect& ra = g.Rahmen;
  dl->AddRectFilled(v(ra.x, ra.y), v(ra.x + ra.w, ra.y + ra.h), Farbe(0xFF404040u));
  dl->AddRectFilled(v(ra.x + 1, ra.y + 1), v(ra.x + ra.w - 1, ra.y + ra.h - 1), Farbe(0xFFFFFFFFu));
  const int breite = std::min(static_cast<int>(std::clamp(a.FortschrittAnteil, 0.0, 1.0) * ra.w), ra.w - 2);
  const zp::Rect& b = g.Balken;
  dl->AddRectFilled(v(b.x, b.y), v(b.x + breite, b.y + b.h - 1), Farbe(0xFF000080u));
  std::string titel = Anzeige(a.FortschrittTitel);
  ImVec2 ts = ImGui::CalcTextSize(titel.c_str());
  const zp::Rect& t = g.Titel;
  dl->AddText(ImVec2(t.x + (t.w - ts.x) / 2, t.y + (t.h - ts.y) / 2), IM_COL32(0, 0, 0, 255), titel.c_str());
  const zp::Rect& k = g.Abbrechen;
  dl->AddRectFilled(v(k.x, k.y), v(k.x + k.w, k.y + k.h), Farbe(0xFF404040u));
  dl->AddRectFilled(v(k.x + 1, k.y + 1), v(k.x + k.w - 1, k.y + k.h - 1), Farbe(0xFFE8E6E0u));
  ImVec2 ks = ImGui::CalcTextSize(AbbrechenText.c_str());
  dl->AddText(ImVec2(k.x + (k.w - ks.x) / 2, k.y + (k.h - ks.y) / 2), IM_COL32(0, 0, 0, 255), AbbrechenText.c_str());
  ImGuiIO& io = ImGui::GetIO();
  if (ImGui::IsMouseClicked(ImGuiMouseButton_Left) &&
      k.Contains(static_cast<int>(io.MousePos.x), static_cast<int>(io.MousePos.y))) {
    abgebrochen_ = true;
  }
}

}  // namespace zelo::setup
