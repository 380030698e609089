#pragma once
// An engine that answers every call with nothing, records the working folder it is told and
// reports the free space a test sets.

#include <string>
#include <vector>

#include "platform/Engine.h"

namespace zelo::config::test {

using platform::BildStruct;
using platform::MappedFile;
using platform::Window;

class StillEngine final : public platform::Engine {
 public:
  std::vector<std::string> pfade;  ///< every ASetPfad, in order
  int64_t frei = 1000;             ///< AGetFree's answer in megabytes

  void ASetPfad(const std::string& workingFolder) override { pfade.push_back(workingFolder); }
  int64_t AGetFree(const std::string& folder) override { return frei; }

  int32_t ANummer() override { return {}; }
  void ATyp(int32_t typ) override {}
  int32_t ADevice(int32_t which) override { return {}; }
  int32_t AInit(Window* window) override { return {}; }
  std::string AGetString(int32_t n) override { return {}; }
  void ASelectMic() override {}
  void AFenster(Window* window) override {}
  int64_t AMemory() override { return {}; }
  SDL_Surface* Extra() override { return {}; }
  int32_t DStart(int32_t mode) override { return {}; }
  int32_t AStop() override { return {}; }
  void ADSoff() override {}
  void AExit() override {}
  void AEnd() override {}
  int32_t APlay(int32_t sampleNr, const MappedFile* container, const MappedFile* siblingCache, int64_t groesse, int64_t offset, int32_t& ort, std::string& datei, int32_t kanal, int64_t start, int64_t dauer, int64_t versatz, int32_t lautstaerke) override { return {}; }
  void AStart(int64_t ende) override {}
  void APos(int64_t bytes) override {}
  int32_t AGetTime(int32_t which) override { return {}; }
  void ASetFader(int32_t a, int32_t b) override {}
  void RTimer() override {}
  void DPlayUpdate() override {}
  void AMitte(int32_t kanal, int32_t pan) override {}
  void RWaveParam(int32_t nummer, int32_t wert) override {}
  void ASetPitch(int32_t p) override {}
  int32_t ALautGet(int32_t which) override { return {}; }
  void ALautSet(int32_t wert) override {}
  int32_t REffekt(const std::string& name, int32_t wert) override { return {}; }
  int32_t RDrum(const std::string& name, int32_t wert, int32_t extra) override { return {}; }
  int32_t RWaveLaden(const std::string& datei, int32_t mode, const MappedFile* container, int64_t offset, int64_t groesse) override { return {}; }
  void RWaveStop() override {}
  int32_t RWavToTemp(const std::string& quelle, const std::string& ziel, int32_t a, const MappedFile* container, int64_t offset, int64_t groesse, int32_t b) override { return {}; }
  int32_t ARecTest(const std::string& datei) override { return {}; }
  int32_t ARecDuplex(const std::string& datei) override { return {}; }
  void ARecStop() override {}
  int32_t ARecTimer() override { return {}; }
  int32_t ARecPegel(int32_t which) override { return {}; }
  void ARecInput(int32_t level) override {}
  int32_t AGetInput() override { return {}; }
  int64_t AWaveDauer(const std::string& datei) override { return {}; }
  int64_t BWaveDauer(const MappedFile* container, int64_t offset, int32_t flag) override { return {}; }
  int32_t AExport(const std::string& datei, int64_t bytes) override { return {}; }
  int32_t ALoad(BildStruct& bild) override { return {}; }
  void AClose(BildStruct& bild) override {}
  void ASetCur(int32_t sichtbar) override {}
  void ASortInit() override {}
  void ASortIn(const std::string& text) override {}
  void ASortStart() override {}
  void ASortStart2() override {}
  int32_t ASortOut() override { return {}; }
};

}  // namespace zelo::config::test
