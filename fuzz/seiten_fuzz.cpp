// Feeds any bytes to the page file reader and the coordinate file reader. Both must return
// cleanly on any input, whatever names, counts and numbers it holds.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "pages/Objekte.h"
#include "pages/Szenen.h"
#include "platform/Dialogs.h"
#include "text/Texte.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zelo;
  const std::string_view datei(reinterpret_cast<const char*>(data), size);
  zelo::platform::SilentDialogs dialoge;
  text::Konstanten konstanten;
  // Names that reach the element table's edges and beyond.
  for (auto [name, nummer] : {std::pair{"B_A", "1"}, std::pair{"B_Z", "860"}, std::pair{"B_X", "861"},
                              std::pair{"B_N", "-3"}, std::pair{"B_M", "237"}, std::pair{"B_T", "307"}})
    konstanten.Hinzufuegen(name, nummer);

  auto objekte = std::make_unique<pages::Objekte>();
  auto daten = std::make_unique<pages::Seitendaten>();
  pages::Seitenkontext k{*objekte, *daten, konstanten, dialoge, nullptr, nullptr, "/g/", "I", 0, 0};
  pages::SzenenEinlesen(datei, k);
  for (int skalierung : {20, 40}) pages::KoordinatenLesen(datei, skalierung, *objekte, konstanten, dialoge);
  pages::SzenenEinlesen(datei, k);
  return 0;
}
