// Any bytes as a drawing text: the count and the build must agree, and the
// build must keep inside areas of exactly the counted size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "report/drawing/drawing_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  DrawingTextLines count_lines(text);
  int32_t counted = -1;
  int32_t text_bytes = -1;
  CountDrawingRecords(count_lines, &counted, &text_bytes);
  if (counted < 0 || text_bytes < 0) std::abort();

  // Exactly sized, so that the address sanitizer sees a single byte too many.
  const auto records = std::make_unique<DRAWING_RECORD[]>(static_cast<std::size_t>(counted));
  const auto texts = std::make_unique<char[]>(static_cast<std::size_t>(text_bytes));
  DrawingTextLines build_lines(text);
  int32_t count = -1;
  float width = -1.0f;
  float height = -1.0f;
  BuildDrawingRecords(build_lines, &count, records.get(), static_cast<std::size_t>(counted),
                      texts.get(), static_cast<std::size_t>(text_bytes), &width, &height);
  if (count != counted) std::abort();
  if (!(width >= 0.0f) || !(height >= 0.0f)) std::abort();
  int64_t text_sum = 0;
  for (int32_t i = 0; i < count; ++i) {
    const DRAWING_RECORD& r = records[static_cast<std::size_t>(i)];
    if (r.letter != 'S') continue;
    if (r.f5 < 0.0f || r.f5 > DRAWING_TEXT_LENGTH) std::abort();
    if (r.f6 != static_cast<float>(text_sum) && text_sum < (1 << 24)) std::abort();
    text_sum += static_cast<int64_t>(r.f5);
  }
  if (text_sum != text_bytes) std::abort();
  return 0;
}
