#include "listings.h"

#include "db/dataset.h"

namespace corvane::reference {

using namespace report;

TCORVFPR002::TCORVFPR002(db::Dataset& operacoes, db::Dataset& tipoCusto)
    : Listing(operacoes, QStringLiteral("Tabela de Operações"), QStringLiteral("Tabela de Operações"), true),
      tipoCusto_(tipoCusto) {}

void TCORVFPR002::define(ReportDefinition& def) const {
    defineSingleLine(
        def,
        {numberColumn(QStringLiteral("Código"), 0, 15), textColumn(QStringLiteral("Designação"), 17, 50),
         numberColumn(QStringLiteral("TC"), 69, 8), textColumn(QStringLiteral("Designação TC"), 79, 46),
         textColumn(QStringLiteral("Unidade"), 127, 15), textColumn(QStringLiteral("Tip.Und."), 144, 14),
         numberColumn(QStringLiteral("Preço"), 160, 16), textColumn(QStringLiteral("Referência"), 178, 18)});
}

bool TCORVFPR002::prepare(QString* error) {
    return costTypes_.load(tipoCusto_, QStringLiteral("CODIGO"), error);
}

void TCORVFPR002::fill(const db::Dataset& ds, int row, Block* block) const {
    const int costType = costTypes_.row(ds.value(row, QStringLiteral("TC")));
    const QString costTypeText = costType < 0 ? QStringLiteral("Tipo de Custo Inexistente")
                                              : tipoCusto_.text(costType, QStringLiteral("DESIGNACAO"));
    block->lines << Line{0,
                         {ds.value(row, QStringLiteral("CODIGO")),
                          ds.value(row, QStringLiteral("DESIGNACAO")), ds.value(row, QStringLiteral("TC")),
                          costTypeText, ds.value(row, QStringLiteral("UNIDADE")),
                          ds.value(row, QStringLiteral("TU")), ds.value(row, QStringLiteral("PRECO")),
                          ds.value(row, QStringLiteral("TIPOCUSTO"))}};
}

} // namespace corvane::reference
