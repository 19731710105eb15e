// The plate program's message numbers, from the case's results into the
// host's message count and codes.
#include <algorithm>
#include <cstdint>

#include "exchange/case_variables_face.h"
#include "exchange/exchange_face.h"
#include "exchange/value_text.h"

void GET_PROGRAM_MESSAGES(CaseData** case_data, int64_t* message_count, int64_t* message_codes) {
  const ComPtr<ArrayVariables> results = GetArrayResults(case_data);
  const ComPtr<ArrayVariable> messages = FindVariable(results.get(), "arTavikMsgs");

  // The count is the case's own 16-bit entry count; a negative one means no
  // entries, and no more codes are written than the host's array is taken to
  // hold.
  const int64_t entries = messages ? GetCount(messages.get()) : 0;
  const int64_t count = std::clamp<int64_t>(entries, 0, MESSAGE_CODES_CAPACITY);

  // A blank line, or one that is not a whole number, leaves the host's code
  // as it was passed.
  for (int64_t i = 1; i <= count; ++i) {
    const ValueText line = GetTextLine(messages.get(), static_cast<int16_t>(i));
    if (!line.blank()) ReadIntegerValue(line.view(), message_codes[i - 1]);
  }
  *message_count = count;
}
