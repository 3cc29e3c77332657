#include "calc_steps.h"

#include "techsheet/machine_step_calc.h"
#include "techsheet/operation_calc.h"

namespace corvane::calc {

using namespace corvane::techsheet;

namespace {

const QString kNoArticlePrice = QStringLiteral("Artigo sem preço definido. Continua ?");
const QString kNoMaterialCode = QStringLiteral("Insira o código do material ...");

// The material types the document lists (TIPOMATERIAL); when it lists none,
// every type of the step's range exists.
struct ListedTypes {
    bool listed = false;
    QList<int> codes;
};

ListedTypes readListedTypes(const JsonIn& in) {
    ListedTypes t;
    t.listed = in.has("TIPOMATERIAL");
    for (const JsonIn& r : in.list("TIPOMATERIAL"))
        t.codes << r.integer("CODIGO", true);
    return t;
}

// The article of a step's one material: its type among the step's material
// types, its code among the offered articles of that type. Null when refused.
const Offered* chosenMaterial(const JsonIn& entry, std::pair<int, int> range, const ListedTypes& types,
                              const std::vector<Offered>& offered, Notes& notes) {
    const int type = entry.integer("TIPOMAT");
    if (type < range.first || type > range.second || (types.listed && !types.codes.contains(type))) {
        notes.refuse("Seleccione o Tipo de Material ...");
        return nullptr;
    }
    const QString code = entry.text("CODIGO").trimmed();
    if (code.isEmpty()) {
        notes.refuse(kNoMaterialCode);
        return nullptr;
    }
    const Offered* a = findOffered(offered, code, type);
    if (!a)
        notes.refuse("Artigo inexistente ...");
    return a;
}

// What the user typed over a material found: the quantity (when the step
// lets it be typed), the price (the cost follows) and the cost.
bool typedMaterialValues(const JsonIn& entry, MaterialEntry& m, bool quantityTyped, bool zeroCostRefused,
                         Notes& notes) {
    if (quantityTyped && !takeMaterialQuantity(m, entry.number("QUANT"), notes))
        return false;
    double value = 0;
    if (typed(entry, "PRECO", &value)) {
        if (value == 0)
            notes.say(kNoArticlePrice);
        takeMaterialPrice(m, value);
    }
    return !typed(entry, "VALOR", &value) || takeMaterialCost(m, value, zeroCostRefused, notes);
}

QJsonArray materialsJson(const std::vector<MaterialEntry>& materials) {
    QJsonArray a;
    for (const MaterialEntry& m : materials)
        if (!m.code.isEmpty())
            a.append(materialJson(m));
    return a;
}

void sayAll(const QStringList& questions, Notes& notes) {
    for (const QString& q : questions)
        notes.say(q);
}

} // namespace

Output machineStep(const JsonIn& in) {
    const QString step = in.text("StepCode", true).toUpper();
    if (!QStringList({"C", "E", "F", "V", "R", "M", "S", "J"}).contains(step))
        throw InputError{"StepCode: one of \"C\", \"E\", \"F\", \"V\", \"R\", \"M\", \"S\" or \"J\" is required"};
    const MachineScreen screen = step == "J" ? MachineScreen::Ultrasound : MachineScreen::Machines;
    const QString article = in.text("ArticleCode", true);
    const double length = in.number("ArticleLength", true);
    const double width = in.number("ArticleWidth", true);
    const double fringeMeasure = in.number("FringeMeasure");
    const int machineCostType = in.integer("MachineCostType", true);
    const MaterialCostTypes materialCostTypes{in.integer("YarnCostType"), in.integer("FringeCostType"),
                                              in.integer("LabelCostType")};
    const CostTypes types = readCostTypes(in);
    const std::vector<Offered> offered = readOffered(in, "materials", in.text("TIPOPRECO").toUpper());
    const ListedTypes listed = readListedTypes(in);
    const std::vector<JsonIn> entries = in.list("material_rows", false, 1);
    const bool hasMaterial = screen == MachineScreen::Machines && machineStepHasMaterial(step);
    if (!entries.empty() && !hasMaterial)
        throw InputError{"material_rows: step " + step + " takes no material"};

    Output out;
    machineMeasuresNote(screen, length, width, out.notes);
    bool ok = true;
    std::vector<WorkMachineRow> rows;
    for (const JsonIn& r : in.list("machines", true)) {
        WorkMachineRow row = readMachineRow(r);
        const int mode = r.integer("TIPOPRD", false, 0);
        if (!row.ticked())
            untickMachine(row, screen);
        else if (ok)
            ok = screen == MachineScreen::Ultrasound ? costUltrasound(row, mode, length, out.notes)
                                                     : costTypedMinutes(row, out.notes);
        rows.push_back(row);
    }

    MaterialEntry material;
    if (ok && !entries.empty()) {
        const JsonIn& e = entries.front();
        const Offered* a = chosenMaterial(e, machineMaterialTypes(step), listed, offered, out.notes);
        ok = a != nullptr;
        if (ok) {
            material = machineMaterial(step, a->code, a->designation, a->unit, a->price, fringeMeasure);
            if (freeMachineMaterial(step)) {
                out.notes.say("Deseja Gravar ?"); // answered yes: the step is written as it stands
            } else {
                if (material.price == 0)
                    out.notes.say(kNoArticlePrice);
                ok = typedMaterialValues(e, material, step != "F", false, out.notes);
            }
        }
    }

    std::vector<FictecDetLine> lines;
    if (ok && checkMachineChosen(rows, out.notes)) {
        if (screen == MachineScreen::Machines)
            sayAll(machineClosingQuestions(step, material), out.notes);
        int detail = in.integer("next_detail", false, 1);
        machineTimeLines(screen, article, step, rows, types, machineCostType, detail, lines, out.notes);
        if (hasMaterial && !material.code.isEmpty())
            machineMaterialLine(article, step, material, types, materialCostTypes, detail, lines, out.notes);
    }
    out.json["machines"] = jsonArray(rows, machineRowJson);
    out.json["material_rows"] = materialsJson({material});
    out.json["FICTECDET"] = toJson(lines);
    return out;
}

namespace {

// The subsidiary materials of the packaging type `code` (EMBALAGEMMP), as proposed.
std::array<MaterialEntry, 3> proposedFor(const JsonIn& in, const QString& code) {
    for (const JsonIn& r : in.list("EMBALAGEMMP")) {
        PackagingSubsidiaries row{QString::number(r.integer("CODIGO", true)), {}};
        if (row.CODIGO != code.trimmed())
            continue;
        for (int n = 1; n <= 3; ++n)
            row.materials[static_cast<std::size_t>(n - 1)] = {
                r.text(QString("ARTNRO%1").arg(n)).trimmed(), r.text(QString("DESIGNACAO%1").arg(n)),
                r.text(QString("UND%1").arg(n)),           r.number(QString("QTD%1").arg(n)),
                r.number(QString("PRECO%1").arg(n)),       0};
        return proposedPackagingMaterials(row);
    }
    return {};
}

// The packaging materials typed in rows 1 to 3: an empty code ends them (row 1
// may not be empty); each is an article of the packaging materials' types.
bool packagingMaterials(const std::vector<JsonIn>& entries, const std::vector<Offered>& offered,
                        std::vector<MaterialEntry>& out, Notes& notes) {
    for (const JsonIn& e : entries) {
        const QString code = e.text("CODIGO").trimmed();
        if (code.isEmpty())
            return !out.empty() || notes.refuse(kNoMaterialCode); // the rows after it are dropped
        const Offered* a = findOffered(offered, code);
        if (!a || a->type < kPackagingMaterialTypes.first || a->type > kPackagingMaterialTypes.second)
            return notes.refuse("Artigo inexistente ...");
        MaterialEntry m{a->code, a->designation, a->unit, 0, a->price, 0};
        if (m.price == 0)
            notes.say(kNoArticlePrice);
        if (!typedMaterialValues(e, m, true, true, notes))
            return false;
        out.push_back(m);
    }
    return true;
}

} // namespace

Output operationStep(const JsonIn& in) {
    const QString step = in.text("StepCode", true).toUpper();
    if (!QStringList({"H", "D", "I", "B"}).contains(step))
        throw InputError{"StepCode: one of \"H\", \"D\", \"I\" or \"B\" is required"};
    const bool packaging = step == "B";
    const QString article = in.text("ArticleCode", true);
    const double minutes = in.number("OperationMinutes");
    const OperationCostTypes costTypes{in.integer("HangerCostType"), in.integer("CardLabelCostType")};
    const CostTypes types = readCostTypes(in);
    const std::vector<Offered> offered = readOffered(in, "materials", in.text("TIPOPRECO").toUpper());
    const ListedTypes listed = readListedTypes(in);
    const std::vector<JsonIn> entries = in.list("material_rows", false, packaging ? 3 : 1);
    if (!entries.empty() && !operationStepHasMaterial(step))
        throw InputError{"material_rows: step H takes no material"};

    Output out;
    operationMinutesNote(step, minutes, out.notes);
    bool ok = true;
    std::vector<WorkArticleRow> rows;
    for (const JsonIn& r : in.list("operations", true)) {
        WorkArticleRow row;
        row.CODIGO = r.text("CODIGO", true);
        row.DESIGNACAO = r.text("DESIGNACAO");
        row.UNCOMPRA = r.text("UNCOMPRA");
        row.CUSTOPADRAO = r.number("CUSTOPADRAO");
        if (r.text("OK", false, "N").toUpper() == "S" && ok) {
            // On design and hangers the time is the sheet's: none need be typed.
            std::optional<double> time;
            if (r.has("QTD") || step == "H" || step == "D")
                time = r.number("QTD");
            ok = costOperationRow(row, step, time, minutes, out.notes);
        }
        rows.push_back(row);
    }

    std::vector<MaterialEntry> materials;
    if (ok && packaging) {
        if (in.has("material_rows")) {
            ok = packagingMaterials(entries, offered, materials, out.notes);
        } else {
            // Nothing typed: the materials proposed for the first ticked packaging type.
            for (const WorkArticleRow& r : rows)
                if (r.ticked()) {
                    const std::array<MaterialEntry, 3> proposed = proposedFor(in, r.CODIGO);
                    materials.assign(proposed.begin(), proposed.end());
                    break;
                }
        }
    } else if (ok && !entries.empty()) {
        const JsonIn& e = entries.front();
        const Offered* a = chosenMaterial(e, operationMaterialTypes(step), listed, offered, out.notes);
        ok = a != nullptr;
        if (ok) {
            MaterialEntry m{a->code, a->designation, a->unit, 0, a->price, 0};
            if (m.price == 0)
                out.notes.say(kNoArticlePrice);
            ok = typedMaterialValues(e, m, true, false, out.notes);
            materials.push_back(m);
        }
    }

    std::vector<FictecDetLine> lines;
    if (ok && checkOperationChosen(step, rows, out.notes) && checkPackagingCostType(step, types, out.notes)) {
        sayAll(operationClosingQuestions(step, materials), out.notes);
        int detail = in.integer("next_detail", false, 1);
        operationLines(article, step, rows, types, costTypes, detail, lines);
        operationMaterialLines(article, step, materials, types, costTypes, detail, lines, out.notes);
    }
    QJsonArray rowsOut;
    for (const WorkArticleRow& r : rows)
        rowsOut.append(QJsonObject{{"CODIGO", r.CODIGO},
                                   {"OK", r.OK},
                                   {"QTD", r.QTD},
                                   {"PRECO", r.PRECO},
                                   {"CUSTO", r.CUSTO}});
    out.json["operations"] = rowsOut;
    out.json["material_rows"] = materialsJson(materials);
    out.json["FICTECDET"] = toJson(lines);
    return out;
}

} // namespace corvane::calc
