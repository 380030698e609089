#include "arrangement/AnsichtRechnung.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace zelo::arrangement {

namespace {

int32_t AbRunden(int64_t wert, int32_t raster) {
  int64_t q = wert / raster;
  if (wert % raster != 0 && wert < 0) --q;
  return static_cast<int32_t>(q * raster);
}

int Boden(double f) { return static_cast<int>(std::floor(f)); }

}  // namespace

int32_t Runden(double x) {
  return static_cast<int32_t>(std::clamp(std::nearbyint(x), -2147483648.0, 2147483647.0));
}

// --- Tracks and ticks under a point ---------------------------------------------------------

int SpurBeiDruck(const Spurgeometrie& g, int y) {
  if (!g.Gueltig() || y < g.Oben || y > g.Unten()) return -1;
  if (y > g.Zeile16Oben()) return 16;
  const int spur = (y - g.Oben) / g.Pitch();
  // A point below a row's bottom edge lies in the gap before the next row.
  if (y - g.ZeileOben(spur) > g.Zeilenhoehe) return -1;
  return spur;
}

int SpurBeiAbwurf(const Spurgeometrie& g, double y) {
  if (!g.Gueltig()) return -1;
  const double f = (y - g.Oben) / g.Pitch();
  if (f > -0.7 && f < 0) return 0;
  if (f > 16.5 && f < 17.2) return 16;
  return Boden(f);
}

int SpurBeiBlockabwurf(const Spurgeometrie& g, int bildOben) {
  return SpurBeiAbwurf(g, bildOben + g.Pitch() / 2.0);
}

int SpurBeiRadierer(const Spurgeometrie& g, int y) {
  if (!g.Gueltig()) return -1;
  const double f = (y - g.Oben) / static_cast<double>(g.Pitch());
  const int spur = (f > -0.3 && f < 0) ? 0 : Boden(f);
  return spur >= 0 && spur <= 16 ? spur : -1;
}

int32_t PixelZuTick(const Spurgeometrie& g, int x, int32_t ersterTakt) {
  if (!g.Gueltig()) return 0;
  return Runden((x - g.Links) / g.PixelProTick() + static_cast<double>(ersterTakt) * 128);
}

int TickZuPixel(const Spurgeometrie& g, int32_t tick, int32_t ersterTakt) {
  return Runden(tick * g.PixelProTick()) + g.Links - ersterTakt * g.PixelProTakt;
}

int32_t AbwurfTick(int32_t tick, Raster raster) {
  return raster == Raster::Sechzehntel ? AbRunden(int64_t{tick} + 4, 8) : AbRunden(int64_t{tick} + 64, 128);
}

const std::string& Sechzehntel(int32_t tick) {
  static const std::array<std::string, 16> kLabels{
      "   1/16 (1/4)", "   2/16        ", "   3/16 (2/8)", "   4/16        ",
      "   5/16 (2/4)", "   6/16        ", "   7/16 (4/8)", "   8/16        ",
      "   9/16 (3/4)", " 10/16        ", " 11/16 (6/8)", " 12/16        ",
      " 13/16 (4/4)", " 14/16        ", " 15/16 (8/8)", " 16/16        "};
  static const std::string kNull = "0";
  if (tick < 0) return kNull;
  return kLabels[static_cast<size_t>((tick % 128) / 8)];
}

// --- Drawing a row ------------------------------------------------------------------------

Sichtbarkeit EintragSichtbar(const Spurgeometrie& g, int32_t start, int32_t breite, int32_t ersterTakt) {
  if (!g.Gueltig()) return Sichtbarkeit::Auslassen;
  const int32_t b0 = Runden(start / 128.0);
  const int32_t b1 = Runden((start + breite / g.PixelProTick()) / 128.0);
  const int32_t von = ersterTakt - 2, bis = ersterTakt + 24;
  if ((b0 < von && von < b1) || (von <= b0 && b0 < bis)) return Sichtbarkeit::Zeichnen;
  return b0 > bis ? Sichtbarkeit::Danach : Sichtbarkeit::Auslassen;
}

Blockteil BlockteilBerechnen(const Spurgeometrie& g, int32_t start, int32_t blockbreite, int32_t schnittAnfang,
                             int32_t schnittEnde, int32_t naechsterStart, int32_t ersterTakt, bool erster) {
  Blockteil t;
  if (!g.Gueltig()) return t;
  const double ppt = g.PixelProTick();
  const int rechts = g.Links + g.Breite();
  const int x = TickZuPixel(g, start, ersterTakt);
  int w = blockbreite - Runden(schnittAnfang * ppt) - Runden(schnittEnde * ppt);
  const int x0 = Runden(start * ppt);
  const int32_t naechster = naechsterStart < 0 ? 128000 : naechsterStart;
  int luecke = Runden(naechster * ppt - (x0 + w));
  if (x + w + luecke > rechts) luecke = rechts - (x + w);
  if (luecke < 0) {
    // The next entry (or the right edge) covers the block's end.
    w += luecke;
    luecke = 0;
  }
  // A block that starts left of the area shows from its hidden part on; far into a long block
  // the picture is read eight bars further left, where its texture looks the same.
  int verborgen = x < g.Links ? g.Links - x : 0;
  int quelle = verborgen;
  const int achtTakte = 8 * g.PixelProTakt;
  while (quelle >= 500 && quelle <= 60000 && achtTakte > 0) quelle -= achtTakte;

  const int ziel = std::max(x, g.Links);
  const int breite = std::min(w - verborgen, rechts - ziel);
  if (breite > 0) {
    t.Block = true;
    t.ZielX = ziel;
    t.QuelleX = quelle;
    t.Breite = breite;
  }
  int lx = x + w, lb = luecke;
  if (lx < g.Links) {
    lb -= g.Links - lx;
    lx = g.Links;
  }
  if (lb > 0) {
    t.LueckeX = lx;
    t.LueckeBreite = std::min(lb, rechts - lx);
  }
  if (erster && ziel > g.Links) {
    t.VorX = g.Links;
    t.VorBreite = std::min(ziel, rechts) - g.Links;
  }
  return t;
}

// --- Ruler, loop range and scrolling --------------------------------------------------------

Loopbereich LoopAusBand(const Spurgeometrie& g, int x, int breite, int32_t ersterTakt) {
  if (g.PixelProTakt <= 0) return {};
  const double p = g.PixelProTakt;
  const double z = g.Linealx;
  int32_t ende = Boden((x + 0.5 + breite - z + p / 2) / p) + ersterTakt;
  int32_t anfang = Boden((x - z + p / 2) / p + 0.5) + ersterTakt;
  if (ende > 0 && anfang <= 0) anfang = 1;
  if (anfang >= ende) return {};
  return {static_cast<int16_t>(std::clamp(anfang, 0, int32_t{kMaxTakte})),
          static_cast<int16_t>(std::clamp(ende, 0, int32_t{kMaxTakte}))};
}

int32_t HScrollWert(int32_t ersterTakt) { return 32767 - Runden(ersterTakt * 32767.0 / kLetzterErsterTakt); }

int32_t ErsterTaktBegrenzt(int32_t takt) { return std::clamp(takt, int32_t{0}, kLetzterErsterTakt); }

int32_t ErsterTaktFuerMarker(int32_t ersterTakt, int32_t aktTakt) {
  if (aktTakt < ersterTakt + 2) ersterTakt = aktTakt - 2;
  if (aktTakt > ersterTakt + 19) ersterTakt = aktTakt - 19;
  return ErsterTaktBegrenzt(ersterTakt);
}

int32_t ErsterTaktFuerSpielposition(int32_t spielTakt) { return ErsterTaktBegrenzt(spielTakt - 8); }

int32_t ScrollSchritt(int wiederholung) {
  if (wiederholung <= 3) return 1;
  if (wiederholung <= 6) return 3;
  return 6;
}

int LinealSpalte(const Spurgeometrie& g, int x) {
  if (g.PixelProTakt <= 0 || x < g.Linealx) return 0;
  const int spalte = (x - g.Linealx) / g.PixelProTakt + 1;
  return spalte <= kSichtbareTakte ? spalte : 0;
}

// --- Rectangles --------------------------------------------------------------------------

platform::Rect RechteckAusPunkten(int x1, int y1, int x2, int y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)};
}

Bandziel BandzielVon(const Spurgeometrie& g, const platform::Rect& band) {
  const double mitte = band.y + band.h / 2.0;
  if (mitte < g.Oben) return Bandziel::Lineal;
  if (mitte <= g.Unten()) return Bandziel::Spuren;
  return Bandziel::Liste;
}

void BandSpuren(const Spurgeometrie& g, const platform::Rect& band, int& erste, int& letzte) {
  if (!g.Gueltig()) {
    erste = letzte = 0;
    return;
  }
  auto spur = [&](int y) { return std::clamp(Boden((y - g.Oben) / static_cast<double>(g.Pitch())), 0, 16); };
  erste = spur(band.y);
  letzte = spur(band.y + band.h);
}

// --- The sample list ------------------------------------------------------------------------

namespace {
int32_t BreiteVon(const std::vector<int32_t>& breite, int sample) {
  return sample >= 0 && static_cast<size_t>(sample) < breite.size() ? breite[static_cast<size_t>(sample)] : 0;
}
}  // namespace

int ListenTreffer(const std::vector<Listenknopf>& knoepfe, const std::vector<int32_t>& breite, int pixelProTakt,
                  int blockhoehe, int x, int y) {
  for (size_t k = 0; k < knoepfe.size(); ++k) {
    const Listenknopf& b = knoepfe[k];
    const int32_t w = std::min(BreiteVon(breite, b.Sample), kListenblockTakte * pixelProTakt);
    if (x >= b.X && x <= b.X + w && y >= b.Y && y <= b.Y + blockhoehe) return static_cast<int>(k);
  }
  return -1;
}

platform::Rect ListenUmriss(const std::vector<Listenknopf>& knoepfe, const std::vector<bool>& marken,
                            const std::vector<int32_t>& breite, int blockhoehe, int gedrueckt) {
  int links = 0, oben = 0, rechts = 0, unten = 0;
  bool erster = true;
  for (size_t k = 0; k < knoepfe.size(); ++k) {
    const bool markiert = k < marken.size() && marken[k];
    if (!markiert && static_cast<int>(k) != gedrueckt) continue;
    const Listenknopf& b = knoepfe[k];
    const int r = b.X + BreiteVon(breite, b.Sample), u = b.Y + blockhoehe;
    if (erster) {
      links = b.X, oben = b.Y, rechts = r, unten = u;
      erster = false;
    } else {
      links = std::min(links, b.X), oben = std::min(oben, b.Y);
      rechts = std::max(rechts, r), unten = std::max(unten, u);
    }
  }
  if (erster) return {};
  return {links - 2, oben - 2, rechts - links + 4, unten - oben + 4};
}

int Zielgruppe(const std::vector<platform::Rect>& knoepfe, int x, int y, int w, int zeilenhoehe) {
  int beste = kKeineGruppe, besteDy = 9999, besteDx = 9999;
  for (int b = 0; b <= 11 && static_cast<size_t>(b) < knoepfe.size(); ++b) {
    if (b == 10) continue;
    const platform::Rect& r = knoepfe[static_cast<size_t>(b)];
    if (r.Empty()) continue;
    const int ex = Runden(r.x + r.w / 2.0), ey = Runden(r.y + r.h / 2.0);
    const int dy = std::abs(y - ey), dx = std::abs(x - ex);
    if (dy > besteDy + 4) continue;
    bool gewinnt;
    if (dy > besteDy - 4)  // the same row as the best so far: the nearer one across wins
      gewinnt = dx < besteDx && (dx < w / 2.0 || dx < r.w / 2.0);
    else  // a nearer row: the picture must overlap the button
      gewinnt = dy < zeilenhoehe && w / 2.0 + r.w / 2.0 > dx && r.x + r.w > x - w / 2.0;
    if (gewinnt) beste = b, besteDy = dy, besteDx = dx;
  }
  return beste;
}

}  // namespace zelo::arrangement
