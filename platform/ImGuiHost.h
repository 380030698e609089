#pragma once
// The dialogs of the real window: message boxes, popup menus and the input box as Dear ImGui
// windows over the program's window, styled like the program. Each runs modally: it keeps
// pumping events and calls `idle` once a frame so the program's main loop work (playback,
// fades) goes on underneath. UI thread only.

#include <functional>
#include <memory>

#include "platform/Dialogs.h"

union SDL_Event;

namespace zelo::platform {

class Window;

class ImGuiHost final : public DialogHost {
 public:
  ImGuiHost(Window& window, std::function<void()> idle);
  ~ImGuiHost() override;

  Answer MessageBox(const MessageRequest& request) override;
  int PopupMenu(const std::vector<MenuItem>& items, int x, int y) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& preset) override;

  /// Runs a modal dialog of a later subsystem: `frame` draws it (between NewFrame and Render)
  /// and returns false when the dialog is done.
  void RunModal(const std::function<bool()>& frame);
  /// Feeds an event to the dialogs; true when a dialog took it.
  bool ProcessEvent(const SDL_Event& event);
  bool Open() const { return depth_ > 0; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  Window& window_;
  std::function<void()> idle_;
  int depth_ = 0;
};

}  // namespace zelo::platform
