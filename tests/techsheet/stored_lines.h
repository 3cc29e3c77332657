#pragma once

// The lines of a technical sheet as stored, for comparing what a step wrote.
#include "support/test_site.h"

#include <QStringList>

// Every column a step writes, one text per line in number order.
inline QStringList storedLines(corvane::db::Database& db, const QString& article) {
    QStringList out;
    for (const QVariantList& r :
         selectRows(db,
                    QStringLiteral(
                        "SELECT TIPO, DETAIL, RELACFICTEC, CODIGOMP, DESIGN, UNIDADE, QUANT, PRECO, VALOR, "
                        "TECELAGEM, QUANT_FINAL, VALOR_FINAL, TMPACE, TMP_SEMACERTO, PERC_IMPR, OPERACAO, "
                        "FACTCONV FROM FICTECDET WHERE ARTIGO = :A ORDER BY DETAIL"),
                    {{QStringLiteral("A"), article}})) {
        QStringList cells;
        for (const QVariant& v : r)
            cells << (v.isNull() ? QStringLiteral("null") : v.toString().trimmed());
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}
