#pragma once
// The mixing side of the engine. (To be filled: voices, channels, tempo, devices, export.)

#include "platform/engine/ZeloEngine.h"

namespace zelo::platform::audio {

class MixEngine {
 public:
  explicit MixEngine(const EngineOptions& options);
  ~MixEngine();
};

}  // namespace zelo::platform::audio
