#pragma once
// Output devices. Each calls the render function from its own real-time thread with a block of
// interleaved 16-bit stereo frames at 44.1 kHz to fill. This is the only file that knows SDL.

#include <cstdint>
#include <memory>

namespace zelo::platform::audio {

/// Fills `frames` stereo frames; called on the device's thread.
using RenderFn = void (*)(void* user, int16_t* out, int frames);

class OutputDevice {
 public:
  virtual ~OutputDevice() = default;
  /// Frames per callback.
  virtual int BlockFrames() const = 0;
};

/// The SDL output at 44,100 Hz, 16-bit stereo, `blockFrames` a callback; null when none opens.
std::unique_ptr<OutputDevice> OpenSdlOutput(RenderFn render, void* user, int blockFrames);
/// No output: a thread renders and discards blocks at the pace of the system clock.
std::unique_ptr<OutputDevice> OpenNullOutput(RenderFn render, void* user, int blockFrames);

}  // namespace zelo::platform::audio
