#pragma once

// `calc machine` and `calc operations`: the machine steps (typed minutes and
// ultrasound cutting) and the operation steps (design, hanger fitting,
// cardboard labels, packaging) on a JSON document, with the screens' arithmetic.
#include "calc_json.h"

namespace corvane::calc {

Output machineStep(const JsonIn& in);
Output operationStep(const JsonIn& in);

} // namespace corvane::calc
