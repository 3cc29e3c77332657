#pragma once

#include "reference/screens/operations_screen.h"
#include "table_screen_form.h"

class QLabel;

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::reference {

// TCORVF002: the table screen of the operations, with the cost type's
// designation beside its input and the lookup "Localizar" over TIPOCUSTO.
class TCORVF002 : public TableScreenForm {
    Q_OBJECT
public:
    TCORVF002(shell::TDTCORVANE& data, Listing* listing, ScreenSetting setting, QWidget* parent = nullptr);

    // The context-menu entry "Procurar" and the Insert key of Edit_TC.
    bool lookup(const QString& input, bool alphabetical) override;

protected:
    void refresh() override;

private:
    OperationsScreen& operations() { return static_cast<OperationsScreen&>(logic()); }
    QLabel* LabelTipoCusto = nullptr;
};

} // namespace corvane::reference
