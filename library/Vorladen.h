#pragma once
// Pre-caching for the installer: copies the samples of the pre-cache list from the main
// container into the cache until the wanted size is reached, reporting progress and letting
// the installer's window run between samples. UI thread only.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "library/Container.h"
#include "library/Katalog.h"

namespace zelo::text {
class Texte;
}

namespace zelo::library {

/// Size of the copy buffer; larger samples are copied in pieces of this size.
inline constexpr int32_t kKopierpuffer = 1048576;
/// Failed copies after which pre-caching gives up and reports the disk as full.
inline constexpr int kFehlergrenze = 126;

/// What the installer offers while pre-caching runs; every member may be empty.
struct Vorladebegleitung {
  /// The status label's new text (a CR, the progress text, the percentage).
  std::function<void(const std::string& text)> status;
  /// Runs pending window events, so the installer's Cancel button works.
  std::function<void()> ereignisse;
  /// True once the user cancelled the installation.
  std::function<bool()> abgebrochen;
  /// Free space of the working folder's drive in megabytes (the engine's AGetFree); -1 unknown.
  std::function<int64_t()> freieMegabytes;
};

struct Vorladeergebnis {
  bool PlatzFehlt = false;  ///< the installer's out-of-space flag
  int Kopiert = 0;
  int Fehler = 0;
  int64_t Summe = 0;        ///< bytes of the samples visited
};

/// Copies the listed samples into the cache, in list order, until `gewuenscht` bytes are
/// visited, the cache is full, 126 copies failed, the disk runs low or the user cancels.
/// `installationsart` 0 shows no progress; 1 shows texts 26/27, other types texts 30/31.
Vorladeergebnis Vorladen(Katalog& katalog, Containerdateien& container, const std::vector<int16_t>& liste,
                         int64_t gewuenscht, int installationsart, const text::Texte& texte,
                         const Vorladebegleitung& begleitung);

}  // namespace zelo::library
