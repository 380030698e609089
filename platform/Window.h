#pragma once
// The program's one window: borderless at (0, 0) in the size of the desktop (or a given size
// for development), with a persistent 32-bit back image. Drawing goes into the back image,
// followed by Invalidate of the changed rectangle; Present uploads only the dirty region and
// composes the overlay layers over it. UI thread only.

#include <SDL.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelo::platform {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};
Rect Intersect(const Rect& a, const Rect& b);
Rect Union(const Rect& a, const Rect& b);

/// Raster operations of rectangle copies.
enum class Rop {
  SrcCopy,     ///< destination = source
  SrcAnd,      ///< destination AND source (masks)
  SrcPaint,    ///< destination OR source
  PatAnd,      ///< destination AND pattern (0xA000C9)
  PatAndNot,   ///< destination AND NOT pattern (0x000A0329)
};

/// Copies w x h from src (sx, sy) to dst (dx, dy) with a raster operation, clipped to both
/// surfaces. `pattern` (tiled from the destination's origin) is used by the Pat operations.
void BitBlt(SDL_Surface* dst, int dx, int dy, int w, int h, SDL_Surface* src, int sx, int sy, Rop rop,
            SDL_Surface* pattern = nullptr);
/// A 32-bit ARGB surface of the given size, cleared to black.
SDL_Surface* NewSurface(int w, int h);
void FillRect(SDL_Surface* s, const Rect& r, uint32_t argb);

/// Overlay layers drawn over the back image, in this order from the bottom.
enum class Layer { Popup, Drag, Rubber, HelpTip, Editor, Count };

/// The four pointer shapes.
enum class Zeiger { Sanduhr, Normal, Null, Radierer };

struct WindowOptions {
  int width = 0;   ///< 0: the desktop's size
  int height = 0;
  bool hidden = true;
  std::string title = "Zelo";
};

class Window {
 public:
  explicit Window(const WindowOptions& options);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  bool Ok() const { return window_ != nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  SDL_Window* Sdl() const { return window_; }
  SDL_Renderer* Renderer() const { return renderer_; }

  /// The persistent back image.
  SDL_Surface* Back() const { return back_; }
  void Invalidate(const Rect& r);
  void InvalidateAll();
  /// Uploads the dirty region and presents, with the layers and the dialog drawing on top.
  void Present();
  /// When off, drawing into the back image is not shown until it is switched on again.
  void SetPersistent(bool on) { persistent_ = on; }

  /// The layer's surface (window-sized, transparent); draw, then InvalidateLayer.
  SDL_Surface* LayerSurface(Layer layer);
  void ShowLayer(Layer layer, bool show);
  void ClearLayer(Layer layer, const Rect& r);
  void InvalidateLayer(Layer layer, const Rect& r);

  void Show();
  void Hide();
  void Raise();
  void Minimize();
  bool Visible() const { return visible_; }
  void SetTitle(const std::string& utf8);

  void SetPointer(Zeiger z);
  /// Loads the custom pointers from their files (null.cur, erase.cur); missing files keep defaults.
  void LoadPointer(Zeiger z, const std::string& path);
  void ShowPointer(bool show);

  /// Drawn after the layers on every Present (the dialog layer).
  std::function<void(SDL_Renderer*)> overlayDraw;

 private:
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Surface* back_ = nullptr;
  struct LayerState {
    SDL_Surface* surface = nullptr;
    SDL_Texture* texture = nullptr;
    bool shown = false;
    Rect dirty;
  };
  std::array<LayerState, static_cast<size_t>(Layer::Count)> layers_{};
  std::array<SDL_Cursor*, 4> cursors_{};
  Rect dirty_;
  int width_ = 0, height_ = 0;
  bool persistent_ = true;
  bool visible_ = false;
};

}  // namespace zelo::platform
