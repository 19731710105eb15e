// Fixed-length blank-padded texts, the computational side's text type.
//
// Assignment truncates or pads with blanks, comparison pads the shorter side
// with blanks, trimming drops trailing blanks. The free functions do the same
// on a host text given as an address and a length.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace fixed {

// Copies src into dst[0..len) and pads with blanks; a longer src is cut.
inline void AssignPadded(char* dst, std::size_t len, std::string_view src) {
  const std::size_t n = std::min(len, src.size());
  std::memcpy(dst, src.data(), n);
  std::memset(dst + n, ' ', len - n);
}

// The text without its trailing blanks.
inline std::string_view Trimmed(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return text.substr(0, n);
}

// Equal when the shorter text padded with blanks equals the longer one.
inline bool EqualPadded(std::string_view a, std::string_view b) { return Trimmed(a) == Trimmed(b); }

inline bool IsBlank(std::string_view text) { return Trimmed(text).empty(); }

}  // namespace fixed

// A blank-padded text of N characters, with no terminator.
template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kLength = N;

  FixedText() { std::memset(chars_, ' ', N); }
  // A process-wide record that must hold zero bytes until it is first filled.
  struct ZeroBytes {};
  constexpr explicit FixedText(ZeroBytes) : chars_{} {}
  FixedText(std::string_view text) { assign(text); }  // NOLINT: implicit by design

  FixedText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  void assign(std::string_view text) { fixed::AssignPadded(chars_, N, text); }
  void clear() { std::memset(chars_, ' ', N); }

  char* data() { return chars_; }
  const char* data() const { return chars_; }
  static constexpr std::size_t size() { return N; }
  static constexpr int64_t length() { return static_cast<int64_t>(N); }

  std::string_view view() const { return {chars_, N}; }
  std::string_view trimmed() const { return fixed::Trimmed(view()); }
  std::string str() const { return std::string(trimmed()); }
  bool blank() const { return trimmed().empty(); }

  friend bool operator==(const FixedText& a, std::string_view b) {
    return fixed::EqualPadded(a.view(), b);
  }
  template <std::size_t M>
  friend bool operator==(const FixedText& a, const FixedText<M>& b) {
    return fixed::EqualPadded(a.view(), b.view());
  }

 private:
  char chars_[N];
};
