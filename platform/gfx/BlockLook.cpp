#include "platform/gfx/BlockLook.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/Files.h"

namespace zelo::platform::gfx {
namespace {

constexpr size_t kPaletteLesegrenze = 64 * 1024;
constexpr int kTexturMax = 1024;

constexpr Rgb Hex(uint32_t v) {
  return Rgb{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseColour(std::string_view word, Rgb& out) {
  if (word.size() != 7 || word[0] != '#') return false;
  uint32_t v = 0;
  for (size_t i = 1; i < 7; ++i) {
    int d = HexDigit(word[i]);
    if (d < 0) return false;
    v = v * 16 + static_cast<uint32_t>(d);
  }
  out = Hex(v);
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

uint8_t Lighter(uint8_t k) { return static_cast<uint8_t>(k + (255 - k) / 4); }
uint8_t Darker(uint8_t k) { return static_cast<uint8_t>(k * 5 / 8); }

}  // namespace

const Palette& EingebautePalette() {
  static const Palette palette = {{
      {Hex(0x3c78c8), Hex(0xa0c8ff), Hex(0xffffff)},  // loop
      {Hex(0xc83c3c), Hex(0xffa0a0), Hex(0xffffff)},  // drum
      {Hex(0x3ca050), Hex(0xa0f0aa), Hex(0xffffff)},  // bass
      {Hex(0xc8a03c), Hex(0xffe6a0), Hex(0x000000)},  // layer
      {Hex(0x8c50c8), Hex(0xd2aaff), Hex(0xffffff)},  // sequence
      {Hex(0xc8648c), Hex(0xffbed7), Hex(0xffffff)},  // voice
      {Hex(0x3cb4b4), Hex(0xa0f0f0), Hex(0x000000)},  // effect
      {Hex(0xa0a0a0), Hex(0xe6e6e6), Hex(0x000000)},  // xtra
      {Hex(0x78643c), Hex(0xd2be96), Hex(0xffffff)},
      {Hex(0xdc7828), Hex(0xffc896), Hex(0x000000)},  // user sounds
      {Hex(0x506478), Hex(0xaabed2), Hex(0xffffff)},
      {Hex(0x648c3c), Hex(0xc8e6a0), Hex(0x000000)},
  }};
  return palette;
}

Palette ReadPalette(std::string_view text, int gruppen) {
  Palette palette = EingebautePalette();
  if (gruppen < 1 || gruppen > kGruppen) gruppen = kGruppen;
  text = text.substr(0, std::min(text.size(), kPaletteLesegrenze));
  int gruppe = 0;
  size_t pos = 0;
  while (pos <= text.size() && gruppe < gruppen) {
    size_t ende = text.find('\n', pos);
    if (ende == std::string_view::npos) ende = text.size();
    std::string_view line = text.substr(pos, ende - pos);
    pos = ende + 1;
    auto words = Words(line);
    if (words.empty() || words[0][0] == ';') continue;
    GruppenFarben f;
    if (words.size() == 3 && ParseColour(words[0], f.block) && ParseColour(words[1], f.auswahl) &&
        ParseColour(words[2], f.name))
      palette[gruppe] = f;
    ++gruppe;
  }
  return palette;
}

Palette LoadPalette(const std::string& path, int gruppen) {
  std::ifstream in(ResolvePath(path), std::ios::binary);
  if (!in) return EingebautePalette();
  std::string text(kPaletteLesegrenze, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(in.gcount()));
  return ReadPalette(text, gruppen);
}

GreyTexture EingebauteTextur(int hoehe, int neutral) {
  GreyTexture t;
  t.breite = 1;
  t.hoehe = std::max(hoehe, 1);
  t.grau.resize(static_cast<size_t>(t.hoehe));
  // A raised bar: 48 grey steps above neutral at the top, 48 below at the bottom.
  for (int y = 0; y < t.hoehe; ++y) {
    int abweichung = t.hoehe > 1 ? 48 * (t.hoehe - 1 - 2 * y) / (t.hoehe - 1) : 0;
    t.grau[static_cast<size_t>(y)] = static_cast<uint8_t>(std::clamp(neutral + abweichung, 0, 255));
  }
  return t;
}

GreyTexture LoadTexture(const std::string& path, int hoehe, int neutral) {
  SDL_Surface* bild = SDL_LoadBMP(ResolvePath(path).c_str());
  if (!bild) return EingebauteTextur(hoehe, neutral);
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(bild, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(bild);
  if (!argb) return EingebauteTextur(hoehe, neutral);
  GreyTexture t;
  if (argb->w >= 1 && argb->h >= 1 && argb->w <= kTexturMax && argb->h <= kTexturMax &&
      SDL_LockSurface(argb) == 0) {
    t.breite = argb->w;
    t.hoehe = argb->h;
    t.grau.resize(static_cast<size_t>(t.breite) * t.hoehe);
    for (int y = 0; y < t.hoehe; ++y) {
      const uint32_t* zeile = static_cast<const uint32_t*>(argb->pixels) + static_cast<size_t>(y) * (argb->pitch / 4);
      for (int x = 0; x < t.breite; ++x) {
        uint32_t p = zeile[x];
        uint32_t luma = (77 * ((p >> 16) & 0xFF) + 150 * ((p >> 8) & 0xFF) + 29 * (p & 0xFF)) / 256;
        t.grau[static_cast<size_t>(y) * t.breite + x] = static_cast<uint8_t>(luma);
      }
    }
    SDL_UnlockSurface(argb);
  }
  SDL_FreeSurface(argb);
  return t.grau.empty() ? EingebauteTextur(hoehe, neutral) : t;
}

void DrawBlockFace(SDL_Surface* ziel, int breite, int hoehe, Rgb farbe, const GreyTexture& textur,
                   const Relief& relief) {
  if (!ziel || ziel->format->format != SDL_PIXELFORMAT_ARGB8888 || textur.grau.empty()) return;
  breite = std::min(breite, ziel->w);
  hoehe = std::min(hoehe, ziel->h);
  if (breite <= 0 || hoehe <= 0) return;
  // The shaded colour of each grey, k' = k * (100 c + b (g - c)) / (100 c), worked out once per
  // block so the pixel loop only looks it up.
  const int nenner = 100 * relief.neutral;
  auto shade = [&](uint8_t k, int z) { return static_cast<uint8_t>(std::min(255, k * z / nenner)); };
  std::array<uint32_t, 256> flaeche{}, hell{}, dunkel{};
  for (int g = 0; g < 256; ++g) {
    int z = std::max(0, nenner + relief.tiefe * (g - relief.neutral));
    uint8_t r = shade(farbe.r, z), gr = shade(farbe.g, z), b = shade(farbe.b, z);
    auto argb = [](uint8_t r, uint8_t g, uint8_t b) { return 0xFF000000u | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b; };
    flaeche[static_cast<size_t>(g)] = argb(r, gr, b);
    hell[static_cast<size_t>(g)] = argb(Lighter(r), Lighter(gr), Lighter(b));
    dunkel[static_cast<size_t>(g)] = argb(Darker(r), Darker(gr), Darker(b));
  }
  if (SDL_MUSTLOCK(ziel) && SDL_LockSurface(ziel) != 0) return;
  for (int y = 0; y < hoehe; ++y) {
    uint32_t* zeile = static_cast<uint32_t*>(ziel->pixels) + static_cast<size_t>(y) * (ziel->pitch / 4);
    const uint8_t* texturZeile = &textur.grau[static_cast<size_t>(y % textur.hoehe) * textur.breite];
    const auto& innen = y == hoehe - 1 ? dunkel : y == 0 ? hell : flaeche;
    int tx = 0;
    for (int x = 0; x < breite; ++x) {
      zeile[x] = innen[texturZeile[tx]];
      if (++tx == textur.breite) tx = 0;
    }
    // The light left and dark right edges; the dark bottom row wins at the corners.
    zeile[0] = (y == hoehe - 1 ? dunkel : hell)[texturZeile[0]];
    zeile[breite - 1] = dunkel[texturZeile[(breite - 1) % textur.breite]];
  }
  if (SDL_MUSTLOCK(ziel)) SDL_UnlockSurface(ziel);
}

}  // namespace zelo::platform::gfx
