#pragma once
// A fixed-size lock-free queue with exactly one writer thread and one reader thread. The
// capacity is set once at construction; Push and Pop never wait and never allocate, so the
// audio thread may read from it.

#include <atomic>
#include <cstddef>
#include <memory>
#include <new>

namespace zelo::platform::audio {

template <typename T>
class SpscQueue {
 public:
  /// Holds up to `capacity` items (rounded up to a power of two).
  explicit SpscQueue(size_t capacity) {
    size_t size = 2;
    while (size < capacity + 1) size <<= 1;
    mask_ = size - 1;
    items_ = std::make_unique<T[]>(size);
  }

  /// Writer thread only. False when the queue is full; the item is then not queued.
  bool Push(const T& item) noexcept {
    size_t head = head_.load(std::memory_order_relaxed);
    size_t next = (head + 1) & mask_;
    if (next == tail_.load(std::memory_order_acquire)) return false;
    items_[head] = item;
    head_.store(next, std::memory_order_release);
    return true;
  }

  /// Reader thread only. False when the queue is empty.
  bool Pop(T& item) noexcept {
    size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail == head_.load(std::memory_order_acquire)) return false;
    item = items_[tail];
    tail_.store((tail + 1) & mask_, std::memory_order_release);
    return true;
  }

  size_t Capacity() const { return mask_; }

 private:
  std::unique_ptr<T[]> items_;
  size_t mask_ = 0;
  alignas(64) std::atomic<size_t> head_{0};
  alignas(64) std::atomic<size_t> tail_{0};
};

}  // namespace zelo::platform::audio
