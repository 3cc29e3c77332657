#include "costing_rules.h"

#include "db/dataset.h"

namespace corvane::reference {

QString compositeOperationCode(int costType, int operationCode) {
    QString code = QStringLiteral("X");
    if (costType < 10)
        code += QLatin1Char('0');
    code += QString::number(costType);
    code += QString::number(operationCode).rightJustified(4, QLatin1Char('0'));
    return code.left(7);
}

int pargerCostType(db::Dataset& parger, const QString& column) {
    const int row = parger.locate(QStringLiteral("CODIGO"), 1);
    if (row < 0)
        return 0;
    const QVariant v = parger.value(row, column);
    return v.isNull() ? 0 : v.toInt();
}

} // namespace corvane::reference
