#include "yarn_fields.h"
#include "core/number_input.h"

namespace corvane::techsheet {

QString kgText(double kg) {
    return fixedNumberText(kg, 7);
}

} // namespace corvane::techsheet
