// Writing and reading the value text of a case variable.
//
// std::to_chars and std::from_chars keep the texts independent of the locale
// that the host may have set in the process: the case server always gets a
// decimal point.
#include "value_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

constexpr int kSignificantDigits = 15;
constexpr std::size_t kFixedFieldWidth = 19;  // then 5 blanks, where the exponent would stand

std::string RightAligned(std::string_view text, std::size_t width) {
  std::string field(width > text.size() ? width - text.size() : 0, ' ');
  field += text;
  return field;
}

// The decimal exponent of a positive finite magnitude once it is rounded to
// 15 significant digits: 999999999999999.9 rounds to 1.0E15 and answers 15.
int RoundedExponent(double magnitude) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                               kSignificantDigits - 1);
  const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
  const std::size_t e = s.find('e');
  std::string_view digits = s.substr(e + 2);
  int exponent = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
  return s[e + 1] == '-' ? -exponent : exponent;
}

std::string FixedForm(double value, int exponent) {
  char buf[64];
  const int decimals = kSignificantDigits - 1 - exponent;
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  std::string s(buf, r.ptr);
  // A fixed-point number always shows its point, also with no decimals left.
  if (decimals == 0) s += '.';
  return RightAligned(s, kFixedFieldWidth) + std::string(REAL_FIELD_WIDTH - kFixedFieldWidth, ' ');
}

std::string ExponentForm(double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                               kSignificantDigits);
  const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
  const std::size_t e = s.find('e');
  const std::string_view digits = s.substr(e + 2);
  std::string text(s.substr(0, e));
  text += 'E';
  text += s[e + 1];
  // Three exponent digits: reals reach E+308 and, below the normal range, E-324.
  text.append(digits.size() < 3 ? 3 - digits.size() : 0, '0');
  text += digits;
  return RightAligned(text, REAL_FIELD_WIDTH);
}

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// What may follow a number in a list-directed text.
bool EndsValue(std::string_view text, std::size_t at) {
  return at == text.size() || IsBlankChar(text[at]) || text[at] == ',' || text[at] == '/' ||
         text[at] == '\0';
}

std::size_t SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlankChar(text[i])) ++i;
  return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

}  // namespace

std::string FormatRealValue(double value) {
  if (std::isnan(value)) return RightAligned("NaN", REAL_FIELD_WIDTH);
  if (std::isinf(value))
    return RightAligned(value < 0 ? "-Infinity" : "Infinity", REAL_FIELD_WIDTH);
  if (value == 0) return ExponentForm(0.0);  // also for -0.0, which is no negative number
  const int exponent = RoundedExponent(std::fabs(value));
  // From 0.1 (exponent -1) up to below 1.0E15 (exponent 14).
  if (exponent >= -1 && exponent <= kSignificantDigits - 1) return FixedForm(value, exponent);
  return ExponentForm(value);
}

std::string FormatIntegerValue(int64_t value) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return RightAligned(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)),
                      INTEGER_FIELD_WIDTH);
}

void WriteRealValue(ValueText& text, double value) { text = FormatRealValue(value); }

void WriteIntegerValue(ValueText& text, int64_t value) { text = FormatIntegerValue(value); }

bool ReadRealValue(std::string_view text, double& value) {
  std::size_t i = SkipBlanks(text);
  // The number is rebuilt in the one form from_chars takes: no plus sign,
  // the exponent after an 'e'.
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  const std::size_t whole_begin = i;
  i = SkipDigits(text, i);
  std::size_t digits = i - whole_begin;
  number += text.substr(whole_begin, i - whole_begin);
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction_begin = ++i;
    i = SkipDigits(text, i);
    digits += i - fraction_begin;
    number += '.';
    number += text.substr(fraction_begin, i - fraction_begin);
  }
  if (digits == 0) return false;
  if (i < text.size()) {
    const char c = text[i];
    const bool letter = c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q';
    // Fortran also writes a signed exponent without its letter: 1.5+003.
    if (letter || c == '+' || c == '-') {
      std::size_t j = letter ? i + 1 : i;
      number += 'e';
      if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
        if (text[j] == '-') number += '-';
        ++j;
      } else if (!letter) {
        return false;
      }
      const std::size_t exponent_begin = j;
      j = SkipDigits(text, j);
      if (j == exponent_begin) return false;
      number += text.substr(exponent_begin, j - exponent_begin);
      i = j;
    }
  }
  if (!EndsValue(text, i)) return false;
  double read = 0;
  const auto r = std::from_chars(number.data(), number.data() + number.size(), read,
                                 std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != number.data() + number.size() || !std::isfinite(read))
    return false;
  value = read;
  return true;
}

bool ReadIntegerValue(std::string_view text, int64_t& value) {
  std::size_t i = SkipBlanks(text);
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t digits_begin = i;
  i = SkipDigits(text, i);
  if (i == digits_begin || !EndsValue(text, i)) return false;
  std::string number = negative ? "-" : "";
  number += text.substr(digits_begin, i - digits_begin);
  int64_t read = 0;
  const auto r = std::from_chars(number.data(), number.data() + number.size(), read);
  if (r.ec != std::errc() || r.ptr != number.data() + number.size()) return false;
  value = read;
  return true;
}
