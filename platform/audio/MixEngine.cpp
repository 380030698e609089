#include "platform/audio/MixEngine.h"

namespace zelo::platform::audio {
MixEngine::MixEngine(const EngineOptions&) {}
MixEngine::~MixEngine() = default;
}  // namespace zelo::platform::audio
