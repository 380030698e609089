#pragma once
// The one clock of all program code. Tests use ManualClock and advance it themselves.

#include <cstdint>

namespace zelo::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  /// Milliseconds since an arbitrary start; wraps after 49 days like a tick count.
  virtual uint32_t Millis() = 0;
  virtual void Sleep(uint32_t ms) = 0;
};

class SystemClock final : public Clock {
 public:
  uint32_t Millis() override;
  void Sleep(uint32_t ms) override;
};

/// A clock that moves only when the test moves it; Sleep moves it at once.
class ManualClock final : public Clock {
 public:
  uint32_t Millis() override { return now_; }
  void Sleep(uint32_t ms) override { now_ += ms; }
  void Advance(uint32_t ms) { now_ += ms; }

 private:
  uint32_t now_ = 1000;
};

}  // namespace zelo::platform
