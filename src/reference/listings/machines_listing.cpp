#include "listings.h"

#include "db/dataset.h"

namespace corvane::reference {

using namespace report;

namespace {
enum MachineLine { kMachine, kGroup, kValues };

Column label(double x, double width) {
    return textColumn(QString(), x, width);
}
} // namespace

TCORVFPR003::TCORVFPR003(db::Dataset& maquinas, db::Dataset& grupoMaquinas)
    : Listing(maquinas, QStringLiteral("Tabela de Máquinas"), QStringLiteral("Tabela de Máquinas"), true),
      grupoMaquinas_(grupoMaquinas) {}

void TCORVFPR003::define(ReportDefinition& def) const {
    // No column headings: every value carries its label.
    LineLayout machine;
    machine.bold = true;
    machine.columns = {label(0, 34), textColumn({}, 34, 20), textColumn({}, 56, 66), textColumn({}, 124, 30)};
    LineLayout group;
    group.columns = {label(0, 34), numberColumn({}, 34, 18), textColumn({}, 56, 60), label(124, 26),
                     textColumn({}, 150, 20)};
    LineLayout values; // three labelled values and the production unit
    values.columns = {
        label(0, 34),   numberColumn({}, 34, 18),  label(56, 46),          numberColumn({}, 102, 18),
        label(124, 26), numberColumn({}, 150, 18), textColumn({}, 170, 12)};
    def.layouts = {machine, group, values};
}

bool TCORVFPR003::prepare(QString* error) {
    return groups_.load(grupoMaquinas_, QStringLiteral("CODIGO"), error);
}

void TCORVFPR003::fill(const db::Dataset& ds, int row, Block* block) const {
    auto v = [&](const char* field) { return ds.value(row, QString::fromLatin1(field)); };
    const int group = groups_.row(v("GRUPO"));
    const QString groupText =
        group < 0 ? QString() : grupoMaquinas_.text(group, QStringLiteral("DESIGNACAO"));
    block->lines << Line{kMachine,
                         {QStringLiteral("Máquina Nº : "), v("CODIGO"), v("DESIGNACAO"), v("SIGLA")}}
                 << Line{kGroup,
                         {QStringLiteral("Grupo : "), v("GRUPO"), groupText, QStringLiteral("C.Custo : "),
                          v("CCUSTO")}}
                 << Line{kValues,
                         {QStringLiteral("Compr. (mm) : "), v("COMPRIM"), QStringLiteral("Largura (mm) : "),
                          v("LARGURA"), QStringLiteral("Produção I : "), v("PRDHOR1"), v("UNDPRD")}}
                 << Line{kValues,
                         {QStringLiteral("Nº Passagens : "), v("NROPASSAGENS"),
                          QStringLiteral("Largura Raport (mm) : "), v("RAPORT"),
                          QStringLiteral("Produção II : "), v("PRDHOR2")}}
                 << Line{kValues,
                         {QStringLiteral("Tempo Acerto I : "), v("TEMPO_ACERTO1"),
                          QStringLiteral("Largura ao Pente (mtr) : "), v("LARG_PENTE"),
                          QStringLiteral("Custo : "), v("PRECO")}}
                 << Line{kValues, {QStringLiteral("Tempo Acerto II : "), v("TEMPO_ACERTO2")}};
    block->spaceAfter = true;
}

} // namespace corvane::reference
