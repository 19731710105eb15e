// The library's six exported entry points, as the host calls them.
//
// Every argument by address; after them the lengths of the text arguments,
// 64-bit values, in the order in which the texts appear.
#pragma once

#include <cstdint>

#ifdef ZOVK_BUILD
#define ZOVK_API extern "C"
#else
#define ZOVK_API extern "C" __declspec(dllimport)
#endif

ZOVK_API void ZOVK_VODI_INPUT(int64_t* ids_count, char* host_ids, int64_t* option_count,
                              int64_t* host_options, int64_t* real_count, double* host_reals,
                              void* further, char* case_path, char* connection_key,
                              int64_t* host_status, int64_t ids_len, int64_t case_path_len,
                              int64_t key_len);

ZOVK_API void ZOVK_VODI_HCURVE(int64_t* side, int64_t* ids_count, char* host_ids,
                               int64_t* request_count, int64_t* hcurve_request,
                               int64_t* value_count, double* hcurve_values, int64_t* count,
                               char* text, int64_t* host_status, int64_t ids_len, int64_t text_len);

ZOVK_API void ZOVK_VODI_EXECUTE(int64_t* ids_count, char* host_ids, int64_t* option_count,
                                int64_t* host_options, int64_t* real_count, double* host_reals,
                                void* further, char* case_path, char* connection_key,
                                int64_t* message_count, int64_t* message_codes, int64_t ids_len,
                                int64_t case_path_len, int64_t key_len);

ZOVK_API void ZOVK_VODI_OUTPUT(int64_t* ids_count, char* host_ids, int64_t* option_count,
                               int64_t* host_options, int64_t* real_count, double* host_reals,
                               void* further, char* case_path, char* connection_key,
                               int64_t* host_status, int64_t ids_len, int64_t case_path_len,
                               int64_t key_len);

ZOVK_API void ZOVK_SETMULTICASEINFO(char* first, char* second, char* connection_key,
                                    int64_t* host_status, int64_t first_len, int64_t second_len,
                                    int64_t key_len);

ZOVK_API void ZOVK_VODI_EXIT();
