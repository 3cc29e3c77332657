#include "listings.h"

#include "db/dataset.h"

// The listings of one detail line per row straight from the table's columns.

namespace corvane::reference {

using namespace report;

TCORVFPR001::TCORVFPR001(db::Dataset& tipoCusto)
    : Listing(tipoCusto, QStringLiteral("Tabela de Tipos de Custo"),
              QStringLiteral("Tabela de Tipos de Custo"), true) {}

void TCORVFPR001::define(ReportDefinition& def) const {
    defineSingleLine(def, {numberColumn(QStringLiteral("Código"), 0, 18),
                           textColumn(QStringLiteral("Designação"), 21, 75),
                           numberColumn(QStringLiteral("Clas."), 99, 12),
                           numberColumn(QStringLiteral("Palete Orçamento"), 114, 30),
                           textColumn(QStringLiteral("Tipo Unidade"), 147, 22),
                           numberColumn(QStringLiteral("Desperd. %"), 172, 22)});
}

void TCORVFPR001::fill(const db::Dataset& ds, int row, Block* block) const {
    block->lines << Line{0,
                         fieldValues(ds, row, {"CODIGO", "DESIGNACAO", "CLAS", "CLAS_ORC", "TU", "DESPERD"})};
}

QString machineTypeText(int tipoMaq) {
    static const char* const texts[] = {"MQ. Corte",
                                        "MQ. Corte e Coze",
                                        "Teares para Tricotados",
                                        "Tear - Alta Def. e 100%Acrilico",
                                        "MQ. Ponto Corrido",
                                        "MQ. Vaporizar",
                                        "MQ. Remalhar",
                                        "MQ. Impressão",
                                        "Corte c/Serra Eléctrica"};
    if (tipoMaq < 1 || tipoMaq > 9)
        return {};
    return QString::fromUtf8(texts[tipoMaq - 1]);
}

TCORVFPR004::TCORVFPR004(db::Dataset& grupoMaquinas)
    : Listing(grupoMaquinas, QStringLiteral("Grupo de Máquinas"),
              QStringLiteral("Tabela de Grupo de Máquinas"), false) {}

void TCORVFPR004::define(ReportDefinition& def) const {
    defineSingleLine(def, {numberColumn(QStringLiteral("Código"), 0, 16),
                           textColumn(QStringLiteral("Designação"), 19, 60),
                           textColumn(QStringLiteral("Tipo de Máquina"), 82, 65)});
}

void TCORVFPR004::fill(const db::Dataset& ds, int row, Block* block) const {
    const QVariant type = ds.value(row, QStringLiteral("TIPOMAQ"));
    block->lines << Line{0,
                         {ds.value(row, QStringLiteral("CODIGO")),
                          ds.value(row, QStringLiteral("DESIGNACAO")),
                          type.isNull() ? QString() : machineTypeText(type.toInt())}};
}

TCORVFPR005::TCORVFPR005(db::Dataset& tipoMaterial)
    : Listing(tipoMaterial, QStringLiteral("Tipo de Material"), QStringLiteral("Tipo de Material"), false) {}

void TCORVFPR005::define(ReportDefinition& def) const {
    defineSingleLine(def, {numberColumn(QStringLiteral("Código"), 0, 16),
                           textColumn(QStringLiteral("Designação"), 19, 50)});
}

void TCORVFPR005::fill(const db::Dataset& ds, int row, Block* block) const {
    block->lines << Line{0, fieldValues(ds, row, {"CODIGO", "DESIGNACAO"})};
}

TCORVFPR006::TCORVFPR006(db::Dataset& tipoTrabalho)
    : Listing(tipoTrabalho, QStringLiteral("Tipos de Trabalho"), QStringLiteral("Tipos de Trabalho"), false) {
}

void TCORVFPR006::define(ReportDefinition& def) const {
    defineSingleLine(def, {numberColumn(QStringLiteral("Código"), 0, 16),
                           textColumn(QStringLiteral("Designação"), 19, 50),
                           numberColumn(QStringLiteral("Passagens p/ Cm"), 72, 30)});
}

void TCORVFPR006::fill(const db::Dataset& ds, int row, Block* block) const {
    block->lines << Line{0, fieldValues(ds, row, {"CODIGO", "DESIGNACAO", "PASSAG_CM"})};
}

} // namespace corvane::reference
