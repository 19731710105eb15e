// Any bytes as a drawing container: every drawing number's counts and
// records, read into areas of exactly the counted size, and no read outside
// the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "report/drawing/drawing_container_face.h"
#include "tests/drawing/container_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the drawing number, the rest is the container.
  const int32_t n = static_cast<int8_t>(data[0]);
  const std::string_view container(reinterpret_cast<const char*>(data + 1), size - 1);
  WatchedBytes bytes(container);
  int32_t counted = -1;
  int32_t text_bytes = -1;
  ReadContainerCounts(bytes, &counted, &text_bytes, n);
  if (counted < 0 || text_bytes < 0) std::abort();
  if (int64_t{counted} * 25 + text_bytes > static_cast<int64_t>(container.size())) std::abort();
  const auto records = std::make_unique<DRAWING_RECORD[]>(static_cast<std::size_t>(counted));
  const auto texts = std::make_unique<char[]>(static_cast<std::size_t>(text_bytes));
  int32_t count = -1;
  float width = 0.0f;
  float height = 0.0f;
  ReadContainerDrawing(bytes, &count, records.get(), static_cast<std::size_t>(counted), texts.get(),
                       static_cast<std::size_t>(text_bytes), &width, &height, n);
  if (count != counted || bytes.outside != 0) std::abort();
  return 0;
}
