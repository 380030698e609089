// The main of every test program: each test runs with a fresh HOME, XDG_CONFIG_HOME and
// TMPDIR of its own, removed again when the test passed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "tests/support/TestEnv.h"

namespace {

class FreshHomeListener final : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override { zelo::test::MakeFreshHome(); }
  void OnTestEnd(const testing::TestInfo& info) override {
    if (info.result() && info.result()->Passed()) zelo::test::RemoveFreshHome();
  }
};

}  // namespace

// Memory that the system's graphics, font and display libraries keep until the process ends
// is theirs, not Zelo's.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libGL\nleak:libGLX\nleak:libEGL\nleak:libGLdispatch\nleak:_dri.so\nleak:libgallium\n"
         "leak:libLLVM\nleak:libX11\nleak:libxcb\nleak:libfontconfig\nleak:libdbus\n";
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Offscreen windows draw with SDL's software renderer; without this SDL would also load the
  // system's EGL driver, which keeps memory to the end of the process.
  setenv("SDL_VIDEO_EGL_DRIVER", "none", 0);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshHomeListener);
  return RUN_ALL_TESTS();
}
