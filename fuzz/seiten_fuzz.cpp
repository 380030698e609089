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

namespace {

/// Answers every message at once and keeps no record, so long inputs stay cheap.
class StilleDialoge final : public zelo::platform::DialogHost {
 public:
  zelo::platform::Answer MessageBox(const zelo::platform::MessageRequest&) override {
    return zelo::platform::Answer::OK;
  }
  int PopupMenu(const std::vector<zelo::platform::MenuItem>&, int, int) override { return 0; }
  std::optional<std::string> InputBox(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zelo;
  const std::string_view datei(reinterpret_cast<const char*>(data), size);
  StilleDialoge dialoge;
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
