// Small edits of form texts: letters upper-cased, NULs and blanks.
#include <cstring>

#include "report/screen/form_fields_face.h"

void UpperCaseLetter(char* c) {
  if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
}

int32_t NulsToBlanks(char* buffer, int32_t length) {
  for (int32_t i = 0; i < length; ++i)
    if (buffer[i] == '\0') buffer[i] = ' ';
  return length;
}

void TrimBlanks(char* text) {
  std::size_t end = std::strlen(text);
  while (end > 0 && text[end - 1] == ' ') --end;
  std::size_t start = 0;
  while (start < end && text[start] == ' ') ++start;
  std::memmove(text, text + start, end - start);
  text[end - start] = '\0';
}

int32_t RemoveBlanks(char* text) {
  std::size_t kept = 0;
  for (std::size_t i = 0; text[i] != '\0'; ++i)
    if (text[i] != ' ') text[kept++] = text[i];
  text[kept] = '\0';
  return static_cast<int32_t>(kept);
}
