#pragma once

#include "screens/table_screen.h"
#include "table_screen_configs.h"

namespace corvane::reference {

using screens::TableScreen;

// The operations screen (TCORVF002): the cost type of an operation is looked
// up in TIPOCUSTO, whose unit type it copies, and the composite code is built
// again when the price is left.
class OperationsScreen : public TableScreen {
public:
    OperationsScreen(db::Dataset& operacoes, db::Dataset& tipoCusto, ScreenView& view,
                     db::UpdateErrorHandler onError = {});

    db::Dataset& costTypes() { return *tipoCusto_; }
    // LabelTipoCusto: cleared when Edit_TC is left, then the designation of
    // the cost type found; each row shown shows its own.
    QString costTypeLabel() const { return label(QStringLiteral("TC")); }
    // A cost type chosen in the lookup: its code as Edit_TC would get it, or
    // empty when the row cannot serve (codes 1 to 99 only).
    QString chosenCostType(int costTypeRow) const;
    QString chosenKey(const FieldRule& rule, int lookupRow) const override;

protected:
    void fieldStored(const FieldRule& rule) override;

private:
    db::Dataset* tipoCusto_;
};

} // namespace corvane::reference
