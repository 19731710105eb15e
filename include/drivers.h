// The drivers behind the entry points. They take the host's arguments in the
// host's order, with every text followed directly by its length.
#pragma once

#include <cstdint>

void HANDLE_INPUT(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                  int64_t* host_options, int64_t* real_count, double* host_reals, void* further,
                  char* case_path, int64_t case_path_len, char* connection_key, int64_t key_len,
                  int64_t* host_status);

void HANDLE_HCURVE(int64_t* side, int64_t* ids_count, char* host_ids, int64_t ids_len,
                   int64_t* request_count, int64_t* hcurve_request, int64_t* value_count,
                   double* hcurve_values, int64_t* count, char* text, int64_t text_len,
                   int64_t* host_status);

void HANDLE_EXECUTE(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                    int64_t* host_options, int64_t* real_count, double* host_reals,
                    void* further, char* case_path, int64_t case_path_len,
                    char* connection_key, int64_t key_len, int64_t* message_count,
                    int64_t* message_codes);

void HANDLE_OUTPUT(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                   int64_t* host_options, int64_t* real_count, double* host_reals, void* further,
                   char* case_path, int64_t case_path_len, char* connection_key, int64_t key_len,
                   int64_t* host_status);

void HANDLE_SETMULTICASEINFO(char* first, int64_t first_len, char* second, int64_t second_len,
                             char* connection_key, int64_t key_len, const char* program,
                             int64_t program_len);

void HANDLE_EXIT();
