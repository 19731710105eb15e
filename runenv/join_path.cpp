// Paths made of a folder that ends in its separator and a file name.
#include <cstring>

#include "runenv/run_services_face.h"

char* JoinPath(char* buffer, const char* folder, const char* name) {
  std::strcpy(buffer, folder);
  std::strcat(buffer, name);
  return buffer;
}

bool JoinPathWithin(char* buffer, std::size_t size, const char* folder, const char* name) {
  if (size == 0) return false;
  const std::size_t folder_len = std::strlen(folder);
  const std::size_t name_len = std::strlen(name);
  if (folder_len >= size || name_len >= size - folder_len) {
    buffer[0] = '\0';
    return false;
  }
  std::memcpy(buffer, folder, folder_len);
  std::memcpy(buffer + folder_len, name, name_len + 1);
  return true;
}
