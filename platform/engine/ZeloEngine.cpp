// The engine's start and end, temporary file names, pictures, pointer, free space and sorter.
#include "platform/engine/ZeloEngine.h"

#include <SDL.h>
#include <SDL_image.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "platform/audio/MixEngine.h"
#include "platform/Window.h"

namespace zelo::platform {
namespace {

unsigned char Fold(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);  // Windows-1252 letters
  return c;
}

// Text order: case-insensitive, by character code.
bool TextLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return Fold(static_cast<unsigned char>(x)) < Fold(static_cast<unsigned char>(y));
  });
}

// The second order: like text order, but runs of digits compare by their value, so that
// "Loop 9" comes before "Loop 10".
bool NaturalLess(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[j]);
    if (std::isdigit(x) && std::isdigit(y)) {
      size_t i2 = i, j2 = j;
      while (i2 < a.size() && a[i2] == '0') ++i2;
      while (j2 < b.size() && b[j2] == '0') ++j2;
      size_t ie = i2, je = j2;
      while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
      while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
      if (ie - i2 != je - j2) return ie - i2 < je - j2;
      int c = a.compare(i2, ie - i2, b, j2, je - j2);
      if (c != 0) return c < 0;
      i = ie;
      j = je;
      continue;
    }
    if (Fold(x) != Fold(y)) return Fold(x) < Fold(y);
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

}  // namespace

ZeloEngine::ZeloEngine(const EngineOptions& options)
    : options_(options), mix_(std::make_unique<audio::MixEngine>(options)) {}

ZeloEngine::~ZeloEngine() {
  mix_.reset();
  if (pattern_) SDL_FreeSurface(pattern_);
}

int32_t ZeloEngine::ANummer() { return kEngineDirectX; }
void ZeloEngine::ATyp(int32_t typ) { typ_ = typ; }
int32_t ZeloEngine::ADevice(int32_t) { return static_cast<int32_t>(options_.device); }

std::string ZeloEngine::AGetString(int32_t n) {
  // Stable names per user, so a crashed run's files are reused rather than piling up.
  return options_.tempFolder + "zelotmp" + std::to_string(n) + ".wav";
}

void ZeloEngine::ASetPfad(const std::string& workingFolder) { workingFolder_ = workingFolder; }
void ZeloEngine::ASelectMic() {}
void ZeloEngine::AFenster(Window*) {}

int64_t ZeloEngine::AMemory() {
  long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
  return pages > 0 && size > 0 ? static_cast<int64_t>(pages) * size : 0;
}

SDL_Surface* ZeloEngine::Extra() {
  if (!pattern_) {
    // A half-tone grid: combined with AND it darkens what lies under the start pictures.
    pattern_ = NewSurface(8, 8);
    if (pattern_) {
      SDL_LockSurface(pattern_);
      for (int y = 0; y < 8; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pattern_->pixels) + y * pattern_->pitch);
        for (int x = 0; x < 8; ++x) row[x] = ((x + y) & 1) ? 0xFF000000u : 0xFF7F7F7Fu;
      }
      SDL_UnlockSurface(pattern_);
    }
  }
  return pattern_;
}

int64_t ZeloEngine::AGetFree(const std::string& folder) {
  struct statvfs st {};
  std::string path = folder.empty() ? std::string("/") : folder;
  // A folder that does not exist yet reports the free space of the nearest existing parent.
  while (statvfs(path.c_str(), &st) != 0) {
    auto cut = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
    if (cut == std::string::npos || path == "/") return -1;
    path = path.substr(0, cut + 1);
  }
  return static_cast<int64_t>(st.f_bavail) * static_cast<int64_t>(st.f_frsize) / kFreeUnitBytes;
}

int32_t ZeloEngine::ALoad(BildStruct& bild) {
  AClose(bild);
  SDL_Surface* loaded = IMG_Load(bild.Datei.c_str());
  if (!loaded) return 0;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!argb) return 0;
  bild.dc = argb;
  bild.Breite = argb->w;
  bild.Hoehe = argb->h;
  return -1;
}

void ZeloEngine::AClose(BildStruct& bild) {
  if (bild.dc) SDL_FreeSurface(bild.dc);
  bild.dc = nullptr;
  bild.Breite = bild.Hoehe = 0;
}

void ZeloEngine::ASetCur(int32_t sichtbar) { SDL_ShowCursor(sichtbar ? SDL_ENABLE : SDL_DISABLE); }

void ZeloEngine::ASortInit() {
  // Empties the keys but keeps the last sorted order for reading out.
  sortKeys_.clear();
  sortPos_ = 0;
}

void ZeloEngine::ASortIn(const std::string& text) { sortKeys_.push_back(text); }

void ZeloEngine::ASortStart() {
  sortOrder_.resize(sortKeys_.size());
  for (size_t i = 0; i < sortOrder_.size(); ++i) sortOrder_[i] = static_cast<int32_t>(i);
  std::stable_sort(sortOrder_.begin(), sortOrder_.end(),
                   [&](int32_t a, int32_t b) { return TextLess(sortKeys_[static_cast<size_t>(a)], sortKeys_[static_cast<size_t>(b)]); });
  sortPos_ = 0;
}

void ZeloEngine::ASortStart2() {
  sortOrder_.resize(sortKeys_.size());
  for (size_t i = 0; i < sortOrder_.size(); ++i) sortOrder_[i] = static_cast<int32_t>(i);
  std::stable_sort(sortOrder_.begin(), sortOrder_.end(), [&](int32_t a, int32_t b) {
    return NaturalLess(sortKeys_[static_cast<size_t>(a)], sortKeys_[static_cast<size_t>(b)]);
  });
  sortPos_ = 0;
}

int32_t ZeloEngine::ASortOut() { return sortPos_ < sortOrder_.size() ? sortOrder_[sortPos_++] : -1; }

}  // namespace zelo::platform
