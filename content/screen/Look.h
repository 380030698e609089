#pragma once
// Zelo's look: one dark studio style for every page, panel, control, knob and start picture.
// Everything is drawn as vectors at the layout's own scale.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "content/screen/Layout.h"

namespace zelo::content {

enum class Zustand { Normal, Aktiv, Druck };

struct Rgb {
  double r, g, b;
};
inline Rgb Hex(unsigned v) { return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0}; }
inline Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

/// Sound-group colours: the tabs of the sound-group panel and the sample blocks share them.
inline const std::vector<unsigned>& GroupColours() {
  static const std::vector<unsigned> c = {0x3b82f6, 0xef4444, 0x22c55e, 0xeab308, 0xa855f7, 0xec4899,
                                          0x06b6d4, 0x94a3b8, 0x84cc16, 0xf97316, 0x14b8a6, 0x6366f1};
  return c;
}
inline unsigned GroupNameColour(size_t g) {
  static const unsigned dark[] = {3, 6, 7, 8};  // light blocks carry dark names
  for (unsigned d : dark)
    if (g == d) return 0x101010;
  return 0xffffff;
}

struct KnobSize {
  const char* Stem;
  int B, H;  ///< 1280 pixels
};
inline const std::vector<KnobSize>& KnobSizes() {
  static const std::vector<KnobSize> k = {{"zelo60", 64, 16}, {"zelo61", 14, 16}, {"zelo62", 24, 30},
                                          {"zelo63", 30, 18}, {"zelo64", 26, 12}, {"zelo65", 30, 18},
                                          {"zelo66", 16, 20}};
  return k;
}
inline constexpr int kQuickBreite = 40, kQuickHoehe = 180;
inline constexpr int kLogoBreite = 480, kLogoHoehe = 220;
inline constexpr int kInfoBreite = 560, kInfoHoehe = 340;

/// Whether a look is a large area drawn before the controls on it.
inline bool IsArea(const std::string& look) {
  return look == "tracks" || look == "row16" || look == "list" || look == "ledgrid" || look == "introglow";
}

std::string TextureBmp(bool selected);
std::string PaletteText();

class Painter {
 public:
  Painter(cairo_t* cr, const LayoutScale& scale) : cr_(cr), s(scale), k_(scale.Skalierung / 40.0) {}

  cairo_t* cr_;
  const LayoutScale& s;

  void Background(int w, int h);
  void Frame(const std::string& style, Rechteck r);
  void Caption(const std::string& style, Rechteck r, const std::string& text);
  void Element(const Layout& l, const LayoutElement& e, Rechteck r, Zustand z);
  void Knob(const std::string& stem, int w, int h);
  void QuickFader(int w, int h);
  void StartLogo(int w, int h, bool mask);
  void InfoPicture(const Layout& l, int w, int h);
  void NullCursor();
  void EraserCursor();
  void Marker();

 private:
  double k_;

  double Px(double v) const { return v * k_; }
  void Set(Rgb c, double a = 1.0) { cairo_set_source_rgba(cr_, c.r, c.g, c.b, a); }
  void RoundRect(double x, double y, double w, double h, double r);
  void Fill(double x, double y, double w, double h, Rgb c) {
    Set(c);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_fill(cr_);
  }
  void VGradient(double x, double y, double w, double h, Rgb top, Rgb bottom);
  /// Single line of text fitted into the rectangle (shrunk down to a legible minimum).
  void Text(const std::string& text, double x, double y, double w, double h, Rgb c, double sizePx, bool bold,
            int align = 0, bool wrap = false);
  void Button(Rechteck r, Zustand z, Rgb accent, const std::string& icon, const std::string& text, double radius);
  void Icon(const std::string& icon, double cx, double cy, double size, Rgb c);
  void Fader(Rechteck r);
  void Tracks(Rechteck r, bool onlyLast);
  void Ruler(Rechteck r);
  void Keyboard(Rechteck r, Zustand z);
  void LedGrid(const Layout& l, Zustand z);
  void Wordmark(double x, double y, double w, double h, Rgb c);
  Rgb Accent(const LayoutElement& e) const;
};

}  // namespace zelo::content
