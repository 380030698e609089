// Fuzzes every reader of the catalogue's files with the same bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "library/KatalogDateien.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  static zelo::library::Katalog katalog;
  zelo::library::KatalogAusText(katalog, text);
  zelo::library::FremdkatalogAusText(katalog, text);
  zelo::library::PartnerkatalogAusText(katalog, text);
  zelo::library::VorladelisteAusText(text);
  // What was read must write back out in the line format.
  (void)zelo::library::KatalogAlsText(katalog);
  return 0;
}
