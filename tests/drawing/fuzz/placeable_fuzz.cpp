// Any bytes as a Windows metafile file: the front is checked without a read
// outside the input, and bits found sound lie within it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "report/drawing/metafiles_face.h"
#include "tests/drawing/container_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  WatchedBytes bytes(file);
  unsigned char header[PLACEABLE_HEADER_SIZE];
  uint32_t bits_bytes = 0;
  if (CheckPlaceableMetafile(bytes, header, &bits_bytes) == PlaceableCheck::sound) {
    if (bits_bytes < METAFILE_HEADER_SIZE || bits_bytes > size - PLACEABLE_HEADER_SIZE)
      std::abort();
    std::vector<unsigned char> bits(bits_bytes);
    if (!bytes.ReadAt(PLACEABLE_HEADER_SIZE, bits.data(), bits.size())) std::abort();
    if (PlaceableChecksum(header) != PlaceableChecksum(data)) std::abort();
  }
  if (bytes.outside != 0) std::abort();
  return 0;
}
