#pragma once
// The files that hold the library's sample bytes: the main container on the medium, the own
// cache in the working folder (a sparse copy of the main container: every sample at its own
// offset), the sibling edition's cache, containers A to D, and the samples that have a file of
// their own. The containers are memory-mapped and shared with the audio engine, which reads
// sample bytes through the `const MappedFile*` handles offered here. UI thread only; close the
// containers only after playback has stopped every voice.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "library/Katalog.h"
#include "platform/MappedFile.h"

namespace zelo::library {

/// The own cache's file name in the working folder, and the sibling's in its working folder.
inline constexpr const char* kCacheName = "flint20";
inline constexpr const char* kPartnercacheName = "ember20";
/// The sibling edition's pointer file in the system folder.
inline constexpr const char* kPartnerzeiger = "e_zelo2.inf";

class Containerdateien {
 public:
  Containerdateien() = default;
  ~Containerdateien();
  Containerdateien(const Containerdateien&) = delete;
  Containerdateien& operator=(const Containerdateien&) = delete;

  /// Free bytes of the file system holding a folder (-1 when unknown); tests replace it.
  std::function<int64_t(const std::string& ordner)> freieBytes;

  /// Opens every container: the cache read-write (created when missing; its length now is the
  /// cache length), the main container read-only, the sibling cache when "e_zelo2.inf" in the
  /// system folder names a folder that holds one, and containers A to D from the state-file
  /// lines 8 to 11 when they are set. A file that does not open leaves its handle empty.
  void ContainerOeffnen(const Katalog& katalog, const std::string& hauptcontainer, const std::string& cache,
                        const std::string& systemordner);
  /// Closes every container and every sample's own file.
  void ContainerSchliessen();

  /// Reads `laenge` bytes of a sample's data from `versatz` bytes into it; returns the count
  /// read. A negative `versatz` closes the sample's own file instead and returns 0. Samples read
  /// from the main container or the sibling cache are copied through into the cache, and move
  /// to location 2 once the piece that reaches their end is in the cache.
  int32_t SampleLesen(Katalog& katalog, int sample, void* puffer, int32_t laenge, int32_t versatz);

  /// Sizes the cache file to `gewuenscht` bytes within the free space (never shrinking it);
  /// when the cache grows, what it held can no longer be trusted and cached samples go back
  /// to the main container. Returns true when the free space was short (the installer's
  /// out-of-space flag); the cache is then as large as the space allows.
  bool CacheAnlegen(Katalog& katalog, const std::string& cachePfad, int64_t gewuenscht);

  /// Length of the cache when it was opened or sized: bytes are cached only below it.
  int64_t Cachelaenge() const { return cachelaenge_; }

  // The handles the engine reads from; nullptr while closed.
  const platform::MappedFile* Cache() const { return Offen(cache_); }
  const platform::MappedFile* Hauptcontainer() const { return Offen(haupt_); }
  const platform::MappedFile* Partnercache() const { return Offen(partner_); }
  const platform::MappedFile* ContainerA() const { return Offen(a_); }
  const platform::MappedFile* ContainerB() const { return Offen(b_); }
  const platform::MappedFile* ContainerC() const { return Offen(c_); }
  const platform::MappedFile* ContainerD() const { return Offen(d_); }
  /// The file that holds the bytes of a location code, or nullptr (own files: the cache).
  const platform::MappedFile* FuerOrt(int ort) const;

  /// True while the sample's own file is open.
  bool EigeneDateiOffen(int sample) const { return eigene_.count(sample) != 0; }

 private:
  static const platform::MappedFile* Offen(const platform::MappedFile& f) { return f.IsOpen() ? &f : nullptr; }
  int64_t FreiBytes(const std::string& ordner) const;
  int32_t EigeneDateiLesen(Katalog& katalog, int sample, void* puffer, int32_t laenge, int32_t versatz);
  void EigeneDateiSchliessen(int sample);

  platform::MappedFile cache_, haupt_, partner_, a_, b_, c_, d_;
  std::string cachePfad_;
  int64_t cachelaenge_ = 0;
  /// Open own files by sample number (file descriptors). The catalogue's offset field stays 0
  /// for these samples, so the state file never sees a handle.
  std::map<int, int> eigene_;
};

}  // namespace zelo::library
