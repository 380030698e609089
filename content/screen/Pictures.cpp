// Every picture of a layout's graphics folder, drawn as vectors at the layout's own scale.
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "content/screen/KitFiles.h"
#include "content/screen/Look.h"

namespace zelo::content {

namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface NewSurface(int w, int h) {
  return Surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, w), std::max(1, h)),
                 cairo_surface_destroy);
}

bool SavePng(cairo_surface_t* s, const std::string& path) {
  std::error_code made;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), made);
  std::string temp = path + ".part";
  cairo_surface_flush(s);
  if (cairo_surface_write_to_png(s, temp.c_str()) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "zelo_content: cannot write %s\n", temp.c_str());
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) std::fprintf(stderr, "zelo_content: cannot rename %s\n", temp.c_str());
  return !ec;
}

/// Which pages one page picture shows: a main page with the sound-group panel it starts with.
std::vector<std::string> PageSet(const std::string& page) {
  if (page == "main" || page == "pads") return {"main", "groups"};
  if (page == "effect") return {"effect", "groups"};
  if (page == "intro" || page == "splash") return {"intro", "splash"};
  return {page};
}

bool OnAny(const std::vector<std::string>& on, const std::vector<std::string>& set) {
  for (auto& p : on)
    if (std::find(set.begin(), set.end(), p) != set.end()) return true;
  return false;
}

/// Draws the frames, captions and elements of a set of pages, every element in one state.
void DrawPages(Painter& p, const Layout& l, const std::vector<std::string>& set, Zustand z) {
  for (auto& f : l.Formen)
    if (!f.IstLabel && OnAny(f.Seiten, set)) p.Frame(f.Stil, LayoutRect(f, p.s));
  for (auto& f : l.Formen)
    if (f.IstLabel && OnAny(f.Seiten, set)) p.Caption(f.Stil, LayoutRect(f, p.s), f.Text);
  // Large areas first, so that the controls on them stay visible.
  for (int pass = 0; pass < 2; ++pass)
    for (auto& e : l.Elemente) {
      if (!OnAny(e.Seiten, set)) continue;
      bool area = IsArea(e.Get("look"));
      if ((pass == 0) != area) continue;
      p.Element(l, e, LayoutRect(e, p.s), z);
    }
}

/// A page picture: the background alone, or the element picture with the normal, active and
/// second active copies one page height apart and the extra band of shared-rectangle images.
bool WritePage(const Layout& l, const LayoutScale& s, const PageInfo& page, const std::string& folder) {
  auto set = PageSet(page.Kurz);
  std::string letter(1, s.Buchstabe);
  bool ok = true;
  {
    Surface bg = NewSurface(s.Breite, s.Hoehe);
    cairo_t* cr = cairo_create(bg.get());
    Painter p(cr, s);
    p.Background(s.Breite, s.Hoehe);
    DrawPages(p, l, set, Zustand::Normal);
    cairo_destroy(cr);
    ok = SavePng(bg.get(), folder + page.Hintergrund + letter + ".") && ok;
  }
  if (page.Elemente == page.Hintergrund) return ok;
  int band = 0;
  for (auto& e : l.Elemente)
    if (e.Has("slot") && OnAny(e.Seiten, set)) band += LayoutRect(e, s).H + 2;
  Surface el = NewSurface(s.Breite, 3 * s.Hoehe + band);
  cairo_t* cr = cairo_create(el.get());
  for (int copy = 0; copy < 3; ++copy) {
    cairo_save(cr);
    cairo_translate(cr, 0, copy * s.Hoehe);
    cairo_rectangle(cr, 0, 0, s.Breite, s.Hoehe);
    cairo_clip(cr);
    Painter p(cr, s);
    p.Background(s.Breite, s.Hoehe);
    DrawPages(p, l, set, copy == 0 ? Zustand::Normal : copy == 1 ? Zustand::Aktiv : Zustand::Druck);
    cairo_restore(cr);
  }
  // Images of elements sharing one rectangle: each lit image in its own place in the band.
  Painter p(cr, s);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, 0, 3 * s.Hoehe, s.Breite, band);
  cairo_fill(cr);
  for (auto& e : l.Elemente) {
    if (!e.Has("slot") || !OnAny(e.Seiten, set)) continue;
    auto v = ElementValues(l, e, s);
    Rechteck r = LayoutRect(e, s);
    cairo_save(cr);
    cairo_translate(cr, v[4] - r.X, v[5] - r.Y);
    cairo_rectangle(cr, r.X, r.Y, r.B, r.H);
    cairo_clip(cr);
    Painter pp(cr, s);
    pp.Background(s.Breite, s.Hoehe);
    pp.Element(l, e, r, Zustand::Aktiv);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  return SavePng(el.get(), folder + page.Elemente + letter + ".") && ok;
}

/// A panel picture: the whole panel from (0, 0), its active copy directly below and the
/// second active copy below that.
bool WritePanel(const Layout& l, const LayoutScale& s, const PageInfo& page, int placeholder,
                const std::string& folder) {
  Rechteck P = LayoutRect(*l.Element(placeholder), s);
  Surface pic = NewSurface(P.B, 3 * P.H);
  cairo_t* cr = cairo_create(pic.get());
  for (int copy = 0; copy < 3; ++copy) {
    cairo_save(cr);
    cairo_translate(cr, -P.X, copy * P.H - P.Y);
    cairo_rectangle(cr, P.X, P.Y, P.B, P.H);
    cairo_clip(cr);
    Painter p(cr, s);
    p.Background(s.Breite, s.Hoehe);
    DrawPages(p, l, {page.Kurz}, copy == 0 ? Zustand::Normal : copy == 1 ? Zustand::Aktiv : Zustand::Druck);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  return SavePng(pic.get(), folder + page.Hintergrund + std::string(1, s.Buchstabe) + ".");
}

/// Draws a small picture with a painter callback and saves it.
bool WriteSmall(const std::string& path, int w, int h, const std::function<void(Painter&)>& draw,
                const LayoutScale& s, bool alpha = false) {
  Surface pic(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, std::max(1, w),
                                         std::max(1, h)),
              cairo_surface_destroy);
  cairo_t* cr = cairo_create(pic.get());
  Painter p(cr, s);
  draw(p);
  cairo_destroy(cr);
  return SavePng(pic.get(), path);
}

}  // namespace

bool WritePictures(const Layout& l, const LayoutScale& s, const std::string& dataFolder) {
  std::string folder = dataFolder + s.Ordner + "/";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string letter(1, s.Buchstabe);
  std::string lower(1, static_cast<char>(s.Buchstabe - 'A' + 'a'));
  bool ok = true;
  std::vector<std::string> done;
  for (auto& page : l.Seiten) {
    if (std::find(done.begin(), done.end(), page.Hintergrund) != done.end()) continue;
    done.push_back(page.Hintergrund);
    if (page.Kurz == "groups") ok = WritePanel(l, s, page, 349, folder) && ok;
    else if (page.Kurz == "mixer") ok = WritePanel(l, s, page, 237, folder) && ok;
    else if (page.Kurz == "stretch") ok = WritePanel(l, s, page, 307, folder) && ok;
    else ok = WritePage(l, s, page, folder) && ok;
  }
  // Knob pictures: the file name the program forms is lower case.
  for (auto& k : KnobSizes()) {
    int w = std::max(1, s.Scale(k.B)), h = std::max(1, s.Scale(k.H));
    ok = WriteSmall(folder + k.Stem + lower + ".", w, h, [&](Painter& p) { p.Knob(k.Stem, w, h); }, s) && ok;
  }
  int qb = s.Scale(kQuickBreite), qh = s.Scale(kQuickHoehe);
  ok = WriteSmall(folder + "zelo22" + letter + ".", qb, qh, [&](Painter& p) { p.QuickFader(qb, qh); }, s) && ok;
  int lb = s.Scale(kLogoBreite), lh = s.Scale(kLogoHoehe);
  ok = WriteSmall(folder + "zelo34" + letter + ".", lb, lh, [&](Painter& p) { p.StartLogo(lb, lh, false); }, s) && ok;
  ok = WriteSmall(folder + "zelo35" + letter + ".", lb, lh, [&](Painter& p) { p.StartLogo(lb, lh, true); }, s) && ok;
  int ib = s.Scale(kInfoBreite), ih = s.Scale(kInfoHoehe);
  ok = WriteSmall(folder + "zelo50" + letter + ".", ib, ih, [&](Painter& p) { p.InfoPicture(l, ib, ih); }, s) && ok;
  ok = WriteSmall(folder + "null.cur", 32, 32, [&](Painter& p) { p.NullCursor(); }, s, true) && ok;
  ok = WriteSmall(folder + "erase.cur", 32, 32, [&](Painter& p) { p.EraserCursor(); }, s, true) && ok;
  return ok;
}

bool WriteSharedPictures(const std::string& dataFolder) {
  LayoutScale s = AllScales()[0];
  bool ok = WriteSmall(dataFolder + "grafikb/zelo01b.", 16, 16, [&](Painter& p) { p.Marker(); }, s);
  ok = WriteKitFile(dataFolder + "texture.bmp", TextureBmp(false)) && ok;
  ok = WriteKitFile(dataFolder + "texture2.bmp", TextureBmp(true)) && ok;
  ok = WriteKitFile(dataFolder + "flint2.pal", PaletteText()) && ok;
  return ok;
}

}  // namespace zelo::content
