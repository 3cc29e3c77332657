#include "calc_json.h"

#include <cmath>

namespace corvane::calc {

QString JsonIn::name(const QString& key) const {
    return m_path.isEmpty() ? key : m_path + "." + key;
}

QJsonValue JsonIn::value(const QString& key, bool required) const {
    const QJsonValue v = m_object.value(key);
    if (required && (v.isUndefined() || v.isNull()))
        throw InputError{"missing required key: " + name(key)};
    return v;
}

double JsonIn::number(const QString& key, bool required, double fallback) const {
    const QJsonValue v = value(key, required);
    if (v.isUndefined() || v.isNull())
        return fallback;
    if (!v.isDouble())
        throw InputError{name(key) + ": a number is required"};
    return v.toDouble();
}

int JsonIn::integer(const QString& key, bool required, int fallback) const {
    const double d = number(key, required, fallback);
    if (d != std::trunc(d))
        throw InputError{name(key) + ": a whole number is required"};
    return static_cast<int>(d);
}

QString JsonIn::text(const QString& key, bool required, const QString& fallback) const {
    const QJsonValue v = value(key, required);
    if (v.isUndefined() || v.isNull())
        return fallback;
    if (!v.isString())
        throw InputError{name(key) + ": a text is required"};
    return v.toString();
}

bool JsonIn::has(const QString& key) const {
    const QJsonValue v = m_object.value(key);
    return !v.isUndefined() && !v.isNull();
}

JsonIn JsonIn::object(const QString& key, bool required) const {
    const QJsonValue v = value(key, required);
    if (v.isUndefined() || v.isNull())
        return JsonIn({}, name(key));
    if (!v.isObject())
        throw InputError{name(key) + ": an object is required"};
    return JsonIn(v.toObject(), name(key));
}

std::vector<JsonIn> JsonIn::list(const QString& key, bool required, int maxSize) const {
    const QJsonValue v = value(key, required);
    std::vector<JsonIn> items;
    if (v.isUndefined() || v.isNull())
        return items;
    if (!v.isArray())
        throw InputError{name(key) + ": a list is required"};
    const QJsonArray array = v.toArray();
    if (maxSize >= 0 && array.size() > maxSize)
        throw InputError{name(key) + QString(": at most %1 entries").arg(maxSize)};
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QString itemName = QString("%1[%2]").arg(name(key)).arg(i);
        if (!array.at(i).isObject())
            throw InputError{itemName + ": an object is required"};
        items.emplace_back(array.at(i).toObject(), itemName);
    }
    return items;
}

std::array<double, 3> JsonIn::levels(const QString& prefix) const {
    return {number(prefix + "1"), number(prefix + "2"), number(prefix + "3")};
}

std::vector<Offered> readOffered(const JsonIn& in, const QString& key, const QString& basis) {
    std::vector<Offered> out;
    for (const JsonIn& r : in.list(key, false)) {
        Offered a;
        a.code = r.text("CODIGO", true);
        a.designation = r.text("DESIGNACAO");
        a.unit = r.text("UNCOMPRA");
        a.type = r.integer("TIPOMAT");
        a.price = techsheet::priceByBasis(basis, r.number("CUSTOPADRAO"), r.number("PMCUSTO"),
                                          r.number("PULENTRA"));
        a.width = r.number("LARGURA");
        out.push_back(a);
    }
    return out;
}

const Offered* findOffered(const std::vector<Offered>& rows, const QString& code, int type) {
    for (const Offered& a : rows)
        if (a.code.compare(code.trimmed(), Qt::CaseInsensitive) == 0 && (type < 0 || a.type == type))
            return &a;
    return nullptr;
}

bool typed(const JsonIn& in, const QString& key, double* out) {
    *out = in.number(key);
    return in.has(key);
}

techsheet::CostTypes readCostTypes(const JsonIn& in) {
    techsheet::CostTypes types;
    for (const JsonIn& t : in.list("TIPOCUSTO", true))
        types.push_back({t.integer("CODIGO", true), t.number("DESPERD"), t.integer("CLAS_ORC")});
    return types;
}

std::vector<techsheet::Yarn> readYarns(const JsonIn& in) {
    std::vector<techsheet::Yarn> yarns;
    for (const JsonIn& y : in.list("yarns", true))
        yarns.push_back({y.text("CODIGO", true), y.text("DESIGNACAO"), y.text("UNCOMPRA"), y.number("NEFIO"),
                         y.number("CUSTOPADRAO")});
    return yarns;
}

techsheet::WorkMachineRow readMachineRow(const JsonIn& in) {
    techsheet::WorkMachineRow r;
    r.CODIGO = in.text("CODIGO", true);
    r.DESIGNACAO = in.text("DESIGNACAO");
    r.UNIDADE = in.text("UNIDADE");
    r.LARGURA = in.number("LARGURA");
    r.LARG_RAPORT = in.number("LARG_RAPORT");
    r.PRODUCAO1 = in.number("PRODUCAO1");
    r.ACERTO1 = in.number("ACERTO1");
    r.PRODUCAO2 = in.number("PRODUCAO2");
    r.ACERTO2 = in.number("ACERTO2");
    r.CUSTOPADRAO = in.number("CUSTOPADRAO");
    r.TIPOPRD = in.integer("TIPOPRD", false, 1);
    r.OK = in.text("OK", false, "N").toUpper();
    r.NROPASSAGENS = in.integer("NROPASSAGENS", false, 1);
    r.QTD = in.number("QTD");
    return r;
}

QJsonObject toJson(const techsheet::FictecDetLine& l) {
    QJsonObject o{{"TIPO", l.TIPO},
                  {"ARTIGO", l.ARTIGO},
                  {"DETAIL", l.DETAIL},
                  {"RELACFICTEC", l.RELACFICTEC},
                  {"CODIGOMP", l.CODIGOMP},
                  {"DESIGN", l.DESIGN},
                  {"UNIDADE", l.UNIDADE},
                  {"QUANT", l.QUANT},
                  {"PRECO", l.PRECO},
                  {"VALOR", l.VALOR},
                  {"TECELAGEM", l.TECELAGEM},
                  {"QUANT_FINAL", l.QUANT_FINAL},
                  {"VALOR_FINAL", l.VALOR_FINAL},
                  {"TMPACE", l.TMPACE ? QJsonValue(*l.TMPACE) : QJsonValue()},
                  {"TMP_SEMACERTO", l.TMP_SEMACERTO ? QJsonValue(*l.TMP_SEMACERTO) : QJsonValue()},
                  {"PERC_IMPR", l.PERC_IMPR},
                  {"OPERACAO", l.OPERACAO},
                  {"FACTCONV", l.FACTCONV}};
    return o;
}

QJsonArray toJson(const std::vector<techsheet::FictecDetLine>& lines) {
    return jsonArray(lines, [](const techsheet::FictecDetLine& l) { return toJson(l); });
}

QJsonObject machineRowJson(const techsheet::WorkMachineRow& r) {
    return {{"CODIGO", r.CODIGO},
            {"OK", r.OK},
            {"TIPOPRD", r.TIPOPRD},
            {"RAPORT", r.RAPORT},
            {"FITAS", r.FITAS},
            {"QTD", r.QTD},
            {"QTD_SEMACERTO", r.QTD_SEMACERTO},
            {"PRECO", r.PRECO},
            {"CUSTO", r.CUSTO}};
}

QJsonObject materialJson(const techsheet::MaterialEntry& m) {
    return {{"CODIGO", m.code},   {"DESIGNACAO", m.designation}, {"UNIDADE", m.unit},
            {"QUANT", m.quantity}, {"PRECO", m.price},            {"CUSTO", m.cost}};
}

void putLevels(QJsonObject& out, const QString& prefix, const std::array<double, 3>& values) {
    for (int i = 0; i < 3; ++i)
        out.insert(prefix + QString::number(i + 1), values[static_cast<std::size_t>(i)]);
}

} // namespace corvane::calc
