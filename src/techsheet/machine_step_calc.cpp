#include "machine_step_calc.h"

#include "core/rounding.h"
#include "step_lines.h"

#include <algorithm>
#include <cmath>

namespace corvane::techsheet {

namespace {

const QString kNoMachine = QStringLiteral("Não seleccionou nenhuma Máquina, reveja de novo ...");

} // namespace

bool costTypedMinutes(WorkMachineRow& row, Notes& notes) {
    if (row.QTD <= 0) // a negative time is no time either
        return notes.refuse("Insira o tempo [min] por cada operação...");
    const double minutes = roundTo(row.QTD, 0);
    row.PRECO = roundTo(row.CUSTOPADRAO, 3);
    row.CUSTO = roundTo(minutes * row.PRECO / 60, 3);
    row.QTD_SEMACERTO = 0;
    row.TIPOPRD = 0;
    return true;
}

bool costUltrasound(WorkMachineRow& row, int mode, double articleLength, Notes& notes) {
    if (mode != 1 && mode != 2)
        return notes.refuse("Digite entre [1] e [2] ...");
    const double rate = mode == 1 ? row.PRODUCAO1 : row.PRODUCAO2;
    const double setUp = mode == 1 ? row.ACERTO1 : row.ACERTO2;
    const bool metres = row.UNIDADE == "MTM";
    const bool units = row.UNIDADE == "UPM";
    if ((metres || units) && rate == 0)
        return notes.refuse("Produção da Máquina não está definida ...");
    // Minutes of cutting without set-up: on "MTM" the article's length in
    // metres (cm / 100) at R metres a minute; on "UPM" a thousand units at R
    // units a minute. Both times in minutes to 2 decimals, as the loom's are:
    // whole minutes would make a cut of a few seconds cost nothing.
    double run = 0;
    if (metres)
        run = articleLength / 100 / rate * row.NROPASSAGENS;
    else if (units)
        run = 1000 / rate * row.NROPASSAGENS;
    row.QTD = (metres || units) ? roundTo(setUp + run, 2) : 0;
    row.QTD_SEMACERTO = roundTo(run, 2);
    row.PRECO = roundTo(row.CUSTOPADRAO, 3);
    row.CUSTO = roundTo(row.QTD * row.PRECO, 3);
    row.TIPOPRD = mode;
    return true;
}

void machineTimeLines(MachineScreen screen, const QString& article, const QString& stepCode,
                      const std::vector<WorkMachineRow>& rows, const CostTypes& costTypes,
                      int machineCostType, int& detail, std::vector<FictecDetLine>& lines, Notes& notes) {
    const TipoCusto* costType = findCostType(costTypes, machineCostType);
    const bool ultrasound = screen == MachineScreen::Ultrasound;
    for (const auto& row : rows) {
        if (!row.ticked())
            continue;
        if (!costType) {
            notes.say("Ainda não parametrizou o Desperdício das Máquinas ...");
            continue;
        }
        FictecDetLine& line = appendLine(
            lines,
            machineTimeLine(row, machineCostType, costType->DESPERD,
                            ultrasound ? MachineRate::PerMinute : MachineRate::PerHour, WasteForm::Addition),
            article, detail, stepCode);
        if (!ultrasound)
            line.TMP_SEMACERTO = line.QUANT;
        if (screen == MachineScreen::Machines)
            line.OPERACAO = "M";
    }
}

bool checkMachineChosen(const std::vector<WorkMachineRow>& rows, Notes& notes) {
    return tickedCount(rows) > 0 || notes.refuse(kNoMachine);
}

void machineMeasuresNote(MachineScreen screen, double articleLength, double articleWidth, Notes& notes) {
    if (articleLength != 0 && articleWidth != 0)
        return;
    notes.say(screen == MachineScreen::Ultrasound
                  ? QStringLiteral("Impossibilidade de Cálculo, comprim.ou Largura da Etiqueta nulo ...")
                  : QStringLiteral("Impossibilidade de Cálculo, comprim.ou Largura da peça nulo ..."));
}

void untickMachine(WorkMachineRow& row, MachineScreen screen) {
    row.OK = QStringLiteral("N");
    row.QTD = row.PRECO = row.CUSTO = row.QTD_SEMACERTO = 0;
    if (screen == MachineScreen::Ultrasound)
        row.TIPOPRD = 0;
}

bool machineStepHasMaterial(const QString& stepCode) {
    return stepCode != QLatin1String("V");
}

std::pair<int, int> machineMaterialTypes(const QString& stepCode) {
    if (stepCode == QLatin1String("F"))
        return {140, 159};
    if (stepCode == QLatin1String("E"))
        return {1, 10};
    if (stepCode == QLatin1String("S"))
        return {1, 9999};
    return {41, 99}; // "C", "R", "M"
}

bool freeMachineMaterial(const QString& stepCode) {
    return stepCode == QLatin1String("C") || stepCode == QLatin1String("R");
}

QStringList machineClosingQuestions(const QString& stepCode, const MaterialEntry& material) {
    QStringList out;
    // The saw's material is optional: it asks nothing.
    if (machineStepHasMaterial(stepCode) && stepCode != QLatin1String("S") && material.code.isEmpty())
        out << QStringLiteral("Não inseriu a Matéria Prima .Deseja Continuar ?");
    if (stepCode != QLatin1String("F") && stepCode != QLatin1String("E"))
        return out;
    if (material.quantity == 0)
        out << QStringLiteral("Não inseriu o consumo de Matéria Prima .Deseja Continuar ?");
    if (material.price == 0)
        out << QStringLiteral("Não inseriu o Custo da Matéria Prima .Deseja Continuar ?");
    return out;
}

int machineMaterialCostType(const QString& stepCode, const MaterialCostTypes& types) {
    if (stepCode == "F")
        return types.FringeCostType;
    if (stepCode == "E")
        return types.LabelCostType;
    if (stepCode == "C" || stepCode == "R" || stepCode == "M" || stepCode == "S")
        return types.YarnCostType;
    return 0;
}

MaterialEntry machineMaterial(const QString& stepCode, const QString& code, const QString& designation,
                              const QString& purchaseUnit, double articlePrice, double fringeMeasure) {
    MaterialEntry m{code, designation, purchaseUnit, 0, articlePrice, 0};
    if (freeMachineMaterial(stepCode)) {
        m.quantity = 1;
        m.price = 0;
    } else if (stepCode == "F") {
        m.unit = "Cm";
        m.quantity = fringeMeasure;
        m.price = articlePrice / 100;
    }
    m.cost = m.quantity * m.price;
    return m;
}

bool machineMaterialLine(const QString& article, const QString& stepCode, const MaterialEntry& material,
                         const CostTypes& costTypes, const MaterialCostTypes& types, int& detail,
                         std::vector<FictecDetLine>& lines, Notes& notes) {
    const TipoCusto* costType = findCostType(costTypes, machineMaterialCostType(stepCode, types));
    if (!costType) {
        notes.say("Ainda não parametrizou o Desperdício dos Materiais ...");
        return false;
    }
    appendLine(lines, materialLine(material, *costType, {5, 4}), article, detail, stepCode);
    return true;
}

double printArea(double articleLength, double articleWidth) {
    return articleLength * articleWidth / 10000; // cm × cm -> m²
}

double inkPrice(double articlePrice) {
    return roundTo(articlePrice, kInkPriceDecimals);
}

void costInk(InkRow& ink, double area, double printSurfacePercent, double convKgsTintas) {
    const double printed = area * printSurfacePercent / 100; // m²
    const double inkArea = printed * ink.percent / 100;      // m² this ink covers
    ink.quantity = convKgsTintas * inkArea;                  // litres, not rounded
    ink.cost = roundTo(ink.quantity * ink.price, kInkValueDecimals);
}

void costInk(InkRow& ink, const InkCosting& c) {
    costInk(ink, c.area, c.printSurfacePercent, c.convKgsTintas);
}

namespace {

// Percents that add up to 100 within what the sums of typed decimals miss.
bool isWhole(double total) {
    return std::abs(total - 100) < 1e-9;
}

bool overWhole(double total) {
    return total > 100 + 1e-9;
}

// The sum of the percents of the rows with an ink, but row `skip` (0-based).
double sharedPercent(const std::vector<InkRow>& inks, std::size_t skip) {
    double total = 0;
    for (std::size_t r = 0; r < inks.size() && r < kInkRows; ++r)
        if (r != skip && !inks[r].code.isEmpty())
            total += inks[r].percent;
    return total;
}

QString repeatedInk(const QString& code, std::size_t row) {
    return QStringLiteral("A Tinta %1 já está na linha %2 ...").arg(code).arg(row + 1);
}

// Row (0-based) other than `skip` holding `code`, or -1.
int rowWithInk(const std::vector<InkRow>& inks, const QString& code, std::size_t skip) {
    for (std::size_t r = 0; r < inks.size() && r < kInkRows; ++r)
        if (r != skip && !inks[r].code.isEmpty() &&
            inks[r].code.trimmed().compare(code.trimmed(), Qt::CaseInsensitive) == 0)
            return static_cast<int>(r);
    return -1;
}

void costIfPriced(InkRow& ink, const InkCosting& c) {
    if (ink.price != 0)
        costInk(ink, c);
}

} // namespace

bool takeInkCode(std::vector<InkRow>& inks, int n, const QString& code, const MaterialEntry* found,
                 const InkCosting& c, Notes& notes) {
    if (n < 1 || n > kInkRows)
        return false;
    if (inks.size() < kInkRows)
        inks.resize(kInkRows);
    const std::size_t r = static_cast<std::size_t>(n - 1);
    InkRow& ink = inks[r];
    const QString typed = code.trimmed();
    if (typed.isEmpty()) {
        if (n == 1 || !isWhole(sharedPercent(inks, r)))
            return notes.refuse(QStringLiteral("Insira o código do material ..."));
        ink = {};
        return true;
    }
    const int other = rowWithInk(inks, typed, r);
    if (other >= 0)
        return notes.refuse(repeatedInk(typed, static_cast<std::size_t>(other)));
    if (!found)
        return notes.refuse(QStringLiteral("Artigo inexistente ..."));
    ink.code = found->code;
    ink.designation = found->designation;
    ink.price = inkPrice(found->price);
    if (ink.percent != 0)
        costInk(ink, c);
    else
        ink.quantity = ink.cost = 0;
    return true;
}

bool takeInkPercent(InkRow& ink, std::optional<double> typed, const InkCosting& c, Notes& notes) {
    if (!typed)
        return notes.refuse(QStringLiteral("Insira a % de Impressão para a Tinta ..."));
    if (*typed <= 0 || *typed > 100)
        return notes.refuse(QStringLiteral("% de Impressão Inválida ..."));
    ink.percent = *typed;
    costIfPriced(ink, c);
    return true;
}

bool takeInkPrice(InkRow& ink, std::optional<double> typed, const InkCosting& c, Notes& notes) {
    if (!typed || *typed == 0)
        return notes.refuse(QStringLiteral("Insira o preço de custo por M2 ...."));
    ink.price = inkPrice(*typed);
    costInk(ink, c);
    return true;
}

void proposeInks(std::vector<InkRow>& inks, const std::vector<std::pair<QString, double>>& proposal,
                 const std::function<std::optional<MaterialEntry>(const QString&)>& find,
                 const InkCosting& c) {
    inks.assign(kInkRows, InkRow{});
    for (std::size_t r = 0; r < proposal.size() && r < kInkRows; ++r) {
        const QString code = proposal[r].first.trimmed();
        if (code.isEmpty())
            continue;
        InkRow& ink = inks[r];
        ink.code = code;
        ink.percent = proposal[r].second;
        if (const std::optional<MaterialEntry> found = find(code)) {
            ink.designation = found->designation;
            ink.price = inkPrice(found->price);
        }
        costInk(ink, c);
    }
}

InkRow inkFromLine(const FictecDetLine& line, const InkCosting& c) {
    InkRow ink{line.CODIGOMP.trimmed(), line.DESIGN, line.PERC_IMPR, line.QUANT, line.PRECO, line.VALOR};
    InkRow computed = ink;
    costInk(computed, c);
    if (roundTo(computed.quantity, 4) == ink.quantity && computed.cost == ink.cost)
        ink.quantity = computed.quantity;
    return ink;
}

bool checkInkShares(const std::vector<InkRow>& inks, Notes& notes) {
    for (std::size_t r = 0; r < inks.size() && r < kInkRows; ++r) {
        if (inks[r].code.isEmpty())
            continue;
        const int other = rowWithInk(inks, inks[r].code, r);
        if (other >= 0 && static_cast<std::size_t>(other) < r)
            return notes.refuse(repeatedInk(inks[r].code, static_cast<std::size_t>(other)));
    }
    return !overWhole(sharedPercent(inks, kInkRows)) ||
           notes.refuse(QStringLiteral("A % Total de Consumo de Tintas não pode ultrapassar os 100%"));
}

bool checkPrintingClose(const std::vector<WorkMachineRow>& rows, const std::vector<InkRow>& inks,
                        Notes& notes) {
    if (!checkMachineChosen(rows, notes))
        return false;
    if (inks.empty() || inks.front().code.isEmpty())
        notes.say(kNoInks);
    return checkInkShares(inks, notes);
}

void inkLines(const QString& article, const QString& stepCode, const std::vector<InkRow>& inks,
              const CostTypes& costTypes, int inkCostType, int& detail, std::vector<FictecDetLine>& lines,
              Notes& notes) {
    const TipoCusto* costType = findCostType(costTypes, inkCostType);
    const std::size_t rows = std::min<std::size_t>(inks.size(), 5);
    for (std::size_t r = 0; r < rows; ++r) {
        const InkRow& ink = inks[r];
        if (ink.code.isEmpty())
            continue;
        if (!costType) {
            notes.say("Ainda não parametrizou o Desperdício da Tinta ...");
            continue;
        }
        // Litres to 4 decimals, money to 5: an ink costs a few cents a piece.
        // The values from the unrounded litres (with waste too), then rounded.
        const double d = costType->DESPERD;
        const double qf = d != 0 ? ink.quantity + d * ink.quantity / 100 : ink.quantity;
        FictecDetLine& line = appendLine(lines, costedLine(inkCostType, ink.code, ink.designation, "Lts"),
                                         article, detail, stepCode);
        line.QUANT = roundTo(ink.quantity, 4);
        line.PRECO = roundTo(ink.price, kInkPriceDecimals);
        line.VALOR = roundTo(ink.quantity * line.PRECO, kInkValueDecimals);
        line.QUANT_FINAL = roundTo(qf, 4);
        line.VALOR_FINAL = roundTo(d * qf * line.PRECO / 100 + line.VALOR, kInkValueDecimals);
        line.TMPACE = 0;
        line.TMP_SEMACERTO = 0;
        line.PERC_IMPR = ink.percent;
    }
}

} // namespace corvane::techsheet
