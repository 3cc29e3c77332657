#include "calc_command.h"

#include "calc_json.h"
#include "calc_steps.h"
#include "quotation/quotation_calc.h"
#include "techsheet/knitting_calc.h"
#include "techsheet/machine_step_calc.h"
#include "techsheet/subcontract_calc.h"
#include "techsheet/weaving_calc.h"

#include <QFile>
#include <QJsonDocument>

using namespace corvane;
using namespace corvane::calc;

namespace {

const char* const kUsage = "usage: corvane-admin calc quote|weave|knit|subcontract|fabric|machine|operations|print "
                           "FILE   (FILE - reads standard input)";

QJsonObject readDocument(const QString& file) {
    QFile f;
    const bool opened =
        file == "-" ? f.open(stdin, QIODevice::ReadOnly) : (f.setFileName(file), f.open(QIODevice::ReadOnly));
    if (!opened)
        throw InputError{"cannot read " + file};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw InputError{
            QString("malformed JSON at offset %1: %2").arg(error.offset).arg(error.errorString())};
    if (!doc.isObject())
        throw InputError{"the document must be a JSON object"};
    return doc.object();
}

// --- quote -------------------------------------------------------------------

void readPercent(const JsonIn& in, const QString& x, quotation::PercentCharge& c) {
    c.PERC = in.number(x + "PERC");
}

void readFixedOrPercent(const JsonIn& in, const QString& x, quotation::FixedOrPercentCharge& c) {
    c.VALFIXO = in.number(x + "VALFIXO");
    c.PERC = in.number(x + "PERC");
}

QJsonObject chargeTotals(std::initializer_list<std::pair<const char*, const quotation::Levels*>> charges) {
    QJsonObject o;
    for (const auto& [name, levels] : charges)
        putLevels(o, QString(name) + "VALTOT", *levels);
    return o;
}

Output quote(const JsonIn& in) {
    using namespace corvane::quotation;
    Quotation q;
    q.priceDecimals = in.integer("price_decimals", false, 2);
    const int currencyDecimals = in.integer("currency_decimals", false, 2);
    const QString mode = in.text("price_mode", false, "margin");
    if (mode != "margin" && mode != "customer")
        throw InputError{"price_mode: \"margin\" or \"customer\" is required"};
    q.mode = mode == "margin" ? PriceMode::Margin : PriceMode::Customer;
    const CostTypes types = readCostTypes(in);
    std::vector<FictecDetLine> rows;
    for (const JsonIn& r : in.list("FICTECDET", true)) {
        FictecDetLine line;
        line.RELACFICTEC = r.text("RELACFICTEC");
        line.TIPO = r.integer("TIPO", true);
        line.VALOR = r.number("VALOR");
        line.PRECO = r.number("PRECO");
        line.QUANT = r.number("QUANT");
        line.TMPACE = r.number("TMPACE");
        line.TMP_SEMACERTO = r.number("TMP_SEMACERTO");
        rows.push_back(line);
    }
    const JsonIn mas = in.object("ORCAMMAS", true);
    q.mas.QUANT = mas.levels("QUANT");
    q.mas.MARGEMLIQ = mas.number("MARGEMLIQ");
    q.mas.DESENHO = mas.text("DESENHO", false, "S").toUpper();
    q.mas.PRECOCLI = mas.levels("PRECOCLI");
    q.mas.PRCORC = mas.levels("PRCORC");
    const JsonIn com = in.object("ORCAMCOM");
    readPercent(com, "VND", q.com.VND);
    readPercent(com, "AGT", q.com.AGT);
    readPercent(com, "ROY", q.com.ROY);
    const JsonIn transp = in.object("ORCAMTRANSP");
    readFixedOrPercent(transp, "METEXP", q.transp.METEXP);
    readFixedOrPercent(transp, "SEG", q.transp.SEG);
    readFixedOrPercent(transp, "DESP", q.transp.DESP);
    const JsonIn cnd = in.object("ORCAMCNDPGT");
    readFixedOrPercent(cnd, "CNDPGT", q.cndpgt.CNDPGT);
    readFixedOrPercent(cnd, "PRZ", q.cndpgt.PRZ);
    readFixedOrPercent(cnd, "DESC", q.cndpgt.DESC);
    const JsonIn desc = in.object("ORCAMDESC");
    readPercent(desc, "PRECO", q.desc.PRECO);
    readPercent(desc, "QTD", q.desc.QTD);

    Output out;
    const QString kind = in.object("FICTECMAS").text("TIPOFICTEC");
    const UnitCosts unit = buildUnitCosts(rows, types, q.mas.QUANT, out.notes, kind);
    LevelValues values;
    const bool computed = calculateQuotation(q, unit, values, out.notes);

    QJsonObject masOut;
    putLevels(masOut, "PRCORC", q.mas.PRCORC);
    putLevels(masOut, "PRECOCLI", q.mas.PRECOCLI);
    putLevels(masOut, "VALORCLI", q.mas.VALORCLI);
    out.json["ORCAMMAS"] = masOut;
    out.json["ORCAMCOM"] =
        chargeTotals({{"VND", &q.com.VND.VALTOT}, {"AGT", &q.com.AGT.VALTOT}, {"ROY", &q.com.ROY.VALTOT}});
    out.json["ORCAMTRANSP"] = chargeTotals({{"METEXP", &q.transp.METEXP.VALTOT},
                                            {"SEG", &q.transp.SEG.VALTOT},
                                            {"DESP", &q.transp.DESP.VALTOT}});
    out.json["ORCAMCNDPGT"] = chargeTotals({{"CNDPGT", &q.cndpgt.CNDPGT.VALTOT},
                                            {"PRZ", &q.cndpgt.PRZ.VALTOT},
                                            {"DESC", &q.cndpgt.DESC.VALTOT}});
    out.json["ORCAMDESC"] = chargeTotals({{"PRECO", &q.desc.PRECO.VALTOT}, {"QTD", &q.desc.QTD.VALTOT}});
    if (computed) {
        const OrcamTot t = closingTotals(values, currencyDecimals);
        QJsonObject tot;
        const std::pair<const char*, const Levels*> columns[] = {
            {"MATERIAIS", &t.MATERIAIS}, {"TRANSFORM", &t.TRANSFORM}, {"CUSTFIXOS", &t.CUSTFIXOS},
            {"SUBCONT", &t.SUBCONT},     {"DESPERDIC", &t.DESPERDIC}, {"QUALIDADE", &t.QUALIDADE},
            {"ESTRUTURA", &t.ESTRUTURA}, {"EMBALAGEM", &t.EMBALAGEM}, {"COMISSOES", &t.COMISSOES},
            {"TRANSPORT", &t.TRANSPORT}, {"CONDPAGAM", &t.CONDPAGAM}, {"DESCONTOS", &t.DESCONTOS},
            {"MARGEMLIQ", &t.MARGEMLIQ}, {"MARGEMPRC", &t.MARGEMPRC}};
        for (const auto& [name, levels] : columns)
            putLevels(tot, name, *levels);
        out.json["ORCAMTOT"] = tot;
    }
    return out;
}

// --- weave and knit ------------------------------------------------------------

QJsonArray kgList(const std::array<double, 8>& kg, std::size_t used) {
    QJsonArray a;
    for (std::size_t i = 0; i < used; ++i)
        a.append(kg[i]);
    return a;
}

// What the weave and knit documents share.
struct YarnStepInput {
    QString article;
    int yarnCostType = 0;
    int machineCostType = 0;
    techsheet::CostTypes types;
    std::vector<techsheet::Yarn> yarns;
    std::vector<techsheet::WorkMachineRow> machines;
    int detail = 1;
};

YarnStepInput readYarnStep(const JsonIn& in, const QString& machinesKey) {
    YarnStepInput s;
    s.article = in.text("ArticleCode", true);
    s.yarnCostType = in.integer("YarnCostType", true);
    s.machineCostType = in.integer("MachineCostType", true);
    s.types = readCostTypes(in);
    s.yarns = readYarns(in);
    for (const JsonIn& r : in.list(machinesKey, true))
        s.machines.push_back(readMachineRow(r));
    s.detail = in.integer("next_detail", false, 1);
    return s;
}

QJsonArray machinesJson(const std::vector<techsheet::WorkMachineRow>& rows) {
    return jsonArray(rows, machineRowJson);
}

Output weave(const JsonIn& in) {
    using namespace corvane::techsheet;
    YarnStepInput s = readYarnStep(in, "looms");
    WeavingInput w;
    w.ArticleCode = s.article;
    w.ArticleWidth = in.number("ArticleWidth", true);
    w.ArticleLength = in.number("ArticleLength", true);
    w.ContractionPercent = in.number("ContractionPercent", true);
    const auto weft = in.list("weft", false, 8);
    const auto warp = in.list("warp", false, 8);
    for (std::size_t i = 0; i < weft.size(); ++i)
        w.weft[i] = {weft[i].integer("passages"), weft[i].text("yarn")};
    for (std::size_t i = 0; i < warp.size(); ++i)
        w.warp[i] = {warp[i].integer("threads"), warp[i].text("yarn")};

    Output out;
    WeavingResult r = computeWeaving(w, s.machines, s.yarns);
    out.notes = r.notes;
    std::vector<FictecDetLine> lines;
    if (!out.notes.refused &&
        weavingLoomLine(w, s.machines, s.types, s.machineCostType, s.detail, lines, out.notes))
        weavingYarnLines(w, r.weftKg, r.warpKg, s.yarns, s.types, s.yarnCostType, s.detail, lines, out.notes);
    out.json["looms"] = machinesJson(s.machines);
    out.json["LoomRaports"] = r.choice.LoomRaports;
    out.json["LoomStrips"] = r.choice.LoomStrips;
    out.json["weft"] = kgList(r.weftKg, weft.size());
    out.json["warp"] = kgList(r.warpKg, warp.size());
    out.json["FICTECDET"] = toJson(lines);
    return out;
}

Output knit(const JsonIn& in) {
    using namespace corvane::techsheet;
    YarnStepInput s = readYarnStep(in, "machines");
    KnittingInput k;
    k.ArticleCode = s.article;
    k.PieceWeight = in.number("PieceWeight", true);
    k.YarnWastePercent = in.number("YarnWastePercent");
    const auto rows = in.list("rows", false, 8);

    Output out;
    bool ok = true;
    for (std::size_t i = 0; i < rows.size() && ok; ++i) {
        k.rows[i] = {0, rows[i].text("yarn"), rows[i].text("gradation").left(6)};
        ok = knitPercentOnExit(rows[i].number("percent"), k.rows[i].percent, out.notes);
    }
    std::array<double, 8> kg{};
    std::vector<FictecDetLine> lines;
    ok = ok && costKnittingMachines(s.machines, out.notes) &&
         computeKnitConsumption(k, s.yarns, kg, out.notes) &&
         knittingLines(k, kg, s.machines, s.yarns, s.types, s.machineCostType, s.yarnCostType, s.detail,
                       lines, out.notes);
    out.json["consumptions"] = kgList(kg, rows.size());
    out.json["machines"] = machinesJson(s.machines);
    out.json["FICTECDET"] = toJson(lines);
    return out;
}

// --- subcontract and fabric ----------------------------------------------------

Output subcontract(const JsonIn& in) {
    using namespace corvane::techsheet;
    const QString article = in.text("ArticleCode", true);
    const QString step = in.text("StepCode", true).toUpper();
    if (step != "R" && step != "M")
        throw InputError{"StepCode: \"R\" or \"M\" is required"};
    const CostTypes types = readCostTypes(in);
    const QString basis = in.text("TIPOPRECO").toUpper();
    const std::vector<Offered> services = readOffered(in, "services", basis);
    const std::vector<Offered> materials = readOffered(in, "materials", basis);
    QList<int> materialTypes;
    for (const JsonIn& t : in.list("TIPOMATERIAL"))
        materialTypes << t.integer("CODIGO", true);
    const JsonIn entries = in.object("FICTECSUBCONT", true);

    Output out;
    SubcontractEntry e;
    const QString serviceCode = entries.text("SERVICO");
    const Offered* service = findOffered(services, serviceCode);
    const QString designation = service ? service->designation : QString();
    bool ok =
        takeService(e, service ? service->code : serviceCode, service ? &designation : nullptr, out.notes) &&
        takeServicePrice(e, entries.number("PRECO"), out.notes);
    e.materials.assign(kSubcontractMaterials, MaterialEntry{});
    for (int n = 1; n <= kSubcontractMaterials && ok; ++n) {
        const std::size_t i = static_cast<std::size_t>(n - 1);
        const QString code = entries.text(QString("MPNRO%1").arg(n)).trimmed();
        if (code.isEmpty())
            break; // an empty row drops the rows after it
        const int type = entries.integer(QString("MPTMAT%1").arg(n));
        if (!materialTypes.contains(type)) {
            ok = out.notes.refuse("Seleccione o Tipo de Material ...");
            break;
        }
        const Offered* m = findOffered(materials, code, type);
        if (!m) {
            ok = out.notes.refuse("Artigo inexistente ...");
            break;
        }
        e.MPTMAT[i] = type;
        MaterialEntry& row = e.materials[i];
        row = {m->code, m->designation, m->unit, 0, m->price, 0};
        double value = 0;
        if (typed(entries, QString("MPPRECO%1").arg(n), &value))
            row.price = value;
        if (row.price == 0)
            out.notes.say("Artigo sem preço definido. Continua ?");
        ok = takeMaterialQuantity(row, entries.number(QString("MPQTD%1").arg(n)), out.notes);
        if (ok && typed(entries, QString("MPCUSTO%1").arg(n), &value))
            row.cost = value;
    }
    std::vector<FictecDetLine> lines;
    if (ok) {
        for (const QString& question : subcontractClosingQuestions(e))
            out.notes.say(question);
        int detail = in.integer("next_detail", false, 1);
        subcontractLines(article, step, e, types, detail, lines, out.notes);
    }
    QJsonObject row;
    const QVariantMap columns = subcontractColumns(article, step, e);
    for (auto it = columns.cbegin(); it != columns.cend(); ++it)
        row[it.key()] = QJsonValue::fromVariant(it.value());
    out.json["FICTECSUBCONT"] = row;
    out.json["FICTECDET"] = toJson(lines);
    return out;
}

Output fabric(const JsonIn& in) {
    using namespace corvane::techsheet;
    const QString article = in.text("ArticleCode", true);
    const double length = in.number("ArticleLength", true);
    const double width = in.number("ArticleWidth", true);
    const int clothCostType = in.integer("ClothCostType", true);
    const CostTypes types = readCostTypes(in);
    const std::vector<Offered> fabrics = readOffered(in, "fabrics", in.text("TIPOPRECO").toUpper());
    const JsonIn entries = in.object("entries", true);

    Output out;
    if (length == 0 || width == 0)
        out.notes.say("Impossibilidade de Cálculo, comprim.ou Largura do Velisca nulo ...");
    FabricLayout layout;
    MaterialEntry f;
    const QString code = entries.text("CODIGOMP").trimmed();
    const Offered* chosen = findOffered(fabrics, code);
    bool ok = true;
    if (code.isEmpty())
        ok = out.notes.refuse("Insira o código do material ...");
    else if (!chosen || chosen->type < 100 || chosen->type > 119)
        ok = out.notes.refuse("Artigo inexistente ...");
    if (ok) {
        f = {chosen->code, chosen->designation, chosen->unit, 0, 0, 0};
        if (chosen->price == 0)
            out.notes.say("Artigo sem preço definido. Continua ?");
        if (chosen->width == 0)
            out.notes.say("Artigo sem largura definida. Continua ?");
        takeFabric(layout, chosen->price, chosen->width);
        double value = 0;
        ok = (!typed(entries, "LARG_TECIDO", &value) || takeFabricWidth(layout, value, out.notes)) &&
             takeFabricFitting(layout, entries.text("ENQ_TECIDO"), out.notes) &&
             takeFabricPieces(layout, entries.integer("PECAS_TECIDO"), length, width, out.notes) &&
             (!typed(entries, "QUANT", &value) || takeFabricConsumption(layout, value, out.notes)) &&
             (!typed(entries, "PRECO", &value) || takeFabricPrice(layout, value, out.notes)) &&
             (!typed(entries, "VALOR", &value) || takeFabricCost(layout, value, out.notes));
    }
    QJsonArray lines;
    if (ok) {
        f.quantity = layout.consumption;
        f.price = layout.price;
        f.cost = layout.cost;
        FictecDetLine line;
        if (fabricLine(article, in.integer("next_detail", false, 1), f, types, clothCostType, line,
                       out.notes))
            lines.append(toJson(line));
    }
    out.json["FICTECMAS"] = QJsonObject{{"LARG_TECIDO", layout.ClothWidth},
                                        {"PECAS_TECIDO", layout.ClothPieces},
                                        {"ENQ_TECIDO", layout.ClothFitting},
                                        {"MTL_TECIDO", layout.ClothMetres}};
    out.json["FICTECDET"] = lines;
    return out;
}

// --- print -------------------------------------------------------------------

// A number typed, when given.
std::optional<double> typedNumber(const JsonIn& in, const QString& key) {
    double value = 0;
    return typed(in, key, &value) ? std::optional<double>(value) : std::nullopt;
}

QJsonObject inkJson(const techsheet::InkRow& ink) {
    return {{"code", ink.code},       {"designation", ink.designation},
            {"percent", ink.percent}, {"quantity", ink.quantity},
            {"price", ink.price},     {"cost", ink.cost}};
}

Output print(const JsonIn& in) {
    using namespace corvane::techsheet;
    const QString article = in.text("ArticleCode", true);
    const double length = in.number("ArticleLength", true);
    const double width = in.number("ArticleWidth", true);
    const InkCosting c{printArea(length, width), in.number("PrintSurfacePercent", true),
                       in.number("CONV_KGS_TINTAS", true)};
    const int machineCostType = in.integer("MachineCostType", true);
    const int inkCostType = in.integer("InkCostType", true);
    const CostTypes types = readCostTypes(in);
    std::vector<WorkMachineRow> machines;
    for (const JsonIn& r : in.list("machines", true))
        machines.push_back(readMachineRow(r));
    std::vector<Offered> offered;
    for (const Offered& a : readOffered(in, "inks", in.text("TIPOPRECO").toUpper()))
        if (a.type >= 21 && a.type <= 40)
            offered.push_back(a);
    const auto find = [&offered](const QString& code) -> std::optional<MaterialEntry> {
        const Offered* a = findOffered(offered, code);
        return a ? std::optional<MaterialEntry>(
                       MaterialEntry{a->code, a->designation, a->unit, 0, a->price, 0})
                 : std::nullopt;
    };

    Output out;
    std::vector<InkRow> inks(kInkRows);
    std::vector<FictecDetLine> lines;
    out.json["area"] = c.area;
    bool ok = length != 0 && width != 0;
    if (!ok)
        out.notes.refuse("Impossibilidade de Cálculo, comprim.ou Largura Nulo ...");
    for (WorkMachineRow& m : machines)
        if (ok && m.ticked())
            ok = costTypedMinutes(m, out.notes);
    const std::vector<JsonIn> rows = in.list("rows", false, kInkRows);
    if (ok && rows.empty()) {
        // The inks the first ticked machine proposes (MAQUINASMP).
        for (const WorkMachineRow& m : machines) {
            if (!m.ticked())
                continue;
            for (const JsonIn& mp : in.list("MAQUINASMP"))
                if (mp.text("MAQNRO").compare(m.CODIGO, Qt::CaseInsensitive) == 0) {
                    std::vector<std::pair<QString, double>> proposal;
                    for (int n = 1; n <= kInkRows; ++n)
                        proposal.emplace_back(mp.text(QString("CODIGO%1").arg(n)),
                                              mp.number(QString("CONS_PERC%1").arg(n)));
                    proposeInks(inks, proposal, find, c);
                }
            break;
        }
    }
    // The rows with an ink as the user leaves their fields, then the rows left empty.
    for (std::size_t r = 0; ok && r < rows.size(); ++r) {
        const QString code = rows[r].text("code").trimmed();
        if (code.isEmpty())
            continue;
        const int n = static_cast<int>(r) + 1;
        const std::optional<MaterialEntry> found = find(code);
        ok = takeInkCode(inks, n, code, found ? &*found : nullptr, c, out.notes);
        if (ok && found && found->price == 0)
            out.notes.say("Artigo sem preço definido. Continua ?");
        ok = ok && takeInkPercent(inks[r], typedNumber(rows[r], "percent"), c, out.notes);
        if (const std::optional<double> price = typedNumber(rows[r], "price"); ok && price)
            ok = takeInkPrice(inks[r], price, c, out.notes);
    }
    for (std::size_t r = 0; ok && r < rows.size(); ++r)
        if (rows[r].text("code").trimmed().isEmpty())
            ok = takeInkCode(inks, static_cast<int>(r) + 1, QString(), nullptr, c, out.notes);
    if (ok && checkPrintingClose(machines, inks, out.notes)) {
        int detail = in.integer("next_detail", false, 1);
        machineTimeLines(MachineScreen::Printing, article, "T", machines, types, machineCostType, detail,
                         lines, out.notes);
        inkLines(article, "T", inks, types, inkCostType, detail, lines, out.notes);
    }
    out.json["machines"] = jsonArray(machines, machineRowJson);
    out.json["inks"] = jsonArray(inks, inkJson);
    out.json["FICTECDET"] = toJson(lines);
    return out;
}

} // namespace

int runCalcCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2 ||
        !QStringList({"quote", "weave", "knit", "subcontract", "fabric", "machine", "operations", "print"})
             .contains(args[0])) {
        err << kUsage << Qt::endl;
        return 2;
    }
    Output result;
    try {
        const JsonIn in(readDocument(args[1]), QString());
        const QString& kind = args[0];
        result = kind == "quote"         ? quote(in)
                 : kind == "weave"       ? weave(in)
                 : kind == "knit"        ? knit(in)
                 : kind == "subcontract" ? subcontract(in)
                 : kind == "fabric"      ? fabric(in)
                 : kind == "machine"     ? machineStep(in)
                 : kind == "operations"  ? operationStep(in)
                                         : print(in);
    } catch (const InputError& e) {
        err << "calc " << args[0] << ": " << e.message << Qt::endl;
        return 2;
    }
    result.json["messages"] = QJsonArray::fromStringList(result.notes.messages);
    out << QJsonDocument(result.json).toJson(QJsonDocument::Indented);
    out.flush();
    return result.notes.refused ? 1 : 0;
}
