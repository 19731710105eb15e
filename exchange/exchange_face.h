// The transfers between the host's repository and the case server. Every
// argument by address; a text is followed by its length. The case data
// argument is the caller's variable holding the connection's CaseData object.
#pragma once

#include <cstdint>

#include "include/case_server.h"

// Deletes the result object and creates it afresh; pass 2 also writes the
// performance record from the program's results.
void REBUILD_RESULT_OBJECT(const char* id, int64_t id_len, const int64_t* pass,
                           CaseData** case_data, int64_t* error_word);
void PUT_PERFORMANCE_RECORD(const char* id, int64_t id_len, CaseData** case_data);

void PUT_STREAM_INLETS(const int64_t* hot_transfer_flag, const char* hot_inlet,
                       int64_t hot_inlet_len, const char* hot_outlet, int64_t hot_outlet_len,
                       const int64_t* cold_transfer_flag, const char* cold_inlet,
                       int64_t cold_inlet_len, const char* cold_outlet, int64_t cold_outlet_len,
                       CaseData** case_data, int64_t* error_word);
void MARK_PROPERTY_INPUTS(const int64_t* hot_property, const int64_t* cold_property,
                          CaseData** case_data, int64_t* error_word);

// The unit mode comes back in *unit_mode.
void PUT_UNIT_OPTIONS(const int64_t* transfer_flag, const char* unit_id, int64_t unit_id_len,
                      CaseData** case_data, int64_t* unit_mode, int64_t* error_word);

// The host hands MESSAGE_CODES over without its size. At most
// MESSAGE_CODES_CAPACITY codes are written, and *message_count is set to the
// number of elements written (0 when the case has no message variable), so a
// caller that walks the codes up to the count stays inside what was written.
// 100 is far more than the messages of one plate run, which the host reads as
// a short list of message numbers, and a small enough bound that a host array
// sized for such a list is not run past; codes past it are dropped.
inline constexpr int64_t MESSAGE_CODES_CAPACITY = 100;
void GET_PROGRAM_MESSAGES(CaseData** case_data, int64_t* message_count, int64_t* message_codes);

void READ_HEAT_RELEASE_CURVE(const int64_t* transfer_flag, CaseData** case_data,
                             const int64_t* curve_number, const char* curve_id,
                             int64_t curve_id_len, const int64_t* reserved, int64_t* error_word);

void COPY_DESIGN_GEOMETRY(CaseData** case_data, int64_t* error_word);
