#pragma once

#include <QString>

namespace corvane::db {
class Dataset;
}

namespace corvane::reference {

// The composite code of an operation (OPERACOES.TIPOCUSTO): "X", the cost type
// with a leading zero below 10, the operation code zero-padded to four digits,
// cut to 7 characters. TC 5 and code 12 give "X050012".
QString compositeOperationCode(int costType, int operationCode);

// A cost-type column of the general parameters row (PARGER, CODIGO = 1) of an
// open PARGER dataset. Columns added by a version update stay empty until they
// are set; an empty column, like a missing row, reads as 0.
int pargerCostType(db::Dataset& parger, const QString& column);

} // namespace corvane::reference
