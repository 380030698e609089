#pragma once
// The engine's call contract: every routine the program calls on its audio engine library.
// The program holds one Engine and calls it from the UI thread only. Positions, lengths and
// offsets are engine bytes of 44.1 kHz 16-bit stereo sound (4 bytes a frame, 176,400 a second,
// 302,400 a bar at 140 beats per minute).

#include <cstdint>
#include <string>

struct SDL_Surface;

namespace zelo::platform {

class Window;
class MappedFile;

/// A picture record as the engine's picture loader fills it: surface, size, two further
/// words and the file name it was loaded from.
struct BildStruct {
  SDL_Surface* dc = nullptr;  ///< owned by the engine from ALoad until AClose
  int32_t Breite = 0;
  int32_t Hoehe = 0;
  int32_t Extra1 = 0;
  int32_t Extra2 = 0;
  std::string Datei;
};

/// Flags of AInit's status word.
inline constexpr int32_t kInitNoDevice = 0x02;   ///< the output could not be opened
inline constexpr int32_t kInitWarning = 0x20;    ///< the engine runs with a restriction
/// The version ANummer reports for the engine build with direct output.
inline constexpr int32_t kEngineDirectX = 25662599;
/// AGetFree's unit: megabytes.
inline constexpr int64_t kFreeUnitBytes = 1024 * 1024;

class Engine {
 public:
  virtual ~Engine() = default;

  // --- Start and end ---------------------------------------------------------------------
  virtual int32_t ANummer() = 0;
  virtual void ATyp(int32_t typ) = 0;
  virtual int32_t ADevice(int32_t which) = 0;
  /// Opens output; returns a status word (kInitNoDevice, kInitWarning).
  virtual int32_t AInit(Window* window) = 0;
  /// Temporary file n (0, 1, 2, 14) in the temp folder; names are stable for the run.
  virtual std::string AGetString(int32_t n) = 0;
  virtual void ASetPfad(const std::string& workingFolder) = 0;
  virtual void ASelectMic() = 0;
  virtual void AFenster(Window* window) = 0;
  /// Physical memory in bytes.
  virtual int64_t AMemory() = 0;
  /// The darkening pattern used on the start pictures (an 8 x 8 surface owned by the engine).
  virtual SDL_Surface* Extra() = 0;
  /// Starts direct output; bit 2 of the result means it failed.
  virtual int32_t DStart(int32_t mode) = 0;
  /// Stops the timeline and every voice; returns the engine's flags.
  virtual int32_t AStop() = 0;
  virtual void ADSoff() = 0;
  virtual void AExit() = 0;
  virtual void AEnd() = 0;

  // --- Mix timeline ----------------------------------------------------------------------
  /// Schedules one sound on a channel. Location 99 plays the own file `datei`; otherwise the
  /// bytes lie at `offset` in `container` (or in `siblingCache` for location 1).
  virtual int32_t APlay(int32_t sampleNr, const MappedFile* container, const MappedFile* siblingCache,
                        int64_t groesse, int64_t offset, int32_t& ort, std::string& datei, int32_t kanal,
                        int64_t start, int64_t dauer, int64_t versatz, int32_t lautstaerke) = 0;
  virtual void AStart(int64_t ende) = 0;
  /// The horizon in engine bytes up to which the engine may mix.
  virtual void APos(int64_t bytes) = 0;
  /// which 0: milliseconds since AStart by frames rendered; 4: the pattern clock.
  virtual int32_t AGetTime(int32_t which) = 0;
  virtual void ASetFader(int32_t a, int32_t b) = 0;
  virtual void RTimer() = 0;
  virtual void DPlayUpdate() = 0;

  // --- Channels --------------------------------------------------------------------------
  virtual void AMitte(int32_t kanal, int32_t pan) = 0;
  virtual void RWaveParam(int32_t nummer, int32_t wert) = 0;
  virtual void ASetPitch(int32_t p) = 0;
  virtual int32_t ALautGet(int32_t which) = 0;
  virtual void ALautSet(int32_t wert) = 0;

  // --- Sound tools -----------------------------------------------------------------------
  virtual int32_t REffekt(const std::string& name, int32_t wert) = 0;
  virtual int32_t RDrum(const std::string& name, int32_t wert, int32_t extra) = 0;
  virtual int32_t RWaveLaden(const std::string& datei, int32_t mode, const MappedFile* container,
                             int64_t offset, int64_t groesse) = 0;
  virtual void RWaveStop() = 0;
  virtual int32_t RWavToTemp(const std::string& quelle, const std::string& ziel, int32_t a,
                             const MappedFile* container, int64_t offset, int64_t groesse, int32_t b) = 0;

  // --- Recording -------------------------------------------------------------------------
  virtual int32_t ARecTest(const std::string& datei) = 0;
  virtual int32_t ARecDuplex(const std::string& datei) = 0;
  virtual void ARecStop() = 0;
  /// Recording flags; 0x10: the recording ended by itself.
  virtual int32_t ARecTimer() = 0;
  virtual int32_t ARecPegel(int32_t which) = 0;
  virtual void ARecInput(int32_t level) = 0;
  virtual int32_t AGetInput() = 0;

  // --- Files -----------------------------------------------------------------------------
  virtual int64_t AWaveDauer(const std::string& datei) = 0;
  virtual int64_t BWaveDauer(const MappedFile* container, int64_t offset, int32_t flag) = 0;
  /// AExport(file, bytes) renders the mix into a WAV file; AExport("", 0) ends the export.
  virtual int32_t AExport(const std::string& datei, int64_t bytes) = 0;
  /// Free space of the file system holding `folder`, in kFreeUnitBytes; -1 when unknown.
  virtual int64_t AGetFree(const std::string& folder) = 0;

  // --- Pictures and pointer --------------------------------------------------------------
  /// Loads bild.Datei; fills dc, Breite and Hoehe. Returns -1 on success, 0 on failure.
  virtual int32_t ALoad(BildStruct& bild) = 0;
  virtual void AClose(BildStruct& bild) = 0;
  virtual void ASetCur(int32_t sichtbar) = 0;

  // --- Sorting ---------------------------------------------------------------------------
  virtual void ASortInit() = 0;
  virtual void ASortIn(const std::string& text) = 0;
  virtual void ASortStart() = 0;
  virtual void ASortStart2() = 0;
  /// The 0-based input position of the next key in sorted order; -1 after the last.
  virtual int32_t ASortOut() = 0;
};

}  // namespace zelo::platform
