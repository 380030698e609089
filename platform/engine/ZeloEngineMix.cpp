// The rows of the call contract that make sound, forwarded to the mixing engine. The sound-tool
// and recording rows answer as an engine without those tools does; the tools arrive as further
// voice kinds and channel processors of the mixer.
#include "platform/audio/MixEngine.h"
#include "platform/engine/ZeloEngine.h"

namespace zelo::platform {
namespace {

/// RWaveParam numbers: 50 the audition mode, 60 + channel a channel's volume.
constexpr int32_t kParamAudition = 50;
constexpr int32_t kParamChannelVolume = 60;
/// DStart's failure bit.
constexpr int32_t kDirectStartFailed = 0x04;

}  // namespace

int32_t ZeloEngine::AInit(Window*) { return mix_->Open(); }

int32_t ZeloEngine::DStart(int32_t) {
  // AInit already reported a missing device; the null device always runs.
  mix_->Open();
  return mix_->IsOpen() || mix_->Device() == AudioDevice::Manual ? 0 : kDirectStartFailed;
}

int32_t ZeloEngine::AStop() { return mix_->Stop(); }
void ZeloEngine::ADSoff() {
  mix_->Stop();
  mix_->Close();
}
void ZeloEngine::AExit() {
  mix_->EndExport();
  mix_->Stop();
}
void ZeloEngine::AEnd() { mix_->Close(); }

int32_t ZeloEngine::APlay(int32_t, const MappedFile* container, const MappedFile* siblingCache, int64_t groesse,
                          int64_t offset, int32_t& ort, std::string& datei, int32_t kanal, int64_t start,
                          int64_t dauer, int64_t versatz, int32_t lautstaerke) {
  audio::PlayRequest r;
  r.container = container;
  r.siblingCache = siblingCache;
  r.size = groesse;
  r.offset = offset;
  r.location = ort;
  r.file = datei;
  r.channel = kanal;
  r.start = start;
  r.duration = dauer;
  r.skip = versatz;
  r.volume = lautstaerke;
  return mix_->Play(r) ? -1 : 0;
}

void ZeloEngine::AStart(int64_t ende) { mix_->Start(ende); }
void ZeloEngine::APos(int64_t bytes) { mix_->SetHorizon(bytes); }
int32_t ZeloEngine::AGetTime(int32_t which) { return which == 0 ? mix_->TimeMillis() : 0; }
// The engine fader is always open; the program only ever resets it before a start.
void ZeloEngine::ASetFader(int32_t, int32_t) {}
void ZeloEngine::RTimer() { mix_->Service(); }
void ZeloEngine::DPlayUpdate() { mix_->Service(); }

void ZeloEngine::AMitte(int32_t kanal, int32_t pan) { mix_->SetPan(kanal, pan); }

void ZeloEngine::RWaveParam(int32_t nummer, int32_t wert) {
  if (nummer == kParamAudition)
    mix_->SetAuditionMode(wert);
  else if (nummer >= kParamChannelVolume && nummer < kParamChannelVolume + audio::kChannelCount)
    mix_->SetChannelVolume(nummer - kParamChannelVolume, wert);
}

void ZeloEngine::ASetPitch(int32_t p) { mix_->SetPitch(p); }
int32_t ZeloEngine::ALautGet(int32_t) { return mix_->MasterVolume(); }
void ZeloEngine::ALautSet(int32_t wert) { mix_->SetMasterVolume(wert); }

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

int64_t ZeloEngine::AWaveDauer(const std::string& datei) { return mix_->WaveBytes(datei); }
int64_t ZeloEngine::BWaveDauer(const MappedFile* container, int64_t offset, int32_t) {
  return mix_->ContainerSampleBytes(container, offset);
}

int32_t ZeloEngine::AExport(const std::string& datei, int64_t bytes) {
  if (datei.empty()) return mix_->EndExport() ? -1 : 0;
  return mix_->BeginExport(datei, bytes) ? -1 : 0;
}

}  // namespace zelo::platform
