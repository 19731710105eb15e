// Windows metafiles with the placeable header of 22 bytes in front: its
// layout and checksum, the check of a file's header and size fields, the
// reader that loads one as a picture, the writers, and the rendering of a
// drawing into a placeable metafile file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "report/drawing/drawing_container_face.h"

// Key 0x9AC6CDD7, handle 0, box left, top, right, bottom (signed 16 bits),
// units per inch, reserved, then the checksum, all little-endian.
inline constexpr uint32_t PLACEABLE_KEY = 0x9AC6CDD7u;
inline constexpr std::size_t PLACEABLE_HEADER_SIZE = 22;
// The metafile's own header follows; its size in 16-bit words is at its byte 6.
inline constexpr std::size_t METAFILE_HEADER_SIZE = 18;
// Files written here give this many units to the inch.
inline constexpr uint16_t PLACEABLE_UNITS_PER_INCH = 1000;

// The XOR of the ten 16-bit words before the checksum.
uint16_t PlaceableChecksum(const unsigned char* header);
// The header of a box; false, leaving header alone, when a side lies
// outside 16 bits.
bool MakePlaceableHeader(int32_t left, int32_t top, int32_t right, int32_t bottom,
                         unsigned char* header);

enum class PlaceableCheck {
  plain,                // no key: a plain Windows metafile
  no_placeable_header,  // the key, but fewer than 22 bytes
  no_metafile_header,   // fewer than 18 bytes after the placeable header
  bad_size,             // a size under the header's own 9 words, or past the file
  sound,
};
// Reads the front of a metafile file: on sound, the placeable header into
// header and the size of the metafile's bits (from byte 22) into bits_bytes.
// Only bytes the file holds are looked at.
PlaceableCheck CheckPlaceableMetafile(DrawingBytes& file, unsigned char* header,
                                      uint32_t* bits_bytes);

#ifdef _WIN32
#include <windows.h>

struct PICTURE_RECORD;

// The one buffer of placeable-metafile bits, released when the next
// placeable metafile is read.
extern HGLOBAL METAFILE_BITS;

// Opens a Windows metafile file; answers its handle with the picture's kind
// set to 2 (placeable, its header copied into header) or 3 (plain), or null
// with the picture left as it was. A damaged placeable file says what failed.
HMETAFILE ReadWindowsMetafile(const char* path, unsigned char* header, PICTURE_RECORD* picture);

// Write the metafile to path with a placeable header for the box, or without
// one; answer 1, or 0 with a file of that name left as it was.
int32_t WritePlaceableMetafile(HMETAFILE metafile, const char* path, RECT box);
int32_t WriteMetafile(HMETAFILE metafile, const char* path);

// Renders drawing 1 of the case folder's drawing file into the case folder's
// placeable metafile file: 9800 units across from x 80, in a window of
// width by height.
void RenderDrawingMetafile(const char* drawing_name, const char* metafile_name, int32_t width,
                           int32_t height);
#endif
