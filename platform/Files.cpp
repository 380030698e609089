#include "platform/Files.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace zelo::platform {
namespace {

unsigned char UpperChar(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  switch (c) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return c;
  }
}

unsigned char LowerChar(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

bool SameNoCase(unsigned char a, unsigned char b) { return UpperChar(a) == UpperChar(b); }

bool StatPath(const std::string& path, struct stat& st) { return !path.empty() && ::stat(path.c_str(), &st) == 0; }

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

/// Writes a new file beside `target` through `fill`, flushes it and renames it over the target.
bool ReplaceThroughTemp(const std::string& target, KeepBackup backup, mode_t mode,
                        const std::function<bool(int fd)>& fill) {
  if (target.empty() || target.back() == '/') return false;
  std::string pattern = target + ".tmp-XXXXXX";
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  bool ok = fill(fd) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok && backup == KeepBackup::Yes) {
    struct stat st{};
    if (StatPath(target, st)) {
      std::string bak = target + ".bak";
      ::unlink(bak.c_str());
      if (::link(target.c_str(), bak.c_str()) != 0) {
        std::error_code ec;
        ok = fs::copy_file(target, bak, fs::copy_options::overwrite_existing, ec) && !ec;
      }
    }
  }
  if (ok) ok = ::rename(pattern.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(pattern.c_str());
    return false;
  }
  // Make the rename itself durable.
  std::string folder = fs::path(target).parent_path().string();
  int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

}  // namespace

// --- Names without case ----------------------------------------------------------------------

std::string AnsiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(UpperChar(static_cast<unsigned char>(c)));
  return out;
}

std::string AnsiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(LowerChar(static_cast<unsigned char>(c)));
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!SameNoCase(static_cast<unsigned char>(a[i]), static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

size_t FindNoCase(std::string_view text, std::string_view what, size_t from) {
  if (what.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (what.size() > text.size()) return std::string_view::npos;
  for (size_t i = from; i + what.size() <= text.size(); ++i)
    if (EqualsNoCase(text.substr(i, what.size()), what)) return i;
  return std::string_view::npos;
}

std::string TrimSpaces(std::string_view text) {
  size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  size_t e = text.find_last_not_of(' ');
  return std::string(text.substr(b, e - b + 1));
}

std::string ResolvePath(const std::string& path) {
  struct stat st{};
  if (path.empty() || StatPath(path, st)) return path;

  std::string built;
  size_t pos = 0;
  if (path[0] == '/') {
    built = "/";
    pos = 1;
  }
  while (pos <= path.size()) {
    size_t slash = path.find('/', pos);
    std::string part = path.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
    bool last = slash == std::string::npos;
    if (!part.empty()) {
      std::string exact = built + part;
      if (!StatPath(exact, st)) {
        std::string stem = part;
        while (!stem.empty() && stem.back() == '.') stem.pop_back();
        std::string found;
        std::error_code ec;
        fs::directory_iterator it(built.empty() ? "." : built, ec), end;
        for (; !ec && it != end; it.increment(ec)) {
          std::string name = it->path().filename().string();
          if (EqualsNoCase(name, part) || (!stem.empty() && stem != part && EqualsNoCase(name, stem))) {
            found = name;
            break;
          }
        }
        if (found.empty()) return path;
        part = found;
      }
      built += part;
    }
    if (last) break;
    built += '/';
    pos = slash + 1;
  }
  return built;
}

std::string SafeLeafName(std::string_view name) {
  size_t cut = name.find_last_of("/\\");
  std::string_view leaf = cut == std::string_view::npos ? name : name.substr(cut + 1);
  if (leaf.empty() || leaf == "." || leaf == "..") return {};
  return std::string(leaf);
}

// --- Existence, size and stamps ---------------------------------------------------------------

bool FileExists(const std::string& path) {
  struct stat st{};
  return StatPath(ResolvePath(path), st) && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st{};
  return StatPath(ResolvePath(path), st) && S_ISDIR(st.st_mode);
}

int64_t FileSize(const std::string& path) {
  struct stat st{};
  if (!StatPath(ResolvePath(path), st) || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

std::optional<FileStamp> FileModified(const std::string& path) {
  struct stat st{};
  if (!StatPath(ResolvePath(path), st)) return std::nullopt;
  std::tm local{};
  time_t t = st.st_mtime;
  if (!::localtime_r(&t, &local)) return std::nullopt;
  FileStamp s;
  s.Datum = (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
  s.Zeit = local.tm_hour * 10000 + local.tm_min * 100 + local.tm_sec;
  return s;
}

int64_t FreeBytes(const std::string& folder) {
  std::string p = folder.empty() ? std::string(".") : ResolvePath(folder);
  for (;;) {
    struct statvfs v{};
    if (::statvfs(p.c_str(), &v) == 0) return static_cast<int64_t>(v.f_bavail) * static_cast<int64_t>(v.f_frsize);
    if (errno != ENOENT && errno != ENOTDIR) return -1;
    // A folder that is not made yet takes the space of the nearest one above it.
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    size_t slash = p.find_last_of('/');
    if (slash == std::string::npos) {
      if (p == ".") return -1;
      p.assign(1, '.');
    } else {
      p = slash == 0 ? std::string("/") : p.substr(0, slash);
    }
  }
}

// --- Reading ---------------------------------------------------------------------------------

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string real = ResolvePath(path);
  int fd = ::open(real.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st{};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

bool LineSource::Next(std::string& line) {
  if (pos_ >= text_.size()) return false;
  size_t end = text_.find('\n', pos_);
  size_t next = end == std::string_view::npos ? text_.size() : end + 1;
  if (end == std::string_view::npos) end = text_.size();
  size_t stop = end;
  if (stop > pos_ && text_[stop - 1] == '\r') --stop;
  line.assign(text_.substr(pos_, stop - pos_));
  pos_ = next;
  return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  LineSource source(text);
  std::string line;
  while (source.Next(line)) lines.push_back(line);
  return lines;
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return SplitLines(*bytes);
}

bool ValueSource::AtEnd() const { return pos_ >= text_.size(); }

bool ValueSource::Next(std::string& value) {
  if (pos_ >= text_.size()) return false;
  auto atLineEnd = [&](size_t p) { return p >= text_.size() || text_[p] == '\n' || text_[p] == '\r'; };
  // Consumes the delimiter at p (a comma, CR LF, LF or CR) and moves past it.
  auto finish = [&](size_t p) {
    if (p < text_.size() && text_[p] == ',') {
      pos_ = p + 1;
    } else if (p < text_.size() && text_[p] == '\r') {
      pos_ = (p + 1 < text_.size() && text_[p + 1] == '\n') ? p + 2 : p + 1;
    } else if (p < text_.size()) {
      pos_ = p + 1;
    } else {
      pos_ = text_.size();
    }
  };

  size_t p = pos_;
  while (p < text_.size() && (text_[p] == ' ' || text_[p] == '\t')) ++p;
  if (p < text_.size() && text_[p] == '"') {
    size_t close = p + 1;
    while (!atLineEnd(close) && text_[close] != '"') ++close;
    value.assign(text_.substr(p + 1, close - p - 1));
    if (close < text_.size() && text_[close] == '"') ++close;
    // Anything between the closing quote and the delimiter is not part of the value.
    while (!atLineEnd(close) && text_[close] != ',') ++close;
    finish(close);
    return true;
  }
  size_t end = p;
  while (!atLineEnd(end) && text_[end] != ',') ++end;
  size_t stop = end;
  while (stop > p && (text_[stop - 1] == ' ' || text_[stop - 1] == '\t')) --stop;
  value.assign(text_.substr(p, stop - p));
  finish(end);
  return true;
}

std::vector<std::string> SplitValues(std::string_view text) {
  std::vector<std::string> values;
  ValueSource source(text);
  std::string value;
  while (source.Next(value)) values.push_back(value);
  return values;
}

// --- Writing ---------------------------------------------------------------------------------

bool WriteFileSafely(const std::string& path, std::string_view bytes, KeepBackup backup) {
  // A file that exists under another case is the one to replace.
  std::string target = ResolvePath(path);
  return ReplaceThroughTemp(target, backup, 0644, [&](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

bool CopyFileSafely(const std::string& from, const std::string& to) {
  std::string source = ResolvePath(from);
  int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st{};
  if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(in);
    return false;
  }
  // The copy keeps the source's permissions: a copied program must stay executable.
  bool copied = ReplaceThroughTemp(ResolvePath(to), KeepBackup::No, st.st_mode & 0777, [&](int out) {
    char buffer[65536];
    for (;;) {
      ssize_t n = ::read(in, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) return true;
      if (!WriteAll(out, buffer, static_cast<size_t>(n))) return false;
    }
  });
  ::close(in);
  return copied && FileSize(to) == static_cast<int64_t>(st.st_size);
}

bool MakeFolders(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  fs::create_directories(ResolvePath(path), ec);
  return FolderExists(path);
}

std::string WithSlash(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

}  // namespace zelo::platform
