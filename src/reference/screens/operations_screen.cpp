#include "operations_screen.h"

#include "field_input.h"
#include "reference/costing_rules.h"

namespace corvane::reference {

int costTypeInput(db::Dataset& tipoCusto, const QString& text, QString* message) {
    if (text.trimmed().isEmpty()) {
        *message = QStringLiteral("Valor Inválido");
        return -1;
    }
    int code = 0;
    if (!readWholeNumber(text, &code, message))
        return -1;
    if (code >= 100) {
        *message = QStringLiteral("Digite [1..99]");
        return -1;
    }
    const int row = tipoCusto.locate(QStringLiteral("CODIGO"), code);
    if (row < 0)
        *message = QStringLiteral("Tipo de Custo Inexistente");
    return row;
}

OperationsScreen::OperationsScreen(db::Dataset& operacoes, db::Dataset& tipoCusto, ScreenView& view,
                                   db::UpdateErrorHandler onError)
    : TableScreen(operationsScreen(), operacoes, view, std::move(onError)), tipoCusto_(&tipoCusto) {}

bool OperationsScreen::openMore(QString* error) {
    return tipoCusto_->reopen(error) && tipoCusto_->fetchAll(error);
}

void OperationsScreen::closeMore() {
    tipoCusto_->close();
}

void OperationsScreen::showRowLabel() {
    const QVariant tc = value(QStringLiteral("TC"));
    const int row =
        tc.isNull() || !tipoCusto_->isOpen() ? -1 : tipoCusto_->locate(QStringLiteral("CODIGO"), tc.toInt());
    label_ = row >= 0 ? tipoCusto_->text(row, QStringLiteral("DESIGNACAO")) : QString();
}

QString OperationsScreen::chosenCostType(int costTypeRow) const {
    if (costTypeRow < 0 || costTypeRow >= tipoCusto_->rowCount())
        return {};
    const int code = tipoCusto_->integer(costTypeRow, QStringLiteral("CODIGO"));
    return code >= 1 && code <= 99 ? QString::number(code) : QString();
}

bool OperationsScreen::checkField(const FieldRule& rule, const QString& text, QVariant* out) {
    if (rule.column != QLatin1String("TC"))
        return TableScreen::checkField(rule, text, out);
    label_.clear();
    QString message;
    const int row = costTypeInput(*tipoCusto_, text, &message);
    if (row < 0)
        return refuse(rule.input, message);
    label_ = tipoCusto_->text(row, QStringLiteral("DESIGNACAO"));
    *out = tipoCusto_->integer(row, QStringLiteral("CODIGO"));
    return true;
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
