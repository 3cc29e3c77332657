#include "calc_command.h"

#include "calc_json.h"
#include "quotation/quotation_calc.h"
#include "techsheet/knitting_calc.h"
#include "techsheet/weaving_calc.h"

#include <QFile>
#include <QJsonDocument>

using namespace corvane;
using namespace corvane::calc;

namespace {

const char* const kUsage = "usage: corvane-admin calc quote|weave|knit FILE   (FILE - reads standard input)";

// The result document: the calculation's values, its messages, and the exit status.
struct Output {
    QJsonObject json;
    techsheet::Notes notes;
};

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
    const UnitCosts unit = buildUnitCosts(rows, types, q.mas.QUANT, out.notes);
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

} // namespace

int runCalcCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2 || !QStringList({"quote", "weave", "knit"}).contains(args[0])) {
        err << kUsage << Qt::endl;
        return 2;
    }
    Output result;
    try {
        const JsonIn in(readDocument(args[1]), QString());
        result = args[0] == "quote" ? quote(in) : args[0] == "weave" ? weave(in) : knit(in);
    } catch (const InputError& e) {
        err << "calc " << args[0] << ": " << e.message << Qt::endl;
        return 2;
    }
    result.json["messages"] = QJsonArray::fromStringList(result.notes.messages);
    out << QJsonDocument(result.json).toJson(QJsonDocument::Indented);
    out.flush();
    return result.notes.refused ? 1 : 0;
}
