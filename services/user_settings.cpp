// The registry tests: whether the host product is installed, and the product
// line's user settings. Every level is opened for reading only, so a user who
// may not write below HKEY_LOCAL_MACHINE still finds an installed host.
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "include/holders.h"
#include "services/system_utilities_face.h"

namespace {

// Opens the levels one below the other and hands the deepest key to use; each
// key is closed once the deeper ones are, the deepest first. False when a
// level does not open.
template <class Use>
bool WithKeyChain(HKEY parent, const char* const* level, const char* const* end, Use use) {
  if (level == end) return use(parent);
  UniqueRegKey key;
  if (RegOpenKeyExA(parent, *level, 0, KEY_READ, key.out()) != ERROR_SUCCESS) return false;
  return WithKeyChain(key.get(), level + 1, end, use);
}

}  // namespace

void IsHostInstalled(int32_t* result) {
  static constexpr const char* kLevels[] = {"SOFTWARE", "Tavikon", "Quorvel"};
  const bool open = WithKeyChain(HKEY_LOCAL_MACHINE, std::begin(kLevels), std::end(kLevels),
                                 [](HKEY) { return true; });
  if (result) *result = open ? 0 : 1;
}

int32_t ReadUserSetting(const char* subkey, const char* value_name, char* buffer,
                        std::size_t capacity) {
  if (!buffer || capacity == 0) return 0;
  buffer[0] = '\0';
  const char* const levels[] = {"SOFTWARE", "VA and VBA Program Settings", "Tavikon/K-VEM 6.0",
                                subkey ? subkey : ""};
  DWORD size = static_cast<DWORD>(std::min<std::size_t>(capacity, MAXDWORD));
  const bool queried =
      WithKeyChain(HKEY_CURRENT_USER, std::begin(levels), std::end(levels), [&](HKEY key) {
        return RegQueryValueExA(key, value_name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                                &size) == ERROR_SUCCESS;
      });
  // A stored text may lack its terminator; it is read only when one still fits.
  const bool read = queried && (size < capacity || (size > 0 && buffer[size - 1] == '\0'));
  if (!read)
    buffer[0] = '\0';
  else if (size < capacity)
    buffer[size] = '\0';
  return read ? 1 : 0;
}
