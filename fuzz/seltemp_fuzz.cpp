// Fuzzes the clipboard file reader and the paste that places what it read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "arrangement/Seltemp.h"
#include "arrangement/Spuren.h"
#include "platform/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto saetze = zelo::arrangement::SeltempLesen(bytes);
  // What was read must write back to the same records.
  auto nochmal = zelo::arrangement::SeltempLesen(zelo::arrangement::SeltempBytes(saetze));
  if (nochmal.size() != saetze.size()) __builtin_trap();

  static zelo::library::Katalog katalog;
  static zelo::arrangement::Spuren spuren(katalog);
  spuren.MixLoeschen();
  zelo::platform::WriteFileSafely(spuren.TempOrdner() + "seltemp-fuzz", bytes);
  spuren.Einfuegen("seltemp-fuzz", 0, 0, zelo::arrangement::Ablagedatei::Loeschen);
  return 0;
}
