#include "listings.h"

#include "db/dataset.h"

namespace corvane::reference {

using namespace report;

namespace {
enum PackagingLine { kPackaging, kGroupHeading, kMaterial };
}

TCORVFPR007::TCORVFPR007(db::Dataset& embalagem, db::Dataset& embalagemMp)
    : Listing(embalagem, QStringLiteral("Tipos de Embalagem"), QStringLiteral("Tipos de Embalagem"), true),
      embalagemMp_(embalagemMp) {}

void TCORVFPR007::define(ReportDefinition& def) const {
    def.page.orientation = QPageLayout::Landscape;
    def.page.margins = QMarginsF(11, 10, 11, 10);
    LineLayout packaging;
    packaging.columns = {numberColumn(QStringLiteral("Código"), 0, 16),
                         textColumn(QStringLiteral("Designação do artigo"), 19, 80),
                         numberColumn(QStringLiteral("Custo Hora"), 102, 24),
                         textColumn(QStringLiteral("Tipo de Custo"), 130, 30)};
    LineLayout group; // the group heading over the material lines
    group.columns = {textColumn(QStringLiteral("Matéria Prima/Subsidiária"), 19, 80)};
    group.sheetOffset = 1;
    LineLayout material;
    material.columns = {
        textColumn(QStringLiteral("Artigo Nº"), 19, 32), textColumn(QStringLiteral("Designação"), 54, 80),
        textColumn(QStringLiteral("Unid."), 137, 14), numberColumn(QStringLiteral("Quant."), 154, 22),
        numberColumn(QStringLiteral("Preco €"), 179, 22)};
    material.sheetOffset = 1;
    def.layouts = {packaging, group, material};
    def.headingLines = {kPackaging, kGroupHeading, kMaterial};
}

bool TCORVFPR007::prepare(QString* error) {
    return materials_.load(embalagemMp_, QStringLiteral("CODIGO"), error);
}

void TCORVFPR007::fill(const db::Dataset& ds, int row, Block* block) const {
    block->lines << Line{kPackaging,
                         {ds.value(row, QStringLiteral("CODIGO")),
                          ds.value(row, QStringLiteral("DESIGNACAO")),
                          ds.value(row, QStringLiteral("CUSTOFIXO")), QStringLiteral("Embalagem")}};
    const int mp = materials_.row(ds.value(row, QStringLiteral("CODIGO")));
    for (int n = 1; n <= 3; ++n) {
        QVariantList values;
        if (mp >= 0) {
            const QString i = QString::number(n);
            values = fieldValues(embalagemMp_, mp,
                                 {"ARTNRO" + i, "DESIGNACAO" + i, "UND" + i, "QTD" + i, "PRECO" + i});
        }
        block->lines << Line{kMaterial, values};
    }
    block->spaceAfter = true;
}

} // namespace corvane::reference
