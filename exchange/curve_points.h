// The transfer of one heat-release curve, as read from the repository, into
// the case's indexed property inputs. The reading of the curve's records
// (READ_HEAT_RELEASE_CURVE, exchange_face.h) is its one caller.
//
// Every argument by address and the curve id's length by value after it;
// each array comes after its element count. The arrays of the point, the
// thermodynamic and the phase records are cleaned in place: what the host
// marked as not given becomes 0.
#pragma once

#include <cstdint>

#include "include/case_server.h"

void PUT_CURVE_POINTS(const int64_t* given_flag, CaseData** case_data, const int64_t* curve_number,
                      const char* curve_id, int64_t curve_id_len, const int64_t* reserved,
                      const int64_t* point_count, int64_t* point_entries,
                      const int64_t* thermo_int_count, int64_t* thermo_ints,
                      const int64_t* phase_code_count, int64_t* phase_codes,
                      const int64_t* thermo_real_count, double* thermo_reals,
                      const int64_t* phase_real_count, double* phase_reals,
                      const int64_t* composition_count, const double* compositions,
                      const int64_t* component_real_count, const double* component_reals,
                      const int64_t* component_count, const int64_t* component_first);
