// The value text: every number that goes to or comes from a case variable
// passes through a blank-padded text of VALUE_TEXT_LENGTH characters, written
// and read in list-directed form.
//
// Pure C++: no platform calls, independent of the process's locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "include/fixed_text.h"

inline constexpr std::size_t VALUE_TEXT_LENGTH = 56;
using ValueText = FixedText<VALUE_TEXT_LENGTH>;

// Field widths of the written forms.
inline constexpr std::size_t REAL_FIELD_WIDTH = 24;
inline constexpr std::size_t INTEGER_FIELD_WIDTH = 22;

// A 64-bit real in its 24-character field. With 15 significant digits its
// magnitude is either from 0.1 up to 1.0E15, written fixed-point in the first
// 19 characters and followed by 5 blanks ("   1.00000000000000     "), or
// outside that range or 0, written with one digit, the point, 15 digits and a
// three-digit exponent ("  1.000000000000000E+035"). A value that is not a
// number is written "NaN", an infinite one "Infinity" or "-Infinity",
// right-aligned, so that no reader can take it for a number.
std::string FormatRealValue(double value);

// A 64-bit integer right-aligned in its 22-character field.
std::string FormatIntegerValue(int64_t value);

// Overwrite the whole text with the written number, padded with blanks.
void WriteRealValue(ValueText& text, double value);
void WriteIntegerValue(ValueText& text, int64_t value);

// Read the first number of a text, after its leading blanks: a real in any
// decimal form ("2", "-.5", "1.5E3", "1.5D+003", "1.5+3"), an integer as a
// whole number. The number must end at a blank, a comma, a slash or the end of
// the text. Answers true and stores the number when there is one; answers
// false and leaves value alone when the text is blank, does not begin with a
// number, or holds one outside the type's range (for a real: not finite).
bool ReadRealValue(std::string_view text, double& value);
bool ReadIntegerValue(std::string_view text, int64_t& value);
