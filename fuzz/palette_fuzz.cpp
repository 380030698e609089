// The block palette reader over any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gfx/BlockLook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  zelo::platform::gfx::ReadPalette(text, 12);
  zelo::platform::gfx::ReadPalette(text, 0);
  return 0;
}
