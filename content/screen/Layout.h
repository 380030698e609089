#pragma once
// The screen layout description (layout.inc) read into elements, frames and captions, and the
// geometry of every element at each of the five layouts. Header-only, so the content tests read
// the same description the generator draws from.

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zelo::content {

/// The layout description as text (the repository's content/screen/layout.inc).
inline const char* LayoutText() {
  return
#include "content/screen/layout.inc"
      ;
}

/// Page bits as the page file and the element table use them.
struct PageInfo {
  std::string Label;      ///< ":Hauptbild" without the colon
  std::string Kurz;       ///< short name used in the description
  int Nummer = 0;         ///< 1..9
  int Bit = 0;
  std::string Hintergrund, Elemente;  ///< picture stems (page lines 0 and 1)
};

struct LayoutElement {
  int Nummer = 0;
  std::string Name, Typ;
  std::vector<std::string> Seiten;
  int X = 0, Y = 0, B = 0, H = 0;  ///< 1280 layout pixels
  std::map<std::string, std::string> Attr;

  std::string Get(const std::string& key, const std::string& fallback = "") const {
    auto it = Attr.find(key);
    return it == Attr.end() ? fallback : it->second;
  }
  int GetInt(const std::string& key, int fallback) const {
    auto it = Attr.find(key);
    return it == Attr.end() ? fallback : std::stoi(it->second);
  }
  bool Has(const std::string& key) const { return Attr.count(key) != 0; }
  bool On(const std::string& seite) const { return std::find(Seiten.begin(), Seiten.end(), seite) != Seiten.end(); }
};

struct LayoutShape {
  bool IstLabel = false;
  std::vector<std::string> Seiten;
  int X = 0, Y = 0, B = 0, H = 0;
  std::string Stil, Text;
  bool On(const std::string& seite) const { return std::find(Seiten.begin(), Seiten.end(), seite) != Seiten.end(); }
};

struct Layout {
  std::vector<PageInfo> Seiten;
  std::vector<LayoutElement> Elemente;
  std::vector<LayoutShape> Formen;
  std::vector<std::string> Fehler;  ///< lines the reader could not use

  const PageInfo* Seite(const std::string& kurz) const {
    for (auto& p : Seiten)
      if (p.Kurz == kurz) return &p;
    return nullptr;
  }
  const LayoutElement* Element(int nummer) const {
    for (auto& e : Elemente)
      if (e.Nummer == nummer) return &e;
    return nullptr;
  }
};

namespace layout_detail {
/// Splits a line into words; "quoted text" is one word without its quotes.
inline std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string w;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
      if (line[i] == '"') {
        size_t end = line.find('"', i + 1);
        if (end == std::string::npos) end = line.size();
        w += line.substr(i + 1, end - i - 1);
        i = end + 1;
      } else {
        w += line[i++];
      }
    }
    out.push_back(w);
  }
  return out;
}
inline std::vector<std::string> Pages(const std::string& s) {
  std::vector<std::string> out;
  if (s == "-") return out;
  std::stringstream ss(s);
  std::string p;
  while (std::getline(ss, p, ','))
    if (!p.empty()) out.push_back(p);
  return out;
}
inline bool ToInt(const std::string& s, int& v) {
  try {
    size_t used = 0;
    v = std::stoi(s, &used);
    return used == s.size();
  } catch (...) {
    return false;
  }
}
}  // namespace layout_detail

/// Reads a layout description. Lines it cannot use are listed in Fehler, never thrown.
inline Layout ReadLayout(const std::string& text) {
  using namespace layout_detail;
  Layout l;
  std::stringstream in(text);
  std::string line;
  int bit = 1, nummer = 1;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto w = Words(line);
    if (w.empty() || w[0][0] == '#') continue;
    if (w[0] == "page" && w.size() == 5) {
      l.Seiten.push_back({w[1], w[2], nummer++, bit, w[3], w[4]});
      bit <<= 1;
    } else if ((w[0] == "box" && w.size() == 7) || (w[0] == "label" && w.size() == 8)) {
      LayoutShape f;
      f.IstLabel = w[0] == "label";
      f.Seiten = Pages(w[1]);
      bool ok = ToInt(w[2], f.X) && ToInt(w[3], f.Y) && ToInt(w[4], f.B) && ToInt(w[5], f.H);
      f.Stil = w[6];
      if (f.IstLabel) f.Text = w[7];
      if (ok) l.Formen.push_back(f); else l.Fehler.push_back(line);
    } else if (w[0] == "el" && w.size() >= 9) {
      LayoutElement e;
      bool ok = ToInt(w[1], e.Nummer) && ToInt(w[5], e.X) && ToInt(w[6], e.Y) && ToInt(w[7], e.B) &&
                ToInt(w[8], e.H);
      e.Name = w[2];
      e.Typ = w[3];
      e.Seiten = Pages(w[4]);
      for (size_t i = 9; i < w.size(); ++i) {
        auto eq = w[i].find('=');
        if (eq == std::string::npos) { ok = false; continue; }
        e.Attr[w[i].substr(0, eq)] = w[i].substr(eq + 1);
      }
      if (ok) l.Elemente.push_back(e); else l.Fehler.push_back(line);
    } else {
      l.Fehler.push_back(line);
    }
  }
  return l;
}

/// One of the five layouts with the metrics the program derives for it.
struct LayoutScale {
  int Breite = 1280, Hoehe = 960;
  int Skalierung = 40;
  int Rastermass = 20;
  char Buchstabe = 'I';
  std::string Ordner = "grafiki";
  std::string Koordinatendatei = "k_1280";

  int Scale(int v) const { return v * Skalierung / 40; }  // truncation toward zero, as the reader does
  int PixelProTakt() const { return 1000 / Rastermass; }
  int Spurhoehe() const { return 640 / Rastermass; }
  int Spurabstand() const { return Hoehe < 500 ? 18 : 708 / Rastermass; }
};

inline std::vector<LayoutScale> AllScales() {
  return {{640, 480, 20, 40, 'A', "grafika", "k_640"},
          {800, 600, 25, 32, 'C', "grafikc", "k_800"},
          {1024, 768, 32, 25, 'E', "grafike", "k_1024"},
          {1152, 864, 36, 22, 'G', "grafikg", "k_1152"},
          {1280, 960, 40, 20, 'I', "grafiki", "k_1280"}};
}

/// An element's rectangle in a layout's own pixels: what the program computes from the
/// coordinate file. Track-row elements follow the layout's track pitch, so they sit on the
/// rows the arrangement draws.
struct Rechteck {
  int X = 0, Y = 0, B = 0, H = 0;
};

/// The track area's top in 1280 pixels (element 75's first row).
inline constexpr int kSpurenOben = 86;

inline Rechteck LayoutRect(const LayoutElement& e, const LayoutScale& s) {
  Rechteck r{s.Scale(e.X), s.Scale(e.Y), s.Scale(e.B), s.Scale(e.H)};
  if (e.Has("row")) {
    int row = e.GetInt("row", 0);
    r.Y = s.Scale(kSpurenOben) + row * s.Spurabstand() + s.Scale(e.Y);
  }
  if (e.Has("rows")) r.H = (e.GetInt("rows", 1) - 1) * s.Spurabstand() + s.Spurhoehe();
  if (e.Has("bars")) r.B = e.GetInt("bars", 22) * s.PixelProTakt();
  return r;
}

inline Rechteck LayoutRect(const LayoutShape& f, const LayoutScale& s) {
  return {s.Scale(f.X), s.Scale(f.Y), s.Scale(f.B), s.Scale(f.H)};
}

/// The value to write into a coordinate file so that the program's reading
/// (value x Skalierung / 40, truncated) gives exactly `pixels`.
inline int EncodeCoordinate(int pixels, const LayoutScale& s) {
  if (pixels <= 0) return pixels * 40 / s.Skalierung;
  return (pixels * 40 + s.Skalierung - 1) / s.Skalierung;
}

/// Which page picture an element's images come from, as the page engine's adjustment decides.
enum class Bildquelle { Seite, Mixerpanel, Stretchpanel };
inline Bildquelle QuelleVon(const LayoutElement& e) {
  if (e.On("mixer")) return Bildquelle::Mixerpanel;
  if (e.On("stretch") && !e.On("groups")) return Bildquelle::Stretchpanel;
  return Bildquelle::Seite;
}

/// The extra band below the three copies of a page's element picture holds the images of
/// elements that share one rectangle (the pattern name and bar of the generator page).
inline int SlotOffset(const Layout& l, const LayoutElement& e, const LayoutScale& s) {
  int y = 0;
  int wanted = e.GetInt("slot", 0);
  for (int slot = 0; slot < wanted; ++slot)
    for (auto& o : l.Elemente)
      if (o.Has("slot") && o.GetInt("slot", -1) == slot && o.On(e.Seiten.empty() ? "" : e.Seiten[0]))
        y += LayoutRect(o, s).H + 2;
  return y;
}

/// The ten coordinate values of an element in a layout's pixels: rectangle, normal, active and
/// second active image (in the picture of the element's slot), width and height.
inline std::array<int, 10> ElementValues(const Layout& l, const LayoutElement& e, const LayoutScale& s) {
  Rechteck r = LayoutRect(e, s);
  int qx = r.X, qy = r.Y, ax = r.X, ay = r.Y + s.Hoehe, dx = r.X, dy = r.Y + 2 * s.Hoehe;
  auto fromPanel = [&](int placeholder) {
    Rechteck p = LayoutRect(*l.Element(placeholder), s);
    qx = ax = dx = r.X - p.X;
    qy = r.Y - p.Y;
    ay = qy + p.H;
    dy = qy + 2 * p.H;
  };
  switch (QuelleVon(e)) {
    case Bildquelle::Mixerpanel: fromPanel(237); break;
    case Bildquelle::Stretchpanel: fromPanel(307); break;
    case Bildquelle::Seite:
      if (e.Has("panel")) {
        qx = ax = dx = 0;
        qy = 0;
        ay = r.H;
        dy = 2 * r.H;
      } else if (e.Has("slot")) {
        ay = dy = 3 * s.Hoehe + SlotOffset(l, e, s);
      }
      break;
  }
  return {r.X, r.Y, qx, qy, ax, ay, dx, dy, r.B, r.H};
}

}  // namespace zelo::content
