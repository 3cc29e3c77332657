// The technical sheets of the demo company: one of each kind, with the lines
// of their design, hanger, cardboard-label and packaging steps, costed by the
// same calculations the step screens use.
#include "demo_site.h"

#include "techsheet/operation_calc.h"
#include "techsheet/store/sheet_store.h"
#include "techsheet/tech_sheet_context.h"

#include <QSqlQuery>

namespace corvane::setup {

namespace {

using namespace techsheet;

struct DemoSheet {
    const char* article;
    QString kind;
    QVariantMap header;
    const char* hanger;       // hanger material
    double labelMinutes;      // cardboard labels: typed time
    int packaging;            // EMBALAGEM code
};

QVariantMap yesNo(std::initializer_list<std::pair<const char*, bool>> flags) {
    QVariantMap out;
    for (const auto& [column, on] : flags)
        out.insert(QString::fromLatin1(column), on ? QStringLiteral("S") : QStringLiteral("N"));
    return out;
}

QVariantMap merged(QVariantMap a, const QVariantMap& b) {
    a.insert(b);
    return a;
}

QList<DemoSheet> demoSheets() {
    const QVariantMap common{{"TEAR", "N"}, {"CORTE_MOLDE", "N"}, {"LARG_TECIDO", 0.0}, {"PECAS_TECIDO", 0},
                             {"MTL_TECIDO", 0.0}, {"ENQ_TECIDO", ""}};
    QList<DemoSheet> out;
    out << DemoSheet{"CHCAC01.PRE", kWovenScarf,
                     merged(merged(common, yesNo({{"CORTEULTRA", true}, {"COSTURA", false}, {"FRANJA", true},
                                                  {"ETIQUETA", true}, {"ETIQ_CARTOLINA", true}, {"CABIDE", true},
                                                  {"EMBALAGEM", true}, {"VAPORIZA", true}, {"REMALHA", false},
                                                  {"SUBCONTRATO", false}})),
                            {{"TIPOTRABALHO", 4}, {"NROPASSAG", 28}, {"CONTRACOES", 8.0}, {"FITAS", 0},
                             {"RAPORT", 0}, {"TMPDESENHO", 45}, {"TMPCABIDE", 2}, {"DESPERD", 3.5},
                             {"LARG_FRANJA", 120.0}, {"REF_INFORMAT", "Jacquard Xadrez Inverno"}, {"PESOKGS", 0.0},
                             {"PESOAMOSTRA", 0.0}, {"VELOCID_CARRO", 0.0}, {"VELOCID_TIRAGEM", 0.0},
                             {"SUPIMPR", 0.0}}),
                     "CAB.PLA.CACHECOL", 0.5, 2};
    out << DemoSheet{"CHCLA01.PRE", kKnittedScarf,
                     merged(merged(common, yesNo({{"CORTEULTRA", false}, {"COSTURA", true}, {"FRANJA", false},
                                                  {"ETIQUETA", true}, {"ETIQ_CARTOLINA", true}, {"CABIDE", true},
                                                  {"EMBALAGEM", true}, {"VAPORIZA", true}, {"REMALHA", true},
                                                  {"SUBCONTRATO", false}, {"BORDADO", false},
                                                  {"SUBCONT_BORDADO", false}})),
                            {{"TIPOTRABALHO", 0}, {"NROPASSAG", 0}, {"FITAS", 0}, {"RAPORT", 0},
                             {"TMPDESENHO", 30}, {"TMPCABIDE", 2}, {"DESPERD", 3.5}, {"LARG_FRANJA", 0.0},
                             {"REF_INFORMAT", "Canelado Merino 2x2"}, {"PESOKGS", 0.16}, {"PESOAMOSTRA", 158.0},
                             {"VELOCID_CARRO", 0.8}, {"VELOCID_TIRAGEM", 0.6}, {"SUPIMPR", 0.0}}),
                     "CAB.CAR.CACHECOL", 0.5, 2};
    out << DemoSheet{"ECHVI01.PRE", kPrintedScarf,
                     merged(yesNo({{"CORTEULTRA", true}, {"COSTURA", false}, {"FRANJA", false}, {"ETIQUETA", true},
                                   {"ETIQ_CARTOLINA", true}, {"CABIDE", false}, {"EMBALAGEM", true},
                                   {"REMALHA", false}, {"SUBCONTRATO", false}, {"TEAR", false},
                                   {"CORTE_MOLDE", false}}),
                            {{"TIPOTRABALHO", 0}, {"NRPASSADAS", 2}, {"RESOLUCAO", "600x600"}, {"TMPDESENHO", 60},
                             {"TMPCABIDE", 0}, {"DESPERD", 0.0}, {"LARG_FRANJA", 0.0}, {"SUPIMPR", 85.0},
                             {"REF_INFORMAT", "Estampado Floral Primavera"}, {"PESOKGS", 0.0},
                             {"PESOAMOSTRA", 0.0}, {"VELOCID_CARRO", 0.0}, {"VELOCID_TIRAGEM", 0.0}, {"FITAS", 0},
                             {"RAPORT", 0}}),
                     nullptr, 0.4, 2};
    out << DemoSheet{"GORAC02.PRE", kKnittedHat,
                     merged(merged(common, yesNo({{"CORTEULTRA", false}, {"COSTURA", false}, {"FRANJA", false},
                                                  {"ETIQUETA", true}, {"ETIQ_CARTOLINA", true}, {"CABIDE", true},
                                                  {"EMBALAGEM", true}, {"VAPORIZA", true}, {"REMALHA", false},
                                                  {"SUBCONTRATO", false}, {"BORDADO", true},
                                                  {"SUBCONT_BORDADO", true}})),
                            {{"TIPOTRABALHO", 0}, {"NRPASSADAS", 0}, {"FITAS", 0}, {"RAPORT", 0},
                             {"TMPDESENHO", 20}, {"TMPCABIDE", 1}, {"DESPERD", 3.5}, {"LARG_FRANJA", 0.0},
                             {"REF_INFORMAT", "Gorro Pompom Inverno"}, {"PESOKGS", 0.09}, {"PESOAMOSTRA", 92.0},
                             {"VELOCID_CARRO", 0.7}, {"VELOCID_TIRAGEM", 0.5}, {"SUPIMPR", 0.0}}),
                     "CAB.PLA.GORRO", 0.3, 3};
    return out;
}

// The candidate rows of an operation step, as the step screen offers them.
std::vector<WorkArticleRow> candidates(db::Database& corvane, const QString& sql, const QVariantMap& params,
                                       QString* error, bool* ok) {
    std::vector<WorkArticleRow> rows;
    QSqlQuery q(corvane.sql());
    *ok = corvane.exec(q, sql, params, error);
    while (*ok && q.next())
        rows.push_back(WorkArticleRow{q.value(0).toString().trimmed(), q.value(1).toString().trimmed(),
                                      q.value(2).toString().trimmed(), q.value(3).toDouble(), "N", 0, 0, 0});
    return rows;
}

// A material of an article at its standard cost.
std::optional<MaterialEntry> material(db::Database& factura, const QString& code, double quantity, QString* error) {
    const std::optional<QVariantMap> a = factura.firstRow(
        QStringLiteral("SELECT DESIGNACAO, UNCOMPRA, CUSTOPADRAO FROM ARTIGOSCLS WHERE CODIGO = :C"),
        {{QStringLiteral("C"), code}}, error);
    if (!a || a->isEmpty())
        return std::nullopt;
    MaterialEntry m;
    m.code = code;
    m.designation = a->value(QStringLiteral("DESIGNACAO")).toString().trimmed();
    m.unit = a->value(QStringLiteral("UNCOMPRA")).toString().trimmed();
    m.quantity = quantity;
    m.price = a->value(QStringLiteral("CUSTOPADRAO")).toDouble();
    m.cost = quantity * m.price;
    return m;
}

} // namespace

bool insertDemoSheets(db::Database& corvane, db::Database& factura, QString* error) {
    CostTypes costTypes;
    {
        QSqlQuery q(corvane.sql());
        if (!corvane.exec(q, QStringLiteral("SELECT CODIGO, DESPERD, CLAS_ORC FROM TIPOCUSTO"), {}, error))
            return false;
        while (q.next())
            costTypes.push_back(TipoCusto{q.value(0).toInt(), q.value(1).toDouble(), q.value(2).toInt()});
    }
    const std::optional<QVariantMap> parger =
        corvane.firstRow(QStringLiteral("SELECT CABIDE_TC, ETIQCART_TC FROM PARGER WHERE CODIGO = 1"), {}, error);
    if (!parger || parger->isEmpty())
        return false;
    const OperationCostTypes types{parger->value(QStringLiteral("CABIDE_TC")).toInt(),
                                   parger->value(QStringLiteral("ETIQCART_TC")).toInt()};
    SheetStore store(corvane);
    const QString operations =
        QStringLiteral("SELECT TIPOCUSTO, DESIGNACAO, UNIDADE, PRECO FROM OPERACOES WHERE TC = :TC ORDER BY TIPOCUSTO");
    for (const DemoSheet& s : demoSheets()) {
        const QString article = QString::fromLatin1(s.article);
        QVariantMap header = s.header;
        header.insert(QStringLiteral("CODIGO"), article);
        header.insert(QStringLiteral("TIPOFICTEC"), s.kind);
        if (!store.saveHeader(header, error))
            return false;
        const int design = header.value(QStringLiteral("TMPDESENHO")).toInt();
        const int hanger = header.value(QStringLiteral("TMPCABIDE")).toInt();
        struct Step {
            QString code;
            QString sql;
            int costType;
            double minutes; // the sheet's time on "H" and "D"
            double typed;   // the time typed on the others
            QList<std::pair<QString, double>> materials;
        };
        QList<Step> steps{{QStringLiteral("H"), operations, 20, double(design), 0, {}},
                          {QStringLiteral("I"), operations, types.CardLabelCostType, 0, s.labelMinutes,
                           {{QStringLiteral("ETQ.CAR.MARCA"), 1.0}}}};
        if (hanger > 0 && s.hanger)
            steps << Step{QStringLiteral("D"), operations, types.HangerCostType, double(hanger), 0,
                          {{QString::fromLatin1(s.hanger), 1.0}}};
        // Packaging: the type chosen and its subsidiary materials.
        QList<std::pair<QString, double>> packagingMaterials;
        {
            const std::optional<QVariantMap> mp = corvane.firstRow(
                QStringLiteral("SELECT ARTNRO1, QTD1, ARTNRO2, QTD2, ARTNRO3, QTD3 FROM EMBALAGEMMP WHERE CODIGO = :C"),
                {{QStringLiteral("C"), s.packaging}}, error);
            if (!mp)
                return false;
            for (int n = 1; n <= 3; ++n) {
                const QString code = mp->value(QStringLiteral("ARTNRO%1").arg(n)).toString().trimmed();
                if (!code.isEmpty())
                    packagingMaterials << std::pair{code, mp->value(QStringLiteral("QTD%1").arg(n)).toDouble()};
            }
        }
        steps << Step{QStringLiteral("B"),
                      QStringLiteral("SELECT CODIGO, DESIGNACAO, 'Min', CUSTOFIXO FROM EMBALAGEM WHERE TIPOCUSTO = 40 "
                                     "AND CODIGO = :TC"),
                      s.packaging, 0, 1.0, packagingMaterials};
        for (const Step& step : steps) {
            bool ok = false;
            std::vector<WorkArticleRow> rows =
                candidates(corvane, step.sql, {{QStringLiteral("TC"), step.costType}}, error, &ok);
            if (!ok)
                return false;
            if (rows.empty())
                continue;
            Notes notes;
            // The candidate for the product is ticked, as a user would: the
            // hat's hanger on a hat, otherwise the first.
            auto chosen = rows.begin();
            for (auto it = rows.begin(); it != rows.end(); ++it)
                if (s.kind == kKnittedHat && it->DESIGNACAO.contains(QLatin1String("Gorro")))
                    chosen = it;
            if (!costOperationRow(*chosen, step.code, step.minutes > 0 ? step.minutes : step.typed,
                                  step.minutes, notes))
                continue;
            std::vector<MaterialEntry> materials;
            for (const auto& [code, quantity] : step.materials)
                if (const std::optional<MaterialEntry> m = material(factura, code, quantity, error))
                    materials.push_back(*m);
            std::vector<FictecDetLine> lines;
            int detail = 0; // the store numbers the lines when it writes them
            operationLines(article, step.code, rows, costTypes, types, detail, lines);
            operationMaterialLines(article, step.code, materials, costTypes, types, detail, lines, notes);
            if (!store.replaceStep(article, step.code, lines, error))
                return false;
        }
    }
    return true;
}

} // namespace corvane::setup
