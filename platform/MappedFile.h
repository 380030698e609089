#pragma once
// A container or cache file mapped into memory, shared between the library (which opens,
// writes and closes it on the UI thread) and the audio engine (which reads its bytes).
// Close a file only after the engine has stopped every voice that reads from it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace zelo::platform {

enum class MapMode { ReadOnly, ReadWrite };

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  /// Opens and maps `path`. ReadWrite creates a missing file. Returns false and stays closed on failure.
  bool Open(const std::string& path, MapMode mode);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  const uint8_t* Data() const { return data_; }
  int64_t Size() const { return size_; }
  const std::string& Path() const { return path_; }

  /// Reads up to `length` bytes at `offset`; returns the count read (0 outside the file).
  int64_t Read(void* buffer, int64_t length, int64_t offset) const;
  /// Writes at `offset` (ReadWrite files only); the mapping sees the bytes at once.
  int64_t Write(const void* buffer, int64_t length, int64_t offset);
  /// Sets the file's length and maps it again. The old mapping goes away: call it only while
  /// the engine plays nothing from this file (AStop first).
  bool Resize(int64_t length);

 private:
  bool Map();
  int fd_ = -1;
  MapMode mode_ = MapMode::ReadOnly;
  uint8_t* data_ = nullptr;
  int64_t size_ = 0;
  std::string path_;
};

}  // namespace zelo::platform
