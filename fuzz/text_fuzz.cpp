// Feeds any bytes to the readers of the text content files: "fonts", "pkonst", "e2inf" and
// the language file in both reading modes. Each must return cleanly on any input.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "pages/Objekte.h"
#include "platform/Dialogs.h"
#include "text/Leser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zelo::text;
  const std::string_view datei(reinterpret_cast<const char*>(data), size);
  zelo::platform::SilentDialogs dialoge;

  auto objekte = std::make_unique<zelo::pages::Objekte>();
  Konstanten konstanten;
  PkonstLesen(datei, konstanten, *objekte, dialoge);

  auto fonts = std::make_unique<Fonttabelle>();
  FontsLesen(datei, konstanten, dialoge, *fonts);

  Textnummern nummern;
  E2infLesen(datei, nummern);
  // Give every text number a key so that the part splitting runs on the same bytes.
  for (int i = 0; i < 80; ++i) nummern.Hinzufuegen("M_" + std::to_string(i), i * 17 % kTextanzahl);
  nummern.Hinzufuegen("M_INST", 74);
  auto texte = std::make_unique<Texte>();
  SprachdateiTexte(datei, nummern, *texte);

  DiskMenue disk;
  SprachdateiLaden(datei, *objekte, disk, true, [](const std::string&, const std::string&) {});
  return 0;
}
