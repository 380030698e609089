#pragma once
// The layout of the sound-group list as data: which sample's button stands at which
// rectangle, the centring of the rows, the rubber-band rule and the scroll arithmetic. Pure
// functions, so the list can be checked without a screen.

#include <cstdint>
#include <vector>

namespace zelo::library {

/// The list's place and metrics in layout pixels: the list area (element 2: X, Y, width W),
/// pixels per bar P, block height H and the gaps between buttons.
struct Listengeometrie {
  int X = 0, Y = 0, W = 0;
  int P = 0;
  int H = 0;
  int Gx = 0, Gy = 0;
};

/// A visible sample button: top-left corner, the width it is drawn (at most 14 bars) and
/// whether it shows its selected look.
struct Listenknopf {
  int16_t Sample = 0;
  int32_t X = 0, Y = 0;
  int32_t Breite = 0;
  bool Ausgewaehlt = false;
};

/// Rows visible at once, and the longest block drawn, in bars.
inline constexpr int kSichtbareZeilen = 6;
inline constexpr int kHoechstensTakte = 14;
/// Most buttons and row offsets the list keeps.
inline constexpr int kMaxKnoepfe = 731;
/// The scroll fader's full range.
inline constexpr int32_t kReglerMax = 32767;

struct Listenlayout {
  std::vector<Listenknopf> Knoepfe;
  /// Centring offset of each row.
  std::vector<int32_t> Zeilenversatz;
  /// Rows minus one, at least 1 (`Zeilenzahl`).
  int Zeilenzahl = 1;
  /// The last row index the placing reached.
  int LetzteZeile = 0;
  /// More rows below the visible six.
  bool MehrZeilen = false;
};

/// Lays out `samples` (in visiting order) as rows of buttons from row `ersteZeile` on.
/// `breite` is the catalogue's `SampleBreite`; samples of width 0 or less are left out.
Listenlayout ListeLegen(const std::vector<int16_t>& samples, const std::vector<int32_t>& breite,
                        const Listengeometrie& g, int ersteZeile);

/// The rubber band's rule: marks (sets to 1) every button that a corner or an edge middle of
/// its full-width block lies in, or whose upper or lower edge the band's left edge crosses.
/// Marks set before stay set. `marken` grows to the number of buttons.
void BandMarkieren(const std::vector<Listenknopf>& knoepfe, const std::vector<int32_t>& breite, int blockhoehe,
                   int links, int oben, int bandBreite, int bandHoehe, std::vector<uint8_t>& marken);

/// The scroll fader's value for a first row (`SetVScroll`).
int32_t ScrollReglerWert(int ersteZeile, int zeilenzahl);
/// The first row a scroll fader value asks for.
int ScrollZiel(int zeilenzahl, int32_t wert);
/// The scroll fader's step for one click beside its knob.
int32_t ScrollSchritt(int zeilenzahl);

}  // namespace zelo::library
