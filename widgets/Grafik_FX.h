#pragma once
// The widget engine: one object that draws and operates every control that moves or changes
// in steps - faders (fixed and quick), the 26-key keyboard, the 18 x 16 LED matrix and the
// sample editor - by copying rectangles from bitmap strips onto the main window's back image.
// All geometry is computed when a widget is created; pointer handling only compares and
// copies, and nothing is allocated while widgets are operated. The tables have fixed sizes
// and every record exists from the start with all fields zero.
//
// Surfaces are SDL surfaces (null = no surface); the window to invalidate is the program's
// platform::Window. Flags are 16-bit, 0 false and -1 true. UI thread only.

#include <SDL.h>

#include <array>
#include <cstdint>
#include <functional>

#include "platform/Engine.h"
#include "platform/Window.h"

namespace zelo::pages {
struct Objekte;
}

namespace zelo::widgets {

class Bildbox;

inline constexpr int32_t kReglerMax = 32767;     ///< fader values run 0..32767
inline constexpr int kRegler = 65;               ///< fader handles 0..64
inline constexpr int kTasten = 26;               ///< keys 0..25
inline constexpr int kLedTabelle = 323;          ///< LED records 0..322
inline constexpr int kLedZeilen = 18, kLedSpalten = 16;
inline constexpr int kLeds = kLedZeilen * kLedSpalten;  ///< LEDs in use: 0..287
inline constexpr int kMatrixElement = 742;       ///< elements 742..759 describe columns and rows
inline constexpr int16_t kWahr = -1;

/// One fader. Coordinates are main-window pixels.
struct ReglerStruct {
  platform::Window* MainHWND = nullptr;   ///< window to invalidate after drawing
  int16_t Vertikal = 0;                   ///< -1: knob moves vertically (derived by ReglerInit)
  int32_t RAddWert = 0;                   ///< value step of one click beside the knob
  SDL_Surface* AusgabeHDC = nullptr;      ///< output surface; a quick fader without one is never shown
  int32_t RStartWert = 0;                 ///< stored value at the start of the current drag
  int32_t MouseDownY = 0;
  int32_t MouseDownX = 0;
  double WertProPixel = 0;                ///< value units per pixel of knob movement (derived)
  int16_t RActive = 0;                    ///< -1 while dragged, or while a quick fader's popup is open
  int32_t RAktWert = 0;                   ///< stored value; horizontal fixed faders hold 32767 - shown value
  int32_t ReglerDY = 0;                   ///< height of the knob's movement area including the knob
  int32_t ReglerDX = 0;                   ///< width of the knob's movement area including the knob
  int16_t FixFlag = 0;                    ///< -1 fixed fader, 0 quick fader
  int32_t ClickPosHoehe = 0;
  int32_t ClickPosBreite = 0;
  int32_t YClickPos = 0;
  int32_t XClickPos = 0;
  int32_t ZielHoehe = 0;                  ///< the fader's page area
  int32_t ZielBreite = 0;
  int32_t ZielYPos = 0;
  int32_t ZielXPos = 0;
  SDL_Surface* ZielHDC = nullptr;         ///< surface a fixed fader is drawn into
  int32_t RKopfHoehe = 0;                 ///< knob size; the knob sits at (0, 0) of its picture
  int32_t RKopfBreite = 0;
  int32_t RKopfYPos = 0;
  int32_t RKopfXPos = 0;
  SDL_Surface* RKopfHDC = nullptr;
  int32_t RHintergrundHoehe = 0;          ///< background rectangle in its picture
  int32_t RHintergrundBreite = 0;
  int32_t RHintergrundYPos = 0;
  int32_t RHintergrundXPos = 0;
  SDL_Surface* RHintergrundHDC = nullptr;
  int16_t RExists = 0;                    ///< -1 while the record is a live fader

  /// Copies every field of `quelle` into `ziel` except RStartWert.
  static void copy(ReglerStruct& ziel, const ReglerStruct& quelle);
};

/// One key of the keyboard. A black key is section 1 alone (section 2 fields are -1).
struct TastaturStruct {
  int16_t DoNotDraw = 0;
  int32_t CutPosYPassive = 0;   ///< the keyboard's up picture in the strip
  int32_t CutPosXPassive = 0;
  int32_t CutPosYAktive = 0;    ///< the keyboard's down picture in the strip
  int32_t CutPosXAktive = 0;
  int32_t DeltaCutY = 0;        ///< the keyboard's origin on the window
  int32_t DeltaCutX = 0;
  platform::Window* MainHWND = nullptr;
  SDL_Surface* MemoryHDC = nullptr;
  SDL_Surface* TargetHDC = nullptr;
  SDL_Surface* CutHDC = nullptr;
  int32_t Abschnitt2_Breite = 0;  ///< lower section of a white key, -1 for a black key
  int32_t Abschnitt2_Y = 0;
  int32_t Abschnitt2_X = 0;
  int32_t Abschnitt2_Hoehe = 0;
  int32_t Abschnitt1_Hoehe = 0;   ///< upper section (a black key's whole rectangle)
  int32_t Abschnitt1_Breite = 0;
  int32_t Abschnitt1_Y = 0;
  int32_t Abschnitt1_X = 0;
  int16_t Aktiv = 0;              ///< -1 while shown pressed
};

/// One LED of the matrix; index = column + 16 x row.
struct MatrixStruct {
  int32_t KlickOffsetY = 0;   ///< extra margin above and below the click rectangle
  int32_t KlickOffsetX = 0;   ///< extra margin left and right
  int32_t DrawY = 0;
  int32_t DrawX = 0;
  int32_t XPos = 0;           ///< column 0..15
  int32_t YPos = 0;           ///< row 0..17
  int32_t ZeichnenHoehe = 0;
  platform::Window* MainHWND = nullptr;
  int32_t SourceY = 0;        ///< off picture in the strip
  int32_t SourceX = 0;
  int32_t DeltaY = 0;
  int32_t DeltaX = 0;
  int32_t YAusschnitt2 = 0;   ///< state-2 picture
  int32_t XAusschnitt2 = 0;
  int32_t KlickY = 0;
  int32_t KlickX = 0;
  int32_t KlickHoehe = 0;
  int32_t KlickBreite = 0;
  int32_t ZeichnenBreite = 0;
  int32_t YAusschnitt = 0;    ///< on picture in the strip
  int32_t XAusschnitt = 0;
  SDL_Surface* TargetHDC = nullptr;
  SDL_Surface* MemoryHDC = nullptr;  ///< when equal to TargetHDC each drawing is invalidated
  SDL_Surface* CutHDC = nullptr;
  int32_t AktuellerWert = 0;  ///< 0 off, 1 on, 2 drawn from the state-2 picture
};

/// The sample editor over one block of the arrangement. Offsets are ticks (128 a bar).
struct SampleStruct {
  int16_t Aktive = 0;
  int32_t MouseDelta = 0;
  int32_t MarkClickHoehe = 0;
  int32_t MarkClickBreite = 0;
  int32_t RightMarkClickY = 0;
  int32_t RightMarkClickX = 0;
  int32_t LeftMarkClickY = 0;
  int32_t LeftMarkClickX = 0;
  int32_t ClickedY = 0;
  int32_t ClickedX = 0;
  int32_t Clicked = 0;        ///< 0 nothing, 1 volume handle, 2 start marker, 3 end marker
  double VolumeProPixel = 0;
  int32_t VolumeClickHoehe = 0;
  int32_t VolumeClickBreite = 0;
  int32_t VolumeClickY = 0;
  int32_t VolumeClickX = 0;
  int32_t StartOffset = 0;
  int32_t AnfOffset = 0;      ///< start cut when the editor opened: fixes the block on screen
  int32_t EndOffset = 0;
  platform::Window* ZielHWND = nullptr;
  int32_t SampleHoehe = 0;
  int32_t SampleBreite = 0;   ///< width of the whole uncut sample; 0 = editor closed
  int32_t ZielY = 0;
  int32_t ZielX = 0;
  SDL_Surface* SampleHDC = nullptr;
  int32_t BilschirmBreite = 0;
  int32_t PixelProTakt = 0;
  int32_t Volume = 0;         ///< 0..32767; 16384 = unchanged
  SDL_Surface* ZielHDC = nullptr;  ///< the overlay surface (the window's Editor layer)
};

/// The 18 row words of a pattern: bit s of word r is LED (row r, column s); column 15 is the sign bit.
using Zeilenworte = std::array<int16_t, kLedZeilen>;

class Grafik_FX {
 public:
  /// `objekte` gives the LED matrix its geometry (elements 742..759).
  explicit Grafik_FX(const pages::Objekte& objekte);

  // --- Shared services -------------------------------------------------------------------
  /// The popup picture box; handed in before the faders of a page are created.
  void setsampi(Bildbox* box) { sampi_ = box; }
  Bildbox* sampi() const { return sampi_; }
  /// Marks (x, y, x + b, y + h) for repainting; the sums are 16-bit, as the window system takes them.
  static void Invalidate(platform::Window* hwnd, int16_t x, int16_t y, int16_t b, int16_t h);
  /// Builds the same rectangle; offered for completeness, the window keeps no pending region to cut.
  static void Validate(platform::Window* hwnd, int16_t x, int16_t y, int16_t b, int16_t h);

  // --- Faders ----------------------------------------------------------------------------
  int16_t ReglerInit(const ReglerStruct& NewStruct);
  /// Value 0..32767, or -1 for a handle that is not live.
  int32_t ReglerGetWert(int16_t handle) const;
  /// Stores the value unchanged (callers of a horizontal fader pass 32767 minus the value);
  /// -1 done, 0 refused.
  int16_t ReglerSetWert(int16_t handle, int32_t NewRWert);
  void ReglerSetAdder(int16_t handle, int32_t wert);
  int16_t ReglerClose(int16_t handle);
  /// The fader under the pointer takes the press (a step, a drag or the quick popup); handle or -1.
  int16_t MouseDown(int16_t Button, int16_t Shift, int32_t x, int32_t y);
  int16_t MouseUp(int16_t Button, int16_t Shift, int32_t x, int32_t y);
  int16_t MouseMove(int16_t Button, int16_t Shift, int32_t x, int32_t y);

  // --- Keyboard --------------------------------------------------------------------------
  void TastaturInit(int32_t ZielX, int32_t ZielY, int32_t AusschnittPassivX, int32_t AusschnittPassivY,
                    int32_t AusschnittAktivX, int32_t AusschnittAktivY, int16_t Umrechnungsfaktor,
                    SDL_Surface* AusschnittHDC, SDL_Surface* Ziel1HDC, SDL_Surface* Ziel2HDC,
                    platform::Window* ZielHWND, int16_t AktiveTasteNummer);
  void TastaturDraw(int16_t handle, int16_t Aktiv);
  int16_t TastaturGetWert() const;
  void TastaturSetWert(int16_t handle, int16_t wert);
  int16_t TastaturMouseDown(int16_t Button, int16_t Shift, int32_t x, int32_t y);
  int16_t TastaturMouseUp(int16_t Button, int16_t Shift, int32_t x, int32_t y);
  int16_t TastaturMouseMove(int16_t Button, int16_t Shift, int32_t x, int32_t y);

  // --- LED matrix ------------------------------------------------------------------------
  void MatrixGetLeds(Zeilenworte& TempMatrix) const;
  void MatrixSetLeds(const Zeilenworte& TempMatrix);
  /// Builds the 288 LEDs from elements 742..759; the position and size arguments are not used.
  void MatrixInit(int32_t ZielX, int32_t ZielY, int32_t AusschnittPassivX, int32_t AusschnittPassivY,
                  int32_t AusschnittAktivX, int32_t AusschnittAktivY, int32_t AusschnittAktiv2X,
                  int32_t AusschnittAktiv2Y, int16_t Umrechnungsfaktor, SDL_Surface* AusschnittHDC,
                  SDL_Surface* Ziel1HDC, SDL_Surface* Ziel2HDC, platform::Window* ZielHWND, int32_t LedBreite,
                  int32_t LedHoehe);
  int16_t MatrixMouseMove(int16_t Button, int16_t Shift, int32_t x, int32_t y);
  int16_t MatrixMouseDown(int16_t Button, int16_t Shift, int32_t x, int32_t y);
  int32_t MatrixGetWert(int16_t handle) const;
  void MatrixSetWert(int16_t handle, int32_t wert);

  // --- Sample editor ---------------------------------------------------------------------
  void SEEditInit(SDL_Surface* SampleHDC, int32_t ZielX, int32_t ZielY, int32_t SampleBreite, int32_t SampleHoehe,
                  int32_t PixelProTakt, int32_t AnfangsOffset, int32_t EndOffset, int32_t Volume,
                  int32_t BilschirmBreite, SDL_Surface* ZielHDC, platform::Window* ZielHWND);
  void SEClose();
  /// 0 redraw, 1 remove, 2 redraw and create the volume fader.
  void SEDraw(int16_t iEnde);
  void SESetVolume(int32_t NewVolume);
  /// The volume as the arrangement stores it: Volume - 16384.
  int32_t SEGetVolume() const;
  int16_t SEGetLinks() const;
  int16_t SEGetRechts() const;
  /// 0 not taken, 1 volume handle, 2 start marker, 3 end marker.
  int16_t SEMouseDown(int16_t Button, int16_t Shift, int32_t x, int32_t y);
  /// -1 while the editor is open, else 0; ends any marker drag.
  int16_t SEMouseUp(int16_t Button, int16_t Shift, int32_t x, int32_t y);
  /// True after a marker moved (the caller then copies the cuts into the entry).
  bool SEMouseMove(int16_t Button, int16_t Shift, int32_t x, int32_t y);

  // --- Members the main window sets and reads ---------------------------------------------
  /// Margin the popup fader keeps above and below the knob's travel: (Skalierung x 8) / 40.
  int16_t QAbstand = 0;
  /// Versatz of the layout on the window; the LED matrix adds it to the element positions.
  int32_t VersatzX = 0, VersatzY = 0;
  /// True while the arrangement's eraser mode is on: LED presses and drags then clear.
  std::function<bool()> Radierer;
  /// Pictures of the sample editor's volume fader: the quick-fader picture "zelo22" and
  /// knob picture 4, with the surface and window the fader draws into. Set when the main
  /// screen is first built; the pictures stay loaded for the run.
  platform::BildStruct Quickbild;
  platform::BildStruct SEKnopf;
  SDL_Surface* Hauptbild = nullptr;
  platform::Window* Hauptfenster = nullptr;
  /// The sample editor's volume fader as handle + 1 (0 none); the main window closes it
  /// after the release that ends its drag.
  int32_t QuickRegler = 0;
  /// The track area the sample editor's drawing is limited to (window pixels; empty = no limit).
  platform::Rect SESpurbereich;

  // --- Read access for callers and tests -------------------------------------------------
  const ReglerStruct& Regler(int handle) const { return regler_.at(static_cast<size_t>(handle)); }
  const TastaturStruct& Taste(int key) const { return tasten_.at(static_cast<size_t>(key)); }
  const MatrixStruct& Led(int index) const { return leds_.at(static_cast<size_t>(index)); }
  const SampleStruct& Editor() const { return se_; }
  /// The key or LED last touched by a pointer-down or drag.
  int16_t ZuletztBeruehrt() const { return zuletzt_; }
  int16_t Malzustand() const { return malzustand_; }

 private:
  static bool Handle(int16_t h) { return h >= 0 && h < kRegler; }
  void ReglerDraw(int16_t handle);
  void QuickReglerShow(int16_t handle, int32_t x, int32_t y);
  void QuickReglerDraw(int16_t handle);
  void MatrixDraw(int index);
  void TasteZeichnen(const TastaturStruct& t, bool aktiv);
  int16_t MatrixTreffer(int32_t x, int32_t y) const;
  void Spaltenregel(int index);
  /// Removes the editor's overlay from a rectangle of its surface (the repaint from the back image).
  void SEWegwischen(int32_t x, int32_t y, int32_t b, int32_t h);
  void SEFlaeche(int32_t x, int32_t y, int32_t b, int32_t h, uint32_t farbe);
  void SELautstaerkeRegler(int32_t hx, int32_t y);

  const pages::Objekte& objekte_;
  std::array<ReglerStruct, kRegler> regler_{};
  std::array<TastaturStruct, kTasten> tasten_{};
  std::array<MatrixStruct, kLedTabelle> leds_{};
  SampleStruct se_{};
  Bildbox* sampi_ = nullptr;
  int16_t zuletzt_ = 0;
  int16_t malzustand_ = 0;
};

}  // namespace zelo::widgets
