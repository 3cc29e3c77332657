#include "recost.h"

#include "machine_step_calc.h"
#include "operation_calc.h"
#include "step_lines.h"
#include "subcontract_calc.h"
#include "tech_sheet_context.h"

#include "core/rounding.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace corvane::techsheet {

std::optional<double> CostReference::articlePrice(const QString& code) const {
    const auto it = articlePrices.constFind(key(code));
    return it == articlePrices.constEnd() ? std::nullopt : std::optional<double>(*it);
}

std::optional<double> CostReference::machineRate(const QString& code) const {
    const auto it = machineRates.constFind(key(code));
    return it == machineRates.constEnd() ? std::nullopt : std::optional<double>(*it);
}

namespace {

const QString kNoArticle = QStringLiteral("Artigo Inexistente .... : ");
const QString kNoMachineText = QStringLiteral("Máquina Inexistente : ");
const QString kNoOperation = QStringLiteral("Operação Inexistente : ");

// One line's re-costing: the recomputed line, or the refusal.
struct LineOutcome {
    FictecDetLine line;
    QString refusal;
};

LineOutcome refused(const QString& text) {
    return {{}, text};
}

// `stored` with the four costed values of `computed`.
LineOutcome costed(const FictecDetLine& stored, const FictecDetLine& computed) {
    FictecDetLine l = stored;
    l.PRECO = computed.PRECO;
    l.VALOR = computed.VALOR;
    l.QUANT_FINAL = computed.QUANT_FINAL;
    l.VALOR_FINAL = computed.VALOR_FINAL;
    return {l, {}};
}

// What a line's costing takes from the rest of its sheet.
struct SheetScan {
    QString kind;
    std::optional<double> knittingWaste;
    QStringList packaging; // codes of the packaging types chosen
};

bool same(double a, double b) {
    return std::abs(a - b) < 1e-9;
}

// A machine-time line: the minutes stay; the rate is the machine's today,
// applied as the step applies it.
LineOutcome machineLine(const QString& step, const QString& kind, const FictecDetLine& stored, double waste,
                        double rate) {
    WorkMachineRow row;
    row.CODIGO = stored.CODIGOMP;
    row.DESIGNACAO = stored.DESIGN;
    row.CUSTOPADRAO = rate;
    row.QTD = stored.QUANT;
    row.ACERTO1 = stored.TMPACE.value_or(0);
    row.QTD_SEMACERTO = stored.TMP_SEMACERTO.value_or(0);
    const bool loom = step == QLatin1String("T") && kind == kWovenScarf;
    const bool ultrasound = step == QLatin1String("J");
    if (loom) { // per minute, to 2 decimals
        row.PRECO = rate;
        row.CUSTO = roundTo(row.QTD * row.PRECO, 2);
    } else if (ultrasound) { // per minute, to 3 decimals
        row.PRECO = roundTo(rate, 3);
        row.CUSTO = roundTo(row.QTD * row.PRECO, 3);
    } else { // per hour, over whole minutes
        Notes notes;
        if (!costTypedMinutes(row, notes))
            return {stored, {}}; // a machine of no time costs nothing either way
    }
    const WasteForm form = loom || step == QLatin1String("A") ? WasteForm::Factor : WasteForm::Addition;
    return costed(stored, machineTimeLine(row, stored.TIPO, waste, lineRate(step, kind), form));
}

LineOutcome materialOf(const FictecDetLine& stored, const TipoCusto& costType, double price,
                       const MaterialLineRounding& rounding) {
    const MaterialEntry m{stored.CODIGOMP, stored.DESIGN, stored.UNIDADE,
                          stored.QUANT,    price,         stored.QUANT * price};
    return costed(stored, materialLine(m, costType, rounding));
}

LineOutcome inkOf(const FictecDetLine& stored, const TipoCusto& costType, double articlePrice) {
    // The litres stay; the values as the printing step forms them. QUANT
    // holds them to 4 decimals, VALOR = litres × PRECO to 5: the litres the
    // step costed are read back from the value where there is a price.
    InkRow ink;
    ink.code = stored.CODIGOMP;
    ink.designation = stored.DESIGN;
    ink.quantity = stored.PRECO > 0 ? stored.VALOR / stored.PRECO : stored.QUANT;
    ink.price = inkPrice(articlePrice);
    ink.percent = stored.PERC_IMPR;
    std::vector<FictecDetLine> lines;
    int detail = stored.DETAIL;
    Notes notes;
    inkLines(stored.ARTIGO, stored.RELACFICTEC, {ink}, {costType}, costType.CODIGO, detail, lines, notes);
    if (lines.empty())
        return refused(notes.messages.join(QLatin1Char('\n')));
    return costed(stored, lines.front());
}

LineOutcome fabricOf(const FictecDetLine& stored, const TipoCusto& costType, double price) {
    const MaterialEntry f{stored.CODIGOMP, stored.DESIGN, stored.UNIDADE,
                          stored.QUANT,    price,         stored.QUANT * price};
    FictecDetLine line;
    Notes notes;
    if (!fabricLine(stored.ARTIGO, stored.DETAIL, f, {costType}, costType.CODIGO, line, notes))
        return refused(notes.messages.join(QLatin1Char('\n')));
    return costed(stored, line);
}

LineOutcome operationOf(const QString& step, const FictecDetLine& stored, const CostReference& ref) {
    const bool packaging = step == QLatin1String("B");
    const auto& prices = packaging ? ref.packagingPrices : ref.operationPrices;
    const QString key = packaging ? CostReference::key(stored.CODIGOMP)
                                  : CostReference::operationKey(stored.TIPO, stored.CODIGOMP);
    const auto it = prices.constFind(key);
    if (it == prices.constEnd())
        return refused(kNoOperation + stored.CODIGOMP);
    WorkArticleRow row;
    row.CODIGO = stored.CODIGOMP;
    row.CUSTOPADRAO = *it;
    Notes notes;
    costOperationRow(row, QStringLiteral("X"), stored.QUANT, 0, notes); // the time as stored
    std::vector<FictecDetLine> lines;
    int detail = stored.DETAIL;
    operationLines(stored.ARTIGO, step, {row}, ref.costTypes,
                   {ref.parameters.hangerCostType, ref.parameters.cardLabelCostType}, detail, lines);
    if (lines.empty()) // a line of no time
        return {stored, {}};
    return costed(stored, lines.front());
}

// A packaging material's price: the one its packaging type proposes, else the article's.
std::optional<double> packagingMaterialPrice(const FictecDetLine& stored, const SheetScan& sheet,
                                             const CostReference& ref) {
    for (const QString& packaging : sheet.packaging) {
        const auto it = ref.packagingMaterialPrices.constFind(
            CostReference::key(packaging) + QLatin1Char('|') + CostReference::key(stored.CODIGOMP));
        if (it != ref.packagingMaterialPrices.constEnd())
            return *it;
    }
    return ref.articlePrice(stored.CODIGOMP);
}

// The knitting waste: the sheet's, or the one the line was costed with.
double knittingWasteOf(const FictecDetLine& stored, const SheetScan& sheet) {
    if (sheet.knittingWaste)
        return *sheet.knittingWaste;
    return stored.QUANT > 0 ? roundTo((stored.QUANT_FINAL / stored.QUANT - 1) * 100, 2) : 0;
}

// Whether a line of an operation step is the operation (else a material).
// Lines kept without their flag (technical product records) are told by
// their code: an operation or packaging type of the step.
bool operationLine(const QString& step, const FictecDetLine& l, const CostReference& ref) {
    if (!l.OPERACAO.isEmpty())
        return l.OPERACAO == QLatin1String("S");
    return step == QLatin1String("B")
               ? ref.packagingPrices.contains(CostReference::key(l.CODIGOMP))
               : ref.operationPrices.contains(CostReference::operationKey(l.TIPO, l.CODIGOMP));
}

// Whether a subcontracted line is the service (its price agreed) rather
// than a material sent; without the flag, a code that is no article.
bool serviceLine(const FictecDetLine& l, const CostReference& ref) {
    if (!l.OPERACAO.isEmpty())
        return l.OPERACAO == QLatin1String("S");
    return !ref.articlePrice(l.CODIGOMP);
}

bool machineStep(const QString& step, const QString& kind) {
    static const QStringList steps{"C", "E", "F", "V", "R", "M", "S", "J"};
    return steps.contains(step) || (step == QLatin1String("T") && kind == kPrintedScarf);
}

LineOutcome recostLine(const SheetScan& sheet, const FictecDetLine& stored, const CostReference& ref) {
    const QString& kind = sheet.kind;
    const QString step = stored.RELACFICTEC.trimmed().toUpper();
    const TipoCusto* costType = findCostType(ref.costTypes, stored.TIPO);
    if (!costType)
        return refused(kNoCostType);
    const SheetParameters& p = ref.parameters;
    const bool subcontracted = stored.TIPO == kSubcontractCostType;
    if (subcontracted && serviceLine(stored, ref))
        return {stored, {}}; // the service's price is the one agreed, typed on the step
    if (!subcontracted && stored.TIPO == p.machineCostType) {
        const std::optional<double> rate = ref.machineRate(stored.CODIGOMP);
        if (!rate)
            return refused(kNoMachineText + stored.CODIGOMP);
        const double waste = step == QLatin1String("A") ? knittingWasteOf(stored, sheet) : costType->DESPERD;
        return machineLine(step, kind, stored, waste, *rate);
    }
    if (step == QLatin1String("H") || step == QLatin1String("D") || step == QLatin1String("I") ||
        step == QLatin1String("B")) {
        if (operationLine(step, stored, ref))
            return operationOf(step, stored, ref);
    } else if (!subcontracted && machineStep(step, kind) && freeMachineMaterial(step)) {
        return {stored, {}}; // a material the machine step gives at no cost
    }
    const std::optional<double> price = step == QLatin1String("B")
                                            ? packagingMaterialPrice(stored, sheet, ref)
                                            : ref.articlePrice(stored.CODIGOMP);
    if (!price)
        return refused(kNoArticle + stored.CODIGOMP);
    if (step == QLatin1String("L"))
        return fabricOf(stored, *costType, *price);
    if (subcontracted)
        return materialOf(stored, *costType, *price, {2, 2});
    const Yarn yarn{stored.CODIGOMP, stored.DESIGN, stored.UNIDADE, 0, *price};
    if (step == QLatin1String("A")) // knitted yarns
        return costed(stored, yarnLine(yarn, stored.QUANT, stored.TIPO, knittingWasteOf(stored, sheet), 4));
    if (step == QLatin1String("G")) // woven yarns
        return costed(stored, yarnLine(yarn, stored.QUANT, stored.TIPO, costType->DESPERD, 7));
    if (step == QLatin1String("T") && kind == kPrintedScarf)
        return inkOf(stored, *costType, *price);
    if (machineStep(step, kind))
        return materialOf(stored, *costType, step == QLatin1String("F") ? *price / 100 : *price, {5, 4});
    return materialOf(stored, *costType, *price, {2, 2});
}

} // namespace

RecostedSheet recostSheet(const QString& sheetKind, const std::vector<FictecDetLine>& lines,
                          const CostReference& reference, std::optional<double> knittingWaste) {
    RecostedSheet out;
    out.lines = lines;
    SheetScan sheet{sheetKind.trimmed().toUpper(), knittingWaste, {}};
    for (const FictecDetLine& l : lines)
        if (l.RELACFICTEC.trimmed().toUpper() == QLatin1String("B") &&
            operationLine(QStringLiteral("B"), l, reference))
            sheet.packaging << l.CODIGOMP;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const FictecDetLine& stored = lines[i];
        out.before += stored.VALOR_FINAL;
        const LineOutcome o = recostLine(sheet, stored, reference);
        if (!o.refusal.isEmpty()) {
            RecostedSheet untouched;
            untouched.lines = lines;
            for (const FictecDetLine& l : lines)
                untouched.before += l.VALOR_FINAL;
            untouched.after = untouched.before;
            untouched.refusal =
                QStringLiteral("%1 %2: %3").arg(stored.RELACFICTEC).arg(stored.DETAIL).arg(o.refusal);
            return untouched;
        }
        // A line whose price and waste are what they were keeps its values
        // as stored (they may come from unrounded step figures).
        const FictecDetLine& n = o.line;
        if (!same(n.PRECO, stored.PRECO) || !same(n.QUANT_FINAL, stored.QUANT_FINAL)) {
            out.lines[i] = n;
            out.changed.push_back(i);
        }
        out.after += out.lines[i].VALOR_FINAL;
    }
    return out;
}

std::optional<CostReference> applyWhatIf(const CostReference& reference, const WhatIf& whatIf,
                                         QString* error) {
    CostReference r = reference;
    auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return std::nullopt;
    };
    for (auto it = whatIf.articlePrices.begin(); it != whatIf.articlePrices.end(); ++it) {
        const QString key = CostReference::key(it.key());
        if (!r.articlePrices.contains(key))
            return fail(kNoArticle + it.key());
        r.articlePrices[key] = *it;
    }
    for (auto it = whatIf.machineRates.begin(); it != whatIf.machineRates.end(); ++it) {
        const QString key = CostReference::key(it.key());
        if (!r.machineRates.contains(key))
            return fail(kNoMachineText + it.key());
        r.machineRates[key] = *it;
    }
    for (auto it = whatIf.waste.begin(); it != whatIf.waste.end(); ++it) {
        auto type = std::find_if(r.costTypes.begin(), r.costTypes.end(),
                                 [&](const TipoCusto& t) { return t.CODIGO == it.key(); });
        if (type == r.costTypes.end())
            return fail(QStringLiteral("Tipo de Custo Inexistente : %1").arg(it.key()));
        type->DESPERD = *it;
    }
    return r;
}

namespace {

// A price, rate or waste of the file: a finite number, not negative, and a
// waste under 100 %.
std::optional<double> amount(const QJsonValue& v, const QString& what, double below, QString* error) {
    const double d = v.toDouble(-1);
    if (!v.isDouble() || !std::isfinite(d) || d < 0 || d >= below) {
        if (error)
            *error = QStringLiteral("%1: valor inválido").arg(what);
        return std::nullopt;
    }
    return d;
}

bool readPrices(const QJsonObject& o, const char* member, QHash<QString, double>& out, QString* error) {
    const QJsonObject prices = o.value(QLatin1String(member)).toObject();
    for (auto it = prices.begin(); it != prices.end(); ++it) {
        const std::optional<double> d =
            amount(*it, QStringLiteral("%1 %2").arg(QLatin1String(member), it.key()), 1e9, error);
        if (!d)
            return false;
        out.insert(it.key(), *d);
    }
    return true;
}

} // namespace

std::optional<WhatIf> whatIfFromJson(const QByteArray& json, QString* error) {
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        if (error)
            *error = parse.error != QJsonParseError::NoError
                         ? QStringLiteral("JSON inválido (posição %1): %2")
                               .arg(parse.offset)
                               .arg(parse.errorString())
                         : QStringLiteral("JSON inválido: é esperado um objecto");
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    WhatIf w;
    if (!readPrices(o, "articles", w.articlePrices, error) ||
        !readPrices(o, "machines", w.machineRates, error))
        return std::nullopt;
    const QJsonObject waste = o.value(QLatin1String("waste")).toObject();
    for (auto it = waste.begin(); it != waste.end(); ++it) {
        bool ok = false;
        const int type = it.key().toInt(&ok);
        const std::optional<double> d = amount(*it, QStringLiteral("waste %1").arg(it.key()), 100, error);
        if (!ok || !d) {
            if (error && ok == false)
                *error = QStringLiteral("waste %1: tipo de custo inválido").arg(it.key());
            return std::nullopt;
        }
        w.waste.insert(type, *d);
    }
    if (o.contains(QLatin1String("threshold"))) {
        const std::optional<double> t =
            amount(o.value(QLatin1String("threshold")), QStringLiteral("threshold"), 100, error);
        if (!t)
            return std::nullopt;
        w.marginThreshold = *t;
    }
    return w;
}

} // namespace corvane::techsheet
