// The built library as the host sees it: loaded by name, its six entry
// points found by their plain names, its loader calls resolved by ordinal.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "include/entry_points.h"
#include "standins/pravel/loader_probe.h"

namespace {

TEST(LibraryExports, HostLoadsTheLibraryAndFindsItsSixEntryPoints) {
  // The loader's operations are imported by ordinal: a missing ordinal fails the load.
  HMODULE library = LoadLibraryA("zovkvodi.dll");
  ASSERT_NE(library, nullptr) << GetLastError();
  for (const char* name : {"ZOVK_VODI_INPUT", "ZOVK_VODI_HCURVE", "ZOVK_VODI_EXECUTE",
                           "ZOVK_VODI_OUTPUT", "ZOVK_SETMULTICASEINFO", "ZOVK_VODI_EXIT"})
    EXPECT_NE(GetProcAddress(library, name), nullptr) << name;

  // The module entry ran at load: an entry point names the library itself to
  // the loader. Only the module is looked at; what the driver makes of this
  // empty request does not matter here.
  auto hcurve =
      reinterpret_cast<decltype(&ZOVK_VODI_HCURVE)>(GetProcAddress(library, "ZOVK_VODI_HCURVE"));
  ASSERT_NE(hcurve, nullptr);
  int64_t side = 1, ids_count = 4, request_count = 8, value_count = 8, count = 0, status = 0;
  char ids[4 * 128];
  std::memset(ids, ' ', sizeof ids);
  int64_t request[8] = {};
  double values[8] = {};
  char text[8] = {};
  PravelProbeReset();
  hcurve(&side, &ids_count, ids, &request_count, request, &value_count, values, &count, text,
         &status, 128, sizeof text);
  EXPECT_EQ(PravelProbeEnterModuleCount(), 1);
  EXPECT_EQ(PravelProbeLastModule(), library);
  FreeLibrary(library);
}

}  // namespace
