// The plate rating model as a run of the program sees it: read the case's
// inputs, rate (plate_rating.h), write the results and messages back.
//
// Plain code on the case: no platform calls. standins/caseserver/README.md
// ("Rating model") lists every variable read and written.
#pragma once

#include "standins/caseserver/plate_rating.h"
#include "standins/caseserver/program_case.h"

// The inputs as the case holds them. An entry counts as given when its flag
// is not 0 and its value text reads as a number below 1.0E34 in size (the
// repository's marker of a missing value, 1.0E35, is not a value).
RatingInput ReadRatingInput(const ProgramCase& c);

// Replaces every result of the case: all result entries are blanked first, so
// nothing of an earlier run passes for this one's; then, when the run rated,
// the performance and geometry results, and always "arTavikMsgs" with one
// line per message. A result variable the case lacks is added.
void WriteRatingResult(ProgramCase& c, const RatingResult& result);

// Runs the program once on the case. Never throws: a run that cannot get its
// memory writes message 40 alone.
void RunRatingModel(ProgramCase& c) noexcept;
