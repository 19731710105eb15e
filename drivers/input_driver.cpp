// HANDLE_INPUT: the block is prepared before the host writes its data. The
// repository learns the record layouts, the unit input object is created
// afresh, the case path is tested and the connections are opened.
#include <windows.h>

#include <cstring>
#include <string>

#include "drivers/case_backup.h"
#include "drivers/connection_table_face.h"
#include "drivers/drivers_face.h"
#include "include/holders.h"
#include "include/repository.h"
#include "runenv/data_files_face.h"

namespace {

// The definition files, in the order the repository reads them.
constexpr const char* kDefinitionFiles[] = {"B_PRVT", "B_DOVI", "B_MSG"};
constexpr char kDefinitionExtension[] = "RPD";
constexpr int64_t kRepositoryTextLength = 257;
constexpr int64_t kReadFailed = 1;

constexpr int64_t kCaseFileExists = 0;
constexpr int64_t kCaseFileCreatable = 1;
constexpr int64_t kDefinitionFailed = 5;
constexpr int64_t kCaseFileNotCreatable = 8;

int64_t INPUT_ERROR_WORD = 0;

// Each definition file is read with an empty folder; answers false at the
// first file the repository cannot load.
bool ReadDefinitionFiles() {
  char folder[kRepositoryTextLength];
  std::memset(folder, ' ', sizeof folder);
  folder[0] = '\0';
  folder[kRepositoryTextLength - 1] = '\0';
  for (const char* name : kDefinitionFiles) {
    char file[kRepositoryTextLength];
    const int64_t option = 0;
    FIND_DATA_FILE(file, DATA_FILE_PATH_LENGTH, name, static_cast<int64_t>(std::strlen(name)),
                   kDefinitionExtension, sizeof kDefinitionExtension - 1, &option);
    file[DATA_FILE_PATH_LENGTH] = '\0';
    // A word left at 1 by an earlier read must not fail this one.
    INPUT_ERROR_WORD = 0;
    RPREAD(folder, kRepositoryTextLength, file, kRepositoryTextLength, &INPUT_ERROR_WORD);
    if (INPUT_ERROR_WORD == kReadFailed) return false;
  }
  return true;
}

// Whether the case file exists, or else whether it could be created: a test
// file is created and goes again when its handle closes.
int64_t TestCasePath(const std::string& path) {
  if (CaseFileExists(path)) return kCaseFileExists;
  if (path.empty()) return kCaseFileNotCreatable;
  UniqueHandle test(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return test.valid() ? kCaseFileCreatable : kCaseFileNotCreatable;
}

}  // namespace

void HANDLE_INPUT(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* /*option_count*/,
                  int64_t* /*host_options*/, int64_t* /*real_count*/, double* /*host_reals*/,
                  void* /*further*/, char* case_path, int64_t case_path_len, char* connection_key,
                  int64_t key_len, int64_t* host_status) {
  *host_status = 0;
  int64_t status = kCaseFileExists;
  if (*ids_count < HOST_UNIT_INPUT_ID) {
    // The unit input object is id 20: an ids array without it cannot name
    // it, and the block is not prepared. The connections are still opened,
    // since they (and OLE with the first of them) serve every later call.
    status = HOST_STATUS_REFUSED;
  } else if (ReadDefinitionFiles()) {
    const int64_t len = ids_len > 0 ? ids_len : 0;
    CREATE_UNIT_OBJECT(host_ids + (HOST_UNIT_INPUT_ID - 1) * len, len, &INPUT_ERROR_WORD);
    status = TestCasePath(CaseFilePath(case_path, case_path_len));
  } else {
    status = kDefinitionFailed;
  }
  // The connections are opened whatever the status.
  OPEN_CONNECTIONS(connection_key, key_len);
  if (status >= 1) *host_status = status;
}
