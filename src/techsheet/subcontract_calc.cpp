#include "subcontract_calc.h"

#include "core/rounding.h"

#include <algorithm>

namespace corvane::techsheet {

QStringList subcontractClosingQuestions(const SubcontractEntry& entry) {
    QStringList questions;
    if (entry.SERVICO.isEmpty())
        questions << "Não inseriu o Serviço .Deseja Continuar ?";
    if (entry.materials.empty() || entry.materials.front().code.isEmpty())
        questions << "Não inseriu o Material .Deseja Continuar ?";
    return questions;
}

bool subcontractLines(const QString& article, const QString& stepCode, const SubcontractEntry& entry,
                      const CostTypes& costTypes, int& detail, std::vector<FictecDetLine>& lines,
                      Notes& notes) {
    const TipoCusto* costType = findCostType(costTypes, kSubcontractCostType);
    if (!costType)
        return notes.refuse(kNoCostType);
    auto add = [&](const MaterialEntry& m, const char* operacao) {
        appendLine(lines, materialLine(m, *costType, {2, 2}), article, detail, stepCode).OPERACAO = operacao;
    };
    add({entry.SERVICO, entry.serviceDesignation, "UND", 1, entry.PRECO, entry.PRECO}, "S");
    const std::size_t rows = std::min<std::size_t>(entry.materials.size(), 3);
    for (std::size_t r = 0; r < rows; ++r)
        if (!entry.materials[r].code.isEmpty())
            add(entry.materials[r], "N");
    return true;
}

bool takeService(SubcontractEntry& entry, const QString& code, const QString* designation, Notes& notes) {
    if (code.trimmed().isEmpty())
        return notes.refuse("Insira o serviço a subcontratar ...");
    if (!designation)
        return notes.refuse(kNoService);
    entry.SERVICO = code.trimmed();
    entry.serviceDesignation = *designation;
    return true;
}

bool takeServicePrice(SubcontractEntry& entry, double price, Notes& notes) {
    if (price == 0)
        return notes.refuse("Insira o custo da subcontratação");
    entry.PRECO = price;
    return true;
}

QVariantMap subcontractColumns(const QString& article, const QString& stepCode,
                               const SubcontractEntry& entry) {
    QVariantMap c{{"ARTIGO", article},
                  {"RELACFICTEC", stepCode},
                  {"SERVICO", entry.SERVICO.left(16)},
                  {"PRECO", entry.PRECO}};
    for (int n = 1; n <= kSubcontractMaterials; ++n) {
        const std::size_t r = static_cast<std::size_t>(n - 1);
        const MaterialEntry m = r < entry.materials.size() ? entry.materials[r] : MaterialEntry{};
        const bool has = !m.code.isEmpty();
        c.insert(QString("MPTMAT%1").arg(n), has ? entry.MPTMAT[r] : 0);
        c.insert(QString("MPNRO%1").arg(n), m.code.left(16));
        c.insert(QString("MPQTD%1").arg(n), m.quantity);
        c.insert(QString("MPUND%1").arg(n), m.unit.left(3));
        c.insert(QString("MPPRECO%1").arg(n), m.price);
        c.insert(QString("MPCUSTO%1").arg(n), m.cost);
    }
    return c;
}

SubcontractEntry subcontractOf(const QVariantMap& row) {
    auto v = [&](const QString& column) { return row.value(column); };
    SubcontractEntry e;
    e.SERVICO = v("SERVICO").toString().trimmed();
    e.PRECO = v("PRECO").toDouble();
    for (int n = 1; n <= kSubcontractMaterials; ++n) {
        MaterialEntry m;
        m.code = v(QString("MPNRO%1").arg(n)).toString().trimmed();
        m.quantity = v(QString("MPQTD%1").arg(n)).toDouble();
        m.unit = v(QString("MPUND%1").arg(n)).toString().trimmed();
        m.price = v(QString("MPPRECO%1").arg(n)).toDouble();
        m.cost = v(QString("MPCUSTO%1").arg(n)).toDouble();
        e.MPTMAT[static_cast<std::size_t>(n - 1)] =
            m.code.isEmpty() ? 0 : v(QString("MPTMAT%1").arg(n)).toInt();
        e.materials.push_back(m);
    }
    return e;
}

double fabricWidth(double fabricLARGURA) {
    return fabricLARGURA / 100; // cm -> m
}

void takeFabric(FabricLayout& layout, double articlePrice, double fabricLARGURA) {
    layout.price = articlePrice;
    layout.cost = 0;
    layout.ClothWidth = fabricWidth(fabricLARGURA);
}

bool takeFabricWidth(FabricLayout& layout, double width, Notes& notes) {
    if (width <= 0)
        return notes.refuse("Insira a Largura do Tecido ...");
    layout.ClothWidth = width;
    return true;
}

bool takeFabricFitting(FabricLayout& layout, const QString& fitting, Notes& notes) {
    const QString f = fitting.trimmed().toUpper();
    if (f != "C" && f != "L")
        return notes.refuse("Insira <L> para Largura ; <C> para Comprimento ...");
    layout.ClothFitting = f;
    return true;
}

bool takeFabricPieces(FabricLayout& layout, int pieces, double articleLength, double articleWidth,
                      Notes& notes) {
    const bool byLength = layout.ClothFitting.toUpper() == "C";
    if (pieces <= 0)
        return notes.refuse(byLength ? "Insira o nº de peças para enquadramento pelo Comprimento ..."
                                     : "Insira o nº de peças para enquadramento pela Largura ...");
    layout.ClothPieces = pieces;
    // The pieces laid one after the other along the fabric: cm -> m.
    layout.ClothMetres = pieces * (byLength ? articleLength : articleWidth) / 100;
    layout.consumption = layout.ClothWidth * layout.ClothMetres / pieces;
    layout.cost = layout.consumption * layout.price;
    return true;
}

bool takeFabricConsumption(FabricLayout& layout, double consumption, Notes& notes) {
    if (consumption == 0)
        return notes.refuse("Insira o consumo de tecido por cada peça ...");
    layout.consumption = consumption;
    return true;
}

bool takeFabricPrice(FabricLayout& layout, double price, Notes& notes) {
    if (price == 0)
        return notes.refuse("Insira o preço ...");
    layout.price = price;
    layout.cost = price * layout.consumption;
    return true;
}

bool takeFabricCost(FabricLayout& layout, double cost, Notes& notes) {
    if (cost == 0)
        return notes.refuse("Insira o preço ...");
    layout.cost = cost;
    return true;
}

bool computeFabricLayout(FabricLayout& layout, double articleLength, double articleWidth, Notes& notes) {
    return takeFabricWidth(layout, layout.ClothWidth, notes) &&
           takeFabricFitting(layout, layout.ClothFitting, notes) &&
           takeFabricPieces(layout, layout.ClothPieces, articleLength, articleWidth, notes);
}

bool fabricLine(const QString& article, int detail, const MaterialEntry& fabric, const CostTypes& costTypes,
                int clothCostType, FictecDetLine& line, Notes& notes) {
    const TipoCusto* costType = findCostType(costTypes, clothCostType);
    if (!costType) {
        notes.say("Ainda não parametrizou o Desperdício  ...");
        return false;
    }
    const double d = costType->DESPERD;
    const double qf = quantityWithWaste(fabric.quantity, d);
    line = costedLine(clothCostType, fabric.code, fabric.designation, fabric.unit);
    line.ARTIGO = article;
    line.DETAIL = detail;
    line.RELACFICTEC = "L";
    line.QUANT = roundTo(fabric.quantity, 4);
    line.PRECO = roundTo(fabric.price, 5);
    line.VALOR = roundTo(fabric.cost, 5);
    line.QUANT_FINAL = qf;
    line.VALOR_FINAL = roundTo(d * qf * fabric.price / 100 + fabric.cost, 5);
    line.TMPACE = 0;
    line.TMP_SEMACERTO = 0;
    line.OPERACAO = "N";
    return true;
}

} // namespace corvane::techsheet
