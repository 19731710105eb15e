// The plate program's variable catalogue: every variable a new case of the
// program holds, with its entry count.
#pragma once

#include <optional>
#include <string_view>

#include "standins/caseserver/program_case.h"

// The one program this server runs.
inline constexpr std::string_view kPlateProgram = "Vodi";

// The program name as the server accepts it: upper and lower case alike.
bool IsPlateProgram(std::string_view program);

// A new case of the program: every catalogue variable, all entries blank and
// not given, no marks. Nothing for a program the server does not know.
std::optional<ProgramCase> NewProgramCase(std::string_view program);
