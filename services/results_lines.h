// The results-line writer: named values, arrays, texts and program messages
// appended to the results-line file (VALUE_FILE), one comma-separated line per
// value, each line beginning with the value's name.
//
// Callers are of the computational style: numbers by address, each text
// followed directly by its length (32-bit, by value); texts need not carry a
// terminator and end early at a NUL. Every writer does nothing while no file
// is open. A name, text or line that does not fit its working buffer is
// refused whole: nothing of it is written.
#pragma once

#include <cstddef>
#include <cstdint>

// Longest name of a value line and of an array header, and the shorter limit
// of a text value's name; texts are counted after the quote replacement.
inline constexpr int32_t RESULT_NAME_LIMIT = 255;
inline constexpr int32_t TEXT_VALUE_NAME_LIMIT = 127;
inline constexpr int32_t TEXT_VALUE_LIMIT = 127;
inline constexpr int32_t TEXT_ELEMENT_LIMIT = 255;

// Program message kinds, 1 to 5.
inline constexpr int32_t MESSAGE_WARNING = 1;
inline constexpr int32_t MESSAGE_LIMIT = 2;
inline constexpr int32_t MESSAGE_ERROR = 3;
inline constexpr int32_t MESSAGE_SUGGESTION = 4;
inline constexpr int32_t MESSAGE_NOTE = 5;

void WriteRealIfNonZero(const char* name, int32_t name_len, const float* value);
void WriteReal(const char* name, int32_t name_len, const float* value);
void WriteIntegerIfNonZero(const char* name, int32_t name_len, const int32_t* value);
void WriteInteger(const char* name, int32_t name_len, const int32_t* value);
// Nothing when the text is empty or begins with a blank.
void WriteTextValue(const char* name, int32_t name_len, const char* text, int32_t text_len);

// Up to the last non-zero element; nothing when every element is zero.
void WriteRealArray(const char* name, int32_t name_len, const float* values, const int32_t* count);
// One flag character per element.
void WriteFlaggedRealArray(const char* name, int32_t name_len, const float* values,
                           const char* flags, int32_t flags_len, const int32_t* count);
void WriteIntegerArray(const char* name, int32_t name_len, const int64_t* values,
                       const int32_t* count);

// Every element, zeros included; nothing when the count is 0.
void WriteWholeRealArray(const char* name, int32_t name_len, const float* values,
                         const int32_t* count);
void WriteWholeFlaggedRealArray(const char* name, int32_t name_len, const float* values,
                                const char* flags, int32_t flags_len, const int32_t* count);
void WriteWholeIntegerArray(const char* name, int32_t name_len, const int32_t* values,
                            const int32_t* count);

// Up to the last element whose first character is neither a blank nor a NUL.
void WriteTextArray(const char* name, int32_t name_len, const char* texts, int32_t element_len,
                    const int32_t* count);

// The text as it is, up to its NUL and at most length characters, no line end added.
void WriteRawText(const char* text, int32_t length);

// "Message,<kind>;number;integer3;real1;integer1;real2;integer2,0"; a kind
// outside 1 to 5 writes nothing.
void WriteMessageLine(const int32_t* number, const int32_t* kind, const float* real1,
                      const int32_t* integer1, const float* real2, const int32_t* integer2,
                      const int32_t* integer3);
// The same line, line feed included, as a NUL-terminated text in destination.
// Returns 1 when written; 0, destination unchanged, for a kind outside 1 to 5
// or a line that does not fit in destination_len bytes.
int32_t FormatMessageLine(char* destination, int32_t destination_len, const int32_t* number,
                          const int32_t* kind, const float* real1, const int32_t* integer1,
                          const float* real2, const int32_t* integer2, const int32_t* integer3);

// Replaces every double quote of the NUL-terminated text by the letters "in",
// in place. Returns 1 when done; 0, text unchanged, when the grown text and its
// terminator would not fit in capacity bytes.
int32_t ReplaceQuotesWithIn(char* text, std::size_t capacity);

// Copies the source's characters before its first two consecutive blanks, or
// count characters when it has none, into destination; no terminator. The
// source ends at its NUL or after source_len characters. Returns the number of
// characters copied, or -1, destination unchanged, when they would not fit in
// destination_len.
int32_t CopyToDoubleBlank(char* destination, int32_t destination_len, const char* source,
                          int32_t source_len, const int32_t* count);
