#pragma once
// Fonts by name, resolved through fontconfig ("Arial" finds the metric-compatible Liberation
// Sans), and single-line text drawing into 32-bit surfaces. UI thread only.

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

struct SDL_Surface;
typedef struct _TTF_Font TTF_Font;

namespace zelo::platform {

/// One entry of the font table: name, bold, size in points, x and y offset, extra value.
struct FontSpec {
  std::string Name;
  bool Fett = false;
  int Groesse = 10;
  int XVersatz = 0;
  int YVersatz = 0;
  int Extra = 0;
};

struct Farbe {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

class Fonts {
 public:
  Fonts();
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  /// The font file fontconfig picks for a family name; empty when none.
  static std::string ResolveFile(const std::string& family, bool bold);

  /// The open font for a spec; nullptr when no font could be opened. Points count as pixels
  /// at 96 dots per inch, as the layouts were drawn.
  TTF_Font* Get(const FontSpec& spec);

  /// Draws Windows-1252 text with its top-left at (x + XVersatz, y + YVersatz), clipped to the surface.
  /// Returns the drawn width.
  int Draw(SDL_Surface* target, const FontSpec& spec, const std::string& text1252, int x, int y, Farbe colour);
  /// Width and height of text in a font.
  std::pair<int, int> Measure(const FontSpec& spec, const std::string& text1252);

 private:
  std::map<std::tuple<std::string, bool, int>, TTF_Font*> open_;
  bool ttfStarted_ = false;
};

/// Windows-1252 to UTF-8, for display.
std::string Utf8FromAnsi(const std::string& text1252);
/// UTF-8 to Windows-1252; characters outside it become "?".
std::string AnsiFromUtf8(const std::string& utf8);

}  // namespace zelo::platform
