// Jackets over the system services: a command line, a text for the loader, nothing.
#include <cstring>
#include <memory>
#include <new>

#include "report/screen/screen_face.h"
#include "services/service_jackets.h"
#include "services/system_utilities_face.h"

void DO_NOTHING() {}

void RUN_COMMAND_LINE(const char* command, int64_t command_len) {
  const uint64_t length = command && command_len > 0 ? static_cast<uint64_t>(command_len) : 0;
  if (length >= SIZE_MAX) return;
  const std::unique_ptr<char[]> text(new (std::nothrow) char[length + 1]);
  if (!text) return;
  std::memcpy(text.get(), command ? command : "", length);
  text[length] = '\0';
  RunCommand(text.get());
}

void SEND_LOADER_TEXT(const char* text, int64_t text_len) {
  CopyJacketText(NAME_BUFFERS.loader_text, LOADER_TEXT_MAX, text, text_len, true);
  PassTextToLoader(NAME_BUFFERS.loader_text);
}
