// The run's folders and names: the support library's NUL-terminated copies
// (FOLDER_BUFFERS) and the computational side's blank-padded record (RUN_FOLDERS).
#pragma once

#include <cstdint>

#include "fixed_text.h"

struct FolderBuffers {
  char temp_folder[256];
  char case_folder[256];
  char program_folder[256];
  char run_name[16];
  char case_base_name[256];
};
extern FolderBuffers FOLDER_BUFFERS;

struct RunFolders {
  FixedText<256> PROGDIR;
  FixedText<256> TEMPDIR;
  FixedText<256> CASEDIR;
  FixedText<256> PRIVDIR;
  FixedText<6> RUNNAME;
  FixedText<2> RUNDIGIT;
  FixedText<256> CASENAME;
  FixedText<256> RUNSWITCH;
};
extern RunFolders RUN_FOLDERS;

void SetRunFolders(const char* program_folder, const char* case_path, const char* run_digit,
                   const char* run_switch, const char* run_name);
void STORE_RUN_FOLDERS(const char* program_folder, int64_t program_folder_len,
                       const char* temp_folder, int64_t temp_folder_len, const char* case_folder,
                       int64_t case_folder_len, const char* run_digit, int64_t run_digit_len,
                       const char* case_base_name, int64_t case_base_name_len,
                       const char* run_switch, int64_t run_switch_len, const char* run_name,
                       int64_t run_name_len);

const char* GetProgramFolder();
const char* GetTempFolder();
const char* GetCaseFolder();
const char* GetCaseBaseName();
const char* GetRunName();
