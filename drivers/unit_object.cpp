// CREATE_UNIT_OBJECT: the block's unit input object, created empty.
#include "drivers/drivers_face.h"
#include "include/repository.h"

namespace {
constexpr char kUnitClass[] = "plate_heat_exchanger_unit_INPUT";
constexpr char kDesignCriteria[] = "Exchanger_design_criteria";
}  // namespace

void CREATE_UNIT_OBJECT(const char* id, int64_t id_len, int64_t* error_word) {
  // Whatever the object held before goes with it.
  int64_t found = 0;
  RPFIND(id, id_len, &found, error_word);
  if (found != 0) RPDELE(id, id_len, error_word);

  int64_t object = 0;
  int64_t member = 0;
  RPNEW(id, id_len, kUnitClass, sizeof kUnitClass - 1, &object, error_word);
  RPALLO(id, id_len, kDesignCriteria, sizeof kDesignCriteria - 1, &object, &member, error_word);
}
