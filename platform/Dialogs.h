#pragma once
// Message boxes, popup menus and the small modal dialogs all go through one DialogHost, so
// that tests answer them from a script and read what was shown. Texts are Windows-1252, as
// they come from the text table; the host converts them for display.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelo::platform {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Exclamation, Question, Information, Critical };
/// Answers carry the values of the system message box (IDOK 1 ... IDNO 7).
enum class Answer { OK = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

struct MessageRequest {
  std::string prompt;
  std::string title;
  Buttons buttons = Buttons::OK;
  Icon icon = Icon::None;
  int defaultButton = 1;  ///< 1-based position of the default button
};

struct MenuItem {
  int id = 0;  ///< returned when chosen; 0 for separators and submenu heads
  std::string text;
  bool checked = false;
  bool enabled = true;
  bool separator = false;
  std::vector<MenuItem> sub;
};

/// One request the host was asked to show, as a test reads it back.
struct ShownDialog {
  std::string kind;  ///< "message", "menu", "input"
  MessageRequest message;
  std::vector<MenuItem> menu;
};

class DialogHost {
 public:
  virtual ~DialogHost() = default;
  /// Modal message box; the program's main loop keeps running while it is open.
  virtual Answer MessageBox(const MessageRequest& request) = 0;
  /// Popup menu at the pointer (x, y in window pixels); the chosen id, 0 when dismissed.
  virtual int PopupMenu(const std::vector<MenuItem>& items, int x, int y) = 0;
  /// Text input box; nullopt when cancelled.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& preset) = 0;
};

/// Answers from a script, in order. An unscripted message box takes its default button,
/// an unscripted menu is dismissed and an unscripted input box is cancelled; every request is logged.
class ScriptedDialogs final : public DialogHost {
 public:
  void QueueAnswer(Answer a) { answers_.push_back(a); }
  void QueueMenuChoice(int id) { menuChoices_.push_back(id); }
  void QueueInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
  /// Called with each request before it is answered, for tests that act while a box is open.
  std::function<void(const ShownDialog&)> onShow;

  Answer MessageBox(const MessageRequest& request) override;
  int PopupMenu(const std::vector<MenuItem>& items, int x, int y) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& preset) override;

  const std::vector<ShownDialog>& Shown() const { return shown_; }

 private:
  std::deque<Answer> answers_;
  std::deque<int> menuChoices_;
  std::deque<std::optional<std::string>> inputs_;
  std::vector<ShownDialog> shown_;
};

/// Answers every box with OK, dismisses menus and cancels inputs, and keeps no record: for
/// fuzzing readers, where long inputs must stay cheap.
class SilentDialogs final : public DialogHost {
 public:
  Answer MessageBox(const MessageRequest&) override { return Answer::OK; }
  int PopupMenu(const std::vector<MenuItem>&, int, int) override { return 0; }
  std::optional<std::string> InputBox(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
};

/// The answer a box gives when its default button is taken.
Answer DefaultAnswer(const MessageRequest& request);

}  // namespace zelo::platform
