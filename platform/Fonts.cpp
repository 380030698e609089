#include "platform/Fonts.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

namespace zelo::platform {
namespace {

// The code points of bytes 0x80 to 0x9F in Windows-1252; 0 marks the five unassigned bytes.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Utf8FromAnsi(const std::string& text1252) {
  std::string out;
  out.reserve(text1252.size());
  for (unsigned char c : text1252) {
    uint32_t cp = c;
    if (c >= 0x80 && c < 0xA0) cp = kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : '?';
    AppendUtf8(out, cp);
  }
  return out;
}

std::string AnsiFromUtf8(const std::string& utf8) {
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    uint32_t cp = '?';
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      len = 2;
    } else if ((c & 0xF0) == 0xE0 && i + 2 < utf8.size()) {
      cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
      len = 3;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
    }
    char mapped = '?';
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      mapped = static_cast<char>(cp);
    } else {
      for (int k = 0; k < 32; ++k)
        if (kCp1252High[k] == cp) mapped = static_cast<char>(0x80 + k);
    }
    out += mapped;
    i += len;
  }
  return out;
}

Fonts::Fonts() { ttfStarted_ = TTF_WasInit() > 0 || TTF_Init() == 0; }

Fonts::~Fonts() {
  for (auto& [key, font] : open_)
    if (font) TTF_CloseFont(font);
  // TTF stays initialised: other owners in the same process may still use it.
}

std::string Fonts::ResolveFile(const std::string& family, bool bold) {
  // Loading the font configuration scans every installed font: do it once per run.
  static FcConfig* const config = FcInitLoadConfigAndFonts();
  if (!config) return {};
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.empty() ? "sans" : family.c_str()));
  std::string file;
  if (pattern) {
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddString(pattern, FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    if (match) {
      FcChar8* path = nullptr;
      if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
        file = reinterpret_cast<const char*>(path);
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
  }
  return file;
}

TTF_Font* Fonts::Get(const FontSpec& spec) {
  if (!ttfStarted_) return nullptr;
  // Sizes are points of a 96 dots-per-inch screen, as the layouts were drawn.
  int pixels = spec.Groesse > 0 ? (spec.Groesse * 96 + 36) / 72 : 12;
  auto key = std::make_tuple(spec.Name, spec.Fett, pixels);
  auto it = open_.find(key);
  if (it != open_.end()) return it->second;
  TTF_Font* font = nullptr;
  std::string file = ResolveFile(spec.Name, spec.Fett);
  if (!file.empty()) font = TTF_OpenFont(file.c_str(), pixels);
  if (font && spec.Fett) {
    // A family without a bold face still reads as bold.
    std::string style = TTF_FontFaceStyleName(font) ? TTF_FontFaceStyleName(font) : "";
    if (style.find("Bold") == std::string::npos) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
  }
  open_[key] = font;
  return font;
}

std::pair<int, int> Fonts::Measure(const FontSpec& spec, const std::string& text1252) {
  TTF_Font* font = Get(spec);
  if (!font) return {0, 0};
  int w = 0, h = 0;
  std::string utf8 = Utf8FromAnsi(text1252);
  if (utf8.empty()) return {0, TTF_FontHeight(font)};
  TTF_SizeUTF8(font, utf8.c_str(), &w, &h);
  return {w, h};
}

int Fonts::Draw(SDL_Surface* target, const FontSpec& spec, const std::string& text1252, int x, int y, Farbe c) {
  TTF_Font* font = Get(spec);
  if (!font || !target || text1252.empty()) return 0;
  std::string utf8 = Utf8FromAnsi(text1252);
  SDL_Surface* text = TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{c.r, c.g, c.b, c.a});
  if (!text) return 0;
  SDL_Rect dst{x + spec.XVersatz, y + spec.YVersatz, text->w, text->h};
  SDL_SetSurfaceBlendMode(text, SDL_BLENDMODE_BLEND);
  SDL_BlitSurface(text, nullptr, target, &dst);
  int w = text->w;
  SDL_FreeSurface(text);
  return w;
}

}  // namespace zelo::platform
