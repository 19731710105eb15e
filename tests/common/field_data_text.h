// Field data as the computational side passes it, written readably in tests:
// each '|' of the text stands for byte 3, the end of a value; FieldList adds
// byte 25, the end of the list.
#pragma once

#include <string>
#include <string_view>

namespace field_data_test {

inline constexpr char kValueEnd = 3;
inline constexpr char kListEnd = 25;

inline std::string Values(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '|') c = kValueEnd;
  return out;
}

inline std::string FieldList(std::string_view text) { return Values(text) + kListEnd; }

}  // namespace field_data_test
