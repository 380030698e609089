#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace zelo::platform {

MappedFile::~MappedFile() { Close(); }

bool MappedFile::Open(const std::string& path, MapMode mode) {
  Close();
  int flags = mode == MapMode::ReadWrite ? (O_RDWR | O_CREAT) : O_RDONLY;
  fd_ = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd_ < 0) return false;
  mode_ = mode;
  path_ = path;
  if (!Map()) {
    Close();
    return false;
  }
  return true;
}

bool MappedFile::Map() {
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  size_ = st.st_size;
  if (size_ == 0) return true;  // an empty file is open but has no bytes to map
  int prot = mode_ == MapMode::ReadWrite ? (PROT_READ | PROT_WRITE) : PROT_READ;
  void* p = ::mmap(nullptr, static_cast<size_t>(size_), prot, MAP_SHARED, fd_, 0);
  if (p == MAP_FAILED) {
    size_ = 0;
    return false;
  }
  data_ = static_cast<uint8_t*>(p);
  return true;
}

void MappedFile::Close() {
  if (data_) ::munmap(data_, static_cast<size_t>(size_));
  data_ = nullptr;
  size_ = 0;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

int64_t MappedFile::Read(void* buffer, int64_t length, int64_t offset) const {
  if (!data_ || length <= 0 || offset < 0 || offset >= size_) return 0;
  int64_t n = std::min(length, size_ - offset);
  std::memcpy(buffer, data_ + offset, static_cast<size_t>(n));
  return n;
}

int64_t MappedFile::Write(const void* buffer, int64_t length, int64_t offset) {
  if (fd_ < 0 || mode_ != MapMode::ReadWrite || length <= 0 || offset < 0) return 0;
  ssize_t n = ::pwrite(fd_, buffer, static_cast<size_t>(length), offset);
  if (n <= 0) return 0;
  // A write past the mapped end grows the file; map it again so readers see it.
  if (offset + n > size_) {
    if (data_) ::munmap(data_, static_cast<size_t>(size_));
    data_ = nullptr;
    if (!Map()) return 0;
  }
  return n;
}

bool MappedFile::Resize(int64_t length) {
  if (fd_ < 0 || mode_ != MapMode::ReadWrite || length < 0) return false;
  if (data_) ::munmap(data_, static_cast<size_t>(size_));
  data_ = nullptr;
  size_ = 0;
  if (::ftruncate(fd_, length) != 0) {
    Map();
    return false;
  }
  return Map();
}

}  // namespace zelo::platform
