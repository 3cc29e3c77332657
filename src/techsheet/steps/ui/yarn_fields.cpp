#include "yarn_fields.h"

namespace corvane::techsheet {

QString kgText(double kg) {
    return QString::number(kg, 'f', 7);
}

} // namespace corvane::techsheet
