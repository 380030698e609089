// The rows of the call contract that make sound, forwarded to the mixing engine.
#include "platform/audio/MixEngine.h"
#include "platform/engine/ZeloEngine.h"

namespace zelo::platform {

int32_t ZeloEngine::AInit(Window*) { return 0; }
int32_t ZeloEngine::DStart(int32_t) { return 0; }
int32_t ZeloEngine::AStop() { return 0; }
void ZeloEngine::ADSoff() {}
void ZeloEngine::AExit() {}
void ZeloEngine::AEnd() {}
int32_t ZeloEngine::APlay(int32_t, const MappedFile*, const MappedFile*, int64_t, int64_t, int32_t&, std::string&,
                          int32_t, int64_t, int64_t, int64_t, int32_t) {
  return 0;
}
void ZeloEngine::AStart(int64_t) {}
void ZeloEngine::APos(int64_t) {}
int32_t ZeloEngine::AGetTime(int32_t) { return 0; }
void ZeloEngine::ASetFader(int32_t, int32_t) {}
void ZeloEngine::RTimer() {}
void ZeloEngine::DPlayUpdate() {}
void ZeloEngine::AMitte(int32_t, int32_t) {}
void ZeloEngine::RWaveParam(int32_t, int32_t) {}
void ZeloEngine::ASetPitch(int32_t) {}
int32_t ZeloEngine::ALautGet(int32_t) { return 26800; }
void ZeloEngine::ALautSet(int32_t) {}
int32_t ZeloEngine::REffekt(const std::string&, int32_t) { return 0; }
int32_t ZeloEngine::RDrum(const std::string&, int32_t, int32_t) { return 0; }
int32_t ZeloEngine::RWaveLaden(const std::string&, int32_t, const MappedFile*, int64_t, int64_t) { return 0; }
void ZeloEngine::RWaveStop() {}
int32_t ZeloEngine::RWavToTemp(const std::string&, const std::string&, int32_t, const MappedFile*, int64_t, int64_t,
                               int32_t) {
  return 0;
}
int32_t ZeloEngine::ARecTest(const std::string&) { return 0; }
int32_t ZeloEngine::ARecDuplex(const std::string&) { return 0; }
void ZeloEngine::ARecStop() {}
int32_t ZeloEngine::ARecTimer() { return 0; }
int32_t ZeloEngine::ARecPegel(int32_t) { return 0; }
void ZeloEngine::ARecInput(int32_t) {}
int32_t ZeloEngine::AGetInput() { return 0; }
int64_t ZeloEngine::AWaveDauer(const std::string&) { return 0; }
int64_t ZeloEngine::BWaveDauer(const MappedFile*, int64_t, int32_t) { return 0; }
int32_t ZeloEngine::AExport(const std::string&, int64_t) { return 0; }

}  // namespace zelo::platform
