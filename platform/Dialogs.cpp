#include "platform/Dialogs.h"

namespace zelo::platform {

Answer DefaultAnswer(const MessageRequest& request) {
  int d = request.defaultButton;
  switch (request.buttons) {
    case Buttons::OK: return Answer::OK;
    case Buttons::OKCancel: return d == 2 ? Answer::Cancel : Answer::OK;
    case Buttons::YesNo: return d == 2 ? Answer::No : Answer::Yes;
    case Buttons::YesNoCancel: return d == 3 ? Answer::Cancel : d == 2 ? Answer::No : Answer::Yes;
    case Buttons::RetryCancel: return d == 2 ? Answer::Cancel : Answer::Retry;
  }
  return Answer::OK;
}

Answer ScriptedDialogs::MessageBox(const MessageRequest& request) {
  ShownDialog shown{"message", request, {}};
  shown_.push_back(shown);
  if (onShow) onShow(shown);
  if (answers_.empty()) return DefaultAnswer(request);
  Answer a = answers_.front();
  answers_.pop_front();
  return a;
}

int ScriptedDialogs::PopupMenu(const std::vector<MenuItem>& items, int, int) {
  ShownDialog shown{"menu", {}, items};
  shown_.push_back(shown);
  if (onShow) onShow(shown);
  if (menuChoices_.empty()) return 0;
  int id = menuChoices_.front();
  menuChoices_.pop_front();
  return id;
}

std::optional<std::string> ScriptedDialogs::InputBox(const std::string& prompt, const std::string& title,
                                                     const std::string&) {
  ShownDialog shown{"input", {prompt, title, Buttons::OKCancel, Icon::None, 1}, {}};
  shown_.push_back(shown);
  if (onShow) onShow(shown);
  if (inputs_.empty()) return std::nullopt;
  auto v = inputs_.front();
  inputs_.pop_front();
  return v;
}

}  // namespace zelo::platform
