#pragma once
// Zelo's own audio engine behind the engine's call contract. The start and end rows, pictures,
// pointer, free space and the sorter live in ZeloEngine.cpp; every row that makes sound
// (timeline, channels, tools, recording, wave files, export) is served by the mixing engine
// in platform/audio and forwarded from ZeloEngineMix.cpp.

#include <memory>
#include <string>
#include <vector>

#include "platform/Engine.h"

namespace zelo::platform {

class Clock;
namespace audio {
class MixEngine;
}

/// Where the engine sends its output.
enum class AudioDevice {
  Sdl,     ///< the SDL output device; falls back to Null when none opens
  Null,    ///< no output, clocked by the system clock
  Manual,  ///< no output, clocked by the test (audio::MixEngine::RenderManual)
};

struct EngineOptions {
  AudioDevice device = AudioDevice::Sdl;
  std::string tempFolder;  ///< ends with "/"
  Clock* clock = nullptr;
};

class ZeloEngine final : public Engine {
 public:
  explicit ZeloEngine(const EngineOptions& options);
  ~ZeloEngine() override;

  audio::MixEngine& Mix() { return *mix_; }

  int32_t ANummer() override;
  void ATyp(int32_t typ) override;
  int32_t ADevice(int32_t which) override;
  int32_t AInit(Window* window) override;
  std::string AGetString(int32_t n) override;
  void ASetPfad(const std::string& workingFolder) override;
  void ASelectMic() override;
  void AFenster(Window* window) override;
  int64_t AMemory() override;
  SDL_Surface* Extra() override;
  int32_t DStart(int32_t mode) override;
  int32_t AStop() override;
  void ADSoff() override;
  void AExit() override;
  void AEnd() override;

  int32_t APlay(int32_t sampleNr, const MappedFile* container, const MappedFile* siblingCache, int64_t groesse,
                int64_t offset, int32_t& ort, std::string& datei, int32_t kanal, int64_t start, int64_t dauer,
                int64_t versatz, int32_t lautstaerke) override;
  void AStart(int64_t ende) override;
  void APos(int64_t bytes) override;
  int32_t AGetTime(int32_t which) override;
  void ASetFader(int32_t a, int32_t b) override;
  void RTimer() override;
  void DPlayUpdate() override;

  void AMitte(int32_t kanal, int32_t pan) override;
  void RWaveParam(int32_t nummer, int32_t wert) override;
  void ASetPitch(int32_t p) override;
  int32_t ALautGet(int32_t which) override;
  void ALautSet(int32_t wert) override;

  int32_t REffekt(const std::string& name, int32_t wert) override;
  int32_t RDrum(const std::string& name, int32_t wert, int32_t extra) override;
  int32_t RWaveLaden(const std::string& datei, int32_t mode, const MappedFile* container, int64_t offset,
                     int64_t groesse) override;
  void RWaveStop() override;
  int32_t RWavToTemp(const std::string& quelle, const std::string& ziel, int32_t a, const MappedFile* container,
                     int64_t offset, int64_t groesse, int32_t b) override;

  int32_t ARecTest(const std::string& datei) override;
  int32_t ARecDuplex(const std::string& datei) override;
  void ARecStop() override;
  int32_t ARecTimer() override;
  int32_t ARecPegel(int32_t which) override;
  void ARecInput(int32_t level) override;
  int32_t AGetInput() override;

  int64_t AWaveDauer(const std::string& datei) override;
  int64_t BWaveDauer(const MappedFile* container, int64_t offset, int32_t flag) override;
  int32_t AExport(const std::string& datei, int64_t bytes) override;
  int64_t AGetFree(const std::string& folder) override;

  int32_t ALoad(BildStruct& bild) override;
  void AClose(BildStruct& bild) override;
  void ASetCur(int32_t sichtbar) override;

  void ASortInit() override;
  void ASortIn(const std::string& text) override;
  void ASortStart() override;
  void ASortStart2() override;
  int32_t ASortOut() override;

 private:
  EngineOptions options_;
  std::unique_ptr<audio::MixEngine> mix_;
  SDL_Surface* pattern_ = nullptr;
  int32_t typ_ = 0;
  std::string workingFolder_;
  std::vector<std::string> sortKeys_;
  std::vector<int32_t> sortOrder_;
  size_t sortPos_ = 0;
};

}  // namespace zelo::platform
