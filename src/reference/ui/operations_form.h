#pragma once

#include "reference/screens/operations_screen.h"
#include "screens/ui/table_screen_form.h"

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::reference {

class Listing;

// TCORVF002: the table screen of the operations, with the cost type's
// designation beside its input and the lookup "Localizar" over TIPOCUSTO.
class TCORVF002 : public screens::TableScreenForm {
    Q_OBJECT
public:
    TCORVF002(shell::TDTCORVANE& data, Listing* listing, const screens::ScreenSetting& setting,
              QWidget* parent = nullptr);
};

} // namespace corvane::reference
