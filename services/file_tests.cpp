// File tests of the language unit, also used by the print and picture units.
#include <io.h>

#include <cstring>

#include "services/language_setting_face.h"

int32_t CheckFileExists(const char* path) { return path && _access(path, 0) == 0 ? 1 : 0; }

int32_t HasDqiExtension(const char* name) {
  const char* dot = name ? std::strchr(name, '.') : nullptr;
  return dot && _strnicmp(dot + 1, "DQI", 3) == 0 ? 1 : 0;
}
