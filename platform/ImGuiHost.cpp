#include "platform/ImGuiHost.h"

#include <SDL.h>
#include <imgui.h>
#include <backends/imgui_impl_sdl.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/Fonts.h"
#include "platform/Window.h"

namespace zelo::platform {

struct ImGuiHost::Impl {
  ImGuiContext* context = nullptr;
  SDL_Texture* fontTexture = nullptr;
  SDL_Renderer* renderer = nullptr;
  bool quitRequested = false;
};

namespace {

// Dear ImGui's draw lists rendered with SDL_RenderGeometry (the library ships no renderer backend here).
void RenderDrawData(SDL_Renderer* renderer, ImDrawData* data) {
  if (!renderer || !data) return;
  SDL_Rect oldClip;
  SDL_bool hadClip = SDL_RenderIsClipEnabled(renderer);
  SDL_RenderGetClipRect(renderer, &oldClip);
  // Shapes without a texture take the renderer's blend mode: blend them, like the textured ones.
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  for (int n = 0; n < data->CmdListsCount; ++n) {
    const ImDrawList* list = data->CmdLists[n];
    const ImDrawVert* vtx = list->VtxBuffer.Data;
    const ImDrawIdx* idx = list->IdxBuffer.Data;
    for (const ImDrawCmd& cmd : list->CmdBuffer) {
      if (cmd.UserCallback) {
        cmd.UserCallback(list, &cmd);
        continue;
      }
      SDL_Rect clip{static_cast<int>(cmd.ClipRect.x), static_cast<int>(cmd.ClipRect.y),
                    static_cast<int>(cmd.ClipRect.z - cmd.ClipRect.x), static_cast<int>(cmd.ClipRect.w - cmd.ClipRect.y)};
      if (clip.w <= 0 || clip.h <= 0) continue;
      SDL_RenderSetClipRect(renderer, &clip);
      const ImDrawVert* v = vtx + cmd.VtxOffset;
      SDL_RenderGeometryRaw(renderer, static_cast<SDL_Texture*>(cmd.GetTexID()),
                            &v->pos.x, sizeof(ImDrawVert), reinterpret_cast<const SDL_Color*>(&v->col),
                            sizeof(ImDrawVert), &v->uv.x, sizeof(ImDrawVert),
                            static_cast<int>(list->VtxBuffer.Size - cmd.VtxOffset), idx + cmd.IdxOffset,
                            static_cast<int>(cmd.ElemCount), sizeof(ImDrawIdx));
    }
  }
  SDL_RenderSetClipRect(renderer, hadClip ? &oldClip : nullptr);
}

void ApplyStyle() {
  ImGuiStyle& s = ImGui::GetStyle();
  ImGui::StyleColorsDark(&s);
  s.WindowRounding = 6.0f;
  s.FrameRounding = 4.0f;
  s.PopupRounding = 4.0f;
  s.WindowPadding = ImVec2(16, 14);
  s.FramePadding = ImVec2(12, 6);
  s.ItemSpacing = ImVec2(10, 10);
  s.WindowBorderSize = 1.0f;
  ImVec4* c = s.Colors;
  c[ImGuiCol_WindowBg] = ImVec4(0.11f, 0.12f, 0.14f, 0.98f);
  c[ImGuiCol_PopupBg] = ImVec4(0.13f, 0.14f, 0.17f, 0.98f);
  c[ImGuiCol_TitleBg] = c[ImGuiCol_TitleBgActive] = ImVec4(0.16f, 0.18f, 0.22f, 1.0f);
  c[ImGuiCol_Border] = ImVec4(0.30f, 0.34f, 0.40f, 1.0f);
  c[ImGuiCol_Button] = ImVec4(0.20f, 0.23f, 0.28f, 1.0f);
  c[ImGuiCol_ButtonHovered] = ImVec4(0.95f, 0.55f, 0.15f, 0.85f);
  c[ImGuiCol_ButtonActive] = ImVec4(1.00f, 0.62f, 0.20f, 1.0f);
  c[ImGuiCol_Header] = ImVec4(0.95f, 0.55f, 0.15f, 0.45f);
  c[ImGuiCol_HeaderHovered] = ImVec4(0.95f, 0.55f, 0.15f, 0.80f);
  c[ImGuiCol_CheckMark] = ImVec4(1.00f, 0.65f, 0.25f, 1.0f);
  c[ImGuiCol_FrameBg] = ImVec4(0.07f, 0.08f, 0.10f, 1.0f);
  c[ImGuiCol_ModalWindowDimBg] = ImVec4(0.0f, 0.0f, 0.0f, 0.0f);
}

// Boxes are plain windows, not ImGui modals: the box is modal by its own loop, and a modal's
// dimming layer would be painted opaque by SDL's software renderer, which ignores vertex alpha.
constexpr ImGuiWindowFlags kBoxFlags = ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoCollapse |
                                       ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings;

std::vector<std::pair<const char*, Answer>> ButtonSet(Buttons b) {
  switch (b) {
    case Buttons::OK: return {{"OK", Answer::OK}};
    case Buttons::OKCancel: return {{"OK", Answer::OK}, {"Cancel", Answer::Cancel}};
    case Buttons::YesNo: return {{"Yes", Answer::Yes}, {"No", Answer::No}};
    case Buttons::YesNoCancel: return {{"Yes", Answer::Yes}, {"No", Answer::No}, {"Cancel", Answer::Cancel}};
    case Buttons::RetryCancel: return {{"Retry", Answer::Retry}, {"Cancel", Answer::Cancel}};
  }
  return {{"OK", Answer::OK}};
}

// The answer Escape gives: Cancel or No where the box has one.
std::optional<Answer> EscapeAnswer(Buttons b) {
  switch (b) {
    case Buttons::OK: return Answer::OK;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
  }
}

void DrawIcon(Icon icon) {
  if (icon == Icon::None) return;
  ImDrawList* dl = ImGui::GetWindowDrawList();
  ImVec2 p = ImGui::GetCursorScreenPos();
  float r = 16.0f;
  ImU32 col = icon == Icon::Critical      ? IM_COL32(220, 60, 60, 255)
              : icon == Icon::Exclamation ? IM_COL32(240, 160, 40, 255)
                                          : IM_COL32(70, 140, 230, 255);
  ImVec2 centre(p.x + r, p.y + r);
  dl->AddCircleFilled(centre, r, col, 32);
  const char* glyph = icon == Icon::Question ? "?" : icon == Icon::Information ? "i" : "!";
  ImVec2 ts = ImGui::CalcTextSize(glyph);
  dl->AddText(ImVec2(centre.x - ts.x / 2, centre.y - ts.y / 2), IM_COL32(20, 20, 24, 255), glyph);
  ImGui::Dummy(ImVec2(2 * r, 2 * r));
  ImGui::SameLine(0, 14);
}

bool DrawMenu(const std::vector<MenuItem>& items, int& chosen) {
  for (const MenuItem& item : items) {
    std::string text = Utf8FromAnsi(item.text);
    if (item.separator) {
      ImGui::Separator();
    } else if (!item.sub.empty()) {
      if (ImGui::BeginMenu(text.c_str(), item.enabled)) {
        if (DrawMenu(item.sub, chosen)) {
          ImGui::EndMenu();
          return true;
        }
        ImGui::EndMenu();
      }
    } else if (ImGui::MenuItem(text.c_str(), nullptr, item.checked, item.enabled)) {
      chosen = item.id;
      return true;
    }
  }
  return false;
}

}  // namespace

ImGuiHost::ImGuiHost(Window& window, std::function<void()> idle)
    : impl_(std::make_unique<Impl>()), window_(window), idle_(std::move(idle)) {
  IMGUI_CHECKVERSION();
  impl_->context = ImGui::CreateContext();
  ImGui::SetCurrentContext(impl_->context);
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // the program writes no settings of its own beside its state file
  ApplyStyle();
  std::string font = Fonts::ResolveFile("Liberation Sans", false);
  if (!font.empty()) io.Fonts->AddFontFromFileTTF(font.c_str(), 17.0f);
  impl_->renderer = window.Renderer();
  if (window.Sdl()) ImGui_ImplSDL2_InitForSDLRenderer(window.Sdl());
  unsigned char* pixels = nullptr;
  int w = 0, h = 0;
  io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);
  if (impl_->renderer) {
    impl_->fontTexture = SDL_CreateTexture(impl_->renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, w, h);
    if (impl_->fontTexture) {
      SDL_UpdateTexture(impl_->fontTexture, nullptr, pixels, w * 4);
      SDL_SetTextureBlendMode(impl_->fontTexture, SDL_BLENDMODE_BLEND);
    }
  }
  io.Fonts->SetTexID(static_cast<ImTextureID>(impl_->fontTexture));
}

ImGuiHost::~ImGuiHost() {
  window_.overlayDraw = nullptr;
  ImGui::SetCurrentContext(impl_->context);
  if (window_.Sdl()) ImGui_ImplSDL2_Shutdown();
  if (impl_->fontTexture) SDL_DestroyTexture(impl_->fontTexture);
  ImGui::DestroyContext(impl_->context);
}

bool ImGuiHost::ProcessEvent(const SDL_Event& event) {
  if (depth_ == 0) return false;
  ImGui::SetCurrentContext(impl_->context);
  ImGui_ImplSDL2_ProcessEvent(&event);
  return true;
}

void ImGuiHost::RunModal(const std::function<bool()>& frame) {
  ImGui::SetCurrentContext(impl_->context);
  ++depth_;
  bool wasVisible = window_.Visible();
  if (!wasVisible) window_.Show();
  SDL_ShowCursor(SDL_ENABLE);
  window_.overlayDraw = [this](SDL_Renderer* r) { RenderDrawData(r, ImGui::GetDrawData()); };
  bool running = true;
  while (running) {
    SDL_Event e;
    // Wait briefly for input, so the dialog does not burn a core while the main loop's pass
    // (which keeps the mix fed) still runs every few milliseconds. A press ends the batch: its
    // release must reach the dialog in a later frame, or a quick key tap would be lost.
    if (SDL_WaitEventTimeout(&e, 8)) {
      do {
        ImGui_ImplSDL2_ProcessEvent(&e);
        if (e.type == SDL_KEYDOWN || e.type == SDL_MOUSEBUTTONDOWN) break;
      } while (SDL_PollEvent(&e));
    }
    if (idle_) idle_();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    running = frame();
    ImGui::Render();
    window_.Present();
  }
  // One more frame with nothing in it, so the dialog's picture leaves the screen.
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  ImGui::Render();
  window_.Present();
  if (--depth_ == 0) window_.overlayDraw = nullptr;
  window_.InvalidateAll();
}

Answer ImGuiHost::MessageBox(const MessageRequest& request) {
  auto buttons = ButtonSet(request.buttons);
  int def = std::clamp(request.defaultButton, 1, static_cast<int>(buttons.size())) - 1;
  std::optional<Answer> answer;
  std::string title = Utf8FromAnsi(request.title.empty() ? std::string(" ") : request.title) + "###zelo_message";
  std::string prompt = Utf8FromAnsi(request.prompt);
  bool first = true;
  RunModal([&]() {
    ImGuiIO& io = ImGui::GetIO();
    ImGui::SetNextWindowPos(ImVec2(io.DisplaySize.x / 2, io.DisplaySize.y / 2), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    ImGui::SetNextWindowSizeConstraints(ImVec2(320, 0), ImVec2(io.DisplaySize.x * 0.8f, io.DisplaySize.y * 0.8f));
    if (first) ImGui::SetNextWindowFocus();
    if (ImGui::Begin(title.c_str(), nullptr, kBoxFlags)) {
      DrawIcon(request.icon);
      ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + 460);
      ImGui::TextUnformatted(prompt.c_str());
      ImGui::PopTextWrapPos();
      ImGui::Spacing();
      for (size_t i = 0; i < buttons.size(); ++i) {
        if (i) ImGui::SameLine();
        if (static_cast<int>(i) == def && first) ImGui::SetKeyboardFocusHere();
        if (ImGui::Button(buttons[i].first, ImVec2(96, 0))) answer = buttons[i].second;
      }
      if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter))) answer = buttons[static_cast<size_t>(def)].second;
      if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape))) answer = EscapeAnswer(request.buttons);
    }
    ImGui::End();
    first = false;
    return !answer.has_value();
  });
  return answer.value_or(DefaultAnswer(request));
}

int ImGuiHost::PopupMenu(const std::vector<MenuItem>& items, int x, int y) {
  int chosen = 0;
  bool first = true, open = true;
  RunModal([&]() {
    if (first) {
      ImGui::SetNextWindowPos(ImVec2(static_cast<float>(x), static_cast<float>(y)));
      ImGui::OpenPopup("###zelo_menu");
    }
    first = false;
    if (ImGui::BeginPopup("###zelo_menu")) {
      if (DrawMenu(items, chosen)) ImGui::CloseCurrentPopup();
      ImGui::EndPopup();
    } else {
      open = false;
    }
    return open && chosen == 0;
  });
  return chosen;
}

std::optional<std::string> ImGuiHost::InputBox(const std::string& prompt, const std::string& title,
                                               const std::string& preset) {
  std::string label = Utf8FromAnsi(title.empty() ? std::string(" ") : title) + "###zelo_input";
  std::string text = Utf8FromAnsi(prompt);
  std::vector<char> buffer(512, 0);
  std::string start = Utf8FromAnsi(preset);
  std::copy_n(start.begin(), std::min(start.size(), buffer.size() - 1), buffer.begin());
  std::optional<std::string> result;
  bool done = false, first = true;
  RunModal([&]() {
    ImGuiIO& io = ImGui::GetIO();
    ImGui::SetNextWindowPos(ImVec2(io.DisplaySize.x / 2, io.DisplaySize.y / 2), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    if (first) ImGui::SetNextWindowFocus();
    if (ImGui::Begin(label.c_str(), nullptr, kBoxFlags)) {
      ImGui::TextUnformatted(text.c_str());
      if (first) ImGui::SetKeyboardFocusHere();
      ImGui::SetNextItemWidth(420);
      bool enter = ImGui::InputText("##text", buffer.data(), buffer.size(), ImGuiInputTextFlags_EnterReturnsTrue);
      if (ImGui::Button("OK", ImVec2(96, 0)) || enter) {
        result = AnsiFromUtf8(buffer.data());
        done = true;
      }
      ImGui::SameLine();
      if (ImGui::Button("Cancel", ImVec2(96, 0)) || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape))) done = true;
    }
    ImGui::End();
    first = false;
    return !done;
  });
  return result;
}

}  // namespace zelo::platform
