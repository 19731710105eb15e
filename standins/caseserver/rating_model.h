// The plate rating model: where a run of the program reads the case's inputs
// and writes its results and messages.
#pragma once

#include "program_case.h"

// Runs the program once on the case. The model is not built yet: the case's
// results stay as they are, and tests write results through the probe's run
// hook (include/case_server_probe.h).
void RunRatingModel(ProgramCase& c);
