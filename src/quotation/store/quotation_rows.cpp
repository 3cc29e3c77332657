// The quotation's records as the column maps its statements bind and read.
#include "quotation_rows.h"

#include "row_values.h"

namespace corvane::quotation::rows {

QVariant textOrNull(const QString& s) {
    return s.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(s);
}
QVariant dateOrNull(const QDateTime& d) {
    return d.isValid() ? QVariant(d) : QVariant(QMetaType::fromType<QDateTime>());
}

void putLevels(QVariantMap& m, const QString& prefix, const Levels& l) {
    for (std::size_t i = 0; i < 3; ++i)
        m.insert(prefix + QString::number(i + 1), l[i]);
}
Levels levelsOf(const QVariantMap& r, const QString& prefix) {
    Levels l{};
    for (std::size_t i = 0; i < 3; ++i)
        l[i] = realOf(r, prefix + QString::number(i + 1));
    return l;
}

void putCharge(QVariantMap& m, const QString& prefix, const PercentCharge& c) {
    m.insert(prefix + QStringLiteral("PERC"), c.PERC);
    putLevels(m, prefix + QStringLiteral("VALTOT"), c.VALTOT);
}
void putCharge(QVariantMap& m, const QString& prefix, const FixedOrPercentCharge& c) {
    m.insert(prefix + QStringLiteral("VALFIXO"), c.VALFIXO);
    m.insert(prefix + QStringLiteral("PERC"), c.PERC);
    putLevels(m, prefix + QStringLiteral("VALTOT"), c.VALTOT);
}
PercentCharge percentChargeOf(const QVariantMap& r, const QString& prefix) {
    return {realOf(r, prefix + QStringLiteral("PERC")), levelsOf(r, prefix + QStringLiteral("VALTOT"))};
}
FixedOrPercentCharge fixedChargeOf(const QVariantMap& r, const QString& prefix) {
    return {realOf(r, prefix + QStringLiteral("VALFIXO")), realOf(r, prefix + QStringLiteral("PERC")),
            levelsOf(r, prefix + QStringLiteral("VALTOT"))};
}

// The master row's columns this program writes: all but approval and ordering.
QVariantMap masterValues(const OrcamMas& m) {
    QVariantMap v{{"ORCNRO", m.ORCNRO},
                  {"CLINRO", m.CLINRO},
                  {"ARTIGO", textOrNull(m.ARTIGO.left(16))},
                  {"DATAEMI", dateOrNull(m.DATAEMI)},
                  {"OBSERV1", textOrNull(m.OBSERV1.left(40))},
                  {"OBSERV2", textOrNull(m.OBSERV2.left(40))},
                  {"MARGEMLIQ", m.MARGEMLIQ},
                  {"PRINTE", textOrNull(m.PRINTE.left(1))},
                  {"VNDNRO", m.VNDNRO},
                  {"CLINOM", textOrNull(m.CLINOM.left(35))},
                  {"DESIGN", textOrNull(m.DESIGN.left(40))},
                  {"DESENHO", textOrNull(m.DESENHO.left(1))},
                  {"MANUAL_AUTO", textOrNull(m.MANUAL_AUTO.left(1))},
                  {"TIPOFT", textOrNull(m.TIPOFT.left(1))}};
    putLevels(v, QStringLiteral("QUANT"), m.QUANT);
    putLevels(v, QStringLiteral("PRCORC"), m.PRCORC);
    putLevels(v, QStringLiteral("PRECOCLI"), m.PRECOCLI);
    putLevels(v, QStringLiteral("VALORCLI"), m.VALORCLI);
    return v;
}

OrcamMas masterOf(const QVariantMap& r) {
    OrcamMas m;
    m.ORCNRO = intOf(r, "ORCNRO");
    m.CLINRO = intOf(r, "CLINRO");
    m.ARTIGO = textOf(r, "ARTIGO");
    m.DATAEMI = r.value("DATAEMI").toDateTime();
    m.QUANT = levelsOf(r, "QUANT");
    m.PRCORC = levelsOf(r, "PRCORC");
    m.PRECOCLI = levelsOf(r, "PRECOCLI");
    m.VALORCLI = levelsOf(r, "VALORCLI");
    m.OBSERV1 = textOf(r, "OBSERV1");
    m.OBSERV2 = textOf(r, "OBSERV2");
    m.MARGEMLIQ = realOf(r, "MARGEMLIQ");
    m.ENCANO = textOf(r, "ENCANO");
    m.ENCSEMANA = textOf(r, "ENCSEMANA");
    m.ENCCNRO = intOf(r, "ENCCNRO");
    m.DATAAPROV = r.value("DATAAPROV").toDateTime();
    m.APROVADO = textOf(r, "APROVADO");
    m.PRECOAPROV = realOf(r, "PRECOAPROV");
    m.VALORAPROV = realOf(r, "VALORAPROV");
    m.PRINTE = textOf(r, "PRINTE");
    m.VNDNRO = intOf(r, "VNDNRO");
    m.CLINOM = textOf(r, "CLINOM");
    m.DESIGN = textOf(r, "DESIGN");
    m.QTDAPROV = realOf(r, "QTDAPROV");
    m.MARGEMAPROVPRC = realOf(r, "MARGEMAPROVPRC");
    m.MARGEMAPROVVAL = realOf(r, "MARGEMAPROVVAL");
    m.DESENHO = textOf(r, "DESENHO");
    m.MANUAL_AUTO = textOf(r, "MANUAL_AUTO");
    m.TIPOFT = textOf(r, "TIPOFT");
    return m;
}

QVariantMap comValues(const OrcamCom& c) {
    QVariantMap v{{"VNDNRO", c.VNDNRO}, {"VNDNOM", textOrNull(c.VNDNOM.left(30))},
                  {"AGTNRO", c.AGTNRO}, {"AGTNOM", textOrNull(c.AGTNOM.left(30))},
                  {"ROYNRO", c.ROYNRO}, {"ROYNOM", textOrNull(c.ROYNOM.left(30))}};
    putCharge(v, "VND", c.VND);
    putCharge(v, "AGT", c.AGT);
    putCharge(v, "ROY", c.ROY);
    return v;
}
OrcamCom comOf(const QVariantMap& r) {
    OrcamCom c;
    c.VNDNRO = intOf(r, "VNDNRO");
    c.VNDNOM = textOf(r, "VNDNOM");
    c.AGTNRO = intOf(r, "AGTNRO");
    c.AGTNOM = textOf(r, "AGTNOM");
    c.ROYNRO = intOf(r, "ROYNRO");
    c.ROYNOM = textOf(r, "ROYNOM");
    c.VND = percentChargeOf(r, "VND");
    c.AGT = percentChargeOf(r, "AGT");
    c.ROY = percentChargeOf(r, "ROY");
    return c;
}

QVariantMap transpValues(const OrcamTransp& t) {
    QVariantMap v{{"METEXP", textOrNull(t.METEXPCODE.left(15))}};
    putCharge(v, "METEXP", t.METEXP);
    putCharge(v, "SEG", t.SEG);
    putCharge(v, "DESP", t.DESP);
    return v;
}
OrcamTransp transpOf(const QVariantMap& r) {
    OrcamTransp t;
    t.METEXPCODE = textOf(r, "METEXP");
    t.METEXP = fixedChargeOf(r, "METEXP");
    t.SEG = fixedChargeOf(r, "SEG");
    t.DESP = fixedChargeOf(r, "DESP");
    return t;
}

QVariantMap cndpgtValues(const OrcamCndPgt& c) {
    QVariantMap v{{"CNDPGT", c.CNDPGTCODE},
                  {"CNDPGTDES", textOrNull(c.CNDPGTDES.left(30))},
                  {"CNDPGTDIAS", c.CNDPGTDIAS}};
    putCharge(v, "CNDPGT", c.CNDPGT);
    putCharge(v, "PRZ", c.PRZ);
    putCharge(v, "DESC", c.DESC);
    return v;
}
OrcamCndPgt cndpgtOf(const QVariantMap& r) {
    OrcamCndPgt c;
    c.CNDPGTCODE = intOf(r, "CNDPGT");
    c.CNDPGTDES = textOf(r, "CNDPGTDES");
    c.CNDPGTDIAS = realOf(r, "CNDPGTDIAS");
    c.CNDPGT = fixedChargeOf(r, "CNDPGT");
    c.PRZ = fixedChargeOf(r, "PRZ");
    c.DESC = fixedChargeOf(r, "DESC");
    return c;
}

QVariantMap descValues(const OrcamDesc& d) {
    QVariantMap v;
    putCharge(v, "PRECO", d.PRECO);
    putCharge(v, "QTD", d.QTD);
    return v;
}
OrcamDesc descOf(const QVariantMap& r) {
    return {percentChargeOf(r, "PRECO"), percentChargeOf(r, "QTD")};
}

namespace {
const std::pair<const char*, Levels OrcamTot::*> kTotals[] = {
    {"MATERIAIS", &OrcamTot::MATERIAIS}, {"TRANSFORM", &OrcamTot::TRANSFORM},
    {"CUSTFIXOS", &OrcamTot::CUSTFIXOS}, {"SUBCONT", &OrcamTot::SUBCONT},
    {"DESPERDIC", &OrcamTot::DESPERDIC}, {"QUALIDADE", &OrcamTot::QUALIDADE},
    {"ESTRUTURA", &OrcamTot::ESTRUTURA}, {"EMBALAGEM", &OrcamTot::EMBALAGEM},
    {"COMISSOES", &OrcamTot::COMISSOES}, {"TRANSPORT", &OrcamTot::TRANSPORT},
    {"CONDPAGAM", &OrcamTot::CONDPAGAM}, {"DESCONTOS", &OrcamTot::DESCONTOS},
    {"MARGEMLIQ", &OrcamTot::MARGEMLIQ}, {"MARGEMPRC", &OrcamTot::MARGEMPRC}};
} // namespace

QVariantMap totValues(const OrcamTot& t) {
    QVariantMap v;
    for (const auto& [column, member] : kTotals)
        putLevels(v, QLatin1String(column), t.*member);
    return v;
}
OrcamTot totOf(const QVariantMap& r) {
    OrcamTot t;
    for (const auto& [column, member] : kTotals)
        t.*member = levelsOf(r, QLatin1String(column));
    return t;
}

} // namespace corvane::quotation::rows
