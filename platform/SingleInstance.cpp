#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

extern char** environ;

namespace zelo::platform {
namespace {

bool FillAddress(sockaddr_un& addr, const std::string& path) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace

SingleInstance::SingleInstance(const std::string& folder)
    : lockPath_(folder + "zelo.lock"), socketPath_(folder + "zelo.sock") {
  lockFd_ = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lockFd_ < 0) {
    first_ = true;  // without a lock there is no way to know: never refuse to start
    return;
  }
  first_ = ::flock(lockFd_, LOCK_EX | LOCK_NB) == 0;
  if (!first_) return;
  ::unlink(socketPath_.c_str());
  sockaddr_un addr;
  if (!FillAddress(addr, socketPath_)) return;
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return;
  if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 4) != 0) {
    ::close(listenFd_);
    listenFd_ = -1;
  }
}

SingleInstance::~SingleInstance() {
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    ::unlink(socketPath_.c_str());
  }
  if (lockFd_ >= 0) ::close(lockFd_);  // closing releases the lock
}

bool SingleInstance::AskFirstToFront() {
  sockaddr_un addr;
  if (!FillAddress(addr, socketPath_)) return false;
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && ::write(fd, "front\n", 6) == 6;
  ::close(fd);
  return ok;
}

bool SingleInstance::FrontRequested() {
  if (listenFd_ < 0) return false;
  bool asked = false;
  for (;;) {
    int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) break;
    asked = true;
    ::close(fd);
  }
  return asked;
}

bool OpenWithDesktop(const std::string& path) {
  const char* argv[] = {"xdg-open", path.c_str(), nullptr};
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  int rc = posix_spawnp(&pid, "xdg-open", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  // xdg-open hands the file on and ends at once; reap it so it leaves no zombie.
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace zelo::platform
