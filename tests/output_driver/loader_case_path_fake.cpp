// Binds the loader's import slot for LoaderSetCasePath to a recorder, so the
// test needs no Pravel.dll for it.
#include "tests/output_driver/loader_case_path_fake.h"

#include "include/loader.h"
#include "tests/common/driver_doubles.h"

std::vector<CasePathCall> CASE_PATH_CALLS;

namespace {

void FakeSetCasePath(const char* path, int64_t path_len, const int64_t* length) {
  CASE_PATH_CALLS.push_back(
      {std::string(path, static_cast<std::size_t>(path_len)), path_len, *length});
  driver_test::DOUBLES.log.push_back("LoaderSetCasePath");
}

}  // namespace

extern "C" {
decltype(&LoaderSetCasePath) __imp_LoaderSetCasePath = FakeSetCasePath;
}
