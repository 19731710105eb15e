// The placeable header in front of a Windows metafile file. Platform-free.
#include <cstring>

#include "report/drawing/metafiles_face.h"

namespace {

uint16_t Word(const unsigned char* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

void PutWord(unsigned char* at, uint32_t value) {
  at[0] = static_cast<unsigned char>(value);
  at[1] = static_cast<unsigned char>(value >> 8);
}

bool FitsSixteenBits(int32_t v) { return v >= INT16_MIN && v <= INT16_MAX; }

}  // namespace

uint16_t PlaceableChecksum(const unsigned char* header) {
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= Word(header + 2 * i);
  return sum;
}

bool MakePlaceableHeader(int32_t left, int32_t top, int32_t right, int32_t bottom,
                         unsigned char* header) {
  if (!FitsSixteenBits(left) || !FitsSixteenBits(top) || !FitsSixteenBits(right) ||
      !FitsSixteenBits(bottom))
    return false;
  std::memset(header, 0, PLACEABLE_HEADER_SIZE);
  PutWord(header, PLACEABLE_KEY & 0xFFFF);
  PutWord(header + 2, PLACEABLE_KEY >> 16);
  PutWord(header + 6, static_cast<uint32_t>(left));
  PutWord(header + 8, static_cast<uint32_t>(top));
  PutWord(header + 10, static_cast<uint32_t>(right));
  PutWord(header + 12, static_cast<uint32_t>(bottom));
  PutWord(header + 14, PLACEABLE_UNITS_PER_INCH);
  PutWord(header + 20, PlaceableChecksum(header));
  return true;
}

PlaceableCheck CheckPlaceableMetafile(DrawingBytes& file, unsigned char* header,
                                      uint32_t* bits_bytes) {
  const int64_t size = file.Size();
  if (size < 4) return PlaceableCheck::plain;
  unsigned char front[PLACEABLE_HEADER_SIZE] = {};
  const std::size_t have =
      size < int64_t{PLACEABLE_HEADER_SIZE} ? std::size_t(size) : PLACEABLE_HEADER_SIZE;
  if (!file.ReadAt(0, front, have)) return PlaceableCheck::plain;
  const uint32_t key = Word(front) | uint32_t{Word(front + 2)} << 16;
  if (key != PLACEABLE_KEY) return PlaceableCheck::plain;
  if (have < PLACEABLE_HEADER_SIZE) return PlaceableCheck::no_placeable_header;
  unsigned char metafile_header[METAFILE_HEADER_SIZE];
  if (size - int64_t{PLACEABLE_HEADER_SIZE} < int64_t{METAFILE_HEADER_SIZE} ||
      !file.ReadAt(PLACEABLE_HEADER_SIZE, metafile_header, sizeof metafile_header))
    return PlaceableCheck::no_metafile_header;
  const uint32_t words = Word(metafile_header + 6) | uint32_t{Word(metafile_header + 8)} << 16;
  // The size counts the metafile header's own 9 words; twice it must still
  // be a 32-bit byte count, and the bits must be in the file.
  if (words < METAFILE_HEADER_SIZE / 2 || words > UINT32_MAX / 2 ||
      int64_t{words} * 2 > size - int64_t{PLACEABLE_HEADER_SIZE})
    return PlaceableCheck::bad_size;
  std::memcpy(header, front, PLACEABLE_HEADER_SIZE);
  *bits_bytes = words * 2;
  return PlaceableCheck::sound;
}
