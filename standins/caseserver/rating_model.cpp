#include "standins/caseserver/rating_model.h"

#include <exception>

#include "standins/caseserver/model_messages.h"

void RunRatingModel(ProgramCase& c) noexcept {
  try {
    WriteRatingResult(c, RatePlateExchanger(ReadRatingInput(c)));
  } catch (const std::exception&) {
    // Only allocations throw here; the run reports that it could not finish.
    try {
      RatingResult stopped;
      stopped.messages = {kOutOfMemory};
      WriteRatingResult(c, stopped);
    } catch (const std::exception&) {
    }
  }
}
