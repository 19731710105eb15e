// The multi-case driver: two texts to the connection's case server and back.
#include <string_view>

#include "drivers/connection_table_face.h"
#include "drivers/drivers_face.h"

namespace {

std::string_view Sent(const char* text, int64_t length) {
  return text && length > 0
             ? fixed::Trimmed(std::string_view(text, static_cast<std::size_t>(length)))
             : std::string_view();
}

void CopyBack(char* text, int64_t length, const Bstr& answer) {
  if (text && length > 0)
    fixed::AssignPadded(text, static_cast<std::size_t>(length), answer.ansi());
}

}  // namespace

void HANDLE_SETMULTICASEINFO(char* first, int64_t first_len, char* second, int64_t second_len,
                             char* connection_key, int64_t key_len, const char* program,
                             int64_t program_len) {
  CaseData* case_data = nullptr;
  const int64_t open = CONNECTION_FIND_OR_CREATE;
  auto* server = static_cast<CaseServer*>(
      GET_CASE_CONNECTION(connection_key, key_len, &case_data, &open, program, program_len));
  // Without a server, or when the server refuses the texts, the host keeps its own.
  if (!server) return;
  Bstr first_text(Sent(first, first_len));
  Bstr second_text(Sent(second, second_len));
  if (FAILED(server->SetMultiCaseData(first_text.inout(), second_text.inout()))) return;
  CopyBack(first, first_len, first_text);
  CopyBack(second, second_len, second_text);
}
