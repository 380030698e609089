#include "platform/Window.h"

#include <SDL_image.h>

#include <algorithm>

namespace zelo::platform {

Rect Intersect(const Rect& a, const Rect& b) {
  int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

Rect Union(const Rect& a, const Rect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
  return {x0, y0, x1 - x0, y1 - y0};
}

SDL_Surface* NewSurface(int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, std::max(w, 1), std::max(h, 1), 32, SDL_PIXELFORMAT_ARGB8888);
  if (s) SDL_FillRect(s, nullptr, 0xFF000000u);
  return s;
}

void FillRect(SDL_Surface* s, const Rect& r, uint32_t argb) {
  if (!s) return;
  SDL_Rect sr{r.x, r.y, r.w, r.h};
  SDL_FillRect(s, &sr, argb);
}

namespace {

// Copies need both surfaces in ARGB8888; anything else is converted on the way.
SDL_Surface* AsArgb(SDL_Surface* s, bool& converted) {
  converted = false;
  if (!s || s->format->format == SDL_PIXELFORMAT_ARGB8888) return s;
  converted = true;
  return SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
}

}  // namespace

void BitBlt(SDL_Surface* dst, int dx, int dy, int w, int h, SDL_Surface* src, int sx, int sy, Rop rop,
            SDL_Surface* pattern) {
  if (!dst || dst->format->format != SDL_PIXELFORMAT_ARGB8888) return;
  bool usesSource = rop == Rop::SrcCopy || rop == Rop::SrcAnd || rop == Rop::SrcPaint;
  bool srcConverted = false, patConverted = false;
  SDL_Surface* s = usesSource ? AsArgb(src, srcConverted) : nullptr;
  SDL_Surface* p = usesSource ? nullptr : AsArgb(pattern, patConverted);
  if ((usesSource && !s) || (!usesSource && !p)) return;
  // Clip against the destination, then against the source.
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min(w, dst->w - dx);
  h = std::min(h, dst->h - dy);
  if (s) {
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    w = std::min(w, s->w - sx);
    h = std::min(h, s->h - sy);
  }
  if (w > 0 && h > 0) {
    SDL_LockSurface(dst);
    if (s && s != dst) SDL_LockSurface(s);
    if (p) SDL_LockSurface(p);
    for (int row = 0; row < h; ++row) {
      auto* d = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(dst->pixels) + (dy + row) * dst->pitch) + dx;
      const uint32_t* sp =
          s ? reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + (sy + row) * s->pitch) + sx
            : nullptr;
      const uint32_t* pp =
          p ? reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(p->pixels) + ((dy + row) % p->h) * p->pitch)
            : nullptr;
      for (int col = 0; col < w; ++col) {
        uint32_t v = d[col];
        switch (rop) {
          case Rop::SrcCopy: v = sp[col]; break;
          case Rop::SrcAnd: v &= sp[col]; break;
          case Rop::SrcPaint: v |= sp[col]; break;
          case Rop::PatAnd: v &= pp[(dx + col) % p->w]; break;
          case Rop::PatAndNot: v &= ~pp[(dx + col) % p->w]; break;
        }
        d[col] = v | 0xFF000000u;  // the back image is opaque
      }
    }
    if (p) SDL_UnlockSurface(p);
    if (s && s != dst) SDL_UnlockSurface(s);
    SDL_UnlockSurface(dst);
  }
  if (srcConverted) SDL_FreeSurface(s);
  if (patConverted) SDL_FreeSurface(p);
}

Window::Window(const WindowOptions& options) {
  if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
  width_ = options.width;
  height_ = options.height;
  if (width_ <= 0 || height_ <= 0) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
      width_ = mode.w;
      height_ = mode.h;
    } else {
      width_ = 1280;
      height_ = 960;
    }
  }
  Uint32 flags = SDL_WINDOW_BORDERLESS | (options.hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
  window_ = SDL_CreateWindow(options.title.c_str(), 0, 0, width_, height_, flags);
  if (!window_) return;
  visible_ = !options.hidden;
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  back_ = NewSurface(width_, height_);
  if (renderer_)
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width_, height_);
  dirty_ = {0, 0, width_, height_};
}

Window::~Window() {
  for (auto& l : layers_) {
    if (l.texture) SDL_DestroyTexture(l.texture);
    if (l.surface) SDL_FreeSurface(l.surface);
  }
  for (auto* c : cursors_)
    if (c) SDL_FreeCursor(c);
  if (texture_) SDL_DestroyTexture(texture_);
  if (back_) SDL_FreeSurface(back_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

void Window::Invalidate(const Rect& r) { dirty_ = Union(dirty_, Intersect(r, {0, 0, width_, height_})); }
void Window::InvalidateAll() { dirty_ = {0, 0, width_, height_}; }

SDL_Surface* Window::LayerSurface(Layer layer) {
  auto& l = layers_[static_cast<size_t>(layer)];
  if (!l.surface) {
    l.surface = SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 32, SDL_PIXELFORMAT_ARGB8888);
    if (l.surface) SDL_FillRect(l.surface, nullptr, 0);
  }
  return l.surface;
}

void Window::ShowLayer(Layer layer, bool show) {
  auto& l = layers_[static_cast<size_t>(layer)];
  if (l.shown != show) InvalidateAll();
  l.shown = show;
}

void Window::ClearLayer(Layer layer, const Rect& r) {
  if (SDL_Surface* s = LayerSurface(layer)) {
    SDL_Rect sr{r.x, r.y, r.w, r.h};
    SDL_FillRect(s, &sr, 0);
    InvalidateLayer(layer, r);
  }
}

void Window::InvalidateLayer(Layer layer, const Rect& r) {
  auto& l = layers_[static_cast<size_t>(layer)];
  l.dirty = Union(l.dirty, Intersect(r, {0, 0, width_, height_}));
  dirty_ = Union(dirty_, l.dirty);
}

void Window::Present() {
  if (!renderer_ || !texture_) return;
  // Nothing changed and no dialog is drawn over the window: the screen still shows it all.
  bool layerDirty = false;
  for (auto& l : layers_) layerDirty = layerDirty || !l.dirty.Empty();
  if (dirty_.Empty() && !layerDirty && !overlayDraw) return;
  if (!dirty_.Empty()) {
    SDL_Rect r{dirty_.x, dirty_.y, dirty_.w, dirty_.h};
    const uint8_t* pixels = static_cast<const uint8_t*>(back_->pixels) + r.y * back_->pitch + r.x * 4;
    SDL_UpdateTexture(texture_, &r, pixels, back_->pitch);
    dirty_ = {};
  }
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  for (auto& l : layers_) {
    if (!l.shown || !l.surface) continue;
    if (!l.texture) {
      l.texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width_, height_);
      if (l.texture) SDL_SetTextureBlendMode(l.texture, SDL_BLENDMODE_BLEND);
      l.dirty = {0, 0, width_, height_};
    }
    if (!l.texture) continue;
    if (!l.dirty.Empty()) {
      SDL_Rect r{l.dirty.x, l.dirty.y, l.dirty.w, l.dirty.h};
      const uint8_t* pixels = static_cast<const uint8_t*>(l.surface->pixels) + r.y * l.surface->pitch + r.x * 4;
      SDL_UpdateTexture(l.texture, &r, pixels, l.surface->pitch);
      l.dirty = {};
    }
    SDL_RenderCopy(renderer_, l.texture, nullptr, nullptr);
  }
  if (overlayDraw) overlayDraw(renderer_);
  SDL_RenderPresent(renderer_);
}

void Window::Show() {
  if (!window_) return;
  SDL_ShowWindow(window_);
  visible_ = true;
  InvalidateAll();
}

void Window::Hide() {
  if (!window_) return;
  SDL_HideWindow(window_);
  visible_ = false;
}

void Window::Raise() {
  if (!window_) return;
  SDL_RestoreWindow(window_);
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  visible_ = true;
}

void Window::Minimize() {
  if (window_) SDL_MinimizeWindow(window_);
}

void Window::SetTitle(const std::string& utf8) {
  if (window_) SDL_SetWindowTitle(window_, utf8.c_str());
}

void Window::LoadPointer(Zeiger z, const std::string& path) {
  SDL_Surface* s = IMG_Load(path.c_str());
  if (!s) return;
  // The eraser's hot spot is the middle of its tip at the picture's bottom-left; the invisible pointer's is (0, 0).
  int hx = 0, hy = 0;
  if (z == Zeiger::Radierer) {
    hx = s->w / 4;
    hy = s->h - 1 - s->h / 4;
  }
  SDL_Cursor* c = SDL_CreateColorCursor(s, hx, hy);
  SDL_FreeSurface(s);
  if (!c) return;
  auto& slot = cursors_[static_cast<size_t>(z)];
  if (slot) SDL_FreeCursor(slot);
  slot = c;
}

void Window::SetPointer(Zeiger z) {
  auto& slot = cursors_[static_cast<size_t>(z)];
  if (z == Zeiger::Null && !slot) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  if (!slot) {
    slot = SDL_CreateSystemCursor(z == Zeiger::Sanduhr ? SDL_SYSTEM_CURSOR_WAIT : SDL_SYSTEM_CURSOR_ARROW);
  }
  SDL_ShowCursor(SDL_ENABLE);
  if (slot) SDL_SetCursor(slot);
}

void Window::ShowPointer(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

}  // namespace zelo::platform
