#include "rating_model.h"

void RunRatingModel(ProgramCase&) {}
