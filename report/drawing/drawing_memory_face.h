// The global memory blocks and file writes of the drawing and picture code.
// Blocks are movable and zero-filled, as the platform's metafile and
// clipboard calls take them, and counted; tests make the nth allocation or
// the nth write fail, as when memory or the disk runs out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

// A movable, zero-filled block; null when the memory is not there.
HGLOBAL AllocateDrawingMemory(uint64_t bytes);
// Frees a block from AllocateDrawingMemory; null is none.
void FreeDrawingMemory(HGLOBAL block);
// A block whose owner is now the platform (the clipboard) leaves the count.
void HandOverDrawingMemory(HGLOBAL block);
// How many blocks are held at this moment.
int64_t LiveDrawingMemory();

// Writes all size bytes to the file; false when any fell short.
bool WriteDrawingFile(HANDLE file, const void* bytes, uint64_t size);

// Owns one block of AllocateDrawingMemory.
class DrawingMemory {
 public:
  DrawingMemory() = default;
  explicit DrawingMemory(HGLOBAL block) : block_(block) {}
  ~DrawingMemory() { FreeDrawingMemory(block_); }
  DrawingMemory(const DrawingMemory&) = delete;
  DrawingMemory& operator=(const DrawingMemory&) = delete;
  void reset(HGLOBAL block = nullptr) { FreeDrawingMemory(std::exchange(block_, block)); }
  HGLOBAL get() const { return block_; }
  HGLOBAL release() { return std::exchange(block_, nullptr); }
  explicit operator bool() const { return block_ != nullptr; }

 private:
  HGLOBAL block_ = nullptr;
};

// Keeps a movable block locked while it lives; null for a null block.
class LockedMemory {
 public:
  explicit LockedMemory(HGLOBAL block)
      : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~LockedMemory() {
    if (data_) GlobalUnlock(block_);
  }
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;
  template <class T = void>
  T* as() const {
    return static_cast<T*>(data_);
  }

 private:
  HGLOBAL block_;
  void* data_;
};
