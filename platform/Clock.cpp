#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace zelo::platform {

uint32_t SystemClock::Millis() {
  using namespace std::chrono;
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace zelo::platform
