#pragma once
// The arithmetic of the arrangement view: which track and tick lie under a point, how drops
// snap, which part of a block a row shows, the loop range a band over the ruler selects, the
// scroll positions, and the sample list's hit test and group target. Pure functions of their
// inputs, so the view's rules are tested without a screen. Positions are layout pixels.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Window.h"

namespace zelo::arrangement {

/// Bars the view shows at once, bars of the song area, and the last first bar it can show.
inline constexpr int32_t kSichtbareTakte = 22;
inline constexpr int32_t kMaxTakte = 999;
inline constexpr int32_t kLetzterErsterTakt = kMaxTakte - kSichtbareTakte;
/// A sample block in the list is drawn at most this many bars wide.
inline constexpr int32_t kListenblockTakte = 14;
/// No group target: the value `Zielgruppe` answers when nothing is near.
inline constexpr int kKeineGruppe = 99;

/// Where the track area lies: row 0's top-left, the row height and the gap below each row.
struct Spurgeometrie {
  int Links = 0, Oben = 0;
  int Zeilenhoehe = 0, Abstand = 0;
  int PixelProTakt = 0;
  /// Screen position = layout position + Versatz.
  int VersatzX = 0, VersatzY = 0;
  /// Left edge of the ruler's first cell.
  int Linealx = 0;

  int Pitch() const { return Zeilenhoehe + Abstand; }
  int Breite() const { return kSichtbareTakte * PixelProTakt; }
  int ZeileOben(int spur) const { return Oben + spur * Pitch(); }
  int Zeile16Oben() const { return ZeileOben(16); }
  /// Bottom edge of row 16, the last pixel that belongs to a track.
  int Unten() const { return Zeile16Oben() + Zeilenhoehe; }
  double PixelProTick() const { return PixelProTakt / 128.0; }
  bool Gueltig() const { return PixelProTakt > 0 && Pitch() > 0; }
};

/// Round to the nearest integer, halves to even, as the whole view rounds.
int32_t Runden(double x);

// --- Tracks and ticks under a point ---------------------------------------------------------

/// The track a press hits: -1 above or below the rows or in the gap between two rows.
int SpurBeiDruck(const Spurgeometrie& g, int y);
/// The track a sample from the list lands on (its vertical centre): a little slack above row 0
/// and below row 16. May be out of 0..16; the store refuses those.
int SpurBeiAbwurf(const Spurgeometrie& g, double y);
/// The track a grabbed block lands on, from the top of its picture.
int SpurBeiBlockabwurf(const Spurgeometrie& g, int bildOben);
/// The track the eraser works on: a little slack above row 0, gaps count to the row above.
int SpurBeiRadierer(const Spurgeometrie& g, int y);

int32_t PixelZuTick(const Spurgeometrie& g, int x, int32_t ersterTakt);
int TickZuPixel(const Spurgeometrie& g, int32_t tick, int32_t ersterTakt);

/// Whether a drop snaps to whole bars or, with the fine modifier, to sixteenths.
enum class Raster { Takt, Sechzehntel };
/// A drop tick snapped: (tick + 64) down to a bar, or (tick + 4) down to a sixteenth.
int32_t AbwurfTick(int32_t tick, Raster raster);
/// The label of the fine position display for a tick: bar-relative sixteenth.
const std::string& Sechzehntel(int32_t tick);

// --- Drawing a row ------------------------------------------------------------------------

/// Whether an entry starting at `start` (block `breite` pixels) lies in the bars the view draws
/// (two bars either side of the visible ones). `Danach` ends the row's walk.
enum class Sichtbarkeit { Zeichnen, Auslassen, Danach };
Sichtbarkeit EintragSichtbar(const Spurgeometrie& g, int32_t start, int32_t breite, int32_t ersterTakt);

/// What one entry puts on its row, in layout pixels.
struct Blockteil {
  bool Block = false;           ///< some of the block is visible
  int ZielX = 0;                ///< left of the visible part
  int QuelleX = 0;              ///< where that part starts in the block picture
  int Breite = 0;               ///< width of the visible part
  int LueckeX = 0, LueckeBreite = 0;  ///< background after the block, up to the next entry
  int VorX = 0, VorBreite = 0;  ///< background before the first block of a row
};
/// The visible part of an entry with block width `blockbreite` and its cuts, before the entry
/// that starts at `naechsterStart` (-1: none); `erster` when it is the first drawn in its row.
Blockteil BlockteilBerechnen(const Spurgeometrie& g, int32_t start, int32_t blockbreite, int32_t schnittAnfang,
                             int32_t schnittEnde, int32_t naechsterStart, int32_t ersterTakt, bool erster);

// --- Ruler, loop range and scrolling --------------------------------------------------------

/// A loop range from a band dragged over the ruler; both 0 when it selects none. Bars 1-based.
struct Loopbereich {
  int16_t Anfang = 0, Ende = 0;
  bool operator==(const Loopbereich&) const = default;
};
Loopbereich LoopAusBand(const Spurgeometrie& g, int x, int breite, int32_t ersterTakt);
/// The horizontal fader's value for a first bar: the knob stands right at bar 0.
int32_t HScrollWert(int32_t ersterTakt);
/// The first bar that keeps the marker in visible columns 3 to 20.
int32_t ErsterTaktFuerMarker(int32_t ersterTakt, int32_t aktTakt);
/// The first bar that shows the playing bar as the ninth visible one.
int32_t ErsterTaktFuerSpielposition(int32_t spielTakt);
int32_t ErsterTaktBegrenzt(int32_t takt);
/// Bars one auto-repeat step of a scroll button moves: 1 for repeats 1-3, 3 for 4-6, then 6.
int32_t ScrollSchritt(int wiederholung);
/// The ruler column (1..22) under x, or 0 outside the cells.
int LinealSpalte(const Spurgeometrie& g, int x);

// --- Rectangles --------------------------------------------------------------------------

/// A rectangle spanned by two corners in any order, both corners included.
platform::Rect RechteckAusPunkten(int x1, int y1, int x2, int y2);
/// Where a rubber band ended: over the ruler, over the rows, or below them (the sample list).
enum class Bandziel { Lineal, Spuren, Liste };
Bandziel BandzielVon(const Spurgeometrie& g, const platform::Rect& band);
/// The tracks (clamped to 0..16) a band over the rows covers.
void BandSpuren(const Spurgeometrie& g, const platform::Rect& band, int& erste, int& letzte);

// --- The sample list ------------------------------------------------------------------------

/// One visible button of the list: its sample and its top-left.
struct Listenknopf {
  int Sample = 0;
  int X = 0, Y = 0;
};
/// The first button under (x, y), or -1. `breite` gives each sample's full block width.
int ListenTreffer(const std::vector<Listenknopf>& knoepfe, const std::vector<int32_t>& breite, int pixelProTakt,
                  int blockhoehe, int x, int y);
/// The box around the pressed button and every marked one, 2 pixels larger on each side.
platform::Rect ListenUmriss(const std::vector<Listenknopf>& knoepfe, const std::vector<bool>& marken,
                            const std::vector<int32_t>& breite, int blockhoehe, int gedrueckt);
/// The group button (0..11, not 10) nearest to a dragged picture's centre, or kKeineGruppe.
/// `knoepfe[b]` is the rectangle of group button b (elements 45 + b); `w` the picture width.
int Zielgruppe(const std::vector<platform::Rect>& knoepfe, int x, int y, int w, int zeilenhoehe);

}  // namespace zelo::arrangement
