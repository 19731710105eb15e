// The repository reads behind a heat-release-curve request: a stream's flow
// and conditions, and the unit's pressure drops per side.
#pragma once

#include <cstdint>

// The stream record "KVEM_MS_DATA": flow (mass flow times its factor),
// pressure, temperature and vapour mass fraction.
void GET_STREAM_DATA(const char* stream_id, int64_t id_len, double* flow, double* pressure,
                     double* temperature, double* quality);

// The unit record "PLATE_QUOR_UNIT_INPUT": per side the drop to step by (the
// allowable one, else the estimated one, else 0) and the estimated drop
// (MISSING_REAL when not given). error_word receives the repository's answers.
void GET_UNIT_PRESSURE_DROPS(const char* unit_id, int64_t id_len, double* hot_drop,
                             double* cold_drop, double* hot_estimated, double* cold_estimated,
                             int64_t* error_word);
