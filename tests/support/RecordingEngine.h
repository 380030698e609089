#pragma once
// An engine that writes the name of every call into a log and passes it on to another
// engine: tests read the order in which the program drives its engine.

#include <string>
#include <vector>

#include "platform/Engine.h"

namespace zelo::test {

using platform::BildStruct;
using platform::MappedFile;
using platform::Window;

class RecordingEngine final : public platform::Engine {
 public:
  explicit RecordingEngine(platform::Engine& inner) : inner_(inner) {}
  std::vector<std::string> log;
  /// Calls with these names are not logged (the per-pass services, for example).
  std::vector<std::string> quiet;

  int32_t ANummer() override {
    Log("ANummer");
    return inner_.ANummer();
  }
  void ATyp(int32_t typ) override {
    Log("ATyp");
    inner_.ATyp(typ);
  }
  int32_t ADevice(int32_t which) override {
    Log("ADevice");
    return inner_.ADevice(which);
  }
  int32_t AInit(Window* window) override {
    Log("AInit");
    return inner_.AInit(window);
  }
  std::string AGetString(int32_t n) override {
    Log("AGetString");
    return inner_.AGetString(n);
  }
  void ASetPfad(const std::string& workingFolder) override {
    Log("ASetPfad");
    inner_.ASetPfad(workingFolder);
  }
  void ASelectMic() override {
    Log("ASelectMic");
    inner_.ASelectMic();
  }
  void AFenster(Window* window) override {
    Log("AFenster");
    inner_.AFenster(window);
  }
  int64_t AMemory() override {
    Log("AMemory");
    return inner_.AMemory();
  }
  SDL_Surface* Extra() override {
    Log("Extra");
    return inner_.Extra();
  }
  int32_t DStart(int32_t mode) override {
    Log("DStart");
    return inner_.DStart(mode);
  }
  int32_t AStop() override {
    Log("AStop");
    return inner_.AStop();
  }
  void ADSoff() override {
    Log("ADSoff");
    inner_.ADSoff();
  }
  void AExit() override {
    Log("AExit");
    inner_.AExit();
  }
  void AEnd() override {
    Log("AEnd");
    inner_.AEnd();
  }
  int32_t APlay(int32_t sampleNr, const MappedFile* container, const MappedFile* siblingCache, int64_t groesse, int64_t offset, int32_t& ort, std::string& datei, int32_t kanal, int64_t start, int64_t dauer, int64_t versatz, int32_t lautstaerke) override {
    Log("APlay");
    return inner_.APlay(sampleNr, container, siblingCache, groesse, offset, ort, datei, kanal, start, dauer, versatz, lautstaerke);
  }
  void AStart(int64_t ende) override {
    Log("AStart");
    inner_.AStart(ende);
  }
  void APos(int64_t bytes) override {
    Log("APos");
    inner_.APos(bytes);
  }
  int32_t AGetTime(int32_t which) override {
    Log("AGetTime");
    return inner_.AGetTime(which);
  }
  void ASetFader(int32_t a, int32_t b) override {
    Log("ASetFader");
    inner_.ASetFader(a, b);
  }
  void RTimer() override {
    Log("RTimer");
    inner_.RTimer();
  }
  void DPlayUpdate() override {
    Log("DPlayUpdate");
    inner_.DPlayUpdate();
  }
  void AMitte(int32_t kanal, int32_t pan) override {
    Log("AMitte");
    inner_.AMitte(kanal, pan);
  }
  void RWaveParam(int32_t nummer, int32_t wert) override {
    Log("RWaveParam");
    inner_.RWaveParam(nummer, wert);
  }
  void ASetPitch(int32_t p) override {
    Log("ASetPitch");
    inner_.ASetPitch(p);
  }
  int32_t ALautGet(int32_t which) override {
    Log("ALautGet");
    return inner_.ALautGet(which);
  }
  void ALautSet(int32_t wert) override {
    Log("ALautSet");
    inner_.ALautSet(wert);
  }
  int32_t REffekt(const std::string& name, int32_t wert) override {
    Log("REffekt");
    return inner_.REffekt(name, wert);
  }
  int32_t RDrum(const std::string& name, int32_t wert, int32_t extra) override {
    Log("RDrum");
    return inner_.RDrum(name, wert, extra);
  }
  int32_t RWaveLaden(const std::string& datei, int32_t mode, const MappedFile* container, int64_t offset, int64_t groesse) override {
    Log("RWaveLaden");
    return inner_.RWaveLaden(datei, mode, container, offset, groesse);
  }
  void RWaveStop() override {
    Log("RWaveStop");
    inner_.RWaveStop();
  }
  int32_t RWavToTemp(const std::string& quelle, const std::string& ziel, int32_t a, const MappedFile* container, int64_t offset, int64_t groesse, int32_t b) override {
    Log("RWavToTemp");
    return inner_.RWavToTemp(quelle, ziel, a, container, offset, groesse, b);
  }
  int32_t ARecTest(const std::string& datei) override {
    Log("ARecTest");
    return inner_.ARecTest(datei);
  }
  int32_t ARecDuplex(const std::string& datei) override {
    Log("ARecDuplex");
    return inner_.ARecDuplex(datei);
  }
  void ARecStop() override {
    Log("ARecStop");
    inner_.ARecStop();
  }
  int32_t ARecTimer() override {
    Log("ARecTimer");
    return inner_.ARecTimer();
  }
  int32_t ARecPegel(int32_t which) override {
    Log("ARecPegel");
    return inner_.ARecPegel(which);
  }
  void ARecInput(int32_t level) override {
    Log("ARecInput");
    inner_.ARecInput(level);
  }
  int32_t AGetInput() override {
    Log("AGetInput");
    return inner_.AGetInput();
  }
  int64_t AWaveDauer(const std::string& datei) override {
    Log("AWaveDauer");
    return inner_.AWaveDauer(datei);
  }
  int64_t BWaveDauer(const MappedFile* container, int64_t offset, int32_t flag) override {
    Log("BWaveDauer");
    return inner_.BWaveDauer(container, offset, flag);
  }
  int32_t AExport(const std::string& datei, int64_t bytes) override {
    Log("AExport");
    return inner_.AExport(datei, bytes);
  }
  int64_t AGetFree(const std::string& folder) override {
    Log("AGetFree");
    return inner_.AGetFree(folder);
  }
  int32_t ALoad(BildStruct& bild) override {
    Log("ALoad");
    return inner_.ALoad(bild);
  }
  void AClose(BildStruct& bild) override {
    Log("AClose");
    inner_.AClose(bild);
  }
  void ASetCur(int32_t sichtbar) override {
    Log("ASetCur");
    inner_.ASetCur(sichtbar);
  }
  void ASortInit() override {
    Log("ASortInit");
    inner_.ASortInit();
  }
  void ASortIn(const std::string& text) override {
    Log("ASortIn");
    inner_.ASortIn(text);
  }
  void ASortStart() override {
    Log("ASortStart");
    inner_.ASortStart();
  }
  void ASortStart2() override {
    Log("ASortStart2");
    inner_.ASortStart2();
  }
  int32_t ASortOut() override {
    Log("ASortOut");
    return inner_.ASortOut();
  }

 private:
  void Log(const char* name) {
    for (const auto& q : quiet)
      if (q == name) return;
    log.emplace_back(name);
  }
  platform::Engine& inner_;
};

}  // namespace zelo::test
