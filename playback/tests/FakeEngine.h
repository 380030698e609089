#pragma once
// An engine that plays nothing: it keeps the arguments of the calls the scheduler makes and
// answers AGetTime with a time the test sets.

#include <string>
#include <vector>

#include "platform/Engine.h"

namespace zelo::playback::test {

struct Abspielung {
  int32_t sample;
  const platform::MappedFile* container;
  const platform::MappedFile* partner;
  int64_t groesse, offset;
  int32_t ort;
  std::string datei;
  int32_t kanal;
  int64_t start, dauer, versatz;
  int32_t lautstaerke;
};

class FakeEngine : public platform::Engine {
 public:
  std::vector<Abspielung> plays;
  std::vector<int64_t> horizonte;
  std::vector<std::string> log;  // names of the transport calls
  std::vector<std::pair<int32_t, int32_t>> params;  // RWaveParam
  std::vector<std::pair<int32_t, int32_t>> pans;    // AMitte
  int64_t startEnde = -1;
  int32_t zeitMs = 0;
  int32_t stopFlags = 0;

  int32_t APlay(int32_t s, const platform::MappedFile* c, const platform::MappedFile* p, int64_t g, int64_t o,
                int32_t& ort, std::string& datei, int32_t k, int64_t start, int64_t dauer, int64_t versatz,
                int32_t l) override {
    plays.push_back({s, c, p, g, o, ort, datei, k, start, dauer, versatz, l});
    return 0;
  }
  void AStart(int64_t ende) override {
    log.push_back("AStart");
    startEnde = ende;
  }
  void APos(int64_t b) override { horizonte.push_back(b); }
  int32_t AGetTime(int32_t which) override { return which == 0 ? zeitMs : 0; }
  int32_t AStop() override {
    log.push_back("AStop");
    return stopFlags;
  }
  void AMitte(int32_t k, int32_t p) override { pans.emplace_back(k, p); }
  void RWaveParam(int32_t n, int32_t w) override { params.emplace_back(n, w); }
  void ASetPitch(int32_t) override { log.push_back("ASetPitch"); }
  void ASetFader(int32_t, int32_t) override { log.push_back("ASetFader"); }
  int32_t AExport(const std::string&, int64_t) override {
    log.push_back("AExport");
    return 0;
  }
  void ASetCur(int32_t) override { log.push_back("ASetCur"); }

  int32_t ANummer() override { return 0; }
  void ATyp(int32_t) override {}
  int32_t ADevice(int32_t) override { return 0; }
  int32_t AInit(platform::Window*) override { return 0; }
  std::string AGetString(int32_t) override { return {}; }
  void ASetPfad(const std::string&) override {}
  void ASelectMic() override {}
  void AFenster(platform::Window*) override {}
  int64_t AMemory() override { return 0; }
  SDL_Surface* Extra() override { return nullptr; }
  int32_t DStart(int32_t) override { return 0; }
  void ADSoff() override {}
  void AExit() override {}
  void AEnd() override {}
  void RTimer() override {}
  void DPlayUpdate() override {}
  int32_t ALautGet(int32_t) override { return 0; }
  void ALautSet(int32_t) override {}
  int32_t REffekt(const std::string&, int32_t) override { return 0; }
  int32_t RDrum(const std::string&, int32_t, int32_t) override { return 0; }
  int32_t RWaveLaden(const std::string&, int32_t, const platform::MappedFile*, int64_t, int64_t) override { return 0; }
  void RWaveStop() override {}
  int32_t RWavToTemp(const std::string&, const std::string&, int32_t, const platform::MappedFile*, int64_t, int64_t,
                     int32_t) override {
    return 0;
  }
  int32_t ARecTest(const std::string&) override { return 0; }
  int32_t ARecDuplex(const std::string&) override { return 0; }
  void ARecStop() override {}
  int32_t ARecTimer() override { return 0; }
  int32_t ARecPegel(int32_t) override { return 0; }
  void ARecInput(int32_t) override {}
  int32_t AGetInput() override { return 0; }
  int64_t AWaveDauer(const std::string&) override { return 0; }
  int64_t BWaveDauer(const platform::MappedFile*, int64_t, int32_t) override { return 0; }
  int64_t AGetFree(const std::string&) override { return 0; }
  int32_t ALoad(platform::BildStruct&) override { return 0; }
  void AClose(platform::BildStruct&) override {}
  void ASortInit() override {}
  void ASortIn(const std::string&) override {}
  void ASortStart() override {}
  void ASortStart2() override {}
  int32_t ASortOut() override { return -1; }
};

}  // namespace zelo::playback::test
