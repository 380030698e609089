// Zelo's look (see Look.h).
#include "content/screen/Look.h"

#include <cstdint>
#include <cstdio>

namespace zelo::content {

namespace {
const Rgb kBg = Hex(0x121419), kBar = Hex(0x1d2027), kBarLow = Hex(0x16181d), kStrip = Hex(0x181b21),
          kFloor = Hex(0x15171c), kPanel = Hex(0x1c1f26), kLine = Hex(0x2b303a), kWell = Hex(0x0c0e12),
          kBtnTop = Hex(0x30353f), kBtnLow = Hex(0x24282f), kBtnEdge = Hex(0x41475430 >> 8), kInk = Hex(0xc9ced8),
          kDim = Hex(0x7d8491), kAmber = Hex(0xf5a623), kGreen = Hex(0x3ddc84), kRed = Hex(0xff5252),
          kTeal = Hex(0x2ec4b6), kWhite = Hex(0xe8ecf2), kDark = Hex(0x111318);
const unsigned kPatternColours[] = {0xf5a623, 0x2ec4b6, 0xb388ff, 0xff6e9c};
}  // namespace

void Painter::RoundRect(double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr_, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr_, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr_, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr_);
}

void Painter::VGradient(double x, double y, double w, double h, Rgb top, Rgb bottom) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr_, g);
  cairo_rectangle(cr_, x, y, w, h);
  cairo_fill(cr_);
  cairo_pattern_destroy(g);
}

void Painter::Text(const std::string& text, double x, double y, double w, double h, Rgb c, double sizePx, bool bold,
                   int align, bool wrap) {
  if (text.empty() || w <= 0 || h <= 0) return;
  PangoLayout* lay = pango_cairo_create_layout(cr_);
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(pango_layout_get_context(lay), fo);
  cairo_font_options_destroy(fo);
  double size = std::max(sizePx, 6.0);
  for (;;) {
    PangoFontDescription* fd = pango_font_description_from_string(bold ? "DejaVu Sans Bold" : "DejaVu Sans");
    pango_font_description_set_absolute_size(fd, size * PANGO_SCALE);
    pango_layout_set_font_description(lay, fd);
    pango_font_description_free(fd);
    pango_layout_set_text(lay, text.c_str(), -1);
    if (wrap) pango_layout_set_width(lay, static_cast<int>(w * PANGO_SCALE));
    pango_layout_set_alignment(lay, align == 0 ? PANGO_ALIGN_CENTER : PANGO_ALIGN_LEFT);
    int tw, th;
    pango_layout_get_pixel_size(lay, &tw, &th);
    if ((tw <= w && th <= h + 2) || size <= 6.0) {
      double tx = wrap ? x : (align == 0 ? x + (w - tw) / 2.0 : x);
      double ty = y + (h - th) / 2.0;
      cairo_save(cr_);
      cairo_rectangle(cr_, x, y, w, h);
      cairo_clip(cr_);
      Set(c);
      cairo_move_to(cr_, std::round(tx), std::round(ty));
      pango_cairo_show_layout(cr_, lay);
      cairo_restore(cr_);
      break;
    }
    size -= 0.5;
  }
  g_object_unref(lay);
}

void Painter::Background(int w, int h) { Fill(0, 0, w, h, kBg); }

void Painter::Frame(const std::string& style, Rechteck r) {
  if (style == "bar") {
    VGradient(r.X, r.Y, r.B, r.H, kBar, kBarLow);
    Fill(r.X, r.Y + r.H - 1, r.B, 1, Hex(0x0a0b0e));
  } else if (style == "strip") {
    Fill(r.X, r.Y, r.B, r.H, kStrip);
  } else if (style == "floor") {
    Fill(r.X, r.Y, r.B, r.H, kFloor);
    Fill(r.X, r.Y, r.B, 1, Hex(0x0a0b0e));
  } else if (style == "panel" || style == "section" || style == "group") {
    Rgb fill = style == "panel" ? kPanel : style == "section" ? Hex(0x171a20) : Hex(0x1e222a);
    RoundRect(r.X + 0.5, r.Y + 0.5, r.B - 1, r.H - 1, Px(8));
    Set(fill);
    cairo_fill_preserve(cr_);
    Set(kLine);
    cairo_set_line_width(cr_, 1);
    cairo_stroke(cr_);
  }
}

void Painter::Caption(const std::string& style, Rechteck r, const std::string& text) {
  if (style == "title") Text(text, r.X, r.Y, r.B, r.H, kWhite, Px(18), true, 1);
  else if (style == "small") Text(text, r.X, r.Y, r.B, r.H, kDim, Px(10), true, 0);
  else if (style == "caption") Text(text, r.X, r.Y, r.B, r.H, kDim, Px(11), true, 0);
  else if (style == "note") Text(text, r.X, r.Y, r.B, r.H, kDim, Px(12), false, 1, true);
}

Rgb Painter::Accent(const LayoutElement& e) const {
  std::string c = e.Get("colour");
  if (c == "green") return kGreen;
  if (c == "red") return kRed;
  if (c == "teal") return kTeal;
  if (c == "white") return kWhite;
  if (c == "pattern") return Hex(kPatternColours[e.GetInt("pattern", 0) & 3]);
  return kAmber;
}

void Painter::Icon(const std::string& icon, double cx, double cy, double d, Rgb c) {
  Set(c);
  cairo_set_line_width(cr_, std::max(1.0, d / 7));
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  double h = d / 2;
  auto tri = [&](double x, double dir, double size) {  // a triangle pointing right (dir 1) or left (-1)
    cairo_move_to(cr_, x - dir * size * 0.45, cy - size * 0.55);
    cairo_line_to(cr_, x + dir * size * 0.55, cy);
    cairo_line_to(cr_, x - dir * size * 0.45, cy + size * 0.55);
    cairo_close_path(cr_);
    cairo_fill(cr_);
  };
  if (icon == "play") tri(cx, 1, d);
  else if (icon == "stop") { cairo_rectangle(cr_, cx - h * 0.8, cy - h * 0.8, d * 0.8, d * 0.8); cairo_fill(cr_); }
  else if (icon == "record") { cairo_arc(cr_, cx, cy, h * 0.85, 0, 2 * M_PI); cairo_fill(cr_); }
  else if (icon == "left") tri(cx, -1, d * 0.8);
  else if (icon == "right") tri(cx, 1, d * 0.8);
  else if (icon == "up" || icon == "down") {
    double dir = icon == "up" ? -1 : 1;
    cairo_move_to(cr_, cx - h * 0.7, cy - dir * h * 0.4);
    cairo_line_to(cr_, cx + h * 0.7, cy - dir * h * 0.4);
    cairo_line_to(cr_, cx, cy + dir * h * 0.5);
    cairo_close_path(cr_);
    cairo_fill(cr_);
  } else if (icon == "tostart" || icon == "toend") {
    double dir = icon == "toend" ? 1 : -1;
    tri(cx - dir * d * 0.15, dir, d * 0.6);
    tri(cx + dir * d * 0.25, dir, d * 0.6);
    cairo_rectangle(cr_, cx + dir * d * 0.55 - d * 0.05, cy - d * 0.33, d * 0.1, d * 0.66);
    cairo_fill(cr_);
  } else if (icon == "loop") {
    cairo_arc(cr_, cx, cy, h * 0.7, M_PI * 0.15, M_PI * 1.85);
    cairo_stroke(cr_);
    cairo_move_to(cr_, cx + h * 0.9, cy - h * 0.05);
    cairo_line_to(cr_, cx + h * 0.45, cy - h * 0.55);
    cairo_line_to(cr_, cx + h * 0.3, cy + h * 0.05);
    cairo_close_path(cr_);
    cairo_fill(cr_);
  } else if (icon == "help") {
    Text("?", cx - h, cy - h, d, d, c, d * 0.95, true);
  } else if (icon == "minimise") {
    cairo_move_to(cr_, cx - h * 0.6, cy + h * 0.4);
    cairo_line_to(cr_, cx + h * 0.6, cy + h * 0.4);
    cairo_stroke(cr_);
  } else if (icon == "quit") {
    cairo_arc(cr_, cx, cy + h * 0.08, h * 0.62, -M_PI * 0.28, M_PI * 1.28);
    cairo_stroke(cr_);
    cairo_move_to(cr_, cx, cy - h * 0.75);
    cairo_line_to(cr_, cx, cy - h * 0.05);
    cairo_stroke(cr_);
  } else if (icon == "close") {
    cairo_move_to(cr_, cx - h * 0.5, cy - h * 0.5);
    cairo_line_to(cr_, cx + h * 0.5, cy + h * 0.5);
    cairo_move_to(cr_, cx + h * 0.5, cy - h * 0.5);
    cairo_line_to(cr_, cx - h * 0.5, cy + h * 0.5);
    cairo_stroke(cr_);
  } else if (icon == "disk") {
    RoundRect(cx - h * 0.75, cy - h * 0.75, d * 0.75, d * 0.75, d * 0.08);
    cairo_stroke(cr_);
    cairo_rectangle(cr_, cx - h * 0.35, cy - h * 0.75, h * 0.7, h * 0.5);
    cairo_fill(cr_);
  } else if (icon == "new") {
    cairo_move_to(cr_, cx - h * 0.6, cy);
    cairo_line_to(cr_, cx + h * 0.6, cy);
    cairo_move_to(cr_, cx, cy - h * 0.6);
    cairo_line_to(cr_, cx, cy + h * 0.6);
    cairo_stroke(cr_);
  } else if (icon == "save") {
    cairo_move_to(cr_, cx, cy - h * 0.7);
    cairo_line_to(cr_, cx, cy + h * 0.3);
    cairo_stroke(cr_);
    cairo_move_to(cr_, cx - h * 0.45, cy - h * 0.1);
    cairo_line_to(cr_, cx, cy + h * 0.35);
    cairo_line_to(cr_, cx + h * 0.45, cy - h * 0.1);
    cairo_stroke(cr_);
    cairo_move_to(cr_, cx - h * 0.7, cy + h * 0.7);
    cairo_line_to(cr_, cx + h * 0.7, cy + h * 0.7);
    cairo_stroke(cr_);
  } else if (icon == "eraser") {
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_rotate(cr_, -M_PI / 4);
    RoundRect(-h * 0.8, -h * 0.4, d * 0.8, d * 0.4, d * 0.06);
    cairo_stroke(cr_);
    cairo_rectangle(cr_, -h * 0.8, -h * 0.4, h * 0.6, d * 0.4);
    cairo_fill(cr_);
    cairo_restore(cr_);
  } else if (icon == "trash") {
    cairo_rectangle(cr_, cx - h * 0.5, cy - h * 0.4, h, h * 1.1);
    cairo_stroke(cr_);
    cairo_move_to(cr_, cx - h * 0.7, cy - h * 0.55);
    cairo_line_to(cr_, cx + h * 0.7, cy - h * 0.55);
    cairo_stroke(cr_);
  } else if (icon == "synth") {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        if ((i + j) % 2 == 0) {
          cairo_rectangle(cr_, cx - h * 0.7 + i * h * 0.5, cy - h * 0.7 + j * h * 0.5, h * 0.38, h * 0.38);
          cairo_fill(cr_);
        }
  } else if (icon == "effects") {
    cairo_move_to(cr_, cx - h * 0.8, cy);
    for (int i = 0; i <= 16; ++i) cairo_line_to(cr_, cx - h * 0.8 + i * h * 0.1, cy - std::sin(i * 0.8) * h * 0.45);
    cairo_stroke(cr_);
  } else if (icon == "stretch") {
    cairo_move_to(cr_, cx - h * 0.8, cy);
    cairo_line_to(cr_, cx + h * 0.8, cy);
    cairo_stroke(cr_);
    tri(cx - h * 0.65, -1, h * 0.7);
    tri(cx + h * 0.65, 1, h * 0.7);
  } else if (icon == "mixer") {
    for (int i = 0; i < 3; ++i) {
      double x = cx - h * 0.55 + i * h * 0.55;
      cairo_move_to(cr_, x, cy - h * 0.7);
      cairo_line_to(cr_, x, cy + h * 0.7);
      cairo_stroke(cr_);
      cairo_rectangle(cr_, x - h * 0.2, cy + (i - 1) * h * 0.35 - h * 0.12, h * 0.4, h * 0.24);
      cairo_fill(cr_);
    }
  } else if (icon == "metronome") {
    cairo_move_to(cr_, cx - h * 0.5, cy + h * 0.7);
    cairo_line_to(cr_, cx - h * 0.2, cy - h * 0.7);
    cairo_line_to(cr_, cx + h * 0.2, cy - h * 0.7);
    cairo_line_to(cr_, cx + h * 0.5, cy + h * 0.7);
    cairo_close_path(cr_);
    cairo_stroke(cr_);
    cairo_move_to(cr_, cx, cy + h * 0.4);
    cairo_line_to(cr_, cx + h * 0.5, cy - h * 0.5);
    cairo_stroke(cr_);
  }
}

void Painter::Button(Rechteck r, Zustand z, Rgb accent, const std::string& icon, const std::string& text,
                     double radius) {
  double x = r.X + 0.5, y = r.Y + 0.5, w = r.B - 1, h = r.H - 1;
  Rgb ink = kInk;
  RoundRect(x, y, w, h, radius);
  if (z == Zustand::Normal) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, kBtnTop.r, kBtnTop.g, kBtnTop.b);
    cairo_pattern_add_color_stop_rgb(g, 1, kBtnLow.r, kBtnLow.g, kBtnLow.b);
    cairo_set_source(cr_, g);
    cairo_fill_preserve(cr_);
    cairo_pattern_destroy(g);
    Set(Hex(0x3f4552));
    if (icon == "play" || icon == "record" || icon == "stop") ink = Mix(kInk, accent, 0.5);
  } else {
    Rgb fill = z == Zustand::Aktiv ? accent : Mix(accent, kWhite, 0.35);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    Rgb top = Mix(fill, kWhite, 0.15);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, fill.r, fill.g, fill.b);
    cairo_set_source(cr_, g);
    cairo_fill_preserve(cr_);
    cairo_pattern_destroy(g);
    Set(z == Zustand::Druck ? kWhite : Mix(accent, kWhite, 0.5));
    ink = kDark;
  }
  cairo_set_line_width(cr_, 1);
  cairo_stroke(cr_);
  double m = std::min(w, h);
  if (!icon.empty() && !text.empty() && h > w * 0.45) {
    double d = m * 0.36;
    Icon(icon, x + w / 2, y + h * 0.33, d, ink);
    Text(text, x + 2, y + h * 0.55, w - 4, h * 0.42, ink, Px(11), true);
  } else if (!icon.empty() && !text.empty()) {
    double d = h * 0.5;
    Icon(icon, x + h * 0.55, y + h / 2, d, ink);
    Text(text, x + h, y, w - h - 2, h, ink, Px(12), true);
  } else if (!icon.empty()) {
    Icon(icon, x + w / 2, y + h / 2, m * 0.5, ink);
  } else {
    Text(text, x + 2, y, w - 4, h, ink, Px(12), true);
  }
}

void Painter::Fader(Rechteck r) {
  bool vertical = r.H >= r.B;
  Set(kWell);
  double t = std::max(2.0, Px(4));
  if (vertical) {
    for (int i = 0; i <= 10; ++i) {
      double y = r.Y + Px(9) + (r.H - Px(18)) * i / 10.0;
      Fill(r.X + 1, std::round(y), r.B - 2, 1, i == 0 || i == 10 || i == 5 ? Hex(0x3a404c) : Hex(0x272b33));
    }
    RoundRect(r.X + (r.B - t) / 2, r.Y + 1, t, r.H - 2, t / 2);
  } else {
    RoundRect(r.X + 1, r.Y + (r.H - t) / 2, r.B - 2, t, t / 2);
  }
  Set(kWell);
  cairo_fill_preserve(cr_);
  Set(Hex(0x363b46));
  cairo_set_line_width(cr_, 1);
  cairo_stroke(cr_);
}

void Painter::Tracks(Rechteck r, bool onlyLast) {
  int ppb = s.PixelProTakt(), pitch = s.Spurabstand(), th = s.Spurhoehe();
  for (int row = onlyLast ? 16 : 0; row <= 16; ++row) {
    int y = r.Y + row * pitch;
    Rgb c = row == 16 ? Hex(0x1f1a26) : (row % 2 ? Hex(0x1a1d23) : Hex(0x1d2027));
    Fill(r.X, y, 22 * ppb, th, c);
    for (int bar = 1; bar < 22; ++bar) Fill(r.X + bar * ppb, y, 1, th, Hex(0x2a2e37));
    if (row == 16 && !onlyLast) Fill(r.X, y - (pitch - th), 22 * ppb, 1, Hex(0x3a2f4a));
  }
}

void Painter::Ruler(Rechteck r) {
  Fill(r.X, r.Y, r.B, r.H, Hex(0x20242c));
  int ppb = s.PixelProTakt();
  for (int bar = 0; bar < 22; ++bar) {
    Fill(r.X + bar * ppb, r.Y, 1, r.H, Hex(0x4a5160));
    Fill(r.X + bar * ppb + ppb / 2, r.Y + r.H * 2 / 3, 1, r.H / 3 + 1, Hex(0x353a45));
  }
  Fill(r.X, r.Y + r.H - 1, r.B, 1, Hex(0x0a0b0e));
}

void Painter::Keyboard(Rechteck r, Zustand z) {
  // The key geometry of the keyboard widget at this layout's scale.
  double F = s.Skalierung;
  double A = 46 * F / 40, N = 32 * F / 40, B = 28 * F / 40;
  double bw = F == 40 ? (28 * F - 16) / 40 : (28 * F - 1) / 40;
  double bh = F == 40 ? (117 * F - 22) / 40 : (117 * F - 5) / 40;
  double uh = 117 * F / 40, W = (60 * F - 1) / 40, lh = 75 * F / 40;
  auto rd = [](double v) { return std::nearbyint(v); };
  const bool black[26] = {0, 1, 0, 0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 0};
  const bool narrow[26] = {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0};
  Rgb white = z == Zustand::Normal ? Hex(0xe9e6df) : Mix(kAmber, kWhite, 0.45);
  Rgb ebony = z == Zustand::Normal ? Hex(0x1b1d22) : Mix(kAmber, kDark, 0.25);
  Fill(r.X, r.Y, r.B, r.H, Hex(0x0b0c0f));
  int a = 0, n = 0, b = 0;
  for (int key = 0; key < 26; ++key) {
    if (black[key]) {
      ++b;
      continue;
    }
    double lx = rd((a + n) * W);
    Fill(r.X + lx + 1, r.Y, rd(W) - 1, rd(uh) + rd(lh) - 1, white);
    if (key == 12) {
      Set(z == Zustand::Normal ? kAmber : kDark);
      cairo_arc(cr_, r.X + lx + rd(W) / 2.0, r.Y + rd(uh) + rd(lh) * 0.7, std::max(1.5, Px(4)), 0, 2 * M_PI);
      cairo_fill(cr_);
    }
    if (narrow[key]) ++n; else ++a;
  }
  a = n = b = 0;
  for (int key = 0; key < 26; ++key) {
    if (black[key]) {
      double x = rd(a * A + n * N + b * B);
      RoundRect(r.X + x, r.Y - 2, rd(bw), rd(bh) + 2, Px(3));
      Set(ebony);
      cairo_fill(cr_);
      Fill(r.X + x + 2, r.Y, std::max(1.0, rd(bw) - 4), std::max(1.0, Px(3)), Mix(ebony, kWhite, 0.12));
      ++b;
    } else if (narrow[key]) {
      ++n;
    } else {
      ++a;
    }
  }
}

void Painter::LedGrid(const Layout& l, Zustand z) {
  for (int row = 0; row < 18; ++row) {
    Rechteck ry = LayoutRect(*l.Element(742 + row), s);
    Text(std::to_string(row + 1), LayoutRect(*l.Element(742), s).X - Px(34), ry.Y, Px(28), ry.H, kDim, Px(10), true,
         0);
    for (int col = 0; col < 16; ++col) {
      Rechteck rx = LayoutRect(*l.Element(742 + col), s);
      double x = rx.X, y = ry.Y, w = rx.B, h = ry.H;
      RoundRect(x + 0.5, y + 0.5, w - 1, h - 1, Px(4));
      if (z == Zustand::Normal) {
        Set(col % 4 == 0 ? Hex(0x2c313b) : Hex(0x252931));
        cairo_fill_preserve(cr_);
        Set(Hex(0x353b46));
      } else {
        Set(Mix(kAmber, kWhite, 0.15));
        cairo_fill_preserve(cr_);
        Set(Mix(kAmber, kWhite, 0.6));
      }
      cairo_set_line_width(cr_, 1);
      cairo_stroke(cr_);
    }
  }
}

void Painter::Wordmark(double x, double y, double w, double h, Rgb c) {
  Text("ZELO", x, y, w, h, c, h * 0.8, true);
}

void Painter::Element(const Layout& l, const LayoutElement& e, Rechteck r, Zustand z) {
  std::string look = e.Get("look");
  Rgb accent = Accent(e);
  double radius = Px(5);
  if (look == "button") {
    Button(r, z, accent, e.Get("icon"), e.Get("text"), radius);
  } else if (look == "switch") {
    Button(r, z, accent, "", e.Get("text"), Px(3));
  } else if (look == "recsel") {
    double cx = r.X + r.B / 2.0, cy = r.Y + r.H / 2.0, rad = std::min(r.B, r.H) / 2.0 - 1;
    cairo_arc(cr_, cx, cy, rad, 0, 2 * M_PI);
    Set(Hex(0x22262d));
    cairo_fill_preserve(cr_);
    Set(Hex(0x444b57));
    cairo_set_line_width(cr_, 1);
    cairo_stroke(cr_);
    cairo_arc(cr_, cx, cy, rad * 0.5, 0, 2 * M_PI);
    Set(z == Zustand::Normal ? Hex(0x5a2a2e) : z == Zustand::Aktiv ? kRed : Mix(kRed, kWhite, 0.4));
    cairo_fill(cr_);
  } else if (look == "tab") {
    Rgb gc = Hex(GroupColours()[static_cast<size_t>(e.GetInt("group", 0)) % 12]);
    RoundRect(r.X + 0.5, r.Y + 0.5, r.B - 1, r.H - 1, Px(4));
    if (z == Zustand::Normal) {
      Set(Hex(0x262a32));
      cairo_fill(cr_);
      Fill(r.X + 1, r.Y + r.H - std::max(2.0, Px(3)), r.B - 2, std::max(2.0, Px(3)), gc);
      Text(e.Get("text"), r.X + 2, r.Y, r.B - 4, r.H - Px(2), kInk, Px(11), true);
    } else {
      Set(z == Zustand::Aktiv ? gc : Mix(gc, kWhite, 0.35));
      cairo_fill(cr_);
      Text(e.Get("text"), r.X + 2, r.Y, r.B - 4, r.H, Hex(GroupNameColour(static_cast<size_t>(e.GetInt("group", 0)))),
           Px(11), true);
    }
  } else if (look == "fader") {
    Fader(r);
  } else if (look == "quick") {
    RoundRect(r.X + 0.5, r.Y + 0.5, r.B - 1, r.H - 1, Px(6));
    Set(Hex(0x2a2f38));
    cairo_fill_preserve(cr_);
    Set(kAmber);
    cairo_set_line_width(cr_, 1);
    cairo_stroke(cr_);
    Icon("up", r.X + r.B / 2.0, r.Y + r.H * 0.3, r.H * 0.35, kAmber);
    Icon("down", r.X + r.B / 2.0, r.Y + r.H * 0.7, r.H * 0.35, kAmber);
  } else if (look == "display" || look == "meter" || look == "list") {
    RoundRect(r.X + 0.5, r.Y + 0.5, r.B - 1, r.H - 1, look == "list" ? Px(6) : Px(4));
    Set(look == "display" ? Hex(0x0b100e) : kWell);
    cairo_fill_preserve(cr_);
    Set(Hex(0x2e333d));
    cairo_set_line_width(cr_, 1);
    cairo_stroke(cr_);
  } else if (look == "ruler") {
    Ruler(r);
  } else if (look == "tracks" || look == "row16") {
    Tracks(r, look == "row16");
    if (look == "row16")
      Text("SYNTH TRACK", 0, r.Y + 16 * s.Spurabstand(), r.X - 4, s.Spurhoehe(), kDim, Px(10), true);
    else
      for (int row = 0; row < 17; ++row)
        Text(row == 16 ? "X" : std::to_string(row + 1), Px(36), r.Y + row * s.Spurabstand(), Px(26), s.Spurhoehe(),
             kInk, Px(12), true);
  } else if (look == "keyboard") {
    Keyboard(r, z);
  } else if (look == "ledgrid") {
    LedGrid(l, z);
  } else if (look == "steplight" || look == "patbar") {
    Rgb lit = look == "patbar" ? Hex(kPatternColours[e.GetInt("pattern", 0) & 3]) : accent;
    Fill(r.X, r.Y, r.B, r.H, z == Zustand::Normal ? Hex(0x2a2f38) : lit);
  } else if (look == "lamp") {
    cairo_arc(cr_, r.X + r.B / 2.0, r.Y + r.H / 2.0, std::min(r.B, r.H) / 2.0 - 1, 0, 2 * M_PI);
    Set(z == Zustand::Normal ? Hex(0x3a2224) : kRed);
    cairo_fill(cr_);
  } else if (look == "patname") {
    RoundRect(r.X + 0.5, r.Y + 0.5, r.B - 1, r.H - 1, Px(4));
    Set(Hex(0x0b100e));
    cairo_fill(cr_);
    if (z != Zustand::Normal)
      Text(e.Get("text"), r.X, r.Y, r.B, r.H, Hex(kPatternColours[e.GetInt("pattern", 0) & 3]), Px(14), true);
  } else if (look == "logo") {
    Rgb c = z == Zustand::Normal ? kAmber : kWhite;
    Wordmark(r.X, r.Y, r.B, r.H, c);
  } else if (look == "wordmark") {
    Rgb c = z == Zustand::Normal ? kAmber : z == Zustand::Aktiv ? kWhite : kBg;
    Wordmark(r.X, r.Y, r.B, r.H, c);
  } else if (look == "claim") {
    Rgb c = z == Zustand::Normal ? kInk : z == Zustand::Aktiv ? kWhite : kBg;
    Text(e.Get("text"), r.X, r.Y, r.B, r.H, c, Px(20), false);
  } else if (look == "splashline") {
    Fill(r.X, r.Y, r.B, r.H, z == Zustand::Normal ? kAmber : z == Zustand::Aktiv ? kWhite : kBg);
  } else if (look == "wave") {
    if (z == Zustand::Druck) return;
    Set(z == Zustand::Normal ? kTeal : kWhite);
    cairo_set_line_width(cr_, std::max(1.0, Px(3)));
    int bars = 64;
    for (int i = 0; i < bars; ++i) {
      double x = r.X + (i + 0.5) * r.B / bars;
      double a = (0.25 + 0.75 * std::fabs(std::sin(i * 0.37) * std::cos(i * 0.11))) * r.H / 2;
      cairo_move_to(cr_, x, r.Y + r.H / 2.0 - a);
      cairo_line_to(cr_, x, r.Y + r.H / 2.0 + a);
    }
    cairo_stroke(cr_);
  } else if (look == "introglow") {
    if (z == Zustand::Druck) return;
    cairo_pattern_t* g = cairo_pattern_create_radial(r.X + r.B / 2.0, r.Y + r.H / 2.0, 0, r.X + r.B / 2.0,
                                                     r.Y + r.H / 2.0, r.B / 2.0);
    Rgb c = z == Zustand::Normal ? Hex(0x3a2a10) : Hex(0x6a4a18);
    cairo_pattern_add_color_stop_rgb(g, 0, c.r, c.g, c.b);
    cairo_pattern_add_color_stop_rgb(g, 1, kBg.r, kBg.g, kBg.b);
    cairo_set_source(cr_, g);
    cairo_rectangle(cr_, r.X, r.Y, r.B, r.H);
    cairo_fill(cr_);
    cairo_pattern_destroy(g);
  }
}

void Painter::Knob(const std::string& stem, int w, int h) {
  Rgb face = stem == "zelo64" ? kAmber : Hex(0xd7dbe2);
  VGradient(0, 0, w, h, Mix(face, kWhite, 0.3), Mix(face, kDark, 0.25));
  Set(Hex(0x0b0c0f));
  cairo_set_line_width(cr_, 1);
  cairo_rectangle(cr_, 0.5, 0.5, w - 1, h - 1);
  cairo_stroke(cr_);
  // The grip line across the knob's middle marks its value.
  if (h <= w) Fill(1, h / 2, w - 2, 1, stem == "zelo64" ? kDark : kAmber);
  else Fill(w / 2, 1, 1, h - 2, kAmber);
}

void Painter::QuickFader(int w, int h) {
  Fill(0, 0, w, h, Hex(0x1d2027));
  Set(kAmber);
  cairo_set_line_width(cr_, 1);
  cairo_rectangle(cr_, 0.5, 0.5, w - 1, h - 1);
  cairo_stroke(cr_);
  double t = std::max(2.0, Px(4));
  RoundRect((w - t) / 2, Px(8), t, h - Px(16), t / 2);
  Set(kWell);
  cairo_fill(cr_);
  for (int i = 0; i <= 8; ++i) Fill(Px(4), std::round(Px(14) + (h - Px(28)) * i / 8.0), Px(6), 1, kDim);
}

void Painter::StartLogo(int w, int h, bool mask) {
  // The mask is ANDed onto the screen (white keeps it, black clears the logo's shape); the
  // image is ORed on top (black leaves the screen, colour draws the logo).
  Fill(0, 0, w, h, mask ? Rgb{1, 1, 1} : Rgb{0, 0, 0});
  RoundRect(Px(10), Px(10), w - Px(20), h - Px(20), Px(28));
  Set(mask ? Rgb{0, 0, 0} : Hex(0x1b1e25));
  cairo_fill(cr_);
  if (mask) return;
  RoundRect(Px(10) + 1, Px(10) + 1, w - Px(20) - 2, h - Px(20) - 2, Px(27));
  Set(kAmber);
  cairo_set_line_width(cr_, std::max(1.0, Px(2)));
  cairo_stroke(cr_);
  Wordmark(0, Px(30), w, h * 0.5, kAmber);
  Text("LOOP ARRANGER", 0, h * 0.62, w, Px(30), kInk, Px(18), false);
}

void Painter::InfoPicture(const Layout& l, int w, int h) {
  Fill(0, 0, w, h, Hex(0x1b1e25));
  Set(kAmber);
  cairo_set_line_width(cr_, std::max(1.0, Px(2)));
  cairo_rectangle(cr_, 1, 1, w - 2, h - 2);
  cairo_stroke(cr_);
  Wordmark(0, Px(20), w, Px(90), kAmber);
  Text("LOOP ARRANGER", 0, Px(110), w, Px(30), kInk, Px(16), false);
  if (auto* e = l.Element(554)) {
    Rechteck r = LayoutRect(*e, s);
    RoundRect(r.X, r.Y, r.B, r.H, Px(6));
    Set(Hex(0x121419));
    cairo_fill(cr_);
  }
}

void Painter::NullCursor() {
  cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr_);
}

void Painter::EraserCursor() {
  // Hot spot: the centre (16, 16), where the eraser's edge touches.
  cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  cairo_save(cr_);
  cairo_translate(cr_, 16, 16);
  cairo_rotate(cr_, -M_PI / 4);
  RoundRect(0, -6, 20, 12, 2);
  Set(Hex(0xff7070));
  cairo_fill_preserve(cr_);
  Set(Rgb{0, 0, 0});
  cairo_set_line_width(cr_, 1.5);
  cairo_stroke(cr_);
  RoundRect(10, -6, 10, 12, 2);
  Set(kWhite);
  cairo_fill_preserve(cr_);
  Set(Rgb{0, 0, 0});
  cairo_stroke(cr_);
  cairo_restore(cr_);
  Fill(15, 15, 2, 2, Rgb{0, 0, 0});
}

void Painter::Marker() { Fill(0, 0, 16, 16, kAmber); }

std::string TextureBmp(bool selected) {
  // A 64 x 32 grey relief, 24 bits per pixel, bottom-up rows as BMP stores them.
  const int w = 64, h = 32, row = w * 3;
  std::string bmp(54 + row * h, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 255);
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, static_cast<uint32_t>(bmp.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  bmp[26] = 1;
  bmp[28] = 24;
  put32(34, static_cast<uint32_t>(row * h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // Lighter at the top, darker at the bottom, with a faint diagonal brushing.
      double g = 112 + (selected ? 22 : 14) * (1.0 - 2.0 * y / (h - 1)) + 5 * std::sin((x + y) * 0.7);
      int v = std::clamp(static_cast<int>(std::lround(g)), 0, 255);
      size_t at = 54 + static_cast<size_t>((h - 1 - y) * row + x * 3);
      bmp[at] = bmp[at + 1] = bmp[at + 2] = static_cast<char>(v);
    }
  return bmp;
}

std::string PaletteText() {
  std::string out = "; Sound-group colours: block, selected block, name text (group 0 first)\r\n";
  size_t g = 0;
  for (unsigned c : GroupColours()) {
    Rgb base = Hex(c), sel = Mix(base, Rgb{1, 1, 1}, 0.55);
    auto hex = [](Rgb v) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "#%02x%02x%02x", static_cast<int>(std::lround(v.r * 255)),
                    static_cast<int>(std::lround(v.g * 255)), static_cast<int>(std::lround(v.b * 255)));
      return std::string(buf);
    };
    out += hex(base) + " " + hex(sel) + " " + hex(Hex(GroupNameColour(g++))) + "\r\n";
  }
  return out;
}

}  // namespace zelo::content
