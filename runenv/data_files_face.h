// The data-file finder: the full path of a run's data file from its base name
// and extension, the folder chosen by the extension from RUN_FOLDERS; and the
// folder queries of the computational side.
#pragma once

#include <cstdint>
#include <string>

#include "include/fixed_text.h"

// Longest path the finder answers; a longer one is no path at all.
inline constexpr int64_t DATA_FILE_PATH_LENGTH = 256;

// The base names whose ".PDA" file is first looked for in the private data
// folder, compared exactly.
inline constexpr const char* PRIVATE_DATA_FILES[] = {
    "D_FXPRIV", "D_IDPRIV", "D_VAPRIV", "G_COMPNA", "G_PROFIL", "N_MTLDEF", "N_MTLDIN",
    "N_MTLCDP", "N_MTLJIS", "N_MTLEN",  "N_PARTNO", "N_PRIVI",  "N_PRIVP",  "N_TavikI",
    "N_TavikP", "N_STDLAB", "N_STDMTL", "N_STDOPR", "N_STDWLD", "N_STDPRC", "N_HORSUP"};

// Writes the path into the caller's field of path_len characters, padded with
// blanks. A path longer than 256 characters or than the field is not cut into
// another file's path: the field is then all blanks. location_option 1 takes a
// ".PDA" file from the program's data folder, any other value from the case folder.
void FIND_DATA_FILE(char* path, int64_t path_len, const char* base_name, int64_t base_name_len,
                    const char* extension, int64_t extension_len, const int64_t* location_option);

// PROGDIR.
FixedText<256> COPY_PROGRAM_FOLDER();
// The loader's work folder when it reports one, else CASEDIR.
FixedText<256> GET_WORK_FOLDER();
// The work folder from the loader's answer: the first length characters of
// its 256-character buffer, or CASEDIR when length is 0 or less.
FixedText<256> WorkFolderFromAnswer(const char* buffer, int64_t length);
// CASEDIR followed by CASENAME: the case path without its extension.
FixedText<256> GET_CASE_BASE_PATH();

// Whether a file (not a folder) of that path exists.
bool DataFileExists(const std::string& path);
