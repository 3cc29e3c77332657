#include "quotation_report.h"
#include "core/number_input.h"

#include "components/photos/photo_files.h"
#include "quotation/store/quotation_store.h"
#include "quotation/store/row_values.h"

#include <cmath>

namespace corvane::quotation {

namespace {

using report::Align;
using report::Column;
using report::LineLayout;
using report::ValueKind;

// The kinds of line, in the order of the definition's layouts.
enum Layout : int {
    kSection,   // a bold heading across the page
    kPair,      // two labelled values
    kWide,      // one labelled value across the page
    kPhoto,     // "Fotografia : " and the picture
    kClass,     // a classification line: label, code, name
    kLevelHead, // the levels' quantities
    kMoney,     // a value per level
    kTotal,     // a value per level, in bold
    kPercent,   // a percentage per level
    kPrice,     // a price per level
};

constexpr double kLabel = 32; // mm of a label
constexpr double kPairValue = 64;
constexpr double kSecond = 100; // where the second pair starts
constexpr double kLevelX[3] = {62, 102, 142};
constexpr double kLevelWidth = 36;
constexpr double kPhotoHeight = 32;

Column text(const QString& heading, double x, double width) {
    return Column{heading, x, width, ValueKind::Text, Align::Left};
}

LineLayout levels(ValueKind kind, int decimals, bool bold = false) {
    LineLayout l;
    l.columns << text(QString(), 0, 60);
    for (double x : kLevelX) {
        Column c{QString(), x, kLevelWidth, kind, Align::Right};
        c.decimals = decimals;
        l.columns << c;
    }
    l.bold = bold;
    return l;
}

double number(const QVariantMap& row, const QString& column) {
    const double v = row.value(column).toDouble();
    return std::isfinite(v) ? v : 0.0;
}

QString dateText(const QVariant& v) {
    const QDateTime dt = report::dateValue(v);
    return dt.isValid() ? dt.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString yesNo(bool yes) {
    return yes ? QStringLiteral("Sim") : QStringLiteral("Não");
}

report::Line line(Layout layout, QVariantList values) {
    return report::Line{layout, std::move(values)};
}

report::Line pair(const QString& label1, const QVariant& value1, const QString& label2 = {},
                  const QVariant& value2 = {}) {
    return line(kPair, {label1, value1, label2, value2});
}

report::Line perLevel(Layout layout, const QString& label, const std::array<double, 3>& v) {
    return line(layout, {label, v[0], v[1], v[2]});
}

} // namespace

report::ReportDefinition quotationReportDefinition(int currencyDecimals, int priceDecimals) {
    report::ReportDefinition def;
    def.caption = kReportTitle;
    def.title = kReportTitle;
    LineLayout section;
    section.columns << text(QString(), 0, 196);
    section.bold = true;
    section.height = 6;
    LineLayout pairs;
    pairs.columns << text(QString(), 0, kLabel) << text(QString(), kLabel, kPairValue)
                  << text(QString(), kSecond, kLabel) << text(QString(), kSecond + kLabel, kPairValue);
    LineLayout wide;
    wide.columns << text(QString(), 0, kLabel) << text(QString(), kLabel, 196 - kLabel);
    LineLayout photo;
    photo.columns << text(QString(), 0, kLabel)
                  << Column{QString(), kLabel, 60, ValueKind::Image, Align::Left};
    photo.height = kPhotoHeight;
    // The classification in two columns: positions 1 to 5 and 6 to 9.
    LineLayout classification;
    for (double x : {0.0, kSecond})
        classification.columns << text(QString(), x, kLabel) << text(QString(), x + kLabel, 14)
                               << text(QString(), x + kLabel + 15, kPairValue - 15);
    def.layouts = {section,
                   pairs,
                   wide,
                   photo,
                   classification,
                   levels(ValueKind::Number, -1, true),
                   levels(ValueKind::Number, currencyDecimals),
                   levels(ValueKind::Number, currencyDecimals, true),
                   levels(ValueKind::Number, 1),
                   levels(ValueKind::Number, priceDecimals)};
    return def;
}

QString sheetKindText(const QString& kind) {
    static const QHash<QString, QString> texts{
        {QStringLiteral("CA"), QStringLiteral("Velisca - Alta Definição / 100% Acrílico")},
        {QStringLiteral("CT"), QStringLiteral("Velisca Tricotado")},
        {QStringLiteral("CI"), QStringLiteral("Velisca Impresso")},
        {QStringLiteral("GT"), QStringLiteral("Gorro Tricotado")}};
    return texts.value(kind.trimmed());
}

QString reportPhoto(const QuotationPrint& q) {
    return components::findPhotoFile(q.photoFolder, q.articleCode(), 1, q.photoExtension);
}

report::Block quotationBlock(const QuotationPrint& q, const QString& photo, int currencyDecimals) {
    const QVariantMap& m = q.master;
    const QVariantMap& a = q.article;
    report::Block b;
    b.ownPage = true;
    QList<report::Line>& out = b.lines;

    out << pair(QStringLiteral("Orçamento Nº : "), q.number(), QStringLiteral("Data : "),
                dateText(m.value(QStringLiteral("DATAEMI"))));
    out << line(
        kWide, {QStringLiteral("Cliente Nº : "),
                QStringLiteral("%1  %2").arg(m.value(QStringLiteral("CLINRO")).toInt()).arg(q.customerName)});
    out << line(kWide, {QStringLiteral("Artigo Nº : "),
                        QStringLiteral("%1  %2").arg(q.articleCode(), textOf(a, "DESIGNACAO"))});
    out << pair(QString(), textOf(a, "DESIGNACAO1"), QStringLiteral("Unidade : "), textOf(a, "UNVENDA"));
    out << pair(QStringLiteral("Família : "), textOf(a, "FAMILIA"), QStringLiteral("Custo Padrão : "),
                fixedNumberText(number(a, QStringLiteral("CUSTOPADRAO")), currencyDecimals));
    out << pair(QStringLiteral(" (CxLxA) : "),
                QStringLiteral("%1 x %2 x %3")
                    .arg(report::displayText(number(a, QStringLiteral("COMPRIM")), ValueKind::Number),
                         report::displayText(number(a, QStringLiteral("LARGURA")), ValueKind::Number),
                         report::displayText(number(a, QStringLiteral("ALTURA")), ValueKind::Number)),
                QStringLiteral("Peso : "),
                report::displayText(number(a, QStringLiteral("PESO")), ValueKind::Number));
    out << pair(QStringLiteral("Tipo : "), sheetKindText(q.sheetKind), QStringLiteral("Ref.Informática : "),
                q.computerReference);
    out << line(kWide, {QStringLiteral("Observ. : "), textOf(m, "OBSERV1")});
    out << line(kWide, {QString(), textOf(m, "OBSERV2")});
    out << pair(QStringLiteral("Inclui C.Fixos?"), yesNo(textOf(m, "DESENHO") == QLatin1String("S")),
                QStringLiteral("Tipo Elaboração"),
                textOf(m, "MANUAL_AUTO") == QLatin1String("M") ? QStringLiteral("Man")
                                                               : QStringLiteral("Aut"));
    out << pair(QStringLiteral("Aprovado ?"), yesNo(isApproved(textOf(m, "APROVADO"))));
    if (!photo.isEmpty())
        out << line(kPhoto, {QStringLiteral("Fotografia : "), photo});
    out << line(kSection, {QStringLiteral("Classificação : ")});
    for (size_t n = 0; n < 5; ++n) {
        const ClassificationLine& left = q.classification[n];
        const ClassificationLine right =
            n + 5 < q.classification.size() ? q.classification[n + 5] : ClassificationLine{};
        out << line(kClass, {left.label, left.code, left.name, right.label, right.code, right.name});
    }

    std::array<PrintedLevel, 3> lv{printedLevel(q, 1, currencyDecimals), printedLevel(q, 2, currencyDecimals),
                                   printedLevel(q, 3, currencyDecimals)};
    auto values = [&lv](double PrintedLevel::*field) {
        return std::array<double, 3>{lv[0].*field, lv[1].*field, lv[2].*field};
    };
    out << line(kSection, {QStringLiteral("Custos")});
    out << perLevel(kLevelHead, QString(),
                    {number(m, QStringLiteral("QUANT1")), number(m, QStringLiteral("QUANT2")),
                     number(m, QStringLiteral("QUANT3"))});
    const std::pair<const char*, double PrintedLevel::*> costs[] = {
        {"Materiais : ", &PrintedLevel::materials},    {"Transformação : ", &PrintedLevel::transformation},
        {"Custos Fixos", &PrintedLevel::fixedCosts},   {"Desperdício :", &PrintedLevel::waste},
        {"Subcontratos", &PrintedLevel::subcontracts}, {"Qualid./Defeito :  ", &PrintedLevel::quality},
        {"Estrutura : ", &PrintedLevel::structure},    {"Embalagem", &PrintedLevel::packaging}};
    for (const auto& [label, field] : costs)
        out << perLevel(kMoney, QString::fromUtf8(label), values(field));
    out << perLevel(kTotal, QStringLiteral("Custo Base ..."), values(&PrintedLevel::base));
    if (!q.costing.isEmpty()) // what the figures were computed on
        out << pair(QStringLiteral("Custeado em : "), dateText(q.costing.value(QStringLiteral("DATACUSTO"))),
                    QStringLiteral("Custo Ficha/peça : "),
                    fixedNumberText(number(q.costing, QStringLiteral("CUSTOFICHA")), 4));
    out << line(kSection, {QStringLiteral("Encargos Comerciais")});
    const std::pair<const char*, double PrintedLevel::*> charges[] = {
        {"Comissões", &PrintedLevel::commissions},
        {"Transporte", &PrintedLevel::transport},
        {"Cond.Pagamento", &PrintedLevel::payment},
        {"Descontos", &PrintedLevel::discounts}};
    for (const auto& [label, field] : charges)
        out << perLevel(kMoney, QString::fromUtf8(label), values(field));
    out << perLevel(kTotal, QStringLiteral("Custo Comercial"), values(&PrintedLevel::commercial));
    out << line(kSection, {QStringLiteral("Margens e Preços")});
    out << perLevel(kMoney, QStringLiteral("Margem"), values(&PrintedLevel::margin));
    out << perLevel(kPercent, QStringLiteral("(%) Marg.Final"), values(&PrintedLevel::marginPercent));
    out << line(kPercent, {QStringLiteral("(%) Marg.Inicial"), number(m, QStringLiteral("MARGEMLIQ"))});
    out << perLevel(kPrice, QStringLiteral("Preço Orçam."), values(&PrintedLevel::quotedPrice));
    out << perLevel(kPrice, QStringLiteral("Preço Cliente"), values(&PrintedLevel::customerPrice));
    out << perLevel(kTotal, QStringLiteral("Total Encomenda"), values(&PrintedLevel::orderTotal));

    out << line(kSection, {QStringLiteral("Aprovação")});
    const int order = m.value(QStringLiteral("ENCCNRO")).toInt();
    const QString orderText =
        order > 0 ? QStringLiteral("%1/%2/%3").arg(textOf(m, "ENCANO"), textOf(m, "ENCSEMANA")).arg(order)
                  : QString();
    out << pair(QStringLiteral("Encomenda Nº : "), orderText, QStringLiteral("Quant.Encomendada"),
                report::displayText(number(m, QStringLiteral("QTDAPROV")), ValueKind::Number));
    out << pair(QStringLiteral("Preço Final"),
                fixedNumberText(number(m, QStringLiteral("PRECOAPROV")), q.priceDecimals),
                QStringLiteral("Valor Encomenda"),
                fixedNumberText(number(m, QStringLiteral("VALORAPROV")), currencyDecimals));
    out << pair(QStringLiteral("Margem Liquida"),
                fixedNumberText(number(m, QStringLiteral("MARGEMAPROVPRC")), 1) + "%");
    return b;
}

std::unique_ptr<report::Report> quotationReport(std::vector<QuotationPrint> quotations, int currencyDecimals,
                                                report::ReportInfo info) {
    const int priceDecimals = quotations.empty() ? 2 : quotations.front().priceDecimals;
    auto blocks = std::make_shared<std::vector<report::Block>>();
    for (const QuotationPrint& q : quotations)
        blocks->push_back(quotationBlock(q, reportPhoto(q), currencyDecimals));
    auto source = std::make_unique<report::IndexedRowSource>(
        [blocks] { return static_cast<qint64>(blocks->size()); },
        [blocks](qint64 row, report::Block* block) { *block = (*blocks)[static_cast<size_t>(row)]; });
    return std::make_unique<report::Report>(quotationReportDefinition(currencyDecimals, priceDecimals),
                                            std::move(source), std::move(info));
}

} // namespace corvane::quotation
