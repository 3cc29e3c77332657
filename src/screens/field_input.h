#pragma once

// The screens read numeric inputs as every layer does.
#include "core/number_input.h"

namespace corvane::screens {

using corvane::readNumber;
using corvane::readWholeNumber;
using corvane::withinSmallInteger;

} // namespace corvane::screens
