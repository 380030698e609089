#pragma once
// One Zelo per user: a lock in the temp folder, and a local socket through which a second
// start asks the first to come to the front before it ends. UI thread only.

#include <string>

namespace zelo::platform {

class SingleInstance {
 public:
  /// Takes the lock in `folder` (the per-user temp folder, ends with "/").
  explicit SingleInstance(const std::string& folder);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  /// True when this is the only running instance.
  bool First() const { return first_; }
  /// For a second instance: asks the first to come to the front. True when it answered.
  bool AskFirstToFront();
  /// For the first instance: true when another start asked it to come to the front since the last call.
  bool FrontRequested();

 private:
  std::string lockPath_, socketPath_;
  int lockFd_ = -1;
  int listenFd_ = -1;
  bool first_ = false;
};

/// Opens a file or folder with the desktop's program for it (xdg-open), without waiting.
bool OpenWithDesktop(const std::string& path);

}  // namespace zelo::platform
