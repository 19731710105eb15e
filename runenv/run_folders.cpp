// The computational side's record of the run's folders and names.
#include "runenv/run_folders_face.h"

#include <cstring>
#include <string_view>

#include "include/fixed_text.h"
#include "include/loader.h"

RunFolders RUN_FOLDERS;

namespace {

// A text given with its length; a null text or a negative length reads as empty.
std::string_view Given(const char* text, int64_t length) {
  if (!text || length <= 0) return {};
  return {text, static_cast<std::size_t>(length)};
}

template <std::size_t N>
void Assign(FixedText<N>& member, const char* text, int64_t length) {
  member.assign(Given(text, length));
}

}  // namespace

void STORE_RUN_FOLDERS(const char* program_folder, int64_t program_folder_len,
                       const char* temp_folder, int64_t temp_folder_len, const char* case_folder,
                       int64_t case_folder_len, const char* run_digit, int64_t run_digit_len,
                       const char* case_base_name, int64_t case_base_name_len,
                       const char* run_switch, int64_t run_switch_len, const char* run_name,
                       int64_t run_name_len) {
  RunFolders& r = RUN_FOLDERS;
  Assign(r.PROGDIR, program_folder, program_folder_len);
  Assign(r.TEMPDIR, temp_folder, temp_folder_len);
  Assign(r.CASEDIR, case_folder, case_folder_len);
  Assign(r.RUNDIGIT, run_digit, run_digit_len);
  Assign(r.CASENAME, case_base_name, case_base_name_len);
  Assign(r.RUNSWITCH, run_switch, run_switch_len);
  Assign(r.RUNNAME, run_name, run_name_len);

  // The loader writes the folder straight into the member and answers its
  // length; everything after it (its terminator included) becomes blanks. An
  // answer outside 0 to 256 is held to that range.
  constexpr int64_t kSize = r.PRIVDIR.length();
  int64_t length = LoaderGetPrivateFolder(r.PRIVDIR.data(), kSize);
  if (length < 0) length = 0;
  if (length > kSize) length = kSize;
  std::memset(r.PRIVDIR.data() + length, ' ', static_cast<std::size_t>(kSize - length));
}
