#pragma once

#include "table_screen.h"

namespace corvane::reference {

// The cost type typed into an input (operations, packaging): a code from 1
// to 99 of an existing TIPOCUSTO row. The row found, or -1 with the message.
int costTypeInput(db::Dataset& tipoCusto, const QString& text, QString* message);

// The operations screen (TCORVF002): the cost type of an operation is looked
// up in TIPOCUSTO, whose unit type it copies, and the composite code is built
// again when the price is left.
class OperationsScreen : public TableScreen {
public:
    OperationsScreen(db::Dataset& operacoes, db::Dataset& tipoCusto, ScreenView& view,
                     db::UpdateErrorHandler onError = {});

    db::Dataset& costTypes() { return *tipoCusto_; }
    // LabelTipoCusto: cleared when Edit_TC is left, then the designation of
    // the cost type found; showRowLabel() fills it from the current row.
    const QString& costTypeLabel() const { return label_; }
    void showRowLabel();
    // A cost type chosen in the lookup: its code as Edit_TC would get it, or
    // empty when the row cannot serve (codes 1 to 99 only).
    QString chosenCostType(int costTypeRow) const;

protected:
    bool checkField(const FieldRule& rule, const QString& text, QVariant* value) override;
    void fieldStored(const FieldRule& rule) override;
    bool openMore(QString* error) override;
    void closeMore() override;

private:
    db::Dataset* tipoCusto_;
    QString label_;
};

} // namespace corvane::reference
