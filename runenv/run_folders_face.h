// The run's folders and names: the support library's NUL-terminated copies
// (FOLDER_BUFFERS) and the computational side's blank-padded record (RUN_FOLDERS).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "include/fixed_text.h"

// A folder or path buffer: 255 characters and the terminator.
inline constexpr std::size_t FOLDER_BUFFER_SIZE = 256;
// The run name buffer: 15 characters and the terminator.
inline constexpr std::size_t RUN_NAME_BUFFER_SIZE = 16;
// The longest system temporary path that still leaves room for "KVEMTEMP\" and
// the terminator in a folder buffer.
inline constexpr std::size_t MAX_SYSTEM_TEMP_PATH = 246;

// NUL-terminated texts. All bytes are zero at load, so every member reads as
// the empty text until the first SetRunFolders.
struct FolderBuffers {
  char temp_folder[FOLDER_BUFFER_SIZE];
  char case_folder[FOLDER_BUFFER_SIZE];
  char program_folder[FOLDER_BUFFER_SIZE];
  char run_name[RUN_NAME_BUFFER_SIZE];
  char case_base_name[FOLDER_BUFFER_SIZE];
};
extern FolderBuffers FOLDER_BUFFERS;

// Blank-padded texts without terminators, as the computational side keeps
// them. The record holds zero bytes from load until the first STORE_RUN_FOLDERS.
struct RunFolders {
  FixedText<256> PROGDIR{FixedText<256>::ZeroBytes{}};
  FixedText<256> TEMPDIR{FixedText<256>::ZeroBytes{}};
  FixedText<256> CASEDIR{FixedText<256>::ZeroBytes{}};
  FixedText<256> PRIVDIR{FixedText<256>::ZeroBytes{}};
  FixedText<6> RUNNAME{FixedText<6>::ZeroBytes{}};
  FixedText<2> RUNDIGIT{FixedText<2>::ZeroBytes{}};
  FixedText<256> CASENAME{FixedText<256>::ZeroBytes{}};
  FixedText<256> RUNSWITCH{FixedText<256>::ZeroBytes{}};
};
extern RunFolders RUN_FOLDERS;

// A member of RUN_FOLDERS as a text of its full length, blanks included.
template <std::size_t N>
constexpr std::string_view FieldText(const FixedText<N>& field) {
  return field.view();
}

// Derives the run's folders from the program folder, the case path, the run
// digit, the run switch and the run name (NUL-terminated, read only) and fills
// FOLDER_BUFFERS and RUN_FOLDERS. Texts longer than their buffers are cut: the
// case path and the program folder at 255 characters, the run name at 15.
void SetRunFolders(const char* program_folder, const char* case_path, const char* run_digit,
                   const char* run_switch, const char* run_name);

// Fills RUN_FOLDERS from seven texts, each followed by its length in
// characters, and adds the loader's private data folder.
void STORE_RUN_FOLDERS(const char* program_folder, int64_t program_folder_len,
                       const char* temp_folder, int64_t temp_folder_len, const char* case_folder,
                       int64_t case_folder_len, const char* run_digit, int64_t run_digit_len,
                       const char* case_base_name, int64_t case_base_name_len,
                       const char* run_switch, int64_t run_switch_len, const char* run_name,
                       int64_t run_name_len);

// The members of FOLDER_BUFFERS. The address never changes; the text behind it
// is replaced by the next SetRunFolders.
const char* GetProgramFolder();
const char* GetTempFolder();
const char* GetCaseFolder();
const char* GetCaseBaseName();
const char* GetRunName();
