#include "operations_screen.h"

#include "reference/costing_rules.h"

namespace corvane::reference {

OperationsScreen::OperationsScreen(db::Dataset& operacoes, db::Dataset& tipoCusto, ScreenView& view,
                                   db::UpdateErrorHandler onError)
    : TableScreen(operationsScreen(), operacoes, view, std::move(onError)), tipoCusto_(&tipoCusto) {
    addDataset(tipoCusto);
}

QString OperationsScreen::chosenCostType(int costTypeRow) const {
    if (costTypeRow < 0 || costTypeRow >= tipoCusto_->rowCount())
        return {};
    const int code = tipoCusto_->integer(costTypeRow, QStringLiteral("CODIGO"));
    return code >= 1 && code <= 99 ? QString::number(code) : QString();
}

QString OperationsScreen::chosenKey(const FieldRule& rule, int lookupRow) const {
    return rule.column == QLatin1String("TC") ? chosenCostType(lookupRow) : TableScreen::chosenKey(rule, lookupRow);
}

void OperationsScreen::fieldStored(const FieldRule& rule) {
    if (rule.column == QLatin1String("TC")) {
        const int row = tipoCusto_->locate(QStringLiteral("CODIGO"), value(QStringLiteral("TC")).toInt());
        setValue(QStringLiteral("TU"), tipoCusto_->value(row, QStringLiteral("TU")));
    } else if (rule.column == QLatin1String("PRECO")) {
        setValue(QStringLiteral("TIPOCUSTO"),
                 compositeOperationCode(value(QStringLiteral("TC")).toInt(),
                                        value(QStringLiteral("CODIGO")).toInt()));
    }
}

} // namespace corvane::reference
