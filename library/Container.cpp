#include "library/Container.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/Files.h"

namespace zelo::library {
namespace {

/// The cache keeps this much of its drive free for everything else.
constexpr int64_t kReserve = 16777216;
/// A cache is never sized below this, even when the free space cannot be read.
constexpr int64_t kMindestcache = 2097152;

std::string OrdnerVon(const std::string& pfad) {
  size_t p = pfad.find_last_of('/');
  return p == std::string::npos ? std::string("./") : pfad.substr(0, p + 1);
}

/// The first value of a file in the catalogue line format; empty when it cannot be read.
std::string ErsterWert(const std::string& pfad) {
  auto inhalt = platform::ReadWholeFile(pfad);
  if (!inhalt) return {};
  platform::ValueSource werte(*inhalt);
  std::string wert;
  return werte.Next(wert) ? wert : std::string();
}

}  // namespace

Containerdateien::~Containerdateien() { ContainerSchliessen(); }

int64_t Containerdateien::FreiBytes(const std::string& ordner) const {
  return freieBytes ? freieBytes(ordner) : platform::FreeBytes(ordner);
}

void Containerdateien::ContainerOeffnen(const Katalog& k, const std::string& hauptcontainer, const std::string& cache,
                                        const std::string& systemordner) {
  ContainerSchliessen();
  cachePfad_ = cache;
  if (cache_.Open(cache, platform::MapMode::ReadWrite)) cachelaenge_ = cache_.Size();
  auto lesend = [](platform::MappedFile& f, const std::string& pfad) {
    if (pfad.empty() || !platform::FileExists(pfad)) return;
    f.Open(platform::ResolvePath(pfad), platform::MapMode::ReadOnly);
  };
  lesend(haupt_, hauptcontainer);
  const std::string zeiger = systemordner + kPartnerzeiger;
  if (platform::FileExists(zeiger)) {
    std::string ordner = ErsterWert(platform::ResolvePath(zeiger));
    if (!ordner.empty()) lesend(partner_, platform::WithSlash(ordner) + kPartnercacheName);
  }
  // A container's line is a full path; lines of two characters or less name nothing.
  auto zeile = [&](size_t nr) { return k.Kopf.Zeile[nr].size() > 2 ? k.Kopf.Zeile[nr] : std::string(); };
  lesend(a_, zeile(8));
  lesend(b_, zeile(9));
  lesend(c_, zeile(10));
  lesend(d_, zeile(11));
}

void Containerdateien::ContainerSchliessen() {
  for (auto& [sample, fd] : eigene_) ::close(fd);
  eigene_.clear();
  for (platform::MappedFile* f : {&cache_, &haupt_, &partner_, &a_, &b_, &c_, &d_}) f->Close();
  cachelaenge_ = 0;
}

const platform::MappedFile* Containerdateien::FuerOrt(int ort) const {
  switch (ort) {
    case kOrtPartnerCache: return Partnercache();
    case kOrtCache:
    case kOrtEigeneDatei: return Cache();
    case kOrtContainerA: return ContainerA();
    case kOrtContainerB: return ContainerB();
    case kOrtContainerC: return ContainerC();
    case kOrtHauptcontainer: return Hauptcontainer();
    case kOrtContainerD: return ContainerD();
    default: return nullptr;
  }
}

void Containerdateien::EigeneDateiSchliessen(int sample) {
  auto it = eigene_.find(sample);
  if (it == eigene_.end()) return;
  ::close(it->second);
  eigene_.erase(it);
}

int32_t Containerdateien::EigeneDateiLesen(Katalog& k, int s, void* puffer, int32_t laenge, int32_t versatz) {
  auto i = static_cast<size_t>(s);
  auto it = eigene_.find(s);
  if (it == eigene_.end()) {
    int fd = ::open(platform::ResolvePath(k.SampleDatei[i]).c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
      ::close(fd);
      fd = -1;
    }
    if (fd < 0) {
      k.SampleOffset[i] = 0;
      k.SampleGroesse[i] = 0;
      return 0;
    }
    k.SampleGroesse[i] = static_cast<int32_t>(std::min<int64_t>(st.st_size, INT32_MAX));
    it = eigene_.emplace(s, fd).first;
  }
  if (laenge <= 0) return 0;
  ssize_t n = ::pread(it->second, puffer, static_cast<size_t>(laenge), versatz);
  return n > 0 ? static_cast<int32_t>(n) : 0;
}

int32_t Containerdateien::SampleLesen(Katalog& k, int s, void* puffer, int32_t laenge, int32_t versatz) {
  if (!Katalog::IstNummer(s)) return 0;
  if (versatz < 0) {
    EigeneDateiSchliessen(s);
    return 0;
  }
  auto i = static_cast<size_t>(s);
  const int16_t ort = k.SampleOrt[i];
  const platform::MappedFile* h = FuerOrt(ort);
  switch (ort) {
    case kOrtPartnerCache: case kOrtCache: case kOrtContainerA: case kOrtContainerB: case kOrtContainerC:
    case kOrtHauptcontainer: case kOrtContainerD: case kOrtEigeneDatei: break;
    default: return 0;  // empty, or a code no file stands for: not playable
  }
  if (ort == kOrtEigeneDatei && !k.SampleDatei[i].empty()) return EigeneDateiLesen(k, s, puffer, laenge, versatz);
  if (laenge <= 0 || k.SampleOffset[i] <= 0 || h == nullptr) return 0;
  const int64_t pos = static_cast<int64_t>(k.SampleOffset[i]) + versatz;
  const auto gelesen = static_cast<int32_t>(h->Read(puffer, laenge, pos));
  if (gelesen <= 0 || (ort != kOrtHauptcontainer && ort != kOrtPartnerCache)) return gelesen;

  // Copy-through: the cache mirrors the main container's offsets, so the bytes go to the same
  // place there. Only the part below the cache length is ever written; the cache never grows here.
  if (k.SampleOffset[i] < cachelaenge_ && cache_.IsOpen()) {
    const int64_t passt = std::clamp<int64_t>(cachelaenge_ - pos, 0, gelesen);
    const int64_t geschrieben = passt > 0 ? cache_.Write(puffer, passt, pos) : 0;
    const bool bisZumEnde = static_cast<int64_t>(versatz) + gelesen >= k.SampleGroesse[i];
    if (geschrieben == gelesen && bisZumEnde) {
      k.SampleOrt[i] = kOrtCache;
      k.KatalogGeaendert = true;
    }
  }
  return gelesen;
}

bool Containerdateien::CacheAnlegen(Katalog& k, const std::string& cachePfad, int64_t gewuenscht) {
  cache_.Close();
  cachelaenge_ = 0;
  gewuenscht = std::max<int64_t>(gewuenscht, 0);
  const int64_t bestehend = std::max<int64_t>(platform::FileSize(cachePfad), 0);
  int64_t verfuegbar = FreiBytes(OrdnerVon(cachePfad));
  verfuegbar = verfuegbar < 0 ? kMindestcache : std::max(verfuegbar - kReserve, kMindestcache);
  verfuegbar += bestehend;
  bool platzFehlt = false;
  if (gewuenscht >= verfuegbar) {
    platzFehlt = true;
    gewuenscht = verfuegbar;
  }
  if (bestehend < gewuenscht) {
    // The cache is laid out anew: what it held is no longer trusted.
    for (size_t i = 0; i < k.SampleOrt.size(); ++i) {
      if (k.SampleOrt[i] != kOrtCache) continue;
      k.SampleOrt[i] = kOrtHauptcontainer;
      k.KatalogGeaendert = true;
    }
  } else {
    // The cache never shrinks: samples already in it stay where they are.
    gewuenscht = bestehend;
  }
  cachePfad_ = cachePfad;
  if (!cache_.Open(cachePfad, platform::MapMode::ReadWrite)) return platzFehlt;
  cache_.Resize(gewuenscht);
  cachelaenge_ = cache_.Size();
  return platzFehlt;
}

}  // namespace zelo::library
