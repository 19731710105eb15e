// Writing and reading the value text of a case variable.
//
// std::to_chars and std::from_chars keep the texts independent of the locale
// that the host may have set in the process: the case server always gets a
// decimal point.
#include "exchange/value_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

constexpr int kSignificantDigits = 15;
constexpr std::size_t kFixedFieldWidth = 19;  // then 5 blanks, where the exponent would stand

// A field is built in a buffer of its own width: every number of one row of
// a curve passes through here, so nothing is allocated on the way.
using RealField = char[REAL_FIELD_WIDTH];

// Copies text right-aligned into field[0..width), blanks before it.
void RightAlign(std::string_view text, char* field, std::size_t width) {
  const std::size_t n = text.size() < width ? text.size() : width;
  std::memset(field, ' ', width - n);
  std::memcpy(field + (width - n), text.data(), n);
}

// A real rounded to 15 significant digits: the digits without their point
// and the decimal exponent after rounding (999999999999999.9 gives
// "100000000000000" and 15).
struct RoundedDigits {
  char digits[kSignificantDigits];
  int exponent = 0;
};

// The digits and exponent of a scientific text "d.ddde+XX" of 15 digits.
void TakeScientific(std::string_view s, RoundedDigits& out) {
  const std::size_t e = s.find('e');
  std::size_t n = 0;
  for (std::size_t i = 0; i < e && n < kSignificantDigits; ++i)
    if (s[i] != '.') out.digits[n++] = s[i];
  std::memset(out.digits + n, '0', kSignificantDigits - n);
  int exponent = 0;
  std::from_chars(s.data() + e + 2, s.data() + s.size(), exponent);
  out.exponent = s[e + 1] == '-' ? -exponent : exponent;
}

// Rounds a positive finite magnitude to 15 significant digits: the
// library's scientific text of 15 digits is the correctly rounded one.
void RoundTo15Digits(double magnitude, RoundedDigits& out) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                               kSignificantDigits - 1);
  TakeScientific(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)), out);
}

// Fixed-point from 0.1 (exponent -1) up to below 1.0E15 (exponent 14), in
// the first 19 characters: the 15 digits with the point after the first
// exponent + 1 of them ("0." before them for exponent -1); a fixed-point
// number always shows its point, also with no decimals left.
void FixedForm(bool negative, const RoundedDigits& r, char* field) {
  char text[kFixedFieldWidth + 1];
  std::size_t n = 0;
  if (negative) text[n++] = '-';
  if (r.exponent < 0) {
    text[n++] = '0';
    text[n++] = '.';
    std::memcpy(text + n, r.digits, kSignificantDigits);
    n += kSignificantDigits;
  } else {
    const auto whole = static_cast<std::size_t>(r.exponent) + 1;
    std::memcpy(text + n, r.digits, whole);
    n += whole;
    text[n++] = '.';
    std::memcpy(text + n, r.digits + whole, kSignificantDigits - whole);
    n += kSignificantDigits - whole;
  }
  RightAlign(std::string_view(text, n), field, kFixedFieldWidth);
  std::memset(field + kFixedFieldWidth, ' ', REAL_FIELD_WIDTH - kFixedFieldWidth);
}

// One digit, the point, 15 digits and a three-digit exponent.
void ExponentForm(double value, char* field) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                               kSignificantDigits);
  const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
  const std::size_t e = s.find('e');
  const std::string_view digits = s.substr(e + 2);
  char text[REAL_FIELD_WIDTH];
  std::size_t n = e;
  std::memcpy(text, s.data(), e);
  text[n++] = 'E';
  text[n++] = s[e + 1];
  // Three exponent digits: reals reach E+308 and, below the normal range, E-324.
  for (std::size_t pad = digits.size(); pad < 3; ++pad) text[n++] = '0';
  std::memcpy(text + n, digits.data(), digits.size());
  n += digits.size();
  RightAlign(std::string_view(text, n), field, REAL_FIELD_WIDTH);
}

void FormatRealField(double value, char* field) {
  if (std::isnan(value)) return RightAlign("NaN", field, REAL_FIELD_WIDTH);
  if (std::isinf(value))
    return RightAlign(value < 0 ? "-Infinity" : "Infinity", field, REAL_FIELD_WIDTH);
  // Also for -0.0, which is no negative number.
  if (value == 0) return RightAlign("0.000000000000000E+000", field, REAL_FIELD_WIDTH);
  RoundedDigits rounded;
  RoundTo15Digits(std::fabs(value), rounded);
  if (rounded.exponent >= -1 && rounded.exponent <= kSignificantDigits - 1)
    return FixedForm(value < 0, rounded, field);
  ExponentForm(value, field);
}

// A 64-bit integer has at most 20 characters, its sign included.
void FormatIntegerField(int64_t value, char* field) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  RightAlign(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)), field,
             INTEGER_FIELD_WIDTH);
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
  RealField field;
  FormatRealField(value, field);
  return std::string(field, REAL_FIELD_WIDTH);
}

std::string FormatIntegerValue(int64_t value) {
  char field[INTEGER_FIELD_WIDTH];
  FormatIntegerField(value, field);
  return std::string(field, INTEGER_FIELD_WIDTH);
}

void WriteRealValue(ValueText& text, double value) {
  RealField field;
  FormatRealField(value, field);
  text.assign(std::string_view(field, REAL_FIELD_WIDTH));
}

void WriteIntegerValue(ValueText& text, int64_t value) {
  char field[INTEGER_FIELD_WIDTH];
  FormatIntegerField(value, field);
  text.assign(std::string_view(field, INTEGER_FIELD_WIDTH));
}

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
