// Drawings as the report code keeps them: the 25-byte drawing command, the
// 104-byte header of a drawing in a container, and one drawing loaded into
// memory. Platform-free except for the memory blocks a loaded drawing owns.
#pragma once

#include <cstddef>
#include <cstdint>

// One drawing command: a letter and six reals whose meaning the letter gives.
// Stored unaligned, 25 bytes, in containers and in a loaded drawing's records.
#pragma pack(push, 1)
struct DRAWING_RECORD {
  char letter;
  float f1, f2, f3, f4, f5, f6;
};
#pragma pack(pop)
static_assert(sizeof(DRAWING_RECORD) == 25);

// The header of one drawing in a container, little-endian.
#pragma pack(push, 1)
struct DRAWING_HEADER {
  char magic[7];  // "ZFD2.0" and its NUL
  char reserved;
  char title[80];  // at most 79 characters, NUL, zeros
  int32_t record_count;
  int32_t text_bytes;
  float width;   // drawing units
  float height;  // drawing units
};
#pragma pack(pop)
static_assert(sizeof(DRAWING_HEADER) == 104);
static_assert(offsetof(DRAWING_HEADER, record_count) == 88);
static_assert(offsetof(DRAWING_HEADER, width) == 96);

// One drawing in memory. It owns both blocks (movable global memory, handles
// kept as void* so platform-free code can carry the record): the records,
// record_count of them, and the text bytes, text_size bytes of room (null when
// the drawing has no text). Width and height are thousandths of a drawing
// unit. A drawing without a record area holds nothing.
struct LOADED_DRAWING {
  void* records;
  void* texts;
  int32_t record_count;
  int32_t width;
  int32_t height;
  int32_t text_size;
};
