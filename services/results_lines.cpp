// The results-line writer. Each writer first formats all of its lines into one
// text and then appends that text to VALUE_FILE, so a value that is refused
// (a name or text too long for the file's readers) leaves no partial array
// behind in the file.
#include "services/results_lines.h"

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "runenv/run_services_face.h"

namespace {

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string line(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(line.data(), line.size() + 1, format, again);
  va_end(again);
  return line;
}

// The first len characters of a host text, ending earlier at a NUL; none when
// the text is longer than limit.
std::optional<std::string> TakeText(const char* text, int32_t len, int32_t limit) {
  if (text == nullptr || len <= 0) return std::string();
  const char* end = static_cast<const char*>(std::memchr(text, '\0', len));
  const std::size_t n = end ? static_cast<std::size_t>(end - text) : static_cast<std::size_t>(len);
  if (n > static_cast<std::size_t>(limit)) return std::nullopt;
  return std::string(text, n);
}

// A text value or element as the file holds it: quotes replaced by "in", then
// from the OEM code page of the computational side to the ANSI code page.
std::optional<std::string> ConvertText(const char* text, int32_t len, int32_t limit) {
  std::optional<std::string> taken = TakeText(text, len, limit);
  if (!taken) return std::nullopt;
  std::string buffer = std::move(*taken);
  buffer.resize(static_cast<std::size_t>(limit) + 1, '\0');
  if (!ReplaceQuotesWithIn(buffer.data(), buffer.size())) return std::nullopt;
  OemToCharA(buffer.data(), buffer.data());
  buffer.resize(std::strlen(buffer.c_str()));
  return buffer;
}

void Append(const std::string& lines) {
  if (VALUE_FILE && !lines.empty()) std::fwrite(lines.data(), 1, lines.size(), VALUE_FILE);
}

int32_t CountOf(const int32_t* count) { return count && *count > 0 ? *count : 0; }

std::string ArrayHeader(const std::string& name, int32_t n) {
  return Format("%s,0,%ld\n", name.c_str(), static_cast<long>(n));
}

std::string RealElement(float value) { return Format("%f, \n", static_cast<double>(value)); }
std::string FlaggedRealElement(float value, char flag) {
  return Format("%f,%c\n", static_cast<double>(value), flag);
}
// 64-bit elements are written whole, whatever their range.
std::string IntegerElement(int64_t value) {
  return Format("%lld, \n", static_cast<long long>(value));
}
constexpr const char* kZeroElement = " , \n";

template <class T>
int32_t LastNonZero(const T* values, int32_t count) {
  int32_t last = 0;
  for (int32_t i = 0; i < count; ++i)
    if (values[i] != 0) last = i + 1;
  return last;
}

// Header and elements up to the last non-zero one, a zero written as the zero element.
template <class T, class ElementLine>
void WriteUpToLastNonZero(const char* name, int32_t name_len, const T* values, const int32_t* count,
                          ElementLine element_line) {
  if (!VALUE_FILE || !values) return;
  const std::optional<std::string> taken = TakeText(name, name_len, RESULT_NAME_LIMIT);
  const int32_t n = LastNonZero(values, CountOf(count));
  if (!taken || n == 0) return;
  std::string lines = ArrayHeader(*taken, n);
  for (int32_t i = 0; i < n; ++i) lines += values[i] == 0 ? kZeroElement : element_line(i);
  Append(lines);
}

// Header with the count, then every element.
template <class ElementLine>
void WriteWhole(const char* name, int32_t name_len, const void* values, const int32_t* count,
                ElementLine element_line) {
  if (!VALUE_FILE || !values) return;
  const std::optional<std::string> taken = TakeText(name, name_len, RESULT_NAME_LIMIT);
  const int32_t n = CountOf(count);
  if (!taken || n == 0) return;
  std::string lines = ArrayHeader(*taken, n);
  for (int32_t i = 0; i < n; ++i) lines += element_line(i);
  Append(lines);
}

void WriteRealLine(const char* name, int32_t name_len, float value) {
  if (!VALUE_FILE) return;
  if (const auto taken = TakeText(name, name_len, RESULT_NAME_LIMIT))
    Append(Format("%s,%lf,0\n", taken->c_str(), static_cast<double>(value)));
}

void WriteIntegerLine(const char* name, int32_t name_len, int32_t value) {
  if (!VALUE_FILE) return;
  if (const auto taken = TakeText(name, name_len, RESULT_NAME_LIMIT))
    Append(Format("%s,%ld,0\n", taken->c_str(), static_cast<long>(value)));
}

const char* MessageKindWord(int32_t kind) {
  switch (kind) {
    case MESSAGE_WARNING:
      return "Warning";
    case MESSAGE_LIMIT:
      return "Limit";
    case MESSAGE_ERROR:
      return "Error";
    case MESSAGE_SUGGESTION:
      return "Suggestion";
    case MESSAGE_NOTE:
      return "Note";
    default:
      return nullptr;
  }
}

std::optional<std::string> MessageLine(const int32_t* number, const int32_t* kind,
                                       const float* real1, const int32_t* integer1,
                                       const float* real2, const int32_t* integer2,
                                       const int32_t* integer3) {
  if (!number || !kind || !real1 || !integer1 || !real2 || !integer2 || !integer3)
    return std::nullopt;
  const char* word = MessageKindWord(*kind);
  if (!word) return std::nullopt;
  return Format("Message,%s;%4d;%2d;%f;%2d;%f;%2d,0\n", word, *number, *integer3,
                static_cast<double>(*real1), *integer1, static_cast<double>(*real2), *integer2);
}

}  // namespace

void WriteRealIfNonZero(const char* name, int32_t name_len, const float* value) {
  if (value && *value != 0) WriteRealLine(name, name_len, *value);
}

void WriteReal(const char* name, int32_t name_len, const float* value) {
  if (value) WriteRealLine(name, name_len, *value);
}

void WriteIntegerIfNonZero(const char* name, int32_t name_len, const int32_t* value) {
  if (value && *value != 0) WriteIntegerLine(name, name_len, *value);
}

void WriteInteger(const char* name, int32_t name_len, const int32_t* value) {
  if (value) WriteIntegerLine(name, name_len, *value);
}

void WriteTextValue(const char* name, int32_t name_len, const char* text, int32_t text_len) {
  if (!VALUE_FILE || !text || text_len <= 0 || text[0] == ' ') return;
  const auto taken = TakeText(name, name_len, TEXT_VALUE_NAME_LIMIT);
  const auto converted = ConvertText(text, text_len, TEXT_VALUE_LIMIT);
  if (taken && converted) Append(Format("%s,\"%s\",0\n", taken->c_str(), converted->c_str()));
}

void WriteRealArray(const char* name, int32_t name_len, const float* values, const int32_t* count) {
  WriteUpToLastNonZero(name, name_len, values, count,
                       [&](int32_t i) { return RealElement(values[i]); });
}

void WriteFlaggedRealArray(const char* name, int32_t name_len, const float* values,
                           const char* flags, int32_t /*flags_len*/, const int32_t* count) {
  if (!flags) return;
  WriteUpToLastNonZero(name, name_len, values, count,
                       [&](int32_t i) { return FlaggedRealElement(values[i], flags[i]); });
}

void WriteIntegerArray(const char* name, int32_t name_len, const int64_t* values,
                       const int32_t* count) {
  WriteUpToLastNonZero(name, name_len, values, count,
                       [&](int32_t i) { return IntegerElement(values[i]); });
}

void WriteWholeRealArray(const char* name, int32_t name_len, const float* values,
                         const int32_t* count) {
  WriteWhole(name, name_len, values, count, [&](int32_t i) { return RealElement(values[i]); });
}

void WriteWholeFlaggedRealArray(const char* name, int32_t name_len, const float* values,
                                const char* flags, int32_t /*flags_len*/, const int32_t* count) {
  if (!flags) return;
  WriteWhole(name, name_len, values, count,
             [&](int32_t i) { return FlaggedRealElement(values[i], flags[i]); });
}

void WriteWholeIntegerArray(const char* name, int32_t name_len, const int32_t* values,
                            const int32_t* count) {
  WriteWhole(name, name_len, values, count, [&](int32_t i) { return IntegerElement(values[i]); });
}

void WriteTextArray(const char* name, int32_t name_len, const char* texts, int32_t element_len,
                    const int32_t* count) {
  if (!VALUE_FILE || !texts || element_len <= 0) return;
  const int32_t total = CountOf(count);
  const auto element = [&](int32_t i) { return texts + static_cast<std::size_t>(i) * element_len; };
  int32_t n = 0;
  for (int32_t i = 0; i < total; ++i)
    if (element(i)[0] != ' ' && element(i)[0] != '\0') n = i + 1;
  const auto taken = TakeText(name, name_len, RESULT_NAME_LIMIT);
  if (!taken || n == 0) return;
  std::string lines = ArrayHeader(*taken, n);
  for (int32_t i = 0; i < n; ++i) {
    const auto converted = ConvertText(element(i), element_len, TEXT_ELEMENT_LIMIT);
    if (!converted) return;
    lines += Format("\"%s\", \n", converted->c_str());
  }
  Append(lines);
}

void WriteRawText(const char* text, int32_t length) {
  if (!VALUE_FILE) return;
  if (const auto taken = TakeText(text, length, length)) Append(*taken);
}

void WriteMessageLine(const int32_t* number, const int32_t* kind, const float* real1,
                      const int32_t* integer1, const float* real2, const int32_t* integer2,
                      const int32_t* integer3) {
  if (!VALUE_FILE) return;
  if (const auto line = MessageLine(number, kind, real1, integer1, real2, integer2, integer3))
    Append(*line);
}

int32_t FormatMessageLine(char* destination, int32_t destination_len, const int32_t* number,
                          const int32_t* kind, const float* real1, const int32_t* integer1,
                          const float* real2, const int32_t* integer2, const int32_t* integer3) {
  const auto line = MessageLine(number, kind, real1, integer1, real2, integer2, integer3);
  if (!destination || !line ||
      line->size() >= static_cast<std::size_t>(std::max(destination_len, 0)))
    return 0;
  std::memcpy(destination, line->c_str(), line->size() + 1);
  return 1;
}

int32_t ReplaceQuotesWithIn(char* text, std::size_t capacity) {
  if (!text) return 0;
  const std::size_t length = std::strlen(text);
  std::size_t quotes = 0;
  for (std::size_t i = 0; i < length; ++i) quotes += text[i] == '"';
  if (length + quotes + 1 > capacity) return 0;
  // From the end, so that every character moves only once and before it is overwritten.
  std::size_t to = length + quotes;
  text[to] = '\0';
  for (std::size_t from = length; from-- > 0;) {
    if (text[from] == '"') {
      text[--to] = 'n';
      text[--to] = 'i';
    } else {
      text[--to] = text[from];
    }
  }
  return 1;
}

int32_t CopyToDoubleBlank(char* destination, int32_t destination_len, const char* source,
                          int32_t source_len, const int32_t* count) {
  if (!destination || !source || !count) return -1;
  const std::string_view text = [&] {
    const int32_t len = std::max(source_len, 0);
    const char* end = static_cast<const char*>(std::memchr(source, '\0', len));
    return std::string_view(source, end ? static_cast<std::size_t>(end - source) : len);
  }();
  const std::size_t blanks = text.find("  ");
  const std::size_t n = blanks != std::string_view::npos
                            ? blanks
                            : std::min<std::size_t>(text.size(), std::max(*count, 0));
  if (n > static_cast<std::size_t>(std::max(destination_len, 0))) return -1;
  std::memcpy(destination, text.data(), n);
  return static_cast<int32_t>(n);
}
