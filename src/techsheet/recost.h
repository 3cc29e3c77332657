#pragma once

// Re-costing a stored technical sheet from today's reference data: each line
// keeps what the step measured (minutes, kg, litres, metres, pieces) and takes
// today's price and waste, computed by the same functions the step screens
// cost their lines with. Minutes that follow from a machine's production
// speed, kg from the piece's weight and the like are the step's to recompute
// when it is opened again.
#include "sheet_lines.h"
#include "sheet_reference.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

namespace corvane::techsheet {

// What a sheet's lines are priced from today.
struct CostReference {
    CostTypes costTypes;        // TIPOCUSTO: waste % and budget class
    SheetParameters parameters; // PARGER: the cost types of the steps
    // ARTIGOSCLS: the price PARGER.TIPOPRECO chooses, per purchase unit, by
    // code (trimmed, upper case).
    QHash<QString, double> articlePrices;
    // MAQUINAS.PRECO by code: per hour on the machine steps, knitting and
    // printing, per minute on the loom and the ultrasound cut.
    QHash<QString, double> machineRates;
    // OPERACOES.PRECO (per minute) by cost type and operation code.
    QHash<QString, double> operationPrices;
    // EMBALAGEM.CUSTOFIXO (per minute) by code.
    QHash<QString, double> packagingPrices;
    // EMBALAGEMMP.PRECO1..3, the price of a material a packaging type
    // proposes, by packaging code and material code (operationKey).
    QHash<QString, double> packagingMaterialPrices;

    static QString key(const QString& code) { return code.trimmed().toUpper(); }
    static QString operationKey(int costType, const QString& code) {
        return QString::number(costType) + QLatin1Char('|') + key(code);
    }
    std::optional<double> articlePrice(const QString& code) const;
    std::optional<double> machineRate(const QString& code) const;
};

// The outcome for one sheet: its lines after re-costing (those that did not
// change are the stored ones, untouched), which changed, and the sheet's
// cost a piece (sum of VALOR_FINAL) before and after. A sheet that cannot be
// costed gives `refusal` (what its step would say) and changes nothing.
struct RecostedSheet {
    std::vector<FictecDetLine> lines;
    std::vector<std::size_t> changed; // indexes into lines
    double before = 0;
    double after = 0;
    QString refusal;

    bool costable() const { return refusal.isEmpty(); }
};

// Re-costs the lines of one sheet of kind `sheetKind` (FICTECMAS.TIPOFICTEC)
// whose knitting waste is `knittingWaste` (FICTECMAS.DESPERD, %; absent: the
// waste each knitting line was costed with, read from its quantities).
RecostedSheet recostSheet(const QString& sheetKind, const std::vector<FictecDetLine>& lines,
                          const CostReference& reference, std::optional<double> knittingWaste = std::nullopt);

// Reference changes to try without writing them: article prices, machine
// rates and cost types' waste, each replacing today's.
struct WhatIf {
    QHash<QString, double> articlePrices; // by code, as CostReference::articlePrices
    QHash<QString, double> machineRates;  // by code
    QHash<int, double> waste;             // cost type -> DESPERD %
    double marginThreshold = 0;           // % of the sale value; a margin under it is flagged

    bool empty() const { return articlePrices.isEmpty() && machineRates.isEmpty() && waste.isEmpty(); }
};

// `reference` with the changes applied. Codes the reference does not know are
// refused with a message naming them (a typing slip must not pass for "no change").
std::optional<CostReference> applyWhatIf(const CostReference& reference, const WhatIf& whatIf,
                                         QString* error);

// The changes from a JSON text: {"articles": {"FIO.ACR2/28": 13.5},
// "machines": {"TEAR01": 0.42}, "waste": {"10": 6}, "threshold": 8}.
std::optional<WhatIf> whatIfFromJson(const QByteArray& json, QString* error);

} // namespace corvane::techsheet
